#pragma once
// The panel (a windowed container with bevels and a caption), the bevel
// (windowless lines and frames), and the image (a windowless picture).

#include <memory>
#include <string>

#include "platform/classlib/StdCtrls.h"

enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };
enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

// Draws Width nested one-pixel frames inside Rect, lighter Top_Color on the
// top and left, Bottom_Color on the bottom and right; Rect ends inside them.
void Frame3D(TCanvas* Canvas, RECT& Rect, TColor Top_Color, TColor Bottom_Color, int Width);

class TCustomPanel : public TCustomControl {
public:
    explicit TCustomPanel(TComponent* AOwner);

    TPanelBevel BevelOuter() const { return bevel_outer; }
    void SetBevelOuter(TPanelBevel Value);
    TPanelBevel BevelInner() const { return bevel_inner; }
    void SetBevelInner(TPanelBevel Value);
    int BevelWidth() const { return bevel_width; }
    void SetBevelWidth(int Value);
    int BorderWidth() const { return border_width; }
    void SetBorderWidth(int Value);
    // bsSingle: a black line round the panel, inside its window.
    TBorderStyle BorderStyle() const { return border_style; }
    void SetBorderStyle(TBorderStyle Value);
    TAlignment Alignment() const { return alignment; }
    void SetAlignment(TAlignment Value);

    void Dispatch(TMessage& Message) override;

protected:
    void Paint() override;
    void AdjustClientRect(RECT& Rect) override;

private:
    int Frame_Size() const;
    void Changed();

    TPanelBevel bevel_outer = bvRaised;
    TPanelBevel bevel_inner = bvNone;
    int bevel_width = 1;
    int border_width = 0;
    TBorderStyle border_style = bsNone;
    TAlignment alignment = taCenter;
};

class TPanel : public TCustomPanel {
public:
    using TCustomPanel::TCustomPanel;
};

class TBevel : public TGraphicControl {
public:
    explicit TBevel(TComponent* AOwner);

    TBevelShape Shape() const { return shape; }
    void SetShape(TBevelShape Value);
    TBevelStyle Style() const { return style; }
    void SetStyle(TBevelStyle Value);

protected:
    void Paint() override;

private:
    TBevelShape shape = bsBox;
    TBevelStyle style = bsLowered;
};

// A picture of any graphic class, owned; changes reach OnChange.
class TPicture : public TPersistent {
public:
    TPicture();
    ~TPicture() override;

    // nullptr when empty.
    TGraphic* Graphic() const { return graphic.get(); }
    // Copies Value (nullptr empties).
    void SetGraphic(TGraphic* Value);
    // The picture as a bitmap: an empty one replaces another kind of graphic.
    TBitmap* Bitmap();
    TIcon* Icon();
    int Width() const { return graphic ? graphic->Width() : 0; }
    int Height() const { return graphic ? graphic->Height() : 0; }
    // ".bmp" and ".ico" files; another extension raises EInvalidGraphic.
    void LoadFromFile(const std::string& FileName);
    void Assign(TPersistent* Source) override;
    // The picture as a form resource keeps it: the graphic's class name
    // (a length byte, then the name), then for a bitmap its BMP file after
    // a 32-bit size, for an icon its ICO file. A broken or unknown picture
    // raises EInvalidGraphic.
    void ReadData(TStream& Stream);
    void WriteData(TStream& Stream);

    TNotifyEvent OnChange;

private:
    void Take(std::unique_ptr<TGraphic> Next);
    void Changed();

    std::unique_ptr<TGraphic> graphic;
};

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;

    TPicture* Picture() const { return picture.get(); }
    void SetPicture(TPicture* Value) { picture->Assign(Value); }
    bool Stretch() const { return stretch; }
    void SetStretch(bool Value);
    bool Center() const { return center; }
    void SetCenter(bool Value);
    bool Transparent() const { return transparent; }
    void SetTransparent(bool Value);
    // The image takes the picture's size.
    bool AutoSize() const { return auto_size; }
    void SetAutoSize(bool Value);

protected:
    void Paint() override;

private:
    RECT Dest_Rect();
    void Picture_Changed();

    std::unique_ptr<TPicture> picture;
    bool stretch = false;
    bool center = false;
    bool transparent = false;
    bool auto_size = false;
};
