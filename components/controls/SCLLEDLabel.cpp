#include "components/controls/SCLLEDLabel.h"

#include "platform/classlib/Class_Registry.h"

namespace {

const bool Led_Label_Registered = [] {
    RegisterComponentClass<TSCLLEDLabel, TSCLLEDCustomLabel>("TSCLLEDLabel");
    return true;
}();

} // namespace

TSCLLEDLabel::TSCLLEDLabel(TComponent* AOwner) : TSCLLEDCustomLabel(AOwner) {}

TSCLLEDLabel::~TSCLLEDLabel() = default;
