// GetKeyState after keys that went to a window that is not ours: a Qt dialog
// or a popup menu in its modal loop takes them, and none of our input
// messages ever carries them.

#include "tests/platform/winapi/windows/Window_Test_Support.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

class Key_State : public ::testing::Test {
protected:
    void SetUp() override
    {
        top = Make_Top_Level(QPoint(100, 100), QSize(200, 150));
        SetFocus(top);
        Pump_Messages();
    }
    void TearDown() override
    {
        DestroyWindow(top);
        Pump_Messages();
    }

    static void Send_Foreign_Key(QWidget* widget, QEvent::Type type, Qt::Key key)
    {
        QKeyEvent event(type, key, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }

    HWND top = nullptr;
};

TEST_F(Key_State, A_Key_Released_While_A_Qt_Dialog_Runs_Is_Up_Once_It_Closes)
{
    Send_Key(top, QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
    Pump_Messages();
    ASSERT_LT(GetKeyState(VK_CONTROL), 0);

    QDialog dialog;
    QTimer::singleShot(0, &dialog, [&] {
        Send_Foreign_Key(&dialog, QEvent::KeyRelease, Qt::Key_Control);
        dialog.reject();
    });
    dialog.exec();
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);
    EXPECT_GE(GetAsyncKeyState(VK_CONTROL), 0);

    Send_Key(top, QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
    Pump_Messages();
    EXPECT_LT(GetKeyState(VK_CONTROL), 0) << "the next press in our window counts again";
    Send_Key(top, QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier);
    Pump_Messages();
}

// Input still queued from before the release does not press the key again
// when it is taken from the queue; later input does.
TEST_F(Key_State, A_Key_Released_Outside_Our_Windows_Outdates_Older_Queued_Input)
{
    Send_Key(top, QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
    QWidget menu(nullptr, Qt::Popup);
    Send_Foreign_Key(&menu, QEvent::KeyRelease, Qt::Key_Shift);
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);
    Pump_Messages();
    EXPECT_GE(GetKeyState(VK_SHIFT), 0) << "the older press retrieved after the release";
    EXPECT_GE(GetAsyncKeyState(VK_SHIFT), 0);

    Send_Key(top, QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
    EXPECT_GE(GetKeyState(VK_SHIFT), 0) << "not retrieved yet";
    Pump_Messages();
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    Send_Key(top, QEvent::KeyRelease, Qt::Key_Shift, Qt::NoModifier);
    Pump_Messages();
}

} // namespace
