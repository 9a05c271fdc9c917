#include "components/controls/Sclgrapa.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <span>

#include "components/controls/SCLShadow.h"
#include "components/controls/Sclsimplebevel.h"
#include "components/controls/Sclteeth.h"
#include "components/foundations/Sclclass.h"
#include "platform/classlib/SysUtils.h"

namespace {

using Outline = std::vector<POINT>;

constexpr double Sqrt2 = 1.4142135623730951;

int Clamp16(long long v)
{
    return static_cast<int>(std::clamp<long long>(v, std::numeric_limits<std::int16_t>::min(),
                                                  std::numeric_limits<std::int16_t>::max()));
}

int Rnd(double v)
{
    return static_cast<int>(Round(v));
}

// Sizes far beyond the 16-bit outline keep every later sum within int.
int Clamp_Size(long long v)
{
    return static_cast<int>(std::clamp<long long>(v, -0x10000, 0x10000));
}

// What every step shares: pen halves, shadow offset, corner size.
struct Shape_Measures {
    int p = 1;
    int a = 0;
    int b = 0;
    int d = 0;
    int w = 0;
    int h = 0;
    int c = 0;
};

Shape_Measures Measure(const RECT& Rect, const TSCLShapeTeeth* Teeth, int RoundPercent, const TSCLShapeBevel* Bevel,
                       const TSCLShapeShadow* Shadow)
{
    Shape_Measures m;
    m.p = !Teeth && Bevel ? std::max(Bevel->Width, 0) : 1;
    m.a = m.p / 2;
    m.b = (m.p - 1) / 2;
    m.d = Shadow && Shadow->Style != hssNone ? Shadow->Depth : 0;
    m.w = Clamp_Size(static_cast<long long>(Rect.right) - Rect.left);
    m.h = Clamp_Size(static_cast<long long>(Rect.bottom) - Rect.top);
    const long long percent = std::clamp(RoundPercent, 0, 100);
    m.c = static_cast<int>(std::min(m.w - m.d, m.h - m.d) * percent / 100);
    return m;
}

RECT Working_Rect(const Shape_Measures& m, bool Square)
{
    int dx = 0;
    int dy = 0;
    if (Square) {
        if (m.w > m.h)
            dx = (m.w - m.h) / 2;
        else
            dy = (m.h - m.w) / 2;
    }
    return RECT{dx + m.d, dy + m.d, m.w - dx, m.h - dy};
}

// ---- Teeth ---------------------------------------------------------------

// More teeth than pixels along any side make no difference.
constexpr int Max_Teeth = 0x10000;

// The number of tooth steps along the serrated side; 0 (a straight side)
// when the size or count that divides is 0 or the sizes are negative.
int Teeth_Steps(TSCLShapeTeeth& Teeth, const RECT& R)
{
    const bool horizontal = Teeth.Direction == tdDown || Teeth.Direction == tdUp;
    const int length = horizontal ? R.right - R.left : R.bottom - R.top;
    int& step = horizontal ? Teeth.Width : Teeth.Height;
    if (Teeth.SetPerCount) {
        if (Teeth.Count <= 0)
            return 0;
        const int n = 2 * std::min(Teeth.Count, Max_Teeth);
        step = Rnd(static_cast<double>(length) / n);
        return n;
    }
    if (step <= 0)
        return 0;
    return 2 * std::clamp(Rnd(static_cast<double>(length) / step), 0, Max_Teeth);
}

Outline Teeth_Outline(TSCLShapeTeeth& Teeth, const RECT& R)
{
    const int n = Teeth_Steps(Teeth, R);
    const long long W = Teeth.Width;
    const long long H = Teeth.Height;
    const int k = Teeth.Offset ? 0 : 1;
    auto s = [&](int i) { return Teeth.Offset ? i % 2 : (i + 1) % 2; };
    auto pt = [](long long x, long long y) { return POINT{Clamp16(x), Clamp16(y)}; };
    const long long L = R.left;
    const long long T = R.top;
    const long long Rr = R.right;
    const long long B = R.bottom;
    Outline o;
    o.reserve(static_cast<std::size_t>(n) + 6);
    switch (Teeth.Direction) {
    case tdRight:
        o = {pt(Rr - W * k - 1, B - 1), pt(L, B - 1), pt(L, T), pt(Rr - W * k - 1, T)};
        for (int i = 0; i <= n; ++i)
            o.push_back(pt(Rr - W * s(i) - 1, std::min(T + i * H, B)));
        o.push_back(pt(Rr - W * s(n) - 1, B));
        break;
    case tdDown:
        o = {pt(Rr - 1, B - H * k), pt(Rr - 1, T), pt(L, T), pt(L, B - H * k)};
        for (int i = 0; i <= n; ++i)
            o.push_back(pt(std::min(L + i * W, Rr), B - H * s(i)));
        o.push_back(pt(Rr, B - H * s(n)));
        break;
    case tdLeft:
        o = {pt(L + W * k, B - 1), pt(Rr - 1, B - 1), pt(Rr - 1, T), pt(L + W * k, T)};
        for (int i = 0; i <= n; ++i)
            o.push_back(pt(L + W * s(i), std::min(T + i * H, B)));
        o.push_back(pt(L + W * s(n), B));
        break;
    case tdUp:
        o = {pt(Rr - 1, T + H * k), pt(Rr - 1, B - 1), pt(L, B - 1), pt(L, T + H * k)};
        for (int i = 0; i <= n; ++i)
            o.push_back(pt(std::min(L + i * W, Rr), T + H * s(i)));
        o.push_back(pt(Rr, T + H * s(n)));
        break;
    }
    return o;
}

// ---- Shapes ----------------------------------------------------------------

Outline Star_Outline(const RECT& R, int a, int b)
{
    const int L = R.left, T = R.top, Rr = R.right, B = R.bottom;
    const int M = L + (Rr - L) / 2;
    auto X = [&](double f) { return L + Rnd(f * (Rr - L)); };
    auto Y = [&](double f) { return T + Rnd(f * (B - T)); };
    const Outline outer{{M, T},       {X(0.65), Y(0.38)}, {Rr, Y(0.38)}, {X(0.7), Y(0.6)}, {X(0.85), B},
                        {M, Y(0.75)}, {X(0.15), B},       {X(0.3), Y(0.6)}, {L, Y(0.38)},  {X(0.35), Y(0.38)}};
    Outline inner = outer;
    inner[0] = {M, T + a};
    inner[2] = {Rr - b, Y(0.38)};
    inner[4] = {X(0.85), B - b};
    inner[6] = {X(0.15), B - b};
    inner[8] = {L + b, Y(0.38)};
    Outline o = outer;
    o.insert(o.end(), inner.begin(), inner.end());
    return o;
}

Outline Octagon_Outline(const RECT& R, int a, int b)
{
    const int L = R.left, T = R.top, Rr = R.right, B = R.bottom;
    const int ox = Rnd((Rr - L) / (2 + Sqrt2));
    const int oy = Rnd((B - T) / (2 + Sqrt2));
    const int sx = Rnd(Sqrt2 * ox);
    const int sy = Rnd(Sqrt2 * oy);
    return {{L + ox, T},
            {L + ox + sx, T},
            {Rr, T + oy},
            {Rr, T + oy + sy},
            {L + ox + sx, B},
            {L + ox, B},
            {L, T + oy + sy},
            {L, T + oy},
            {L + ox + a, T + a},
            {L + ox + sx + a, T + a},
            {Rr - b, T + oy + a},
            {Rr - b, T + oy + sy + a},
            {L + ox + sx + a, B - b},
            {L + ox + a, B - b},
            {L + a, T + oy + sy + a},
            {L + a, T + oy + a}};
}

Outline Comb_Outline(const RECT& R, int a, int b)
{
    const int L = R.left, T = R.top, Rr = R.right, B = R.bottom;
    const int M = L + (Rr - L) / 2;
    const int q = Rnd((B - T) / 5.0);
    return {{M, T},     {Rr, T + q},         {Rr, T + 4 * q},         {M, B},     {L, T + 4 * q},         {L, T + q},
            {M, T + a}, {Rr - b, T + q + a}, {Rr - b, T + 4 * q + a}, {M, B - b}, {L + a, T + 4 * q + a}, {L + a, T + q + a}};
}

Outline Shape_Outline(TSCLShapeType ShapeType, const RECT& R, const Shape_Measures& m)
{
    const int L = R.left, T = R.top, Rr = R.right, B = R.bottom;
    const int M = L + (Rr - L) / 2;
    const int N = T + (B - T) / 2;
    const int a = m.a, b = m.b;
    switch (ShapeType) {
    case stEllipse:
    case stRectangle:
        return {{L, T}, {Rr, B}, {L + a, T + a}, {Rr - b, B - b}};
    case stRoundRect:
        return {{L, T}, {Rr, B}, {m.c, m.c}, {L + a, T + a}, {Rr, B}, {m.c + m.d, m.c + m.d}};
    case stDirectUp:
        return {{M, T}, {Rr, B}, {L, B}, {M, T + a}, {Rr - b, B - b}, {L + 2 * a, B}};
    case stDirectRight:
        return {{L, T}, {Rr, N}, {L, B}, {L + a, T + a}, {Rr - b, N}, {L + a, B - b}};
    case stDirectDown:
        return {{L, T}, {Rr, T}, {M, B}, {L + a, T + a}, {Rr - b, T + a}, {M, B}};
    case stDirectLeft:
        return {{Rr, T}, {L, N}, {Rr, B}, {Rr - b, T + a}, {L + a, N}, {Rr - b, B - b}};
    case stDiamond:
        return {{M, T}, {Rr, N}, {M, B}, {L, N}, {M, T + a}, {Rr - b, N}, {M, B - b}, {L + a, N}};
    case stComb:
        return Comb_Outline(R, a, b);
    case stOctagon:
        return Octagon_Outline(R, a, b);
    case stStar:
        return Star_Outline(R, a, b);
    }
    return {};
}

// Where the outer and the inner outline start in a shape's list, and how
// many points a polygon outline has (0: drawn by its own call).
struct Layout {
    int inner = 0;
    int count = 0;
};

Layout Layout_Of(TSCLShapeType ShapeType)
{
    switch (ShapeType) {
    case stEllipse:
    case stRectangle:
        return {2, 0};
    case stRoundRect:
        return {3, 0};
    case stDirectUp:
    case stDirectRight:
    case stDirectDown:
    case stDirectLeft:
        return {3, 3};
    case stDiamond:
        return {4, 4};
    case stComb:
        return {6, 6};
    case stOctagon:
        return {8, 8};
    case stStar:
        return {10, 10};
    }
    return {};
}

Outline Calculate(const RECT& Rect, TSCLShapeType ShapeType, TSCLShapeTeeth* Teeth, bool Square, int RoundPercent,
                  const TSCLShapeBevel* Bevel, const TSCLShapeShadow* Shadow)
{
    const Shape_Measures m = Measure(Rect, Teeth, RoundPercent, Bevel, Shadow);
    const RECT r = Working_Rect(m, Square);
    if (Teeth)
        return Teeth_Outline(*Teeth, r);
    return Shape_Outline(ShapeType, r, m);
}

// ---- Drawing -----------------------------------------------------------------

// The list a draw works on: a copy, so that a given list is never touched.
struct Draw_Outline {
    Outline points;
    bool teeth = false;
    TSCLShapeType type = stRectangle;

    POINT P(int i) const
    {
        return i >= 0 && i < static_cast<int>(points.size()) ? points[static_cast<std::size_t>(i)] : POINT{};
    }
    bool Corner_Size(int i) const { return !teeth && type == stRoundRect && (i == 2 || i == 5); }
};

Draw_Outline Outline_For_Draw(const RECT& Rect, TSCLShapeType ShapeType, TSCLShapeTeeth* Teeth,
                              TSCLPointList* PointList, bool Square, int RoundPercent, const TSCLShapeBevel& Bevel,
                              const TSCLShapeShadow* Shadow)
{
    Draw_Outline o;
    o.teeth = Teeth != nullptr;
    o.type = ShapeType;
    if (PointList) {
        o.points.reserve(static_cast<std::size_t>(PointList->Count()));
        for (int i = 0; i < PointList->Count(); ++i)
            o.points.push_back(PointList->GetPoint(i));
    } else {
        o.points = Calculate(Rect, ShapeType, Teeth, Square, RoundPercent, &Bevel, Shadow);
    }
    return o;
}

// The origin moves the figure but not the round rectangle's corner size.
void Move_To_Origin(Draw_Outline& o, int DX, int DY)
{
    for (std::size_t i = 0; i < o.points.size(); ++i)
        if (!o.Corner_Size(static_cast<int>(i))) {
            o.points[i].x += DX;
            o.points[i].y += DY;
        }
}

bool Enough_Points(const Draw_Outline& o, int first, int count)
{
    return first >= 0 && first + std::max(count, 2) <= static_cast<int>(o.points.size());
}

// The outer (first 0) or inner outline of the figure.
void Draw_Figure(TCanvas* Canvas, const Draw_Outline& o, bool inner)
{
    if (o.teeth) {
        if (!o.points.empty())
            Canvas->Polygon(o.points);
        return;
    }
    const Layout layout = Layout_Of(o.type);
    const int first = inner ? layout.inner : 0;
    if (!Enough_Points(o, first, layout.count))
        return;
    const POINT p0 = o.P(first);
    const POINT p1 = o.P(first + 1);
    switch (o.type) {
    case stRectangle:
        Canvas->Rectangle(p0.x, p0.y, p1.x, p1.y);
        return;
    case stEllipse:
        Canvas->Ellipse(p0.x, p0.y, p1.x, p1.y);
        return;
    case stRoundRect: {
        const POINT corner = o.P(first + 2);
        Canvas->RoundRect(p0.x, p0.y, p1.x, p1.y, corner.x, corner.y);
        return;
    }
    default:
        Canvas->Polygon(std::span<const POINT>(o.points).subspan(static_cast<std::size_t>(first),
                                                                static_cast<std::size_t>(layout.count)));
    }
}

void Draw_Shadow(TCanvas* Canvas, const Draw_Outline& o, const TSCLShapeShadow& Shadow)
{
    Canvas->Pen()->SetStyle(psClear);
    if (Shadow.Style == hssTracing) {
        Canvas->Brush()->SetBitmap(SCLApplication->GetBrushBitmap(Shadow.Color));
        Canvas->Pen()->SetMode(pmMask);
    } else {
        Canvas->Brush()->SetBitmap(nullptr);
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(Shadow.Color);
    }
    Draw_Figure(Canvas, o, false);
}

// The mask is local to Rect: white where the shape is, the surroundings'
// colour around it. A white control would leave no mark of its outline, so
// its surroundings are black in the mask: the picture never shows outside
// the shape.
void Set_Mask_Tools(TBitmap& Mask, const RECT& Rect, const Shape_Measures& m, const TSCLShapeBevel& Bevel,
                    COLORREF Color)
{
    if ((Color & 0xFFFFFFu) == 0xFFFFFFu)
        Color = 0;
    Mask.SetPixelFormat(pf32bit);
    Mask.SetSize(m.w, m.h);
    TCanvas* mask = Mask.Canvas();
    mask->Pen()->SetMode(pmCopy);
    if (Bevel.Width == 0) {
        mask->Pen()->SetStyle(psClear);
    } else {
        mask->Pen()->SetStyle(psSolid);
        mask->Pen()->SetWidth(m.p);
        mask->Pen()->SetColor(clWhite);
    }
    mask->Brush()->SetStyle(bsSolid);
    mask->Brush()->SetColor(Color);
    mask->FillRect(RECT{0, 0, m.w, m.h});
    mask->Brush()->SetColor(clWhite);
    SetWindowOrgEx(mask->Handle(), Rect.left, Rect.top, nullptr);
}

std::uint32_t Quad_Of(COLORREF Color)
{
    return (Color & 0xFFu) << 16 | (Color & 0xFF00u) | (Color >> 16 & 0xFFu);
}

// The body's picture through the mask, laid as SCLMaskBmpDraw lays it:
// the bitmap's pixels show where the mask is white, except those of the
// surroundings' colour, and the rest of the canvas stays. Done row by row
// over a copy of the canvas area, at a fraction of the cost of the general
// transparent drawing.
void Draw_Bitmap_Through_Mask(TCanvas* Canvas, const RECT& Rect, TBitmap& Mask, TBitmap* Bitmap,
                              const Shape_Measures& m, COLORREF Color)
{
    TBitmap converted;
    TBitmap* source = Bitmap;
    if (Bitmap->PixelFormat() != pf32bit) {
        converted.Assign(Bitmap);
        converted.SetPixelFormat(pf32bit);
        source = &converted;
    }
    TBitmap result;
    result.SetPixelFormat(pf32bit);
    result.SetSize(m.w, m.h);
    BitBlt(result.Canvas()->Handle(), 0, 0, m.w, m.h, Canvas->Handle(), Rect.left, Rect.top, SRCCOPY);
    const int w = std::min(m.w, source->Width());
    const int h = std::min(m.h, source->Height());
    const std::uint32_t white = 0xFFFFFF;
    const std::uint32_t surroundings = Quad_Of(Color);
    for (int y = 0; y < h; ++y) {
        const auto* shape = static_cast<const std::uint32_t*>(Mask.ScanLine(y));
        const auto* picture = static_cast<const std::uint32_t*>(source->ScanLine(y));
        auto* out = static_cast<std::uint32_t*>(result.ScanLine(y));
        for (int x = 0; x < w; ++x)
            if ((shape[x] & white) == white && (picture[x] & white) != surroundings)
                out[x] = picture[x];
    }
    BitBlt(Canvas->Handle(), Rect.left, Rect.top, m.w, m.h, result.Canvas()->Handle(), 0, 0, SRCCOPY);
}

void Set_Canvas_Tools(TCanvas* Canvas, int Pass, const Shape_Measures& m, const TSCLShapeBevel& Bevel, TBrush* Brush,
                      TBitmap* Bitmap, TColor BrushBackColor)
{
    TPen* pen = Canvas->Pen();
    const bool normal = Bevel.Kind == TSCLShapeBevelKind::Normal;
    if (Pass == 1 || (m.p != 0 && normal && !Bitmap)) {
        pen->SetMode(pmCopy);
        if (Bevel.Width == 0) {
            pen->SetStyle(psClear);
        } else {
            pen->SetStyle(psSolid);
            pen->SetWidth(m.p);
            pen->SetColor(Bevel.Color);
        }
    }
    pen->SetMode(pmCopy);
    if (Bevel.Width == 0)
        pen->SetStyle(psClear);
    else
        pen->SetWidth(m.p);
    if (!normal)
        pen->SetColor(Canvas->Brush()->Color());
    if (Bitmap) {
        Canvas->Brush()->SetBitmap(nullptr);
        Canvas->Brush()->SetStyle(bsClear);
    } else if (Brush) {
        Canvas->Brush()->Assign(Brush);
    }
    if (Pass == 1 && Canvas->Brush()->Style() != bsSolid) {
        HDC dc = Canvas->Handle();
        SetBkColor(dc, ColorToRGB(BrushBackColor));
        SetBkMode(dc, OPAQUE);
    }
}

void Draw_Body(TCanvas* Canvas, const RECT& Rect, const Draw_Outline& o, const Shape_Measures& m,
               const TSCLShapeBevel& Bevel, TBrush* Brush, TBitmap* Bitmap, COLORREF Color, TColor BrushBackColor)
{
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 0 && Bitmap) {
            TBitmap mask;
            Set_Mask_Tools(mask, Rect, m, Bevel, Color);
            Draw_Figure(mask.Canvas(), o, true);
            Draw_Bitmap_Through_Mask(Canvas, Rect, mask, Bitmap, m, Color);
            continue;
        }
        Set_Canvas_Tools(Canvas, pass, m, Bevel, Brush, Bitmap, BrushBackColor);
        Draw_Figure(Canvas, o, true);
    }
}

// ---- Bevel lines -------------------------------------------------------------

void Line(TCanvas* Canvas, std::initializer_list<POINT> points)
{
    Canvas->Polyline(std::span<const POINT>(points.begin(), points.size()));
}

void Arc(TCanvas* Canvas, int x1, int y1, int x2, int y2, POINT from, POINT to)
{
    Canvas->Arc(x1, y1, x2, y2, from.x, from.y, to.x, to.y);
}

void Round_Rect_Bevel(TCanvas* Canvas, const Draw_Outline& o, const Shape_Measures& m, bool first)
{
    const int x0 = o.P(0).x + m.a, y0 = o.P(0).y + m.a;
    const int x1 = o.P(1).x - m.b, y1 = o.P(1).y - m.b;
    const int c = m.c, h2 = m.c / 2;
    if (first) {
        Arc(Canvas, x0, y0, x0 + c, y0 + c, {x0 + h2, y0}, {x0, y0 + h2});
        Arc(Canvas, x1 - c, y0, x1, y0 + c, {x1, y0}, {x1 - h2, y0});
        Arc(Canvas, x0, y1 - c, x0 + c, y1, {x0, y1 - h2}, {x0, y1});
        Line(Canvas, {{x0, y0 + h2}, {x0, y1 - h2}});
        Line(Canvas, {{x0 + h2, y0}, {x1 - h2, y0}});
    } else {
        Arc(Canvas, x1 - c, y0, x1, y0 + c, {x1, y0 + h2}, {x1, y0});
        Arc(Canvas, x1 - c, y1 - c, x1, y1, {x1 - h2, y1}, {x1, y1 - h2});
        Arc(Canvas, x0, y1 - c, x0 + c, y1, {x0, y1}, {x0 + h2, y1});
        Line(Canvas, {{x1 - 1, y0 + h2}, {x1 - 1, y1 - h2}});
        Line(Canvas, {{x0 + h2, y1 - 1}, {x1 - h2, y1 - 1}});
    }
}

// One of the two bevel line sets of a figure (first: the first colour).
void Bevel_Lines(TCanvas* Canvas, const Draw_Outline& o, const Shape_Measures& m, bool first)
{
    const int a = m.a, b = m.b;
    auto P = [&](int i) { return o.P(i); };
    switch (o.type) {
    case stRectangle:
        if (first)
            Line(Canvas, {{P(0).x + a, P(1).y - b}, {P(0).x + a, P(0).y + a}, {P(1).x - b, P(0).y + a}});
        else
            Line(Canvas, {{P(1).x - b - 1, P(0).y + a}, {P(1).x - b - 1, P(1).y - b - 1}, {P(0).x + a, P(1).y - b - 1}});
        return;
    case stEllipse: {
        const int x0 = P(0).x + a, y0 = P(0).y + a, x1 = P(1).x - b, y1 = P(1).y - b;
        if (first)
            Arc(Canvas, x0, y0, x1, y1, {x1, y0}, {x0, y1});
        else
            Arc(Canvas, x0, y0, x1, y1, {x0, y1}, {x1, y0});
        return;
    }
    case stRoundRect:
        Round_Rect_Bevel(Canvas, o, m, first);
        return;
    case stDirectUp:
        if (first)
            Line(Canvas, {P(2), P(0), P(1)});
        else
            Line(Canvas, {P(1), P(2)});
        return;
    case stDirectRight:
        if (first)
            Line(Canvas, {{P(0).x + a, P(0).y + a}, {P(2).x + a, P(2).y - b}});
        else
            Line(Canvas, {{P(0).x + a, P(0).y + a}, {P(1).x - b, P(1).y}, {P(2).x + a, P(2).y - b}});
        return;
    case stDirectDown:
        if (first)
            Line(Canvas, {{P(0).x + a, P(0).y + a}, {P(1).x - b, P(1).y - b}});
        else
            Line(Canvas, {{P(0).x - b, P(0).y + a}, {P(2).x, P(2).y - b}, {P(1).x - b, P(1).y + a}});
        return;
    case stDirectLeft:
        if (first)
            Line(Canvas, {{P(0).x - a - 1, P(0).y + a}, {P(1).x + a, P(1).y + a}, {P(2).x - a - 1, P(2).y - a}});
        else
            Line(Canvas, {{P(0).x - a - 1, P(0).y + a}, {P(2).x - a - 1, P(2).y - b}});
        return;
    case stDiamond:
        if (first)
            Line(Canvas, {{P(3).x + a, P(3).y}, {P(0).x, P(0).y + a}, {P(1).x - b, P(1).y}});
        else
            Line(Canvas, {{P(1).x - b, P(1).y}, {P(2).x, P(2).y - b}, {P(3).x + a, P(3).y}});
        return;
    case stComb:
        if (first)
            Line(Canvas, {{P(4).x + a, P(4).y}, {P(5).x + a, P(5).y}, {P(0).x, P(0).y + a}, {P(1).x - b - 1, P(1).y}});
        else
            Line(Canvas, {{P(1).x - b - 1, P(1).y}, {P(2).x - b - 1, P(2).y}, {P(3).x, P(3).y - b}, {P(4).x + a, P(4).y}});
        return;
    case stOctagon:
        if (first)
            Line(Canvas, {{P(6).x + a, P(6).y}, {P(7).x + a, P(7).y}, {P(0).x, P(0).y + a}, {P(1).x, P(1).y + a},
                          {P(2).x - b - 1, P(2).y}});
        else
            Line(Canvas, {{P(2).x - b - 1, P(2).y}, {P(3).x - b - 1, P(3).y}, {P(4).x, P(4).y - b}, {P(5).x, P(5).y - b},
                          {P(6).x + a, P(6).y}});
        return;
    case stStar:
        if (first) {
            Line(Canvas, {P(1), P(2)});
            Line(Canvas, {P(3), P(4)});
            Line(Canvas, {P(8), P(9), P(0)});
            Line(Canvas, {P(6), P(7)});
        } else {
            Line(Canvas, {P(0), P(1)});
            Line(Canvas, {P(2), P(3)});
            Line(Canvas, {P(4), P(5), P(6)});
            Line(Canvas, {P(7), P(8)});
        }
        return;
    }
}

void Draw_Bevel(TCanvas* Canvas, const Draw_Outline& o, const Shape_Measures& m, const TSCLShapeBevel& Bevel)
{
    const Layout layout = Layout_Of(o.type);
    if (m.p == 0 || Bevel.Kind == TSCLShapeBevelKind::Normal || o.teeth || !Enough_Points(o, 0, layout.inner))
        return;
    TPen* pen = Canvas->Pen();
    pen->SetMode(pmCopy);
    pen->SetStyle(psSolid);
    pen->SetWidth(m.p);
    const bool inset = Bevel.Kind == TSCLShapeBevelKind::Inset;
    const TColor first = inset ? Bevel.ShadowColor : Bevel.LightColor;
    const TColor second = inset ? Bevel.LightColor : Bevel.ShadowColor;
    const bool second_first = o.type == stDirectDown || o.type == stDirectLeft;
    for (const bool first_set : {!second_first, second_first}) {
        pen->SetColor(first_set ? first : second);
        Bevel_Lines(Canvas, o, m, first_set);
    }
}

// ---- Settings objects ------------------------------------------------------

TSCLShapeTeeth Values_Of(const TSCLTeeth& Teeth)
{
    return {Teeth.Count(), Teeth.Direction(), Teeth.Offset(), Teeth.SetPerCount(), Teeth.Width(), Teeth.Height()};
}

// The tooth size a calculation wrote back, stored without a notification.
void Write_Back(TSCLTeeth& Teeth, const TSCLShapeTeeth& Values)
{
    Teeth.BeginUpdate();
    Teeth.SetInteger(0, Values.Width);
    Teeth.SetInteger(1, Values.Height);
    Teeth.EndUpdate(false);
}

TSCLShapeBevel Values_Of(const TSCLSimpleBevel& Bevel)
{
    const TSCLShapeBevelKind kind = Bevel.Style() == sbInset    ? TSCLShapeBevelKind::Inset
                                    : Bevel.Style() == sbOffset ? TSCLShapeBevelKind::Offset
                                                                : TSCLShapeBevelKind::Normal;
    return {Bevel.Width(), kind, Bevel.Color(), Bevel.LightColor(), Bevel.ShadowColor()};
}

TSCLShapeShadow Values_Of(const TSCLShadow& Shadow)
{
    return {Shadow.Style(), Shadow.Depth(), Shadow.Color()};
}

} // namespace

void SCLShapeCalc(const RECT& Rect, TSCLShapeType ShapeType, TSCLTeeth* Teeth, bool Square, TBrush*,
                  int RoundPercent, TSCLSimpleBevel* Bevel, TSCLShadow* Shadow, TSCLPointList* PointList)
{
    std::optional<TSCLShapeTeeth> teeth;
    if (Teeth)
        teeth = Values_Of(*Teeth);
    std::optional<TSCLShapeBevel> bevel;
    if (Bevel)
        bevel = Values_Of(*Bevel);
    std::optional<TSCLShapeShadow> shadow;
    if (Shadow)
        shadow = Values_Of(*Shadow);
    SCLShapeCalc(Rect, ShapeType, teeth ? &*teeth : nullptr, Square, RoundPercent, bevel ? &*bevel : nullptr,
                 shadow ? &*shadow : nullptr, PointList);
    if (Teeth)
        Write_Back(*Teeth, *teeth);
}

void SCLShapeDraw(const RECT& Rect, TCanvas* Canvas, TSCLShapeType ShapeType, TSCLTeeth* Teeth,
                  TSCLPointList* PointList, bool Square, TBrush* Brush, int RoundPercent, TSCLSimpleBevel* Bevel,
                  TSCLShadow* Shadow, TBitmap* Bitmap, TColor Color, TColor BrushBackColor)
{
    if (!Bevel)
        return;
    std::optional<TSCLShapeTeeth> teeth;
    if (Teeth)
        teeth = Values_Of(*Teeth);
    std::optional<TSCLShapeShadow> shadow;
    if (Shadow)
        shadow = Values_Of(*Shadow);
    SCLShapeDraw(Rect, Canvas, ShapeType, teeth ? &*teeth : nullptr, PointList, Square, Brush, RoundPercent,
                 Values_Of(*Bevel), shadow ? &*shadow : nullptr, Bitmap, Color, BrushBackColor);
    if (Teeth && !PointList)
        Write_Back(*Teeth, *teeth);
}

void SCLShapeCalc(const RECT& Rect, TSCLShapeType ShapeType, TSCLShapeTeeth* Teeth, bool Square, int RoundPercent,
                  const TSCLShapeBevel* Bevel, const TSCLShapeShadow* Shadow, TSCLPointList* PointList)
{
    if (!PointList)
        return;
    const Outline outline = Calculate(Rect, ShapeType, Teeth, Square, RoundPercent, Bevel, Shadow);
    PointList->BeginUpdate();
    PointList->Clear();
    for (const POINT& p : outline)
        PointList->AddPoint({Clamp16(p.x), Clamp16(p.y)});
    PointList->EndUpdate(true);
}

void SCLShapeDraw(const RECT& Rect, TCanvas* Canvas, TSCLShapeType ShapeType, TSCLShapeTeeth* Teeth,
                  TSCLPointList* PointList, bool Square, TBrush* Brush, int RoundPercent, const TSCLShapeBevel& Bevel,
                  const TSCLShapeShadow* Shadow, TBitmap* Bitmap, TColor Color, TColor BrushBackColor)
{
    if (!Canvas)
        return;
    const COLORREF color = ColorToRGB(Color);
    const TSCLShapeShadow no_shadow{hssNone, 0, clBtnShadow};
    const TSCLShapeShadow& shadow = Shadow ? *Shadow : no_shadow;
    const Shape_Measures m = Measure(Rect, Teeth, RoundPercent, &Bevel, &shadow);
    Draw_Outline o = Outline_For_Draw(Rect, ShapeType, Teeth, PointList, Square, RoundPercent, Bevel, &shadow);
    Move_To_Origin(o, Rect.left, Rect.top);
    if (m.d != 0)
        Draw_Shadow(Canvas, o, shadow);
    SCLOffsetPointArray(o.points, static_cast<int>(o.points.size()), -m.d, -m.d);
    const bool drawable_bitmap = Bitmap && !Bitmap->Empty() && m.w > 0 && m.h > 0;
    Draw_Body(Canvas, Rect, o, m, Bevel, Brush, drawable_bitmap ? Bitmap : nullptr, color, BrushBackColor);
    Draw_Bevel(Canvas, o, m, Bevel);
}

void SCLOffsetPointList(TSCLPointList* PointList, int DX, int DY)
{
    if (!PointList)
        return;
    for (int i = 0; i < PointList->Count(); ++i) {
        const POINT p = PointList->GetPoint(i);
        PointList->PutPoint(i, {Clamp16(static_cast<long long>(p.x) + DX), Clamp16(static_cast<long long>(p.y) + DY)});
    }
}

void SCLOffsetPointArray(std::vector<POINT>& Points, int Count, int DX, int DY)
{
    const std::size_t n = std::min(static_cast<std::size_t>(std::max(Count, 0)), Points.size());
    for (std::size_t i = 0; i < n; ++i) {
        Points[i].x += DX;
        Points[i].y += DY;
    }
}

void SCLGetLightColors(TSCLLightColor LightColor, TColor& Light, TColor& Dark)
{
    struct Pair {
        TColor light;
        TColor dark;
    };
    static constexpr std::array<Pair, 7> pairs{{{clBtnFace, clBtnFace},
                                                {0xFF0000, 0x800000},
                                                {0x0000FF, 0x000080},
                                                {0x00FF00, 0x008000},
                                                {0x00FFFF, 0x008080},
                                                {0xFFFF00, 0x808000},
                                                {0xFF00FF, 0x800080}}};
    const auto index = static_cast<std::size_t>(LightColor);
    if (index >= pairs.size())
        return;
    Light = pairs[index].light;
    Dark = pairs[index].dark;
}
