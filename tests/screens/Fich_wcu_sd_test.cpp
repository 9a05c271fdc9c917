#include "screens/Fich_wcu_sd.h"

#include "components/controls/SCLDrawEdge.h"
#include "components/controls/SCLLImage.h"
#include "components/controls/SCLProgress.h"
#include "tests/screens/Sd_Detail_Test_Support.h"

#include <gtest/gtest.h>

using namespace sd_detail_test;

TEST(WcuSdLines, AStreamWithLevelsShowsEveryValue)
{
    Camera camera;
    camera.current.SD.WCU.Data_Toggle_A = true;
    camera.current.SD.WCU.Data_Toggle_B = true;
    const Wcu_Sd_Lines lines = Wcu_Sd_Line_Table(camera.current);
    EXPECT_EQ(lines[Wcu_Protocol_Version].Value, "1.1");
    EXPECT_EQ(lines[Wcu_Standard].Value, "PAL");
    EXPECT_EQ(lines[Wcu_Data_Receive].Image, Detail_Image_Off) << "receive toggle set";
    EXPECT_EQ(lines[Wcu_Ocp_Request].Image, Detail_Image_Second) << "OCP toggle set";
    EXPECT_EQ(lines[Wcu_Audio_Stream].Image, Detail_Image_On);
    EXPECT_EQ(lines[Wcu_Audio_Delay].Value, "ON");
    EXPECT_EQ(lines[Wcu_Mode].Value, "DUAL");
    EXPECT_EQ(lines[Wcu_Icom_Cam_To_Wcu].Value, "PROD + ENG");
    const struct {
        Wcu_Sd_Line line;
        int meter;
    } meters[] = {{Wcu_Icom_Prod_Volume, 10}, {Wcu_Icom_Prog_Volume, 20}, {Wcu_Icom_Eng_Volume, 30},
                  {Wcu_Audio_1_Level, 0},     {Wcu_Audio_2_Level, -20},   {Wcu_Icom_To_Wcu, 0},
                  {Wcu_Icom_To_Cam, 0}};
    for (const auto& m : meters) {
        SCOPED_TRACE(m.line);
        EXPECT_EQ(lines[m.line].Meter, m.meter);
        EXPECT_TRUE(lines[m.line].Caption_Enabled);
    }
    EXPECT_FALSE(Any_Fault(lines));

    camera.current.SD.WCU.Data_Toggle_A = false;
    camera.current.SD.WCU.Data_Toggle_B = false;
    camera.current.SD.WCU.Video_Standard_Pal = false;
    const Wcu_Sd_Lines cleared = Wcu_Sd_Line_Table(camera.current);
    EXPECT_EQ(cleared[Wcu_Data_Receive].Image, Detail_Image_Second);
    EXPECT_EQ(cleared[Wcu_Ocp_Request].Image, Detail_Image_Off);
    EXPECT_EQ(cleared[Wcu_Standard].Value, "NTSC");
}

TEST(WcuSdLines, WhatTheStreamTheLevelReportAndTheModeGate)
{
    const struct {
        const char* name;
        Change change;
        bool fault;
        bool values_shown;
        int volume;
        bool levels_enabled;
        int audio_1;
        int audio_2;
    } cases[] = {
        {"stream and levels", [](St_System&) {}, false, true, 10, true, 0, -20},
        {"single mode: no audio 2", [](St_System& s) { s.SD.WCU.Diversity_Dual = false; }, false, true, 10, true, 0,
         -40},
        {"no level report", [](St_System& s) { s.SD.WCU.Audio_Levels_Valid = false; }, false, true, 10, false, -40,
         -40},
        {"a WCU 1.0 reports no levels", [](St_System& s) { s.Type.Wcu_Minor = 0; }, false, true, 10, false, -40,
         -40},
        {"no stream", [](St_System& s) { s.SD.WCU.Link_Flag = false; }, true, false, 0, false, -40, -40},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Camera camera;
        c.change(camera.current);
        const Wcu_Sd_Lines lines = Wcu_Sd_Line_Table(camera.current);
        EXPECT_EQ(lines[Wcu_Audio_Stream].Fault, c.fault);
        EXPECT_EQ(lines[Wcu_Audio_Stream].Image, c.fault ? Detail_Image_Fault : Detail_Image_On);
        EXPECT_EQ(Any_Fault(lines), c.fault);
        for (Wcu_Sd_Line line : {Wcu_Audio_Delay, Wcu_Mode, Wcu_Icom_Cam_To_Wcu}) {
            EXPECT_EQ(lines[line].Value_Visible, c.values_shown);
        }
        EXPECT_EQ(lines[Wcu_Icom_Prod_Volume].Meter, c.volume);
        EXPECT_EQ(lines[Wcu_Audio_1_Level].Caption_Enabled, c.levels_enabled);
        EXPECT_EQ(lines[Wcu_Audio_2_Level].Caption_Enabled, c.levels_enabled);
        EXPECT_EQ(lines[Wcu_Audio_1_Level].Meter, c.audio_1);
        EXPECT_EQ(lines[Wcu_Audio_2_Level].Meter, c.audio_2);
    }
}

TEST(WcuSdWindow, TheStreamsLossRewritesTheWholeWindow)
{
    Camera camera;
    TForm_WCU_SD window(nullptr, nullptr, &camera.title, &camera.current, &camera.snapshot);
    window.Show();
    EXPECT_EQ(window.LabelModev->Caption(), "DUAL");
    EXPECT_EQ(window.ProgFillAudio2->UserValue(), -20);
    EXPECT_TRUE(window.DrawEdgeRefLevelAudioMax->Enabled());
    EXPECT_FALSE(window.HasAlarm());

    camera.Poll(window);
    camera.current.SD.WCU.Link_Flag = false;
    camera.Poll(window);
    EXPECT_EQ(window.ImageAudioStream->ImageIndex(), Detail_Image_Fault);
    EXPECT_EQ(Colour_Of(window.LabelAudioStream), Detail_Fault_Colour);
    EXPECT_FALSE(window.LabelModev->Visible());
    EXPECT_EQ(window.ProgIcomProdVolume->UserValue(), Wcu_Volume_Min);
    EXPECT_EQ(window.ProgFillAudio1->UserValue(), Wcu_Level_Min);
    EXPECT_FALSE(window.LabelAudio1Level->Enabled());
    EXPECT_FALSE(window.DrawEdgeRefLevelAudioMax->Enabled());
    EXPECT_FALSE(window.LabelRefLevelAudioMin->Enabled());
    EXPECT_TRUE(window.HasAlarm());
}

TEST(WcuSdWindow, TheScreenShowsTheStatusImageOfEachState)
{
    Status_Strip strip;
    Camera camera;
    camera.current.SD.WCU.Data_Toggle_B = true;
    TForm_WCU_SD window(nullptr, nullptr, &camera.title, &camera.current, &camera.snapshot);
    window.Show();
    EXPECT_EQ(Shown_Colour(&window, window.ImageAudioStream), Status_Strip::Colours[Detail_Image_On]);
    EXPECT_EQ(Shown_Colour(&window, window.ImageOcpRequest), Status_Strip::Colours[Detail_Image_Second]);
    EXPECT_EQ(Shown_Colour(&window, window.ImageDataReceive), Status_Strip::Colours[Detail_Image_Second]);

    camera.Poll(window);
    camera.current.SD.WCU.Link_Flag = false;
    camera.current.SD.WCU.Data_Toggle_B = false;
    camera.Poll(window);
    EXPECT_EQ(Shown_Colour(&window, window.ImageAudioStream), Status_Strip::Colours[Detail_Image_Fault]);
    EXPECT_EQ(Shown_Colour(&window, window.ImageOcpRequest), Status_Strip::Colours[Detail_Image_Off]);
}

// The protocol version is written on a full refresh only.
TEST(WcuSdWindow, APartialRefreshLeavesTheProtocolVersion)
{
    Camera camera;
    TForm_WCU_SD window(nullptr, nullptr, &camera.title, &camera.current, &camera.snapshot);
    window.Show();
    camera.Poll(window);
    camera.current.Type.Wcu_Minor = 0;
    camera.current.SD.WCU.Production_Mode = 1;
    camera.Poll(window);
    EXPECT_EQ(window.LabelProtocolVersionv->Caption(), "1.1");
    EXPECT_EQ(window.LabelIcomCamToWCUv->Caption(), "PROD");
}

// Green at the bottom, orange at the 0 dB mark, red above it.
TEST(WcuSdWindow, LevelBarsTakeTheirColourFromTheReferenceMarks)
{
    Camera camera;
    TForm_WCU_SD window(nullptr, nullptr, &camera.title, &camera.current, &camera.snapshot);
    TSCLProgress* meter = window.ProgFillAudio1;
    const int bars = meter->SmallBar()->BarCount();
    const float t = static_cast<float>(window.DrawEdgeRefLevelAudioMax->Left() -
                                       window.DrawEdgeRefLevelAudioMin->Left()) /
                    static_cast<float>(meter->Width());
    const int mark = static_cast<int>(bars * t);
    ASSERT_GT(mark, 1);
    ASSERT_LT(mark, bars - 1);
    auto colour = [&](int bar) {
        TColor c = clNone;
        meter->OnGetColor(meter, static_cast<BYTE>(bar), c);
        return c;
    };
    EXPECT_EQ(colour(0), static_cast<TColor>(RGB(0, 255, 50)));
    const COLORREF below_mark = ColorToRGB(colour(mark - 1));
    EXPECT_GE(GetRValue(below_mark), 240);
    EXPECT_LE(GetGValue(below_mark), 110);
    EXPECT_EQ(colour(mark + 1), clRed);
    EXPECT_EQ(colour(bars - 1), clRed);
}
