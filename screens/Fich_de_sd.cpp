#include "screens/Fich_de_sd.h"

#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLSimpleLabel.h"
#include "link/St_system.h"
#include "platform/classlib/String_Table.h"
#include "platform/classlib/SysUtils.h"
#include "screens/Fich_amu_sd.h"
#include "screens/Sd_fields.h"

namespace {

// The frequency is known only for a chosen data range, and firmware 1.0
// knows the 433 MHz range only.
std::string Data_Frequency_Advice(bool same, int data_range)
{
    if (!same) {
        return "";
    }
    return LoadStr(data_range != 0 ? 3029 : 3025);
}

} // namespace

De_Sd_Lines De_Sd_Line_Table(const St_System& state, char de)
{
    const St_System_SD_AMU& amu = Amu_Sd_Record(state, de);
    const int channel = Sd_Amu_Data_Channel_Code(amu);
    const int data_range = state.SD.Data_Range_Frequency;
    const bool same =
        Is_Same_Or_Disabled_De(Sd_Wcu_Data_Channel(state.SD.WCU), channel, state.Type.Is_Sd_Wcu_After_V1());
    const bool known = same && data_range != 0 && (Sd_Amu_After_1_0(amu) || data_range == 1);

    De_Sd_Lines lines;
    lines[De_Data_Channel] = same ? Value_Line(Format("%X", channel)) : Value_Line("???", true);
    lines[De_Data_Frequency] = known ? Value_Line(Sd_Amu_Carrier_Frequency_Text(amu, data_range))
                                     : Value_Line("???", true, Data_Frequency_Advice(same, data_range));
    return lines;
}

TForm_DE_SD::TForm_DE_SD(TComponent* owner, TSCLCustomImageList* image_list, TSCLShapeButton* title_button,
                         char de, St_System* current, St_System* snapshot)
    : Detail_Window(owner, title_button, de == '2' ? 'E' : 'D', current, snapshot), De(de)
{
    Read_Form(Table(), image_list);
}

const TForm_Table& TForm_DE_SD::Table()
{
    static const TForm_Table table = Common_Table()
                                         .Field("LabelDataChannel", &TForm_DE_SD::LabelDataChannel)
                                         .Field("LabelDataChannelv", &TForm_DE_SD::LabelDataChannelv)
                                         .Field("LabelDataFrequency", &TForm_DE_SD::LabelDataFrequency)
                                         .Field("LabelDataFrequencyv", &TForm_DE_SD::LabelDataFrequencyv);
    return table;
}

std::array<Detail_Widgets, De_Sd_Line_Count> TForm_DE_SD::Widgets() const
{
    std::array<Detail_Widgets, De_Sd_Line_Count> widgets;
    widgets[De_Data_Channel] = {LabelDataChannel, LabelDataChannelv};
    widgets[De_Data_Frequency] = {LabelDataFrequency, LabelDataFrequencyv};
    return widgets;
}

void TForm_DE_SD::Refresh_Lines(bool full)
{
    const De_Sd_Lines before = De_Sd_Line_Table(*Snapshot, De);
    Show_Lines(Widgets(), De_Sd_Line_Table(*Current, De), full ? nullptr : &before);
}

// An alarm unless the channels agree and the data frequency is known.
void TForm_DE_SD::EvaluateAlarm()
{
    Alarm = Any_Fault(De_Sd_Line_Table(*Current, De));
}
