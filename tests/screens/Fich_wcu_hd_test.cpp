#include "screens/Fich_wcu_hd.h"

#include "components/controls/SCLDrawEdge.h"
#include "components/controls/SCLLImage.h"
#include "components/controls/SCLProgress.h"
#include "tests/screens/Hd_Detail_Test_Support.h"

#include <gtest/gtest.h>

using namespace hd_detail_test;

TEST(WcuHdLines, ASoundWcu)
{
    Camera camera;
    const Wcu_Hd_Lines lines = Wcu_Hd_Line_Table(camera.current);
    EXPECT_EQ(lines[Wcu_Hd_Protocol_Version].Value, "2.1");
    EXPECT_EQ(lines[Wcu_Hd_Tx_Profile].Value, "Outdoor / Std");
    EXPECT_EQ(lines[Wcu_Hd_Quality_Latency].Value, "Q + (H)");
    EXPECT_EQ(lines[Wcu_Hd_On_Air].Image, Detail_Image_Off) << "no field tells it";
    EXPECT_EQ(lines[Wcu_Hd_Video_Stream].Image, Detail_Image_On);
    EXPECT_EQ(lines[Wcu_Hd_Data_Receive].Image, Detail_Image_Second);
    EXPECT_EQ(lines[Wcu_Hd_Ocp_Request].Image, Detail_Image_Off);
    EXPECT_EQ(lines[Wcu_Hd_Audio_Stream].Image, Detail_Image_On);
    EXPECT_EQ(lines[Wcu_Hd_Audio_Delay].Value, "OFF");
    EXPECT_EQ(lines[Wcu_Hd_Mode].Value, "DUAL");
    EXPECT_EQ(lines[Wcu_Hd_Icom_Cam_To_Wcu].Value, "PROD+ENG");
    EXPECT_EQ(lines[Wcu_Hd_Icom_Prod_Volume].Meter, 10);
    EXPECT_EQ(lines[Wcu_Hd_Icom_Eng_Volume].Meter, 30);
    EXPECT_EQ(lines[Wcu_Hd_Audio_1_Level].Meter, Ratio_To_Db_7020_HD(7020, -40, 12));
    EXPECT_EQ(lines[Wcu_Hd_Audio_2_Level].Meter, Ratio_To_Db_7020_HD(702, -40, 12));
    EXPECT_EQ(lines[Wcu_Hd_Icom_To_Wcu].Meter, Ratio_To_Db_240_HD(240, -40, 12));
    EXPECT_EQ(lines[Wcu_Hd_Icom_To_Cam].Meter, Ratio_To_Db_96_HD(96, -40, 12));
    EXPECT_FALSE(Any_Fault(lines));
}

TEST(WcuHdLines, TheVideoStreamNeedsATriaxTheLinkAndItsVideoFlag)
{
    const struct {
        const char* name;
        Change change;
        bool good;
    } cases[] = {
        {"triax 1 down", [](St_System& s) { s.HD.Wcu_Status.D2_Bit6 = false; }, false},
        {"triax 2 instead of 1",
         [](St_System& s) {
             St_System_HD_WCU_Status& t = s.HD.Wcu_Status;
             t.Triax1_Used = false;
             t.Triax2_Used = t.D0_Bit1 = t.D1_Bit3 = t.D2_Bit5 = t.D2_Bit7 = true;
         },
         true},
        {"a link error", [](St_System& s) { s.HD.Wcu_Link.D8_Hi = 1; }, false},
        {"no video flag", [](St_System& s) { s.HD.Wcu_Link.D12_Bit5 = false; }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Camera camera;
        c.change(camera.current);
        const Wcu_Hd_Lines lines = Wcu_Hd_Line_Table(camera.current);
        EXPECT_EQ(lines[Wcu_Hd_Video_Stream].Image, c.good ? Detail_Image_On : Detail_Image_Fault);
        EXPECT_EQ(Any_Fault(lines), !c.good);
    }
}

TEST(WcuHdLines, WithoutAudioStreamTheAudioLinesRestAndTheStreamIsAFault)
{
    Camera camera;
    camera.current.HD.Wcu_Detail.D3_Bit4 = false;
    const Wcu_Hd_Lines lines = Wcu_Hd_Line_Table(camera.current);
    EXPECT_EQ(lines[Wcu_Hd_Audio_Stream].Image, Detail_Image_Fault);
    EXPECT_TRUE(lines[Wcu_Hd_Audio_Stream].Fault);
    for (Wcu_Hd_Line value : {Wcu_Hd_Audio_Delay, Wcu_Hd_Mode, Wcu_Hd_Icom_Cam_To_Wcu}) {
        EXPECT_FALSE(lines[value].Value_Visible);
    }
    EXPECT_EQ(lines[Wcu_Hd_Icom_Prog_Volume].Meter, Wcu_Volume_Min);
    EXPECT_EQ(lines[Wcu_Hd_Icom_To_Cam].Meter, Wcu_Level_Min);
    EXPECT_FALSE(lines[Wcu_Hd_Audio_1_Level].Caption_Enabled);
}

TEST(WcuHdLines, AudioTwoIsLiveInDualModeOnly)
{
    Camera camera;
    camera.current.HD.Wcu_Detail.D3_Bit3 = false;
    const Wcu_Hd_Lines lines = Wcu_Hd_Line_Table(camera.current);
    EXPECT_EQ(lines[Wcu_Hd_Mode].Value, "SINGLE");
    EXPECT_EQ(lines[Wcu_Hd_Audio_2_Level].Meter, Wcu_Level_Min);
    EXPECT_TRUE(lines[Wcu_Hd_Audio_2_Level].Caption_Enabled);
    EXPECT_NE(lines[Wcu_Hd_Audio_1_Level].Meter, Wcu_Level_Min);
}

TEST(WcuHdLines, TheDataActivityImagesFollowTheirToggles)
{
    Camera camera;
    camera.current.HD.Wcu_Status.Toggle_A = true;
    camera.current.HD.Wcu_Status.Toggle_B = true;
    const Wcu_Hd_Lines lines = Wcu_Hd_Line_Table(camera.current);
    EXPECT_EQ(lines[Wcu_Hd_Data_Receive].Image, Detail_Image_Off);
    EXPECT_EQ(lines[Wcu_Hd_Ocp_Request].Image, Detail_Image_Second);
    EXPECT_FALSE(Any_Fault(lines));
}

namespace {

class Wcu_Hd_Window : public ::testing::Test {
protected:
    Wcu_Hd_Window() : window(&owner, nullptr, &camera.title, &camera.current, &camera.snapshot) {}

    Camera camera;
    TForm owner {nullptr};
    TForm_WCU_HD window;
};

} // namespace

TEST_F(Wcu_Hd_Window, AHiddenWindowRecomputesItsAlarmAndAShownOneRewritesWhatChanged)
{
    camera.current.HD.Wcu_Link.D12_Bit5 = false;
    camera.Poll(window);
    EXPECT_TRUE(window.HasAlarm());
    EXPECT_EQ(window.LabelTxProfilev->Caption(), "");

    window.Show();
    EXPECT_EQ(window.LabelProtocolVersionv->Caption(), "2.1");
    EXPECT_EQ(window.ImageVideoStream->ImageIndex(), Detail_Image_Fault);
    EXPECT_EQ(Colour_Of(window.LabelVideoStream), Detail_Fault_Colour);
    EXPECT_TRUE(window.LabelRefLevelAudioMax->Enabled());

    camera.snapshot.Copy(camera.current);
    camera.current.HD.Wcu_Link.D12_Bit5 = true;
    camera.current.HD.Wcu_Detail.D3_Bit4 = false;
    camera.current.Type.Wcu_Minor = 2;
    camera.Poll(window);
    EXPECT_EQ(window.LabelProtocolVersionv->Caption(), "2.1") << "written on a full refresh only";
    EXPECT_EQ(Colour_Of(window.LabelVideoStream), Detail_Normal_Colour);
    EXPECT_EQ(Colour_Of(window.LabelAudioStream), Detail_Fault_Colour);
    EXPECT_FALSE(window.LabelAudio1Level->Enabled());
    EXPECT_FALSE(window.DrawEdgeRefLevelAudioMin->Enabled());
    EXPECT_FALSE(window.LabelModev->Visible());
    EXPECT_TRUE(window.HasAlarm());
}

// Green at the bottom, red above the 0 dB mark, on every level meter.
TEST_F(Wcu_Hd_Window, LevelBarsTakeTheirColourFromTheReferenceMarks)
{
    for (TSCLProgress* meter :
         {window.ProgFillAudio1, window.ProgFillAudio2, window.ProgFillIcomToWCU, window.ProgFillIcomToWCA}) {
        const int bars = meter->SmallBar()->BarCount();
        auto colour = [meter](int bar) {
            TColor c = clNone;
            meter->OnGetColor(meter, static_cast<BYTE>(bar), c);
            return c;
        };
        EXPECT_EQ(colour(0), static_cast<TColor>(RGB(0, 255, 50)));
        EXPECT_EQ(colour(bars - 1), clRed);
        const int mark = bars * (window.DrawEdgeRefLevelAudioMax->Left() - window.DrawEdgeRefLevelAudioMin->Left()) /
                         meter->Width();
        EXPECT_NE(colour(mark - 1), clRed);
        EXPECT_EQ(colour(mark + 1), clRed);
    }
}
