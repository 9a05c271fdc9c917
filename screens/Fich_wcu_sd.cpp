#include "screens/Fich_wcu_sd.h"

#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLLImage.h"
#include "components/controls/SCLSimpleLabel.h"
#include "link/St_system.h"
#include "screens/Sd_fields.h"

namespace {

Wcu_Audio_Values Audio_Values(const St_System& state)
{
    const St_System_SD_WCU& wcu = state.SD.WCU;
    Wcu_Audio_Values values;
    values.Stream = Sd_Wcu_Audio_Stream(wcu);
    values.Levels_Live = state.Type.Is_Sd_Wcu_After_V1() && Sd_Wcu_Levels_Valid(wcu) && values.Stream;
    values.Dual = Sd_Wcu_Diversity_Dual(wcu);
    values.Delay_On = Sd_Wcu_Audio_Delay_On(wcu);
    values.Mode = Diversity_Text_SD(values.Dual);
    values.Icom_Routing = Production_Mode_Text_SD(Sd_Wcu_Intercom_Routing(wcu));
    values.Volumes = {Sd_Wcu_Icom_Volume(wcu, 1), Sd_Wcu_Icom_Volume(wcu, 2), Sd_Wcu_Icom_Volume(wcu, 3)};
    values.Levels_Db = {Ratio_To_Db_7020_SD(Sd_Wcu_Audio_Level(wcu, 1), Wcu_Level_Min, Wcu_Level_Max),
                        Ratio_To_Db_7020_SD(Sd_Wcu_Audio_Level(wcu, 2), Wcu_Level_Min, Wcu_Level_Max),
                        Ratio_To_Db_240_SD(Sd_Wcu_Icom_To_Wcu_Level(wcu), Wcu_Level_Min, Wcu_Level_Max),
                        Ratio_To_Db_96_SD(Sd_Wcu_Icom_To_Camera_Level(wcu), Wcu_Level_Min, Wcu_Level_Max)};
    return values;
}

} // namespace

Wcu_Sd_Lines Wcu_Sd_Line_Table(const St_System& state)
{
    const St_System_SD_WCU& wcu = state.SD.WCU;
    Wcu_Sd_Lines lines;
    lines[Wcu_Protocol_Version] = Value_Line(state.Type.Get_Wcu_Version_Text());
    lines[Wcu_Standard] = Value_Line(Video_Standard_Text(Sd_Wcu_Video_Standard_Pal(wcu)));
    lines[Wcu_Data_Receive] = Wcu_Activity_Line(Sd_Wcu_Receive_Flag(wcu), Sd_Wcu_Receive_Toggle(wcu),
                                                Detail_Image_Off, Detail_Image_Second);
    lines[Wcu_Ocp_Request] = Wcu_Activity_Line(Sd_Wcu_Ocp_Flag(wcu), Sd_Wcu_Ocp_Toggle(wcu), Detail_Image_Second,
                                               Detail_Image_Off);
    Fill_Wcu_Audio_Lines(Audio_Values(state), std::span(lines).subspan<Wcu_Audio_Stream, Wcu_Audio::Line_Count>());
    return lines;
}

TForm_WCU_SD::TForm_WCU_SD(TComponent* owner, TSCLCustomImageList* image_list, TSCLShapeButton* title_button,
                           St_System* current, St_System* snapshot)
    : Wcu_Detail_Window(owner, title_button, current, snapshot)
{
    Read_Wcu_Form(Table(), image_list);
}

const TForm_Table& TForm_WCU_SD::Table()
{
    static const TForm_Table table = Wcu_Table()
                                         .Field("LabelStandard", &TForm_WCU_SD::LabelStandard)
                                         .Field("LabelStandardv", &TForm_WCU_SD::LabelStandardv);
    return table;
}

std::array<Detail_Widgets, Wcu_Sd_Line_Count> TForm_WCU_SD::Widgets() const
{
    std::array<Detail_Widgets, Wcu_Sd_Line_Count> widgets;
    widgets[Wcu_Protocol_Version] = {LabelProtocolVersion, LabelProtocolVersionv};
    widgets[Wcu_Standard] = {LabelStandard, LabelStandardv};
    widgets[Wcu_Data_Receive] = {LabelDataReceive, nullptr, ImageDataReceive};
    widgets[Wcu_Ocp_Request] = {LabelOcpRequest, nullptr, ImageOcpRequest};
    Fill_Audio_Widgets(std::span(widgets).subspan<Wcu_Audio_Stream, Wcu_Audio::Line_Count>());
    return widgets;
}

// The protocol version, the stream and the mode are written on a full
// refresh only; a change of the level report, the stream or the mode makes
// the refresh a full one.
void TForm_WCU_SD::Refresh_Lines(bool full)
{
    const St_System_SD_WCU& now = Current->SD.WCU;
    const St_System_SD_WCU& shown = Snapshot->SD.WCU;
    full = full || Sd_Wcu_Levels_Valid(now) != Sd_Wcu_Levels_Valid(shown) ||
           Sd_Wcu_Audio_Stream(now) != Sd_Wcu_Audio_Stream(shown) ||
           Sd_Wcu_Diversity_Dual(now) != Sd_Wcu_Diversity_Dual(shown);
    const Wcu_Sd_Lines lines = Wcu_Sd_Line_Table(*Current);
    Wcu_Sd_Lines before = Wcu_Sd_Line_Table(*Snapshot);
    for (Wcu_Sd_Line full_only : {Wcu_Protocol_Version, Wcu_Audio_Stream, Wcu_Mode}) {
        before[full_only] = lines[full_only];
    }
    Show_Lines(Widgets(), lines, full ? nullptr : &before);
    if (full) {
        Enable_Level_References(lines[Wcu_Audio_1_Level].Caption_Enabled);
    }
}

void TForm_WCU_SD::EvaluateAlarm()
{
    const St_System_SD_WCU& wcu = Current->SD.WCU;
    Alarm = !Sd_Wcu_Audio_Stream(wcu) || !Sd_Wcu_Receive_Flag(wcu) || !Sd_Wcu_Ocp_Flag(wcu);
}
