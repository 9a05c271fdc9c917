// Region descriptions: defaults and change rules, the region built for each
// setting, the window region with its shadow band, user regions from
// polygons, the painted outline, and the stored point list.

#include "components/controls/Sclregion.h"

#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Form_Parser.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Form_Writer.h"
#include "platform/classlib/Forms.h"
#include "platform/winapi/Window.h"

#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace {

struct Rgn {
    HRGN handle;
    explicit Rgn(HRGN h) : handle(h) {}
    ~Rgn() { DeleteObject(handle); }
    Rgn(const Rgn&) = delete;
    Rgn& operator=(const Rgn&) = delete;
};

bool Same(HRGN a, HRGN b)
{
    return a && b && EqualRgn(a, b);
}

TEST(SclRegion, DefaultsOfANewDescription)
{
    TSCLBorderRegion region;
    EXPECT_EQ(region.Shape(), rsRoundRect);
    EXPECT_EQ(region.RoundX(), 20);
    EXPECT_EQ(region.RoundY(), 20);
    EXPECT_EQ(region.ExtPos(), epLeftTop);
    EXPECT_EQ(region.BubbleCount(), 4);
    EXPECT_EQ(region.Shadow()->Style(), hssNone);
    EXPECT_EQ(region.Border()->Style(), rbSingle);
    EXPECT_EQ(region.Points()->Count(), 0);
    EXPECT_EQ(region.Region(), nullptr);
}

TEST(SclRegion, CornerSizeNotifiesOnlyForRoundShapes)
{
    TSCLRegion region;
    int changes = 0;
    region.OnChange = [&](TObject*) { ++changes; };
    region.SetRegionShape(rsRect);
    EXPECT_EQ(changes, 1);
    region.SetInteger(0, 30);
    EXPECT_EQ(region.RoundX(), 30);
    EXPECT_EQ(changes, 1);
    region.SetRegionShape(rsRoundRect);
    region.SetInteger(1, 10);
    EXPECT_EQ(changes, 3);
    region.SetInteger(1, 10);
    region.SetNosePos(epLeftTop);
    EXPECT_EQ(changes, 3);
    region.CreateRegion({0, 0, 100, 60});
    Rgn expected(CreateRoundRectRgn(0, 0, 100, 60, 30, 10));
    EXPECT_TRUE(Same(region.Region(), expected.handle));
}

TEST(SclRegion, SubObjectChangesReachTheOwner)
{
    TSCLRegion region;
    int changes = 0;
    region.OnChange = [&](TObject*) { ++changes; };
    region.Border()->SetColor(2, clRed);
    region.Shadow()->SetDepth(9);
    EXPECT_EQ(changes, 2);
}

TEST(SclRegion, ShadowDepthIsTakenFromTheRectangleAndAddedToTheWindowRegion)
{
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 100, 80);
    form.HandleNeeded();
    TSCLRegion region;
    region.SetControl(&form);
    region.SetRegionShape(rsRect);
    region.Shadow()->SetStyle(hssSolid);
    region.Shadow()->SetDepth(6);
    region.CreateRegion({0, 0, 100, 80});
    Rgn body(CreateRectRgn(0, 0, 94, 74));
    EXPECT_TRUE(Same(region.Region(), body.handle));

    region.SetRegion();
    Rgn applied(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(form.Handle(), applied.handle), ERROR);
    Rgn expected(CreateRectRgn(0, 0, 94, 74));
    Rgn band(CreateRectRgn(6, 6, 100, 80));
    CombineRgn(expected.handle, expected.handle, band.handle, RGN_OR);
    EXPECT_TRUE(Same(applied.handle, expected.handle));

    region.FreeRegion();
    EXPECT_EQ(GetWindowRgn(form.Handle(), applied.handle), ERROR);
    region.SetControl(nullptr);
}

TEST(SclRegion, WithoutAWindowTheRegionIsKeptOnly)
{
    TSCLRegion region;
    region.SetRegionShape(rsElliptic);
    region.CreateRegion({0, 0, 50, 30});
    region.SetRegion(); // no control: nothing handed over, nothing leaked
    region.FreeRegion();
    Rgn ellipse(CreateEllipticRgn(0, 0, 50, 30));
    EXPECT_TRUE(Same(region.Region(), ellipse.handle));
    region.CreateSpecialRectRgn({1, 2, 3, 4});
    Rgn rect(CreateRectRgn(1, 2, 3, 4));
    EXPECT_TRUE(Same(region.Region(), rect.handle));
}

TEST(SclRegion, ShapesBuildTheirRegions)
{
    TSCLRegion region;
    const RECT r{0, 10, 100, 60};
    region.SetRegionShape(rsHalfRound);
    region.CreateRegion(r);
    Rgn half(CreateEllipticRgn(0, -40, 100, 60));
    EXPECT_TRUE(Same(region.Region(), half.handle));

    region.SetRegionShape(rsStar);
    region.CreateRegion({0, 0, 100, 100});
    Rgn star(SCLCreateStarRgn({0, 0, 100, 100}));
    EXPECT_TRUE(Same(region.Region(), star.handle));

    region.SetRegionShape(rsNoseRect);
    region.SetNosePos(epBottomRight);
    region.CreateRegion({0, 0, 100, 80});
    Rgn nose(SCLCreateNoseRectRgn({0, 0, 100, 80}, 10, epBottomRight));
    EXPECT_TRUE(Same(region.Region(), nose.handle));

    region.SetRegionShape(rsEllipticThinkBubble);
    region.CreateRegion({0, 0, 120, 90});
    Rgn bubbles(SCLCreateEllipticThinkBubbleRgn({0, 0, 120, 90}, 20, 4, epBottomRight));
    EXPECT_TRUE(Same(region.Region(), bubbles.handle));

    for (auto empty : {rsBitmap, rsUserRegion, rsPointList}) {
        region.SetRegionShape(empty);
        region.CreateRegion(r);
        EXPECT_EQ(region.Region(), nullptr);
    }
}

TEST(SclRegion, BitmapShapeTakesTheMasksRegion)
{
    TSCLRegion region;
    Rgn source(CreateEllipticRgn(0, 0, 40, 20));
    region.Mask()->SetDataSize(static_cast<int>(GetRegionData(source.handle, 0, nullptr)));
    region.Mask()->GetMem();
    ASSERT_TRUE(region.Mask()->GetRegionData(source.handle));
    region.SetRegionShape(rsBitmap);
    region.CreateRegion({0, 0, 40, 20});
    EXPECT_TRUE(Same(region.Region(), source.handle));
}

TEST(SclRegion, PolygonBecomesTheUserRegion)
{
    TSCLRegion region;
    const std::vector<POINT> triangle{{0, 0}, {40, 0}, {20, 30}};
    region.SetUserPolygonRgn(triangle);
    EXPECT_EQ(region.Points()->Count(), 3);
    region.SetRegionShape(rsUserRegion);
    region.CreateRegion({0, 0, 50, 50});
    Rgn expected(CreatePolygonRgn(triangle.data(), 3, ALTERNATE));
    EXPECT_TRUE(Same(region.Region(), expected.handle));

    // The point-list shape follows its points.
    region.SetRegionShape(rsPointList);
    region.Points()->PutPoint(2, {20, 40});
    region.CreateRegion({0, 0, 50, 50});
    const std::vector<POINT> moved{{0, 0}, {40, 0}, {20, 40}};
    Rgn taller(CreatePolygonRgn(moved.data(), 3, ALTERNATE));
    EXPECT_TRUE(Same(region.Region(), taller.handle));
}

TEST(SclRegion, AssignCopiesTheShapeButNotThePoints)
{
    TSCLRegion source;
    source.SetRegionShape(rsComb);
    source.SetInteger(0, 7);
    source.SetNosePos(epTopRight);
    source.Shadow()->SetStyle(hssTracing);
    source.Border()->SetBorderStyle(rbRaised);
    source.SetUserPolygonRgn(std::vector<POINT>{{0, 0}, {4, 0}, {2, 3}});
    TSCLRegion target;
    int changes = 0;
    target.OnChange = [&](TObject*) { ++changes; };
    target.Assign(&source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(target.Shape(), rsComb);
    EXPECT_EQ(target.RoundX(), 7);
    EXPECT_EQ(target.ExtPos(), epTopRight);
    EXPECT_EQ(target.Shadow()->Style(), hssTracing);
    EXPECT_EQ(target.Border()->Style(), rbRaised);
    EXPECT_EQ(target.Points()->Count(), 0);
    EXPECT_TRUE(target.UserRegionData().empty());
}

TEST(SclRegion, PaintedOutlineUsesTheBorderAndTheShadowBand)
{
    TBitmap surface;
    surface.SetSize(40, 30);
    TCanvas* canvas = surface.Canvas();
    canvas->Brush()->SetColor(clWhite);
    canvas->FillRect({0, 0, 40, 30});
    TSCLRegion region;
    region.SetRegionShape(rsRect);
    region.Border()->SetColor(2, clRed);
    region.Shadow()->SetStyle(hssSolid);
    region.Shadow()->SetColor(clBlue);
    region.Shadow()->SetDepth(4);
    region.PaintRegionShape(canvas, {0, 0, 40, 30});
    EXPECT_EQ(canvas->Pixels(0, 10), clRed);  // the border, in the single colour
    EXPECT_EQ(canvas->Pixels(38, 20), clBlue); // the band right of the body
    EXPECT_EQ(canvas->Pixels(20, 28), clBlue); // and below it
    EXPECT_EQ(canvas->Pixels(1, 28), clWhite); // not left of the band
    EXPECT_EQ(canvas->Pixels(20, 15), clWhite);
    EXPECT_EQ(canvas->Brush()->Style(), bsClear);
}

TEST(SclRegion, NoShadowLeavesTheRectangleWhole)
{
    TBitmap surface;
    surface.SetSize(10, 10);
    TSCLRegion region;
    RECT r{0, 0, 10, 10};
    region.DrawShadow(surface.Canvas(), r);
    EXPECT_EQ(r.right, 10);
    EXPECT_EQ(r.bottom, 10);
}

// A component that publishes one region description, to store it in form text.
class TRegion_Holder : public TComponent {
public:
    explicit TRegion_Holder(TComponent* AOwner) : TComponent(AOwner) {}
    TSCLBorderRegion Region;
};

std::unique_ptr<TRegion_Holder> Read_Holder(const std::string& Text)
{
    static std::once_flag registered;
    std::call_once(registered, [] {
        RegisterComponentClass<TRegion_Holder, TComponent>("TRegion_Holder")
            .Object("Region", [](TRegion_Holder& holder) { return &holder.Region; });
    });
    std::unique_ptr<TComponent> component(CreateComponentFromText(Text, "test", nullptr));
    return std::unique_ptr<TRegion_Holder>(dynamic_cast<TRegion_Holder*>(component.release()));
}

TEST(SclRegion, StoredPointListRoundTripsAndReplacesThePoints)
{
    auto holder = Read_Holder("object Holder: TRegion_Holder\n"
                              "  Region.Shape = rsPointList\n"
                              "  Region.RoundX = 8\n"
                              "  Region.Border.Style = rbRaised\n"
                              "  Region.PointList = (\n    0\n    0\n    30\n    0\n    15\n    20)\n"
                              "end\n");
    ASSERT_TRUE(holder);
    TSCLRegion& region = holder->Region;
    EXPECT_EQ(region.Shape(), rsPointList);
    EXPECT_EQ(region.RoundX(), 8);
    EXPECT_EQ(region.Border()->Style(), rbRaised);
    ASSERT_EQ(region.Points()->Count(), 3);
    EXPECT_EQ(region.Points()->GetPoint(2).x, 15);
    EXPECT_EQ(region.Points()->GetPoint(2).y, 20);
    EXPECT_FALSE(region.UserRegionData().empty());

    const std::string written = WriteComponentText(holder.get());
    auto again = Read_Holder(written);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->Region.Points()->Count(), 3);
    EXPECT_EQ(WriteComponentText(again.get()), written);

    // Reading into a description that holds points replaces them.
    ReadComponentText(written, "again", again.get(), TForm_Table{});
    EXPECT_EQ(again->Region.Points()->Count(), 3);
}

TEST(SclRegion, EmptyPointListIsNotStored)
{
    auto holder = Read_Holder("object Holder: TRegion_Holder\nend\n");
    ASSERT_TRUE(holder);
    EXPECT_EQ(WriteComponentText(holder.get()).find("PointList"), std::string::npos);
}

} // namespace
