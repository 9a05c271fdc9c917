#include "shell/services/Screen_dpi.h"

#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLProgress.h"
#include "components/controls/SCLShapeControl.h"
#include "components/controls/SCLSimpleLabel.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/StdCtrls_Memo.h"
#include "platform/winapi/Gdi.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

class Screen_Dpi : public ::testing::Test {
protected:
    // Fonts take the screen's resolution once, at the first font: it is
    // the real screen's, whatever a test pretends afterwards.
    Screen_Dpi() { TFont first_font; }
    ~Screen_Dpi() override { Override_Screen_Dpi(0); }

    // A form owning one control of each adapted kind, with known fonts.
    struct Scene {
        TForm form {nullptr};
        TSCLSimpleLabel* label = new TSCLSimpleLabel(&form);
        TSCLGroupBox* group = new TSCLGroupBox(&form);
        TSCLShapeControl* shape = new TSCLShapeControl(&form);
        TMemo* memo = new TMemo(&form);
        TSCLProgress* bar = new TSCLProgress(&form);

        Scene()
        {
            for (TFont* font : {label->Font(), group->CaptionFont(), shape->Caption()->Font(), memo->Font()}) {
                font->SetSize(10);
            }
            bar->SmallBar()->SetAutoSize(false);
        }
    };
};

TEST_F(Screen_Dpi, TheScreenValueIsReadAtEachCall)
{
    Override_Screen_Dpi(120);
    EXPECT_EQ(Get_Screen_Dpi(), 120);
    Override_Screen_Dpi(144);
    EXPECT_EQ(Get_Screen_Dpi(), 144);
}

TEST_F(Screen_Dpi, LargePicturesFromLargeFontsOn)
{
    for (const auto& [dpi, large] : {std::pair {96, false}, {119, false}, {120, true}, {144, true}}) {
        Override_Screen_Dpi(dpi);
        EXPECT_EQ(Is_Large_Screen(), large) << dpi;
    }
}

TEST_F(Screen_Dpi, FontsFollowTheDotsPerInch)
{
    const struct {
        int dpi, label, group, shape, memo;
    } cases[] = {
        {72, 10, 10, 10, 10},  {96, 10, 10, 10, 10},  {120, 9, 10, 11, 10},
        {125, 9, 10, 11, 10},  {126, 9, 11, 11, 10},  {143, 9, 11, 12, 10},
        {144, 9, 11, 12, 9},   {145, 8, 11, 12, 9},   {192, 8, 13, 14, 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dpi);
        Override_Screen_Dpi(c.dpi);
        Scene scene;
        Adapt_Form_To_Dpi(nullptr, &scene.form);
        EXPECT_EQ(scene.label->Font()->Size(), c.label);
        EXPECT_EQ(scene.group->CaptionFont()->Size(), c.group);
        EXPECT_EQ(scene.shape->Caption()->Font()->Size(), c.shape);
        EXPECT_EQ(scene.memo->Font()->Size(), c.memo);
    }
}

// Only the components the form owns are adjusted: a label owned by another
// component keeps its font.
TEST_F(Screen_Dpi, OnlyTheFormsOwnComponentsChange)
{
    Override_Screen_Dpi(144);
    TForm form(nullptr);
    TForm other(nullptr);
    auto* foreign = new TSCLSimpleLabel(&other);
    foreign->Font()->SetSize(10);
    foreign->SetParent(&form);
    Adapt_Form_To_Dpi(&other, &form);
    EXPECT_EQ(foreign->Font()->Size(), 10);
}

TEST(Bar_Count, TheLargestCountOfTheDesignedSegmentsThatFits)
{
    const struct {
        int len, bevel, count, space, expected;
    } cases[] = {
        {101, 0, 10, 1, 10}, // segments of 9 fill it exactly
        {29, 0, 10, 1, 14},  // segments of 1, the spare 8 pixels hold four more
        {30, 0, 10, 1, 14},
        {31, 0, 10, 1, 10},  // segments of 2 fill it exactly
        {50, 0, 10, 3, 12},
        {33, 2, 10, 1, 14},  // the bevel on both sides: 2 * 2 + 1
        {9, -1, 4, 0, 5},    // a negative bevel widens the room
        {20, 0, 10, 3, 10},  // too small for its design: the count stays
        {15, 0, 10, 1, 10},  // segments of no pixel: the count stays
        {-3, 0, 10, 0, 10},
        {20, 0, 0, 1, 0},    // no segments at all: left alone
        {599, 0, 200, 0, 255}, // the count is a byte
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.len << " " << c.bevel << " " << c.count << " " << c.space);
        EXPECT_EQ(Fitting_Bar_Count(c.len, c.bevel, c.count, c.space), c.expected);
    }
}

// The bar count changes at every dpi, 96 included, along the bar's real
// length: its width when horizontal, its height when vertical, with the
// horizontal gap in both directions.
TEST_F(Screen_Dpi, ProgressBarsTakeTheSegmentsTheirLengthHolds)
{
    const struct {
        TSCLMeterDirection direction;
        int width, height, expected;
    } cases[] = {
        {mdHorizontal, 29, 12, 14}, {mdHorizontalReverse, 29, 12, 14}, {mdVertical, 12, 29, 14},
        {mdVerticalReverse, 12, 29, 14}, {mdVertical, 29, 12, 10}, {mdHorizontal, 101, 29, 10},
    };
    for (const int dpi : {96, 144}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << dpi << " dpi, direction " << c.direction << ", " << c.width << " x "
                                            << c.height);
            Override_Screen_Dpi(dpi);
            Scene scene;
            scene.bar->Bevel()->SetWidthInner(0);
            scene.bar->SmallBar()->SetByte(0, 10);
            scene.bar->SmallBar()->SetByte(1, 1); // horizontal gap
            scene.bar->SmallBar()->SetByte(2, 7); // vertical gap, not used
            scene.bar->SetDirection(c.direction);
            scene.bar->SetBounds(0, 0, c.width, c.height);
            Adapt_Form_To_Dpi(nullptr, &scene.form);
            EXPECT_EQ(scene.bar->SmallBar()->BarCount(), c.expected);
        }
    }
}

TEST_F(Screen_Dpi, TheInnerBevelIsCountedOnBothSides)
{
    Scene scene;
    scene.bar->Bevel()->SetWidthInner(2);
    scene.bar->SmallBar()->SetByte(0, 10);
    scene.bar->SmallBar()->SetByte(1, 1);
    scene.bar->SetBounds(0, 0, 33, 12);
    Adapt_Form_To_Dpi(nullptr, &scene.form);
    EXPECT_EQ(scene.bar->SmallBar()->BarCount(), 14);
}

} // namespace
