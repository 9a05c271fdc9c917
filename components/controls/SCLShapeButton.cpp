#include "components/controls/SCLShapeButton.h"

#include "platform/classlib/Class_Registry.h"

namespace {

const bool Shape_Button_Registered = [] {
    RegisterComponentClass<TSCLShapeButton, TSCLCustomShapeButton>("TSCLShapeButton");
    return true;
}();

} // namespace

TSCLShapeButton::TSCLShapeButton(TComponent* AOwner) : TSCLCustomShapeButton(AOwner) {}

TSCLShapeButton::~TSCLShapeButton() = default;
