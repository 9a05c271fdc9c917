#include "screens/De_ihm_main_sd.h"

#include "link/St_system.h"
#include "screens/Sd_fields.h"

DE_IHM_Main_SD::DE_IHM_Main_SD(St_System* previous, St_System* current, char unit, const Widgets& widgets)
    : DE_IHM_Main_SD_HD(unit, widgets), Settings_Previous(&previous->Settings), Settings_Current(&current->Settings),
      Amu_Previous(unit == '1' ? &previous->SD.AMU1 : &previous->SD.AMU2),
      Amu_Current(unit == '1' ? &current->SD.AMU1 : &current->SD.AMU2),
      De_Previous(unit == '1' ? &previous->SD.DE1 : &previous->SD.DE2),
      De_Current(unit == '1' ? &current->SD.DE1 : &current->SD.DE2)
{
}

void DE_IHM_Main_SD::Update(bool full)
{
    auto gate = [](const St_System_Settings& settings, const St_System_SD_AMU& amu, const St_System_SD_DE& de) {
        return std::array {settings.Is_Connected(), Sd_Amu_Present(amu), Sd_Amu_Polled(amu), Sd_De_Answers(de)};
    };
    auto view = [](const St_System_SD_AMU& amu, const St_System_SD_DE& de) {
        return Record_View {Sd_De_Tx_Enabled(de), Sd_Amu_Test_Signal(amu), Sd_Amu_Active(amu)};
    };
    Show(full, gate(*Settings_Previous, *Amu_Previous, *De_Previous),
         gate(*Settings_Current, *Amu_Current, *De_Current), view(*Amu_Previous, *De_Previous),
         view(*Amu_Current, *De_Current));
}
