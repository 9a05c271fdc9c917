// Bitmap drawing with placement modes and transparency, masks, disabled and
// grey-scale bitmaps, pattern and texture fills.

#include <algorithm>
#include <optional>
#include <vector>

#include "components/foundations/Sclprocs.h"
#include "components/foundations/Sclutils.h"
#include "components/foundations/Sclutils_Internal.h"
#include "platform/classlib/SysUtils.h"

using namespace sclutils;

namespace {

// Pattern where the source is white, destination elsewhere.
constexpr DWORD rop_pattern_where_source_set = 0x00E20746;
constexpr DWORD rop_dest_and_pattern = 0x00A000C9;

RECT At(int x, int y, int w, int h) { return RECT{x, y, x + w, y + h}; }

// Where the stretched source goes: all of Dest, or a proportional part of it
// at its top-left.
RECT Stretch_Target(const RECT& dest, int sw, int sh, WORD mode)
{
    const int dw = Width_Of(dest);
    const int dh = Height_Of(dest);
    switch (mode & SCLBD_KEEPASPECT) {
    case SCLBD_KEEPASPECT: {
        RECT fitted;
        SCLAffineRect(At(0, 0, sw, sh), dest, fitted);
        return fitted;
    }
    case SCLBD_KEEPWIDTH:
        return At(dest.left, dest.top, dw, static_cast<int>(Round(static_cast<double>(dw) / sw * sh)));
    case SCLBD_KEEPHEIGHT:
        return At(dest.left, dest.top, static_cast<int>(Round(static_cast<double>(dh) / sh * sw)), dh);
    default:
        return dest;
    }
}

// The rectangles the source is copied into, and the one reported as painted.
struct Copy_Placement {
    std::vector<RECT> targets;
    RECT painted{};
};

// Only the tiles that meet the visible area are listed: a small source
// tiled over a large rectangle costs what can be seen.
void Tile(Copy_Placement& p, const RECT& dest, int sw, int sh, const RECT& visible)
{
    const int rows = Height_Of(dest) / sh + 1;
    const int columns = Width_Of(dest) / sw + 1;
    const int first_row = std::clamp((visible.top - dest.top) / sh - 1, 0, rows);
    const int last_row = std::clamp((visible.bottom - dest.top) / sh + 1, 0, rows);
    const int first_column = std::clamp((visible.left - dest.left) / sw - 1, 0, columns);
    const int last_column = std::clamp((visible.right - dest.left) / sw + 1, 0, columns);
    for (int row = first_row; row < last_row; ++row)
        for (int column = first_column; column < last_column; ++column)
            p.targets.push_back(At(dest.left + column * sw, dest.top + row * sh, sw, sh));
    p.painted = dest;
}

Copy_Placement Place(const RECT& dest, int sw, int sh, WORD mode, const RECT& visible)
{
    Copy_Placement p;
    const bool scaled = mode & (SCLBD_STRETCH | SCLBD_TILE);
    if (scaled && (sw <= 0 || sh <= 0)) {
        p.painted = dest;
        return p;
    }
    RECT target = At(dest.left, dest.top, sw, sh);
    if (mode & SCLBD_CENTER)
        target = At(dest.left + (Width_Of(dest) - sw) / 2, dest.top + (Height_Of(dest) - sh) / 2, sw, sh);
    if (mode & SCLBD_STRETCH)
        target = Stretch_Target(dest, sw, sh, mode);
    if (mode & SCLBD_TILE) {
        Tile(p, dest, sw, sh, visible);
        return p;
    }
    p.targets.push_back(target);
    p.painted = Is_Empty(target) ? dest : target;
    return p;
}

// The canvas of a mask given as a bitmap or as a canvas.
TCanvas* Mask_Canvas(TPersistent* mask)
{
    if (auto* bitmap = dynamic_cast<TBitmap*>(mask))
        return bitmap->Empty() ? nullptr : bitmap->Canvas();
    return dynamic_cast<TCanvas*>(mask);
}

// One copy of every target with a copy mode, the canvas's mode put back.
void Copy_All(TCanvas* canvas, const std::vector<RECT>& targets, TCanvas* source, const RECT& src, TCopyMode rop)
{
    const TCopyMode previous = canvas->CopyMode();
    canvas->SetCopyMode(rop);
    for (const RECT& t : targets)
        canvas->CopyRect(t, source, src);
    canvas->SetCopyMode(previous);
}

// The two-pass transparent copy: AND with the mask (white where
// transparent), then OR the image (black where transparent). The DC's
// colours are set so a monochrome mask stays black and white on colour.
void Mask_Passes(TCanvas* canvas, const std::vector<RECT>& targets, TCanvas* mask, const RECT& mask_src,
                 TCanvas* image, const RECT& image_src)
{
    HDC dc = canvas->Handle();
    Mono_Colors colors(dc, 0x000000, 0xFFFFFF);
    Copy_All(canvas, targets, mask, mask_src, SRCAND);
    Copy_All(canvas, targets, image, image_src, SRCPAINT);
}

void Draw_Transparent(TCanvas* canvas, const std::vector<RECT>& targets, TCanvas* source, const RECT& src,
                      TColor transparent_color, HPALETTE palette)
{
    TBitmap mask;
    TBitmap image;
    SCLBmpCreateMasksExt(source, src, &mask, &image, transparent_color);
    if (palette)
        SelectPalette(image.Canvas()->Handle(), palette, FALSE);
    const RECT whole = At(0, 0, Width_Of(src), Height_Of(src));
    Mask_Passes(canvas, targets, mask.Canvas(), whole, image.Canvas(), whole);
}

void Draw_Brush_Copy(TCanvas* canvas, const std::vector<RECT>& targets, TBitmap* bitmap, const RECT& src,
                     TColor transparent_color)
{
    if (!bitmap)
        return;
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(transparent_color);
    for (const RECT& t : targets)
        canvas->BrushCopy(t, bitmap, src, bitmap->TransparentColor());
}

void Make_Monochrome_Copy(TBitmap& mono, TBitmap* source)
{
    TBitmap background;
    background.Assign(source);
    background.Mask(ColorToRGB(source->TransparentColor()));
    mono.Assign(source);
    mono.SetMonochrome(true);
    HDC dc = mono.Canvas()->Handle();
    BitBlt(dc, 0, 0, mono.Width(), mono.Height(), background.Canvas()->Handle(), 0, 0, SRCPAINT);
    BitBlt(dc, 0, 0, mono.Width(), mono.Height(), nullptr, 0, 0, DSTINVERT);
}

void Emboss_Pass(HDC dc, int x, int y, TBitmap& mono, TColor color)
{
    HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
    HGDIOBJ previous = SelectObject(dc, brush);
    BitBlt(dc, x, y, mono.Width(), mono.Height(), mono.Canvas()->Handle(), 0, 0, rop_pattern_where_source_set);
    SelectObject(dc, previous);
    DeleteObject(brush);
}

COLORREF Grey_Level(int sum, int offset)
{
    if (sum > offset + 550)
        return 0xFFFFFF;
    if (sum > offset + 250)
        return ColorToRGB(cl3DLight);
    if (sum > offset + 50)
        return ColorToRGB(clBtnShadow);
    return 0x000000;
}

int Channel_Sum(COLORREF c) { return static_cast<int>((c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF)); }

} // namespace

// ---- Drawing ---------------------------------------------------------------

void SCLBmpDrawExt(TCanvas* Canvas, const RECT& Dest, TCanvas* SrcCanvas, const RECT& Src, WORD Mode,
                   TColor TransparentColor, HPALETTE Palette, TPersistent* MaskOrBitmap, RECT& Painted)
{
    Painted = RECT{};
    if (!Canvas || Is_Empty(Dest))
        return;
    const Copy_Placement placement = Place(Dest, Width_Of(Src), Height_Of(Src), Mode, Canvas->ClipRect());
    Painted = placement.painted;
    if (placement.targets.empty())
        return;
    if (Mode & SCLBD_STRETCH)
        SetStretchBltMode(Canvas->Handle(), COLORONCOLOR);
    TCanvas* mask = Mask_Canvas(MaskOrBitmap);
    if (Mode & SCLBD_BRUSHCOPY)
        Draw_Brush_Copy(Canvas, placement.targets, dynamic_cast<TBitmap*>(MaskOrBitmap), Src, TransparentColor);
    else if (!SrcCanvas || Is_Empty(Src))
        return;
    else if ((Mode & SCLBD_MASK) && mask)
        Mask_Passes(Canvas, placement.targets, mask, Src, SrcCanvas, Src);
    else if (Mode & SCLBD_TRANSPARENT)
        Draw_Transparent(Canvas, placement.targets, SrcCanvas, Src, TransparentColor, Palette);
    else
        Copy_All(Canvas, placement.targets, SrcCanvas, Src, Canvas->CopyMode());
}

void SCLBmpDraw(TCanvas* Canvas, const RECT& Dest, TBitmap* Bitmap, WORD Mode, TColor TransparentColor,
                RECT& Painted)
{
    Painted = RECT{};
    if (!Canvas || !Bitmap || Bitmap->Empty())
        return;
    const RECT src = At(0, 0, Bitmap->Width(), Bitmap->Height());
    TPersistent* object = (Mode & SCLBD_BRUSHCOPY) ? Bitmap : nullptr;
    HPALETTE palette = (Mode & SCLBD_PALETTE) && Palette_Allowed() ? Bitmap->Palette() : nullptr;
    if (!palette) {
        SCLBmpDrawExt(Canvas, Dest, Bitmap->Canvas(), src, Mode, TransparentColor, nullptr, object, Painted);
        return;
    }
    // The bitmap owns its palette: the canvas gets its own back afterwards.
    HDC dc = Canvas->Handle();
    HPALETTE previous = SelectPalette(dc, palette, FALSE);
    RealizePalette(dc);
    SCLBmpDrawExt(Canvas, Dest, Bitmap->Canvas(), src, Mode, TransparentColor, palette, object, Painted);
    SelectPalette(dc, previous, FALSE);
}

void SCLBmpClipDraw(TCanvas* Canvas, const RECT& Dest, TBitmap* Bitmap, WORD Mode, int Offset,
                    TColor TransparentColor)
{
    if (!Canvas)
        return;
    RECT painted;
    std::optional<Clip_Scope> clip;
    if (Mode & SCLBD_CLIP) {
        const POINT o = Unpack_Offset(Offset);
        clip.emplace(Canvas->Handle(), RECT{Dest.left + o.x, Dest.top + o.y, Dest.right + o.x, Dest.bottom + o.y});
    }
    SCLBmpDraw(Canvas, Dest, Bitmap, Mode, TransparentColor, painted);
}

void SCLBmpClipDrawExt(TCanvas* Canvas, const RECT& Dest, TCanvas* SrcCanvas, const RECT& Src, WORD Mode,
                       int Offset, TColor TransparentColor)
{
    if (!Canvas)
        return;
    RECT painted;
    std::optional<Clip_Scope> clip;
    if (Mode & SCLBD_CLIP) {
        const POINT o = Unpack_Offset(Offset);
        clip.emplace(Canvas->Handle(), RECT{Dest.left + o.x, Dest.top + o.y, Dest.right + o.x, Dest.bottom + o.y});
    }
    SCLBmpDrawExt(Canvas, Dest, SrcCanvas, Src, Mode, TransparentColor, nullptr, nullptr, painted);
}

void SCLBmpStretchDraw(TCanvas* Canvas, const RECT& Dest, TBitmap* Bitmap)
{
    RECT painted;
    SCLBmpDraw(Canvas, Dest, Bitmap, SCLBD_PALETTE | SCLBD_STRETCH, 0, painted);
}

// ---- Bitmaps made from others ----------------------------------------------

void SCLBmpCreateFromRect(TBitmap* Bitmap, const RECT& Rect, TColor Color)
{
    if (!Bitmap || Is_Empty(Rect))
        return;
    Bitmap->SetSize(Width_Of(Rect), Height_Of(Rect));
    Bitmap->Canvas()->Brush()->SetStyle(bsSolid);
    Bitmap->Canvas()->Brush()->SetColor(Color);
    Bitmap->Canvas()->FillRect(At(0, 0, Bitmap->Width(), Bitmap->Height()));
}

void SCLCopyBmpSize(TBitmap* Source, TBitmap* Target)
{
    if (Source && Target)
        Target->SetSize(Source->Width(), Source->Height());
}

void SCLBmpCreateMasksExt(TCanvas* SrcCanvas, const RECT& Src, TBitmap* Mask, TBitmap* Image,
                          TColor TransparentColor)
{
    if (!SrcCanvas || !Mask || !Image || Is_Empty(Src))
        return;
    const RECT whole = At(0, 0, Width_Of(Src), Height_Of(Src));
    // The image first: the mask may be the source itself.
    Image->SetSize(whole.right, whole.bottom);
    Image->Canvas()->SetCopyMode(cmSrcCopy);
    Image->Canvas()->CopyRect(whole, SrcCanvas, Src);
    if (Mask->Canvas() != SrcCanvas) {
        Mask->SetSize(whole.right, whole.bottom);
        Mask->Canvas()->SetCopyMode(cmSrcCopy);
        Mask->Canvas()->CopyRect(whole, SrcCanvas, Src);
    }
    Mask->Mask(ColorToRGB(TransparentColor));
    TCanvas* image = Image->Canvas();
    Mono_Colors colors(image->Handle(), 0xFFFFFF, 0x000000);
    image->SetCopyMode(cmSrcAnd);
    image->CopyRect(whole, Mask->Canvas(), whole);
    image->SetCopyMode(cmSrcCopy);
}

void SCLBmpCreateMasks(TBitmap* Source, TBitmap* Mask, TBitmap* Image, TColor TransparentColor)
{
    if (!Source || Source->Empty())
        return;
    SCLBmpCreateMasksExt(Source->Canvas(), At(0, 0, Source->Width(), Source->Height()), Mask, Image,
                         TransparentColor);
}

void SCLMaskBmpDraw(TCanvas* Canvas, const RECT& Dest, TBitmap* Bitmap, TBitmap* Back, TColor TransparentColor,
                    TColor BackTransparentColor)
{
    if (!Canvas || !Bitmap || !Back || Bitmap->Empty() || Back->Empty())
        return;
    TBitmap image;
    SCLBmpCreateMasks(Bitmap, Bitmap, &image, ColorToRGB(TransparentColor));
    RECT painted;
    SCLBmpDrawExt(Back->Canvas(), At(0, 0, Back->Width(), Back->Height()), image.Canvas(),
                  At(0, 0, image.Width(), image.Height()), SCLBD_MASK, ColorToRGB(TransparentColor), nullptr, Bitmap,
                  painted);
    SCLBmpDraw(Canvas, Dest, Back, SCLBD_PALETTE | SCLBD_TRANSPARENT, ColorToRGB(BackTransparentColor), painted);
}

void SCLBmpDrawDisabledState(TBitmap* Target, TBitmap* Source, int X, int Y)
{
    if (!Target || !Source || Source->Empty())
        return;
    if (Target->Empty())
        Target->SetSize(Source->Width(), Source->Height());
    TBitmap mono;
    Make_Monochrome_Copy(mono, Source);
    TCanvas* target = Target->Canvas();
    target->Brush()->SetStyle(bsSolid);
    target->Brush()->SetColor(Source->TransparentColor());
    target->FillRect(At(0, 0, Target->Width(), Target->Height()));
    HDC dc = target->Handle();
    Mono_Colors colors(dc, 0x000000, 0xFFFFFF);
    Emboss_Pass(dc, X + 1, Y + 1, mono, clBtnHighlight);
    Emboss_Pass(dc, X, Y, mono, clBtnShadow);
}

void SCLBmpCreateGrayscale(TBitmap* Target, TBitmap* Source)
{
    if (!Target || !Source || Source->Empty())
        return;
    Target->Assign(Source);
    TCanvas* source = Source->Canvas();
    const COLORREF corner = source->Pixels(0, 0);
    long long sum = 0;
    long long count = 0;
    for (int y = 0; y < Source->Height(); ++y)
        for (int x = 0; x < Source->Width(); ++x)
            if (const COLORREF c = source->Pixels(x, y); c != corner) {
                sum += Channel_Sum(c);
                ++count;
            }
    // A picture of nothing but the corner colour has no pixel to grade.
    if (count == 0)
        return;
    const int offset = -static_cast<int>(Round(200.0 - static_cast<double>(sum) / static_cast<double>(count)));
    HDC dc = Target->Canvas()->Handle();
    for (int y = 0; y < Source->Height(); ++y)
        for (int x = 0; x < Source->Width(); ++x)
            if (const COLORREF c = source->Pixels(x, y); c != corner)
                SetPixel(dc, x, y, Grey_Level(Channel_Sum(c), offset));
}

// ---- Fills -----------------------------------------------------------------

void SCLFillPattern(HDC DC, const RECT& Rect, TBitmap* Bitmap)
{
    if (!DC || !Bitmap || Bitmap->Empty() || Is_Empty(Rect))
        return;
    HGDIOBJ old_pen = SelectObject(DC, GetStockObject(NULL_PEN));
    HGDIOBJ old_brush = SelectObject(DC, GetStockObject(HOLLOW_BRUSH));
    HBRUSH pattern = CreatePatternBrush(Bitmap->Handle());
    SelectObject(DC, pattern);
    PatBlt(DC, Rect.left, Rect.top, Width_Of(Rect), Height_Of(Rect), rop_dest_and_pattern);
    SelectObject(DC, old_brush);
    SelectObject(DC, old_pen);
    DeleteObject(pattern);
}

void SCLFillTexture(HDC DC, const RECT& Rect, TBitmap* Bitmap, const POINT& Origin)
{
    if (!DC || !Bitmap || Bitmap->Empty() || Origin.x < 0 || Origin.y < 0 || Is_Empty(Rect))
        return;
    const int bw = Bitmap->Width();
    const int bh = Bitmap->Height();
    const int w = Width_Of(Rect);
    const int h = Height_Of(Rect);
    HDC texture = Bitmap->Canvas()->Handle();
    TBitmap strip;
    strip.SetSize(w, bh);
    HDC row = strip.Canvas()->Handle();
    for (int x = 0, sx = Origin.x % bw; x < w; x += bw - sx, sx = 0)
        BitBlt(row, x, 0, std::min(bw - sx, w - x), bh, texture, sx, 0, SRCCOPY);
    for (int y = 0, sy = Origin.y % bh; y < h; y += bh - sy, sy = 0)
        BitBlt(DC, Rect.left, Rect.top + y, w, std::min(bh - sy, h - y), row, 0, sy, SRCCOPY);
}

void SCLIcon2Bitmap(TBitmap* Bitmap, TIcon* Icon, TColor BackColor)
{
    if (!Bitmap || !Icon || Icon->Empty())
        return;
    SCLBmpCreateFromRect(Bitmap, At(0, 0, Icon->Width(), Icon->Height()), BackColor);
    Bitmap->Canvas()->Draw(0, 0, Icon);
}

void SCLBmpFromDesktop(TBitmap* Bitmap, const RECT& Rect)
{
    if (!Bitmap || Is_Empty(Rect))
        return;
    Bitmap->SetSize(Width_Of(Rect), Height_Of(Rect));
    HDC screen = GetDC(nullptr);
    BitBlt(Bitmap->Canvas()->Handle(), 0, 0, Width_Of(Rect), Height_Of(Rect), screen, Rect.left, Rect.top,
           SRCCOPY);
    ReleaseDC(nullptr, screen);
}
