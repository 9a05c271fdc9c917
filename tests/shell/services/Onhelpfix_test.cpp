#include "shell/services/Onhelpfix.h"

#include "shell/services/Hh_funcs.h"
#include "tests/shell/services/Help_Test_Support.h"

#include "platform/classlib/Forms.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/StdCtrls.h"
#include "platform/htmlhelp/Help_Window.h"
#include "platform/winapi/Window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

std::string Shown_Title()
{
    return Help_Window::Browser() ? Help_Window::Browser()->documentTitle().toStdString() : std::string();
}

// A form with a help context and an edit box without help of its own.
class Help_Form : public TForm {
public:
    Help_Form() : TForm(nullptr)
    {
        SetBounds(40, 30, 200, 120);
        Edit = new TEdit(this);
        Edit->SetParent(this);
        Edit->SetBounds(10, 10, 100, 24);
    }
    TEdit* Edit;
};

class F1_Bridge_Test : public testing::Test {
protected:
    void TearDown() override
    {
        HHCloseAll();
        QApplication::processEvents();
    }
    Temporary_Help_Log log;
};

bool Logged(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

} // namespace

TEST_F(F1_Bridge_Test, AControlWithoutHelpTakesTheContextOfItsParent)
{
    THookHelpSystem help(SD_Help_File(), "", htHHAPI);
    Help_Form form;
    form.SetHelpContext(1010);
    EXPECT_TRUE(Help_For_Control(form.Edit));
    EXPECT_EQ(Shown_Title(), "Several cameras");
    EXPECT_TRUE(Logged(log.Lines(), "THookHelpSystem.HelpHook(HELP_CONTEXT (1), 1010)"));

    form.Edit->SetHelpContext(1002);
    EXPECT_TRUE(Help_For_Control(form.Edit));
    EXPECT_EQ(Shown_Title(), "The WCU block");
}

TEST_F(F1_Bridge_Test, AKeywordGoesToTheLibrarysOwnHandling)
{
    THookHelpSystem help(HD_Help_File(), "", htHHAPI);
    Help_Form form;
    form.SetHelpKeyword("MAIN_HD");
    EXPECT_EQ(form.HelpType(), htKeyword);
    EXPECT_TRUE(Help_For_Control(&form));
    const auto lines = log.Lines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.rfind("THookHelpSystem.HelpHook(HELP_KEY (257), ", 0) == 0;
    }));
    EXPECT_EQ(Help_Window::Handle(), nullptr);
}

TEST_F(F1_Bridge_Test, SettingAContextSwitchesTheHelpTypeFromKeyword)
{
    Help_Form form;
    form.SetHelpKeyword("MAIN_HD");
    form.SetHelpContext(1010);
    EXPECT_EQ(form.HelpType(), htContext);
    EXPECT_TRUE(form.HasHelp());
    form.SetHelpContext(0);
    EXPECT_FALSE(form.HasHelp());
    EXPECT_FALSE(Help_For_Control(form.Edit)) << "nothing with help up the parents";
}

TEST_F(F1_Bridge_Test, WithoutAHelpObjectNothingIsShown)
{
    Help_Form form;
    form.SetHelpContext(1010);
    Help_For_Control(&form);
    EXPECT_EQ(Help_Window::Handle(), nullptr);
}

TEST_F(F1_Bridge_Test, F1OnTheFocusedControlOpensItsTopic)
{
    THookHelpSystem help(HD_Help_File(), "", htHHAPI);
    Help_Form form;
    form.SetHelpContext(1000);
    form.Edit->SetHelpContext(1006);
    form.Show();
    form.Edit->SetFocus();
    QApplication::processEvents();
    ASSERT_EQ(Screen->ActiveControl(), form.Edit);

    QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(Window_Widget(form.Edit->Handle()), &press);
    EXPECT_EQ(Shown_Title(), "The spectrum window");
    const auto lines = log.Lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "THookHelpSystem.HelpHook(HELP_CONTEXT (1), 1006)"), 1)
        << "one request for one key press";
    const POINT origin = form.Edit->ClientToScreen(POINT{0, 0});
    EXPECT_EQ(help.PopupPos().x, origin.x);
    EXPECT_EQ(help.PopupPos().y, origin.y);
}

TEST_F(F1_Bridge_Test, F1InAnOpenMenuOpensTheTopicOfTheEntryUnderTheKeyboard)
{
    THookHelpSystem help(SD_Help_File(), "", htHHAPI);
    Help_Form form;
    form.SetHelpContext(1000);
    TPopupMenu popup(&form);
    auto* port = new TMenuItem(&form);
    port->SetCaption("&Serial port");
    popup.Items()->Add(port);
    auto* com1 = new TMenuItem(&form);
    com1->SetCaption("Com1");
    port->Add(com1);
    popup.Items()->SetHelpContext(1001);
    form.Show();

    QTimer::singleShot(0, [&] {
        QMenu* shown = popup.Menu_Widget();
        ASSERT_NE(shown, nullptr);
        shown->setActiveAction(shown->actions().front());
        EXPECT_EQ(Menu_Item_Of(shown->activeAction()), port);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(shown, &press);
        shown->close();
    });
    popup.Popup(100, 100);
    EXPECT_EQ(Shown_Title(), "The PC block, serial port and status log")
        << "the entry's context comes from its parent item, not from the form";

    com1->SetHelpContext(1002);
    EXPECT_TRUE(Help_For_Menu_Item(com1));
    EXPECT_EQ(Shown_Title(), "The WCU block");
    popup.Items()->SetHelpContext(0);
    EXPECT_FALSE(Help_For_Menu_Item(port));
}

TEST(F1_Bridge, ViewerAnswers)
{
    THTMLHelpViewer* viewer = HTML_Help_Viewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->Registered());
    EXPECT_EQ(viewer->GetViewerName(), "OnHelpFix");
    EXPECT_EQ(viewer->UnderstandsKeyword("anything"), 1);
    const auto strings = viewer->GetHelpStrings("MAIN_HD");
    ASSERT_EQ(strings->Count(), 1);
    EXPECT_EQ(strings->Strings(0), "OnHelpFix: MAIN_HD");
    EXPECT_TRUE(viewer->CanShowTableOfContents());
    EXPECT_TRUE(viewer->UnderstandsTopic("x"));
    EXPECT_TRUE(viewer->UnderstandsContext(1, ""));
    Application->SetHelpFile("current.chm");
    EXPECT_EQ(viewer->HelpFile(""), "current.chm");
    EXPECT_EQ(viewer->HelpFile("given.chm"), "given.chm");
    Application->SetHelpFile("");
}

TEST(F1_Bridge, SelectorAndTesterAnswers)
{
    THelpSelector selector;
    TStringList names;
    EXPECT_EQ(selector.TableOfContents(&names), 0);
    for (const char* name : {"Other", "OnHelpFix", "Third", "OnHelpFix", "Last"})
        names.Add(name);
    EXPECT_EQ(selector.TableOfContents(&names), 3);
    EXPECT_EQ(selector.SelectKeyword(&names), 0);

    ASSERT_NE(WinHelpTester(), nullptr);
    EXPECT_FALSE(WinHelpTester()->CanShowALink("a", "f"));
    EXPECT_FALSE(WinHelpTester()->CanShowTopic("t", "f"));
    EXPECT_FALSE(WinHelpTester()->CanShowContext(1, "f"));
    EXPECT_EQ(WinHelpTester()->GetHelpStrings("a")->Count(), 0);
    EXPECT_EQ(WinHelpTester()->GetHelpPath(), "");
    WinHelpTester_Enable(false);
    EXPECT_EQ(WinHelpTester(), nullptr);
    WinHelpTester_Enable(true);
    EXPECT_NE(WinHelpTester(), nullptr);
}

TEST_F(F1_Bridge_Test, TableOfContentsAndTopicsBecomeHelpCommands)
{
    THookHelpSystem help(SD_Help_File(), "", htHHAPI);
    IHelpSystem* help_system = nullptr;
    ASSERT_TRUE(GetHelpSystem(help_system));
    EXPECT_TRUE(help_system->ShowTableOfContents());
    EXPECT_TRUE(help_system->ShowTopicHelp("wcu", ""));
    const auto lines = log.Lines();
    EXPECT_TRUE(Logged(lines, "THookHelpSystem.HelpHook(HELP_INDEX or HELP_CONTENTS (3), 0)"));
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.rfind("THookHelpSystem.HelpHook(HELP_KEY (257), ", 0) == 0;
    }));
}
