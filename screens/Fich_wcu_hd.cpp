#include "screens/Fich_wcu_hd.h"

#include "components/controls/SCLDrawEdge.h"
#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLLImage.h"
#include "components/controls/SCLProgress.h"
#include "components/controls/SCLSimpleLabel.h"
#include "link/St_system.h"
#include "platform/classlib/String_Table.h"
#include "platform/winapi/Message.h"
#include "screens/Hd_fields.h"
#include "shell/Main_Window_Services.h"

void Hd_Detail_Key_Down(TForm& window, WORD key, char hide_key)
{
    if (key == 'R') {
        if (HWND page = Main_Window ? Main_Window->Get_Active_Page_Window() : nullptr) {
            PostMessageA(page, WM_KEYDOWN, key, 0);
        }
        return;
    }
    if (key == VK_RETURN || key == VK_ESCAPE || key == static_cast<WORD>(hide_key)) {
        window.Close();
    }
}

Detail_Line Hd_Image_Line(int image, bool fault, const std::string& hint)
{
    Detail_Line line;
    line.Image = image;
    line.Fault = fault;
    line.Hint = hint;
    return line;
}

Detail_Line Hd_Value_Line(const std::string& value, bool fault, const std::string& hint)
{
    Detail_Line line;
    line.Value = value;
    line.Fault = fault;
    line.Hint = hint;
    return line;
}

Detail_Line Hd_Flag_Line(std::optional<bool> flag, int image_when_set, const std::string& hint_when_clear)
{
    if (!flag) {
        return Hd_Image_Line(Detail_Image_Off);
    }
    return *flag ? Hd_Image_Line(image_when_set) : Hd_Image_Line(Detail_Image_Fault, true, hint_when_clear);
}

Detail_Line Hd_Service_Data_Line(std::optional<bool> fault, std::optional<bool> activity)
{
    if (fault && *fault) {
        return Hd_Image_Line(Detail_Image_Fault, true);
    }
    return Hd_Image_Line(activity && *activity ? Detail_Image_Second : Detail_Image_Off);
}

Detail_Line Hd_Temperature_Line(int celsius)
{
    return Hd_Value_Line(Temperature_Celsius_Text(celsius) + "/" + Temperature_Fahrenheit_Text(celsius),
                         Is_Temperature_Alarm(celsius));
}

namespace {

Detail_Line Shown_Value_Line(const std::string& value, bool shown)
{
    Detail_Line line = Hd_Value_Line(value);
    line.Value_Visible = shown;
    return line;
}

Detail_Line Meter_Line(int value, bool caption_enabled = true)
{
    Detail_Line line;
    line.Meter = value;
    line.Caption_Enabled = caption_enabled;
    return line;
}

// Data camera to WCU shows the second state while its toggle is clear, data
// WCU to camera while its toggle is set.
Detail_Line Activity_Line(bool flag, bool toggle, int image_when_set, int image_when_clear,
                          const std::string& hint_when_clear = "")
{
    if (!flag) {
        return Hd_Image_Line(Detail_Image_Fault, true, hint_when_clear);
    }
    return Hd_Image_Line(toggle ? image_when_set : image_when_clear);
}

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

void Fill_Audio_Lines(const St_System_HD_WCU_Detail& detail, Wcu_Hd_Lines& lines)
{
    const bool stream = Hd_Audio_Stream(detail);
    const bool dual = Hd_Audio_Dual(detail);
    auto level = [stream](bool shown, int db) { return Meter_Line(stream && shown ? db : Wcu_Hd_Level_Min, stream); };
    auto volume = [stream, &detail](int n) {
        return Meter_Line(stream ? Hd_Icom_Volume(detail, n) : Wcu_Hd_Volume_Min);
    };
    lines[Wcu_Hd_Audio_Stream] = stream ? Hd_Image_Line(Detail_Image_On) : Hd_Image_Line(Detail_Image_Fault, true);
    lines[Wcu_Hd_Audio_Delay] = Shown_Value_Line(Hd_Audio_Delay_On(detail) ? "ON" : "OFF", stream);
    lines[Wcu_Hd_Mode] = Shown_Value_Line(Diversity_Text_HD(dual), stream);
    lines[Wcu_Hd_Icom_Cam_To_Wcu] = Shown_Value_Line(Production_Mode_Text_HD(Hd_Intercom_Routing(detail)), stream);
    lines[Wcu_Hd_Icom_Prod_Volume] = volume(1);
    lines[Wcu_Hd_Icom_Prog_Volume] = volume(2);
    lines[Wcu_Hd_Icom_Eng_Volume] = volume(3);
    lines[Wcu_Hd_Audio_1_Level] =
        level(true, Ratio_To_Db_7020_HD(Hd_Audio_Level(detail, 1), Wcu_Hd_Level_Min, Wcu_Hd_Level_Max));
    lines[Wcu_Hd_Audio_2_Level] =
        level(dual, Ratio_To_Db_7020_HD(Hd_Audio_Level(detail, 2), Wcu_Hd_Level_Min, Wcu_Hd_Level_Max));
    lines[Wcu_Hd_Icom_To_Wcu] =
        level(true, Ratio_To_Db_240_HD(Hd_Icom_To_Wcu_Level(detail), Wcu_Hd_Level_Min, Wcu_Hd_Level_Max));
    lines[Wcu_Hd_Icom_To_Cam] =
        level(true, Ratio_To_Db_96_HD(Hd_Icom_To_Camera_Level(detail), Wcu_Hd_Level_Min, Wcu_Hd_Level_Max));
}

} // namespace

Wcu_Hd_Lines Wcu_Hd_Line_Table(const St_System& state)
{
    const St_System_HD& hd = state.HD;
    const St_System_HD_WCU_Status& status = hd.Wcu_Status;
    Wcu_Hd_Lines lines;
    lines[Wcu_Hd_Protocol_Version] = Hd_Value_Line(state.Type.Get_Wcu_Version_Text());
    lines[Wcu_Hd_Tx_Profile] = Hd_Value_Line(Transmission_Mode_Text(Hd_Link_Transmission_Mode(hd.Wcu_Link)));
    lines[Wcu_Hd_Quality_Latency] =
        Hd_Value_Line(Compression_Mode_Text(Hd_Wca_Compression_On(hd.Wca), Hd_Wca_Compression_Mode(hd.Wca)));
    const std::optional<bool> on_air = Hd_Wcu_On_Air(status);
    lines[Wcu_Hd_On_Air] =
        Hd_Image_Line(!on_air ? Detail_Image_Off : *on_air ? Detail_Image_On : Detail_Image_Second);
    lines[Wcu_Hd_Video_Stream] =
        Video_Stream_Good(hd) ? Hd_Image_Line(Detail_Image_On) : Hd_Image_Line(Detail_Image_Fault, true);
    lines[Wcu_Hd_Data_Receive] = Activity_Line(Hd_Wcu_Receive_Flag(status), Hd_Wcu_Receive_Toggle(status),
                                               Detail_Image_Off, Detail_Image_Second);
    lines[Wcu_Hd_Ocp_Request] = Activity_Line(Hd_Wcu_Ocp_Flag(status), Hd_Wcu_Ocp_Toggle(status),
                                              Detail_Image_Second, Detail_Image_Off, Ocp_Advice(hd.Wcu));
    Fill_Audio_Lines(hd.Wcu_Detail, lines);
    return lines;
}

TForm_WCU_HD::TForm_WCU_HD(TComponent* owner, TSCLCustomImageList* image_list, TSCLShapeButton* title_button,
                           St_System* current, St_System* snapshot)
    : Detail_Window(owner, title_button, 'W'), Current(current), Snapshot(snapshot)
{
    Read_Form(Table(), image_list);
    for (TSCLProgress* meter : {ProgIcomProdVolume, ProgIcomProgVolume, ProgIcomEngVolume}) {
        meter->SetMaxValue(Wcu_Hd_Volume_Max);
        meter->SetMinValue(Wcu_Hd_Volume_Min);
    }
    for (TSCLProgress* meter : {ProgFillAudio1, ProgFillAudio2, ProgFillIcomToWCU, ProgFillIcomToWCA}) {
        meter->SetMaxValue(Wcu_Hd_Level_Max);
        meter->SetMinValue(Wcu_Hd_Level_Min);
    }
}

const TForm_Table& TForm_WCU_HD::Table()
{
    static const TForm_Table table =
        Common_Table()
            .Field("LabelProtocolVersion", &TForm_WCU_HD::LabelProtocolVersion)
            .Field("LabelProtocolVersionv", &TForm_WCU_HD::LabelProtocolVersionv)
            .Field("LabelTxProfile", &TForm_WCU_HD::LabelTxProfile)
            .Field("LabelTxProfilev", &TForm_WCU_HD::LabelTxProfilev)
            .Field("LabelQualityLatency", &TForm_WCU_HD::LabelQualityLatency)
            .Field("LabelQualityLatencyv", &TForm_WCU_HD::LabelQualityLatencyv)
            .Field("LabelOnAir", &TForm_WCU_HD::LabelOnAir)
            .Field("ImageOnAir", &TForm_WCU_HD::ImageOnAir)
            .Field("LabelVideoStream", &TForm_WCU_HD::LabelVideoStream)
            .Field("ImageVideoStream", &TForm_WCU_HD::ImageVideoStream)
            .Field("LabelDataReceive", &TForm_WCU_HD::LabelDataReceive)
            .Field("ImageDataReceive", &TForm_WCU_HD::ImageDataReceive)
            .Field("LabelOcpRequest", &TForm_WCU_HD::LabelOcpRequest)
            .Field("ImageOcpRequest", &TForm_WCU_HD::ImageOcpRequest)
            .Field("GroupAudioIntercom", &TForm_WCU_HD::GroupAudioIntercom)
            .Field("LabelAudioStream", &TForm_WCU_HD::LabelAudioStream)
            .Field("ImageAudioStream", &TForm_WCU_HD::ImageAudioStream)
            .Field("LabelAudioDelay", &TForm_WCU_HD::LabelAudioDelay)
            .Field("LabelAudioDelayv", &TForm_WCU_HD::LabelAudioDelayv)
            .Field("LabelMode", &TForm_WCU_HD::LabelMode)
            .Field("LabelModev", &TForm_WCU_HD::LabelModev)
            .Field("LabelIcomCamToWCU", &TForm_WCU_HD::LabelIcomCamToWCU)
            .Field("LabelIcomCamToWCUv", &TForm_WCU_HD::LabelIcomCamToWCUv)
            .Field("LabelIcomProdVolume", &TForm_WCU_HD::LabelIcomProdVolume)
            .Field("ProgIcomProdVolume", &TForm_WCU_HD::ProgIcomProdVolume)
            .Field("LabelIcomProgVolume", &TForm_WCU_HD::LabelIcomProgVolume)
            .Field("ProgIcomProgVolume", &TForm_WCU_HD::ProgIcomProgVolume)
            .Field("LabelIcomEngVolume", &TForm_WCU_HD::LabelIcomEngVolume)
            .Field("ProgIcomEngVolume", &TForm_WCU_HD::ProgIcomEngVolume)
            .Field("LabelAudio1Level", &TForm_WCU_HD::LabelAudio1Level)
            .Field("ProgFillAudio1", &TForm_WCU_HD::ProgFillAudio1)
            .Field("LabelAudio2Level", &TForm_WCU_HD::LabelAudio2Level)
            .Field("ProgFillAudio2", &TForm_WCU_HD::ProgFillAudio2)
            .Field("LabelIcomToWCU", &TForm_WCU_HD::LabelIcomToWCU)
            .Field("ProgFillIcomToWCU", &TForm_WCU_HD::ProgFillIcomToWCU)
            .Field("LabelIcomToCam", &TForm_WCU_HD::LabelIcomToCam)
            .Field("ProgFillIcomToWCA", &TForm_WCU_HD::ProgFillIcomToWCA)
            .Field("DrawEdgeRefLevelAudioMin", &TForm_WCU_HD::DrawEdgeRefLevelAudioMin)
            .Field("DrawEdgeRefLevelAudioMax", &TForm_WCU_HD::DrawEdgeRefLevelAudioMax)
            .Field("LabelRefLevelAudioMin", &TForm_WCU_HD::LabelRefLevelAudioMin)
            .Field("LabelRefLevelAudioMax", &TForm_WCU_HD::LabelRefLevelAudioMax)
            .Handler("HdKeyDown", &TForm_WCU_HD::HdKeyDown)
            .Handler("progressBarGetColor", &TForm_WCU_HD::progressBarGetColor);
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
    widgets[Wcu_Hd_Audio_Stream] = {LabelAudioStream, nullptr, ImageAudioStream};
    widgets[Wcu_Hd_Audio_Delay] = {LabelAudioDelay, LabelAudioDelayv};
    widgets[Wcu_Hd_Mode] = {LabelMode, LabelModev};
    widgets[Wcu_Hd_Icom_Cam_To_Wcu] = {LabelIcomCamToWCU, LabelIcomCamToWCUv};
    widgets[Wcu_Hd_Icom_Prod_Volume] = {LabelIcomProdVolume, nullptr, nullptr, ProgIcomProdVolume};
    widgets[Wcu_Hd_Icom_Prog_Volume] = {LabelIcomProgVolume, nullptr, nullptr, ProgIcomProgVolume};
    widgets[Wcu_Hd_Icom_Eng_Volume] = {LabelIcomEngVolume, nullptr, nullptr, ProgIcomEngVolume};
    widgets[Wcu_Hd_Audio_1_Level] = {LabelAudio1Level, nullptr, nullptr, ProgFillAudio1};
    widgets[Wcu_Hd_Audio_2_Level] = {LabelAudio2Level, nullptr, nullptr, ProgFillAudio2};
    widgets[Wcu_Hd_Icom_To_Wcu] = {LabelIcomToWCU, nullptr, nullptr, ProgFillIcomToWCU};
    widgets[Wcu_Hd_Icom_To_Cam] = {LabelIcomToCam, nullptr, nullptr, ProgFillIcomToWCA};
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

void TForm_WCU_HD::Enable_Level_References(bool enabled)
{
    DrawEdgeRefLevelAudioMin->SetEnabled(enabled);
    DrawEdgeRefLevelAudioMax->SetEnabled(enabled);
    LabelRefLevelAudioMin->SetEnabled(enabled);
    LabelRefLevelAudioMax->SetEnabled(enabled);
}

// The video stream, the data both ways and the audio stream.
void TForm_WCU_HD::EvaluateAlarm()
{
    Alarm = Any_Fault(Wcu_Hd_Line_Table(*Current));
}

void TForm_WCU_HD::HdKeyDown(TObject*, WORD& Key, TShiftState)
{
    Hd_Detail_Key_Down(*this, Key, 'W');
}

void TForm_WCU_HD::progressBarGetColor(TObject* Sender, BYTE nr, TColor& aColor)
{
    aColor = Level_Meter_Colour(*static_cast<TSCLProgress*>(Sender),
                                DrawEdgeRefLevelAudioMax->Left() - DrawEdgeRefLevelAudioMin->Left(), nr);
}
