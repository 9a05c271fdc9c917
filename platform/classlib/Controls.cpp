// The control classes' core: the control and its properties, windowed
// controls' windows and children, and message dispatch. Mouse, focus,
// alignment and painting have units of their own (Controls_*.cpp).

#include "platform/classlib/Controls.h"

#include <algorithm>
#include <unordered_map>

#include "platform/classlib/Controls_Internal.h"
#include "platform/classlib/Forms.h"

namespace {

// Windows made by the library, to their controls. Never freed: windows may
// go after static destruction has begun.
std::unordered_map<HWND, TWinControl*>& window_controls = *new std::unordered_map<HWND, TWinControl*>;

// The library's window class for a control class, registered on first use.
void Register_Window_Class(const TCreateParams& params)
{
    WNDCLASSA existing;
    if (GetClassInfoA(nullptr, params.WinClassName.c_str(), &existing))
        return;
    WNDCLASSA window_class = params.WindowClass;
    window_class.lpfnWndProc = ControlWindowProc;
    window_class.lpszClassName = params.WinClassName.c_str();
    if (!RegisterClassA(&window_class))
        throw EOutOfResources("Error creating window class " + params.WinClassName);
}

} // namespace

// ---- Helpers -----------------------------------------------------------------

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

// ---- TControl --------------------------------------------------------------------

TControl::TControl(TComponent* AOwner) : TComponent(AOwner)
{
    WindowProc = [this](TMessage& Message) { WndProc(Message); };
    font.OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl()
{
    Destroying();
    Drop_Action_Link();
    controls_internal::Forget_Mouse_Control(this);
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

void TControl::FontChanged()
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
    ChangedText();
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetHelpContext(int Value)
{
    help_context = Value;
    if (!ComponentState().Contains(csLoading))
        help_type = htContext;
}

void TControl::SetHelpKeyword(const std::string& Value)
{
    help_keyword = Value;
    if (!ComponentState().Contains(csLoading))
        help_type = htKeyword;
}

bool TControl::HasHelp() const
{
    return help_type == htContext ? help_context != 0 : !help_keyword.empty();
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

void TControl::SetZOrder(bool TopMost)
{
    if (parent)
        parent->MoveControl(this, TopMost);
}

void TControl::Resize()
{
    if (OnResize)
        OnResize(this);
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
    Follow_Loaded_Action();
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

bool TControl::DispatchChangeMessage(TMessage& Message)
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
    case WM_LBUTTONDOWN: MouseButtonDown(Message, mbLeft, false); break;
    case WM_RBUTTONDOWN: MouseButtonDown(Message, mbRight, false); break;
    case WM_MBUTTONDOWN: MouseButtonDown(Message, mbMiddle, false); break;
    case WM_LBUTTONDBLCLK: MouseButtonDown(Message, mbLeft, true); break;
    case WM_RBUTTONDBLCLK: MouseButtonDown(Message, mbRight, true); break;
    case WM_MBUTTONDBLCLK: MouseButtonDown(Message, mbMiddle, true); break;
    case WM_LBUTTONUP: MouseButtonUp(Message, mbLeft); break;
    case WM_RBUTTONUP: MouseButtonUp(Message, mbRight); break;
    case WM_MBUTTONUP: MouseButtonUp(Message, mbMiddle); break;
    case WM_MOUSEMOVE: {
        const POINT point = Message_Point(Message.LParam);
        if (!control_style.Contains(csNoStdEvents))
            MouseMove(KeysToShiftState(static_cast<WORD>(Message.WParam)), point.x, point.y);
        break;
    }
    default:
        if (!DispatchChangeMessage(Message))
            DefaultHandler(Message);
    }
}

void TControl::DefaultHandler(TMessage&) {}

// ---- TWinControl: windows ------------------------------------------------------

LRESULT ControlWindowProc(HWND window, UINT message, WPARAM w_param, LPARAM l_param)
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
        parent->RestackWindows();
    UpdateBounds();
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

void TWinControl::RestackWindows()
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
        UpdateShowing();
}

bool TWinControl::WantsShowing() { return Visible(); }

void TWinControl::UpdateShowing()
{
    const bool show = WantsShowing();
    if (show) {
        HandleNeeded();
        for (TWinControl* child : win_controls)
            child->UpdateShowing();
    }
    if (handle && showing != show) {
        showing = show;
        Perform(CM_SHOWINGCHANGED, 0, 0);
    }
}

void TWinControl::UpdateBounds()
{
    if (!handle)
        return;
    RECT rect;
    GetWindowRect(handle, &rect);
    if (GetWindowLongA(handle, GWL_STYLE) & static_cast<LONG>(WS_CHILD))
        MapWindowPoints(nullptr, GetParent(handle), reinterpret_cast<POINT*>(&rect), 2);
    const bool resized = rect.right - rect.left != Width() || rect.bottom - rect.top != Height();
    StoreBounds(rect);
    if (resized) {
        Realign();
        if (!ComponentState().Contains(csLoading))
            Resize();
    }
}

void TWinControl::StoreBounds(const RECT& rect)
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
        UpdateBounds();
    } else {
        const bool resized = AWidth != Width() || AHeight != Height();
        StoreBounds(RECT{ALeft, ATop, ALeft + AWidth, ATop + AHeight});
        if (resized)
            Realign();
    }
    RequestAlign();
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
    controls_internal::Forget_Capture_Control(AControl);
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

void TWinControl::MoveControl(TControl* AControl, bool TopMost)
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

// ---- TWinControl: focus and keys ---------------------------------------------------

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

// ---- TWinControl: mouse, painting and messages -------------------------------------------

void TWinControl::WindowPosChanging(TMessage& Message)
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

bool TWinControl::DispatchWindowMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_PAINT: PaintHandler(Message); return true;
    case WM_ERASEBKGND: EraseBackground(Message); return true;
    case WM_SETCURSOR: WMSetCursor(Message); return true;
    case WM_WINDOWPOSCHANGING: WindowPosChanging(Message); return true;
    case WM_MOUSELEAVE: MouseLeftWindow(); return true;
    case WM_SIZE:
        FreeDeviceContexts();
        DefaultHandler(Message);
        UpdateBounds();
        return true;
    case WM_MOVE:
        DefaultHandler(Message);
        UpdateBounds();
        return true;
    case WM_SETFOCUS:
        if (TCustomForm* form = GetParentForm(this))
            form->SetFocusedControl(this);
        DefaultHandler(Message);
        return true;
    default:
        if (Message.Msg >= WM_KEYFIRST && Message.Msg <= WM_KEYLAST) {
            if (!KeyMessage(Message))
                DefaultHandler(Message);
            return true;
        }
        return false;
    }
}

bool TWinControl::DispatchControlMessage(TMessage& Message)
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
    if (!DispatchWindowMessage(Message) && !DispatchControlMessage(Message))
        TControl::Dispatch(Message);
}

void TWinControl::DefaultHandler(TMessage& Message)
{
    if (handle)
        Message.Result = CallWindowProcA(DefWindowProcA, handle, Message.Msg, Message.WParam, Message.LParam);
}
