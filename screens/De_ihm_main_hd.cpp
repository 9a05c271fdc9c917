#include "screens/De_ihm_main_hd.h"

#include "link/St_system.h"
#include "screens/Hd_fields.h"

DE_IHM_Main_HD::DE_IHM_Main_HD(St_System* previous, St_System* current, char unit, const Widgets& widgets)
    : DE_IHM_Main_SD_HD(unit, widgets), Settings_Previous(&previous->Settings), Settings_Current(&current->Settings),
      Amu_Previous(Unit == '1' ? &previous->HD.Amu1 : &previous->HD.Amu2),
      Amu_Current(Unit == '1' ? &current->HD.Amu1 : &current->HD.Amu2),
      Status_Previous(&previous->HD.Wcu_Status), Status_Current(&current->HD.Wcu_Status)
{
}

void DE_IHM_Main_HD::Update(bool full)
{
    auto gate = [](const St_System_Settings& settings, const St_System_HD_AMU& amu) {
        return std::array {settings.Is_Connected(), Hd_Amu_Present(amu), Hd_De_Present(amu)};
    };
    auto view = [this](const St_System_HD_AMU& amu, const St_System_HD_WCU_Status& status) {
        return Record_View {Hd_De_Tx_On(amu), !Hd_De_Normal_Transmission(amu), Hd_Amu_In_Use(status, Unit)};
    };
    Show(full, gate(*Settings_Previous, *Amu_Previous), gate(*Settings_Current, *Amu_Current),
         view(*Amu_Previous, *Status_Previous), view(*Amu_Current, *Status_Current));
}
