#include "components/controls/SCLBaseEdit.h"

#include <QApplication>
#include <QKeyEvent>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "components/foundations/Sclclass.h"
#include "platform/classlib/Clipbrd.h"
#include "platform/winapi/Caret.h"
#include "platform/winapi/Edit_Messages.h"
#include "tests/components/controls/Back_Test_Support.h"

using namespace back_test;

namespace {

// A single-line editor: the text written from the text rectangle's left,
// the caret between characters, the nearest gap under the mouse.
class Line_Edit : public TSCLBaseEdit {
public:
    explicit Line_Edit(TComponent* owner) : TSCLBaseEdit(owner) {}
    using TSCLBaseEdit::GetCommandKey;

protected:
    int CalcMouseCol(int X) override { return CalcMousePos(POINT{X, 0}) - 1; }
    int CalcMouseRow(int) override { return 0; }
    void SetCaret() override
    {
        Caret()->SetPos(0, TextRect().left + RowWidth(CaretPos() - 1));
        Caret()->SetPos(1, TextRect().top);
    }
    void SetNewText(const std::string&) override {}
    std::string GetNewText() override { return GetText(); }
    void DrawText(int) override
    {
        if (!painting) {
            if (HandleAllocated())
                Invalidate();
            return;
        }
        Canvas()->Font()->Assign(Font());
        Canvas()->Brush()->SetStyle(bsClear);
        Canvas()->TextOut(TextRect().left, TextRect().top, GetText());
    }
    int CalcMousePos(POINT P) override
    {
        int best = 1;
        for (int i = 1; i <= GetLength() + 1; ++i)
            if (std::abs(TextRect().left + RowWidth(i - 1) - P.x) < std::abs(TextRect().left + RowWidth(best - 1) - P.x))
                best = i;
        return best;
    }
    void Paint() override
    {
        painting = true;
        TSCLBaseEdit::Paint();
        painting = false;
    }

private:
    bool painting = false;
};

void Hold_Pool()
{
    SCLApplication->TimerPool()->UpdateMainTimer(false);
}

void Tick(int times = 1)
{
    for (int i = 0; i < times; ++i)
        SCLApplication->TimerPool()->HandleTimers();
}

struct Edit_Form : Test_Form {
    Line_Edit* edit;
    Edit_Form()
    {
        TSCLEditModes modes;
        modes.Include(emInsert);
        SCLApplication->SetEditMode(modes);
        edit = new Line_Edit(this);
        edit->SetBounds(10, 10, 200, 24);
        edit->SetParent(this);
        Show();
        edit->SetFocus();
        Pump();
        Hold_Pool();
    }
    LRESULT Send(UINT message, WPARAM w = 0, LPARAM l = 0) { return SendMessageA(edit->Handle(), message, w, l); }
};

// Real key input as the desktop delivers it to the form's window.
void Key(Edit_Form& form, int qt_key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {})
{
    QWidget* widget = Window_Widget(form.Handle());
    const auto send = [widget](QEvent::Type type, int k, Qt::KeyboardModifiers m, const QString& t) {
        QKeyEvent event(type, k, m, t);
        QApplication::sendEvent(widget, &event);
        Pump(); // the key state is read as each message is handled
    };
    const int modifier_key = modifiers & Qt::ShiftModifier ? Qt::Key_Shift
                             : modifiers & Qt::ControlModifier ? Qt::Key_Control
                                                               : 0;
    if (modifier_key)
        send(QEvent::KeyPress, modifier_key, modifiers, {});
    send(QEvent::KeyPress, qt_key, modifiers, text);
    send(QEvent::KeyRelease, qt_key, modifiers, text);
    if (modifier_key)
        send(QEvent::KeyRelease, modifier_key, Qt::NoModifier, {});
    Pump();
}

void Type(Edit_Form& form, const std::string& s)
{
    for (char c : s) {
        const int key = c >= 'a' && c <= 'z' ? Qt::Key_A + (c - 'a') : c == ' ' ? Qt::Key_Space : Qt::Key_unknown;
        Key(form, key, Qt::NoModifier, QString(QChar(c)));
    }
}

struct Step {
    int key; // 0: type the text
    Qt::KeyboardModifiers modifiers;
    std::string text;
};

struct Key_Case {
    const char* name;
    std::vector<Step> steps;
    std::string text;
    int sel_start;
    int sel_length;
    int caret;
    int undo_entries;
};

Step T(const std::string& s) { return Step{0, Qt::NoModifier, s}; }
Step K(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { return Step{key, modifiers, {}}; }

} // namespace

TEST(EditEngine, KeySequencesGiveTextSelectionAndUndoEntries)
{
    const std::vector<Key_Case> cases = {
        {"typing", {T("abc")}, "abc", 4, 0, 4, 3},
        {"shift right selects", {T("abc"), K(Qt::Key_Left), K(Qt::Key_Left), K(Qt::Key_Right, Qt::ShiftModifier)},
         "abc", 2, 1, 3, 3},
        {"home shift end retypes", {T("abc"), K(Qt::Key_Home), K(Qt::Key_End, Qt::ShiftModifier), T("x")}, "x", 2, 0,
         2, 4},
        {"backspace", {T("abc"), K(Qt::Key_Backspace)}, "ab", 3, 0, 3, 4},
        {"backspace at the start", {T("ab"), K(Qt::Key_Home), K(Qt::Key_Backspace)}, "ab", 1, 0, 1, 2},
        {"delete", {T("abc"), K(Qt::Key_Home), K(Qt::Key_Delete)}, "bc", 1, 0, 1, 4},
        {"delete at the end", {T("abc"), K(Qt::Key_Delete)}, "abc", 4, 0, 4, 3},
        {"ctrl a replaces all", {T("abc"), K(Qt::Key_A, Qt::ControlModifier), T("z")}, "z", 2, 0, 2, 4},
        {"ctrl left to the word", {T("one two"), K(Qt::Key_Left, Qt::ControlModifier)}, "one two", 5, 0, 5, 7},
        {"ctrl right over a word", {T("one two"), K(Qt::Key_Home, Qt::ControlModifier), K(Qt::Key_Right, Qt::ControlModifier)},
         "one two", 4, 0, 4, 7},
        {"overwrite", {T("abc"), K(Qt::Key_Home), K(Qt::Key_Insert), T("x"), K(Qt::Key_Insert), T("y")}, "xybc", 3, 0,
         3, 5},
        {"escape drops the selection", {T("ab"), K(Qt::Key_Home, Qt::ShiftModifier), K(Qt::Key_Escape)}, "ab", 1, 0, 1,
         2},
    };
    for (const Key_Case& c : cases) {
        SCOPED_TRACE(c.name);
        Edit_Form form;
        for (const Step& step : c.steps) {
            if (step.key == 0)
                Type(form, step.text);
            else
                Key(form, step.key, step.modifiers);
        }
        EXPECT_EQ(form.edit->GetText(), c.text);
        EXPECT_EQ(form.edit->SelStart(), c.sel_start);
        EXPECT_EQ(form.edit->SelLength(), c.sel_length);
        EXPECT_EQ(form.edit->CaretPos(), c.caret);
        EXPECT_EQ(form.edit->UndoCount(), c.undo_entries);
    }
}

TEST(EditEngine, DeleteAtTheEndChangesNothing)
{
    Edit_Form form;
    form.Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc"));
    form.Send(EM_SETMODIFY, 0);
    form.Send(EM_EMPTYUNDOBUFFER);
    form.edit->SetCaretPos(4);
    Key(form, Qt::Key_Delete);
    EXPECT_EQ(form.edit->GetText(), "abc");
    EXPECT_EQ(form.Send(EM_GETMODIFY), 0);
    EXPECT_EQ(form.Send(EM_CANUNDO), 0);
}

TEST(EditEngine, UndoRestoresTextAndCaretAndANewEditForgetsTheRedo)
{
    Edit_Form form;
    Type(form, "ab");
    EXPECT_EQ(form.Send(EM_UNDO), 1) << "one more entry to undo";
    EXPECT_EQ(form.edit->GetText(), "a");
    EXPECT_EQ(form.edit->CaretPos(), 2);
    EXPECT_TRUE(form.edit->CanRedo());
    form.edit->Redo();
    EXPECT_EQ(form.edit->GetText(), "ab");
    EXPECT_EQ(form.edit->CaretPos(), 3);
    form.edit->Undo();
    Type(form, "x");
    EXPECT_EQ(form.edit->GetText(), "ax");
    EXPECT_FALSE(form.edit->CanRedo());
    EXPECT_EQ(form.edit->RedoCount(), 0);
}

TEST(EditEngine, UndoAfterARefusedInsertionOnlyPutsBackWhatWasDeleted)
{
    Edit_Form form;
    form.Send(EM_LIMITTEXT, 3);
    EXPECT_EQ(form.Send(EM_GETLIMITTEXT), 3);
    Type(form, "abcd");
    EXPECT_EQ(form.edit->GetText(), "abc") << "the fourth character is refused";
    EXPECT_EQ(form.edit->UndoCount(), 3) << "a refusal leaves no entry";
    form.Send(EM_SETSEL, 1, 2);
    form.Send(EM_REPLACESEL, 1, reinterpret_cast<LPARAM>("xy"));
    EXPECT_EQ(form.edit->GetText(), "ac") << "only the deletion stands";
    form.edit->Undo();
    EXPECT_EQ(form.edit->GetText(), "abc") << "nothing that was never inserted is removed";
    EXPECT_EQ(form.edit->SelStart(), 2);
    EXPECT_EQ(form.edit->SelLength(), 1);
}

TEST(EditEngine, OverwritingACarriageReturnReplacesTheWholeLineBreak)
{
    Edit_Form form;
    form.edit->SetText("a\r\nb");
    form.edit->SetCaretPos(2);
    Key(form, Qt::Key_Insert);
    Type(form, "x");
    Key(form, Qt::Key_Insert);
    EXPECT_EQ(form.edit->GetText(), "axb");
}

TEST(EditEngine, ReadOnlyAndCharacterCase)
{
    Edit_Form form;
    form.edit->SetCharCase(ecUpperCase);
    Type(form, "ab");
    EXPECT_EQ(form.edit->GetText(), "AB");
    EXPECT_EQ(form.Send(EM_SETREADONLY, 1), 1);
    Type(form, "c");
    Key(form, Qt::Key_Backspace);
    EXPECT_EQ(form.edit->GetText(), "AB");
}

TEST(EditMessages, SelectionMessages)
{
    Edit_Form form;
    form.Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("hello"));
    form.Send(EM_SETSEL, 0, -1);
    DWORD start = 99;
    DWORD end = 99;
    const LRESULT packed = form.Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 5u);
    EXPECT_EQ(packed, static_cast<LRESULT>(MAKELONG(0, 5)));
    form.Send(EM_SETSEL, static_cast<WPARAM>(-1), 3);
    EXPECT_EQ(form.edit->SelLength(), 0) << "a start of -1 only clears the selection";
    form.Send(EM_SETSEL, 1, 3);
    EXPECT_EQ(form.edit->GetSelText(), "el");
    form.Send(EM_REPLACESEL, 1, reinterpret_cast<LPARAM>("EL"));
    EXPECT_EQ(form.edit->GetText(), "hELlo");
    EXPECT_EQ(form.Send(EM_CANUNDO), 1);
    form.Send(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("!"));
    EXPECT_EQ(form.Send(EM_CANUNDO), 0) << "a replacement that cannot be undone empties the buffer";
    EXPECT_EQ(form.Send(EM_LINELENGTH), 6);
    EXPECT_EQ(form.Send(EM_GETLINECOUNT), 1);
    EXPECT_EQ(form.Send(EM_LINEFROMCHAR, 3), 0);
    EXPECT_EQ(form.Send(WM_GETTEXTLENGTH), 6);
    EXPECT_EQ(form.Send(WM_GETDLGCODE) & (DLGC_WANTARROWS | DLGC_WANTCHARS), DLGC_WANTARROWS | DLGC_WANTCHARS);
}

TEST(EditMessages, BufferCopiesStopAtTheCallersSize)
{
    Edit_Form form;
    form.edit->SetText("abcdef");
    char line[8];
    std::memset(line, '#', sizeof line);
    const WORD size = 3;
    std::memcpy(line, &size, sizeof size);
    EXPECT_EQ(form.Send(EM_GETLINE, 0, reinterpret_cast<LPARAM>(line)), 3);
    EXPECT_EQ(std::string(line, 4), "abc#");

    char text[4];
    std::memset(text, '#', sizeof text);
    EXPECT_EQ(form.Send(WM_GETTEXT, 4, reinterpret_cast<LPARAM>(text)), 3);
    EXPECT_EQ(std::string(text, 4), std::string("abc\0", 4));

    form.edit->SelectAll();
    char selected[5];
    std::memset(selected, '#', sizeof selected);
    EXPECT_EQ(form.edit->GetSelTextBuf(selected, 4), 3);
    EXPECT_EQ(std::string(selected, 5), std::string("abc\0#", 5));
}

TEST(EditMessages, ClipboardMessagesAndKeys)
{
    Edit_Form form;
    form.edit->SetText("copy me");
    form.Send(EM_SETSEL, 0, 4);
    form.Send(WM_COPY);
    EXPECT_EQ(Clipboard()->AsText(), "copy");
    form.Send(WM_CUT);
    EXPECT_EQ(form.edit->GetText(), " me");
    form.edit->SetCaretPos(4);
    Key(form, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(form.edit->GetText(), " mecopy");
}

TEST(EditEngine, ContextMenuCaptionsFollowTheState)
{
    Edit_Form form;
    auto captions = [&form] {
        std::vector<std::string> out;
        auto menu = form.edit->CreateEditMenu();
        for (int i = 0; i < menu->Items()->Count(); ++i)
            out.push_back(menu->Items()->Items(i)->Caption() + (menu->Items()->Items(i)->Enabled() ? "" : " (off)"));
        return out;
    };
    Clipboard()->Clear();
    EXPECT_EQ(captions(), (std::vector<std::string>{"&Undo (off)", "-", "&Cut (off)", "&Copy (off)", "&Insert (off)",
                                                    "&Delete (off)", "-", "Select all (off)"}));
    Type(form, "ab");
    form.edit->SelectAll();
    Clipboard()->SetAsText("x");
    EXPECT_EQ(captions(), (std::vector<std::string>{"&Undo", "-", "&Cut", "&Copy", "&Insert", "&Delete", "-",
                                                    "Select all"}));
    auto menu = form.edit->CreateEditMenu();
    menu->Items()->Items(5)->Click();
    EXPECT_EQ(form.edit->GetText(), "") << "Delete removes the selection";
}

TEST(EditCaret, TheControlBlinksItsOwnCaretAndLeavesTheBlinkTimeAlone)
{
    Edit_Form form;
    TSCLCaret* caret = form.edit->Caret();
    EXPECT_TRUE(caret->Shown());
    EXPECT_NE(caret->BlinkTimer(), 0);
    const Caret_Info* info = Caret_Of(form.edit->Handle());
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->shown);
    EXPECT_EQ(info->width, 1) << "the default caret is a line";

    caret->SetBlinkRate(230);
    Hold_Pool();
    EXPECT_EQ(SCLApplication->GetTimer(caret->BlinkTimer())->Interval(), 250) << "rounded to the pool's tick";
    EXPECT_EQ(Caret_Of(form.edit->Handle())->blink_time, 230u) << "the caret's own blink time";
    EXPECT_EQ(GetCaretBlinkTime(), Default_Caret_Blink_Time) << "the desktop's is left alone";

    const RECT r = caret->CaretRect();
    const QImage lit = Shown(&form);
    EXPECT_TRUE(caret->Lit());
    Tick(5);
    EXPECT_FALSE(caret->Lit());
    const QImage dark = Shown(&form);
    const int x = 10 + 2 + r.left; // form offset plus the client edge of the sunken border
    const int y = 10 + 2 + r.top + 2;
    EXPECT_NE(lit.pixel(x, y), dark.pixel(x, y)) << "the caret's pixels are inverted while lit";
    Tick(5);
    EXPECT_TRUE(caret->Lit());

    auto* other = new Line_Edit(&form);
    other->SetBounds(10, 60, 100, 24);
    other->SetParent(&form);
    other->SetFocus();
    Pump();
    EXPECT_FALSE(caret->Shown());
    EXPECT_EQ(caret->BlinkTimer(), 0);
    EXPECT_EQ(other->Caret()->BlinkRate(), Default_Caret_Blink_Time) << "no blink time leaks to another caret";
}

TEST(EditMouse, PressDragDropAndDoubleClick)
{
    Edit_Form form;
    form.edit->SetText("one two three");
    form.edit->ClearUndo();
    const auto x_of = [&form](int position) { return form.edit->TextRect().left + form.edit->RowWidth(position - 1); };
    const auto mouse = [&form](UINT message, int x, WPARAM keys) {
        form.Send(message, keys, MAKELPARAM(static_cast<WORD>(x), 5));
        Pump();
    };
    mouse(WM_LBUTTONDOWN, x_of(5), MK_LBUTTON);
    mouse(WM_MOUSEMOVE, x_of(8), MK_LBUTTON);
    mouse(WM_LBUTTONUP, x_of(8), 0);
    EXPECT_EQ(form.edit->GetSelText(), "two") << "dragging with the button down selects";
    EXPECT_EQ(form.edit->CaretPos(), 8);

    mouse(WM_LBUTTONDOWN, x_of(6), MK_LBUTTON);
    EXPECT_TRUE(form.edit->Dragging()) << "a press inside the selection starts a text drag";
    mouse(WM_LBUTTONUP, x_of(14), 0);
    EXPECT_FALSE(form.edit->Dragging());
    EXPECT_EQ(form.edit->GetText(), "one  threetwo");
    EXPECT_EQ(form.edit->UndoCount(), 2) << "one entry for the removal, one for the insertion";

    mouse(WM_LBUTTONDBLCLK, x_of(8), MK_LBUTTON);
    mouse(WM_LBUTTONUP, x_of(8), 0);
    EXPECT_EQ(form.edit->GetSelText(), "threetwo");
}

TEST(EditCaret, ShapesFollowTheStyle)
{
    Edit_Form form;
    TSCLCaret* caret = form.edit->Caret();
    caret->SetWord(0, 6);
    caret->SetWord(1, 9);
    TBitmap picture;
    picture.SetSize(3, 4);
    caret->SetBitmap(&picture);
    struct Shape {
        TSCLCaretStyles style;
        TSCLCaretBitmap mode;
        int width;
        int height;
    };
    for (const Shape& s : {Shape{csBlock, cbBmpSize, 6, 9}, Shape{csUnderBlock, cbBmpSize, 6, 9},
                           Shape{csUnder, cbBmpSize, 6, 1}, Shape{csOver, cbBmpSize, 6, 1},
                           Shape{csBitmap, cbBmpSize, 3, 4}, Shape{csBitmap, cbStretch, 6, 9},
                           Shape{csBitmap, cbTile, 6, 9}}) {
        caret->SetStyle(s.style);
        caret->SetCaretBmpMode(s.mode);
        caret->BuildCaret();
        const Caret_Info* info = Caret_Of(form.edit->Handle());
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(info->width, s.width) << s.style << " " << s.mode;
        EXPECT_EQ(info->height, s.height) << s.style << " " << s.mode;
    }
}

TEST(EditEngine, WordsAndSearch)
{
    Edit_Form form;
    form.edit->SetText("Alpha beta Gamma beta");
    EXPECT_EQ(form.edit->CountWords(), 4);
    form.edit->SetCaretPos(8);
    EXPECT_EQ(form.edit->GetCurrentWord(), "beta");
    form.edit->SelectCurrentWord();
    EXPECT_EQ(form.edit->GetSelText(), "beta");
    form.edit->SetCaretPos(9);
    form.edit->SelectLeftWord();
    EXPECT_EQ(form.edit->GetSelText(), "be");
    form.edit->SetCaretPos(7);
    form.edit->SelectRightWord();
    EXPECT_EQ(form.edit->GetSelText(), "beta ") << "up to and including the delimiter";

    EXPECT_TRUE(form.edit->Search("GAMMA", stTop, true, false, sdDown));
    EXPECT_EQ(form.edit->SelStart(), 12);
    EXPECT_FALSE(form.edit->Search("GAMMA", stTop, false, false, sdDown)) << "case counts without the flag";
    EXPECT_TRUE(form.edit->Search("beta", stBottom, false, false, sdUp));
    EXPECT_EQ(form.edit->SelStart(), 18);
    EXPECT_FALSE(form.edit->Search("bet", stTop, false, true, sdDown)) << "whole words only";
    EXPECT_EQ(form.edit->SearchAndReplace("beta", "B", stTop, false, false, sdDown, true), 2);
    EXPECT_EQ(form.edit->GetText(), "Alpha B Gamma B");
    form.edit->Upper(1, 5);
    EXPECT_EQ(form.edit->GetText(), "ALPHA B Gamma B");
}
