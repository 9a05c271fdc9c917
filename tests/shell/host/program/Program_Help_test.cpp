// Help as a user meets it: the real executable, built beside its help files,
// on a private X server with simulated cameras; F1 on the camera's page
// opens the help window of the page's help file.

#include "tests/shell/host/program/Program_Desktop.h"
#include "tests/shell/host/program/Program_Input.h"

#include <algorithm>
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
