#pragma once
// The HD half of a camera's state: every record the WCU of an HD system
// reports in its poll answer, plus the three values the user chooses (the
// battery alarm level and each AMU's spectrum tuner).
//
// Fields the system does not interpret itself are named by their place in
// the answer block: Dk data byte k, Dk_Bitn its bit n, Dk_Hi / Dk_Lo its
// nibbles, Dk_Bitsh_l bits h down to l, Dk_Dm the word Dk * 256 + Dm.
// Every record's first field is Present: the block was in the last answer.

#include "link/Rssi_amu_buffer.h"
#include "link/St_system_hd_convert.h"

#include <array>
#include <memory>

// WCU header (block ' ').
class St_System_HD_WCU {
public:
    St_System_HD_WCU() { Reset(); }
    void Reset();
    bool Is_Present() const { return Present; }
    // Smooths the D2 flags just stored by the decoder: D2_Bit3_Held drops on
    // the fifth poll in a row without D2_Bit3, D2_Bit0_Confirmed rises on the
    // fifth poll in a row with D2_Bit0 and drops at once without it.
    void Debounce_Flags();

    bool Present;
    int D0_Bits6_0;
    int D1;
    bool D2_Bit5;
    bool D2_Bit4;
    bool D2_Bit3;
    int D2_Bit3_Absent_Count;
    bool D2_Bit3_Held;
    bool D2_Bit2;
    bool D2_Bit1;
    bool D2_Bit0;
    int D2_Bit0_Count;
    bool D2_Bit0_Confirmed;
    int D3;
    int D4;
    int D5_Lo;
    int D6_D7;
};

// Camera adapter (block '"').
class St_System_HD_WCA {
public:
    St_System_HD_WCA() { Reset(); }
    void Reset();
    bool Is_Present() const { return Present; }

    bool Present;
    int D0_D1;
    // D2 * 256 + D3, turned into volts by Battery_Voltage.
    int Battery_Raw;
    int D4;
    int D5_Bits6_4;
    int D5_Lo;
    int D6_Bits7_6;
    bool D6_Bit5;
    bool D6_Bit4;
    bool D6_Bit3;
    bool D6_Bit2;
    bool D6_Bit1;
    bool D6_Bit0;
    int D7;
};

// Second camera-adapter record (block '$').
class St_System_HD_WCA_Status {
public:
    St_System_HD_WCA_Status() { Reset(); }
    void Reset();
    bool Is_Present() const { return Present; }

    bool Present;
    int D3;
    int D2;
    int D4;
    int D5;
    bool D0_Bit7;
    bool D0_Bit6;
    bool D0_Bit5;
    bool D0_Bit4;
    bool D0_Bit3;
    bool D0_Bit2;
    bool D0_Bit1;
    bool D0_Bit0;
    bool D1_Bit7;
    bool D1_Bit6;
    bool D1_Bit5;
    bool D1_Bit4;
    bool D1_Bit3;
    bool D1_Bit1;
    bool D1_Bit0;
    int D6;
};

// One AMU receiver (blocks '&' and '+').
class St_System_HD_AMU {
public:
    St_System_HD_AMU() { Reset(); }
    void Reset();
    bool Is_Present() const { return Present; }
    // Firmware above 1.7 grades the video quality.
    bool Is_Grading_Enabled() const { return Firmware_Version > 23; }
    // The range code the three tuners agree on (a tuner without a code, 0,
    // does not count); -1 when none has one or two disagree.
    int Common_Range_Code() const;

    bool Present;
    // High nibble major, low nibble minor (0x16 is 1.6).
    int Firmware_Version;
    bool Versions_Match;
    bool D1_Bit5;
    bool D1_Bit4;
    int D1_Bits3_2;
    bool D1_Bit1;
    bool D1_Bit0;
    bool D2_Bit2;
    bool D2_Bit1;
    bool D2_Bit0;
    bool D3_Bit5;
    bool D3_Bit4;
    bool D3_Bit3;
    bool D3_Bit0;
    bool D3_Bit1;
    bool D3_Bit2;
    int D4_Hi;
    int Amu_Identifier;
    bool D5_Bit2;
    bool Data_Valid_A;
    bool D5_Bit0;
    int Data_Step_Mode;
    int Data_Freq_A;
    int Data_Freq_B;
    int Data_Freq_Lo;
    int Data_Freq_Hi;
    int Synth_Value;
    int D11;
    int Temperature;
    int D13;
    int D14;
    int D15;
    int D16;
    int D17;
    int D18_Hi;
    int Data_Mode_Code;
    // Per tuner 1 to 3: 50 to 55, 0 none.
    std::array<int, 3> Range_Code;
    int D22;
    int D23;
    bool D24_Bit5;
    bool D24_Bit4;
    bool D24_Bit3;
    bool D24_Bit6;
    bool Data_Valid_B;
    bool D24_Bit1;
    bool Long_Triax;
    bool Same_Identifier;
    bool Range_Mismatch;
};

// One AMU's receiver levels (blocks '(' and '-'), arrays by tuner 0 to 2,
// and the level history it owns. Copies carry the history's averages only.
class St_System_HD_AMU_Stat {
public:
    St_System_HD_AMU_Stat();
    St_System_HD_AMU_Stat(const St_System_HD_AMU_Stat& source);
    St_System_HD_AMU_Stat& operator=(const St_System_HD_AMU_Stat& source);
    ~St_System_HD_AMU_Stat() = default;

    void Reset();
    bool Is_Present() const { return Present; }

    bool Present;
    int D0_Bits7_6;
    bool D0_Bit5;
    int D0_Bits4_0;
    std::array<int, 3> Rx_G0_Bits5_4;
    std::array<int, 3> Rx_Value;
    std::array<int, 3> Rx_G2;
    std::array<int, 3> Rx_G3;
    // 255: the tuner gives no level.
    std::array<int, 3> Rx_Level;
    std::array<int, 3> Rx_G5;
    int D19;
    int D20;
    std::array<int, 3> Rx_Ext_Signed;
    std::array<int, 3> Rx_Ext;
    int D27;
    std::unique_ptr<RSSI_AMU_Buffer> Rssi_Buffer;
};

// One AMU's spectrum (blocks '0'..'7' and '@'..'G'), in dBc.
class St_System_HD_Spectrum {
public:
    static constexpr int Points = 200;
    static constexpr int Empty_Point = -128;

    St_System_HD_Spectrum() { Reset(true); }
    // An absent block keeps its curves on screen: only a full reset clears them.
    void Reset(bool clear_curves);
    void Clear_Curves();
    void Reset_Peak();
    // Peak hold over points first .. first + count - 1 (clipped to the curve).
    void Update_Peak(int first, int count);
    bool Is_Present() const { return Present; }

    bool Present;
    std::array<int, Points> Current;
    std::array<int, Points> Peak;
};

// WCU status (first part of block 'P') and the values derived from it.
class St_System_HD_WCU_Status {
public:
    static constexpr float Default_Video_Bandwidth = 17.381407f;

    St_System_HD_WCU_Status() { Reset(); }
    void Reset();
    bool Is_Present() const { return Present; }

    bool Is_Triax1_Used() const { return Triax1_Used; }
    bool Is_Triax2_Used() const { return Triax2_Used; }
    bool Is_Triax1_Down_Link_Ok() const { return D0_Bit0 && D1_Bit2 && D2_Bit4; }
    bool Is_Triax2_Down_Link_Ok() const { return D0_Bit1 && D1_Bit3 && D2_Bit5; }
    bool Is_Triax1_Ok() const { return Triax1_Used && Is_Triax1_Down_Link_Ok() && D2_Bit6; }
    bool Is_Triax2_Ok() const { return Triax2_Used && Is_Triax2_Down_Link_Ok() && D2_Bit7; }
    bool Triax1_Link_Bit() const { return Triax1_Link; }
    bool Triax2_Link_Bit() const { return Triax2_Link; }

    bool Present;
    bool D0_Bit7;
    bool D0_Bit6;
    bool Amu1_Range_Valid;
    bool Amu2_Range_Valid;
    bool Toggle_B;
    bool Toggle_A;
    bool D0_Bit0;
    bool D0_Bit1;
    bool Triax1_Link;
    bool Triax2_Link;
    bool D1_Bit2;
    bool D1_Bit3;
    bool D1_Bit6;
    bool D1_Bit7;
    bool Triax1_Used;
    bool Triax2_Used;
    bool D2_Bit6;
    bool D2_Bit7;
    bool D2_Bit4;
    bool D2_Bit5;
    int D2_Lo;
    int D16_Hi;
    int D16_Lo;
    int D17_Lo;
    bool D17_Bit5;
    bool D17_Bit4;
    int D18;
    // GHz, MHz, MHz; the frequencies hold a negative code when none can be given.
    float Video_Frequency;
    float Video_Bandwidth;
    float Data_Frequency;
    // Data activity, 0, 1 or 2, rated by the polling thread.
    int Toggle_Rate_Any;
    int Toggle_Rate_A;
    int Toggle_Rate_B;
};

// Tail of block 'P'.
class St_System_HD_WCU_Detail {
public:
    St_System_HD_WCU_Detail() { Reset(); }
    void Reset();
    bool Is_Present() const { return Present; }

    bool Present;
    bool D3_Bit5;
    bool D3_Bit4;
    bool D3_Bit3;
    bool D3_Bit2;
    int D3_Bits1_0;
    int D4;
    int D5;
    int D6;
    int D7;
    int D8_D9;
    int D10_D11;
    int D12;
    int D13;
    int D14;
    int D15;
};

// Block 'R'.
class St_System_HD_WCU_Link {
public:
    St_System_HD_WCU_Link() { Reset(); }
    void Reset();
    bool Is_Present() const { return Present; }

    bool Present;
    bool D1_Bit2;
    bool D1_Bit0;
    bool D1_Bit1;
    bool D2_Bit0;
    bool D2_Bit1;
    bool D2_Bit2;
    bool D2_Bit3;
    bool D2_Bit4;
    bool D2_Bit5;
    bool D2_Bit6;
    int D0;
    int D3;
    int D4;
    int D5;
    int D6;
    int D8_Lo;
    int D8_Hi;
    int D7_Lo;
    int D10;
    int D11_Bits6_4;
    int D11_Lo;
    bool D12_Bit5;
    bool D12_Bit3;
    bool D12_Bit2;
    bool D12_Bit1;
    bool D12_Bit0;
    bool D12_Bit4;
    // 1 WCU reset, 3 waiting for the video link, 4 video link good,
    // 13 video link broken.
    int Link_Event_Code;
    int D13;
};

class St_System_HD {
public:
    static constexpr int Max_Alarm_Battery_Level = 6;
    static constexpr int Max_Tuner_Choice = 7;

    // Loads and repairs the camera's battery alarm level; tuners start at 0.
    explicit St_System_HD(int camera_index);
    St_System_HD(const St_System_HD&) = default;
    // Copying into a snapshot goes through Copy, which keeps the target's index.
    St_System_HD& operator=(const St_System_HD&) = delete;

    void Copy(const St_System_HD& source);
    // Resets every record; the index and the three user values stay.
    void Reset();
    // Refuses a level outside 0..6 (false, nothing stored); otherwise stores
    // it and answers the registry write's result.
    bool Set_Alarm_Battery_Level(int level);
    // side '1' sets AMU1's tuner, any other AMU2's; a tuner outside 0..7 is
    // refused, since it would go to the WCU in the next poll request.
    void Set_Tuner_Choice(int tuner, char side);

    // The derivations run after each good poll, in this order. The first two
    // compare the AMUs' firmware versions and identifiers.
    void Check_Amu_Versions();
    void Check_Amu_Settings();
    // Video frequency and bandwidth from the AMUs' range codes and
    // synthesizers, or a negative code; marks AMUs whose codes disagree.
    void Update_Video_Frequency();
    // Data frequency from the AMUs' data channel, or a negative code.
    void Update_Data_Frequency();

    St_System_HD_WCU Wcu;
    St_System_HD_WCA Wca;
    St_System_HD_WCA_Status Wca_Status;
    St_System_HD_AMU Amu1;
    St_System_HD_AMU_Stat Amu1_Stat;
    St_System_HD_Spectrum Amu1_Spectrum;
    St_System_HD_AMU Amu2;
    St_System_HD_AMU_Stat Amu2_Stat;
    St_System_HD_Spectrum Amu2_Spectrum;
    St_System_HD_WCU_Status Wcu_Status;
    St_System_HD_WCU_Detail Wcu_Detail;
    St_System_HD_WCU_Link Wcu_Link;
    int Index;
    int Alarm_Battery_Level;
    int Tuner_Choice_Amu1;
    int Tuner_Choice_Amu2;
};
