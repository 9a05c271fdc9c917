#include "tools/Hd_Wcu.h"

namespace {

struct Tags {
    BYTE present;
    BYTE absent;
};

// The spectra's tags carry the tuner asked for; any of '8'..'?' and
// 'H'..'O' says a spectrum is absent, and the tuner picks one of them.
std::array<Tags, Hd_Wcu::Part_Count> Frame_Tags(int tuner1, int tuner2)
{
    return {{{'R', 'S'},
             {'P', 'Q'},
             {'&', 0x27},
             {'(', ')'},
             {static_cast<BYTE>('0' + tuner1), static_cast<BYTE>('8' + tuner1)},
             {'+', ','},
             {'-', '.'},
             {static_cast<BYTE>('@' + tuner2), static_cast<BYTE>('H' + tuner2)},
             {'$', '%'},
             {'"', '#'},
             {' ', '!'}}};
}

bool Is_Spectrum(int part)
{
    return part == Hd_Wcu::Amu1_Spectrum || part == Hd_Wcu::Amu2_Spectrum;
}

// The first present block that the fault concerns, or -1.
int Spoiled_Part(const Hd_Wcu& wcu, Wcu_Fault fault)
{
    for (int part = 0; part < Hd_Wcu::Part_Count; ++part) {
        if (!wcu.Blocks[static_cast<std::size_t>(part)].Present) {
            continue;
        }
        if ((fault == Wcu_Fault::Wrong_Spectrum_Tag && Is_Spectrum(part)) || fault == Wcu_Fault::Zero_Length
            || (fault == Wcu_Fault::Short_Block && !Is_Spectrum(part))) {
            return part;
        }
    }
    return -1;
}

// The present tag of a spectrum, moved to the next tuner.
BYTE Other_Tuner_Tag(BYTE tag)
{
    const BYTE first = tag & 0xF8;
    return static_cast<BYTE>(first + ((tag + 1) & 0x07));
}

void Append_Block(std::vector<BYTE>& frame, BYTE tag, std::vector<BYTE> data, bool spoiled, Wcu_Fault fault)
{
    if (spoiled && fault == Wcu_Fault::Wrong_Spectrum_Tag) {
        tag = Other_Tuner_Tag(tag);
    } else if (spoiled && fault == Wcu_Fault::Zero_Length) {
        data.clear();
    } else if (spoiled && fault == Wcu_Fault::Short_Block) {
        data.pop_back();
    }
    frame.push_back(tag);
    frame.push_back(static_cast<BYTE>(data.size()));
    frame.insert(frame.end(), data.begin(), data.end());
}

// The data of a block for the request's tuners.
const std::vector<BYTE>& Block_Data(const Hd_Wcu& wcu, int part, int tuner1, int tuner2)
{
    const auto& data = wcu.Blocks[static_cast<std::size_t>(part)].Data;
    if (!Is_Spectrum(part)) {
        return data;
    }
    const bool amu1 = part == Hd_Wcu::Amu1_Spectrum;
    const auto& spectra = wcu.Tuner_Spectra[amu1 ? 0 : 1];
    const auto found = spectra.find(amu1 ? tuner1 : tuner2);
    return found != spectra.end() ? found->second : data;
}

} // namespace

std::vector<BYTE> Hd_Wcu::Frame(BYTE request, Wcu_Fault fault) const
{
    const int tuner1 = request & 0x07;
    const int tuner2 = (request >> 3) & 0x07;
    const auto tags = Frame_Tags(tuner1, tuner2);
    const int spoiled = Spoiled_Part(*this, fault);
    std::vector<BYTE> frame;
    for (int part = 0; part < Part_Count; ++part) {
        const auto index = static_cast<std::size_t>(part);
        if (part == Wcu && fault == Wcu_Fault::Wcu_Absent_Early) {
            frame.push_back(tags[index].absent);
        }
        if (Blocks[index].Present) {
            Append_Block(frame, tags[index].present, Block_Data(*this, part, tuner1, tuner2), part == spoiled, fault);
        } else {
            frame.push_back(tags[index].absent);
        }
    }
    return frame;
}

void Hd_Wcu::Load(Wcu_Simulator& simulator) const
{
    simulator.Set_Answer('?', {'*', HIBYTE(Type_Word), LOBYTE(Type_Word)});
    simulator.Set_Hd(*this);
}

namespace {

std::vector<BYTE> Typical_Amu(BYTE identifier, BYTE temperature)
{
    return {0x18, 0x2D, 0x05, 0x29, static_cast<BYTE>(0x60 | identifier), 0x06, 0x85, 0x6A, 0x34, 0x12, 150, 11,
            temperature, 13, 14, 15, 16, 17, 0x74, 52, 53, 0, 22, 23, 0x55};
}

// Tuner levels 40, 60 and none.
std::vector<BYTE> Typical_Levels()
{
    return {0xA7, 0x31, 0x23, 20, 21, 40, 25, 0x12, 0x34, 30, 31, 60, 35, 0xFF, 0xFF, 40, 41, 255, 45,
            19, 20, 0xFE, 0x05, 0x80, 24, 25, 26, 27};
}

std::vector<BYTE> Spectrum_Ramp(int first)
{
    std::vector<BYTE> points(200);
    for (std::size_t i = 0; i < points.size(); ++i) {
        points[i] = static_cast<BYTE>(first + static_cast<int>(i));
    }
    return points;
}

} // namespace

Hd_Wcu Typical_Hd_Wcu()
{
    Hd_Wcu wcu;
    wcu.Blocks[Hd_Wcu::Wcu_Link].Data = {0x11, 0x05, 0x55, 30, 40, 50, 60, 0xA7, 0x3C, 4, 100, 0xD9, 0x2A, 0x77};
    wcu.Blocks[Hd_Wcu::Wcu_Status].Data = {0x95, 0x17, 0x5A, 0x2E, 4,  5,  6,  7,    0x81, 0x02,
                                           0xFF, 0xFF, 12,   13,   14, 15, 0x9C, 0x2B, 180};
    wcu.Blocks[Hd_Wcu::Amu1].Data = Typical_Amu(1, 0xF6);
    wcu.Blocks[Hd_Wcu::Amu1_Levels].Data = Typical_Levels();
    wcu.Blocks[Hd_Wcu::Amu1_Spectrum].Data = Spectrum_Ramp(0);
    wcu.Blocks[Hd_Wcu::Amu2].Data = Typical_Amu(2, 35);
    wcu.Blocks[Hd_Wcu::Amu2_Levels].Data = Typical_Levels();
    wcu.Blocks[Hd_Wcu::Amu2_Spectrum].Data = Spectrum_Ramp(56);
    wcu.Blocks[Hd_Wcu::Wca_Status].Data = {0xA5, 0x5F, 2, 0xEC, 4, 5, 6};
    wcu.Blocks[Hd_Wcu::Wca].Data = {0x01, 0x02, 0x03, 0xE8, 4, 0x5C, 0x96, 7};
    wcu.Blocks[Hd_Wcu::Wcu].Data = {0x83, 1, 0x29, 3, 0xFB, 0x4D, 0x12, 0x34};
    return wcu;
}
