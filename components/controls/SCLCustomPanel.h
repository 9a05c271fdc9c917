#pragma once
// The panel root of the library: the back-bitmap chain through which a
// transparent panel copies its background from the nearest ancestor that
// holds one (a library control or scroll box, or the form's shape).

#include "components/controls/SCLCustomControl.h"

class TSCLCustomPanel : public TSCLCustomControl {
public:
    explicit TSCLCustomPanel(TComponent* AOwner);

    bool Locked = false;

    // Transparent, and the parent (or the form's shape) offers a bitmap.
    bool BackBitmapCheck() override;
    // The ancestor's bitmap while BackBitmapCheck holds, else nullptr.
    TBitmap* BackBitmap() override;
    // P of this panel's client area in the ancestor's bitmap, while
    // BackBitmapCheck holds; else P.
    POINT BackMapPoint(POINT P) override;
    // The ancestor's bitmap under Dest moved by Src (client coordinates).
    bool BackDrawArea(TCanvas* Canvas, const RECT& Dest, POINT Src, WORD Flags) override;

protected:
    void WMSize(TMessage& Message) override;
    // Where this panel's client area starts in the ancestor's bitmap.
    POINT Client_Origin_In_Back(TSCLBackProvider* Provider);
};
