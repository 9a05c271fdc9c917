#include "screens/Amu_detail_window.h"

#include "components/controls/SCLLImage.h"
#include "components/controls/SCLProgress.h"
#include "components/controls/SCLSimpleLabel.h"

Amu_Detail_Window::Amu_Detail_Window(TComponent* owner, TSCLShapeButton* title_button, char amu, St_System* current,
                                     St_System* snapshot)
    : Detail_Window(owner, title_button, amu == '2' ? 'M' : 'A', current, snapshot), Amu(amu)
{
}

TForm_Table Amu_Detail_Window::Amu_Table()
{
    using F = Amu_Detail_Window;
    return Common_Table()
        .Field("LabelFirmwareVersion", &F::LabelFirmwareVersion)
        .Field("LabelFirmwareVersionv", &F::LabelFirmwareVersionv)
        .Field("LabelTemperature", &F::LabelTemperature)
        .Field("LabelTemperaturev", &F::LabelTemperaturev)
        .Field("LabelVoltage", &F::LabelVoltage)
        .Field("LabelVoltagev", &F::LabelVoltagev)
        .Field("LabelTriaxQOS", &F::LabelTriaxQOS)
        .Field("ProgressTriaxQOS", &F::ProgressTriaxQOS)
        .Field("LabelPreaccAMU", &F::LabelPreaccAMU)
        .Field("ImagePreaccAMU", &F::ImagePreaccAMU);
}

void Amu_Detail_Window::Read_Amu_Form(const TForm_Table& table, TSCLCustomImageList* image_list)
{
    Read_Form(table, image_list);
    ProgressTriaxQOS->SetMaxValue(Amu_Qos_Max);
    ProgressTriaxQOS->SetMinValue(Amu_Qos_Min);
}
