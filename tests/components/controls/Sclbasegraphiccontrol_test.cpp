#include "components/controls/Sclbasegraphiccontrol.h"

#include "components/controls/SCLBackPanel.h"
#include "components/controls/SCLSimplePanel.h"
#include "components/foundations/Sclgraph.h"

#include <gtest/gtest.h>

#include "tests/components/controls/Back_Test_Support.h"

using namespace back_test;

namespace {

enum class Parent_Kind { Back_Panel, Transparent_Panel, Opaque_Panel, Plain_Form, Shaped_Form, No_Window };

const char* Name_Of(Parent_Kind kind)
{
    switch (kind) {
    case Parent_Kind::Back_Panel: return "back panel with a picture";
    case Parent_Kind::Transparent_Panel: return "transparent panel on a back panel";
    case Parent_Kind::Opaque_Panel: return "opaque panel on a back panel";
    case Parent_Kind::Plain_Form: return "plain form";
    case Parent_Kind::Shaped_Form: return "form with a shape";
    case Parent_Kind::No_Window: return "back panel without a window yet";
    }
    return "";
}

// The parent of the given kind on `form`, with the form shown unless the
// kind wants no window.
TWinControl* Make_Parent(Test_Form& form, Parent_Kind kind)
{
    auto* list = new TSCLBitmapList(&form);
    list->Add();
    list->Items(0)->SetBitmap(Pattern_Bitmap(100, 100).get());
    auto* back = new TSCLBackPanel(&form);
    back->SetBounds(0, 0, 200, 150);
    back->SetImageList(list);
    TWinControl* parent = back;
    if (kind == Parent_Kind::Transparent_Panel || kind == Parent_Kind::Opaque_Panel) {
        auto* panel = new TSCLSimplePanel(&form);
        panel->SetBounds(10, 10, 100, 100);
        panel->SetTransparent(kind == Parent_Kind::Transparent_Panel);
        panel->SetParent(back);
        parent = panel;
    } else if (kind == Parent_Kind::Plain_Form || kind == Parent_Kind::Shaped_Form) {
        parent = &form;
        if (kind == Parent_Kind::Shaped_Form)
            new Fake_Shape(&form, 240, 180);
    }
    if (kind != Parent_Kind::No_Window) {
        back->SetParent(&form);
        form.Show();
    }
    return parent;
}

} // namespace

TEST(GraphicRoot, CheckOptimizedAsksTheParentOnlyWhenTransparent)
{
    struct Case {
        Parent_Kind kind;
        bool transparent;
        bool optimized;
    };
    const Case cases[] = {
        {Parent_Kind::Back_Panel, true, true},          {Parent_Kind::Back_Panel, false, false},
        {Parent_Kind::Transparent_Panel, true, true},   {Parent_Kind::Transparent_Panel, false, false},
        {Parent_Kind::Opaque_Panel, true, false},       {Parent_Kind::Plain_Form, true, false},
        {Parent_Kind::Shaped_Form, true, true},         {Parent_Kind::Shaped_Form, false, false},
        {Parent_Kind::No_Window, true, false},
    };
    for (const Case& c : cases) {
        Test_Form form;
        TWinControl* parent = Make_Parent(form, c.kind);
        auto* child = new Back_Child(parent, RECT{1, 1, 11, 11}, clRed);
        child->SetTransparent(c.transparent);
        EXPECT_EQ(child->CheckOptimized(), c.optimized) << Name_Of(c.kind) << ", transparent " << c.transparent;
    }
}

TEST(GraphicRoot, AnOpaqueControlPaintsAtOnceATransparentOneThroughItsParent)
{
    Test_Form form;
    auto* child = new Back_Child(&form, RECT{10, 10, 40, 40}, clRed);
    EXPECT_TRUE(child->Transparent()) << "the constructor's default";
    form.Show();
    Pump();

    child->SetTransparent(false);
    EXPECT_TRUE(child->ControlStyle().Contains(csOpaque));
    const int painted = child->Paints;
    child->GetChange(nullptr);
    EXPECT_EQ(child->Paints, painted + 1) << "a change of an opaque control paints at once";

    child->SetTransparent(true);
    EXPECT_FALSE(child->ControlStyle().Contains(csOpaque));
    const int before = child->Paints;
    child->GetChange(nullptr);
    EXPECT_EQ(child->Paints, before) << "a transparent control waits for its parent's painting";
    Pump();
    EXPECT_GT(child->Paints, before);

    child->DisableTransMode();
    EXPECT_FALSE(child->Transparent());
    EXPECT_TRUE(child->ControlStyle().Contains(csOpaque));
}

TEST(GraphicRoot, TheParentsBackgroundMessageRepaintsOnlyAnOptimizedControl)
{
    Test_Form form;
    TWinControl* parent = Make_Parent(form, Parent_Kind::Back_Panel);
    auto* child = new Back_Child(parent, RECT{1, 1, 11, 11}, clRed);
    child->Perform(CM_SCLPARENTBACKCHANGED, 0, 0);
    EXPECT_EQ(child->Changes, 1);
    child->SetTransparent(false);
    const int changes = child->Changes;
    child->Perform(CM_SCLPARENTBACKCHANGED, 0, 0);
    EXPECT_EQ(child->Changes, changes) << "an opaque control has no background to renew";
}
