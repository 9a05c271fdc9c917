#include "components/controls/SCLCustomBevelPanel.h"

#include "components/controls/SCLSimplePanel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/components/controls/Back_Test_Support.h"

using namespace back_test;

namespace {

TSCLSimplePanel* Raised_Panel(TWinControl* parent, int width)
{
    auto* panel = new TSCLSimplePanel(parent);
    panel->SetBounds(20, 20, 100, 80);
    panel->SetColor(clSilver);
    panel->Bevel()->SetBevelStyleOuter(bvRaised);
    panel->Bevel()->SetWidthOuter(static_cast<TSCLBevelWidth>(width));
    panel->Bevel()->SetColor(1, clYellow);
    panel->Bevel()->SetColor(2, clMaroon);
    panel->SetParent(parent);
    return panel;
}

} // namespace

TEST(BevelPanel, ChildrenAlignInsideTheBevelAndTheBevelIsPainted)
{
    Test_Form form;
    TSCLSimplePanel* panel = Raised_Panel(&form, 3);
    auto* child = new TSCLSimplePanel(panel);
    child->SetAlign(alClient);
    child->SetColor(clNavy);
    child->SetParent(panel);
    form.Show();
    EXPECT_EQ(panel->BevelExt(), 3);
    EXPECT_EQ(panel->DblBevelExt(), 6);
    EXPECT_TRUE(child->BoundsRect() == (RECT{3, 3, 97, 77}));
    EXPECT_TRUE(panel->BeveledRect() == (RECT{3, 3, 97, 77}));

    const QImage image = Shown(&form);
    EXPECT_EQ(image.pixel(20, 20), Rgb_Of(clYellow)) << "raised: light at the top left";
    EXPECT_EQ(image.pixel(119, 99), Rgb_Of(clMaroon)) << "shadow at the bottom right";
    EXPECT_EQ(image.pixel(23, 23), Rgb_Of(clNavy));

    panel->Bevel()->SetWidthOuter(1);
    EXPECT_TRUE(child->BoundsRect() == (RECT{1, 1, 99, 79})) << "a bevel change realigns";
}

TEST(BevelPanel, TheWindowsModeGivesTheWindowItsOwnBorder)
{
    Test_Form form;
    TSCLSimplePanel* panel = Raised_Panel(&form, 1);
    form.Show();
    EXPECT_EQ(panel->ClientWidth(), 100);
    panel->Bevel()->SetMode(bmWindows);
    EXPECT_EQ(panel->ClientWidth(), 96) << "the window is made anew with a sunken client edge";
    EXPECT_FALSE(panel->GetEmpty());

    panel->SetCtl3D(false);
    Pump();
    EXPECT_EQ(panel->ClientWidth(), 98) << "a single border without Ctl3D";

    panel->Bevel()->SetMode(bmCustom);
    EXPECT_EQ(panel->ClientWidth(), 100);
    panel->Bevel()->SetBevelStyleOuter(bvNone);
    EXPECT_TRUE(panel->GetEmpty());
}

TEST(BevelPanel, AFlatPanelShowsItsBevelOnlyWhileTheMouseIsOverIt)
{
    Test_Form form;
    TSCLSimplePanel* panel = Raised_Panel(&form, 2);
    panel->SetFlat(true);
    form.Show();
    EXPECT_EQ(Shown(&form).pixel(20, 20), Rgb_Of(clSilver)) << "flat: the frame strips show the background";

    panel->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_TRUE(panel->MouseAbove());
    EXPECT_EQ(Shown(&form).pixel(20, 20), Rgb_Of(clYellow));
    panel->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(panel->MouseAbove());
    EXPECT_EQ(Shown(&form).pixel(20, 20), Rgb_Of(clSilver));
}

TEST(BevelPanel, FocusChangesArePostedAsAfterEnterAndAfterExit)
{
    Test_Form form;
    TSCLSimplePanel* first = Raised_Panel(&form, 1);
    TSCLSimplePanel* second = Raised_Panel(&form, 1);
    std::vector<std::string> heard;
    first->OnAfterEnter = [&](TObject*) { heard.push_back("after enter"); };
    first->OnAfterExit = [&](TObject*) { heard.push_back("after exit"); };
    form.Show();
    Pump();
    first->SetFocus();
    EXPECT_TRUE(heard.empty()) << "posted, not sent";
    Pump();
    EXPECT_TRUE(first->Entered());
    second->SetFocus();
    Pump();
    EXPECT_EQ(heard, (std::vector<std::string>{"after enter", "after exit"}));
}
