#include "components/controls/SCLBackPanel.h"

#include "platform/classlib/Class_Registry.h"

namespace {

const bool Back_Panel_Registered = [] {
    RegisterComponentClass<TSCLBackPanel, TSCLCustomParentPanel>("TSCLBackPanel")
        .Property("QuickDraw", Boolean_Type(), &TSCLBackPanel::QuickDraw, &TSCLBackPanel::SetQuickDraw, false)
        .Event("OnMouseEnter", &TSCLCustomControl::OnMouseEnter)
        .Event("OnMouseExit", &TSCLCustomControl::OnMouseExit);
    return true;
}();

} // namespace

TSCLBackPanel::TSCLBackPanel(TComponent* AOwner) : TSCLCustomParentPanel(AOwner) {}

TSCLBackPanel::~TSCLBackPanel() = default;
