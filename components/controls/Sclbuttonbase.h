#pragma once
// The button family's shared routines: the stock glyphs (a strip of
// 13 x 14 cells, one per kind) and the bevel depth of each face style.

#include <array>

#include "components/foundations/Sclgraph.h"
#include "platform/classlib/Graphics_Bitmap.h"

enum TSCLGlyphKind { gkCustom, gkEllipsis, gkFile, gkFolder, gkCalculator, gkCalender, gkSearch, gkColor, gkFont };
template <>
struct TSCLEnumInfo<TSCLGlyphKind> {
    static constexpr const char* TypeName = "TSCLGlyphKind";
    static constexpr std::array<const char*, 9> Names{
        "gkCustom", "gkEllipsis", "gkFile", "gkFolder", "gkCalculator", "gkCalender", "gkSearch", "gkColor", "gkFont"
    };
};

// The stock glyph strip's number and cell size.
constexpr int SCLGlyphKindResource = 16546;
constexpr int SCLGlyphKindCellWidth = 13;
constexpr int SCLGlyphKindCellHeight = 14;

// The stock glyph of Kind, 13 x 14, its background (bottom-left pixel) the
// transparent colour; gkCustom gives the first cell. Nil does nothing.
void SCLGetGlyphKind(TBitmap* Bitmap, TSCLGlyphKind Kind);

// The bevel depth of a face style (the state is not consulted):
// ubsAutoDetect counts as ubsWin40 (the platform has new-style controls).
int SCLGetButtonBevel(TSCLUserButtonStyle Style, TSCLButtonState State);

// A stateless class of the family.
class TSCLButtonFace : public TObject {};
