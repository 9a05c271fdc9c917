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
        mode_t expected;
    };
    const mode_t mask = ::umask(022);
    const Case cases[] = {
        {0600, std::nullopt, 0600}, {0640, 0644, 0640}, {0604, 0600, 0604},
        {std::nullopt, std::nullopt, 0644}, {std::nullopt, 0600, 0600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        fs::remove(target);
        if (c.existing) {
            std::ofstream(target) << "private";
            fs::permissions(target, static_cast<fs::perms>(*c.existing));
        }
        const std::string text = "saved";
        ASSERT_FALSE(Save_File_Atomically(target.string(), text.data(), text.size(), c.asked));
        struct stat status {};
        ASSERT_EQ(::stat(target.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, c.expected);
        EXPECT_EQ(Read_Text(target), text);
    }
    ::umask(mask);
}
