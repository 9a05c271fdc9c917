#include "components/controls/Sclregion.h"

#include <gtest/gtest.h>

#include "platform/classlib/StdCtrls.h"
#include "tests/components/controls/Back_Test_Support.h"

using namespace back_test;

namespace {

// A frameless 120 x 80 form at (30, 30) shaped as an ellipse.
struct Shaped_Form {
    Test_Form form;
    TSCLFormShape* shape;

    Shaped_Form()
    {
        form.SetBounds(30, 30, 120, 80);
        form.SetColor(clRed);
        shape = new TSCLFormShape(&form);
        shape->Region()->SetRegionShape(rsElliptic);
        shape->Loaded();
        form.Show();
        Pump();
    }

    bool Region_Holds(int x, int y)
    {
        HRGN copy = CreateRectRgn(0, 0, 0, 0);
        const bool holds = GetWindowRgn(form.Handle(), copy) != 0 && PtInRegion(copy, x, y);
        DeleteObject(copy);
        return holds;
    }
    RECT Region_Box()
    {
        HRGN copy = CreateRectRgn(0, 0, 0, 0);
        RECT box{};
        if (GetWindowRgn(form.Handle(), copy) != 0)
            GetRgnBox(copy, &box);
        DeleteObject(copy);
        return box;
    }
    LRESULT Hit(int x, int y) { return SendMessageA(form.Handle(), WM_NCHITTEST, 0, MAKELPARAM(30 + x, 30 + y)); }
};

} // namespace

TEST(FormShape, TheFormsWindowRegionIsTheEllipse)
{
    Shaped_Form f;
    EXPECT_TRUE(f.Region_Box() == (RECT{-1, -1, 121, 81})) << "the ellipse one pixel beyond the window";
    EXPECT_TRUE(f.Region_Holds(60, 40));
    EXPECT_FALSE(f.Region_Holds(1, 1));
    EXPECT_FALSE(f.Region_Holds(118, 78));

    f.form.SetBounds(30, 30, 60, 40);
    Pump();
    EXPECT_TRUE(f.Region_Box() == (RECT{-1, -1, 61, 41})) << "the region follows the size";
}

TEST(FormShape, TheClientAreaDragsTheFormExceptOverControls)
{
    Shaped_Form f;
    auto* label = new Back_Child(&f.form, RECT{10, 30, 50, 50}, clWhite);
    EXPECT_EQ(f.Hit(60, 40), HTCAPTION);
    EXPECT_EQ(f.form.ControlAtPos(POINT{20, 35}, false, false), label);
    EXPECT_TRUE(f.form.ScreenToClient(POINT{50, 65}) == (POINT{20, 35}));
    EXPECT_EQ(f.Hit(20, 35), HTCLIENT) << "over a label";

    SendMessageA(f.form.Handle(), WM_NCRBUTTONDOWN, HTCAPTION, 0);
    EXPECT_EQ(f.Hit(60, 40), HTCLIENT) << "while the right button is down";
    SendMessageA(f.form.Handle(), WM_NCRBUTTONUP, HTCAPTION, 0);
    EXPECT_EQ(f.Hit(60, 40), HTCAPTION);

    f.shape->SetBoolean(1, false);
    EXPECT_EQ(f.Hit(60, 40), HTCLIENT);
}

TEST(FormShape, AMaximisedFormShowsItsWholeWindow)
{
    Shaped_Form f;
    f.form.SetWindowState(wsMaximized);
    Pump();
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(f.form.Handle(), copy), 0) << "no region while maximised";
    f.form.SetWindowState(wsNormal);
    Pump();
    EXPECT_NE(GetWindowRgn(f.form.Handle(), copy), 0);
    DeleteObject(copy);
}

TEST(FormShape, ACaptionStripIsCutAwayUnlessShown)
{
    Shaped_Form f;
    f.shape->Region()->SetRegionShape(rsRect);
    f.form.SetBorderStyle(bsSingle);
    Pump();
    f.shape->ReRegion();
    const int caption = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYDLGFRAME);
    EXPECT_EQ(f.Region_Box().top, 0) << "the caption shows";
    f.shape->SetBoolean(0, false);
    EXPECT_EQ(f.Region_Box().top, caption);
}

TEST(FormShape, TheFillIsTheBackgroundOfTransparentChildren)
{
    Shaped_Form f;
    EXPECT_FALSE(f.shape->BackBitmapCheck()) << "no fill, no bitmap shape";
    EXPECT_EQ(SCLFormBackProvider(&f.form), f.shape);
    f.shape->FillObject()->SetFillStyle(sfBrush);
    f.shape->FillObject()->Brush()->SetColor(clNavy);
    f.form.Invalidate();
    const QImage image = Shown(&f.form);
    EXPECT_EQ(image.pixel(60, 40), Rgb_Of(clNavy));
    ASSERT_TRUE(f.shape->BackBitmapCheck());

    TBitmap target;
    target.SetSize(4, 4);
    EXPECT_TRUE(f.shape->BackDrawArea(target.Canvas(), RECT{0, 0, 4, 4}, POINT{50, 30}, 0));
    EXPECT_EQ(target.Canvas()->Pixels(1, 1), clNavy);
}
