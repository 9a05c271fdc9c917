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

namespace {

struct Framed_Box {
    Test_Form form;
    TSCLCustomScrollBox* box = new TSCLCustomScrollBox(&form);

    Framed_Box()
    {
        box->SetBounds(10, 10, 120, 90);
        box->SetColor(clYellow);
        box->SetParent(&form);
        form.Show();
        Pump();
    }
    DWORD Style() { return static_cast<DWORD>(GetWindowLongA(box->Handle(), GWL_STYLE)); }
    DWORD Ex_Style() { return static_cast<DWORD>(GetWindowLongA(box->Handle(), GWL_EXSTYLE)); }
};

} // namespace

TEST(ScrollBoxFrame, WindowsModeTakesTheSystemEdgeAndACtl3DChangeRemakesTheWindow)
{
    Framed_Box fixture;
    EXPECT_TRUE(fixture.Ex_Style() & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(fixture.Style() & WS_BORDER);
    fixture.box->SetCtl3D(false);
    EXPECT_FALSE(fixture.Ex_Style() & WS_EX_CLIENTEDGE) << "the window was made anew";
    EXPECT_TRUE(fixture.Style() & WS_BORDER);
    EXPECT_EQ(fixture.box->ClientWidth(), 120 - 2);
}

TEST(ScrollBoxFrame, OtherModesPaintTheBevelInTheNonClientArea)
{
    Framed_Box fixture;
    TSCLBevel* bevel = fixture.box->Bevel();
    bevel->SetMode(bmCustom);
    bevel->SetBevelStyleOuter(bvRaised);
    bevel->SetWidthOuter(3);
    ASSERT_EQ(bevel->BevelExtent(), 3);
    EXPECT_FALSE(fixture.Ex_Style() & WS_EX_CLIENTEDGE);
    EXPECT_EQ(fixture.box->ClientWidth(), 120 - 6) << "the client area lies inside the bevel";
    EXPECT_EQ(fixture.box->ClientOrigin().x - fixture.form.ClientOrigin().x, 10 + 3);
    const QImage shown = Shown(&fixture.form);
    EXPECT_EQ(shown.pixel(10, 10), Rgb_Of(clBtnHighlight)) << "raised: light at the top left";
    EXPECT_EQ(shown.pixel(10 + 119, 10 + 89), Rgb_Of(clBtnShadow));
    EXPECT_EQ(shown.pixel(10 + 3, 10 + 3), Rgb_Of(clYellow));

    bevel->SetWidthOuter(1);
    EXPECT_EQ(fixture.box->ClientWidth(), 120 - 2) << "a bevel change recomputes the frame";
}

TEST(ScrollBoxFrame, TheSquareBetweenTwoScrollBarsShowsTheBackground)
{
    Scrolled_Box fixture;
    new Back_Button(fixture.box, RECT{300, 20, 310, 30}); // far right: a horizontal bar too
    Pump();
    ASSERT_TRUE(fixture.box->ScrollBarsVisible());
    RECT window_client{};
    GetClientRect(fixture.box->Handle(), &window_client);
    ASSERT_LT(fixture.box->ClientRect().right, window_client.right);
    const POINT origin = fixture.Client_Origin();
    const int x = origin.x + window_client.right - 2;
    const int y = origin.y + window_client.bottom - 2;
    EXPECT_EQ(Shown(&fixture.form).pixel(x, y), Rgb_Of(Pattern_Color(x, y)));
    fixture.Scroll_To(30);
    EXPECT_EQ(Shown(&fixture.form).pixel(x, y), Rgb_Of(Pattern_Color(x, y))) << "the square does not scroll";
}

namespace {

// The colours an erase of the box leaves in a white bitmap of its size.
TColor Erased_Pixel(TSCLCustomScrollBox* box, int x, int y)
{
    TBitmap target;
    target.SetWidth(box->ClientWidth());
    target.SetHeight(box->ClientHeight());
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect(RECT{0, 0, target.Width(), target.Height()});
    const LRESULT answer = box->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(target.Canvas()->Handle()), 0);
    EXPECT_EQ(answer, 1);
    return target.Canvas()->Pixels(x, y);
}

} // namespace

TEST(ScrollBox, ErasingABoxWithAtMostOneChildPaintsItsBackgroundAtOnce)
{
    Test_Form form;
    new Fake_Shape(&form, 240, 180);
    auto* box = new TSCLCustomScrollBox(&form);
    box->SetBounds(10, 10, 150, 100);
    box->SetParent(&form);
    box->SetTransparent(true);
    form.Show();
    Pump();
    ASSERT_TRUE(box->BackBitmapCheck());
    const POINT origin = form.ScreenToClient(box->ClientOrigin());
    EXPECT_EQ(Erased_Pixel(box, 5, 7), Pattern_Color(origin.x + 5, origin.y + 7)) << "no child";
    new Back_Button(box, RECT{20, 20, 50, 50});
    EXPECT_EQ(Erased_Pixel(box, 5, 7), Pattern_Color(origin.x + 5, origin.y + 7)) << "one child";
    new Back_Button(box, RECT{60, 20, 90, 50});
    EXPECT_EQ(Erased_Pixel(box, 5, 7), clWhite) << "the paint that follows draws it";
}
