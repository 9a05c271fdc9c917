#include "platform/classlib/StdCtrls_Memo.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>

#include <algorithm>
#include <vector>

namespace {

QString To_Qt(const std::string& text)
{
    QString converted = Qt_Text(text);
    converted.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    converted.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return converted;
}

std::string To_Library(const QString& text)
{
    QString converted = text;
    converted.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return converted.toStdString();
}

// A position in the library's text (line breaks count two) and in Qt's.
int Library_Position(const QString& text, int position)
{
    const int end = std::clamp(position, 0, static_cast<int>(text.size()));
    return end + static_cast<int>(std::count(text.begin(), text.begin() + end, QLatin1Char('\n')));
}

int Qt_Position(const QString& text, int position)
{
    int index = 0;
    for (; index < text.size() && position > 0; ++index)
        position -= text[index] == QLatin1Char('\n') ? 2 : 1;
    return index;
}

// Lines split as the library's text splits them, without a final empty line.
std::vector<std::string> Split(const std::string& text)
{
    TStringList list;
    list.SetText(text);
    std::vector<std::string> lines;
    for (int index = 0; index < list.Count(); ++index)
        lines.push_back(list.Strings(index));
    return lines;
}

std::string Join(const std::vector<std::string>& lines)
{
    std::string text;
    for (std::size_t index = 0; index < lines.size(); ++index)
        text += (index ? "\r\n" : "") + lines[index];
    return text;
}

} // namespace

// The memo's lines, read from and written to its text.
class Memo_Lines : public TStrings {
public:
    explicit Memo_Lines(TCustomMemo* owner) : memo(owner) {}

    int Count() const override { return static_cast<int>(Split(memo->Text()).size()); }
    std::string Strings(int index) const override
    {
        std::vector<std::string> lines = Split(memo->Text());
        return Checked(lines, index);
    }
    void Put(int index, const std::string& text) override
    {
        std::vector<std::string> lines = Split(memo->Text());
        Checked(lines, index) = text;
        memo->SetText(Join(lines));
    }
    // Memo lines carry no objects.
    void* Objects(int index) const override
    {
        Strings(index);
        return nullptr;
    }
    void PutObject(int index, void*) override { Strings(index); }
    int Add(const std::string& text) override
    {
        memo->Append_Line(text);
        return Count() - 1;
    }
    void Insert(int index, const std::string& text) override
    {
        std::vector<std::string> lines = Split(memo->Text());
        if (index < 0 || index > static_cast<int>(lines.size()))
            Out_Of_Bounds(index);
        lines.insert(lines.begin() + index, text);
        memo->SetText(Join(lines));
    }
    void Delete(int index) override
    {
        std::vector<std::string> lines = Split(memo->Text());
        Checked(lines, index);
        lines.erase(lines.begin() + index);
        memo->SetText(Join(lines));
    }
    void Clear() override { memo->Clear(); }

private:
    static std::string& Checked(std::vector<std::string>& lines, int index)
    {
        if (index < 0 || index >= static_cast<int>(lines.size()))
            Out_Of_Bounds(index);
        return lines[static_cast<std::size_t>(index)];
    }
    [[noreturn]] static void Out_Of_Bounds(int index)
    {
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    }

    TCustomMemo* memo;
};

TCustomMemo::TCustomMemo(TComponent* AOwner) : TWidget_Control(AOwner), lines(std::make_unique<Memo_Lines>(this))
{
    SetBounds(0, 0, 185, 89);
    SetColor(clWindow);
    SetParentColor(false);
}

TCustomMemo::~TCustomMemo() = default;

QPlainTextEdit* TCustomMemo::Editor() const { return static_cast<QPlainTextEdit*>(Content()); }

void TCustomMemo::CreateParams(TCreateParams& Params)
{
    TWidget_Control::CreateParams(Params);
    Params.ExStyle |= WS_EX_CLIENTEDGE;
}

QWidget* TCustomMemo::Create_Content(QWidget* Parent)
{
    auto* editor = new QPlainTextEdit(Parent);
    editor->setFrameShape(QFrame::NoFrame);
    editor->setPlainText(To_Qt(stored));
    QObject::connect(editor, &QPlainTextEdit::textChanged, editor, [this] { Change(); });
    Apply_Scroll_Bars(editor);
    Apply_Read_Only(editor);
    return editor;
}

void TCustomMemo::Save_Content() { stored = Text(); }

std::string TCustomMemo::Text() const { return Editor() ? To_Library(Editor()->toPlainText()) : stored; }

void TCustomMemo::SetText(const std::string& Value)
{
    if (Editor()) {
        Editor()->setPlainText(To_Qt(Value)); // reports the change itself
        return;
    }
    stored = Value;
    Change();
}

void TCustomMemo::ChangedText() { SetText(TControl::Text()); }

void TCustomMemo::Append_Line(const std::string& Line)
{
    if (!Editor()) {
        const bool line_start = stored.empty() || stored.back() == '\n';
        stored += (line_start ? "" : "\r\n") + Line;
        Change();
        return;
    }
    QTextCursor cursor(Editor()->document());
    cursor.movePosition(QTextCursor::End);
    const bool line_start = Editor()->document()->lastBlock().text().isEmpty();
    cursor.insertText((line_start ? QString() : QStringLiteral("\n")) + To_Qt(Line));
    Editor()->setTextCursor(cursor);
    Editor()->ensureCursorVisible();
}

void TCustomMemo::SetReadOnly(bool Value)
{
    read_only = Value;
    if (Editor())
        Apply_Read_Only(Editor());
}

void TCustomMemo::Apply_Read_Only(QPlainTextEdit* Editor) const
{
    Editor->setReadOnly(read_only);
    if (read_only) // the keyboard still moves and selects, as in a read-only edit control
        Editor->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void TCustomMemo::SetScrollBars(TScrollStyle Value)
{
    scroll_bars = Value;
    if (Editor())
        Apply_Scroll_Bars(Editor());
}

void TCustomMemo::SetWordWrap(bool Value)
{
    word_wrap = Value;
    if (Editor())
        Apply_Scroll_Bars(Editor());
}

void TCustomMemo::Apply_Scroll_Bars(QPlainTextEdit* editor) const
{
    const bool vertical = scroll_bars == ssVertical || scroll_bars == ssBoth;
    const bool horizontal = scroll_bars == ssHorizontal || scroll_bars == ssBoth;
    editor->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    editor->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    // A horizontal scroll bar means long lines run on.
    const bool wraps = word_wrap && !horizontal;
    editor->setLineWrapMode(wraps ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

int TCustomMemo::SelStart() const
{
    if (!Editor())
        return 0;
    return Library_Position(Editor()->toPlainText(), Editor()->textCursor().selectionStart());
}

void TCustomMemo::SetSelStart(int Value)
{
    if (!Editor())
        return;
    QTextCursor cursor = Editor()->textCursor();
    cursor.setPosition(Qt_Position(Editor()->toPlainText(), Value));
    Editor()->setTextCursor(cursor);
}

int TCustomMemo::SelLength() const
{
    if (!Editor())
        return 0;
    const QString text = Editor()->toPlainText();
    const QTextCursor cursor = Editor()->textCursor();
    return Library_Position(text, cursor.selectionEnd()) - Library_Position(text, cursor.selectionStart());
}

void TCustomMemo::SetSelLength(int Value)
{
    if (!Editor())
        return;
    const QString text = Editor()->toPlainText();
    QTextCursor cursor = Editor()->textCursor();
    const int start = cursor.selectionStart();
    cursor.setPosition(start);
    cursor.setPosition(Qt_Position(text, Library_Position(text, start) + std::max(0, Value)), QTextCursor::KeepAnchor);
    Editor()->setTextCursor(cursor);
}

std::string TCustomMemo::SelText() const
{
    if (!Editor())
        return {};
    QString selected = Editor()->textCursor().selectedText();
    selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return To_Library(selected);
}

void TCustomMemo::SelectAll()
{
    if (Editor())
        Editor()->selectAll();
}

void TCustomMemo::CopyToClipboard()
{
    if (Editor())
        Editor()->copy();
}

void TCustomMemo::CutToClipboard()
{
    if (Editor())
        Editor()->cut();
}

void TCustomMemo::PasteFromClipboard()
{
    if (Editor())
        Editor()->paste();
}

void TCustomMemo::Change()
{
    if (OnChange)
        OnChange(this);
}

void TCustomMemo::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_GETDLGCODE) {
        Message.Result = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
        return;
    }
    TWidget_Control::Dispatch(Message);
}
