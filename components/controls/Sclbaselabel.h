#pragma once
// Everything a text label needs except its painting: alignment, automatic
// sizing, multi-line and ellipsis options, the accelerator character that
// focuses FocusControl, and twinkling (the text hidden periodically) on the
// application's timer pool.
//
// Twinkling shows the text for TwinkleVisible ms, hides it for
// TwinkleInVisible ms, and so on. Periods are kept as multiples of the
// pool's 50 ms tick (rounded to the nearest, at least one tick), so the
// pool never refuses them.

#include <cstdint>

#include "components/controls/Sclbasegraphiccontrol.h"
#include "components/foundations/Sclgraph.h"

enum TSCLLabelOption { loPathEllipsis, loEndEllipsis, loEditControl };
using TSCLLabelOptions = TSet<TSCLLabelOption>;
template <>
struct TSCLEnumInfo<TSCLLabelOption> {
    static constexpr const char* TypeName = "TSCLLabelOption";
    static constexpr std::array<const char*, 3> Names{"loPathEllipsis", "loEndEllipsis", "loEditControl"};
};

class TSCLBaseLabel : public TSCLBaseGraphicControl {
public:
    explicit TSCLBaseLabel(TComponent* AOwner);
    ~TSCLBaseLabel() override;

    TSCLAlignment Alignment() const { return alignment; }
    void SetAlignment(TSCLAlignment Value);
    TSCLLabelOptions Options() const { return options; }
    void SetOptions(TSCLLabelOptions Value);

    bool AutoSize() const { return auto_size; }
    bool MultiLine() const { return multi_line; }
    bool ShowAccelChar() const { return show_accel_char; }
    bool Twinkle() const { return twinkle; }
    // 0 AutoSize, 1 MultiLine, 2 ShowAccelChar, 3 Twinkle.
    void SetBool(int Index, bool Value);
    void SetAutoSize(bool Value) { SetBool(0, Value); }
    void SetMultiLine(bool Value) { SetBool(1, Value); }
    void SetShowAccelChar(bool Value) { SetBool(2, Value); }
    void SetTwinkle(bool Value) { SetBool(3, Value); }

    std::int32_t TwinkleVisible() const { return twinkle_visible; }
    std::int32_t TwinkleInVisible() const { return twinkle_invisible; }
    // 0 TwinkleVisible, 1 TwinkleInVisible; a running twinkle takes the new
    // period at its next phase change.
    void SetInteger(int Index, std::int32_t Value);
    void SetTwinkleVisible(std::int32_t Value) { SetInteger(0, Value); }
    void SetTwinkleInVisible(std::int32_t Value) { SetInteger(1, Value); }
    TColor TwinkleColor() const { return twinkle_color; }
    void SetTwinkleColor(TColor Value);

    TWinControl* FocusControl() const { return focus_control; }
    void SetControl(TWinControl* Value);

    // The twinkle phase: true while the text shows.
    bool TwinkleShown() const { return twinkle_shown; }
    // The pool identifier of the twinkle timer, -1 when none.
    int TwinkleTimer() const { return timer_ident; }
    // The pool period (ms) a twinkle period of Milliseconds runs with.
    static WORD PoolInterval(std::int32_t Milliseconds);

    // DrawText flags of Options: path ellipsis, end ellipsis, edit control.
    int GetOptionsFlag() const;
    virtual std::string GetLabelText();
    virtual void FontChange(TObject* Sender);
    // Resizes the label to its text; nothing at this level.
    virtual void CorrectBounds() {}

    void GetChange(TObject* Sender) override;
    bool GetEmpty() override;
    void Loaded() override;
    void Dispatch(TMessage& Message) override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // One twinkle tick: flips the phase; the period that follows is the
    // one of the phase now beginning.
    void OnTwinkleTimer(TObject* Sender);
    // Set while painting; descendants guard their Paint with it.
    bool painting = false;
    // Set while the label changes its own font (a jump label's colours):
    // the font-changed message then only repaints, without re-measuring.
    bool font_guard = false;

private:
    void Start_Twinkle();
    void Stop_Twinkle();
    void Release_Timer();
    bool Dialog_Char(TMessage& Message);

    TSCLAlignment alignment = agTopLeft;
    TSCLLabelOptions options;
    bool auto_size = true;
    bool multi_line = false;
    bool show_accel_char = true;
    bool twinkle = false;
    std::int32_t twinkle_visible = 700;
    std::int32_t twinkle_invisible = 700;
    TColor twinkle_color = 0x1FFFFFFF;
    TWinControl* focus_control = nullptr;
    int timer_ident = -1;
    bool twinkle_shown = true;
    int ticks_left = 0;
};
