#pragma once
// A bevel panel that can show an item of an image list as its background.
// It keeps that background in a back bitmap of its client size and serves
// pieces of it to its transparent children; without an item (or while
// transparent) it passes their questions up the chain as any panel does.

#include <memory>

#include "components/controls/SCLCustomBevelPanel.h"

class TSCLCustomParentPanel : public TSCLCustomBevelPanel {
public:
    explicit TSCLCustomParentPanel(TComponent* AOwner);
    ~TSCLCustomParentPanel() override;

    // Skips the palette selection before copying the background.
    bool QuickDraw() const { return quick_draw; }
    void SetQuickDraw(bool Value) { quick_draw = Value; }
    // The panel's own back bitmap, nullptr when it has none.
    TBitmap* OwnBackBitmap() const { return back_bitmap.get(); }
    // The list's palette for the item, or none.
    HPALETTE GetPalette();

    // (Re)builds the own back bitmap from the list item; Force redraws a
    // bitmap that already covers the client area.
    virtual void CreateBack(bool Force);

    bool CheckOptimized() override;
    void GetChange(TObject* Sender) override;
    bool GetEmpty() override;
    void GetIMLChange(TObject* Sender) override;
    bool BackBitmapCheck() override;
    TBitmap* BackBitmap() override;
    POINT BackMapPoint(POINT P) override;
    bool BackDrawArea(TCanvas* Canvas, const RECT& Dest, POINT Src, WORD Flags) override;
    void Loaded() override;

protected:
    void Paint() override;
    void WMSize(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The own bitmap, made when missing; false when it already covers the
    // client area and need not be redrawn.
    bool Prepare_Back(bool Redraw);
    void Free_Back();

private:
    std::unique_ptr<TBitmap> back_bitmap;
    bool quick_draw = false;
};
