#include "platform/classlib/Controls.h"

#include <algorithm>
#include <cctype>
#include <unordered_map>

#include "platform/classlib/Forms.h"
#include "platform/classlib/Menus.h"

namespace {

// The windowless control that has the mouse captured through its parent's window.
TControl* capture_control = nullptr;
// The control under the mouse, for CM_MOUSEENTER and CM_MOUSELEAVE.
TControl* mouse_control = nullptr;
// Windows made by the library, to their controls. Never freed: windows may
// go after static destruction has begun.
std::unordered_map<HWND, TWinControl*>& window_controls = *new std::unordered_map<HWND, TWinControl*>;
// Control canvases holding a DC of their own.
std::vector<TControlCanvas*>& canvases_with_dc = *new std::vector<TControlCanvas*>;

bool Point_In(const RECT& rect, POINT point)
{
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

bool Rects_Meet(const RECT& a, const RECT& b)
{
    return std::max(a.left, b.left) < std::min(a.right, b.right) &&
           std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

bool Is_Mouse_Message(UINT message) { return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST; }

void Set_Mouse_Control(TControl* control)
{
    if (control == mouse_control)
        return;
    TControl* old = mouse_control;
    mouse_control = control;
    if (!control)
        Application->CancelHint(); // the mouse left the program's windows
    if (old)
        old->Perform(CM_MOUSELEAVE, 0, 0);
    if (control)
        control->Perform(CM_MOUSEENTER, 0, 0);
}

// The library's window class for a control class, registered on first use.
void Register_Window_Class(const TCreateParams& params)
{
    WNDCLASSA existing;
    if (GetClassInfoA(nullptr, params.WinClassName.c_str(), &existing))
        return;
    WNDCLASSA window_class = params.WindowClass;
    window_class.lpfnWndProc = Control_Window_Proc;
    window_class.lpszClassName = params.WinClassName.c_str();
    if (!RegisterClassA(&window_class))
        throw EOutOfResources("Error creating window class " + params.WinClassName);
}

} // namespace

// ---- Helpers -----------------------------------------------------------------

TShiftState KeysToShiftState(WORD Keys)
{
    TShiftState shift;
    if (Keys & MK_SHIFT)
        shift.Include(ssShift);
    if (Keys & MK_CONTROL)
        shift.Include(ssCtrl);
    if (Keys & MK_LBUTTON)
        shift.Include(ssLeft);
    if (Keys & MK_RBUTTON)
        shift.Include(ssRight);
    if (Keys & MK_MBUTTON)
        shift.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0)
        shift.Include(ssAlt);
    return shift;
}

TShiftState KeyDataToShiftState(LPARAM KeyData)
{
    TShiftState shift;
    if (GetKeyState(VK_SHIFT) < 0)
        shift.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0)
        shift.Include(ssCtrl);
    if (KeyData & KF_ALTDOWN_BIT)
        shift.Include(ssAlt);
    return shift;
}

bool IsAccel(WORD VK, const std::string& Str)
{
    // "&&" is a literal ampersand; the first single '&' marks the accelerator.
    for (std::size_t i = 0; i + 1 < Str.size(); ++i) {
        if (Str[i] != '&')
            continue;
        if (Str[i + 1] == '&') {
            ++i;
            continue;
        }
        const auto wanted = std::toupper(static_cast<unsigned char>(VK & 0xFF));
        return std::toupper(static_cast<unsigned char>(Str[i + 1])) == wanted;
    }
    return false;
}

TControl* GetCaptureControl()
{
    HWND captured = GetCapture();
    if (!captured)
        return nullptr;
    if (capture_control && capture_control->Parent() && capture_control->Parent()->HandleAllocated() &&
        capture_control->Parent()->Handle() == captured)
        return capture_control;
    return FindControl(captured);
}

TWinControl* FindControl(HWND Handle)
{
    const auto found = window_controls.find(Handle);
    return found == window_controls.end() ? nullptr : found->second;
}

TCustomForm* GetParentForm(TControl* Control)
{
    while (Control && Control->Parent())
        Control = Control->Parent();
    return dynamic_cast<TCustomForm*>(Control);
}

TCustomForm* ValidParentForm(TControl* Control)
{
    TCustomForm* form = GetParentForm(Control);
    if (!form)
        throw EInvalidOperation("Control '" + (Control ? Control->Name() : std::string()) + "' has no parent window");
    return form;
}

// ---- TControlCanvas ------------------------------------------------------------

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::CreateHandle()
{
    auto* windowed = dynamic_cast<TWinControl*>(control);
    TWinControl* host = windowed ? windowed : control->Parent();
    if (!host)
        return;
    HWND window = host->Handle();
    HDC dc = GetDCEx(window, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    if (!dc)
        return;
    if (!windowed) {
        // A windowless control draws in its parent's client area, moved to
        // its own position and kept inside its bounds.
        SetWindowOrgEx(dc, -control->Left(), -control->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, control->Width(), control->Height());
    }
    own_dc = dc;
    own_dc_window = window;
    canvases_with_dc.push_back(this);
    SetHandle(dc);
}

void TControlCanvas::FreeHandle()
{
    if (!own_dc)
        return;
    SetHandle(nullptr);
    ReleaseDC(own_dc_window, own_dc);
    own_dc = nullptr;
    own_dc_window = nullptr;
    std::erase(canvases_with_dc, this);
}

void TControlCanvas::Paint_Through(HDC DC, const std::function<void()>& Paint)
{
    Lock();
    FreeHandle();
    SetHandle(DC);
    try {
        Paint();
    } catch (...) {
        SetHandle(nullptr);
        Unlock();
        throw;
    }
    SetHandle(nullptr);
    Unlock();
}

void FreeDeviceContexts()
{
    while (!canvases_with_dc.empty()) {
        TControlCanvas* canvas = canvases_with_dc.back();
        canvas->Lock();
        canvas->FreeHandle();
        canvas->Unlock();
    }
}

// ---- TControl --------------------------------------------------------------------

TControl::TControl(TComponent* AOwner) : TComponent(AOwner)
{
    WindowProc = [this](TMessage& Message) { WndProc(Message); };
    font.OnChange = [this](TObject*) { Font_Changed(); };
}

TControl::~TControl()
{
    Destroying();
    if (capture_control == this)
        capture_control = nullptr;
    if (mouse_control == this)
        mouse_control = nullptr;
    Application->Control_Destroyed(this);
    font.OnChange = nullptr;
    if (parent)
        parent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* AParent)
{
    if (AParent == parent)
        return;
    if (AParent == this)
        throw EInvalidOperation("A control cannot have itself as its parent");
    if (parent)
        parent->RemoveControl(this);
    if (AParent)
        AParent->InsertControl(this);
}

bool TControl::CanResize(int& NewWidth, int& NewHeight)
{
    bool resize = true;
    if (OnCanResize)
        OnCanResize(this, NewWidth, NewHeight, resize);
    return resize;
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (!CanResize(AWidth, AHeight))
        return;
    if (ALeft == left && ATop == top && AWidth == width && AHeight == height)
        return;
    const bool resized = AWidth != width || AHeight != height;
    FreeDeviceContexts(); // a canvas DC kept open would still draw at the old place
    InvalidateControl(visible, false);
    left = ALeft;
    top = ATop;
    width = AWidth;
    height = AHeight;
    Invalidate();
    RequestAlign();
    if (resized && !ComponentState().Contains(csLoading))
        Resize();
}

void TControl::SetBoundsRect(const RECT& Rect)
{
    SetBounds(Rect.left, Rect.top, Rect.right - Rect.left, Rect.bottom - Rect.top);
}

RECT TControl::ClientRect() { return RECT{0, 0, width, height}; }

void TControl::SetClientWidth(int Value) { SetWidth(width - ClientWidth() + Value); }
void TControl::SetClientHeight(int Value) { SetHeight(height - ClientHeight() + Value); }

POINT TControl::ClientOrigin()
{
    if (!parent)
        throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    POINT origin = parent->ClientOrigin();
    return POINT{origin.x + left, origin.y + top};
}

POINT TControl::ClientToScreen(POINT Point)
{
    const POINT origin = ClientOrigin();
    return POINT{Point.x + origin.x, Point.y + origin.y};
}

POINT TControl::ScreenToClient(POINT Point)
{
    const POINT origin = ClientOrigin();
    return POINT{Point.x - origin.x, Point.y - origin.y};
}

void TControl::SetAlign(TAlign Value)
{
    if (Value == align)
        return;
    align = Value;
    RequestAlign();
}

void TControl::SetVisible(bool Value)
{
    if (Value == visible)
        return;
    visible = Value;
    Perform(CM_VISIBLECHANGED, Value ? 1 : 0, 0);
    RequestAlign();
}

void TControl::Show() { SetVisible(true); }

void TControl::Hide() { SetVisible(false); }

void TControl::SetEnabled(bool Value)
{
    if (Value == enabled)
        return;
    enabled = Value;
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetColor(TColor Value)
{
    parent_color = false;
    if (Value == color)
        return;
    color = Value;
    Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool Value)
{
    if (Value == parent_color)
        return;
    parent_color = Value;
    if (parent && !ComponentState().Contains(csReading))
        Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::Font_Changed()
{
    parent_font = false;
    Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool Value)
{
    if (Value == parent_font)
        return;
    parent_font = Value;
    if (parent && !ComponentState().Contains(csReading))
        Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::SetText(const std::string& Value)
{
    if (Value == text)
        return;
    text = Value;
    Changed_Text();
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetShowHint(bool Value)
{
    parent_show_hint = false;
    if (Value == show_hint)
        return;
    show_hint = Value;
    Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool Value)
{
    if (Value == parent_show_hint)
        return;
    parent_show_hint = Value;
    if (parent && !ComponentState().Contains(csReading))
        Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::SetPopupMenu(TComponent* Value)
{
    popup_menu = Value;
    if (Value)
        Value->FreeNotification(this);
}

void TControl::SetCursor(TCursor Value)
{
    if (Value == cursor)
        return;
    cursor = Value;
    Perform(CM_CURSORCHANGED, 0, 0);
}

bool TControl::MouseCapture() { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool Value)
{
    if (MouseCapture() == Value)
        return;
    ReleaseCapture();
    capture_control = nullptr;
    if (!Value)
        return;
    if (auto* windowed = dynamic_cast<TWinControl*>(this)) {
        SetCapture(windowed->Handle());
    } else if (parent) {
        capture_control = this;
        SetCapture(parent->Handle());
    }
}

void TControl::InvalidateControl(bool IsVisible, bool IsOpaque)
{
    if (!IsVisible || !parent || !parent->HandleAllocated())
        return;
    const RECT bounds = BoundsRect();
    InvalidateRect(parent->Handle(), &bounds, IsOpaque ? FALSE : TRUE);
}

void TControl::Invalidate() { InvalidateControl(visible, control_style.Contains(csOpaque)); }

void TControl::Repaint()
{
    Invalidate();
    Update();
}

void TControl::Update()
{
    if (parent)
        parent->Update();
}

void TControl::SetZOrder(bool TopMost)
{
    if (parent)
        parent->Move_Control(this, TopMost);
}

void TControl::RequestAlign()
{
    if (parent)
        parent->Realign();
}

void TControl::Resize()
{
    if (OnResize)
        OnResize(this);
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y)
{
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Loaded()
{
    TComponent::Loaded();
    // What the resource left inherited now takes the parent's values.
    if (parent) {
        if (parent_color)
            Perform(CM_PARENTCOLORCHANGED, 0, 0);
        if (parent_font)
            Perform(CM_PARENTFONTCHANGED, 0, 0);
        if (parent_show_hint)
            Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    }
}

void TControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == popup_menu)
        popup_menu = nullptr;
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TMessage message{Msg, WParam, LParam, 0};
    WindowProc(message);
    return message.Result;
}

void TControl::WndProc(TMessage& Message)
{
    if (Is_Mouse_Message(Message.Msg)) {
        // A control without double clicks sees a second press as a press.
        if (!control_style.Contains(csDoubleClicks) &&
            (Message.Msg == WM_LBUTTONDBLCLK || Message.Msg == WM_RBUTTONDBLCLK || Message.Msg == WM_MBUTTONDBLCLK))
            Message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
        Application->HintMouseMessage(this, Message);
    }
    Dispatch(Message);
}

void TControl::Mouse_Button_Down(TMessage& Message, TMouseButton Button, bool Double)
{
    if (Button == mbLeft) {
        if (control_style.Contains(csCaptureMouse))
            SetMouseCapture(true);
        if (Double) {
            if (control_style.Contains(csClickEvents))
                DblClick();
        } else if (control_style.Contains(csClickEvents)) {
            control_state.Include(csClicked);
        }
    }
    if (control_style.Contains(csNoStdEvents))
        return;
    TShiftState shift = KeysToShiftState(static_cast<WORD>(Message.WParam));
    if (Double)
        shift.Include(ssDouble);
    const POINT point = Message_Point(Message.LParam);
    MouseDown(Button, shift, point.x, point.y);
}

void TControl::Mouse_Button_Up(TMessage& Message, TMouseButton Button)
{
    const POINT point = Message_Point(Message.LParam);
    if (Button == mbLeft) {
        if (control_style.Contains(csCaptureMouse))
            SetMouseCapture(false);
        if (control_state.Contains(csClicked)) {
            control_state.Exclude(csClicked);
            if (Point_In(ClientRect(), point))
                Click();
        }
    }
    if (!control_style.Contains(csNoStdEvents))
        MouseUp(Button, KeysToShiftState(static_cast<WORD>(Message.WParam)), point.x, point.y);
    if (Button == mbRight)
        Context_Popup(point);
}

void TControl::Context_Popup(POINT Point)
{
    // The nearest popup menu up the parents, as the context menu request
    // goes up to the parent of a control without one.
    for (TControl* control = this; control; control = control->Parent()) {
        auto* menu = dynamic_cast<TPopupMenu*>(control->popup_menu);
        if (!menu || !menu->AutoPopup())
            continue;
        const POINT screen = ClientToScreen(Point);
        menu->SetPopupComponent(control);
        menu->Popup(screen.x, screen.y);
        return;
    }
}

bool TControl::Dispatch_Change_Message(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_ENABLEDCHANGED:
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
        Invalidate();
        return true;
    case CM_VISIBLECHANGED:
        InvalidateControl(true, visible && control_style.Contains(csOpaque));
        return true;
    case CM_PARENTCOLORCHANGED:
        if (parent_color && parent) {
            SetColor(parent->Color());
            parent_color = true;
        }
        return true;
    case CM_PARENTFONTCHANGED:
        if (parent_font && parent) {
            font.Assign(parent->Font());
            parent_font = true;
        }
        return true;
    case CM_PARENTSHOWHINTCHANGED:
        if (parent_show_hint && parent) {
            SetShowHint(parent->ShowHint());
            parent_show_hint = true;
        }
        return true;
    case CM_HITTEST:
        Message.Result = HTCLIENT;
        return true;
    default:
        return false;
    }
}

void TControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_LBUTTONDOWN: Mouse_Button_Down(Message, mbLeft, false); break;
    case WM_RBUTTONDOWN: Mouse_Button_Down(Message, mbRight, false); break;
    case WM_MBUTTONDOWN: Mouse_Button_Down(Message, mbMiddle, false); break;
    case WM_LBUTTONDBLCLK: Mouse_Button_Down(Message, mbLeft, true); break;
    case WM_RBUTTONDBLCLK: Mouse_Button_Down(Message, mbRight, true); break;
    case WM_MBUTTONDBLCLK: Mouse_Button_Down(Message, mbMiddle, true); break;
    case WM_LBUTTONUP: Mouse_Button_Up(Message, mbLeft); break;
    case WM_RBUTTONUP: Mouse_Button_Up(Message, mbRight); break;
    case WM_MBUTTONUP: Mouse_Button_Up(Message, mbMiddle); break;
    case WM_MOUSEMOVE: {
        const POINT point = Message_Point(Message.LParam);
        if (!control_style.Contains(csNoStdEvents))
            MouseMove(KeysToShiftState(static_cast<WORD>(Message.WParam)), point.x, point.y);
        break;
    }
    default:
        if (!Dispatch_Change_Message(Message))
            DefaultHandler(Message);
    }
}

void TControl::DefaultHandler(TMessage&) {}

// ---- TWinControl: windows ------------------------------------------------------

LRESULT Control_Window_Proc(HWND window, UINT message, WPARAM w_param, LPARAM l_param)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(l_param);
        auto* control = static_cast<TWinControl*>(create->lpCreateParams);
        control->handle = window;
        window_controls[window] = control;
    }
    TWinControl* control = FindControl(window);
    if (!control)
        return DefWindowProcA(window, message, w_param, l_param);
    TMessage record{message, w_param, l_param, 0};
    try {
        control->WindowProc(record);
    } catch (...) {
        Application->HandleException(control);
    }
    if (message == WM_NCDESTROY) {
        window_controls.erase(window);
        control->handle = nullptr;
        control->showing = false;
    }
    return record.Result;
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) { brush.SetColor(Color()); }

TWinControl::~TWinControl()
{
    Destroying();
    // Leaves the parent while still a windowed control.
    if (Parent())
        Parent()->RemoveControl(this);
    DestroyHandle();
    // A windowed control frees the controls it holds, owned or not.
    while (ControlCount() > 0)
        delete Controls(ControlCount() - 1);
}

HWND TWinControl::Handle()
{
    if (!handle) {
        if (parent)
            parent->Handle();
        CreateWnd();
    }
    return handle;
}

void TWinControl::CreateParams(TCreateParams& Params)
{
    Params.Caption = Text();
    Params.Style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (!Enabled())
        Params.Style |= WS_DISABLED;
    if (tab_stop)
        Params.Style |= WS_TABSTOP;
    Params.X = Left();
    Params.Y = Top();
    Params.Width = Width();
    Params.Height = Height();
    Params.WndParent = parent ? parent->Handle() : parent_window;
    Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    Params.WindowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    Params.WinClassName = ClassName();
}

void TWinControl::CreateWnd()
{
    TCreateParams params;
    CreateParams(params);
    if ((params.Style & WS_CHILD) && !params.WndParent)
        throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    Register_Window_Class(params);
    control_state.Include(csCreating);
    try {
        CreateWindowHandle(params);
    } catch (...) {
        control_state.Exclude(csCreating);
        throw;
    }
    control_state.Exclude(csCreating);
    if (!handle)
        throw EOutOfResources("Error creating window");
    if (parent)
        parent->Restack_Windows();
    Update_Bounds();
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params)
{
    CreateWindowExA(Params.ExStyle, Params.WinClassName.c_str(), Params.Caption.c_str(), Params.Style, Params.X,
                    Params.Y, Params.Width, Params.Height, Params.WndParent, nullptr, nullptr, this);
}

void TWinControl::DestroyWnd()
{
    FreeDeviceContexts();
    DestroyWindow(handle);
}

void TWinControl::DestroyHandle()
{
    if (!handle)
        return;
    control_state.Include(csDestroyingHandle);
    for (TWinControl* child : win_controls)
        child->DestroyHandle();
    DestroyWnd();
    if (handle) { // a window that would not go: forget it all the same
        window_controls.erase(handle);
        handle = nullptr;
    }
    showing = false;
    control_state.Exclude(csDestroyingHandle);
}

void TWinControl::RecreateWnd()
{
    if (!handle)
        return;
    const bool was_focused = Focused();
    DestroyHandle();
    UpdateControlState();
    if (was_focused && handle)
        ::SetFocus(handle);
}

void TWinControl::SetParentWindow(HWND Value)
{
    if (parent || Value == parent_window)
        return;
    if (handle && parent_window && Value) {
        parent_window = Value;
        ::SetParent(handle, Value);
    } else {
        DestroyHandle();
        parent_window = Value;
    }
    UpdateControlState();
}

void TWinControl::Restack_Windows()
{
    // Windows follow the order of win_controls, the last on top.
    for (TWinControl* child : win_controls)
        if (child->handle)
            SetWindowPos(child->handle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::UpdateControlState()
{
    TWinControl* top = this;
    for (TWinControl* up = parent; up; up = up->parent) {
        if (!up->showing)
            return;
        top = up;
    }
    if (dynamic_cast<TCustomForm*>(top) || top->parent_window)
        Update_Showing();
}

bool TWinControl::Wants_Showing() { return Visible(); }

void TWinControl::Update_Showing()
{
    const bool show = Wants_Showing();
    if (show) {
        HandleNeeded();
        for (TWinControl* child : win_controls)
            child->Update_Showing();
    }
    if (handle && showing != show) {
        showing = show;
        Perform(CM_SHOWINGCHANGED, 0, 0);
    }
}

void TWinControl::Update_Bounds()
{
    if (!handle)
        return;
    RECT rect;
    GetWindowRect(handle, &rect);
    if (GetWindowLongA(handle, GWL_STYLE) & static_cast<LONG>(WS_CHILD))
        MapWindowPoints(nullptr, GetParent(handle), reinterpret_cast<POINT*>(&rect), 2);
    const bool resized = rect.right - rect.left != Width() || rect.bottom - rect.top != Height();
    Store_Bounds(rect);
    if (resized) {
        Realign();
        if (!ComponentState().Contains(csLoading))
            Resize();
    }
}

void TWinControl::Store_Bounds(const RECT& rect)
{
    left = rect.left;
    top = rect.top;
    width = rect.right - rect.left;
    height = rect.bottom - rect.top;
}

RECT TWinControl::ClientRect()
{
    if (!handle)
        return TControl::ClientRect();
    RECT rect;
    GetClientRect(handle, &rect);
    return rect;
}

POINT TWinControl::ClientOrigin()
{
    if (!handle && !parent)
        return POINT{Left(), Top()};
    POINT origin{0, 0};
    ::ClientToScreen(Handle(), &origin);
    return origin;
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (!CanResize(AWidth, AHeight))
        return;
    if (ALeft == Left() && ATop == Top() && AWidth == Width() && AHeight == Height())
        return;
    if (handle) {
        FreeDeviceContexts();
        // Already asked: the window's own question is not put again.
        SetWindowPos(handle, nullptr, ALeft, ATop, AWidth, AHeight,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING);
        Update_Bounds();
    } else {
        const bool resized = AWidth != Width() || AHeight != Height();
        Store_Bounds(RECT{ALeft, ATop, ALeft + AWidth, ATop + AHeight});
        if (resized)
            Realign();
    }
    RequestAlign();
}

void TWinControl::Invalidate()
{
    if (handle)
        InvalidateRect(handle, nullptr, ControlStyle().Contains(csOpaque) ? FALSE : TRUE);
}

void TWinControl::Repaint()
{
    Invalidate();
    Update();
}

void TWinControl::Update()
{
    if (handle)
        UpdateWindow(handle);
}

// ---- TWinControl: children -----------------------------------------------------

TControl* TWinControl::Controls(int Index) const
{
    const auto count = static_cast<int>(controls.size());
    if (Index >= 0 && Index < count)
        return controls[static_cast<std::size_t>(Index)];
    if (Index >= count && Index < ControlCount())
        return win_controls[static_cast<std::size_t>(Index - count)];
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

void TWinControl::InsertControl(TControl* AControl)
{
    AControl->parent = this;
    auto* windowed = dynamic_cast<TWinControl*>(AControl);
    if (windowed) {
        win_controls.push_back(windowed);
        tab_list.push_back(windowed);
    } else {
        controls.push_back(AControl);
    }
    if (!AControl->ComponentState().Contains(csReading)) {
        AControl->Perform(CM_PARENTCOLORCHANGED, 0, 0);
        AControl->Perform(CM_PARENTFONTCHANGED, 0, 0);
        AControl->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    }
    if (windowed) {
        // A window made for another place (a form becoming a hosted page)
        // is made again as this control's child.
        windowed->DestroyHandle();
        windowed->Perform(CM_PARENTCTL3DCHANGED, 0, 0);
        windowed->UpdateControlState();
    } else {
        AControl->Invalidate();
    }
    Realign();
}

void TWinControl::RemoveControl(TControl* AControl)
{
    if (capture_control == AControl)
        capture_control = nullptr;
    const auto windowed = std::find_if(win_controls.begin(), win_controls.end(),
                                       [AControl](TWinControl* child) { return child == AControl; });
    if (windowed != win_controls.end()) {
        TWinControl* child = *windowed;
        if (TCustomForm* form = GetParentForm(this))
            form->Remove_Focus(child);
        child->DestroyHandle();
        win_controls.erase(windowed);
        std::erase(tab_list, child);
    } else {
        AControl->InvalidateControl(AControl->Visible(), false);
        std::erase(controls, AControl);
    }
    AControl->parent = nullptr;
    Realign();
}

void TWinControl::Move_Control(TControl* AControl, bool TopMost)
{
    auto move = [TopMost](auto& list, auto* item) {
        std::erase(list, item);
        if (TopMost)
            list.push_back(item);
        else
            list.insert(list.begin(), item);
    };
    if (auto* windowed = dynamic_cast<TWinControl*>(AControl)) {
        move(win_controls, windowed);
        if (windowed->handle)
            SetWindowPos(windowed->handle, TopMost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    } else {
        move(controls, AControl);
        AControl->Invalidate();
    }
}

void TWinControl::SetZOrder(bool TopMost)
{
    if (parent) {
        TControl::SetZOrder(TopMost);
    } else if (handle) {
        SetWindowPos(handle, TopMost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
}

void TWinControl::Broadcast(TMessage& Message)
{
    for (int i = 0; i < ControlCount(); ++i) {
        Controls(i)->WindowProc(Message);
        if (Message.Result != 0)
            return;
    }
}

void TWinControl::Notify_Controls(UINT Msg)
{
    TMessage message{Msg, 0, 0, 0};
    for (int i = 0; i < ControlCount(); ++i)
        Controls(i)->WindowProc(message);
}

TControl* TWinControl::ControlAtPos(POINT Pos, bool AllowDisabled, bool AllowWinControls)
{
    auto hit = [&](TControl* control) {
        if (!control->Visible() || (!control->Enabled() && !AllowDisabled) || !Point_In(control->BoundsRect(), Pos))
            return false;
        const POINT local{Pos.x - control->Left(), Pos.y - control->Top()};
        return control->Perform(CM_HITTEST, 0, Point_LParam(local)) != 0;
    };
    if (AllowWinControls)
        for (auto it = win_controls.rbegin(); it != win_controls.rend(); ++it)
            if (hit(*it))
                return *it;
    for (auto it = controls.rbegin(); it != controls.rend(); ++it)
        if (hit(*it))
            return *it;
    return nullptr;
}

// ---- TWinControl: alignment ------------------------------------------------------

void TWinControl::EnableAlign()
{
    if (align_level > 0 && --align_level == 0 && control_state.Contains(csAlignmentNeeded))
        Realign();
}

void TWinControl::Realign()
{
    if (align_level > 0 || ComponentState().Contains(csLoading)) {
        control_state.Include(csAlignmentNeeded);
        return;
    }
    control_state.Exclude(csAlignmentNeeded);
    RECT rect = ClientRect();
    AdjustClientRect(rect);
    DisableAlign();
    AlignControls(nullptr, rect);
    --align_level; // no second pass for what the children asked meanwhile
    control_state.Exclude(csAlignmentNeeded);
}

void TWinControl::AdjustClientRect(RECT&) {}

void TWinControl::Align_One(TControl* control, RECT& rect)
{
    const int w = control->Width();
    const int h = control->Height();
    switch (control->Align()) {
    case alTop:
        control->SetBounds(rect.left, rect.top, rect.right - rect.left, h);
        rect.top += h;
        break;
    case alBottom:
        control->SetBounds(rect.left, rect.bottom - h, rect.right - rect.left, h);
        rect.bottom -= h;
        break;
    case alLeft:
        control->SetBounds(rect.left, rect.top, w, rect.bottom - rect.top);
        rect.left += w;
        break;
    case alRight:
        control->SetBounds(rect.right - w, rect.top, w, rect.bottom - rect.top);
        rect.right -= w;
        break;
    case alClient:
        control->SetBounds(rect.left, rect.top, std::max<int>(rect.right - rect.left, 0),
                           std::max<int>(rect.bottom - rect.top, 0));
        break;
    case alNone:
        break;
    }
}

void TWinControl::AlignControls(TControl*, RECT& Rect)
{
    // Edges first in the order top, bottom, left, right, then the client;
    // controls of one edge stack from the edge inwards in the order of
    // their positions.
    for (TAlign edge : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> aligned;
        for (int i = 0; i < ControlCount(); ++i)
            if (Controls(i)->Align() == edge && Controls(i)->Visible())
                aligned.push_back(Controls(i));
        auto key = [edge](TControl* c) {
            switch (edge) {
            case alTop: return c->Top();
            case alBottom: return -(c->Top() + c->Height());
            case alLeft: return c->Left();
            case alRight: return -(c->Left() + c->Width());
            default: return 0;
            }
        };
        std::stable_sort(aligned.begin(), aligned.end(), [&](TControl* a, TControl* b) { return key(a) < key(b); });
        for (TControl* control : aligned)
            Align_One(control, Rect);
    }
}

// ---- TWinControl: focus and keys ---------------------------------------------------

bool TWinControl::Focused() { return handle && GetFocus() == handle; }

bool TWinControl::CanFocus()
{
    TCustomForm* form = GetParentForm(this);
    if (!form || !form->Visible() || !form->Enabled())
        return false;
    for (TControl* control = this; control != form; control = control->Parent())
        if (!control->Visible() || !control->Enabled())
            return false;
    return true;
}

void TWinControl::SetFocus()
{
    if (TCustomForm* form = GetParentForm(this)) {
        form->FocusControl(this);
    } else if (parent_window) {
        ::SetFocus(Handle());
    } else {
        ValidParentForm(this);
    }
}

void TWinControl::SetTabStop(bool Value)
{
    if (Value == tab_stop)
        return;
    tab_stop = Value;
    if (handle) {
        const LONG style = GetWindowLongA(handle, GWL_STYLE);
        SetWindowLongA(handle, GWL_STYLE,
                       Value ? (style | static_cast<LONG>(WS_TABSTOP)) : (style & ~static_cast<LONG>(WS_TABSTOP)));
    }
}

int TWinControl::TabOrder() const
{
    if (!parent)
        return -1;
    const auto& list = parent->tab_list;
    const auto found = std::find(list.begin(), list.end(), this);
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

void TWinControl::SetTabOrder(int Value)
{
    if (!parent)
        return;
    auto& list = parent->tab_list;
    std::erase(list, this);
    const auto position = static_cast<std::size_t>(std::clamp(Value, 0, static_cast<int>(list.size())));
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(position), this);
}

void TWinControl::Tab_Order_List(std::vector<TWinControl*>& List)
{
    for (TWinControl* child : tab_list) {
        List.push_back(child);
        child->Tab_Order_List(List);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop)
{
    std::vector<TWinControl*> list;
    Tab_Order_List(list);
    if (list.empty())
        return nullptr;
    const auto count = static_cast<int>(list.size());
    const auto found = std::find(list.begin(), list.end(), CurControl);
    int start = found == list.end() ? (GoForward ? count - 1 : 0) : static_cast<int>(found - list.begin());
    for (int step = 1; step <= count; ++step) {
        const int index = ((start + (GoForward ? step : -step)) % count + count) % count;
        TWinControl* candidate = list[static_cast<std::size_t>(index)];
        if (candidate->CanFocus() && (!CheckTabStop || candidate->TabStop()))
            return candidate;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop)
{
    if (TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop))
        next->SetFocus();
}

void TWinControl::SetCtl3D(bool Value)
{
    parent_ctl3d = false;
    if (Value == ctl3d)
        return;
    ctl3d = Value;
    Perform(CM_CTL3DCHANGED, 0, 0);
}

void TWinControl::SetParentCtl3D(bool Value)
{
    if (Value == parent_ctl3d)
        return;
    parent_ctl3d = Value;
    if (parent && !ComponentState().Contains(csReading))
        Perform(CM_PARENTCTL3DCHANGED, 0, 0);
}

void TWinControl::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit)
        OnExit(this);
}

void TWinControl::KeyDown(WORD& Key, TShiftState Shift)
{
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift)
{
    if (OnKeyUp)
        OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key)
{
    if (OnKeyPress)
        OnKeyPress(this, Key);
}

TWinControl* TWinControl::Key_Preview_Form()
{
    TCustomForm* form = GetParentForm(this);
    if (!form || form == this || !form->KeyPreview())
        return nullptr;
    return form;
}

bool TWinControl::Do_Key_Down(TMessage& Message)
{
    if (TWinControl* form = Key_Preview_Form(); form && form->Do_Key_Down(Message))
        return true;
    auto key = static_cast<WORD>(Message.WParam);
    if (!ControlStyle().Contains(csNoStdEvents))
        KeyDown(key, KeyDataToShiftState(Message.LParam));
    Message.WParam = key;
    return key == 0;
}

bool TWinControl::Do_Key_Up(TMessage& Message)
{
    if (TWinControl* form = Key_Preview_Form(); form && form->Do_Key_Up(Message))
        return true;
    auto key = static_cast<WORD>(Message.WParam);
    if (!ControlStyle().Contains(csNoStdEvents))
        KeyUp(key, KeyDataToShiftState(Message.LParam));
    Message.WParam = key;
    return key == 0;
}

bool TWinControl::Do_Key_Press(TMessage& Message)
{
    if (TWinControl* form = Key_Preview_Form(); form && form->Do_Key_Press(Message))
        return true;
    auto key = static_cast<char>(Message.WParam);
    if (!ControlStyle().Contains(csNoStdEvents))
        KeyPress(key);
    Message.WParam = static_cast<unsigned char>(key);
    return key == 0;
}

bool TWinControl::Dialog_Char(TMessage& Message)
{
    // An accelerator goes to the form's controls first, unless this control
    // takes characters itself.
    if (Message.Msg == WM_CHAR && (Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS))
        return false;
    if (Message.Msg == WM_SYSCHAR && Message.WParam == VK_SPACE)
        return false;
    TCustomForm* form = GetParentForm(this);
    return form && form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0;
}

bool TWinControl::Dialog_Key(TMessage& Message)
{
    // Tab moves the focus unless this control takes tabs itself.
    if (Message.WParam != VK_TAB || (Perform(WM_GETDLGCODE, 0, 0) & (DLGC_WANTTAB | DLGC_WANTALLKEYS)))
        return false;
    TCustomForm* form = GetParentForm(this);
    return form && form->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam) != 0;
}

bool TWinControl::Key_Message(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        return Do_Key_Down(Message) || Dialog_Key(Message);
    case WM_KEYUP:
    case WM_SYSKEYUP:
        return Do_Key_Up(Message);
    case WM_CHAR:
        return Dialog_Char(Message) || Do_Key_Press(Message);
    case WM_SYSCHAR:
        return Dialog_Char(Message);
    default:
        return false;
    }
}

// ---- TWinControl: mouse, painting and messages -------------------------------------------

void TWinControl::Track_Mouse_Control(TMessage& Message)
{
    // The control under the mouse, wherever the message goes under capture.
    POINT screen = Message_Point(Message.LParam);
    ::ClientToScreen(handle, &screen);
    TControl* now = nullptr;
    if (TWinControl* window = FindControl(WindowFromPoint(screen))) {
        POINT local = screen;
        ::ScreenToClient(window->handle, &local);
        now = window->ControlAtPos(local, true);
        if (!now)
            now = window;
    }
    Set_Mouse_Control(now);
    TRACKMOUSEEVENT track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = handle;
    TrackMouseEvent(&track);
}

void TWinControl::Mouse_Left_Window()
{
    if (mouse_control && (mouse_control == this || mouse_control->Parent() == this))
        Set_Mouse_Control(nullptr);
}

bool TWinControl::Route_Mouse_To_Child(TMessage& Message)
{
    TControl* control = nullptr;
    const POINT point = Message_Point(Message.LParam);
    if (GetCapture() == handle) {
        if (capture_control && capture_control->Parent() == this)
            control = capture_control;
    } else {
        control = ControlAtPos(point, false);
    }
    if (!control)
        return false;
    const POINT local{point.x - control->Left(), point.y - control->Top()};
    Message.Result = control->Perform(Message.Msg, Message.WParam, Point_LParam(local));
    return true;
}

void TWinControl::PaintWindow(HDC) {}

void TWinControl::PaintControls(HDC DC, TControl* First)
{
    auto start = controls.begin();
    if (First) {
        start = std::find(controls.begin(), controls.end(), First);
        if (start == controls.end())
            start = controls.begin();
    }
    RECT clip;
    if (GetClipBox(DC, &clip) == 0)
        return; // nothing is drawable
    // A copy: a control may change the list while it paints.
    const std::vector<TControl*> painted(start, controls.end());
    for (TControl* control : painted) {
        if (!control->Visible() || !Rects_Meet(control->BoundsRect(), clip))
            continue;
        const int saved = SaveDC(DC);
        OffsetWindowOrgEx(DC, -control->Left(), -control->Top(), nullptr);
        IntersectClipRect(DC, 0, 0, control->Width(), control->Height());
        control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
        RestoreDC(DC, saved);
    }
}

void TWinControl::PaintHandler(TMessage& Message)
{
    PAINTSTRUCT paint;
    auto dc = reinterpret_cast<HDC>(Message.WParam);
    const bool own = dc == nullptr;
    if (own)
        dc = BeginPaint(handle, &paint);
    if (!dc)
        return;
    const int saved = SaveDC(dc);
    PaintWindow(dc);
    RestoreDC(dc, saved);
    PaintControls(dc, nullptr);
    if (own)
        EndPaint(handle, &paint);
}

void TWinControl::Window_Pos_Changing(TMessage& Message)
{
    // A size the window is given from outside (the window manager) is
    // asked for as SetBounds asks.
    auto* position = reinterpret_cast<WINDOWPOS*>(Message.LParam);
    if (!(position->flags & SWP_NOSIZE) && !ComponentState().Contains(csReading) &&
        !ComponentState().Contains(csDestroying)) {
        int new_width = position->cx;
        int new_height = position->cy;
        if (CanResize(new_width, new_height)) {
            position->cx = new_width;
            position->cy = new_height;
        } else {
            position->flags |= SWP_NOSIZE;
            position->cx = Width();
            position->cy = Height();
        }
    }
    DefaultHandler(Message);
}

void TWinControl::Erase_Background(TMessage& Message)
{
    const RECT client = ClientRect();
    FillRect(reinterpret_cast<HDC>(Message.WParam), &client, brush.Handle());
    Message.Result = 1;
}

void TWinControl::Set_Cursor(TMessage& Message)
{
    if (static_cast<LRESULT>(LOWORD(static_cast<DWORD>(Message.LParam))) == HTCLIENT) {
        TCursor cursor = Screen->Cursor();
        if (cursor == crDefault) {
            POINT point;
            GetCursorPos(&point);
            ::ScreenToClient(handle, &point);
            TControl* control = ControlAtPos(point, false);
            cursor = control && control->Cursor() != crDefault ? control->Cursor() : Cursor();
        }
        if (cursor != crDefault) {
            ::SetCursor(Screen->Cursors(cursor));
            Message.Result = 1;
            return;
        }
    }
    DefaultHandler(Message);
}

void TWinControl::WndProc(TMessage& Message)
{
    if (Is_Mouse_Message(Message.Msg) && handle) {
        if (Message.Msg == WM_MOUSEMOVE)
            Track_Mouse_Control(Message);
        if (Message.Msg != WM_MOUSEWHEEL && Route_Mouse_To_Child(Message))
            return;
    }
    TControl::WndProc(Message);
}

bool TWinControl::Dispatch_Window_Message(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT: PaintHandler(Message); return true;
    case WM_ERASEBKGND: Erase_Background(Message); return true;
    case WM_SETCURSOR: Set_Cursor(Message); return true;
    case WM_WINDOWPOSCHANGING: Window_Pos_Changing(Message); return true;
    case WM_MOUSELEAVE: Mouse_Left_Window(); return true;
    case WM_SIZE:
        FreeDeviceContexts();
        DefaultHandler(Message);
        Update_Bounds();
        return true;
    case WM_MOVE:
        DefaultHandler(Message);
        Update_Bounds();
        return true;
    case WM_SETFOCUS:
        if (TCustomForm* form = GetParentForm(this))
            form->SetFocusedControl(this);
        DefaultHandler(Message);
        return true;
    default:
        if (Message.Msg >= WM_KEYFIRST && Message.Msg <= WM_KEYLAST) {
            if (!Key_Message(Message))
                DefaultHandler(Message);
            return true;
        }
        return false;
    }
}

bool TWinControl::Dispatch_Control_Message(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_DIALOGCHAR: Broadcast(Message); return true;
    case CM_ENTER: DoEnter(); return true;
    case CM_EXIT: DoExit(); return true;
    case CM_SHOWINGCHANGED:
        SetWindowPos(handle, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                         (showing ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        return true;
    case CM_VISIBLECHANGED:
        if (!Visible() && parent)
            if (TCustomForm* form = GetParentForm(this))
                form->Remove_Focus(this);
        UpdateControlState();
        return true;
    case CM_ENABLEDCHANGED:
        if (!Enabled() && parent)
            if (TCustomForm* form = GetParentForm(this))
                form->Remove_Focus(this);
        if (handle)
            EnableWindow(handle, Enabled() ? TRUE : FALSE);
        Invalidate();
        return true;
    case CM_COLORCHANGED:
        brush.SetColor(Color());
        Notify_Controls(CM_PARENTCOLORCHANGED);
        Invalidate();
        return true;
    case CM_FONTCHANGED:
        Notify_Controls(CM_PARENTFONTCHANGED);
        Invalidate();
        return true;
    case CM_SHOWHINTCHANGED: Notify_Controls(CM_PARENTSHOWHINTCHANGED); return true;
    case CM_CTL3DCHANGED: Notify_Controls(CM_PARENTCTL3DCHANGED); return true;
    case CM_PARENTCTL3DCHANGED:
        if (parent_ctl3d && parent) {
            SetCtl3D(parent->Ctl3D());
            parent_ctl3d = true;
        }
        return true;
    case CM_SYSCOLORCHANGE: Notify_Controls(CM_SYSCOLORCHANGE); return true;
    case CM_TEXTCHANGED:
        if (handle)
            SetWindowTextA(handle, Text().c_str());
        return true;
    case CM_RECREATEWND: RecreateWnd(); return true;
    default: return false;
    }
}

void TWinControl::Dispatch(TMessage& Message)
{
    if (!Dispatch_Window_Message(Message) && !Dispatch_Control_Message(Message))
        TControl::Dispatch(Message);
}

void TWinControl::DefaultHandler(TMessage& Message)
{
    if (handle)
        Message.Result = CallWindowProcA(DefWindowProcA, handle, Message.Msg, Message.WParam, Message.LParam);
}

// ---- TGraphicControl and TCustomControl ------------------------------------------------

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), canvas(this) {}

TGraphicControl::~TGraphicControl() { canvas.FreeHandle(); }

void TGraphicControl::Dispatch(TMessage& Message)
{
    if (Message.Msg != WM_PAINT) {
        TControl::Dispatch(Message);
        return;
    }
    if (Message.WParam)
        canvas.Paint_Through(reinterpret_cast<HDC>(Message.WParam), [this] { Paint(); });
}

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), canvas(this) {}

TCustomControl::~TCustomControl() { canvas.FreeHandle(); }

void TCustomControl::PaintWindow(HDC DC)
{
    canvas.Paint_Through(DC, [this] { Paint(); });
}
