#include "link/Pc_wcu_link.h"

#include "tests/support/Simulated_Wcu.h"
#include "tools/Hd_Wcu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <initializer_list>
#include <ostream>
#include <string>

namespace {

constexpr BYTE Tuners_0_0 = 0xC0;
// AMU1 on tuner 3, AMU2 on tuner 5.
constexpr BYTE Tuners_3_5 = 0xEB;

using Frame = std::vector<BYTE>;

// Flags as a string of 0 and 1, most significant first.
std::string Bits(std::initializer_list<bool> flags)
{
    std::string text;
    for (bool flag : flags) {
        text += flag ? '1' : '0';
    }
    return text;
}

std::vector<BYTE> Spectrum_Ramp(int first)
{
    std::vector<BYTE> points(200);
    for (std::size_t i = 0; i < points.size(); ++i) {
        points[i] = static_cast<BYTE>(first + static_cast<int>(i));
    }
    return points;
}

// Every block present, long level blocks and 200-point spectra (the
// longest frame, 584 bytes), with set and clear bits alternating in the
// flag bytes, so that a bit taken from the wrong place shows.
Hd_Wcu Patterned_Hd_Wcu()
{
    auto amu = [](BYTE identifier, BYTE temperature) {
        return std::vector<BYTE> {0x18, 0x2D, 0x05, 0x29, static_cast<BYTE>(0x60 | identifier), 0x06, 0x85, 0x6A, 0x34,
                                  0x12, 150,  11,   temperature, 13, 14, 15, 16, 17, 0x74, 52, 53, 0, 22, 23, 0x55};
    };
    // Tuner levels 40, 60 and none.
    const std::vector<BYTE> levels = {0xA7, 0x31, 0x23, 20, 21, 40, 25, 0x12, 0x34, 30, 31, 60, 35, 0xFF,
                                      0xFF, 40,   41,   255, 45, 19, 20, 0xFE, 0x05, 0x80, 24, 25, 26, 27};
    Hd_Wcu wcu = Typical_Hd_Wcu();
    wcu.Blocks[Hd_Wcu::Wcu_Link].Data = {0x11, 0x05, 0x55, 30, 40, 50, 60, 0xA7, 0x3C, 4, 100, 0xD9, 0x2A, 0x77};
    wcu.Blocks[Hd_Wcu::Wcu_Status].Data = {0x95, 0x17, 0x5A, 0x2E, 4,  5,  6,  7,    0x81, 0x02,
                                           0xFF, 0xFF, 12,   13,   14, 15, 0x9C, 0x2B, 180};
    wcu.Blocks[Hd_Wcu::Amu1].Data = amu(1, 0xF6);
    wcu.Blocks[Hd_Wcu::Amu1_Levels].Data = levels;
    wcu.Blocks[Hd_Wcu::Amu1_Spectrum].Data = Spectrum_Ramp(0);
    wcu.Blocks[Hd_Wcu::Amu2].Data = amu(2, 35);
    wcu.Blocks[Hd_Wcu::Amu2_Levels].Data = levels;
    wcu.Blocks[Hd_Wcu::Amu2_Spectrum].Data = Spectrum_Ramp(56);
    wcu.Blocks[Hd_Wcu::Wca_Status].Data = {0xA5, 0x5F, 2, 0xEC, 4, 5, 6};
    wcu.Blocks[Hd_Wcu::Wca].Data = {0x01, 0x02, 0x03, 0xE8, 4, 0x5C, 0x96, 7};
    wcu.Blocks[Hd_Wcu::Wcu].Data = {0x83, 1, 0x29, 3, 0xFB, 0x4D, 0x12, 0x34};
    return wcu;
}

// Every value a decoded frame can change, to show that a bad one changed none.
std::vector<int> Contents(const St_System_HD& hd)
{
    std::vector<int> values = {hd.Wcu_Link.Present,  hd.Wcu_Link.D0,        hd.Wcu_Link.D13,
                               hd.Wcu_Status.Present, hd.Wcu_Status.D18,    hd.Wcu_Status.Triax1_Link,
                               hd.Wcu_Detail.Present, hd.Wcu_Detail.D8_D9,  hd.Amu1.Present,
                               hd.Amu1.Synth_Value,   hd.Amu1.Temperature,  hd.Amu2.Present,
                               hd.Amu2.Range_Code[0], hd.Wca_Status.Present, hd.Wca_Status.D3,
                               hd.Wca.Present,        hd.Wca.Battery_Raw,   hd.Wcu.Present,
                               hd.Wcu.D6_D7,          hd.Wcu.D2_Bit0_Count, hd.Wcu.D2_Bit3_Absent_Count,
                               hd.Amu1_Spectrum.Present, hd.Amu2_Spectrum.Present};
    for (const St_System_HD_AMU_Stat* stat : {&hd.Amu1_Stat, &hd.Amu2_Stat}) {
        values.insert(values.end(), {stat->Present, stat->D0_Bits4_0, stat->D20, stat->D27});
        values.insert(values.end(), stat->Rx_Level.begin(), stat->Rx_Level.end());
        values.insert(values.end(), stat->Rx_Ext.begin(), stat->Rx_Ext.end());
        const RSSI_AMU_Buffer& buffer = *stat->Rssi_Buffer;
        // Every sample added moves the index and the averages.
        values.insert(values.end(), {buffer.Index, buffer.Count});
        values.insert(values.end(), buffer.Averages.begin(), buffer.Averages.end());
    }
    for (const St_System_HD_Spectrum* spectrum : {&hd.Amu1_Spectrum, &hd.Amu2_Spectrum}) {
        values.insert(values.end(), spectrum->Current.begin(), spectrum->Current.end());
    }
    return values;
}

// The typical system with every data byte changed but its blocks' shape kept.
Hd_Wcu Altered_Hd_Wcu()
{
    Hd_Wcu wcu = Patterned_Hd_Wcu();
    for (Hd_Block& block : wcu.Blocks) {
        for (BYTE& byte : block.Data) {
            byte = static_cast<BYTE>(byte ^ 0x5A);
        }
    }
    return wcu;
}

Frame Minimal_Frame()
{
    return {'S', 'Q', 0x27, ')', '8', ',', '.', 'H', '%', '#', '!'};
}

class Hd_Decoding : public ::testing::Test {
protected:
    bool Decode(const Frame& frame, BYTE request = Tuners_0_0)
    {
        return PC_WCU_Link::Decode_HD(frame.data(), static_cast<int>(frame.size()), request, hd);
    }

    Temp_Settings settings;
    St_System_HD hd {0};
};

} // namespace

TEST_F(Hd_Decoding, FullFrameDecodesEveryField)
{
    const Frame frame = Patterned_Hd_Wcu().Frame(Tuners_0_0);
    ASSERT_EQ(frame.size(), 584u);
    ASSERT_TRUE(Decode(frame));

    const St_System_HD_WCU_Link& link = hd.Wcu_Link;
    EXPECT_TRUE(link.Present);
    EXPECT_EQ(link.D0, 0x11);
    EXPECT_EQ(Bits({link.D1_Bit2, link.D1_Bit1, link.D1_Bit0}), "101");
    EXPECT_EQ(Bits({link.D2_Bit6, link.D2_Bit5, link.D2_Bit4, link.D2_Bit3, link.D2_Bit2, link.D2_Bit1, link.D2_Bit0}),
              "1010101");
    EXPECT_EQ(std::vector<int>({link.D3, link.D4, link.D5, link.D6, link.D10, link.D13}),
              std::vector<int>({30, 40, 50, 60, 100, 0x77}));
    EXPECT_EQ(std::vector<int>({link.D7_Lo, link.D8_Lo, link.D8_Hi, link.D11_Bits6_4, link.D11_Lo}),
              std::vector<int>({7, 12, 3, 5, 9}));
    EXPECT_EQ(link.Link_Event_Code, 4);
    EXPECT_EQ(Bits({link.D12_Bit5, link.D12_Bit4, link.D12_Bit3, link.D12_Bit2, link.D12_Bit1, link.D12_Bit0}),
              "101010");

    const St_System_HD_WCU_Status& status = hd.Wcu_Status;
    EXPECT_TRUE(status.Present);
    EXPECT_EQ(Bits({status.D0_Bit7, status.D0_Bit6, status.Amu2_Range_Valid, status.Amu1_Range_Valid, status.Toggle_B,
                    status.Toggle_A, status.D0_Bit1, status.D0_Bit0}),
              "10010101");
    EXPECT_EQ(Bits({status.D1_Bit7, status.D1_Bit6, status.D1_Bit3, status.D1_Bit2, status.Triax2_Used,
                    status.Triax1_Used}),
              "000111");
    // Both triaxes used: bit 4 gives triax 1 the link, bit 5 is clear.
    EXPECT_TRUE(status.Triax1_Link);
    EXPECT_FALSE(status.Triax2_Link);
    EXPECT_EQ(Bits({status.D2_Bit7, status.D2_Bit6, status.D2_Bit5, status.D2_Bit4}), "0101");
    EXPECT_EQ(std::vector<int>({status.D2_Lo, status.D16_Hi, status.D16_Lo, status.D17_Lo, status.D18}),
              std::vector<int>({10, 9, 12, 11, 180}));
    EXPECT_EQ(Bits({status.D17_Bit5, status.D17_Bit4}), "10");
    EXPECT_FLOAT_EQ(status.Video_Bandwidth, St_System_HD_WCU_Status::Default_Video_Bandwidth);

    const St_System_HD_WCU_Detail& detail = hd.Wcu_Detail;
    EXPECT_TRUE(detail.Present);
    EXPECT_EQ(Bits({detail.D3_Bit5, detail.D3_Bit4, detail.D3_Bit3, detail.D3_Bit2}), "1011");
    EXPECT_EQ(std::vector<int>({detail.D3_Bits1_0, detail.D4, detail.D5, detail.D6, detail.D7, detail.D12, detail.D13,
                                detail.D14, detail.D15}),
              std::vector<int>({2, 4, 5, 6, 7, 12, 13, 14, 15}));
    EXPECT_EQ(detail.D8_D9, 0x0102);  // bit 7 of the high byte dropped
    EXPECT_EQ(detail.D10_D11, 0x7FFF);

    for (const St_System_HD_AMU* amu : {&hd.Amu1, &hd.Amu2}) {
        EXPECT_TRUE(amu->Present);
        EXPECT_EQ(amu->Firmware_Version, 0x18);
        EXPECT_EQ(Bits({amu->D1_Bit5, amu->D1_Bit4, amu->D1_Bit1, amu->D1_Bit0}), "1001");
        EXPECT_EQ(amu->D1_Bits3_2, 3);
        EXPECT_EQ(Bits({amu->D2_Bit2, amu->D2_Bit1, amu->D2_Bit0}), "101");
        EXPECT_EQ(Bits({amu->D3_Bit5, amu->D3_Bit4, amu->D3_Bit3, amu->D3_Bit2, amu->D3_Bit1, amu->D3_Bit0}), "101001");
        EXPECT_EQ(amu->D4_Hi, 6);
        EXPECT_EQ(Bits({amu->D5_Bit2, amu->Data_Valid_A, amu->D5_Bit0}), "110");
        EXPECT_EQ(amu->Data_Step_Mode, 3); // D6 bit 7 and D7 bit 6
        EXPECT_EQ(amu->Data_Freq_A, 5);
        EXPECT_EQ(amu->Data_Freq_B, 10);
        EXPECT_EQ(amu->Data_Freq_Lo, 0x34);
        EXPECT_EQ(amu->Data_Freq_Hi, 0x12);
        EXPECT_EQ(amu->Synth_Value, 301); // 150 * 2 + D7 bit 5
        EXPECT_EQ(std::vector<int>({amu->D11, amu->D13, amu->D14, amu->D15, amu->D16, amu->D17, amu->D22, amu->D23}),
                  std::vector<int>({11, 13, 14, 15, 16, 17, 22, 23}));
        EXPECT_EQ(amu->D18_Hi, 7);
        EXPECT_EQ(amu->Data_Mode_Code, 4);
        EXPECT_EQ(amu->Range_Code, (std::array<int, 3> {52, 53, 0}));
        EXPECT_EQ(Bits({amu->D24_Bit6, amu->D24_Bit5, amu->D24_Bit4, amu->D24_Bit3, amu->Data_Valid_B, amu->D24_Bit1,
                        amu->Long_Triax}),
                  "1010101");
        EXPECT_TRUE(amu->Versions_Match); // left to the derivations
    }
    EXPECT_EQ(hd.Amu1.Amu_Identifier, 1);
    EXPECT_EQ(hd.Amu2.Amu_Identifier, 2);
    EXPECT_EQ(hd.Amu1.Temperature, -10);
    EXPECT_EQ(hd.Amu2.Temperature, 35);

    for (const St_System_HD_AMU_Stat* stat : {&hd.Amu1_Stat, &hd.Amu2_Stat}) {
        EXPECT_TRUE(stat->Present);
        EXPECT_EQ(stat->D0_Bits7_6, 2);
        EXPECT_TRUE(stat->D0_Bit5);
        EXPECT_EQ(stat->D0_Bits4_0, 7);
        EXPECT_EQ(stat->Rx_G0_Bits5_4, (std::array<int, 3> {3, 1, 3}));
        EXPECT_EQ(stat->Rx_Value, (std::array<int, 3> {0x123, 0x234, 0x3FF}));
        EXPECT_EQ(stat->Rx_G2, (std::array<int, 3> {20, 30, 40}));
        EXPECT_EQ(stat->Rx_G3, (std::array<int, 3> {21, 31, 41}));
        EXPECT_EQ(stat->Rx_Level, (std::array<int, 3> {40, 60, 255}));
        EXPECT_EQ(stat->Rx_G5, (std::array<int, 3> {25, 35, 45}));
        EXPECT_EQ(stat->D19, 19);
        EXPECT_EQ(stat->D20, 20);
        EXPECT_EQ(stat->Rx_Ext_Signed, (std::array<int, 3> {-2, 5, -128}));
        EXPECT_EQ(stat->Rx_Ext, (std::array<int, 3> {24, 25, 26}));
        EXPECT_EQ(stat->D27, 27);
        // One sample: the two strongest (40 and 60) and each tuner, as 255 - byte.
        EXPECT_EQ(stat->Rssi_Buffer->Averages, (std::array<int, 4> {205, 215, 195, 0}));
        EXPECT_EQ(stat->Rssi_Buffer->Count, 1);
    }

    EXPECT_TRUE(hd.Amu1_Spectrum.Present && hd.Amu2_Spectrum.Present);
    // Bytes 0, 100 and 199 on AMU1; 56 and 255 on AMU2.
    EXPECT_EQ(hd.Amu1_Spectrum.Current[0], -47);
    EXPECT_EQ(hd.Amu1_Spectrum.Current[100], -28);
    EXPECT_EQ(hd.Amu1_Spectrum.Current[199], -10);
    EXPECT_EQ(hd.Amu2_Spectrum.Current[0], -37);
    EXPECT_EQ(hd.Amu2_Spectrum.Current[199], 0);
    EXPECT_EQ(hd.Amu1_Spectrum.Peak[0], St_System_HD_Spectrum::Empty_Point); // the screens' to update

    const St_System_HD_WCA_Status& wca_status = hd.Wca_Status;
    EXPECT_TRUE(wca_status.Present);
    EXPECT_EQ(Bits({wca_status.D0_Bit7, wca_status.D0_Bit6, wca_status.D0_Bit5, wca_status.D0_Bit4, wca_status.D0_Bit3,
                    wca_status.D0_Bit2, wca_status.D0_Bit1, wca_status.D0_Bit0}),
              "10100101");
    EXPECT_EQ(Bits({wca_status.D1_Bit7, wca_status.D1_Bit6, wca_status.D1_Bit5, wca_status.D1_Bit4, wca_status.D1_Bit3,
                    wca_status.D1_Bit1, wca_status.D1_Bit0}),
              "0101111");
    EXPECT_EQ(std::vector<int>({wca_status.D2, wca_status.D3, wca_status.D4, wca_status.D5, wca_status.D6}),
              std::vector<int>({2, -20, 4, 5, 6}));

    const St_System_HD_WCA& wca = hd.Wca;
    EXPECT_TRUE(wca.Present);
    EXPECT_EQ(wca.D0_D1, 0x0102);
    EXPECT_EQ(wca.Battery_Raw, 1000);
    EXPECT_EQ(std::vector<int>({wca.D4, wca.D5_Bits6_4, wca.D5_Lo, wca.D6_Bits7_6, wca.D7}),
              std::vector<int>({4, 5, 12, 2, 7}));
    EXPECT_EQ(Bits({wca.D6_Bit5, wca.D6_Bit4, wca.D6_Bit3, wca.D6_Bit2, wca.D6_Bit1, wca.D6_Bit0}), "010110");

    const St_System_HD_WCU& wcu = hd.Wcu;
    EXPECT_TRUE(wcu.Present);
    EXPECT_EQ(wcu.D0_Bits6_0, 3);
    EXPECT_EQ(wcu.D1, 1);
    EXPECT_EQ(Bits({wcu.D2_Bit5, wcu.D2_Bit4, wcu.D2_Bit3, wcu.D2_Bit2, wcu.D2_Bit1, wcu.D2_Bit0}), "101001");
    EXPECT_EQ(std::vector<int>({wcu.D3, wcu.D4, wcu.D5_Lo, wcu.D6_D7}), std::vector<int>({3, -5, 13, 0x1234}));
    // The first poll with bit 0: not yet confirmed.
    EXPECT_EQ(wcu.D2_Bit0_Count, 1);
    EXPECT_FALSE(wcu.D2_Bit0_Confirmed);
    EXPECT_TRUE(wcu.D2_Bit3_Held);
}

namespace {

struct Frame_Case {
    const char* name;
    std::function<Frame()> frame;
    BYTE request;
    bool ok;
};

void PrintTo(const Frame_Case& frame_case, std::ostream* out)
{
    *out << frame_case.name;
}

Frame Typical_With(const std::function<void(Hd_Wcu&)>& change, BYTE request = Tuners_0_0)
{
    Hd_Wcu wcu = Patterned_Hd_Wcu();
    change(wcu);
    return wcu.Frame(request);
}

Frame Spoiled(Wcu_Fault fault, BYTE request = Tuners_0_0)
{
    return Patterned_Hd_Wcu().Frame(request, fault);
}

Frame Block_Length(Hd_Wcu::Part part, std::size_t length)
{
    return Typical_With([=](Hd_Wcu& wcu) { wcu.Blocks[part].Data.resize(length, 0x10); });
}

Frame Cut(Frame frame, std::size_t length)
{
    frame.resize(length);
    return frame;
}

Frame Appended(Frame frame, BYTE byte)
{
    frame.push_back(byte);
    return frame;
}

// The frames that a decoder must take or refuse whole.
const Frame_Case Frame_Cases[] = {
    {"minimal frame of eleven absent tags", Minimal_Frame, Tuners_0_0, true},
    {"absent spectra under their last tags",
     [] {
         Frame frame = Minimal_Frame();
         frame[4] = '?';
         frame[7] = 'O';
         return frame;
     },
     Tuners_0_0, true},
    {"full frame", [] { return Patterned_Hd_Wcu().Frame(Tuners_0_0); }, Tuners_0_0, true},
    {"spectra of the tuners asked", [] { return Patterned_Hd_Wcu().Frame(Tuners_3_5); }, Tuners_3_5, true},
    {"short level blocks", [] { return Typical_With([](Hd_Wcu& wcu) {
         wcu.Blocks[Hd_Wcu::Amu1_Levels].Data.resize(21);
         wcu.Blocks[Hd_Wcu::Amu2_Levels].Data.resize(21);
     }); },
     Tuners_0_0, true},
    {"spectrum of one point", [] { return Block_Length(Hd_Wcu::Amu2_Spectrum, 1); }, Tuners_0_0, true},
    {"block longer than its layout", [] { return Block_Length(Hd_Wcu::Wca, 12); }, Tuners_0_0, true},

    {"empty answer", [] { return Frame {}; }, Tuners_0_0, false},
    {"unknown first tag", [] { return Appended(Frame {'X'}, '!'); }, Tuners_0_0, false},
    {"block of length 0", [] { return Spoiled(Wcu_Fault::Zero_Length); }, Tuners_0_0, false},
    {"WCU link block one byte short", [] { return Block_Length(Hd_Wcu::Wcu_Link, 13); }, Tuners_0_0, false},
    {"status block one byte short", [] { return Block_Length(Hd_Wcu::Wcu_Status, 18); }, Tuners_0_0, false},
    {"AMU block one byte short", [] { return Block_Length(Hd_Wcu::Amu2, 24); }, Tuners_0_0, false},
    {"level block of 20 bytes", [] { return Block_Length(Hd_Wcu::Amu1_Levels, 20); }, Tuners_0_0, false},
    {"level block between short and long", [] { return Block_Length(Hd_Wcu::Amu2_Levels, 27); }, Tuners_0_0,
     false},
    {"WCA status block one byte short", [] { return Block_Length(Hd_Wcu::Wca_Status, 6); }, Tuners_0_0, false},
    {"WCA block one byte short", [] { return Block_Length(Hd_Wcu::Wca, 7); }, Tuners_0_0, false},
    {"WCU header of 4 bytes", [] { return Block_Length(Hd_Wcu::Wcu, 4); }, Tuners_0_0, false},
    {"spectrum of 201 points", [] { return Block_Length(Hd_Wcu::Amu1_Spectrum, 201); }, Tuners_0_0, false},
    {"AMU1 spectrum of another tuner", [] { return Spoiled(Wcu_Fault::Wrong_Spectrum_Tag); }, Tuners_0_0, false},
    {"AMU2 spectrum of another tuner",
     [] { return Typical_With([](Hd_Wcu& wcu) { wcu.Blocks[Hd_Wcu::Amu1_Spectrum].Present = false; }, 0xC8); },
     Tuners_0_0, false},
    {"spectra asked of other tuners", [] { return Patterned_Hd_Wcu().Frame(Tuners_0_0); }, Tuners_3_5, false},
    {"trailing byte", [] { return Appended(Patterned_Hd_Wcu().Frame(Tuners_0_0), 0x00); }, Tuners_0_0, false},
    {"byte after an absent WCU header", [] { return Appended(Minimal_Frame(), '!'); }, Tuners_0_0, false},
    {"absent WCU header in the middle", [] { return Spoiled(Wcu_Fault::Wcu_Absent_Early); }, Tuners_0_0, false},
    {"frame cut inside the last block", [] { return Cut(Patterned_Hd_Wcu().Frame(Tuners_0_0), 583); }, Tuners_0_0,
     false},
    {"frame ending right after a present block", [] { return Cut(Patterned_Hd_Wcu().Frame(Tuners_0_0), 574); },
     Tuners_0_0, false},
    {"frame ending after ten absent tags", [] { return Cut(Minimal_Frame(), 10); }, Tuners_0_0, false},
    {"length byte missing at the end", [] { return Cut(Patterned_Hd_Wcu().Frame(Tuners_0_0), 565); }, Tuners_0_0,
     false},
};

class Hd_Frame : public Hd_Decoding, public ::testing::WithParamInterface<Frame_Case> {};

std::string Case_Name(const ::testing::TestParamInfo<Frame_Case>& param_info)
{
    std::string name;
    for (char c : std::string(param_info.param.name)) {
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
}

} // namespace

// Each frame comes after a good one of other values: a refused frame leaves
// every record and level history as that one left them.
TEST_P(Hd_Frame, IsTakenWholeOrChangesNothing)
{
    const Frame_Case& frame_case = GetParam();
    ASSERT_TRUE(Decode(Altered_Hd_Wcu().Frame(frame_case.request), frame_case.request));
    const std::vector<int> before = Contents(hd);
    EXPECT_EQ(Decode(frame_case.frame(), frame_case.request), frame_case.ok);
    if (!frame_case.ok) {
        EXPECT_EQ(Contents(hd), before);
    } else {
        EXPECT_NE(Contents(hd), before);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Hd_Frame, ::testing::ValuesIn(Frame_Cases), Case_Name);

TEST_F(Hd_Decoding, MinimalFrameResetsEveryRecordButKeepsTheSpectra)
{
    ASSERT_TRUE(Decode(Patterned_Hd_Wcu().Frame(Tuners_0_0)));
    ASSERT_TRUE(Decode(Minimal_Frame()));
    // A fresh block, with the curves of the full frame.
    St_System_HD expected(1);
    expected.Amu1_Spectrum.Current = hd.Amu1_Spectrum.Current;
    expected.Amu2_Spectrum.Current = hd.Amu2_Spectrum.Current;
    EXPECT_EQ(Contents(hd), Contents(expected));
    EXPECT_EQ(hd.Amu1_Spectrum.Current[100], -28);
    EXPECT_FALSE(hd.Amu1_Spectrum.Present || hd.Amu2_Spectrum.Present);
    EXPECT_TRUE(hd.Wcu.D2_Bit3_Held);
}

TEST_F(Hd_Decoding, EachAbsentBlockResetsItsRecordAlone)
{
    struct Absent_Case {
        Hd_Wcu::Part part;
        std::function<bool(const St_System_HD&)> present;
    };
    const Absent_Case cases[] = {
        {Hd_Wcu::Wcu_Link, [](const St_System_HD& b) { return b.Wcu_Link.Present || b.Wcu_Link.D0 != 0; }},
        {Hd_Wcu::Wcu_Status,
         [](const St_System_HD& b) { return b.Wcu_Status.Present || b.Wcu_Detail.Present || b.Wcu_Detail.D4 != 0; }},
        {Hd_Wcu::Amu1, [](const St_System_HD& b) { return b.Amu1.Present || b.Amu1.Synth_Value != 0; }},
        {Hd_Wcu::Amu1_Levels,
         [](const St_System_HD& b) { return b.Amu1_Stat.Present || b.Amu1_Stat.Rssi_Buffer->Count != 0; }},
        {Hd_Wcu::Amu1_Spectrum, [](const St_System_HD& b) { return b.Amu1_Spectrum.Present; }},
        {Hd_Wcu::Amu2, [](const St_System_HD& b) { return b.Amu2.Present || b.Amu2.Synth_Value != 0; }},
        {Hd_Wcu::Amu2_Levels,
         [](const St_System_HD& b) { return b.Amu2_Stat.Present || b.Amu2_Stat.Rx_Level[0] != 255; }},
        {Hd_Wcu::Amu2_Spectrum, [](const St_System_HD& b) { return b.Amu2_Spectrum.Present; }},
        {Hd_Wcu::Wca_Status, [](const St_System_HD& b) { return b.Wca_Status.Present || b.Wca_Status.D2 != 0; }},
        {Hd_Wcu::Wca, [](const St_System_HD& b) { return b.Wca.Present || b.Wca.Battery_Raw != 0; }},
        {Hd_Wcu::Wcu, [](const St_System_HD& b) { return b.Wcu.Present || b.Wcu.D6_D7 != 0; }},
    };
    for (const Absent_Case& absent : cases) {
        ASSERT_TRUE(Decode(Patterned_Hd_Wcu().Frame(Tuners_0_0)));
        for (const Absent_Case& other : cases) {
            ASSERT_TRUE(other.present(hd)) << other.part;
        }
        Hd_Wcu wcu = Patterned_Hd_Wcu();
        wcu.Blocks[absent.part].Present = false;
        ASSERT_TRUE(Decode(wcu.Frame(Tuners_0_0))) << absent.part;
        for (const Absent_Case& other : cases) {
            EXPECT_EQ(other.present(hd), other.part != absent.part) << absent.part << " " << other.part;
        }
    }
}

TEST_F(Hd_Decoding, ShortLevelBlockKeepsTheLongFieldsAndALongOneFillsThem)
{
    Hd_Wcu wcu = Patterned_Hd_Wcu();
    ASSERT_TRUE(Decode(wcu.Frame(Tuners_0_0)));
    wcu.Blocks[Hd_Wcu::Amu1_Levels].Data.resize(21);
    wcu.Blocks[Hd_Wcu::Amu1_Levels].Data[5] = 155; // tuner 1's level
    ASSERT_TRUE(Decode(wcu.Frame(Tuners_0_0)));
    EXPECT_EQ(hd.Amu1_Stat.Rx_Level[0], 155);
    EXPECT_EQ(hd.Amu1_Stat.Rx_Ext_Signed, (std::array<int, 3> {-2, 5, -128}));
    EXPECT_EQ(hd.Amu1_Stat.D27, 27);
    EXPECT_EQ(hd.Amu1_Stat.Rssi_Buffer->Count, 2);

    wcu.Blocks[Hd_Wcu::Amu1_Levels].Data = Patterned_Hd_Wcu().Blocks[Hd_Wcu::Amu1_Levels].Data;
    wcu.Blocks[Hd_Wcu::Amu1_Levels].Data[21] = 0x7F;
    wcu.Blocks[Hd_Wcu::Amu1_Levels].Data[27] = 99;
    ASSERT_TRUE(Decode(wcu.Frame(Tuners_0_0)));
    EXPECT_EQ(hd.Amu1_Stat.Rx_Ext_Signed[0], 127);
    EXPECT_EQ(hd.Amu1_Stat.D27, 99);
}

TEST_F(Hd_Decoding, ShortSpectrumKeepsThePointsPastIt)
{
    ASSERT_TRUE(Decode(Patterned_Hd_Wcu().Frame(Tuners_3_5), Tuners_3_5));
    Hd_Wcu wcu = Patterned_Hd_Wcu();
    wcu.Blocks[Hd_Wcu::Amu2_Spectrum].Data = {255, 0};
    ASSERT_TRUE(Decode(wcu.Frame(Tuners_3_5), Tuners_3_5));
    EXPECT_EQ(hd.Amu2_Spectrum.Current[0], 0);
    EXPECT_EQ(hd.Amu2_Spectrum.Current[1], -47);
    EXPECT_EQ(hd.Amu2_Spectrum.Current[199], 0); // from the full sweep
}

TEST_F(Hd_Decoding, HeaderFlagsAreDebouncedOverGoodFramesOnly)
{
    Hd_Wcu wcu = Patterned_Hd_Wcu();
    const Frame bad = Appended(wcu.Frame(Tuners_0_0), 0);
    for (int poll = 1; poll <= 5; ++poll) {
        EXPECT_FALSE(hd.Wcu.D2_Bit0_Confirmed) << poll;
        ASSERT_TRUE(Decode(wcu.Frame(Tuners_0_0)));
        ASSERT_FALSE(Decode(bad));
    }
    EXPECT_TRUE(hd.Wcu.D2_Bit0_Confirmed);
    EXPECT_EQ(hd.Amu1_Stat.Rssi_Buffer->Count, 5);
}

TEST(Hd_Request, CarriesBothTunersAndStaysAnHdPollForAnyChoice)
{
    Temp_Settings settings;
    St_System_HD hd(0);
    EXPECT_EQ(PC_WCU_Link::Hd_Request(hd), 0xC0);
    hd.Set_Tuner_Choice(3, '1');
    hd.Set_Tuner_Choice(5, '2');
    EXPECT_EQ(PC_WCU_Link::Hd_Request(hd), Tuners_3_5);
    hd.Set_Tuner_Choice(7, '1');
    hd.Set_Tuner_Choice(7, '2');
    EXPECT_EQ(PC_WCU_Link::Hd_Request(hd), 0xFF);
    // Choices that went round the setters are asked as tuner 0.
    hd.Tuner_Choice_Amu1 = 8;
    hd.Tuner_Choice_Amu2 = -1;
    EXPECT_EQ(PC_WCU_Link::Hd_Request(hd), 0xC0);
    hd.Tuner_Choice_Amu1 = 2;
    hd.Tuner_Choice_Amu2 = 1000;
    EXPECT_EQ(PC_WCU_Link::Hd_Request(hd), 0xC2);
}

namespace {

// An HD camera on the simulator's in-process line, already identified.
class Hd_Poll : public ::testing::Test {
protected:
    void SetUp() override
    {
        Patterned_Hd_Wcu().Load(Simulator());
        ASSERT_TRUE(link.Ask_Wcu_Type(state));
        ASSERT_TRUE(state.Type.Is_Hd_Wcu());
        state.Settings.Connected = true;
        ASSERT_TRUE(Simulator().Wait_Idle());
        Simulator().Clear_Requests();
    }

    Wcu_Simulator& Simulator() { return wcu.Simulator(); }

    bool Poll()
    {
        const bool ok = link.Poll_HD(state, state.HD);
        EXPECT_TRUE(Simulator().Wait_Idle());
        return ok;
    }

    static St_System& With_Port(St_System& camera, int port)
    {
        camera.Settings.Port_Number = port;
        return camera;
    }

    Simulated_Wcu wcu {3, Wcu_Line::In_Process};
    St_System state {0};
    PC_WCU_Link link {With_Port(state, wcu.Com_Number())};
};

} // namespace

TEST_F(Hd_Poll, FrameIsReadWholeAtOnceOrPacedAtTheLineRate)
{
    state.HD.Set_Tuner_Choice(3, '1');
    state.HD.Set_Tuner_Choice(5, '2');
    const Frame frame = Patterned_Hd_Wcu().Frame(Tuners_3_5);
    for (bool paced : {false, true}) {
        Simulator().Set_Paced(paced);
        ASSERT_TRUE(Poll()) << paced;
        EXPECT_TRUE(state.Settings.Connected);
        ASSERT_EQ(link.Get_Answer_Length(), 584);
        EXPECT_TRUE(std::equal(frame.begin(), frame.end(), link.Get_Answer()));
        EXPECT_EQ(state.HD.Amu2_Spectrum.Current[199], 0);
        EXPECT_EQ(state.HD.Wcu.D6_D7, 0x1234);
    }
    EXPECT_EQ(Simulator().Requests(), Frame({Tuners_3_5, Tuners_3_5}));
}

TEST_F(Hd_Poll, MinimalFrameThroughTheLine)
{
    Hd_Wcu absent = Patterned_Hd_Wcu();
    for (Hd_Block& block : absent.Blocks) {
        block.Present = false;
    }
    absent.Load(Simulator());
    ASSERT_TRUE(Poll());
    EXPECT_EQ(link.Get_Answer_Length(), 11);
    EXPECT_FALSE(state.HD.Wcu.Present);
}

namespace {

struct Fault_Case {
    const char* name;
    Wcu_Fault fault;
};

void PrintTo(const Fault_Case& fault_case, std::ostream* out)
{
    *out << fault_case.name;
}

const Fault_Case Fault_Cases[] = {
    {"silence", Wcu_Fault::Silence},
    {"first bytes too late", Wcu_Fault::Late},
    {"gap inside the frame", Wcu_Fault::Chunked},
    {"frame of 1024 bytes", Wcu_Fault::Oversized},
    {"trailing byte", Wcu_Fault::Long},
    {"frame without its last byte", Wcu_Fault::Short},
    {"garbage", Wcu_Fault::Garbage},
    {"wrong spectrum tag", Wcu_Fault::Wrong_Spectrum_Tag},
    {"absent WCU header in the middle", Wcu_Fault::Wcu_Absent_Early},
    {"zero block length", Wcu_Fault::Zero_Length},
    {"short block", Wcu_Fault::Short_Block},
};

class Hd_Poll_Fault : public Hd_Poll, public ::testing::WithParamInterface<Fault_Case> {};

std::string Fault_Name(const ::testing::TestParamInfo<Fault_Case>& param_info)
{
    std::string name;
    for (char c : std::string(param_info.param.name)) {
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
}

} // namespace

TEST_P(Hd_Poll_Fault, FailsThePollChangesNothingAndTheNextPollRecovers)
{
    ASSERT_TRUE(Poll());
    Altered_Hd_Wcu().Load(Simulator());
    const std::vector<int> before = Contents(state.HD);
    Simulator().Queue_Fault(Wcu_Simulator::Hd_Poll_Request, GetParam().fault);
    EXPECT_FALSE(Poll());
    EXPECT_FALSE(state.Settings.Connected);
    EXPECT_EQ(link.Get_Answer_Length(), 0);
    EXPECT_TRUE(link.Is_Open());
    EXPECT_EQ(Contents(state.HD), before);

    // Whatever the fault left on the line is not read into the next frame.
    ASSERT_TRUE(Poll());
    EXPECT_EQ(link.Get_Answer_Length(), 584);
    EXPECT_EQ(state.HD.Wcu.D6_D7, 0x1234 ^ 0x5A5A);
}

INSTANTIATE_TEST_SUITE_P(Cases, Hd_Poll_Fault, ::testing::ValuesIn(Fault_Cases), Fault_Name);

TEST_F(Hd_Poll, HangUpClosesThePort)
{
    Simulator().Queue_Fault(Wcu_Simulator::Hd_Poll_Request, Wcu_Fault::Hang_Up);
    EXPECT_FALSE(link.Poll_HD(state, state.HD));
    EXPECT_FALSE(state.Settings.Connected);
    EXPECT_FALSE(link.Is_Open());
    EXPECT_FALSE(link.Poll_HD(state, state.HD));
}

TEST(Hd_Poll_Without_Port, Fails)
{
    Temp_Settings settings;
    St_System state(1);
    PC_WCU_Link link(state);
    state.Settings.Connected = true;
    EXPECT_FALSE(link.Poll_HD(state, state.HD));
    EXPECT_FALSE(state.Settings.Connected);
    EXPECT_EQ(link.Get_Answer_Length(), 0);
}
