#include "platform/winapi/Atomic_Save.h"
#include "tests/support/File_Size_Limit.h"
#include "tests/support/Temp_Settings.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>

namespace fs = std::filesystem;

namespace {

std::string Read_Text(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::set<std::string> Names_In(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

class Atomic_Save : public testing::Test {
protected:
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder = Make_Temp_Folder("atomic");
    fs::path target = folder / "data.txt";
};

} // namespace

TEST_F(Atomic_Save, ReplacesTheFileWholeAndLeavesNothingBeside)
{
    std::ofstream(target) << "old contents";
    const std::string text = "new contents\n";
    EXPECT_FALSE(Save_File_Atomically(target.string(), text.data(), text.size()));
    EXPECT_EQ(Read_Text(target), text);
    EXPECT_EQ(Names_In(folder), std::set<std::string>{"data.txt"});
}

TEST_F(Atomic_Save, AWriteThatFailsPartWayLeavesTheOldFileWhole)
{
    std::ofstream(target) << "old contents";
    const std::string text(4096, 'x');
    std::optional<Save_Failure> failure;
    {
        const File_Size_Limit limit(100);
        failure = Save_File_Atomically(target.string(), text.data(), text.size());
    }
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->step, Save_Failure::Write);
    EXPECT_EQ(failure->error, EFBIG);
    EXPECT_EQ(Read_Text(target), "old contents");
    EXPECT_EQ(Names_In(folder), std::set<std::string>{"data.txt"});
}

TEST_F(Atomic_Save, AFolderThatDoesNotExistFailsAtCreation)
{
    const std::optional<Save_Failure> failure = Save_File_Atomically((folder / "none" / "data.txt").string(), "x", 1);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->step, Save_Failure::Create);
    EXPECT_EQ(failure->error, ENOENT);
}

TEST_F(Atomic_Save, NewFilesOfDeadWritersAreRemovedAndThoseOfLiveOnesKept)
{
    const std::string dead = "data.txt.new-999999999-5";
    const std::string live = "data.txt.new-" + std::to_string(getpid()) + "-5";
    const std::string other = "data.txt.new-notes";
    for (const std::string& name : {dead, live, other})
        std::ofstream(folder / name) << "partial";
    EXPECT_FALSE(Save_File_Atomically(target.string(), "x", 1));
    EXPECT_EQ(Names_In(folder), (std::set<std::string>{"data.txt", live, other}));
}

TEST_F(Atomic_Save, TheLongestFileNameStillSaves)
{
    const fs::path longest = folder / std::string(255, 'n');
    EXPECT_FALSE(Save_File_Atomically(longest.string(), "x", 1));
    EXPECT_EQ(Read_Text(longest), "x");
    EXPECT_EQ(Names_In(folder).size(), 1u);
}

TEST_F(Atomic_Save, AReplacedFileKeepsItsModeAndANewOneTakesTheUmaskOrTheModeAsked)
{
    struct Case {
        std::optional<mode_t> existing; // the target's mode before, none for a new file
        std::optional<mode_t> asked;
        Write_Access access;
        mode_t mask;
        mode_t expected;
    };
    constexpr Write_Access any = Write_Access::As_Mode;
    constexpr Write_Access owner = Write_Access::Owner_Only;
    const Case cases[] = {
        {0600, std::nullopt, any, 022, 0600},   {0640, 0644, any, 022, 0640},    {0604, 0600, any, 022, 0604},
        {std::nullopt, std::nullopt, any, 022, 0644}, {std::nullopt, 0600, any, 022, 0600},
        {0666, 0600, owner, 022, 0644},         {0777, std::nullopt, owner, 022, 0755},
        {std::nullopt, std::nullopt, owner, 0, 0644}, {std::nullopt, 0666, owner, 022, 0644},
    };
    const mode_t previous_mask = ::umask(022);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::oct << c.existing.value_or(0) << " -> " << c.expected);
        fs::remove(target);
        if (c.existing) {
            std::ofstream(target) << "private";
            fs::permissions(target, static_cast<fs::perms>(*c.existing));
        }
        ::umask(c.mask);
        const std::string text = "saved";
        ASSERT_FALSE(Save_File_Atomically(target.string(), text.data(), text.size(), c.asked, c.access));
        struct stat status {};
        ASSERT_EQ(::stat(target.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, c.expected);
        EXPECT_EQ(Read_Text(target), text);
    }
    ::umask(previous_mask);
}

// A name in the user's folder may stand for another user's file: a hard link
// to it, or a file put there while the folder was open to others. Its mode
// is not the user's choice and is not kept.
TEST_F(Atomic_Save, AnotherUsersFileLendsTheNewFileNoMode)
{
    constexpr uid_t other_user = 65534;
    const fs::path others = folder / "others";
    fs::create_directory(others);
    std::ofstream(others / "theirs.ini") << "theirs";
    fs::permissions(others / "theirs.ini", static_cast<fs::perms>(0666));
    if (::chown((others / "theirs.ini").c_str(), other_user, other_user) != 0)
        GTEST_SKIP() << "only a test run as root can give a file to another user";
    fs::create_hard_link(others / "theirs.ini", target);
    const std::string text = "mine";
    const mode_t previous_mask = ::umask(022);
    for (const Write_Access access : {Write_Access::As_Mode, Write_Access::Owner_Only}) {
        ASSERT_FALSE(Save_File_Atomically(target.string(), text.data(), text.size(), 0600, access));
        struct stat status {};
        ASSERT_EQ(::stat(target.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, 0600u);
        EXPECT_EQ(status.st_uid, ::geteuid());
        fs::remove(target);
        fs::copy_file(others / "theirs.ini", target);
        ASSERT_EQ(::chown(target.c_str(), other_user, other_user), 0);
        fs::permissions(target, static_cast<fs::perms>(0777));
    }
    ::umask(previous_mask);
    EXPECT_EQ(Read_Text(others / "theirs.ini"), "theirs") << "their file is left as it was";
    struct stat theirs {};
    ASSERT_EQ(::stat((others / "theirs.ini").c_str(), &theirs), 0);
    EXPECT_EQ(theirs.st_mode & 07777, 0666u);
}

TEST_F(Atomic_Save, AFlushThatFailsIsReportedAndLeavesTheOldFileWhole)
{
    std::ofstream(target) << "old contents";
    for (const int error : {EIO, ENOSPC}) {
        static int failure;
        failure = error;
        const Flush_Call previous = Set_Flush_Call([](int) {
            errno = failure;
            return -1;
        });
        const std::string text = "new contents";
        const std::optional<Save_Failure> result = Save_File_Atomically(target.string(), text.data(), text.size());
        Set_Flush_Call(previous);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->step, Save_Failure::Write);
        EXPECT_EQ(result->error, error);
        EXPECT_EQ(Read_Text(target), "old contents");
        EXPECT_EQ(Names_In(folder), std::set<std::string>{"data.txt"});
    }
}
