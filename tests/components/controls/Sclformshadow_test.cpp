#include "components/controls/Sclformshadow.h"

#include <gtest/gtest.h>

#include <memory>

#include "components/foundations/Sclclass.h"
#include "tests/components/controls/Back_Test_Support.h"

using namespace back_test;

namespace {

RECT Rect_Of(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

// A 100 x 80 frameless form at (30, 30) with a shadow of depth 6.
struct Shadowed_Form {
    Test_Form form;
    TSCLFormShadow* shadow;

    Shadowed_Form()
    {
        form.SetBounds(30, 30, 100, 80);
        shadow = new TSCLFormShadow(&form);
        form.HandleNeeded();
        shadow->Loaded();
        form.Show();
        Pump();
    }
};

} // namespace

TEST(FormShadow, TheShadowFollowsAMovedForm)
{
    Shadowed_Form f;
    ASSERT_NE(f.shadow->RightWindow(), nullptr);
    EXPECT_TRUE(Rect_Of(f.shadow->RightWindow()) == (RECT{130, 36, 136, 110}));
    EXPECT_TRUE(Rect_Of(f.shadow->BottomWindow()) == (RECT{36, 110, 136, 116}));
    EXPECT_TRUE(IsWindowVisible(f.shadow->RightWindow()));

    f.form.SetBounds(50, 40, 120, 60);
    Pump();
    EXPECT_TRUE(Rect_Of(f.shadow->RightWindow()) == (RECT{170, 46, 176, 100}));
    EXPECT_TRUE(Rect_Of(f.shadow->BottomWindow()) == (RECT{56, 100, 176, 106}));
    EXPECT_TRUE(IsWindowVisible(f.shadow->BottomWindow()));

    f.form.Hide();
    Pump();
    EXPECT_FALSE(IsWindowVisible(f.shadow->RightWindow())) << "a hidden form has no shadow";
}

TEST(FormShadow, AnInactiveFormKeepsItsShadowWhenAskedTo)
{
    Shadowed_Form f;
    EXPECT_FALSE(f.shadow->IsNoShadow());
    f.shadow->ShowInActive = false;
    EXPECT_EQ(f.shadow->IsNoShadow(), !f.form.Active());
    f.shadow->ShowInActive = true;
    f.shadow->MoveShadow();
    EXPECT_TRUE(IsWindowVisible(f.shadow->RightWindow()));
}

// Deactivation hides the shadow unless it is to be kept while inactive;
// then it is left as it is, so that a hidden form's shadow stays hidden.
TEST(FormShadow, DeactivationHidesTheShadowOrLeavesItAsItIs)
{
    struct Case {
        bool show_in_active;
        bool form_shown;
        bool shadow_shown_after;
    };
    const Case cases[] = {
        {true, true, true},
        {true, false, false},
        {false, true, false},
        {false, false, false},
    };
    for (const Case& c : cases) {
        Shadowed_Form f;
        f.shadow->ShowInActive = c.show_in_active;
        if (!c.form_shown) {
            f.form.Hide();
            Pump();
        }
        ASSERT_EQ(IsWindowVisible(f.shadow->RightWindow()) != FALSE, c.form_shown);
        SendMessageA(f.form.Handle(), WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
        EXPECT_EQ(IsWindowVisible(f.shadow->RightWindow()) != FALSE, c.shadow_shown_after)
            << "ShowInActive " << c.show_in_active << ", form shown " << c.form_shown;
        EXPECT_EQ(IsWindowVisible(f.shadow->BottomWindow()) != FALSE, c.shadow_shown_after);
    }
}

TEST(FormShadow, NoWindowsWithoutDepthOrStyleAndOneClassForEveryForm)
{
    Shadowed_Form first;
    Shadowed_Form second;
    EXPECT_NE(second.shadow->RightWindow(), nullptr) << "the class registered by the first serves the second";
    second.shadow->Shadow()->SetDepth(0);
    EXPECT_EQ(second.shadow->RightWindow(), nullptr);
    first.shadow->Shadow()->SetStyle(hssNone);
    EXPECT_EQ(first.shadow->RightWindow(), nullptr);
    first.shadow->Shadow()->SetStyle(hssSolid);
    EXPECT_NE(first.shadow->RightWindow(), nullptr);
}

TEST(FormShadow, OneShadowPerTopLevelForm)
{
    Shadowed_Form f;
    EXPECT_THROW(new TSCLFormShadow(&f.form), SCLEOneInstError);
    Test_Form host;
    auto* child = new TForm(&host);
    child->SetParent(&host);
    EXPECT_THROW(new TSCLFormShadow(child), SCLEOneInstError);
}

TEST(FormShadow, TheWindowClassGoesWithTheLastShadow)
{
    WNDCLASSA found{};
    auto first = std::make_unique<Shadowed_Form>();
    auto second = std::make_unique<Shadowed_Form>();
    ASSERT_TRUE(GetClassInfoA(nullptr, "ShadowClass", &found));
    first.reset();
    EXPECT_TRUE(GetClassInfoA(nullptr, "ShadowClass", &found)) << "the second form's shadow still uses it";
    second->shadow->SetEnabled(false);
    EXPECT_FALSE(GetClassInfoA(nullptr, "ShadowClass", &found)) << "switched off: windows and class gone";
    second->shadow->SetEnabled(true);
    EXPECT_TRUE(GetClassInfoA(nullptr, "ShadowClass", &found));
    second.reset();
    EXPECT_FALSE(GetClassInfoA(nullptr, "ShadowClass", &found));
}
