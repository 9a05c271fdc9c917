// Each accessor reads its own field: a record with only that field changed
// reads the change, a record without it reads the default.

#include "screens/Sd_fields.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

struct Amu_Case {
    const char* Name;
    std::function<void(St_System_SD_AMU&)> Set;
    std::function<int(const St_System_SD_AMU&)> Read;
    int Expected;
};

TEST(SdFields, EachAmuAccessorReadsItsField)
{
    const Amu_Case cases[] = {
        {"tuner 1 locked", [](auto& a) { a.Receiver_Flag_1 = true; }, [](auto& a) { return Sd_Amu_Tuner_Locked(a, 1); }, 1},
        {"tuner 2 locked", [](auto& a) { a.Receiver_Flag_2 = true; }, [](auto& a) { return Sd_Amu_Tuner_Locked(a, 2); }, 1},
        {"tuner 3 locked", [](auto& a) { a.Receiver_Flag_3 = true; }, [](auto& a) { return Sd_Amu_Tuner_Locked(a, 3); }, 1},
        {"tuner 1 error", [](auto& a) { a.Receiver_State_1 = true; }, [](auto& a) { return Sd_Amu_Tuner_Error(a, 1); }, 1},
        {"tuner 2 error", [](auto& a) { a.Receiver_State_2 = true; }, [](auto& a) { return Sd_Amu_Tuner_Error(a, 2); }, 1},
        {"tuner 3 error", [](auto& a) { a.Receiver_State_3 = true; }, [](auto& a) { return Sd_Amu_Tuner_Error(a, 3); }, 1},
        {"all tuners", [](auto& a) { a.Receiver_State_1 = a.Receiver_State_2 = a.Receiver_State_3 = true; },
         [](auto& a) { return Sd_Amu_All_Tuners(a); }, 1},
        {"selected antenna", [](auto& a) { a.Status_Code = 4; }, [](auto& a) { return Sd_Amu_Selected_Antenna(a); }, 4},
        {"test signal", [](auto& a) { a.Sw1_2_Test = true; }, [](auto& a) { return Sd_Amu_Test_Signal(a); }, 1},
        {"RC1 identifier", [](auto& a) { a.Identifier = 0xC; }, [](auto& a) { return Sd_Amu_Rc1_Identifier(a); }, 0xC},
        {"RC1 clash", [](auto& a) { a.Same_Identifier = true; }, [](auto& a) { return Sd_Amu_Rc1_Clash(a); }, 1},
        {"remote control", [](auto& a) { a.Channel_Present = a.Video_Channel_Valid = true; },
         [](auto& a) { return Sd_Amu_Remote_Control_Ok(a); }, 1},
        {"present", [](auto& a) { a.Present = true; }, [](auto& a) { return Sd_Amu_Present(a); }, 1},
        {"polled", [](auto& a) { a.Poll_Counter_Data = 3; }, [](auto& a) { return Sd_Amu_Polled(a); }, 1},
        {"valid", [](auto& a) { a.Present = true; a.Poll_Counter_Data = 3; }, [](auto& a) { return Sd_Amu_Valid(a); }, 1},
        {"valid clear", [](auto& a) { a.Present = true; a.Poll_Counter_Status = 3; },
         [](auto& a) { return Sd_Amu_Valid_Clear(a); }, 1},
        {"active", [](auto& a) { a.Active = true; }, [](auto& a) { return Sd_Amu_Active(a); }, 1},
        {"version major", [](auto& a) { a.Version_Major = 3; }, [](auto& a) { return Sd_Amu_Version_Major(a); }, 3},
        {"version minor", [](auto& a) { a.Version_Minor = 7; }, [](auto& a) { return Sd_Amu_Version_Minor(a); }, 7},
        {"versions differ", [](auto& a) { a.Versions_Compatible = false; }, [](auto& a) { return Sd_Amu_Versions_Match(a); }, 0},
        {"after 1.0", [](auto& a) { a.Version_Major = 1; a.Version_Minor = 1; }, [](auto& a) { return Sd_Amu_After_1_0(a); }, 1},
        {"after 1.1", [](auto& a) { a.Version_Major = 1; a.Version_Minor = 2; }, [](auto& a) { return Sd_Amu_After_1_1(a); }, 1},
        {"temperature", [](auto& a) { a.Temperature = 41; }, [](auto& a) { return Sd_Amu_Temperature(a); }, 41},
        {"DC in", [](auto& a) { a.Voltage_Raw = 222; }, [](auto& a) { return Sd_Amu_Dc_In(a); }, 222},
        {"triax QOS", [](auto& a) { a.Video_Quality = 99; }, [](auto& a) { return Sd_Amu_Triax_Qos(a); }, 99},
        {"long triax", [](auto& a) { a.Long_Triax = true; }, [](auto& a) { return Sd_Amu_Long_Triax(a); }, 1},
        {"SW1-2", [](auto& a) { a.Sw1_2_Test = true; }, [](auto& a) { return Sd_Amu_Sw1_2_Test(a); }, 1},
        {"SW2-1", [](auto& a) { a.Sw2_Setting = 0x20; }, [](auto& a) { return Sd_Amu_Sw2_1_Off(a) + 2 * Sd_Amu_Sw2_2_Off(a); }, 1},
        {"SW2-2", [](auto& a) { a.Sw2_Setting = 0x40; }, [](auto& a) { return Sd_Amu_Sw2_1_Off(a) + 2 * Sd_Amu_Sw2_2_Off(a); }, 2},
        {"SW3-1", [](auto& a) { a.Sw3_1_Off = true; }, [](auto& a) { return Sd_Amu_Sw3_1_Off(a); }, 1},
        {"SW3-2", [](auto& a) { a.Sw3_2_Off = true; }, [](auto& a) { return Sd_Amu_Sw3_2_Off(a); }, 1},
        {"RC2", [](auto& a) { a.Rc2_Setting = 0xE; }, [](auto& a) { return Sd_Amu_Rc2_Position(a); }, 0xE},
        {"video channel", [](auto& a) { a.Video_Channel_Code = 111; }, [](auto& a) { return Sd_Amu_Video_Channel_Code(a); }, 111},
        {"data channel", [](auto& a) { a.Data_Channel = 9; }, [](auto& a) { return Sd_Amu_Data_Channel_Code(a); }, 9},
        {"COFDM", [](auto& a) { a.Cofdm_Mode = 6; }, [](auto& a) { return Sd_Amu_Cofdm_Mode(a); }, 6},
    };
    for (const Amu_Case& c : cases) {
        St_System_SD_AMU amu;
        EXPECT_NE(c.Read(amu), c.Expected) << c.Name;
        c.Set(amu);
        EXPECT_EQ(c.Read(amu), c.Expected) << c.Name;
    }
}

TEST(SdFields, TheCarrierTextReadsTheSynthesiserFields)
{
    St_System_SD_AMU amu;
    amu.Data_Step_100_Khz = true;
    amu.Synth_Byte_10 = 1;
    amu.Synth_Byte_9 = 2;
    amu.Data_Channel = 3;
    amu.Synth_Byte_8 = 4;
    EXPECT_EQ(Sd_Amu_Carrier_Frequency_Text(amu, 1), Carrier_Frequency_Text(true, 1, 2, 3, 4, 1));
}

TEST(SdFields, EachDataEmitterAccessorReadsItsField)
{
    St_System_SD_DE de;
    EXPECT_FALSE(Sd_De_Tx_Enabled(de));
    EXPECT_FALSE(Sd_De_Answers(de));
    de.De_Flag = true;
    EXPECT_TRUE(Sd_De_Tx_Enabled(de));
    EXPECT_FALSE(Sd_De_Answers(de));
    de.State = true;
    EXPECT_TRUE(Sd_De_Answers(de));
}

struct Wcu_Case {
    const char* Name;
    std::function<void(St_System_SD_WCU&)> Set;
    std::function<int(const St_System_SD_WCU&)> Read;
    int Expected;
};

TEST(SdFields, EachWcuAccessorReadsItsField)
{
    const Wcu_Case cases[] = {
        {"cam lock", [](auto& w) { w.Wcu_Flag = true; }, [](auto& w) { return Sd_Wcu_Cam_Lock(w); }, 1},
        {"VQOS", [](auto& w) { w.Video_Qos = 77; }, [](auto& w) { return Sd_Wcu_Vqos(w); }, 77},
        {"DQOS", [](auto& w) { w.Data_Qos = 66; }, [](auto& w) { return Sd_Wcu_Dqos(w); }, 66},
        {"video link", [](auto& w) { w.Link_Flag = true; }, [](auto& w) { return Sd_Wcu_Video_Link_Ok(w); }, 1},
        {"audio stream", [](auto& w) { w.Link_Flag = true; }, [](auto& w) { return Sd_Wcu_Audio_Stream(w); }, 1},
        {"R0", [](auto& w) { w.Rate_Any = 2; }, [](auto& w) { return Sd_Wcu_Rate_R0(w) * 100 + Sd_Wcu_Rate_R1(w) * 10 + Sd_Wcu_Rate_R2(w); }, 211},
        {"R1", [](auto& w) { w.Rate_A = 2; }, [](auto& w) { return Sd_Wcu_Rate_R0(w) * 100 + Sd_Wcu_Rate_R1(w) * 10 + Sd_Wcu_Rate_R2(w); }, 121},
        {"R2", [](auto& w) { w.Rate_B = 2; }, [](auto& w) { return Sd_Wcu_Rate_R0(w) * 100 + Sd_Wcu_Rate_R1(w) * 10 + Sd_Wcu_Rate_R2(w); }, 112},
        {"video channel", [](auto& w) { w.Video_Channel_Index = 12; }, [](auto& w) { return Sd_Wcu_Video_Channel(w); }, 12},
        {"data channel", [](auto& w) { w.Data_Channel_Index = 13; }, [](auto& w) { return Sd_Wcu_Data_Channel(w); }, 13},
        {"COFDM", [](auto& w) { w.Wcu_Cofdm_Mode = 14; }, [](auto& w) { return Sd_Wcu_Cofdm_Mode(w); }, 14},
        {"NTSC", [](auto& w) { w.Video_Standard_Pal = false; }, [](auto& w) { return Sd_Wcu_Video_Standard_Pal(w); }, 0},
        {"audio delay", [](auto& w) { w.Audio_Option_On = true; }, [](auto& w) { return Sd_Wcu_Audio_Delay_On(w); }, 1},
        {"dual", [](auto& w) { w.Diversity_Dual = true; }, [](auto& w) { return Sd_Wcu_Diversity_Dual(w); }, 1},
        {"intercom routing", [](auto& w) { w.Production_Mode = 3; }, [](auto& w) { return Sd_Wcu_Intercom_Routing(w); }, 3},
        {"volume 1", [](auto& w) { w.Intercom_Volume_1 = 21; }, [](auto& w) { return Sd_Wcu_Icom_Volume(w, 1); }, 21},
        {"volume 2", [](auto& w) { w.Intercom_Volume_2 = 22; }, [](auto& w) { return Sd_Wcu_Icom_Volume(w, 2); }, 22},
        {"volume 3", [](auto& w) { w.Intercom_Volume_3 = 23; }, [](auto& w) { return Sd_Wcu_Icom_Volume(w, 3); }, 23},
        {"levels valid", [](auto& w) { w.Audio_Levels_Valid = true; }, [](auto& w) { return Sd_Wcu_Levels_Valid(w); }, 1},
        {"audio 1", [](auto& w) { w.Audio_1_Level = 31; }, [](auto& w) { return Sd_Wcu_Audio_Level(w, 1); }, 31},
        {"audio 2", [](auto& w) { w.Audio_2_Level = 32; }, [](auto& w) { return Sd_Wcu_Audio_Level(w, 2); }, 32},
        {"icom to WCU", [](auto& w) { w.Icom_Level_1 = 33; }, [](auto& w) { return Sd_Wcu_Icom_To_Wcu_Level(w); }, 33},
        {"icom to camera", [](auto& w) { w.Icom_Level_2 = 34; }, [](auto& w) { return Sd_Wcu_Icom_To_Camera_Level(w); }, 34},
        {"receive toggle", [](auto& w) { w.Data_Toggle_A = true; }, [](auto& w) { return Sd_Wcu_Receive_Toggle(w); }, 1},
        {"OCP toggle", [](auto& w) { w.Data_Toggle_B = true; }, [](auto& w) { return Sd_Wcu_Ocp_Toggle(w); }, 1},
    };
    for (const Wcu_Case& c : cases) {
        St_System_SD_WCU wcu;
        EXPECT_NE(c.Read(wcu), c.Expected) << c.Name;
        c.Set(wcu);
        EXPECT_EQ(c.Read(wcu), c.Expected) << c.Name;
    }
}

TEST(SdFields, MeaningsNoFieldCarriesReadSetAndQualitiesAbove127AreNoValues)
{
    const St_System_SD_WCU wcu;
    EXPECT_TRUE(Sd_Wcu_Receive_Flag(wcu));
    EXPECT_TRUE(Sd_Wcu_Ocp_Flag(wcu));
    EXPECT_TRUE(Sd_Is_Qos_Value(0));
    EXPECT_TRUE(Sd_Is_Qos_Value(127));
    EXPECT_FALSE(Sd_Is_Qos_Value(128));
    EXPECT_FALSE(Sd_Is_Qos_Value(-1));
}

} // namespace
