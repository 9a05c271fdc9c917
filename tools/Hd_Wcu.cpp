#include "tools/Hd_Wcu.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

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

// The link block with the pending event, taken, in D9; as it stands when
// no event is pending.
std::vector<BYTE> With_Link_Event(std::vector<BYTE> data, std::atomic<BYTE>& pending)
{
    constexpr std::size_t Event_Byte = 9;
    if (data.size() > Event_Byte) {
        const BYTE event = pending.exchange(0);
        if (event != 0) {
            data[Event_Byte] = event;
        }
    }
    return data;
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
        if (!Blocks[index].Present) {
            frame.push_back(tags[index].absent);
        } else if (part == Wcu_Link) {
            Append_Block(frame, tags[index].present, With_Link_Event(Blocks[index].Data, *Pending_Link_Event),
                         part == spoiled, fault);
        } else {
            Append_Block(frame, tags[index].present, Block_Data(*this, part, tuner1, tuner2), part == spoiled, fault);
        }
    }
    return frame;
}

void Hd_Wcu::Load(Wcu_Simulator& simulator) const
{
    simulator.Set_Answer('?', {'*', HIBYTE(Type_Word), LOBYTE(Type_Word)});
    simulator.Set_Hd(*this);
}

void Hd_Wcu::Report_Link_Event(BYTE code)
{
    Pending_Link_Event->store(code);
}

namespace {

// WCU status D0 (range flags and first down-link flags), D1 (triaxes used,
// second down-link flags, links) and D2 (third down-link and triax flags)
// of a healthy system, and the bits of each triax in them.
constexpr std::array<BYTE, 3> Status_Triaxes = {0x33, 0x3F, 0xFA};
constexpr std::array<std::array<BYTE, 3>, 2> Triax_Bits = {{{0x01, 0x15, 0x50}, {0x02, 0x2A, 0xA0}}};
constexpr BYTE Data_Toggles = 0x0C; // WCU status D0

constexpr BYTE Raw_Video_Quality = 60; // 75 %
constexpr BYTE Data_Quality = 95;      // of 127
constexpr BYTE Link_Camera_Lock = 0x04; // link D2, with the PLL lock 0x02
constexpr BYTE Wca_Camera_Lock = 0x20;  // WCA D6

// 458 MHz in 25 kHz steps.
constexpr int Data_Channel_Steps = 18320;

Hd_Wcu::Part Amu_Part(int amu, Hd_Wcu::Part amu1_part)
{
    return static_cast<Hd_Wcu::Part>(amu == 1 ? amu1_part : amu1_part + Hd_Wcu::Amu2 - Hd_Wcu::Amu1);
}

std::vector<BYTE> Typical_Amu(BYTE identifier, BYTE temperature)
{
    return {0x18,                    // firmware 1.8: narrow step, grading
            0x0F,                    // SW1-1, SW1-2 normal; SW2 setting 3; SW3-2, SW3-1 OFF
            0x00,                    // no unlocked, video-link or profile flag
            0x3F,                    // receivers 1 to 3 present and locked
            static_cast<BYTE>(0x10 | identifier), // CW3 on 1, CW1
            0x07,                    // data emitter present, Tx on, normal transmission
            0x00, 0x00,              // 25 kHz steps
            LOBYTE(Data_Channel_Steps), HIBYTE(Data_Channel_Steps),
            78,                      // synthesiser 156: 2250 MHz on 2,2/2,4 GHz
            11, temperature,
            120,                     // DC-in 50 V
            14, 15, 16,
            75,                      // triax QOS, of 100
            0x74,                    // data emitter type 4
            51, 51, 51,              // receivers on 2,2/2,4 GHz
            22, 23,
            0x25};                   // up link good, data emitter programmed, long triax
}

// Received levels 75, 79 and 83: an RSSI of 178, three quarters of the
// indoor standard profile's 80 to 210; grade values near 0.
std::vector<BYTE> Typical_Levels()
{
    return {0xA7, 0x11, 0x23, 20, 21, 75, 25, 0x12, 0x34, 30, 31, 79, 35, 0x13, 0x45, 40, 41, 83, 45,
            19, 20, 0x01, 0xFF, 0x00, 24, 25, 26, 27};
}

// A repeatable noise of -4 to 4 for a point and a step.
int Noise(int point, int step)
{
    const auto mixed = static_cast<std::uint32_t>(point * 73 + step * 151) * 2654435761u;
    return static_cast<int>((mixed >> 13) % 9) - 4;
}

} // namespace

std::vector<BYTE> Simulated_Spectrum(int step)
{
    constexpr int Points = 200;
    constexpr int Floor = 80;    // -33 dBc
    constexpr int Channel = 190; // -12 dBc
    constexpr int Peak = 236;    // -4 dBc
    constexpr int Edge = 12;     // the channel's slopes, in points
    const int peak = ((step % Points) + Points) % Points;
    std::vector<BYTE> points(Points);
    for (int i = 0; i < Points; ++i) {
        const int inside = std::min({i, Points - 1 - i, 2 * Edge}) - Edge;
        int level = inside <= 0 ? Floor : Floor + (Channel - Floor) * std::min(inside, Edge) / Edge;
        if (std::abs(i - peak) <= 1) {
            level = Peak - 12 * std::abs(i - peak);
        }
        points[static_cast<std::size_t>(i)] = static_cast<BYTE>(std::clamp(level + Noise(i, step), 0, 255));
    }
    return points;
}

void Hd_Wcu::Toggle_Data_Activity()
{
    Blocks[Wcu_Status].Data[0] ^= Data_Toggles;
}

void Hd_Wcu::Set_Amu_Power(int amu, bool on)
{
    for (Part part : {Amu1, Amu1_Levels, Amu1_Spectrum}) {
        Blocks[Amu_Part(amu, part)].Present = on;
    }
    const auto& bits = Triax_Bits[amu == 1 ? 0 : 1];
    for (std::size_t i = 0; i < bits.size(); ++i) {
        BYTE& byte = Blocks[Wcu_Status].Data[i];
        byte = static_cast<BYTE>(on ? byte | (Status_Triaxes[i] & bits[i]) : byte & ~bits[i]);
    }
}

void Hd_Wcu::Set_Video_Link(bool up)
{
    auto& link = Blocks[Wcu_Link].Data;
    link[0] = up ? Raw_Video_Quality : 0;
    link[2] = static_cast<BYTE>(up ? link[2] | Link_Camera_Lock : link[2] & ~Link_Camera_Lock);
    auto& wca = Blocks[Wca].Data;
    wca[6] = static_cast<BYTE>(up ? wca[6] | Wca_Camera_Lock : wca[6] & ~Wca_Camera_Lock);
    Blocks[Wcu].Data[0] = up ? Data_Quality : 0;
}

void Hd_Wcu::Set_Battery_Volts(double volts)
{
    const auto raw = static_cast<WORD>(std::lround(std::clamp((volts - 10.5) * 1023.0 / 30.0, 0.0, 65535.0)));
    Blocks[Wca].Data[2] = HIBYTE(raw);
    Blocks[Wca].Data[3] = LOBYTE(raw);
}

void Hd_Wcu::Set_Amu_Temperature(int amu, int celsius)
{
    Blocks[Amu_Part(amu, Amu1)].Data[12] = static_cast<BYTE>(celsius);
}

void Hd_Wcu::Set_Spectrum_Step(int step)
{
    // AMU2's peak runs half the spectrum apart from AMU1's.
    Blocks[Amu1_Spectrum].Data = Simulated_Spectrum(step);
    Blocks[Amu2_Spectrum].Data = Simulated_Spectrum(step + 100);
}

Hd_Wcu Typical_Hd_Wcu()
{
    Hd_Wcu wcu;
    wcu.Blocks[Hd_Wcu::Wcu_Link].Data = {Raw_Video_Quality,
                                         0x01, // genlock in use, no freeze
                                         0x06, // camera lock, genlock PLL locked, reference right
                                         30, 40, 50, 60, 0xA7,
                                         0x05, // indoor standard profile, no error
                                         0,    // no event: see Report_Link_Event
                                         0x21, 0xD9,
                                         0x2A, // video flag
                                         0x12};
    wcu.Blocks[Hd_Wcu::Wcu_Status].Data = {Status_Triaxes[0], Status_Triaxes[1], Status_Triaxes[2],
                                           0x19,           // audio stream, DUAL, PROD intercom
                                           160, 128, 96, 7, // intercom volumes
                                           0x12, 0x34,     // audio 1 at -4 dB
                                           0x05, 0x67,     // audio 2 at -14 dB
                                           100, 50,        // intercom levels
                                           0x12, 0x13, 0x9C, 0x2B, 0x21};
    wcu.Blocks[Hd_Wcu::Amu1].Data = Typical_Amu(1, 35);
    wcu.Blocks[Hd_Wcu::Amu1_Levels].Data = Typical_Levels();
    wcu.Blocks[Hd_Wcu::Amu2].Data = Typical_Amu(2, 37);
    wcu.Blocks[Hd_Wcu::Amu2_Levels].Data = Typical_Levels();
    wcu.Set_Spectrum_Step(0);
    wcu.Blocks[Hd_Wcu::Wca_Status].Data = {0x00, // no receiver fault
                                           0xFB, // every receiver locked
                                           2, 38, 4, 5, 6};
    wcu.Blocks[Hd_Wcu::Wca].Data = {0x01, 0x02, 0x00, 0x00, 4, 0x5C,
                                    0x70, // compression Q + (H), camera lock, Tx on, no fault
                                    7};
    wcu.Set_Battery_Volts(15.6);
    wcu.Blocks[Hd_Wcu::Wcu].Data = {Data_Quality, 0x21,
                                    0x2E, // data link, both video flags, no data fault
                                    3, 0xFB, 0x4D, HIBYTE(Data_Channel_Steps), LOBYTE(Data_Channel_Steps)};
    return wcu;
}
