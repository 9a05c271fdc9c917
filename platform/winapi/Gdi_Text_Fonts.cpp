// Logical fonts: the face names the system asks for mapped onto installed
// families, heights and widths turned into Qt fonts, the text metrics made
// from them, and the faces kept per distinct LOGFONTA.

#include "platform/winapi/Gdi_Text.h"

#include "platform/winapi/Gdi_Text_Internal.h"

#include <QFontMetrics>
#include <QGuiApplication>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <memory>
#include <string>

namespace gdi_text_internal {
namespace {

struct Face_Mapping {
    const char* requested; // lower case
    const char* family;
    BYTE family_bits;
    bool true_type; // false for the faces that are raster fonts on Windows
};

constexpr Face_Mapping face_mappings[] = {
    {"arial", "Liberation Sans", FF_SWISS, true},
    {"ms sans serif", "Liberation Sans", FF_SWISS, false},
    {"tahoma", "Liberation Sans", FF_SWISS, true},
    {"system", "Liberation Sans", FF_SWISS, false},
    {"verdana", "DejaVu Sans", FF_SWISS, true},
    {"times new roman", "Liberation Serif", FF_ROMAN, true},
    {"courier new", "Liberation Mono", FF_MODERN, true},
};

constexpr int default_em_height = 12;
// Heights beyond this are taken as this: no screen text comes near it.
constexpr LONG max_height = 2048;

const Face_Mapping* Find_Mapping(const LOGFONTA& log_font)
{
    std::string name(log_font.lfFaceName, strnlen(log_font.lfFaceName, LF_FACESIZE));
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (name.empty())
        return &face_mappings[0];
    for (const Face_Mapping& mapping : face_mappings)
        if (name == mapping.requested)
            return &mapping;
    return nullptr;
}

int Cell_Height(const QFont& font)
{
    QFontMetrics metrics(font);
    return metrics.ascent() + metrics.descent();
}

// The pixel size whose cell (ascent + descent) is the largest not above cell.
int Pixel_Size_For_Cell(QFont font, int cell)
{
    font.setPixelSize(cell);
    int natural = std::max(1, Cell_Height(font));
    int size = std::max(1, static_cast<int>(std::lround(static_cast<double>(cell) * cell / natural)));
    font.setPixelSize(size);
    while (size > 1 && Cell_Height(font) > cell)
        font.setPixelSize(--size);
    for (;;) {
        font.setPixelSize(size + 1);
        if (Cell_Height(font) > cell)
            break;
        ++size;
    }
    return size;
}

QFont Make_Qt_Font(const LOGFONTA& log_font, const Face_Mapping* mapping)
{
    QFont font;
    if (mapping) {
        font.setFamily(QString::fromLatin1(mapping->family));
    } else {
        font.setFamily(QString::fromLatin1(log_font.lfFaceName, static_cast<int>(strnlen(log_font.lfFaceName, LF_FACESIZE))));
        BYTE family = log_font.lfPitchAndFamily & 0xF0;
        font.setStyleHint(family == FF_ROMAN    ? QFont::Serif
                          : family == FF_MODERN ? QFont::Monospace
                                                : QFont::SansSerif);
    }
    LONG weight = log_font.lfWeight == FW_DONTCARE ? FW_NORMAL : std::clamp<LONG>(log_font.lfWeight, 1, 1000);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(log_font.lfItalic != 0);
    font.setKerning(false);
    font.setStyleStrategy(QFont::NoAntialias);
    LONG height = std::clamp(log_font.lfHeight, -max_height, max_height);
    if (height < 0)
        font.setPixelSize(-height);
    else if (height > 0)
        font.setPixelSize(Pixel_Size_For_Cell(font, height));
    else
        font.setPixelSize(default_em_height);
    if (log_font.lfWidth > 0) {
        int natural = std::max(1, QFontMetrics(font).averageCharWidth());
        font.setStretch(std::clamp(static_cast<int>(100LL * log_font.lfWidth / natural), 1, 4000));
    }
    return font;
}

TEXTMETRICA Make_Metrics(const LOGFONTA& log_font, const QFont& font, const Face_Mapping* mapping)
{
    QFontMetrics fm(font);
    TEXTMETRICA tm;
    tm.tmAscent = fm.ascent();
    tm.tmDescent = fm.descent();
    tm.tmHeight = tm.tmAscent + tm.tmDescent;
    tm.tmInternalLeading = std::max(0, tm.tmHeight - font.pixelSize());
    tm.tmExternalLeading = std::max(0, fm.leading());
    tm.tmAveCharWidth = fm.averageCharWidth();
    tm.tmMaxCharWidth = fm.maxWidth();
    tm.tmWeight = log_font.lfWeight == FW_DONTCARE ? FW_NORMAL : log_font.lfWeight;
    tm.tmDigitizedAspectX = 96;
    tm.tmDigitizedAspectY = 96;
    tm.tmFirstChar = 0x20;
    tm.tmLastChar = 0xFF;
    tm.tmDefaultChar = 0x1F;
    tm.tmBreakChar = 0x20;
    tm.tmItalic = log_font.lfItalic ? 1 : 0;
    tm.tmUnderlined = log_font.lfUnderline ? 1 : 0;
    tm.tmStruckOut = log_font.lfStrikeOut ? 1 : 0;
    bool true_type = mapping ? mapping->true_type : true;
    BYTE family = mapping ? mapping->family_bits : static_cast<BYTE>(log_font.lfPitchAndFamily & 0xF0);
    bool fixed = fm.horizontalAdvance(QLatin1Char('i')) == fm.horizontalAdvance(QLatin1Char('W'));
    tm.tmPitchAndFamily = static_cast<BYTE>(family | (fixed ? 0 : TMPF_FIXED_PITCH) |
                                            (true_type ? TMPF_TRUETYPE | TMPF_VECTOR : 0));
    tm.tmCharSet = log_font.lfCharSet;
    return tm;
}

std::string Face_Key(const LOGFONTA& f)
{
    std::string key(f.lfFaceName, strnlen(f.lfFaceName, LF_FACESIZE));
    for (LONG value : {f.lfHeight, f.lfWidth, f.lfEscapement, f.lfWeight, LONG(f.lfItalic), LONG(f.lfUnderline),
                       LONG(f.lfStrikeOut), LONG(f.lfCharSet), LONG(f.lfPitchAndFamily)})
        key += '|' + std::to_string(value);
    return key;
}

const Text_Face& Face_For(const LOGFONTA& log_font)
{
    static std::map<std::string, std::unique_ptr<Text_Face>> faces;
    std::unique_ptr<Text_Face>& slot = faces[Face_Key(log_font)];
    if (slot)
        return *slot;
    auto face = std::make_unique<Text_Face>();
    const Face_Mapping* mapping = Find_Mapping(log_font);
    face->font = Make_Qt_Font(log_font, mapping);
    face->raw = QRawFont::fromFont(face->font);
    face->metrics = Make_Metrics(log_font, face->font, mapping);
    QFontMetrics fm(face->font);
    face->underline_offset = std::max(1, fm.underlinePos());
    face->strike_offset = std::max(1, fm.strikeOutPos());
    face->line_width = std::max(1, fm.lineWidth());
    face->angle = log_font.lfEscapement / 10.0;
    face->underline = log_font.lfUnderline != 0;
    face->strike_out = log_font.lfStrikeOut != 0;
    slot = std::move(face);
    return *slot;
}

LOGFONTA Default_Log_Font()
{
    LOGFONTA font;
    font.lfHeight = -11;
    std::strcpy(font.lfFaceName, "MS Sans Serif");
    return font;
}

// Fonts need Qt's GUI font database; without a GUI application every text
// call fails as GDI does for an unusable DC.
bool Fonts_Available()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

} // namespace

const Text_Face& Dc_Face(Gdi_Dc* dc)
{
    Gdi_Font* font = Gdi_Find<Gdi_Font>(dc->state.font);
    if (!font) {
        static const LOGFONTA fallback = Default_Log_Font();
        return Face_For(fallback);
    }
    if (font->text_face)
        return *font->text_face;
    const Text_Face& face = Face_For(font->log_font);
    font->qt_font = face.font;
    font->qt_font_ready = true;
    font->text_face = &face;
    return face;
}

Gdi_Dc* Text_Dc(HDC dc)
{
    if (!Fonts_Available())
        return nullptr;
    return Gdi_Find_Dc(dc);
}

} // namespace gdi_text_internal

HFONT CreateFontIndirectA(const LOGFONTA* font)
{
    if (!font)
        return nullptr;
    return new Gdi_Font(*font);
}

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strike_out, DWORD char_set, DWORD out_precision,
                  DWORD clip_precision, DWORD quality, DWORD pitch_and_family, LPCSTR face_name)
{
    LOGFONTA font;
    font.lfHeight = height;
    font.lfWidth = width;
    font.lfEscapement = escapement;
    font.lfOrientation = orientation;
    font.lfWeight = weight;
    font.lfItalic = static_cast<BYTE>(italic);
    font.lfUnderline = static_cast<BYTE>(underline);
    font.lfStrikeOut = static_cast<BYTE>(strike_out);
    font.lfCharSet = static_cast<BYTE>(char_set);
    font.lfOutPrecision = static_cast<BYTE>(out_precision);
    font.lfClipPrecision = static_cast<BYTE>(clip_precision);
    font.lfQuality = static_cast<BYTE>(quality);
    font.lfPitchAndFamily = static_cast<BYTE>(pitch_and_family);
    if (face_name)
        std::strncpy(font.lfFaceName, face_name, LF_FACESIZE - 1);
    return CreateFontIndirectA(&font);
}
