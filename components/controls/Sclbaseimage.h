#pragma once
// The root of the image-showing windowless controls: how the picture is
// placed (Style) and whether it is drawn straight onto the canvas.

#include "components/controls/Sclgraphiccontrol.h"
#include "components/foundations/Sclgraph.h"

class TSCLBaseImage : public TSCLGraphicControl {
public:
    explicit TSCLBaseImage(TComponent* AOwner);

    bool QuickDraw() const { return quick_draw; }
    void SetQuickDraw(bool Value);
    TSCLBitmapStyle Style() const { return style; }
    void SetStyle(TSCLBitmapStyle Value);

    // ORs the bitmap-drawing flags of Style into Flags; without a bevel the
    // clip flag is toggled.
    void AddStyleFlags(WORD& Flags);
    // Sizes the control to its picture; descendants do it and answer
    // whether the bounds changed.
    virtual bool CorrectBounds() { return false; }

private:
    bool quick_draw = true;
    TSCLBitmapStyle style = sbNone;
};
