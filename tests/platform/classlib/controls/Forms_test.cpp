#include "platform/classlib/Dialog_Registry.h"
#include "platform/classlib/ExtCtrls_Timer.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Thread.h"
#include "platform/winapi/Kernel.h"
#include "platform/winapi/Window.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

class Small_Form : public TForm {
public:
    Small_Form() : TForm(nullptr) { SetBounds(10, 10, 120, 80); }
};

// Asks for one synchronised call, which ends the modal form it finds.
class Ending_Thread : public TThread {
public:
    explicit Ending_Thread(TCustomForm* form) : TThread(true), Form(form) {}
    std::atomic<bool> Ran_On_Ui{false};
    DWORD Ui_Thread = GetCurrentThreadId();

protected:
    void Execute() override
    {
        Synchronize([this] {
            Ran_On_Ui = GetCurrentThreadId() == Ui_Thread && Form->Modal();
            Form->SetModalResult(mrOk);
        });
    }

private:
    TCustomForm* Form;
};

} // namespace

TEST(Forms, CloseAsksOnCloseQueryThenDoesWhatOnCloseSays)
{
    struct Case {
        bool can_close;
        TCloseAction action;
        bool visible_after;
        TWindowState state_after;
        bool freed;
    };
    const Case cases[] = {
        {false, caHide, true, wsNormal, false},   {true, caNone, true, wsNormal, false},
        {true, caHide, false, wsNormal, false},   {true, caMinimize, true, wsMinimized, false},
        {true, caFree, false, wsNormal, true},
    };
    for (const Case& c : cases) {
        bool freed = false;
        bool close_called = false;
        auto* form = new Small_Form;
        form->OnCloseQuery = [&](TObject*, bool& CanClose) { CanClose = c.can_close; };
        form->OnClose = [&](TObject*, TCloseAction& Action) {
            close_called = true;
            EXPECT_EQ(Action, caHide) << "the action offered is caHide";
            Action = c.action;
        };
        form->OnDestroy = [&](TObject*) { freed = true; };
        form->Show();
        form->Close();
        EXPECT_EQ(close_called, c.can_close);
        Application->ProcessMessages();
        EXPECT_EQ(freed, c.freed) << "action " << c.action;
        if (!freed) {
            EXPECT_EQ(form->Visible(), c.visible_after) << "action " << c.action;
            EXPECT_EQ(form->WindowState(), c.state_after) << "action " << c.action;
            delete form;
        }
    }
}

TEST(Forms, ClosingAModalFormEndsItWithCancelOnceOnCloseQueryAgrees)
{
    Small_Form form;
    int queries = 0;
    form.OnCloseQuery = [&](TObject*, bool& CanClose) { CanClose = ++queries > 1; };
    form.OnShow = [&](TObject*) {
        // Two closes queued: the first is refused, the second ends the loop.
        PostMessageA(form.Handle(), WM_CLOSE, 0, 0);
        PostMessageA(form.Handle(), WM_CLOSE, 0, 0);
    };
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_EQ(queries, 2);
    EXPECT_FALSE(form.Visible());
    EXPECT_FALSE(form.Modal());
}

TEST(Forms, SynchronizeFromAWorkerRunsWhileAModalFormRuns)
{
    Small_Form form;
    Ending_Thread worker(&form);
    form.OnShow = [&](TObject*) { worker.Resume(); };
    EXPECT_EQ(form.ShowModal(), mrOk);
    worker.WaitFor();
    EXPECT_TRUE(worker.Ran_On_Ui) << "the call ran on the UI thread, inside the modal loop";
}

TEST(Forms, TheDialogRegistryFindsAndClosesAModalForm)
{
    const DWORD ui_thread = GetCurrentThreadId();
    Small_Form form;
    std::vector<Modal_Dialog> seen;
    int asked = 0;
    std::thread shell;
    form.OnShow = [&](TObject*) {
        // Another thread (as the shell's enumeration does) finds the dialog and closes it.
        shell = std::thread([&] {
            seen = Find_Modal_Dialogs(ui_thread);
            asked = Close_Modal_Dialogs(ui_thread);
        });
    };
    EXPECT_EQ(form.ShowModal(), mrCancel);
    shell.join();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].Window, form.Handle());
    EXPECT_EQ(seen[0].Class_Name, "Small_Form");
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(Find_Modal_Dialogs(ui_thread).empty()) << "an ended dialog leaves the registry";
}

TEST(Forms, TimerTicksOnTheUiThreadAndItsExceptionsGoToTheApplication)
{
    TTimer timer(nullptr);
    int ticks = 0;
    std::vector<std::string> caught;
    Application->OnException = [&](TObject* Sender, Exception* E) {
        EXPECT_EQ(Sender, &timer);
        caught.push_back(E->Message);
    };
    timer.SetInterval(1);
    timer.SetOnTimer([&](TObject*) {
        if (++ticks == 2)
            timer.SetEnabled(false);
        throw Exception("tick");
    });
    const DWORD deadline = GetTickCount() + 5000; // generous: only to end a broken run
    while (ticks < 2 && GetTickCount() < deadline)
        Application->ProcessMessages();
    Application->ProcessMessages();
    Application->OnException = nullptr;
    EXPECT_EQ(ticks, 2) << "the timer ran on after a failing tick and stopped when disabled";
    EXPECT_EQ(caught, (std::vector<std::string>{"tick", "tick"}));
}

TEST(Forms, ADialogShownForAnotherThreadIsFoundUnderThatThread)
{
    DWORD polling_thread = 0;
    std::thread([&] { polling_thread = GetCurrentThreadId(); }).join();
    Small_Form form;
    std::vector<Modal_Dialog> seen;
    form.OnShow = [&](TObject*) {
        seen = Find_Modal_Dialogs(polling_thread);
        Close_Modal_Dialogs(polling_thread);
    };
    {
        Dialog_Owner_Scope scope(polling_thread);
        EXPECT_EQ(form.ShowModal(), mrCancel);
    }
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].Window, form.Handle());
    EXPECT_EQ(Dialog_Owner_Thread(), GetCurrentThreadId()) << "the scope has ended";
}

TEST(Forms, TheErrorBoxIsARegisteredModalDialogUnderTheTitle)
{
    const DWORD ui_thread = GetCurrentThreadId();
    Application->SetTitle("Ravivida Ordexia");
    std::string caption;
    int found = 0;
    // Runs inside the box's own loop: finds the box, reads its title, closes it.
    QMetaObject::invokeMethod(QCoreApplication::instance(), [&] {
        const std::vector<Modal_Dialog> dialogs = Find_Modal_Dialogs(ui_thread);
        found = static_cast<int>(dialogs.size());
        if (found == 1) {
            char text[64] = {};
            GetWindowTextA(dialogs[0].Window, text, sizeof text);
            caption = text;
        }
        Close_Modal_Dialogs(ui_thread);
    }, Qt::QueuedConnection);
    try {
        throw EConvertError("'x' is not a valid integer value");
    } catch (...) {
        Application->HandleException(nullptr);
    }
    EXPECT_EQ(found, 1);
    EXPECT_EQ(caption, "Ravivida Ordexia");
    EXPECT_TRUE(Find_Modal_Dialogs(ui_thread).empty());
}

TEST(Forms, AHintShowsInAPopupAfterThePauseAndGoesAtAPress)
{
    Small_Form form;
    auto* control = new TGraphicControl(&form);
    control->SetParent(&form);
    control->SetBounds(10, 10, 40, 20);
    control->SetHint("Camera 1");
    control->SetShowHint(true);
    form.Show();
    Application->SetHintPause(1);
    // The mouse itself comes onto the control from beside the form. A bare
    // WM_MOUSEMOVE would leave the hint to wherever earlier tests left the
    // cursor: away from the window, a mouse-leave follows and ends the hint.
    const POINT over = form.ClientToScreen(POINT{20, 15});
    SetCursorPos(over.x + form.Width(), over.y);
    SetCursorPos(over.x, over.y);
    auto hint_shown = [] {
        THintWindow* hint = Application->HintWindow();
        return hint && hint->HandleAllocated() && IsWindowVisible(hint->Handle());
    };
    const DWORD deadline = GetTickCount() + 5000; // generous: only to end a broken run
    while (!hint_shown() && GetTickCount() < deadline)
        Application->ProcessMessages();
    Application->SetHintPause(500);
    ASSERT_TRUE(hint_shown());
    EXPECT_EQ(Application->HintWindow()->Caption(), "Camera 1");
    EXPECT_TRUE(GetWindowLongA(Application->HintWindow()->Handle(), GWL_STYLE) & static_cast<LONG>(WS_POPUP));

    SendMessageA(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 15));
    SendMessageA(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 15));
    EXPECT_FALSE(hint_shown());
}

TEST(Forms, AModalFormUnderAnotherEndsOnlyAfterTheInnerOneHasEnded)
{
    const DWORD ui_thread = GetCurrentThreadId();
    Small_Form outer;
    Small_Form inner;
    std::vector<std::string> log;
    outer.OnClose = [&](TObject*, TCloseAction&) { log.push_back("outer closes"); };
    inner.OnClose = [&](TObject*, TCloseAction&) { log.push_back("inner closes"); };
    inner.OnShow = [&](TObject*) { EXPECT_EQ(Close_Modal_Dialogs(ui_thread), 2); };
    outer.OnShow = [&](TObject*) {
        QMetaObject::invokeMethod(QCoreApplication::instance(), [&] {
            EXPECT_EQ(inner.ShowModal(), mrCancel);
            log.push_back("inner returned");
        }, Qt::QueuedConnection);
    };
    EXPECT_EQ(outer.ShowModal(), mrCancel);
    EXPECT_EQ(log, (std::vector<std::string>{"inner closes", "inner returned", "outer closes"}));
}

// The application's hidden window hears when activation passes to or from
// another application, so the application hook does; activation moving
// between the application's own forms says nothing.
TEST(Forms, TheApplicationHookHearsTheApplicationGainAndLoseActivation)
{
    Small_Form first;
    Small_Form second;
    first.Show();
    second.Show();
    SetActiveWindow(first.Handle());
    Application->ProcessMessages();
    Application->Handle();
    std::vector<WPARAM> heard;
    const int key = 0;
    Application->HookMainWindow(&key, [&](TMessage& Message) {
        if (Message.Msg == WM_ACTIVATEAPP)
            heard.push_back(Message.WParam);
        return false;
    });

    QEvent to_another_application(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(Window_Widget(first.Handle()), &to_another_application);
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(heard, std::vector<WPARAM>{FALSE});
    SetActiveWindow(second.Handle());
    EXPECT_EQ(heard, (std::vector<WPARAM>{FALSE, TRUE})) << "back from another application";
    SetActiveWindow(first.Handle());
    Application->ProcessMessages();
    EXPECT_EQ(heard, (std::vector<WPARAM>{FALSE, TRUE})) << "from one form of ours to another";
    Application->UnhookMainWindow(&key);
}
