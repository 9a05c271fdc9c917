#include "link/St_system_hd.h"

#include "tests/support/Temp_Settings.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using Codes = std::array<int, 3>;

// A bandwidth no derivation writes, to see that a step leaves it alone.
constexpr float Untouched_Bandwidth = 1.0f;

TEST(Hd_Derivations, AmuComparisonsNeedBothAmus)
{
    struct Case {
        bool present1;
        bool present2;
        int version2;
        int identifier2;
        bool versions_match;
        bool same_identifier;
    };
    const Case cases[] = {
        {true, true, 0x17, 3, true, true},     {true, true, 0x16, 4, false, false},
        {true, false, 0x16, 3, true, false},   {false, true, 0x16, 3, true, false},
        {false, false, 0x16, 3, true, false},
    };
    Temp_Settings temp;
    St_System_HD block(0);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.present1 << c.present2 << c.version2 << c.identifier2);
        block.Amu1.Present = c.present1;
        block.Amu2.Present = c.present2;
        block.Amu1.Firmware_Version = 0x17;
        block.Amu2.Firmware_Version = c.version2;
        block.Amu1.Amu_Identifier = 3;
        block.Amu2.Amu_Identifier = c.identifier2;
        block.Check_Amu_Versions();
        block.Check_Amu_Settings();
        EXPECT_EQ(block.Amu1.Versions_Match, c.versions_match);
        EXPECT_EQ(block.Amu2.Versions_Match, c.versions_match);
        EXPECT_EQ(block.Amu1.Same_Identifier, c.same_identifier);
        EXPECT_EQ(block.Amu2.Same_Identifier, c.same_identifier);
    }
}

TEST(Hd_Derivations, CommonRangeCodeIgnoresTunersWithoutCode)
{
    const std::pair<Codes, int> cases[] = {
        {{0, 0, 0}, -1},   {{51, 0, 51}, 51}, {{0, 0, 52}, 52}, {{51, 52, 0}, -1},
        {{0, 53, 53}, 53}, {{54, 54, 55}, -1}, {{60, 0, 60}, 60},
    };
    St_System_HD_AMU amu;
    for (const auto& [codes, expected] : cases) {
        amu.Range_Code = codes;
        EXPECT_EQ(amu.Common_Range_Code(), expected) << codes[0] << ' ' << codes[1] << ' ' << codes[2];
    }
}

struct Amu_Video {
    bool present;
    Codes codes;
    bool range_valid;
    int synth;
    int version;
};

struct Video_Case {
    const char* name;
    Amu_Video amu1;
    Amu_Video amu2;
    float frequency;
    float bandwidth;
    bool mismatch1;
    bool mismatch2;
};

constexpr Amu_Video Absent{false, {0, 0, 0}, true, 0, 0x16};
constexpr float Narrow = 17.381407f;
constexpr float Wide = 19.65125f;

const Video_Case Video_Cases[] = {
    {"no AMU", Absent, Absent, 0.0f, Narrow, false, false},
    {"AMU1 alone", {true, {51, 0, 51}, true, 100, 0x16}, Absent, 2.222f, Narrow, false, false},
    {"AMU1 alone, old firmware", {true, {51, 0, 51}, true, 100, 0x15}, Absent, 2.222f, Wide, false, false},
    {"AMU1 alone, tuners disagree", {true, {51, 52, 0}, true, 100, 0x16}, Absent, -2.0f, Untouched_Bandwidth, true,
     false},
    {"AMU1 alone, no code", {true, {0, 0, 0}, true, 100, 0x15}, Absent, -1.0f, Wide, false, false},
    {"AMU1 alone, range not valid", {true, {52, 52, 52}, false, 100, 0x16}, {false, {0, 0, 0}, true, 0, 0},
     -4.0f, Narrow, false, false},
    {"AMU1 alone, unknown code", {true, {60, 0, 0}, true, 100, 0x16}, Absent, -3.0f, Narrow, false, false},
    {"AMU2 alone", Absent, {true, {0, 55, 55}, true, 100, 0x10}, 2.322f, Wide, false, false},
    {"AMU2 alone, inverted band", Absent, {true, {50, 0, 0}, true, 0, 0x16}, 2.228f, Narrow, false, false},
    {"AMU2 alone, its range not valid", {false, {0, 0, 0}, true, 0, 0}, {true, {53, 0, 0}, false, 100, 0x16}, -4.0f,
     Narrow, false, false},
    {"AMU2 alone, tuners disagree", Absent, {true, {0, 53, 54}, true, 100, 0x16}, -2.0f, Untouched_Bandwidth, false,
     true},
    {"both, AMU2 without codes", {true, {51, 51, 51}, true, 100, 0x15}, {true, {0, 0, 0}, true, 100, 0x16}, -1.0f,
     Wide, false, false},
    {"both, AMU1 without codes", {true, {0, 0, 0}, true, 100, 0x16}, {true, {51, 0, 0}, true, 100, 0x15}, -1.0f,
     Narrow, false, false},
    {"both, AMUs disagree", {true, {52, 0, 0}, true, 100, 0x16}, {true, {0, 53, 0}, true, 100, 0x16}, -2.0f,
     Untouched_Bandwidth, true, true},
    {"both, no range valid", {true, {53, 53, 0}, false, 100, 0x15}, {true, {0, 0, 53}, false, 100, 0x16}, -4.0f, Wide,
     false, false},
    {"both, AMU2's synthesizer", {true, {53, 0, 0}, false, 0, 0x16}, {true, {53, 53, 53}, true, 100, 0x15}, 2.522f,
     Narrow, false, false},
    {"both, AMU1's synthesizer", {true, {54, 0, 0}, true, 40, 0x15}, {true, {54, 0, 0}, true, 100, 0x16}, 2.692f,
     Wide, false, false},
    {"both, unknown code", {true, {70, 0, 0}, true, 40, 0x16}, {true, {70, 0, 0}, true, 100, 0x16}, -3.0f, Narrow,
     false, false},
};

void Set_Video(St_System_HD_AMU& amu, const Amu_Video& values)
{
    amu.Present = values.present;
    amu.Range_Code = values.codes;
    amu.Synth_Value = values.synth;
    amu.Firmware_Version = values.version;
    amu.Range_Mismatch = true;
}

TEST(Hd_Derivations, VideoFrequencyBandwidthAndRangeMismatch)
{
    Temp_Settings temp;
    St_System_HD block(0);
    for (const Video_Case& c : Video_Cases) {
        SCOPED_TRACE(c.name);
        Set_Video(block.Amu1, c.amu1);
        Set_Video(block.Amu2, c.amu2);
        block.Wcu_Status.Amu1_Range_Valid = c.amu1.range_valid;
        block.Wcu_Status.Amu2_Range_Valid = c.amu2.range_valid;
        block.Wcu_Status.Video_Bandwidth = Untouched_Bandwidth;
        block.Update_Video_Frequency();
        EXPECT_FLOAT_EQ(block.Wcu_Status.Video_Frequency, c.frequency);
        EXPECT_FLOAT_EQ(block.Wcu_Status.Video_Bandwidth, c.bandwidth);
        EXPECT_EQ(block.Amu1.Range_Mismatch, c.mismatch1);
        EXPECT_EQ(block.Amu2.Range_Mismatch, c.mismatch2);
    }
}

struct Amu_Data {
    bool present;
    bool range_valid;
    bool valid_a;
    bool valid_b;
    int mode_code;
    // Data channel in 25 kHz steps.
    int steps;
};

struct Data_Case {
    const char* name;
    Amu_Data amu1;
    Amu_Data amu2;
    float frequency;
};

constexpr int Mhz_454 = 18160;
constexpr int Mhz_455 = 18200;
constexpr int Mhz_462 = 18480;
constexpr Amu_Data No_Amu{false, true, true, true, 4, Mhz_455};

const Data_Case Data_Cases[] = {
    {"no AMU", No_Amu, No_Amu, 0.0f},
    {"AMU1 alone, lowest channel", {true, true, true, true, 4, Mhz_454}, No_Amu, 454.0f},
    {"AMU1 alone, highest channel", {true, true, true, true, 4, Mhz_462}, No_Amu, 462.0f},
    {"AMU1 alone, below the band", {true, true, true, true, 4, Mhz_454 - 1}, No_Amu, -2.0f},
    {"AMU1 alone, above the band", {true, true, true, true, 4, Mhz_462 + 1}, No_Amu, -2.0f},
    {"AMU1 alone, range not valid", {true, false, true, true, 4, Mhz_455}, No_Amu, -4.0f},
    {"AMU1 alone, first validity clear", {true, true, false, true, 4, Mhz_455}, No_Amu, -1.0f},
    {"AMU1 alone, second validity clear", {true, true, true, false, 4, Mhz_455}, No_Amu, -1.0f},
    {"AMU1 alone, mode before band", {true, true, true, true, 3, 0}, No_Amu, -3.0f},
    {"AMU2 alone", No_Amu, {true, true, true, true, 4, Mhz_462}, 462.0f},
    {"AMU2 alone, its range not valid", {false, true, true, true, 4, 0}, {true, false, true, true, 4, Mhz_455}, -4.0f},
    {"both, no range valid before validity", {true, false, false, true, 4, Mhz_455},
     {true, false, true, true, 4, Mhz_455}, -4.0f},
    {"both, AMU2's validity clear", {true, true, true, true, 4, Mhz_455}, {true, false, true, false, 4, Mhz_455},
     -1.0f},
    {"both, AMU2's channel", {true, false, true, true, 4, 0}, {true, true, true, true, 4, Mhz_455}, 455.0f},
    {"both, AMU1's channel", {true, true, true, true, 4, Mhz_454}, {true, true, true, true, 4, 0}, 454.0f},
    {"both, AMU1's channel out of band", {true, true, true, true, 4, 0}, {true, true, true, true, 4, Mhz_455}, -2.0f},
    {"both, modes differ", {true, true, true, true, 4, Mhz_455}, {true, true, true, true, 5, Mhz_455}, -2.0f},
    {"both, band before mode", {true, true, true, true, 5, 0}, {true, true, true, true, 5, 0}, -2.0f},
    {"both, same unknown mode", {true, true, true, true, 5, Mhz_455}, {true, true, true, true, 5, Mhz_455}, -3.0f},
};

void Set_Data(St_System_HD_AMU& amu, const Amu_Data& values)
{
    amu.Present = values.present;
    amu.Data_Valid_A = values.valid_a;
    amu.Data_Valid_B = values.valid_b;
    amu.Data_Mode_Code = values.mode_code;
    amu.Data_Step_Mode = 0;
    amu.Data_Freq_A = 0;
    amu.Data_Freq_B = 0;
    amu.Data_Freq_Hi = values.steps / 256;
    amu.Data_Freq_Lo = values.steps % 256;
}

TEST(Hd_Derivations, DataFrequencyTakesTheFirstFailingTest)
{
    Temp_Settings temp;
    St_System_HD block(0);
    for (const Data_Case& c : Data_Cases) {
        SCOPED_TRACE(c.name);
        Set_Data(block.Amu1, c.amu1);
        Set_Data(block.Amu2, c.amu2);
        block.Wcu_Status.Amu1_Range_Valid = c.amu1.range_valid;
        block.Wcu_Status.Amu2_Range_Valid = c.amu2.range_valid;
        block.Wcu_Status.Data_Frequency = 99.0f;
        block.Update_Data_Frequency();
        EXPECT_EQ(block.Wcu_Status.Data_Frequency, c.frequency);
    }
}

} // namespace
