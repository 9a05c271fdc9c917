#include "screens/Pc_ihm_main_sd_hd.h"

#include "components/controls/SCLBackPanel.h"
#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLLImage.h"
#include "components/controls/SCLPanelFill.h"
#include "components/controls/SCLShapeButton.h"
#include "components/controls/SCLSimpleLabel.h"
#include "components/controls/Sclanictrl.h"
#include "link/St_system.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/String_Table.h"
#include "screens/Block_paint.h"
#include "screens/Pc_ihm_main_hd.h"
#include "screens/Pc_ihm_main_sd.h"
#include "shell/services/Screen_dpi.h"

#include <string>

template <class Presenter, class Block_Widgets>
PC_IHM_Main_SD_HD<Presenter, Block_Widgets>::PC_IHM_Main_SD_HD(St_System* previous, St_System* current,
                                                               int colour_depth,
                                                               const std::atomic<int>* camera_count,
                                                               const Widgets& widgets)
    : Colour_Depth(colour_depth), Settings_Previous(&previous->Settings), Settings_Current(&current->Settings),
      W(widgets), Camera_Count(camera_count)
{
    Number_Items(W.MenuCom, 1);
    Number_Items(W.MenuCamerasCount, 1);
    const bool large = Is_Large_Screen();
    W.BackPanelMain->SetListIndex(large ? 1 : 0);
    W.ImageLogoQuorvale->SetListIndex(large ? 6 : 5);
}

template <class Presenter, class Block_Widgets>
bool PC_IHM_Main_SD_HD<Presenter, Block_Widgets>::Is_Port_Renewed(bool full) const
{
    return full || Settings_Current->Port_Number != Settings_Previous->Port_Number;
}

template <class Presenter, class Block_Widgets>
void PC_IHM_Main_SD_HD<Presenter, Block_Widgets>::Draw_Block()
{
    if (Settings_Current->Has_Port()) {
        UpdateLinkState(true);
    }
    static_cast<Presenter&>(*this).UpdateMenus(true);
    UpdateCamerasCountMenu();
    UpdatePCTitle();
}

template <class Presenter, class Block_Widgets>
void PC_IHM_Main_SD_HD<Presenter, Block_Widgets>::Refresh_Block(bool renewed)
{
    Presenter& block = static_cast<Presenter&>(*this);
    if (Settings_Current->Has_Port()) {
        UpdateLinkState(renewed);
    }
    // Evaluated without a port too: a page never refreshed in full would
    // otherwise keep the clear alarm it was created with.
    block.EvaluateAlarm();
    if (renewed) {
        UpdateCamerasCountMenu();
        UpdatePCTitle();
    }
    block.UpdateMenus(false);
}

template <class Presenter, class Block_Widgets>
void PC_IHM_Main_SD_HD<Presenter, Block_Widgets>::ShowPortState(bool on)
{
    W.PanelFillAniCamera->SetVisible(on);
    W.LabelPCWCULink->SetEnabled(on);
    W.ImagePCWCULink->SetVisible(on);
    if (on) {
        Set_Frame_Shadow(W.GroupBoxPC, Active_Colour);
        return;
    }
    Set_Frame_Shadow(W.GroupBoxPC, Inactive_Frame_Colour);
    for (int i = 0; i < W.MenuCom->Count(); ++i) {
        W.MenuCom->Items(i)->SetChecked(false);
    }
}

template <class Presenter, class Block_Widgets>
void PC_IHM_Main_SD_HD<Presenter, Block_Widgets>::UpdateLinkState(bool full)
{
    const bool connected = Settings_Current->Is_Connected();
    if (!full && connected == Settings_Previous->Is_Connected()) {
        return;
    }
    W.ImagePCWCULink->SetIndexedImageIndex(connected ? Block_Image::Good : Block_Image::Off);
    W.AniCamera->SetInterval(connected ? 50 : 300);
    W.AniCamera->SetListIndex((connected ? 3 : 2) + (Is_Large_Screen() ? 2 : 0));
    const std::string hint = LoadStr(connected ? 3008 : 3007) + std::to_string(Settings_Current->Port_Number);
    W.PanelFillAniCamera->SetHint(hint);
    W.AniCamera->SetHint(hint);
    W.AniCamera->Play();
}

template <class Presenter, class Block_Widgets>
void PC_IHM_Main_SD_HD<Presenter, Block_Widgets>::UpdateMenus(bool full)
{
    const int port = Settings_Current->Port_Number;
    const bool sound = Settings_Current->Is_Alarm_Sound();
    if (!full && port == Settings_Previous->Port_Number && sound == Settings_Previous->Is_Alarm_Sound()) {
        return;
    }
    W.MenuCom->SetEnabled(true);
    Check_Only(W.MenuCom, port);
    W.MenuSound->SetChecked(sound);
}

template <class Presenter, class Block_Widgets>
void PC_IHM_Main_SD_HD<Presenter, Block_Widgets>::UpdateCamerasCountMenu()
{
    Check_Only(W.MenuCamerasCount, *Camera_Count);
}

template <class Presenter, class Block_Widgets>
void PC_IHM_Main_SD_HD<Presenter, Block_Widgets>::UpdatePCTitle()
{
    const int port = Settings_Current->Port_Number;
    if (port != 0) {
        W.ShapeButtonPCTitle->SetHint(LoadStr(3005) + std::to_string(port) + LoadStr(3006));
        if (Title_Colour(W.ShapeButtonPCTitle) != Good_Colour) {
            Set_Title_Colour(W.ShapeButtonPCTitle, Good_Colour);
        }
    } else if (Title_Colour(W.ShapeButtonPCTitle) != Alarm_Colour) {
        W.ShapeButtonPCTitle->SetHint(LoadStr(3004));
        Set_Title_Colour(W.ShapeButtonPCTitle, Alarm_Colour);
    }
}

template <class Presenter, class Block_Widgets>
void PC_IHM_Main_SD_HD<Presenter, Block_Widgets>::Check_Only(TMenuItem* menu, int tag)
{
    for (int i = 0; i < menu->Count(); ++i) {
        menu->Items(i)->SetChecked(menu->Items(i)->Tag() == tag);
    }
}

template <class Presenter, class Block_Widgets>
void PC_IHM_Main_SD_HD<Presenter, Block_Widgets>::Number_Items(TMenuItem* menu, int first)
{
    for (int i = 0; i < menu->Count(); ++i) {
        menu->Items(i)->SetTag(first + i);
    }
}

template class PC_IHM_Main_SD_HD<PC_IHM_Main_SD, Pc_Sd_Widgets>;
template class PC_IHM_Main_SD_HD<PC_IHM_Main_HD, Pc_Hd_Widgets>;
