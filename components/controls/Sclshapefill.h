#pragma once
// How the inside of a shape, shape button or fill panel is filled: nothing,
// a brush, a bitmap (own or taken from a bitmap list) or a gradient. The
// object answers the owners' questions; the owners draw.

#include <memory>
#include <string>

#include "components/controls/Sclgradient.h"
#include "components/foundations/Sclgraph.h"
#include "components/foundations/Sclobject.h"
#include "platform/classlib/Graphics_Bitmap.h"

class TSCLShapeFill : public TSCLObject {
public:
    TSCLShapeFill();
    ~TSCLShapeFill() override;
    TSCLShapeFill(const TSCLShapeFill&) = delete;
    TSCLShapeFill& operator=(const TSCLShapeFill&) = delete;

    TBitmap* Bitmap() const { return bitmap.get(); }
    TSCLGradient* Gradient() const { return gradient.get(); }
    TSCLFillStyle Style() const { return style; }
    TSCLTileMode TileMode() const { return tile_mode; }
    // The picture taken from a bitmap list.
    TBitmap* ListBitmap() const { return list_bitmap.get(); }

    // Assign into the owned objects (nullptr empties a bitmap).
    void SetBitmap(TBitmap* Value);
    void SetListBitmap(TBitmap* Value);
    void SetGradient(TSCLGradient* Value);
    void SetFillStyle(TSCLFillStyle Value);
    void SetTileMode(TSCLTileMode Value);

    // Bitmap for sfBitmap, the list bitmap for sfBitmapList, else nullptr.
    TBitmap* GetBitmap() const;
    bool GetEmpty() const;
    // Whether a resize must repaint the whole area.
    bool GetMustRedraw() const;
    HPALETTE GetPalette() const;

    void Assign(TPersistent* Source) override;
    // "{Brush}", "{Gradient}" ...; sfBrushBitmap has no word: "{}".
    std::string GetSetStr() override;

protected:
    // Sets the style without a notification (constructors of descendants).
    void Init_Style(TSCLFillStyle Value) { style = Value; }

private:
    std::unique_ptr<TBitmap> bitmap;
    std::unique_ptr<TSCLGradient> gradient;
    TSCLFillStyle style = sfBrush;
    TSCLTileMode tile_mode = tmTile;
    std::unique_ptr<TBitmap> list_bitmap;
};
