#include "components/controls/Sclbuttonbase.h"

#include <string_view>

namespace {

constexpr TColor Key_Colour = static_cast<TColor>(0xFF00FF);

// The stock glyphs, one 13 x 14 picture per kind from gkEllipsis on.
// '.' is the key colour.
constexpr std::array<std::array<std::string_view, 14>, 8> Cells{{
    {".............", ".............", ".............", ".............", ".............", ".............",
     ".............", ".............", ".............", "..kk..kk..kk.", "..kk..kk..kk.", ".............",
     ".............", "............."},
    {".............", "..kkkkkk.....", "..kwwwwkk....", "..kwwwwkwk...", "..kwwwwkkkk..", "..kwwwwwwwk..",
     "..kwkkkkwwk..", "..kwwwwwwwk..", "..kwkkkkkwk..", "..kwwwwwwwk..", "..kwkkkkkwk..", "..kwwwwwwwk..",
     "..kkkkkkkkk..", "............."},
    {".............", ".............", "..kkkk.......", ".kyyyyk......", "kkkkkkkkkkk..", "kyyyyyyyyyk..",
     "kyyyyyyyyyk..", "kyyyyyyyyyk..", "kyyyyyyyyyk..", "kyyyyyyyyyk..", "kyyyyyyyyyk..", "kkkkkkkkkkk..",
     ".............", "............."},
    {".kkkkkkkkkk..", ".kggggggggk..", ".kgGGGGGGgk..", ".kgGGGGGGgk..", ".kggggggggk..", ".kgwgwgwggk..",
     ".kggggggggk..", ".kgwgwgwggk..", ".kggggggggk..", ".kgwgwgwggk..", ".kggggggggk..", ".kgwgwgrrgk..",
     ".kggggggggk..", ".kkkkkkkkkk.."},
    {".............", ".kkkkkkkkkkk.", ".krrrrrrrrrk.", ".kkkkkkkkkkk.", ".kwkwkwkwkwk.", ".kkkkkkkkkkk.",
     ".kwkwkwkwkwk.", ".kkkkkkkkkkk.", ".kwkwkwkrkwk.", ".kkkkkkkkkkk.", ".kwkwkwkwkwk.", ".kkkkkkkkkkk.",
     ".............", "............."},
    {".............", "...kkkk......", "..kwwwwk.....", ".kwwbbwwk....", ".kwbwwwwk....", ".kwwwwwwk....",
     ".kwwwwwwk....", "..kwwwwk.....", "...kkkkkk....", ".......kkk...", "........kkk..", ".........kkk.",
     "..........k..", "............."},
    {".............", ".kkkkk.kkkkk.", ".krrrk.kGGGk.", ".krrrk.kGGGk.", ".krrrk.kGGGk.", ".kkkkk.kkkkk.",
     ".............", ".kkkkk.kkkkk.", ".kbbbk.kyyyk.", ".kbbbk.kyyyk.", ".kbbbk.kyyyk.", ".kkkkk.kkkkk.",
     ".............", "............."},
    {".............", ".............", "....kkk......", "...kk.kk.....", "..kk...kk....", "..kk...kk....",
     "..kkkkkkk....", "..kk...kk....", "..kk...kk....", "..kk...kk....", ".kkkk.kkkk...", ".............",
     ".............", "............."},
}};

TColor Cell_Colour(char Code)
{
    switch (Code) {
    case 'k': return clBlack;
    case 'w': return clWhite;
    case 'g': return clSilver;
    case 'y': return static_cast<TColor>(0x00D7FF);
    case 'b': return clNavy;
    case 'r': return clRed;
    case 'G': return clGreen;
    default: return Key_Colour;
    }
}

// The strip as the build provides it: every cell side by side.
void Load_Strip(TBitmap* Bitmap)
{
    Bitmap->SetPixelFormat(pf24bit);
    Bitmap->SetSize(SCLGlyphKindCellWidth * static_cast<int>(Cells.size()), SCLGlyphKindCellHeight);
    TCanvas* canvas = Bitmap->Canvas();
    for (std::size_t cell = 0; cell < Cells.size(); ++cell)
        for (int y = 0; y < SCLGlyphKindCellHeight; ++y)
            for (int x = 0; x < SCLGlyphKindCellWidth; ++x)
                canvas->SetPixels(static_cast<int>(cell) * SCLGlyphKindCellWidth + x, y,
                                  Cell_Colour(Cells[cell][static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]));
}

} // namespace

void SCLGetGlyphKind(TBitmap* Bitmap, TSCLGlyphKind Kind)
{
    if (!Bitmap)
        return;
    Load_Strip(Bitmap);
    if (Kind > gkEllipsis) {
        const int from = (static_cast<int>(Kind) - 1) * SCLGlyphKindCellWidth;
        Bitmap->Canvas()->CopyRect(RECT{0, 0, SCLGlyphKindCellWidth, SCLGlyphKindCellHeight}, Bitmap->Canvas(),
                                   RECT{from, 0, from + SCLGlyphKindCellWidth, SCLGlyphKindCellHeight});
    }
    Bitmap->SetWidth(SCLGlyphKindCellWidth);
}

int SCLGetButtonBevel(TSCLUserButtonStyle Style, TSCLButtonState /*State*/)
{
    if (Style == ubsAutoDetect)
        Style = ubsWin40;
    switch (Style) {
    case ubsWin31: return 3;
    case ubsWin40:
    case ubsClassic:
    case ubsClassicFlat:
    case ubsNavigator:
    case ubsIntegrated: return 2;
    default: return 1;
    }
}
