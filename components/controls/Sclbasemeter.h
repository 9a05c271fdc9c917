#pragma once
// The value model and redraw engine of bar meters: a range, a user value
// kept within it, the percentage derived from it, and the bar drawn through
// an off-screen bitmap whenever the shown value changes enough. What the bar
// looks like is the descendant's DrawBar.
//
// A user value outside the range is a bad reading and is ignored: the meter
// keeps showing the last good value rather than a full or empty bar.

#include <cstdint>
#include <memory>
#include <string>

#include "components/controls/Sclgraphiccontrol.h"
#include "components/foundations/Scl3dcaption.h"
#include "components/foundations/Sclgraph.h"
#include "platform/classlib/Graphics_Bitmap.h"
#include "platform/classlib/StdCtrls.h"

// A percentage, 0..100.
using TSCLPercent = BYTE;

class TSCLBaseMeter : public TSCLGraphicControl {
public:
    explicit TSCLBaseMeter(TComponent* AOwner);
    ~TSCLBaseMeter() override;

    std::int32_t MinValue() const { return min_value; }
    std::int32_t MaxValue() const { return max_value; }
    std::int32_t UserValue() const { return user_value; }
    // The range stays ordered and never collapses; the user value is moved
    // into it.
    void SetMinValue(std::int32_t Value);
    void SetMaxValue(std::int32_t Value);
    // An unchanged value or one outside the range does nothing; any other
    // draws at once.
    void SetUserValue(std::int32_t Value);
    TSCLPercent Position() const { return percent; }
    // Above 100 counts as 100; the user value follows. Draws at once.
    void SetPercentValue(int Value);
    TSCLPercent Step() const { return step; }
    void SetStep(TSCLPercent Value) { step = Value; }
    TSCLPercent Delta() const { return delta; }
    // The smallest change of the percentage that redraws the bar.
    void SetDelta(TSCLPercent Value) { delta = Value; }
    // The percentage grows or shrinks by N, held within 0..100; the user
    // value stays.
    void Add(int N);
    void Sub(int N);
    void StepAdd() { Add(step); }
    void StepSub() { Sub(step); }

    TAlignment Alignment() const { return alignment; }
    void SetAlignment(TAlignment Value);
    TSCLMeterDirection Direction() const { return direction; }
    void SetDirection(TSCLMeterDirection Value);
    TSCLMeterTextOptions OptionsText() const { return options_text; }
    void SetTextOptions(TSCLMeterTextOptions Value);
    bool UseFontColor() const { return use_font_color; }
    void SetUseFontColor(bool Value);
    TSCL3DCaption* Font3D() const { return font_3d.get(); }
    void Set3DCaption(TSCL3DCaption* Value) { font_3d->Assign(Value); }

    // The part of the bar of Value percent in Length pixels (truncated).
    static int Extent(int Value, int Length);
    // The rectangle inside the bevel the bar is drawn in (set by Paint).
    RECT BarRect() const { return bar_rect; }
    // How many times the bar itself was drawn (for tests of the redraw rule).
    int BarDraws() const { return bar_draws; }

    // True when it has just changed the bounds; false at this level.
    virtual bool CorrectBounds() { return false; }
    // Paints the bar: Filled is the value's part of All, Rest the remainder.
    virtual void DrawBar(TCanvas* /*Canvas*/, const RECT& /*Filled*/, const RECT& /*Rest*/, const RECT& /*All*/) {}
    // Redraws the bar when the shown value changed enough.
    virtual void Draw();
    virtual int GetDrawValue() { return percent; }

    void Dispatch(TMessage& Message) override;

protected:
    void Paint() override;
    // Whether the bar must be drawn again for the percentage Value after
    // LastDrawn: the change reaches Delta, or the shown number changes.
    virtual bool BarChanged(int Value, int LastDrawn);
    // The bar's text over Filled and Rest of All: inverted where the bar
    // covers it unless UseFontColor.
    void DrawCaption(TCanvas* Canvas, const RECT& Filled, const RECT& Rest, const RECT& All, bool UseColor,
                     TColor Color);
    // Raised by a descendant's CorrectBounds when it resized; Paint clears it.
    bool bounds_changed = false;

private:
    void Percent_From_User();
    bool Can_Draw_Now();

    std::int32_t min_value = 0;
    std::int32_t max_value = 100;
    std::int32_t user_value = 0;
    TSCLPercent percent = 0;
    TSCLPercent step = 10;
    TSCLPercent delta = 1;
    TAlignment alignment = taCenter;
    TSCLMeterDirection direction = mdHorizontal;
    TSCLMeterTextOptions options_text = toNoText;
    bool use_font_color = false;
    std::unique_ptr<TSCL3DCaption> font_3d;
    RECT bar_rect{0, 0, 0, 0};
    int last_drawn = 0;
    bool drawing = false;
    bool must_draw = false;
    int bar_draws = 0;
    TBitmap bar_bitmap;
};
