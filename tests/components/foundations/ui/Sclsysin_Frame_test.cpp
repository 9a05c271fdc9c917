// Window-frame metrics and the title-bar geometry over real windows.

#include "components/foundations/Sclsysin_Frame.h"

#include <gtest/gtest.h>

#include "platform/winapi/System_Metrics.h"

namespace {

void Register_Frame_Class()
{
    static const bool registered = [] {
        WNDCLASSA window_class;
        window_class.lpfnWndProc = DefWindowProcA;
        window_class.lpszClassName = "Frame_Test";
        return RegisterClassA(&window_class) != 0;
    }();
    ASSERT_TRUE(registered);
}

constexpr int Width = 300;

// A top-level window of the styles, destroyed with the object.
class Test_Window {
public:
    Test_Window(DWORD style, DWORD ex_style)
    {
        Register_Frame_Class();
        handle = CreateWindowExA(ex_style, "Frame_Test", "Frame", style, 10, 10, Width, 120, nullptr, nullptr,
                                 nullptr, nullptr);
    }
    ~Test_Window() { DestroyWindow(handle); }
    Test_Window(const Test_Window&) = delete;
    Test_Window& operator=(const Test_Window&) = delete;
    HWND Handle() const { return handle; }
    int Window_Width() const
    {
        RECT r{};
        GetWindowRect(handle, &r);
        return r.right - r.left;
    }

private:
    HWND handle = nullptr;
};

struct Area {
    RECT caption;
    RECT text;
    WORD flags;
};

Area Calc(HWND window, WORD options, bool new_look)
{
    Area area{{}, {}, options};
    SCLNCCalcDrawingAreaLook(window, area.caption, area.text, area.flags, new_look);
    return area;
}

void Expect_Rect(const RECT& r, int left, int top, int right, int bottom)
{
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right, right);
    EXPECT_EQ(r.bottom, bottom);
}

constexpr DWORD Sizeable = WS_OVERLAPPEDWINDOW | WS_VISIBLE;

} // namespace

TEST(Sclsysin_Frame, MetricsAreTheSystemsFrameSizes)
{
    EXPECT_EQ(SCLNCCAPTIONHEIGHT(), GetSystemMetrics(SM_CYCAPTION));
    EXPECT_EQ(SCLNCBITMAPWIDTH(), GetSystemMetrics(SM_CXSIZE));
    EXPECT_EQ(SCLNCSIZEBORDERWIDTH(), GetSystemMetrics(SM_CXFRAME));
    EXPECT_EQ(SCLNCDLGBORDERHEIGHT(), GetSystemMetrics(SM_CYDLGFRAME));
    EXPECT_EQ(SCLNCBORDERWIDTH(), GetSystemMetrics(SM_CXBORDER) + GetSystemMetrics(SM_CXFRAME) - 1);
    EXPECT_EQ(SCLNCBORDERHEIGHT(), GetSystemMetrics(SM_CYBORDER) + GetSystemMetrics(SM_CYFRAME) - 1);
    EXPECT_TRUE(SCLNCNewLook());
    EXPECT_EQ(SCLNCSMALLCAPTIONHEIGHT(), GetSystemMetrics(SM_CYSMCAPTION));
    EXPECT_EQ(SCLNCCAPTIONICONWIDTH(), GetSystemMetrics(SM_CXSMICON));
    // Without the new look the small sizes are the caption's and its buttons'.
    EXPECT_EQ(SCLNCSmallCaptionHeight(false), GetSystemMetrics(SM_CYCAPTION));
    EXPECT_EQ(SCLNCSmallBitmapWidth(false), GetSystemMetrics(SM_CXSIZE));
    EXPECT_EQ(SCLNCCaptionIconHeight(false), GetSystemMetrics(SM_CYSIZE));
}

// With the platform's classic values: border 1, frame 4, dialog frame 3,
// caption 19, small caption 16, buttons 18 (small 12), small icon 16.
TEST(Sclsysin_Frame, SizeableWindowLeavesRoomForIconAndThreeButtons)
{
    ASSERT_EQ(GetSystemMetrics(SM_CXFRAME), 4);
    Test_Window window(Sizeable, 0);
    const int w = window.Window_Width();
    const Area area = Calc(window.Handle(), 0, true);
    Expect_Rect(area.caption, 4, 4, w - 4, 19 + 4 - 1);
    // Icon and frame at the left; close, minimise and maximise with the border gaps at the right.
    Expect_Rect(area.text, 4 + 16 + 4 + 1, 4, w - 4 - 3 - 3 * 18, 22);
    EXPECT_EQ(area.flags, SCLNC_HASICON);
}

TEST(Sclsysin_Frame, CallerOptionsMoveTheCaptionToTheText)
{
    Test_Window window(Sizeable, 0);
    const int w = window.Window_Width();
    const Area area = Calc(window.Handle(), SCLNC_CAPTIONTOTEXT | SCLNC_CAPTIONATTEXT, true);
    Expect_Rect(area.caption, 25, 4, w - 61, 22);
    Expect_Rect(area.text, 27, 4, w - 61, 22);
    EXPECT_EQ(area.flags, SCLNC_CAPTIONTOTEXT | SCLNC_CAPTIONATTEXT | SCLNC_HASICON);
}

TEST(Sclsysin_Frame, ToolWindowUsesTheSmallCaption)
{
    Test_Window window(WS_CAPTION | WS_SYSMENU | WS_VISIBLE, WS_EX_TOOLWINDOW);
    const int w = window.Window_Width();
    const Area area = Calc(window.Handle(), 0, true);
    Expect_Rect(area.caption, 3, 3, w - 3, 16 + 2);
    Expect_Rect(area.text, 4, 3, w - 3 - 12 - 2, 18);
    EXPECT_EQ(area.flags, SCLNC_SMALLCAPTION);
}

TEST(Sclsysin_Frame, DialogFrameWithHelpButtonHasNoIcon)
{
    Test_Window window(WS_CAPTION | WS_SYSMENU | WS_VISIBLE, WS_EX_DLGMODALFRAME | WS_EX_CONTEXTHELP);
    const int w = window.Window_Width();
    const Area area = Calc(window.Handle(), 0, true);
    Expect_Rect(area.caption, 3, 3, w - 3, 19 + 3 - 1);
    Expect_Rect(area.text, 3 + 2, 3, w - 3 - 3 - 18 - 1 - 18, 21);
    EXPECT_EQ(area.flags, 0);
    // The option asks for the icon all the same.
    const Area with_icon = Calc(window.Handle(), SCLNC_ICON, true);
    EXPECT_EQ(with_icon.flags, SCLNC_ICON | SCLNC_HASICON);
    EXPECT_EQ(with_icon.text.left, 3 + 16 + 4 + 1);
}

TEST(Sclsysin_Frame, WindowWithoutSystemMenuKeepsTwoBordersAtTheLeft)
{
    Test_Window window(WS_CAPTION | WS_VISIBLE, 0);
    const int w = window.Window_Width();
    const Area area = Calc(window.Handle(), 0, true);
    Expect_Rect(area.caption, 3, 3, w - 3, 21);
    Expect_Rect(area.text, 5, 3, w - 3, 21);
}

TEST(Sclsysin_Frame, OldLookTakesTheCaptionFromTheIcon)
{
    Test_Window window(Sizeable, 0);
    const int w = window.Window_Width();
    const Area area = Calc(window.Handle(), 0, false);
    Expect_Rect(area.caption, 4 + 18 + 2, 4, w - 4, 19 + 4 - 1 - 1);
    Expect_Rect(area.text, 4 + 18 + 2 + 2, 4, w - 4 - 2 - 2 * 18, 21);
    EXPECT_EQ(area.flags, SCLNC_HASICON);
}

TEST(Sclsysin_Frame, HiddenOrMissingWindowLeavesTheTextAtTheWholeCaption)
{
    Test_Window window(WS_OVERLAPPEDWINDOW, 0);
    const int w = window.Window_Width();
    const Area hidden = Calc(window.Handle(), 0, true);
    Expect_Rect(hidden.caption, 4, 4, w - 4, 22);
    Expect_Rect(hidden.text, 0, 0, w, 22);
    EXPECT_EQ(hidden.flags, 0);

    RECT caption{}, text{};
    WORD flags = SCLNC_HASICON | SCLNC_SMALLCAPTION; // findings of an earlier call are cleared
    SCLNCCalcDrawingArea(nullptr, caption, text, flags);
    Expect_Rect(caption, 3, 3, -3, 21);
    Expect_Rect(text, 0, 0, 0, 21);
    EXPECT_EQ(flags, 0);
}
