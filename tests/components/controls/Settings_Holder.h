#pragma once
// A component that owns one settings object as its published "Settings",
// so that tests read and write the object's properties through the form
// reader and writer as a control's sub-object (Bevel.StyleOuter = ...).
// The form format names classes, so each settings class gets a holder class
// of its own: SCL_SETTINGS_HOLDER(TSCLBevel) declares THolder_TSCLBevel.

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Form_Parser.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Form_Writer.h"

namespace controls_test {

template <class S>
class TSettings_Holder : public TComponent {
public:
    using Settings_Type = S;
    explicit TSettings_Holder(TComponent* AOwner) : TComponent(AOwner) {}
    S Settings;
};

#define SCL_SETTINGS_HOLDER(S)                                                                                   \
    class THolder_##S : public controls_test::TSettings_Holder<S> {                                             \
    public:                                                                                                      \
        using controls_test::TSettings_Holder<S>::TSettings_Holder;                                                           \
    }

template <class H>
void Register_Holder()
{
    static std::once_flag registered;
    std::call_once(registered, [] {
        H probe(nullptr);
        RegisterComponentClass<H, TComponent>(probe.ClassName())
            .Object("Settings", [](H& holder) { return &holder.Settings; });
    });
}

// The holder read from lines "Settings.X = value".
template <class H>
std::unique_ptr<H> Read_Holder(const std::string& Lines)
{
    Register_Holder<H>();
    H probe(nullptr);
    const std::string text = "object Holder: " + probe.ClassName() + "\n" + Lines + "\nend\n";
    std::unique_ptr<TComponent> component(CreateComponentFromText(text, "test", nullptr));
    return std::unique_ptr<H>(dynamic_cast<H*>(component.release()));
}

// The property names the writer stores for the holder ("Settings.Mode").
template <class H>
std::vector<std::string> Stored_Names(H& Holder)
{
    Register_Holder<H>();
    Holder.SetName("Holder");
    std::vector<std::string> names;
    for (const TFormProperty& property : Parse_Form_Text(WriteComponentText(&Holder), "written").Properties)
        names.push_back(property.Name);
    return names;
}

} // namespace controls_test
