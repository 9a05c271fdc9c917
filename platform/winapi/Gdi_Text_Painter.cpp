// The QPainter bridge for rotated text: runs painted through a painter turned
// about the reference point, onto the DC's surface or, where the surface keeps
// its fourth byte, onto a scratch copied over afterwards.

#include "platform/winapi/Gdi_Text.h"

#include "platform/winapi/Gdi_Text_Internal.h"

namespace gdi_text_internal {

Painter_Canvas::Painter_Canvas(Gdi_Dc* dc, const RECT* extra_clip)
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

Painter_Canvas::~Painter_Canvas()
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

void Painter_Canvas::Fill(const QRect& rect, QRgb pixel) { painter.fillRect(rect, QColor::fromRgb(pixel)); }

void Painter_Canvas::Glyph(const Text_Face& face, QChar c, QPoint pen, QRgb ink)
{
    const std::optional<QGlyphRun> run = Glyph_Run(face.raw, c, pen);
    if (!run)
        return;
    painter.setPen(QColor::fromRgb(ink));
    painter.drawGlyphRun(QPointF(0, 0), *run);
}

} // namespace gdi_text_internal
