// Painting into the back store: WM_PAINT through BeginPaint, GetDC drawing,
// the borders we draw, and window regions masking painting and input.

#include "tests/platform/winapi/windows/Window_Test_Support.h"

#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb Red = 0xFFFF0000;
constexpr QRgb Blue = 0xFF0000FF;
constexpr QRgb Green = 0xFF00FF00;

class Window_Paint : public ::testing::Test {
protected:
    void SetUp() override
    {
        top = Make_Top_Level(QPoint(100, 100), QSize(200, 150));
        child = Make_Child(top, QPoint(20, 30), QSize(80, 60));
        Set_Message_Hook([this](HWND window, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (window != child || message != WM_PAINT)
                return std::nullopt;
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            const RECT all{0, 0, 80, 60};
            HBRUSH brush = CreateSolidBrush(child_color);
            FillRect(dc, &all, brush);
            DeleteObject(brush);
            EndPaint(window, &paint);
            return 0;
        });
        Pump_Messages();
        Message_Log().clear();
    }

    void TearDown() override
    {
        Set_Message_Hook(nullptr);
        DestroyWindow(top);
        Pump_Messages();
    }

    QRgb Pixel(int x, int y) { return Shown(top).pixel(x, y); }

    HWND top = nullptr;
    HWND child = nullptr;
    COLORREF child_color = RGB(0, 0, 255);
};

TEST_F(Window_Paint, Invalid_Windows_Are_Erased_And_Painted_Parents_First)
{
    EXPECT_EQ(Pixel(20 + 40, 30 + 30), Blue);
    EXPECT_EQ(Pixel(5, 5), White);

    InvalidateRect(top, nullptr, TRUE);
    Pump_Messages();
    const std::vector<std::pair<HWND, UINT>> expected = {
        {top, WM_PAINT}, {top, WM_ERASEBKGND}, {child, WM_PAINT}, {child, WM_ERASEBKGND}};
    EXPECT_EQ(Logged_Messages({WM_PAINT, WM_ERASEBKGND}), expected);

    Message_Log().clear();
    InvalidateRect(child, nullptr, FALSE);
    ValidateRect(child, nullptr);
    Pump_Messages();
    EXPECT_TRUE(Logged_Messages({WM_PAINT}).empty());

    InvalidateRect(child, nullptr, FALSE);
    UpdateWindow(child);
    EXPECT_EQ(Logged_Messages({WM_PAINT, WM_ERASEBKGND}), (std::vector<std::pair<HWND, UINT>>{{child, WM_PAINT}}));
}

TEST_F(Window_Paint, Painting_Is_Clipped_To_The_Update_Region)
{
    child_color = RGB(0, 255, 0);
    const RECT corner{0, 0, 10, 10};
    InvalidateRect(child, &corner, FALSE);
    Pump_Messages();
    EXPECT_EQ(Pixel(20 + 9, 30 + 9), Green);
    EXPECT_EQ(Pixel(20 + 10, 30 + 9), Blue);
    EXPECT_EQ(Pixel(20 + 9, 30 + 10), Blue);
}

TEST_F(Window_Paint, Drawing_Through_GetDC_Shows_Without_A_Paint)
{
    HDC dc = GetDC(child);
    ASSERT_NE(dc, nullptr);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    const RECT square{2, 3, 6, 7};
    FillRect(dc, &square, red);
    ReleaseDC(child, dc);
    Pump_Messages();
    EXPECT_TRUE(Logged_Messages({WM_PAINT, WM_NCPAINT}).empty());
    EXPECT_EQ(Pixel(20 + 2, 30 + 3), Red);
    EXPECT_EQ(Pixel(20 + 5, 30 + 6), Red);
    EXPECT_EQ(Pixel(20 + 6, 30 + 6), Blue);

    dc = GetWindowDC(top);
    FillRect(dc, &square, red);
    ReleaseDC(top, dc);
    DeleteObject(red);
    EXPECT_EQ(Pixel(2, 3), Red);
}

TEST_F(Window_Paint, Borders_Are_Drawn_Around_A_Smaller_Client_Area)
{
    HWND framed = CreateWindowExA(WS_EX_CLIENTEDGE, "Recorder", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 120, 10, 50, 40,
                                  top, nullptr, nullptr, nullptr);
    Pump_Messages();
    RECT client;
    GetClientRect(framed, &client);
    EXPECT_EQ(client, (RECT{0, 0, 44, 34}));
    POINT origin{0, 0};
    ClientToScreen(framed, &origin);
    EXPECT_EQ(origin, (POINT{100 + 120 + 3, 100 + 10 + 3}));
    EXPECT_EQ(Pixel(120, 10), 0xFF000000u);
    EXPECT_EQ(Pixel(121, 11), 0xFF808080u);
    EXPECT_EQ(Pixel(123, 13), White);
    EXPECT_EQ(SendMessageA(framed, WM_NCHITTEST, 0, MAKELPARAM(221, 111)), HTBORDER);
    EXPECT_EQ(SendMessageA(framed, WM_NCHITTEST, 0, MAKELPARAM(224, 114)), HTCLIENT);
}

TEST_F(Window_Paint, A_Window_Region_Masks_Painting_And_Input)
{
    ASSERT_EQ(SetWindowRgn(child, CreateRectRgn(0, 0, 40, 60), TRUE), 1);
    Pump_Messages();
    EXPECT_EQ(Pixel(20 + 39, 30 + 10), Blue);
    EXPECT_EQ(Pixel(20 + 40, 30 + 10), White);
    EXPECT_EQ(WindowFromPoint(POINT{100 + 20 + 39, 100 + 30 + 10}), child);
    EXPECT_EQ(WindowFromPoint(POINT{100 + 20 + 40, 100 + 30 + 10}), top);

    Message_Log().clear();
    Send_Mouse(top, QEvent::MouseButtonPress, QPoint(100 + 20 + 60, 100 + 30 + 10), Qt::LeftButton, Qt::LeftButton,
               500);
    Pump_Messages();
    EXPECT_EQ(Logged_Messages({WM_LBUTTONDOWN}), (std::vector<std::pair<HWND, UINT>>{{top, WM_LBUTTONDOWN}}));
    Send_Mouse(top, QEvent::MouseButtonRelease, QPoint(100 + 20 + 60, 100 + 30 + 10), Qt::LeftButton, Qt::NoButton,
               501);

    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(child, copy), SIMPLEREGION);
    RECT box;
    GetRgnBox(copy, &box);
    EXPECT_EQ(box, (RECT{0, 0, 40, 60}));
    SetWindowRgn(child, nullptr, TRUE);
    Pump_Messages();
    EXPECT_EQ(Pixel(20 + 40, 30 + 10), Blue);
    EXPECT_EQ(GetWindowRgn(child, copy), ERROR);
    DeleteObject(copy);
}

TEST_F(Window_Paint, A_Child_Never_Draws_Over_Its_Parents_Border)
{
    // A 3-pixel frame around a 44 x 34 client area at (123, 13) of the top window.
    HWND framed = CreateWindowExA(WS_EX_CLIENTEDGE, "Recorder", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 120, 10, 50, 40,
                                  top, nullptr, nullptr, nullptr);
    Pump_Messages();
    const QImage before = Shown(top);
    // Reaches past the client area's right and bottom edges.
    HWND inner = Make_Child(framed, QPoint(30, 20), QSize(40, 40));
    Set_Message_Hook([inner](HWND window, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (window != inner || message != WM_PAINT)
            return std::nullopt;
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        const RECT all{0, 0, 40, 40};
        HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        EndPaint(window, &paint);
        return 0;
    });
    InvalidateRect(inner, nullptr, TRUE);
    Pump_Messages();

    const QImage after = Shown(top);
    EXPECT_EQ(after.pixel(123 + 30, 13 + 20), Blue);
    EXPECT_EQ(after.pixel(123 + 43, 13 + 33), Blue) << "the client area's last pixel";
    for (int y = 10; y < 50; ++y)
        for (int x = 167; x < 170; ++x)
            EXPECT_EQ(after.pixel(x, y), before.pixel(x, y)) << "right border at " << x << "," << y;
    for (int y = 47; y < 50; ++y)
        for (int x = 120; x < 170; ++x)
            EXPECT_EQ(after.pixel(x, y), before.pixel(x, y)) << "bottom border at " << x << "," << y;
    for (int x = 170; x < 200; ++x)
        EXPECT_EQ(after.pixel(x, 40), White) << "beside the parent at " << x;
    EXPECT_EQ(WindowFromPoint(POINT{100 + 168, 100 + 40}), framed);
}

} // namespace

TEST(Window_Visibility, A_Hidden_Child_Stays_Hidden_When_Its_Parent_Is_First_Shown)
{
    HWND parent = Make_Top_Level(QPoint(100, 100), QSize(120, 90), WS_POPUP);
    HWND hidden = Make_Child(parent, QPoint(10, 10), QSize(40, 30), "Recorder", WS_CHILD);
    HWND shown = Make_Child(parent, QPoint(60, 10), QSize(40, 30));
    ShowWindow(parent, SW_SHOW);
    Pump_Messages();
    EXPECT_FALSE(IsWindowVisible(hidden));
    EXPECT_FALSE(Window_Widget(hidden)->isVisible());
    EXPECT_TRUE(Window_Widget(shown)->isVisible());
    ShowWindow(hidden, SW_SHOW);
    Pump_Messages();
    EXPECT_TRUE(Window_Widget(hidden)->isVisible());
    DestroyWindow(parent);
}
