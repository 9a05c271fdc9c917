#pragma once
// Where a glyph and a text sit inside a button: the alignment of the block,
// the text's place beside the glyph, an offset and the gap between them.
// The glyph-and-text routines of Sclutils read it.

#include <string>

#include "components/foundations/Sclgraph.h"
#include "components/foundations/Sclobject.h"

class TSCLGlyphTextLayout : public TSCLObject {
public:
    TSCLGlyphTextLayout() = default;

    TSCLAlignment Alignment() const { return alignment; }
    TSCLTextArrange AlignText2Glyph() const { return align_text_2_glyph; }
    int OffsetX() const { return offset_x; }
    int OffsetY() const { return offset_y; }
    int Spacing() const { return spacing; }

    void SetAlignment(TSCLAlignment Value);
    void SetAlignText2Glyph(TSCLTextArrange Value);
    // 0 OffsetX, 1 OffsetY.
    void SetOffset(int Index, int Value);
    void SetSpacing(int Value);

    // Every field, one notification.
    void Assign(TPersistent* Source) override;
    // Empty.
    std::string GetSetStr() override;

protected:
    // The five fields taken silently; the caller notifies.
    void Copy_Layout(const TSCLGlyphTextLayout& Source);

private:
    TSCLTextArrange align_text_2_glyph = taRight;
    int offset_x = 0;
    int offset_y = 0;
    int spacing = 2;
    TSCLAlignment alignment = agTopLeft;
};
