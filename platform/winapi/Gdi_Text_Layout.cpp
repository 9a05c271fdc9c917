// DrawText's layout: prefix marks taken out, paragraphs split at line ends,
// words wrapped to the width, and lines too wide shortened with an ellipsis.

#include "platform/winapi/Gdi_Text.h"

#include "platform/winapi/Gdi_Text_Internal.h"

#include <algorithm>
#include <vector>

namespace gdi_text_internal {
namespace {

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

} // namespace

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

} // namespace gdi_text_internal
