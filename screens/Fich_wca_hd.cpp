#include "screens/Fich_wca_hd.h"

#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLLImage.h"
#include "components/controls/SCLSimpleLabel.h"
#include "link/St_system.h"
#include "platform/classlib/String_Table.h"
#include "platform/classlib/SysUtils.h"
#include "screens/Fich_wcu_hd.h"
#include "screens/Hd_fields.h"

#include <cmath>

namespace {

Detail_Line Good_Or_Fault(bool good)
{
    return good ? Image_Line(Detail_Image_On) : Image_Line(Detail_Image_Fault, true);
}

// The AMUs' data frequency is a real value unless it is one of the failure
// codes, which are all negative. Frequencies compare to the kHz, since the
// two are computed in different precisions.
Detail_Line Data_Frequency_Line(const St_System_HD& hd)
{
    const double wca_mhz = Steps_25khz_To_Mhz(Hd_Wcu_Wca_Data_Channel_Steps(hd.Wcu));
    const double amu_mhz = Hd_Wcu_Amu_Data_Frequency(hd.Wcu_Status);
    const std::string value = Format("%.2f MHz", wca_mhz);
    const bool differ = amu_mhz >= 0 && std::lround(wca_mhz * 1000) != std::lround(amu_mhz * 1000);
    if (!differ) {
        return Value_Line(value);
    }
    return Value_Line(value, true,
                         LoadStr(3073) + "\n" + value + LoadStr(3074) + Format("%.2f MHz", amu_mhz) + LoadStr(3075));
}

} // namespace

Wca_Hd_Lines Wca_Hd_Line_Table(const St_System& state)
{
    const St_System_HD& hd = state.HD;
    Wca_Hd_Lines lines;
    lines[Wca_Hd_Temperature] = Temperature_Line(Hd_Wca_Temperature(hd.Wca_Status));
    lines[Wca_Hd_Rx_Status] = Good_Or_Fault(Hd_Wca_Receivers_Good(hd.Wca_Status));
    lines[Wca_Hd_Tx_Status] = Good_Or_Fault(Hd_Wca_Tx_On(hd.Wca) && !Hd_Wca_Tx_Fault(hd.Wca));
    lines[Wca_Hd_Video_Stream] = Good_Or_Fault(Hd_Wcu_Video_Flag_1(hd.Wcu) && Hd_Wcu_Video_Flag_2(hd.Wcu));
    lines[Wca_Hd_Service_Data] =
        Hd_Service_Data_Line(Hd_Wcu_Service_Data_Fault(hd.Wcu), Hd_Wcu_Service_Data_Activity(hd.Wcu));
    lines[Wca_Hd_Intercom_Data] = Hd_Flag_Line(Hd_Wcu_Intercom_Flag(hd.Wcu), Detail_Image_Second);
    lines[Wca_Hd_Data_Frequency] = Data_Frequency_Line(hd);
    return lines;
}

TForm_WCA_HD::TForm_WCA_HD(TComponent* owner, TSCLCustomImageList* image_list, TSCLShapeButton* title_button,
                           St_System* current, St_System* snapshot)
    : Detail_Window(owner, title_button, 'C', current, snapshot)
{
    Read_Form(Table(), image_list);
}

const TForm_Table& TForm_WCA_HD::Table()
{
    static const TForm_Table table = Common_Table()
                                         .Field("LabelTemperature", &TForm_WCA_HD::LabelTemperature)
                                         .Field("LabelTemperaturev", &TForm_WCA_HD::LabelTemperaturev)
                                         .Field("LabelRxStatus", &TForm_WCA_HD::LabelRxStatus)
                                         .Field("ImageRxStatus", &TForm_WCA_HD::ImageRxStatus)
                                         .Field("LabelTxStatus", &TForm_WCA_HD::LabelTxStatus)
                                         .Field("ImageTxStatus", &TForm_WCA_HD::ImageTxStatus)
                                         .Field("LabelVideoStream", &TForm_WCA_HD::LabelVideoStream)
                                         .Field("ImageVideoStream", &TForm_WCA_HD::ImageVideoStream)
                                         .Field("LabelServiceData", &TForm_WCA_HD::LabelServiceData)
                                         .Field("ImageServiceData", &TForm_WCA_HD::ImageServiceData)
                                         .Field("LabelIntercomData", &TForm_WCA_HD::LabelIntercomData)
                                         .Field("ImageIntercomData", &TForm_WCA_HD::ImageIntercomData)
                                         .Field("LabelDataFrequency", &TForm_WCA_HD::LabelDataFrequency)
                                         .Field("LabelDataFrequencyv", &TForm_WCA_HD::LabelDataFrequencyv);
    return table;
}

std::array<Detail_Widgets, Wca_Hd_Line_Count> TForm_WCA_HD::Widgets() const
{
    std::array<Detail_Widgets, Wca_Hd_Line_Count> widgets;
    widgets[Wca_Hd_Temperature] = {LabelTemperature, LabelTemperaturev};
    widgets[Wca_Hd_Rx_Status] = {LabelRxStatus, nullptr, ImageRxStatus};
    widgets[Wca_Hd_Tx_Status] = {LabelTxStatus, nullptr, ImageTxStatus};
    widgets[Wca_Hd_Video_Stream] = {LabelVideoStream, nullptr, ImageVideoStream};
    widgets[Wca_Hd_Service_Data] = {LabelServiceData, nullptr, ImageServiceData};
    widgets[Wca_Hd_Intercom_Data] = {LabelIntercomData, nullptr, ImageIntercomData};
    widgets[Wca_Hd_Data_Frequency] = {LabelDataFrequency, LabelDataFrequencyv};
    return widgets;
}

// After the first refresh the lines follow the state only while the WCU
// header is equally there or not in both copies.
void TForm_WCA_HD::Refresh_Lines(bool full)
{
    if (!full && Hd_Wcu_Present(Current->HD.Wcu) != Hd_Wcu_Present(Snapshot->HD.Wcu)) {
        return;
    }
    const Wca_Hd_Lines before = Wca_Hd_Line_Table(*Snapshot);
    Show_Lines(Widgets(), Wca_Hd_Line_Table(*Current), full ? nullptr : &before);
}

// Temperature, receivers, transmitter, video, service and intercom data and
// the data frequencies.
void TForm_WCA_HD::EvaluateAlarm()
{
    Alarm = Any_Fault(Wca_Hd_Line_Table(*Current));
}

