#include "link/St_system.h"

#include "platform/classlib/Classes.h"
#include "platform/classlib/Registry.h"
#include "platform/classlib/SysUtils.h"

#include <exception>
#include <utility>

namespace {

std::string Camera_Value_Name(const std::string& value_name, int camera_index)
{
    return value_name + "_Cam" + IntToStr(camera_index + 1);
}

const std::string Stamp_Start = "------- ";
const std::string Stamp_End = " -------";
constexpr std::size_t Stamp_Length = 24;

bool Is_Stamp(const std::string& line)
{
    return line.size() == Stamp_Length && line.starts_with(Stamp_Start) && line.ends_with(Stamp_End);
}

std::string Time_Stamp_Line()
{
    return Stamp_Start + FormatDateTime("hh':'mm':'ss", Now()) + Stamp_End;
}

std::string Last_Stamp(const TStrings& list)
{
    for (int i = list.Count() - 1; i >= 0; --i) {
        if (std::string line = list.Strings(i); Is_Stamp(line)) {
            return line;
        }
    }
    return {};
}

} // namespace

bool Reg_Read_Integer(const std::string& key, const std::string& value_name, int* out)
{
    try {
        TRegistry registry(KEY_ALL_ACCESS);
        // A key that cannot be opened has no value to give.
        if (!registry.OpenKey(key, false)) {
            return false;
        }
        *out = registry.ReadInteger(value_name);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool Reg_Read_Camera_Integer(const std::string& key, const std::string& value_name, int* out, int camera_index)
{
    return Reg_Read_Integer(key, Camera_Value_Name(value_name, camera_index), out);
}

bool Reg_Write_Integer(const std::string& key, const std::string& value_name, int value)
{
    try {
        TRegistry registry(KEY_ALL_ACCESS);
        if (!registry.OpenKey(key, true)) {
            return false;
        }
        registry.WriteInteger(value_name, value);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool Reg_Write_Camera_Integer(const std::string& key, const std::string& value_name, int value, int camera_index)
{
    return Reg_Write_Integer(key, Camera_Value_Name(value_name, camera_index), value);
}

int Load_Camera_Integer(const std::string& value_name, int low, int high, int default_value, int camera_index)
{
    int value = 0;
    if (!Reg_Read_Camera_Integer(Ordexia_Registry_Key, value_name, &value, camera_index) || value < low ||
        value > high) {
        value = default_value;
        Reg_Write_Camera_Integer(Ordexia_Registry_Key, value_name, value, camera_index);
    }
    return value;
}

// ---- St_System_Settings ----------------------------------------------------

St_System_Settings::St_System_Settings(int camera_index)
    : Index(camera_index)
    , Name(Load_Camera_Integer("Name", 1, 99, camera_index + 1, camera_index))
    , Port_Number(Load_Camera_Integer("Port_Number", 0, 16, camera_index == 0 ? 1 : 0, camera_index))
    , Connected(false)
    , Alarm_Sound(Load_Camera_Integer("Alarm_Sound", 0, 1, 0, camera_index))
{
    Reset();
}

void St_System_Settings::Copy(const St_System_Settings& source)
{
    Name = source.Name;
    Port_Number = source.Port_Number;
    Connected = source.Connected;
    Alarm_Sound = source.Alarm_Sound;
}

bool St_System_Settings::Set_Port_Number(int port)
{
    Port_Number = port;
    return Reg_Write_Camera_Integer(Ordexia_Registry_Key, "Port_Number", port, Index);
}

bool St_System_Settings::Set_Name(int number)
{
    Name = number;
    return Reg_Write_Camera_Integer(Ordexia_Registry_Key, "Name", number, Index);
}

bool St_System_Settings::Set_Alarm_Sound(int on)
{
    Alarm_Sound = on;
    return Reg_Write_Camera_Integer(Ordexia_Registry_Key, "Alarm_Sound", on, Index);
}

// ---- St_System_Type ---------------------------------------------------------

St_System_Type::St_System_Type(int camera_index)
    : Index(camera_index)
    , System_Type(Load_Camera_Integer("System_Type", Sd_System, Hd_System, Sd_System, camera_index))
{
    Reset();
}

void St_System_Type::Copy(const St_System_Type& source)
{
    System_Type = source.System_Type;
    Wcu_Major = source.Wcu_Major;
    Wcu_Minor = source.Wcu_Minor;
}

void St_System_Type::Reset()
{
    Wcu_Major = 0;
    Wcu_Minor = 0;
}

std::string St_System_Type::Get_Wcu_Version_Text() const
{
    return IntToStr(Wcu_Major) + "." + IntToStr(Wcu_Minor);
}

bool St_System_Type::Is_Known_Wcu() const
{
    const int word = Type_Word();
    return word == 0x100 || word == 0x101 || Is_Hd_Wcu();
}

bool St_System_Type::Is_Hd_Wcu() const
{
    const int word = Type_Word();
    return word == 0x200 || word == 0x201 || word == 0x202;
}

void St_System_Type::Update_System_Type()
{
    System_Type = Is_Hd_Wcu() ? Hd_System : Sd_System;
    Reg_Write_Camera_Integer(Ordexia_Registry_Key, "System_Type", System_Type, Index);
}

// ---- St_System --------------------------------------------------------------

St_System::St_System(int camera_index)
    : Camera_Index(camera_index)
    , Settings(camera_index)
    , Type(camera_index)
    , SD(camera_index)
    , HD(camera_index)
{
    Reset();
}

void St_System::Copy(const St_System& source)
{
    Settings.Copy(source.Settings);
    Type.Copy(source.Type);
    SD.Copy(source.SD);
    HD.Copy(source.HD);
}

void St_System::Reset()
{
    Settings.Reset();
    Type.Reset();
    SD.Reset();
    HD.Reset();
}

// ---- Texts ------------------------------------------------------------------

std::string Temperature_Celsius_Text(int celsius)
{
    return Format("%d°C", celsius);
}

std::string Temperature_Fahrenheit_Text(int celsius)
{
    return Format("%d°F", static_cast<int>(Trunc(celsius * 1.8 + 32.5)));
}

bool Is_Temperature_Alarm(int celsius)
{
    return celsius < -15 || celsius > 75;
}

bool Log_Time_Stamp(TStrings* list)
{
    const std::string line = Time_Stamp_Line();
    if (line == Last_Stamp(*list)) {
        return false;
    }
    list->Add(line);
    return true;
}

void Log_Time_Stamp_Once(TStrings* list, bool& stamped)
{
    if (!stamped) {
        stamped = Log_Time_Stamp(list);
    }
}

bool Log_Stamp::Shows_Now() const
{
    return last == Time_Stamp_Line();
}

void Log_Stamp::Logged(const TStrings& lines)
{
    if (std::string stamp = Last_Stamp(lines); !stamp.empty()) {
        last = std::move(stamp);
    }
}
