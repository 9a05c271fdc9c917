#include "platform/winapi/System_Info.h"
#include "platform/winapi/User_Folders.h"
#include "tests/support/Scoped_Variable.h"
#include "tests/support/Temp_Settings.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

mode_t Mode_Of(const fs::path& path)
{
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

// A folder standing in for /tmp, and a cache and a runtime folder of the
// test's own.
class User_Folders : public testing::Test {
protected:
    void TearDown() override { fs::remove_all(root); }

    fs::path root = Make_Temp_Folder("user_folders");
    fs::path shared = root / "shared";
    fs::path cache = root / "cache";
    fs::path runtime = root / "runtime";
    Scoped_Variable tmpdir{"TMPDIR", shared.string()};
    Scoped_Variable cache_home{"XDG_CACHE_HOME", cache.string()};
};

TEST_F(User_Folders, APrivateFolderIsMadeOrNarrowedButNeverALinkOrAFile)
{
    int error = 0;
    EXPECT_TRUE(Make_Private_Folder(root / "new" / "inner", error));
    EXPECT_EQ(Mode_Of(root / "new" / "inner"), 0700u);
    fs::create_directory(root / "wide");
    fs::permissions(root / "wide", fs::perms(0755));
    EXPECT_TRUE(Make_Private_Folder(root / "wide", error));
    EXPECT_EQ(Mode_Of(root / "wide"), 0700u);

    fs::create_directory(shared);
    fs::permissions(shared, fs::perms(01777));
    fs::create_symlink(root / "wide", root / "link");
    EXPECT_FALSE(Make_Private_Folder(root / "link", error));
    EXPECT_EQ(error, ENOTDIR);
    std::ofstream(root / "file") << "x";
    EXPECT_FALSE(Make_Private_Folder(root / "file", error));
    EXPECT_EQ(Mode_Of(shared), 01777u) << "nothing is changed through a link";
    EXPECT_FALSE(Is_Private_Folder(shared));
    EXPECT_FALSE(Is_Own_Folder(shared));
    EXPECT_TRUE(Is_Own_Folder(root / "wide"));
}

TEST_F(User_Folders, TheTemporaryFolderIsTheUsersOwnAndNeverTheSharedOne)
{
    fs::create_directory(shared);
    fs::create_directory(runtime);
    struct Case {
        std::optional<std::string> runtime_dir;
        mode_t runtime_mode;
        fs::path expected;
    };
    const Case cases[] = {
        {runtime.string(), 0700, runtime},
        {runtime.string(), 0755, cache / "Quorvale" / "Ravivida Ordexia" / "tmp"}, // not private: not used
        {std::nullopt, 0700, cache / "Quorvale" / "Ravivida Ordexia" / "tmp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        fs::permissions(runtime, fs::perms(c.runtime_mode));
        Scoped_Variable runtime_dir("XDG_RUNTIME_DIR", c.runtime_dir);
        char buffer[MAX_PATH] = {};
        const DWORD length = GetTempPathA(sizeof buffer, buffer);
        ASSERT_GT(length, 0u);
        EXPECT_EQ(std::string(buffer, length), c.expected.string() + "/");
        EXPECT_EQ(Mode_Of(c.expected), 0700u);
    }
    EXPECT_TRUE(fs::is_empty(shared));
}

} // namespace
