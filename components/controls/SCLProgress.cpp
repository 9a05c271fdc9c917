#include "components/controls/SCLProgress.h"

#include "platform/classlib/Class_Registry.h"

namespace {

const bool Progress_Registered = [] {
    RegisterComponentClass<TSCLProgress, TSCLCustomProgress>("TSCLProgress")
        .Property("Step", Integer_Type(0, 255), &TSCLProgress::Step,
                  [](TSCLProgress& bar, int value) { bar.SetStep(static_cast<TSCLPercent>(value)); }, 10)
        .Property("Position", Integer_Type(0, 255), &TSCLProgress::Position, &TSCLProgress::SetPercentValue, 0)
        .Property("UserValue", Integer_Type(), &TSCLProgress::UserValue, &TSCLProgress::SetUserValue, 0);
    return true;
}();

} // namespace

TSCLProgress::TSCLProgress(TComponent* AOwner) : TSCLCustomProgress(AOwner) {}

TSCLProgress::~TSCLProgress() = default;
