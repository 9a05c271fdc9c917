// The picture-list interface and the bitmap and image lists that draw
// their own items; what every holder of a picture list does with it; and
// the drawing of bitmaps fetched from wrapped lists.

#include "components/foundations/Sclcont.h"
#include "components/foundations/Sclcont_Internal.h"
#include "components/foundations/Sclutils.h"
#include "platform/classlib/SysUtils.h"

namespace {

constexpr const char* List_Index_Text = "Indice de liste hors limites (%d)";

} // namespace

// ---- Drawing fetched bitmaps -----------------------------------------------------

void Scl_Draw_Fetched(TCanvas* Canvas, const RECT& Rect, WORD Flags, TBitmap* Bitmap)
{
    RECT painted{0, 0, 0, 0};
    SCLBmpDraw(Canvas, Rect, Bitmap, Flags, Bitmap->TransparentColor(), painted);
}

void Scl_Clip_Draw_Fetched(TCanvas* Canvas, const RECT& Rect, WORD Flags, int Offset, TColor Color, TBitmap* Bitmap)
{
    SCLBmpClipDraw(Canvas, Rect, Bitmap, Flags, Offset, Color);
}

// ---- TSCLCustomImageList ---------------------------------------------------------

void TSCLCustomImageList::SetIndex(std::int32_t Value)
{
    if (Value == list_index)
        return;
    if (Value < 0 || Value >= Count())
        throw EInvalidGraphicOperation(Format(List_Index_Text, Value));
    list_index = Value;
}

void TSCLCustomImageList::AssignSettings(TSCLCustomContainer* Source)
{
    TSCLCustomContainer::AssignSettings(Source);
    DefaultPixelFormat = static_cast<TSCLCustomImageList*>(Source)->DefaultPixelFormat;
}

// ---- TSCLBitmapList --------------------------------------------------------------

TBitmap* TSCLBitmapList::ValidBitmap(int List) { return IsValidList(List) ? Items(List)->GetBitmap() : nullptr; }

TBitmap* TSCLBitmapList::GetBitmap() { return ValidBitmap(list_index); }

TCanvas* TSCLBitmapList::BmpCanvas(int List)
{
    TBitmap* bitmap = ValidBitmap(List);
    return bitmap ? bitmap->Canvas() : nullptr;
}

RECT TSCLBitmapList::ItemRect(int List, int)
{
    TBitmap* bitmap = ValidBitmap(List);
    return bitmap ? RECT{0, 0, bitmap->Width(), bitmap->Height()} : RECT{0, 0, 0, 0};
}

int TSCLBitmapList::Dimensions(int List, int Which)
{
    TBitmap* bitmap = ValidBitmap(List);
    return !bitmap ? 0 : Which == 0 ? bitmap->Width() : bitmap->Height();
}

int TSCLBitmapList::ItemCount(int List)
{
    TBitmap* bitmap = ValidBitmap(List);
    return bitmap && !bitmap->Empty() ? 1 : 0;
}

bool TSCLBitmapList::IsValidItem(int List, int) { return ItemCount(List) == 1; }

void TSCLBitmapList::GetBitmapItem(int List, int, TBitmap* Bitmap)
{
    if (TBitmap* bitmap = ValidBitmap(List); bitmap && Bitmap)
        Bitmap->Assign(bitmap);
}

HPALETTE TSCLBitmapList::Palette(int List)
{
    TBitmap* bitmap = ValidBitmap(List);
    return bitmap ? bitmap->Palette() : nullptr;
}

TColor TSCLBitmapList::TransparentColor(int List, int)
{
    TBitmap* bitmap = ValidBitmap(List);
    return bitmap && !bitmap->Empty() ? bitmap->TransparentColor() : clWhite;
}

TColor TSCLBitmapList::GetColorAtPoint(const POINT& Point, int List, int)
{
    TBitmap* bitmap = ValidBitmap(List);
    if (!bitmap)
        return clWhite;
    if (Point.x < 0 || Point.y < 0 || Point.x >= bitmap->Width() || Point.y >= bitmap->Height())
        return clNone;
    return bitmap->Canvas()->Pixels(Point.x, Point.y);
}

void TSCLBitmapList::Draw(TCanvas* Canvas, int X, int Y, int List, int)
{
    TBitmap* bitmap = ValidBitmap(List);
    if (!Canvas || !bitmap || bitmap->Empty())
        return;
    RECT painted{0, 0, 0, 0};
    SCLBmpDraw(Canvas, RECT{X, Y, X + bitmap->Width(), Y + bitmap->Height()}, bitmap, 0, 0, painted);
}

void TSCLBitmapList::DrawExt(TCanvas* Canvas, const RECT& Rect, WORD Flags, int List, int)
{
    TBitmap* bitmap = ValidBitmap(List);
    if (!Canvas || !bitmap || bitmap->Empty())
        return;
    RECT painted{0, 0, 0, 0};
    SCLBmpDraw(Canvas, Rect, bitmap, Flags, bitmap->TransparentColor(), painted);
}

void TSCLBitmapList::ClipDraw(TCanvas* Canvas, const RECT& Rect, WORD Flags, int Offset, TColor Color, int List,
                              int)
{
    TBitmap* bitmap = ValidBitmap(List);
    if (!Canvas || !bitmap || bitmap->Empty())
        return;
    SCLBmpClipDraw(Canvas, Rect, bitmap, Flags, Offset, Color);
}

// ---- TSCLImageList ---------------------------------------------------------------

TSCLImageListItem* TSCLImageList::ValidItem(int List) { return IsValidList(List) ? Items(List) : nullptr; }

TSCLImageListItem* TSCLImageList::GetList() { return ValidItem(list_index); }

void TSCLImageList::AssignSettings(TSCLCustomContainer* Source)
{
    TSCLCustomImageList::AssignSettings(Source);
    list_index = 0;
}

TCanvas* TSCLImageList::BmpCanvas(int List)
{
    TSCLImageListItem* item = ValidItem(List);
    return item ? item->GetImageBitmap()->Canvas() : nullptr;
}

RECT TSCLImageList::ItemRect(int List, int Index)
{
    TSCLImageListItem* item = ValidItem(List);
    return item ? item->GetImageRect(Index) : RECT{0, 0, 0, 0};
}

int TSCLImageList::Dimensions(int List, int Which)
{
    TSCLImageListItem* item = ValidItem(List);
    return !item ? 0 : Which == 0 ? item->Width() : item->Height();
}

int TSCLImageList::ItemCount(int List)
{
    TSCLImageListItem* item = ValidItem(List);
    return item ? item->Count() : -1;
}

bool TSCLImageList::IsValidItem(int List, int Index)
{
    TSCLImageListItem* item = ValidItem(List);
    return item && item->IsValidIndex(Index);
}

void TSCLImageList::GetBitmapItem(int List, int Index, TBitmap* Bitmap)
{
    if (TSCLImageListItem* item = ValidItem(List))
        item->GetBitmap(Index, Bitmap);
}

bool TSCLImageList::Masked(int List)
{
    TSCLImageListItem* item = ValidItem(List);
    return item && item->Masked();
}

HPALETTE TSCLImageList::Palette(int List)
{
    TSCLImageListItem* item = ValidItem(List);
    return item ? item->GetImageBitmap()->Palette() : nullptr;
}

TColor TSCLImageList::TransparentColor(int List, int Index)
{
    TSCLImageListItem* item = ValidItem(List);
    return item ? item->TransparentColor(Index) : clWhite;
}

TColor TSCLImageList::GetColorAtPoint(const POINT& Point, int List, int Index)
{
    TSCLImageListItem* item = ValidItem(List);
    return item ? item->GetColorAtPoint(Point, Index) : clWhite;
}

void TSCLImageList::Draw(TCanvas* Canvas, int X, int Y, int List, int Index)
{
    if (TSCLImageListItem* item = ValidItem(List))
        item->Draw(Canvas, X, Y, Index);
}

void TSCLImageList::DrawExt(TCanvas* Canvas, const RECT& Rect, WORD Flags, int List, int Index)
{
    if (TSCLImageListItem* item = ValidItem(List))
        item->DrawExt(Canvas, Rect, Flags, Index);
}

void TSCLImageList::ClipDraw(TCanvas* Canvas, const RECT& Rect, WORD Flags, int Offset, TColor Color, int List,
                             int Index)
{
    if (TSCLImageListItem* item = ValidItem(List))
        item->ClipDraw(Canvas, Rect, Flags, Offset, Color, Index);
}

// ---- Holders of a picture list ---------------------------------------------------

void SCLMoveImageListLink(TSCLCustomImageList*& Field, TSCLCustomImageList* Value, TSCLChangeLink& Link,
                          TComponent* Holder)
{
    if (Field) {
        Field->UnRegisterChanges(&Link);
        Field->RemoveFreeNotification(Holder);
    }
    Field = Value;
    if (Field) {
        Field->RegisterChanges(&Link);
        Field->FreeNotification(Holder);
    }
}

void SCLForgetImageList(TSCLCustomImageList*& Field, TSCLChangeLink& Link)
{
    if (Field && Link.Sender == Field)
        Field->UnRegisterChanges(&Link);
    Field = nullptr;
}

bool SCLStoreImageListIndex(std::int32_t& Field, std::int32_t Value)
{
    if (Value == Field || Value < 0)
        return false;
    Field = Value;
    return true;
}

bool SCLIsSingleItemImageList(const TSCLCustomImageList* List)
{
    return dynamic_cast<const TSCLBitmapList*>(List) != nullptr || dynamic_cast<const TSCLGraphicList*>(List) != nullptr;
}

bool SCLIsCollectionImageList(const TSCLCustomImageList* List)
{
    return dynamic_cast<const TSCLImageListConnector*>(List) != nullptr;
}
