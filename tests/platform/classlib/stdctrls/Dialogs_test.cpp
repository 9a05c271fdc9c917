#include "platform/classlib/Dialog_Registry.h"
#include "platform/classlib/Dialogs.h"
#include "platform/classlib/StdCtrls.h"
#include "platform/winapi/Kernel.h"
#include "tests/support/Temp_Settings.h"

#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
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

QFileDialog* Shown_File_Dialog() { return qobject_cast<QFileDialog*>(QApplication::activeModalWidget()); }

// Runs the dialog: the folder it opened in, after which it takes the file
// named, or is cancelled without one.
std::filesystem::path Folder_Opened(TSaveDialog& dialog, const std::string& take = "")
{
    std::filesystem::path folder;
    While_Shown([&] {
        QFileDialog* shown = Shown_File_Dialog();
        ASSERT_NE(shown, nullptr);
        folder = shown->directory().absolutePath().toStdString();
        if (take.empty()) {
            shown->reject();
            return;
        }
        shown->selectFile(QString::fromStdString(take));
        static_cast<QDialog*>(shown)->accept(); // public there
    });
    dialog.Execute();
    return folder;
}

// The user's home folder for the object's lifetime.
class Home_Folder {
public:
    explicit Home_Folder(const std::filesystem::path& folder)
    {
        if (const char* old = std::getenv("HOME"))
            previous = old;
        setenv("HOME", folder.c_str(), 1);
    }
    ~Home_Folder()
    {
        if (previous)
            setenv("HOME", previous->c_str(), 1);
        else
            unsetenv("HOME");
    }
    Home_Folder(const Home_Folder&) = delete;
    Home_Folder& operator=(const Home_Folder&) = delete;

private:
    std::optional<std::string> previous;
};

} // namespace

// A dialog that names no folder opens where the user last saved a file,
// else in the user's documents folder, and never in the program's own
// working folder.
TEST(Dialogs, SaveDialogOpensInTheFolderLastUsedElseInTheDocumentsFolder)
{
    Temp_Settings settings; // no folders of the user's named there: documents is ~/Documents
    const std::filesystem::path home = Make_Temp_Folder("dialog_home");
    const std::filesystem::path documents = home / "Documents";
    std::filesystem::create_directory(documents);
    const Home_Folder home_folder(home);
    const std::filesystem::path used = Make_Temp_Folder("dialog_used");

    TSaveDialog first(nullptr);
    Folder_Opened(first, (used / "camera_1.txt").string());
    TSaveDialog second(nullptr);
    EXPECT_TRUE(std::filesystem::equivalent(Folder_Opened(second), used)) << "the folder last used";

    std::filesystem::remove_all(used);
    TSaveDialog third(nullptr);
    EXPECT_TRUE(std::filesystem::equivalent(Folder_Opened(third), documents))
        << "the documents folder once the last one is gone";
    std::filesystem::remove_all(home);
}

// Qt sizes the date column for short American dates; the locale's own may
// be longer, and show whole too.
TEST(Dialogs, SaveDialogShowsTheFilesDatesWhole)
{
    Temp_Settings settings;
    const std::filesystem::path folder = Make_Temp_Folder("dialog_dates");
    std::ofstream(folder / "status.txt") << "log";
    TSaveDialog dialog(nullptr);
    dialog.SetInitialDir(folder.string());
    QTimer listed;
    int needed = 0;
    int given = 0;
    While_Shown([&] {
        QFileDialog* shown = Shown_File_Dialog();
        ASSERT_NE(shown, nullptr);
        auto* details = shown->findChild<QTreeView*>(QStringLiteral("treeView"));
        ASSERT_NE(details, nullptr);
        // The folder is read by another thread: its file comes in later.
        QObject::connect(&listed, &QTimer::timeout, shown, [&, shown, details] {
            if (details->model()->rowCount(details->rootIndex()) == 0)
                return;
            listed.stop();
            // What the view does once the rows are in (a slot of the header's).
            QMetaObject::invokeMethod(details->header(), "resizeSections");
            needed = static_cast<QAbstractItemView*>(details)->sizeHintForColumn(3);
            given = details->header()->sectionSize(3);
            shown->reject();
        });
        listed.start(1);
    });
    dialog.Execute();
    EXPECT_GT(needed, 0);
    EXPECT_GE(given, needed) << "the date column is as wide as its dates";
    std::filesystem::remove_all(folder);
}

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
