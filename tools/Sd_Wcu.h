#pragma once
// The answers of one SD camera system for a simulated WCU.

#include "tools/Wcu_Simulator.h"

#include <array>

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

    void Load(Wcu_Simulator& simulator) const;
};

// Both AMUs present, polled and active, firmware 1.2, plausible readings.
Sd_Wcu Typical_Sd_Wcu();
