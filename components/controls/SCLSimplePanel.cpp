#include "components/controls/SCLSimplePanel.h"

#include "platform/classlib/Class_Registry.h"

namespace {

const bool Simple_Panel_Registered = [] {
    RegisterComponentClass<TSCLSimplePanel, TSCLCustomBevelPanel>("TSCLSimplePanel")
        .Event("OnMouseEnter", &TSCLCustomControl::OnMouseEnter)
        .Event("OnMouseExit", &TSCLCustomControl::OnMouseExit);
    return true;
}();

} // namespace

TSCLSimplePanel::TSCLSimplePanel(TComponent* AOwner) : TSCLCustomBevelPanel(AOwner) {}

TSCLSimplePanel::~TSCLSimplePanel() = default;
