#pragma once
// The shape button: a graphic button whose face is a geometric shape,
// filled with the state's colour (fast mode) or from a fill object (fill
// mode), with a bevel that shows the pressed state and an optional shadow.
// Clicks outside the shape fall through.

#include <cstdint>
#include <memory>

#include "components/controls/Sclbasegraphicbutton.h"
#include "components/controls/Sclshape.h"
#include "components/controls/Sclshapebuttoncolor.h"
#include "components/controls/Sclshapefill.h"
#include "components/foundations/Sclpointlist.h"

enum TSCLShapeButtonStyle { sbsShadow, sbs3D };
template <>
struct TSCLEnumInfo<TSCLShapeButtonStyle> {
    static constexpr const char* TypeName = "TSCLShapeButtonStyle";
    static constexpr std::array<const char*, 2> Names{"sbsShadow", "sbs3D"};
};
enum TSCLShapeButtonMode { sbmShapeFast, sbmShapeFill };
template <>
struct TSCLEnumInfo<TSCLShapeButtonMode> {
    static constexpr const char* TypeName = "TSCLShapeButtonMode";
    static constexpr std::array<const char*, 2> Names{"sbmShapeFast", "sbmShapeFill"};
};

class TSCLCustomShapeButton : public TSCLBaseGraphicButton {
public:
    explicit TSCLCustomShapeButton(TComponent* AOwner);
    ~TSCLCustomShapeButton() override;

    TSCLShape* Shape() const { return shape.get(); }
    void SetShape(TSCLShape* Value) { shape->Assign(Value); }
    TSCLShapeButtonColor* Colors() const { return colors.get(); }
    void SetColors(TSCLShapeButtonColor* Value) { colors->Assign(Value); }
    TSCLShapeFill* ShapeFill() const { return shape_fill.get(); }
    void SetShapeFill(TSCLShapeFill* Value) { shape_fill->Assign(Value); }
    TSCLShapeButtonStyle Style() const { return style; }
    void SetShapeStyle(TSCLShapeButtonStyle Value);
    TSCLShapeButtonMode Mode() const { return mode; }
    void SetMode(TSCLShapeButtonMode Value);
    bool BevelFlag() const { return bevel_flag; }
    void SetBevelFlag(bool Value);

    TSCLCustomImageList* ShapeFillImageList() const { return fill_list; }
    void SetBtnFaceImageList(TSCLCustomImageList* List);
    std::int32_t ShapeFillImageIndex() const { return fill_image_index; }
    std::int32_t ShapeFillListIndex() const { return fill_list_index; }
    // 0 ShapeFillImageIndex, 1 ShapeFillListIndex; negative or equal ignored.
    void SetBtnFaceIndex(int Index, std::int32_t Value);
    void GetIMLFaceChange();

    // The rectangle the caption is drawn in, for the current state.
    RECT TextRect();
    // The face's offset when pressed: the shadow depth, or 2 pixels in 3D.
    int PressedShift() const;

    void GetChange(TObject* Sender) override;
    void Dispatch(TMessage& Message) override;
    bool ShapeButtonColorChange() override { return colors->MouseOver() != colors->Up(); }
    bool VerifyTransparency(int X, int Y) override;
    HPALETTE GetPalette() const { return shape_fill->GetPalette(); }
    void Loaded() override;
    void DefineProperties(TFiler& Filer);

protected:
    void Paint() override;
    void BoundsChange(TSCLBoundsChangeStates State) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    bool Pressed_Look() const;
    int Shadow_Depth() const;
    void Calc_Outline();
    void Paint_Fill();
    void Paint_Fast();
    void Draw_Back(TCanvas* Canvas);
    void Draw_Shape(TCanvas* Canvas, TBrush* Brush, TBitmap* Fill, TColor Back);

    std::unique_ptr<TSCLShape> shape;
    std::unique_ptr<TSCLShapeButtonColor> colors;
    std::unique_ptr<TBitmap> face;
    std::unique_ptr<TSCLShapeFill> shape_fill;
    TSCLCustomImageList* fill_list = nullptr;
    std::int32_t fill_image_index = 0;
    std::int32_t fill_list_index = 0;
    TSCLChangeLink fill_link;
    TSCLShapeButtonStyle style = sbsShadow;
    TSCLShapeButtonMode mode = sbmShapeFast;
    bool bevel_flag = false;
    std::unique_ptr<TBrush> brush;
    std::unique_ptr<TSCLPointList> outline;
    // The composed faces of an opaque button in fill mode, per state and
    // hover switch: hovering only copies one.
    std::array<std::unique_ptr<TBitmap>, 16> faces;
    void Forget_Faces();
};
