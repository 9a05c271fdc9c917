#include "screens/Fich_amu_sd.h"

#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLLImage.h"
#include "components/controls/SCLProgress.h"
#include "components/controls/SCLSimpleLabel.h"
#include "link/St_system.h"
#include "platform/classlib/String_Table.h"
#include "platform/classlib/SysUtils.h"
#include "screens/Sd_fields.h"

#include <algorithm>

const St_System_SD_AMU& Amu_Sd_Record(const St_System& state, char amu)
{
    return amu == '2' ? state.SD.AMU2 : state.SD.AMU1;
}

namespace {

const char* Off_On(bool off)
{
    return off ? "OFF" : "ON";
}

// A line of the switches and the wheel that firmware 1.0 does not have:
// greyed, without value or advice.
Detail_Line Absent_Line(const std::string& value)
{
    Detail_Line line = Value_Line(value);
    line.Value_Visible = false;
    line.Caption_Enabled = false;
    return line;
}

// What the AMU window reads of the camera's state.
struct Amu_View {
    const St_System_SD_AMU& amu;
    const St_System_SD_WCU& wcu;
    int range;
    int data_range;
    bool after_1_0;
    bool after_1_1;
    bool wcu_after_v1;
};

Detail_Line Firmware_Line(const Amu_View& v)
{
    const std::string version =
        std::to_string(Sd_Amu_Version_Major(v.amu)) + "." + std::to_string(Sd_Amu_Version_Minor(v.amu));
    if (!Sd_Amu_Versions_Match(v.amu)) {
        return Value_Line(version, true, LoadStr(3026));
    }
    if (!v.after_1_1 && v.range == 4) {
        return Value_Line(version, true, LoadStr(3079) + Video_Range_Text(v.range) + LoadStr(3019) + LoadStr(3084));
    }
    return Value_Line(version);
}

Detail_Line Voltage_Line(const Amu_View& v)
{
    const int dc_in = Sd_Amu_Dc_In(v.amu);
    return Value_Line(Level_Text(dc_in), Is_Level_Alarm_SD(dc_in));
}

Detail_Line Qos_Line(const Amu_View& v)
{
    const int qos = Sd_Amu_Triax_Qos(v.amu);
    Detail_Line line = Value_Line("", qos < Amu_Qos_Alarm_Below, qos == 0 ? LoadStr(3032) : "");
    line.Meter = std::clamp(qos, Amu_Qos_Min, Amu_Qos_Max);
    return line;
}

Detail_Line Pre_Emphasis_Line(const Amu_View& v)
{
    const bool long_triax = Sd_Amu_Long_Triax(v.amu);
    const bool factory_test = Sd_Amu_Sw2_1_Off(v.amu) || Sd_Amu_Sw2_2_Off(v.amu);
    Detail_Line line = Value_Line("", factory_test, LoadStr(factory_test ? 3030 : long_triax ? 3020 : 3021));
    line.Image = long_triax ? Detail_Image_On : Detail_Image_Second;
    return line;
}

std::string Sw3_Advice(const Amu_View& v, bool sw3_1_right, bool sw3_2_right)
{
    const std::string range_text = Video_Range_Text(v.range);
    if (sw3_1_right && sw3_2_right) {
        if (!v.after_1_1 && v.range == 4) {
            return "";
        }
        return LoadStr(v.after_1_0 ? 3083 : 3013) + range_text + LoadStr(3019);
    }
    if (sw3_1_right) {
        return v.after_1_1 ? LoadStr(3082) + range_text + LoadStr(3012) : LoadStr(3085);
    }
    if (sw3_2_right) {
        return LoadStr(3011) + range_text + LoadStr(3012);
    }
    return LoadStr(3080) + range_text + LoadStr(3081);
}

Detail_Line Switches_Sw3_Line(const Amu_View& v)
{
    const bool sw3_1_off = Sd_Amu_Sw3_1_Off(v.amu);
    const bool sw3_2_off = Sd_Amu_Sw3_2_Off(v.amu);
    std::string value = Off_On(sw3_1_off);
    if (v.after_1_0) {
        value += std::string("/") + Off_On(sw3_2_off);
    }
    Detail_Line line;
    if (v.range == 0) {
        line = Value_Line(value, true, LoadStr(3024));
    } else {
        const bool sw3_1_right = Is_SW3_1_Setting_Right(v.range, sw3_1_off, v.after_1_1);
        const bool sw3_2_right = Is_SW3_2_Setting_Right(v.range, sw3_2_off, v.after_1_0, v.after_1_1);
        line = Value_Line(value, !(sw3_1_right && sw3_2_right), Sw3_Advice(v, sw3_1_right, sw3_2_right));
    }
    line.Caption = LoadStr(v.after_1_0 ? 1001 : 1002);
    return line;
}

Detail_Line Switch_Sw1_2_Line(const Amu_View& v)
{
    const bool test = Sd_Amu_Sw1_2_Test(v.amu);
    const std::string value = test ? "TEST" : "NORMAL";
    if (!v.after_1_0) {
        return Absent_Line(value);
    }
    return Value_Line(value, test, LoadStr(test ? 3009 : 3010));
}

Detail_Line Switches_Sw2_Line(const Amu_View& v)
{
    const bool sw2_1_off = Sd_Amu_Sw2_1_Off(v.amu);
    const bool sw2_2_off = Sd_Amu_Sw2_2_Off(v.amu);
    const std::string value = std::string(Off_On(sw2_1_off)) + "/" + Off_On(sw2_2_off);
    if (!v.after_1_0) {
        return Absent_Line(value);
    }
    const bool both_on = !sw2_1_off && !sw2_2_off;
    return Value_Line(value, !both_on, LoadStr(both_on ? 3031 : 3030));
}

// The wheel reads inverted: its position is the complement's low nibble.
Detail_Line Rotary_Wheel_Rc2_Line(const Amu_View& v)
{
    const int position = Sd_Amu_Rc2_Position(v.amu);
    const std::string value = Format("%X", ~position & 15);
    if (!v.after_1_0) {
        return Absent_Line(value);
    }
    if (v.data_range == 0) {
        return Value_Line(value, true, LoadStr(3025));
    }
    const std::string range_text = Data_Range_Text(v.data_range);
    if (Is_Data_Band_Matching(v.data_range, position)) {
        return Value_Line(value, false, LoadStr(3016) + range_text + LoadStr(3019));
    }
    const char* letter = v.data_range == 1 ? "F" : "E";
    return Value_Line(value, true, LoadStr(3014) + range_text + LoadStr(3015) + letter + LoadStr(3086));
}

// The video channel and mode count only from an AMU reporting its channel
// (the same test lights its remote-control image).
bool Channel_Ok(const Amu_View& v)
{
    return Sd_Amu_Remote_Control_Ok(v.amu) &&
           Is_Channel_Selected(Sd_Wcu_Video_Channel(v.wcu), Sd_Amu_Video_Channel_Code(v.amu), v.wcu_after_v1);
}

bool Mode_Ok(const Amu_View& v)
{
    return Sd_Amu_Remote_Control_Ok(v.amu) &&
           Is_Same_Or_Disabled_Amu(Sd_Wcu_Cofdm_Mode(v.wcu), Sd_Amu_Cofdm_Mode(v.amu), v.wcu_after_v1);
}

Detail_Line Unknown_Line(const std::string& hint = "")
{
    return Value_Line("???", true, hint);
}

Detail_Line Video_Frequency_Line(const Amu_View& v)
{
    if (Channel_Ok(v) && v.range != 0) {
        return Value_Line(Channel_Frequency_Text(Sd_Amu_Video_Channel_Code(v.amu), v.range) + " MHz");
    }
    return Unknown_Line(v.range == 0 ? LoadStr(3024) : "");
}

Detail_Line Video_Channel_Line(const Amu_View& v)
{
    return Channel_Ok(v) ? Value_Line(Channel_Digit_Text(Sd_Amu_Video_Channel_Code(v.amu))) : Unknown_Line();
}

Detail_Line Mode_Line(const Amu_View& v, std::string (*text)(int mode))
{
    return Mode_Ok(v) ? Value_Line(text(Sd_Amu_Cofdm_Mode(v.amu))) : Unknown_Line();
}

std::string Mode_Digit_Text(int mode)
{
    return Format("%X", mode);
}

} // namespace

Amu_Sd_Lines Amu_Sd_Line_Table(const St_System& state, char amu)
{
    const St_System_SD_AMU& record = Amu_Sd_Record(state, amu);
    const Amu_View v {record,
                      state.SD.WCU,
                      state.SD.Video_Range_Frequency,
                      state.SD.Data_Range_Frequency,
                      Sd_Amu_After_1_0(record),
                      Sd_Amu_After_1_1(record),
                      state.Type.Is_Sd_Wcu_After_V1()};
    Amu_Sd_Lines lines;
    lines[Amu_Firmware_Version] = Firmware_Line(v);
    lines[Amu_Temperature] = Temperature_Line(Sd_Amu_Temperature(v.amu));
    lines[Amu_Voltage] = Voltage_Line(v);
    lines[Amu_Triax_Qos] = Qos_Line(v);
    lines[Amu_Pre_Emphasis] = Pre_Emphasis_Line(v);
    lines[Amu_Switches_Sw3] = Switches_Sw3_Line(v);
    lines[Amu_Switch_Sw1_2] = Switch_Sw1_2_Line(v);
    lines[Amu_Switches_Sw2] = Switches_Sw2_Line(v);
    lines[Amu_Rotary_Wheel_Rc2] = Rotary_Wheel_Rc2_Line(v);
    lines[Amu_Video_Frequency] = Video_Frequency_Line(v);
    lines[Amu_Video_Channel] = Video_Channel_Line(v);
    lines[Amu_Cofdm] = Mode_Line(v, Mode_Digit_Text);
    lines[Amu_Guard] = Mode_Line(v, Guard_Interval_Text);
    lines[Amu_Constellation] = Mode_Line(v, Modulation_Text);
    lines[Amu_Code_Rate] = Mode_Line(v, Code_Rate_Text);
    return lines;
}

TForm_AMU_SD::TForm_AMU_SD(TComponent* owner, TSCLCustomImageList* image_list, TSCLShapeButton* title_button,
                           char amu, St_System* current, St_System* snapshot)
    : Amu_Detail_Window(owner, title_button, amu, current, snapshot)
{
    Read_Amu_Form(Table(), image_list);
}

const TForm_Table& TForm_AMU_SD::Table()
{
    static const TForm_Table table = Amu_Table()
                                         .Field("LabelSwitchSW3", &TForm_AMU_SD::LabelSwitchSW3)
                                         .Field("LabelSwitchSW3v", &TForm_AMU_SD::LabelSwitchSW3v)
                                         .Field("LabelSwitchSW1_2", &TForm_AMU_SD::LabelSwitchSW1_2)
                                         .Field("LabelSwitchSW1_2v", &TForm_AMU_SD::LabelSwitchSW1_2v)
                                         .Field("LabelSwitchSW2", &TForm_AMU_SD::LabelSwitchSW2)
                                         .Field("LabelSwitchSW2v", &TForm_AMU_SD::LabelSwitchSW2v)
                                         .Field("LabelRotaryWheelRC2", &TForm_AMU_SD::LabelRotaryWheelRC2)
                                         .Field("LabelRotaryWheelRC2v", &TForm_AMU_SD::LabelRotaryWheelRC2v)
                                         .Field("LabelVideoFrequency", &TForm_AMU_SD::LabelVideoFrequency)
                                         .Field("LabelVideoFrequencyv", &TForm_AMU_SD::LabelVideoFrequencyv)
                                         .Field("LabelVideoChannel", &TForm_AMU_SD::LabelVideoChannel)
                                         .Field("LabelVideoChannelv", &TForm_AMU_SD::LabelVideoChannelv)
                                         .Field("GroupVideoParams", &TForm_AMU_SD::GroupVideoParams)
                                         .Field("LabelCofdm", &TForm_AMU_SD::LabelCofdm)
                                         .Field("LabelCofdmv", &TForm_AMU_SD::LabelCofdmv)
                                         .Field("LabelGuard", &TForm_AMU_SD::LabelGuard)
                                         .Field("LabelGuardv", &TForm_AMU_SD::LabelGuardv)
                                         .Field("LabelConstellation", &TForm_AMU_SD::LabelConstellation)
                                         .Field("LabelConstellationv", &TForm_AMU_SD::LabelConstellationv)
                                         .Field("LabelCodeRate", &TForm_AMU_SD::LabelCodeRate)
                                         .Field("LabelCodeRatev", &TForm_AMU_SD::LabelCodeRatev);
    return table;
}

std::array<Detail_Widgets, Amu_Sd_Line_Count> TForm_AMU_SD::Widgets() const
{
    std::array<Detail_Widgets, Amu_Sd_Line_Count> widgets;
    widgets[Amu_Firmware_Version] = {LabelFirmwareVersion, LabelFirmwareVersionv};
    widgets[Amu_Temperature] = {LabelTemperature, LabelTemperaturev};
    widgets[Amu_Voltage] = {LabelVoltage, LabelVoltagev};
    widgets[Amu_Triax_Qos] = {LabelTriaxQOS, nullptr, nullptr, ProgressTriaxQOS};
    widgets[Amu_Pre_Emphasis] = {LabelPreaccAMU, nullptr, ImagePreaccAMU};
    widgets[Amu_Switches_Sw3] = {LabelSwitchSW3, LabelSwitchSW3v};
    widgets[Amu_Switch_Sw1_2] = {LabelSwitchSW1_2, LabelSwitchSW1_2v};
    widgets[Amu_Switches_Sw2] = {LabelSwitchSW2, LabelSwitchSW2v};
    widgets[Amu_Rotary_Wheel_Rc2] = {LabelRotaryWheelRC2, LabelRotaryWheelRC2v};
    widgets[Amu_Video_Frequency] = {LabelVideoFrequency, LabelVideoFrequencyv};
    widgets[Amu_Video_Channel] = {LabelVideoChannel, LabelVideoChannelv};
    widgets[Amu_Cofdm] = {LabelCofdm, LabelCofdmv};
    widgets[Amu_Guard] = {LabelGuard, LabelGuardv};
    widgets[Amu_Constellation] = {LabelConstellation, LabelConstellationv};
    widgets[Amu_Code_Rate] = {LabelCodeRate, LabelCodeRatev};
    return widgets;
}

void TForm_AMU_SD::Refresh_Lines(bool full)
{
    Show_Amu_Lines(Widgets(), Amu_Sd_Line_Table(*Current, Amu), Amu_Sd_Line_Table(*Snapshot, Amu), full,
                   Amu_Triax_Qos);
}

// No alarm only when every line is right: firmware matching and suiting the
// range, temperature and voltage within limits, quality, ranges chosen,
// switches and wheel suiting them, channel and mode as the WCU expects.
void TForm_AMU_SD::EvaluateAlarm()
{
    Alarm = Any_Fault(Amu_Sd_Line_Table(*Current, Amu));
}
