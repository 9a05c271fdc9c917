#include "screens/Fich_wcu_sd.h"

#include "components/controls/SCLDrawEdge.h"
#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLLImage.h"
#include "components/controls/SCLProgress.h"
#include "components/controls/SCLSimpleLabel.h"
#include "link/St_system.h"
#include "screens/Sd_fields.h"

namespace {

Detail_Line Value_Line(const std::string& value, bool shown = true)
{
    Detail_Line line;
    line.Value = value;
    line.Value_Visible = shown;
    return line;
}

Detail_Line Fault_Image_Line()
{
    Detail_Line line;
    line.Image = Detail_Image_Fault;
    line.Fault = true;
    return line;
}

// Data WCU to camera is the "second state" while its toggle is set, data
// camera to WCU while it is clear.
Detail_Line Activity_Line(bool flag, bool toggle, int image_when_set, int image_when_clear)
{
    if (!flag) {
        return Fault_Image_Line();
    }
    Detail_Line line;
    line.Image = toggle ? image_when_set : image_when_clear;
    return line;
}

Detail_Line Meter_Line(int value, bool caption_enabled = true)
{
    Detail_Line line;
    line.Meter = value;
    line.Caption_Enabled = caption_enabled;
    return line;
}

} // namespace

Wcu_Sd_Lines Wcu_Sd_Line_Table(const St_System& state)
{
    const St_System_SD_WCU& wcu = state.SD.WCU;
    const bool stream = Sd_Wcu_Audio_Stream(wcu);
    const bool levels = state.Type.Is_Sd_Wcu_After_V1() && Sd_Wcu_Levels_Valid(wcu) && stream;
    const bool dual = Sd_Wcu_Diversity_Dual(wcu);
    auto level = [levels](bool shown, int db) { return Meter_Line(levels && shown ? db : Wcu_Level_Min, levels); };
    auto volume = [stream, &wcu](int n) { return Meter_Line(stream ? Sd_Wcu_Icom_Volume(wcu, n) : Wcu_Volume_Min); };

    Wcu_Sd_Lines lines;
    lines[Wcu_Protocol_Version] = Value_Line(state.Type.Get_Wcu_Version_Text());
    lines[Wcu_Standard] = Value_Line(Video_Standard_Text(Sd_Wcu_Video_Standard_Pal(wcu)));
    lines[Wcu_Data_Receive] = Activity_Line(Sd_Wcu_Receive_Flag(wcu), Sd_Wcu_Receive_Toggle(wcu),
                                            Detail_Image_Off, Detail_Image_Second);
    lines[Wcu_Ocp_Request] = Activity_Line(Sd_Wcu_Ocp_Flag(wcu), Sd_Wcu_Ocp_Toggle(wcu), Detail_Image_Second,
                                           Detail_Image_Off);
    if (stream) {
        lines[Wcu_Audio_Stream].Image = Detail_Image_On;
    } else {
        lines[Wcu_Audio_Stream] = Fault_Image_Line();
    }
    lines[Wcu_Audio_Delay] = Value_Line(Sd_Wcu_Audio_Delay_On(wcu) ? "ON" : "OFF", stream);
    lines[Wcu_Mode] = Value_Line(Diversity_Text_SD(dual), stream);
    lines[Wcu_Icom_Cam_To_Wcu] = Value_Line(Production_Mode_Text_SD(Sd_Wcu_Intercom_Routing(wcu)), stream);
    lines[Wcu_Icom_Prod_Volume] = volume(1);
    lines[Wcu_Icom_Prog_Volume] = volume(2);
    lines[Wcu_Icom_Eng_Volume] = volume(3);
    lines[Wcu_Audio_1_Level] =
        level(true, Ratio_To_Db_7020_SD(Sd_Wcu_Audio_Level(wcu, 1), Wcu_Level_Min, Wcu_Level_Max));
    lines[Wcu_Audio_2_Level] =
        level(dual, Ratio_To_Db_7020_SD(Sd_Wcu_Audio_Level(wcu, 2), Wcu_Level_Min, Wcu_Level_Max));
    lines[Wcu_Icom_To_Wcu] =
        level(true, Ratio_To_Db_240_SD(Sd_Wcu_Icom_To_Wcu_Level(wcu), Wcu_Level_Min, Wcu_Level_Max));
    lines[Wcu_Icom_To_Cam] =
        level(true, Ratio_To_Db_96_SD(Sd_Wcu_Icom_To_Camera_Level(wcu), Wcu_Level_Min, Wcu_Level_Max));
    return lines;
}

TForm_WCU_SD::TForm_WCU_SD(TComponent* owner, TSCLCustomImageList* image_list, TSCLShapeButton* title_button,
                           St_System* current, St_System* snapshot)
    : Detail_Window(owner, title_button, 'W'), Current(current), Snapshot(snapshot)
{
    Read_Form(Table(), image_list);
    for (TSCLProgress* meter : {ProgIcomProdVolume, ProgIcomProgVolume, ProgIcomEngVolume}) {
        meter->SetMaxValue(Wcu_Volume_Max);
        meter->SetMinValue(Wcu_Volume_Min);
    }
    for (TSCLProgress* meter : {ProgFillAudio1, ProgFillAudio2, ProgFillIcomToWCU, ProgFillIcomToWCA}) {
        meter->SetMaxValue(Wcu_Level_Max);
        meter->SetMinValue(Wcu_Level_Min);
    }
}

const TForm_Table& TForm_WCU_SD::Table()
{
    static const TForm_Table table =
        Common_Table()
            .Field("LabelProtocolVersion", &TForm_WCU_SD::LabelProtocolVersion)
            .Field("LabelProtocolVersionv", &TForm_WCU_SD::LabelProtocolVersionv)
            .Field("LabelStandard", &TForm_WCU_SD::LabelStandard)
            .Field("LabelStandardv", &TForm_WCU_SD::LabelStandardv)
            .Field("LabelDataReceive", &TForm_WCU_SD::LabelDataReceive)
            .Field("ImageDataReceive", &TForm_WCU_SD::ImageDataReceive)
            .Field("LabelOcpRequest", &TForm_WCU_SD::LabelOcpRequest)
            .Field("ImageOcpRequest", &TForm_WCU_SD::ImageOcpRequest)
            .Field("LabelAudioStream", &TForm_WCU_SD::LabelAudioStream)
            .Field("ImageAudioStream", &TForm_WCU_SD::ImageAudioStream)
            .Field("LabelAudioDelay", &TForm_WCU_SD::LabelAudioDelay)
            .Field("LabelAudioDelayv", &TForm_WCU_SD::LabelAudioDelayv)
            .Field("LabelMode", &TForm_WCU_SD::LabelMode)
            .Field("LabelModev", &TForm_WCU_SD::LabelModev)
            .Field("LabelIcomCamToWCU", &TForm_WCU_SD::LabelIcomCamToWCU)
            .Field("LabelIcomCamToWCUv", &TForm_WCU_SD::LabelIcomCamToWCUv)
            .Field("LabelIcomProdVolume", &TForm_WCU_SD::LabelIcomProdVolume)
            .Field("ProgIcomProdVolume", &TForm_WCU_SD::ProgIcomProdVolume)
            .Field("LabelIcomProgVolume", &TForm_WCU_SD::LabelIcomProgVolume)
            .Field("ProgIcomProgVolume", &TForm_WCU_SD::ProgIcomProgVolume)
            .Field("LabelIcomEngVolume", &TForm_WCU_SD::LabelIcomEngVolume)
            .Field("ProgIcomEngVolume", &TForm_WCU_SD::ProgIcomEngVolume)
            .Field("LabelAudio1Level", &TForm_WCU_SD::LabelAudio1Level)
            .Field("ProgFillAudio1", &TForm_WCU_SD::ProgFillAudio1)
            .Field("LabelAudio2Level", &TForm_WCU_SD::LabelAudio2Level)
            .Field("ProgFillAudio2", &TForm_WCU_SD::ProgFillAudio2)
            .Field("LabelIcomToWCU", &TForm_WCU_SD::LabelIcomToWCU)
            .Field("ProgFillIcomToWCU", &TForm_WCU_SD::ProgFillIcomToWCU)
            .Field("LabelIcomToCam", &TForm_WCU_SD::LabelIcomToCam)
            .Field("ProgFillIcomToWCA", &TForm_WCU_SD::ProgFillIcomToWCA)
            .Field("DrawEdgeRefLevelAudioMin", &TForm_WCU_SD::DrawEdgeRefLevelAudioMin)
            .Field("DrawEdgeRefLevelAudioMax", &TForm_WCU_SD::DrawEdgeRefLevelAudioMax)
            .Field("LabelRefLevelAudioMin", &TForm_WCU_SD::LabelRefLevelAudioMin)
            .Field("LabelRefLevelAudioMax", &TForm_WCU_SD::LabelRefLevelAudioMax)
            .Handler("progressBarGetColor", &TForm_WCU_SD::progressBarGetColor);
    return table;
}

std::array<Detail_Widgets, Wcu_Sd_Line_Count> TForm_WCU_SD::Widgets() const
{
    std::array<Detail_Widgets, Wcu_Sd_Line_Count> widgets;
    widgets[Wcu_Protocol_Version] = {LabelProtocolVersion, LabelProtocolVersionv};
    widgets[Wcu_Standard] = {LabelStandard, LabelStandardv};
    widgets[Wcu_Data_Receive] = {LabelDataReceive, nullptr, ImageDataReceive};
    widgets[Wcu_Ocp_Request] = {LabelOcpRequest, nullptr, ImageOcpRequest};
    widgets[Wcu_Audio_Stream] = {LabelAudioStream, nullptr, ImageAudioStream};
    widgets[Wcu_Audio_Delay] = {LabelAudioDelay, LabelAudioDelayv};
    widgets[Wcu_Mode] = {LabelMode, LabelModev};
    widgets[Wcu_Icom_Cam_To_Wcu] = {LabelIcomCamToWCU, LabelIcomCamToWCUv};
    widgets[Wcu_Icom_Prod_Volume] = {LabelIcomProdVolume, nullptr, nullptr, ProgIcomProdVolume};
    widgets[Wcu_Icom_Prog_Volume] = {LabelIcomProgVolume, nullptr, nullptr, ProgIcomProgVolume};
    widgets[Wcu_Icom_Eng_Volume] = {LabelIcomEngVolume, nullptr, nullptr, ProgIcomEngVolume};
    widgets[Wcu_Audio_1_Level] = {LabelAudio1Level, nullptr, nullptr, ProgFillAudio1};
    widgets[Wcu_Audio_2_Level] = {LabelAudio2Level, nullptr, nullptr, ProgFillAudio2};
    widgets[Wcu_Icom_To_Wcu] = {LabelIcomToWCU, nullptr, nullptr, ProgFillIcomToWCU};
    widgets[Wcu_Icom_To_Cam] = {LabelIcomToCam, nullptr, nullptr, ProgFillIcomToWCA};
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

void TForm_WCU_SD::Enable_Level_References(bool enabled)
{
    DrawEdgeRefLevelAudioMin->SetEnabled(enabled);
    DrawEdgeRefLevelAudioMax->SetEnabled(enabled);
    LabelRefLevelAudioMin->SetEnabled(enabled);
    LabelRefLevelAudioMax->SetEnabled(enabled);
}

void TForm_WCU_SD::EvaluateAlarm()
{
    const St_System_SD_WCU& wcu = Current->SD.WCU;
    Alarm = !Sd_Wcu_Audio_Stream(wcu) || !Sd_Wcu_Receive_Flag(wcu) || !Sd_Wcu_Ocp_Flag(wcu);
}

void TForm_WCU_SD::progressBarGetColor(TObject* Sender, BYTE nr, TColor& aColor)
{
    aColor = Level_Meter_Colour(*static_cast<TSCLProgress*>(Sender),
                                DrawEdgeRefLevelAudioMax->Left() - DrawEdgeRefLevelAudioMin->Left(), nr);
}
