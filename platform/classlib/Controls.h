#pragma once
// The class library's controls: TControl (bounds, alignment, colours, font,
// text, mouse and click events, messages), TWinControl (a control with a
// window: children, focus, keys, accelerators), TGraphicControl (a
// windowless control its windowed parent paints and hit-tests) and
// TCustomControl (a windowed control with its own canvas).
//
// Every control has its WindowProc chain: Perform and the window procedure
// call WindowProc, which is WndProc unless replaced; WndProc hands the
// message to Dispatch, which picks the handler by message number and sends
// the rest to DefaultHandler (for a windowed control, the window's default
// procedure).

#include <functional>
#include <string>
#include <vector>

#include "platform/classlib/Classes.h"
#include "platform/classlib/Controls_Messages.h"
#include "platform/classlib/Graphics.h"
#include "platform/winapi/Window.h"

class TWinControl;
class TCustomForm;
class TBasicAction;
class TBasicActionLink;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

enum TControlStyleItem {
    csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed, csSetCaption, csOpaque,
    csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible, csReplicatable, csNoStdEvents
};
using TControlStyle = TSet<TControlStyleItem>;

enum TControlStateItem {
    csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing, csCreating, csPaintCopy,
    csCustomPaint, csDestroyingHandle
};
using TControlState = TSet<TControlStateItem>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum THelpType { htKeyword, htContext };
enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

// Cursors: the standard ones are negative, the program's own positive.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
using TWndMethod = std::function<void(TMessage& Message)>;
using TCanResizeEvent = std::function<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;

class EInvalidOperation : public Exception {
    using Exception::Exception;
};
class EOutOfResources : public Exception {
    using Exception::Exception;
};

// The shift state of a mouse message's key flags (MK_*) or of the keyboard now.
TShiftState KeysToShiftState(WORD Keys);
TShiftState KeyDataToShiftState(LPARAM KeyData);
// True when Str has an accelerator ("&P") for the character VK, either case.
bool IsAccel(WORD VK, const std::string& Str);

// A canvas on a control: while painting it draws into the paint DC; used
// outside painting it takes a DC of its own (a windowless control's is its
// parent's window DC, moved to the control and clipped to it), kept until
// FreeDeviceContexts runs.
class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(class TControl* AControl) : control(AControl) {}
    ~TControlCanvas() override;

    TControl* Control() const { return control; }
    // Gives back the DC this canvas took for itself, if any.
    void FreeHandle();
    // Runs Paint with the canvas drawing into DC (a paint DC), locked.
    void PaintThrough(HDC DC, const std::function<void()>& Paint);

protected:
    void CreateHandle() override;

private:
    TControl* control;
    HDC own_dc = nullptr;
    HWND own_dc_window = nullptr;
};

// Releases every DC that control canvases hold outside painting: before a
// window changes size or goes away, and when the application goes idle.
void FreeDeviceContexts();

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    TWinControl* Parent() const { return parent; }
    virtual void SetParent(TWinControl* AParent);

    int Left() const { return left; }
    int Top() const { return top; }
    int Width() const { return width; }
    int Height() const { return height; }
    void SetLeft(int Value) { SetBounds(Value, top, width, height); }
    void SetTop(int Value) { SetBounds(left, Value, width, height); }
    void SetWidth(int Value) { SetBounds(left, top, Value, height); }
    void SetHeight(int Value) { SetBounds(left, top, width, Value); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    RECT BoundsRect() const { return RECT{left, top, left + width, top + height}; }
    void SetBoundsRect(const RECT& Rect);
    // (0, 0, client width, client height).
    virtual RECT ClientRect();
    int ClientWidth() { return ClientRect().right; }
    int ClientHeight() { return ClientRect().bottom; }
    void SetClientWidth(int Value);
    void SetClientHeight(int Value);
    // The screen position of the client area's top-left corner.
    virtual POINT ClientOrigin();
    POINT ClientToScreen(POINT Point);
    POINT ScreenToClient(POINT Point);

    TAlign Align() const { return align; }
    void SetAlign(TAlign Value);
    bool Visible() const { return visible; }
    void SetVisible(bool Value);
    void Show();
    void Hide();
    bool Enabled() const { return enabled; }
    virtual void SetEnabled(bool Value);
    TColor Color() const { return color; }
    void SetColor(TColor Value);
    bool ParentColor() const { return parent_color; }
    void SetParentColor(bool Value);
    TFont* Font() { return &font; }
    void SetFont(TFont* Value) { font.Assign(Value); }
    bool ParentFont() const { return parent_font; }
    void SetParentFont(bool Value);
    const std::string& Caption() const { return text; }
    void SetCaption(const std::string& Value) { SetText(Value); }
    const std::string& Text() const { return text; }
    void SetText(const std::string& Value);
    const std::string& Hint() const { return hint; }
    void SetHint(const std::string& Value) { hint = Value; }
    bool ShowHint() const { return show_hint; }
    void SetShowHint(bool Value);
    bool ParentShowHint() const { return parent_show_hint; }
    void SetParentShowHint(bool Value);
    // The control's popup menu (a TPopupMenu), told of its free.
    TComponent* PopupMenu() const { return popup_menu; }
    void SetPopupMenu(TComponent* Value);
    TCursor Cursor() const { return cursor; }
    void SetCursor(TCursor Value);
    // The action the control follows (told of its free), or nullptr.
    TBasicAction* Action() const;
    void SetAction(TBasicAction* Value);
    // Help is found by context or by keyword. Setting either one at run time
    // also switches the type to it; while a form is read the type is taken
    // as the form states it.
    THelpType HelpType() const { return help_type; }
    void SetHelpType(THelpType Value) { help_type = Value; }
    int HelpContext() const { return help_context; }
    void SetHelpContext(int Value);
    const std::string& HelpKeyword() const { return help_keyword; }
    void SetHelpKeyword(const std::string& Value);
    // True when the control carries help of its type (a non-zero context
    // or a non-empty keyword).
    bool HasHelp() const;
    TControlStyle ControlStyle() const { return control_style; }
    void SetControlStyle(TControlStyle Value) { control_style = Value; }
    TControlState ControlState() const { return control_state; }
    void SetControlState(TControlState Value) { control_state = Value; }
    // A form hosted inside another control behaves as a child control.
    bool IsControl() const { return is_control; }
    void SetIsControl(bool Value) { is_control = Value; }
    // Mouse messages go to this control wherever the mouse is.
    bool MouseCapture();
    void SetMouseCapture(bool Value);

    // Asks for a repaint: a windowless control invalidates its rectangle in
    // its parent's window (erased unless it is opaque).
    virtual void Invalidate();
    // Invalidate, then Update.
    virtual void Repaint();
    void Refresh() { Repaint(); }
    // Paints what is invalid now.
    virtual void Update();
    void BringToFront() { SetZOrder(true); }
    void SendToBack() { SetZOrder(false); }

    LRESULT Perform(UINT Msg, WPARAM WParam, LPARAM LParam);
    TWndMethod WindowProc;
    virtual void WndProc(TMessage& Message);
    virtual void Dispatch(TMessage& Message);
    virtual void DefaultHandler(TMessage& Message);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnResize;
    // Asked before every change of bounds; may adjust the size or refuse it.
    TCanResizeEvent OnCanResize;

    void Loaded() override;

protected:
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void Resize();
    // OnCanResize's answer; false keeps the bounds as they are.
    virtual bool CanResize(int& NewWidth, int& NewHeight);
    virtual void SetZOrder(bool TopMost);
    virtual void ChangedText() {}
    // Sender changed (or was just assigned): a TCustomAction's caption,
    // enabled, hint, visible and help context are copied, and OnClick runs
    // the action; with CheckDefaults, only what still has its default.
    virtual void ActionChange(TObject* Sender, bool CheckDefaults);
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Invalidates the control's rectangle in its parent, erased unless opaque.
    void InvalidateControl(bool IsVisible, bool IsOpaque);
    void RequestAlign();
    // Sets the flag alone, for controls that start hidden (forms).
    void SetVisibleField(bool Value) { visible = Value; }

private:
    friend class TWinControl;

    void MouseButtonDown(TMessage& Message, TMouseButton Button, bool Double);
    void MouseButtonUp(TMessage& Message, TMouseButton Button);
    // Right button released: the control's popup menu (or its parent's) at the point.
    void ContextPopup(POINT Point);
    void FontChanged();
    bool DispatchChangeMessage(TMessage& Message);
    void Action_Freed(TBasicAction* Freed);
    void Drop_Action_Link();
    // Once read, the control takes what it left at its defaults from its action.
    void Follow_Loaded_Action();

    TWinControl* parent = nullptr;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    TAlign align = alNone;
    bool visible = true;
    bool enabled = true;
    TColor color = clWindow;
    bool parent_color = true;
    TFont font;
    bool parent_font = true;
    std::string text;
    std::string hint;
    bool show_hint = false;
    bool parent_show_hint = true;
    TComponent* popup_menu = nullptr;
    TCursor cursor = crDefault;
    THelpType help_type = htContext;
    int help_context = 0;
    std::string help_keyword;
    TControlStyle control_style{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    TControlState control_state;
    bool is_control = false;
    TBasicActionLink* action_link = nullptr;
};

// The form the control sits on (through its parents), or nullptr.
TCustomForm* GetParentForm(TControl* Control);
// The same, raising EInvalidOperation when there is none.
TCustomForm* ValidParentForm(TControl* Control);

// What CreateParams fills in before the window is made.
struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
    // The class the window is registered under: its style (CS_*) and cursor;
    // the procedure is always the library's.
    WNDCLASSA WindowClass;
    std::string WinClassName;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    // The window, made on first use.
    HWND Handle();
    bool HandleAllocated() const { return handle != nullptr; }
    void HandleNeeded() { Handle(); }
    // Destroys the window and makes it again (at once while it shows, else
    // when next needed), so that new creation parameters take effect.
    void RecreateWnd();
    void DestroyHandle();
    // A window that is not a control's, for a control without a parent to sit in.
    HWND ParentWindow() const { return parent_window; }
    void SetParentWindow(HWND Value);

    // Windowless controls first, then windowed ones: every windowed child
    // stacks above every windowless one.
    int ControlCount() const { return static_cast<int>(controls.size() + win_controls.size()); }
    TControl* Controls(int Index) const;
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    // Sends the message to each child until one answers non-zero.
    void Broadcast(TMessage& Message);
    // The topmost visible child (enabled unless AllowDisabled) under Pos,
    // a point of this control's client area; windowless only unless
    // AllowWinControls.
    TControl* ControlAtPos(POINT Pos, bool AllowDisabled, bool AllowWinControls = false);

    // Carries out the alignment its children asked for while it was loading.
    void Loaded() override;
    RECT ClientRect() override;
    POINT ClientOrigin() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Invalidate() override;
    void Repaint() override;
    void Update() override;
    // The window exists and is shown.
    bool Showing() const { return showing; }

    bool Focused();
    virtual bool CanFocus();
    virtual void SetFocus();
    bool TabStop() const { return tab_stop; }
    void SetTabStop(bool Value);
    // Position among the parent's windowed children in tab order; -1 for none.
    int TabOrder() const;
    void SetTabOrder(int Value);
    bool Ctl3D() const { return ctl3d; }
    void SetCtl3D(bool Value);
    bool ParentCtl3D() const { return parent_ctl3d; }
    void SetParentCtl3D(bool Value);
    TBrush* Brush() { return &brush; }

    // The next control in tab order after CurControl (among all windowed
    // descendants) that can take the focus, wrapping round; nullptr if none.
    TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
    // Makes the window exist and show when the control and its parents
    // up to a form (or a foreign parent window) are visible.
    void UpdateControlState();

    void DisableAlign() { ++align_level; }
    void EnableAlign();
    void Realign();

    // Paints the windowless children intersecting the DC's clip box, from
    // First (all when nullptr), each with the origin moved to it and
    // clipped to its bounds.
    void PaintControls(HDC DC, TControl* First);

    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    void WndProc(TMessage& Message) override;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;

protected:
    virtual void CreateParams(TCreateParams& Params);
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& Params);
    virtual void DestroyWnd();
    virtual void PaintWindow(HDC DC);
    virtual void AlignControls(TControl* AControl, RECT& Rect);
    virtual void AdjustClientRect(RECT& Rect);
    virtual void DoEnter();
    virtual void DoExit();
    virtual void KeyDown(WORD& Key, TShiftState Shift);
    virtual void KeyPress(char& Key);
    virtual void KeyUp(WORD& Key, TShiftState Shift);
    void SetZOrder(bool TopMost) override;
    // Whether the window should show: the control is visible.
    virtual bool WantsShowing();
    virtual void UpdateShowing();
    void PaintHandler(TMessage& Message);
    void Notify_Controls(UINT Msg);
    // Reads the window's rectangle back into the bounds; realigns and
    // fires OnResize when the size changed.
    void UpdateBounds();

private:
    friend class TControl;
    friend class TCustomForm;
    friend LRESULT ControlWindowProc(HWND window, UINT message, WPARAM w_param, LPARAM l_param);

    void StoreBounds(const RECT& rect);
    void RestackWindows();
    void MoveControl(TControl* AControl, bool TopMost);
    bool RouteMouseToChild(TMessage& Message);
    void TrackMouseControl(TMessage& Message);
    void MouseLeftWindow();
    void WMSetCursor(TMessage& Message);
    bool KeyMessage(TMessage& Message);
    TWinControl* KeyPreviewForm();
    bool DoKeyDown(TMessage& Message);
    bool DoKeyUp(TMessage& Message);
    bool DoKeyPress(TMessage& Message);
    bool DialogChar(TMessage& Message);
    bool DialogKey(TMessage& Message);
    void EraseBackground(TMessage& Message);
    void WindowPosChanging(TMessage& Message);
    bool DispatchWindowMessage(TMessage& Message);
    bool DispatchControlMessage(TMessage& Message);
    void AlignOne(TControl* control, RECT& rect);
    void TabOrderList(std::vector<TWinControl*>& List);

    HWND handle = nullptr;
    HWND parent_window = nullptr;
    std::vector<TControl*> controls;
    std::vector<TWinControl*> win_controls;
    std::vector<TWinControl*> tab_list;
    TBrush brush;
    bool showing = false;
    bool tab_stop = false;
    bool ctl3d = true;
    bool parent_ctl3d = true;
    int align_level = 0;
};

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;

    TCanvas* Canvas() { return &canvas; }
    void Dispatch(TMessage& Message) override;

protected:
    virtual void Paint() {}

private:
    TControlCanvas canvas;
};

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;

    TCanvas* Canvas() { return &canvas; }

protected:
    virtual void Paint() {}
    void PaintWindow(HDC DC) override;

private:
    TControlCanvas canvas;
};

// The control whose window or windowless area has the mouse capture.
TControl* GetCaptureControl();
// The control that owns a window made by the class library, or nullptr.
TWinControl* FindControl(HWND Handle);
// The window procedure of every window the class library makes.
LRESULT ControlWindowProc(HWND window, UINT message, WPARAM w_param, LPARAM l_param);
