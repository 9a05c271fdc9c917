#include "components/controls/SCLComboBox.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/foundations/Sclclass.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/StdCtrls.h"
#include "tests/components/controls/Back_Test_Support.h"

using namespace back_test;

namespace {

void Hold_Pool()
{
    SCLApplication->TimerPool()->UpdateMainTimer(false);
}

void Tick(int times = 1)
{
    for (int i = 0; i < times; ++i)
        SCLApplication->TimerPool()->HandleTimers();
}

struct Combo_Form : Test_Form {
    TSCLComboBox* combo;
    explicit Combo_Form(TComboBoxStyle style, const std::vector<std::string>& items)
    {
        combo = new TSCLComboBox(this);
        combo->SetBounds(10, 10, 150, 24);
        combo->SetStyle(style);
        for (const std::string& item : items)
            combo->Items()->Add(item);
        combo->SetParent(this);
        Show();
        Pump();
    }
    QComboBox* Widget() const { return static_cast<QComboBox*>(combo->Content()); }
    // The user picks an entry of the list.
    void Choose(int index)
    {
        Widget()->setCurrentIndex(index);
        Q_EMIT Widget()->activated(index);
        Pump();
    }
    std::vector<std::string> Entries() const
    {
        std::vector<std::string> out;
        for (int i = 0; i < combo->Items()->Count(); ++i)
            out.push_back(combo->Items()->Strings(i));
        return out;
    }
    void Key_Down(WORD key) { combo->Perform(WM_KEYDOWN, key, 0); }
};

const std::vector<std::string> Fixed = {"A", "B", "C", "D", "E", "F", "G"};

} // namespace

TEST(ComboMru, SixChoicesKeepFiveEntriesAndAChosenHeadIsOnlyReselected)
{
    Combo_Form form(csDropDownList, Fixed);
    form.combo->SetBoolean(1, true);
    EXPECT_EQ(form.combo->Style(), csOwnerDrawFixed);
    int selects = 0;
    form.combo->OnSelect = [&selects](TObject*) { ++selects; };
    for (int k = 0; k < 6; ++k)
        form.Choose(form.combo->MRUCount() + k); // the fixed item A + k
    EXPECT_EQ(selects, 6);
    EXPECT_EQ(form.combo->MRUCount(), 5);
    EXPECT_EQ(form.Entries(), (std::vector<std::string>{"F", "E", "D", "C", "B", "A", "B", "C", "D", "E", "F", "G"}));
    EXPECT_EQ(form.combo->ItemIndex(), 0);

    form.Choose(5 + 5); // the fixed "F", which heads the list
    EXPECT_EQ(form.combo->MRUCount(), 5);
    EXPECT_EQ(form.combo->ItemIndex(), 0);
    EXPECT_EQ(form.Entries().size(), 12u);

    form.combo->SetInteger(1, 2);
    EXPECT_EQ(form.combo->MRUCount(), 2);
    EXPECT_EQ(form.Entries(), (std::vector<std::string>{"F", "E", "A", "B", "C", "D", "E", "F", "G"}));

    form.combo->SetBoolean(1, false);
    EXPECT_EQ(form.Entries(), Fixed);
}

TEST(ComboMru, ListRowsAreFourPixelsTallerWhileTheMruListIsOn)
{
    Combo_Form form(csDropDownList, Fixed);
    form.combo->SetBoolean(1, true);
    QAbstractItemView* list = form.Widget()->view();
    EXPECT_EQ(list->sizeHintForRow(0), form.combo->ItemHeight() + 4);
    form.combo->SetBoolean(1, false);
    EXPECT_EQ(list->sizeHintForRow(0), form.combo->ItemHeight());
}

TEST(ComboMru, NoEntriesAreKeptWithAMaximumOfZero)
{
    Combo_Form form(csDropDownList, Fixed);
    form.combo->SetBoolean(1, true);
    form.combo->SetInteger(1, 0);
    form.Choose(2);
    EXPECT_EQ(form.combo->MRUCount(), 0);
    EXPECT_EQ(form.Entries(), Fixed);
}

TEST(ComboSearch, APauseCompletesTheTypedTextFromTheSortedItems)
{
    Combo_Form form(csDropDown, {"Zulu", "Tuner 2", "Alpha", "Tuner 1"});
    form.combo->SetSearch(true);
    EXPECT_TRUE(form.combo->Sorted());
    form.combo->SetText("Tu");
    form.Key_Down('U');
    Hold_Pool();
    ASSERT_NE(form.combo->SearchTimer(), 0);
    EXPECT_EQ(SCLApplication->GetTimer(form.combo->SearchTimer())->Interval(), 1500);
    Tick(29);
    EXPECT_EQ(form.combo->ItemIndex(), -1) << "still typing";
    Tick();
    EXPECT_EQ(form.combo->ItemIndex(), 1) << "the first sorted item beginning with the text";
    EXPECT_EQ(form.combo->Text(), "Tuner 1");
    QLineEdit* editor = form.Widget()->lineEdit();
    EXPECT_EQ(editor->selectedText().toStdString(), "ner 1");
    EXPECT_EQ(editor->cursorPosition(), 2) << "the caret stays after what was typed";
    EXPECT_EQ(form.combo->SearchTimer(), 0) << "the timer is freed once the search ran";

    form.Key_Down(VK_BACK);
    Hold_Pool();
    EXPECT_EQ(SCLApplication->GetTimer(form.combo->SearchTimer())->Interval(), 2500) << "Backspace lengthens the pause";
}

TEST(ComboSearch, AnIntervalOffTheTickIsRounded)
{
    Combo_Form form(csDropDown, {"a", "b"});
    form.combo->SetSearch(true);
    for (const auto& [interval, timed] : std::vector<std::pair<int, int>>{{1520, 1500}, {1530, 1550}, {10, 50}}) {
        form.combo->Interval = interval;
        form.Key_Down('X');
        Hold_Pool();
        ASSERT_NE(form.combo->SearchTimer(), 0);
        EXPECT_EQ(SCLApplication->GetTimer(form.combo->SearchTimer())->Interval(), timed) << interval;
    }
}

TEST(ComboSearch, WithoutSearchNoTimerSlotIsTaken)
{
    Combo_Form form(csDropDown, {"a", "b"});
    const int before = SCLApplication->TimerPool()->GetCount();
    form.Key_Down('X');
    form.Key_Down(VK_BACK);
    EXPECT_EQ(form.combo->SearchTimer(), 0);
    EXPECT_EQ(SCLApplication->TimerPool()->GetCount(), before);

    form.combo->SetSearch(true);
    form.Key_Down('X');
    EXPECT_NE(form.combo->SearchTimer(), 0);
    form.combo->SetSearch(false);
    EXPECT_EQ(form.combo->SearchTimer(), 0) << "switching Search off frees the slot";
    EXPECT_EQ(SCLApplication->TimerPool()->GetCount(), before);
}

TEST(ComboFocus, AChoiceGivesTheFocusControlTheRealFocus)
{
    Combo_Form form(csDropDownList, Fixed);
    auto* same = new TEdit(&form);
    same->SetBounds(10, 60, 100, 24);
    same->SetParent(&form);
    form.combo->SetFocusControl(same);
    form.combo->SetFocus();
    Pump();
    form.Choose(1);
    EXPECT_TRUE(same->Focused());

    Test_Form other;
    other.SetBounds(300, 30, 200, 100);
    auto* far = new TEdit(&other);
    far->SetBounds(10, 10, 100, 24);
    far->SetParent(&other);
    other.Show();
    form.combo->SetFocusControl(far);
    form.combo->SetFocus();
    Pump();
    form.Choose(2);
    EXPECT_TRUE(far->Focused()) << "another window is activated and its control focused";
    EXPECT_EQ(GetFocus(), far->Handle());

    delete far;
    EXPECT_EQ(form.combo->FocusControl(), nullptr) << "a freed focus control is forgotten";
}

TEST(ComboFocus, EnterHandsTheFocusOver)
{
    Combo_Form form(csDropDownList, Fixed);
    auto* next = new TEdit(&form);
    next->SetBounds(10, 60, 100, 24);
    next->SetParent(&form);
    form.combo->SetFocusControl(next);
    form.combo->SetFocus();
    Pump();
    form.Key_Down(VK_RETURN);
    Pump();
    EXPECT_TRUE(next->Focused());
}

TEST(ComboSettings, DropDownWidthReachesTheList)
{
    Combo_Form form(csDropDownList, Fixed);
    form.combo->SetInteger(0, 240);
    Pump();
    EXPECT_EQ(form.Widget()->view()->minimumWidth(), 240);
}

TEST(ComboSettings, TheFormReaderSetsThePublishedProperties)
{
    Test_Form form;
    const std::string text = "object Tuner: TSCLComboBox\n"
                             "  Left = 4\n"
                             "  Top = 4\n"
                             "  Width = 120\n"
                             "  Height = 21\n"
                             "  Style = csDropDownList\n"
                             "  ItemHeight = 15\n"
                             "  Interval = 800\n"
                             "  DropDownWidth = 200\n"
                             "  MRUMax = 3\n"
                             "  Search = True\n"
                             "  Flat = True\n"
                             "  ImeMode = imDontCare\n"
                             "end\n";
    auto* combo = dynamic_cast<TSCLComboBox*>(CreateComponentFromText(text, "test", &form));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->Style(), csDropDownList);
    EXPECT_EQ(combo->ItemHeight(), 15);
    EXPECT_EQ(combo->Interval, 800);
    EXPECT_EQ(combo->DropDownWidth(), 200);
    EXPECT_EQ(combo->MRUMax(), 3);
    EXPECT_TRUE(combo->Search());
    EXPECT_TRUE(combo->Sorted());
    EXPECT_TRUE(combo->Flat());
    EXPECT_FALSE(combo->MRUList());

    const TClassInfo* info = FindClass("TSCLComboBox");
    ASSERT_NE(info, nullptr);
    ASSERT_NE(FindClass("TSCLBaseEdit"), nullptr);
}
