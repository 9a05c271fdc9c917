#pragma once
// The poll frames of one HD camera system: eleven blocks in a fixed order,
// each sent as its present tag, a length byte and its data, or as its absent
// tag alone. The spectrum blocks are tagged with the tuners of the request
// they answer.

#include "tools/Wcu_Simulator.h"

#include <array>
#include <map>
#include <vector>

struct Hd_Block {
    bool Present = true;
    std::vector<BYTE> Data;
};

struct Hd_Wcu {
    enum Part {
        Wcu_Link,      // 'R', 14 bytes
        Wcu_Status,    // 'P', 19 bytes
        Amu1,          // '&', 25 bytes
        Amu1_Levels,   // '(', 21 bytes (short) or 28 (long)
        Amu1_Spectrum, // '0' + AMU1's tuner, 1 to 200 points
        Amu2,          // '+'
        Amu2_Levels,   // '-'
        Amu2_Spectrum, // '@' + AMU2's tuner
        Wca_Status,    // '$', 7 bytes
        Wca,           // '"', 8 bytes
        Wcu,           // ' ', 8 bytes
        Part_Count
    };

    WORD Type_Word = 0x201;
    std::array<Hd_Block, Part_Count> Blocks;
    // Spectra of single tuners of AMU1 and AMU2, by tuner: a frame asking
    // for such a tuner sends its spectrum instead of the block's data.
    std::array<std::map<int, std::vector<BYTE>>, 2> Tuner_Spectra;

    // The frame answering an HD poll request, spoiled by the faults that
    // concern a frame's blocks (other faults leave it whole).
    std::vector<BYTE> Frame(BYTE request, Wcu_Fault fault = Wcu_Fault::None) const;
    // The type answer and the HD frames.
    void Load(Wcu_Simulator& simulator) const;
};

// Every block present with plausible readings, long level blocks and
// 200-point spectra: the longest frame, 584 bytes.
Hd_Wcu Typical_Hd_Wcu();
