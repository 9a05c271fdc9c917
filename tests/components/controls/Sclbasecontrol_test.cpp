#include "components/controls/Sclbasecontrol.h"

#include <gtest/gtest.h>

#include "tests/components/controls/Back_Test_Support.h"

using namespace back_test;

namespace {

struct List_Scene {
    Test_Form form;
    TSCLBitmapList* list = new TSCLBitmapList(&form);
    Back_Child* child = new Back_Child(&form, RECT{0, 0, 10, 10}, clRed);

    List_Scene()
    {
        list->Add();
        list->Items(0)->SetBitmap(Pattern_Bitmap(4, 4).get());
    }
};

} // namespace

TEST(ImageListLink, NegativeOrUnchangedIndexesAreIgnoredAndNothingRepaints)
{
    List_Scene scene;
    scene.child->SetImageList(scene.list);
    EXPECT_FALSE(scene.child->IMLEmpty());
    const int changes = scene.child->Changes;

    scene.child->SetIndex(0, -1);
    scene.child->SetIndex(1, -1);
    scene.child->SetIndex(0, 0);
    EXPECT_EQ(scene.child->ImageIndex(), 0);
    EXPECT_EQ(scene.child->ListIndex(), 0);
    EXPECT_EQ(scene.child->Changes, changes);

    scene.child->SetIndex(1, 3);
    EXPECT_EQ(scene.child->ListIndex(), 3);
    EXPECT_EQ(scene.child->Changes, changes + 1);
    EXPECT_TRUE(scene.child->IMLEmpty()) << "list 3 does not exist";

    scene.child->SetImageIndex(5);
    EXPECT_EQ(scene.child->ImageIndex(), 5);
    EXPECT_EQ(scene.child->Changes, changes + 1) << "the plain setter never repaints";
}

TEST(ImageListLink, WithoutAListAnIndexIsStoredWithoutRepainting)
{
    List_Scene scene;
    const int changes = scene.child->Changes;
    scene.child->SetIndex(0, 2);
    EXPECT_EQ(scene.child->ImageIndex(), 2);
    EXPECT_EQ(scene.child->Changes, changes);
    EXPECT_TRUE(scene.child->IMLEmpty());
}

TEST(ImageListLink, AListChangeOrRemovalRepaintsAndARemovedListIsForgotten)
{
    List_Scene scene;
    scene.child->SetImageList(scene.list);
    int changes = scene.child->Changes;
    scene.list->Items(0)->SetBitmap(Pattern_Bitmap(8, 8).get());
    scene.list->Change();
    EXPECT_GT(scene.child->Changes, changes) << "the link reports the list's change";

    changes = scene.child->Changes;
    delete scene.list;
    EXPECT_EQ(scene.child->ImageList(), nullptr);
    EXPECT_EQ(scene.child->Changes, changes + 1);
}

TEST(ImageListLink, OnlyAGlobalListIsStoredAsInternalAndOnlyAFormsListByReference)
{
    List_Scene scene;
    EXPECT_FALSE(scene.child->HasControl());
    scene.child->SetImageList(scene.list);
    EXPECT_TRUE(scene.child->HasControl());
    scene.child->SetImageList(SCLContainer->BitmapList());
    EXPECT_FALSE(scene.child->HasControl()) << "the global list goes into Internal";
    scene.child->SetImageList(nullptr);
}
