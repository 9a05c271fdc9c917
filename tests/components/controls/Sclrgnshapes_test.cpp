// Window outline shapes: the polygon points, each builder's box and points
// inside and outside, the shields at their rectangle, noses and bubbles.

#include "components/controls/Sclrgnshapes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Owns a region for the test's lifetime.
struct Rgn {
    HRGN handle;
    explicit Rgn(HRGN h) : handle(h) {}
    ~Rgn() { DeleteObject(handle); }
    Rgn(const Rgn&) = delete;
    Rgn& operator=(const Rgn&) = delete;

    bool Has(int x, int y) const { return PtInRegion(handle, x, y) != 0; }
    RECT Box() const
    {
        RECT box{};
        GetRgnBox(handle, &box);
        return box;
    }
};

std::string Text(std::span<const POINT> points)
{
    std::string text;
    for (const POINT& p : points)
        text += "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
    return text;
}

std::string Text(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

// A polygon's tips may be a pixel thin or empty: boxes are compared within one pixel.
void Expect_Box_Near(const Rgn& region, const RECT& expected)
{
    const RECT box = region.Box();
    EXPECT_NEAR(box.left, expected.left, 1) << Text(box);
    EXPECT_NEAR(box.top, expected.top, 1) << Text(box);
    EXPECT_NEAR(box.right, expected.right, 1) << Text(box);
    EXPECT_NEAR(box.bottom, expected.bottom, 1) << Text(box);
}

TEST(SclRgnShapes, PolygonFiguresHaveTheirPoints)
{
    const std::array<POINT, 10> star{{{50, 0}, {65, 38}, {100, 38}, {70, 60}, {85, 100}, {50, 75}, {15, 100},
                                      {30, 60}, {0, 38}, {35, 38}}};
    EXPECT_EQ(Text(SCLStarPoints({0, 0, 100, 100})), Text(star));
    const std::array<POINT, 8> octagon{{{60, 0}, {30, 0}, {0, 20}, {0, 40}, {30, 60}, {60, 60}, {90, 40}, {90, 20}}};
    EXPECT_EQ(Text(SCLOctagonPoints({0, 0, 90, 60})), Text(octagon));
    const std::array<POINT, 6> comb{{{50, 0}, {0, 20}, {0, 60}, {50, 80}, {100, 60}, {100, 20}}};
    EXPECT_EQ(Text(SCLCombPoints({0, 0, 100, 80})), Text(comb));
    const std::array<POINT, 4> diamond{{{60, 10}, {10, 40}, {60, 70}, {110, 40}}};
    EXPECT_EQ(Text(SCLDiamondPoints({10, 10, 110, 70})), Text(diamond));
}

struct Figure_Case {
    const char* name;
    HRGN (*build)(const RECT&);
    RECT box;
    std::vector<POINT> inside;
    std::vector<POINT> outside;
};

TEST(SclRgnShapes, PolygonRegionsCoverTheirFigure)
{
    const RECT r{10, 20, 110, 100};
    const std::vector<Figure_Case> cases{
        {"diamond", SCLCreateDiamondRgn, {10, 20, 110, 100}, {{60, 60}, {20, 60}, {60, 25}}, {{15, 25}, {105, 95}}},
        {"star", SCLCreateStarRgn, {10, 20, 110, 100}, {{60, 60}, {60, 25}, {105, 51}}, {{15, 25}, {60, 95}}},
        {"octagon", SCLCreateOctagonRgn, {10, 20, 110, 100}, {{60, 60}, {12, 60}, {60, 22}}, {{11, 21}, {108, 98}}},
        {"comb", SCLCreateCombRgn, {10, 20, 110, 100}, {{60, 60}, {12, 60}, {60, 22}}, {{12, 22}, {108, 98}}},
        // The whole ellipse twice as high: the window shows its lower half.
        {"half round", SCLCreateHalfRoundRgn, {10, -60, 110, 100}, {{60, 22}, {12, 22}, {60, 98}}, {{12, 98}, {5, 20}}},
    };
    for (const Figure_Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rgn region(c.build(r));
        ASSERT_NE(region.handle, nullptr);
        Expect_Box_Near(region, c.box);
        for (const POINT& p : c.inside)
            EXPECT_TRUE(region.Has(p.x, p.y)) << p.x << "," << p.y;
        for (const POINT& p : c.outside)
            EXPECT_FALSE(region.Has(p.x, p.y)) << p.x << "," << p.y;
    }
}

TEST(SclRgnShapes, ShieldsKeepWithinTheirRectangle)
{
    const RECT r{10, 20, 110, 100};
    Rgn round(SCLCreateRoundShieldRgn(r));
    Rgn sharp(SCLCreateSharpShieldRgn(r));
    for (const Rgn* shield : {&round, &sharp}) {
        const RECT box = shield->Box();
        EXPECT_TRUE(box.left >= r.left && box.top >= r.top && box.right <= r.right && box.bottom <= r.bottom)
            << Text(box);
        EXPECT_TRUE(shield->Has(60, 60));
        EXPECT_TRUE(shield->Has(60, 40));
        EXPECT_FALSE(shield->Has(12, 22)); // a shoulder
        EXPECT_FALSE(shield->Has(60, 19));
    }
    EXPECT_TRUE(round.Has(15, 50));
    EXPECT_FALSE(round.Has(12, 98)); // rounded bottom
    EXPECT_TRUE(sharp.Has(60, 97));
    EXPECT_FALSE(sharp.Has(20, 95)); // pointed bottom
}

TEST(SclRgnShapes, ShieldsStandAtTheRectanglesCorner)
{
    for (auto build : {SCLCreateRoundShieldRgn, SCLCreateSharpShieldRgn}) {
        Rgn placed(build({30, 40, 130, 160}));
        Rgn at_origin(build({0, 0, 100, 120}));
        OffsetRgn(at_origin.handle, 30, 40);
        EXPECT_TRUE(EqualRgn(placed.handle, at_origin.handle));
        // Nothing above the rectangle, however tall the arch.
        EXPECT_GE(placed.Box().top, 40);
    }
}

TEST(SclRgnShapes, HalfRoundIsTheLowerHalfOfADoubleHeightEllipse)
{
    Rgn half(SCLCreateHalfRoundRgn({0, 10, 100, 60}));
    Rgn ellipse(CreateEllipticRgn(0, -40, 100, 60));
    EXPECT_TRUE(EqualRgn(half.handle, ellipse.handle));
}

TEST(SclRgnShapes, NoseGeometryShrinksTheCornerAndPointsOut)
{
    const RECT r{0, 0, 100, 80};
    EXPECT_EQ(Text(SCLShrinkExtRect(r, 10, epLeftTop)), Text(RECT{10, 10, 100, 80}));
    EXPECT_EQ(Text(SCLShrinkExtRect(r, 10, epTopRight)), Text(RECT{0, 10, 90, 80}));
    EXPECT_EQ(Text(SCLShrinkExtRect(r, 10, epRightBottom)), Text(RECT{0, 0, 90, 70}));
    EXPECT_EQ(Text(SCLShrinkExtRect(r, 10, epBottomLeft)), Text(RECT{10, 0, 100, 70}));
    // d = round(sqrt(200)) = 14.
    const TSCLNose left_top = SCLNoseTriangle({10, 10, 100, 80}, 10, 5, epLeftTop);
    EXPECT_EQ(Text(std::array<POINT, 3>{left_top.Tip, left_top.Base1, left_top.Base2}), "(0,0)(10,15)(10,29)");
    const TSCLNose bottom_right = SCLNoseTriangle({0, 0, 90, 70}, 10, 5, epBottomRight);
    EXPECT_EQ(Text(std::array<POINT, 3>{bottom_right.Tip, bottom_right.Base1, bottom_right.Base2}),
              "(100,80)(85,70)(71,70)");
    EXPECT_EQ(SCLRoundNoseEdge(epLeftTop, 7, 9), 9);
    EXPECT_EQ(SCLRoundNoseEdge(epTopLeft, 7, 9), 7);
    EXPECT_EQ(SCLRoundNoseEdge(epRightBottom, 7, 9), 9);
    EXPECT_EQ(SCLRoundNoseEdge(epBottomLeft, 7, 9), 7);
}

TEST(SclRgnShapes, NoseRectIsTheBodyAndItsNose)
{
    Rgn nose(SCLCreateNoseRectRgn({0, 0, 100, 80}, 10, epLeftTop));
    EXPECT_TRUE(nose.Has(50, 50));
    EXPECT_TRUE(nose.Has(5, 10));  // in the nose
    EXPECT_FALSE(nose.Has(8, 5));  // beside it
    EXPECT_FALSE(nose.Has(5, 40)); // left of the body
    EXPECT_EQ(nose.Box().right, 100);
    EXPECT_EQ(nose.Box().bottom, 80);

    Rgn round(SCLCreateRoundNoseRectRgn({0, 0, 100, 80}, 10, 20, 20, epRightBottom));
    EXPECT_TRUE(round.Has(50, 40));
    EXPECT_TRUE(round.Has(95, 62)); // in the nose
    EXPECT_FALSE(round.Has(1, 1));  // the round corner
    EXPECT_FALSE(round.Has(95, 30));
}

TEST(SclRgnShapes, BubbleChainGrowsFromTheCorner)
{
    const std::vector<RECT> chain = SCLBubbleChain({16, 16, 100, 80}, 16, 4, epLeftTop);
    ASSERT_EQ(chain.size(), 6u);
    EXPECT_EQ(chain[0].right - chain[0].left, 0);
    for (std::size_t i = 1; i < chain.size(); ++i)
        EXPECT_GE(chain[i].right - chain[i].left, chain[i - 1].right - chain[i - 1].left);
    // The first bubble sits at the corner's far point (L - n, T - n + 0).
    EXPECT_EQ(Text(chain[0]), Text(RECT{0, 0, 0, 0}));
    EXPECT_TRUE(SCLBubbleChain({0, 0, 10, 10}, 5, 0, epLeftTop).empty());
}

TEST(SclRgnShapes, ThinkBubblesAreTheBodyWithItsChain)
{
    const RECT r{0, 0, 120, 90};
    for (auto ext : {epLeftTop, epTopRight, epRightBottom, epBottomLeft}) {
        SCOPED_TRACE(ext);
        const RECT body = SCLShrinkExtRect(r, 20, ext);
        const RECT bubble = SCLBubbleChain(body, 20, 4, ext)[3];
        const POINT centre{(bubble.left + bubble.right) / 2, (bubble.top + bubble.bottom) / 2};
        Rgn body_rgn(CreateRectRgnIndirect(&body));
        ASSERT_FALSE(body_rgn.Has(centre.x, centre.y));
        Rgn plain(SCLCreateThinkBubbleRgn(r, 20, 4, ext));
        Rgn round(SCLCreateRoundThinkBubbleRgn(r, 20, 4, ext, 10, 10));
        Rgn elliptic(SCLCreateEllipticThinkBubbleRgn(r, 20, 4, ext));
        for (const Rgn* region : {&plain, &round, &elliptic}) {
            EXPECT_TRUE(region->Has(60, 45));
            EXPECT_TRUE(region->Has(centre.x, centre.y));
        }
    }
    // No bubbles: the body alone.
    Rgn body_only(SCLCreateThinkBubbleRgn(r, 20, 0, epLeftTop));
    Rgn body(CreateRectRgn(20, 20, 120, 90));
    EXPECT_TRUE(EqualRgn(body_only.handle, body.handle));
}

std::vector<BYTE> Region_Data(HRGN region)
{
    std::vector<BYTE> data(GetRegionData(region, 0, nullptr));
    GetRegionData(region, static_cast<DWORD>(data.size()), reinterpret_cast<RGNDATA*>(data.data()));
    return data;
}

TEST(SclRgnShapes, ShapeDispatchBuildsEachShape)
{
    const RECT r{0, 0, 100, 60};
    Rgn triangle(CreatePolygonRgn(std::array<POINT, 3>{{{0, 0}, {50, 60}, {100, 0}}}.data(), 3, ALTERNATE));
    const std::vector<BYTE> data = Region_Data(triangle.handle);
    TSCLRegionShapeArgs args;
    args.MaskData = data;
    args.UserData = data;
    for (int shape = rsRect; shape <= rsPointList; ++shape) {
        args.Shape = static_cast<TSCLRegionShape>(shape);
        Rgn region(SCLCreateShapeRgn(r, args));
        ASSERT_NE(region.handle, nullptr) << TSCLEnumInfo<TSCLRegionShape>::Names[shape];
        EXPECT_TRUE(region.Has(50, 20)) << TSCLEnumInfo<TSCLRegionShape>::Names[shape];
    }
    args.Shape = rsUserRegion;
    args.Designing = true;
    Rgn designing(SCLCreateShapeRgn(r, args));
    Rgn rect(CreateRectRgnIndirect(&r));
    EXPECT_TRUE(EqualRgn(designing.handle, rect.handle));
    args.Shape = rsPointList;
    Rgn from_data(SCLCreateShapeRgn(r, args));
    EXPECT_TRUE(EqualRgn(from_data.handle, triangle.handle));
}

TEST(SclRgnShapes, ShapesWithoutDataBuildNoRegion)
{
    TSCLRegionShapeArgs args;
    for (auto shape : {rsBitmap, rsUserRegion, rsPointList}) {
        args.Shape = shape;
        EXPECT_EQ(SCLCreateShapeRgn({0, 0, 10, 10}, args), nullptr);
    }
    const std::vector<BYTE> short_data(10, 0xFF);
    EXPECT_EQ(SCLCreateDataRgn(short_data), nullptr);
    EXPECT_EQ(SCLCreatePointsRgn(std::array<POINT, 2>{{{0, 0}, {5, 5}}}), nullptr);
}

} // namespace
