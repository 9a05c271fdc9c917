#include "components/controls/SCLCustomProgress.h"

#include "components/controls/SCLProgress.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/classlib/Form_Parser.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Form_Writer.h"
#include "tests/components/controls/Back_Test_Support.h"

using namespace back_test;

namespace {

// A bar without bevel on a white form: its inner area is its client area.
struct Bar_Scene {
    Test_Form form;
    TSCLProgress* bar = new TSCLProgress(&form);

    explicit Bar_Scene(TSCLProgressStyle style = pgSmallBar, int bar_count = 10)
    {
        bar->Bevel()->SetBevelStyleOuter(bvNone);
        bar->SetColor(clWhite);
        bar->SmallBar()->SetAutoSize(false);
        bar->SmallBar()->SetByte(0, static_cast<BYTE>(bar_count));
        bar->SmallBar()->SetByte(1, 1);
        bar->SmallBar()->SetByte(2, 1);
        bar->SmallBar()->SetBarColor(clNavy);
        bar->SetStyle(style);
        bar->SetBounds(0, 0, 101, 12); // segments of 9 pixels for 10
        bar->SetParent(&form);
        form.Show();
        Pump();
    }

    // The runs of non-white pixels along the bar's middle row.
    std::vector<std::pair<int, int>> Runs()
    {
        const QImage image = Shown(&form);
        std::vector<std::pair<int, int>> runs;
        for (int x = 0; x < bar->Width(); ++x) {
            if (image.pixel(x, 6) == Rgb_Of(clWhite))
                continue;
            if (!runs.empty() && runs.back().second == x)
                ++runs.back().second;
            else
                runs.emplace_back(x, x + 1);
        }
        return runs;
    }
};

} // namespace

TEST(Meter, ThePercentageFollowsTheUserValueRoundedHalvesToEven)
{
    struct Case {
        int min, max, user, percent;
    };
    const Case cases[] = {{0, 3, 1, 33},      {0, 3, 2, 67},     {0, 100, 100, 100}, {-40, 127, -40, 0},
                          {-40, 127, 127, 100}, {-40, 127, 43, 50}, {0, 8, 1, 12},     {0, 200, 25, 12},
                          {0, 200, 1, 0},     {0, 200, 3, 2}};
    for (const Case& c : cases) {
        TSCLProgress bar(nullptr);
        bar.SetMaxValue(c.max);
        bar.SetMinValue(c.min);
        bar.SetUserValue(c.user);
        EXPECT_EQ(bar.Position(), c.percent) << c.min << ".." << c.max << " at " << c.user;
    }
    TSCLProgress bar(nullptr);
    bar.SetMaxValue(12);
    bar.SetPercentValue(50);
    EXPECT_EQ(bar.UserValue(), 6);
    bar.SetPercentValue(250);
    EXPECT_EQ(bar.Position(), 100);
    EXPECT_EQ(bar.UserValue(), 12);
    EXPECT_EQ(TSCLBaseMeter::Extent(33, 10), 3);
    EXPECT_EQ(TSCLBaseMeter::Extent(100, 7), 7);
}

TEST(Meter, AValueOutsideTheRangeIsIgnoredNotClamped)
{
    TSCLProgress bar(nullptr);
    bar.SetUserValue(40);
    for (const int bad : {150, 101, -1, -7}) {
        bar.SetUserValue(bad);
        EXPECT_EQ(bar.UserValue(), 40) << bad << ": the last good reading stays";
        EXPECT_EQ(bar.Position(), 40) << bad;
    }
    bar.SetUserValue(100);
    EXPECT_EQ(bar.Position(), 100);
    bar.SetUserValue(0);
    EXPECT_EQ(bar.Position(), 0);
}

TEST(Meter, TheRangeStaysOrderedAndMovesTheValueIntoIt)
{
    TSCLProgress bar(nullptr);
    bar.SetUserValue(50);
    bar.SetMaxValue(-10);
    EXPECT_EQ(bar.MinValue(), -10);
    EXPECT_EQ(bar.MaxValue(), 0);
    EXPECT_EQ(bar.UserValue(), 0);
    bar.SetMinValue(0);
    EXPECT_EQ(bar.MinValue(), -10) << "equal to the maximum: the range would collapse";
    bar.SetMinValue(5);
    EXPECT_EQ(bar.MinValue(), 0);
    EXPECT_EQ(bar.MaxValue(), 5);
    EXPECT_EQ(bar.UserValue(), 0);
}

TEST(Meter, AddAndSubStopAtTheEndsAndLeaveTheUserValue)
{
    TSCLProgress bar(nullptr);
    bar.SetUserValue(50);
    bar.Add(70);
    EXPECT_EQ(bar.Position(), 100);
    bar.SetPercentValue(50);
    bar.Sub(70);
    EXPECT_EQ(bar.Position(), 0);
    EXPECT_EQ(bar.UserValue(), 50);
    bar.SetStep(4);
    bar.StepAdd();
    bar.StepAdd();
    EXPECT_EQ(bar.Position(), 8);
}

TEST(Progress, LitSegmentsRoundHalvesToEven)
{
    struct Case {
        int bar_count, percent, lit;
    };
    const Case cases[] = {{32, 50, 16}, {32, 1, 0},  {32, 2, 1},   {32, 100, 32}, {10, 45, 4}, {10, 55, 6},
                          {10, 25, 2},  {10, 35, 4}, {10, 0, 0},   {28, 50, 14},  {30, 5, 2},  {1, 50, 0},
                          {1, 51, 1},   {255, 100, 255}};
    for (const Case& c : cases) {
        TSCLProgress bar(nullptr);
        bar.SmallBar()->SetByte(0, static_cast<BYTE>(c.bar_count));
        EXPECT_EQ(bar.LitSegments(c.percent), c.lit) << c.bar_count << " segments at " << c.percent << " %";
    }
}

TEST(Progress, TheLitSegmentsArePaintedFromTheStartOfTheDirection)
{
    Bar_Scene scene;
    scene.bar->SetUserValue(30);
    using Runs = std::vector<std::pair<int, int>>;
    EXPECT_EQ(scene.Runs(), (Runs{{1, 10}, {11, 20}, {21, 30}}));
    scene.bar->SetDirection(mdHorizontalReverse);
    EXPECT_EQ(scene.Runs(), (Runs{{71, 80}, {81, 90}, {91, 100}}));
    scene.bar->SetUserValue(0);
    EXPECT_TRUE(scene.Runs().empty());
}

TEST(Progress, ASegmentedBarRepaintsWheneverItsLitCountChanges)
{
    Bar_Scene scene; // 10 segments: a percentage step of 5 would be skipped below
    EXPECT_EQ(scene.bar->Delta(), 5);
    scene.bar->SetUserValue(44);
    const int draws = scene.bar->BarDraws();
    scene.bar->SetUserValue(46); // 4 lit -> 5 lit
    EXPECT_EQ(scene.bar->BarDraws(), draws + 1);
    EXPECT_EQ(scene.Runs().size(), 5U);
    scene.bar->SetUserValue(54); // still 5 lit
    EXPECT_EQ(scene.bar->BarDraws(), draws + 1);
}

TEST(Progress, ASolidBarRedrawsByItsDelta)
{
    Bar_Scene scene(pgBar);
    scene.bar->SetDelta(5);
    scene.bar->SetUserValue(40);
    const int draws = scene.bar->BarDraws();
    scene.bar->SetUserValue(43);
    EXPECT_EQ(scene.bar->BarDraws(), draws) << "a change below Delta";
    scene.bar->SetUserValue(0);
    EXPECT_EQ(scene.bar->BarDraws(), draws + 1) << "0 % always shows";
    scene.bar->SetBarColor(clRed);
    scene.bar->SetUserValue(50);
    const QImage image = Shown(&scene.form);
    EXPECT_EQ(image.pixel(10, 6), Rgb_Of(clRed));
    EXPECT_EQ(image.pixel(60, 6), Rgb_Of(clWhite));
}

TEST(Progress, OnGetColorIsAskedOncePerLitSegmentInPaintingOrder)
{
    Bar_Scene scene(pgSmallBarColor);
    std::vector<int> asked;
    scene.bar->OnGetColor = [&asked](TObject*, BYTE nr, TColor& color) {
        asked.push_back(nr);
        if (nr == 1)
            color = clRed; // the others keep the bar colour
    };
    scene.bar->SetUserValue(40);
    Pump();
    asked.clear();
    scene.bar->SetUserValue(30);
    EXPECT_EQ(asked, (std::vector<int>{0, 1, 2}));
    const QImage image = Shown(&scene.form);
    EXPECT_EQ(image.pixel(5, 6), Rgb_Of(clNavy));
    EXPECT_EQ(image.pixel(15, 6), Rgb_Of(clRed));
    EXPECT_EQ(image.pixel(25, 6), Rgb_Of(clNavy));
}

TEST(Progress, ABarTooSmallForASegmentShowsTheValueAsOneBlock)
{
    Bar_Scene scene(pgSmallBar, 32);
    scene.bar->SetBounds(0, 0, 40, 12); // 32 gaps of 1 leave 8 pixels: no segment of a pixel
    Pump();
    ASSERT_LE(scene.bar->SmallBar()->GetBarExtend(mdHorizontal, 40, 12), 0);
    EXPECT_TRUE(scene.Runs().empty()) << "nothing lit at 0 %";
    scene.bar->SetUserValue(50);
    using Runs = std::vector<std::pair<int, int>>;
    EXPECT_EQ(scene.Runs(), (Runs{{1, 19}}));
}

TEST(Progress, BarCountZeroIsRefused)
{
    Bar_Scene scene;
    scene.bar->SmallBar()->SetByte(0, 0);
    EXPECT_EQ(scene.bar->SmallBar()->BarCount(), 10);
    EXPECT_EQ(scene.bar->Delta(), 5);
}

TEST(Progress, ThePercentTextKeepsTheDeltaAtOne)
{
    TSCLProgress bar(nullptr);
    bar.SetStyle(pgBar);
    bar.SetTextOptions(toPercent);
    bar.SetStyle(pgSmallBar);
    EXPECT_EQ(bar.Delta(), 1);
    bar.SetStyle(pgSmallBarColor);
    EXPECT_EQ(bar.Delta(), 1);
}

TEST(Progress, AutoSizeMakesTheBarAWholeNumberOfSegments)
{
    Bar_Scene scene;
    scene.bar->Bevel()->SetBevelStyleOuter(bvLowered); // 1 pixel each side
    scene.bar->SmallBar()->SetAutoSize(true);
    scene.bar->SetBounds(0, 0, 97, 12);
    Pump();
    // ext = (95 - 10) / 10 = 8; width = (8 + 1) * 10 + 1 + 2.
    EXPECT_EQ(scene.bar->Width(), 93);
    EXPECT_EQ(scene.bar->Height(), 12);
    scene.bar->SetDirection(mdVertical);
    scene.bar->SetBounds(0, 0, 12, 60);
    Pump();
    // ext = (58 - 10) / 10 = 4; height = (4 + 1) * 10 + 1 + 2.
    EXPECT_EQ(scene.bar->Height(), 53);
}

TEST(Progress, FormsReadTheLevelMetersAsStored)
{
    std::unique_ptr<TComponent> read(CreateComponentFromText(R"(object Level: TSCLProgress
  Width = 150
  Height = 12
  Color = clWhite
  ParentColor = False
  MaxValue = 127
  MinValue = -40
  SmallBar.AutoSize = False
  SmallBar.BarCount = 32
  SmallBar.HSpace = 1
  SmallBar.VSpace = 0
  Step = 4
  Style = pgSmallBarColor
  UserValue = -40
end
)",
                                                             "test", nullptr));
    auto* bar = dynamic_cast<TSCLProgress*>(read.get());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->MinValue(), -40);
    EXPECT_EQ(bar->MaxValue(), 127);
    EXPECT_EQ(bar->UserValue(), -40);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(bar->SmallBar()->BarCount(), 32);
    EXPECT_EQ(bar->Step(), 4);
    EXPECT_EQ(bar->Style(), pgSmallBarColor);
    EXPECT_EQ(bar->Delta(), 1) << "(100 div 32) div 2";

    TSCLProgress plain(nullptr);
    EXPECT_EQ(plain.Width(), 80);
    EXPECT_EQ(plain.Height(), 20);
    EXPECT_EQ(plain.BarColor(), static_cast<TColor>(0x800000));
    EXPECT_EQ(plain.Bevel()->StyleOuter(), bvLowered);
    EXPECT_FALSE(plain.Transparent());
    plain.SetName("Plain");
    for (const TFormProperty& property : Parse_Form_Text(WriteComponentText(&plain), "written").Properties)
        EXPECT_FALSE(property.Name == "Transparent" || property.Name == "BarColor" || property.Name == "Style" ||
                     property.Name.starts_with("SmallBar."))
            << property.Name << " is stored with its default";
}
