#pragma once
// The glyph-and-text layout of a button with its drop-down arrow: whether
// the arrow shows, its colour, size, indent and place. The layout routines
// of Sclutils draw the arrow only for a button layout whose Arrow is set.

#include "components/foundations/Sclglyphtextlayout.h"
#include "platform/classlib/Graphics.h"
#include "platform/winapi/WinTypes.h"

// The arrow's size in pixels.
using TSCLDDArrowSize = BYTE;

class TSCLButtonLayout : public TSCLGlyphTextLayout {
public:
    // Alignment agCenter.
    TSCLButtonLayout();

    bool Arrow() const { return arrow; }
    TColor ArrowColor() const { return arrow_color; }
    int ArrowIndent() const { return arrow_indent; }
    TSCLArrowPosition ArrowPosition() const { return arrow_position; }
    TSCLDDArrowSize ArrowSize() const { return arrow_size; }

    void SetArrow(bool Value);
    void SetArrowColor(TColor Value);
    // 0 ArrowIndent.
    void SetInteger(int Index, int Value);
    void SetArrowPosition(TSCLArrowPosition Value);
    void SetArrowSize(TSCLDDArrowSize Value);

    // From another button layout: the layout and the arrow, one
    // notification; from a plain layout its five fields.
    void Assign(TPersistent* Source) override;

private:
    bool arrow = false;
    TColor arrow_color = clBlack;
    int arrow_indent = 3;
    TSCLArrowPosition arrow_position = apRightText;
    TSCLDDArrowSize arrow_size = 3;
};
