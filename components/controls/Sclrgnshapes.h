#pragma once
// The shapes a window outline can take, built as region handles: the
// polygon figures, the shields, the nose shapes (a body with a triangle
// sticking out at a corner) and the think bubbles (a body with a chain of
// growing bubbles at a corner). Every builder returns a new region that the
// caller owns; polygons fill in the alternate mode.
//
// The nose and bubble geometry is open to the outline painters, which
// frame the same figures.

#include <array>
#include <span>
#include <vector>

#include "components/foundations/Sclgraph.h"
#include "platform/winapi/Gdi.h"

enum TSCLRegionShape : BYTE {
    rsRect, rsRoundRect, rsBitmap, rsNoseRect, rsRoundNoseRect, rsElliptic, rsStar, rsRoundShield, rsSharpShield,
    rsDiamond, rsOctagon, rsComb, rsHalfRound, rsUserRegion, rsThinkBubble, rsRoundThinkBubble,
    rsEllipticThinkBubble, rsPointList
};
template <>
struct TSCLEnumInfo<TSCLRegionShape> {
    static constexpr const char* TypeName = "TSCLRegionShape";
    static constexpr std::array<const char*, 18> Names{
        "rsRect",       "rsRoundRect",   "rsBitmap",     "rsNoseRect",   "rsRoundNoseRect", "rsElliptic",
        "rsStar",       "rsRoundShield", "rsSharpShield", "rsDiamond",   "rsOctagon",       "rsComb",
        "rsHalfRound",  "rsUserRegion",  "rsThinkBubble", "rsRoundThinkBubble", "rsEllipticThinkBubble",
        "rsPointList"
    };
};

// The corner a nose or a bubble chain leaves from; the first word names the
// side it leaves.
enum TSCLExtPos : BYTE {
    epLeftTop, epTopLeft, epTopRight, epRightTop, epRightBottom, epBottomRight, epBottomLeft, epLeftBottom
};
template <>
struct TSCLEnumInfo<TSCLExtPos> {
    static constexpr const char* TypeName = "TSCLExtPos";
    static constexpr std::array<const char*, 8> Names{"epLeftTop",     "epTopLeft",     "epTopRight",
                                                      "epRightTop",    "epRightBottom", "epBottomRight",
                                                      "epBottomLeft",  "epLeftBottom"};
};

// ---- Outlines shared with the painters ---------------------------------

std::array<POINT, 4> SCLDiamondPoints(const RECT& R);
std::array<POINT, 10> SCLStarPoints(const RECT& R);
std::array<POINT, 8> SCLOctagonPoints(const RECT& R);
std::array<POINT, 6> SCLCombPoints(const RECT& R);

// R less the extension's room N at the ExtPos corner: the body's rectangle.
RECT SCLShrinkExtRect(const RECT& R, int N, TSCLExtPos ExtPos);

// The nose triangle of a body (already shrunk): the tip, then the two base
// points, E from the body's corner along its side.
struct TSCLNose {
    POINT Tip;
    POINT Base1;
    POINT Base2;
};
TSCLNose SCLNoseTriangle(const RECT& Body, int N, int E, TSCLExtPos ExtPos);

// The bubbles' rectangles of a chain of Count bubbles of size N at the
// corner of a body (already shrunk), the first with diameter 0. No bubbles
// when Count is below 1.
std::vector<RECT> SCLBubbleChain(const RECT& Body, int N, int Count, TSCLExtPos ExtPos);

// The edge offset of a round nose: RoundY on a left or right side, RoundX
// on a top or bottom side.
int SCLRoundNoseEdge(TSCLExtPos ExtPos, int RoundX, int RoundY);

// ---- Region builders -----------------------------------------------------

HRGN SCLCreateDiamondRgn(const RECT& R);
HRGN SCLCreateStarRgn(const RECT& R);
HRGN SCLCreateOctagonRgn(const RECT& R);
HRGN SCLCreateCombRgn(const RECT& R);
// The shields stand in R: an arched top cut by two shoulders, rounded or
// pointed at the bottom.
HRGN SCLCreateRoundShieldRgn(const RECT& R);
HRGN SCLCreateSharpShieldRgn(const RECT& R);
HRGN SCLCreateNoseRectRgn(const RECT& R, int NoseSize, TSCLExtPos ExtPos);
HRGN SCLCreateRoundNoseRectRgn(const RECT& R, int NoseSize, int RoundX, int RoundY, TSCLExtPos ExtPos);
HRGN SCLCreateThinkBubbleRgn(const RECT& R, int Size, int Count, TSCLExtPos ExtPos);
HRGN SCLCreateRoundThinkBubbleRgn(const RECT& R, int Size, int Count, TSCLExtPos ExtPos, int RoundX, int RoundY);
HRGN SCLCreateEllipticThinkBubbleRgn(const RECT& R, int Size, int Count, TSCLExtPos ExtPos);
// The lower half of an ellipse twice as high as R.
HRGN SCLCreateHalfRoundRgn(const RECT& R);
// The polygon through Points; nullptr for fewer than three points.
HRGN SCLCreatePointsRgn(std::span<const POINT> Points);
// A region from RGNDATA bytes; nullptr when there are none or they do not
// hold a region.
HRGN SCLCreateDataRgn(std::span<const BYTE> Data);

// What a region description builds for a rectangle.
struct TSCLRegionShapeArgs {
    TSCLRegionShape Shape = rsRoundRect;
    int RoundX = 20;
    int RoundY = 20;
    TSCLExtPos ExtPos = epLeftTop;
    int BubbleCount = 4;
    std::span<const BYTE> MaskData;  // rsBitmap
    std::span<const BYTE> UserData;  // rsUserRegion, rsPointList
    bool Designing = false;          // rsUserRegion is then its rectangle
};
// The region of the shape for R (nullptr when the shape has no data).
HRGN SCLCreateShapeRgn(const RECT& R, const TSCLRegionShapeArgs& Args);
