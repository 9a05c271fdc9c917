#include "components/controls/SCLGroupBox.h"

#include "platform/classlib/Class_Registry.h"

namespace {

const bool Group_Box_Registered = [] {
    RegisterComponentClass<TSCLGroupBox, TSCLCustomGroupBox>("TSCLGroupBox")
        .Event("OnMouseEnter", &TSCLCustomControl::OnMouseEnter)
        .Event("OnMouseExit", &TSCLCustomControl::OnMouseExit);
    return true;
}();

} // namespace

TSCLGroupBox::TSCLGroupBox(TComponent* AOwner) : TSCLCustomGroupBox(AOwner) {}

TSCLGroupBox::~TSCLGroupBox() = default;
