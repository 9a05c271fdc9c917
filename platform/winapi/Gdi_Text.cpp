// Text output at a reference point: TextOutA and ExtTextOutA place a run by
// the DC's text alignment, upright straight into the DC's pixels or turned
// through a painter.

#include "platform/winapi/Gdi_Text.h"

#include "platform/winapi/Gdi_Text_Internal.h"

#include <optional>

namespace gdi_text_internal {
namespace {

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

} // namespace
} // namespace gdi_text_internal

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
    return count < 0 ? FALSE : gdi_text_internal::Text_Out(dc, x, y, 0, nullptr, text, count, nullptr);
}

BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count, const INT* dx)
{
    return gdi_text_internal::Text_Out(dc, x, y, options, rect, text, static_cast<int>(count), dx);
}
