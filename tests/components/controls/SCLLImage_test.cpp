// The image control: a frame of a strip drawn on its own transparent
// colour over a back panel's picture, straight or composed off-screen
// (SilentMove), autosizing, and an item that does not exist.

#include <gtest/gtest.h>

#include "Back_Test_Support.h"
#include "Strip_Test_Support.h"
#include "components/controls/SCLBackPanel.h"
#include "components/controls/SCLLImage.h"

using namespace back_test;
using namespace strip_test;

namespace {

// A back panel showing the pattern over the whole white form, and an image
// of frame 2 of a three-frame strip at (20, 30) on it.
struct Image_On_Back_Panel {
    Test_Form form;
    std::unique_ptr<TSCLBitmapList> pictures = std::make_unique<TSCLBitmapList>(nullptr);
    std::unique_ptr<TSCLImageList> strip = Strip_List(3);
    TSCLBackPanel* panel = new TSCLBackPanel(&form);
    TSCLLImage* image = new TSCLLImage(&form);

    Image_On_Back_Panel()
    {
        pictures->Items(pictures->Add())->SetBitmap(Pattern_Bitmap(240, 180).get());
        panel->SetBounds(0, 0, 240, 180);
        panel->SetImageList(pictures.get());
        panel->SetParent(&form);
        image->SetBounds(20, 30, Side, Side);
        image->SetImageList(strip.get());
        image->SetIndexedImageIndex(2);
        image->SetParent(panel);
        form.Show();
    }
    ~Image_On_Back_Panel()
    {
        image->SetImageList(nullptr);
        panel->SetImageList(nullptr);
    }
};

void Expect_Frame_Over_Pattern(const QImage& shown, int left, int top, TColor frame)
{
    for (int y = 0; y < Side; ++y)
        for (int x = 0; x < Side; ++x) {
            const QRgb wanted = In_Block(x, y) ? Rgb_Of(frame) : Rgb_Of(Pattern_Color(left + x, top + y));
            ASSERT_EQ(shown.pixel(left + x, top + y), wanted) << x << "," << y;
        }
}

} // namespace

TEST(ListImage, AForcedTransparentFrameShowsTheBackPanelWhereItHasItsKeyColour)
{
    for (bool silent_move : {false, true}) {
        Image_On_Back_Panel fixture;
        fixture.image->SetForceTransparent(true);
        fixture.image->SetSilentMove(silent_move);
        EXPECT_EQ(fixture.image->CheckOptimized(), true) << "the back panel offers its picture";
        Expect_Frame_Over_Pattern(Shown(&fixture.form), 20, 30, clBlue);

        fixture.image->SetBounds(60, 70, Side, Side);
        Expect_Frame_Over_Pattern(Shown(&fixture.form), 60, 70, clBlue);
        EXPECT_EQ(Shown(&fixture.form).pixel(22, 32), Rgb_Of(Pattern_Color(22, 32))) << "the old place is clean";
    }
}

TEST(ListImage, WithoutForceTransparentAnUnmaskedFrameIsDrawnWhole)
{
    Image_On_Back_Panel fixture;
    const QImage shown = Shown(&fixture.form);
    EXPECT_EQ(shown.pixel(20, 30), Rgb_Of(Key));
    EXPECT_EQ(shown.pixel(23, 33), Rgb_Of(clBlue));
}

TEST(ListImage, AutosizeTakesTheImageSizePlusTheBevel)
{
    Image_On_Back_Panel fixture;
    fixture.image->Bevel()->SetBevelStyleOuter(bvRaised);
    fixture.image->Bevel()->SetWidthOuter(2);
    ASSERT_EQ(fixture.image->BevelExt(), 2);
    fixture.image->SetStyle(sbAutosize);
    EXPECT_TRUE(fixture.image->CorrectBounds());
    EXPECT_EQ(fixture.image->Width(), Side + 4);
    EXPECT_EQ(fixture.image->Height(), Side + 4);
    EXPECT_FALSE(fixture.image->CorrectBounds()) << "already at its size";

    fixture.image->SetIndexedImageIndex(7);
    EXPECT_TRUE(fixture.image->GetEmpty());
    EXPECT_TRUE(fixture.image->CorrectBounds());
    EXPECT_EQ(fixture.image->Width(), 24) << "an empty image is 20 square inside its bevel";
}

TEST(ListImage, AnItemThatDoesNotExistPaintsOnlyBevelAndOpaqueBackground)
{
    Image_On_Back_Panel fixture;
    fixture.image->SetIndexedImageIndex(9);
    fixture.image->SetTransparent(false);
    fixture.image->SetColor(clGreen);
    const QImage shown = Shown(&fixture.form);
    EXPECT_EQ(shown.pixel(23, 33), Rgb_Of(clGreen));
    EXPECT_EQ(shown.pixel(20, 30), Rgb_Of(clGreen));
}
