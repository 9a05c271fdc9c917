#pragma once
// Converters of the HD screens: raw WCU and AMU fields turned into
// frequencies, levels, grades, battery voltages and display texts, and the
// status-log lines of the HD screens. All are pure except the log lines.
//
// No input makes them fail or read past a table: a range code outside
// 50..55 gives the code -3 (or the text "unknown"), a transmission mode
// outside 1..6 the neutral row of the mode table, a battery level outside
// 0..6 the default level's voltage, other unknown inputs the empty text.

#include <array>
#include <string>

class TStrings;

// Codes stored instead of a frequency in St_System_HD_WCU_Status.
inline constexpr int Hd_No_Frequency = -1;
inline constexpr int Hd_Frequency_Mismatch = -2;
inline constexpr int Hd_Invalid_Code = -3;
inline constexpr int Hd_Range_Not_Valid = -4;

// ---- Frequencies and ranges -------------------------------------------------

// MHz from the AMU's video synthesizer value.
double Synth_Base_Frequency(int synth);
// GHz of the video channel, or Hd_Invalid_Code for a range code outside 50..55.
double Video_Frequency_Ghz(int synth, int range_code);
// The code itself when 50..55, else Hd_Invalid_Code.
int Range_Code(int code);
// "2,0/2,2 GHz" .. "2,3/2,5 GHz" for 50..55, else "unknown".
std::string Hd_Range_Text(int code);
// MHz; firmware 1.6 (0x16) and later use the narrower one.
double Bandwidth_Mhz(int firmware_version);
// MHz between two spectrum points.
double Spectrum_Step_Mhz(int firmware_version);
// MHz of the first spectrum point; the centre counts as 0 for an unknown code.
double Spectrum_Start_Mhz(int synth, int range_code, int firmware_version);
// MHz of the data channel; step_mode 0 counts 25 kHz steps, 1 100 kHz, any
// other 50 kHz.
float Data_Frequency_Mhz(int step_mode, int a, int b, int hi, int lo);
double Steps_25khz_To_Mhz(int steps);

// ---- Levels, quality and battery --------------------------------------------

// dB from a received level byte, at most 70.
float Level_Db(int level);
bool Is_Level_Alarm_HD(int level);
// Quality 0..127 shown as 0..100 %.
int Quality_Percent(int quality);
// The level limited to the meter range of the transmission mode.
int Clamp_By_Mode(int value, int mode);
// 0 none, 1 adjacent channel, 2 strong adjacent channel: the mean of the
// |values| of the used tuners whose level reaches the mode's threshold,
// halved, against the mode's two limits.
int Video_Quality_Grade(bool enabled, const std::array<int, 3>& values, const std::array<int, 3>& levels, bool use1,
                        bool use2, bool use3, int mode);
int Ratio_To_Db_7020_HD(int x, int lo, int hi);
int Ratio_To_Db_96_HD(int x, int lo, int hi);
int Ratio_To_Db_240_HD(int x, int lo, int hi);
// Volts of the camera battery.
double Battery_Voltage(int raw);
// Volts at which the battery alarm level 0..6 rings.
double Battery_Alarm_Voltage(int level);

// The screens' second names for the meter converters.
inline int Meter_Db_7020_HD(int x, int lo, int hi) { return Ratio_To_Db_7020_HD(x, lo, hi); }
inline int Meter_Db_96_HD(int x, int lo, int hi) { return Ratio_To_Db_96_HD(x, lo, hi); }
inline int Meter_Db_240_HD(int x, int lo, int hi) { return Ratio_To_Db_240_HD(x, lo, hi); }

// ---- Texts --------------------------------------------------------------------

std::string Transmission_Mode_Text(int mode);
// "-----" when compression is off.
std::string Compression_Mode_Text(bool on, int mode);
std::string Production_Mode_Text_HD(int mode);
std::string Diversity_Text_HD(bool dual);
// "major.minor" from a version byte's nibbles (0x21 gives "2.1").
std::string Hd_Version_Text(int version_byte);

// ---- Status log ---------------------------------------------------------------

// Each adds the refresh's time stamp first while stamped is false
// (Log_Time_Stamp), storing its result there, then its own line.
// "Data link break" or "Data link OK".
void Log_Data_Link(bool broken, TStrings* list, bool& stamped);
// Only when happened: "Triax" + triax + " up link break".
void Log_Triax_Up_Link_Break(bool happened, char triax, TStrings* list, bool& stamped);
// Only when happened: "Triax" + triax + " down link break".
void Log_Triax_Down_Link_Break_HD(bool happened, char triax, TStrings* list, bool& stamped);
// The WCU link event: 1 "WCU reset", 3 "Wait for video link" (never stamped),
// 4 "Video link OK", 13 "Video link break"; other codes add nothing.
void Log_Video_Link_HD(int link_event_code, TStrings* list, bool& stamped);
