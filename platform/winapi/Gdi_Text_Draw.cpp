// DrawTextA and DrawTextExA: the laid-out lines placed in the rectangle by the
// format's alignment, measured for DT_CALCRECT or painted into the DC.

#include "platform/winapi/Gdi_Text.h"

#include "platform/winapi/Gdi_Text_Internal.h"

#include <cstring>

namespace gdi_text_internal {
namespace {

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
} // namespace gdi_text_internal

int DrawTextA(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format)
{
    return gdi_text_internal::Draw_Text(dc, gdi_text_internal::Decode(text, count), rect, format, 0);
}

int DrawTextExA(HDC dc, LPSTR text, int count, LPRECT rect, UINT format, DRAWTEXTPARAMS* params)
{
    if (!params)
        return DrawTextA(dc, text, count, rect, format);
    if (!rect)
        return 0;
    RECT inner{rect->left + params->iLeftMargin, rect->top, rect->right - params->iRightMargin, rect->bottom};
    int result = gdi_text_internal::Draw_Text(dc, gdi_text_internal::Decode(text, count), &inner, format, params->iTabLength);
    if (format & DT_CALCRECT) {
        rect->right = inner.right + params->iRightMargin;
        rect->bottom = inner.bottom;
    }
    params->uiLengthDrawn = text ? static_cast<UINT>(count < 0 ? std::strlen(text) : static_cast<std::size_t>(count)) : 0;
    return result;
}
