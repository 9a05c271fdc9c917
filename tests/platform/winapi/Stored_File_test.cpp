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

namespace fs = std::filesystem;

namespace {

class Stored_File : public testing::Test {
protected:
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder = Make_Temp_Folder("stored");
    fs::path file = folder / "Stored.ini";
};

TEST_F(Stored_File, OnlyARegularFileOfSaneSizeIsRead)
{
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> make;
        Stored_Read state;
        int error;
    };
    const Case cases[] = {
        {"a regular file", [](const fs::path& p) { std::ofstream(p) << "text"; }, Stored_Read::Read, 0},
        {"nothing", [](const fs::path&) {}, Stored_Read::Missing, ENOENT},
        {"a FIFO", [](const fs::path& p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); }, Stored_Read::Damaged, EINVAL},
        {"a folder", [](const fs::path& p) { fs::create_directory(p); }, Stored_Read::Damaged, EINVAL},
        {"a link",
         [](const fs::path& p) {
             std::ofstream(p.string() + ".target") << "text";
             fs::create_symlink(p.string() + ".target", p);
         },
         Stored_Read::Damaged, ELOOP},
        {"a file over the limit", [](const fs::path& p) { std::ofstream(p) << std::string(Stored_File_Limit + 1, 'x'); },
         Stored_Read::Damaged, EFBIG},
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
        EXPECT_EQ(text, c.state == Stored_Read::Read ? "text" : "");
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

} // namespace
