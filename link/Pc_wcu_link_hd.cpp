// The HD poll of PC_WCU_Link: one request byte, one frame of eleven tagged
// blocks in a fixed order. Each block is an absent tag alone, or a present
// tag, a length byte L and L data bytes; multi-byte values are big-endian.
//
// The frame is walked and checked whole first (tags, lengths against what
// each block's layout reads, positions); only a frame that passes is decoded,
// so a bad frame never leaves half its blocks in the records.

#include "link/Pc_wcu_link.h"

#include "platform/classlib/SysUtils.h"

#include <array>
#include <cstdint>

namespace {

enum Part {
    Wcu_Link_Part,
    Wcu_Status_Part,
    Amu1_Part,
    Amu1_Levels_Part,
    Amu1_Spectrum_Part,
    Amu2_Part,
    Amu2_Levels_Part,
    Amu2_Spectrum_Part,
    Wca_Status_Part,
    Wca_Part,
    Wcu_Part,
    Part_Count
};

// What each block may look like. The layouts are the data bytes its decoder
// reads; a level block is either short (21 bytes) or long (28).
struct Block_Rule {
    BYTE present;
    BYTE absent_first;
    BYTE absent_last;
    int layout;
    int long_layout;
    int most;

    bool Is_Absent(BYTE tag) const { return tag >= absent_first && tag <= absent_last; }
    bool Fits(int length) const
    {
        return length >= layout && length <= most && (long_layout == 0 || length <= layout || length >= long_layout);
    }
};

constexpr int Short_Levels = 21;
constexpr int Long_Levels = 28;
constexpr int Spectrum_Most = St_System_HD_Spectrum::Points;

std::array<Block_Rule, Part_Count> Frame_Rules(int tuner1, int tuner2)
{
    const auto spectrum1 = static_cast<BYTE>('0' + tuner1);
    const auto spectrum2 = static_cast<BYTE>('@' + tuner2);
    return {{
        {'R', 'S', 'S', 14, 0, 255},
        {'P', 'Q', 'Q', 19, 0, 255},
        {'&', 0x27, 0x27, 25, 0, 255},
        {'(', ')', ')', Short_Levels, Long_Levels, 255},
        {spectrum1, '8', '?', 1, 0, Spectrum_Most},
        {'+', ',', ',', 25, 0, 255},
        {'-', '.', '.', Short_Levels, Long_Levels, 255},
        {spectrum2, 'H', 'O', 1, 0, Spectrum_Most},
        {'$', '%', '%', 7, 0, 255},
        {'"', '#', '#', 8, 0, 255},
        {' ', '!', '!', 8, 0, 255},
    }};
}

// One block of a checked frame: its data bytes, or none when it was absent.
struct Block_View {
    const BYTE* data = nullptr;
    int length = 0;

    bool Present() const { return data != nullptr; }
};

using Frame_Blocks = std::array<Block_View, Part_Count>;

// Every block must start inside the answer and a present one must leave at
// least one byte after it, except the last, which ends the answer exactly.
bool Walk_Frame(const BYTE* answer, int length, const std::array<Block_Rule, Part_Count>& rules, Frame_Blocks& blocks)
{
    int at = 0;
    for (int part = 0; part < Part_Count; ++part) {
        const Block_Rule& rule = rules[static_cast<std::size_t>(part)];
        const bool last = part == Wcu_Part;
        if (at >= length) {
            return false;
        }
        const BYTE tag = answer[at];
        if (rule.Is_Absent(tag)) {
            if (last && at + 1 != length) {
                return false;
            }
            blocks[static_cast<std::size_t>(part)] = {};
            ++at;
            continue;
        }
        if (tag != rule.present || at + 1 >= length) {
            return false;
        }
        const int data_length = answer[at + 1];
        const int end = at + 2 + data_length;
        if (!rule.Fits(data_length) || (last ? end != length : end >= length)) {
            return false;
        }
        blocks[static_cast<std::size_t>(part)] = {answer + at + 2, data_length};
        at = end;
    }
    return true;
}

constexpr bool Bit(BYTE byte, int number) { return ((byte >> number) & 1) != 0; }
constexpr int High_Nibble(BYTE byte) { return byte >> 4; }
constexpr int Low_Nibble(BYTE byte) { return byte & 0x0F; }
constexpr int Signed(BYTE byte) { return static_cast<std::int8_t>(byte); }
constexpr int Word(BYTE high, BYTE low) { return high * 256 + low; }

void Decode_Wcu_Link(const BYTE* d, St_System_HD_WCU_Link& link)
{
    link.Present = true;
    link.D0 = d[0];
    link.D1_Bit2 = Bit(d[1], 2);
    link.D1_Bit1 = Bit(d[1], 1);
    link.D1_Bit0 = Bit(d[1], 0);
    link.D2_Bit6 = Bit(d[2], 6);
    link.D2_Bit5 = Bit(d[2], 5);
    link.D2_Bit4 = Bit(d[2], 4);
    link.D2_Bit3 = Bit(d[2], 3);
    link.D2_Bit2 = Bit(d[2], 2);
    link.D2_Bit1 = Bit(d[2], 1);
    link.D2_Bit0 = Bit(d[2], 0);
    link.D3 = d[3];
    link.D4 = d[4];
    link.D5 = d[5];
    link.D6 = d[6];
    link.D7_Lo = Low_Nibble(d[7]);
    link.D8_Lo = Low_Nibble(d[8]);
    link.D8_Hi = High_Nibble(d[8]);
    link.Link_Event_Code = d[9];
    link.D10 = d[10];
    link.D11_Bits6_4 = (d[11] >> 4) & 0x07;
    link.D11_Lo = Low_Nibble(d[11]);
    link.D12_Bit5 = Bit(d[12], 5);
    link.D12_Bit4 = Bit(d[12], 4);
    link.D12_Bit3 = Bit(d[12], 3);
    link.D12_Bit2 = Bit(d[12], 2);
    link.D12_Bit1 = Bit(d[12], 1);
    link.D12_Bit0 = Bit(d[12], 0);
    link.D13 = d[13];
}

void Decode_Wcu_Status(const BYTE* d, St_System_HD_WCU_Status& status)
{
    status.Present = true;
    status.D0_Bit7 = Bit(d[0], 7);
    status.D0_Bit6 = Bit(d[0], 6);
    status.Amu2_Range_Valid = Bit(d[0], 5);
    status.Amu1_Range_Valid = Bit(d[0], 4);
    status.Toggle_B = Bit(d[0], 3);
    status.Toggle_A = Bit(d[0], 2);
    status.D0_Bit1 = Bit(d[0], 1);
    status.D0_Bit0 = Bit(d[0], 0);
    status.D1_Bit7 = Bit(d[1], 7);
    status.D1_Bit6 = Bit(d[1], 6);
    status.D1_Bit3 = Bit(d[1], 3);
    status.D1_Bit2 = Bit(d[1], 2);
    status.Triax2_Used = Bit(d[1], 1);
    status.Triax1_Used = Bit(d[1], 0);
    // With both triaxes in use, bits 4 and 5 tell which one carries the link.
    status.Triax1_Link = status.Triax1_Used && (!status.Triax2_Used || Bit(d[1], 4));
    status.Triax2_Link = status.Triax2_Used && (!status.Triax1_Used || Bit(d[1], 5));
    status.D2_Bit7 = Bit(d[2], 7);
    status.D2_Bit6 = Bit(d[2], 6);
    status.D2_Bit5 = Bit(d[2], 5);
    status.D2_Bit4 = Bit(d[2], 4);
    status.D2_Lo = Low_Nibble(d[2]);
    status.D16_Hi = High_Nibble(d[16]);
    status.D16_Lo = Low_Nibble(d[16]);
    status.D17_Lo = Low_Nibble(d[17]);
    status.D17_Bit5 = Bit(d[17], 5);
    status.D17_Bit4 = Bit(d[17], 4);
    status.D18 = d[18];
}

void Decode_Wcu_Detail(const BYTE* d, St_System_HD_WCU_Detail& detail)
{
    detail.Present = true;
    detail.D3_Bit5 = Bit(d[3], 5);
    detail.D3_Bit4 = Bit(d[3], 4);
    detail.D3_Bit3 = Bit(d[3], 3);
    detail.D3_Bit2 = Bit(d[3], 2);
    detail.D3_Bits1_0 = d[3] & 0x03;
    detail.D4 = d[4];
    detail.D5 = d[5];
    detail.D6 = d[6];
    detail.D7 = d[7];
    detail.D8_D9 = Word(d[8] & 0x7F, d[9]);
    detail.D10_D11 = Word(d[10] & 0x7F, d[11]);
    detail.D12 = d[12];
    detail.D13 = d[13];
    detail.D14 = d[14];
    detail.D15 = d[15];
}

void Decode_Amu_Flags(const BYTE* d, St_System_HD_AMU& amu)
{
    amu.D1_Bit5 = Bit(d[1], 5);
    amu.D1_Bit4 = Bit(d[1], 4);
    amu.D1_Bits3_2 = (d[1] >> 2) & 0x03;
    amu.D1_Bit1 = Bit(d[1], 1);
    amu.D1_Bit0 = Bit(d[1], 0);
    amu.D2_Bit2 = Bit(d[2], 2);
    amu.D2_Bit1 = Bit(d[2], 1);
    amu.D2_Bit0 = Bit(d[2], 0);
    amu.D3_Bit5 = Bit(d[3], 5);
    amu.D3_Bit4 = Bit(d[3], 4);
    amu.D3_Bit3 = Bit(d[3], 3);
    amu.D3_Bit2 = Bit(d[3], 2);
    amu.D3_Bit1 = Bit(d[3], 1);
    amu.D3_Bit0 = Bit(d[3], 0);
    amu.D24_Bit6 = Bit(d[24], 6);
    amu.D24_Bit5 = Bit(d[24], 5);
    amu.D24_Bit4 = Bit(d[24], 4);
    amu.D24_Bit3 = Bit(d[24], 3);
    amu.Data_Valid_B = Bit(d[24], 2);
    amu.D24_Bit1 = Bit(d[24], 1);
    amu.Long_Triax = Bit(d[24], 0);
}

// Versions_Match, Same_Identifier and Range_Mismatch are the derivations'.
void Decode_Amu(const BYTE* d, St_System_HD_AMU& amu)
{
    amu.Present = true;
    amu.Firmware_Version = d[0];
    Decode_Amu_Flags(d, amu);
    amu.D4_Hi = High_Nibble(d[4]);
    amu.Amu_Identifier = Low_Nibble(d[4]);
    amu.D5_Bit2 = Bit(d[5], 2);
    amu.Data_Valid_A = Bit(d[5], 1);
    amu.D5_Bit0 = Bit(d[5], 0);
    amu.Data_Step_Mode = Bit(d[6], 7) + 2 * Bit(d[7], 6) + 4 * Bit(d[7], 7);
    amu.Data_Freq_A = d[6] & 0x7F;
    amu.Data_Freq_B = d[7] & 0x1F;
    amu.Data_Freq_Lo = d[8];
    amu.Data_Freq_Hi = d[9];
    amu.Synth_Value = d[10] * 2 + Bit(d[7], 5);
    amu.D11 = d[11];
    amu.Temperature = Signed(d[12]);
    amu.D13 = d[13];
    amu.D14 = d[14];
    amu.D15 = d[15];
    amu.D16 = d[16];
    amu.D17 = d[17];
    amu.D18_Hi = High_Nibble(d[18]);
    amu.Data_Mode_Code = Low_Nibble(d[18]);
    amu.Range_Code = {d[19], d[20], d[21]};
    amu.D22 = d[22];
    amu.D23 = d[23];
}

// Every present level block is one sample of the RSSI history.
void Decode_Levels(const BYTE* d, int length, St_System_HD_AMU_Stat& stat)
{
    stat.Present = true;
    stat.D0_Bits7_6 = d[0] >> 6;
    stat.D0_Bit5 = Bit(d[0], 5);
    stat.D0_Bits4_0 = d[0] & 0x1F;
    for (std::size_t r = 0; r < 3; ++r) {
        const BYTE* g = d + 1 + 6 * r;
        stat.Rx_G0_Bits5_4[r] = (g[0] >> 4) & 0x03;
        stat.Rx_Value[r] = Word(g[0], g[1]) & 0x3FF;
        stat.Rx_G2[r] = g[2];
        stat.Rx_G3[r] = g[3];
        stat.Rx_Level[r] = g[4];
        stat.Rx_G5[r] = g[5];
    }
    stat.D19 = d[19];
    stat.D20 = d[20];
    stat.Rssi_Buffer->Add(stat.Rx_Level.data());
    if (length >= Long_Levels) {
        stat.Rx_Ext_Signed = {Signed(d[21]), Signed(d[22]), Signed(d[23])};
        stat.Rx_Ext = {d[24], d[25], d[26]};
        stat.D27 = d[27];
    }
}

// Level bytes to dBc: 0 gives -47, 255 gives 0. Points past the block keep
// the previous sweep's values.
void Decode_Spectrum(const BYTE* d, int length, St_System_HD_Spectrum& spectrum)
{
    spectrum.Present = true;
    for (std::size_t i = 0; i < static_cast<std::size_t>(length); ++i) {
        spectrum.Current[i] = static_cast<int>(Trunc(d[i] * 0.18888131264957037 - 48.1647 + 0.5));
    }
}

void Decode_Wca_Status(const BYTE* d, St_System_HD_WCA_Status& status)
{
    status.Present = true;
    status.D0_Bit7 = Bit(d[0], 7);
    status.D0_Bit6 = Bit(d[0], 6);
    status.D0_Bit5 = Bit(d[0], 5);
    status.D0_Bit4 = Bit(d[0], 4);
    status.D0_Bit3 = Bit(d[0], 3);
    status.D0_Bit2 = Bit(d[0], 2);
    status.D0_Bit1 = Bit(d[0], 1);
    status.D0_Bit0 = Bit(d[0], 0);
    status.D1_Bit7 = Bit(d[1], 7);
    status.D1_Bit6 = Bit(d[1], 6);
    status.D1_Bit5 = Bit(d[1], 5);
    status.D1_Bit4 = Bit(d[1], 4);
    status.D1_Bit3 = Bit(d[1], 3);
    status.D1_Bit1 = Bit(d[1], 1);
    status.D1_Bit0 = Bit(d[1], 0);
    status.D2 = d[2];
    status.D3 = Signed(d[3]);
    status.D4 = d[4];
    status.D5 = d[5];
    status.D6 = d[6];
}

void Decode_Wca(const BYTE* d, St_System_HD_WCA& wca)
{
    wca.Present = true;
    wca.D0_D1 = Word(d[0], d[1]);
    wca.Battery_Raw = Word(d[2], d[3]);
    wca.D4 = d[4];
    wca.D5_Bits6_4 = (d[5] >> 4) & 0x07;
    wca.D5_Lo = Low_Nibble(d[5]);
    wca.D6_Bits7_6 = d[6] >> 6;
    wca.D6_Bit5 = Bit(d[6], 5);
    wca.D6_Bit4 = Bit(d[6], 4);
    wca.D6_Bit3 = Bit(d[6], 3);
    wca.D6_Bit2 = Bit(d[6], 2);
    wca.D6_Bit1 = Bit(d[6], 1);
    wca.D6_Bit0 = Bit(d[6], 0);
    wca.D7 = d[7];
}

void Decode_Wcu(const BYTE* d, St_System_HD_WCU& wcu)
{
    wcu.Present = true;
    wcu.D0_Bits6_0 = d[0] & 0x7F;
    wcu.D1 = d[1];
    wcu.D2_Bit5 = Bit(d[2], 5);
    wcu.D2_Bit4 = Bit(d[2], 4);
    wcu.D2_Bit3 = Bit(d[2], 3);
    wcu.D2_Bit2 = Bit(d[2], 2);
    wcu.D2_Bit1 = Bit(d[2], 1);
    wcu.D2_Bit0 = Bit(d[2], 0);
    wcu.Debounce_Flags();
    wcu.D3 = d[3];
    wcu.D4 = Signed(d[4]);
    wcu.D5_Lo = Low_Nibble(d[5]);
    wcu.D6_D7 = Word(d[6], d[7]);
}

template <typename Record, typename Decoder>
void Decode_Or_Reset(const Block_View& block, Record& record, Decoder decode)
{
    if (block.Present()) {
        decode(block.data, record);
    } else {
        record.Reset();
    }
}

void Decode_Amu_Side(const Block_View& amu, const Block_View& levels, const Block_View& spectrum,
                     St_System_HD_AMU& amu_record, St_System_HD_AMU_Stat& stat, St_System_HD_Spectrum& curves)
{
    Decode_Or_Reset(amu, amu_record, Decode_Amu);
    if (levels.Present()) {
        Decode_Levels(levels.data, levels.length, stat);
    } else {
        stat.Reset();
    }
    // An absent spectrum keeps its curves on screen.
    if (spectrum.Present()) {
        Decode_Spectrum(spectrum.data, spectrum.length, curves);
    } else {
        curves.Reset(false);
    }
}

// A checked frame into the records; an absent block resets its record.
void Commit_Frame(const Frame_Blocks& blocks, St_System_HD& hd)
{
    Decode_Or_Reset(blocks[Wcu_Link_Part], hd.Wcu_Link, Decode_Wcu_Link);
    Decode_Or_Reset(blocks[Wcu_Status_Part], hd.Wcu_Status, Decode_Wcu_Status);
    Decode_Or_Reset(blocks[Wcu_Status_Part], hd.Wcu_Detail, Decode_Wcu_Detail);
    Decode_Amu_Side(blocks[Amu1_Part], blocks[Amu1_Levels_Part], blocks[Amu1_Spectrum_Part], hd.Amu1, hd.Amu1_Stat,
                    hd.Amu1_Spectrum);
    Decode_Amu_Side(blocks[Amu2_Part], blocks[Amu2_Levels_Part], blocks[Amu2_Spectrum_Part], hd.Amu2, hd.Amu2_Stat,
                    hd.Amu2_Spectrum);
    Decode_Or_Reset(blocks[Wca_Status_Part], hd.Wca_Status, Decode_Wca_Status);
    Decode_Or_Reset(blocks[Wca_Part], hd.Wca, Decode_Wca);
    Decode_Or_Reset(blocks[Wcu_Part], hd.Wcu, Decode_Wcu);
}

int Safe_Tuner(int tuner)
{
    return tuner >= 0 && tuner <= St_System_HD::Max_Tuner_Choice ? tuner : 0;
}

} // namespace

BYTE PC_WCU_Link::Hd_Request(const St_System_HD& hd)
{
    return static_cast<BYTE>(Request_Hd_Poll + Safe_Tuner(hd.Tuner_Choice_Amu2) * 8 + Safe_Tuner(hd.Tuner_Choice_Amu1));
}

bool PC_WCU_Link::Poll_HD(St_System& system, St_System_HD& hd)
{
    // The frame is checked against the tuners asked, whatever the user
    // chooses meanwhile.
    BYTE request = 0;
    {
        const auto locked = Lock();
        request = Hd_Request(hd);
    }
    switch (Send_Request(request)) {
    case Sent::Port_Closed:
        return Link_Failure(system);
    case Sent::Write_Failed:
        return Write_Failure(system);
    case Sent::Ok:
        break;
    }
    const int length = Read_Long_Answer();
    const auto locked = Lock();
    Answer_Length = length;
    if (Answer_Length == 0 || !Decode_HD(Answer, Answer_Length, request, hd)) {
        return Link_Failure(system);
    }
    return true;
}

bool PC_WCU_Link::Decode_HD(const BYTE* answer, int length, BYTE request, St_System_HD& hd)
{
    Frame_Blocks blocks;
    if (!Walk_Frame(answer, length, Frame_Rules(request & 0x07, (request >> 3) & 0x07), blocks)) {
        return false;
    }
    Commit_Frame(blocks, hd);
    return true;
}
