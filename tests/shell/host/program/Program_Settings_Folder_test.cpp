// A settings folder that another user can change, as the program meets it:
// the real executable on a private X server, its settings folder reached
// through a link to a folder anyone can write into (and that another user
// owns, when the test runs as root), holding settings and a port link to a
// simulated WCU. The program must not read those settings, write its own
// there, nor open the device that folder names; it tells the user.

#include "tests/shell/host/program/Program_Desktop.h"
#include "tests/support/File_Text.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string Title = "Ravivida Triax Camera Ordexia";

std::set<std::string> Names_In(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

class Program_Settings_Folder : public Program_Desktop {
protected:
    ~Program_Settings_Folder() override { fs::remove_all(shared_root); }

    // Quorvale moved into a folder anyone can write into, and a link of the
    // user's put in its place.
    void Hand_Settings_Folder_Over()
    {
        const fs::path quorvale = settings.Config_Home() / "Quorvale";
        fs::rename(quorvale, shared);
        fs::permissions(shared, static_cast<fs::perms>(0777));
        constexpr uid_t other_user = 65534;
        if (::chown(shared.c_str(), other_user, other_user) != 0)
            std::cout << "not root: the folder stays the user's, but anyone can write into it\n";
        fs::create_directory_symlink(shared, quorvale);
    }

    // The program's message boxes: titled as the program, unlike its main window's size.
    int Boxes_Shown()
    {
        const std::vector<X_Screen_Watch::Window_Seen> windows = screen->Shown_Windows();
        return static_cast<int>(std::count_if(windows.begin(), windows.end(), [&](const auto& window) {
            return window.Pid == program->Pid() && window.Title == Title &&
                   !(window.Width == 791 && window.Height == 452);
        }));
    }

    fs::path shared_root = Make_Temp_Folder("shared");
    fs::path shared = shared_root / "Quorvale";
};

} // namespace

TEST_F(Program_Settings_Folder, AFolderAnotherUserCanChangeIsNeitherReadNorWrittenAndItsPortsStayClosed)
{
    Use_Cameras(1);
    const fs::path folder = settings.Program_Folder();
    const fs::path file = folder / "Registry.ini";
    const std::string theirs = File_Text(file);
    ASSERT_NE(theirs.find("Port_Number_Cam1=1\n"), std::string::npos) << theirs;
    Hand_Settings_Folder_Over();

    program = std::make_unique<Program_Process>(ORDEXIA_PROGRAM);
    // A program that used the folder would poll the camera and tell nothing.
    EXPECT_TRUE(Wait_Until([&] { return Main_Window() != 0 && Boxes_Shown() > 0; }, Program_Generous_Limit))
        << "the main window shows, and a box that tells the user the folder is not used";
    EXPECT_EQ(Boxes_Shown(), 1) << "told once";
    EXPECT_TRUE(Wcu().Requests().empty()) << "the port link in that folder was never opened";

    program->Signal(SIGTERM);
    EXPECT_EQ(program->Wait_Exit(Program_Generous_Limit), 0);
    EXPECT_EQ(File_Text(file), theirs) << "no setting was written there";
    EXPECT_EQ(Names_In(shared / "Ravivida Ordexia"), (std::set<std::string>{"Registry.ini", "ports"}));
}
