#include "platform/classlib/ExtCtrls_Controls.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>

#include "platform/winapi/Gdi_Text.h"

namespace {

void Inset(RECT& rect, int by)
{
    rect.left += by;
    rect.top += by;
    rect.right -= by;
    rect.bottom -= by;
}

} // namespace

void Frame3D(TCanvas* Canvas, RECT& Rect, TColor Top_Color, TColor Bottom_Color, int Width)
{
    Canvas->Brush()->SetStyle(bsSolid);
    for (int step = 0; step < Width && Rect.right > Rect.left && Rect.bottom > Rect.top; ++step) {
        Canvas->Brush()->SetColor(Top_Color);
        Canvas->FillRect(RECT{Rect.left, Rect.top, Rect.right - 1, Rect.top + 1});
        Canvas->FillRect(RECT{Rect.left, Rect.top, Rect.left + 1, Rect.bottom - 1});
        Canvas->Brush()->SetColor(Bottom_Color);
        Canvas->FillRect(RECT{Rect.right - 1, Rect.top, Rect.right, Rect.bottom});
        Canvas->FillRect(RECT{Rect.left, Rect.bottom - 1, Rect.right, Rect.bottom});
        Inset(Rect, 1);
    }
}

// ---- Panel -----------------------------------------------------------------

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls, csOpaque, csReplicatable});
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
    SetParentColor(false);
}

int TCustomPanel::Frame_Size() const
{
    int size = border_width + (border_style == bsSingle ? 1 : 0);
    if (bevel_outer != bvNone)
        size += bevel_width;
    if (bevel_inner != bvNone)
        size += bevel_width;
    return size;
}

void TCustomPanel::Changed()
{
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TPanelBevel Value)
{
    bevel_outer = Value;
    Changed();
}

void TCustomPanel::SetBevelInner(TPanelBevel Value)
{
    bevel_inner = Value;
    Changed();
}

void TCustomPanel::SetBevelWidth(int Value)
{
    bevel_width = std::max(1, Value);
    Changed();
}

void TCustomPanel::SetBorderWidth(int Value)
{
    border_width = std::max(0, Value);
    Changed();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value)
{
    border_style = Value == bsSingle ? bsSingle : bsNone;
    Changed();
}

void TCustomPanel::SetAlignment(TAlignment Value)
{
    alignment = Value;
    Invalidate();
}

void TCustomPanel::AdjustClientRect(RECT& Rect)
{
    TCustomControl::AdjustClientRect(Rect);
    Inset(Rect, Frame_Size());
}

namespace {

void Bevel_Frame(TCanvas* canvas, RECT& rect, TPanelBevel bevel, int width)
{
    if (bevel == bvNone)
        return;
    if (bevel == bvSpace) {
        Inset(rect, width);
        return;
    }
    const bool raised = bevel == bvRaised;
    Frame3D(canvas, rect, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight, width);
}

} // namespace

void TCustomPanel::Paint()
{
    TCanvas* canvas = Canvas();
    RECT rect = ClientRect();
    if (border_style == bsSingle)
        Frame3D(canvas, rect, clWindowFrame, clWindowFrame, 1);
    Bevel_Frame(canvas, rect, bevel_outer, bevel_width);
    Frame3D(canvas, rect, Color(), Color(), border_width);
    Bevel_Frame(canvas, rect, bevel_inner, bevel_width);
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(rect);
    if (Caption().empty())
        return;
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetFont(Font());
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
    flags |= alignment == taCenter ? DT_CENTER : alignment == taRightJustify ? DT_RIGHT : DT_LEFT;
    DrawTextA(canvas->Handle(), Caption().c_str(), -1, &rect, flags);
}

void TCustomPanel::Dispatch(TMessage& Message)
{
    TCustomControl::Dispatch(Message);
    if (Message.Msg == CM_TEXTCHANGED)
        Invalidate();
}

// ---- Bevel -----------------------------------------------------------------

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetControlStyle(ControlStyle() + TControlStyle{csReplicatable});
    SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape Value)
{
    shape = Value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value)
{
    style = Value;
    Invalidate();
}

void TBevel::Paint()
{
    TCanvas* canvas = Canvas();
    const TColor first = style == bsLowered ? clBtnShadow : clBtnHighlight;
    const TColor second = style == bsLowered ? clBtnHighlight : clBtnShadow;
    RECT rect = ClientRect();
    const int w = rect.right;
    const int h = rect.bottom;
    canvas->Brush()->SetStyle(bsSolid);
    auto fill = [canvas](TColor color, RECT part) {
        canvas->Brush()->SetColor(color);
        canvas->FillRect(part);
    };
    switch (shape) {
    case bsBox: Frame3D(canvas, rect, first, second, 1); break;
    case bsFrame: {
        RECT outer{0, 0, w - 1, h - 1};
        RECT inner{1, 1, w, h};
        Frame3D(canvas, inner, second, second, 1);
        Frame3D(canvas, outer, first, first, 1);
        break;
    }
    case bsTopLine:
        fill(first, RECT{0, 0, w, 1});
        fill(second, RECT{0, 1, w, 2});
        break;
    case bsBottomLine:
        fill(first, RECT{0, h - 2, w, h - 1});
        fill(second, RECT{0, h - 1, w, h});
        break;
    case bsLeftLine:
        fill(first, RECT{0, 0, 1, h});
        fill(second, RECT{1, 0, 2, h});
        break;
    case bsRightLine:
        fill(first, RECT{w - 2, 0, w - 1, h});
        fill(second, RECT{w - 1, 0, w, h});
        break;
    case bsSpacer: break;
    }
}

// ---- Picture ---------------------------------------------------------------

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Take(std::unique_ptr<TGraphic> Next)
{
    graphic = std::move(Next);
    if (graphic)
        graphic->OnChange = [this](TObject*) { Changed(); };
    Changed();
}

void TPicture::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TPicture::SetGraphic(TGraphic* Value)
{
    if (!Value) {
        Take(nullptr);
        return;
    }
    std::unique_ptr<TGraphic> copy;
    if (dynamic_cast<TIcon*>(Value))
        copy = std::make_unique<TIcon>();
    else
        copy = std::make_unique<TBitmap>();
    copy->Assign(Value);
    Take(std::move(copy));
}

TBitmap* TPicture::Bitmap()
{
    if (!dynamic_cast<TBitmap*>(graphic.get()))
        Take(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(graphic.get());
}

TIcon* TPicture::Icon()
{
    if (!dynamic_cast<TIcon*>(graphic.get()))
        Take(std::make_unique<TIcon>());
    return static_cast<TIcon*>(graphic.get());
}

void TPicture::LoadFromFile(const std::string& FileName)
{
    const std::string extension = LowerCase(std::filesystem::path(FileName).extension().string());
    std::unique_ptr<TGraphic> loaded;
    if (extension == ".bmp")
        loaded = std::make_unique<TBitmap>();
    else if (extension == ".ico")
        loaded = std::make_unique<TIcon>();
    else
        throw EInvalidGraphic("Unknown picture file extension (" + extension + ")");
    loaded->LoadFromFile(FileName);
    Take(std::move(loaded));
}

void TPicture::Assign(TPersistent* Source)
{
    if (!Source) {
        SetGraphic(nullptr);
        return;
    }
    if (auto* picture = dynamic_cast<TPicture*>(Source)) {
        SetGraphic(picture->Graphic());
        return;
    }
    if (auto* source_graphic = dynamic_cast<TGraphic*>(Source)) {
        SetGraphic(source_graphic);
        return;
    }
    TPersistent::Assign(Source);
}

void TPicture::ReadData(TStream& Stream)
{
    unsigned char length = 0;
    Stream.ReadBuffer(&length, 1);
    std::string class_name(length, '\0');
    if (length > 0)
        Stream.ReadBuffer(class_name.data(), length);
    std::unique_ptr<TGraphic> loaded;
    TMemoryStream picture_data;
    if (class_name == "TBitmap") {
        std::uint32_t size = 0;
        Stream.ReadBuffer(&size, 4);
        if (size > Stream.Size() - Stream.Position())
            throw EInvalidGraphic("Bitmap image is not valid");
        picture_data.CopyFrom(Stream, size);
        loaded = std::make_unique<TBitmap>();
    } else if (class_name == "TIcon") {
        if (Stream.Size() > Stream.Position())
            picture_data.CopyFrom(Stream, Stream.Size() - Stream.Position());
        loaded = std::make_unique<TIcon>();
    } else {
        throw EInvalidGraphic("Unknown picture class " + class_name);
    }
    picture_data.SetPosition(0);
    loaded->LoadFromStream(picture_data);
    Take(std::move(loaded));
}

void TPicture::WriteData(TStream& Stream)
{
    const std::string class_name = dynamic_cast<TIcon*>(graphic.get()) ? "TIcon" : "TBitmap";
    const auto length = static_cast<unsigned char>(class_name.size());
    Stream.WriteBuffer(&length, 1);
    Stream.WriteBuffer(class_name.data(), length);
    TMemoryStream picture_data;
    if (graphic)
        graphic->SaveToStream(picture_data);
    if (class_name == "TBitmap") {
        const auto size = static_cast<std::uint32_t>(picture_data.Size());
        Stream.WriteBuffer(&size, 4);
    }
    if (picture_data.Size() > 0)
        Stream.WriteBuffer(picture_data.Memory(), static_cast<int>(picture_data.Size()));
}

// ---- Image -----------------------------------------------------------------

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), picture(std::make_unique<TPicture>())
{
    SetControlStyle(ControlStyle() + TControlStyle{csReplicatable});
    SetBounds(0, 0, 105, 105);
    picture->OnChange = [this](TObject*) { Picture_Changed(); };
}

TImage::~TImage() { picture->OnChange = nullptr; }

void TImage::Picture_Changed()
{
    if (TGraphic* graphic = picture->Graphic(); graphic && transparent != graphic->Transparent())
        graphic->SetTransparent(transparent);
    if (auto_size && picture->Width() > 0 && picture->Height() > 0)
        SetBounds(Left(), Top(), picture->Width(), picture->Height());
    Invalidate();
}

void TImage::SetStretch(bool Value)
{
    stretch = Value;
    Invalidate();
}

void TImage::SetCenter(bool Value)
{
    center = Value;
    Invalidate();
}

void TImage::SetTransparent(bool Value)
{
    transparent = Value;
    Picture_Changed();
}

void TImage::SetAutoSize(bool Value)
{
    auto_size = Value;
    Picture_Changed();
}

RECT TImage::Dest_Rect()
{
    if (stretch)
        return ClientRect();
    const int w = picture->Width();
    const int h = picture->Height();
    if (!center)
        return RECT{0, 0, w, h};
    const int x = (ClientWidth() - w) / 2;
    const int y = (ClientHeight() - h) / 2;
    return RECT{x, y, x + w, y + h};
}

void TImage::Paint()
{
    TGraphic* graphic = picture->Graphic();
    if (graphic && !graphic->Empty())
        Canvas()->StretchDraw(Dest_Rect(), graphic);
}
