#pragma once
// A framed container whose caption sits on one of the frame's four sides,
// at its start, centre or end, drawn with 3D effects and turned by 90
// degrees on the left side and 270 on the right. The frame runs through the
// middle of the caption band and is cut out under the text; children are
// aligned beside the band. The background is the parent panel's: its own
// list picture, the parent's back bitmap when transparent, or Color.

#include <memory>

#include "components/controls/SCLCustomParentPanel.h"
#include "components/foundations/Scl3dcaption.h"
#include "components/foundations/Sclfxcaption.h"

enum TSCLGroupCaptionAlign {
    gcaTopLeft, gcaTopCenter, gcaTopRight, gcaLeftBottom, gcaLeftCenter, gcaLeftTop, gcaBottomLeft, gcaBottomCenter,
    gcaBottomRight, gcaRightTop, gcaRightCenter, gcaRightBottom
};
template <>
struct TSCLEnumInfo<TSCLGroupCaptionAlign> {
    static constexpr const char* TypeName = "TSCLGroupCaptionAlign";
    static constexpr std::array<const char*, 12> Names{
        "gcaTopLeft",    "gcaTopCenter",    "gcaTopRight",    "gcaLeftBottom", "gcaLeftCenter",  "gcaLeftTop",
        "gcaBottomLeft", "gcaBottomCenter", "gcaBottomRight", "gcaRightTop",   "gcaRightCenter", "gcaRightBottom"
    };
};

class TSCLCustomGroupBox : public TSCLCustomParentPanel {
public:
    explicit TSCLCustomGroupBox(TComponent* AOwner);
    ~TSCLCustomGroupBox() override;

    bool ShowAccelChar() const { return show_accel_char; }
    void SetAccelChar(bool Value);
    TSCLGroupCaptionAlign Alignment() const { return alignment; }
    void SetAlignCaption(TSCLGroupCaptionAlign Value);
    int CaptionOffset() const { return caption_offset; }
    void SetCaptionOffset(int Value);
    TFont* CaptionFont() const { return caption_font.get(); }
    void SetCaptionFont(TFont* Value) { caption_font->Assign(Value); }
    bool CaptionParentFont() const { return caption_parent_font; }
    void SetCaptionParentFont(bool Value);
    TSCL3DCaption* CaptionFont3D() const { return caption_font_3d.get(); }
    void SetFont3D(TSCL3DCaption* Value) { caption_font_3d->Assign(Value); }
    // The effect caption the text is drawn with: CaptionFont3D's settings
    // and the side's angle.
    TSCLFxCaption* FxCaption() const { return fx_caption.get(); }

    int GetCaptionHeight() const { return caption_height; }
    // The band the caption lies in and the rectangle of the frame.
    RECT CaptionBand();
    RECT BevelRect();
    // The caption's text rectangle inside its band.
    RECT CaptionTextRect();

    void GetChange(TObject* Sender) override;
    void Loaded() override;
    void Dispatch(TMessage& Message) override;

protected:
    void Paint() override;
    void AlignControls(TControl* AControl, RECT& Rect) override;

private:
    enum class Side { Top, Left, Bottom, Right };
    Side Caption_Side() const;
    void SetCaptionHeight();
    TSCLAlignment Text_Alignment() const;
    bool Dialog_Char(TMessage& Message);
    void Parent_Font_Changed(TMessage& Message);

    bool show_accel_char = true;
    TSCLGroupCaptionAlign alignment = gcaTopLeft;
    int caption_offset = 8;
    std::unique_ptr<TFont> caption_font;
    bool caption_parent_font = true;
    std::unique_ptr<TSCL3DCaption> caption_font_3d;
    std::unique_ptr<TSCLFxCaption> fx_caption;
    int caption_height = 0;
    bool measuring = false;
};
