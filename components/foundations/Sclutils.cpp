#include "components/foundations/Sclutils.h"

#include <array>
#include <cstdint>
#include <utility>

#include "components/foundations/Sclclass.h"
#include "components/foundations/Sclsysin.h"
#include "components/foundations/Sclutils_Internal.h"

using namespace sclutils;

// ---- Shared helpers --------------------------------------------------------

namespace sclutils {

Clip_Scope::Clip_Scope(HDC context, const RECT& rect) : dc(context), saved(CreateRectRgn(0, 0, 0, 0))
{
    had_clip = GetClipRgn(dc, saved) == 1;
    IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
}

Clip_Scope::~Clip_Scope()
{
    SelectClipRgn(dc, had_clip ? saved : nullptr);
    DeleteObject(saved);
}

Mono_Colors::Mono_Colors(HDC context, COLORREF text, COLORREF back)
    : dc(context), old_text(SetTextColor(context, text)), old_back(SetBkColor(context, back))
{
}

Mono_Colors::~Mono_Colors()
{
    SetTextColor(dc, old_text);
    SetBkColor(dc, old_back);
}

POINT Unpack_Offset(int offset)
{
    const auto bits = static_cast<std::uint32_t>(offset);
    return POINT{static_cast<std::int16_t>(bits & 0xFFFF), static_cast<std::int16_t>(bits >> 16)};
}

bool Palette_Allowed()
{
    return !(SCLApplication && SCLApplication->Options.Contains(aoAutoRealizePalette) && SCLSIColorDepth() < 9);
}

} // namespace sclutils

namespace {

void Pen_Line(TCanvas* canvas, TColor color, int x, int y)
{
    canvas->Pen()->SetColor(color);
    canvas->LineTo(x, y);
}

void Solid_Pen(TCanvas* canvas, TColor color)
{
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetColor(color);
}

void Frame(TCanvas* canvas, const RECT& rect, TColor color)
{
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(color);
    canvas->FrameRect(rect);
}

void Fill(TCanvas* canvas, const RECT& rect, TColor color)
{
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(color);
    canvas->FillRect(rect);
}

void Shrink(RECT& rect, int by) { rect = RECT{rect.left + by, rect.top + by, rect.right - by, rect.bottom - by}; }

void Edge(TCanvas* canvas, RECT& rect, UINT edge, UINT flags) { DrawEdge(canvas->Handle(), &rect, edge, flags); }

// ---- 3D frames

void Draw_Etched(TCanvas* canvas, RECT& rect, TColor a, TColor b, int width)
{
    const RECT r = rect;
    for (int i = 0; i < width; ++i) {
        Frame(canvas, RECT{r.left + i + 1, r.top + i + 1, r.right, r.bottom}, b);
        Frame(canvas, RECT{r.left, r.top, r.right - i - 1, r.bottom - i - 1}, a);
    }
    rect = RECT{r.left + width + 1, r.top + width + 1, r.right - width - 1, r.bottom - width - 1};
}

void Draw_Bevel_Lines(TCanvas* canvas, RECT& rect, TColor a, TColor b)
{
    const RECT r = rect;
    const int right = r.right - 1;
    const int bottom = r.bottom - 1;
    Solid_Pen(canvas, a);
    canvas->MoveTo(r.left, bottom);
    canvas->LineTo(r.left, r.top);
    canvas->LineTo(right, r.top);
    Pen_Line(canvas, b, right, bottom);
    canvas->LineTo(r.left, bottom);
    Shrink(rect, 1);
}

void Draw_Bevel_Polygons(TCanvas* canvas, RECT& rect, TColor a, TColor b, int w)
{
    const RECT r = rect;
    const int bottom = r.bottom - 1;
    const int il = r.left + w;
    const int it = r.top + w;
    const int ir = r.right - w;
    const int ib = bottom - w;
    canvas->Pen()->SetStyle(psClear);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(b);
    const std::array<POINT, 6> lower{
        {{r.left, bottom + 1}, {il, ib}, {ir, ib}, {ir, it}, {r.right, r.top}, {r.right, bottom + 1}}};
    canvas->Polygon(lower);
    canvas->Brush()->SetColor(a);
    const std::array<POINT, 6> upper{{{r.left, bottom}, {il, ib}, {il, it}, {ir - 1, it}, {r.right - 1, r.top},
                                      {r.left, r.top}}};
    canvas->Polygon(upper);
    Shrink(rect, w);
}

// ---- Button faces

enum class Face_Kind { Win31, Win40, Win40_Plain, Outlined, Flat, Integrated };

TSCLUserButtonStyle Resolve_Style(TSCLUserButtonStyle style)
{
    // Every desktop we run on offers the new-style controls.
    return style == ubsAutoDetect ? ubsWin40 : style;
}

Face_Kind Kind_Of(TSCLUserButtonStyle style, WORD flags)
{
    switch (style) {
    case ubsWin31:
        return Face_Kind::Win31;
    case ubsWin40:
        return (flags & SCLBF_NEWSTYLE) ? Face_Kind::Win40 : Face_Kind::Win40_Plain;
    case ubsClassic:
        return Face_Kind::Outlined;
    case ubsIntegrated:
        return Face_Kind::Integrated;
    default:
        return Face_Kind::Flat;
    }
}

bool Is_Pressed(TSCLButtonState state)
{
    return state == bsOptionSet || state == bsDown || state == bsDropDownOpen || state == bsDisabledDown;
}

bool Is_Explorer(TSCLUserButtonStyle style) { return style == ubsExplorer || style == ubsExplorerColored; }

void Fill_Face(TCanvas* canvas, const RECT& rect, TColor color, bool dither)
{
    TBitmap* pattern = dither && SCLApplication ? SCLApplication->GetBrushBitmap(color) : nullptr;
    if (!pattern) {
        Fill(canvas, rect, color);
        return;
    }
    canvas->Brush()->SetBitmap(pattern);
    canvas->FillRect(rect);
    canvas->Brush()->SetBitmap(nullptr);
}

void Corner_Pixels(TCanvas* canvas, const RECT& r)
{
    const COLORREF face = ColorToRGB(clBtnFace);
    HDC dc = canvas->Handle();
    SetPixel(dc, r.left, r.top, face);
    SetPixel(dc, r.right - 1, r.top, face);
    SetPixel(dc, r.left, r.bottom - 1, face);
    SetPixel(dc, r.right - 1, r.bottom - 1, face);
}

// The black frame of a default button, one pixel wide.
void Default_Edge(TCanvas* canvas, RECT& rect, TSCLUserButtonStyle style, WORD& flags)
{
    RECT r = rect;
    Edge(canvas, r, BDR_SUNKENOUTER, BF_TOPLEFT | BF_SOFT | ((flags & SCLBF_MIDDLE) ? BF_MIDDLE : 0));
    r = rect;
    Edge(canvas, r, BDR_RAISEDOUTER, BF_BOTTOMRIGHT);
    if (style == ubsWin31 && (flags & SCLBF_CORNERS)) {
        Corner_Pixels(canvas, rect);
        flags &= static_cast<WORD>(~SCLBF_CORNERS);
    }
    Shrink(rect, 1);
}

void Face_Win31(TCanvas* canvas, RECT& rect, bool pressed, WORD flags)
{
    RECT r = rect;
    Edge(canvas, r, BDR_SUNKENOUTER, BF_TOPLEFT | BF_SOFT);
    r = rect;
    Edge(canvas, r, BDR_RAISEDOUTER, BF_BOTTOMRIGHT);
    if (flags & SCLBF_CORNERS)
        Corner_Pixels(canvas, rect);
    Shrink(rect, 1);
    if (pressed) {
        Edge(canvas, rect, BDR_SUNKENINNER, BF_TOPLEFT);
        return;
    }
    Edge(canvas, rect, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    Edge(canvas, rect, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
}

void Face_Win40(TCanvas* canvas, RECT& rect, bool pressed, WORD flags)
{
    if (!pressed)
        SCLDrawStdFrame(canvas, rect, lsRaisedspb, BF_RECT);
    else if (flags & SCLBF_SUNKEN)
        Edge(canvas, rect, EDGE_SUNKEN, BF_RECT);
    else
        SCLDrawStdFrame(canvas, rect, lsLowered, 0);
}

void Face_Win40_Plain(TCanvas* canvas, RECT& rect, bool pressed, WORD flags)
{
    if (pressed) {
        Frame(canvas, rect, clBlack);
        Shrink(rect, 1);
        Frame(canvas, rect, clGray);
    } else if (flags & SCLBF_FOCUSED) {
        Edge(canvas, rect, BDR_RAISEDOUTER, BF_RECT | BF_SOFT | BF_ADJUST);
        Edge(canvas, rect, BDR_RAISEDINNER, BF_BOTTOMRIGHT | BF_ADJUST);
    } else {
        SCLDrawStdFrame(canvas, rect, lsRaisedspb, 0);
    }
}

void Face_Flat(TCanvas* canvas, RECT& rect, TSCLUserButtonStyle style, TSCLButtonState state, TColor color)
{
    const bool pressed = Is_Pressed(state);
    if ((style == ubsClassicFlat || style == ubsNavigator) && (pressed || state == bsMouseOver)) {
        canvas->Brush()->SetStyle(bsClear);
        canvas->Rectangle(rect);
        Shrink(rect, 1);
    }
    if (pressed)
        Edge(canvas, rect, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    else if (state == bsMouseOver)
        Edge(canvas, rect, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    else if (!Is_Explorer(style))
        Fill(canvas, rect, color);
}

void Face_Outlined(TCanvas* canvas, RECT& rect, bool pressed)
{
    Frame(canvas, rect, clBlack);
    Shrink(rect, 1);
    if (!pressed) {
        Edge(canvas, rect, BDR_RAISEDINNER, BF_RECT);
        return;
    }
    Solid_Pen(canvas, clGray);
    canvas->MoveTo(rect.left, rect.bottom - 1);
    canvas->LineTo(rect.left, rect.top);
    canvas->LineTo(rect.right, rect.top);
}

void Face_Integrated(TCanvas* canvas, RECT& rect, bool pressed)
{
    if (pressed) {
        Frame(canvas, rect, clGray);
        return;
    }
    Frame(canvas, rect, clBlack);
    Shrink(rect, 1);
    Solid_Pen(canvas, clBtnFace);
    canvas->MoveTo(rect.left, rect.bottom - 1);
    canvas->LineTo(rect.left, rect.top);
    canvas->LineTo(rect.right - 1, rect.top);
    Pen_Line(canvas, clGray, rect.right - 1, rect.bottom - 1);
    canvas->LineTo(rect.left, rect.bottom - 1);
    Shrink(rect, 1);
    Frame(canvas, rect, clWhite);
}

} // namespace

// ---- Frames ----------------------------------------------------------------

bool SCLDrawFrame3D(TCanvas* Canvas, RECT& Rect, TSCLBevelStyle Style, TColor LightColor, TColor ShadowColor,
                    int Width)
{
    if (!Canvas || Width <= 0 || Style == bvNone || Style == bvShadow)
        return false;
    TColor a = LightColor;
    TColor b = ShadowColor;
    if (Style == bvLowered || Style == bvFrameLowered)
        std::swap(a, b);
    else if (Style == bvNormal)
        a = b = clBlack;
    if (Style == bvFrameLowered || Style == bvFrameRaised)
        Draw_Etched(Canvas, Rect, a, b, Width);
    else if (Width == 1)
        Draw_Bevel_Lines(Canvas, Rect, a, b);
    else
        Draw_Bevel_Polygons(Canvas, Rect, a, b, Width);
    return true;
}

bool SCLDrawStdFrame(TCanvas* Canvas, RECT& Rect, TSCLBorderStyle Style, WORD Flags)
{
    if (!Canvas)
        return true;
    const UINT f = Flags | BF_ADJUST;
    switch (Style) {
    case lsNone:
        break;
    case lsSingle: {
        Edge(Canvas, Rect, BDR_SUNKENOUTER, BF_TOPLEFT | BF_SOFT | f);
        RECT bottom_right = Rect;
        Edge(Canvas, bottom_right, BDR_RAISEDOUTER, BF_BOTTOMRIGHT);
        break;
    }
    case lsLowered:
        Edge(Canvas, Rect, EDGE_SUNKEN, BF_RECT | BF_SOFT | f);
        break;
    case lsRaised:
        Edge(Canvas, Rect, EDGE_RAISED, BF_RECT | BF_SOFT | f);
        break;
    case lsRaisedspb:
    case lsRaisedExt:
        Edge(Canvas, Rect, BDR_RAISEDOUTER, BF_RECT | BF_SOFT | f);
        Edge(Canvas, Rect, BDR_RAISEDINNER, BF_BOTTOMRIGHT | BF_ADJUST);
        if (Style == lsRaisedExt) {
            Rect.top += 1;
            Rect.left += 1;
        }
        break;
    case lsLoweredspb:
        Edge(Canvas, Rect, BDR_SUNKENOUTER, BF_RECT | f);
        Edge(Canvas, Rect, BDR_SUNKENINNER, BF_TOPLEFT | f);
        break;
    case lsLoweredExt:
        Edge(Canvas, Rect, BDR_SUNKENOUTER, BF_RECT | f);
        Edge(Canvas, Rect, BDR_SUNKENINNER, BF_TOPLEFT | BF_ADJUST);
        Rect.right -= 1;
        Rect.bottom -= 1;
        break;
    case lsFrameInset:
        Edge(Canvas, Rect, EDGE_ETCHED, BF_RECT | f);
        break;
    case lsFrameOffset:
        Edge(Canvas, Rect, BDR_RAISEDINNER, BF_RECT | f);
        Edge(Canvas, Rect, BDR_SUNKENOUTER, BF_RECT | f);
        break;
    case lsWindowBorder:
        Edge(Canvas, Rect, BDR_RAISEDOUTER, BF_BOTTOMRIGHT | f);
        Rect.top += 1;
        Rect.left += 1;
        Edge(Canvas, Rect, BDR_RAISEDINNER, BF_RECT | f);
        break;
    case lsSingleRaised:
        Edge(Canvas, Rect, BDR_RAISEDINNER, BF_RECT | f);
        break;
    case lsSingleLowered:
        Edge(Canvas, Rect, BDR_SUNKENOUTER, BF_RECT | f);
        break;
    case lsDoubleRaised:
        Edge(Canvas, Rect, BDR_RAISEDINNER, BF_RECT | f);
        Edge(Canvas, Rect, BDR_RAISEDINNER, BF_RECT | f);
        break;
    case lsDoubleLowered:
        Edge(Canvas, Rect, BDR_SUNKENOUTER, BF_RECT | f);
        Edge(Canvas, Rect, BDR_SUNKENOUTER, BF_RECT | f);
        break;
    }
    return true;
}

int SCLDrawStdFrameExt(TSCLBorderStyle Style)
{
    switch (Style) {
    case lsNone:
        return 0;
    case lsSingle:
    case lsSingleRaised:
    case lsSingleLowered:
        return 1;
    default:
        return 2;
    }
}

bool SCLDrawFrameShadow(TCanvas* Canvas, RECT& Rect, TColor FrameColor, TColor ShadowColor, TColor BackColor,
                        BYTE Depth, BYTE Width, bool Transparent, WORD)
{
    if (!Canvas)
        return true;
    const RECT r = Rect;
    const int d = Depth;
    Canvas->Pen()->SetStyle(psClear);
    Fill(Canvas, RECT{r.right - d, r.top + d, r.right, r.bottom}, ShadowColor);
    Fill(Canvas, RECT{r.left + d, r.bottom - d, r.right, r.bottom}, ShadowColor);
    if (!Transparent) {
        Fill(Canvas, RECT{r.right - d, r.top, r.right, r.top + d}, BackColor);
        Fill(Canvas, RECT{r.left, r.bottom - d, r.left + d, r.bottom}, BackColor);
    }
    Rect = RECT{r.left, r.top, r.right - d, r.bottom - d};
    for (int i = 0; i < Width; ++i) {
        Frame(Canvas, Rect, FrameColor);
        Shrink(Rect, 1);
    }
    return true;
}

void SCLDrawBorder(TCanvas* Canvas, const RECT& Rect, TColor TopLeftColor, TColor BottomRightColor)
{
    if (!Canvas)
        return;
    Solid_Pen(Canvas, TopLeftColor);
    Canvas->MoveTo(Rect.left, Rect.bottom - 1);
    Canvas->LineTo(Rect.left, Rect.top);
    Canvas->LineTo(Rect.right - 1, Rect.top);
    Pen_Line(Canvas, BottomRightColor, Rect.right - 1, Rect.bottom - 1);
    Canvas->LineTo(Rect.left, Rect.bottom - 1);
}

int SCLGetCtrlBorderWidth(bool Ctl3D, TFormBorderStyle BorderStyle)
{
    if (BorderStyle != bsSingle)
        return 0;
    return Ctl3D ? 2 : 1;
}

void SCLDrawTriangle(TCanvas* Canvas, int X, int Y, int Size, TColor Color, bool Down, bool Enabled)
{
    if (!Canvas || Size < 2 || Size >= 16)
        return;
    if (!Enabled) {
        SCLDrawTriangle(Canvas, X + 1, Y + 1, Size, clBtnHighlight, Down, true);
        Color = clGrayText;
    }
    Solid_Pen(Canvas, Color);
    auto row = [&](int x1, int x2, int y) {
        Canvas->MoveTo(x1, y);
        Canvas->LineTo(x2 + 1, y);
    };
    if (Down) {
        for (int i = 0; i <= Size - 2; ++i)
            row(X + i, X + 2 * Size - i - 2, Y + i);
        row(X + Size - 1, X + Size - 1, Y + Size - 1);
        return;
    }
    const int h = Size / 2;
    for (int i = 0; i < Size; ++i)
        row(X + h - i, X + h + i, Y + i);
}

bool SCLDrawBtnIsFlat(TSCLUserButtonStyle Style) { return Style >= ubsClassicFlat && Style <= ubsExplorerColored; }

bool SCLDrawBtnFace(TCanvas* Canvas, bool SolidLatched, RECT& Rect, TSCLUserButtonStyle Style,
                    TSCLButtonState State, WORD Flags, TColor Color)
{
    if (!Canvas)
        return true;
    Style = Resolve_Style(Style);
    const Face_Kind kind = Kind_Of(Style, Flags);
    const bool pressed = Is_Pressed(State);
    const RECT outer = Rect;
    if (!Is_Explorer(Style))
        Fill_Face(Canvas, Rect, Color, State == bsOptionSet && !(kind == Face_Kind::Flat && SolidLatched));
    if (!pressed && (Flags & (SCLBF_FOCUSED | SCLBF_DEFAULT)))
        Default_Edge(Canvas, Rect, Style, Flags);
    switch (kind) {
    case Face_Kind::Win31:
        Face_Win31(Canvas, Rect, pressed, Flags);
        break;
    case Face_Kind::Win40:
        Face_Win40(Canvas, Rect, pressed, Flags);
        break;
    case Face_Kind::Win40_Plain:
        Face_Win40_Plain(Canvas, Rect, pressed, Flags);
        break;
    case Face_Kind::Flat:
        Face_Flat(Canvas, Rect, Style, State, Color);
        break;
    case Face_Kind::Outlined:
        Face_Outlined(Canvas, Rect, pressed);
        break;
    case Face_Kind::Integrated:
        Face_Integrated(Canvas, Rect, pressed);
        break;
    }
    if (Flags & SCLBF_FOCUSED) {
        RECT focus = outer;
        Shrink(focus, pressed ? 4 : 3);
        DrawFocusRect(Canvas->Handle(), &focus);
    }
    Rect = outer;
    Shrink(Rect, 3);
    if (pressed)
        Rect = RECT{Rect.left + 1, Rect.top + 1, Rect.right + 1, Rect.bottom + 1};
    return true;
}
