#include "platform/classlib/Dialog_Registry.h"
#include "platform/classlib/Dialogs.h"
#include "platform/classlib/StdCtrls.h"
#include "platform/winapi/Kernel.h"
#include "tests/support/Temp_Settings.h"

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

namespace {

// Runs Act inside the dialog's own loop, once it is shown.
void While_Shown(std::function<void()> Act)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(Act), Qt::QueuedConnection);
}

TCustomForm* Open_Box(DWORD thread)
{
    const std::vector<Modal_Dialog> dialogs = Find_Modal_Dialogs(thread);
    return dialogs.size() == 1 ? dynamic_cast<TCustomForm*>(FindControl(dialogs[0].Window)) : nullptr;
}

} // namespace

TEST(Dialogs, SaveDialogClosedThroughTheRegistryAnswersFalse)
{
    Temp_Settings settings; // Qt's file dialog keeps its own settings
    const DWORD ui_thread = GetCurrentThreadId();
    TSaveDialog dialog(nullptr);
    dialog.SetFileName("status.txt");
    int found = 0;
    While_Shown([&] {
        found = static_cast<int>(Find_Modal_Dialogs(ui_thread).size());
        Close_Modal_Dialogs(ui_thread);
    });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(found, 1);
    EXPECT_EQ(dialog.FileName(), "status.txt");
    EXPECT_TRUE(Find_Modal_Dialogs(ui_thread).empty());
}

TEST(Dialogs, SaveDialogAcceptedAddsTheDefaultExtension)
{
    Temp_Settings settings;
    const std::filesystem::path folder = Make_Temp_Folder("save_dialog");
    TSaveDialog dialog(nullptr);
    dialog.SetFilter(std::string("Text file (*.") + "txt" + ")|*." + "txt");
    dialog.SetDefaultExt("txt");
    dialog.SetInitialDir(folder.string());
    dialog.SetOptions(TOpenOptions{ofOverwritePrompt, ofHideReadOnly, ofEnableSizing});
    QStringList filters;
    While_Shown([&] {
        auto* shown = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        filters = shown->nameFilters();
        EXPECT_FALSE(shown->testOption(QFileDialog::DontConfirmOverwrite));
        shown->selectFile(QStringLiteral("camera_1"));
        static_cast<QDialog*>(shown)->accept(); // public there
    });
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(filters, QStringList{QStringLiteral("Text file (*.txt)")});
    EXPECT_EQ(std::filesystem::path(dialog.FileName()), folder / "camera_1.txt");
    EXPECT_EQ(dialog.FilterIndex(), 1);
    std::filesystem::remove_all(folder);
}

TEST(Dialogs, MessageBoxShowsTextIconAndButtonsAndAnswersTheButton)
{
    struct Case {
        UINT flags;
        const char* icon;
        const char* press; // nullptr: closed through the registry
        int answer;
    };
    const Case cases[] = {
        {MB_ICONERROR, "IconError", nullptr, IDOK},
        {MB_YESNO | MB_ICONQUESTION, "IconQuestion", "ButtonYes", IDYES},
        {MB_YESNO | MB_ICONWARNING, "IconWarning", nullptr, IDNO},
        {MB_OKCANCEL | MB_ICONINFORMATION, "IconInformation", nullptr, IDCANCEL},
        {MB_ABORTRETRYIGNORE, nullptr, "ButtonRetry", IDRETRY},
    };
    const DWORD ui_thread = GetCurrentThreadId();
    Application->SetTitle("Ravivida Triax Camera Ordexia");
    for (const Case& c : cases) {
        std::string text;
        std::string caption;
        bool has_icon = false;
        int icons = 0;
        While_Shown([&] {
            TCustomForm* box = Open_Box(ui_thread);
            ASSERT_NE(box, nullptr);
            caption = box->Caption();
            text = static_cast<TLabel*>(box->FindComponent("LabelMessage"))->Caption();
            for (const char* name : {"IconError", "IconQuestion", "IconWarning", "IconInformation"})
                icons += box->FindComponent(name) != nullptr;
            has_icon = c.icon && box->FindComponent(c.icon);
            if (c.press)
                static_cast<TButton*>(box->FindComponent(c.press))->Click();
            else
                Close_Modal_Dialogs(ui_thread);
        });
        EXPECT_EQ(Application_MessageBox("Camera 2\nHelp file not loaded :\n", nullptr, c.flags), c.answer)
            << c.flags;
        EXPECT_EQ(caption, "Ravivida Triax Camera Ordexia");
        EXPECT_EQ(text, "Camera 2\nHelp file not loaded :\n");
        EXPECT_EQ(icons, c.icon ? 1 : 0);
        EXPECT_EQ(has_icon, c.icon != nullptr);
    }
}

TEST(Dialogs, MessageBoxAskedByAnotherThreadIsShownOnItsBehalf)
{
    std::atomic<DWORD> asking{0};
    std::atomic<bool> done{false};
    int answer = 0;
    std::thread worker([&] {
        asking = GetCurrentThreadId();
        answer = MessageBoxA(nullptr, "Com3 is used", "Ravivida Triax Camera Ordexia", MB_ICONERROR);
        done = true;
    });
    Application->Initialize(); // queued calls run from Qt's loop
    bool ran_on_ui = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (asking && Open_Box(asking)) {
            ran_on_ui = true;
            Close_Modal_Dialogs(asking);
        }
    });
    closer.start(1);
    while (!done)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    worker.join();
    EXPECT_TRUE(ran_on_ui) << "registered under the asking thread";
    EXPECT_EQ(answer, IDOK);
}
