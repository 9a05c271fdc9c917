#include "components/controls/Sclrgnshapes.h"

#include <cmath>

#include "platform/classlib/SysUtils.h"

namespace {

int Rnd(double v)
{
    return static_cast<int>(Round(v));
}

int Width(const RECT& R)
{
    return R.right - R.left;
}

int Height(const RECT& R)
{
    return R.bottom - R.top;
}

template <std::size_t N>
HRGN Polygon_Rgn(const std::array<POINT, N>& Points)
{
    return CreatePolygonRgn(Points.data(), static_cast<int>(N), ALTERNATE);
}

// Region combining that consumes its right-hand operand.
void Combine(HRGN Target, HRGN Operand, int Mode)
{
    if (!Target || !Operand) {
        DeleteObject(Operand);
        return;
    }
    CombineRgn(Target, Target, Operand, Mode);
    DeleteObject(Operand);
}

HRGN Nose_Rgn(HRGN Body, const RECT& Shrunk, int N, int E, TSCLExtPos ExtPos)
{
    const TSCLNose nose = SCLNoseTriangle(Shrunk, N, E, ExtPos);
    const std::array<POINT, 3> triangle{nose.Tip, nose.Base1, nose.Base2};
    Combine(Body, Polygon_Rgn(triangle), RGN_OR);
    return Body;
}

HRGN Bubble_Rgn(HRGN Body, const RECT& Shrunk, int Size, int Count, TSCLExtPos ExtPos)
{
    for (const RECT& bubble : SCLBubbleChain(Shrunk, Size, Count, ExtPos))
        Combine(Body, CreateEllipticRgnIndirect(&bubble), RGN_OR);
    return Body;
}

// Cuts a shield's two shoulders and anything above its rectangle, then
// moves it from the origin to R.
HRGN Finish_Shield(HRGN Shield, const RECT& R)
{
    const int W = Width(R);
    const int H = Height(R);
    Combine(Shield, CreateEllipticRgn(-(W / 2), -(H / 5), W / 2, H / 5), RGN_DIFF);
    Combine(Shield, CreateEllipticRgn(W / 2, -(H / 5), W / 2 + W, H / 5), RGN_DIFF);
    Combine(Shield, CreateRectRgn(0, -40, W, 0), RGN_DIFF);
    Combine(Shield, CreateRectRgn(0, 0, W, H), RGN_AND);
    if (Shield)
        OffsetRgn(Shield, R.left, R.top);
    return Shield;
}

} // namespace

std::array<POINT, 4> SCLDiamondPoints(const RECT& R)
{
    const int W = Width(R), H = Height(R);
    return {{{R.left + W / 2, R.top}, {R.left, R.top + H / 2}, {R.left + W / 2, R.bottom}, {R.right, R.top + H / 2}}};
}

std::array<POINT, 10> SCLStarPoints(const RECT& R)
{
    const int L = R.left, T = R.top, W = Width(R), H = Height(R);
    auto X = [&](double f) { return L + Rnd(f * W); };
    auto Y = [&](double f) { return T + Rnd(f * H); };
    return {{{L + W / 2, T},
             {X(0.65), Y(0.38)},
             {R.right, Y(0.38)},
             {X(0.7), Y(0.6)},
             {X(0.85), R.bottom},
             {L + W / 2, Y(0.75)},
             {X(0.15), R.bottom},
             {X(0.3), Y(0.6)},
             {L, Y(0.38)},
             {X(0.35), Y(0.38)}}};
}

std::array<POINT, 8> SCLOctagonPoints(const RECT& R)
{
    const int L = R.left, T = R.top, a = Width(R) / 3, b = Height(R) / 3;
    return {{{L + 2 * a, T},
             {L + a, T},
             {L, T + b},
             {L, T + 2 * b},
             {L + a, R.bottom},
             {L + 2 * a, R.bottom},
             {R.right, T + 2 * b},
             {R.right, T + b}}};
}

std::array<POINT, 6> SCLCombPoints(const RECT& R)
{
    const int L = R.left, T = R.top, M = L + Width(R) / 2, q = Height(R) / 4;
    return {{{M, T}, {L, T + q}, {L, T + 3 * q}, {M, R.bottom}, {R.right, T + 3 * q}, {R.right, T + q}}};
}

RECT SCLShrinkExtRect(const RECT& R, int N, TSCLExtPos ExtPos)
{
    RECT shrunk = R;
    if (ExtPos <= epRightTop)
        shrunk.top += N;
    else
        shrunk.bottom -= N;
    if (ExtPos <= epTopLeft || ExtPos >= epBottomLeft)
        shrunk.left += N;
    else
        shrunk.right -= N;
    return shrunk;
}

TSCLNose SCLNoseTriangle(const RECT& Body, int N, int E, TSCLExtPos ExtPos)
{
    const int L = Body.left, T = Body.top, R = Body.right, B = Body.bottom;
    const int d = Rnd(std::sqrt(2.0 * N * N));
    switch (ExtPos) {
    case epLeftTop:
        return {{L - N, T - N}, {L, T + E}, {L, T + E + d}};
    case epTopLeft:
        return {{L - N, T - N}, {L + E, T}, {L + E + d, T}};
    case epTopRight:
        return {{R + N, T - N}, {R - E, T}, {R - E - d, T}};
    case epRightTop:
        return {{R + N, T - N}, {R, T + E}, {R, T + E + d}};
    case epRightBottom:
        return {{R + N, B + N}, {R, B - E}, {R, B - E - d}};
    case epBottomRight:
        return {{R + N, B + N}, {R - E, B}, {R - E - d, B}};
    case epBottomLeft:
        return {{L - N, B + N}, {L + E, B}, {L + E + d, B}};
    case epLeftBottom:
        return {{L - N, B + N}, {L, B - E}, {L, B - E - d}};
    }
    return {};
}

std::vector<RECT> SCLBubbleChain(const RECT& Body, int N, int Count, TSCLExtPos ExtPos)
{
    std::vector<RECT> bubbles;
    if (Count < 1)
        return bubbles;
    const int L = Body.left, T = Body.top, R = Body.right, B = Body.bottom;
    const double k = N * 6.283185307179586 / 4 / Count / Count;
    auto r = [&](double f) { return Rnd(N * f); };
    for (int i = 0; i <= Count + 1; ++i) {
        const double a = 90.0 / (Count + 1) * i * 0.017453292519943295;
        const double b = 1.57 - a;
        const int D = Rnd(i * k);
        POINT c{};
        switch (ExtPos) {
        case epLeftTop:
            c = {L - r(std::cos(a)), T - N + r(std::sin(a))};
            break;
        case epTopLeft:
            c = {L - N + r(std::cos(b)), T - r(std::sin(b))};
            break;
        case epTopRight:
            c = {R + N - r(std::cos(b)), T - r(std::sin(1.57 + a))};
            break;
        case epRightTop:
            c = {R + r(std::cos(a)), T - N + r(std::sin(a))};
            break;
        case epRightBottom:
            c = {R + r(std::cos(a)), B + N - r(std::sin(a))};
            break;
        case epBottomRight:
            c = {R + N - r(std::cos(b)), B + r(std::sin(b))};
            break;
        case epBottomLeft:
            c = {L - N + r(std::cos(b)), B + r(std::sin(b))};
            break;
        case epLeftBottom:
            c = {L - r(std::cos(a)), B + N - r(std::sin(a))};
            break;
        }
        bubbles.push_back({c.x - D / 2, c.y - D / 2, c.x + D / 2, c.y + D / 2});
    }
    return bubbles;
}

int SCLRoundNoseEdge(TSCLExtPos ExtPos, int RoundX, int RoundY)
{
    const bool side = ExtPos == epLeftTop || ExtPos == epRightTop || ExtPos == epRightBottom || ExtPos == epLeftBottom;
    return side ? RoundY : RoundX;
}

HRGN SCLCreateDiamondRgn(const RECT& R)
{
    return Polygon_Rgn(SCLDiamondPoints(R));
}

HRGN SCLCreateStarRgn(const RECT& R)
{
    return Polygon_Rgn(SCLStarPoints(R));
}

HRGN SCLCreateOctagonRgn(const RECT& R)
{
    return Polygon_Rgn(SCLOctagonPoints(R));
}

HRGN SCLCreateCombRgn(const RECT& R)
{
    return Polygon_Rgn(SCLCombPoints(R));
}

HRGN SCLCreateRoundShieldRgn(const RECT& R)
{
    const int W = Width(R);
    const int H = Height(R);
    return Finish_Shield(CreateEllipticRgn(0, H / 5 - H, W, H), R);
}

HRGN SCLCreateSharpShieldRgn(const RECT& R)
{
    const int W = Width(R);
    const int H = Height(R);
    HRGN shield = CreateEllipticRgn(-W, -(8 * H / 7), W, 8 * H / 7);
    Combine(shield, CreateEllipticRgn(0, -(8 * H / 7), 2 * W, 8 * H / 7), RGN_AND);
    return Finish_Shield(shield, R);
}

HRGN SCLCreateNoseRectRgn(const RECT& R, int NoseSize, TSCLExtPos ExtPos)
{
    const RECT body = SCLShrinkExtRect(R, NoseSize, ExtPos);
    return Nose_Rgn(CreateRectRgnIndirect(&body), body, NoseSize, 5, ExtPos);
}

HRGN SCLCreateRoundNoseRectRgn(const RECT& R, int NoseSize, int RoundX, int RoundY, TSCLExtPos ExtPos)
{
    const RECT body = SCLShrinkExtRect(R, NoseSize, ExtPos);
    HRGN region = CreateRoundRectRgn(body.left, body.top, body.right, body.bottom, RoundX, RoundY);
    return Nose_Rgn(region, body, NoseSize, SCLRoundNoseEdge(ExtPos, RoundX, RoundY), ExtPos);
}

HRGN SCLCreateThinkBubbleRgn(const RECT& R, int Size, int Count, TSCLExtPos ExtPos)
{
    const RECT body = SCLShrinkExtRect(R, Size, ExtPos);
    return Bubble_Rgn(CreateRectRgnIndirect(&body), body, Size, Count, ExtPos);
}

HRGN SCLCreateRoundThinkBubbleRgn(const RECT& R, int Size, int Count, TSCLExtPos ExtPos, int RoundX, int RoundY)
{
    const RECT body = SCLShrinkExtRect(R, Size, ExtPos);
    HRGN region = CreateRoundRectRgn(body.left, body.top, body.right, body.bottom, RoundX, RoundY);
    return Bubble_Rgn(region, body, Size, Count, ExtPos);
}

HRGN SCLCreateEllipticThinkBubbleRgn(const RECT& R, int Size, int Count, TSCLExtPos ExtPos)
{
    const RECT body = SCLShrinkExtRect(R, Size, ExtPos);
    return Bubble_Rgn(CreateEllipticRgnIndirect(&body), body, Size, Count, ExtPos);
}

HRGN SCLCreateHalfRoundRgn(const RECT& R)
{
    return CreateEllipticRgn(R.left, 2 * R.top - R.bottom, R.right, R.bottom);
}

HRGN SCLCreatePointsRgn(std::span<const POINT> Points)
{
    if (Points.size() < 3)
        return nullptr;
    return CreatePolygonRgn(Points.data(), static_cast<int>(Points.size()), ALTERNATE);
}

HRGN SCLCreateDataRgn(std::span<const BYTE> Data)
{
    if (Data.size() < sizeof(RGNDATAHEADER))
        return nullptr;
    return ExtCreateRegion(nullptr, static_cast<DWORD>(Data.size()), reinterpret_cast<const RGNDATA*>(Data.data()));
}

HRGN SCLCreateShapeRgn(const RECT& R, const TSCLRegionShapeArgs& Args)
{
    const int W = Width(R);
    switch (Args.Shape) {
    case rsRect:
        return CreateRectRgnIndirect(&R);
    case rsRoundRect:
        return CreateRoundRectRgn(R.left, R.top, R.right, R.bottom, Args.RoundX, Args.RoundY);
    case rsBitmap:
        return SCLCreateDataRgn(Args.MaskData);
    case rsNoseRect:
        return SCLCreateNoseRectRgn(R, W / 10, Args.ExtPos);
    case rsRoundNoseRect:
        return SCLCreateRoundNoseRectRgn(R, W / 10, Args.RoundX, Args.RoundY, Args.ExtPos);
    case rsElliptic:
        return CreateEllipticRgnIndirect(&R);
    case rsStar:
        return SCLCreateStarRgn(R);
    case rsRoundShield:
        return SCLCreateRoundShieldRgn(R);
    case rsSharpShield:
        return SCLCreateSharpShieldRgn(R);
    case rsDiamond:
        return SCLCreateDiamondRgn(R);
    case rsOctagon:
        return SCLCreateOctagonRgn(R);
    case rsComb:
        return SCLCreateCombRgn(R);
    case rsHalfRound:
        return SCLCreateHalfRoundRgn(R);
    case rsUserRegion:
        return Args.Designing ? CreateRectRgnIndirect(&R) : SCLCreateDataRgn(Args.UserData);
    case rsThinkBubble:
        return SCLCreateThinkBubbleRgn(R, W / 6, Args.BubbleCount, Args.ExtPos);
    case rsRoundThinkBubble:
        return SCLCreateRoundThinkBubbleRgn(R, W / 6, Args.BubbleCount, Args.ExtPos, Args.RoundX, Args.RoundY);
    case rsEllipticThinkBubble:
        return SCLCreateEllipticThinkBubbleRgn(R, W / 6, Args.BubbleCount, Args.ExtPos);
    case rsPointList:
        return SCLCreateDataRgn(Args.UserData);
    }
    return nullptr;
}
