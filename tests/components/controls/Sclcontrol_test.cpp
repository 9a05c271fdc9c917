#include "components/controls/Sclcontrol.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/components/controls/Back_Test_Support.h"

using namespace back_test;

TEST(ControlRoot, BoundsChangesReportWhetherTheControlMovedOrResized)
{
    struct Case {
        const char* name;
        RECT bounds;
        bool fires;
        TSCLBoundsChangeStates state;
    };
    const Case cases[] = {
        {"unchanged", RECT{10, 20, 40, 50}, false, {}},
        {"moved", RECT{11, 20, 41, 50}, true, {bcPos}},
        {"resized", RECT{10, 20, 45, 50}, true, {bcSize}},
        {"moved and resized", RECT{0, 0, 5, 5}, true, {bcSize, bcPos}},
    };
    for (const Case& c : cases) {
        TSCLControl control(nullptr);
        control.SetBounds(10, 20, 30, 30);
        std::vector<TSCLBoundsChangeStates> heard;
        control.OnBoundsChange = [&](TObject* Sender, TSCLBoundsChangeStates State) {
            EXPECT_EQ(Sender, &control);
            heard.push_back(State);
        };
        control.SetBoundsRect(c.bounds);
        ASSERT_EQ(heard.size(), c.fires ? 1u : 0u) << c.name;
        if (c.fires) {
            EXPECT_TRUE(heard[0] == c.state) << c.name;
        }
    }
}

TEST(ControlRoot, NoBoundsChangeWhileLoading)
{
    TSCLControl control(nullptr);
    int heard = 0;
    control.OnBoundsChange = [&](TObject*, TSCLBoundsChangeStates) { ++heard; };
    control.SetLoading(true);
    control.SetBounds(1, 2, 3, 4);
    EXPECT_EQ(heard, 0);
    control.Loaded();
    control.SetBounds(1, 2, 3, 5);
    EXPECT_EQ(heard, 1);
}

TEST(ControlRoot, MouseEnterAndExitFireOnlyWhileEnabled)
{
    Test_Form form;
    auto* control = new TSCLControl(&form);
    control->SetParent(&form);
    std::vector<std::string> heard;
    control->OnMouseEnter = [&](TObject*) { heard.push_back("enter"); };
    control->OnMouseExit = [&](TObject*) { heard.push_back("exit"); };
    control->Perform(CM_MOUSEENTER, 0, 0);
    control->Perform(CM_MOUSELEAVE, 0, 0);
    control->SetEnabled(false);
    control->Perform(CM_MOUSEENTER, 0, 0);
    control->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(heard, (std::vector<std::string>{"enter", "exit"}));
}
