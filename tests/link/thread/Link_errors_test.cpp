#include "link/Link_errors.h"

#include "tests/link/thread/Fake_Shell.h"
#include "tests/support/Temp_Settings.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const std::string Title = "Ravivida Triax Camera Ordexia";

class Link_Error_Report : public ::testing::Test {
protected:
    Link_Error_Report()
    {
        state.Settings.Name = 7;
        state.Type.Wcu_Major = 1;
        state.Type.Wcu_Minor = 2;
    }

    Temp_Settings settings;
    St_System state {1};
    Fake_Shell shell;
};

} // namespace

TEST_F(Link_Error_Report, EachReportShowsItsTextWithTheCameraPrefixOnlyForSeveralCameras)
{
    struct Case {
        const char* name;
        std::function<void(int camera_count)> report;
        int camera_on_port;
        std::string body;
    };
    const Case cases[] = {
        {"port free", [&](int count) { Report_Port_Error(shell, state, count, 3); }, 0,
         "Com3 is not a valid or free serial port available on the PC\n\nClick on PC banner to select another one"},
        {"port of camera 2", [&](int count) { Report_Port_Error(shell, state, count, 3); }, 2,
         "Com3 is not a valid or free serial port available on the PC\n(already used by camera 2)\n\n"
         "Click on PC banner to select another one"},
        {"no port", [&](int count) { Report_No_Port_Error(shell, state, count); }, 0,
         "No valid or free PC serial port is selected\n\n"
         "Click on PC banner to select the available Com port connected to the WCU"},
        {"link", [&](int count) { Report_Link_Error(shell, state, count); }, 0,
         "Error in serial Com port or PC/WCU protocol\n\nCheck the PC serial port and the cable between PC and WCU"},
        {"firmware", [&](int count) { Report_Firmware_Error(shell, state, count); }, 0,
         "WCU firmware version 1.2\nis incompatible with \"" + Title +
             "\" version 2.3\n\nPlease upgrade the software with the latest version"},
    };
    for (const Case& one : cases) {
        for (int count : {1, 2, 4}) {
            SCOPED_TRACE(std::string(one.name) + ", cameras " + std::to_string(count));
            shell.Set_Camera_On_Port(one.camera_on_port);
            const int pending_before = shell.Pending_Posts();
            one.report(count);
            ASSERT_FALSE(shell.Boxes().empty());
            const Fake_Shell::Box box = shell.Boxes().back();
            EXPECT_EQ(box.Text, (count == 1 ? "" : "Camera 7\n") + one.body);
            EXPECT_EQ(box.Caption, Title);
            EXPECT_EQ(box.Flags, MB_ICONERROR | MB_OK);
            EXPECT_EQ(shell.Pending_Posts(), pending_before + 1);
        }
    }
}

TEST_F(Link_Error_Report, WhileTheShellIsBusyNothingIsShownNorPostedButThePortOwnerIsAsked)
{
    shell.Set_Busy(true);
    Report_Port_Error(shell, state, 2, 5);
    Report_No_Port_Error(shell, state, 2);
    Report_Link_Error(shell, state, 2);
    Report_Firmware_Error(shell, state, 2);
    EXPECT_TRUE(shell.Boxes().empty());
    EXPECT_EQ(shell.Pending_Posts(), 0);
    EXPECT_EQ(shell.Ports_Asked(), std::vector<int> {5});
}

TEST(Firmware_Error_Text, NamesOnlyWhatIsUnsupportedAndAgreesInNumber)
{
    Temp_Settings settings;
    St_System state {0};
    state.Type.Wcu_Major = 2;
    state.Type.Wcu_Minor = 10;
    EXPECT_EQ(Firmware_Error_Text(state, "2.3"), "WCU firmware version 2.10\nis incompatible with \"" + Title +
                                                     "\" version 2.3\n\nPlease upgrade the software with the latest version");
    // A known WCU with supported AMUs leaves nothing to name.
    state.Type.Wcu_Minor = 1;
    EXPECT_EQ(Firmware_Error_Text(state, "2.3"),
              "\nare incompatible with \"" + Title + "\" version 2.3\n\nPlease upgrade the software with the latest version");
}
