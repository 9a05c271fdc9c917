#include "screens/Hd_fields.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct Hd_State {
    Hd_State() : hd(0) {}
    St_System_HD hd;
};

// Each accessor reads its own field: the field moved off its reset value,
// the accessor follows it.
struct Pin {
    const char* meaning;
    std::function<void(St_System_HD&)> set;
    std::function<int(const St_System_HD&)> read;
    int expected;
};

} // namespace

TEST(HdFields, EachDetailWindowMeaningReadsItsField)
{
    const Pin pins[] = {
        {"data activity", [](St_System_HD& h) { h.Wcu.D2_Bit3 = false; },
         [](const St_System_HD& h) { return int {Hd_Wcu_Data_Activity(h.Wcu)}; }, 0},
        {"video flag 1", [](St_System_HD& h) { h.Wcu.D2_Bit2 = true; },
         [](const St_System_HD& h) { return int {Hd_Wcu_Video_Flag_1(h.Wcu)}; }, 1},
        {"video flag 2", [](St_System_HD& h) { h.Wcu.D2_Bit1 = true; },
         [](const St_System_HD& h) { return int {Hd_Wcu_Video_Flag_2(h.Wcu)}; }, 1},
        {"WCA data channel", [](St_System_HD& h) { h.Wcu.D6_D7 = 18320; },
         [](const St_System_HD& h) { return Hd_Wcu_Wca_Data_Channel_Steps(h.Wcu); }, 18320},
        {"transmission mode", [](St_System_HD& h) { h.Wcu_Link.D8_Lo = 5; },
         [](const St_System_HD& h) { return Hd_Link_Transmission_Mode(h.Wcu_Link); }, 5},
        {"link error", [](St_System_HD& h) { h.Wcu_Link.D8_Hi = 6; },
         [](const St_System_HD& h) { return Hd_Link_Error_Value(h.Wcu_Link); }, 6},
        {"link video flag", [](St_System_HD& h) { h.Wcu_Link.D12_Bit5 = true; },
         [](const St_System_HD& h) { return int {Hd_Link_Video_Flag(h.Wcu_Link)}; }, 1},
        {"receive toggle", [](St_System_HD& h) { h.Wcu_Status.Toggle_A = true; },
         [](const St_System_HD& h) { return int {Hd_Wcu_Receive_Toggle(h.Wcu_Status)}; }, 1},
        {"OCP toggle", [](St_System_HD& h) { h.Wcu_Status.Toggle_B = true; },
         [](const St_System_HD& h) { return int {Hd_Wcu_Ocp_Toggle(h.Wcu_Status)}; }, 1},
        {"AMU data frequency", [](St_System_HD& h) { h.Wcu_Status.Data_Frequency = 458.0f; },
         [](const St_System_HD& h) { return static_cast<int>(Hd_Wcu_Amu_Data_Frequency(h.Wcu_Status)); }, 458},
        {"audio stream", [](St_System_HD& h) { h.Wcu_Detail.D3_Bit4 = true; },
         [](const St_System_HD& h) { return int {Hd_Audio_Stream(h.Wcu_Detail)}; }, 1},
        {"dual", [](St_System_HD& h) { h.Wcu_Detail.D3_Bit3 = true; },
         [](const St_System_HD& h) { return int {Hd_Audio_Dual(h.Wcu_Detail)}; }, 1},
        {"audio delay", [](St_System_HD& h) { h.Wcu_Detail.D3_Bit5 = true; },
         [](const St_System_HD& h) { return int {Hd_Audio_Delay_On(h.Wcu_Detail)}; }, 1},
        {"intercom routing", [](St_System_HD& h) { h.Wcu_Detail.D3_Bits1_0 = 2; },
         [](const St_System_HD& h) { return Hd_Intercom_Routing(h.Wcu_Detail); }, 2},
        {"prod volume", [](St_System_HD& h) { h.Wcu_Detail.D4 = 11; },
         [](const St_System_HD& h) { return Hd_Icom_Volume(h.Wcu_Detail, 1); }, 11},
        {"prog volume", [](St_System_HD& h) { h.Wcu_Detail.D5 = 12; },
         [](const St_System_HD& h) { return Hd_Icom_Volume(h.Wcu_Detail, 2); }, 12},
        {"eng volume", [](St_System_HD& h) { h.Wcu_Detail.D6 = 13; },
         [](const St_System_HD& h) { return Hd_Icom_Volume(h.Wcu_Detail, 3); }, 13},
        {"audio 1", [](St_System_HD& h) { h.Wcu_Detail.D8_D9 = 1000; },
         [](const St_System_HD& h) { return Hd_Audio_Level(h.Wcu_Detail, 1); }, 1000},
        {"audio 2", [](St_System_HD& h) { h.Wcu_Detail.D10_D11 = 2000; },
         [](const St_System_HD& h) { return Hd_Audio_Level(h.Wcu_Detail, 2); }, 2000},
        {"intercom to WCU", [](St_System_HD& h) { h.Wcu_Detail.D12 = 14; },
         [](const St_System_HD& h) { return Hd_Icom_To_Wcu_Level(h.Wcu_Detail); }, 14},
        {"intercom to camera", [](St_System_HD& h) { h.Wcu_Detail.D13 = 15; },
         [](const St_System_HD& h) { return Hd_Icom_To_Camera_Level(h.Wcu_Detail); }, 15},
        {"firmware match", [](St_System_HD& h) { h.Amu1.Versions_Match = false; },
         [](const St_System_HD& h) { return int {Hd_Amu_Versions_Match(h.Amu1)}; }, 0},
        {"temperature", [](St_System_HD& h) { h.Amu1.Temperature = 41; },
         [](const St_System_HD& h) { return Hd_Amu_Temperature(h.Amu1); }, 41},
        {"DC in", [](St_System_HD& h) { h.Amu1.D13 = 99; },
         [](const St_System_HD& h) { return Hd_Amu_Dc_In(h.Amu1); }, 99},
        {"triax QOS", [](St_System_HD& h) { h.Amu1.D17 = 77; },
         [](const St_System_HD& h) { return Hd_Amu_Triax_Qos(h.Amu1); }, 77},
        {"long triax", [](St_System_HD& h) { h.Amu1.Long_Triax = true; },
         [](const St_System_HD& h) { return int {Hd_Amu_Long_Triax(h.Amu1)}; }, 1},
        {"emitter present", [](St_System_HD& h) { h.Amu1.Data_Valid_A = true; },
         [](const St_System_HD& h) { return int {Hd_De_Present(h.Amu1)}; }, 1},
        {"emitter programmed", [](St_System_HD& h) { h.Amu1.Data_Valid_B = true; },
         [](const St_System_HD& h) { return int {Hd_De_Programmed(h.Amu1)}; }, 1},
        {"emitter type", [](St_System_HD& h) { h.Amu1.Data_Mode_Code = 4; },
         [](const St_System_HD& h) { return Hd_De_Type(h.Amu1); }, 4},
        {"emitter frequency",
         [](St_System_HD& h) {
             h.Amu1.Data_Step_Mode = 1;
             h.Amu1.Data_Freq_Hi = 17;
             h.Amu1.Data_Freq_Lo = 232;
             h.Amu1.Data_Freq_A = 4;
             h.Amu1.Data_Freq_B = 1;
         },
         [](const St_System_HD& h) { return static_cast<int>(Hd_De_Data_Frequency_Mhz(h.Amu1) * 10 + 0.5f); },
         (17 * 256 + 232 + 128 + 4)},
        {"receiver 3 type", [](St_System_HD& h) { h.Amu1.Range_Code[2] = 53; },
         [](const St_System_HD& h) { return Hd_Amu_Receiver_Type(h.Amu1, 2); }, 53},
        {"other AMU's type", [](St_System_HD& h) { h.Amu1.Range_Mismatch = true; },
         [](const St_System_HD& h) { return int {Hd_Amu_Other_Amu_Type_Differs(h.Amu1)}; }, 1},
        {"SW1-2", [](St_System_HD& h) { h.Amu1.D1_Bit5 = true; },
         [](const St_System_HD& h) { return int {Hd_Amu_Sw1_2_Test(h.Amu1)}; }, 1},
        {"SW1-1", [](St_System_HD& h) { h.Amu1.D1_Bit4 = true; },
         [](const St_System_HD& h) { return int {Hd_Amu_Sw1_1_Test(h.Amu1)}; }, 1},
        {"SW2", [](St_System_HD& h) { h.Amu1.D1_Bits3_2 = 2; },
         [](const St_System_HD& h) { return Hd_Amu_Sw2_Setting(h.Amu1); }, 2},
        {"SW3-2", [](St_System_HD& h) { h.Amu1.D1_Bit1 = true; },
         [](const St_System_HD& h) { return int {Hd_Amu_Sw3_2_Off(h.Amu1)}; }, 1},
        {"SW3-1", [](St_System_HD& h) { h.Amu1.D1_Bit0 = true; },
         [](const St_System_HD& h) { return int {Hd_Amu_Sw3_1_Off(h.Amu1)}; }, 1},
        {"CW3", [](St_System_HD& h) { h.Amu1.D4_Hi = 9; },
         [](const St_System_HD& h) { return Hd_Amu_Cw3_Position(h.Amu1); }, 9},
        {"Tx on", [](St_System_HD& h) { h.Wca.D6_Bit4 = true; },
         [](const St_System_HD& h) { return int {Hd_Wca_Tx_On(h.Wca)}; }, 1},
        {"Tx fault", [](St_System_HD& h) { h.Wca.D6_Bit3 = true; },
         [](const St_System_HD& h) { return int {Hd_Wca_Tx_Fault(h.Wca)}; }, 1},
        {"compression on", [](St_System_HD& h) { h.Wca.Present = true; },
         [](const St_System_HD& h) { return int {Hd_Wca_Compression_On(h.Wca)}; }, 1},
        {"compression mode", [](St_System_HD& h) { h.Wca.D6_Bits7_6 = 3; },
         [](const St_System_HD& h) { return Hd_Wca_Compression_Mode(h.Wca); }, 3},
        {"WCA temperature", [](St_System_HD& h) { h.Wca_Status.D3 = 44; },
         [](const St_System_HD& h) { return Hd_Wca_Temperature(h.Wca_Status); }, 44},
    };
    for (const Pin& pin : pins) {
        SCOPED_TRACE(pin.meaning);
        Hd_State state;
        EXPECT_NE(pin.read(state.hd), pin.expected);
        pin.set(state.hd);
        EXPECT_EQ(pin.read(state.hd), pin.expected);
    }
}

TEST(HdFields, TheWcaReceiversAreGoodOnlyWithNoFaultAndEveryLock)
{
    auto good = [] {
        Hd_State state;
        St_System_HD_WCA_Status& s = state.hd.Wca_Status;
        s.D1_Bit7 = s.D1_Bit6 = s.D1_Bit5 = s.D1_Bit4 = s.D1_Bit3 = s.D1_Bit1 = s.D1_Bit0 = true;
        return state;
    };
    EXPECT_TRUE(Hd_Wca_Receivers_Good(good().hd.Wca_Status));
    for (bool St_System_HD_WCA_Status::*fault :
         {&St_System_HD_WCA_Status::D0_Bit7, &St_System_HD_WCA_Status::D0_Bit6, &St_System_HD_WCA_Status::D0_Bit5,
          &St_System_HD_WCA_Status::D0_Bit4, &St_System_HD_WCA_Status::D0_Bit3, &St_System_HD_WCA_Status::D0_Bit2,
          &St_System_HD_WCA_Status::D0_Bit1, &St_System_HD_WCA_Status::D0_Bit0}) {
        Hd_State state = good();
        state.hd.Wca_Status.*fault = true;
        EXPECT_FALSE(Hd_Wca_Receivers_Good(state.hd.Wca_Status));
    }
    for (bool St_System_HD_WCA_Status::*lock :
         {&St_System_HD_WCA_Status::D1_Bit7, &St_System_HD_WCA_Status::D1_Bit6, &St_System_HD_WCA_Status::D1_Bit5,
          &St_System_HD_WCA_Status::D1_Bit4, &St_System_HD_WCA_Status::D1_Bit3, &St_System_HD_WCA_Status::D1_Bit1,
          &St_System_HD_WCA_Status::D1_Bit0}) {
        Hd_State state = good();
        state.hd.Wca_Status.*lock = false;
        EXPECT_FALSE(Hd_Wca_Receivers_Good(state.hd.Wca_Status));
    }
}

TEST(HdFields, MeaningsNoFieldCarriesAnswerNothingOrTheirNeutralValue)
{
    Hd_State state;
    St_System_HD& h = state.hd;
    EXPECT_FALSE(Hd_Wcu_Service_Data_Fault(h.Wcu).has_value());
    EXPECT_FALSE(Hd_Wcu_Service_Data_Activity(h.Wcu).has_value());
    EXPECT_FALSE(Hd_Wcu_Intercom_Flag(h.Wcu).has_value());
    EXPECT_FALSE(Hd_Wcu_On_Air(h.Wcu_Status).has_value());
    EXPECT_FALSE(Hd_Amu_Fan_Fault(h.Amu1).has_value());
    EXPECT_FALSE(Hd_Amu_Service_Data_Fault(h.Amu1).has_value());
    EXPECT_FALSE(Hd_Amu_Service_Data_Activity(h.Amu1).has_value());
    EXPECT_FALSE(Hd_Amu_Intercom_Flag(h.Amu1).has_value());
    EXPECT_FALSE(Hd_De_Booster(h.Amu1).has_value());
    EXPECT_TRUE(Hd_Wcu_Receive_Flag(h.Wcu_Status));
    EXPECT_TRUE(Hd_Wcu_Ocp_Flag(h.Wcu_Status));
    EXPECT_FALSE(Hd_Amu_Cw2_Auto(h.Amu1));
}
