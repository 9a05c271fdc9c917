#include "screens/Fich_amu_hd.h"

#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLLImage.h"
#include "components/controls/SCLProgress.h"
#include "components/controls/SCLSimpleLabel.h"
#include "components/controls/SCLSpeedButton.h"
#include "link/St_system.h"
#include "platform/classlib/String_Table.h"
#include "platform/classlib/SysUtils.h"
#include "screens/Fich_amu_hd_spectrum.h"
#include "screens/Fich_wcu_hd.h"
#include "screens/Hd_fields.h"

#include <array>

const St_System_HD_AMU& Amu_Hd_Record(const St_System& state, char amu)
{
    return amu == '2' ? state.HD.Amu2 : state.HD.Amu1;
}

namespace {

Detail_Line Fault_Image_Line(const std::string& hint)
{
    return Image_Line(Detail_Image_Fault, true, hint);
}

Detail_Line Voltage_Line(const St_System_HD_AMU& amu)
{
    const int dc_in = Hd_Amu_Dc_In(amu);
    return Value_Line(Format("%.1fV", static_cast<double>(Level_Db(dc_in))), Is_Level_Alarm_HD(dc_in));
}

Detail_Line Fan_Line(const St_System_HD_AMU& amu)
{
    const std::optional<bool> fault = Hd_Amu_Fan_Fault(amu);
    if (!fault) {
        return Image_Line(Detail_Image_Off);
    }
    return *fault ? Image_Line(Detail_Image_Fault, true) : Image_Line(Detail_Image_On);
}

Detail_Line Pre_Emphasis_Line(const St_System_HD_AMU& amu)
{
    return Hd_Amu_Long_Triax(amu) ? Image_Line(Detail_Image_On, false, LoadStr(3020))
                                  : Image_Line(Detail_Image_Second, false, LoadStr(3021));
}

Detail_Line Qos_Line(const St_System_HD_AMU& amu)
{
    const int qos = Hd_Amu_Triax_Qos(amu);
    const bool service_fault = Hd_Amu_Service_Data_Fault(amu).value_or(false);
    Detail_Line line;
    line.Meter = service_fault ? Amu_Qos_Min : qos;
    line.Fault = service_fault || qos < Amu_Qos_Alarm_Below;
    line.Hint = line.Fault && qos == 0 ? LoadStr(3032) : "";
    return line;
}

// The emitter's frequency against the range the system's emitters work in,
// both in parentheses.
std::string Frequency_Range_Advice(float mhz)
{
    return LoadStr(3057) + "\n" + Format("(%.2f MHz", Amu_Hd_De_Min_Mhz) + Format("-%.2f MHz)", Amu_Hd_De_Max_Mhz) +
           LoadStr(3076) + "\n" + Format("(%.2f MHz)", static_cast<double>(mhz));
}

Detail_Line Data_Emitter_Line(const St_System_HD_AMU& amu)
{
    if (!Hd_De_Present(amu)) {
        return Fault_Image_Line(LoadStr(3054));
    }
    if (!Hd_De_Programmed(amu)) {
        return Fault_Image_Line(LoadStr(3055));
    }
    if (Hd_De_Type(amu) != Amu_Hd_De_Known_Type) {
        return Fault_Image_Line(LoadStr(3056));
    }
    const float mhz = Hd_De_Data_Frequency_Mhz(amu);
    if (mhz < Amu_Hd_De_Min_Mhz || mhz > Amu_Hd_De_Max_Mhz) {
        return Fault_Image_Line(Frequency_Range_Advice(mhz));
    }
    return Image_Line(Detail_Image_On);
}

Detail_Line Receivers_Line(const St_System_HD_AMU& amu)
{
    const std::array<int, 3> types {Hd_Amu_Receiver_Type(amu, 0), Hd_Amu_Receiver_Type(amu, 1),
                                    Hd_Amu_Receiver_Type(amu, 2)};
    if (types[0] == 0 || types[1] == 0 || types[2] == 0) {
        return Fault_Image_Line(LoadStr(3050));
    }
    if (types[0] != types[1] || types[1] != types[2]) {
        return Fault_Image_Line(LoadStr(3051));
    }
    if (Range_Code(types[0]) == Hd_Invalid_Code) {
        return Fault_Image_Line(LoadStr(3052));
    }
    if (Hd_Amu_Other_Amu_Type_Differs(amu)) {
        return Fault_Image_Line(LoadStr(3053));
    }
    return Image_Line(Detail_Image_On);
}

void Add_Hint_Line(std::string& hint, const std::string& line)
{
    hint += hint.empty() ? line : "\n" + line;
}

// Each wrong switch adds its own line of advice. A wrong switch shows its
// fault image but raises no alarm.
Detail_Line Switches_Line(const St_System_HD_AMU& amu)
{
    std::string hint;
    if (Hd_Amu_Sw1_2_Test(amu)) {
        Add_Hint_Line(hint, LoadStr(3058));
    }
    if (Hd_Amu_Sw1_1_Test(amu)) {
        Add_Hint_Line(hint, LoadStr(3059));
    }
    const int sw2 = Hd_Amu_Sw2_Setting(amu);
    if (sw2 >= 0 && sw2 <= 2) {
        Add_Hint_Line(hint, LoadStr(3060 + sw2));
    }
    if (!Hd_Amu_Sw3_2_Off(amu)) {
        Add_Hint_Line(hint, LoadStr(3063));
    }
    if (!Hd_Amu_Sw3_1_Off(amu)) {
        Add_Hint_Line(hint, LoadStr(3064));
    }
    return Image_Line(hint.empty() ? Detail_Image_On : Detail_Image_Fault, false, hint);
}

Detail_Line Wheels_Line(const St_System_HD_AMU& amu)
{
    std::string hint = LoadStr(Hd_Amu_Cw2_Auto(amu) ? 3066 : 3065);
    int image = Detail_Image_On;
    if (!Hd_Amu_Sw3_1_Off(amu)) {
        image = Detail_Image_Fault;
        Add_Hint_Line(hint, LoadStr(3067));
    } else if (Hd_Amu_Cw3_Position(amu) != 1) {
        image = Detail_Image_Second;
        Add_Hint_Line(hint, LoadStr(3068));
    }
    return Image_Line(image, false, hint);
}

Detail_Line Firmware_Line(const St_System_HD_AMU& amu)
{
    const std::string version = Hd_Version_Text(Hd_Amu_Version(amu));
    return Hd_Amu_Versions_Match(amu) ? Value_Line(version) : Value_Line(version, true, LoadStr(3026));
}

} // namespace

Amu_Hd_Lines Amu_Hd_Line_Table(const St_System& state, char amu_char)
{
    const St_System_HD_AMU& amu = Amu_Hd_Record(state, amu_char);
    Amu_Hd_Lines lines;
    lines[Amu_Hd_Firmware_Version] = Firmware_Line(amu);
    lines[Amu_Hd_Temperature] = Temperature_Line(Hd_Amu_Temperature(amu));
    lines[Amu_Hd_Voltage] = Voltage_Line(amu);
    lines[Amu_Hd_Fan] = Fan_Line(amu);
    lines[Amu_Hd_Pre_Emphasis] = Pre_Emphasis_Line(amu);
    lines[Amu_Hd_Triax_Qos] = Qos_Line(amu);
    lines[Amu_Hd_Service_Data] =
        Hd_Service_Data_Line(Hd_Amu_Service_Data_Fault(amu), Hd_Amu_Service_Data_Activity(amu));
    lines[Amu_Hd_Intercom_Data] = Hd_Flag_Line(Hd_Amu_Intercom_Flag(amu), Detail_Image_Second);
    lines[Amu_Hd_Data_Emitter] = Data_Emitter_Line(amu);
    lines[Amu_Hd_Rf_Receivers] = Receivers_Line(amu);
    lines[Amu_Hd_Switches] = Switches_Line(amu);
    lines[Amu_Hd_Rotary_Wheels] = Wheels_Line(amu);
    return lines;
}

TForm_AMU_HD::TForm_AMU_HD(TComponent* owner, TForm_AMU_HD_Spectrum* spectrum, TSCLCustomImageList* image_list,
                           TSCLShapeButton* title_button, char amu, St_System* current, St_System* snapshot)
    : Amu_Detail_Window(owner, title_button, amu, current, snapshot), Spectrum(spectrum)
{
    Read_Amu_Form(Table(), image_list);
}

const TForm_Table& TForm_AMU_HD::Table()
{
    static const TForm_Table table =
        Amu_Table()
            .Field("LabelFan", &TForm_AMU_HD::LabelFan)
            .Field("ImageFan", &TForm_AMU_HD::ImageFan)
            .Field("LabelServiceData", &TForm_AMU_HD::LabelServiceData)
            .Field("ImageServiceData", &TForm_AMU_HD::ImageServiceData)
            .Field("LabelIntercomData", &TForm_AMU_HD::LabelIntercomData)
            .Field("ImageIntercomData", &TForm_AMU_HD::ImageIntercomData)
            .Field("LabelDataEmitter", &TForm_AMU_HD::LabelDataEmitter)
            .Field("ImageDataEmitter", &TForm_AMU_HD::ImageDataEmitter)
            .Field("LabelRFReceivers", &TForm_AMU_HD::LabelRFReceivers)
            .Field("ImageRFReceivers", &TForm_AMU_HD::ImageRFReceivers)
            .Field("LabelSwitches", &TForm_AMU_HD::LabelSwitches)
            .Field("ImageSwitches", &TForm_AMU_HD::ImageSwitches)
            .Field("LabelRotaryWheels", &TForm_AMU_HD::LabelRotaryWheels)
            .Field("ImageRotaryWheels", &TForm_AMU_HD::ImageRotaryWheels)
            .Field("SpeedButtonSpectrumAnalyser", &TForm_AMU_HD::SpeedButtonSpectrumAnalyser)
            .Handler("SpeedButtonSpectrumAnalyserClick", &TForm_AMU_HD::SpeedButtonSpectrumAnalyserClick);
    return table;
}

std::array<Detail_Widgets, Amu_Hd_Line_Count> TForm_AMU_HD::Widgets() const
{
    std::array<Detail_Widgets, Amu_Hd_Line_Count> widgets;
    widgets[Amu_Hd_Firmware_Version] = {LabelFirmwareVersion, LabelFirmwareVersionv};
    widgets[Amu_Hd_Temperature] = {LabelTemperature, LabelTemperaturev};
    widgets[Amu_Hd_Voltage] = {LabelVoltage, LabelVoltagev};
    widgets[Amu_Hd_Fan] = {LabelFan, nullptr, ImageFan};
    widgets[Amu_Hd_Pre_Emphasis] = {LabelPreaccAMU, nullptr, ImagePreaccAMU};
    widgets[Amu_Hd_Triax_Qos] = {LabelTriaxQOS, nullptr, nullptr, ProgressTriaxQOS};
    widgets[Amu_Hd_Service_Data] = {LabelServiceData, nullptr, ImageServiceData};
    widgets[Amu_Hd_Intercom_Data] = {LabelIntercomData, nullptr, ImageIntercomData};
    widgets[Amu_Hd_Data_Emitter] = {LabelDataEmitter, nullptr, ImageDataEmitter};
    widgets[Amu_Hd_Rf_Receivers] = {LabelRFReceivers, nullptr, ImageRFReceivers};
    widgets[Amu_Hd_Switches] = {LabelSwitches, nullptr, ImageSwitches};
    widgets[Amu_Hd_Rotary_Wheels] = {LabelRotaryWheels, nullptr, ImageRotaryWheels};
    return widgets;
}

void TForm_AMU_HD::Refresh_Lines(bool full)
{
    Show_Amu_Lines(Widgets(), Amu_Hd_Line_Table(*Current, Amu), Amu_Hd_Line_Table(*Snapshot, Amu), full,
                   Amu_Hd_Triax_Qos);
}

// Firmware, temperature, voltage, fan, quality, intercom data, the data
// emitter and the receivers; the switches and wheels only advise.
void TForm_AMU_HD::EvaluateAlarm()
{
    Alarm = Any_Fault(Amu_Hd_Line_Table(*Current, Amu));
}

void TForm_AMU_HD::SpeedButtonSpectrumAnalyserClick(TObject*)
{
    if (!Spectrum) {
        return;
    }
    if (!Spectrum->WasShown()) {
        Spectrum->Show();
        Spectrum->Hide();
    }
    Spectrum->Show();
}
