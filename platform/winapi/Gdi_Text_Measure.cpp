// Runs of text: the string decoded, each character's advance, and the calls
// that measure text and fonts with them.

#include "platform/winapi/Gdi_Text.h"

#include "platform/winapi/Gdi_Text_Internal.h"

#include <QFontMetrics>

#include <cstring>

int Text_Face::Width(QChar c) const
{
    auto found = widths.find(c.unicode());
    if (found != widths.end())
        return found->second;
    int width = QFontMetrics(font).horizontalAdvance(c);
    widths.emplace(c.unicode(), width);
    return width;
}

namespace gdi_text_internal {

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

Run_Style Dc_Style(Gdi_Dc* dc, const Text_Face& face)
{
    return {&face, dc->state.char_extra, 0};
}

} // namespace gdi_text_internal

BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int count, LPSIZE size)
{
    Gdi_Dc* found = gdi_text_internal::Text_Dc(dc);
    if (!found || !size || count < 0 || (count > 0 && !text))
        return FALSE;
    const Text_Face& face = gdi_text_internal::Dc_Face(found);
    const gdi_text_internal::Run_Style style = gdi_text_internal::Dc_Style(found, face);
    size->cx = gdi_text_internal::Make_Run(gdi_text_internal::Decode(text, count), {}, style).Width();
    size->cy = face.metrics.tmHeight;
    return TRUE;
}

BOOL GetTextMetricsA(HDC dc, TEXTMETRICA* metrics)
{
    Gdi_Dc* found = gdi_text_internal::Text_Dc(dc);
    if (!found || !metrics)
        return FALSE;
    *metrics = gdi_text_internal::Dc_Face(found).metrics;
    return TRUE;
}

BOOL GetCharWidth32A(HDC dc, UINT first, UINT last, INT* widths)
{
    Gdi_Dc* found = gdi_text_internal::Text_Dc(dc);
    if (!found || !widths || first > last || last > 0xFFFF)
        return FALSE;
    const Text_Face& face = gdi_text_internal::Dc_Face(found);
    for (UINT code = first; code <= last; ++code)
        widths[code - first] = face.Width(QChar(static_cast<char16_t>(code)));
    return TRUE;
}

BOOL GetCharWidthA(HDC dc, UINT first, UINT last, INT* widths) { return GetCharWidth32A(dc, first, last, widths); }
