#include "screens/Fich_de_hd.h"

#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLLImage.h"
#include "components/controls/SCLSimpleLabel.h"
#include "link/St_system.h"
#include "platform/classlib/String_Table.h"
#include "screens/Fich_amu_hd.h"
#include "screens/Fich_wcu_hd.h"
#include "screens/Hd_fields.h"

De_Hd_Lines De_Hd_Line_Table(const St_System& state, char de)
{
    const St_System_HD_AMU& amu = Amu_Hd_Record(state, de);
    De_Hd_Lines lines;
    lines[De_Hd_Status] = Hd_Flag_Line(Hd_De_Programmed(amu), Detail_Image_On, LoadStr(3055));
    lines[De_Hd_Booster] = Hd_Flag_Line(Hd_De_Booster(amu), Detail_Image_On, LoadStr(3077));
    return lines;
}

TForm_DE_HD::TForm_DE_HD(TComponent* owner, TSCLCustomImageList* image_list, TSCLShapeButton* title_button,
                         char de, St_System* current, St_System* snapshot)
    : Detail_Window(owner, title_button, de == '2' ? 'E' : 'D', current, snapshot), De(de)
{
    Read_Form(Table(), image_list);
}

const TForm_Table& TForm_DE_HD::Table()
{
    static const TForm_Table table = Common_Table()
                                         .Field("LabelStatus", &TForm_DE_HD::LabelStatus)
                                         .Field("ImageStatus", &TForm_DE_HD::ImageStatus)
                                         .Field("LabelBooster", &TForm_DE_HD::LabelBooster)
                                         .Field("ImageBooster", &TForm_DE_HD::ImageBooster);
    return table;
}

std::array<Detail_Widgets, De_Hd_Line_Count> TForm_DE_HD::Widgets() const
{
    std::array<Detail_Widgets, De_Hd_Line_Count> widgets;
    widgets[De_Hd_Status] = {LabelStatus, nullptr, ImageStatus};
    widgets[De_Hd_Booster] = {LabelBooster, nullptr, ImageBooster};
    return widgets;
}

void TForm_DE_HD::Refresh_Lines(bool full)
{
    const De_Hd_Lines before = De_Hd_Line_Table(*Snapshot, De);
    Show_Lines(Widgets(), De_Hd_Line_Table(*Current, De), full ? nullptr : &before);
}

// An alarm while the emitter is not programmed or has no booster.
void TForm_DE_HD::EvaluateAlarm()
{
    Alarm = Any_Fault(De_Hd_Line_Table(*Current, De));
}

