#pragma once
// What the Gdi_Text source files share; not part of the unit's interface.

#include "platform/winapi/Gdi_Dc.h"
#include "platform/winapi/Gdi_Objects.h"
#include "platform/winapi/Gdi_Text.h"

#include <QFont>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <QRegion>
#include <QString>

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <vector>

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

    int Width(QChar c) const; // Gdi_Text_Measure.cpp
    // Rendered once through Qt's glyph drawing, then stamped by every call.
    const Glyph_Ink& Ink(QChar c) const; // Gdi_Text_Canvas.cpp

private:
    Glyph_Ink Render_Ink(QChar c) const;
};

namespace gdi_text_internal {

// ---- Fonts (Gdi_Text_Fonts.cpp) ----------------------------------------

// The face of the font selected into a DC (a default when none is).
const Text_Face& Dc_Face(Gdi_Dc* dc);
// The DC a text call draws into or measures with; null when the DC is
// unknown or no font can be had.
Gdi_Dc* Text_Dc(HDC dc);

// ---- Runs of text (Gdi_Text_Measure.cpp) -------------------------------

QString Decode(LPCSTR text, int count);

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

Run Make_Run(const QString& text, const std::vector<bool>& marked, const Run_Style& style);
Run_Style Dc_Style(Gdi_Dc* dc, const Text_Face& face);

// ---- Painting runs (Gdi_Text_Canvas.cpp, Gdi_Text_Painter.cpp) ---------

struct Draw_Colors {
    QRgb text;
    QRgb background;
    bool opaque;
};

Draw_Colors Dc_Colors(Gdi_Dc* dc, bool opaque);

// Where a run's pixels go: fills and glyphs in the canvas's frame.
class Run_Canvas {
public:
    virtual ~Run_Canvas() = default;
    virtual void Fill(const QRect& rect, QRgb pixel) = 0;
    virtual void Glyph(const Text_Face& face, QChar c, QPoint pen, QRgb ink) = 0;
};

// c's glyph with its pen position at pen; none when the face has no glyph for c.
std::optional<QGlyphRun> Glyph_Run(const QRawFont& raw, QChar c, QPoint pen);

// Paints a run whose cell's top-left is at (x, y) in the canvas's frame.
void Paint_Run(Run_Canvas& canvas, const Text_Face& face, const Run& run, int x, int y, const Draw_Colors& colors);

// The DC's drawable area, narrowed by an extra clip rectangle in logical coordinates.
QRegion Text_Clip(Gdi_Dc* dc, const RECT* extra_clip);

// Writes the pixels straight into the DC's pixels, where they live: each
// glyph is stamped from its cached ink, and every pixel gets exactly the DC's
// colour, fourth byte included, as GDI writes it. Frame: logical coordinates
// plus Shift.
class Surface_Canvas final : public Run_Canvas {
public:
    Surface_Canvas(Gdi_Dc* dc, const RECT* extra_clip);
    void Shift(QPoint by) { origin += by; }

    void Fill(const QRect& rect, QRgb pixel) override;
    void Glyph(const Text_Face& face, QChar c, QPoint pen, QRgb ink) override;

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
    Painter_Canvas(Gdi_Dc* dc, const RECT* extra_clip);
    ~Painter_Canvas() override;
    Painter_Canvas(const Painter_Canvas&) = delete;
    Painter_Canvas& operator=(const Painter_Canvas&) = delete;
    QPainter& operator*() { return painter; }

    void Fill(const QRect& rect, QRgb pixel) override;
    void Glyph(const Text_Face& face, QChar c, QPoint pen, QRgb ink) override;

private:
    QRegion clip; // device coordinates
    Gdi_Access access;
    QImage& surface;
    QRgb fourth_byte;
    QImage scratch;
    QPainter painter;
};

// ---- DrawText layout (Gdi_Text_Layout.cpp) -----------------------------

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

// The lines DrawText shows of text in `avail` pixels of width: prefixes
// taken out, paragraphs split, words wrapped and ellipses put in as format asks.
Layout Lay_Out(const QString& text, UINT format, int avail, const Run_Style& style);

} // namespace gdi_text_internal
