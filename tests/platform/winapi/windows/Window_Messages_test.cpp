// Message order for mouse, keys, focus, creation and destruction; capture;
// posting from the queue and from other threads; timers.

#include "tests/platform/winapi/windows/Window_Test_Support.h"

#include "platform/winapi/Kernel.h"

#include <QCoreApplication>
#include <QApplication>
#include <QEventLoop>
#include <QWheelEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <map>
#include <optional>
#include <thread>

namespace {

using Trace = std::vector<std::pair<HWND, UINT>>;

const std::set<UINT> Mouse_Messages = {WM_NCHITTEST,     WM_SETCURSOR,     WM_MOUSEMOVE,   WM_LBUTTONDOWN,
                                       WM_LBUTTONUP,     WM_LBUTTONDBLCLK, WM_CAPTURECHANGED, WM_MOUSELEAVE,
                                       WM_MOUSEACTIVATE, WM_NCMOUSEMOVE};
const std::set<UINT> Key_Messages = {WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSCHAR};

class Window_Messages : public ::testing::Test {
protected:
    void SetUp() override
    {
        top = Make_Top_Level(QPoint(100, 100), QSize(200, 150));
        child = Make_Child(top, QPoint(20, 30), QSize(80, 60), "Recorder_Dbl");
        Pump_Messages();
        Message_Log().clear();
    }

    void TearDown() override
    {
        Set_Message_Hook(nullptr);
        ReleaseCapture();
        DestroyWindow(top);
        Pump_Messages();
    }

    // A point in the child's client area, on the screen.
    static QPoint In_Child(int x, int y) { return QPoint(100 + 20 + x, 100 + 30 + y); }

    void Click(QPoint global, quint64 time)
    {
        Send_Mouse(top, QEvent::MouseButtonPress, global, Qt::LeftButton, Qt::LeftButton, time);
        Send_Mouse(top, QEvent::MouseButtonRelease, global, Qt::LeftButton, Qt::NoButton, time + 1);
        Pump_Messages();
    }

    HWND top = nullptr;
    HWND child = nullptr;
};

TEST_F(Window_Messages, A_Click_Is_Hit_Tested_And_Carries_Client_Coordinates)
{
    Click(In_Child(5, 7), 1000);
    // The default WM_SETCURSOR asks the parent first.
    const Trace expected = {{child, WM_NCHITTEST}, {child, WM_SETCURSOR}, {top, WM_SETCURSOR},
                            {child, WM_LBUTTONDOWN}, {child, WM_NCHITTEST}, {child, WM_SETCURSOR},
                            {top, WM_SETCURSOR},     {child, WM_LBUTTONUP}};
    EXPECT_EQ(Logged_Messages(Mouse_Messages), expected);
    for (const Logged& entry : Message_Log()) {
        if (entry.message == WM_LBUTTONDOWN) {
            EXPECT_EQ(entry.w_param, MK_LBUTTON);
            EXPECT_EQ(entry.l_param, MAKELPARAM(5, 7));
        }
        if (entry.message == WM_SETCURSOR) {
            EXPECT_EQ(LOWORD(static_cast<DWORD>(entry.l_param)), HTCLIENT);
        }
    }
}

TEST_F(Window_Messages, A_Second_Press_Is_A_Double_Click_Only_In_Time_Place_And_Class)
{
    HWND plain = Make_Child(top, QPoint(120, 30), QSize(60, 60));
    struct Case {
        HWND window;
        QPoint second;
        quint64 gap;
        UINT second_message;
    };
    const QPoint in_plain(100 + 120 + 5, 100 + 30 + 5);
    const Case cases[] = {
        {child, In_Child(5, 5), 100, WM_LBUTTONDBLCLK},
        {child, In_Child(6, 6), 100, WM_LBUTTONDBLCLK},
        {child, In_Child(5, 5), GetDoubleClickTime() + 50, WM_LBUTTONDOWN},
        {child, In_Child(15, 5), 100, WM_LBUTTONDOWN},
        {plain, in_plain, 100, WM_LBUTTONDOWN},
    };
    quint64 time = 10000;
    for (const Case& test : cases) {
        Message_Log().clear();
        const QPoint first = test.window == plain ? in_plain : In_Child(5, 5);
        Click(first, time);
        Click(test.second, time + test.gap);
        time += 100000;
        const Trace expected = {{test.window, WM_LBUTTONDOWN},
                                {test.window, WM_LBUTTONUP},
                                {test.window, test.second_message},
                                {test.window, WM_LBUTTONUP}};
        EXPECT_EQ(Logged_Messages({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK}), expected)
            << "gap " << test.gap << " at " << test.second.x();
    }
}

TEST_F(Window_Messages, A_Drag_Under_Capture_Follows_The_Mouse_Outside_The_Window)
{
    Set_Message_Hook([this](HWND window, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (window == child && message == WM_LBUTTONDOWN)
            SetCapture(child);
        if (window == child && message == WM_LBUTTONUP)
            ReleaseCapture();
        return std::nullopt;
    });
    Send_Mouse(top, QEvent::MouseButtonPress, In_Child(10, 10), Qt::LeftButton, Qt::LeftButton, 1000);
    Pump_Messages();
    Message_Log().clear();
    Send_Mouse(top, QEvent::MouseMove, QPoint(20, 500), Qt::NoButton, Qt::LeftButton, 1010);
    Send_Mouse(top, QEvent::MouseButtonRelease, QPoint(20, 500), Qt::LeftButton, Qt::NoButton, 1020);
    Pump_Messages();

    const Trace expected = {{child, WM_MOUSEMOVE}, {child, WM_LBUTTONUP}, {child, WM_CAPTURECHANGED}};
    EXPECT_EQ(Logged_Messages(Mouse_Messages), expected);
    const Logged& move = Message_Log().front();
    EXPECT_EQ(GET_X_LPARAM(move.l_param), 20 - 120);
    EXPECT_EQ(GET_Y_LPARAM(move.l_param), 500 - 130);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Window_Messages, Leaving_Is_Reported_Under_Capture_Too)
{
    // Tracks as a control does when the mouse comes over it.
    Set_Message_Hook([this](HWND window, UINT message, WPARAM, LPARAM l_param) -> std::optional<LRESULT> {
        const bool inside = GET_X_LPARAM(l_param) >= 0 && GET_X_LPARAM(l_param) < 80;
        if (window == child && message == WM_MOUSEMOVE && inside) {
            TRACKMOUSEEVENT track;
            track.dwFlags = TME_LEAVE;
            track.hwndTrack = child;
            TrackMouseEvent(&track);
        }
        return std::nullopt;
    });
    Send_Mouse(top, QEvent::MouseMove, In_Child(10, 10), Qt::NoButton, Qt::NoButton, 1000);
    Pump_Messages();
    SetCapture(child);
    Send_Mouse(top, QEvent::MouseMove, In_Child(20, 10), Qt::NoButton, Qt::NoButton, 1010);
    Send_Mouse(top, QEvent::MouseMove, In_Child(200, 10), Qt::NoButton, Qt::NoButton, 1020);
    Pump_Messages();
    Send_Mouse(top, QEvent::MouseMove, In_Child(30, 10), Qt::NoButton, Qt::NoButton, 1030);
    Send_Mouse(top, QEvent::MouseMove, In_Child(-50, 10), Qt::NoButton, Qt::NoButton, 1040);
    Pump_Messages();

    const Trace expected = {{child, WM_NCHITTEST},  {child, WM_SETCURSOR},  {top, WM_SETCURSOR},
                            {child, WM_MOUSEMOVE},
                            {child, WM_MOUSEMOVE},  {child, WM_MOUSELEAVE}, {child, WM_MOUSEMOVE},
                            {child, WM_MOUSEMOVE},  {child, WM_MOUSELEAVE}, {child, WM_MOUSEMOVE}};
    EXPECT_EQ(Logged_Messages(Mouse_Messages), expected);
}

TEST_F(Window_Messages, Keys_Follow_The_Windows_Order_With_And_Without_Alt)
{
    SetFocus(child);
    struct Case {
        const char* name;
        std::vector<std::tuple<QEvent::Type, Qt::Key, QString>> keys;
        std::vector<std::pair<UINT, WPARAM>> expected;
    };
    const Case cases[] = {
        {"a",
         {{QEvent::KeyPress, Qt::Key_A, "a"}, {QEvent::KeyRelease, Qt::Key_A, "a"}},
         {{WM_KEYDOWN, 'A'}, {WM_CHAR, 'a'}, {WM_KEYUP, 'A'}}},
        {"Alt+P",
         {{QEvent::KeyPress, Qt::Key_Alt, ""},
          {QEvent::KeyPress, Qt::Key_P, "p"},
          {QEvent::KeyRelease, Qt::Key_P, "p"},
          {QEvent::KeyRelease, Qt::Key_Alt, ""}},
         {{WM_SYSKEYDOWN, VK_MENU}, {WM_SYSKEYDOWN, 'P'}, {WM_SYSCHAR, 'p'}, {WM_SYSKEYUP, 'P'}, {WM_KEYUP, VK_MENU}}},
        {"Alt alone",
         {{QEvent::KeyPress, Qt::Key_Alt, ""}, {QEvent::KeyRelease, Qt::Key_Alt, ""}},
         {{WM_SYSKEYDOWN, VK_MENU}, {WM_SYSKEYUP, VK_MENU}}},
        {"F10",
         {{QEvent::KeyPress, Qt::Key_F10, ""}, {QEvent::KeyRelease, Qt::Key_F10, ""}},
         {{WM_SYSKEYDOWN, VK_F10}, {WM_SYSKEYUP, VK_F10}}},
    };
    for (const Case& test : cases) {
        Message_Log().clear();
        for (const auto& [type, key, text] : test.keys)
            Send_Key(top, type, key, Qt::NoModifier, text);
        Pump_Messages();
        std::vector<std::pair<UINT, WPARAM>> seen;
        for (const Logged& entry : Message_Log()) {
            if (Key_Messages.count(entry.message)) {
                EXPECT_EQ(entry.window, child) << test.name;
                seen.emplace_back(entry.message, entry.w_param);
            }
        }
        EXPECT_EQ(seen, test.expected) << test.name;
    }
    Send_Key(top, QEvent::KeyPress, Qt::Key_Alt, Qt::NoModifier);
    Send_Key(top, QEvent::KeyPress, Qt::Key_P, Qt::AltModifier, "p");
    Message_Log().clear();
    Pump_Messages();
    EXPECT_LT(GetKeyState(VK_MENU), 0);
    ASSERT_FALSE(Message_Log().empty());
    EXPECT_TRUE(Message_Log().front().l_param & KF_ALTDOWN_BIT);
    Send_Key(top, QEvent::KeyRelease, Qt::Key_P, Qt::AltModifier, "p");
    Send_Key(top, QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    Pump_Messages();
    EXPECT_GE(GetKeyState(VK_MENU), 0);
}

// Input is handled in the order it was made: a key typed while a click
// still waits in the queue goes where the click puts the focus, and a key
// typed before the click stays with the window that had the focus then.
TEST_F(Window_Messages, A_Key_Typed_Behind_A_Queued_Click_Goes_Where_The_Click_Puts_The_Focus)
{
    HWND clicked = Make_Child(top, QPoint(120, 30), QSize(60, 60));
    Set_Message_Hook([clicked](HWND window, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (window == clicked && message == WM_LBUTTONDOWN)
            SetFocus(clicked);
        return std::nullopt;
    });
    const QPoint in_clicked(100 + 120 + 5, 100 + 30 + 5);
    auto click = [&] {
        Send_Mouse(top, QEvent::MouseButtonPress, in_clicked, Qt::LeftButton, Qt::LeftButton, 1000);
        Send_Mouse(top, QEvent::MouseButtonRelease, in_clicked, Qt::LeftButton, Qt::NoButton, 1001);
    };
    auto type_a = [&] {
        Send_Key(top, QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
        Send_Key(top, QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, "a");
    };
    struct Case {
        const char* name;
        bool click_first; // else the key comes first and goes to the child focused before the click
    };
    const Case cases[] = {{"click, then key", true}, {"key, then click", false}};
    for (const Case& test : cases) {
        SetFocus(child);
        Pump_Messages();
        Message_Log().clear();
        if (test.click_first) {
            click();
            type_a();
        } else {
            type_a();
            click();
        }
        Pump_Messages();
        const HWND expected_window = test.click_first ? clicked : child;
        const Trace expected = {{expected_window, WM_KEYDOWN}, {expected_window, WM_CHAR}, {expected_window, WM_KEYUP}};
        EXPECT_EQ(Logged_Messages(Key_Messages), expected) << test.name;
        EXPECT_EQ(GetFocus(), clicked) << test.name;
    }
}

// A handler asks about the input it handles: Shift+click with the Shift
// released before the click is taken from the queue is still a Shift+click.
TEST_F(Window_Messages, Key_State_Is_As_The_Last_Retrieved_Input_Left_It)
{
    SetFocus(child);
    struct Seen {
        UINT message;
        bool shift;
        bool shift_now;
    };
    std::vector<Seen> seen;
    Set_Message_Hook([&](HWND window, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (window == child && (message == WM_LBUTTONUP || message == WM_KEYUP))
            seen.push_back({message, GetKeyState(VK_SHIFT) < 0, GetAsyncKeyState(VK_SHIFT) < 0});
        return std::nullopt;
    });
    const QPoint global = In_Child(5, 5);
    auto mouse = [&](QEvent::Type type, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(Window_Widget(top)->mapFromGlobal(global)), QPointF(global),
                          Qt::LeftButton, buttons, Qt::ShiftModifier);
        QApplication::sendEvent(Window_Widget(top), &event);
    };
    Send_Key(top, QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
    mouse(QEvent::MouseButtonPress, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, Qt::NoButton);
    Send_Key(top, QEvent::KeyRelease, Qt::Key_Shift, Qt::NoModifier);
    EXPECT_GE(GetKeyState(VK_SHIFT), 0) << "nothing retrieved yet";

    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, child, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE));
    EXPECT_GE(GetKeyState(VK_SHIFT), 0) << "a peek that leaves the message changes nothing";
    ASSERT_TRUE(PeekMessageA(&msg, child, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
    EXPECT_LT(GetKeyState(VK_SHIFT), 0) << "the Shift press retrieved";
    Pump_Messages();
    const std::vector<std::pair<UINT, bool>> expected = {{WM_LBUTTONUP, true}, {WM_KEYUP, false}};
    ASSERT_EQ(seen.size(), expected.size());
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].message, expected[i].first) << i;
        EXPECT_EQ(seen[i].shift, expected[i].second) << i;
        EXPECT_FALSE(seen[i].shift_now) << i;
    }
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);
}

TEST_F(Window_Messages, The_Wheel_Goes_To_The_Focus_Window_Then_Up_To_Its_Parent)
{
    SetFocus(child);
    Message_Log().clear();
    const QPoint global = In_Child(3, 4);
    QWheelEvent wheel(QPointF(0, 0), QPointF(global), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(Window_Widget(top), &wheel);
    Pump_Messages();
    const Trace expected = {{child, WM_MOUSEWHEEL}, {top, WM_MOUSEWHEEL}};
    EXPECT_EQ(Logged_Messages({WM_MOUSEWHEEL}), expected);
    const Logged& first = Message_Log().front();
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(first.w_param), -WHEEL_DELTA);
    EXPECT_EQ(first.l_param, MAKELPARAM(static_cast<WORD>(global.x()), static_cast<WORD>(global.y())));
}

TEST_F(Window_Messages, Peeking_Removes_Pending_Keys_With_Their_Characters)
{
    SetFocus(child);
    PostMessageA(child, WM_USER + 1, 0, 0);
    Send_Key(top, QEvent::KeyPress, Qt::Key_B, Qt::NoModifier, "b");
    Send_Key(top, QEvent::KeyRelease, Qt::Key_B, Qt::NoModifier, "b");
    PostMessageA(child, WM_USER + 2, 0, 0);

    MSG msg;
    int removed = 0;
    while (PeekMessageA(&msg, child, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE))
        ++removed;
    EXPECT_EQ(removed, 2);
    Pump_Messages();
    const Trace expected = {{child, WM_USER + 1}, {child, WM_USER + 2}};
    EXPECT_EQ(Logged_Messages({WM_USER + 1, WM_USER + 2, WM_KEYDOWN, WM_CHAR, WM_KEYUP}), expected);
}

TEST_F(Window_Messages, A_Posted_Button_Message_Arrives_As_Posted)
{
    ASSERT_TRUE(PostMessageA(child, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6)));
    ASSERT_TRUE(PostMessageA(child, WM_LBUTTONUP, 0, MAKELPARAM(5, 6)));
    EXPECT_TRUE(Message_Log().empty());
    Pump_Messages();
    ASSERT_EQ(Message_Log().size(), 2u);
    EXPECT_EQ(Message_Log()[0].message, WM_LBUTTONDOWN);
    EXPECT_EQ(Message_Log()[0].w_param, MK_LBUTTON);
    EXPECT_EQ(Message_Log()[0].l_param, MAKELPARAM(5, 6));
    EXPECT_EQ(Message_Log()[1].message, WM_LBUTTONUP);

    MSG msg;
    PostMessageA(child, WM_MOUSEMOVE, 0, 0);
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_NOREMOVE));
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE));
    HWND gone = Make_Child(top, QPoint(0, 0), QSize(5, 5));
    DestroyWindow(gone);
    EXPECT_FALSE(PostMessageA(gone, WM_USER, 0, 0));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
}

TEST_F(Window_Messages, Focus_Moves_With_Kill_Before_Set_And_Activation_First)
{
    HWND other_top = Make_Top_Level(QPoint(400, 100), QSize(100, 100));
    HWND other = Make_Child(other_top, QPoint(0, 0), QSize(50, 50));
    SetActiveWindow(top);
    SetFocus(child);
    Message_Log().clear();
    EXPECT_EQ(SetFocus(other), child);
    const Trace expected = {{top, WM_NCACTIVATE},  {top, WM_ACTIVATE},     {other_top, WM_NCACTIVATE},
                            {other_top, WM_ACTIVATE}, {child, WM_KILLFOCUS}, {other_top, WM_SETFOCUS},
                            {other_top, WM_KILLFOCUS}, {other, WM_SETFOCUS}};
    EXPECT_EQ(Logged_Messages({WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS}), expected);
    EXPECT_EQ(GetFocus(), other);
    EXPECT_EQ(GetActiveWindow(), other_top);
    DestroyWindow(other_top);
    EXPECT_EQ(GetFocus(), nullptr);
}

// When activation passes to or from another application, every top-level
// window of ours hears it, a hidden one included, before the newly active
// window is told; activation between our own windows says nothing of it.
TEST_F(Window_Messages, Every_Top_Level_Window_Hears_The_Application_Gain_Or_Lose_Activation)
{
    HWND other_top = Make_Top_Level(QPoint(400, 100), QSize(100, 100));
    HWND hidden = Make_Top_Level(QPoint(0, 0), QSize(1, 1), WS_POPUP);
    Pump_Messages();
    SetActiveWindow(top);
    Pump_Messages();
    ASSERT_EQ(GetActiveWindow(), top);
    struct Step {
        const char* name;
        std::function<void()> act;
        std::optional<WPARAM> heard; // by every one of the three, or by none
    };
    const Step steps[] = {
        {"to another application",
         [&] {
             QEvent deactivate(QEvent::WindowDeactivate);
             QApplication::sendEvent(Window_Widget(top), &deactivate);
         },
         FALSE},
        {"back from another application", [&] { SetActiveWindow(other_top); }, TRUE},
        {"between our own windows", [&] { SetActiveWindow(top); }, std::nullopt},
    };
    for (const Step& step : steps) {
        Message_Log().clear();
        step.act();
        Pump_Messages();
        std::map<HWND, std::vector<WPARAM>> heard;
        for (const Logged& entry : Message_Log()) {
            const bool ours = entry.window == top || entry.window == other_top || entry.window == hidden;
            if (entry.message == WM_ACTIVATEAPP && ours)
                heard[entry.window].push_back(entry.w_param);
            if (entry.message == WM_ACTIVATE && LOWORD(entry.w_param) != WA_INACTIVE) {
                EXPECT_EQ(heard.size(), step.heard ? 3u : 0u) << step.name << ": told before the activation";
            }
        }
        std::map<HWND, std::vector<WPARAM>> expected;
        if (step.heard)
            for (HWND window : {top, other_top, hidden})
                expected[window] = {*step.heard};
        EXPECT_EQ(heard, expected) << step.name;
    }
    DestroyWindow(hidden);
    DestroyWindow(other_top);
}

TEST_F(Window_Messages, Creation_And_Destruction_Follow_The_Windows_Order)
{
    Message_Log().clear();
    HWND parent = Make_Child(top, QPoint(0, 0), QSize(50, 40));
    HWND inner = Make_Child(parent, QPoint(1, 1), QSize(10, 10));
    const Trace created = {{parent, WM_NCCREATE}, {parent, WM_NCCALCSIZE}, {parent, WM_CREATE},
                           {parent, WM_SIZE},     {parent, WM_MOVE},       {parent, WM_SHOWWINDOW}};
    Trace seen = Logged_Messages({WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW});
    seen.resize(created.size());
    EXPECT_EQ(seen, created);

    PostMessageA(inner, WM_USER, 0, 0);
    Message_Log().clear();
    EXPECT_TRUE(DestroyWindow(parent));
    const Trace destroyed = {{parent, WM_DESTROY}, {inner, WM_DESTROY}, {inner, WM_NCDESTROY}, {parent, WM_NCDESTROY}};
    EXPECT_EQ(Logged_Messages({WM_DESTROY, WM_NCDESTROY}), destroyed);
    EXPECT_FALSE(IsWindow(parent));
    EXPECT_FALSE(IsWindow(inner));
    EXPECT_FALSE(ShowWindow(inner, SW_SHOW));
    Message_Log().clear();
    Pump_Messages();
    EXPECT_TRUE(Logged_Messages({WM_USER}).empty());
}

TEST_F(Window_Messages, Closing_From_The_Window_Manager_Asks_The_Window)
{
    bool refuse = true;
    Set_Message_Hook([&](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_CLOSE && refuse)
            return 0;
        return std::nullopt;
    });
    Window_Widget(top)->close();
    EXPECT_TRUE(IsWindow(top));
    refuse = false;
    Window_Widget(top)->close();
    EXPECT_FALSE(IsWindow(top));
    const Trace expected = {{top, WM_SYSCOMMAND}, {top, WM_CLOSE}, {top, WM_SYSCOMMAND},
                            {top, WM_CLOSE},      {top, WM_DESTROY}, {child, WM_DESTROY}};
    EXPECT_EQ(Logged_Messages({WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}), expected);
}

TEST_F(Window_Messages, Other_Threads_Post_And_Send_To_The_Ui_Thread)
{
    DWORD handled_on = 0;
    Set_Message_Hook([&](HWND, UINT message, WPARAM w_param, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_USER + 5) {
            handled_on = GetCurrentThreadId();
            return static_cast<LRESULT>(w_param * 2);
        }
        return std::nullopt;
    });
    LRESULT sent = 0;
    std::atomic<bool> done = false;
    std::thread worker([&] {
        PostMessageA(child, WM_USER + 4, 1, 2);
        sent = SendMessageA(child, WM_USER + 5, 21, 0);
        done = true;
    });
    QEventLoop loop;
    while (!done)
        loop.processEvents(QEventLoop::AllEvents, 10);
    worker.join();
    Pump_Messages();
    EXPECT_EQ(sent, 42);
    EXPECT_EQ(handled_on, GetCurrentThreadId());
    EXPECT_EQ(Logged_Messages({WM_USER + 4}).size(), 1u);
    EXPECT_FALSE(PostThreadMessageA(GetCurrentThreadId() + 1, WM_USER, 0, 0));
    EXPECT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_USER, 0, 0));
}

TEST_F(Window_Messages, A_Window_Timer_Queues_Its_Message)
{
    ASSERT_EQ(SetTimer(child, 7, 10, nullptr), 7u);
    QEventLoop loop;
    Set_Message_Hook([&](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_TIMER)
            loop.quit();
        return std::nullopt;
    });
    QTimer::singleShot(5000, &loop, &QEventLoop::quit); // a safety net, not a measure
    loop.exec();
    EXPECT_TRUE(KillTimer(child, 7));
    EXPECT_FALSE(KillTimer(child, 7));
    ASSERT_FALSE(Logged_Messages({WM_TIMER}).empty());
    for (const Logged& entry : Message_Log())
        if (entry.message == WM_TIMER) {
            EXPECT_EQ(entry.w_param, 7u);
        }
}

} // namespace

namespace {

TEST(System_Events, A_Screen_Change_Reaches_The_Registered_Window)
{
    HWND main_window = Make_Top_Level(QPoint(0, 0), QSize(10, 10), WS_POPUP);
    Set_System_Event_Window(main_window);
    Message_Log().clear();
    QScreen* screen = QGuiApplication::primaryScreen();
    emit screen->geometryChanged(screen->geometry());
    Pump_Messages();
    ASSERT_EQ(Logged_Messages({WM_DISPLAYCHANGE}).size(), 1u);
    const Logged& change = Message_Log().front();
    EXPECT_EQ(change.w_param, static_cast<WPARAM>(screen->depth()));
    EXPECT_EQ(LOWORD(static_cast<DWORD>(change.l_param)), screen->geometry().width());
    EXPECT_EQ(HIWORD(static_cast<DWORD>(change.l_param)), screen->geometry().height());
    DestroyWindow(main_window);
    Message_Log().clear();
    emit screen->geometryChanged(screen->geometry());
    Pump_Messages();
    EXPECT_TRUE(Message_Log().empty());
}

} // namespace
