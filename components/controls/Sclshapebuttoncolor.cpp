#include "components/controls/Sclshapebuttoncolor.h"

#include <algorithm>

#include "platform/classlib/Class_Registry.h"

namespace {

const bool Shape_Button_Color_Registered = [] {
    const auto colour = [](int index) {
        return [index](TSCLShapeButtonColor& colors, TColor value) { colors.SetColor(index, value); };
    };
    RegisterClass<TSCLShapeButtonColor>("TSCLShapeButtonColor")
        .Property("Disabled", Color_Type(), &TSCLShapeButtonColor::Disabled, colour(0), clBtnFace)
        .Property("Down", Color_Type(), &TSCLShapeButtonColor::Down, colour(1), clBtnFace)
        .Property("MouseOver", Color_Type(), &TSCLShapeButtonColor::MouseOver, colour(2), clBtnFace)
        .Property("OptionSet", Color_Type(), &TSCLShapeButtonColor::OptionSet, colour(3), clBtnFace)
        .Property("Up", Color_Type(), &TSCLShapeButtonColor::Up, colour(4), clBtnFace);
    return true;
}();

} // namespace

TColor TSCLShapeButtonColor::GetColor(int Index) const
{
    return Index >= 0 && Index < 5 ? colors[Index] : clBtnFace;
}

void TSCLShapeButtonColor::SetColor(int Index, TColor Value)
{
    if (Index >= 0 && Index < 5)
        Store(colors[Index], Value);
}

void TSCLShapeButtonColor::Assign(TPersistent* Source)
{
    auto* other = dynamic_cast<TSCLShapeButtonColor*>(Source);
    if (!other) {
        TSCLObject::Assign(Source);
        return;
    }
    std::copy(std::begin(other->colors), std::end(other->colors), std::begin(colors));
    Change();
}
