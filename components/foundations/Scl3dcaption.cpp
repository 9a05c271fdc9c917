#include "components/foundations/Scl3dcaption.h"

#include <array>

#include "platform/classlib/Class_Registry.h"

namespace {

// Forms set Font3D.Style, Font3D.LightColor, CaptionFont3D.LightColor, ...
const bool Caption_3D_Registered = [] {
    RegisterClass<TSCL3DCaption>("TSCL3DCaption")
        .Property("DisabledStyle", Enum_Type<TSCLDisabledStyle>(TSCLEnumInfo<TSCLDisabledStyle>::Names),
                  &TSCL3DCaption::DisabledStyle, &TSCL3DCaption::SetDisabledStyle, dsAuto)
        .Property("LightDepth", Integer_Type(0, 255), &TSCL3DCaption::LightDepth,
                  [](TSCL3DCaption& caption, int value) { caption.SetLightDepth(static_cast<BYTE>(value)); }, 1)
        .Property("ShadowDepth", Integer_Type(0, 255), &TSCL3DCaption::ShadowDepth,
                  [](TSCL3DCaption& caption, int value) { caption.SetShadowDepth(static_cast<BYTE>(value)); }, 1)
        .Property("LightColor", Color_Type(), &TSCL3DCaption::LightColor, &TSCL3DCaption::SetLightColor,
                  clBtnHighlight)
        .Property("Orientation", Enum_Type<TSCLThreeDOrientation>(TSCLEnumInfo<TSCLThreeDOrientation>::Names),
                  &TSCL3DCaption::Orientation, &TSCL3DCaption::SetOrientation, toTopLeft)
        .Property("ShadowColor", Color_Type(), &TSCL3DCaption::ShadowColor, &TSCL3DCaption::SetShadowColor,
                  clBtnShadow)
        .Property("Style", Enum_Type<TSCLThreeDStyle>(TSCLEnumInfo<TSCLThreeDStyle>::Names), &TSCL3DCaption::Style,
                  &TSCL3DCaption::SetStyle, tdNone)
        .Property("Tracing", Integer_Type(), &TSCL3DCaption::Tracing, &TSCL3DCaption::SetTracing, 0);
    return true;
}();

} // namespace

void TSCL3DCaption::SetDisabledStyle(TSCLDisabledStyle Value)
{
    Store(disabled_style, Value);
}

void TSCL3DCaption::SetLightDepth(BYTE Value)
{
    Store(light_depth, Value);
}

void TSCL3DCaption::SetShadowDepth(BYTE Value)
{
    Store(shadow_depth, Value);
}

void TSCL3DCaption::SetLightColor(TColor Value)
{
    Store(light_color, Value);
}

void TSCL3DCaption::SetShadowColor(TColor Value)
{
    Store(shadow_color, Value);
}

void TSCL3DCaption::SetStyle(TSCLThreeDStyle Value)
{
    Store(style, Value);
}

void TSCL3DCaption::SetOrientation(TSCLThreeDOrientation Value)
{
    Store(orientation, Value);
}

void TSCL3DCaption::SetTracing(int Value)
{
    Store(tracing, Value);
}

void TSCL3DCaption::Copy_Settings(const TSCL3DCaption& Source)
{
    disabled_style = Source.disabled_style;
    light_depth = Source.light_depth;
    shadow_depth = Source.shadow_depth;
    light_color = Source.light_color;
    shadow_color = Source.shadow_color;
    style = Source.style;
    orientation = Source.orientation;
    tracing = Source.tracing;
}

void TSCL3DCaption::Assign(TPersistent* Source)
{
    auto* caption = dynamic_cast<TSCL3DCaption*>(Source);
    if (!caption) {
        TSCLObject::Assign(Source);
        return;
    }
    Copy_Settings(*caption);
    Change();
}

std::string TSCL3DCaption::GetSetStr()
{
    // tdPColorRaised has never had a word of its own: its summary is "{}".
    static constexpr std::array<const char*, 11> words{
        "Disabled", "sunken", "raised", "sunken shadow", "raised shadow", "PColor sunken", "", "shadow", "outline",
        "extrude", "extrude enh"
    };
    const auto index = static_cast<std::size_t>(style);
    return std::string("{") + (index < words.size() ? words[index] : "") + "}";
}
