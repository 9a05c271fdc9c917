#pragma once
// The windowless push button engine of the library's graphic buttons: the
// visual state machine driven by the mouse, accelerators and enable
// changes; latching groups kept in step by a broadcast to the siblings;
// auto-repeat while held; hover tracking with a 100 ms poll; an optional
// drop-down menu; glyph and caption. Descendants paint the face.
//
// Hit tests are half-open like every rectangle of the platform: the pixel
// at x = Width or y = Height is outside. The class library's own
// click-on-release is switched off (no csClickEvents): the engine clicks
// once, from MouseUp or the repeat timer.

#include <cstdint>
#include <memory>
#include <string>

#include "components/controls/Sclbasecontrol.h"
#include "components/foundations/Sclbuttonlayout.h"
#include "components/foundations/Sclfxcaption.h"
#include "components/foundations/Sclglyph.h"
#include "components/foundations/Sclgraph.h"
#include "platform/classlib/ImgList.h"
#include "platform/classlib/Menus.h"

class TSCLBaseGraphicButton : public TSCLBaseControl {
public:
    explicit TSCLBaseGraphicButton(TComponent* AOwner);
    ~TSCLBaseGraphicButton() override;

    TSCLButtonState State() const { return state; }
    TSCLButtonState PreviousState() const { return previous_state; }

    TSCLButtonLayout* ButtonLayout() const { return button_layout.get(); }
    void SetButtonLayout(TSCLButtonLayout* Value) { button_layout->Assign(Value); }
    TSCLFxCaption* FontFX() const { return font_fx.get(); }
    void SetFontFx(TSCLFxCaption* Value) { font_fx->Assign(Value); }
    TSCLGlyph* GlyphObject() const { return glyph.get(); }
    TBitmap* Glyph() const { return glyph->Glyph(); }
    // Detaches an image list first (unless loading).
    void SetGlyph(TBitmap* Value);
    TSCLNumGlyphs NumGlyphs() const { return glyph->NumGlyphs(); }
    void SetNumGlyphs(TSCLNumGlyphs Value);

    bool UseCaption() const { return use_caption; }
    void SetUseCaption(bool Value);
    bool MultiLine() const { return multi_line; }
    void SetMultiLine(bool Value);
    // The caption when UseCaption, else empty.
    std::string GetCaption() const { return use_caption ? Caption() : std::string(); }
    TColor EnterColor() const { return enter_color; }
    void SetEnterColor(TColor Value);
    bool EnterColorChange() const { return enter_color_change; }
    void SetEnterColorChange(bool Value);
    bool HideHint() const { return hide_hint; }
    void SetHideHint(bool Value) { hide_hint = Value; }

    bool RepeatedClick() const { return repeated_click; }
    void SetRepeatedClick(bool Value) { repeated_click = Value; }
    WORD RepeatingDelay() const { return repeating_delay; }
    void SetRepeatingDelay(WORD Value) { repeating_delay = Value; }
    WORD RepeatingInterval() const { return repeating_interval; }
    void SetRepeatingInterval(WORD Value) { repeating_interval = Value; }

    std::int32_t GroupIndex() const { return group_index; }
    void SetGroupIndex(std::int32_t Value);
    bool AllowAllUp() const { return allow_all_up; }
    void SetAllowAllUp(bool Value);
    bool Pressed() const { return pressed; }
    void SetPressed(bool Value);
    bool AllowMouseOver() const { return allow_mouse_over; }
    void SetAllowMouseOver(bool Value) { allow_mouse_over = Value; }
    bool AllowTransparency() const { return allow_transparency; }
    void SetAllowTransparency(bool Value) { allow_transparency = Value; }
    bool MouseOver() const { return mouse_over; }
    void SetMouseOver(bool Value);
    bool Transparent() const { return transparent; }
    void SetTransparent(bool Value);

    TPopupMenu* DropDownMenu() const { return drop_down_menu; }
    void SetDropDown(TPopupMenu* Menu);
    std::int32_t DropDownIndent() const { return drop_down_indent; }
    void SetDropDownIndent(std::int32_t Value);
    bool DropDownRight() const { return drop_down_right; }
    void SetDropDownRight(bool Value);
    bool DropDownCombo() const { return drop_down_combo; }
    void SetDropDownCombo(bool Value);
    int DropDownComboWidth() const { return drop_down_combo_width; }
    void SetDropDownComboWidth(int Value);
    bool GetDroppedState() const { return state == bsDropDownOpen; }
    TNotifyEvent OnDropDown;

    // Pops the menu up (modal); afterwards the mouse messages queued while
    // it was open are dropped and the capture holder gets cancel mode.
    void DropDown();
    void Click() override;

    // The timer slots: 0 hover poll, 1 repeat. Raises EOutOfResources when
    // the pool has no timer left.
    void ActivateTimer(int Slot, WORD Interval, TNotifyEvent Handler);
    void DeActivateTimer(int Slot);
    WORD TimerIdent(int Slot) const { return (Slot == 0 || Slot == 1) ? timer_ids[Slot] : 0; }


    void DrawGlyphAndText(TCanvas* Canvas, const RECT& Rect);
    void FontChange(TObject* Sender);

    // ---- Virtual operations of the engine
    virtual bool IsCustom() { return ImageList() == nullptr; }
    // The glyph is the button's own, made by nothing else it stores (a list,
    // a stock kind): forms store it only then, so that it is never lost.
    virtual bool StoresGlyph() { return IsCustom(); }
    virtual bool ActionChangeable() { return true; }
    virtual void DoRepeatedClick();
    virtual bool ShapeButtonColorChange() { return false; }
    // Half-open: 0 <= X < Width and 0 <= Y < Height.
    virtual bool VerifyTransparency(int X, int Y);
    virtual void VerifyMouseOver();

    bool CheckOptimized() override;
    bool BackDrawArea(TCanvas* Canvas, const RECT& Rect, POINT Point, WORD Flags);
    void GetIMLChange(TObject* Sender) override;
    void Loaded() override;
    void Dispatch(TMessage& Message) override;

protected:
    // Then the action's image (from its list's images): copied into an
    // empty glyph (or one an earlier action gave); a glyph the user set is
    // never replaced or cleared.
    void ActionChange(TObject* Sender, bool CheckDefaults) override;
    void StateChange(TSCLButtonState New);
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseExit() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Whether repaints on hover (bsUp <-> bsMouseOver) are wanted.
    virtual bool HoverRepaints();
    // Whether the face changes with the hover flag alone (flat faces).
    virtual bool MouseOverRepaints() { return false; }
    // Descendants whose face shifts when down set these (the hit test of a
    // held button follows the shifted face).
    void SetPressOffset(BYTE Offset, bool On)
    {
        press_offset = Offset;
        press_offset_on = On;
    }
    BYTE PressOffset() const { return press_offset; }
    bool PressOffsetOn() const { return press_offset_on; }
    bool Inside_Client(int X, int Y) { return X >= 0 && X < ClientWidth() && Y >= 0 && Y < ClientHeight(); }

private:
    bool Hit(int X, int Y);
    void Stop_Repeat();
    // The press clicked at once and its repeat timer runs.
    bool Repeat_Running() const;
    void Cancel_Press();
    void Repeat_Tick();
    void Broadcast_Option_Set();
    void Button_Pressed(TMessage& Message);
    void Enabled_Changed();
    void Dialog_Char(TMessage& Message);
    void Hover_Check();
    void Update_Combo_Arrow() { combo_arrow = drop_down_menu && drop_down_combo; }
    bool Menu_Open() const { return drop_down_menu && drop_down_menu->Menu_Widget(); }

    std::unique_ptr<TSCLButtonLayout> button_layout;
    std::unique_ptr<TSCLFxCaption> font_fx;
    std::unique_ptr<TSCLGlyph> glyph;
    bool glyph_from_action = false;

    TSCLButtonState state = bsUp;
    TSCLButtonState previous_state = bsUp;
    bool hover_check = false;
    bool mouse_down = false;
    WORD timer_ids[2] = {0, 0};
    bool combo_arrow = false;
    BYTE press_offset = 0;
    bool press_offset_on = false;
    bool dropping = false;

    bool use_caption = true;
    bool multi_line = false;
    TColor enter_color = clCaptionText;
    bool enter_color_change = false;
    bool hide_hint = true;
    bool repeated_click = false;
    WORD repeating_delay = 500;
    WORD repeating_interval = 100;
    std::int32_t group_index = 0;
    bool allow_all_up = false;
    bool pressed = false;
    bool allow_mouse_over = false;
    bool allow_transparency = true;
    bool mouse_over = false;
    bool transparent = false;
    TPopupMenu* drop_down_menu = nullptr;
    std::int32_t drop_down_indent = 0;
    bool drop_down_right = false;
    bool drop_down_combo = false;
    int drop_down_combo_width = 12;
};
