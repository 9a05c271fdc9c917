#include "components/controls/SCLShapeControl.h"

#include "platform/classlib/Class_Registry.h"

namespace {

const bool Shape_Control_Registered = [] {
    RegisterComponentClass<TSCLShapeControl, TSCLBaseShape>("TSCLShapeControl");
    return true;
}();

} // namespace

TSCLShapeControl::TSCLShapeControl(TComponent* AOwner) : TSCLBaseShape(AOwner) {}

TSCLShapeControl::~TSCLShapeControl() = default;
