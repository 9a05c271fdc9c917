#pragma once
// A window outline other than a rectangle: the region description names one
// of the shapes of Sclrgnshapes, builds its region for a rectangle, can hand
// that region to a windowed control as its window region, and paints the
// outline with its border and its shadow band. The form shape component
// owns one (TSCLBorderRegion, which publishes the border too).
//
// Stored form: the published properties, then "PointList" (only with
// points): a list of X, Y integers per point. Reading replaces the points.

#include <memory>
#include <span>
#include <vector>

#include "components/controls/SCLCustomControl.h"
#include "components/controls/SCLFillObject.h"
#include "components/controls/SCLRgnShadow.h"
#include "components/controls/Sclregionborder.h"
#include "components/controls/Sclregionmask.h"
#include "components/controls/Sclrgnshapes.h"
#include "components/foundations/Sclobject.h"
#include "components/foundations/Sclpointlist.h"
#include "components/foundations/Sclwndproccomponent.h"
#include "platform/classlib/Controls.h"

class TFiler;
class TReader;
class TWriter;

class TSCLRegion : public TSCLObject {
public:
    TSCLRegion();
    ~TSCLRegion() override;
    TSCLRegion(const TSCLRegion&) = delete;
    TSCLRegion& operator=(const TSCLRegion&) = delete;

    TSCLRegionShape Shape() const { return shape; }
    void SetRegionShape(TSCLRegionShape Value);
    TSCLExtPos ExtPos() const { return ext_pos; }
    void SetNosePos(TSCLExtPos Value);
    int RoundX() const { return round_x; }
    int RoundY() const { return round_y; }
    // 0 RoundX, 1 RoundY; a change notifies only while a round shape uses it.
    void SetInteger(int Index, int Value);
    void SetRoundX(int Value) { SetInteger(0, Value); }
    void SetRoundY(int Value) { SetInteger(1, Value); }
    int BubbleCount() const { return bubble_count; }

    TSCLRegionBorder* Border() const { return border.get(); }
    TSCLRegionMask* Mask() const { return mask.get(); }
    TSCLRgnShadow* Shadow() const { return shadow.get(); }
    TSCLPointList* Points() const { return points.get(); }
    void SetBorder(TSCLRegionBorder* Value) { border->Assign(Value); }
    void SetMask(TSCLRegionMask* Value) { mask->Assign(Value); }
    void SetShadow(TSCLShadow* Value) { shadow->Assign(Value); }

    // The window that receives the region (not owned); nil for none.
    TWinControl* Control() const { return control; }
    void SetControl(TWinControl* Value) { control = Value; }

    // The region of the last build (owned; nil when the shape gave none).
    HRGN Region() const { return region; }
    std::span<const BYTE> UserRegionData() const { return user_region_data; }

    // Builds the region of the shape for R, less the shadow's depth at the
    // right and bottom. Nothing while the control is being destroyed.
    virtual void CreateRegion(const RECT& R);
    // As CreateRegion, but always the plain rectangle R.
    void CreateSpecialRectRgn(const RECT& R);
    // The region, with its shadow band, becomes the control's window region.
    void SetRegion();
    // The window is rectangular again.
    void FreeRegion();
    // The region's data becomes the user region; the caller keeps Region.
    void SetUserRgn(HRGN Region);
    // The points replace the point list; their polygon is the user region.
    void SetUserPolygonRgn(std::span<const POINT> Points);
    // With points and the point-list shape: their polygon is the user region.
    void GetPointListChange(TObject* Sender);
    static void DeleteHandle(HRGN& Handle);

    // Fills the shadow band and takes the shadow's depth from R's right and
    // bottom; without a shadow nothing happens.
    void DrawShadow(TCanvas* Canvas, RECT& R);
    // The shadow band, then the border along the outline of the shape.
    virtual void PaintRegionShape(TCanvas* Canvas, const RECT& R);

    // From another region description: shape, corners, shadow, corner
    // position, border and mask, then one notification. Neither the points
    // nor the user region are copied.
    void Assign(TPersistent* Source) override;
    void DefineProperties(TFiler& Filer);

private:
    bool Control_Has(TComponentStateItem State) const;
    void Store_Polygon();
    void Read_Points(TReader& Reader);
    void Write_Points(TWriter& Writer);
    void Paint_Outline(TCanvas* Canvas, const RECT& R);

    TSCLRegionShape shape = rsRoundRect;
    std::unique_ptr<TSCLRegionBorder> border;
    std::unique_ptr<TSCLRegionMask> mask;
    int bubble_count = 4;
    int round_x = 20;
    int round_y = 20;
    HRGN region = nullptr;
    HRGN window_region_copy = nullptr;
    TWinControl* control = nullptr;
    std::vector<BYTE> user_region_data;
    TSCLExtPos ext_pos = epLeftTop;
    std::unique_ptr<TSCLRgnShadow> shadow;
    std::unique_ptr<TSCLPointList> points;
};

// The published region description, with its border.
class TSCLBorderRegion : public TSCLRegion {
public:
    TSCLBorderRegion() = default;
};

// Gives its owner form the window region of its region description (the
// caption strip kept or cut away), lets the user drag the form by its
// client area, paints the form's background from its fill object or the
// mask's bitmap and offers that background to transparent children. A
// maximised form has no region: it shows its whole window.
class TSCLFormShape : public TSCLWndProcComponent, public TSCLFormBackProvider {
public:
    // At design time a second shape on the form raises SCLEOneInstError.
    explicit TSCLFormShape(TComponent* AOwner);
    ~TSCLFormShape() override;

    TSCLBorderRegion* Region() const { return region.get(); }
    void SetRegion(TSCLBorderRegion* Value) { region->Assign(Value); }
    TSCLFillObject* FillObject() const { return fill_object.get(); }
    void SetFillObject(TSCLFillObject* Value) { fill_object->Assign(Value); }
    bool ShowFormCaption() const { return show_form_caption; }
    bool FormDragable() const { return form_dragable; }
    bool UseRgnBitmap() const { return use_rgn_bitmap; }
    // 0 ShowFormCaption, 1 FormDragable, 2 UseRgnBitmap.
    void SetBoolean(int Index, bool Value);
    int ListIndex() const { return list_index; }
    int ImageIndex() const { return image_index; }
    // 0 ListIndex, 1 ImageIndex; shown at the next background paint.
    void SetInteger(int Index, int Value);
    TSCLCustomImageList* ImageList() const { return image_list; }
    void SetImageList(TSCLCustomImageList* Value);
    bool HasControl() const;
    bool CheckCont() const;
    void DefineProperties(TFiler& Filer);

    // Recomputes the window region and hands it to the form's window.
    void ReRegion();
    void SetRegionShape(HRGN Shape);
    void SetPolygonShape(std::span<const POINT> Points);
    // The client background and the region's outline on DC (0: the form's canvas).
    void PaintBorder(HDC DC);

    TBitmap* BackBitmap() override;
    bool BackBitmapCheck() override;
    bool BackDrawArea(TCanvas* Canvas, const RECT& Dest, POINT Src, WORD Flags) override;
    POINT BackMapPoint(POINT P) override { return P; }

    void GetChange(TObject* Sender) override;
    void GetIMLChange(TObject* Sender) { GetChange(Sender); }
    void Loaded() override;
    void WndProc(TMessage& Message) override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    bool Designing() const { return ComponentState().Contains(csDesigning); }
    bool Mask_Background() const { return use_rgn_bitmap && region->Shape() == rsBitmap; }
    HRGN Shaped_Region(TCustomForm* Form, int FrameX, int FrameY, int Caption);
    void Hit_Test(TMessage& Message);

    std::unique_ptr<TSCLBorderRegion> region;
    bool use_rgn_bitmap = true;
    bool right_button = false;
    bool form_dragable = true;
    bool show_form_caption = true;
    std::unique_ptr<TSCLFillObject> fill_object;
    TBitmap back_bitmap;
    int list_index = 0;
    int image_index = 0;
    TSCLChangeLink link;
    TSCLCustomImageList* image_list = nullptr;
};
