#include "components/controls/Sclformshadow.h"

#include <map>

#include "components/foundations/Sclclass.h"
#include "components/foundations/Sclutils.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/winapi/Window.h"

namespace {

constexpr const char* Shadow_Class = "ShadowClass";

const bool Form_Shadow_Registered = [] {
    RegisterComponentClass<TSCLFormShadow, TComponent>("TSCLFormShadow")
        .Property("About", String_Type(), [](TSCLFormShadow& s) { return s.About; },
                  [](TSCLFormShadow& s, const std::string& value) { s.About = value; }, "")
        .Property("Enabled", Boolean_Type(), &TSCLFormShadow::Enabled, &TSCLFormShadow::SetEnabled, true)
        .Object("Shadow", &TSCLFormShadow::Shadow)
        .Property("ShowInActive", Boolean_Type(), [](TSCLFormShadow& s) { return s.ShowInActive; },
                  [](TSCLFormShadow& s, bool value) { s.ShowInActive = value; }, true);
    return true;
}();

struct Shadow_Params {
    TSCLShadowStyle Style = hssSolid;
    TColor Color = clBtnShadow;
};

// What each shadow window paints; Linux windows carry no extra bytes.
std::map<HWND, Shadow_Params>& Params()
{
    static std::map<HWND, Shadow_Params> params;
    return params;
}

void Paint_Shadow(HWND window, HDC dc)
{
    const Shadow_Params params = Params()[window];
    RECT client{};
    GetClientRect(window, &client);
    if (params.Style == hssSolid) {
        HBRUSH brush = CreateSolidBrush(ColorToRGB(params.Color));
        FillRect(dc, &client, brush);
        DeleteObject(brush);
    } else if (SCLApplication) {
        SCLFillPattern(dc, client, SCLApplication->GetBrushBitmap(params.Color));
    }
}

LRESULT Shadow_Window_Proc(HWND window, UINT message, WPARAM w_param, LPARAM l_param)
{
    switch (message) {
    case WM_SETFOCUS: return 0;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_ERASEBKGND:
        if (Params()[window].Style == hssNone)
            break;
        Paint_Shadow(window, reinterpret_cast<HDC>(w_param));
        return 1;
    case WM_NCDESTROY: Params().erase(window); break;
    default: break;
    }
    return DefWindowProcA(window, message, w_param, l_param);
}

// Registered once for the program: a second shadowed form finds it there.
void Register_Shadow_Class()
{
    WNDCLASSA existing{};
    if (GetClassInfoA(nullptr, Shadow_Class, &existing))
        return;
    WNDCLASSA window_class{};
    window_class.style = CS_PARENTDC;
    window_class.lpfnWndProc = Shadow_Window_Proc;
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.lpszClassName = Shadow_Class;
    RegisterClassA(&window_class);
}

} // namespace

TSCLFormShadow::TSCLFormShadow(TComponent* AOwner) : TSCLWndProcComponent(AOwner), shadow(new TSCLShadow)
{
    auto* form = dynamic_cast<TCustomForm*>(AOwner);
    if (!form || form->Parent() || form->FormStyle() == fsMDIChild || SCLCheckForSameClass<TSCLFormShadow>(AOwner)) {
        delete shadow;
        throw SCLEOneInstError("TSCLFormShadow", 0);
    }
    SetUseFormWindow(true);
    shadow->OnChange = [this](TObject* Sender) { GetChange(Sender); };
}

TSCLFormShadow::~TSCLFormShadow()
{
    DestroyShadow();
    shadow->OnChange = nullptr;
    delete shadow;
}

bool TSCLFormShadow::IsNoShadow()
{
    TCustomForm* form = GetOwnerForm();
    if (!form || !form->HandleAllocated())
        return true;
    const HWND window = form->Handle();
    if (IsIconic(window) || IsZoomed(window) || !IsWindowVisible(window))
        return true;
    return !(form->FormStyle() == fsMDIForm || form->Active() || ShowInActive);
}

void TSCLFormShadow::Create_Windows()
{
    TCustomForm* form = GetOwnerForm();
    if (right_window || !Wanted() || !form)
        return;
    Register_Shadow_Class();
    RECT r{};
    GetWindowRect(form->Handle(), &r);
    const int d = shadow->Depth();
    const DWORD ex_style = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT;
    right_window = CreateWindowExA(ex_style, Shadow_Class, "", WS_POPUP, r.right, r.top + d, d, r.bottom - r.top - d,
                                   form->Handle(), nullptr, nullptr, nullptr);
    bottom_window = CreateWindowExA(ex_style, Shadow_Class, "", WS_POPUP, r.left + d, r.bottom, r.right - r.left, d,
                                    form->Handle(), nullptr, nullptr, nullptr);
    SetShadowParams(right_window);
    SetShadowParams(bottom_window);
}

void TSCLFormShadow::SetShadowParams(HWND Window)
{
    if (Window)
        Params()[Window] = Shadow_Params{shadow->Style(), shadow->Color()};
}

void TSCLFormShadow::MoveShadow()
{
    TCustomForm* form = GetOwnerForm();
    if (!right_window || !form || !form->HandleAllocated())
        return;
    RECT r{};
    GetWindowRect(form->Handle(), &r);
    const int d = shadow->Depth();
    InvalidateRect(right_window, nullptr, TRUE);
    InvalidateRect(bottom_window, nullptr, TRUE);
    MoveWindow(right_window, r.right, r.top + d, d, r.bottom - r.top - d, TRUE);
    MoveWindow(bottom_window, r.left + d, r.bottom, r.right - r.left, d, TRUE);
    if (!IsNoShadow())
        ShowShadow(SW_SHOWNOACTIVATE);
}

void TSCLFormShadow::ShowShadow(int Command)
{
    if (!right_window)
        return;
    ShowWindow(right_window, Command);
    ShowWindow(bottom_window, Command);
}

void TSCLFormShadow::Show_Unless_None()
{
    ShowShadow(IsNoShadow() ? SW_HIDE : SW_SHOWNOACTIVATE);
}

void TSCLFormShadow::DestroyShadow()
{
    for (HWND* window : {&right_window, &bottom_window})
        if (*window) {
            DestroyWindow(*window);
            *window = nullptr;
        }
    // Refused while another form's shadow windows remain: the last shadow
    // to go takes the class with it.
    UnregisterClassA(Shadow_Class, nullptr);
}

void TSCLFormShadow::Init()
{
    TSCLWndProcComponent::Init();
    if (Enabled() && !Designing() && ValidOwner())
        Create_Windows();
}

void TSCLFormShadow::RestoreState()
{
    TSCLWndProcComponent::RestoreState();
    if (!Designing())
        DestroyShadow();
}

void TSCLFormShadow::GetChange(TObject* Sender)
{
    if (Sender != shadow || Designing()) {
        TSCLWndProcComponent::GetChange(Sender);
        return;
    }
    if (!Wanted()) {
        DestroyShadow();
        return;
    }
    if (!right_window && Enabled() && ValidOwner())
        Create_Windows();
    SetShadowParams(right_window);
    SetShadowParams(bottom_window);
    MoveShadow();
}

void TSCLFormShadow::Set_Style_Quietly(TSCLShadowStyle Style)
{
    auto handler = shadow->OnChange;
    shadow->OnChange = nullptr;
    shadow->SetStyle(Style);
    shadow->OnChange = handler;
}

void TSCLFormShadow::WndProc(TMessage& Message)
{
    const UINT message = Message.Msg;
    if (message == WM_NCLBUTTONDOWN) {
        ShowShadow(SW_HIDE);
        saved_style = shadow->Style();
        Set_Style_Quietly(hssNone);
        restore = true;
    }
    TSCLWndProcComponent::WndProc(Message);
    const bool after_drag = message == WM_NCHITTEST || message == WM_NCMOUSEMOVE || message == WM_NCLBUTTONUP ||
                            message == WM_MOUSEMOVE || message == WM_LBUTTONUP;
    if (after_drag && restore) {
        restore = false;
        Set_Style_Quietly(saved_style);
        if (!IsNoShadow())
            ShowShadow(SW_SHOWNOACTIVATE);
    }
    switch (message) {
    case WM_DESTROY: DestroyShadow(); break;
    case WM_MOVE:
        ShowShadow(SW_HIDE);
        MoveShadow();
        break;
    case WM_SIZE:
        if (Message.WParam == SIZE_RESTORED) {
            MoveShadow();
        } else {
            ShowShadow(SW_HIDE);
            if (Message.WParam > 4)
                MoveShadow();
        }
        break;
    case WM_ACTIVATE:
        if (HIWORD(Message.WParam) != 0)
            ShowShadow(SW_HIDE);
        else if (LOWORD(Message.WParam) != WA_INACTIVE)
            Show_Unless_None();
        else if (!ShowInActive)
            ShowShadow(SW_HIDE);
        // Otherwise the shadow stays as it is: a hidden form keeps none.
        break;
    case WM_SHOWWINDOW:
        if (Message.WParam)
            Show_Unless_None();
        else
            ShowShadow(SW_HIDE);
        break;
    case WM_CLOSE: ShowShadow(SW_HIDE); break;
    case WM_WINDOWPOSCHANGED:
        if (IsNoShadow())
            ShowShadow(SW_HIDE);
        break;
    default: break;
    }
}
