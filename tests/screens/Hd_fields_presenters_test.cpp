// Each meaning the HD page's block presenters show reads its own field:
// the field moved off its reset value, the accessor follows it.

#include "screens/Hd_fields.h"
#include "tests/support/Temp_Settings.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct Pin {
    const char* meaning;
    std::function<void(St_System_HD&)> set;
    std::function<int(const St_System_HD&)> read;
    int expected;
};

} // namespace

TEST(HdFields, EachBlockPresenterMeaningReadsItsField)
{
    const Pin pins[] = {
        {"video frequency", [](St_System_HD& h) { h.Wcu_Status.Video_Frequency = 2.25f; },
         [](const St_System_HD& h) { return int(Hd_Wcu_Video_Frequency_Ghz(h.Wcu_Status) * 100); }, 225},
        {"video bandwidth", [](St_System_HD& h) { h.Wcu_Status.Video_Bandwidth = 22.0f; },
         [](const St_System_HD& h) { return int(Hd_Wcu_Video_Bandwidth_Mhz(h.Wcu_Status)); }, 22},
        {"triax 2 used", [](St_System_HD& h) { h.Wcu_Status.Triax2_Used = true; },
         [](const St_System_HD& h) { return Hd_Triax_Used(h.Wcu_Status, '2') * 10 + Hd_Triax_Used(h.Wcu_Status, '1'); },
         10},
        {"triax 1 down link",
         [](St_System_HD& h) { h.Wcu_Status.D0_Bit0 = h.Wcu_Status.D1_Bit2 = h.Wcu_Status.D2_Bit4 = true; },
         [](const St_System_HD& h) {
             return Hd_Triax_Down_Link_Ok(h.Wcu_Status, '1') * 10 + Hd_Triax_Down_Link_Ok(h.Wcu_Status, '2');
         },
         10},
        {"triax 2 good",
         [](St_System_HD& h) {
             h.Wcu_Status.Triax2_Used = h.Wcu_Status.D2_Bit7 = true;
             h.Wcu_Status.D0_Bit1 = h.Wcu_Status.D1_Bit3 = h.Wcu_Status.D2_Bit5 = true;
         },
         [](const St_System_HD& h) { return Hd_Triax_Ok(h.Wcu_Status, '2') * 10 + Hd_Triax_Ok(h.Wcu_Status, '1'); },
         10},
        {"triax 1 link bit", [](St_System_HD& h) { h.Wcu_Status.Triax1_Link = true; },
         [](const St_System_HD& h) {
             return Hd_Triax_Link_Bit(h.Wcu_Status, '1') * 10 + Hd_Triax_Link_Bit(h.Wcu_Status, '2');
         },
         10},
        {"rate any", [](St_System_HD& h) { h.Wcu_Status.Toggle_Rate_Any = 2; },
         [](const St_System_HD& h) { return Hd_Wcu_Rate_Any(h.Wcu_Status); }, 2},
        {"rate A", [](St_System_HD& h) { h.Wcu_Status.Toggle_Rate_A = 1; },
         [](const St_System_HD& h) { return Hd_Wcu_Rate_A(h.Wcu_Status); }, 1},
        {"rate B", [](St_System_HD& h) { h.Wcu_Status.Toggle_Rate_B = 2; },
         [](const St_System_HD& h) { return Hd_Wcu_Rate_B(h.Wcu_Status); }, 2},
        {"data quality", [](St_System_HD& h) { h.Wcu.D0_Bits6_0 = 99; },
         [](const St_System_HD& h) { return Hd_Wcu_Data_Quality(h.Wcu); }, 99},
        {"freeze", [](St_System_HD& h) { h.Wcu_Link.D1_Bit2 = true; },
         [](const St_System_HD& h) { return int {Hd_Link_Freeze(h.Wcu_Link)}; }, 1},
        {"genlock in use", [](St_System_HD& h) { h.Wcu_Link.D1_Bit0 = true; },
         [](const St_System_HD& h) { return int {Hd_Link_Genlock_In_Use(h.Wcu_Link)}; }, 1},
        {"genlock reference unknown", [](St_System_HD& h) { h.Wcu_Link.D1_Bit1 = true; },
         [](const St_System_HD& h) { return int {Hd_Link_Genlock_Reference_Unknown(h.Wcu_Link)}; }, 1},
        {"genlock wrong standard", [](St_System_HD& h) { h.Wcu_Link.D2_Bit0 = true; },
         [](const St_System_HD& h) { return int {Hd_Link_Genlock_Wrong_Standard(h.Wcu_Link)}; }, 1},
        {"genlock PLL locked", [](St_System_HD& h) { h.Wcu_Link.D2_Bit1 = true; },
         [](const St_System_HD& h) { return int {Hd_Link_Genlock_Pll_Locked(h.Wcu_Link)}; }, 1},
        {"link camera lock", [](St_System_HD& h) { h.Wcu_Link.D2_Bit2 = true; },
         [](const St_System_HD& h) { return int {Hd_Link_Camera_Lock(h.Wcu_Link)}; }, 1},
        {"raw video quality", [](St_System_HD& h) { h.Wcu_Link.D0 = 42; },
         [](const St_System_HD& h) { return Hd_Link_Raw_Video_Quality(h.Wcu_Link); }, 42},
        {"WCA camera lock", [](St_System_HD& h) { h.Wca.D6_Bit5 = true; },
         [](const St_System_HD& h) { return int {Hd_Wca_Camera_Lock(h.Wca)}; }, 1},
        {"tally", [](St_System_HD& h) { h.Wca.D6_Bit2 = true; },
         [](const St_System_HD& h) { return int {Hd_Wca_Tally(h.Wca)}; }, 1},
        {"battery", [](St_System_HD& h) { h.Wca.Present = true; h.Wca.Battery_Raw = 300; },
         [](const St_System_HD& h) { return Hd_Wca_Battery_Raw(h.Wca).value_or(-1); }, 300},
        {"battery without the WCA record", [](St_System_HD& h) { h.Wca.Battery_Raw = 300; },
         [](const St_System_HD& h) { return Hd_Wca_Battery_Raw(h.Wca).value_or(-1); }, -1},
        {"cell identifier", [](St_System_HD& h) { h.Amu2.Amu_Identifier = 0xC; },
         [](const St_System_HD& h) { return Hd_Amu_Cell_Identifier(h.Amu2); }, 0xC},
        {"CW1 clash", [](St_System_HD& h) { h.Amu1.Same_Identifier = true; },
         [](const St_System_HD& h) { return int {Hd_Amu_Cw1_Clash(h.Amu1)}; }, 1},
        {"receiver 1 locked only with both its bits", [](St_System_HD& h) { h.Amu1.D3_Bit5 = h.Amu1.D3_Bit0 = true; },
         [](const St_System_HD& h) {
             return Hd_Amu_Receiver_Locked(h.Amu1, 1) * 100 + Hd_Amu_Receiver_Locked(h.Amu1, 2) * 10 +
                    Hd_Amu_Receiver_Locked(h.Amu1, 3);
         },
         100},
        {"receiver 2 locked", [](St_System_HD& h) { h.Amu1.D3_Bit4 = h.Amu1.D3_Bit1 = true; h.Amu1.D3_Bit5 = true; },
         [](const St_System_HD& h) {
             return Hd_Amu_Receiver_Locked(h.Amu1, 1) * 100 + Hd_Amu_Receiver_Locked(h.Amu1, 2) * 10 +
                    Hd_Amu_Receiver_Locked(h.Amu1, 3);
         },
         10},
        {"receiver 3 locked", [](St_System_HD& h) { h.Amu1.D3_Bit3 = h.Amu1.D3_Bit2 = true; },
         [](const St_System_HD& h) { return int {Hd_Amu_Receiver_Locked(h.Amu1, 3)}; }, 1},
        {"all unlocked", [](St_System_HD& h) { h.Amu1.D2_Bit2 = true; },
         [](const St_System_HD& h) { return int {Hd_Amu_All_Unlocked(h.Amu1)}; }, 1},
        {"video link error", [](St_System_HD& h) { h.Amu1.D2_Bit1 = true; },
         [](const St_System_HD& h) { return int {Hd_Amu_Video_Link_Error(h.Amu1)}; }, 1},
        {"profile mismatch", [](St_System_HD& h) { h.Amu1.D2_Bit0 = true; },
         [](const St_System_HD& h) { return int {Hd_Amu_Profile_Mismatch(h.Amu1)}; }, 1},
        {"grading", [](St_System_HD& h) { h.Amu1.Firmware_Version = 0x18; },
         [](const St_System_HD& h) { return int {Hd_Amu_Grading_Enabled(h.Amu1)}; }, 1},
        {"receiver levels", [](St_System_HD& h) { h.Amu1_Stat.Rx_Level = {1, 2, 3}; },
         [](const St_System_HD& h) { return Hd_Amu_Receiver_Levels(h.Amu1_Stat)[2]; }, 3},
        {"grade values", [](St_System_HD& h) { h.Amu1_Stat.Rx_Ext_Signed = {-4, 5, 6}; },
         [](const St_System_HD& h) { return Hd_Amu_Grade_Values(h.Amu1_Stat)[0]; }, -4},
        {"RSSI of tuner 2",
         [](St_System_HD& h) {
             const int raw[3] = {255, 55, 255};
             h.Amu1_Stat.Rssi_Buffer->Add(raw);
         },
         [](const St_System_HD& h) { return Hd_Amu_Rssi(h.Amu1_Stat, 2); }, 200},
        {"data emitter wire", [](St_System_HD& h) { h.Amu1.Data_Valid_A = true; },
         [](const St_System_HD& h) { return int {Hd_De_Wire(h.Amu1)}; }, 1},
        {"Tx on", [](St_System_HD& h) { h.Amu1.D5_Bit0 = true; },
         [](const St_System_HD& h) { return int {Hd_De_Tx_On(h.Amu1)}; }, 1},
        {"normal transmission", [](St_System_HD& h) { h.Amu1.D5_Bit2 = true; },
         [](const St_System_HD& h) { return int {Hd_De_Normal_Transmission(h.Amu1)}; }, 1},
    };
    const Temp_Settings settings;
    for (const Pin& pin : pins) {
        SCOPED_TRACE(pin.meaning);
        St_System_HD hd(0);
        pin.set(hd);
        EXPECT_EQ(pin.read(hd), pin.expected);
    }
}
