#include "platform/winapi/Gdi_Text.h"

#include "platform/winapi/Gdi_Dc.h"
#include "platform/winapi/Gdi_Objects.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QPainter>
#include <QRawFont>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

// ---- Fonts -------------------------------------------------------------

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

} // namespace

// A glyph's inked pixels as runs of rows, relative to its pen position on the
// baseline. Text is drawn without antialiasing, so a pixel is inked or not.
struct Glyph_Ink {
    struct Span {
        int y;
        int x_from;
        int x_to; // exclusive
    };
    std::vector<Span> spans;
    QRect bounds; // of every span, relative to the pen position
};

// Everything text drawing needs of one logical font, made once per distinct
// LOGFONTA and kept for the process (the system uses a handful of fonts).
struct Text_Face {
    QFont font;
    QRawFont raw;
    TEXTMETRICA metrics;
    int underline_offset = 0; // below the baseline
    int strike_offset = 0;    // above the baseline
    int line_width = 1;
    double angle = 0.0; // counter-clockwise, degrees
    bool underline = false;
    bool strike_out = false;
    mutable std::unordered_map<char16_t, int> widths;
    mutable std::unordered_map<char16_t, Glyph_Ink> inks;

    int Width(QChar c) const
    {
        auto found = widths.find(c.unicode());
        if (found != widths.end())
            return found->second;
        int width = QFontMetrics(font).horizontalAdvance(c);
        widths.emplace(c.unicode(), width);
        return width;
    }

    // Rendered once through Qt's glyph drawing, then stamped by every call.
    const Glyph_Ink& Ink(QChar c) const
    {
        auto found = inks.find(c.unicode());
        if (found != inks.end())
            return found->second;
        return inks.emplace(c.unicode(), Render_Ink(c)).first->second;
    }

private:
    Glyph_Ink Render_Ink(QChar c) const
    {
        Glyph_Ink ink;
        const QList<quint32> glyphs = raw.glyphIndexesForString(QString(c));
        if (glyphs.isEmpty())
            return ink;
        // Room for overhangs on every side of the cell.
        const int margin = std::max(metrics.tmHeight, metrics.tmMaxCharWidth) + 2;
        const QPoint pen(margin, margin + metrics.tmAscent);
        QImage scratch(metrics.tmMaxCharWidth + 2 * margin, metrics.tmHeight + 2 * margin, QImage::Format_RGB32);
        scratch.fill(0xFF000000u);
        {
            QPainter painter(&scratch);
            painter.setRenderHint(QPainter::TextAntialiasing, false);
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setPen(QColor(Qt::white));
            QGlyphRun run;
            run.setRawFont(raw);
            run.setGlyphIndexes({glyphs.front()});
            run.setPositions({QPointF(pen)});
            painter.drawGlyphRun(QPointF(0, 0), run);
        }
        for (int y = 0; y < scratch.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
            for (int x = 0; x < scratch.width();) {
                if (row[x] == 0xFF000000u) {
                    ++x;
                    continue;
                }
                const int from = x;
                while (x < scratch.width() && row[x] != 0xFF000000u)
                    ++x;
                ink.spans.push_back({y - pen.y(), from - pen.x(), x - pen.x()});
                ink.bounds |= QRect(from - pen.x(), y - pen.y(), x - from, 1);
            }
        }
        return ink;
    }
};

namespace {

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

// The face of the font selected into a DC (a default when none is).
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

// ---- Runs of text ------------------------------------------------------

QString Decode(LPCSTR text, int count)
{
    if (!text)
        return {};
    int length = count < 0 ? static_cast<int>(std::strlen(text)) : count;
    QString decoded = QString::fromUtf8(text, length);
    for (QChar& c : decoded)
        if (c.isSurrogate())
            c = QChar(QChar::ReplacementCharacter);
    return decoded;
}

// One line of text with each character's advance (character extra and tab
// expansion included) and the characters that carry a prefix underline.
struct Run {
    QString text;
    std::vector<int> advances;
    std::vector<bool> marked;

    int Width() const
    {
        int width = 0;
        for (int advance : advances)
            width += advance;
        return width;
    }
};

struct Run_Style {
    const Text_Face* face = nullptr;
    int char_extra = 0;
    int tab_width = 0; // 0: tabs are ordinary characters
};

Run Make_Run(const QString& text, const std::vector<bool>& marked, const Run_Style& style)
{
    Run run{text, {}, marked};
    run.advances.reserve(static_cast<std::size_t>(text.size()));
    int x = 0;
    for (QChar c : text) {
        int advance = 0;
        if (c == QLatin1Char('\t') && style.tab_width > 0)
            advance = style.tab_width - x % style.tab_width;
        else
            advance = style.face->Width(c) + style.char_extra;
        run.advances.push_back(advance);
        x += advance;
    }
    if (run.marked.size() != run.advances.size())
        run.marked.assign(run.advances.size(), false);
    return run;
}

struct Draw_Colors {
    QRgb text;
    QRgb background;
    bool opaque;
};

// Where a run's pixels go: fills and glyphs in the canvas's frame.
class Run_Canvas {
public:
    virtual ~Run_Canvas() = default;
    virtual void Fill(const QRect& rect, QRgb pixel) = 0;
    virtual void Glyph(const Text_Face& face, QChar c, QPoint pen, QRgb ink) = 0;
};

// Paints a run whose cell's top-left is at (x, y) in the canvas's frame.
void Paint_Run(Run_Canvas& canvas, const Text_Face& face, const Run& run, int x, int y, const Draw_Colors& colors)
{
    const TEXTMETRICA& tm = face.metrics;
    int width = run.Width();
    if (colors.opaque)
        canvas.Fill(QRect(x, y, width, tm.tmHeight), colors.background);
    int baseline = y + tm.tmAscent;
    int pen_x = x;
    for (qsizetype i = 0; i < run.text.size(); ++i) {
        if (run.text[i].unicode() >= 0x20)
            canvas.Glyph(face, run.text[i], QPoint(pen_x, baseline), colors.text);
        pen_x += run.advances[static_cast<std::size_t>(i)];
    }
    if (face.underline)
        canvas.Fill(QRect(x, baseline + face.underline_offset, width, face.line_width), colors.text);
    if (face.strike_out)
        canvas.Fill(QRect(x, baseline - face.strike_offset, width, face.line_width), colors.text);
    pen_x = x;
    for (std::size_t i = 0; i < run.advances.size(); ++i) {
        if (run.marked[i])
            canvas.Fill(QRect(pen_x, baseline + face.underline_offset, run.advances[i], face.line_width), colors.text);
        pen_x += run.advances[i];
    }
}

// The DC's drawable area, narrowed by an extra clip rectangle in logical coordinates.
QRegion Text_Clip(Gdi_Dc* dc, const RECT* extra_clip)
{
    QRegion clip = dc->Drawable_Region();
    if (extra_clip)
        clip &= QRegion(dc->To_Device(*extra_clip));
    return clip;
}

// Writes the pixels straight into the DC's pixels, where they live: each
// glyph is stamped from its cached ink, and every pixel gets exactly the DC's
// colour, fourth byte included, as GDI writes it. Frame: logical coordinates
// plus Shift.
class Surface_Canvas final : public Run_Canvas {
public:
    Surface_Canvas(Gdi_Dc* dc, const RECT* extra_clip) : clip(Text_Clip(dc, extra_clip)), origin(dc->Origin()), rows(dc->Rows())
    {
        clip_rects.assign(clip.begin(), clip.end());
    }
    void Shift(QPoint by) { origin += by; }

    void Fill(const QRect& rect, QRgb pixel) override
    {
        const QRect device = rect.translated(origin);
        for (const QRect& allowed : clip_rects) {
            const QRect part = device.intersected(allowed);
            for (int y = part.top(); y <= part.bottom(); ++y)
                rows.Fill(y, part.left(), part.width(), pixel);
        }
    }
    void Glyph(const Text_Face& face, QChar c, QPoint pen, QRgb ink) override
    {
        const Glyph_Ink& glyph = face.Ink(c);
        const QPoint at = pen + origin;
        for (const QRect& allowed : clip_rects) {
            if (!allowed.intersects(glyph.bounds.translated(at)))
                continue;
            for (const Glyph_Ink::Span& span : glyph.spans) {
                const int y = at.y() + span.y;
                if (y < allowed.top() || y > allowed.bottom())
                    continue;
                const int from = std::max(at.x() + span.x_from, allowed.left());
                const int to = std::min(at.x() + span.x_to, allowed.right() + 1);
                if (from < to)
                    rows.Fill(y, from, to - from, ink);
            }
        }
    }

private:
    QRegion clip; // device coordinates
    QPoint origin;
    Gdi_Pixel_Rows rows;
    std::vector<QRect> clip_rects;
};

// Rotated text goes through a painter: logical coordinates, turned about the
// reference point. A painter makes every pixel it draws opaque, so on a
// surface that keeps the fourth byte it paints onto a clear scratch of the
// clip's size, and the pixels it drew go over with the surface's fourth byte.
class Painter_Canvas final : public Run_Canvas {
public:
    Painter_Canvas(Gdi_Dc* dc, const RECT* extra_clip)
        : clip(Text_Clip(dc, extra_clip)), access(dc, clip.boundingRect()), surface(dc->Surface()), fourth_byte(dc->Fourth_Byte())
    {
        QPoint shift;
        if (fourth_byte == 0) {
            scratch = QImage(clip.boundingRect().size(), QImage::Format_ARGB32_Premultiplied);
            scratch.fill(0u);
            shift = -clip.boundingRect().topLeft();
        }
        painter.begin(scratch.isNull() ? &surface : &scratch);
        painter.setClipRegion(clip.translated(shift));
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.translate(dc->Origin() + shift);
    }
    ~Painter_Canvas() override
    {
        painter.end();
        if (scratch.isNull())
            return;
        const QPoint at = clip.boundingRect().topLeft();
        for (int y = 0; y < scratch.height(); ++y) {
            const auto* drawn = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
            auto* row = reinterpret_cast<QRgb*>(surface.scanLine(at.y() + y)) + at.x();
            for (int x = 0; x < scratch.width(); ++x)
                if (qAlpha(drawn[x]) != 0)
                    row[x] = (drawn[x] & 0xFFFFFFu) | fourth_byte;
        }
    }
    Painter_Canvas(const Painter_Canvas&) = delete;
    Painter_Canvas& operator=(const Painter_Canvas&) = delete;
    QPainter& operator*() { return painter; }

    void Fill(const QRect& rect, QRgb pixel) override { painter.fillRect(rect, QColor::fromRgb(pixel)); }
    void Glyph(const Text_Face& face, QChar c, QPoint pen, QRgb ink) override
    {
        const QList<quint32> glyphs = face.raw.glyphIndexesForString(QString(c));
        if (glyphs.isEmpty())
            return;
        painter.setPen(QColor::fromRgb(ink));
        QGlyphRun run;
        run.setRawFont(face.raw);
        run.setGlyphIndexes({glyphs.front()});
        run.setPositions({QPointF(pen)});
        painter.drawGlyphRun(QPointF(0, 0), run);
    }

private:
    QRegion clip; // device coordinates
    Gdi_Access access;
    QImage& surface;
    QRgb fourth_byte;
    QImage scratch;
    QPainter painter;
};

Draw_Colors Dc_Colors(Gdi_Dc* dc, bool opaque)
{
    return {dc->Surface_Pixel(dc->state.text_color), dc->Surface_Pixel(dc->state.bk_color), opaque};
}

Gdi_Dc* Text_Dc(HDC dc)
{
    if (!Fonts_Available())
        return nullptr;
    return Gdi_Find_Dc(dc);
}

Run_Style Dc_Style(Gdi_Dc* dc, const Text_Face& face)
{
    return {&face, dc->state.char_extra, 0};
}

// ---- TextOut -----------------------------------------------------------

// Where the cell's top-left lies relative to the reference point.
QPoint Cell_Offset(UINT align, int width, const TEXTMETRICA& tm)
{
    int dx = 0;
    if ((align & TA_CENTER) == TA_CENTER)
        dx = -width / 2;
    else if (align & TA_RIGHT)
        dx = -width;
    int dy = 0;
    if ((align & TA_BASELINE) == TA_BASELINE)
        dy = -tm.tmAscent;
    else if (align & TA_BOTTOM)
        dy = -tm.tmHeight;
    return QPoint(dx, dy);
}

BOOL Text_Out(HDC handle, int x, int y, UINT options, const RECT* rect, LPCSTR text, int count, const INT* dx)
{
    Gdi_Dc* dc = Text_Dc(handle);
    if (!dc || (count > 0 && !text))
        return FALSE;
    const Text_Face& face = Dc_Face(dc);
    Run run = Make_Run(Decode(text, count), {}, Dc_Style(dc, face));
    if (dx)
        for (std::size_t i = 0; i < run.advances.size(); ++i)
            run.advances[i] = dx[i];
    UINT align = dc->state.text_align;
    if (align & TA_UPDATECP) {
        x = dc->state.current_position.x;
        y = dc->state.current_position.y;
    }
    int width = run.Width();
    const RECT* clip = rect && (options & ETO_CLIPPED) ? rect : nullptr;
    const QRgb background = dc->Surface_Pixel(dc->state.bk_color);
    const QPoint cell = Cell_Offset(align, width, face.metrics);
    const Draw_Colors colors = Dc_Colors(dc, dc->state.bk_mode == OPAQUE);
    const std::optional<QRect> opaque_box =
        rect && (options & ETO_OPAQUE) ? std::optional(QRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top))
                                      : std::nullopt;
    if (face.angle == 0.0) {
        Surface_Canvas canvas(dc, clip);
        if (opaque_box)
            canvas.Fill(*opaque_box, background);
        canvas.Shift(QPoint(x, y));
        Paint_Run(canvas, face, run, cell.x(), cell.y(), colors);
    } else {
        Painter_Canvas canvas(dc, clip);
        if (opaque_box)
            canvas.Fill(*opaque_box, background);
        (*canvas).translate(x, y);
        (*canvas).rotate(-face.angle);
        Paint_Run(canvas, face, run, cell.x(), cell.y(), colors);
    }
    if (align & TA_UPDATECP) {
        if ((align & TA_CENTER) == TA_RIGHT)
            dc->state.current_position.x -= width;
        else if ((align & TA_CENTER) == TA_LEFT)
            dc->state.current_position.x += width;
    }
    return TRUE;
}

// ---- DrawText layout ---------------------------------------------------

struct Marked_Text {
    QString text;
    std::vector<bool> marked;
};

// "&x" underlines x, "&&" is a literal '&', a trailing lone '&' is dropped.
Marked_Text Strip_Prefixes(const QString& text, bool prefixes)
{
    Marked_Text result;
    result.text.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        bool mark = false;
        if (prefixes && text[i] == QLatin1Char('&')) {
            if (++i == text.size())
                break;
            mark = text[i] != QLatin1Char('&');
        }
        result.text.append(text[i]);
        result.marked.push_back(mark);
    }
    return result;
}

Marked_Text Slice(const Marked_Text& source, qsizetype from, qsizetype to)
{
    auto first = source.marked.begin() + from;
    return {source.text.mid(from, to - from), std::vector<bool>(first, source.marked.begin() + to)};
}

std::vector<Marked_Text> Split_Paragraphs(const Marked_Text& text, bool single_line)
{
    if (single_line)
        return {text};
    std::vector<Marked_Text> paragraphs;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.text.size(); ++i) {
        QChar c = text.text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        paragraphs.push_back(Slice(text, start, i));
        if (c == QLatin1Char('\r') && i + 1 < text.text.size() && text.text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    paragraphs.push_back(Slice(text, start, text.text.size()));
    return paragraphs;
}

qsizetype Skip_Spaces(const QString& text, qsizetype from)
{
    while (from < text.size() && text[from] == QLatin1Char(' '))
        ++from;
    return from;
}

qsizetype Trim_Spaces(const QString& text, qsizetype from, qsizetype to)
{
    while (to > from && text[to - 1] == QLatin1Char(' '))
        --to;
    return to;
}

// The end of the line starting at `from`: after the last word that fits, or
// after the first word when none fits (mid-word only when break_words).
qsizetype Line_End(const Marked_Text& paragraph, qsizetype from, int avail, const Run_Style& style, bool break_words)
{
    const QString& text = paragraph.text;
    Run run = Make_Run(text.mid(from), {}, style);
    int x = 0;
    qsizetype last_break = -1;
    for (qsizetype i = from; i < text.size(); ++i) {
        if (text[i] == QLatin1Char(' ')) {
            last_break = i;
        } else if (x + run.advances[static_cast<std::size_t>(i - from)] > avail) {
            if (last_break > from)
                return last_break;
            if (break_words)
                return std::max(i, from + 1);
            qsizetype word_end = i;
            while (word_end < text.size() && text[word_end] != QLatin1Char(' '))
                ++word_end;
            return word_end;
        }
        x += run.advances[static_cast<std::size_t>(i - from)];
    }
    return text.size();
}

void Wrap_Paragraph(const Marked_Text& paragraph, int avail, const Run_Style& style, bool break_words,
                    std::vector<Marked_Text>& lines)
{
    qsizetype from = 0;
    do {
        qsizetype end = Line_End(paragraph, from, avail, style, break_words);
        if (end >= paragraph.text.size()) {
            lines.push_back(Slice(paragraph, from, paragraph.text.size()));
            return;
        }
        lines.push_back(Slice(paragraph, from, Trim_Spaces(paragraph.text, from, end)));
        from = Skip_Spaces(paragraph.text, end);
    } while (from < paragraph.text.size());
}

const QString ellipsis = QStringLiteral("...");

// The longest start of `text` that fits in `avail` pixels with `tail` after it.
qsizetype Fitting_Prefix(const Run& text_run, int tail_width, int avail)
{
    int x = tail_width;
    qsizetype count = 0;
    for (int advance : text_run.advances) {
        if (x + advance > avail)
            break;
        x += advance;
        ++count;
    }
    return count;
}

Marked_Text End_Ellipsis(const Marked_Text& line, int avail, const Run_Style& style)
{
    Run run = Make_Run(line.text, line.marked, style);
    int tail = Make_Run(ellipsis, {}, style).Width();
    Marked_Text result = Slice(line, 0, Fitting_Prefix(run, tail, avail));
    result.text += ellipsis;
    result.marked.insert(result.marked.end(), static_cast<std::size_t>(ellipsis.size()), false);
    return result;
}

// Keeps the part from the last backslash and as much of the start as fits.
Marked_Text Path_Ellipsis(const Marked_Text& line, int avail, const Run_Style& style)
{
    qsizetype slash = line.text.lastIndexOf(QLatin1Char('\\'));
    if (slash < 0)
        return End_Ellipsis(line, avail, style);
    Marked_Text tail = Slice(line, slash, line.text.size());
    Run head_run = Make_Run(line.text.left(slash), {}, style);
    int tail_width = Make_Run(ellipsis + tail.text, {}, style).Width();
    if (tail_width > avail) {
        Marked_Text shortened = End_Ellipsis(tail, avail - Make_Run(ellipsis, {}, style).Width(), style);
        Marked_Text result{ellipsis + shortened.text, std::vector<bool>(static_cast<std::size_t>(ellipsis.size()), false)};
        result.marked.insert(result.marked.end(), shortened.marked.begin(), shortened.marked.end());
        return result;
    }
    Marked_Text result = Slice(line, 0, Fitting_Prefix(head_run, tail_width, avail));
    result.text += ellipsis + tail.text;
    result.marked.insert(result.marked.end(), static_cast<std::size_t>(ellipsis.size()), false);
    result.marked.insert(result.marked.end(), tail.marked.begin(), tail.marked.end());
    return result;
}

struct Layout {
    std::vector<Run> lines;
    int line_height = 0;
    int Width() const
    {
        int width = 0;
        for (const Run& line : lines)
            width = std::max(width, line.Width());
        return width;
    }
    int Height() const { return static_cast<int>(lines.size()) * line_height; }
};

Layout Lay_Out(const QString& text, UINT format, int avail, const Run_Style& style)
{
    Marked_Text stripped = Strip_Prefixes(text, !(format & DT_NOPREFIX));
    std::vector<Marked_Text> lines;
    for (const Marked_Text& paragraph : Split_Paragraphs(stripped, format & DT_SINGLELINE)) {
        if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE))
            Wrap_Paragraph(paragraph, avail, style, format & DT_EDITCONTROL, lines);
        else
            lines.push_back(paragraph);
    }
    Layout layout;
    const TEXTMETRICA& tm = style.face->metrics;
    layout.line_height = tm.tmHeight + ((format & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
    for (Marked_Text& line : lines) {
        if (Make_Run(line.text, {}, style).Width() > avail) {
            if (format & DT_PATH_ELLIPSIS)
                line = Path_Ellipsis(line, avail, style);
            else if (format & DT_END_ELLIPSIS)
                line = End_Ellipsis(line, avail, style);
        }
        layout.lines.push_back(Make_Run(line.text, line.marked, style));
    }
    return layout;
}

int Line_Left(UINT format, const RECT& rect, int width)
{
    if (format & DT_CENTER)
        return rect.left + (rect.right - rect.left - width) / 2;
    if (format & DT_RIGHT)
        return rect.right - width;
    return rect.left;
}

int Text_Top(UINT format, const RECT& rect, int height)
{
    if (!(format & DT_SINGLELINE))
        return rect.top;
    if (format & DT_VCENTER)
        return rect.top + (rect.bottom - rect.top - height) / 2;
    if (format & DT_BOTTOM)
        return rect.bottom - height;
    return rect.top;
}

void Paint_Layout(Gdi_Dc* dc, const Text_Face& face, const Layout& layout, UINT format, const RECT& rect, int top)
{
    Surface_Canvas canvas(dc, (format & DT_NOCLIP) ? nullptr : &rect);
    Draw_Colors colors = Dc_Colors(dc, dc->state.bk_mode == OPAQUE);
    int y = top;
    for (std::size_t i = 0; i < layout.lines.size(); ++i, y += layout.line_height) {
        // An edit control shows no partly visible line after the first.
        if ((format & DT_EDITCONTROL) && i > 0 && y + layout.line_height > rect.bottom)
            break;
        const Run& line = layout.lines[i];
        Paint_Run(canvas, face, line, Line_Left(format, rect, line.Width()), y, colors);
    }
}

int Draw_Text(HDC handle, const QString& text, RECT* rect, UINT format, int tab_length)
{
    Gdi_Dc* dc = Text_Dc(handle);
    if (!dc || !rect)
        return 0;
    const Text_Face& face = Dc_Face(dc);
    Run_Style style = Dc_Style(dc, face);
    if (format & DT_EXPANDTABS)
        style.tab_width = face.metrics.tmAveCharWidth * (tab_length > 0 ? tab_length : 8);
    if (text.isEmpty()) {
        if (format & DT_CALCRECT) {
            rect->right = rect->left;
            rect->bottom = rect->top;
        }
        return 0;
    }
    Layout layout = Lay_Out(text, format, rect->right - rect->left, style);
    int height = layout.Height();
    if (format & DT_CALCRECT) {
        rect->right = rect->left + layout.Width();
        rect->bottom = rect->top + height;
        return height;
    }
    int top = Text_Top(format, *rect, height);
    Paint_Layout(dc, face, layout, format, *rect, top);
    if ((format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM)))
        return top - rect->top + height;
    return height;
}

} // namespace

// ---- Calls -------------------------------------------------------------

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

UINT SetTextAlign(HDC dc, UINT align)
{
    Gdi_Dc* found = Gdi_Find_Dc(dc);
    if (!found)
        return GDI_ERROR;
    UINT previous = found->state.text_align;
    found->state.text_align = align;
    return previous;
}

UINT GetTextAlign(HDC dc)
{
    Gdi_Dc* found = Gdi_Find_Dc(dc);
    return found ? found->state.text_align : GDI_ERROR;
}

BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int count)
{
    return count < 0 ? FALSE : Text_Out(dc, x, y, 0, nullptr, text, count, nullptr);
}

BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count, const INT* dx)
{
    return Text_Out(dc, x, y, options, rect, text, static_cast<int>(count), dx);
}

int DrawTextA(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format)
{
    return Draw_Text(dc, Decode(text, count), rect, format, 0);
}

int DrawTextExA(HDC dc, LPSTR text, int count, LPRECT rect, UINT format, DRAWTEXTPARAMS* params)
{
    if (!params)
        return Draw_Text(dc, Decode(text, count), rect, format, 0);
    if (!rect)
        return 0;
    RECT inner{rect->left + params->iLeftMargin, rect->top, rect->right - params->iRightMargin, rect->bottom};
    int result = Draw_Text(dc, Decode(text, count), &inner, format, params->iTabLength);
    if (format & DT_CALCRECT) {
        rect->right = inner.right + params->iRightMargin;
        rect->bottom = inner.bottom;
    }
    params->uiLengthDrawn = text ? static_cast<UINT>(count < 0 ? std::strlen(text) : static_cast<std::size_t>(count)) : 0;
    return result;
}

BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int count, LPSIZE size)
{
    Gdi_Dc* found = Text_Dc(dc);
    if (!found || !size || count < 0 || (count > 0 && !text))
        return FALSE;
    const Text_Face& face = Dc_Face(found);
    size->cx = Make_Run(Decode(text, count), {}, Dc_Style(found, face)).Width();
    size->cy = face.metrics.tmHeight;
    return TRUE;
}

BOOL GetTextMetricsA(HDC dc, TEXTMETRICA* metrics)
{
    Gdi_Dc* found = Text_Dc(dc);
    if (!found || !metrics)
        return FALSE;
    *metrics = Dc_Face(found).metrics;
    return TRUE;
}

BOOL GetCharWidth32A(HDC dc, UINT first, UINT last, INT* widths)
{
    Gdi_Dc* found = Text_Dc(dc);
    if (!found || !widths || first > last || last > 0xFFFF)
        return FALSE;
    const Text_Face& face = Dc_Face(found);
    for (UINT code = first; code <= last; ++code)
        widths[code - first] = face.Width(QChar(static_cast<char16_t>(code)));
    return TRUE;
}

BOOL GetCharWidthA(HDC dc, UINT first, UINT last, INT* widths) { return GetCharWidth32A(dc, first, last, widths); }
