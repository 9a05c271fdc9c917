#pragma once
// Drop-shadow settings: how the shadow is drawn, how far it lies right and
// down, and its colour. The painters read them.

#include <string>

#include "components/foundations/Sclgraph.h"
#include "components/foundations/Sclobject.h"
#include "platform/classlib/Graphics.h"

// 0..40 pixels.
using TSCLShadowDepth = BYTE;

class TSCLShadow : public TSCLObject {
public:
    TSCLShadow() = default;

    TColor Color() const { return color; }
    TSCLShadowDepth Depth() const { return depth; }
    TSCLShadowStyle Style() const { return style; }

    void SetColor(TColor Value);
    // Taken as given: the range is the property's, not the setter's.
    void SetDepth(TSCLShadowDepth Value);
    void SetStyle(TSCLShadowStyle Value);

    // From any shadow (a region shadow included): all three, one notification.
    void Assign(TPersistent* Source) override;
    // "{Disabled}", "{solid, 6}", "{tracing, 12}".
    std::string GetSetStr() override;

protected:
    // The style without a notification (constructors of descendants).
    void Init_Style(TSCLShadowStyle Value) { style = Value; }

private:
    TColor color = clBtnShadow;
    TSCLShadowDepth depth = 6;
    TSCLShadowStyle style = hssSolid;
};
