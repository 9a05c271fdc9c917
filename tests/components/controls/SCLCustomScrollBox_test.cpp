// The transparent scroll box serving its background to transparent
// children while scrolled.

#include <gtest/gtest.h>

#include "Back_Test_Support.h"
#include "components/controls/SCLCustomScrollBox.h"
#include "components/controls/SCLOfficeButton.h"
#include "components/controls/Sclbasegraphicbutton.h"

using namespace back_test;

namespace {

// A transparent graphic button painting only what the box offers under it.
class Back_Button : public TSCLBaseGraphicButton {
public:
    Back_Button(TWinControl* parent, RECT bounds) : TSCLBaseGraphicButton(parent)
    {
        SetBoundsRect(bounds);
        SetColor(clRed);
        SetParent(parent);
        SetTransparent(true);
    }
    int Changes = 0;
    void GetChange(TObject* Sender) override
    {
        ++Changes;
        TSCLBaseGraphicButton::GetChange(Sender);
    }

protected:
    void Paint() override
    {
        if (CheckOptimized() && BackDrawArea(Canvas(), ClientRect(), POINT{Left(), Top()}, 0))
            return;
        FillControl();
    }
};

struct Scrolled_Box {
    Test_Form form;
    Fake_Shape* shape = new Fake_Shape(&form, 240, 180);
    TSCLCustomScrollBox* box = new TSCLCustomScrollBox(&form);
    Back_Button* child = nullptr;

    Scrolled_Box()
    {
        box->SetBounds(10, 10, 150, 100);
        box->SetParent(&form);
        box->SetTransparent(true);
        child = new Back_Button(box, RECT{20, 60, 50, 90});
        new Back_Button(box, RECT{20, 250, 50, 280}); // gives the box something to scroll to
        form.Show();
        Pump();
    }
    POINT Client_Origin() { return form.ScreenToClient(box->ClientOrigin()); }
    void Scroll_To(int y)
    {
        box->Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, y), 0);
        box->Perform(WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
    }
};

} // namespace

TEST(ScrollBox, ATransparentChildKeepsItsBackgroundWhenTheBoxScrolls)
{
    Scrolled_Box fixture;
    ASSERT_TRUE(fixture.box->BackBitmapCheck());
    const POINT origin = fixture.Client_Origin();
    QImage shown = Shown(&fixture.form);
    const QRgb before = shown.pixel(origin.x + 25, origin.y + 65);
    EXPECT_EQ(before, Rgb_Of(Pattern_Color(origin.x + 25, origin.y + 65)));

    const int changes = fixture.child->Changes;
    fixture.Scroll_To(30);
    ASSERT_EQ(fixture.box->VertScrollBar()->Position(), 30);
    EXPECT_EQ(fixture.child->Top(), 30);
    EXPECT_GT(fixture.child->Changes, changes) << "the child is told that its background moved";
    shown = Shown(&fixture.form);
    EXPECT_EQ(shown.pixel(origin.x + 25, origin.y + 35), before) << "the background moves with the child";
    EXPECT_EQ(fixture.box->BackMapPoint(POINT{0, 0}).y, origin.y + 30);
}

TEST(ScrollBox, OpaqueBoxesOfferNothingAndDeltaZeroIsIgnored)
{
    Scrolled_Box fixture;
    fixture.box->SetTransparent(false);
    EXPECT_FALSE(fixture.box->BackBitmapCheck());
    EXPECT_EQ(fixture.box->BackBitmap(), nullptr);
    fixture.box->SetDelta(0);
    EXPECT_EQ(fixture.box->Delta(), 1);
    fixture.box->SetDelta(3);
    EXPECT_EQ(fixture.box->Delta(), 3);
    EXPECT_EQ(fixture.box->Bevel()->Mode(), bmWindows);
}

TEST(ScrollBox, WithADeltaTheChildrenHearOfEveryThirdScrollMessage)
{
    Scrolled_Box fixture;
    fixture.box->SetDelta(3);
    const int changes = fixture.child->Changes;
    for (int i = 1; i <= 6; ++i)
        fixture.box->Perform(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(fixture.child->Changes - changes, 2);
}

TEST(OfficeButton, ATransparentOfficeButtonOnTheBoxDrawsTheBoxBackground)
{
    Scrolled_Box fixture;
    auto* office = new TSCLOfficeButton(fixture.box);
    office->SetBounds(80, 10, 23, 22);
    office->SetParent(fixture.box);
    office->SetStyle(ubsExplorer);
    EXPECT_TRUE(office->CheckOptimized());
}
