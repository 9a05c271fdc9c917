#pragma once
// The whole state of one camera system as its polling thread knows it: the
// registry-backed settings, the system and WCU type, and the SD and HD
// blocks. The polling thread owns one and writes it; the user interface keeps
// a snapshot per camera, made by copy construction and kept equal with Copy.
//
// Also here: the registry functions every setting goes through, the
// temperature texts and alarm, and the time-stamp line of the status logs.

#include "link/St_system_hd.h"
#include "link/St_system_sd.h"

#include <string>

class TStrings;

// The program's key under HKEY_CURRENT_USER.
inline constexpr char Ordexia_Registry_Key[] = "\\Software\\Quorvale\\Ravivida Ordexia";

// Integer values under a key; per-camera values are named value + "_Cam" +
// (camera index + 1). Each call opens and frees its own registry object.
// Any failure (key or value missing, value of another type, file not
// written) answers false and leaves *out unchanged; nothing is raised.
bool Reg_Read_Integer(const std::string& key, const std::string& value_name, int* out);
bool Reg_Read_Camera_Integer(const std::string& key, const std::string& value_name, int* out, int camera_index);
bool Reg_Write_Integer(const std::string& key, const std::string& value_name, int value);
bool Reg_Write_Camera_Integer(const std::string& key, const std::string& value_name, int value, int camera_index);

// One per-camera setting as every state record loads it: a value that is
// missing, unreadable or outside low..high becomes default_value, which is
// written back at once (a failed write-back is ignored).
int Load_Camera_Integer(const std::string& value_name, int low, int high, int default_value, int camera_index);

class St_System_Settings {
public:
    // Loads and repairs "Name", "Port_Number" and "Alarm_Sound".
    explicit St_System_Settings(int camera_index);
    St_System_Settings(const St_System_Settings&) = default;
    St_System_Settings& operator=(const St_System_Settings&) = delete;

    void Copy(const St_System_Settings& source);
    void Reset() { Connected = false; }
    bool Has_Port() const { return Port_Number != 0; }
    bool Is_Connected() const { return Connected; }
    bool Is_Alarm_Sound() const { return Alarm_Sound != 0; }

    // Each stores the value unchecked, then writes it to the registry and
    // answers the write's result.
    bool Set_Port_Number(int port);
    bool Set_Name(int number);
    bool Set_Alarm_Sound(int on);

    int Index;
    // Camera number shown as the camera's name, 1 to 99.
    int Name;
    // COM1 to COM16; 0 no port.
    int Port_Number;
    // The WCU answers; run-time only, never stored.
    bool Connected;
    int Alarm_Sound;
};

class St_System_Type {
public:
    static constexpr int Sd_System = 0;
    static constexpr int Hd_System = 1;

    // Loads and repairs "System_Type".
    explicit St_System_Type(int camera_index);
    St_System_Type(const St_System_Type&) = default;
    St_System_Type& operator=(const St_System_Type&) = delete;

    void Copy(const St_System_Type& source);
    void Reset();
    // "major.minor" in decimal (2.10 for major 2, minor 10).
    std::string Get_Wcu_Version_Text() const;
    bool Is_Sd_Wcu_After_V1() const { return Type_Word() > 0x100; }
    bool Is_Hd_Wcu_After_V2() const { return Type_Word() > 0x200; }
    bool Is_Known_Wcu() const;
    bool Is_Hd_Wcu() const;
    // System_Type follows the WCU's variant, and is written to the registry.
    void Update_System_Type();

    int Index;
    // Sd_System or Hd_System: which poll the thread runs.
    int System_Type;
    int Wcu_Major;
    int Wcu_Minor;

private:
    int Type_Word() const { return Wcu_Major * 256 + Wcu_Minor; }
};

class St_System {
public:
    // Builds the four parts for the camera, each loading and repairing its
    // registry values, then resets the decoded state.
    explicit St_System(int camera_index);
    // The whole record, camera index included; the RSSI histories are new
    // and carry the averages only.
    St_System(const St_System&) = default;
    St_System& operator=(const St_System&) = delete;

    // Member-wise copy of the four parts; the camera index stays.
    void Copy(const St_System& source);
    // Clears the connection, the WCU type and every decoded record; the
    // settings, ranges, battery level and tuner choices stay.
    void Reset();

    int Camera_Index;
    St_System_Settings Settings;
    St_System_Type Type;
    St_System_SD SD;
    St_System_HD HD;
};

// Temperatures in degrees Celsius, shown with the degree sign.
std::string Temperature_Celsius_Text(int celsius);
// Fahrenheit rounded half up, truncating toward zero (-20 gives -3).
std::string Temperature_Fahrenheit_Text(int celsius);
bool Is_Temperature_Alarm(int celsius);

// Adds the line "------- hh:mm:ss -------" for the current time unless the
// last such line of this list shows the same second; true when it added it.
// Each status log keeps its own last stamp, so one camera's events never
// hide under another camera's stamp.
bool Log_Time_Stamp(TStrings* list);
// The stamp before the first log line of one refresh: tries only while
// stamped is false, and remembers that the stamp is there.
void Log_Time_Stamp_Once(TStrings* list, bool& stamped);

// The last time stamp of one status log whose refreshes each log into a list
// of their own: a refresh starts its stamped flag from Shows_Now, so that a
// second the log has stamped already gets no second stamp, however many
// refreshes log in it, and hands the lines it logged to Logged.
class Log_Stamp {
public:
    // The log's last stamp is the current second's.
    bool Shows_Now() const;
    // A stamp among a refresh's lines becomes the log's last.
    void Logged(const TStrings& lines);

private:
    std::string last;
};
