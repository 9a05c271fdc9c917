#include "platform/winapi/Settings_Folder.h"
#include "tests/support/Temp_Settings.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <functional>
#include <iostream>

namespace fs = std::filesystem;

namespace {

// A user id no test process runs as.
constexpr uid_t Other_User = 65534;

mode_t Settings_Mode_Of(const fs::path& path)
{
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

// Gives the name (a link itself, not what it names) to another user; only a
// test run as root can.
bool Give_Away(const fs::path& path)
{
    return ::lchown(path.c_str(), Other_User, Other_User) == 0;
}

} // namespace

class Settings_Folder_Test : public testing::Test {
protected:
    ~Settings_Folder_Test() override { fs::remove_all(elsewhere); }

    fs::path Quorvale() const { return settings.Config_Home() / "Quorvale"; }
    fs::path Program() const { return Quorvale() / "Ravivida Ordexia"; }
    // A folder outside the config home, made with the mode.
    fs::path Folder_Elsewhere(const char* name, mode_t mode) const
    {
        const fs::path folder = elsewhere / name;
        fs::create_directory(folder);
        fs::permissions(folder, static_cast<fs::perms>(mode));
        return folder;
    }

    Temp_Settings settings;
    fs::path elsewhere = Make_Temp_Folder("elsewhere");
};

TEST_F(Settings_Folder_Test, FollowsXdgConfigHome)
{
    EXPECT_EQ(Settings_Folder(), settings.Config_Home() / "Quorvale" / "Ravivida Ordexia");
    fs::path created;
    ASSERT_TRUE(Ensure_Settings_Folder(created));
    EXPECT_TRUE(fs::is_directory(created));
}

TEST_F(Settings_Folder_Test, MissingFoldersAreMadeForTheUserAloneWhateverTheUmask)
{
    const mode_t previous = ::umask(002);
    fs::path created;
    const bool made = Ensure_Settings_Folder(created);
    ::umask(previous);
    ASSERT_TRUE(made);
    EXPECT_EQ(Settings_Mode_Of(Quorvale()), 0700u);
    EXPECT_EQ(Settings_Mode_Of(Program()), 0700u);
    EXPECT_TRUE(Is_Own_Settings_Folder()) << "what was made is used next time";
}

// Another user's folder in the settings folder's place would choose the
// settings read, receive the ones saved and name the devices opened.
TEST_F(Settings_Folder_Test, OnlyAFolderOfTheUsersOwnReachedThroughTheUsersOwnLinksIsUsed)
{
    struct Case {
        const char* what;
        std::function<bool()> make; // false when this process cannot make it
        bool own;
    };
    const Case cases[] = {
        {"missing", [] { return true; }, true},
        {"made by the user", [&] { return fs::create_directories(Program()); }, true},
        {"a link of the user's to a folder of the user's",
         [&] {
             fs::create_directory_symlink(Folder_Elsewhere("mine", 0700), Quorvale());
             return true;
         },
         true},
        {"a file where a folder should be: nothing of another's is used",
         [&] { return static_cast<bool>(std::ofstream(Quorvale()) << "a file"); }, true},
        {"Quorvale writable by others",
         [&] {
             fs::create_directories(Program());
             fs::permissions(Quorvale(), static_cast<fs::perms>(0777));
             return true;
         },
         false},
        {"the program's folder writable by the group",
         [&] {
             fs::create_directories(Program());
             fs::permissions(Program(), static_cast<fs::perms>(0770));
             return true;
         },
         false},
        {"the program's folder a link to a folder anyone can write into",
         [&] {
             fs::create_directories(Quorvale());
             fs::create_directory_symlink(Folder_Elsewhere("shared", 01777), Program());
             return true;
         },
         false},
        {"Quorvale a link to a folder of another user's",
         [&] {
             const fs::path theirs = Folder_Elsewhere("theirs", 0755);
             fs::create_directory_symlink(theirs, Quorvale());
             return Give_Away(theirs);
         },
         false},
        {"Quorvale a link of another user's to a folder of the user's",
         [&] {
             fs::create_directory_symlink(Folder_Elsewhere("mine-too", 0700), Quorvale());
             return Give_Away(Quorvale());
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(Quorvale());
        fs::remove_all(elsewhere);
        fs::create_directory(elsewhere);
        if (!c.make()) {
            std::cout << "skipped, as only root can give a name to another user: " << c.what << "\n";
            continue;
        }
        EXPECT_EQ(Is_Own_Settings_Folder(), c.own);
        fs::path folder;
        int error = 0;
        if (!c.own) {
            EXPECT_FALSE(Ensure_Settings_Folder(folder, error));
            EXPECT_EQ(error, EPERM);
        }
    }
}
