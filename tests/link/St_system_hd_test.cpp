#include "link/St_system_hd.h"

#include "tests/support/Temp_Settings.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

bool All_Empty(const std::array<int, St_System_HD_Spectrum::Points>& curve)
{
    return std::ranges::all_of(curve, [](int point) { return point == St_System_HD_Spectrum::Empty_Point; });
}

TEST(St_System_HD, FreshBlockHasItsPowerOnValues)
{
    Temp_Settings temp;
    const St_System_HD block(0);
    EXPECT_FLOAT_EQ(block.Wcu_Status.Video_Bandwidth, 17.381407f);
    EXPECT_EQ(block.Wcu_Status.Toggle_Rate_Any, 1);
    EXPECT_EQ(block.Wcu_Status.Toggle_Rate_A, 1);
    EXPECT_EQ(block.Wcu_Status.Toggle_Rate_B, 1);
    EXPECT_TRUE(block.Wcu.D2_Bit3);
    EXPECT_TRUE(block.Wcu.D2_Bit3_Held);
    EXPECT_TRUE(block.Amu1.Versions_Match);
    EXPECT_TRUE(block.Amu2.D24_Bit5);
    EXPECT_EQ(block.Amu1_Stat.Rx_Level, (std::array<int, 3>{255, 255, 255}));
    EXPECT_EQ(block.Amu2_Stat.Rx_Level, (std::array<int, 3>{255, 255, 255}));
    EXPECT_TRUE(All_Empty(block.Amu1_Spectrum.Current) && All_Empty(block.Amu2_Spectrum.Peak));
    EXPECT_EQ(block.Alarm_Battery_Level, 3);
    EXPECT_EQ(block.Tuner_Choice_Amu1 + block.Tuner_Choice_Amu2, 0);
}

TEST(St_System_HD, CopyCarriesTheRssiAveragesButNotTheHistory)
{
    Temp_Settings temp;
    St_System_HD current(0);
    St_System_HD snapshot(1);
    const int weak[3] = {155, 155, 155};   // level 100
    const int strong[3] = {55, 55, 55};    // level 200
    snapshot.Amu2_Stat.Rssi_Buffer->Add(weak);
    current.Amu2_Stat.Rssi_Buffer->Add(strong);
    current.Amu2_Stat.Rx_Level = {1, 2, 3};
    current.Amu2_Stat.D27 = 9;
    current.Wcu_Link.Link_Event_Code = 13;
    current.Tuner_Choice_Amu2 = 2;
    current.Alarm_Battery_Level = 5;

    snapshot.Copy(current);
    EXPECT_EQ(snapshot.Index, 1);
    EXPECT_EQ(snapshot.Amu2_Stat.Rx_Level, current.Amu2_Stat.Rx_Level);
    EXPECT_EQ(snapshot.Amu2_Stat.D27, 9);
    EXPECT_EQ(snapshot.Wcu_Link.Link_Event_Code, 13);
    EXPECT_EQ(snapshot.Tuner_Choice_Amu2, 2);
    EXPECT_EQ(snapshot.Alarm_Battery_Level, 5);
    EXPECT_EQ(snapshot.Amu2_Stat.Rssi_Buffer->Get(0), 200);
    snapshot.Amu2_Stat.Rssi_Buffer->Add(weak);
    EXPECT_EQ(snapshot.Amu2_Stat.Rssi_Buffer->Get(0), 100); // its own two samples

    const St_System_HD_AMU_Stat copy(current.Amu2_Stat);
    EXPECT_NE(copy.Rssi_Buffer, current.Amu2_Stat.Rssi_Buffer);
    EXPECT_EQ(copy.Rssi_Buffer->Get(3), 200);
    EXPECT_EQ(copy.Rx_Level, current.Amu2_Stat.Rx_Level);
}

TEST(St_System_HD, UserChoicesSurviveResetAndOutOfRangeOnesAreRefused)
{
    Temp_Settings temp;
    St_System_HD block(2);
    block.Set_Tuner_Choice(4, '1');
    block.Set_Tuner_Choice(6, '2');
    block.Set_Tuner_Choice(7, 'x');
    block.Set_Tuner_Choice(8, '1');
    block.Set_Tuner_Choice(-1, '2');
    EXPECT_TRUE(block.Set_Alarm_Battery_Level(0));
    EXPECT_FALSE(block.Set_Alarm_Battery_Level(-1));
    block.Amu1_Spectrum.Current[0] = 5;
    block.Reset();
    EXPECT_EQ(block.Tuner_Choice_Amu1, 4);
    EXPECT_EQ(block.Tuner_Choice_Amu2, 7);
    EXPECT_EQ(block.Alarm_Battery_Level, 0);
    EXPECT_EQ(block.Index, 2);
    EXPECT_TRUE(All_Empty(block.Amu1_Spectrum.Current));
}

TEST(St_System_HD_Spectrum, AbsentBlockKeepsItsCurvesAndPeaksHoldWithinTheCurve)
{
    St_System_HD_Spectrum spectrum;
    spectrum.Present = true;
    spectrum.Current.fill(-50);
    spectrum.Current[199] = -10;
    spectrum.Update_Peak(190, 50); // clipped to the curve's end
    spectrum.Update_Peak(-5, 6);   // clipped to its start: point 0 only
    EXPECT_EQ(spectrum.Peak[0], -50);
    EXPECT_EQ(spectrum.Peak[1], St_System_HD_Spectrum::Empty_Point);
    EXPECT_EQ(spectrum.Peak[189], St_System_HD_Spectrum::Empty_Point);
    EXPECT_EQ(spectrum.Peak[190], -50);
    EXPECT_EQ(spectrum.Peak[199], -10);
    spectrum.Current[199] = -90;
    spectrum.Update_Peak(199, 1);
    EXPECT_EQ(spectrum.Peak[199], -10);

    spectrum.Reset(false);
    EXPECT_FALSE(spectrum.Is_Present());
    EXPECT_EQ(spectrum.Current[199], -90);
    spectrum.Reset_Peak();
    EXPECT_TRUE(All_Empty(spectrum.Peak));
    EXPECT_EQ(spectrum.Current[0], -50);
}

TEST(St_System_HD_WCU, HeaderFlagsAreDebouncedOverFivePolls)
{
    St_System_HD_WCU wcu;
    const auto poll = [&wcu](bool bit3, bool bit0) {
        wcu.D2_Bit3 = bit3;
        wcu.D2_Bit0 = bit0;
        wcu.Debounce_Flags();
    };
    poll(true, true);
    for (int i = 0; i < 4; ++i) {
        poll(false, true);
        EXPECT_TRUE(wcu.D2_Bit3_Held) << i;
    }
    EXPECT_TRUE(wcu.D2_Bit0_Confirmed);
    poll(false, false);
    EXPECT_FALSE(wcu.D2_Bit3_Held);
    EXPECT_FALSE(wcu.D2_Bit0_Confirmed);
    poll(false, true);
    EXPECT_FALSE(wcu.D2_Bit0_Confirmed);
    EXPECT_EQ(wcu.D2_Bit3_Absent_Count, 5);
    wcu.Reset();
    EXPECT_TRUE(wcu.D2_Bit3_Held);
    EXPECT_EQ(wcu.D2_Bit0_Count, 0);
}

TEST(St_System_HD_WCU_Status, TriaxPredicates)
{
    St_System_HD_WCU_Status status;
    status.Triax1_Used = true;
    status.D0_Bit0 = status.D1_Bit2 = true;
    EXPECT_FALSE(status.Is_Triax1_Down_Link_Ok());
    status.D2_Bit4 = true;
    EXPECT_TRUE(status.Is_Triax1_Down_Link_Ok());
    EXPECT_FALSE(status.Is_Triax1_Ok());
    status.D2_Bit6 = true;
    EXPECT_TRUE(status.Is_Triax1_Ok());
    EXPECT_FALSE(status.Is_Triax2_Ok());
    status.Triax2_Used = status.D0_Bit1 = status.D1_Bit3 = status.D2_Bit5 = status.D2_Bit7 = true;
    EXPECT_TRUE(status.Is_Triax2_Ok());
    status.Triax2_Used = false;
    EXPECT_TRUE(status.Is_Triax2_Down_Link_Ok());
    EXPECT_FALSE(status.Is_Triax2_Ok());
}

TEST(St_System_HD_AMU, GradingNeedsFirmwareAbove1_7)
{
    St_System_HD_AMU amu;
    amu.Firmware_Version = 0x17;
    EXPECT_FALSE(amu.Is_Grading_Enabled());
    amu.Firmware_Version = 0x18;
    EXPECT_TRUE(amu.Is_Grading_Enabled());
}

} // namespace
