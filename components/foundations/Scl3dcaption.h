#pragma once
// The settings of three-dimensional text: the effect, the depth and colour
// of its light and shadow copies, the corner the light falls from, the
// extra space between characters and how disabled text looks. Controls own
// one as a sub-object (Font3D, CaptionFont3D) and hand it to the text
// routines of Sclutils, which read it; the object itself draws nothing.

#include <string>

#include "components/foundations/Sclgraph.h"
#include "components/foundations/Sclobject.h"
#include "platform/classlib/Graphics.h"
#include "platform/winapi/WinTypes.h"

class TSCL3DCaption : public TSCLObject {
public:
    TSCL3DCaption() = default;

    TSCLDisabledStyle DisabledStyle() const { return disabled_style; }
    BYTE LightDepth() const { return light_depth; }
    BYTE ShadowDepth() const { return shadow_depth; }
    TColor LightColor() const { return light_color; }
    TColor ShadowColor() const { return shadow_color; }
    TSCLThreeDStyle Style() const { return style; }
    TSCLThreeDOrientation Orientation() const { return orientation; }
    // Extra pixels between characters (the DC's character spacing).
    int Tracing() const { return tracing; }

    // Each setter stores only a different value, then notifies once.
    void SetDisabledStyle(TSCLDisabledStyle Value);
    void SetLightDepth(BYTE Value);
    void SetShadowDepth(BYTE Value);
    void SetLightColor(TColor Value);
    void SetShadowColor(TColor Value);
    void SetStyle(TSCLThreeDStyle Value);
    void SetOrientation(TSCLThreeDOrientation Value);
    void SetTracing(int Value);

    // Copies the eight settings from any 3D caption (an effect caption
    // included) and notifies once; other sources raise EConvertError.
    void Assign(TPersistent* Source) override;
    // "{raised}", "{extrude}" ...; "{Disabled}" for tdNone.
    std::string GetSetStr() override;

protected:
    // The eight settings taken silently; the caller notifies.
    void Copy_Settings(const TSCL3DCaption& Source);

private:
    TSCLDisabledStyle disabled_style = dsAuto;
    BYTE light_depth = 1;
    BYTE shadow_depth = 1;
    TColor light_color = clBtnHighlight;
    TColor shadow_color = clBtnShadow;
    TSCLThreeDStyle style = tdNone;
    TSCLThreeDOrientation orientation = toTopLeft;
    int tracing = 0;
};
