// Image list items: a strip of equally sized images with an optional mask
// strip; their sizes, the strip's room and the editing of its images.

#include "components/foundations/Sclcont.h"

#include <algorithm>

#include "components/foundations/Sclcont_Internal.h"
#include "components/foundations/Sclutils.h"
#include "platform/classlib/SysUtils.h"

namespace {

constexpr const char* Too_Many_Text = "Trop d'images";

// Copies Source of Strip onto Target of it, reading the strip as it was
// before the copy, so that the two may overlap.
void Shift_Strip_Images(TBitmap* Strip, const RECT& Target, const RECT& Source)
{
    TBitmap moved;
    moved.Assign(Strip);
    Strip->Canvas()->SetCopyMode(cmSrcCopy);
    Strip->Canvas()->CopyRect(Target, moved.Canvas(), Source);
}

// False when the source has nothing to give; a source whose pictures differ
// in size from the target's is refused.
bool Has_Images_To_Take(const TSCLImageListItem& Target, const TSCLImageListItem* Source)
{
    if (!Source)
        return false;
    if (Source->Width() != Target.Width() || Source->Height() != Target.Height())
        throw EInvalidGraphicOperation(Scl_Wrong_Size_Text);
    return !Source->Empty();
}

} // namespace

// ---- TSCLImageListItem: sizes and room ------------------------------------------

TSCLImageListItem::TSCLImageListItem(TComponent* AOwner)
    : TSCLListItem(AOwner), image(std::make_unique<TBitmap>()), mask(std::make_unique<TBitmap>())
{
    image->SetSize(0, height);
    mask->SetSize(0, height);
}

TSCLImageListItem::TSCLImageListItem(int AWidth, int AHeight) : TSCLImageListItem(nullptr)
{
    if (AWidth < 1 || AHeight < 1)
        throw EInvalidGraphicOperation(Scl_Wrong_Size_Text);
    width = AWidth;
    height = AHeight;
    Clear();
}

TSCLImageListItem::~TSCLImageListItem() = default;

void TSCLImageListItem::SetInteger(int Index, int Value)
{
    int& field = Index == 0 ? width : height;
    if (Value == field || Value < 1)
        return;
    field = Value;
    Clear();
    Change();
}

RECT TSCLImageListItem::GetImageRect(int Index) const
{
    if (!IsValidIndex(Index))
        return RECT{0, 0, 0, 0};
    return Scl_Image_Rect(offsets[static_cast<std::size_t>(Index)], width, height);
}

bool TSCLImageListItem::CheckImage(TBitmap* Bitmap) const
{
    if (!Bitmap)
        return false;
    if (Bitmap->Height() != height || Bitmap->Width() < width || Bitmap->Width() % width != 0)
        throw EInvalidGraphicOperation(Scl_Wrong_Size_Text);
    return true;
}

void TSCLImageListItem::CheckIndex(int Index) const
{
    if (!IsValidIndex(Index))
        throw EListError(Format("Indice d'image hors limites (%d)", Index));
}

void TSCLImageListItem::SetStripWidth(int NewWidth)
{
    image->SetWidth(NewWidth);
    if (masked)
        mask->SetWidth(NewWidth);
}

int TSCLImageListItem::PrepareSpace()
{
    const int offset = used_width;
    const int next_used = used_width + width;
    if (image->Width() < next_used) {
        // At least one image more, whatever AllocBy says, so that the new
        // image always lands inside the strip.
        const int next_width = image->Width() + std::max(AllocBy, 1) * width;
        if (next_width > Scl_Max_Strip_Width || next_used > Scl_Max_Strip_Width)
            throw EInvalidGraphicOperation(Too_Many_Text);
        SetStripWidth(next_width);
    }
    used_width = next_used;
    offsets.push_back(static_cast<std::int16_t>(offset));
    return Count() - 1;
}

void TSCLImageListItem::RelayOffsets(int NewCount)
{
    offsets.resize(static_cast<std::size_t>(NewCount));
    for (int i = 0; i < NewCount; ++i)
        offsets[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(i * width);
}

// ---- TSCLImageListItem: editing -------------------------------------------------

int TSCLImageListItem::Add(TBitmap* Image, TBitmap* Mask)
{
    if (!Image && !Mask)
        return PrepareSpace();
    if (!CheckImage(Image))
        return -1;
    if (masked && Mask && !CheckImage(Mask))
        return -1;
    const int index = PrepareSpace();
    Replace(index, Image, Mask);
    return index;
}

int TSCLImageListItem::AddMasked(TBitmap* Image, TColor TransparentColor)
{
    if (!CheckImage(Image))
        return -1;
    const int index = PrepareSpace();
    ReplaceMasked(index, Image, TransparentColor);
    return index;
}

void TSCLImageListItem::Replace(int Index, TBitmap* Image, TBitmap* Mask)
{
    CheckIndex(Index);
    if (!CheckImage(Image))
        return;
    const bool with_mask = masked && Mask && CheckImage(Mask);
    const RECT target = GetImageRect(Index);
    const RECT source = Scl_Image_Rect(0, width, height);
    image->Canvas()->SetCopyMode(cmSrcCopy);
    image->Canvas()->CopyRect(target, Image->Canvas(), source);
    if (masked) {
        mask->SetMonochrome(true);
        if (with_mask) {
            mask->Canvas()->SetCopyMode(cmSrcCopy);
            mask->Canvas()->CopyRect(target, Mask->Canvas(), source);
        } else {
            mask->Canvas()->Brush()->SetColor(clBlack);
            mask->Canvas()->FillRect(target);
        }
    }
    Change();
}

void TSCLImageListItem::ReplaceMasked(int Index, TBitmap* Image, TColor TransparentColor)
{
    if (!CheckImage(Image))
        return;
    if (!masked) {
        Replace(Index, Image, nullptr);
        return;
    }
    TBitmap image_copy;
    TBitmap image_mask;
    SCLBmpCreateMasks(Image, &image_mask, &image_copy, TransparentColor);
    Replace(Index, &image_copy, &image_mask);
}

void TSCLImageListItem::Insert(int Index, TBitmap* Image, TBitmap* Mask)
{
    if (Index >= Count()) {
        Add(Image, Mask);
        return;
    }
    CheckIndex(Index);
    if (!CheckImage(Image) || (masked && Mask && !CheckImage(Mask)))
        return;
    PrepareSpace();
    const int from = offsets[static_cast<std::size_t>(Index)];
    const RECT source{from, 0, used_width - width, height};
    const RECT target{from + width, 0, used_width, height};
    Shift_Strip_Images(image.get(), target, source);
    if (masked)
        Shift_Strip_Images(mask.get(), target, source);
    RelayOffsets(Count());
    Replace(Index, Image, Mask);
}

void TSCLImageListItem::InsertMasked(int Index, TBitmap* Image, TColor TransparentColor)
{
    if (!masked) {
        Insert(Index, Image, nullptr);
        return;
    }
    if (!CheckImage(Image))
        return;
    TBitmap image_copy;
    TBitmap image_mask;
    SCLBmpCreateMasks(Image, &image_mask, &image_copy, TransparentColor);
    Insert(Index, &image_copy, &image_mask);
}

void TSCLImageListItem::Delete(int Index)
{
    if (!IsValidIndex(Index))
        return;
    if (image->Width() == used_width)
        SetStripWidth(used_width + std::max(AllocBy, 1) * width);
    const int from = offsets[static_cast<std::size_t>(Index)];
    const RECT source{from + width, 0, used_width, height};
    const RECT target{from, 0, used_width - width, height};
    Shift_Strip_Images(image.get(), target, source);
    if (masked)
        Shift_Strip_Images(mask.get(), target, source);
    used_width -= width;
    offsets.erase(offsets.begin() + Index);
    for (std::size_t i = static_cast<std::size_t>(Index); i < offsets.size(); ++i)
        offsets[i] = static_cast<std::int16_t>(offsets[i] - width);
    Change();
}

void TSCLImageListItem::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex || !IsValidIndex(CurIndex))
        return;
    TBitmap moved_image;
    TBitmap moved_mask;
    GetBitmap(CurIndex, &moved_image);
    GetMaskBitmap(CurIndex, &moved_mask);
    BeginUpdate();
    try {
        Delete(CurIndex);
        Insert(std::max(NewIndex, 0), &moved_image, masked ? &moved_mask : nullptr);
    } catch (...) {
        EndUpdate(false);
        throw;
    }
    EndUpdate(true);
}

void TSCLImageListItem::Clear()
{
    BeginUpdate();
    image = std::make_unique<TBitmap>();
    image->SetSize(0, height);
    mask = std::make_unique<TBitmap>();
    if (masked) {
        mask->SetMonochrome(true);
        mask->SetSize(0, height);
    }
    used_width = 0;
    offsets.clear();
    EndUpdate(false);
}

void TSCLImageListItem::SetMaskedState(bool Value)
{
    if (Value == masked)
        return;
    if (Value) {
        mask->SetMonochrome(true);
        mask->SetSize(image->Width(), height);
    } else {
        mask->SetWidth(0);
    }
    RelayOffsets(Count());
    masked = Value;
    Change();
}

void TSCLImageListItem::AddImages(TSCLImageListItem* Source)
{
    if (!Has_Images_To_Take(*this, Source))
        return;
    const int next_used = used_width + Source->Count() * width;
    if (next_used > Scl_Max_Strip_Width)
        throw EInvalidGraphicOperation(Too_Many_Text);
    BeginUpdate();
    if (image->Width() < next_used)
        SetStripWidth(next_used);
    const RECT source = Scl_Image_Rect(0, Source->Count() * width, height);
    const RECT target{used_width, 0, next_used, height};
    image->Canvas()->SetCopyMode(cmSrcCopy);
    image->Canvas()->CopyRect(target, Source->image->Canvas(), source);
    if (masked && Source->masked) {
        mask->Canvas()->SetCopyMode(cmSrcCopy);
        mask->Canvas()->CopyRect(target, Source->mask->Canvas(), source);
    }
    for (int i = 0; i < Source->Count(); ++i)
        offsets.push_back(static_cast<std::int16_t>(Count() * width));
    used_width = next_used;
    EndUpdate(true);
}

void TSCLImageListItem::InsertImages(int Index, TSCLImageListItem* Source)
{
    if (!Has_Images_To_Take(*this, Source))
        return;
    BeginUpdate();
    try {
        for (int i = Source->Count() - 1; i >= 0; --i) {
            TBitmap one;
            Source->GetBitmap(i, &one);
            if (masked && Source->masked) {
                TBitmap one_mask;
                Source->GetMaskBitmap(i, &one_mask);
                Insert(Index, &one, &one_mask);
            } else if (masked) {
                InsertMasked(Index, &one, one.TransparentColor());
            } else {
                Insert(Index, &one, nullptr);
            }
        }
    } catch (...) {
        EndUpdate(false);
        throw;
    }
    EndUpdate(true);
}

void TSCLImageListItem::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TSCLImageListItem*>(Source);
    if (!source) {
        TSCLListItem::Assign(Source);
        return;
    }
    if (source == this)
        return;
    AssignStd(source);
    PixelFormat = source->PixelFormat;
    AllocBy = source->AllocBy;
    BkColor = source->BkColor;
    BlendColor = source->BlendColor;
    DrawingStyle = source->DrawingStyle;
    height = source->height;
    ImageType = source->ImageType;
    masked = source->masked;
    width = source->width;
    Clear();
    AddImages(source);
}
