#include "screens/Fich_wcu_hd.h"

#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLLImage.h"
#include "components/controls/SCLSimpleLabel.h"
#include "link/St_system.h"
#include "platform/classlib/String_Table.h"
#include "screens/Hd_fields.h"

Detail_Line Hd_Flag_Line(std::optional<bool> flag, int image_when_set, const std::string& hint_when_clear)
{
    if (!flag) {
        return Image_Line(Detail_Image_Off);
    }
    return *flag ? Image_Line(image_when_set) : Image_Line(Detail_Image_Fault, true, hint_when_clear);
}

Detail_Line Hd_Service_Data_Line(std::optional<bool> fault, std::optional<bool> activity)
{
    if (fault && *fault) {
        return Image_Line(Detail_Image_Fault, true);
    }
    return Image_Line(activity && *activity ? Detail_Image_Second : Detail_Image_Off);
}

namespace {

bool Video_Stream_Good(const St_System_HD& hd)
{
    const bool triax = hd.Wcu_Status.Is_Triax1_Ok() || hd.Wcu_Status.Is_Triax2_Ok();
    return triax && Hd_Link_Error_Value(hd.Wcu_Link) == 0 && Hd_Link_Video_Flag(hd.Wcu_Link);
}

// The WCU may see no data from the camera because the camera's number is
// not the one the WCU serves.
std::string Ocp_Advice(const St_System_HD_WCU& wcu)
{
    return Hd_Wcu_Present(wcu) && Hd_Wcu_Data_Activity(wcu) ? LoadStr(3095) : "";
}

Wcu_Audio_Values Audio_Values(const St_System_HD_WCU_Detail& detail)
{
    Wcu_Audio_Values values;
    values.Stream = Hd_Audio_Stream(detail);
    values.Levels_Live = values.Stream;
    values.Dual = Hd_Audio_Dual(detail);
    values.Delay_On = Hd_Audio_Delay_On(detail);
    values.Mode = Diversity_Text_HD(values.Dual);
    values.Icom_Routing = Production_Mode_Text_HD(Hd_Intercom_Routing(detail));
    values.Volumes = {Hd_Icom_Volume(detail, 1), Hd_Icom_Volume(detail, 2), Hd_Icom_Volume(detail, 3)};
    values.Levels_Db = {Ratio_To_Db_7020_HD(Hd_Audio_Level(detail, 1), Wcu_Level_Min, Wcu_Level_Max),
                        Ratio_To_Db_7020_HD(Hd_Audio_Level(detail, 2), Wcu_Level_Min, Wcu_Level_Max),
                        Ratio_To_Db_240_HD(Hd_Icom_To_Wcu_Level(detail), Wcu_Level_Min, Wcu_Level_Max),
                        Ratio_To_Db_96_HD(Hd_Icom_To_Camera_Level(detail), Wcu_Level_Min, Wcu_Level_Max)};
    return values;
}

} // namespace

Wcu_Hd_Lines Wcu_Hd_Line_Table(const St_System& state)
{
    const St_System_HD& hd = state.HD;
    const St_System_HD_WCU_Status& status = hd.Wcu_Status;
    Wcu_Hd_Lines lines;
    lines[Wcu_Hd_Protocol_Version] = Value_Line(state.Type.Get_Wcu_Version_Text());
    lines[Wcu_Hd_Tx_Profile] = Value_Line(Transmission_Mode_Text(Hd_Link_Transmission_Mode(hd.Wcu_Link)));
    lines[Wcu_Hd_Quality_Latency] =
        Value_Line(Compression_Mode_Text(Hd_Wca_Compression_On(hd.Wca), Hd_Wca_Compression_Mode(hd.Wca)));
    const std::optional<bool> on_air = Hd_Wcu_On_Air(status);
    lines[Wcu_Hd_On_Air] = Image_Line(!on_air ? Detail_Image_Off : *on_air ? Detail_Image_On : Detail_Image_Second);
    lines[Wcu_Hd_Video_Stream] =
        Video_Stream_Good(hd) ? Image_Line(Detail_Image_On) : Image_Line(Detail_Image_Fault, true);
    lines[Wcu_Hd_Data_Receive] = Wcu_Activity_Line(Hd_Wcu_Receive_Flag(status), Hd_Wcu_Receive_Toggle(status),
                                                   Detail_Image_Off, Detail_Image_Second);
    lines[Wcu_Hd_Ocp_Request] = Wcu_Activity_Line(Hd_Wcu_Ocp_Flag(status), Hd_Wcu_Ocp_Toggle(status),
                                                  Detail_Image_Second, Detail_Image_Off, Ocp_Advice(hd.Wcu));
    Fill_Wcu_Audio_Lines(Audio_Values(hd.Wcu_Detail),
                         std::span(lines).subspan<Wcu_Hd_Audio_Stream, Wcu_Audio::Line_Count>());
    return lines;
}

TForm_WCU_HD::TForm_WCU_HD(TComponent* owner, TSCLCustomImageList* image_list, TSCLShapeButton* title_button,
                           St_System* current, St_System* snapshot)
    : Wcu_Detail_Window(owner, title_button, current, snapshot)
{
    Read_Wcu_Form(Table(), image_list);
}

const TForm_Table& TForm_WCU_HD::Table()
{
    using F = TForm_WCU_HD;
    static const TForm_Table table = Wcu_Table()
                                         .Field("LabelTxProfile", &F::LabelTxProfile)
                                         .Field("LabelTxProfilev", &F::LabelTxProfilev)
                                         .Field("LabelQualityLatency", &F::LabelQualityLatency)
                                         .Field("LabelQualityLatencyv", &F::LabelQualityLatencyv)
                                         .Field("LabelOnAir", &F::LabelOnAir)
                                         .Field("ImageOnAir", &F::ImageOnAir)
                                         .Field("LabelVideoStream", &F::LabelVideoStream)
                                         .Field("ImageVideoStream", &F::ImageVideoStream)
                                         .Field("GroupAudioIntercom", &F::GroupAudioIntercom);
    return table;
}

std::array<Detail_Widgets, Wcu_Hd_Line_Count> TForm_WCU_HD::Widgets() const
{
    std::array<Detail_Widgets, Wcu_Hd_Line_Count> widgets;
    widgets[Wcu_Hd_Protocol_Version] = {LabelProtocolVersion, LabelProtocolVersionv};
    widgets[Wcu_Hd_Tx_Profile] = {LabelTxProfile, LabelTxProfilev};
    widgets[Wcu_Hd_Quality_Latency] = {LabelQualityLatency, LabelQualityLatencyv};
    widgets[Wcu_Hd_On_Air] = {LabelOnAir, nullptr, ImageOnAir};
    widgets[Wcu_Hd_Video_Stream] = {LabelVideoStream, nullptr, ImageVideoStream};
    widgets[Wcu_Hd_Data_Receive] = {LabelDataReceive, nullptr, ImageDataReceive};
    widgets[Wcu_Hd_Ocp_Request] = {LabelOcpRequest, nullptr, ImageOcpRequest};
    Fill_Audio_Widgets(std::span(widgets).subspan<Wcu_Hd_Audio_Stream, Wcu_Audio::Line_Count>());
    return widgets;
}

// The protocol version is written on a full refresh only.
void TForm_WCU_HD::Refresh_Lines(bool full)
{
    const Wcu_Hd_Lines lines = Wcu_Hd_Line_Table(*Current);
    Wcu_Hd_Lines before = Wcu_Hd_Line_Table(*Snapshot);
    before[Wcu_Hd_Protocol_Version] = lines[Wcu_Hd_Protocol_Version];
    Show_Lines(Widgets(), lines, full ? nullptr : &before);
    if (full || lines[Wcu_Hd_Audio_1_Level].Caption_Enabled != before[Wcu_Hd_Audio_1_Level].Caption_Enabled) {
        Enable_Level_References(lines[Wcu_Hd_Audio_1_Level].Caption_Enabled);
    }
}

// The video stream, the data both ways and the audio stream.
void TForm_WCU_HD::EvaluateAlarm()
{
    Alarm = Any_Fault(Wcu_Hd_Line_Table(*Current));
}
