// Library controls bound to actions: what each of them takes from its action.

#include <gtest/gtest.h>

#include "Back_Test_Support.h"
#include "components/controls/SCLSimpleLabel.h"
#include "components/controls/SCLSpeedButton.h"
#include "platform/classlib/ActnList.h"

using namespace back_test;

namespace {

struct Fixture {
    Test_Form form;
    TImageList images{nullptr};
    TActionList list{nullptr};
    TAction action{nullptr};

    Fixture()
    {
        images.SetWidth(8);
        images.SetHeight(8);
        TBitmap picture;
        picture.SetSize(8, 8);
        images.Add(&picture, nullptr);
        list.SetImages(&images);
        action.SetActionList(&list);
        action.SetCaption("Record");
        action.SetImageIndex(0);
    }
};

} // namespace

TEST(ActionControls, ASpeedButtonWithAStockGlyphKeepsIt)
{
    Fixture fixture;
    auto* custom = new TSCLSpeedButton(&fixture.form);
    auto* stock = new TSCLSpeedButton(&fixture.form);
    stock->SetGlyphKind(gkFolder);
    custom->SetAction(&fixture.action);
    stock->SetAction(&fixture.action);
    EXPECT_EQ(custom->Glyph()->Width(), 8) << "a custom glyph is the action's image";
    EXPECT_EQ(stock->Glyph()->Width(), 13) << "the stock glyph stays";
    EXPECT_EQ(stock->Caption(), "Record") << "the rest still follows the action";
    fixture.action.SetImageIndex(-1);
    EXPECT_TRUE(custom->Glyph()->Empty());
    EXPECT_EQ(stock->Glyph()->Width(), 13);
    custom->SetAction(nullptr);
    stock->SetAction(nullptr);
}

TEST(ActionControls, ASimpleLabelFollowsItsActionOnlyAsACustomJump)
{
    Fixture fixture;
    int runs = 0;
    fixture.action.OnExecute = [&](TObject*) { ++runs; };
    auto* label = new TSCLSimpleLabel(&fixture.form);
    label->SetParent(&fixture.form);
    label->SetCaption("Mine");
    label->SetAction(&fixture.action);
    EXPECT_EQ(label->Caption(), "Mine");
    EXPECT_FALSE(label->OnClick) << "no jump mode: no action link update";

    label->SetJumpMode(jmCustom);
    fixture.action.SetHint("Records");
    EXPECT_EQ(label->Caption(), "Record");
    EXPECT_EQ(label->Hint(), "Records");
    ASSERT_TRUE(label->OnClick);
    label->Execute();
    EXPECT_EQ(runs, 1);

    label->SetJumpMode(jmNone);
    fixture.action.SetCaption("Stop");
    EXPECT_EQ(label->Caption(), "Record");
    label->SetAction(nullptr);
}
