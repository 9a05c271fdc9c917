#include "screens/Wcu_detail_window.h"

#include "components/controls/SCLDrawEdge.h"
#include "components/controls/SCLLImage.h"
#include "components/controls/SCLProgress.h"
#include "components/controls/SCLSimpleLabel.h"

namespace {

Detail_Line Shown_Value_Line(const std::string& value, bool shown)
{
    Detail_Line line = Value_Line(value);
    line.Value_Visible = shown;
    return line;
}

} // namespace

void Fill_Wcu_Audio_Lines(const Wcu_Audio_Values& values, std::span<Detail_Line, Wcu_Audio::Line_Count> lines)
{
    using namespace Wcu_Audio;
    const bool stream = values.Stream;
    lines[Stream] = stream ? Image_Line(Detail_Image_On) : Image_Line(Detail_Image_Fault, true);
    lines[Delay] = Shown_Value_Line(values.Delay_On ? "ON" : "OFF", stream);
    lines[Mode] = Shown_Value_Line(values.Mode, stream);
    lines[Icom_Cam_To_Wcu] = Shown_Value_Line(values.Icom_Routing, stream);
    for (std::size_t i = 0; i < values.Volumes.size(); ++i) {
        lines[Prod_Volume + i] = Meter_Line(stream ? values.Volumes[i] : Wcu_Volume_Min);
    }
    const bool live = values.Levels_Live;
    const std::array<bool, 4> shown {true, values.Dual, true, true};
    for (std::size_t i = 0; i < values.Levels_Db.size(); ++i) {
        lines[Level_1 + i] = Meter_Line(live && shown[i] ? values.Levels_Db[i] : Wcu_Level_Min, live);
    }
}

Detail_Line Wcu_Activity_Line(bool flag, bool toggle, int image_when_set, int image_when_clear,
                              const std::string& hint_when_clear)
{
    if (!flag) {
        return Image_Line(Detail_Image_Fault, true, hint_when_clear);
    }
    return Image_Line(toggle ? image_when_set : image_when_clear);
}

Wcu_Detail_Window::Wcu_Detail_Window(TComponent* owner, TSCLShapeButton* title_button, St_System* current,
                                     St_System* snapshot)
    : Detail_Window(owner, title_button, 'W', current, snapshot)
{
}

TForm_Table Wcu_Detail_Window::Wcu_Table()
{
    using F = Wcu_Detail_Window;
    return Common_Table()
        .Field("LabelProtocolVersion", &F::LabelProtocolVersion)
        .Field("LabelProtocolVersionv", &F::LabelProtocolVersionv)
        .Field("LabelDataReceive", &F::LabelDataReceive)
        .Field("ImageDataReceive", &F::ImageDataReceive)
        .Field("LabelOcpRequest", &F::LabelOcpRequest)
        .Field("ImageOcpRequest", &F::ImageOcpRequest)
        .Field("LabelAudioStream", &F::LabelAudioStream)
        .Field("ImageAudioStream", &F::ImageAudioStream)
        .Field("LabelAudioDelay", &F::LabelAudioDelay)
        .Field("LabelAudioDelayv", &F::LabelAudioDelayv)
        .Field("LabelMode", &F::LabelMode)
        .Field("LabelModev", &F::LabelModev)
        .Field("LabelIcomCamToWCU", &F::LabelIcomCamToWCU)
        .Field("LabelIcomCamToWCUv", &F::LabelIcomCamToWCUv)
        .Field("LabelIcomProdVolume", &F::LabelIcomProdVolume)
        .Field("ProgIcomProdVolume", &F::ProgIcomProdVolume)
        .Field("LabelIcomProgVolume", &F::LabelIcomProgVolume)
        .Field("ProgIcomProgVolume", &F::ProgIcomProgVolume)
        .Field("LabelIcomEngVolume", &F::LabelIcomEngVolume)
        .Field("ProgIcomEngVolume", &F::ProgIcomEngVolume)
        .Field("LabelAudio1Level", &F::LabelAudio1Level)
        .Field("ProgFillAudio1", &F::ProgFillAudio1)
        .Field("LabelAudio2Level", &F::LabelAudio2Level)
        .Field("ProgFillAudio2", &F::ProgFillAudio2)
        .Field("LabelIcomToWCU", &F::LabelIcomToWCU)
        .Field("ProgFillIcomToWCU", &F::ProgFillIcomToWCU)
        .Field("LabelIcomToCam", &F::LabelIcomToCam)
        .Field("ProgFillIcomToWCA", &F::ProgFillIcomToWCA)
        .Field("DrawEdgeRefLevelAudioMin", &F::DrawEdgeRefLevelAudioMin)
        .Field("DrawEdgeRefLevelAudioMax", &F::DrawEdgeRefLevelAudioMax)
        .Field("LabelRefLevelAudioMin", &F::LabelRefLevelAudioMin)
        .Field("LabelRefLevelAudioMax", &F::LabelRefLevelAudioMax)
        .Handler("progressBarGetColor", &F::progressBarGetColor);
}

void Wcu_Detail_Window::Read_Wcu_Form(const TForm_Table& table, TSCLCustomImageList* image_list)
{
    Read_Form(table, image_list);
    for (TSCLProgress* meter : {ProgIcomProdVolume, ProgIcomProgVolume, ProgIcomEngVolume}) {
        meter->SetMaxValue(Wcu_Volume_Max);
        meter->SetMinValue(Wcu_Volume_Min);
    }
    for (TSCLProgress* meter : {ProgFillAudio1, ProgFillAudio2, ProgFillIcomToWCU, ProgFillIcomToWCA}) {
        meter->SetMaxValue(Wcu_Level_Max);
        meter->SetMinValue(Wcu_Level_Min);
    }
}

void Wcu_Detail_Window::Fill_Audio_Widgets(std::span<Detail_Widgets, Wcu_Audio::Line_Count> widgets) const
{
    using namespace Wcu_Audio;
    widgets[Stream] = {LabelAudioStream, nullptr, ImageAudioStream};
    widgets[Delay] = {LabelAudioDelay, LabelAudioDelayv};
    widgets[Mode] = {LabelMode, LabelModev};
    widgets[Icom_Cam_To_Wcu] = {LabelIcomCamToWCU, LabelIcomCamToWCUv};
    widgets[Prod_Volume] = {LabelIcomProdVolume, nullptr, nullptr, ProgIcomProdVolume};
    widgets[Prog_Volume] = {LabelIcomProgVolume, nullptr, nullptr, ProgIcomProgVolume};
    widgets[Eng_Volume] = {LabelIcomEngVolume, nullptr, nullptr, ProgIcomEngVolume};
    widgets[Level_1] = {LabelAudio1Level, nullptr, nullptr, ProgFillAudio1};
    widgets[Level_2] = {LabelAudio2Level, nullptr, nullptr, ProgFillAudio2};
    widgets[Icom_To_Wcu] = {LabelIcomToWCU, nullptr, nullptr, ProgFillIcomToWCU};
    widgets[Icom_To_Cam] = {LabelIcomToCam, nullptr, nullptr, ProgFillIcomToWCA};
}

void Wcu_Detail_Window::Enable_Level_References(bool enabled)
{
    DrawEdgeRefLevelAudioMin->SetEnabled(enabled);
    DrawEdgeRefLevelAudioMax->SetEnabled(enabled);
    LabelRefLevelAudioMin->SetEnabled(enabled);
    LabelRefLevelAudioMax->SetEnabled(enabled);
}

void Wcu_Detail_Window::progressBarGetColor(TObject* Sender, BYTE nr, TColor& aColor)
{
    aColor = Level_Meter_Colour(*static_cast<TSCLProgress*>(Sender),
                                DrawEdgeRefLevelAudioMax->Left() - DrawEdgeRefLevelAudioMin->Left(), nr);
}
