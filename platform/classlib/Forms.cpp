#include "platform/classlib/Forms.h"
#include "platform/classlib/Dialogs_Message_Box.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFontDatabase>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "platform/classlib/Dialog_Registry.h"
#include "platform/classlib/Thread.h"
#include "platform/winapi/Gdi_Text.h"
#include "platform/winapi/Kernel.h"

// Never freed: controls may outlive static destruction order.
TApplication* Application = new TApplication(nullptr);
TScreen* Screen = new TScreen(nullptr);
TMouse* Mouse = new TMouse;

namespace {

// The forms whose modal loops run, innermost last: only the innermost
// loop acts on its result, as only it is taking messages.
std::vector<TCustomForm*> modal_loops;

// Queued Synchronize calls run from Qt's loop, nested modal loops included.
void Hook_Event_Loop()
{
    static bool hooked = false;
    if (hooked || !QAbstractEventDispatcher::instance())
        return;
    hooked = true;
    auto wake = [] {
        if (QCoreApplication* application = QCoreApplication::instance())
            QMetaObject::invokeMethod(application, [] { CheckSynchronize(); }, Qt::QueuedConnection);
    };
    SetWakeMainThread(wake);
    wake(); // for calls queued before the hook was there
    Set_Message_Filter(TCustomForm::Before_Queued_Message);
    // Canvas DCs taken outside painting are given back whenever the loop goes idle.
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     [] { FreeDeviceContexts(); });
}

bool Contains_Control(TWinControl* outer, TControl* inner)
{
    for (TControl* control = inner; control; control = control->Parent())
        if (control == outer)
            return true;
    return false;
}

// Top-level forms other than the modal one are disabled while it runs.
std::vector<TCustomForm*> Disable_Other_Forms(TCustomForm* modal_form)
{
    std::vector<TCustomForm*> disabled;
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* form = Screen->Forms(i);
        if (form != modal_form && !form->Parent() && form->HandleAllocated() && IsWindowEnabled(form->Handle())) {
            EnableWindow(form->Handle(), FALSE);
            disabled.push_back(form);
        }
    }
    return disabled;
}

void Enable_Forms(const std::vector<TCustomForm*>& forms)
{
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* form = Screen->Forms(i);
        if (std::find(forms.begin(), forms.end(), form) != forms.end() && form->HandleAllocated())
            EnableWindow(form->Handle(), TRUE);
    }
}

} // namespace

// ---- TCustomForm ---------------------------------------------------------------

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner), canvas(this)
{
    SetVisibleField(false);
    SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
    SetBounds(0, 0, 320, 240);
    SetColor(clBtnFace);
    SetParentFont(false);
    Screen->forms.push_back(this);
}

TCustomForm::~TCustomForm()
{
    Destroying();
    if (OnDestroy)
        OnDestroy(this);
    canvas.FreeHandle();
    DestroyHandle();
    std::erase(Screen->forms, this);
    if (Screen->active_form == this)
        Screen->active_form = nullptr;
    if (Contains_Control(this, Screen->active_control))
        Screen->active_control = nullptr;
    Application->Form_Destroyed(this);
}

void TCustomForm::DoCreate()
{
    if (OnCreate)
        OnCreate(this);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value)
{
    if (Value == border_style)
        return;
    border_style = Value;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value)
{
    if (Value == border_icons)
        return;
    border_icons = Value;
    RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle Value)
{
    if (Value == form_style)
        return;
    form_style = Value;
    RecreateWnd();
}

void TCustomForm::SetWindowState(TWindowState Value)
{
    if (Value == window_state)
        return;
    window_state = Value;
    if (HandleAllocated() && Showing())
        ShowWindow(Handle(), Value == wsMinimized ? SW_MINIMIZE : Value == wsMaximized ? SW_MAXIMIZE : SW_RESTORE);
}

void TCustomForm::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    if (Parent())
        return; // hosted inside another control: a child window
    Params.WndParent = ParentWindow();
    static constexpr DWORD frames[] = {
        WS_POPUP,                                  // bsNone: frameless
        WS_CAPTION | WS_BORDER,                    // bsSingle
        WS_CAPTION | WS_THICKFRAME,                // bsSizeable
        WS_POPUP | WS_CAPTION | WS_DLGFRAME,       // bsDialog
        WS_CAPTION,                                // bsToolWindow
        WS_CAPTION | WS_THICKFRAME,                // bsSizeToolWin
    };
    Params.Style = (Params.Style & WS_DISABLED) | WS_CLIPCHILDREN | frames[border_style];
    if (border_style != bsNone) {
        if (border_icons.Contains(biSystemMenu))
            Params.Style |= WS_SYSMENU;
        if (border_icons.Contains(biMinimize) && border_style != bsDialog)
            Params.Style |= WS_MINIMIZEBOX;
        if (border_icons.Contains(biMaximize) && border_style != bsDialog)
            Params.Style |= WS_MAXIMIZEBOX;
    }
    if (border_style == bsDialog)
        Params.ExStyle |= WS_EX_DLGMODALFRAME;
    if (border_style == bsToolWindow || border_style == bsSizeToolWin)
        Params.ExStyle |= WS_EX_TOOLWINDOW;
    if (form_style == fsStayOnTop)
        Params.ExStyle |= WS_EX_TOPMOST;
}

void TCustomForm::Paint()
{
    if (OnPaint)
        OnPaint(this);
}

void TCustomForm::PaintWindow(HDC DC)
{
    canvas.PaintThrough(DC, [this] { Paint(); });
}

void TCustomForm::Show()
{
    SetVisible(true);
    BringToFront();
}

void TCustomForm::Place_On_First_Show()
{
    if (placed || Parent())
        return;
    placed = true;
    RECT area{0, 0, Screen->Width(), Screen->Height()};
    if (position == poMainFormCenter && Application->MainForm() && Application->MainForm() != this)
        area = Application->MainForm()->BoundsRect();
    else if (position != poScreenCenter && position != poDesktopCenter && position != poMainFormCenter)
        return;
    SetBounds(area.left + (area.right - area.left - Width()) / 2, area.top + (area.bottom - area.top - Height()) / 2,
              Width(), Height());
}

void TCustomForm::Showing_Changed()
{
    if (Showing()) {
        Place_On_First_Show();
        if (OnShow)
            OnShow(this);
        static constexpr int commands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
        ShowWindow(Handle(), Parent() ? SW_SHOW : commands[window_state]);
    } else {
        if (OnHide)
            OnHide(this);
        ShowWindow(Handle(), SW_HIDE);
    }
}

void TCustomForm::Activate_Form(bool Activating)
{
    active = Activating;
    if (Activating) {
        Screen->active_form = this;
        if (OnActivate)
            OnActivate(this);
        Set_Window_Focus();
    } else if (OnDeactivate) {
        OnDeactivate(this);
    }
}

void TCustomForm::Set_Window_Focus()
{
    Focus_Window(active_control && active_control->CanFocus() ? active_control : this);
}

// The system sends no WM_SETFOCUS to the window that has the focus already:
// a form that forgot it as its focused control (it was hidden and shown
// again meanwhile, keeping the focus) is told here instead, so that keys
// such as F1 are taken for it.
void TCustomForm::Focus_Window(TWinControl* Control)
{
    if (::GetFocus() != Control->Handle()) {
        ::SetFocus(Control->Handle());
    } else if (TCustomForm* form = GetParentForm(Control)) {
        form->SetFocusedControl(Control);
    }
}

void TCustomForm::SetActiveControl(TWinControl* Control)
{
    if (Control == active_control)
        return;
    if (Control && (Control == this || GetParentForm(Control) != this ||
                    (!ComponentState().Contains(csLoading) && !Control->CanFocus())))
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    active_control = Control;
    if (Control && !ComponentState().Contains(csLoading) && active)
        Focus_Window(Control);
}

void TCustomForm::SetFocus()
{
    if (!Visible() || !Enabled())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    Set_Window_Focus();
}

void TCustomForm::FocusControl(TWinControl* Control)
{
    const bool was_active = active;
    SetActiveControl(Control);
    if (!was_active)
        SetFocus();
}

void TCustomForm::SetFocusedControl(TWinControl* Control)
{
    if (Control == focused_control)
        return;
    TWinControl* old = focused_control;
    focused_control = Control;
    if (Control != this) {
        active_control = Control;
        Screen->active_control = Control;
    }
    if (old && old != this)
        old->Perform(CM_EXIT, 0, 0);
    if (Control != this)
        Control->Perform(CM_ENTER, 0, 0);
}

void TCustomForm::Remove_Focus(TWinControl* Control)
{
    if (Contains_Control(Control, active_control))
        active_control = nullptr;
    if (Contains_Control(Control, focused_control))
        focused_control = nullptr;
    if (Contains_Control(Control, Screen->active_control))
        Screen->active_control = nullptr;
}

bool TCustomForm::CloseQuery()
{
    bool can_close = true;
    if (OnCloseQuery)
        OnCloseQuery(this, can_close);
    return can_close;
}

void TCustomForm::DoClose(TCloseAction& Action)
{
    if (OnClose)
        OnClose(this, Action);
}

void TCustomForm::Close()
{
    if (modal) {
        modal_result = mrCancel;
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone)
        return;
    if (Application->MainForm() == this)
        Application->Terminate();
    else if (action == caHide)
        Hide();
    else if (action == caMinimize)
        SetWindowState(wsMinimized);
    else
        Release();
}

void TCustomForm::Release() { PostMessageA(Handle(), CM_RELEASE, 0, 0); }

void TCustomForm::Close_Modal()
{
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    if (action == caNone)
        modal_result = mrNone;
    else if (action == caFree)
        Release();
}


bool TCustomForm::Before_Queued_Message(MSG&)
{
    if (!modal_loops.empty())
        modal_loops.back()->Check_Modal_Result();
    return false;
}

void TCustomForm::Check_Modal_Result()
{
    if (modal_ending || modal_checking || modal_loops.back() != this)
        return;
    modal_checking = true;
    if (Application->Terminated() || Modal_Dialogs_Ended()) {
        modal_result = mrCancel;
        modal_ending = true;
    } else if (modal_result != mrNone) {
        Close_Modal();
        modal_ending = modal_result != mrNone;
    }
    modal_checking = false;
}

void TCustomForm::Run_Modal_Loop()
{
    modal_ending = false;
    modal_loops.push_back(this);
    QEventLoop loop;
    try {
        while (!modal_ending) {
            loop.processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
            Check_Modal_Result();
        }
    } catch (...) {
        modal_loops.pop_back();
        throw;
    }
    modal_loops.pop_back();
}

TModalResult TCustomForm::ShowModal()
{
    if (Visible() || !Enabled() || modal)
        throw EInvalidOperation("Cannot make a visible window modal");
    if (Modal_Dialogs_Ended())
        return mrCancel; // the program is closing
    Hook_Event_Loop();
    ReleaseCapture();
    HWND previous = GetActiveWindow();
    modal = true;
    modal_result = mrNone;
    const std::vector<TCustomForm*> disabled = Disable_Other_Forms(this);
    try {
        // Registered before it shows, so that whoever OnShow starts finds it.
        HWND window = Handle();
        const DWORD owner = Dialog_Owner_Thread();
        if (owner != GetCurrentThreadId())
            Set_Window_Thread(window, owner);
        Modal_Dialog_Registration registration(
            Modal_Dialog{0, owner, window, ClassName(), [window] { PostMessageA(window, WM_CLOSE, 0, 0); }});
        Show();
        Run_Modal_Loop();
        if (owner != GetCurrentThreadId())
            Set_Window_Thread(window, GetCurrentThreadId());
    } catch (...) {
        modal = false;
        Enable_Forms(disabled);
        throw;
    }
    modal = false;
    Enable_Forms(disabled);
    Hide();
    if (previous && IsWindow(previous))
        SetActiveWindow(previous);
    return modal_result;
}

void TCustomForm::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_SHOWINGCHANGED: Showing_Changed(); break;
    case WM_ACTIVATE:
        Activate_Form(LOWORD(static_cast<DWORD>(Message.WParam)) != WA_INACTIVE);
        break;
    case WM_CLOSE: Close(); break;
    case WM_QUERYENDSESSION: Message.Result = CloseQuery() ? 1 : 0; break;
    case WM_SYSCOLORCHANGE: Perform(CM_SYSCOLORCHANGE, 0, 0); break;
    case CM_DIALOGKEY:
        if (Message.WParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0) {
            SelectNext(active_control, GetKeyState(VK_SHIFT) >= 0, true);
            Message.Result = 1;
        }
        break;
    case CM_RELEASE: delete this; break;
    default: TWinControl::Dispatch(Message);
    }
}

// ---- THintWindow -----------------------------------------------------------------

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetColor(Application->HintColor());
    SetVisibleField(false);
}

void THintWindow::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_BORDER;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    Params.WndParent = nullptr;
}

RECT THintWindow::CalcHintRect(int MaxWidth, const std::string& Hint)
{
    RECT rect{0, 0, MaxWidth, 0};
    HDC dc = Canvas()->Handle();
    DrawTextA(dc, Hint.c_str(), -1, &rect, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    rect.right += 6;
    rect.bottom += 2;
    return rect;
}

void THintWindow::ActivateHint(const RECT& Rect, const std::string& Hint)
{
    SetCaption(Hint);
    SetBounds(Rect.left, Rect.top, Rect.right - Rect.left, Rect.bottom - Rect.top);
    SetWindowPos(Handle(), HWND_TOPMOST, Rect.left, Rect.top, Width(), Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Invalidate();
}

void THintWindow::ReleaseHandle() { DestroyHandle(); }

void THintWindow::Paint()
{
    RECT rect = ClientRect();
    rect.left += 2;
    rect.top += 2;
    Canvas()->Brush()->SetStyle(bsClear);
    Canvas()->Font()->SetColor(clInfoText);
    DrawTextA(Canvas()->Handle(), Caption().c_str(), -1, &rect, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}

// ---- TApplication ----------------------------------------------------------------

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

TApplication::~TApplication() { Stop_Hint_Timer(); }

std::string TApplication::Title() const
{
    if (!title.empty())
        return title;
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).stem().string();
}

HWND TApplication::Handle()
{
    if (!handle) {
        WNDCLASSA window_class{};
        window_class.lpfnWndProc = Window_Procedure;
        window_class.lpszClassName = "TApplication";
        RegisterClassA(&window_class);
        handle = CreateWindowExA(0, "TApplication", Title().c_str(), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                                 nullptr);
    }
    return handle;
}

void TApplication::HookMainWindow(const void* Key, TWindowHook Hook)
{
    UnhookMainWindow(Key);
    window_hooks.emplace_back(Key, std::move(Hook));
}

void TApplication::UnhookMainWindow(const void* Key)
{
    std::erase_if(window_hooks, [Key](const auto& hook) { return hook.first == Key; });
}

LRESULT TApplication::Window_Procedure(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam)
{
    if (Application && Application->handle == Window)
        return Application->Window_Message(Window, Message, WParam, LParam);
    return DefWindowProcA(Window, Message, WParam, LParam);
}

LRESULT TApplication::Window_Message(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam)
{
    TMessage record{Message, WParam, LParam, 0};
    // A hook may unhook itself or others while it runs: each is called
    // through a copy, and only while it is still hooked.
    const auto hooks = window_hooks;
    for (const auto& [key, hook] : hooks) {
        const bool hooked = std::ranges::any_of(window_hooks, [id = key](const auto& h) { return h.first == id; });
        if (hooked && hook(record))
            return record.Result;
    }
    return DefWindowProcA(Window, Message, WParam, LParam);
}

void TApplication::Initialize() { Hook_Event_Loop(); }

void TApplication::Run()
{
    Hook_Event_Loop();
    if (main_form)
        main_form->Show();
    QEventLoop loop;
    while (!terminated)
        loop.processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
}

void TApplication::Terminate()
{
    terminated = true;
    // Wakes whichever loop runs, so that it sees the flag.
    if (QCoreApplication* application = QCoreApplication::instance())
        QMetaObject::invokeMethod(application, [] {}, Qt::QueuedConnection);
}

void TApplication::ProcessMessages()
{
    Hook_Event_Loop();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    CheckSynchronize();
    FreeDeviceContexts();
}

void TApplication::Minimize()
{
    if (main_form && main_form->HandleAllocated())
        ShowWindow(main_form->Handle(), SW_MINIMIZE);
}

void TApplication::Restore()
{
    if (main_form && main_form->HandleAllocated()) {
        ShowWindow(main_form->Handle(), SW_RESTORE);
        SetForegroundWindow(main_form->Handle());
    }
}

void TApplication::HandleException(TObject* Sender)
{
    try {
        throw;
    } catch (Exception& error) {
        Handle_Exception_Object(Sender, error);
    } catch (std::exception& error) {
        Exception wrapped(error.what());
        Handle_Exception_Object(Sender, wrapped);
    } catch (...) {
        Exception unknown("Unknown exception");
        Handle_Exception_Object(Sender, unknown);
    }
}

void TApplication::Handle_Exception_Object(TObject* Sender, Exception& E)
{
    if (OnException)
        OnException(Sender, &E);
    else
        ShowException(&E);
}

bool TApplication::HelpCommand(int Command, std::intptr_t Data)
{
    bool call_help = true;
    return OnHelp ? OnHelp(static_cast<WORD>(Command), Data, call_help) : false;
}

bool TApplication::HelpContext(int Context)
{
    constexpr int help_context = 1; // HELP_CONTEXT
    return HelpCommand(help_context, Context);
}

void TApplication::Control_Destroyed(TControl* Control)
{
    if (Control == hint_control)
        CancelHint();
}

void TApplication::Form_Destroyed(TCustomForm* Form)
{
    if (Form == main_form)
        main_form = nullptr;
}

// ---- TApplication: hints ---------------------------------------------------------

void TApplication::SetShowHint(bool Value)
{
    show_hint = Value;
    if (!Value)
        CancelHint();
}

void TApplication::Hint_Timer_Proc(HWND, UINT, UINT_PTR, DWORD)
{
    Application->Stop_Hint_Timer();
    if (Application->hint_showing)
        Application->CancelHint();
    else
        Application->Show_Hint_Now();
}

void TApplication::Start_Hint_Timer(int Milliseconds)
{
    Stop_Hint_Timer();
    hint_timer = SetTimer(nullptr, 0, static_cast<UINT>(Milliseconds), Hint_Timer_Proc);
}

void TApplication::Stop_Hint_Timer()
{
    if (hint_timer)
        KillTimer(nullptr, hint_timer);
    hint_timer = 0;
}

void TApplication::CancelHint()
{
    Stop_Hint_Timer();
    hint_control = nullptr;
    hint_showing = false;
    if (hint_window)
        hint_window->ReleaseHandle();
}

void TApplication::Show_Hint_Now()
{
    if (!hint_control || hint_control->Perform(CM_HINTSHOW, 0, 0) != 0)
        return;
    if (!hint_window)
        hint_window = std::make_unique<THintWindow>(nullptr);
    POINT cursor;
    GetCursorPos(&cursor);
    RECT rect = hint_window->CalcHintRect(Screen->Width() / 3, hint_control->Hint());
    // Below the cursor's hot spot, as the system puts tooltips.
    const int x = cursor.x;
    const int y = cursor.y + 20;
    hint_window->ActivateHint(RECT{x, y, x + rect.right, y + rect.bottom}, hint_control->Hint());
    hint_showing = true;
    Start_Hint_Timer(hint_hide_pause);
}

void TApplication::HintMouseMessage(TControl* Control, TMessage& Message)
{
    if (Control == hint_window.get())
        return; // the hint's own window is not taken down under its messages
    if (Message.Msg != WM_MOUSEMOVE) {
        CancelHint();
        return;
    }
    if (Control == hint_control)
        return;
    CancelHint();
    const bool wants_hint = show_hint && Control->ShowHint() && !Control->Hint().empty();
    if (!wants_hint)
        return;
    hint_control = Control;
    Start_Hint_Timer(hint_pause);
}

// ---- TScreen and TMouse ----------------------------------------------------------

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {}

int TScreen::Width() { return GetSystemMetrics(SM_CXSCREEN); }
int TScreen::Height() { return GetSystemMetrics(SM_CYSCREEN); }

RECT TScreen::WorkAreaRect()
{
    RECT area{0, 0, Width(), Height()};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

int TScreen::WorkAreaWidth()
{
    const RECT area = WorkAreaRect();
    return area.right - area.left;
}

int TScreen::WorkAreaHeight()
{
    const RECT area = WorkAreaRect();
    return area.bottom - area.top;
}

int TScreen::PixelsPerInch()
{
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

void TScreen::SetCursor(TCursor Value)
{
    if (Value == cursor)
        return;
    cursor = Value;
    if (Value != crDefault) {
        ::SetCursor(Cursors(Value));
        return;
    }
    // Back to each control's own cursor: let the window under the mouse choose.
    POINT point;
    GetCursorPos(&point);
    if (HWND window = WindowFromPoint(point))
        SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

namespace {

std::map<TCursor, HCURSOR>& Installed_Cursors()
{
    static std::map<TCursor, HCURSOR> cursors;
    return cursors;
}

} // namespace

HCURSOR TScreen::Cursors(TCursor Index)
{
    const auto own = Installed_Cursors().find(Index);
    if (own != Installed_Cursors().end())
        return own->second;
    static const std::map<TCursor, LPCSTR> standard{
        {crArrow, IDC_ARROW},         {crCross, IDC_CROSS},       {crIBeam, IDC_IBEAM},
        {crSizeNESW, IDC_SIZENESW},   {crSizeNS, IDC_SIZENS},     {crSizeNWSE, IDC_SIZENWSE},
        {crSizeWE, IDC_SIZEWE},       {crUpArrow, IDC_UPARROW},   {crHourGlass, IDC_WAIT},
        {crDrag, IDC_ARROW},          {crNoDrop, IDC_NO},         {crHSplit, IDC_SIZEWE},
        {crVSplit, IDC_SIZENS},       {crMultiDrag, IDC_ARROW},   {crSQLWait, IDC_WAIT},
        {crNo, IDC_NO},               {crAppStart, IDC_APPSTARTING}, {crHelp, IDC_HELP},
        {crHandPoint, IDC_HAND},      {crSizeAll, IDC_SIZEALL},
    };
    if (Index == crNone)
        return nullptr;
    const auto found = standard.find(Index);
    return LoadCursorA(nullptr, found == standard.end() ? IDC_ARROW : found->second);
}

void TScreen::InstallCursor(TCursor Index, HCURSOR Handle)
{
    if (Handle)
        Installed_Cursors()[Index] = Handle;
    else
        Installed_Cursors().erase(Index);
}

TCustomForm* TScreen::Forms(int Index) const
{
    if (Index < 0 || Index >= FormCount())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return forms[static_cast<std::size_t>(Index)];
}

TStrings* TScreen::Fonts()
{
    if (!fonts) {
        fonts = std::make_unique<TStringList>();
        for (const QString& family : QFontDatabase::families())
            fonts->Add(family.toStdString());
    }
    return fonts.get();
}

POINT TMouse::CursorPos() const
{
    POINT point;
    GetCursorPos(&point);
    return point;
}

void TMouse::SetCursorPos(POINT Value) { ::SetCursorPos(Value.x, Value.y); }

void TApplication::ShowException(Exception* E)
{
    std::string message = E->Message;
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        message += '.';
    if (!QCoreApplication::instance()) { // no windows without an application: the log has it
        std::fprintf(stderr, "%s: %s\n", Title().c_str(), message.c_str());
        return;
    }
    MessageBox(message.c_str(), nullptr, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(LPCSTR Text, LPCSTR Caption, UINT Flags)
{
    return Application_MessageBox(Text, Caption, Flags);
}
