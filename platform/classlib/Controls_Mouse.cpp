// Mouse input of the controls: capture (also for windowless controls, held
// through their parent's window), routing to the windowless child under the
// point, enter and leave, clicks and the context menu, and the cursor.

#include "platform/classlib/Controls.h"

#include <algorithm>

#include "platform/classlib/Controls_Internal.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Menus.h"

namespace {

// The windowless control that has the mouse captured through its parent's window.
TControl* capture_control = nullptr;

// The control under the mouse, for CM_MOUSEENTER and CM_MOUSELEAVE.
TControl* mouse_control = nullptr;

bool Point_In(const RECT& rect, POINT point)
{
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
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

} // namespace

void controls_internal::Forget_Mouse_Control(TControl* control)
{
    Forget_Capture_Control(control);
    if (mouse_control == control)
        mouse_control = nullptr;
}

void controls_internal::Forget_Capture_Control(TControl* control)
{
    if (capture_control == control)
        capture_control = nullptr;
}

// ---- Helpers -----------------------------------------------------------------

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

// ---- TControl --------------------------------------------------------------------

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

void TControl::MouseButtonDown(TMessage& Message, TMouseButton Button, bool Double)
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

void TControl::MouseButtonUp(TMessage& Message, TMouseButton Button)
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
        ContextPopup(point);
}

void TControl::ContextPopup(POINT Point)
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

// ---- TWinControl: children -----------------------------------------------------

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

// ---- TWinControl: mouse, painting and messages -------------------------------------------

void TWinControl::TrackMouseControl(TMessage& Message)
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

void TWinControl::MouseLeftWindow()
{
    if (mouse_control && (mouse_control == this || mouse_control->Parent() == this))
        Set_Mouse_Control(nullptr);
}

bool TWinControl::RouteMouseToChild(TMessage& Message)
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

void TWinControl::WMSetCursor(TMessage& Message)
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
            TrackMouseControl(Message);
        if (Message.Msg != WM_MOUSEWHEEL && RouteMouseToChild(Message))
            return;
    }
    TControl::WndProc(Message);
}
