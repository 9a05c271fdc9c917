// The program as a user starts it: the real executable beside the real
// libOrdexia.so, a private settings folder with a simulated SD WCU behind
// COM1 (camera 1's default port), a private runtime folder for the single
// instance, and a private X server when Xvfb is there (else offscreen, where
// the windows cannot be seen from outside).

#include "platform/winapi/Instance_Lock.h"
#include "tests/platform/winapi/Test_Private_Display.h"
#include "tests/shell/program/Program_Process.h"
#include "tests/shell/program/X_Screen_Watch.h"
#include "tests/support/Simulated_Wcu.h"
#include "tests/support/Temp_Settings.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// Far beyond a start, a poll or a close on a loaded machine under sanitizers.
constexpr std::chrono::milliseconds Generous = 90s;

const std::string Title = "Ravivida Triax Camera Ordexia";

class Environment_Variable {
public:
    Environment_Variable(const char* variable, const std::string& value) : name(variable)
    {
        if (const char* old = std::getenv(name))
            previous = old;
        setenv(name, value.c_str(), 1);
    }
    ~Environment_Variable()
    {
        if (previous)
            setenv(name, previous->c_str(), 1);
        else
            unsetenv(name);
    }
    Environment_Variable(const Environment_Variable&) = delete;
    Environment_Variable& operator=(const Environment_Variable&) = delete;

private:
    const char* name;
    std::optional<std::string> previous;
};

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
        if (display.Available())
            screen = std::make_unique<X_Screen_Watch>();
    }
    ~Program() override { fs::remove_all(runtime); }

    bool Can_See_Windows() const { return screen && screen->Open(); }

    // The borderless 791 x 452 main window of that process.
    std::vector<X_Screen_Watch::Window_Seen> Main_Windows(pid_t program)
    {
        std::vector<X_Screen_Watch::Window_Seen> windows = screen->Shown_Windows();
        std::erase_if(windows, [&](const auto& window) {
            return window.Pid != program || window.Width != 791 || window.Height != 452;
        });
        return windows;
    }
    // The first instance serves restore requests once it has its socket.
    bool Serving()
    {
        return Wait_Until([] { return fs::exists(Instance_Lock::Socket_Path(Title)); }, Generous);
    }

    fs::path runtime;
    Environment_Variable runtime_variable;
    Simulated_Wcu wcu{1};
    Private_Display display;
    Environment_Variable platform;
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
    const fs::path socket = Instance_Lock::Socket_Path(Title);
    struct stat stale {};
    ASSERT_EQ(stat(socket.c_str(), &stale), 0) << "the crash left its socket";

    Program_Process restarted(ORDEXIA_PROGRAM);
    ASSERT_TRUE(Wait_Until(
        [&] {
            struct stat now {};
            return stat(socket.c_str(), &now) == 0 && now.st_ino != stale.st_ino;
        },
        Generous))
        << "the new instance replaces the stale socket with its own";
    Program_Process second(ORDEXIA_PROGRAM);
    EXPECT_EQ(second.Wait_Exit(Generous), 0);
    EXPECT_TRUE(restarted.Running()) << "the second start left the new first instance running";
    restarted.Signal(SIGTERM);
    EXPECT_EQ(restarted.Wait_Exit(Generous), 0);
}
