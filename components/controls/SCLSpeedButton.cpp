#include "components/controls/SCLSpeedButton.h"

#include "platform/classlib/Class_Registry.h"

namespace {

const bool Speed_Button_Registered = [] {
    RegisterComponentClass<TSCLSpeedButton, TSCLCustomSpeedButton>("TSCLSpeedButton");
    return true;
}();

} // namespace

TSCLSpeedButton::TSCLSpeedButton(TComponent* AOwner) : TSCLCustomSpeedButton(AOwner) {}

TSCLSpeedButton::~TSCLSpeedButton() = default;
