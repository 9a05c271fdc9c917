// The application object's previous-instance test, the activation of the
// previous instance, and ending the session or the machine through a
// login manager of the test's own.

#include "components/foundations/Sclclass.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <array>
#include <utility>

#include "components/foundations/Sclutils.h"
#include "platform/winapi/Shutdown.h"
#include "platform/winapi/Window.h"
#include "tests/components/foundations/ui/Fake_Login_Manager.h"
#include "tests/platform/winapi/Test_Instance.h"

namespace {

// The library's application object replaced by one made for the test.
class Own_Application {
public:
    Own_Application() : object(std::make_unique<TSCLApplication>(nullptr)) { std::swap(SCLApplication, raw); }
    ~Own_Application() { std::swap(SCLApplication, raw); }
    Own_Application(const Own_Application&) = delete;
    Own_Application& operator=(const Own_Application&) = delete;
    TSCLApplication& operator*() const { return *object; }

private:
    std::unique_ptr<TSCLApplication> object;
    TSCLApplication* raw = object.get();
};

TEST(Sclclass_Instance, AProgramStartedSecondHasAPreviousInstance)
{
    Temp_Runtime_Folder runtime;
    TSCLApplication first(nullptr);
    TSCLApplication second(nullptr);
    EXPECT_FALSE(first.PrevInstance());
    EXPECT_NE(first.Mutex(), nullptr);
    EXPECT_TRUE(second.PrevInstance());
}

TEST(Sclclass_Instance, TheMutexGoesWithItsApplication)
{
    Temp_Runtime_Folder runtime;
    { TSCLApplication first(nullptr); }
    EXPECT_FALSE(TSCLApplication(nullptr).PrevInstance());
}

std::string Window_Text(HWND window)
{
    std::array<char, 256> text{};
    GetWindowTextA(window, text.data(), text.size());
    return text.data();
}

TEST(Sclutils_Instance, ActivatingAsksThePreviousInstanceToRestore)
{
    Temp_Runtime_Folder runtime;
    const std::string title = "Activate " + std::to_string(getpid());
    Application->SetTitle(title);
    TSCLApplication holder(nullptr);
    Own_Application second;
    ASSERT_TRUE((*second).PrevInstance());
    Serving_Instance first(title);
    ASSERT_TRUE(first.Started());
    SetWindowTextA(Application->Handle(), title.c_str());

    SCLActivatePrevInstance();
    EXPECT_EQ(first.Restores(), 1);
    EXPECT_EQ(Window_Text(Application->Handle()), ""); // no longer found by its title
}

TEST(Sclutils_Instance, WithoutAPreviousInstanceNothingIsAsked)
{
    Temp_Runtime_Folder runtime;
    const std::string title = "Alone " + std::to_string(getpid());
    Application->SetTitle(title);
    Own_Application only;
    ASSERT_FALSE((*only).PrevInstance());
    SetWindowTextA(Application->Handle(), title.c_str());
    Serving_Instance other(title);
    ASSERT_TRUE(other.Started());

    SCLActivatePrevInstance();
    EXPECT_EQ(Window_Text(Application->Handle()), title);
    // Ends the other instance's thread: this is the only request it gets.
    EXPECT_TRUE(Instance_Lock(title).Ask_Restore());
    EXPECT_EQ(other.Restores(), 1);
}

// ---- QuitWindows, against the stand-in login manager ------------------------

class Sclclass_Quit : public testing::Test {
protected:
    void SetUp() override
    {
        if (logind.Address().empty())
            GTEST_SKIP() << "no dbus-daemon to run a private bus";
        Set_Login_Manager_Bus(logind.Address());
    }
    void TearDown() override { Set_Login_Manager_Bus(""); }

    Fake_Login_Manager logind;
    TSCLApplication application{nullptr};
};

TEST_F(Sclclass_Quit, QuitAndRebootNeedTheRightThenAskLogind)
{
    EXPECT_TRUE(application.QuitWindows(ecQuit));
    EXPECT_TRUE(application.QuitWindows(ecReboot));
    EXPECT_EQ(logind.Methods(), (std::vector<std::string>{"CanPowerOff", "PowerOff", "CanReboot", "Reboot"}));
    const auto calls = logind.Calls();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[1].arguments, QVariantList{QVariant(false)}); // never asks the user
    EXPECT_TRUE(Application->Terminated());
}

TEST_F(Sclclass_Quit, ARefusedRightOrCallAnswersFalse)
{
    struct Case {
        const char* name;
        const char* can;
        const char* error;
        TSCLExitCode code;
        std::vector<std::string> methods;
    };
    const Case cases[] = {
        {"asks for a password", "challenge", "", ecQuit, {"CanPowerOff"}},
        {"not allowed", "no", "", ecReboot, {"CanReboot"}},
        {"not available", "na", "", ecQuit, {"CanPowerOff"}},
        {"call refused", "yes", "org.freedesktop.DBus.Error.AccessDenied", ecQuit, {"CanPowerOff", "PowerOff"}},
        {"call failed", "yes", "org.freedesktop.login1.OperationInProgress", ecReboot, {"CanReboot", "Reboot"}},
    };
    for (const Case& c : cases) {
        Fake_Login_Manager manager;
        ASSERT_FALSE(manager.Address().empty());
        manager.can_power_off = manager.can_reboot = c.can;
        manager.power_error = c.error;
        Set_Login_Manager_Bus(manager.Address());
        EXPECT_FALSE(application.QuitWindows(c.code)) << c.name;
        EXPECT_EQ(manager.Methods(), c.methods) << c.name;
        Set_Login_Manager_Bus("");
    }
}

TEST_F(Sclclass_Quit, RestartEndsTheOwnSessionWithoutAskingForTheRight)
{
    EXPECT_TRUE(application.QuitWindows(ecRestart));
    const auto calls = logind.Calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].method, "GetSessionByPID");
    EXPECT_EQ(calls[0].arguments.value(0).toUInt(), static_cast<uint>(getpid()));
    EXPECT_EQ(calls[1].method, "Terminate");
    EXPECT_EQ(calls[1].path, Fake_Login_Manager::Session_Path);
}

TEST_F(Sclclass_Quit, ARefusedLogoffAnswersFalse)
{
    logind.session_error = "org.freedesktop.DBus.Error.AccessDenied";
    EXPECT_FALSE(application.QuitWindows(ecRestart));
    EXPECT_EQ(GetLastError(), ERROR_PRIVILEGE_NOT_HELD);
}

TEST(Sclclass_Quit_Unreachable, NoLoginManagerAnswersFalse)
{
    const std::filesystem::path folder = Make_Temp_Folder("nobus");
    Set_Login_Manager_Bus("unix:path=" + (folder / "missing").string());
    TSCLApplication application(nullptr);
    EXPECT_FALSE(application.QuitWindows(ecQuit));
    EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
    Set_Login_Manager_Bus("");
    std::filesystem::remove_all(folder);
}

} // namespace
