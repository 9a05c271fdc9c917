#include "components/foundations/Sclwndproccomponent.h"

#include <algorithm>
#include <vector>

// One link of a window's chain of procedures.
struct TSCLWndProcHook {
    HWND window = nullptr;
    WNDPROC procedure = nullptr; // the link's own procedure
    WNDPROC previous = nullptr;  // the link below, messages are passed on to it
    // Null once unhooked while a procedure that is none of ours stands
    // above: the link then only passes messages on.
    TSCLWndProcComponent* component = nullptr;
};

namespace {

using Hook_Pointer = std::shared_ptr<TSCLWndProcHook>;

// Every link in place, of every window.
std::vector<Hook_Pointer>& Hooks()
{
    static std::vector<Hook_Pointer> hooks;
    return hooks;
}

void Forget(const Hook_Pointer& hook)
{
    Free_Window_Procedure(hook->procedure);
    std::erase(Hooks(), hook);
}

WNDPROC Current_Procedure(HWND window)
{
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
}

// Takes a link out of its window's chain: the top link hands the window its
// previous procedure, a link further down hands it to the link above.
void Unlink(const Hook_Pointer& hook)
{
    hook->component = nullptr;
    if (!IsWindow(hook->window)) {
        Forget(hook);
        return;
    }
    if (Current_Procedure(hook->window) == hook->procedure) {
        SetWindowLongPtrA(hook->window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hook->previous));
        Forget(hook);
        return;
    }
    const auto above = std::ranges::find_if(Hooks(), [&](const Hook_Pointer& other) {
        return other->window == hook->window && other->previous == hook->procedure;
    });
    if (above != Hooks().end()) {
        (*above)->previous = hook->previous;
        Forget(hook);
    }
    // Otherwise a foreign procedure calls this link: it stays as a pass-through.
}

} // namespace

TSCLWndProcComponent::TSCLWndProcComponent(TComponent* AOwner) : TSCLCustomComponent(AOwner)
{
    if (const auto* form = dynamic_cast<const TCustomForm*>(AOwner)) {
        if (form->FormStyle() == fsMDIChild)
            owner_kind = 1;
        else if (form->FormStyle() == fsMDIForm)
            owner_kind = 2;
    }
}

TSCLWndProcComponent::~TSCLWndProcComponent()
{
    RestoreWndProc();
}

void TSCLWndProcComponent::SetEnabled(bool Value)
{
    if (Value == enabled)
        return;
    enabled = Value;
    if (Designing())
        return;
    if (enabled)
        Init();
    else
        RestoreState();
}

void TSCLWndProcComponent::SetDesignEnabled(bool Value)
{
    if (Value == design_enabled)
        return;
    design_enabled = Value;
    if (Designing()) {
        if (design_enabled)
            Init();
        else
            RestoreState();
    }
    DesignEnabledChanged();
}

void TSCLWndProcComponent::DesignEnabledChanged()
{
    if (Designing() && !design_enabled)
        RestoreWndProc();
}

WNDPROC TSCLWndProcComponent::OldWndProc() const
{
    return hook ? hook->previous : nullptr;
}

TCustomForm* TSCLWndProcComponent::GetOwnerForm() const
{
    return dynamic_cast<TCustomForm*>(Owner());
}

HWND TSCLWndProcComponent::GetOwnerHandle() const
{
    auto* owner = dynamic_cast<TWinControl*>(Owner());
    if (owner == nullptr || owner->ComponentState().Contains(csDestroying))
        return nullptr;
    try {
        // An MDI parent's client window, unless UseFormWindow: the class
        // library gives an MDI parent no client window of its own, so the
        // form's window stands for it, as for any other form.
        return owner->Handle();
    } catch (...) {
        return nullptr;
    }
}

void TSCLWndProcComponent::SetHandleApp(bool Value)
{
    const TComponentState state = ComponentState();
    if (state.Contains(csDesigning) || state.Contains(csLoading))
        handle_app = Value;
}

bool TSCLWndProcComponent::AppWndProc(TMessage& /*Message*/)
{
    return true;
}

void TSCLWndProcComponent::Hook_Application()
{
    if (Application == nullptr)
        return;
    Application->Handle();
    Application->HookMainWindow(this, [this](TMessage& Message) { return AppWndProc(Message); });
    app_hooked = true;
}

void TSCLWndProcComponent::Unhook_Application()
{
    if (Application != nullptr)
        Application->UnhookMainWindow(this);
    app_hooked = false;
}

bool TSCLWndProcComponent::ValidOwner() const
{
    const auto* owner = dynamic_cast<const TWinControl*>(Owner());
    const TComponentState state = ComponentState();
    return owner != nullptr && owner->HandleAllocated() && !state.Contains(csLoading)
        && !state.Contains(csDestroying);
}

void TSCLWndProcComponent::Loaded()
{
    TSCLCustomComponent::Loaded();
    if (!Designing() || design_enabled)
        Init();
}

void TSCLWndProcComponent::Init()
{
    if (enabled && !hook)
        NewWndProc();
}

bool TSCLWndProcComponent::NewWndProc()
{
    const HWND window = GetOwnerHandle();
    if (window == nullptr || hook || (Designing() && !design_enabled))
        return false;
    destroying = false;
    if (handle_app)
        Hook_Application();
    auto link = std::make_shared<TSCLWndProcHook>();
    link->window = window;
    link->component = this;
    link->procedure = Make_Window_Procedure([link](HWND w, UINT message, WPARAM w_param, LPARAM l_param) {
        // Unhooking frees this handler, captures included: hold the link.
        const Hook_Pointer held = link;
        return held->component != nullptr ? held->component->Hooked_Message(message, w_param, l_param)
                                          : CallWindowProcA(held->previous, w, message, w_param, l_param);
    });
    if (link->procedure == nullptr) {
        RestoreWndProc();
        return false;
    }
    link->previous = Current_Procedure(window);
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(link->procedure));
    Hooks().push_back(link);
    hook = std::move(link);
    return true;
}

bool TSCLWndProcComponent::RestoreWndProc()
{
    if (hook) {
        Unlink(hook);
        hook.reset();
    }
    if (handle_app && app_hooked)
        Unhook_Application();
    removing = false;
    destroying = false;
    return true;
}

void TSCLWndProcComponent::SilentRemove()
{
    removing = true;
    RestoreWndProc();
    SetEnabled(false);
}

LRESULT TSCLWndProcComponent::Hooked_Message(UINT Message, WPARAM WParam, LPARAM LParam)
{
    const Hook_Pointer held = hook;
    if (Message == WM_NCDESTROY) {
        // The window's last message reaches the form whatever state the
        // component is in; the hook goes with the window.
        const LRESULT result = CallWindowProcA(held->previous, held->window, Message, WParam, LParam);
        RestoreWndProc();
        return result;
    }
    TMessage record{Message, WParam, LParam, 0};
    try {
        WndProc(record);
    } catch (...) {
        if (Application != nullptr)
            Application->HandleException(this);
    }
    return record.Result;
}

void TSCLWndProcComponent::WndProc(TMessage& Message)
{
    if (destroying || !hook)
        return;
    if (Message.Msg == WM_DESTROY) {
        destroying = true;
        if (owner_kind == 1) {
            RestoreWndProc();
            return;
        }
    }
    Message.Result = CallWindowProcA(hook->previous, hook->window, Message.Msg, Message.WParam, Message.LParam);
}
