#include "link/Link_errors.h"

#include "platform/classlib/String_Table.h"

namespace {

constexpr int Product_Title = 1000;
constexpr int With_Product_Version = 2000;
constexpr int Upgrade_Advice = 2001;
constexpr int Link_Error = 2002;
constexpr int Wcu_Firmware = 2005;
constexpr int Amu1_Firmware = 2006;
constexpr int Amu2_Firmware = 2007;
constexpr int No_Port_Error = 2009;
constexpr int Com = 2011;
constexpr int Not_A_Free_Port = 2012;
constexpr int Is_Incompatible = 2013;
constexpr int Are_Incompatible = 2014;
constexpr int Used_By_Camera = 2018;
constexpr int Select_Another_After_Camera = 2019;
constexpr int Select_Another = 2020;

void Show_Report(Shell_Services& shell, const St_System& state, int camera_count, const std::string& body)
{
    shell.Message_Box(Report_Prefix(camera_count, state.Settings.Name) + body, LoadStr(Product_Title),
                      MB_ICONERROR | MB_OK);
    shell.Post_Pending_Change(state.Camera_Index);
}

void Add_Unsupported_Amu(const St_System_SD_AMU& amu, int label, std::string& list, int& items)
{
    if (amu.Is_Valid() && !amu.Is_Supported()) {
        list += (items > 0 ? ", " : "") + LoadStr(label) + amu.Get_Version_Text();
        ++items;
    }
}

} // namespace

std::string Report_Prefix(int camera_count, int camera_name)
{
    return camera_count == 1 ? std::string() : "Camera " + std::to_string(camera_name) + "\n";
}

std::string Port_Error_Text(int port_number, int other_camera)
{
    std::string tail = other_camera != 0
        ? LoadStr(Used_By_Camera) + std::to_string(other_camera) + LoadStr(Select_Another_After_Camera)
        : LoadStr(Select_Another);
    return LoadStr(Com) + std::to_string(port_number) + LoadStr(Not_A_Free_Port) + tail;
}

std::string Firmware_Error_Text(const St_System& state, const std::string& program_version)
{
    std::string list;
    int items = 0;
    if (!state.Type.Is_Known_Wcu()) {
        list += LoadStr(Wcu_Firmware) + state.Type.Get_Wcu_Version_Text();
        ++items;
    }
    if (state.Type.System_Type == St_System_Type::Sd_System) {
        Add_Unsupported_Amu(state.SD.AMU1, Amu1_Firmware, list, items);
        Add_Unsupported_Amu(state.SD.AMU2, Amu2_Firmware, list, items);
    }
    return list + LoadStr(items == 1 ? Is_Incompatible : Are_Incompatible) + LoadStr(With_Product_Version) +
           program_version + LoadStr(Upgrade_Advice);
}

void Report_Port_Error(Shell_Services& shell, const St_System& state, int camera_count, int port_number)
{
    // Asked even when the box is then dropped.
    const int other_camera = shell.Find_Camera_On_Port(state.Camera_Index, port_number);
    if (shell.Is_Busy(state.Camera_Index)) {
        return;
    }
    Show_Report(shell, state, camera_count, Port_Error_Text(port_number, other_camera));
}

void Report_No_Port_Error(Shell_Services& shell, const St_System& state, int camera_count)
{
    if (!shell.Is_Busy(state.Camera_Index)) {
        Show_Report(shell, state, camera_count, LoadStr(No_Port_Error));
    }
}

void Report_Link_Error(Shell_Services& shell, const St_System& state, int camera_count)
{
    if (!shell.Is_Busy(state.Camera_Index)) {
        Show_Report(shell, state, camera_count, LoadStr(Link_Error));
    }
}

void Report_Firmware_Error(Shell_Services& shell, const St_System& state, int camera_count)
{
    if (!shell.Is_Busy(state.Camera_Index)) {
        Show_Report(shell, state, camera_count, Firmware_Error_Text(state, shell.Get_Version_Text()));
    }
}
