#pragma once
// A parent panel whose background comes from a fill object (brush, bitmap,
// bitmap-list item or gradient) and which draws its caption with an effect
// caption.

#include <memory>

#include "components/controls/SCLCustomParentPanel.h"
#include "components/controls/SCLFillObject.h"
#include "components/foundations/Sclfxcaption.h"
#include "components/foundations/Sclgraph.h"

class TSCLCustomPanelFill : public TSCLCustomParentPanel {
public:
    explicit TSCLCustomPanelFill(TComponent* AOwner);
    ~TSCLCustomPanelFill() override;

    TSCLAlignment Alignment() const { return alignment; }
    void SetAlignment(TSCLAlignment Value);
    bool TransparentBorder() const { return transparent_border; }
    void SetTransparentBorder(bool Value);
    TSCLFxCaption* FontFX() const { return font_fx.get(); }
    void SetCaptionFx(TSCLFxCaption* Value) { font_fx->Assign(Value); }
    TSCLFillObject* FillObject() const { return fill_object.get(); }
    void SetFillObject(TSCLFillObject* Value) { fill_object->Assign(Value); }

    // The back bitmap painted by the fill over Color, then through BackFX.
    void CreateBack(bool Force) override;
    void GetChange(TObject* Sender) override;
    bool GetEmpty() override;
    // The list item becomes the fill's list bitmap.
    void GetIMLChange(TObject* Sender) override;
    void Loaded() override;
    void Dispatch(TMessage& Message) override;

    // The caption placed in Rect by Alignment, drawn with FontFX.
    virtual void DrawCaption(const RECT& Rect, TSCLAlignment AAlignment);

protected:
    void Paint() override;
    void Resize() override;

private:
    TSCLAlignment alignment = agCenter;
    bool transparent_border = false;
    std::unique_ptr<TSCLFxCaption> font_fx;
    std::unique_ptr<TSCLFillObject> fill_object;
};
