#include "components/controls/Sclbasegraphicbutton.h"

#include "components/controls/SCLCustomControl.h"
#include "components/foundations/Sclclass.h"
#include "components/foundations/Sclutils.h"
#include "platform/classlib/ActnList.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Forms.h"
#include "platform/winapi/Cursor.h"

namespace {

constexpr int Hover_Slot = 0;
constexpr int Repeat_Slot = 1;
constexpr WORD Hover_Poll_Interval = 100;

bool Is_Disabled_State(TSCLButtonState State) { return State == bsDisabledUp || State == bsDisabledDown; }

const bool Base_Graphic_Button_Registered = [] {
    RegisterClass<TSCLBaseGraphicButton, TSCLBaseControl>("TSCLBaseGraphicButton")
        .Property("AllowAllUp", Boolean_Type(), &TSCLBaseGraphicButton::AllowAllUp,
                  &TSCLBaseGraphicButton::SetAllowAllUp, false)
        .Property("AllowMouseOver", Boolean_Type(), &TSCLBaseGraphicButton::AllowMouseOver,
                  &TSCLBaseGraphicButton::SetAllowMouseOver, false)
        .Property("AllowTransparency", Boolean_Type(), &TSCLBaseGraphicButton::AllowTransparency,
                  &TSCLBaseGraphicButton::SetAllowTransparency, true)
        .Object("ButtonLayout", &TSCLBaseGraphicButton::ButtonLayout)
        .Property("DropDownIndent", Integer_Type(), &TSCLBaseGraphicButton::DropDownIndent,
                  &TSCLBaseGraphicButton::SetDropDownIndent, 0)
        .Component<TPopupMenu>("DropDownMenu", &TSCLBaseGraphicButton::DropDownMenu,
                               &TSCLBaseGraphicButton::SetDropDown)
        .Property("DropDownRight", Boolean_Type(), &TSCLBaseGraphicButton::DropDownRight,
                  &TSCLBaseGraphicButton::SetDropDownRight, false)
        .Property("EnterColor", Color_Type(), &TSCLBaseGraphicButton::EnterColor,
                  &TSCLBaseGraphicButton::SetEnterColor, clCaptionText)
        .Property("EnterColorChange", Boolean_Type(), &TSCLBaseGraphicButton::EnterColorChange,
                  &TSCLBaseGraphicButton::SetEnterColorChange, false)
        .Object("FontFX", &TSCLBaseGraphicButton::FontFX)
        .Object("Glyph", &TSCLBaseGraphicButton::Glyph)
        .Stored_If(&TSCLBaseGraphicButton::StoresGlyph)
        .Property("GroupIndex", Integer_Type(), &TSCLBaseGraphicButton::GroupIndex,
                  &TSCLBaseGraphicButton::SetGroupIndex, 0)
        .Property("HideHint", Boolean_Type(), &TSCLBaseGraphicButton::HideHint, &TSCLBaseGraphicButton::SetHideHint,
                  true)
        .Property("MouseOver", Boolean_Type(), &TSCLBaseGraphicButton::MouseOver,
                  &TSCLBaseGraphicButton::SetMouseOver, false)
        .Property("MultiLine", Boolean_Type(), &TSCLBaseGraphicButton::MultiLine,
                  &TSCLBaseGraphicButton::SetMultiLine, false)
        .Property("NumGlyphs", Integer_Type(1, 255), [](TSCLBaseGraphicButton& b) { return int{b.NumGlyphs()}; },
                  [](TSCLBaseGraphicButton& b, int v) { b.SetNumGlyphs(static_cast<TSCLNumGlyphs>(v)); }, 1)
        .Property("Pressed", Boolean_Type(), &TSCLBaseGraphicButton::Pressed, &TSCLBaseGraphicButton::SetPressed,
                  false)
        .Property("RepeatedClick", Boolean_Type(), &TSCLBaseGraphicButton::RepeatedClick,
                  &TSCLBaseGraphicButton::SetRepeatedClick, false)
        .Property("RepeatingDelay", Integer_Type(0, 65535),
                  [](TSCLBaseGraphicButton& b) { return int{b.RepeatingDelay()}; },
                  [](TSCLBaseGraphicButton& b, int v) { b.SetRepeatingDelay(static_cast<WORD>(v)); }, 500)
        .Property("RepeatingInterval", Integer_Type(0, 65535),
                  [](TSCLBaseGraphicButton& b) { return int{b.RepeatingInterval()}; },
                  [](TSCLBaseGraphicButton& b, int v) { b.SetRepeatingInterval(static_cast<WORD>(v)); }, 100)
        .Property("Transparent", Boolean_Type(), &TSCLBaseGraphicButton::Transparent,
                  &TSCLBaseGraphicButton::SetTransparent, false)
        .Property("UseCaption", Boolean_Type(), &TSCLBaseGraphicButton::UseCaption,
                  &TSCLBaseGraphicButton::SetUseCaption, true)
        .Event("OnDropDown", &TSCLBaseGraphicButton::OnDropDown);
    return true;
}();

} // namespace

TSCLBaseGraphicButton::TSCLBaseGraphicButton(TComponent* AOwner)
    : TSCLBaseControl(AOwner), button_layout(std::make_unique<TSCLButtonLayout>()),
      font_fx(std::make_unique<TSCLFxCaption>()), glyph(std::make_unique<TSCLGlyph>())
{
    TControlStyle style = ControlStyle();
    style.Include(csCaptureMouse);
    style.Include(csOpaque);
    style.Include(csDoubleClicks);
    style.Exclude(csSetCaption);
    style.Exclude(csClickEvents); // the engine clicks itself: never twice
    SetControlStyle(style);
    const TNotifyEvent changed = [this](TObject* Sender) { GetChange(Sender); };
    button_layout->OnChange = changed;
    glyph->OnChange = changed;
    font_fx->OnChange = [this](TObject* Sender) { FontChange(Sender); };
    SetBounds(Left(), Top(), 25, 25);
}

TSCLBaseGraphicButton::~TSCLBaseGraphicButton()
{
    DeActivateTimer(Hover_Slot);
    DeActivateTimer(Repeat_Slot);
    button_layout->OnChange = nullptr;
    glyph->OnChange = nullptr;
    font_fx->OnChange = nullptr;
    if (drop_down_menu)
        drop_down_menu->RemoveFreeNotification(this);
}

// ---- Settings ------------------------------------------------------------------

void TSCLBaseGraphicButton::SetGlyph(TBitmap* Value)
{
    if (!Loading() && ImageList())
        SetImageList(nullptr);
    glyph->SetGlyph(Value);
    glyph_from_action = false;
    Invalidate();
}

void TSCLBaseGraphicButton::SetNumGlyphs(TSCLNumGlyphs Value)
{
    if (Value == glyph->NumGlyphs())
        return;
    glyph->SetNumGlyphs(Value);
    if (Parent() && Visible() && !Loading())
        Repaint();
}

namespace {
template <typename T> bool Store(T& field, T value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}
} // namespace

void TSCLBaseGraphicButton::SetUseCaption(bool Value)
{
    if (Store(use_caption, Value))
        GetChange(nullptr);
}

void TSCLBaseGraphicButton::SetMultiLine(bool Value)
{
    if (Store(multi_line, Value))
        GetChange(nullptr);
}

void TSCLBaseGraphicButton::SetEnterColor(TColor Value)
{
    if (Store(enter_color, Value))
        GetChange(nullptr);
}

void TSCLBaseGraphicButton::SetEnterColorChange(bool Value)
{
    if (Store(enter_color_change, Value))
        GetChange(nullptr);
}

void TSCLBaseGraphicButton::SetDropDownIndent(std::int32_t Value)
{
    if (Store(drop_down_indent, Value))
        GetChange(nullptr);
}

void TSCLBaseGraphicButton::SetDropDownRight(bool Value)
{
    if (Store(drop_down_right, Value))
        GetChange(nullptr);
}

void TSCLBaseGraphicButton::SetTransparent(bool Value)
{
    transparent = Value;
    TControlStyle style = ControlStyle();
    if (Value)
        style.Exclude(csOpaque);
    else
        style.Include(csOpaque);
    SetControlStyle(style);
    Invalidate();
}

void TSCLBaseGraphicButton::SetDropDown(TPopupMenu* Menu)
{
    if (drop_down_menu)
        drop_down_menu->RemoveFreeNotification(this);
    drop_down_menu = Menu;
    if (Menu)
        Menu->FreeNotification(this);
    Update_Combo_Arrow();
    if (drop_down_combo)
        GetChange(nullptr);
}

void TSCLBaseGraphicButton::SetDropDownCombo(bool Value)
{
    if (!Store(drop_down_combo, Value))
        return;
    if (!Loading())
        SetWidth(Width() + (Value ? drop_down_combo_width : -drop_down_combo_width));
    Update_Combo_Arrow();
    GetChange(nullptr);
}

void TSCLBaseGraphicButton::SetDropDownComboWidth(int Value)
{
    if (Value == drop_down_combo_width)
        return;
    if (drop_down_combo && !Loading())
        SetWidth(Width() - drop_down_combo_width + Value);
    drop_down_combo_width = Value;
    Update_Combo_Arrow();
    GetChange(nullptr);
}

void TSCLBaseGraphicButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TSCLBaseControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == drop_down_menu) {
        drop_down_menu = nullptr;
        Update_Combo_Arrow();
    }
}

// ---- Groups --------------------------------------------------------------------

void TSCLBaseGraphicButton::SetGroupIndex(std::int32_t Value)
{
    if (Store(group_index, Value))
        Broadcast_Option_Set();
}

void TSCLBaseGraphicButton::SetAllowAllUp(bool Value)
{
    if (Store(allow_all_up, Value))
        Broadcast_Option_Set();
}

void TSCLBaseGraphicButton::SetPressed(bool Value)
{
    if (group_index == 0)
        Value = false;
    if (Value == pressed)
        return;
    if (pressed && !allow_all_up)
        return;
    pressed = Value;
    if (Value) {
        state = Enabled() ? bsOptionSet : bsDisabledDown;
        Invalidate();
        Broadcast_Option_Set();
    } else {
        state = Enabled() ? bsUp : bsDisabledUp;
        Invalidate();
    }
}

void TSCLBaseGraphicButton::Broadcast_Option_Set()
{
    if (group_index == 0 || !Parent())
        return;
    TMessage message;
    message.Msg = CM_SCLBUTTONPRESSED;
    message.WParam = static_cast<WPARAM>(group_index);
    message.LParam = reinterpret_cast<LPARAM>(this);
    Parent()->Broadcast(message);
}

void TSCLBaseGraphicButton::Button_Pressed(TMessage& Message)
{
    auto* sender = reinterpret_cast<TSCLBaseGraphicButton*>(Message.LParam);
    if (static_cast<std::int32_t>(Message.WParam) != group_index || sender == this || !sender)
        return;
    if (sender->pressed && pressed) {
        pressed = false;
        previous_state = state;
        state = Enabled() ? bsUp : bsDisabledUp;
        Invalidate();
    }
    allow_all_up = sender->allow_all_up;
}

// ---- The state machine ---------------------------------------------------------

bool TSCLBaseGraphicButton::HoverRepaints()
{
    return glyph->Style() == gsExplorer || glyph->NumGlyphs() >= 3 || (allow_mouse_over && enter_color_change) ||
           ShapeButtonColorChange();
}

void TSCLBaseGraphicButton::StateChange(TSCLButtonState New)
{
    if (New == state)
        return;
    const bool hover_move = (state == bsUp && New == bsMouseOver) || (state == bsMouseOver && New == bsUp);
    const bool latched_hover = (state == bsMouseOver && New == bsOptionSet) || (state == bsOptionSet && New == bsMouseOver);
    bool repaint = !(hover_move && !HoverRepaints());
    if (latched_hover && glyph->NumGlyphs() < 3)
        repaint = false;
    const TSCLButtonState old = state;
    previous_state = (New == bsMouseOver && state != bsOptionSet) ? bsUp : state;
    state = New;
    if (repaint && Visible() && Parent()) {
        if (transparent && !CheckOptimized())
            Invalidate();
        else
            Repaint();
    }
    if (!allow_mouse_over)
        return;
    if (old == bsMouseOver)
        DeActivateTimer(Hover_Slot);
    if (New == bsMouseOver && !pressed)
        ActivateTimer(Hover_Slot, Hover_Poll_Interval, [this](TObject*) { VerifyMouseOver(); });
}

void TSCLBaseGraphicButton::VerifyMouseOver()
{
    POINT cursor{};
    GetCursorPos(&cursor);
    const POINT local = ScreenToClient(cursor);
    const bool inside = allow_transparency ? VerifyTransparency(local.x, local.y) : Inside_Client(local.x, local.y);
    if (Enabled() && !inside)
        StateChange(bsUp);
}

bool TSCLBaseGraphicButton::VerifyTransparency(int X, int Y)
{
    return X >= 0 && X < Width() && Y >= 0 && Y < Height();
}

bool TSCLBaseGraphicButton::Hit(int X, int Y)
{
    if (!allow_transparency)
        return Inside_Client(X, Y);
    if (VerifyTransparency(X, Y))
        return true;
    return press_offset_on && state == bsDown &&
           VerifyTransparency(X - press_offset, Y - press_offset);
}

void TSCLBaseGraphicButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TSCLBaseControl::MouseDown(Button, Shift, X, Y);
    if (allow_transparency && !VerifyTransparency(X, Y)) {
        // A press beside the shape is not the button's: give the capture back.
        SetMouseCapture(false);
        return;
    }
    if (!Enabled() || Button != mbLeft)
        return;
    TSCLButtonState new_state = state;
    if (drop_down_menu) {
        if (Menu_Open()) {
            StateChange(bsMouseOver);
            return;
        }
        if (!drop_down_combo || X >= ClientWidth() - drop_down_combo_width) {
            StateChange(new_state);
            DropDown();
            return;
        }
    }
    mouse_down = true;
    if (previous_state == bsOptionSet && state == bsMouseOver && group_index != 0) {
        new_state = bsOptionSet;
    } else if (!pressed) {
        new_state = bsDown;
        if (repeated_click) {
            DoRepeatedClick();
            ActivateTimer(Repeat_Slot, repeating_delay, [this](TObject*) { Repeat_Tick(); });
        }
    }
    StateChange(new_state);
}

void TSCLBaseGraphicButton::Repeat_Tick()
{
    // Capture gone (a modal dialog, cancel mode, another window took it):
    // the press is over, whatever the button was told.
    if (!MouseCapture()) {
        Cancel_Press();
        return;
    }
    if (mouse_over)
        DoRepeatedClick();
}

void TSCLBaseGraphicButton::DoRepeatedClick()
{
    if (TSCLTimerItem* item = SCLApplication->GetTimer(timer_ids[Repeat_Slot]))
        item->SetInterval(repeating_interval);
    Click();
}

void TSCLBaseGraphicButton::Stop_Repeat() { DeActivateTimer(Repeat_Slot); }

bool TSCLBaseGraphicButton::Repeat_Running() const { return timer_ids[Repeat_Slot] != 0; }

void TSCLBaseGraphicButton::Cancel_Press()
{
    Stop_Repeat();
    if (!mouse_down)
        return;
    mouse_down = false;
    if (MouseCapture())
        SetMouseCapture(false);
    if (state == bsDown)
        StateChange(bsUp);
}

void TSCLBaseGraphicButton::MouseMove(TShiftState Shift, int X, int Y)
{
    if (Menu_Open())
        return;
    TSCLBaseControl::MouseMove(Shift, X, Y);
    if (!Enabled())
        return;
    bool inside;
    TSCLButtonState new_state;
    if (allow_transparency) {
        inside = Hit(X, Y);
        if (allow_mouse_over && inside)
            new_state = (state == bsOptionSet && pressed) ? bsOptionSet : bsMouseOver;
        else
            new_state = state == bsMouseOver ? previous_state : state;
    } else {
        inside = Inside_Client(X, Y);
        new_state = state;
    }
    if (mouse_down) {
        if (inside)
            new_state = pressed ? bsOptionSet : bsDown;
        else if (group_index == 0 || state == bsDown)
            new_state = bsUp;
    }
    StateChange(new_state);
    if (inside && !mouse_over) {
        if (OnMouseEnter)
            OnMouseEnter(this);
        if (state == bsUp && allow_mouse_over)
            StateChange(bsMouseOver);
        mouse_over = true;
    }
    SetMouseOver(inside);
}

void TSCLBaseGraphicButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Menu_Open())
        return;
    TSCLBaseControl::MouseUp(Button, Shift, X, Y);
    if (!mouse_down || Button != mbLeft)
        return;
    mouse_down = false;
    // A press that clicked at once and repeats has had its clicks; any other
    // press (a latched button's, say) clicks on its release.
    const bool repeating = Repeat_Running();
    if (repeated_click)
        Stop_Repeat();
    const bool inside = Hit(X, Y);
    TSCLButtonState new_state = Is_Disabled_State(state) ? state : bsUp;
    bool toggled = false;
    if (group_index != 0) {
        if (inside) {
            if (state == bsOptionSet && !allow_all_up)
                return;
            SetPressed(!pressed);
            toggled = true;
            if (allow_mouse_over) {
                new_state = pressed ? state : bsUp;
                StateChange(new_state);
            }
        } else if (pressed) {
            new_state = bsOptionSet;
        }
    } else if (inside && allow_mouse_over && !Is_Disabled_State(state)) {
        new_state = bsMouseOver;
    }
    if (!inside) {
        if (!toggled)
            StateChange(new_state);
        return;
    }
    const bool hover_faces = glyph->NumGlyphs() >= 3 || glyph->Style() == gsExplorer;
    if (!hover_faces && !toggled)
        StateChange(new_state);
    if (!repeating)
        Click();
    if (hover_faces && !toggled && !Is_Disabled_State(state)) {
        POINT cursor{};
        GetCursorPos(&cursor);
        const POINT local = ScreenToClient(cursor);
        if (Inside_Client(local.x, local.y)) {
            hover_check = true;
            StateChange(new_state == bsUp ? bsMouseOver : new_state);
            hover_check = false;
        } else {
            StateChange(new_state);
        }
    }
}

void TSCLBaseGraphicButton::MouseEnter()
{
    if (allow_transparency)
        return; // MouseMove tests the shape instead
    if (OnMouseEnter)
        OnMouseEnter(this);
    if (state == bsUp && allow_mouse_over && Enabled()) {
        StateChange(bsMouseOver);
        SetMouseOver(true);
    }
}

void TSCLBaseGraphicButton::MouseExit()
{
    if (OnMouseExit)
        OnMouseExit(this);
    if (state == bsMouseOver)
        StateChange(previous_state);
    SetMouseOver(false);
    if (hide_hint)
        Application->CancelHint();
}

void TSCLBaseGraphicButton::SetMouseOver(bool Value)
{
    if (Value && !mouse_over && state == bsUp && allow_mouse_over) {
        if (OnMouseEnter)
            OnMouseEnter(this);
        StateChange(bsMouseOver);
    } else if (!Value && mouse_over && OnMouseExit) {
        OnMouseExit(this);
    }
    if (Value == mouse_over)
        return;
    mouse_over = Value;
    if (MouseOverRepaints() && Parent())
        Repaint();
}

// ---- Drop-down menu --------------------------------------------------------------

void TSCLBaseGraphicButton::DropDown()
{
    if (!drop_down_menu || Menu_Open())
        return;
    StateChange(bsDropDownOpen);
    if (OnDropDown)
        OnDropDown(this);
    const POINT at = drop_down_right ? ClientToScreen(POINT{Width(), drop_down_indent})
                                     : ClientToScreen(POINT{drop_down_indent, Height()});
    drop_down_menu->SetPopupComponent(this);
    drop_down_menu->Popup(at.x, at.y);
    MSG pending;
    while (PeekMessageA(&pending, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
    if (HWND captured = GetCapture())
        SendMessageA(captured, WM_CANCELMODE, 0, 0);
    mouse_down = false;
    StateChange(bsMouseOver);
}

// ---- Timers ----------------------------------------------------------------------

void TSCLBaseGraphicButton::ActivateTimer(int Slot, WORD Interval, TNotifyEvent Handler)
{
    if ((Slot != Hover_Slot && Slot != Repeat_Slot) || timer_ids[Slot] != 0)
        return;
    const WORD ident = SCLApplication->AddTimer(Interval, std::move(Handler));
    if (ident == 0)
        throw EOutOfResources("Pas assez de timers disponibles");
    timer_ids[Slot] = ident;
    if (TSCLTimerItem* item = SCLApplication->GetTimer(ident))
        item->SetEnabled(true);
}

void TSCLBaseGraphicButton::DeActivateTimer(int Slot)
{
    if (Slot != Hover_Slot && Slot != Repeat_Slot)
        return;
    TSCLTimerItem* item = SCLApplication ? SCLApplication->GetTimer(timer_ids[Slot]) : nullptr;
    if (!item)
        return;
    const WORD ident = timer_ids[Slot];
    timer_ids[Slot] = 0;
    item->SetEnabled(false);
    item->OnTimer = nullptr;
    SCLApplication->RemoveTimer(ident);
}

// ---- Messages --------------------------------------------------------------------

void TSCLBaseGraphicButton::Enabled_Changed()
{
    if (Enabled()) {
        state = pressed ? bsOptionSet : bsUp;
    } else {
        Cancel_Press();
        DeActivateTimer(Hover_Slot);
        state = pressed ? bsDisabledDown : bsDisabledUp;
    }
    Invalidate();
}

void TSCLBaseGraphicButton::Dialog_Char(TMessage& Message)
{
    if (!IsAccel(static_cast<WORD>(Message.WParam), Caption()) || !Enabled() || !Visible() || !Parent() ||
        !Parent()->Enabled())
        return;
    Message.Result = 1;
    if (drop_down_menu) {
        if (Menu_Open())
            StateChange(bsMouseOver);
        else
            DropDown();
        return;
    }
    if (group_index != 0) {
        if (!allow_all_up && state == bsOptionSet)
            return;
        SetPressed(!pressed);
        if (!allow_mouse_over)
            return;
        if (pressed) {
            StateChange(bsOptionSet);
            Click();
        } else {
            StateChange(bsUp);
        }
        return;
    }
    mouse_over = true;
    Repaint();
    Click();
    Repaint();
    POINT cursor{};
    GetCursorPos(&cursor);
    const POINT local = Parent()->ScreenToClient(cursor);
    const RECT bounds = BoundsRect();
    if (!(local.x > bounds.left && local.x < bounds.right && local.y > bounds.top && local.y < bounds.bottom)) {
        mouse_over = false;
        Repaint();
    }
}

void TSCLBaseGraphicButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_SCLBUTTONPRESSED:
        Button_Pressed(Message);
        return;
    case CM_DIALOGCHAR:
        Dialog_Char(Message);
        return;
    case CM_ENABLEDCHANGED:
        TSCLBaseControl::Dispatch(Message);
        Enabled_Changed();
        return;
    case CM_FONTCHANGED:
        FontChange(Font());
        if (transparent && Parent())
            Repaint();
        else
            TSCLBaseControl::Dispatch(Message);
        return;
    case CM_TEXTCHANGED:
        TSCLBaseControl::Dispatch(Message);
        Invalidate();
        return;
    case CM_VISIBLECHANGED:
    case CM_CANCELMODE:
    case WM_CANCELMODE:
        TSCLBaseControl::Dispatch(Message);
        Cancel_Press();
        return;
    case WM_LBUTTONDBLCLK:
        TSCLBaseControl::Dispatch(Message);
        if (pressed)
            DblClick();
        return;
    default:
        TSCLBaseControl::Dispatch(Message);
    }
}

void TSCLBaseGraphicButton::FontChange(TObject* Sender)
{
    if (Sender == Font())
        SetParentFont(false);
    if (Loading())
        return;
    if (font_fx->Angle() != 0) {
        TCanvas* canvas = Canvas();
        canvas->SetFont(Font());
        if (!SCLIsTrueTypeFontCheck(canvas)) {
            if (Sender == Font())
                font_fx->SetAngle(0);
            else
                Font()->SetName("Arial");
        }
    }
    GetChange(Sender);
}

void TSCLBaseGraphicButton::Click() { TSCLBaseControl::Click(); }

// ---- Glyph, caption and images ---------------------------------------------------

void TSCLBaseGraphicButton::DrawGlyphAndText(TCanvas* Canvas, const RECT& Rect)
{
    Canvas->SetFont(Font());
    if (state >= bsMouseOver && state <= bsDropDownOpen && allow_mouse_over && enter_color_change)
        Canvas->Font()->SetColor(enter_color);
    TSCLDrawTextStyles flags{Enabled() ? dtEnabled : dtDisabled, dt3DDisabled};
    glyph->DrawButtonGlyphAndText(Canvas, GetCaption(), font_fx.get(), Rect, state, *button_layout, flags, multi_line,
                                  0);
}

void TSCLBaseGraphicButton::GetIMLChange(TObject* Sender)
{
    TSCLCustomImageList* list = ImageList();
    if (list && list->IsValidItem(ListIndex(), ImageIndex())) {
        TBitmap image;
        list->GetBitmapItem(ListIndex(), ImageIndex(), &image);
        glyph->SetGlyph(&image);
    } else {
        TBitmap empty;
        glyph->SetGlyph(&empty);
    }
    glyph_from_action = false;
    (void)Sender;
    Invalidate();
}

void TSCLBaseGraphicButton::ActionChange(TObject* Sender, bool CheckDefaults)
{
    TSCLBaseControl::ActionChange(Sender, CheckDefaults);
    auto* action = dynamic_cast<TCustomAction*>(Sender);
    if (!ActionChangeable() || !action)
        return;
    const bool own_glyph = !glyph->Glyph()->Empty() && !glyph_from_action;
    if (own_glyph)
        return; // the user's glyph stays, whatever the action shows
    TCustomImageList* images = action->ActionList() ? action->ActionList()->Images() : nullptr;
    const int index = action->ImageIndex();
    if (images && index >= 0 && index < images->Count()) {
        TBitmap image;
        image.SetSize(images->Width(), images->Height());
        image.Canvas()->Brush()->SetColor(static_cast<TColor>(0xFF00FF));
        image.Canvas()->FillRect(RECT{0, 0, images->Width(), images->Height()});
        images->Draw(image.Canvas(), 0, 0, index);
        glyph->SetGlyph(&image);
        glyph_from_action = true;
    } else if (glyph_from_action) {
        TBitmap empty;
        glyph->SetGlyph(&empty);
        glyph_from_action = false;
    }
    Invalidate();
}

void TSCLBaseGraphicButton::Loaded()
{
    TSCLBaseControl::Loaded();
    Update_Combo_Arrow();
}

// ---- Background ------------------------------------------------------------------

bool TSCLBaseGraphicButton::CheckOptimized()
{
    if (!transparent)
        return false;
    TSCLBackProvider* provider = SCLParentBackProvider(this);
    return provider && provider->BackBitmapCheck();
}

bool TSCLBaseGraphicButton::BackDrawArea(TCanvas* Canvas, const RECT& Rect, POINT Point, WORD Flags)
{
    TSCLBackProvider* provider = SCLParentBackProvider(this);
    return provider && provider->BackDrawArea(Canvas, Rect, Point, Flags);
}
