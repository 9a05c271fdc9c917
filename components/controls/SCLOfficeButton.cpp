#include "components/controls/SCLOfficeButton.h"

#include "platform/classlib/Class_Registry.h"

namespace {

const bool Office_Button_Registered = [] {
    RegisterComponentClass<TSCLOfficeButton, TSCLCustomSpeedButton>("TSCLOfficeButton")
        .Property("Style", Enum_Type<TSCLUserButtonStyle>(TSCLEnumInfo<TSCLUserButtonStyle>::Names),
                  &TSCLOfficeButton::Style, &TSCLOfficeButton::SetStyle, ubsFlat);
    return true;
}();

} // namespace

TSCLOfficeButton::TSCLOfficeButton(TComponent* AOwner) : TSCLCustomSpeedButton(AOwner)
{
    SetControlStyle(TControlStyle{csCaptureMouse, csDoubleClicks, csReplicatable});
    SetStyle(ubsFlat);
    SetGlyphKind(gkCustom);
    SetAllowMouseOver(true);
    SetBounds(Left(), Top(), 23, 22);
}
