#include "components/controls/Sclsimplebevel.h"

#include "platform/classlib/Class_Registry.h"

namespace {

// Forms set Bevel.Style = sbOffset, Bevel.Width, Bevel.LightColor, ...
const bool Simple_Bevel_Registered = [] {
    const auto colour = [](int index) {
        return [index](TSCLSimpleBevel& bevel, TColor value) { bevel.SetColor(index, value); };
    };
    RegisterClass<TSCLSimpleBevel>("TSCLSimpleBevel")
        .Property("Color", Color_Type(), &TSCLSimpleBevel::Color, colour(2), clBlack)
        .Property("Width", Integer_Type(0, 50), &TSCLSimpleBevel::Width, &TSCLSimpleBevel::SetWidth, 2)
        .Property("Style", Enum_Type<TSCLSimpleBevelStyle>(TSCLEnumInfo<TSCLSimpleBevelStyle>::Names),
                  &TSCLSimpleBevel::Style, &TSCLSimpleBevel::SetStyle, sbNormal)
        .Property("LightColor", Color_Type(), &TSCLSimpleBevel::LightColor, colour(0), clBtnHighlight)
        .Property("ShadowColor", Color_Type(), &TSCLSimpleBevel::ShadowColor, colour(1), clBtnShadow);
    return true;
}();

} // namespace

void TSCLSimpleBevel::SetWidth(TSCLBevelWidth Value)
{
    Store(width, Value);
}

void TSCLSimpleBevel::SetStyle(TSCLSimpleBevelStyle Value)
{
    Store(style, Value);
}

void TSCLSimpleBevel::SetColor(int Index, TColor Value)
{
    switch (Index) {
    case 0: Store(light_color, Value); break;
    case 1: Store(shadow_color, Value); break;
    case 2: Store(color, Value); break;
    default: break;
    }
}

void TSCLSimpleBevel::Assign(TPersistent* Source)
{
    auto* bevel = dynamic_cast<TSCLSimpleBevel*>(Source);
    if (!bevel) {
        TSCLObject::Assign(Source);
        return;
    }
    width = bevel->width;
    style = bevel->style;
    color = bevel->color;
    light_color = bevel->light_color;
    shadow_color = bevel->shadow_color;
    Change();
}

std::string TSCLSimpleBevel::GetSetStr()
{
    static constexpr const char* words[] = {"Normal", "Inset", "Offset"};
    return std::string("{") + words[style] + "}";
}
