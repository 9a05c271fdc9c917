#include "tools/Render_State.h"

#include "link/St_system.h"

#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>

namespace {

using Setter = std::function<void(St_System&, int)>;

#define AMU_FIELD(field) {#field, [](St_System_SD_AMU& r, int v) { r.field = static_cast<decltype(r.field)>(v); }}
#define WCU_FIELD(field) {#field, [](St_System_SD_WCU& r, int v) { r.field = static_cast<decltype(r.field)>(v); }}

const std::map<std::string, std::function<void(St_System_SD_AMU&, int)>>& Amu_Fields()
{
    static const std::map<std::string, std::function<void(St_System_SD_AMU&, int)>> fields = {
        AMU_FIELD(Poll_Counter_Status), AMU_FIELD(Channel_Present),  AMU_FIELD(Present),
        AMU_FIELD(Poll_Counter_Data),   AMU_FIELD(Receiver_Flag_1),  AMU_FIELD(Receiver_Flag_2),
        AMU_FIELD(Receiver_Flag_3),     AMU_FIELD(Receiver_State_1), AMU_FIELD(Receiver_State_2),
        AMU_FIELD(Receiver_State_3),    AMU_FIELD(Video_Channel_Valid), AMU_FIELD(Error),
        AMU_FIELD(Status_Code),         AMU_FIELD(Active),           AMU_FIELD(Version_Major),
        AMU_FIELD(Version_Minor),       AMU_FIELD(Versions_Compatible), AMU_FIELD(Identifier),
        AMU_FIELD(Same_Identifier),     AMU_FIELD(Sw1_2_Test),       AMU_FIELD(Long_Triax),
        AMU_FIELD(Sw2_Setting),         AMU_FIELD(Data_Step_100_Khz), AMU_FIELD(Data_Channel),
        AMU_FIELD(Synth_Byte_8),        AMU_FIELD(Synth_Byte_9),     AMU_FIELD(Synth_Byte_10),
        AMU_FIELD(Video_Channel_Code),  AMU_FIELD(Cofdm_Mode),       AMU_FIELD(Sw3_1_Off),
        AMU_FIELD(Sw3_2_Off),           AMU_FIELD(Temperature),      AMU_FIELD(Voltage_Raw),
        AMU_FIELD(Video_Quality),       AMU_FIELD(Rc2_Setting),
    };
    return fields;
}

const std::map<std::string, std::function<void(St_System_SD_WCU&, int)>>& Wcu_Fields()
{
    static const std::map<std::string, std::function<void(St_System_SD_WCU&, int)>> fields = {
        WCU_FIELD(Wcu_Flag),          WCU_FIELD(Data_Toggle_A),       WCU_FIELD(Data_Toggle_B),
        WCU_FIELD(Video_Standard_Pal), WCU_FIELD(Video_Qos),          WCU_FIELD(Production_Mode),
        WCU_FIELD(Diversity_Dual),    WCU_FIELD(Link_Flag),           WCU_FIELD(Audio_Option_On),
        WCU_FIELD(Intercom_Volume_1), WCU_FIELD(Intercom_Volume_2),   WCU_FIELD(Intercom_Volume_3),
        WCU_FIELD(Data_Qos),          WCU_FIELD(Audio_1_Level),       WCU_FIELD(Audio_2_Level),
        WCU_FIELD(Icom_Level_1),      WCU_FIELD(Icom_Level_2),        WCU_FIELD(Video_Channel_Index),
        WCU_FIELD(Data_Channel_Index), WCU_FIELD(Wcu_Cofdm_Mode),     WCU_FIELD(Audio_Levels_Valid),
        WCU_FIELD(Rate_Any),          WCU_FIELD(Rate_A),              WCU_FIELD(Rate_B),
    };
    return fields;
}

#undef AMU_FIELD
#undef WCU_FIELD

void Set_Working_Amu(St_System_SD_AMU& amu, bool active)
{
    amu.Present = amu.Channel_Present = amu.Video_Channel_Valid = true;
    amu.Poll_Counter_Status = amu.Poll_Counter_Data = 20;
    amu.Active = active;
    amu.Version_Major = 1;
    amu.Version_Minor = 2;
    amu.Versions_Compatible = true;
    amu.Receiver_Flag_1 = amu.Receiver_Flag_2 = true;
    amu.Status_Code = 1;
    amu.Identifier = 0xA;
    amu.Video_Channel_Code = 46;
    amu.Data_Channel = 5;
    amu.Cofdm_Mode = 5;
    amu.Temperature = 35;
    amu.Voltage_Raw = 100;
    amu.Video_Quality = 50;
    amu.Long_Triax = true;
}

void Set_Working_Hd_Amu(St_System_HD_AMU& amu, int identifier)
{
    amu.Present = amu.Versions_Match = amu.Long_Triax = true;
    amu.Firmware_Version = 0x21;
    amu.Amu_Identifier = identifier;
    amu.Temperature = 35;
    amu.D13 = 100;
    amu.D17 = 50;
    amu.Range_Code = {51, 51, 51};
    amu.D1_Bits3_2 = 3;
    amu.D1_Bit1 = amu.D1_Bit0 = true;
    amu.D4_Hi = 1;
    // Receivers 1 and 2 locked; the data emitter on 458 MHz, sending.
    amu.D3_Bit5 = amu.D3_Bit0 = amu.D3_Bit4 = amu.D3_Bit1 = true;
    amu.Data_Valid_A = amu.Data_Valid_B = true;
    amu.Data_Mode_Code = 4;
    amu.Data_Freq_Hi = 18320 / 256;
    amu.Data_Freq_Lo = 18320 % 256;
    amu.D5_Bit0 = amu.D5_Bit2 = true;
    amu.D24_Bit5 = true;
}

// A spectrum with the camera's channel standing well above the floor, and
// its peak hold a little above.
void Set_Working_Spectrum(St_System_HD_Spectrum& spectrum, int shift)
{
    spectrum.Present = true;
    for (int i = 0; i < St_System_HD_Spectrum::Points; ++i) {
        const int distance = std::abs(i - 100 - shift);
        const int level = distance < 30 ? -20 - distance / 6 : -65 + (i * 7 + shift) % 9;
        spectrum.Current[static_cast<std::size_t>(i)] = level;
        spectrum.Peak[static_cast<std::size_t>(i)] = level + 3;
    }
}

// A camera whose WCU stopped answering: the link flag and every decoded
// record cleared, the settings and ranges kept.
void Disconnect(St_System& state)
{
    state.Reset();
}

} // namespace

void Set_Working_System(St_System& state)
{
    state.Settings.Port_Number = 1;
    state.Settings.Connected = true;
    state.Type.Wcu_Major = 1;
    state.Type.Wcu_Minor = 0;
    state.SD.Video_Range_Frequency = 2;
    state.SD.Data_Range_Frequency = 1;
    St_System_SD_WCU& wcu = state.SD.WCU;
    wcu.Wcu_Flag = wcu.Link_Flag = wcu.Audio_Levels_Valid = true;
    wcu.Video_Qos = 90;
    wcu.Data_Qos = 80;
    wcu.Rate_Any = wcu.Rate_A = wcu.Rate_B = 1;
    Set_Working_Amu(state.SD.AMU1, true);
    Set_Working_Amu(state.SD.AMU2, false);
    state.SD.DE1.State = state.SD.DE1.De_Flag = true;
    state.SD.DE2.State = state.SD.DE2.De_Flag = true;
}

void Set_Working_Hd_System(St_System& state)
{
    Set_Working_System(state);
    state.Type.System_Type = St_System_Type::Hd_System;
    state.Type.Wcu_Major = 2;
    state.Type.Wcu_Minor = 2;
    St_System_HD& hd = state.HD;
    hd.Wcu.Present = hd.Wcu.D2_Bit2 = hd.Wcu.D2_Bit1 = hd.Wcu.D2_Bit3 = hd.Wcu.D2_Bit3_Held = true;
    hd.Wcu.D0_Bits6_0 = 80;
    hd.Wcu.D6_D7 = 18320;
    hd.Wcu_Link.Present = hd.Wcu_Link.D12_Bit5 = hd.Wcu_Link.D2_Bit2 = hd.Wcu_Link.D2_Bit1 = true;
    hd.Wcu_Link.D8_Lo = 2;
    hd.Wcu_Link.D0 = 60;
    St_System_HD_WCU_Status& status = hd.Wcu_Status;
    status.Present = status.Triax1_Used = status.Triax1_Link = status.Triax2_Used = status.Triax2_Link = true;
    status.D0_Bit0 = status.D1_Bit2 = status.D2_Bit4 = status.D2_Bit6 = true;
    status.Video_Frequency = 2.2f;
    status.Video_Bandwidth = 17.381407f;
    status.Data_Frequency = 458.0f;
    status.Toggle_Rate_Any = status.Toggle_Rate_A = status.Toggle_Rate_B = 1;
    St_System_HD_WCU_Detail& detail = hd.Wcu_Detail;
    detail.Present = detail.D3_Bit4 = detail.D3_Bit3 = true;
    hd.Wca.Present = hd.Wca.D6_Bit4 = hd.Wca.D6_Bit5 = true;
    hd.Wca.D6_Bits7_6 = 1;
    hd.Wca.Battery_Raw = 157;
    St_System_HD_WCA_Status& wca = hd.Wca_Status;
    wca.Present = true;
    wca.D3 = 40;
    wca.D1_Bit7 = wca.D1_Bit6 = wca.D1_Bit5 = wca.D1_Bit4 = wca.D1_Bit3 = wca.D1_Bit1 = wca.D1_Bit0 = true;
    Set_Working_Hd_Amu(hd.Amu1, 0xA);
    Set_Working_Hd_Amu(hd.Amu2, 0xB);
    for (St_System_HD_AMU_Stat* stat : {&hd.Amu1_Stat, &hd.Amu2_Stat}) {
        stat->Rx_Level = {170, 150, 255};
        for (int i = 0; i < 40; ++i) {
            const int levels[3] = {160 + i % 9, 150, 255};
            stat->Rssi_Buffer->Add(levels);
        }
    }
    Set_Working_Spectrum(hd.Amu1_Spectrum, 0);
    Set_Working_Spectrum(hd.Amu2_Spectrum, 12);
    hd.Alarm_Battery_Level = 2;
}

void Apply(St_System& state, const std::string& assignment)
{
    const auto equals = assignment.find('=');
    if (equals == std::string::npos)
        throw std::runtime_error("not NAME=VALUE: " + assignment);
    const std::string name = assignment.substr(0, equals);
    const int value = std::stoi(assignment.substr(equals + 1), nullptr, 0);
    const auto dot = name.find('.');
    if (dot != std::string::npos) {
        const std::string record = name.substr(0, dot);
        const std::string field = name.substr(dot + 1);
        if (record == "WCU" && Wcu_Fields().count(field))
            return Wcu_Fields().at(field)(state.SD.WCU, value);
        if ((record == "AMU1" || record == "AMU2") && Amu_Fields().count(field))
            return Amu_Fields().at(field)(record == "AMU1" ? state.SD.AMU1 : state.SD.AMU2, value);
        if ((record == "DE1" || record == "DE2") && (field == "De_Flag" || field == "State")) {
            St_System_SD_DE& de = record == "DE1" ? state.SD.DE1 : state.SD.DE2;
            (field == "State" ? de.State : de.De_Flag) = value != 0;
            return;
        }
    }
    const std::map<std::string, Setter> plain = {
        {"Disconnected", [](St_System& s, int v) { if (v) Disconnect(s); }},
        {"Connected", [](St_System& s, int v) { s.Settings.Connected = v != 0; }},
        {"Port_Number", [](St_System& s, int v) { s.Settings.Port_Number = v; }},
        {"Name", [](St_System& s, int v) { s.Settings.Name = v; }},
        {"Wcu_Major", [](St_System& s, int v) { s.Type.Wcu_Major = v; }},
        {"Wcu_Minor", [](St_System& s, int v) { s.Type.Wcu_Minor = v; }},
        {"Video_Range_Frequency", [](St_System& s, int v) { s.SD.Video_Range_Frequency = v; }},
        {"Data_Range_Frequency", [](St_System& s, int v) { s.SD.Data_Range_Frequency = v; }},
        {"Alarm_Battery_Level", [](St_System& s, int v) { s.HD.Alarm_Battery_Level = v; }},
    };
    const auto setter = plain.find(name);
    if (setter == plain.end())
        throw std::runtime_error("unknown state name: " + name);
    setter->second(state, value);
}

void Apply_File(St_System& state, const std::string& path)
{
    std::ifstream file(path);
    if (!file)
        throw std::runtime_error("cannot read " + path);
    std::string line;
    while (std::getline(file, line)) {
        line.erase(0, line.find_first_not_of(" \t"));
        line.erase(line.find_last_not_of(" \t\r") + 1);
        if (!line.empty() && line[0] != '#')
            Apply(state, line);
    }
}

