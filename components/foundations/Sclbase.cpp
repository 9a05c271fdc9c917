#include "components/foundations/Sclbase.h"

void SCLRaiseDockError(const TComponent* Component, const TComponent* Dock)
{
    const std::string component_name = Component != nullptr ? Component->Name() : "";
    const std::string dock_name = Dock != nullptr ? Dock->Name() : "";
    throw Exception("Component " + component_name + ":\r"
                    + "A TSCLDockLabel- or Button component was already attached to the component: " + dock_name
                    + "\rOnly one SCLDockXXXX per control is allowed.");
}
