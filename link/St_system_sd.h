#pragma once
// The SD half of a camera's state: WCU and AMU status decoded from the SD
// poll answers, the data emitters reported with each AMU, the '#' flags, and
// the two frequency ranges the user chooses (kept in the registry).
//
// Plain records with public fields: the SD poll decoder writes them, the
// polling thread adds the toggle rates and the AMU cross-checks, the screens
// read them and turn them into texts with the converters below.

#include <string>

class TStrings;

// WCU status (answer '%').
class St_System_SD_WCU {
public:
    St_System_SD_WCU() { Reset(); }
    void Reset();

    bool Wcu_Flag;
    bool Data_Toggle_A;
    bool Data_Toggle_B;
    bool Video_Standard_Pal;
    int Wcu_Code;
    int Video_Qos;
    int Production_Mode;
    bool Wcu_Flag_2;
    bool Diversity_Dual;
    bool Link_Flag;
    bool Audio_Option_On;
    int Intercom_Volume_1;
    int Intercom_Volume_2;
    int Intercom_Volume_3;
    int Data_Qos;
    int Audio_1_Level;
    int Audio_2_Level;
    int Icom_Level_1;
    int Icom_Level_2;
    int Status_Byte_15;
    int Status_Byte_16;
    int Video_Channel_Index;
    int Data_Channel_Index;
    int Wcu_Cofdm_Mode;
    bool Audio_Levels_Valid;
    // Data activity, 0, 1 or 2, rated by the polling thread.
    int Rate_Any;
    int Rate_A;
    int Rate_B;
};

// One AMU's status (answers '!' and '"', and its bits of '%').
class St_System_SD_AMU {
public:
    St_System_SD_AMU() { Reset(); }
    void Reset();

    bool Is_Present() const { return Present; }
    bool Is_Polled() const { return Poll_Counter_Status != 0 || Poll_Counter_Data != 0; }
    bool Is_Valid() const { return Is_Present() && Is_Polled(); }
    bool Is_Valid_Clear() const { return Is_Valid() && Poll_Counter_Status != 0 && !Error; }
    bool Is_Channel_Valid() const { return Channel_Present && Video_Channel_Valid; }
    bool Is_Active() const { return Active; }
    bool Is_Version_After_1_0() const { return Version_Word() > 0x100; }
    bool Is_Version_After_1_1() const { return Version_Word() > 0x101; }
    bool Is_Supported() const { return true; }
    // "major.minor" in decimal, for the incompatible-firmware message.
    std::string Get_Version_Text() const;

    int Poll_Counter_Status;
    bool Channel_Present;
    bool Present;
    int Poll_Counter_Data;
    bool Receiver_Flag_1;
    bool Receiver_Flag_2;
    bool Receiver_Flag_3;
    bool Receiver_State_1;
    bool Receiver_State_2;
    bool Receiver_State_3;
    bool Video_Channel_Valid;
    bool Error;
    int Status_Code;
    bool Active;
    int Version_Major;
    int Version_Minor;
    bool Versions_Compatible;
    int Identifier;
    bool Same_Identifier;
    bool Sw1_2_Test;
    bool Flag_6_3;
    bool Long_Triax;
    int Sw2_Setting;
    bool Data_Step_100_Khz;
    int Data_Channel;
    int Synth_Byte_8;
    int Synth_Byte_9;
    int Synth_Byte_10;
    int Video_Channel_Code;
    int Cofdm_Mode;
    bool Sw3_1_Off;
    bool Sw3_2_Off;
    int Temperature;
    int Voltage_Raw;
    int Status_Byte_15;
    int Status_Byte_16;
    int Status_Byte_17;
    int Video_Quality;
    int Nibble_19_Low;
    int Rc2_Setting;

private:
    int Version_Word() const { return Version_Major * 256 + Version_Minor; }
};

// The data emitter reported with one AMU.
class St_System_SD_DE {
public:
    St_System_SD_DE() { Reset(); }
    void Reset();
    bool Get_State() const { return State; }

    bool De_Flag;
    bool State;
};

// Answer '#'.
class St_System_SD_Flags {
public:
    St_System_SD_Flags() { Reset(); }
    void Reset();

    bool Flag_1;
    bool Flag_2;
    bool Flag_3;
};

class St_System_SD {
public:
    // Loads and repairs the camera's two range settings.
    explicit St_System_SD(int camera_index);
    St_System_SD(const St_System_SD&) = default;
    // Copying into a snapshot goes through Copy, which keeps the target's index.
    St_System_SD& operator=(const St_System_SD&) = delete;

    void Copy(const St_System_SD& source);
    // Clears every decoded record; the index and the ranges stay.
    void Reset();
    // kind 0 the video range, any other the data range; stored unchecked,
    // the result is the registry write's.
    bool Set_Range_Frequency(int kind, int value);
    void Check_Amu_Versions();
    void Check_Amu_Settings();

    St_System_SD_WCU WCU;
    St_System_SD_AMU AMU1;
    St_System_SD_AMU AMU2;
    St_System_SD_DE DE1;
    St_System_SD_DE DE2;
    St_System_SD_Flags Flags;
    int Index;
    int Video_Range_Frequency;
    int Data_Range_Frequency;
};

// Converters for the SD screens. Inputs outside their tables give the empty
// text (or "?????" for the range texts); none of them fails.
std::string Level_Text(int voltage_raw);
bool Is_Level_Alarm_SD(int voltage_raw);
std::string Carrier_Frequency_Text(bool step_100_khz, int high, int low, int channel, int mid, int range);
std::string Guard_Interval_Text(int cofdm_mode);
std::string Modulation_Text(int cofdm_mode);
std::string Code_Rate_Text(int cofdm_mode);
std::string Video_Standard_Text(bool pal);
std::string Production_Mode_Text_SD(int mode);
std::string Diversity_Text_SD(bool dual);
int Ratio_To_Db_7020_SD(int x, int lo, int hi);
int Ratio_To_Db_96_SD(int x, int lo, int hi);
int Ratio_To_Db_240_SD(int x, int lo, int hi);
std::string Channel_Digit_Text(int channel_code);
std::string Channel_Frequency_Text(int channel_code, int video_range);
bool Is_Channel_Selected(int index, int channel_code, bool enabled);
bool Is_Same_Or_Disabled_De(int a, int b, bool enabled);
bool Is_Same_Or_Disabled_Amu(int a, int b, bool enabled);
bool Is_SW3_1_Setting_Right(int video_range, bool sw3_1_off, bool after_1_1);
bool Is_SW3_2_Setting_Right(int video_range, bool sw3_2_off, bool after_1_0, bool after_1_1);
std::string Video_Range_Text(int video_range);
std::string Data_Range_Text(int data_range);
bool Is_Data_Band_Matching(int data_range, int rc2_setting);

// The screens' second names for some of the converters above.
inline int Meter_Db_7020(int x, int lo, int hi) { return Ratio_To_Db_7020_SD(x, lo, hi); }
inline int Meter_Db_96(int x, int lo, int hi) { return Ratio_To_Db_96_SD(x, lo, hi); }
inline int Meter_Db_240(int x, int lo, int hi) { return Ratio_To_Db_240_SD(x, lo, hi); }
inline bool Is_Match_Or_Disabled(int a, int b, bool enabled) { return Is_Same_Or_Disabled_Amu(a, b, enabled); }
inline bool Is_Amu_Switch_B_Ok(int video_range, bool sw3_2_off, bool after_1_0, bool after_1_1)
{
    return Is_SW3_2_Setting_Right(video_range, sw3_2_off, after_1_0, after_1_1);
}

// Status-log lines of the SD screens. Each adds the refresh's time stamp
// first while stamped is false (Log_Time_Stamp), storing its result there.
// "Video link OK" or "Video link break".
void Log_Video_Link_SD(bool ok, TStrings* list, bool& stamped);
// Only when broken: "Triax" + digit + " down link break".
void Log_Triax_Down_Link_Break_SD(bool broken, char digit, TStrings* list, bool& stamped);
