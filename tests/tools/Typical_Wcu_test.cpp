// The simulators' typical camera systems are healthy: decoded by the link as
// the polling thread does, every value the screens read (through their field
// accessors) is in its range and raises no alarm, the quality meters stand
// about three quarters full and the frequencies show. What happens to a
// system (an AMU switched off, a video link break, a low battery, a hot AMU)
// shows as the alarm it stands for, and a link event goes out once.

#include "link/Pc_wcu_link.h"
#include "link/St_system.h"
#include "link/St_system_hd_convert.h"
#include "screens/Hd_fields.h"
#include "screens/Sd_fields.h"
#include "tests/support/Temp_Settings.h"
#include "tools/Hd_Wcu.h"
#include "tools/Sd_Wcu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr const char* Not_Shown = "?????";

// A quality of about three quarters of its meter.
void Expect_Three_Quarters(double value, double low, double high, const char* what)
{
    const double share = (value - low) / (high - low);
    EXPECT_GE(share, 0.7) << what << " " << value;
    EXPECT_LE(share, 0.8) << what << " " << value;
}

void Set_Type(St_System& state, const std::vector<BYTE>& type_answer)
{
    ASSERT_EQ(type_answer.size(), 3u);
    ASSERT_EQ(type_answer[0], '*');
    state.Type.Wcu_Major = type_answer[1];
    state.Type.Wcu_Minor = type_answer[2];
    state.Settings.Port_Number = 1;
    state.Settings.Connected = true;
}

class Typical_Sd : public ::testing::Test {
protected:
    // One SD poll's answers through the link's decoders, then the thread's checks.
    void Decode(const Sd_Wcu& wcu)
    {
        Set_Type(state, wcu.Answer('?'));
        state.SD.Video_Range_Frequency = Typical_Sd_Video_Range;
        state.SD.Data_Range_Frequency = Typical_Sd_Data_Range;
        const std::vector<BYTE> status = wcu.Answer('%');
        ASSERT_EQ(status.size(), state.Type.Is_Sd_Wcu_After_V1() ? 19u : 9u);
        PC_WCU_Link::Decode_SD_Status(status.data(), state.Type.Is_Sd_Wcu_After_V1(), state.SD);
        for (BYTE request : {'!', '"'}) {
            const std::vector<BYTE> amu = wcu.Answer(request);
            ASSERT_EQ(amu.size(), 31u);
            ASSERT_EQ(amu[0], 0x27);
            PC_WCU_Link::Decode_SD_AMU(amu.data(), request == '!' ? state.SD.AMU1 : state.SD.AMU2,
                                       request == '!' ? state.SD.DE1 : state.SD.DE2);
        }
        PC_WCU_Link::Decode_SD_Flags(wcu.Answer('#').at(0), state.SD.Flags);
        state.SD.Check_Amu_Versions();
        state.SD.Check_Amu_Settings();
    }

    void Expect_Healthy_Amu(const St_System_SD_AMU& amu, const St_System_SD_DE& de) const
    {
        const St_System_SD_WCU& wcu = state.SD.WCU;
        const int range = state.SD.Video_Range_Frequency;
        const int data_range = state.SD.Data_Range_Frequency;
        EXPECT_TRUE(Sd_Amu_Valid_Clear(amu));
        for (int tuner = 1; tuner <= 3; ++tuner) {
            EXPECT_TRUE(Sd_Amu_Tuner_Locked(amu, tuner)) << tuner;
            EXPECT_FALSE(Sd_Amu_Tuner_Error(amu, tuner)) << tuner;
        }
        EXPECT_FALSE(Sd_Amu_All_Tuners(amu));
        EXPECT_EQ(Sd_Amu_Selected_Antenna(amu), 1);
        EXPECT_FALSE(Sd_Amu_Test_Signal(amu));
        EXPECT_FALSE(Sd_Amu_Rc1_Clash(amu));
        EXPECT_TRUE(Sd_Amu_Remote_Control_Ok(amu));
        EXPECT_TRUE(Sd_Amu_Versions_Match(amu));
        EXPECT_TRUE(Sd_Amu_After_1_1(amu));
        EXPECT_FALSE(Is_Temperature_Alarm(Sd_Amu_Temperature(amu)));
        EXPECT_FALSE(Is_Level_Alarm_SD(Sd_Amu_Dc_In(amu)));
        Expect_Three_Quarters(Sd_Amu_Triax_Qos(amu), 0, 100, "triax QOS");
        EXPECT_FALSE(Sd_Amu_Sw1_2_Test(amu));
        EXPECT_FALSE(Sd_Amu_Sw2_1_Off(amu));
        EXPECT_FALSE(Sd_Amu_Sw2_2_Off(amu));
        EXPECT_TRUE(Is_SW3_1_Setting_Right(range, Sd_Amu_Sw3_1_Off(amu), true));
        EXPECT_TRUE(Is_SW3_2_Setting_Right(range, Sd_Amu_Sw3_2_Off(amu), true, true));
        EXPECT_TRUE(Is_Data_Band_Matching(data_range, Sd_Amu_Rc2_Position(amu)));
        EXPECT_TRUE(Is_Channel_Selected(Sd_Wcu_Video_Channel(wcu), Sd_Amu_Video_Channel_Code(amu), true));
        EXPECT_FALSE(Channel_Frequency_Text(Sd_Amu_Video_Channel_Code(amu), range).empty());
        EXPECT_TRUE(Is_Same_Or_Disabled_De(Sd_Wcu_Data_Channel(wcu), Sd_Amu_Data_Channel_Code(amu), true));
        EXPECT_TRUE(Is_Same_Or_Disabled_Amu(Sd_Wcu_Cofdm_Mode(wcu), Sd_Amu_Cofdm_Mode(amu), true));
        EXPECT_NE(Sd_Amu_Carrier_Frequency_Text(amu, data_range).find("433"), std::string::npos)
            << Sd_Amu_Carrier_Frequency_Text(amu, data_range);
        EXPECT_TRUE(Sd_De_Answers(de));
        EXPECT_TRUE(Sd_De_Tx_Enabled(de));
    }

    Temp_Settings settings;
    St_System state {0};
};

TEST_F(Typical_Sd, EveryValueIsInRangeAndRaisesNoAlarm)
{
    Decode(Typical_Sd_Wcu());
    const St_System_SD_WCU& wcu = state.SD.WCU;
    EXPECT_NE(Video_Range_Text(state.SD.Video_Range_Frequency), Not_Shown);
    EXPECT_NE(Data_Range_Text(state.SD.Data_Range_Frequency), Not_Shown);
    EXPECT_TRUE(Sd_Wcu_Cam_Lock(wcu));
    for (int qos : {Sd_Wcu_Vqos(wcu), Sd_Wcu_Dqos(wcu)}) {
        ASSERT_TRUE(Sd_Is_Qos_Value(qos)) << qos;
        Expect_Three_Quarters(qos, 0, 127, "WCU quality");
    }
    EXPECT_TRUE(Sd_Wcu_Video_Link_Ok(wcu));
    EXPECT_TRUE(Sd_Wcu_Audio_Stream(wcu));
    EXPECT_TRUE(Sd_Wcu_Levels_Valid(wcu));
    for (int level : {Meter_Db_7020(Sd_Wcu_Audio_Level(wcu, 1), -100, 100),
                      Meter_Db_7020(Sd_Wcu_Audio_Level(wcu, 2), -100, 100),
                      Meter_Db_240(Sd_Wcu_Icom_To_Wcu_Level(wcu), -100, 100),
                      Meter_Db_96(Sd_Wcu_Icom_To_Camera_Level(wcu), -100, 100)}) {
        EXPECT_GT(level, -40);
        EXPECT_LT(level, 0);
    }
    EXPECT_FALSE(Channel_Digit_Text(Sd_Amu_Video_Channel_Code(state.SD.AMU1)).empty());
    EXPECT_TRUE(Sd_Amu_Active(state.SD.AMU1));
    Expect_Healthy_Amu(state.SD.AMU1, state.SD.DE1);
    Expect_Healthy_Amu(state.SD.AMU2, state.SD.DE2);
}

TEST_F(Typical_Sd, WhatHappensShowsAsItsAlarm)
{
    Sd_Wcu wcu = Typical_Sd_Wcu();
    wcu.Set_Amu_Temperature(1, 80);
    wcu.Set_Video_Link(false);
    Decode(wcu);
    EXPECT_TRUE(Is_Temperature_Alarm(Sd_Amu_Temperature(state.SD.AMU1)));
    EXPECT_EQ(Sd_Wcu_Vqos(state.SD.WCU), 0);
    EXPECT_FALSE(Sd_Wcu_Video_Link_Ok(state.SD.WCU));
    EXPECT_FALSE(Sd_Amu_Valid_Clear(state.SD.AMU1) || Sd_Amu_Valid_Clear(state.SD.AMU2));

    wcu.Set_Video_Link(true);
    wcu.Set_Amu_Power(2, false);
    const BYTE toggles = wcu.Status[0] & 0x18;
    wcu.Toggle_Data_Activity();
    // The status is read before the AMUs' answers: the qualities come back
    // with the poll after the one that cleared the AMUs' errors.
    Decode(wcu);
    Decode(wcu);
    EXPECT_EQ(Sd_Wcu_Vqos(state.SD.WCU), Typical_Sd_Wcu().Status[3]);
    EXPECT_FALSE(Sd_Amu_Present(state.SD.AMU2));
    EXPECT_NE(Sd_Wcu_Receive_Toggle(state.SD.WCU), (toggles & 0x08) != 0);
    EXPECT_NE(Sd_Wcu_Ocp_Toggle(state.SD.WCU), (toggles & 0x10) != 0);
}

class Typical_Hd : public ::testing::Test {
protected:
    // One HD frame through the link's decoder, then the thread's derivations.
    void Decode(const Hd_Wcu& wcu)
    {
        Set_Type(state, {'*', HIBYTE(wcu.Type_Word), LOBYTE(wcu.Type_Word)});
        const BYTE request = PC_WCU_Link::Hd_Request(state.HD);
        const std::vector<BYTE> frame = wcu.Frame(request);
        ASSERT_TRUE(PC_WCU_Link::Decode_HD(frame.data(), static_cast<int>(frame.size()), request, state.HD));
        state.HD.Check_Amu_Versions();
        state.HD.Check_Amu_Settings();
        state.HD.Update_Video_Frequency();
        state.HD.Update_Data_Frequency();
    }

    void Expect_Healthy_Amu(const St_System_HD_AMU& amu, const St_System_HD_AMU_Stat& stat, int mode) const
    {
        EXPECT_TRUE(Hd_Amu_Present(amu));
        EXPECT_TRUE(Hd_Amu_Versions_Match(amu));
        EXPECT_FALSE(Hd_Amu_Cw1_Clash(amu));
        EXPECT_FALSE(Is_Temperature_Alarm(Hd_Amu_Temperature(amu)));
        EXPECT_FALSE(Is_Level_Alarm_HD(Hd_Amu_Dc_In(amu)));
        Expect_Three_Quarters(Hd_Amu_Triax_Qos(amu), 0, 100, "triax QOS");
        for (int receiver = 0; receiver < 3; ++receiver) {
            EXPECT_EQ(Range_Code(Hd_Amu_Receiver_Type(amu, receiver)), 51) << receiver;
            EXPECT_TRUE(Hd_Amu_Receiver_Locked(amu, receiver + 1)) << receiver;
        }
        EXPECT_EQ(Hd_Range_Text(Hd_Amu_Common_Range_Code(amu)), "2,2/2,4 GHz");
        EXPECT_FALSE(Hd_Amu_Other_Amu_Type_Differs(amu));
        EXPECT_FALSE(Hd_Amu_All_Unlocked(amu) || Hd_Amu_Video_Link_Error(amu) || Hd_Amu_Profile_Mismatch(amu));
        EXPECT_FALSE(Hd_Amu_Sw1_2_Test(amu) || Hd_Amu_Sw1_1_Test(amu));
        EXPECT_EQ(Hd_Amu_Sw2_Setting(amu), 3);
        EXPECT_TRUE(Hd_Amu_Sw3_2_Off(amu) && Hd_Amu_Sw3_1_Off(amu));
        EXPECT_EQ(Hd_Amu_Cw3_Position(amu), 1);
        EXPECT_TRUE(Hd_Amu_Up_Link_Ok(amu));
        EXPECT_FALSE(Hd_Amu_Up_Link_Fault(amu));
        EXPECT_TRUE(Hd_De_Present(amu) && Hd_De_Wire(amu) && Hd_De_Programmed(amu));
        EXPECT_EQ(Hd_De_Type(amu), 4);
        EXPECT_GE(Hd_De_Data_Frequency_Mhz(amu), 454.0f);
        EXPECT_LE(Hd_De_Data_Frequency_Mhz(amu), 462.0f);
        EXPECT_TRUE(Hd_De_Tx_On(amu) && Hd_De_Normal_Transmission(amu));
        // The RSSI meter, tuners' average and each tuner.
        for (int choice = 0; choice <= 3; ++choice) {
            Expect_Three_Quarters(Clamp_By_Mode(Hd_Amu_Rssi(stat, choice), mode), 80, 210, "RSSI");
        }
        const auto levels = Hd_Amu_Receiver_Levels(stat);
        EXPECT_EQ(Video_Quality_Grade(Hd_Amu_Grading_Enabled(amu), Hd_Amu_Grade_Values(stat), levels, true, true, true,
                                      mode),
                  0);
    }

    Temp_Settings settings;
    St_System state {0};
};

TEST_F(Typical_Hd, EveryValueIsInRangeAndRaisesNoAlarm)
{
    Decode(Typical_Hd_Wcu());
    const St_System_HD& hd = state.HD;
    ASSERT_TRUE(state.Type.Is_Hd_Wcu_After_V2());

    const float video = Hd_Wcu_Video_Frequency_Ghz(hd.Wcu_Status);
    const float bandwidth = Hd_Wcu_Video_Bandwidth_Mhz(hd.Wcu_Status);
    EXPECT_GE(video, 2.2f);
    EXPECT_LE(video, 2.4f);
    EXPECT_LT(video + bandwidth * 0.001f * 0.5f, 2.4f) << "clear of the ISM band";
    const float data = Hd_Wcu_Amu_Data_Frequency(hd.Wcu_Status);
    EXPECT_GE(data, 454.0f);
    EXPECT_LE(data, 462.0f);

    const St_System_HD_WCU_Link& link = hd.Wcu_Link;
    EXPECT_FALSE(Hd_Link_Freeze(link));
    EXPECT_TRUE(Hd_Link_Genlock_In_Use(link) && Hd_Link_Genlock_Pll_Locked(link));
    EXPECT_FALSE(Hd_Link_Genlock_Reference_Unknown(link) || Hd_Link_Genlock_Wrong_Standard(link));
    EXPECT_TRUE(Hd_Link_Camera_Lock(link) && Hd_Wca_Camera_Lock(hd.Wca));
    Expect_Three_Quarters(Quality_Percent(Hd_Link_Raw_Video_Quality(link)), 0, 100, "VQOS");
    const int mode = Hd_Link_Transmission_Mode(link);
    EXPECT_FALSE(Transmission_Mode_Text(mode).empty());
    EXPECT_EQ(Hd_Link_Error_Value(link), 0);
    EXPECT_TRUE(Hd_Link_Video_Flag(link));
    EXPECT_EQ(Hd_Wcu_Link_Event_Code(link), 0);

    EXPECT_TRUE(Hd_Wcu_Present(hd.Wcu));
    Expect_Three_Quarters(Hd_Wcu_Data_Quality(hd.Wcu), 0, 127, "DQOS");
    EXPECT_FALSE(Hd_Wcu_Data_Fault(hd.Wcu));
    EXPECT_TRUE(Hd_Wcu_Data_Link_Ok(hd.Wcu));
    EXPECT_TRUE(Hd_Wcu_Video_Flag_1(hd.Wcu) && Hd_Wcu_Video_Flag_2(hd.Wcu));
    EXPECT_DOUBLE_EQ(Steps_25khz_To_Mhz(Hd_Wcu_Wca_Data_Channel_Steps(hd.Wcu)), data);
    for (char triax : {'1', '2'}) {
        EXPECT_TRUE(Hd_Triax_Used(hd.Wcu_Status, triax) && Hd_Triax_Down_Link_Ok(hd.Wcu_Status, triax)) << triax;
        EXPECT_TRUE(Hd_Triax_Ok(hd.Wcu_Status, triax) && Hd_Amu_In_Use(hd.Wcu_Status, triax)) << triax;
    }
    EXPECT_TRUE(Hd_Audio_Stream(hd.Wcu_Detail));
    for (int level : {Meter_Db_7020_HD(Hd_Audio_Level(hd.Wcu_Detail, 1), -100, 100),
                      Meter_Db_7020_HD(Hd_Audio_Level(hd.Wcu_Detail, 2), -100, 100),
                      Meter_Db_240_HD(Hd_Icom_To_Wcu_Level(hd.Wcu_Detail), -100, 100),
                      Meter_Db_96_HD(Hd_Icom_To_Camera_Level(hd.Wcu_Detail), -100, 100)}) {
        EXPECT_GT(level, -40);
        EXPECT_LT(level, 0);
    }

    Expect_Healthy_Amu(hd.Amu1, hd.Amu1_Stat, mode);
    Expect_Healthy_Amu(hd.Amu2, hd.Amu2_Stat, mode);

    EXPECT_TRUE(Hd_Wca_Tx_On(hd.Wca) && !Hd_Wca_Tx_Fault(hd.Wca));
    EXPECT_NE(Compression_Mode_Text(Hd_Wca_Compression_On(hd.Wca), Hd_Wca_Compression_Mode(hd.Wca)), "-----");
    EXPECT_FALSE(Is_Temperature_Alarm(Hd_Wca_Temperature(hd.Wca_Status)));
    EXPECT_TRUE(Hd_Wca_Receivers_Good(hd.Wca_Status));
    const double battery = Battery_Voltage(Hd_Wca_Battery_Raw(hd.Wca).value_or(0));
    EXPECT_GT(battery, Battery_Alarm_Voltage(Hd_Alarm_Battery_Level(hd)) + 1.5) << "all five segments lit";
    EXPECT_LT(battery, 17.5);

    // Both spectra drawn within the chart's level axis.
    for (const St_System_HD_Spectrum* spectrum : {&hd.Amu1_Spectrum, &hd.Amu2_Spectrum}) {
        EXPECT_TRUE(Hd_Spectrum_Present(*spectrum));
        EXPECT_GE(*std::min_element(spectrum->Current.begin(), spectrum->Current.end()), -40);
        EXPECT_LE(*std::max_element(spectrum->Current.begin(), spectrum->Current.end()), 0);
    }
}

TEST_F(Typical_Hd, WhatHappensShowsAsItsAlarm)
{
    Hd_Wcu wcu = Typical_Hd_Wcu();
    wcu.Set_Battery_Volts(13.4);
    wcu.Set_Amu_Temperature(1, 80);
    wcu.Set_Video_Link(false);
    wcu.Set_Amu_Power(2, false);
    Decode(wcu);
    const St_System_HD& hd = state.HD;
    EXPECT_LE(Battery_Voltage(Hd_Wca_Battery_Raw(hd.Wca).value_or(0)),
              Battery_Alarm_Voltage(Hd_Alarm_Battery_Level(hd)));
    EXPECT_TRUE(Is_Temperature_Alarm(Hd_Amu_Temperature(hd.Amu1)));
    EXPECT_LE(Hd_Link_Raw_Video_Quality(hd.Wcu_Link), 12);
    EXPECT_FALSE(Hd_Link_Camera_Lock(hd.Wcu_Link) || Hd_Wca_Camera_Lock(hd.Wca));
    EXPECT_LT(Hd_Wcu_Data_Quality(hd.Wcu), 10);
    EXPECT_FALSE(Hd_Amu_Present(hd.Amu2));
    EXPECT_FALSE(Hd_Triax_Used(hd.Wcu_Status, '2'));
    EXPECT_TRUE(Hd_Triax_Ok(hd.Wcu_Status, '1'));

    wcu.Set_Amu_Power(2, true);
    wcu.Set_Video_Link(true);
    Decode(wcu);
    EXPECT_TRUE(Hd_Triax_Ok(hd.Wcu_Status, '2') && Hd_Amu_In_Use(hd.Wcu_Status, '2'));
    EXPECT_TRUE(Hd_Link_Camera_Lock(hd.Wcu_Link) && Hd_Wca_Camera_Lock(hd.Wca));
}

TEST_F(Typical_Hd, ALinkEventGoesOutInOneFrameOnly)
{
    Hd_Wcu wcu = Typical_Hd_Wcu();
    // The copy a simulator serves sends what is reported on the original.
    const Hd_Wcu served = wcu;
    wcu.Report_Link_Event(13);
    Decode(served);
    EXPECT_EQ(Hd_Wcu_Link_Event_Code(state.HD.Wcu_Link), 13);
    Decode(served);
    EXPECT_EQ(Hd_Wcu_Link_Event_Code(state.HD.Wcu_Link), 0);
}

TEST(Simulated_Spectrum, ItsPeakMovesAPointAStep)
{
    for (int step : {0, 1, 57, 199, 200, 263}) {
        const std::vector<BYTE> points = Simulated_Spectrum(step);
        ASSERT_EQ(points.size(), 200u);
        const auto peak = std::max_element(points.begin(), points.end()) - points.begin();
        EXPECT_EQ(peak, step % 200) << step;
    }
    EXPECT_NE(Simulated_Spectrum(3), Simulated_Spectrum(4)) << "the noise changes";
}

} // namespace
