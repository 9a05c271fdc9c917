// Help as a user meets it: the real executable, built beside its help files,
// on a private X server with simulated cameras; F1 on the camera's page
// opens the help window of the page's help file, or says why it cannot.

#include "tests/shell/host/program/Program_Desktop.h"
#include "tests/shell/host/program/Program_Input.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Help_Case {
    const char* Name;
    bool Hd;
    const char* Page_Form;
    // The help window is titled as its help file.
    const char* Help_Title;
};

class Program_Help : public Program_Desktop, public ::testing::WithParamInterface<Help_Case> {};

} // namespace

TEST_P(Program_Help, F1OnTheCameraPageOpensTheHelpOfItsSystem)
{
    const Help_Case& c = GetParam();
    Use_Cameras(1);
    if (c.Hd)
        Hd_Camera(100).Load(Wcu());
    else
        Typical_Sd_Wcu().Load(Wcu());
    Start();
    // The page shows its camera polled once its quality meter is lit.
    const Rectangle_On_Screen vqos = Layout_Of(c.Page_Form).at("ProgressVQOS");
    ASSERT_TRUE(Screen_Shows(std::string(c.Name) + "_page_before_help", [&](const QImage& image) {
        return Count_Pixels(image, vqos, Coloured) > 10;
    })) << "the camera's page shows the polled camera";

    ASSERT_TRUE(Press_Key(Main_Window(), "F1"));
    unsigned long help = 0;
    EXPECT_TRUE(Wait_Until(
        [&] {
            help = Program_Window([&](const X_Screen_Watch::Window_Seen& window) { return window.Title == c.Help_Title; });
            return help != 0;
        },
        Program_Generous_Limit))
        << "no help window titled \"" << c.Help_Title << "\"";
    if (help != 0)
        Save_Artefact(Grab_Window(help), std::string(c.Name) + "_help_window");
}

INSTANTIATE_TEST_SUITE_P(Pages, Program_Help,
                         ::testing::Values(Help_Case {"sd", false, "TForm_Main_SD", "Ravivida SD Camera Ordexia Help"},
                                           Help_Case {"hd", true, "TForm_Main_HD", "Ravivida HD Camera Ordexia Help"}),
                         [](const ::testing::TestParamInfo<Help_Case>& help) { return std::string(help.param.Name); });

namespace {

class Program_Help_After_Swap : public Program_Desktop {
protected:
    int Hd_Polls(int camera)
    {
        const std::vector<BYTE> requests = Wcu(camera).Requests();
        return static_cast<int>(std::count_if(requests.begin(), requests.end(), Wcu_Simulator::Is_Hd_Poll));
    }
};

} // namespace

// Camera 1's SD page shows while camera 2, first taken for SD, is found to
// be HD and gets its HD page in the background; the shown page is hidden
// and shown again as the pages are put back in order. It keeps the
// keyboard, and F1 there opens the SD help.
TEST_F(Program_Help_After_Swap, F1OnTheShownSdPageOpensItsHelpAfterAnotherCameraBecameHd)
{
    Use_Cameras(2);
    Typical_Sd_Wcu().Load(Wcu(1));
    Hd_Camera(100).Load(Wcu(2));
    Start();
    const Rectangle_On_Screen vqos = Layout_Of("TForm_Main_SD").at("ProgressVQOS");
    ASSERT_TRUE(Screen_Shows("help_after_swap_sd_page", [&](const QImage& image) {
        return Count_Pixels(image, vqos, Coloured) > 10;
    })) << "camera 1's SD page shows it polled";
    // The swap is posted when the first HD answer reaches the window, whose
    // messages are handled in order: once the thread has handed over the
    // next poll's answer and asked for a third, the swap has been made.
    ASSERT_TRUE(Wait_Until([&] { return Hd_Polls(2) >= 3; }, Program_Generous_Limit))
        << "camera 2 is polled as HD";

    ASSERT_TRUE(Press_Key(Main_Window(), "F1"));
    const unsigned long help = Wait_For_Window(
        [](const X_Screen_Watch::Window_Seen& window) { return window.Title == "Ravivida SD Camera Ordexia Help"; });
    ASSERT_NE(help, 0u) << "F1 on the SD page opens the SD help";
    Save_Artefact(Grab_Window(help), "help_after_swap_sd_help");
}

namespace {

// A help file that is there but cannot be shown: its bytes are not a help
// file's, or its reader may not read it.
struct Help_Fault_Case {
    const char* Name;
    bool Damaged;
};

// The program copied into a folder of the test's own, beside its library
// and help files, where the SD help file is spoilt as the case says.
class Program_Help_File_Fault : public Program_Desktop, public ::testing::WithParamInterface<Help_Fault_Case> {
protected:
    ~Program_Help_File_Fault() override { std::filesystem::remove_all(folder); }

    void Copy_Program()
    {
        namespace fs = std::filesystem;
        const fs::path built = fs::path(ORDEXIA_PROGRAM).parent_path();
        for (const char* name : {"Wireless_Ordexia", "libOrdexia.so", "Wireless_Ordexia_HD_Help.chm"})
            fs::copy_file(built / name, folder / name);
        const fs::path help = folder / "Wireless_Ordexia_SD_Help.chm";
        if (GetParam().Damaged) {
            std::ofstream(help, std::ios::binary) << "ITSF" << std::string(4096, '\x7f');
        } else {
            fs::copy_file(built / help.filename(), help);
            fs::permissions(help, fs::perms::none);
        }
        executable = (folder / "Wireless_Ordexia").string();
    }

    std::filesystem::path folder = Make_Temp_Folder("program_copy");
};

} // namespace

TEST_P(Program_Help_File_Fault, F1SaysThatHelpCannotBeShown)
{
    ASSERT_NO_FATAL_FAILURE(Copy_Program());
    const std::string help_file = (folder / "Wireless_Ordexia_SD_Help.chm").string();
    if (!GetParam().Damaged && access(help_file.c_str(), R_OK) == 0)
        GTEST_SKIP() << "this user reads a file that nobody may read";
    Use_Cameras(1);
    Typical_Sd_Wcu().Load(Wcu());
    Start();
    const Rectangle_On_Screen vqos = Layout_Of("TForm_Main_SD").at("ProgressVQOS");
    ASSERT_TRUE(Screen_Shows(std::string("help_fault_") + GetParam().Name + "_page", [&](const QImage& image) {
        return Count_Pixels(image, vqos, Coloured) > 10;
    })) << "the SD page shows its camera polled";

    ASSERT_TRUE(Press_Key(Main_Window(), "F1"));
    // The program's error box, titled as the program.
    const unsigned long box = Wait_For_Window([](const X_Screen_Watch::Window_Seen& window) {
        return window.Title == "Ravivida Triax Camera Ordexia" && !(window.Width == 791 && window.Height == 452);
    });
    ASSERT_NE(box, 0u) << "F1 tells that help cannot be shown";
    // The error icon's red disc at the box's top left, once it is drawn.
    const Rectangle_On_Screen icon {8, 8, 32, 32};
    QImage drawn;
    EXPECT_TRUE(Wait_Until(
        [&] {
            drawn = Grab_Window(box);
            return !drawn.isNull() && Count_Pixels(drawn, icon, Reddish) > 200;
        },
        Program_Generous_Limit))
        << "the box shows the error icon";
    Save_Artefact(drawn, std::string("help_fault_") + GetParam().Name + "_box");
}

INSTANTIATE_TEST_SUITE_P(Faults, Program_Help_File_Fault,
                         ::testing::Values(Help_Fault_Case {"damaged", true}, Help_Fault_Case {"unreadable", false}),
                         [](const ::testing::TestParamInfo<Help_Fault_Case>& fault) {
                             return std::string(fault.param.Name);
                         });
