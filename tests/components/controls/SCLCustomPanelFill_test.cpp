#include "components/controls/SCLCustomPanelFill.h"

#include "components/controls/SCLPanelFill.h"

#include <gtest/gtest.h>

#include "tests/components/controls/Back_Test_Support.h"

using namespace back_test;

namespace {

struct Fill_Scene {
    Test_Form form;
    TSCLPanelFill* panel = new TSCLPanelFill(&form);
    Back_Child* child;

    Fill_Scene()
    {
        panel->SetBounds(10, 10, 100, 60);
        panel->SetColor(clWhite);
        panel->SetParent(&form);
        child = new Back_Child(panel, RECT{50, 20, 60, 30}, clLime);
    }
    void Gradient()
    {
        TSCLFillObject* fill = panel->FillObject();
        fill->Gradient()->SetColor(clRed);
        fill->Gradient()->SetEndColor(clBlue);
        fill->Gradient()->SetStyle(gstHorizontal);
        fill->SetFillStyle(sfGradient);
    }
};

} // namespace

TEST(FillPanel, AGradientFillIsTheBackgroundOfThePanelAndItsChildren)
{
    Fill_Scene scene;
    scene.Gradient();
    scene.form.Show();
    const QImage image = Shown(&scene.form);
    EXPECT_EQ(image.pixel(10, 40), Rgb_Of(clRed));
    EXPECT_EQ(image.pixel(109, 40), Rgb_Of(clBlue));
    TBitmap* back = scene.panel->OwnBackBitmap();
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->PixelFormat(), pf24bit);
    EXPECT_EQ(image.pixel(65, 35), Rgb_Of(back->Canvas()->Pixels(55, 25))) << "the child shows the fill under it";
    EXPECT_TRUE(scene.child->CheckOptimized());
}

TEST(FillPanel, ResizingAGradientRedrawsItForTheNewSize)
{
    Fill_Scene scene;
    scene.Gradient();
    scene.form.Show();
    Pump();
    const TColor old_middle = scene.panel->OwnBackBitmap()->Canvas()->Pixels(40, 5);
    scene.panel->SetBounds(10, 10, 80, 60);
    Pump();
    TBitmap* back = scene.panel->OwnBackBitmap();
    EXPECT_EQ(back->Width(), 80);
    EXPECT_EQ(back->Canvas()->Pixels(79, 5), clBlue) << "the gradient ends at the new right edge";
    EXPECT_NE(back->Canvas()->Pixels(40, 5), old_middle);
}

TEST(FillPanel, ABitmapListFillIsNotRedrawnWhileItCoversTheClientArea)
{
    Fill_Scene scene;
    auto* list = new TSCLBitmapList(&scene.form);
    list->Add();
    list->Items(0)->SetBitmap(Pattern_Bitmap(16, 16).get());
    scene.panel->FillObject()->SetFillStyle(sfBitmapList);
    scene.panel->SetImageList(list);
    scene.form.Show();
    Pump();
    TBitmap* back = scene.panel->OwnBackBitmap();
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->Canvas()->Pixels(17, 18), Pattern_Color(1, 2)) << "tiled";
    back->Canvas()->SetPixels(0, 0, clBlack);
    scene.panel->SetBounds(10, 10, 90, 50);
    Pump();
    EXPECT_EQ(scene.panel->OwnBackBitmap()->Canvas()->Pixels(0, 0), clBlack);
    EXPECT_EQ(scene.panel->OwnBackBitmap()->Width(), 100);
}

TEST(FillPanel, WithoutAFillThePanelIsEmptyAndFillsWithItsColour)
{
    Fill_Scene scene;
    EXPECT_EQ(scene.panel->FillObject()->Style(), sfNone);
    EXPECT_EQ(scene.panel->Alignment(), agCenter);
    EXPECT_TRUE(scene.panel->ControlStyle().Contains(csSetCaption));
    EXPECT_TRUE(scene.panel->GetEmpty());
    scene.form.Show();
    EXPECT_EQ(scene.panel->OwnBackBitmap(), nullptr);
    EXPECT_EQ(Shown(&scene.form).pixel(12, 12), Rgb_Of(clWhite));
    scene.panel->SetCaption("A");
    EXPECT_FALSE(scene.panel->GetEmpty());
}

TEST(FillPanel, TheCaptionIsDrawnWhereItsAlignmentPlacesIt)
{
    Fill_Scene scene;
    scene.panel->Font()->SetColor(clBlack);
    scene.panel->SetCaption("Camera");
    scene.form.Show();
    // Dark pixels of the text in the left, middle and right thirds of the panel.
    auto text_in = [&](int left, int right) {
        const QImage image = Shown(&scene.form);
        int dark = 0;
        for (int y = 10; y < 70; ++y)
            for (int x = left; x < right; ++x)
                dark += qGray(image.pixel(x, y)) < 100; // the lime child is lighter
        return dark;
    };
    EXPECT_EQ(text_in(10, 35), 0);
    EXPECT_GT(text_in(45, 75), 0) << "centred";
    EXPECT_EQ(text_in(85, 110), 0);
    scene.panel->SetAlignment(agCenterLeft);
    EXPECT_GT(text_in(10, 35), 0) << "at the left";
    EXPECT_EQ(text_in(85, 110), 0);
}
