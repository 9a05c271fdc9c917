#include "platform/classlib/ImgList.h"

#include <algorithm>

#include "platform/classlib/Class_Registry.h"

namespace {

const bool Image_List_Registered = [] {
    RegisterClass<TCustomImageList, TComponent>("TCustomImageList")
        .Property("Width", Integer_Type(1), &TCustomImageList::Width, &TCustomImageList::SetWidth, 16)
        .Property("Height", Integer_Type(1), &TCustomImageList::Height, &TCustomImageList::SetHeight, 16)
        .Property("Masked", Boolean_Type(), &TCustomImageList::Masked, &TCustomImageList::SetMasked, true);
    RegisterComponentClass<TImageList, TCustomImageList>("TImageList");
    return true;
}();

// Pixel x, y of a bitmap as a colour.
TColor Pixel(TBitmap* Bitmap, int X, int Y) { return Bitmap->Canvas()->Pixels(X, Y); }

TColor Grey_Of(TColor Color)
{
    const int r = Color & 0xFF;
    const int g = (Color >> 8) & 0xFF;
    const int b = (Color >> 16) & 0xFF;
    const auto grey = static_cast<TColor>((r * 30 + g * 59 + b * 11) / 100);
    return grey | (grey << 8) | (grey << 16);
}

} // namespace

// ---- TChangeLink -----------------------------------------------------------------

TChangeLink::~TChangeLink()
{
    if (Sender)
        Sender->UnRegisterChanges(this);
}

void TChangeLink::Change()
{
    if (OnChange)
        OnChange(Sender);
}

// ---- TCustomImageList ------------------------------------------------------------

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::~TCustomImageList()
{
    while (!links.empty())
        UnRegisterChanges(links.back());
}

void TCustomImageList::RegisterChanges(TChangeLink* Link)
{
    Link->Sender = this;
    links.push_back(Link);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* Link)
{
    const auto found = std::find(links.begin(), links.end(), Link);
    if (found == links.end())
        return;
    Link->Sender = nullptr;
    links.erase(found);
}

void TCustomImageList::Change()
{
    const std::vector<TChangeLink*> current = links;
    for (TChangeLink* link : current)
        if (std::find(links.begin(), links.end(), link) != links.end())
            link->Change();
    if (OnChange)
        OnChange(this);
}

void TCustomImageList::Discard_Images()
{
    images.clear();
    masks.clear();
    Change();
}

void TCustomImageList::SetWidth(int Value)
{
    if (Value < 1 || Value == width)
        return;
    width = Value;
    Discard_Images();
}

void TCustomImageList::SetHeight(int Value)
{
    if (Value < 1 || Value == height)
        return;
    height = Value;
    Discard_Images();
}

void TCustomImageList::SetMasked(bool Value)
{
    if (Value == masked)
        return;
    masked = Value;
    Discard_Images();
}

void TCustomImageList::Check_Size(TBitmap* Bitmap) const
{
    if (Bitmap->Height() != height || Bitmap->Width() < width || Bitmap->Width() % width != 0)
        throw EInvalidGraphicOperation("Invalid image size");
}

int TCustomImageList::Add_Pieces(TBitmap* Image, const std::vector<bool>* Transparent_Pixels, TBitmap* Mask)
{
    const int first = Count();
    const int pieces = Image->Width() / width;
    for (int piece = 0; piece < pieces; ++piece) {
        auto image = std::make_unique<TBitmap>();
        image->SetPixelFormat(pf32bit);
        image->SetSize(width, height);
        const RECT source{piece * width, 0, (piece + 1) * width, height};
        image->Canvas()->CopyRect(RECT{0, 0, width, height}, Image->Canvas(), source);
        std::vector<bool> transparent(static_cast<std::size_t>(width * height), false);
        for (int y = 0; masked && y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const auto at = static_cast<std::size_t>(y * width + x);
                if (Transparent_Pixels)
                    transparent[at] = (*Transparent_Pixels)[static_cast<std::size_t>(y * Image->Width() + x +
                                                                                   piece * width)];
                else if (Mask && Mask->Width() > x + piece * width)
                    transparent[at] = Pixel(Mask, x + piece * width, y) != clBlack;
            }
        images.push_back(std::move(image));
        masks.push_back(std::move(transparent));
    }
    Change();
    return first;
}

int TCustomImageList::Add(TBitmap* Image, TBitmap* Mask)
{
    if (!Image)
        return -1;
    Check_Size(Image);
    if (masked && Mask)
        Check_Size(Mask);
    return Add_Pieces(Image, nullptr, masked ? Mask : nullptr);
}

int TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor)
{
    if (!Image)
        return -1;
    Check_Size(Image);
    std::vector<bool> transparent(static_cast<std::size_t>(Image->Width() * Image->Height()));
    const TColor key = ColorToRGB(MaskColor);
    for (int y = 0; y < Image->Height(); ++y)
        for (int x = 0; x < Image->Width(); ++x)
            transparent[static_cast<std::size_t>(y * Image->Width() + x)] = Pixel(Image, x, y) == key;
    return Add_Pieces(Image, &transparent, nullptr);
}

void TCustomImageList::Delete(int Index)
{
    if (Index < 0 || Index >= Count())
        return;
    images.erase(images.begin() + Index);
    masks.erase(masks.begin() + Index);
    Change();
}

void TCustomImageList::Clear()
{
    if (!images.empty())
        Discard_Images();
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled)
{
    if (!Canvas || Index < 0 || Index >= Count())
        return;
    TBitmap* image = images[static_cast<std::size_t>(Index)].get();
    const std::vector<bool>& transparent = masks[static_cast<std::size_t>(Index)];
    if (!masked && Enabled) {
        Canvas->CopyRect(RECT{X, Y, X + width, Y + height}, image->Canvas(), RECT{0, 0, width, height});
        return;
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (masked && transparent[static_cast<std::size_t>(y * width + x)])
                continue;
            const TColor color = Pixel(image, x, y);
            Canvas->SetPixels(X + x, Y + y, Enabled ? color : Grey_Of(color));
        }
}

void TCustomImageList::GetBitmap(int Index, TBitmap* Image)
{
    if (!Image || Index < 0 || Index >= Count())
        return;
    Image->SetSize(width, height);
    Image->Canvas()->CopyRect(RECT{0, 0, width, height}, images[static_cast<std::size_t>(Index)]->Canvas(),
                              RECT{0, 0, width, height});
}
