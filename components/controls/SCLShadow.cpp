#include "components/controls/SCLShadow.h"

#include "platform/classlib/Class_Registry.h"

namespace {

const bool Shadow_Registered = [] {
    RegisterClass<TSCLShadow>("TSCLShadow")
        .Property("Color", Color_Type(), &TSCLShadow::Color, &TSCLShadow::SetColor, clBtnShadow)
        .Property("Depth", Integer_Type(0, 40), &TSCLShadow::Depth,
                  [](TSCLShadow& shadow, int value) { shadow.SetDepth(static_cast<TSCLShadowDepth>(value)); }, 6)
        .Property("Style", Enum_Type<TSCLShadowStyle>(TSCLEnumInfo<TSCLShadowStyle>::Names), &TSCLShadow::Style,
                  &TSCLShadow::SetStyle, hssSolid);
    return true;
}();

} // namespace

void TSCLShadow::SetColor(TColor Value)
{
    Store(color, Value);
}

void TSCLShadow::SetDepth(TSCLShadowDepth Value)
{
    Store(depth, Value);
}

void TSCLShadow::SetStyle(TSCLShadowStyle Value)
{
    Store(style, Value);
}

void TSCLShadow::Assign(TPersistent* Source)
{
    auto* shadow = dynamic_cast<TSCLShadow*>(Source);
    if (!shadow) {
        TSCLObject::Assign(Source);
        return;
    }
    style = shadow->style;
    color = shadow->color;
    depth = shadow->depth;
    Change();
}

std::string TSCLShadow::GetSetStr()
{
    static constexpr const char* words[] = {"Disabled", "solid", "tracing"};
    std::string text = std::string("{") + words[style];
    if (style != hssNone)
        text += ", " + std::to_string(depth);
    return text + "}";
}
