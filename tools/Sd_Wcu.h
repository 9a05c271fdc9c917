#pragma once
// The answers of one SD camera system for a simulated WCU.

#include "tools/Wcu_Simulator.h"

#include <array>
#include <vector>

// The answers of one SD camera system, loaded into a simulator.
struct Sd_Wcu {
    WORD Type_Word = 0x101;
    // '%': the first 9 bytes for a type word up to 0x100, else all 19.
    std::array<BYTE, 19> Status {};
    // '!' and '"': 31 bytes starting 0x27, or the '(' no-data answer.
    std::array<BYTE, 31> Amu1 {};
    std::array<BYTE, 31> Amu2 {};
    bool Amu1_No_Data = false;
    bool Amu2_No_Data = false;
    BYTE Flags = 0;

    // The answer to one of the SD requests ('?', '%', '!', '"', '#');
    // empty for any other.
    std::vector<BYTE> Answer(BYTE request) const;
    void Load(Wcu_Simulator& simulator) const;

    // What happens to the camera system. AMU 1 or 2.
    // Flips both data-activity toggles, as data traffic does.
    void Toggle_Data_Activity();
    // An AMU switched on or off: its poll and presence bits in the status.
    void Set_Amu_Power(int amu, bool on);
    // The video link between camera and AMUs: a break drops both qualities
    // and the link flag, and the AMUs report an error.
    void Set_Video_Link(bool up);
    void Set_Amu_Temperature(int amu, int celsius);
};

// A healthy system on video range 1 (2,2 - 2,4 GHz, channel 3) and data
// range 1 (433,9 MHz): WCU type 1.1 locked on channel 3 with both qualities
// three quarters full, both AMUs firmware 1.2 present, polled, clear, on
// the WCU's channels with every tuner locked and their switches right,
// AMU1 active, both data emitters answering and transmitting.
Sd_Wcu Typical_Sd_Wcu();

// The video and data frequency ranges the typical system is set up for.
constexpr int Typical_Sd_Video_Range = 1;
constexpr int Typical_Sd_Data_Range = 1;
