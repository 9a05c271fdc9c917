// Window procedures: subclassing through GWLP_WNDPROC with object-bound
// procedures, the lookups the shell makes, and the window fields.

#include "tests/platform/winapi/windows/Window_Test_Support.h"

#include "platform/winapi/Kernel.h"
#include "platform/winapi/X11_Window_Hints.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

namespace {

class Window_Procedure : public ::testing::Test {
protected:
    void SetUp() override
    {
        top = Make_Top_Level(QPoint(50, 60), QSize(120, 90), WS_POPUP);
        Message_Log().clear();
    }
    void TearDown() override { DestroyWindow(top); }

    // Installs a procedure that notes its name and passes the message on.
    WNDPROC Subclass(const std::string& name)
    {
        auto previous = std::make_shared<WNDPROC>();
        WNDPROC procedure = Make_Window_Procedure([this, name, previous](HWND window, UINT message, WPARAM w_param,
                                                                          LPARAM l_param) {
            if (message == WM_USER)
                trail += name;
            return CallWindowProcA(*previous, window, message, w_param, l_param);
        });
        const LONG_PTR replaced = SetWindowLongPtrA(top, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
        *previous = reinterpret_cast<WNDPROC>(replaced);
        saved[name] = *previous;
        return procedure;
    }

    void Unsubclass(const std::string& name, WNDPROC procedure)
    {
        SetWindowLongPtrA(top, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(saved[name]));
        Free_Window_Procedure(procedure);
    }

    std::string Route()
    {
        trail.clear();
        Message_Log().clear();
        SendMessageA(top, WM_USER, 0, 0);
        return trail + (Message_Log().empty() ? "" : "R");
    }

    HWND top = nullptr;
    std::string trail;
    std::map<std::string, WNDPROC> saved;
};

TEST_F(Window_Procedure, Subclasses_Run_Newest_First_And_Come_Off_In_Reverse)
{
    EXPECT_EQ(GetWindowLongPtrA(top, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&Recording_Procedure));
    WNDPROC a = Subclass("a");
    WNDPROC b = Subclass("b");
    EXPECT_EQ(Route(), "baR");
    Unsubclass("b", b);
    EXPECT_EQ(Route(), "aR");
    Unsubclass("a", a);
    EXPECT_EQ(Route(), "R");
}

TEST_F(Window_Procedure, Unhooking_Out_Of_Order_Leaves_No_Dangling_Procedure)
{
    WNDPROC a = Subclass("a");
    WNDPROC b = Subclass("b");
    Unsubclass("a", a); // b is unhooked with it, as on Windows
    EXPECT_EQ(Route(), "R");
    Unsubclass("b", b); // puts the freed procedure of a back
    EXPECT_EQ(GetWindowLongPtrA(top, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(a));
    EXPECT_EQ(Route(), "");
    EXPECT_EQ(SendMessageA(top, WM_GETTEXTLENGTH, 0, 0), 3); // answered as DefWindowProcA does
}

TEST_F(Window_Procedure, The_Shell_Finds_Windows_By_Title_Class_And_Thread)
{
    HWND dialog_owner = top;
    WNDCLASSA dialog_class;
    dialog_class.lpfnWndProc = DefWindowProcA;
    dialog_class.lpszClassName = "#32770";
    RegisterClassA(&dialog_class);
    EXPECT_EQ(RegisterClassA(&dialog_class), 0);
    EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);
    HWND dialog = CreateWindowExA(0, "#32770", "Ravivida", WS_POPUP, 0, 0, 10, 10, dialog_owner, nullptr, nullptr,
                                  nullptr);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetParent(dialog), top);

    EXPECT_EQ(FindWindowA(nullptr, "Ravivida"), dialog);
    EXPECT_EQ(FindWindowA("#32770", nullptr), dialog);
    EXPECT_EQ(FindWindowA("Recorder", "Ravivida"), nullptr);
    EXPECT_EQ(FindWindowA("No_Such_Class", nullptr), nullptr);
    char name[16];
    EXPECT_EQ(GetClassNameA(dialog, name, sizeof name), 6);
    EXPECT_STREQ(name, "#32770");
    EXPECT_EQ(GetClassNameA(dialog, name, 4), 3);
    EXPECT_STREQ(name, "#32");

    std::vector<HWND> found;
    auto collect = [](HWND window, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
    };
    EnumThreadWindows(GetCurrentThreadId(), collect, reinterpret_cast<LPARAM>(&found));
    EXPECT_EQ(found, (std::vector<HWND>{dialog, top}));
    Set_Window_Thread(dialog, 4242);
    EXPECT_EQ(GetWindowThreadProcessId(dialog, nullptr), 4242u);
    found.clear();
    EnumThreadWindows(4242, collect, reinterpret_cast<LPARAM>(&found));
    EXPECT_EQ(found, (std::vector<HWND>{dialog}));

    DestroyWindow(top); // takes its owned dialog along
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_TRUE(UnregisterClassA("#32770", nullptr));
    EXPECT_EQ(CreateWindowExA(0, "#32770", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_CANNOT_FIND_WND_CLASS);
}

TEST_F(Window_Procedure, Fields_Text_And_Geometry_Read_Back)
{
    EXPECT_EQ(GetWindowTextLengthA(top), 3);
    SetWindowTextA(top, "Ordexia");
    char text[5];
    EXPECT_EQ(GetWindowTextA(top, text, sizeof text), 4);
    EXPECT_STREQ(text, "Orde");
    SetWindowLongPtrA(top, GWLP_USERDATA, 77);
    EXPECT_EQ(GetWindowLongPtrA(top, GWLP_USERDATA), 77);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(top, GWL_STYLE)), WS_POPUP);

    HWND child = Make_Child(top, QPoint(10, 20), QSize(30, 40));
    RECT rect;
    GetWindowRect(child, &rect);
    EXPECT_EQ(rect, (RECT{60, 80, 90, 120}));
    POINT points[1] = {{1, 2}};
    MapWindowPoints(child, top, points, 1);
    EXPECT_EQ(points[0], (POINT{11, 22}));
    POINT screen{70, 90};
    ScreenToClient(child, &screen);
    EXPECT_EQ(screen, (POINT{10, 10}));
    EXPECT_FALSE(IsWindowVisible(child)); // its parent is hidden
    MoveWindow(child, 5, 6, 7, 8, TRUE);
    GetClientRect(child, &rect);
    EXPECT_EQ(rect, (RECT{0, 0, 7, 8}));
    EXPECT_EQ(GetWindow(top, GW_CHILD), child);
    EXPECT_TRUE(IsChild(top, child));
    EXPECT_FALSE(GetWindowRect(reinterpret_cast<HWND>(&rect), &rect));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
}

// A dialog frame is a dialog's window for the window manager; the buttons
// and actions it is offered are those the style names, no more.
TEST(Window_Frame, A_Dialog_Frame_Makes_A_Dialogs_Window_With_The_Buttons_Of_Its_Style_Only)
{
    Register_Recorder_Classes();
    HWND dialog = CreateWindowExA(WS_EX_DLGMODALFRAME, "Recorder", "Box", WS_POPUP | WS_CAPTION | WS_DLGFRAME, 10, 10,
                                  200, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(dialog, nullptr);
    const Qt::WindowFlags flags = Window_Widget(dialog)->windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Dialog);
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint));
    DestroyWindow(dialog);

    constexpr long Given = 1 | 2;
    constexpr long Resize = 2, Move = 4, Minimise = 8, Maximise = 16, Close = 32;
    constexpr long Border = 2, Resize_Border = 4, Title = 8, Menu = 16, Minimise_Button = 32, Maximise_Button = 64;
    const struct {
        const char* name;
        DWORD style;
        long functions;
        long decorations;
    } cases[] = {
        {"dialog without icons", WS_POPUP | WS_CAPTION | WS_DLGFRAME, Move, Border | Title},
        {"dialog with its system menu", WS_POPUP | WS_CAPTION | WS_DLGFRAME | WS_SYSMENU, Move | Close,
         Border | Title | Menu},
        {"sizeable window with every icon", WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
         Move | Resize | Close | Minimise | Maximise,
         Border | Title | Resize_Border | Menu | Minimise_Button | Maximise_Button},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Motif_Frame_Hints(c.style), (std::array<long, 5>{Given, c.functions, c.decorations, 0, 0}));
    }
}

TEST(System_Metrics, The_Screen_Comes_From_Qt_And_The_Frame_From_A_Classic_Desktop)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), screen->geometry().width());
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 19);
    EXPECT_EQ(GetSystemMetrics(SM_CXFRAME), 4);
    EXPECT_EQ(GetSystemMetrics(9999), 0);

    RECT work;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    const QRect available = screen->availableGeometry();
    EXPECT_EQ(work, (RECT{available.x(), available.y(), available.x() + available.width(),
                          available.y() + available.height()}));

    NONCLIENTMETRICSA metrics;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &metrics, 0));
    EXPECT_STREQ(metrics.lfMessageFont.lfFaceName, "Tahoma");
    metrics.cbSize = 100;
    EXPECT_FALSE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 100, &metrics, 0));
    EXPECT_FALSE(SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, nullptr, 0));
    EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
}

TEST(Cursor, Standard_And_Own_Cursors_Load_By_Name)
{
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), arrow);
    EXPECT_EQ(Cursor_Shape(LoadCursorA(nullptr, IDC_SIZEWE)).shape(), Qt::SizeHorCursor);
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(1)), nullptr);

    auto* instance = reinterpret_cast<HINSTANCE>(1);
    EXPECT_EQ(LoadCursorA(instance, "HANDGRAB"), nullptr);
    Register_Cursor_Resource("HANDGRAB", QCursor(Qt::ClosedHandCursor));
    Register_Cursor_Resource(MAKEINTRESOURCEA(7), QCursor(Qt::CrossCursor));
    EXPECT_EQ(Cursor_Shape(LoadCursorA(instance, "HANDGRAB")).shape(), Qt::ClosedHandCursor);
    EXPECT_EQ(Cursor_Shape(LoadCursorA(instance, MAKEINTRESOURCEA(7))).shape(), Qt::CrossCursor);

    SetCursor(arrow);
    EXPECT_EQ(SetCursor(nullptr), arrow);
    EXPECT_EQ(GetCursor(), nullptr);
    EXPECT_TRUE(DestroyCursor(arrow));
    EXPECT_EQ(Cursor_Shape(reinterpret_cast<HCURSOR>(&instance)).shape(), Qt::ArrowCursor);
}

} // namespace
