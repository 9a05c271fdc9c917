#include "platform/winapi/Stored_File.h"
#include "tests/support/Temp_Settings.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>

namespace fs = std::filesystem;

namespace {

class Stored_File : public testing::Test {
protected:
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder = Make_Temp_Folder("stored");
    fs::path file = folder / "Stored.ini";
};

TEST_F(Stored_File, OnlyARegularFileOfSaneSizeIsReadAndOfALargerOneItsHead)
{
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> make;
        Stored_Read state;
        int error;
        std::string text;
    };
    const std::string head = "[Head]\n" + std::string(Stored_File_Limit - 7, 'x');
    const Case cases[] = {
        {"a regular file", [](const fs::path& p) { std::ofstream(p) << "text"; }, Stored_Read::Read, 0, "text"},
        {"nothing", [](const fs::path&) {}, Stored_Read::Missing, ENOENT, ""},
        {"a FIFO", [](const fs::path& p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); }, Stored_Read::Damaged, EINVAL, ""},
        {"a folder", [](const fs::path& p) { fs::create_directory(p); }, Stored_Read::Damaged, EINVAL, ""},
        {"a link",
         [](const fs::path& p) {
             std::ofstream(p.string() + ".target") << "text";
             fs::create_symlink(p.string() + ".target", p);
         },
         Stored_Read::Damaged, ELOOP, ""},
        {"a file over the limit", [&](const fs::path& p) { std::ofstream(p) << head << "yz"; }, Stored_Read::Damaged,
         EFBIG, head},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(folder);
        fs::create_directories(folder);
        c.make(file);
        std::string text = "left over";
        const Stored_Read_Result result = Read_Stored_File(file, text);
        EXPECT_EQ(result.State, c.state);
        EXPECT_EQ(result.Error, c.error);
        EXPECT_EQ(text, c.text);
    }
}

TEST_F(Stored_File, AFileTheUserNamesMayBeReachedThroughALinkButStillNotAFifo)
{
    std::ofstream(folder / "target") << "text";
    fs::create_symlink(folder / "target", file);
    std::string text;
    EXPECT_EQ(Read_Stored_File(file, text, Stored_File_Limit, Links::Follow).State, Stored_Read::Read);
    EXPECT_EQ(text, "text");
    ASSERT_EQ(mkfifo((folder / "fifo").c_str(), 0600), 0);
    fs::create_symlink(folder / "fifo", folder / "fifo-link");
    EXPECT_EQ(Read_Stored_File(folder / "fifo-link", text, Stored_File_Limit, Links::Follow).State,
              Stored_Read::Damaged);
}

TEST_F(Stored_File, AnOpenedFileReadsBlocking)
{
    std::ofstream(file) << "text";
    const int descriptor = Open_Stored_File(file);
    ASSERT_GE(descriptor, 0);
    EXPECT_EQ(fcntl(descriptor, F_GETFL) & O_NONBLOCK, 0);
    EXPECT_NE(fcntl(descriptor, F_GETFD) & FD_CLOEXEC, 0);
    close(descriptor);
}

// What lies under a name: its text, or what else it is.
std::string Text_Or_Kind(const fs::path& path)
{
    const fs::file_status status = fs::symlink_status(path);
    if (status.type() != fs::file_type::regular)
        return status.type() == fs::file_type::not_found ? "<none>" : "<not a file>";
    std::ifstream stream(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

TEST_F(Stored_File, AnAppendGoesOnlyToARegularFileOfTheUsersOwnAndCreatesOneOnlyWhenAsked)
{
    const fs::path target = folder / "target";
    const auto private_mode = fs::perms::owner_read | fs::perms::owner_write;
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> make;
        std::optional<fs::perms> create_mode;
        bool appended;
        std::string after;
        std::string target_after;
    };
    const Case cases[] = {
        {"a regular file", [](const fs::path& p) { std::ofstream(p) << "old "; }, std::nullopt, true, "old new",
         "<none>"},
        {"nothing", [](const fs::path&) {}, std::nullopt, false, "<none>", "<none>"},
        {"nothing, created", [](const fs::path&) {}, private_mode, true, "new", "<none>"},
        {"a link to a file",
         [&](const fs::path& p) {
             std::ofstream(target) << "victim";
             fs::create_symlink(target, p);
         },
         private_mode, false, "<not a file>", "victim"},
        {"a link to nothing", [&](const fs::path& p) { fs::create_symlink(target, p); }, private_mode, false,
         "<not a file>", "<none>"},
        {"a FIFO", [](const fs::path& p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); }, private_mode, false,
         "<not a file>", "<none>"},
        {"a folder", [](const fs::path& p) { fs::create_directory(p); }, private_mode, false, "<not a file>",
         "<none>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(folder);
        fs::create_directories(folder);
        c.make(file);
        EXPECT_EQ(Append_To_Own_File(file, "new", c.create_mode), c.appended);
        EXPECT_EQ(Text_Or_Kind(file), c.after);
        EXPECT_EQ(Text_Or_Kind(target), c.target_after) << "a link's target is never written nor made";
    }
}

TEST_F(Stored_File, ACreatedFileHasTheModeAskedAtMost)
{
    ASSERT_TRUE(Append_To_Own_File(file, "x", fs::perms::owner_read | fs::perms::owner_write));
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    const auto readable_by_group = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(file, readable_by_group);
    ASSERT_TRUE(Append_To_Own_File(file, "y", fs::perms::all)) << "an existing file keeps its mode";
    EXPECT_EQ(fs::status(file).permissions(), readable_by_group);
    EXPECT_EQ(Text_Or_Kind(file), "xy");
}

TEST_F(Stored_File, AFileOfTheUsersIsMadeWritableButNeverThroughALink)
{
    std::ofstream(file) << "old";
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
    EXPECT_TRUE(Make_Own_File_Writable(file));
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    const fs::path target = folder / "target";
    std::ofstream(target) << "victim";
    fs::permissions(target, fs::perms::owner_read);
    fs::create_symlink(target, folder / "link");
    EXPECT_FALSE(Make_Own_File_Writable(folder / "link"));
    EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read);
    EXPECT_FALSE(Make_Own_File_Writable(folder / "missing"));
}

TEST_F(Stored_File, AFolderIsWritableWhenTheSystemLetsTheUserCreateNamesInIt)
{
    std::ofstream(file) << "a file where a folder should be";
    EXPECT_TRUE(Is_Folder_Writable(folder));
    EXPECT_FALSE(Is_Folder_Writable(folder / "missing"));
    EXPECT_FALSE(Is_Folder_Writable(file / "below"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1) << "nothing was tried";
}

} // namespace
