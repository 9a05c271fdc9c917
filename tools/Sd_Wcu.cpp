#include "tools/Sd_Wcu.h"

namespace {

constexpr BYTE Video_Quality = 95; // of 127
constexpr BYTE Data_Quality = 95;
constexpr BYTE Link_Flag = 0x10;   // status byte 4
constexpr BYTE Amu_Error = 0x40;   // AMU byte 2
constexpr BYTE Data_Toggles = 0x18; // status byte 0

std::vector<BYTE> Amu_Answer(const std::array<BYTE, 31>& amu, bool no_data)
{
    return no_data ? std::vector<BYTE> {'('} : std::vector<BYTE>(amu.begin(), amu.end());
}

std::array<BYTE, 31> Typical_Amu(BYTE identifier)
{
    return {0x27,
            0x78,       // tuners 1 to 3 locked, none in error; video channel valid
            0x01,       // antenna 1 selected
            0x01, 0x02, // firmware 1.2
            identifier, // RC1
            0x13,       // data emitter answering, Tx on; long triax; SW1-2 NORMAL, SW2 ON/ON, SW3-2 ON
            0x05,       // data channel 5 in 25 kHz steps
            0x00, 0xC7, 0x43, // synthesiser: 0x43C7 + 5 steps = 433,9 MHz
            46,         // video channel 3
            0x12,       // COFDM mode 2; SW3-1 OFF
            35,         // 35 degrees
            120,        // DC-in 50 V
            0xA1, 0xA2, 0xA3,
            75,   // triax QOS, of 100
            0xF0}; // RC2 on F
}

} // namespace

std::vector<BYTE> Sd_Wcu::Answer(BYTE request) const
{
    switch (request) {
    case '?':
        return {'*', HIBYTE(Type_Word), LOBYTE(Type_Word)};
    case '%':
        return std::vector<BYTE>(Status.begin(), Status.begin() + (Type_Word > 0x100 ? 19 : 9));
    case '!':
        return Amu_Answer(Amu1, Amu1_No_Data);
    case '"':
        return Amu_Answer(Amu2, Amu2_No_Data);
    case '#':
        return {Flags};
    default:
        return {};
    }
}

void Sd_Wcu::Load(Wcu_Simulator& simulator) const
{
    for (BYTE request : {'?', '%', '!', '"', '#'}) {
        simulator.Set_Answer(request, Answer(request));
    }
}

void Sd_Wcu::Toggle_Data_Activity()
{
    Status[0] ^= Data_Toggles;
}

void Sd_Wcu::Set_Amu_Power(int amu, bool on)
{
    const BYTE status_bit = static_cast<BYTE>(amu == 1 ? 0x01 : 0x02);
    const BYTE data_bits = static_cast<BYTE>(amu == 1 ? 0x05 : 0x0A);
    Status[0] = static_cast<BYTE>(on ? Status[0] | status_bit : Status[0] & ~status_bit);
    Status[1] = static_cast<BYTE>(on ? Status[1] | data_bits : Status[1] & ~data_bits);
}

void Sd_Wcu::Set_Video_Link(bool up)
{
    Status[3] = up ? Video_Quality : 0;
    Status[8] = up ? Data_Quality : 0;
    Status[4] = static_cast<BYTE>(up ? Status[4] | Link_Flag : Status[4] & ~Link_Flag);
    for (auto* amu : {&Amu1, &Amu2}) {
        (*amu)[2] = static_cast<BYTE>(up ? (*amu)[2] & ~Amu_Error : (*amu)[2] | Amu_Error);
    }
}

void Sd_Wcu::Set_Amu_Temperature(int amu, int celsius)
{
    (amu == 1 ? Amu1 : Amu2)[13] = static_cast<BYTE>(celsius);
}

Sd_Wcu Typical_Sd_Wcu()
{
    Sd_Wcu wcu;
    wcu.Status = {0xE7,          // AMUs polled, WCU locked, PAL, both remote channels present
                  0x1F,          // AMUs present with data, AMU1 active
                  0x03,
                  Video_Quality,
                  0x19,          // PROD intercom, DUAL, link flag (audio stream)
                  160, 128, 96,  // intercom volumes
                  Data_Quality,
                  0x92, 0x34,    // audio 1 at -4 dB, level report valid
                  0x85, 0x67,    // audio 2 at -14 dB, level report valid
                  100, 50,       // intercom levels
                  0x15, 0x16,
                  0x35,          // video channel 3, data channel 5
                  0x02};         // COFDM mode 2
    wcu.Amu1 = Typical_Amu(1);
    wcu.Amu2 = Typical_Amu(2);
    wcu.Flags = 0x05;
    return wcu;
}
