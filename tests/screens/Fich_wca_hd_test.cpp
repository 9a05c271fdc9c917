#include "screens/Fich_wca_hd.h"

#include "components/controls/SCLLImage.h"
#include "platform/classlib/SysUtils.h"
#include "tests/screens/Hd_Detail_Test_Support.h"

#include <gtest/gtest.h>

using namespace hd_detail_test;

TEST(WcaHdLines, EachLineForAFewAdapters)
{
    const std::string differ = "WCA and AMU data frequencies are different :\n" + Format("%.2f MHz", 458.0) +
                               " for WCA / " + Format("%.2f MHz", 458.5) + " for AMU";
    const struct {
        const char* name;
        Change change;
        Wca_Hd_Line line;
        int image;
        bool fault;
        std::string hint;
    } cases[] = {
        {"sound", [](St_System&) {}, Wca_Hd_Rx_Status, Detail_Image_On, false, ""},
        {"too hot", [](St_System& s) { s.HD.Wca_Status.D3 = 76; }, Wca_Hd_Temperature, 0, true, ""},
        {"a receiver fault", [](St_System& s) { s.HD.Wca_Status.D0_Bit3 = true; }, Wca_Hd_Rx_Status,
         Detail_Image_Fault, true, ""},
        {"a receiver unlocked", [](St_System& s) { s.HD.Wca_Status.D1_Bit0 = false; }, Wca_Hd_Rx_Status,
         Detail_Image_Fault, true, ""},
        {"transmitter off", [](St_System& s) { s.HD.Wca.D6_Bit4 = false; }, Wca_Hd_Tx_Status, Detail_Image_Fault,
         true, ""},
        {"transmitter fault", [](St_System& s) { s.HD.Wca.D6_Bit3 = true; }, Wca_Hd_Tx_Status, Detail_Image_Fault,
         true, ""},
        {"one video flag", [](St_System& s) { s.HD.Wcu.D2_Bit1 = false; }, Wca_Hd_Video_Stream, Detail_Image_Fault,
         true, ""},
        {"no field for service data", [](St_System&) {}, Wca_Hd_Service_Data, Detail_Image_Off, false, ""},
        {"no field for intercom data", [](St_System&) {}, Wca_Hd_Intercom_Data, Detail_Image_Off, false, ""},
        {"frequencies differ", [](St_System& s) { s.HD.Wcu_Status.Data_Frequency = 458.5f; },
         Wca_Hd_Data_Frequency, 0, true, differ},
        {"no AMU frequency", [](St_System& s) { s.HD.Wcu_Status.Data_Frequency = Hd_Frequency_Mismatch; },
         Wca_Hd_Data_Frequency, 0, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Camera camera;
        c.change(camera.current);
        const Wca_Hd_Lines lines = Wca_Hd_Line_Table(camera.current);
        EXPECT_EQ(lines[c.line].Image, c.image);
        EXPECT_EQ(lines[c.line].Fault, c.fault);
        EXPECT_EQ(lines[c.line].Hint, c.hint);
        EXPECT_EQ(Any_Fault(lines), c.fault);
        EXPECT_EQ(lines[Wca_Hd_Data_Frequency].Value, Format("%.2f MHz", 458.0));
    }
}

namespace {

class Wca_Hd_Window : public ::testing::Test {
protected:
    Wca_Hd_Window() : window(&owner, nullptr, &camera.title, &camera.current, &camera.snapshot) {}

    Camera camera;
    TForm owner {nullptr};
    TForm_WCA_HD window;
};

} // namespace

TEST_F(Wca_Hd_Window, AHiddenWindowRecomputesItsAlarm)
{
    camera.current.HD.Wca.D6_Bit3 = true;
    camera.Poll(window);
    EXPECT_TRUE(window.HasAlarm());
    camera.Poll(window, false);
    EXPECT_TRUE(window.HasAlarm()) << "a block that is down keeps the last alarm";
}

TEST_F(Wca_Hd_Window, ItFollowsTheStateOnlyWhileTheWcuHeaderIsEquallyThere)
{
    window.Show();
    EXPECT_EQ(window.ImageTxStatus->ImageIndex(), Detail_Image_On);
    EXPECT_EQ(window.LabelDataFrequencyv->Caption(), Format("%.2f MHz", 458.0));

    camera.current.HD.Wca.D6_Bit3 = true;
    camera.current.HD.Wcu.Present = false;
    camera.Poll(window);
    EXPECT_EQ(window.ImageTxStatus->ImageIndex(), Detail_Image_On) << "the header came or went: no line written";
    EXPECT_TRUE(window.HasAlarm());

    camera.current.HD.Wca_Status.D0_Bit3 = true;
    camera.Poll(window);
    EXPECT_EQ(window.ImageRxStatus->ImageIndex(), Detail_Image_Fault) << "absent in both copies: lines follow";
    EXPECT_EQ(Colour_Of(window.LabelRxStatus), Detail_Fault_Colour);
}
