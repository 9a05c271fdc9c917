#pragma once
// The speed button: a graphic button with a classic tool-bar face in one of
// the face styles, an optional drop-down combo part with its arrow, and
// the stock glyphs.

#include "components/controls/Sclbasegraphicbutton.h"
#include "components/controls/Sclbuttonbase.h"

class TSCLCustomSpeedButton : public TSCLBaseGraphicButton {
public:
    explicit TSCLCustomSpeedButton(TComponent* AOwner);

    TSCLGlyphKind GlyphKind() const { return glyph_kind; }
    void SetGlyphKind(TSCLGlyphKind Kind);
    TSCLUserButtonStyle Style() const { return style; }
    void SetStyle(TSCLUserButtonStyle Value);
    // The glyph painter's uncoloured (grey until hovered) mode.
    bool UnColorMain() const { return GlyphObject()->Style() == gsExplorer; }
    void SetUnColorMain(bool Value);

    bool IsCustom() override { return ImageList() != nullptr || glyph_kind != gkCustom; }
    // A stock glyph comes back from GlyphKind, a list's from the list.
    bool StoresGlyph() override { return ImageList() == nullptr && glyph_kind == gkCustom; }
    bool ActionChangeable() override { return glyph_kind == gkCustom; }
    void GetIMLChange(TObject* Sender) override;

protected:
    void Paint() override;
    bool HoverRepaints() override;
    bool MouseOverRepaints() override;

private:
    TSCLGlyphKind glyph_kind = gkCustom;
    TSCLUserButtonStyle style = ubsAutoDetect;
};
