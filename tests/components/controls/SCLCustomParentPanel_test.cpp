#include "components/controls/SCLCustomParentPanel.h"

#include "components/controls/SCLBackPanel.h"

#include <gtest/gtest.h>

#include "tests/components/controls/Back_Test_Support.h"

using namespace back_test;

namespace {

struct Parent_Scene {
    Test_Form form;
    TSCLBitmapList* list = new TSCLBitmapList(&form);
    TSCLBackPanel* back = new TSCLBackPanel(&form);
    Back_Child* child;

    Parent_Scene()
    {
        list->Add();
        list->Items(0)->SetBitmap(Pattern_Bitmap(30, 20).get());
        back->SetBounds(0, 0, 100, 80);
        back->SetParent(&form);
        child = new Back_Child(back, RECT{40, 30, 50, 40}, clRed);
        back->SetImageList(list);
        form.Show();
        Pump();
    }
};

} // namespace

TEST(ParentPanel, ItsBackBitmapTilesTheItemOverTheClientArea)
{
    Parent_Scene scene;
    TBitmap* back = scene.back->OwnBackBitmap();
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->Width(), 100);
    EXPECT_EQ(back->Height(), 80);
    EXPECT_EQ(back->Canvas()->Pixels(35, 25), Pattern_Color(5, 5)) << "tiled from the top left";
    EXPECT_TRUE(scene.back->CheckOptimized()) << "an own bitmap, though not transparent";
    EXPECT_FALSE(scene.back->GetEmpty());
    const QImage image = Shown(&scene.form);
    EXPECT_EQ(image.pixel(41, 31), Rgb_Of(Pattern_Color(11, 11)));
}

TEST(ParentPanel, ShrinkingKeepsTheBitmapAndGrowingRedrawsIt)
{
    Parent_Scene scene;
    TBitmap* back = scene.back->OwnBackBitmap();
    back->Canvas()->SetPixels(0, 0, clBlack); // a mark a redraw would wipe
    scene.back->SetBounds(0, 0, 90, 70);
    Pump();
    EXPECT_EQ(scene.back->OwnBackBitmap()->Width(), 100) << "it still covers the client area";
    EXPECT_EQ(scene.back->OwnBackBitmap()->Canvas()->Pixels(0, 0), clBlack);
    scene.back->SetBounds(0, 0, 120, 70);
    Pump();
    EXPECT_EQ(scene.back->OwnBackBitmap()->Width(), 120);
    EXPECT_EQ(scene.back->OwnBackBitmap()->Canvas()->Pixels(0, 0), Pattern_Color(0, 0));
}

TEST(ParentPanel, AListChangeRebuildsTheBitmapAndTellsTheChildren)
{
    Parent_Scene scene;
    const int changes = scene.child->Changes;
    scene.list->Items(0)->SetBitmap(Pattern_Bitmap(10, 10).get());
    scene.list->Change();
    EXPECT_EQ(scene.back->OwnBackBitmap()->Canvas()->Pixels(15, 15), Pattern_Color(5, 5));
    EXPECT_GT(scene.child->Changes, changes) << "the children hear that the background changed";
}

TEST(ParentPanel, RemovingItsListClearsTheReferenceAndTheBackground)
{
    Parent_Scene scene;
    delete scene.list;
    EXPECT_EQ(scene.back->ImageList(), nullptr);
    EXPECT_EQ(scene.back->OwnBackBitmap(), nullptr);
    EXPECT_FALSE(scene.back->CheckOptimized());
    EXPECT_TRUE(scene.back->GetEmpty());
    scene.back->SetColor(clLime);
    EXPECT_EQ(Shown(&scene.form).pixel(41, 31), Rgb_Of(clRed)) << "the child fills with its own colour";
    EXPECT_EQ(Shown(&scene.form).pixel(5, 5), Rgb_Of(clLime));
}

TEST(ParentPanel, ATransparentParentPanelKeepsNoBitmapOfItsOwn)
{
    Parent_Scene scene;
    scene.back->SetTransparent(true);
    scene.back->CreateBack(true);
    EXPECT_EQ(scene.back->OwnBackBitmap(), nullptr);
    EXPECT_FALSE(scene.back->BackBitmapCheck()) << "and a plain form offers nothing to pass on";
}
