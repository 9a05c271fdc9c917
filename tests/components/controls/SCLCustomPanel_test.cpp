#include "components/controls/SCLBackPanel.h"
#include "components/controls/SCLSimplePanel.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/components/controls/Back_Test_Support.h"

using namespace back_test;

namespace {

// A form with a back panel whose bitmap-list picture is a pattern.
struct Back_Scene {
    Test_Form form;
    TSCLBitmapList* list = new TSCLBitmapList(&form);
    TSCLBackPanel* back = new TSCLBackPanel(&form);

    Back_Scene()
    {
        list->Add();
        list->Items(0)->SetBitmap(Pattern_Bitmap(200, 150).get());
        back->SetBounds(10, 10, 200, 150);
        back->SetParent(&form);
        back->SetImageList(list);
    }
};

TSCLSimplePanel* Panel_On(TWinControl* parent, RECT bounds, bool transparent)
{
    auto* panel = new TSCLSimplePanel(parent);
    panel->SetBoundsRect(bounds);
    panel->SetColor(clSilver);
    panel->SetTransparent(transparent);
    panel->SetParent(parent);
    return panel;
}

// The child's 10 x 10 pixels as seen on the form, checked against the
// pattern at `origin` or, when origin.x < 0, the child's own red.
::testing::AssertionResult Child_Shows(const QImage& image, POINT child_on_form, POINT origin)
{
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            const QRgb wanted = origin.x < 0 ? Rgb_Of(clRed) : Rgb_Of(Pattern_Color(origin.x + x, origin.y + y));
            const QRgb seen = image.pixel(child_on_form.x + x, child_on_form.y + y);
            if (seen != wanted)
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << std::hex << seen << ", wanted " << wanted;
        }
    return ::testing::AssertionSuccess();
}

} // namespace

TEST(PanelBackground, ATransparentChildShowsWhatItsAncestorsOffer)
{
    // Own bitmap: the child at (20, 30) of the back panel at (10, 10).
    {
        Back_Scene scene;
        new Back_Child(scene.back, RECT{20, 30, 30, 40}, clRed);
        scene.form.Show();
        EXPECT_TRUE(Child_Shows(Shown(&scene.form), POINT{30, 40}, POINT{20, 30})) << "own bitmap";
    }
    // Transparent panel on the back panel: the pattern under the panel.
    {
        Back_Scene scene;
        TSCLSimplePanel* panel = Panel_On(scene.back, RECT{40, 20, 140, 100}, true);
        new Back_Child(panel, RECT{5, 6, 15, 16}, clRed);
        scene.form.Show();
        EXPECT_TRUE(Child_Shows(Shown(&scene.form), POINT{55, 36}, POINT{45, 26})) << "transparent on library parent";
    }
    // Two transparent panels, the outer one with the system's sunken
    // border: the child's point passes through both.
    {
        Back_Scene scene;
        TSCLSimplePanel* outer = Panel_On(scene.back, RECT{40, 20, 160, 120}, true);
        outer->Bevel()->SetMode(bmWindows);
        TSCLSimplePanel* inner = Panel_On(outer, RECT{7, 9, 87, 69}, true);
        new Back_Child(inner, RECT{2, 5, 12, 15}, clRed);
        scene.form.Show();
        ASSERT_EQ(outer->Width() - outer->ClientWidth(), 4);
        EXPECT_TRUE(Child_Shows(Shown(&scene.form), POINT{61, 46}, POINT{51, 36})) << "through two panels";
    }
    // An opaque panel between: nothing offered, the child's colour.
    {
        Back_Scene scene;
        TSCLSimplePanel* panel = Panel_On(scene.back, RECT{40, 20, 140, 100}, false);
        new Back_Child(panel, RECT{5, 6, 15, 16}, clRed);
        scene.form.Show();
        EXPECT_TRUE(Child_Shows(Shown(&scene.form), POINT{55, 36}, POINT{-1, -1})) << "nothing";
    }
}

TEST(PanelBackground, OnAFormOnlyTheFormsShapeOffersABackground)
{
    // A plain form: the transparent panel and its child fill with colour.
    {
        Test_Form form;
        TSCLSimplePanel* panel = Panel_On(&form, RECT{40, 20, 140, 100}, true);
        new Back_Child(panel, RECT{5, 6, 15, 16}, clRed);
        form.Show();
        EXPECT_FALSE(panel->BackBitmapCheck());
        const QImage image = Shown(&form);
        EXPECT_TRUE(Child_Shows(image, POINT{45, 26}, POINT{-1, -1}));
        EXPECT_EQ(image.pixel(41, 21), Rgb_Of(clSilver)) << "the panel fills with its Color";
    }
    // With a shape: its bitmap, in the form's client coordinates.
    {
        Test_Form form;
        new Fake_Shape(&form, 240, 180);
        TSCLSimplePanel* panel = Panel_On(&form, RECT{40, 20, 140, 100}, true);
        new Back_Child(panel, RECT{5, 6, 15, 16}, clRed);
        auto* direct = new Back_Child(&form, RECT{150, 120, 160, 130}, clRed);
        form.Show();
        const QImage image = Shown(&form);
        EXPECT_TRUE(Child_Shows(image, POINT{45, 26}, POINT{45, 26})) << "child of a transparent panel";
        EXPECT_TRUE(Child_Shows(image, POINT{150, 120}, POINT{150, 120})) << "child of the form";
        EXPECT_EQ(image.pixel(41, 21), Rgb_Of(Pattern_Color(41, 21))) << "the panel shows the shape too";
        EXPECT_TRUE(direct->CheckOptimized());
    }
}

TEST(PanelBackground, PointsMapThroughEveryPanelAndTheTruncatedHalfOfAnOddBorder)
{
    // A border one pixel wider on the far side: (Width - ClientWidth) is odd.
    class Odd_Border_Panel : public TSCLSimplePanel {
    public:
        using TSCLSimplePanel::TSCLSimplePanel;
        RECT ClientRect() override { return RECT{0, 0, Width() - 3, Height() - 3}; }
    };
    Back_Scene scene;
    auto* middle = new Odd_Border_Panel(scene.back);
    middle->SetBounds(40, 20, 120, 100);
    middle->SetTransparent(true);
    middle->SetParent(scene.back);
    TSCLSimplePanel* inner = Panel_On(middle, RECT{7, 9, 87, 69}, true);
    auto* child = new Back_Child(inner, RECT{2, 5, 12, 15}, clRed);
    scene.form.Show();
    Pump();

    EXPECT_EQ(scene.back->BackMapPoint(POINT{3, 4}).x, 3) << "the owner of the bitmap maps nothing";
    const POINT middle_point = middle->BackMapPoint(POINT{0, 0});
    EXPECT_EQ(middle_point.x, 41);
    EXPECT_EQ(middle_point.y, 21);
    const POINT inner_point = inner->BackMapPoint(POINT{3, 4});
    EXPECT_EQ(inner_point.x, 40 + 1 + 7 + 3);
    EXPECT_EQ(inner_point.y, 20 + 1 + 9 + 4);
    // The windowless child maps its own point, not its parent's position.
    const POINT child_point = child->BackMapPoint(1, 1);
    EXPECT_EQ(child_point.x, 40 + 1 + 7 + 2 + 1);
    EXPECT_EQ(child_point.y, 20 + 1 + 9 + 5 + 1);
    EXPECT_EQ(inner->BackBitmap(), scene.back->OwnBackBitmap());

    inner->SetTransparent(false);
    EXPECT_EQ(inner->BackMapPoint(POINT{3, 4}).x, 3) << "an opaque panel offers nothing to map into";
    EXPECT_EQ(inner->BackBitmap(), nullptr);
}

TEST(PanelBackground, APanelWithoutBackgroundSourceAnswersFalseAndDrawsNothing)
{
    Test_Form form;
    TSCLSimplePanel* panel = Panel_On(&form, RECT{0, 0, 50, 50}, true);
    form.Show();
    TBitmap target;
    target.SetSize(10, 10);
    target.Canvas()->Brush()->SetColor(clLime);
    target.Canvas()->FillRect(RECT{0, 0, 10, 10});
    EXPECT_FALSE(panel->BackDrawArea(target.Canvas(), RECT{0, 0, 10, 10}, POINT{0, 0}, 0));
    EXPECT_EQ(target.Canvas()->Pixels(5, 5), clLime);
    EXPECT_FALSE(panel->CheckOptimized());
}

TEST(PanelBackground, AnOptimizedPanelTellsItsChildrenWhenItsBackgroundMoves)
{
    Back_Scene scene;
    TSCLSimplePanel* panel = Panel_On(scene.back, RECT{40, 20, 140, 100}, true);
    auto* child = new Back_Child(panel, RECT{5, 6, 15, 16}, clRed);
    scene.form.Show();
    Pump();
    int changes = child->Changes;
    panel->SetBounds(40, 20, 120, 90);
    EXPECT_GT(child->Changes, changes) << "a resize";
    changes = child->Changes;
    panel->Perform(CM_SCLSCROLLBOXSCROLLED, 0, 0);
    EXPECT_GT(child->Changes, changes) << "a scrolled scroll box above";

    panel->SetTransparent(false);
    changes = child->Changes;
    panel->SetBounds(40, 20, 110, 80);
    panel->Perform(CM_SCLSCROLLBOXSCROLLED, 0, 0);
    EXPECT_EQ(child->Changes, changes) << "an opaque panel's background stays its own";
}
