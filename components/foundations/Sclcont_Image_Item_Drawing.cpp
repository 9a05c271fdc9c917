// Image list items: reading their images and pixels, and drawing them.

#include "components/foundations/Sclcont.h"
#include "components/foundations/Sclcont_Internal.h"
#include "components/foundations/Sclutils.h"

void TSCLImageListItem::GetBitmap(int Index, TBitmap* Bitmap)
{
    if (!Bitmap || !IsValidIndex(Index))
        return;
    Bitmap->SetSize(width, height);
    Bitmap->Canvas()->SetCopyMode(cmSrcCopy);
    Bitmap->Canvas()->CopyRect(Scl_Image_Rect(0, width, height), image->Canvas(), GetImageRect(Index));
}

void TSCLImageListItem::GetMaskBitmap(int Index, TBitmap* Bitmap)
{
    if (!Bitmap || !masked || !IsValidIndex(Index))
        return;
    Bitmap->SetMonochrome(true);
    Bitmap->SetSize(width, height);
    Bitmap->Canvas()->SetCopyMode(cmSrcCopy);
    Bitmap->Canvas()->CopyRect(Scl_Image_Rect(0, width, height), mask->Canvas(), GetImageRect(Index));
}

TColor TSCLImageListItem::TransparentColor(int Index)
{
    if (!IsValidIndex(Index))
        return clNone;
    return image->Canvas()->Pixels(offsets[static_cast<std::size_t>(Index)], height - 1);
}

TColor TSCLImageListItem::GetColorAtPoint(const POINT& Point, int Index)
{
    if (!IsValidIndex(Index) || Point.x < 0 || Point.x >= width || Point.y < 0 || Point.y >= height)
        return clNone;
    return image->Canvas()->Pixels(offsets[static_cast<std::size_t>(Index)] + Point.x, Point.y);
}

void TSCLImageListItem::DrawMasked(TCanvas* Canvas, int X, int Y, int Index)
{
    const RECT source = GetImageRect(Index);
    const RECT target{X, Y, X + width, Y + height};
    const TCopyMode saved = Canvas->CopyMode();
    Canvas->SetCopyMode(cmSrcAnd);
    Canvas->CopyRect(target, mask->Canvas(), source);
    Canvas->SetCopyMode(cmSrcPaint);
    Canvas->CopyRect(target, image->Canvas(), source);
    Canvas->SetCopyMode(saved);
}

void TSCLImageListItem::CreatePattern(TBitmap* Bitmap, bool Full)
{
    if (!Bitmap || Bitmap->Empty() || BlendColor == clNone)
        return;
    for (int y = 0; y < Bitmap->Height(); ++y)
        for (int x = 0; x < Bitmap->Width(); ++x) {
            const bool x_even = x % 2 == 0;
            const bool y_even = y % 2 == 0;
            if (Full ? x_even != y_even : x_even || y_even)
                Bitmap->Canvas()->SetPixels(x, y, BlendColor);
        }
}

void TSCLImageListItem::DrawOnBack(TCanvas* Canvas, int X, int Y, int Index, bool Pattern, bool Full)
{
    TBitmap back;
    back.SetSize(width, height);
    back.Canvas()->Brush()->SetColor(BkColor);
    back.Canvas()->FillRect(Scl_Image_Rect(0, width, height));
    DrawMasked(back.Canvas(), 0, 0, Index);
    if (Pattern)
        CreatePattern(&back, Full);
    Canvas->CopyRect(RECT{X, Y, X + width, Y + height}, back.Canvas(), Scl_Image_Rect(0, width, height));
}

void TSCLImageListItem::Draw(TCanvas* Canvas, int X, int Y, int Index)
{
    if (!Canvas || !IsValidIndex(Index))
        return;
    const RECT target{X, Y, X + width, Y + height};
    if (!masked || ImageType == itMask) {
        Canvas->CopyRect(target, (masked ? mask : image)->Canvas(), GetImageRect(Index));
        return;
    }
    switch (DrawingStyle) {
    case dsFocus:
    case dsSelected:
        DrawOnBack(Canvas, X, Y, Index, true, DrawingStyle == dsSelected);
        break;
    case dsNormal:
        if (BkColor == clNone)
            DrawMasked(Canvas, X, Y, Index);
        else
            DrawOnBack(Canvas, X, Y, Index, false, false);
        break;
    case dsTransparent:
        DrawMasked(Canvas, X, Y, Index);
        break;
    }
}

void TSCLImageListItem::DrawExt(TCanvas* Canvas, const RECT& Rect, WORD Flags, int Index)
{
    if (!Canvas || !IsValidIndex(Index))
        return;
    RECT painted{0, 0, 0, 0};
    if (masked)
        SCLBmpDrawExt(Canvas, Rect, image->Canvas(), GetImageRect(Index), Flags | SCLBD_MASK, 0, nullptr,
                      mask->Canvas(), painted);
    else
        SCLBmpDrawExt(Canvas, Rect, image->Canvas(), GetImageRect(Index), Flags,
                      TransparentColor(Index) | 0x02000000, nullptr, nullptr, painted);
}

void TSCLImageListItem::ClipDraw(TCanvas* Canvas, const RECT& Rect, WORD Flags, int Offset, TColor Color,
                                 int Index)
{
    if (!Canvas || !IsValidIndex(Index))
        return;
    // The clip routine takes no mask, so a masked strip goes transparent
    // through its own bottom-left colour as an unmasked one does.
    SCLBmpClipDrawExt(Canvas, Rect, image->Canvas(), GetImageRect(Index), Flags, Offset,
                      masked ? TransparentColor(Index) : Color);
}
