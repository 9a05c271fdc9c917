#include "platform/winapi/Instance_Lock.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "tests/platform/winapi/Test_Instance.h"
#include "tests/support/Gui_Application.h"

namespace fs = std::filesystem;

namespace {

// Locks and sockets go into a runtime folder of the test's own.
class InstanceLock : public testing::Test {
protected:
    void SetUp() override { Ensure_Gui_Application(); }

    Temp_Runtime_Folder runtime;
    const fs::path& folder = runtime.Folder();
};

TEST_F(InstanceLock, TheFirstHoldsTheLockPerTitle)
{
    Instance_Lock first("Wireless Ordexia");
    Instance_Lock second("Wireless Ordexia");
    Instance_Lock other("Another Program");
    EXPECT_TRUE(first.First());
    EXPECT_FALSE(second.First());
    EXPECT_TRUE(other.First());
    EXPECT_FALSE(second.Serve([] {}));
    EXPECT_EQ(Instance_Lock::Socket_Path("Wireless Ordexia"),
              (folder / ("Wireless_Ordexia-" + std::to_string(getuid()) + ".socket")).string());
}

TEST_F(InstanceLock, TheLockIsFreeOnceItsHolderGoes)
{
    { Instance_Lock first("Title"); }
    EXPECT_TRUE(Instance_Lock("Title").First());
}

TEST_F(InstanceLock, ALockOfACrashedHolderIsFree)
{
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const Instance_Lock held("Crashing");
        const char state = held.First() ? 'y' : 'n';
        (void)!write(ready[1], &state, 1);
        pause();
        _exit(0);
    }
    char state = 0;
    ASSERT_EQ(read(ready[0], &state, 1), 1);
    EXPECT_EQ(state, 'y');
    EXPECT_FALSE(Instance_Lock("Crashing").First());
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    close(ready[0]);
    close(ready[1]);
    EXPECT_TRUE(Instance_Lock("Crashing").First());
}

TEST_F(InstanceLock, ALaterStartAsksTheFirstToRestore)
{
    Serving_Instance first("Ordexia");
    ASSERT_TRUE(first.Started());
    const Instance_Lock later("Ordexia");
    ASSERT_FALSE(later.First());
    EXPECT_TRUE(later.Ask_Restore());
    EXPECT_EQ(first.Restores(), 1);
    EXPECT_TRUE(first.Restored_On_Its_Thread());
}

TEST_F(InstanceLock, AStaleSocketIsReplacedByTheNextHolder)
{
    // A socket file bound by a holder that crashed: nobody listens on it.
    const std::string path = Instance_Lock::Socket_Path("Ordexia");
    const int stale = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(bind(stale, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(stale);
    ASSERT_TRUE(fs::exists(path));
    EXPECT_FALSE(Instance_Lock("Other").Ask_Restore(500)); // no holder at all

    Serving_Instance first("Ordexia");
    ASSERT_TRUE(first.Started());
    EXPECT_TRUE(Instance_Lock("Ordexia").Ask_Restore());
    EXPECT_EQ(first.Restores(), 1);
}

TEST_F(InstanceLock, AskingWithoutAServingHolderFails)
{
    const Instance_Lock first("Silent");
    const Instance_Lock later("Silent");
    EXPECT_FALSE(later.Ask_Restore(500));
}

TEST_F(InstanceLock, NamedMutexesAnswerWhetherTheyExisted)
{
    const HANDLE first = CreateMutexA(nullptr, FALSE, "program.exe");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    const HANDLE second = CreateMutexA(nullptr, FALSE, "program.exe");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    CloseHandle(second);
    CloseHandle(first);
    const HANDLE again = CreateMutexA(nullptr, FALSE, "program.exe");
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    CloseHandle(again);
    const HANDLE unnamed = CreateMutexA(nullptr, TRUE, nullptr);
    EXPECT_NE(unnamed, nullptr);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    CloseHandle(unnamed);
}

} // namespace
