#include "platform/winapi/Instance_Lock.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "tests/support/Scoped_Variable.h"
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

namespace {

// Without a runtime folder the lock goes to a private folder of the user's
// cache, never to the shared temporary folder.
TEST_F(InstanceLock, WithoutARuntimeFolderTheLockIsInAPrivateFolderOfTheUser)
{
    const fs::path shared = folder / "shared";
    const fs::path cache = folder / "cache";
    fs::create_directory(shared);
    Scoped_Variable runtime_dir("XDG_RUNTIME_DIR", std::nullopt);
    Scoped_Variable tmpdir("TMPDIR", shared.string());
    Scoped_Variable cache_home("XDG_CACHE_HOME", cache.string());
    const Instance_Lock first("Wireless Ordexia");
    EXPECT_EQ(first.State(), Lock_State::Taken);
    const fs::path private_folder = cache / "Quorvale" / "Ravivida Ordexia" / "runtime";
    EXPECT_EQ(fs::path(Instance_Lock::Lock_Path("Wireless Ordexia")).parent_path(), private_folder);
    EXPECT_EQ(fs::status(private_folder).permissions(), fs::perms::owner_all);
    EXPECT_TRUE(fs::is_empty(shared));
    const HANDLE mutex = CreateMutexA(nullptr, FALSE, "program.exe");
    EXPECT_NE(mutex, nullptr);
    CloseHandle(mutex);
    EXPECT_TRUE(fs::exists(private_folder / ("program_exe-" + std::to_string(getuid()) + ".lock")));
    EXPECT_TRUE(fs::is_empty(shared));
}

// Something another program put in the lock's place is not a first instance
// that runs: the start fails with the reason, it does not end as a second.
TEST_F(InstanceLock, ALockThatCannotBeTakenIsAFailureNotAnotherInstance)
{
    const std::string lock = Instance_Lock::Lock_Path("Blocked");
    fs::create_symlink(folder / "elsewhere", lock);
    const Instance_Lock linked("Blocked");
    EXPECT_EQ(linked.State(), Lock_State::Failed);
    EXPECT_EQ(linked.Error(), ELOOP);
    EXPECT_FALSE(fs::exists(folder / "elsewhere")) << "nothing is made through the link";
    fs::remove(lock);
    fs::create_directory(lock);
    const Instance_Lock folder_in_place("Blocked");
    EXPECT_EQ(folder_in_place.State(), Lock_State::Failed);
    EXPECT_NE(folder_in_place.Error(), 0);
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(CreateMutexA(nullptr, FALSE, "Blocked"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);

    const Instance_Lock first("Free");
    const Instance_Lock second("Free");
    EXPECT_EQ(second.State(), Lock_State::Held_Elsewhere);
}

} // namespace
