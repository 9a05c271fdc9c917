#pragma once
// The settings of a colour gradient (two colours, or a chain of colour stops)
// and the colour steps computed from them, kept ready for painting, with a
// logical palette when one is asked for.

#include <string>

#include "components/foundations/Sclgraph.h"
#include "components/foundations/Sclobject.h"
#include "components/foundations/Sclutils.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Graphics.h"

// 2..236 colour steps.
using TSCLColorCount = BYTE;

class TSCLGradient : public TSCLObject {
public:
    TSCLGradient();
    ~TSCLGradient() override;
    TSCLGradient(const TSCLGradient&) = delete;
    TSCLGradient& operator=(const TSCLGradient&) = delete;

    TSCLColorCount ColorCount() const { return color_count; }
    TColor Color() const { return color; }
    TColor EndColor() const { return end_color; }
    bool PaletteRealize() const { return palette_realize; }
    TSCLGradientStyle Style() const { return style; }
    bool TwoColors() const { return two_colors; }
    // The colour stops of multi-colour mode.
    const TSCLColorList& Colors() const { return colors; }
    // The computed colour steps.
    const TSCLColorList& ColorList() const { return computed; }

    void SetColorCount(TSCLColorCount Value);
    void SetColor(TColor Value);
    void SetEndColor(TColor Value);
    void SetPaletteRealize(bool Value);
    void SetStyle(TSCLGradientStyle Value);
    void SetTwoColors(bool Value);
    // Replaces the stops silently: the steps follow at the next change.
    void SetColors(const TSCLColorList& List);

    // Recomputes the steps, then notifies.
    void Change() override;
    void InitPalette();
    // Deletes the palette and empties the steps; the handle field is
    // cleared whether or not the deletion succeeds.
    void DestroyPalette();
    HPALETTE GetPalette() const { return palette; }

    void PaintGradient(TCanvas* Canvas, const RECT& Rect);
    // Selects and realises the palette when PaletteRealize is set.
    void SetRealPalette(TCanvas* Canvas);

    void Assign(TPersistent* Source) override;
    // "vertical, Col: 16, 2 col mode".
    std::string GetSetStr() override;

    // The stored stops ("ColorList"), written only when there are any.
    void DefineProperties(TFiler& Filer);

private:
    TSCLColorCount color_count = 16;
    TColor color = 0xFF0000;
    TSCLColorList computed;
    TColor end_color = 0;
    bool palette_realize = false;
    HPALETTE palette = nullptr;
    TSCLGradientStyle style = gstVertical;
    TSCLColorList colors;
    bool two_colors = true;
};
