#pragma once
// The outline pen and bevel of shapes and shape buttons: its width, its
// style and its three colours.

#include <array>
#include <string>

#include "components/controls/Sclbevel.h"
#include "components/foundations/Sclgraph.h"
#include "components/foundations/Sclobject.h"
#include "platform/classlib/Graphics.h"

// sbNormal: the outline only, in Color; sbInset: shadow colour first, light
// colour second; sbOffset: light colour first, shadow colour second.
enum TSCLSimpleBevelStyle { sbNormal, sbInset, sbOffset };
template <>
struct TSCLEnumInfo<TSCLSimpleBevelStyle> {
    static constexpr const char* TypeName = "TSCLSimpleBevelStyle";
    static constexpr std::array<const char*, 3> Names{"sbNormal", "sbInset", "sbOffset"};
};

class TSCLSimpleBevel : public TSCLObject {
public:
    TSCLSimpleBevel() = default;

    // 0..50.
    TSCLBevelWidth Width() const { return width; }
    TSCLSimpleBevelStyle Style() const { return style; }
    TColor Color() const { return color; }
    TColor LightColor() const { return light_color; }
    TColor ShadowColor() const { return shadow_color; }

    void SetWidth(TSCLBevelWidth Value);
    void SetStyle(TSCLSimpleBevelStyle Value);
    // 0 LightColor, 1 ShadowColor, 2 Color.
    void SetColor(int Index, TColor Value);

    // Every field, one notification.
    void Assign(TPersistent* Source) override;
    // "{Normal}", "{Inset}", "{Offset}".
    std::string GetSetStr() override;

private:
    TSCLBevelWidth width = 2;
    TSCLSimpleBevelStyle style = sbNormal;
    TColor color = clBlack;
    TColor light_color = clBtnHighlight;
    TColor shadow_color = clBtnShadow;
};
