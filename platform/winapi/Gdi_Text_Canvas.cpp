// Painting runs of text into a DC's own pixels: each glyph's ink rendered
// once per face and character, then stamped under the DC's clip.

#include "platform/winapi/Gdi_Text.h"

#include "platform/winapi/Gdi_Text_Internal.h"

#include <algorithm>

const Glyph_Ink& Text_Face::Ink(QChar c) const
{
    auto found = inks.find(c.unicode());
    if (found != inks.end())
        return found->second;
    return inks.emplace(c.unicode(), Render_Ink(c)).first->second;
}

Glyph_Ink Text_Face::Render_Ink(QChar c) const
{
    Glyph_Ink ink;
    // Room for overhangs on every side of the cell.
    const int margin = std::max(metrics.tmHeight, metrics.tmMaxCharWidth) + 2;
    const QPoint pen(margin, margin + metrics.tmAscent);
    const std::optional<QGlyphRun> run = gdi_text_internal::Glyph_Run(raw, c, pen);
    if (!run)
        return ink;
    QImage scratch(metrics.tmMaxCharWidth + 2 * margin, metrics.tmHeight + 2 * margin, QImage::Format_RGB32);
    scratch.fill(0xFF000000u);
    {
        QPainter painter(&scratch);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QColor(Qt::white));
        painter.drawGlyphRun(QPointF(0, 0), *run);
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

namespace gdi_text_internal {

std::optional<QGlyphRun> Glyph_Run(const QRawFont& raw, QChar c, QPoint pen)
{
    const QList<quint32> glyphs = raw.glyphIndexesForString(QString(c));
    if (glyphs.isEmpty())
        return std::nullopt;
    QGlyphRun run;
    run.setRawFont(raw);
    run.setGlyphIndexes({glyphs.front()});
    run.setPositions({QPointF(pen)});
    return run;
}

Draw_Colors Dc_Colors(Gdi_Dc* dc, bool opaque)
{
    return {dc->Surface_Pixel(dc->state.text_color), dc->Surface_Pixel(dc->state.bk_color), opaque};
}

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

QRegion Text_Clip(Gdi_Dc* dc, const RECT* extra_clip)
{
    QRegion clip = dc->Drawable_Region();
    if (extra_clip)
        clip &= QRegion(dc->To_Device(*extra_clip));
    return clip;
}

Surface_Canvas::Surface_Canvas(Gdi_Dc* dc, const RECT* extra_clip)
    : clip(Text_Clip(dc, extra_clip)), origin(dc->Origin()), rows(dc->Rows())
{
    clip_rects.assign(clip.begin(), clip.end());
}

void Surface_Canvas::Fill(const QRect& rect, QRgb pixel)
{
    const QRect device = rect.translated(origin);
    for (const QRect& allowed : clip_rects) {
        const QRect part = device.intersected(allowed);
        for (int y = part.top(); y <= part.bottom(); ++y)
            rows.Fill(y, part.left(), part.width(), pixel);
    }
}

void Surface_Canvas::Glyph(const Text_Face& face, QChar c, QPoint pen, QRgb ink)
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

} // namespace gdi_text_internal
