// The program as a user starts it: the real executable beside the real
// libOrdexia.so, a private settings folder with a simulated SD WCU behind
// COM1 (camera 1's default port), a private runtime folder for the single
// instance, and a private X server when Xvfb is there (else offscreen, where
// the windows cannot be seen from outside).

#include "link/St_system.h"
#include "platform/winapi/Instance_Lock.h"
#include "tests/platform/winapi/Test_Private_Display.h"
#include "tests/shell/host/program/Program_Desktop.h"
#include "tests/shell/host/program/Program_Process.h"
#include "tests/shell/host/program/X_Screen_Watch.h"
#include "tests/support/Simulated_Wcu.h"
#include "tests/support/Temp_Settings.h"
#include "tests/support/File_Text.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// Far beyond a start, a poll or a close on a loaded machine under sanitizers.
constexpr std::chrono::milliseconds Generous = 90s;

const std::string Title = "Ravivida Triax Camera Ordexia";

// A listening socket answers a connection; one left by a dead process does not.
bool Socket_Answers(const std::string& path)
{
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int connection = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const bool answered = connect(connection, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(connection);
    return answered;
}

// One user's desktop: settings with the simulated WCU, runtime folder, display.
class Program : public ::testing::Test {
protected:
    Program()
        : runtime(Make_Temp_Folder("runtime")),
          runtime_variable("XDG_RUNTIME_DIR", runtime.string()),
          display("1024x768x24"),
          platform("QT_QPA_PLATFORM", display.Available() ? "xcb" : "offscreen")
    {
        Typical_Sd_Wcu().Load(wcu.Simulator());
        // Settings of the user's own that the program must keep.
        Reg_Write_Camera_Integer(Ordexia_Registry_Key, "Name", 7, 0);
        Reg_Write_Camera_Integer(Ordexia_Registry_Key, "Alarm_Sound", 1, 0);
        if (display.Available())
            screen = std::make_unique<X_Screen_Watch>();
    }
    ~Program() override { fs::remove_all(runtime); }

    bool Can_See_Windows() const { return screen && screen->Open(); }

    int Requests(BYTE request)
    {
        const std::vector<BYTE> requests = wcu.Simulator().Requests();
        return static_cast<int>(std::count(requests.begin(), requests.end(), request));
    }
    // The WCU was identified and is polled: type requests, then polls.
    bool Polled(int polls = 3)
    {
        return Wait_Until([&] { return Requests('?') > 0 && Requests('%') >= polls; }, Generous);
    }

    // The borderless 791 x 452 main window of that process.
    std::vector<X_Screen_Watch::Window_Seen> Main_Windows(pid_t program)
    {
        std::vector<X_Screen_Watch::Window_Seen> windows = screen->Shown_Windows();
        std::erase_if(windows, [&](const auto& window) {
            return window.Pid != program || window.Width != 791 || window.Height != 452;
        });
        return windows;
    }
    // The first instance serves restore requests once its socket answers.
    bool Serving()
    {
        return Wait_Until([] { return Socket_Answers(Instance_Lock::Socket_Path(Title)); }, Generous);
    }
    fs::path Registry_File() { return wcu.Settings().Program_Folder() / "Registry.ini"; }

    fs::path runtime;
    Environment_Setting runtime_variable;
    Simulated_Wcu wcu{1};
    Private_Display display;
    Environment_Setting platform;
    std::unique_ptr<X_Screen_Watch> screen;
};

} // namespace

TEST_F(Program, ShowsItsWindowWhichASecondStartBringsToTheFrontAndQuitsOnSigterm)
{
    Program_Process first(ORDEXIA_PROGRAM);
    ASSERT_TRUE(Serving());
    unsigned long main_window = 0;
    if (Can_See_Windows()) {
        ASSERT_TRUE(Wait_Until([&] { return Main_Windows(first.Pid()).size() == 1; }, Generous))
            << "the main window shows";
        main_window = Main_Windows(first.Pid()).front().Id;
        EXPECT_EQ(Main_Windows(first.Pid()).front().Title, Title) << "what a later start looks for";
        screen->Take_Focus();
        ASSERT_NE(screen->Focus(), main_window);
        screen->Touch(main_window);
        screen->Watch_Mappings();
    }

    Program_Process second(ORDEXIA_PROGRAM);
    EXPECT_EQ(second.Wait_Exit(Generous), 0) << "a second start ends at once";
    EXPECT_TRUE(first.Running());
    if (Can_See_Windows()) {
        for (const X_Screen_Watch::Window_Seen& mapped : screen->Mapped_Since())
            EXPECT_EQ(mapped.Pid, first.Pid()) << "a window " << mapped.Id << " '" << mapped.Title
                                               << "' was shown, not by the first instance";
        EXPECT_TRUE(Wait_Until([&] { return screen->Focus() == main_window; }, Generous))
            << "the first instance came to the front";
    }

    first.Signal(SIGTERM);
    EXPECT_EQ(first.Wait_Exit(Generous), 0) << "SIGTERM closes the program as its user would";
    EXPECT_FALSE(fs::exists(Instance_Lock::Socket_Path(Title))) << "the instance socket is gone with the program";
}

TEST_F(Program, AStartAfterACrashIsTheFirstInstance)
{
    {
        Program_Process crashed(ORDEXIA_PROGRAM);
        ASSERT_TRUE(Serving());
        crashed.Signal(SIGKILL);
        ASSERT_EQ(crashed.Wait_Exit(Generous), 128 + SIGKILL);
    }
    const std::string socket = Instance_Lock::Socket_Path(Title);
    ASSERT_TRUE(fs::exists(socket)) << "the crash left its socket";
    ASSERT_FALSE(Socket_Answers(socket));

    Program_Process restarted(ORDEXIA_PROGRAM);
    ASSERT_TRUE(Serving()) << "the new instance replaces the stale socket with its own";
    Program_Process second(ORDEXIA_PROGRAM);
    EXPECT_EQ(second.Wait_Exit(Generous), 0);
    EXPECT_TRUE(restarted.Running()) << "the second start left the new first instance running";
    restarted.Signal(SIGTERM);
    EXPECT_EQ(restarted.Wait_Exit(Generous), 0);
}

TEST_F(Program, PollsItsCameraAndQuittingStopsItWritingNoSetting)
{
    Program_Process program(ORDEXIA_PROGRAM);
    ASSERT_TRUE(Polled()) << "the camera on COM1 is identified and polled";
    const std::string settings = File_Text(Registry_File());
    program.Signal(SIGTERM);
    EXPECT_EQ(program.Wait_Exit(Generous), 0) << "the close ends the process once its camera has stopped";
    EXPECT_EQ(File_Text(Registry_File()), settings) << "quitting writes no setting";
    for (const char* line : {"Camera_Count=1", "Name_Cam1=7", "Port_Number_Cam1=1", "Alarm_Sound_Cam1=1",
                             "System_Type_Cam1=0"})
        EXPECT_NE(settings.find(std::string(line) + "\n"), std::string::npos) << line << " in\n" << settings;
}
