#include "components/controls/SCLPanelFill.h"

#include "platform/classlib/Class_Registry.h"

namespace {

const bool Panel_Fill_Leaf_Registered = [] {
    RegisterComponentClass<TSCLPanelFill, TSCLCustomPanelFill>("TSCLPanelFill");
    return true;
}();

} // namespace

TSCLPanelFill::TSCLPanelFill(TComponent* AOwner) : TSCLCustomPanelFill(AOwner) {}

TSCLPanelFill::~TSCLPanelFill() = default;
