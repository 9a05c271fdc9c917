#include "platform/classlib/Clipbrd.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/StdCtrls.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class Memo_Form : public TForm {
public:
    Memo_Form() : TForm(nullptr)
    {
        SetBounds(10, 10, 240, 160);
        Memo = new TMemo(this);
        Memo->SetParent(this);
        Memo->SetBounds(8, 8, 200, 100);
    }

    TMemo* Memo;
};

QPlainTextEdit* Editor(TMemo* memo) { return qobject_cast<QPlainTextEdit*>(memo->Content()); }

// Input messages queued one after another may each need a pass of the loop.
void Handle_Queued_Input()
{
    for (int pass = 0; pass < 4; ++pass)
        Application->ProcessMessages();
}

} // namespace

TEST(Memo, LinesAndTextUseLibraryLineBreaksWithOrWithoutAWindow)
{
    for (const bool shown : {false, true}) {
        Memo_Form form;
        if (shown)
            form.Show();
        TMemo* memo = form.Memo;
        ASSERT_EQ(memo->HandleAllocated(), shown);
        EXPECT_EQ(memo->Lines()->Count(), 0);
        memo->Lines()->Add("------- 12:00:00 -------");
        memo->Lines()->Add("WCU answers");
        EXPECT_EQ(memo->Text(), "------- 12:00:00 -------\r\nWCU answers");
        EXPECT_EQ(memo->Lines()->Text(), "------- 12:00:00 -------\r\nWCU answers\r\n");
        memo->Lines()->Insert(1, "AMU 1 present");
        memo->Lines()->Delete(0);
        memo->Lines()->Put(1, "WCU 2,4 GHz");
        EXPECT_EQ(memo->Lines()->Count(), 2);
        EXPECT_EQ(memo->Lines()->Strings(0), "AMU 1 present");
        EXPECT_EQ(memo->Lines()->Strings(1), "WCU 2,4 GHz");
        EXPECT_THROW(memo->Lines()->Strings(2), EListError);
        memo->SetText("a\r\nb\r\n");
        EXPECT_EQ(memo->Lines()->Count(), 2) << "a final empty line does not count";
        memo->Lines()->Add("c");
        EXPECT_EQ(memo->Text(), "a\r\nb\r\nc");
        if (shown) {
            EXPECT_EQ(Editor(memo)->toPlainText().toStdString(), "a\nb\nc");
        }
        memo->Clear();
        EXPECT_TRUE(memo->Text().empty());
    }
}

TEST(Memo, TextSurvivesTheWindowBeingMadeAgain)
{
    Memo_Form form;
    form.Show();
    form.Memo->SetText("kept\r\nacross");
    form.Memo->SetReadOnly(true);
    form.Memo->RecreateWnd();
    form.Memo->HandleNeeded();
    ASSERT_NE(Editor(form.Memo), nullptr);
    EXPECT_EQ(Editor(form.Memo)->toPlainText().toStdString(), "kept\nacross");
    EXPECT_TRUE(Editor(form.Memo)->isReadOnly());
}

TEST(Memo, SelectionCountsALineBreakAsTwoCharacters)
{
    Memo_Form form;
    form.Show();
    TMemo* memo = form.Memo;
    memo->SetText("ab\r\ncd");
    memo->SetSelStart(4); // before "c"
    memo->SetSelLength(2);
    EXPECT_EQ(memo->SelStart(), 4);
    EXPECT_EQ(memo->SelLength(), 2);
    EXPECT_EQ(memo->SelText(), "cd");
    memo->SetSelStart(1);
    memo->SetSelLength(4);
    EXPECT_EQ(memo->SelText(), "b\r\nc");
    memo->SelectAll();
    EXPECT_EQ(memo->SelStart(), 0);
    EXPECT_EQ(memo->SelLength(), 6);
}

TEST(Memo, ReadOnlyRefusesTypingButCopiesToTheClipboard)
{
    Memo_Form form;
    form.Show();
    TMemo* memo = form.Memo;
    memo->SetText("status");
    memo->SetReadOnly(true);
    memo->SetFocus();
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    QApplication::sendEvent(Editor(memo), &typed);
    EXPECT_EQ(memo->Text(), "status");

    Clipboard()->SetAsText("before");
    memo->SetSelStart(0);
    memo->SetSelLength(4);
    memo->CopyToClipboard();
    EXPECT_EQ(Clipboard()->AsText(), "stat");
    EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));

    memo->SetReadOnly(false);
    memo->SelectAll();
    memo->PasteFromClipboard();
    EXPECT_EQ(memo->Text(), "stat");
    Clipboard()->Clear();
    EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
}

TEST(Memo, TypedKeysReachOnKeyDownAndTheEditor)
{
    Memo_Form form;
    form.Show();
    TMemo* memo = form.Memo;
    std::vector<WORD> keys;
    memo->OnKeyDown = [&](TObject*, WORD& Key, TShiftState) { keys.push_back(Key); };
    int changes = 0;
    memo->OnChange = [&](TObject*) { ++changes; };
    memo->SetFocus();
    EXPECT_TRUE(Editor(memo)->hasFocus() || !QApplication::focusWidget()) << "the window's focus is the editor's";
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(Editor(memo), &typed);
    QKeyEvent deleted(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(Editor(memo), &deleted);
    Handle_Queued_Input();
    EXPECT_EQ(memo->Text(), "a");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(keys, (std::vector<WORD>{'A', VK_DELETE})) << "each key once, the unhandled Delete included";
    for (const Qt::Key key : {Qt::Key_B, Qt::Key_C}) { // two events, one address
        QKeyEvent again(QEvent::KeyPress, key, Qt::NoModifier, QString(QChar(key).toLower()));
        QApplication::sendEvent(Editor(memo), &again);
    }
    Handle_Queued_Input();
    EXPECT_EQ(keys, (std::vector<WORD>{'A', VK_DELETE, 'B', 'C'}));
    EXPECT_EQ(memo->Text(), "abc");
}

TEST(Memo, ADisabledMemoOrFormTakesNoInput)
{
    Memo_Form form;
    form.Show();
    TMemo* memo = form.Memo;
    memo->SetEnabled(false);
    EXPECT_FALSE(Editor(memo)->isEnabled());
    memo->SetEnabled(true);
    EXPECT_TRUE(Editor(memo)->isEnabled());
    EnableWindow(form.Handle(), FALSE); // as while another form is modal
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(Editor(memo), &typed);
    EXPECT_TRUE(memo->Text().empty());
    EnableWindow(form.Handle(), TRUE);
    QApplication::sendEvent(Editor(memo), &typed);
    EXPECT_EQ(memo->Text(), "a");
}

TEST(Memo, TabMovesTheFocusOnInsteadOfTypingATab)
{
    Memo_Form form;
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    edit->SetBounds(8, 120, 100, 21);
    form.Show();
    form.Memo->SetFocus();
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    QApplication::sendEvent(Editor(form.Memo), &tab);
    Handle_Queued_Input();
    EXPECT_TRUE(form.Memo->Text().empty());
    EXPECT_TRUE(edit->Focused());
}

TEST(Memo, ARightClickPopsUpTheControlsMenu)
{
    Memo_Form form;
    form.Show();
    TPopupMenu menu(&form);
    auto* item = new TMenuItem(&form);
    item->SetCaption("Select all");
    menu.Items()->Add(item);
    form.Memo->SetPopupMenu(&menu);
    TComponent* popped_for = nullptr;
    int popups = 0;
    menu.OnPopup = [&](TObject*) {
        ++popups;
        popped_for = menu.PopupComponent();
        QTimer::singleShot(0, [&] {
            if (menu.Menu_Widget())
                menu.Menu_Widget()->close();
        });
    };
    QWidget* viewport = Editor(form.Memo)->viewport();
    const QPoint global = viewport->mapToGlobal(QPoint(5, 5));
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5), global);
    QApplication::sendEvent(viewport, &request);
    EXPECT_EQ(popped_for, nullptr) << "not the editor's own menu";
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent click(type, QPointF(5, 5), QPointF(global), Qt::RightButton,
                          type == QEvent::MouseButtonPress ? Qt::RightButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &click);
    }
    Handle_Queued_Input();
    EXPECT_EQ(popped_for, form.Memo);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(menu.Menu_Widget(), nullptr);
}

TEST(StdControls, ButtonClickSetsTheFormsModalResultAndEnterClicksTheDefault)
{
    TForm form(nullptr);
    form.SetBounds(10, 10, 200, 100);
    auto* ok = new TButton(&form);
    ok->SetParent(&form);
    ok->SetCaption("OK");
    ok->SetModalResult(mrOk);
    ok->SetDefault(true);
    int clicks = 0;
    ok->OnClick = [&](TObject*) { ++clicks; };
    form.Show();
    ok->Perform(CM_DIALOGCHAR, VK_ESCAPE, 0);
    EXPECT_EQ(clicks, 0) << "not a Cancel button";
    ok->Perform(CM_DIALOGCHAR, VK_RETURN, 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form.ModalResult(), mrOk);
    form.SetModalResult(mrNone);
    qobject_cast<QAbstractButton*>(ok->Content())->click();
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(form.ModalResult(), mrOk);
}

// As on a standard dialog: Enter clicks the focused button; the default
// one takes it only while no button has the focus.
TEST(StdControls, EnterClicksTheFocusedButtonElseTheDefaultOne)
{
    TForm form(nullptr);
    form.SetBounds(10, 10, 240, 100);
    auto* yes = new TButton(&form);
    auto* no = new TButton(&form);
    auto* edit = new TEdit(&form);
    int yes_clicks = 0;
    int no_clicks = 0;
    yes->SetDefault(true);
    yes->OnClick = [&](TObject*) { ++yes_clicks; };
    no->OnClick = [&](TObject*) { ++no_clicks; };
    for (TWinControl* control : std::initializer_list<TWinControl*>{yes, no, edit}) {
        control->SetParent(&form);
    }
    no->SetLeft(80);
    edit->SetTop(40);
    form.Show();
    no->SetFocus();
    form.Perform(CM_DIALOGCHAR, VK_RETURN, 0);
    EXPECT_EQ(no_clicks, 1) << "the focused button";
    EXPECT_EQ(yes_clicks, 0) << "not the default one besides";
    edit->SetFocus();
    form.Perform(CM_DIALOGCHAR, VK_RETURN, 0);
    EXPECT_EQ(yes_clicks, 1) << "the default one while an editor has the focus";
    EXPECT_EQ(no_clicks, 1);
}

TEST(StdControls, LabelTakesTheSizeOfItsText)
{
    TForm form(nullptr);
    auto* label = new TLabel(&form);
    label->SetParent(&form);
    label->SetCaption("Cam lock");
    const int one_line = label->Height();
    const int width = label->Width();
    EXPECT_GT(width, 20);
    label->SetCaption("Cam lock\nCam lock");
    EXPECT_EQ(label->Width(), width);
    EXPECT_GE(label->Height(), 2 * one_line - 1);
    label->SetAutoSize(false);
    label->SetCaption("x");
    EXPECT_EQ(label->Width(), width);
}

TEST(StdControls, ComboBoxItemsIndexAndOwnerDrawnFace)
{
    TForm form(nullptr);
    form.SetBounds(10, 10, 200, 100);
    auto* combo = new TComboBox(&form);
    combo->SetParent(&form);
    combo->SetStyle(csOwnerDrawFixed);
    for (const char* item : {"Tuners average", "Tuner 1", "Tuner 2", "Tuner 3"})
        combo->Items()->Add(item);
    combo->SetItemIndex(2);
    std::vector<int> drawn;
    combo->OnDrawItem = [&](TWinControl*, int Index, const RECT& Rect, TOwnerDrawState State) {
        drawn.push_back(Index);
        EXPECT_TRUE(State.Contains(odComboBoxEdit));
        combo->Canvas()->FillRect(Rect);
    };
    int changes = 0;
    combo->OnChange = [&](TObject*) { ++changes; };
    form.Show();
    auto* widget = qobject_cast<QComboBox*>(combo->Content());
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->count(), 4);
    EXPECT_EQ(widget->currentIndex(), 2);
    EXPECT_EQ(combo->Text(), "Tuner 2");
    widget->grab(); // paints the closed face
    EXPECT_EQ(drawn, std::vector<int>{2});
    EXPECT_EQ(changes, 0) << "setting the index is not a change by the user";
    emit widget->activated(3);
    EXPECT_EQ(combo->ItemIndex(), 3);
    EXPECT_EQ(changes, 1);
    combo->Items()->Delete(3);
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(widget->count(), 3);
}
