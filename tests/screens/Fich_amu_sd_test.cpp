#include "screens/Fich_amu_sd.h"

#include "components/controls/SCLLImage.h"
#include "components/controls/SCLProgress.h"
#include "tests/screens/Sd_Detail_Test_Support.h"

#include <gtest/gtest.h>

using namespace sd_detail_test;

namespace {

struct Amu_Case {
    const char* name;
    Change change;
    Amu_Sd_Line line;
    std::string value;
    bool fault;
    std::string hint;
};

void Expect_Line(const Detail_Line& line, const Amu_Case& c)
{
    EXPECT_EQ(line.Value, c.value);
    EXPECT_EQ(line.Fault, c.fault);
    EXPECT_EQ(line.Hint, c.hint);
}

} // namespace

TEST(AmuSdLines, TheSoundSystemShowsEveryLineRightWithItsAdvice)
{
    Camera camera;
    const Amu_Sd_Lines lines = Amu_Sd_Line_Table(camera.current, '1');
    const struct {
        Amu_Sd_Line line;
        std::string value;
        std::string hint;
    } expected[] = {
        {Amu_Firmware_Version, "1.2", ""},
        {Amu_Temperature, "35\u00b0C/95\u00b0F", ""},
        {Amu_Voltage, "53V", ""},
        {Amu_Switches_Sw3, "ON/ON", "SW3-1/3-2 are in the right positions\nfor 2,4 - 2,5 GHz range"},
        {Amu_Switch_Sw1_2, "NORMAL", "SW1-2 is in right position"},
        {Amu_Switches_Sw2, "ON/ON", "SW2-1/2-2 are in right positions"},
        {Amu_Rotary_Wheel_Rc2, "F", "RC2 is in the right position\nfor 433,1 - 434,6 MHz range"},
        {Amu_Video_Frequency, "2418 MHz", ""},
        {Amu_Video_Channel, "3", ""},
        {Amu_Cofdm, "5", ""},
        {Amu_Guard, "1/32", ""},
        {Amu_Constellation, "64 QAM", ""},
        {Amu_Code_Rate, "2/3", ""},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.line);
        EXPECT_EQ(lines[e.line].Value, e.value);
        EXPECT_EQ(lines[e.line].Hint, e.hint);
        EXPECT_TRUE(lines[e.line].Value_Visible);
    }
    EXPECT_FALSE(Any_Fault(lines));
    EXPECT_EQ(lines[Amu_Switches_Sw3].Caption, "Switches SW3-1/3-2");
    EXPECT_EQ(lines[Amu_Triax_Qos].Meter, 50);
    EXPECT_EQ(lines[Amu_Pre_Emphasis].Image, Detail_Image_On);
    EXPECT_EQ(lines[Amu_Pre_Emphasis].Hint, "Long distance\ntriax detected");
}

TEST(AmuSdLines, EachWrongSettingTurnsItsLineRedWithItsAdvice)
{
    const Amu_Case cases[] = {
        {"firmwares differ", [](St_System& s) { s.SD.AMU1.Versions_Compatible = false; }, Amu_Firmware_Version,
         "1.2", true, "AMUs firmwares are different\nUse AMUs with same version"},
        {"range 4 with firmware 1.1",
         [](St_System& s) {
             s.SD.AMU1.Version_Minor = 1;
             s.SD.Video_Range_Frequency = 4;
         },
         Amu_Firmware_Version, "1.1", true,
         "AMU version is not compatible\nwith 2,7 - 2,9 GHz range\nUse AMU V1.2 or better"},
        {"range 4 with firmware 1.1, switches right but no advice",
         [](St_System& s) {
             s.SD.AMU1.Version_Minor = 1;
             s.SD.Video_Range_Frequency = 4;
         },
         Amu_Switches_Sw3, "ON/ON", false, ""},
        {"too hot", [](St_System& s) { s.SD.AMU1.Temperature = 76; }, Amu_Temperature, "76\u00b0C/169\u00b0F", true,
         ""},
        {"too low a voltage", [](St_System& s) { s.SD.AMU1.Voltage_Raw = 223; }, Amu_Voltage, "31V", true, ""},
        {"no quality", [](St_System& s) { s.SD.AMU1.Video_Quality = 0; }, Amu_Triax_Qos, "", true,
         "If persists, contact factory"},
        {"poor quality", [](St_System& s) { s.SD.AMU1.Video_Quality = 9; }, Amu_Triax_Qos, "", true, ""},
        {"SW2-1 in factory test", [](St_System& s) { s.SD.AMU1.Sw2_Setting = 0x20; }, Amu_Pre_Emphasis, "", true,
         "SW2-1/2-2 are in factory test setting\nChange to positions ON/ON"},
        {"SW2-2 in factory test", [](St_System& s) { s.SD.AMU1.Sw2_Setting = 0x40; }, Amu_Switches_Sw2, "ON/OFF",
         true, "SW2-1/2-2 are in factory test setting\nChange to positions ON/ON"},
        {"SW1-2 in test", [](St_System& s) { s.SD.AMU1.Sw1_2_Test = true; }, Amu_Switch_Sw1_2, "TEST", true,
         "SW1-2 is in factory test setting\nChange its position"},
        {"video range not chosen", [](St_System& s) { s.SD.Video_Range_Frequency = 0; }, Amu_Switches_Sw3, "ON/ON",
         true,
         "Right click on frequency range group\nbox to select the video frequency range\ncorresponding to system "
         "configuration"},
        {"video range not chosen, no frequency", [](St_System& s) { s.SD.Video_Range_Frequency = 0; },
         Amu_Video_Frequency, "???", true,
         "Right click on frequency range group\nbox to select the video frequency range\ncorresponding to system "
         "configuration"},
        {"SW3-1 wrong", [](St_System& s) { s.SD.AMU1.Sw3_1_Off = true; }, Amu_Switches_Sw3, "OFF/ON", true,
         "SW3-1 is not in correct setting\nfor 2,4 - 2,5 GHz range\nChange its position"},
        {"SW3-2 wrong", [](St_System& s) { s.SD.AMU1.Sw3_2_Off = true; }, Amu_Switches_Sw3, "ON/OFF", true,
         "SW3-2 is not in correct setting\nfor 2,4 - 2,5 GHz range\nChange its position"},
        {"SW3-2 wrong with firmware 1.1",
         [](St_System& s) {
             s.SD.AMU1.Version_Minor = 1;
             s.SD.AMU1.Sw3_2_Off = true;
         },
         Amu_Switches_Sw3, "ON/OFF", true, "SW3-2 is not in correct setting\nChange its position"},
        {"both SW3 wrong",
         [](St_System& s) {
             s.SD.AMU1.Sw3_1_Off = true;
             s.SD.AMU1.Sw3_2_Off = true;
         },
         Amu_Switches_Sw3, "OFF/OFF", true,
         "SW3-1/3-2 are not in correct setting\nfor 2,4 - 2,5 GHz range\nChange their positions"},
        {"firmware 1.0, SW3-1 right", [](St_System& s) { s.SD.AMU1.Version_Minor = 0; }, Amu_Switches_Sw3, "ON",
         false, "SW3-1 is in the right position\nfor 2,4 - 2,5 GHz range"},
        {"data range not chosen", [](St_System& s) { s.SD.Data_Range_Frequency = 0; }, Amu_Rotary_Wheel_Rc2, "F",
         true,
         "Right click on frequency range group\nbox to select the data frequency range\ncorresponding to system "
         "configuration"},
        {"RC2 not at E for 455 MHz", [](St_System& s) { s.SD.Data_Range_Frequency = 2; }, Amu_Rotary_Wheel_Rc2, "F",
         true, "RC2 is not in correct\nsetting for 455,0 - 456,7 MHz range\nChange to position E and restart WCU"},
        {"RC2 at E for 455 MHz",
         [](St_System& s) {
             s.SD.Data_Range_Frequency = 2;
             s.SD.AMU1.Rc2_Setting = 1;
         },
         Amu_Rotary_Wheel_Rc2, "E", false, "RC2 is in the right position\nfor 455,0 - 456,7 MHz range"},
        {"channel not the WCU's", [](St_System& s) { s.SD.WCU.Video_Channel_Index = 4; }, Amu_Video_Channel, "???",
         true, ""},
        {"channel not the WCU's, no frequency", [](St_System& s) { s.SD.WCU.Video_Channel_Index = 4; },
         Amu_Video_Frequency, "???", true, ""},
        {"channel not reported", [](St_System& s) { s.SD.AMU1.Video_Channel_Valid = false; }, Amu_Guard, "???",
         true, ""},
        {"mode not the WCU's", [](St_System& s) { s.SD.WCU.Wcu_Cofdm_Mode = 6; }, Amu_Code_Rate, "???", true, ""},
        {"a WCU 1.0 checks no channel",
         [](St_System& s) {
             s.Type.Wcu_Minor = 0;
             s.SD.WCU.Video_Channel_Index = 4;
             s.SD.WCU.Wcu_Cofdm_Mode = 6;
         },
         Amu_Cofdm, "5", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Camera camera;
        c.change(camera.current);
        const Amu_Sd_Lines lines = Amu_Sd_Line_Table(camera.current, '1');
        Expect_Line(lines[c.line], c);
        if (c.fault) {
            EXPECT_TRUE(Any_Fault(lines)) << "a red line is the window's alarm";
        }
    }
}

TEST(AmuSdLines, FirmwareOneZeroHasNeitherSw1Sw2NorTheWheel)
{
    Camera camera;
    camera.current.SD.AMU2.Version_Minor = 0;
    camera.current.SD.Data_Range_Frequency = 0;
    const Amu_Sd_Lines lines = Amu_Sd_Line_Table(camera.current, '2');
    EXPECT_EQ(lines[Amu_Switches_Sw3].Caption, "Switch SW3-1");
    for (Amu_Sd_Line line : {Amu_Switch_Sw1_2, Amu_Switches_Sw2, Amu_Rotary_Wheel_Rc2}) {
        SCOPED_TRACE(line);
        EXPECT_FALSE(lines[line].Value_Visible);
        EXPECT_FALSE(lines[line].Caption_Enabled);
        EXPECT_FALSE(lines[line].Fault) << "a data range not chosen matters for the wheel only";
    }
    EXPECT_FALSE(Any_Fault(lines));
}

TEST(AmuSdLines, EachWindowReadsItsOwnAmu)
{
    Camera camera;
    camera.current.SD.AMU2.Temperature = -20;
    EXPECT_FALSE(Amu_Sd_Line_Table(camera.current, '1')[Amu_Temperature].Fault);
    EXPECT_TRUE(Amu_Sd_Line_Table(camera.current, '2')[Amu_Temperature].Fault);
}

TEST(AmuSdWindow, ShownItWritesTheLinesOnTheirControls)
{
    Camera camera;
    camera.current.SD.AMU1.Sw3_1_Off = true;
    camera.current.SD.AMU1.Video_Quality = 0;
    TForm_AMU_SD window(nullptr, nullptr, &camera.title, '1', &camera.current, &camera.snapshot);
    window.Show();

    EXPECT_EQ(window.LabelSwitchSW3v->Caption(), "OFF/ON");
    EXPECT_EQ(Colour_Of(window.LabelSwitchSW3), Detail_Fault_Colour);
    EXPECT_EQ(Colour_Of(window.LabelSwitchSW3v), Detail_Fault_Colour);
    EXPECT_EQ(window.LabelSwitchSW3v->Hint(), window.LabelSwitchSW3->Hint()) << "the value carries the advice";
    EXPECT_EQ(window.LabelFirmwareVersionv->Caption(), "1.2");
    EXPECT_EQ(Colour_Of(window.LabelFirmwareVersion), Detail_Normal_Colour);
    EXPECT_EQ(window.ProgressTriaxQOS->Bevel()->LightColor(), Detail_Fault_Colour);
    EXPECT_EQ(window.LabelTriaxQOS->Hint(), "If persists, contact factory");
    EXPECT_EQ(window.ImagePreaccAMU->ImageIndex(), Detail_Image_On);
    EXPECT_EQ(window.ImagePreaccAMU->Hint(), "Long distance\ntriax detected");
    EXPECT_TRUE(window.HasAlarm());

    camera.Poll(window);
    camera.current.SD.AMU1.Video_Quality = 40;
    camera.current.SD.AMU1.Sw3_1_Off = false;
    camera.Poll(window);
    EXPECT_EQ(window.ProgressTriaxQOS->UserValue(), 40);
    EXPECT_EQ(window.ProgressTriaxQOS->Bevel()->LightColor(), clWhite);
    EXPECT_EQ(Colour_Of(window.LabelSwitchSW3v), Detail_Normal_Colour);
    EXPECT_FALSE(window.HasAlarm());
}
