#pragma once
// The fill settings of the fill panels and of the alpha blend: a shape fill
// with a brush, the placement of an untiled bitmap and drawing options, and
// the painting of the fill over a rectangle.

#include <array>
#include <memory>

#include "components/controls/Sclshapefill.h"
#include "platform/classlib/Graphics.h"

enum TSCLFillOption { foFillInner, foQuickDraw, foGrUseBitmap };
template <>
struct TSCLEnumInfo<TSCLFillOption> {
    static constexpr const char* TypeName = "TSCLFillOption";
    static constexpr std::array<const char*, 3> Names{"foFillInner", "foQuickDraw", "foGrUseBitmap"};
};
using TSCLFillOptions = TSet<TSCLFillOption>;

class TSCLFillObject : public TSCLShapeFill {
public:
    // Style sfNone.
    TSCLFillObject();
    ~TSCLFillObject() override;

    TSCLAlignment Alignment() const { return alignment; }
    int OffsetX() const { return offset_x; }
    int OffsetY() const { return offset_y; }
    TBrush* Brush() const { return brush.get(); }
    TSCLFillOptions Options() const { return options; }

    // Alignment and offsets notify only where they place something: a
    // bitmap style without tiling.
    void SetAlignment(TSCLAlignment Value);
    // 0 OffsetX, 1 OffsetY.
    void SetInteger(int Index, int Value);
    void SetOptions(TSCLFillOptions Value);
    void SetBrush(TBrush* Value);

    // sfNone, or a bitmap style whose bitmap is transparent.
    bool GetTransparent() const;

    // Paints the fill over Rect, first cleared with BackColor under
    // foFillInner.
    void FillCanvas(TCanvas* Canvas, const RECT& Rect, TColor BackColor);
    // As FillCanvas, clipped to Rect widened by Width, except a gradient
    // painted through its bitmap, which fills Rect by itself.
    void ClipFill(TCanvas* Canvas, const RECT& Rect, int Width, TColor BackColor);

    // From another fill object: the fill and the fill object's own settings,
    // one notification.
    void Assign(TPersistent* Source) override;

private:
    bool Places_Bitmap() const;
    void Draw_Bitmap(TCanvas* Canvas, const RECT& Rect, TBitmap* Bitmap) const;

    TSCLAlignment alignment = agTopLeft;
    int offset_x = 0;
    int offset_y = 0;
    std::unique_ptr<TBrush> brush;
    TSCLFillOptions options{foFillInner, foGrUseBitmap};
};
