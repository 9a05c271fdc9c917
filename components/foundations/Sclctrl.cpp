#include "components/foundations/Sclctrl.h"

#include <limits>

std::string SCLUniqueName(const std::string& BaseName, const TComponent* Owner)
{
    const std::string stem =
        !BaseName.empty() && (BaseName.front() == 'T' || BaseName.front() == 't') ? BaseName.substr(1) : BaseName;
    std::string name = stem + "1";
    if (Owner == nullptr)
        return name;
    for (int number = 1; Owner->FindComponent(name) != nullptr && number < std::numeric_limits<int>::max();)
        name = stem + std::to_string(++number);
    return name;
}

void SCLCreateHandle(TWinControl* Control)
{
    if (Control != nullptr)
        Control->HandleNeeded();
}
