#pragma once
// The windowless control that draws a geometric shape with bevel, shadow,
// fill, optional teeth and a caption. The outline is kept as a point list,
// recomputed after a shaping change and lazily after a resize; the fill
// modes keep the prepared fill picture in an off-screen bitmap of their own
// and copy the shape onto the canvas keyed on Color, so a fill pixel of
// exactly Color shows what lies under the control.

#include <array>
#include <memory>
#include <string>

#include "components/controls/SCLShadow.h"
#include "components/controls/Sclbasegraphiccontrol.h"
#include "components/controls/Sclcaption.h"
#include "components/controls/Sclgrapa.h"
#include "components/controls/Sclshape.h"
#include "components/controls/Sclshapefill.h"
#include "components/controls/Sclsimplebevel.h"
#include "components/controls/Sclteeth.h"
#include "components/foundations/Sclpointlist.h"
#include "platform/classlib/Graphics_Bitmap.h"

enum TSCLShapeControlMode { scmShapeFast, scmShapeFill, scmTeethFast, scmTeethFill };
template <>
struct TSCLEnumInfo<TSCLShapeControlMode> {
    static constexpr const char* TypeName = "TSCLShapeControlMode";
    static constexpr std::array<const char*, 4> Names{"scmShapeFast", "scmShapeFill", "scmTeethFast",
                                                      "scmTeethFill"};
};

class TSCLBaseShape : public TSCLBaseGraphicControl {
public:
    explicit TSCLBaseShape(TComponent* AOwner);
    ~TSCLBaseShape() override;

    TSCLSimpleBevel* Bevel() const { return bevel.get(); }
    TBrush* Brush() const { return brush.get(); }
    TSCLCaption* Caption() const { return caption.get(); }
    TSCLShadow* Shadow() const { return shadow.get(); }
    TSCLShapeFill* ShapeFill() const { return shape_fill.get(); }
    TSCLTeeth* Teeth() const { return teeth.get(); }
    TColor BrushBackColor() const { return brush_back_color; }
    bool CaptionClip() const { return caption_clip; }
    TSCLPercent RoundPercent() const { return round_percent; }
    TSCLShapeType Shape() const { return shape; }
    bool Square() const { return square; }
    TSCLShapeControlMode Mode() const { return mode; }
    // The outline of the last calculation.
    TSCLPointList* Outline() const { return outline.get(); }
    // The prepared fill picture; only in the fill modes.
    TBitmap* OffscreenBitmap() const { return offscreen.get(); }

    // Assign into the owned objects.
    void SetBevel(TSCLSimpleBevel* Value);
    void SetBrush(TBrush* Value);
    void SetCaption(TSCLCaption* Value);
    void SetShadow(TSCLShadow* Value);
    void SetShapeFill(TSCLShapeFill* Value);
    void SetTeeth(TSCLTeeth* Value);
    void SetBrushBackColor(TColor Value);
    void SetCaptionClip(bool Value);
    void SetRoundPercent(TSCLPercent Value);
    void SetShape(TSCLShapeType Value);
    void SetSquare(bool Value);
    void SetMode(TSCLShapeControlMode Value);

    // A caption change only repaints; any other recomputes the outline.
    void GetChange(TObject* Sender) override;
    void GetIMLChange(TObject* Sender) override;
    HPALETTE GetPalette();

    virtual void DrawCaption(TCanvas* Canvas, const RECT& Rect);
    virtual RECT GetGradientRect();
    virtual std::string GetLabelText();

    // The whole control as it paints, as a BMP file.
    void SaveToFile(const std::string& FileName);
    void PaintToCanvas(TCanvas* Canvas);

protected:
    void Paint() override;
    void BoundsChange(TSCLBoundsChangeStates State) override;

private:
    bool Teeth_Mode() const { return mode == scmTeethFast || mode == scmTeethFill; }
    bool Fill_Mode() const { return mode == scmShapeFill || mode == scmTeethFill; }
    TSCLTeeth* Teeth_In_Use() const { return Teeth_Mode() ? teeth.get() : nullptr; }
    void Calc_Outline(const RECT& Rect);
    void GetShapeChange();
    void OffscreenPaint();
    void Shape_Draw(TCanvas* Canvas, TBrush* ABrush, TBitmap* Fill, TColor AColor);
    void Fill_Back(TCanvas* Canvas);
    void Paint_Through_Bitmap(TCanvas* Canvas);
    RECT Less_Teeth(RECT Rect) const;

    std::unique_ptr<TSCLSimpleBevel> bevel;
    std::unique_ptr<TBrush> brush;
    std::unique_ptr<TSCLCaption> caption;
    std::unique_ptr<TSCLShadow> shadow;
    std::unique_ptr<TSCLShapeFill> shape_fill;
    std::unique_ptr<TSCLTeeth> teeth;
    std::unique_ptr<TSCLPointList> outline;
    std::unique_ptr<TBitmap> offscreen;
    // The shape drawn over the fill picture on the key colour: it changes
    // with the same settings as the fill picture, and with the key.
    std::unique_ptr<TBitmap> composed;
    TColor composed_key = clNone;
    TColor brush_back_color = clBtnFace;
    bool caption_clip = false;
    TSCLPercent round_percent = 33;
    TSCLShapeType shape = stRectangle;
    bool square = false;
    TSCLShapeControlMode mode = scmShapeFast;
    bool outline_dirty = true;
};
