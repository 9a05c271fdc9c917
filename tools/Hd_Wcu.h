#pragma once
// The poll frames of one HD camera system: eleven blocks in a fixed order,
// each sent as its present tag, a length byte and its data, or as its absent
// tag alone. The spectrum blocks are tagged with the tuners of the request
// they answer.

#include "tools/Wcu_Simulator.h"

#include <array>
#include <atomic>
#include <map>
#include <memory>
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
    // concern a frame's blocks (other faults leave it whole). A reported
    // link event goes out in the first frame built after it, and in that
    // one only.
    std::vector<BYTE> Frame(BYTE request, Wcu_Fault fault = Wcu_Fault::None) const;
    // The type answer and the HD frames.
    void Load(Wcu_Simulator& simulator) const;

    // What happens to the camera system. AMU 1 or 2.
    // A video link event (1 WCU reset, 3 waiting for the video link, 4 video
    // link good, 13 video link broken), sent once in the link block's D9,
    // as the WCU reports an event when it happens. Copies of this system,
    // such as the one a simulator serves, share the pending event.
    void Report_Link_Event(BYTE code);
    // Flips both data-activity toggles of the WCU status, as data traffic does.
    void Toggle_Data_Activity();
    // An AMU switched on or off: its blocks, and its triax link in the WCU status.
    void Set_Amu_Power(int amu, bool on);
    // The video link between camera and WCU: a break drops the video and
    // data qualities and both camera locks. The events are left to the caller.
    void Set_Video_Link(bool up);
    void Set_Battery_Volts(double volts);
    void Set_Amu_Temperature(int amu, int celsius);
    // Both AMUs' spectra (every tuner's): noise that changes with the step
    // over the received channel, and a narrow peak at point step % 200.
    void Set_Spectrum_Step(int step);

    // The event not yet sent, 0 for none.
    std::shared_ptr<std::atomic<BYTE>> Pending_Link_Event = std::make_shared<std::atomic<BYTE>>(0);
};

// A healthy system: WCU type 2.1 with both triaxes up, the video link good
// in the indoor standard profile (quality three quarters), both AMUs
// firmware 1.8 with three locked 2,2/2,4 GHz receivers on 2250 MHz and a
// 458 MHz data emitter, received levels three quarters up, the camera
// adapter locked and transmitting on a charged battery (15,6 V), the audio
// stream in DUAL. Long level blocks and 200-point spectra: the longest
// frame, 584 bytes.
Hd_Wcu Typical_Hd_Wcu();

// The 200 spectrum bytes of Hd_Wcu::Set_Spectrum_Step for one step.
std::vector<BYTE> Simulated_Spectrum(int step);
