#pragma once
// The image control over an image list: shows item (ListIndex, ImageIndex)
// of ImageList, optionally drawn transparently on the frame's own
// transparent colour, and optionally composed off-screen over the parent's
// background so that it does not flicker while it moves.

#include "components/controls/Sclbaseimage.h"

class TSCLCustomLImage : public TSCLBaseImage {
public:
    explicit TSCLCustomLImage(TComponent* AOwner);

    bool ForceTransparent() const { return force_transparent; }
    bool SilentMove() const { return silent_move; }
    // 0 ForceTransparent, 1 SilentMove; a change repaints.
    void SetBool(int Index, bool Value);
    void SetForceTransparent(bool Value) { SetBool(0, Value); }
    void SetSilentMove(bool Value) { SetBool(1, Value); }

    // With sbAutosize: the list's image size plus the bevel on each side
    // (20 square plus the bevel when empty).
    bool CorrectBounds() override;
    bool GetEmpty() override;
    HPALETTE GetPalette();

protected:
    // The list's drawing flags for this control's style and transparency.
    WORD Draw_Flags();
    // The list item drawn into Rect of Canvas. The clip routines clip in
    // the canvas's logical coordinates, which on a windowless control's
    // canvas already start at its top-left corner: no offset is added.
    void Draw_Item(TCanvas* Canvas, const RECT& Rect, WORD Flags);
    // Selects and realises the palette as a background palette, unless
    // QuickDraw.
    void Realize(HPALETTE Palette);
    // Rect of the background the parent's chain offers under the control
    // into Canvas at (0, 0); false when none is offered.
    bool Parent_Back(TCanvas* Canvas, const RECT& Rect);
    // The parent is a library control with a window that offers a background.
    bool Parent_Offers_Back();

    bool force_transparent = false;
    bool silent_move = false;
};
