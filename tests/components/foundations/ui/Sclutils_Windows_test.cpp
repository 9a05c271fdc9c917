// Placing forms and windows on the screen, and the explode animation.

#include "components/foundations/Sclutils.h"
#include "components/foundations/Sclutils_Internal.h"
#include "tests/support/Pixel_Map.h"

#include "platform/winapi/Kernel.h"
#include "platform/winapi/System_Metrics.h"
#include "platform/winapi/Window.h"

#include <gtest/gtest.h>

namespace {

RECT Window_Rect(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

int Screen_Width() { return GetSystemMetrics(SM_CXSCREEN); }
int Screen_Height() { return GetSystemMetrics(SM_CYSCREEN); }

TEST(Sclutils_Windows, IsChildFollowsTheParentChain)
{
    TForm form(nullptr);
    TWinControl panel(nullptr);
    panel.SetParent(&form);
    EXPECT_TRUE(SCLIsChild(&panel, &form));
    EXPECT_TRUE(SCLIsChild(&form, &form));
    EXPECT_FALSE(SCLIsChild(&form, &panel));
    EXPECT_FALSE(SCLIsChild(nullptr, &form));
    panel.SetParent(nullptr);
}

TEST(Sclutils_Windows, CenterChildCentresAndKeepsOnTheScreen)
{
    TForm parent(nullptr);
    TForm child(nullptr);
    child.SetPosition(poScreenCenter);
    parent.SetBounds(100, 100, 400, 300);
    child.SetBounds(0, 0, 100, 50);
    EXPECT_EQ(SCLCenterChild(&parent, &child, false), 0);
    EXPECT_EQ(child.Position(), poDesigned);
    EXPECT_EQ(child.Left(), 250);
    EXPECT_EQ(child.Top(), 225);

    parent.SetBounds(Screen_Width() - 50, -200, 400, 300);
    SCLCenterChild(&parent, &child, false);
    EXPECT_EQ(child.Left(), Screen_Width() - 100);
    EXPECT_EQ(child.Top(), 0);
    EXPECT_EQ(SCLCenterChild(nullptr, &child, true), 0);
}

TEST(Sclutils_Windows, CenterFormUsesTheScreen)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    SCLCenterForm(&form);
    EXPECT_EQ(form.Left(), (Screen_Width() - 200) / 2);
    EXPECT_EQ(form.Top(), (Screen_Height() - 100) / 2);
}

TEST(Sclutils_Windows, PositionWindowPlacesByCellAndStaysOnTheScreen)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 60, 40);
    const HWND window = form.Handle();
    const RECT size = Window_Rect(window);
    const int w = size.right - size.left;
    const int h = size.bottom - size.top;
    const RECT target{100, 100, 400, 300};
    const struct {
        TSCLDlgPosition position;
        POINT at;
    } cases[] = {{bpCustom, {100, 100}},
                 {bpTopRight, {400 - w, 100}},
                 {bpCenter, {100 + (300 - w) / 2, 100 + (200 - h) / 2}},
                 {bpBottomLeft, {100, 300 - h}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        SCLPositionWindow(window, target, c.position, false);
        const RECT r = Window_Rect(window);
        EXPECT_EQ(r.left, c.at.x);
        EXPECT_EQ(r.top, c.at.y);
        EXPECT_EQ(r.right - r.left, w);
    }
    SCLPositionWindow(window, RECT{-500, -500, -400, -400}, bpTopLeft, false);
    EXPECT_EQ(Window_Rect(window).left, 0);
    EXPECT_EQ(Window_Rect(window).top, 0);
}

TEST(Sclutils_Windows, CenterWindowUpperSitsAThirdDown)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 60, 40);
    const HWND window = form.Handle();
    const RECT size = Window_Rect(window);
    const int w = size.right - size.left;
    const int h = size.bottom - size.top;
    SCLCenterWindow(window, true);
    EXPECT_EQ(Window_Rect(window).left, (Screen_Width() - w) / 2);
    EXPECT_EQ(Window_Rect(window).top, (Screen_Height() - h) / 3);

    TForm parent(nullptr);
    parent.SetBounds(10, 20, 200, 100);
    SCLCenterChildWindow(parent.Handle(), window, false);
    const RECT p = Window_Rect(parent.Handle());
    EXPECT_EQ(Window_Rect(window).left, p.left + (p.right - p.left - w) / 2);
    EXPECT_EQ(Window_Rect(window).top, p.top + (p.bottom - p.top - h) / 2);
}

TEST(Sclutils_Windows, TargetRectangles)
{
    const RECT screen = SCLDlgGetTargetRect(brScreen);
    EXPECT_EQ(screen.right, Screen_Width());
    EXPECT_EQ(screen.bottom, Screen_Height());
    const RECT work = SCLDlgGetTargetRect(brScreenWorkArea);
    EXPECT_GE(work.left, 0);
    EXPECT_LE(work.right, Screen_Width());
    EXPECT_GT(work.bottom, work.top);
}

TEST(Sclutils_Windows, SystemMenusAreTheWindowManagersAndStayUntouched)
{
    TForm form(nullptr);
    form.Handle();
    Application->Handle();
    SetLastError(0);
    SCLCheckFormSysMenu(&form, {smClose});
    SCLCheckFormSysMenu(nullptr, {});
    SCLCheckApplicationSysMenu({});
    EXPECT_EQ(GetLastError(), 0u) << "no menu was asked to change";
}

// A white memory surface to draw one explode pass on.
class Surface {
public:
    Surface(int width, int height) : w(width), h(height)
    {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        old_bitmap = SelectObject(dc, bitmap);
        PatBlt(dc, 0, 0, width, height, WHITENESS);
    }
    ~Surface()
    {
        SelectObject(dc, old_bitmap);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    std::string Map() const
    {
        return Pixel_Map(w, h, [&](int x, int y) { return GetPixel(dc, x, y) == 0xFFFFFF ? '.' : '#'; });
    }

    HDC dc;

private:
    int w;
    int h;
    HBITMAP bitmap;
    HGDIOBJ old_bitmap;
};

// The focus rectangles the animation should leave after one pass.
std::string Expected_Map(std::initializer_list<RECT> rects)
{
    Surface expected(26, 22);
    for (const RECT& r : rects)
        DrawFocusRect(expected.dc, &r);
    return expected.Map();
}

class Explode : public testing::Test {
protected:
    void SetUp() override { form.SetBounds(8, 8, 16, 12); }

    TForm form{nullptr};
    Surface surface{26, 22};
};

TEST_F(Explode, OnePassGrowsFromTheStartPointToTheWindow)
{
    // Steps of (8 / 4, 8 / 4) in place and (16 / 4, 12 / 4) in size.
    sclutils::Draw_Explode(surface.dc, &form, POINT{0, 0}, 1, 4);
    EXPECT_EQ(surface.Map(), Expected_Map({{2, 2, 6, 5}, {4, 4, 12, 10}, {6, 6, 18, 15}, {8, 8, 24, 20}}));
    sclutils::Draw_Explode(surface.dc, &form, POINT{0, 0}, 1, 4);
    EXPECT_EQ(surface.Map(), Expected_Map({}));
}

TEST_F(Explode, TheTwoStagePassTracesToHalfWayThenGrowsFromItsStartSize)
{
    // Trace: a 4 x 2 rectangle moved from (0, 0) towards half way, (4, 4).
    // Then from there to the window, growing by (16 - 4) / 4 and (12 - 2) / 4;
    // 9.5 rounds to 10 and 16.5 to 16, halves to even.
    const std::initializer_list<RECT> growing{{5, 5, 12, 10}, {6, 6, 16, 13}, {7, 7, 20, 16}, {8, 8, 24, 20}};
    sclutils::Draw_Explode2(surface.dc, &form, POINT{0, 0}, true, 1, 2, 4, 4);
    EXPECT_EQ(surface.Map(), Expected_Map({{1, 1, 5, 3}, {2, 2, 6, 4}, {3, 3, 7, 5}, {4, 4, 8, 6}, {5, 5, 12, 10},
                                           {6, 6, 16, 13}, {7, 7, 20, 16}, {8, 8, 24, 20}}));

    Surface untraced(26, 22);
    sclutils::Draw_Explode2(untraced.dc, &form, POINT{0, 0}, false, 1, 2, 4, 4);
    EXPECT_EQ(untraced.Map(), Expected_Map(growing));
}

TEST_F(Explode, TheScreenEndsAsItBeganAndANilFormDrawsNothing)
{
    HDC screen = GetDC(nullptr);
    const COLORREF before = GetPixel(screen, 8, 8);
    SCLExplodeFormExt(&form, 0, 0, 1, 4);
    SCLExplodeFormExt2(&form, 0, 0, true, 1, 10, 20, 4);
    EXPECT_EQ(GetPixel(screen, 8, 8), before);
    ReleaseDC(nullptr, screen);
    SCLExplodeForm(nullptr);
    SCLExplodeForm2(nullptr);
    SCLWait(0);
}

} // namespace
