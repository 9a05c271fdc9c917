#include "screens/Amu_ihm_main_sd_hd.h"

#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLLEDLabel.h"
#include "components/controls/SCLLImage.h"
#include "components/controls/SCLShapeButton.h"
#include "components/controls/SCLShapeControl.h"
#include "components/controls/SCLSimpleLabel.h"
#include "platform/classlib/String_Table.h"
#include "platform/classlib/SysUtils.h"
#include "screens/Amu_ihm_main_hd.h"
#include "screens/Amu_ihm_main_sd.h"
#include "screens/Block_paint.h"

namespace {

// The LED of an identifier that does not clash with the other AMU's.
constexpr TColor Amu_Identifier_Colour = 0x008000;
// A clashing identifier's LED toggles on every fourth refresh: four lit, four dark.
constexpr int Amu_Blink_Period = 4;

} // namespace

template <class Presenter, class Block_Widgets>
AMU_IHM_Main_SD_HD<Presenter, Block_Widgets>::AMU_IHM_Main_SD_HD(const Widgets& widgets, int clash_hint,
                                                                 int identifier_hint)
    : W(widgets), Clash_Hint(clash_hint), Identifier_Hint(identifier_hint)
{
}

template <class Presenter, class Block_Widgets>
bool AMU_IHM_Main_SD_HD<Presenter, Block_Widgets>::IsFrameActive() const
{
    return Frame_Shadow(W.GroupBoxAMU) == Active_Colour;
}

template <class Presenter, class Block_Widgets>
bool AMU_IHM_Main_SD_HD<Presenter, Block_Widgets>::IsWireDEVisible() const
{
    return W.ShapeControlWireDE->Visible();
}

template <class Presenter, class Block_Widgets>
bool AMU_IHM_Main_SD_HD<Presenter, Block_Widgets>::IsWireDEActive() const
{
    return Is_Cable_Active(W.ShapeControlWireDE);
}

template <class Presenter, class Block_Widgets>
void AMU_IHM_Main_SD_HD<Presenter, Block_Widgets>::ReleaseTitleButton(int ownerLeft, int ownerTop)
{
    Release_Title_Button(W.ShapeButtonAMUTitle, ownerLeft, ownerTop);
}

template <class Presenter, class Block_Widgets>
void AMU_IHM_Main_SD_HD<Presenter, Block_Widgets>::Set_Common_Active(bool on, bool wire)
{
    this->Active = on;
    Show_Wire(on);
    for (TControl* control : std::initializer_list<TControl*> {
             W.LabelAMUCell, W.LabelAMULock, W.LabelAMUError, W.LabelAMUAntenna1, W.LabelAMUAntenna2,
             W.LabelAMUAntenna3, W.GroupAMUTuners, W.ShapeButtonAMUTitle}) {
        control->SetEnabled(on);
    }
    W.LabelAMUCell->SetShowHint(on);
    W.LEDAMUCell->SetShowHint(on);
    if (on) {
        return;
    }
    for (TSCLLImage* image : {W.ImageLockAMUAnt1, W.ImageLockAMUAnt2, W.ImageLockAMUAnt3}) {
        image->SetIndexedImageIndex(Block_Image::Off);
    }
    W.LEDAMUCell->SetEnabled(false);
    PaintInactive(wire);
    Grey_Title(W.ShapeButtonAMUTitle);
}

template <class Presenter, class Block_Widgets>
void AMU_IHM_Main_SD_HD<Presenter, Block_Widgets>::Refresh_Common(bool full, const Amu_Common_View& shown,
                                                                  const Amu_Common_View& polled)
{
    RefreshIdentifier(full, shown, polled);
    const bool wire_changed = shown.Wire != polled.Wire;
    if (full || wire_changed) {
        Show_Wire(polled.Wire);
    }
    TSCLLImage* const locks[] = {W.ImageLockAMUAnt1, W.ImageLockAMUAnt2, W.ImageLockAMUAnt3};
    for (std::size_t tuner = 0; tuner < polled.Locked.size(); ++tuner) {
        if (full || shown.Locked[tuner] != polled.Locked[tuner]) {
            locks[tuner]->SetIndexedImageIndex(polled.Locked[tuner] ? Block_Image::Good : Block_Image::Off);
        }
    }
    if (full || wire_changed || shown.Frame_Lit != polled.Frame_Lit) {
        if (polled.Frame_Lit) {
            PaintActive(polled.Wire);
        } else {
            PaintInactive(polled.Wire);
        }
    }
}

template <class Presenter, class Block_Widgets>
void AMU_IHM_Main_SD_HD<Presenter, Block_Widgets>::Refresh_Flag_Image(bool full, TSCLLImage* image, bool was_set,
                                                                      bool is_set)
{
    if (full || was_set != is_set) {
        image->SetIndexedImageIndex(is_set ? Block_Image::Fault : Block_Image::Off);
    }
}

template <class Presenter, class Block_Widgets>
void AMU_IHM_Main_SD_HD<Presenter, Block_Widgets>::RefreshIdentifier(bool full, const Amu_Common_View& shown,
                                                                     const Amu_Common_View& polled)
{
    if (full || shown.Identifier != polled.Identifier) {
        W.LEDAMUCell->SetCaption(Format("%X", {polled.Identifier}));
    }
    const bool clash = polled.Clash;
    if (full || shown.Clash != clash) {
        W.LEDAMUCell->SetEnabled(true);
        if (clash) {
            Blink_Counter = 0;
        }
        W.LEDAMUCell->LED()->SetColor(0, clash ? Alarm_Colour : Amu_Identifier_Colour);
        W.LabelAMUCell->Font()->SetColor(clash ? Alarm_Colour : Black_Colour);
        const std::string hint = LoadStr(clash ? Clash_Hint : Identifier_Hint);
        W.LabelAMUCell->SetHint(hint);
        W.LEDAMUCell->SetHint(hint);
    } else if (clash) {
        ++Blink_Counter;
        if (Blink_Counter % Amu_Blink_Period == 0) {
            W.LEDAMUCell->SetEnabled(!W.LEDAMUCell->Enabled());
        }
    }
}

template <class Presenter, class Block_Widgets>
void AMU_IHM_Main_SD_HD<Presenter, Block_Widgets>::Show_Wire(bool visible)
{
    for (TControl* shape : {W.ShapeControlWireDE, W.ShapeControlPlug1DE, W.ShapeControlPlug2DE}) {
        shape->SetVisible(visible);
    }
}

template <class Presenter, class Block_Widgets>
void AMU_IHM_Main_SD_HD<Presenter, Block_Widgets>::PaintActive(bool wire)
{
    Set_Frame_Shadow(W.GroupBoxAMU, Active_Colour);
    if (wire) {
        Paint_Cable(W.ShapeControlWireDE, true);
    }
}

template <class Presenter, class Block_Widgets>
void AMU_IHM_Main_SD_HD<Presenter, Block_Widgets>::PaintInactive(bool wire)
{
    Set_Frame_Shadow(W.GroupBoxAMU, Inactive_Frame_Colour);
    if (wire) {
        Paint_Cable(W.ShapeControlWireDE, false);
    }
}

template class AMU_IHM_Main_SD_HD<AMU_IHM_Main_SD, Amu_Sd_Widgets>;
template class AMU_IHM_Main_SD_HD<AMU_IHM_Main_HD, Amu_Hd_Widgets>;
