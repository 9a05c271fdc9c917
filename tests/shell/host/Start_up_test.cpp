#include "shell/host/Start_up.h"

#include "platform/classlib/Dialog_Registry.h"
#include "platform/classlib/Dialogs_Message_Box.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/StdCtrls.h"
#include "platform/classlib/String_Table.h"
#include "platform/classlib/SysUtils.h"
#include "platform/winapi/Instance_Lock.h"
#include "platform/winapi/Kernel.h"
#include "platform/winapi/Message.h"
#include "platform/winapi/Registry_Store.h"
#include "tests/support/Scoped_Variable.h"
#include "tests/support/Temp_Runtime_Folder.h"
#include "tests/support/Temp_Settings.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

OSVERSIONINFOA Version(DWORD major, DWORD minor, DWORD platform, const char* service_pack)
{
    OSVERSIONINFOA version;
    version.dwMajorVersion = major;
    version.dwMinorVersion = minor;
    version.dwPlatformId = platform;
    std::strncpy(version.szCSDVersion, service_pack, sizeof version.szCSDVersion - 1);
    return version;
}

// The message box the UI thread shows next, read and closed from inside its
// own loop. Nothing is seen when no box opens before the events are handled.
// Should the call under test wait for ever instead (a box never found, a
// start that goes on to run the program), the watch ends every box and the
// application's loop after a wide margin: the test fails rather than hangs.
class Box_Watch {
public:
    Box_Watch()
    {
        QMetaObject::invokeMethod(QCoreApplication::instance(), [this] { Read_And_Close(); }, Qt::QueuedConnection);
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [this] {
            timed_out = true;
            Close_Modal_Dialogs(GetCurrentThreadId());
            Application->Terminate();
        });
        watchdog.start(60000);
    }
    // After the call under test: lets a watch that found no box run out.
    void Settle()
    {
        QCoreApplication::processEvents();
        watchdog.stop();
        EXPECT_FALSE(timed_out) << "the call under test waited until the watchdog ended it";
    }

    std::optional<std::string> text;
    std::string caption;
    bool error_icon = false;

private:
    void Read_And_Close()
    {
        const DWORD ui_thread = GetCurrentThreadId();
        const std::vector<Modal_Dialog> dialogs = Find_Modal_Dialogs(ui_thread);
        if (dialogs.size() != 1)
            return;
        if (auto* box = dynamic_cast<TCustomForm*>(FindControl(dialogs[0].Window))) {
            caption = box->Caption();
            text = static_cast<TLabel*>(box->FindComponent("LabelMessage"))->Caption();
            error_icon = box->FindComponent("IconError") != nullptr;
        }
        Close_Modal_Dialogs(ui_thread);
    }

    QTimer watchdog;
    bool timed_out = false;
};

// Remembers the WM_USER commands it is posted.
class Listening_Form : public TForm {
public:
    Listening_Form() : TForm(nullptr) { SetBounds(10, 10, 120, 80); }
    int Restore_Requests = 0;

protected:
    void Dispatch(TMessage& Message) override
    {
        if (Message.Msg == WM_USER && Message.WParam == 1 && Message.LParam == 1)
            ++Restore_Requests;
        TForm::Dispatch(Message);
    }
};

// The settings-repair box shows this text the first time and never again.
void Expect_Settings_Repair_Told_Once(const std::string& expected)
{
    Box_Watch box;
    Show_Settings_Repair();
    box.Settle();
    ASSERT_TRUE(box.text.has_value());
    EXPECT_EQ(*box.text, expected);
    Box_Watch again;
    Show_Settings_Repair();
    again.Settle();
    EXPECT_FALSE(again.text.has_value()) << "told once";
}

} // namespace

TEST(Start_Up, OsGateAcceptsExactlyTheWindowsReleasesItSupports)
{
    struct Case {
        DWORD major;
        DWORD minor;
        DWORD platform;
        const char* service_pack;
        bool accepted;
    };
    constexpr DWORD win9x = VER_PLATFORM_WIN32_WINDOWS;
    constexpr DWORD nt = VER_PLATFORM_WIN32_NT;
    const Case cases[] = {
        {4, 0, win9x, "", false},           // Windows 95
        {4, 0, win9x, " C ", false},        // Windows 95 OSR2 too
        {4, 10, win9x, "", false},          // Windows 98
        {4, 10, win9x, "A", false},         // one character is not enough
        {4, 10, win9x, " A ", true},        // Windows 98 SE
        {4, 10, win9x, " B ", true},
        {4, 10, win9x, " C ", false},
        {4, 90, win9x, " ", true},          // Windows Me
        {4, 0, nt, "", false},              // NT 4.0 without a service pack
        {4, 0, nt, "Service Pack 5", false},
        {4, 0, nt, "Service Pack 6", true},
        {4, 0, nt, "Service Pack 7", true},
        {4, 0, nt, "Service Pack 9", true},
        {4, 0, nt, "Service Pack 6a", true}, // the last character decides
        {4, 0, nt, "Service Pack 6\xE9", false}, // a high byte is negative
        {3, 51, nt, "Service Pack 5", false},
        {3, 10, VER_PLATFORM_WIN32s, "", false},
        {5, 0, nt, "", true},               // Windows 2000
        {5, 1, nt, "Service Pack 2", true}, // XP
        {6, 1, nt, "", true},
        {0xFFFFFFFF, 0, nt, "", true},      // the major version is unsigned
    };
    for (const Case& c : cases)
        EXPECT_EQ(Is_Os_Version_Accepted(Version(c.major, c.minor, c.platform, c.service_pack)), c.accepted)
            << c.major << "." << c.minor << " platform " << c.platform << " '" << c.service_pack << "'";
}

TEST(Start_Up, OsGateReadsAServicePackTextWithoutItsEnd)
{
    OSVERSIONINFOA nt4 = Version(4, 0, VER_PLATFORM_WIN32_NT, "");
    std::memset(nt4.szCSDVersion, '6', sizeof nt4.szCSDVersion);
    EXPECT_TRUE(Is_Os_Version_Accepted(nt4));
    OSVERSIONINFOA win98 = Version(4, 10, VER_PLATFORM_WIN32_WINDOWS, "");
    std::memset(win98.szCSDVersion, 'B', sizeof win98.szCSDVersion);
    EXPECT_TRUE(Is_Os_Version_Accepted(win98));
}

TEST(Start_Up, OsGateRefusalShowsMessage2003AndNoVersionRefusesSilently)
{
    struct Case {
        std::optional<OSVERSIONINFOA> version;
        bool accepted;
        bool box;
    };
    const Case cases[] = {
        {Version(4, 0, VER_PLATFORM_WIN32_WINDOWS, ""), false, true},
        {Version(5, 1, VER_PLATFORM_WIN32_NT, "Service Pack 3"), true, false},
        {std::nullopt, false, false},
    };
    for (const Case& c : cases) {
        Box_Watch box;
        EXPECT_EQ(Check_Os_Version(c.version ? &*c.version : nullptr), c.accepted);
        box.Settle();
        ASSERT_EQ(box.text.has_value(), c.box);
        if (c.box) {
            EXPECT_EQ(*box.text, LoadStr(2003));
            EXPECT_EQ(box.caption, LoadStr(1000));
            EXPECT_TRUE(box.error_icon);
        }
    }
    EXPECT_TRUE(Check_Os_Version()) << "the running system always passes";
}

TEST(Start_Up, MissingOrBrokenLibraryShowsMessage2004BeforeAnyWindowOrInstanceTest)
{
    Temp_Runtime_Folder runtime;
    const fs::path empty = Make_Temp_Folder("no_library");
    const fs::path broken = Make_Temp_Folder("broken_library");
    std::ofstream(broken / "libOrdexia.so") << "not a shared library";
    for (const fs::path& folder : {empty, broken}) {
        bool created = false;
        Box_Watch box;
        EXPECT_EQ(Start_Program({folder, [&] { created = true; }}), 0);
        box.Settle();
        ASSERT_TRUE(box.text.has_value()) << folder;
        EXPECT_EQ(*box.text, LoadStr(2004));
        EXPECT_EQ(box.caption, LoadStr(1000));
        EXPECT_TRUE(box.error_icon);
        EXPECT_FALSE(created);
        EXPECT_TRUE(runtime.Empty()) << "no single-instance lock was taken";
    }
    fs::remove_all(empty);
    fs::remove_all(broken);
}

TEST(Start_Up, ExceptionEscapingTheStartIsShownByTheApplicationAndEndsWithZero)
{
    Temp_Runtime_Folder runtime;
    Temp_Settings settings;
    struct Case {
        std::function<void()> fail;
        const char* shown;
    };
    const Case cases[] = {
        {[] { throw EConvertError("'x' is not a valid integer value"); }, "'x' is not a valid integer value."},
        {[] { throw std::runtime_error("not of the class library"); }, ""},
        {[] { throw 42; }, ""},
    };
    for (const Case& c : cases) {
        bool instance_held = false;
        Box_Watch box;
        EXPECT_EQ(Start_Program({Program_Folder(),
                                 [&] {
                                     instance_held = !Instance_Lock(LoadStr(1000)).First();
                                     c.fail();
                                 }}),
                  0);
        box.Settle();
        ASSERT_TRUE(box.text.has_value());
        EXPECT_EQ(*box.text, c.shown);
        EXPECT_TRUE(box.error_icon);
        EXPECT_TRUE(instance_held) << "the main form is made by the single instance";
        EXPECT_TRUE(Instance_Lock(LoadStr(1000)).First()) << "the instance is let go when the start ends";
    }
}

TEST(Start_Up, RestoreRequestBringsAShownWindowBackAndPostsToAHiddenOne)
{
    Listening_Form form;
    Restore_Instance(form.Handle());
    Application->ProcessMessages();
    EXPECT_EQ(form.Restore_Requests, 1) << "a hidden window restores its application itself";
    EXPECT_FALSE(form.Visible());

    form.Show();
    form.SetWindowState(wsMinimized);
    Application->ProcessMessages();
    ASSERT_TRUE(IsIconic(form.Handle()));
    Restore_Instance(form.Handle());
    Application->ProcessMessages();
    EXPECT_FALSE(IsIconic(form.Handle()));
    EXPECT_TRUE(form.Visible());
    EXPECT_EQ(form.Restore_Requests, 1) << "a shown window is restored directly";

    Restore_Instance(nullptr); // no window: nothing to do
}

namespace {
std::atomic<int> Close_Requests{0};

void Ignore_Signal(int) {}

sighandler_t Hang_Up_Disposition()
{
    struct sigaction current {};
    sigaction(SIGHUP, nullptr, &current);
    return current.sa_handler;
}

void Reset_Termination_Signals()
{
    for (const int signal_number : {SIGTERM, SIGINT, SIGHUP})
        std::signal(signal_number, SIG_DFL);
}
} // namespace

TEST(Start_Up, TerminationSignalsCloseTheProgramFromItsEventLoop)
{
    // A hang-up left to a handler of the test's own, were it not taken over,
    // so that this process lives on to tell.
    std::signal(SIGHUP, Ignore_Signal);
    Close_On_Termination_Signals([] { ++Close_Requests; });
    for (const int signal_number : {SIGTERM, SIGINT, SIGHUP}) {
        const int before = Close_Requests;
        std::raise(signal_number);
        EXPECT_EQ(Close_Requests, before) << "nothing runs inside the signal handler";
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (Close_Requests == before && std::chrono::steady_clock::now() < limit)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        EXPECT_EQ(Close_Requests, before + 1) << signal_number;
    }
    Reset_Termination_Signals();
}

TEST(Start_Up, AHangUpIgnoredWhenTheProgramStartedStaysIgnored)
{
    std::signal(SIGHUP, SIG_IGN); // as nohup starts it
    Close_On_Termination_Signals([] { ++Close_Requests; });
    EXPECT_EQ(Hang_Up_Disposition(), SIG_IGN);
    Reset_Termination_Signals();
}

namespace {

struct Box_Seen {
    std::optional<std::string> text;
    bool error_icon = false;
};

// A start whose lock cannot be made: it ends with 1 and makes no main
// window; the box it showed.
Box_Seen Start_That_Cannot_Lock()
{
    Temp_Settings settings;
    bool created = false;
    Box_Watch box;
    EXPECT_EQ(Start_Program({Program_Folder(), [&] { created = true; }}), 1);
    box.Settle();
    EXPECT_FALSE(created);
    return {box.text, box.error_icon};
}

} // namespace

TEST(Start_Up, ALockThatCannotBeMadeIsToldAndEndsWithAnError)
{
    Temp_Runtime_Folder runtime;
    const std::string lock = Instance_Lock::Lock_Path(LoadStr(1000));
    fs::create_directory(lock); // something in the lock's place that is not a running first instance
    const Box_Seen box = Start_That_Cannot_Lock();
    ASSERT_TRUE(box.text.has_value()) << "never a silent end";
    EXPECT_EQ(*box.text, Lock_Failure_Text(Instance_Lock::Lock_Folder(), EISDIR));
    EXPECT_EQ(box.text->rfind(LoadStr(2023) + fs::path(lock).parent_path().string(), 0), 0u) << *box.text;
    EXPECT_TRUE(box.error_icon);
    fs::remove(lock);
}

// Without a runtime folder of the user's, the lock's folder is made in the
// user's cache; when even that cannot be made, the message names it.
TEST(Start_Up, ALockFolderThatCannotBeMadeIsNamedInTheMessage)
{
    const fs::path root = Make_Temp_Folder("blocked_cache");
    std::ofstream(root / "file") << "a file where the cache folder should go";
    const fs::path cache = root / "file" / "cache";
    const Scoped_Variable no_runtime("XDG_RUNTIME_DIR", std::nullopt);
    const Scoped_Variable cache_home("XDG_CACHE_HOME", cache.string());
    const Box_Seen box = Start_That_Cannot_Lock();
    ASSERT_TRUE(box.text.has_value()) << "never a silent end";
    const fs::path folder = cache / "Quorvale" / "Ravivida Ordexia" / "runtime";
    EXPECT_EQ(*box.text, LoadStr(2023) + folder.string() + "\n\n" + std::strerror(ENOTDIR));
    fs::remove_all(root);
}

TEST(Start_Up, ARepairedSettingsFileIsToldOnceWithWhatWasResetAndWhereTheCopyIs)
{
    Temp_Settings settings;
    const fs::path file = settings.Program_Folder() / "Registry.ini";
    std::ofstream(file) << "[Software\\Quorvale\\Ravivida Ordexia]\nPort_Number_Cam1=7\nName_Cam1=3\nPort_Number_Ca";
    Take_Registry_Repair();
    Registry_Store{};
    Expect_Settings_Repair_Told_Once(LoadStr(2024) + "\nPort_Number_Ca" + LoadStr(2026) + file.string() + ".damaged");

    EXPECT_EQ(Settings_Repair_Text({file, true, {"ignored"}}), LoadStr(2025) + LoadStr(2026) + file.string());
    EXPECT_EQ(Settings_Not_Saved_Text("/home/user/.config", EROFS),
              LoadStr(2027) + "/home/user/.config\n\n" + std::strerror(EROFS) + LoadStr(2028));
}

TEST(Start_Up, ASettingsFolderNotTheUsersOwnIsToldOnceAndATooLargeFileNamesItsLostRest)
{
    Temp_Settings settings;
    const fs::path folder = settings.Program_Folder();
    fs::permissions(folder, fs::perms::group_write, fs::perm_options::add);
    Take_Refused_Settings_Folder();
    Take_Registry_Repair();
    Registry_Store{};
    Expect_Settings_Repair_Told_Once(LoadStr(2031) + folder.string() + LoadStr(2032));

    const fs::path file = folder / "Registry.ini";
    EXPECT_EQ(Settings_Repair_Text({file, false, {"Name_Cam1=3..."}, true}),
              LoadStr(2024) + "\nName_Cam1=3..." + LoadStr(2030) + LoadStr(2026) + file.string());
}

// The close path of the main window, as the program's would run it: it
// notes that it ran, after the box it found open had ended.
TEST(Start_Up, ATerminationSignalEndsAnOpenModalBoxAndThenClosesTheMainWindow)
{
    std::vector<std::string> order;
    Close_On_Termination_Signals([&] { Close_For_Termination([&] { order.push_back("main window closed"); }); });
    QMetaObject::invokeMethod(QCoreApplication::instance(), [] { std::raise(SIGTERM); }, Qt::QueuedConnection);
    // Should the signal leave the box open, the box is ended here so that the
    // test fails rather than hangs; the margin is wide.
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { Close_Modal_Dialogs(GetCurrentThreadId()); });
    watchdog.start(60000);
    const int answer = Application->MessageBox("Error in serial Com port", "Ordexia", MB_OKCANCEL | MB_ICONERROR);
    order.push_back("box ended");
    EXPECT_EQ(answer, IDCANCEL);
    while (order.size() < 2 && watchdog.isActive())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    EXPECT_TRUE(watchdog.isActive()) << "the signal ended the box";
    EXPECT_EQ(order, (std::vector<std::string>{"box ended", "main window closed"}));

    // A box raised while the program closes (a polling thread's error) ends at once.
    watchdog.start(60000);
    EXPECT_EQ(Application->MessageBox("Error in serial Com port", "Ordexia", MB_OKCANCEL), IDCANCEL);
    EXPECT_TRUE(watchdog.isActive()) << "the later box did not wait for an answer";
    Allow_Modal_Dialogs();
    Reset_Termination_Signals();
}

// A signal during the main window's start pause ends the pause (were it not
// to, the test's watchdog would end this ten-minute sleep as hung) and is
// still handled once the event loop runs.
TEST(Start_Up, ATerminationSignalEndsTheStartPauseAndIsStillHandled)
{
    int closes = 0;
    Close_On_Termination_Signals([&] { ++closes; });
    std::raise(SIGTERM);
    Sleep_Unless_Terminating(600000);
    QTimer limit;
    limit.setSingleShot(true);
    limit.start(60000);
    while (closes == 0 && limit.isActive())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    EXPECT_EQ(closes, 1);
    Reset_Termination_Signals();
}
