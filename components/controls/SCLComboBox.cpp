#include "components/controls/SCLComboBox.h"

#include "components/controls/SCLBaseEdit.h"
#include "platform/classlib/Class_Registry.h"

namespace {

const bool Combo_Box_Registered = [] {
    RegisterClass<TSCLCustomComboBox, TCustomComboBox>("TSCLCustomComboBox");
    RegisterComponentClass<TSCLComboBox, TSCLCustomComboBox>("TSCLComboBox")
        .Property("About", String_Type(), [](TSCLComboBox& c) { return c.About; },
                  [](TSCLComboBox& c, const std::string& v) { c.About = v; })
        .Not_Stored()
        .Property("DropDownWidth", Integer_Type(0), &TSCLComboBox::DropDownWidth,
                  [](TSCLComboBox& c, int v) { c.SetInteger(0, v); }, 0)
        .Property("Flat", Boolean_Type(), &TSCLComboBox::Flat, [](TSCLComboBox& c, bool v) { c.SetBoolean(0, v); },
                  false)
        .Property("Interval", Integer_Type(0), [](TSCLComboBox& c) { return c.Interval; },
                  [](TSCLComboBox& c, int v) { c.Interval = v; }, 1500)
        .Property("MRUList", Boolean_Type(), &TSCLComboBox::MRUList,
                  [](TSCLComboBox& c, bool v) { c.SetBoolean(1, v); }, false)
        .Property("MRUMax", Integer_Type(0), &TSCLComboBox::MRUMax, [](TSCLComboBox& c, int v) { c.SetInteger(1, v); },
                  5)
        .Property("Search", Boolean_Type(), &TSCLComboBox::Search, &TSCLComboBox::SetSearch, false)
        .Property("ImeMode", Enum_Type<TSCLImeMode>(SCLImeModeNames), [](TSCLComboBox& c) { return c.ImeMode; },
                  [](TSCLComboBox& c, TSCLImeMode v) { c.ImeMode = v; }, imDontCare)
        .Component<TWinControl>("FocusControl", &TSCLComboBox::FocusControl, &TSCLComboBox::SetFocusControl)
        .Event("OnSelect", &TSCLCustomComboBox::OnSelect)
        .Event("OnEditClick", &TSCLCustomComboBox::OnEditClick);
    return true;
}();

} // namespace

TSCLComboBox::TSCLComboBox(TComponent* AOwner) : TSCLCustomComboBox(AOwner) {}

TSCLComboBox::~TSCLComboBox() = default;
