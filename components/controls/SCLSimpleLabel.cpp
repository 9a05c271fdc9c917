#include "components/controls/SCLSimpleLabel.h"

#include "platform/classlib/Class_Registry.h"

namespace {

const bool Simple_Label_Registered = [] {
    RegisterComponentClass<TSCLSimpleLabel, TSCLCustomSimpleLabel>("TSCLSimpleLabel");
    return true;
}();

} // namespace

TSCLSimpleLabel::TSCLSimpleLabel(TComponent* AOwner) : TSCLCustomSimpleLabel(AOwner) {}

TSCLSimpleLabel::~TSCLSimpleLabel() = default;
