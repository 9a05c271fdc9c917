#include "components/controls/Sclregionborder.h"

#include <functional>
#include <utility>
#include <vector>

#include "platform/classlib/Class_Registry.h"

namespace {

const bool Region_Border_Registered = [] {
    RegisterClass<TSCLRegionBorder>("TSCLRegionBorder")
        .Property("Style", Enum_Type<TSCLRegionBorderStyle>(TSCLEnumInfo<TSCLRegionBorderStyle>::Names),
                  &TSCLRegionBorder::Style, &TSCLRegionBorder::SetBorderStyle, rbSingle)
        .Property("LightColor", Color_Type(), &TSCLRegionBorder::LightColor, &TSCLRegionBorder::SetLightColor,
                  clBtnHighlight)
        .Property("ShadowColor", Color_Type(), &TSCLRegionBorder::ShadowColor, &TSCLRegionBorder::SetShadowColor,
                  clBtnShadow)
        .Property("SingleColor", Color_Type(), &TSCLRegionBorder::SingleColor, &TSCLRegionBorder::SetSingleColor,
                  clBlack);
    return true;
}();

// Draws the upper-left part (true) or the lower-right part (false) of a
// shape's outline in R with the canvas pen.
using Outline_Part = std::function<void(TCanvas*, const RECT&, bool)>;

struct Shape_Outline {
    Outline_Part part;
    int single_inset = 1; // the inner 3D outline of the single styles
    int psb_inset = 1;    // the inner lower-right part of the psb styles
};

RECT Shrunk(const RECT& R, int By)
{
    return {R.left + By, R.top + By, R.right - By, R.bottom - By};
}

void Draw_Part(TCanvas* Canvas, const Shape_Outline& Shape, const RECT& R, bool Upper_Left, TColor Color)
{
    Canvas->Pen()->SetColor(Color);
    Shape.part(Canvas, R, Upper_Left);
}

void Three_D(TCanvas* Canvas, const Shape_Outline& Shape, const RECT& R, TColor Light, TColor Shadow)
{
    Draw_Part(Canvas, Shape, R, true, Light);
    Draw_Part(Canvas, Shape, R, false, Shadow);
}

void Frame(TCanvas* Canvas, const RECT& R, TColor L, TColor S, TColor C, TSCLRegionBorderStyle Style,
           const Shape_Outline& Shape)
{
    if (!Canvas)
        return;
    if (Style == rbLowered || Style == rbSingleLowered || Style == rbLoweredpsb)
        std::swap(L, S);
    switch (Style) {
    case rbNone:
        return;
    case rbLowered:
    case rbRaised:
        Three_D(Canvas, Shape, R, L, S);
        return;
    case rbSingle:
        Three_D(Canvas, Shape, R, C, C);
        return;
    case rbSingleRaised:
    case rbSingleLowered:
        Three_D(Canvas, Shape, R, C, C);
        Three_D(Canvas, Shape, Shrunk(R, Shape.single_inset), L, S);
        return;
    case rbRaisedpsb:
    case rbLoweredpsb:
        std::swap(C, S);
        Three_D(Canvas, Shape, R, L, S);
        Draw_Part(Canvas, Shape, Shrunk(R, Shape.psb_inset), false, C);
        return;
    }
}

void Line(TCanvas* Canvas, std::initializer_list<POINT> Points)
{
    Canvas->Polyline(std::span<const POINT>(Points.begin(), Points.size()));
}

// ---- The shapes' two parts ----------------------------------------------------

void Rect_Part(TCanvas* Canvas, const RECT& R, bool Upper_Left)
{
    const int l = R.left, t = R.top, r = R.right - 1, b = R.bottom - 1;
    if (Upper_Left)
        Line(Canvas, {{r, t}, {l, t}, {l, b + 1}});
    else
        Line(Canvas, {{l, b}, {r, b}, {r, t - 1}});
}

void Ellipse_Part(TCanvas* Canvas, const RECT& R, bool Upper_Left)
{
    const POINT upper_right{R.right, R.top};
    const POINT lower_left{R.left, R.bottom};
    const POINT from = Upper_Left ? upper_right : lower_left;
    const POINT to = Upper_Left ? lower_left : upper_right;
    Canvas->Arc(R.left, R.top, R.right, R.bottom, from.x, from.y, to.x, to.y);
}

Outline_Part Round_Rect_Part(int RoundX, int RoundY)
{
    return [RoundX, RoundY](TCanvas* Canvas, const RECT& R, bool Upper_Left) {
        const int l = R.left, t = R.top, r = R.right, b = R.bottom;
        const int rx = RoundX, ry = RoundY, hx = RoundX / 2, hy = RoundY / 2;
        if (Upper_Left) {
            Canvas->Arc(r - rx, t, r, t + ry, r, t, r - hx, t);
            Line(Canvas, {{r - hx, t}, {l + hx, t}});
            Canvas->Arc(l, t, l + rx, t + ry, l + hx, t, l, t + hy);
            Line(Canvas, {{l, t + hy}, {l, b - hy}});
            Canvas->Arc(l, b - ry, l + rx, b, l, b - hy, l, b);
        } else {
            Canvas->Arc(l, b - ry, l + rx, b, l, b, l + hx, b);
            Line(Canvas, {{l + hx, b - 1}, {r - hx, b - 1}});
            Canvas->Arc(r - rx, b - ry, r, b, r - hx, b, r, b - hy);
            Line(Canvas, {{r - 1, b - hy}, {r - 1, t + hy}});
            Canvas->Arc(r - rx, t, r, t + ry, r, t + hy, r, t);
        }
    };
}

void Half_Round_Part(TCanvas* Canvas, const RECT& R, bool Upper_Left)
{
    const int l = R.left, t = R.top, r = R.right, b = R.bottom;
    const int top = 2 * t - b;
    if (Upper_Left) {
        Line(Canvas, {{r - 1, t}, {l, t}});
        Canvas->Arc(l, top, r, b, l, t, l, b);
    } else {
        Canvas->Arc(l, top, r, b, l, b, r, t);
    }
}

// A polygon's outline inside R (the right and bottom edges one pixel in),
// split into runs of points; each run is drawn as a polyline.
template <std::size_t N>
using Figure = std::array<POINT, N>;

RECT Inclusive(const RECT& R)
{
    return {R.left, R.top, R.right - 1, R.bottom - 1};
}

template <std::size_t N>
void Polyline_Of(TCanvas* Canvas, const Figure<N>& P, std::initializer_list<int> Indexes)
{
    std::vector<POINT> points;
    for (int i : Indexes)
        points.push_back(P[static_cast<std::size_t>(i) % N]);
    Canvas->Polyline(points);
}

void Diamond_Part(TCanvas* Canvas, const RECT& R, bool Upper_Left)
{
    // Top, left, bottom, right.
    const Figure<4> p = SCLDiamondPoints(Inclusive(R));
    if (Upper_Left)
        Polyline_Of(Canvas, p, {3, 0, 1});
    else
        Polyline_Of(Canvas, p, {1, 2, 3});
}

void Octagon_Part(TCanvas* Canvas, const RECT& R, bool Upper_Left)
{
    // Top edge right to left, then counter-clockwise.
    const Figure<8> p = SCLOctagonPoints(Inclusive(R));
    if (Upper_Left)
        Polyline_Of(Canvas, p, {0, 1, 2, 3});
    else
        Polyline_Of(Canvas, p, {3, 4, 5, 6, 7, 0});
}

void Comb_Part(TCanvas* Canvas, const RECT& R, bool Upper_Left)
{
    // Top, then counter-clockwise.
    const Figure<6> p = SCLCombPoints(Inclusive(R));
    if (Upper_Left)
        Polyline_Of(Canvas, p, {5, 0, 1, 2});
    else
        Polyline_Of(Canvas, p, {2, 3, 4, 5});
}

void Star_Part(TCanvas* Canvas, const RECT& R, bool Upper_Left)
{
    const Figure<10> p = SCLStarPoints(Inclusive(R));
    for (int edge = Upper_Left ? 0 : 1; edge < 10; edge += 2)
        Polyline_Of(Canvas, p, {edge, edge + 1});
}

HRGN Copy_Of(HRGN Region)
{
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(copy, Region, nullptr, RGN_COPY);
    return copy;
}

// The band of a region's edge Width pixels deep: the region less itself
// shrunk, the shrunk region being where every diagonal move stays inside.
HRGN Edge_Band(HRGN Region, int Width)
{
    HRGN shrunk = Copy_Of(Region);
    for (int dx : {-Width, Width})
        for (int dy : {-Width, Width}) {
            HRGN moved = Copy_Of(Region);
            OffsetRgn(moved, dx, dy);
            CombineRgn(shrunk, shrunk, moved, RGN_AND);
            DeleteObject(moved);
        }
    HRGN band = Copy_Of(Region);
    CombineRgn(band, band, shrunk, RGN_DIFF);
    DeleteObject(shrunk);
    return band;
}

// A shield is outlined through its region: the edge band in the pen's
// width, kept to the upper-left or the lower-right of the line from the
// upper-right to the lower-left corner.
Outline_Part Shield_Part(HRGN (*Build)(const RECT&))
{
    return [Build](TCanvas* Canvas, const RECT& R, bool Upper_Left) {
        const int l = R.left - 1, t = R.top - 1, r = R.right + 1, b = R.bottom + 1;
        const std::array<POINT, 3> half = Upper_Left ? std::array<POINT, 3>{{{l, t}, {r, t}, {l, b}}}
                                                     : std::array<POINT, 3>{{{r, t}, {r, b}, {l, b}}};
        HRGN shield = Build(R);
        HRGN band = Edge_Band(shield, std::max(Canvas->Pen()->Width(), 1));
        HRGN side = CreatePolygonRgn(half.data(), 3, ALTERNATE);
        CombineRgn(band, band, side, RGN_AND);
        HBRUSH brush = CreateSolidBrush(ColorToRGB(Canvas->Pen()->Color()));
        FillRgn(Canvas->Handle(), band, brush);
        DeleteObject(brush);
        for (HRGN region : {shield, band, side})
            DeleteObject(region);
    };
}

// The canvas clip as it was, put back when the outline is drawn.
class Saved_Clip {
public:
    explicit Saved_Clip(TCanvas* Canvas) : dc(Canvas->Handle()), clip(CreateRectRgn(0, 0, 0, 0))
    {
        had_clip = GetClipRgn(dc, clip) == 1;
    }
    ~Saved_Clip()
    {
        SelectClipRgn(dc, had_clip ? clip : nullptr);
        DeleteObject(clip);
    }
    Saved_Clip(const Saved_Clip&) = delete;
    Saved_Clip& operator=(const Saved_Clip&) = delete;

    void Exclude(const RECT& R) { ExcludeClipRect(dc, R.left, R.top, R.right, R.bottom); }

private:
    HDC dc;
    HRGN clip;
    bool had_clip = false;
};

RECT Span_Of(POINT A, POINT B, int Widen)
{
    return {std::min(A.x, B.x) - Widen, std::min(A.y, B.y) - Widen, std::max(A.x, B.x) + Widen,
            std::max(A.y, B.y) + Widen};
}

void Frame_Bubbles(TCanvas* Canvas, const RECT& R, TColor L, TColor S, TColor C, TSCLRegionBorderStyle Style,
                   int Size, int Count, TSCLExtPos ExtPos, const std::function<void(const RECT&)>& Body)
{
    if (!Canvas)
        return;
    const RECT body = SCLShrinkExtRect(R, Size, ExtPos);
    Saved_Clip clip(Canvas);
    for (const RECT& bubble : SCLBubbleChain(body, Size, Count, ExtPos)) {
        SCLFrameEllipticRgn(Canvas, bubble, L, S, C, Style);
        clip.Exclude(bubble);
    }
    Body(body);
}

void Frame_Nose(TCanvas* Canvas, const RECT& R, int NoseSize, int Edge, int Widen, TSCLExtPos ExtPos,
                const std::function<void(const RECT&)>& Body)
{
    if (!Canvas)
        return;
    const RECT body = SCLShrinkExtRect(R, NoseSize, ExtPos);
    const TSCLNose nose = SCLNoseTriangle(body, NoseSize, Edge, ExtPos);
    Saved_Clip clip(Canvas);
    clip.Exclude(Span_Of(nose.Base1, nose.Base2, Widen));
    Body(body);
}

} // namespace

void TSCLRegionBorder::SetColor(int Index, TColor Value)
{
    switch (Index) {
    case 0:
        Store(light_color, Value);
        break;
    case 1:
        Store(shadow_color, Value);
        break;
    case 2:
        Store(single_color, Value);
        break;
    default:
        break;
    }
}

void TSCLRegionBorder::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TSCLRegionBorder*>(Source);
    if (!source) {
        TSCLObject::Assign(Source);
        return;
    }
    style = source->style;
    light_color = source->light_color;
    shadow_color = source->shadow_color;
    single_color = source->single_color;
    Change();
}

void SCLFrameRectRgn(TCanvas* Canvas, const RECT& R, TColor Light, TColor Shadow, TColor Single,
                     TSCLRegionBorderStyle Style)
{
    Frame(Canvas, R, Light, Shadow, Single, Style, {Rect_Part});
}

void SCLFrameRoundRectRgn(TCanvas* Canvas, const RECT& R, TColor Light, TColor Shadow, TColor Single,
                          TSCLRegionBorderStyle Style, int RoundX, int RoundY)
{
    Frame(Canvas, R, Light, Shadow, Single, Style, {Round_Rect_Part(RoundX, RoundY)});
}

void SCLFrameEllipticRgn(TCanvas* Canvas, const RECT& R, TColor Light, TColor Shadow, TColor Single,
                         TSCLRegionBorderStyle Style)
{
    Frame(Canvas, R, Light, Shadow, Single, Style, {Ellipse_Part});
}

void SCLFrameHalfRoundRgn(TCanvas* Canvas, const RECT& R, TColor Light, TColor Shadow, TColor Single,
                          TSCLRegionBorderStyle Style)
{
    Frame(Canvas, R, Light, Shadow, Single, Style, {Half_Round_Part});
}

void SCLFrameDiamondRgn(TCanvas* Canvas, const RECT& R, TColor Light, TColor Shadow, TColor Single,
                        TSCLRegionBorderStyle Style)
{
    Frame(Canvas, R, Light, Shadow, Single, Style, {Diamond_Part});
}

void SCLFrameStarRgn(TCanvas* Canvas, const RECT& R, TColor Light, TColor Shadow, TColor Single,
                     TSCLRegionBorderStyle Style)
{
    Frame(Canvas, R, Light, Shadow, Single, Style, {Star_Part, 2, 3});
}

void SCLFrameOctagonRgn(TCanvas* Canvas, const RECT& R, TColor Light, TColor Shadow, TColor Single,
                        TSCLRegionBorderStyle Style)
{
    Frame(Canvas, R, Light, Shadow, Single, Style, {Octagon_Part});
}

void SCLFrameCombRgn(TCanvas* Canvas, const RECT& R, TColor Light, TColor Shadow, TColor Single,
                     TSCLRegionBorderStyle Style)
{
    Frame(Canvas, R, Light, Shadow, Single, Style, {Comb_Part});
}

void SCLFrameRoundShieldRgn(TCanvas* Canvas, const RECT& R, TColor Light, TColor Shadow, TColor Single,
                            TSCLRegionBorderStyle Style)
{
    Frame(Canvas, R, Light, Shadow, Single, Style, {Shield_Part(SCLCreateRoundShieldRgn)});
}

void SCLFrameSharpShieldRgn(TCanvas* Canvas, const RECT& R, TColor Light, TColor Shadow, TColor Single,
                            TSCLRegionBorderStyle Style)
{
    Frame(Canvas, R, Light, Shadow, Single, Style, {Shield_Part(SCLCreateSharpShieldRgn)});
}

void SCLFrameThinkBubbleRgn(TCanvas* Canvas, const RECT& R, TColor Light, TColor Shadow, TColor Single,
                            TSCLRegionBorderStyle Style, int Size, int Count, TSCLExtPos ExtPos)
{
    Frame_Bubbles(Canvas, R, Light, Shadow, Single, Style, Size, Count, ExtPos,
                  [&](const RECT& Body) { SCLFrameRectRgn(Canvas, Body, Light, Shadow, Single, Style); });
}

void SCLFrameEllipticThinkBubbleRgn(TCanvas* Canvas, const RECT& R, TColor Light, TColor Shadow, TColor Single,
                                    TSCLRegionBorderStyle Style, int Size, int Count, TSCLExtPos ExtPos)
{
    Frame_Bubbles(Canvas, R, Light, Shadow, Single, Style, Size, Count, ExtPos,
                  [&](const RECT& Body) { SCLFrameEllipticRgn(Canvas, Body, Light, Shadow, Single, Style); });
}

void SCLFrameRoundThinkBubbleRgn(TCanvas* Canvas, const RECT& R, TColor Light, TColor Shadow, TColor Single,
                                 TSCLRegionBorderStyle Style, int Size, int Count, TSCLExtPos ExtPos, int RoundX,
                                 int RoundY)
{
    Frame_Bubbles(Canvas, R, Light, Shadow, Single, Style, Size, Count, ExtPos, [&](const RECT& Body) {
        SCLFrameRoundRectRgn(Canvas, Body, Light, Shadow, Single, Style, RoundX, RoundY);
    });
}

void SCLFrameNoseRectRgn(TCanvas* Canvas, const RECT& R, TColor Light, TColor Shadow, TColor Single,
                         TSCLRegionBorderStyle Style, int NoseSize, TSCLExtPos ExtPos)
{
    Frame_Nose(Canvas, R, NoseSize, 5, 2, ExtPos,
               [&](const RECT& Body) { SCLFrameRectRgn(Canvas, Body, Light, Shadow, Single, Style); });
}

void SCLFrameRoundNoseRectRgn(TCanvas* Canvas, const RECT& R, TColor Light, TColor Shadow, TColor Single,
                              TSCLRegionBorderStyle Style, int NoseSize, int RoundX, int RoundY, TSCLExtPos ExtPos)
{
    Frame_Nose(Canvas, R, NoseSize, SCLRoundNoseEdge(ExtPos, RoundX, RoundY), 4, ExtPos, [&](const RECT& Body) {
        SCLFrameRoundRectRgn(Canvas, Body, Light, Shadow, Single, Style, RoundX, RoundY);
    });
}

void SCLFramePointList(TCanvas* Canvas, std::span<const POINT> Points, TColor Light, TColor Shadow, TColor Single,
                       TSCLRegionBorderStyle Style)
{
    if (!Canvas || Points.size() < 2)
        return;
    if (Style == rbLowered || Style == rbSingleLowered || Style == rbLoweredpsb)
        std::swap(Light, Shadow);
    TPen* pen = Canvas->Pen();
    pen->SetColor(Style == rbSingle ? Single : Light);
    auto segment_to = [&](POINT From, POINT To) {
        if (Style != rbSingle) {
            if (To.y > From.y)
                pen->SetColor(Shadow);
            if (To.y < From.y)
                pen->SetColor(Light);
            if (To.x < From.x)
                pen->SetColor(Shadow);
            if (To.x > From.x)
                pen->SetColor(Light);
        }
        Canvas->LineTo(To.x, To.y);
    };
    Canvas->MoveTo(Points[0].x, Points[0].y);
    for (std::size_t i = 1; i < Points.size(); ++i)
        segment_to(Points[i - 1], Points[i]);
    // The closing line keeps the colour of the last segment.
    Canvas->LineTo(Points[0].x, Points[0].y);
}
