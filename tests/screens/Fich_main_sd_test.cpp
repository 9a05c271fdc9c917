// The SD page on a real form, offscreen: the block summary and the title
// colours after refreshes, the keys, the title clicks and the menus.

#include "screens/Fich_main_sd.h"

#include "components/controls/SCLBackPanel.h"
#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLShapeButton.h"
#include "components/controls/SCLShapeControl.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/StdCtrls_Memo.h"
#include "platform/winapi/Cursor.h"
#include "platform/winapi/Message.h"
#include "platform/winapi/System_Metrics.h"
#include "platform/winapi/Window.h"
#include "screens/Block_paint.h"
#include "screens/Fich_wcu_sd.h"
#include "screens/Status_ihm_sd_hd.h"
#include "shell/services/Main_Window_Services.h"
#include "tests/screens/Sd_Page_Test_Support.h"

#include <QMenu>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace sd_page_test;

namespace {

TEST(SdPage, BeforeTheFirstRefreshEveryBlockIsDownAndInAlarm)
{
    Sd_Page page;
    ASSERT_NE(page.summary, nullptr);
    const Status_IHM_SD_HD& s = *page.summary;
    EXPECT_EQ(s.Camera_Index, 0u);
    EXPECT_EQ(s.Camera_Number, &page.snapshot.Settings.Name);
    for (uint8_t active : {s.Status_Active, s.WCU_Active, s.AMU1_Active, s.AMU2_Active, s.DE1_Active, s.DE2_Active,
                           s.WCA_Active, s.RS232_Visible, s.Triax1_Visible, s.Wire_DE2_Visible}) {
        EXPECT_EQ(active, 0);
    }
    for (uint8_t alarm : {s.Status_Alarm, s.PC_Alarm, s.WCU_Alarm, s.AMU1_Alarm, s.AMU2_Alarm, s.DE1_Alarm,
                          s.DE2_Alarm, s.WCA_Alarm}) {
        EXPECT_EQ(alarm, 1);
    }
    EXPECT_EQ(page.main_window.cleared, std::vector<int> {0});
}

TEST(SdPage, ARefreshRollsTheBlocksUpIntoTheSummaryAndColoursTheTitles)
{
    Sd_Page page;
    page.Refresh([](St_System&) {}, true);
    const Status_IHM_SD_HD& s = *page.summary;
    EXPECT_EQ(s.Status_Active, 1);
    EXPECT_EQ(s.Status_Alarm, 0);
    EXPECT_EQ(s.PC_Alarm, 0);
    EXPECT_EQ(s.WCU_Active, 1);
    EXPECT_EQ(s.WCU_Alarm, 0);
    EXPECT_EQ(s.RS232_Visible, 1);
    EXPECT_EQ(s.Triax1_Visible, 1);
    EXPECT_EQ(s.Triax1_Active, 1);
    EXPECT_EQ(s.Triax2_Visible, 1);
    EXPECT_EQ(s.Triax2_Active, 0);
    EXPECT_EQ(s.AMU1_Frame_Active, 1);
    EXPECT_EQ(s.AMU2_Frame_Active, 0);
    EXPECT_EQ(s.Wire_DE1_Active, 1);
    EXPECT_EQ(s.Wire_DE2_Visible, 1);
    EXPECT_EQ(s.DE1_Frame_Active, 1);
    EXPECT_EQ(s.WCA_Active, 0);
    EXPECT_EQ(s.WCA_Alarm, 1);
    EXPECT_EQ(Title_Colour(page.form->ShapeButtonWCUTitle), Good_Colour);
    EXPECT_EQ(Title_Colour(page.form->ShapeButtonPCTitle), Good_Colour);

    page.Refresh([](St_System& st) { st.SD.WCU.Video_Qos = 9; });
    EXPECT_EQ(s.WCU_Alarm, 1);
    EXPECT_EQ(s.Status_Alarm, 1);
    EXPECT_EQ(Title_Colour(page.form->ShapeButtonWCUTitle), Alarm_Colour);
    EXPECT_EQ(page.form->ShapeControlAppliTitle->ShapeFill()->Gradient()->EndColor(), Alarm_Colour);

    // A block going down is no longer in alarm and keeps its greyed title.
    page.Refresh([](St_System& st) { st.SD.DE2.State = false; });
    EXPECT_EQ(s.DE2_Active, 0);
    EXPECT_EQ(s.DE2_Alarm, 0);
    EXPECT_EQ(Title_Colour(page.form->ShapeButtonDE2Title), Silver_Colour);
    EXPECT_EQ(s.AMU2_Alarm, 1);
    EXPECT_EQ(Title_Colour(page.form->AMU2.Title), Alarm_Colour);
}

TEST(SdPage, ADetailWindowAlarmRaisesItsBlockEvenWhileTheWindowIsHidden)
{
    Sd_Page page;
    page.Refresh([](St_System&) {}, true);
    EXPECT_EQ(page.summary->AMU1_Alarm, 0);
    page.Refresh([](St_System& st) { st.SD.AMU1.Temperature = 90; });
    EXPECT_EQ(page.summary->AMU1_Alarm, 1);
    EXPECT_EQ(Title_Colour(page.form->AMU1.Title), Alarm_Colour);
}

TEST(SdPage, TitleKeysPressTheirTitleOnlyWhileTheWcuAnswers)
{
    Sd_Page page;
    page.Refresh([](St_System&) {}, true);
    struct Case {
        WORD Key;
        TSCLShapeButton* Title;
    };
    for (const Case c : {Case {'W', page.form->ShapeButtonWCUTitle}, Case {'A', page.form->AMU1.Title},
                         Case {'M', page.form->AMU2.Title}, Case {'D', page.form->ShapeButtonDE1Title},
                         Case {'E', page.form->ShapeButtonDE2Title}}) {
        page.Key(c.Key);
        EXPECT_TRUE(c.Title->Pressed()) << char(c.Key);
    }
    page.form->ReleaseTitleButtons();
    EXPECT_FALSE(page.form->ShapeButtonWCUTitle->Pressed());

    page.snapshot.Settings.Connected = false;
    page.Key('W');
    EXPECT_FALSE(page.form->ShapeButtonWCUTitle->Pressed());
}

TEST(SdPage, KeyFOpensTheRangeMenuOnceWhateverItsRepeats)
{
    Sd_Page page;
    page.form->Show();
    int pops = 0;
    page.form->PopupMenuFrequencyRange->OnPopup = [&](TObject*) {
        ++pops;
        QTimer::singleShot(0, [&page] {
            if (QMenu* menu = page.form->PopupMenuFrequencyRange->Menu_Widget()) {
                menu->close();
            }
        });
    };
    for (int i = 0; i < 4; ++i) {
        PostMessageA(page.form->Handle(), WM_KEYDOWN, 'F', 0);
    }
    Application->ProcessMessages();
    Application->ProcessMessages();
    EXPECT_EQ(pops, 1);
}

TEST(SdPage, ACheckedMenuItemDoesNothing)
{
    Sd_Page page;
    page.Refresh([](St_System&) {}, true);
    page.camera_count = 2;
    page.Refresh([](St_System&) {}, true);
    TMenuItem* two = page.form->MenuCamerasCount->Items(1);
    TMenuItem* three = page.form->MenuCamerasCount->Items(2);
    ASSERT_TRUE(two->Checked());
    two->Click();
    three->Click();
    EXPECT_EQ(page.main_window.camera_counts, std::vector<int> {3});
}

TEST(SdPage, TheMemoMenuOffersWhatTheMemoHolds)
{
    Sd_Page page;
    page.form->PopupMenuMemoStatus->OnPopup(page.form->PopupMenuMemoStatus);
    EXPECT_FALSE(page.form->SelectAllMessages->Enabled());
    EXPECT_FALSE(page.form->ClearMemoAllMessages->Enabled());
    page.form->MemoStatus->Lines()->Add("Video link OK");
    page.form->PopupMenuMemoStatus->OnPopup(page.form->PopupMenuMemoStatus);
    EXPECT_TRUE(page.form->SelectAllMessages->Enabled());
    EXPECT_TRUE(page.form->SaveAllMessages->Enabled());
    EXPECT_FALSE(page.form->CopyMessages->Enabled());
}

} // namespace

namespace {

TEST(SdPage, ATitleKeyOpensItsWindowUnderTheTitleAndASecondPressClosesIt)
{
    Sd_Page page;
    page.Refresh([](St_System&) {}, true);
    page.form->Show();
    TSCLShapeButton* wcu = page.form->ShapeButtonWCUTitle;
    page.Key('W');
    TCustomForm* window = nullptr;
    for (int i = 0; i < page.form->ComponentCount() && !window; ++i) {
        auto* form = dynamic_cast<TForm_WCU_SD*>(page.form->Components(i));
        window = form && form->Visible() ? form : nullptr;
    }
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Left(), 40 + page.form->GroupBoxWCU->Left() + wcu->Left());
    EXPECT_EQ(window->Top(), 30 + page.form->GroupBoxWCU->Top() + wcu->Top() + wcu->Height());
    EXPECT_TRUE(wcu->Pressed());
    page.Key('W');
    EXPECT_FALSE(window->Visible());
}

TEST(SdPage, ADataEmitterWindowEndsAtItsTitlesRightEdge)
{
    Sd_Page page;
    page.Refresh([](St_System&) {}, true);
    page.form->Show();
    TSCLShapeButton* de2 = page.form->ShapeButtonDE2Title;
    page.Key('E');
    TCustomForm* window = nullptr;
    for (int i = 0; i < page.form->ComponentCount() && !window; ++i) {
        auto* form = dynamic_cast<TCustomForm*>(page.form->Components(i));
        window = form && form->Visible() ? form : nullptr;
    }
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Left() + window->Width(), 40 + page.form->GroupBoxDE2->Left() + de2->Left() + de2->Width());
}

TEST(SdPage, KeyPOpensTheSerialPortMenuOfThePcTitle)
{
    Sd_Page page;
    page.Refresh([](St_System&) {}, true);
    page.form->Show();
    int pops = 0;
    TPopupMenu* menu = page.form->PopupMenuPC;
    const TNotifyEvent placing = menu->OnPopup;
    menu->OnPopup = [&](TObject* sender) {
        ++pops;
        placing(sender);
        QTimer::singleShot(0, [menu] {
            if (QMenu* shown = menu->Menu_Widget()) {
                shown->close();
            }
        });
    };
    page.Key('P');
    for (int i = 0; i < 3; ++i) {
        Application->ProcessMessages();
    }
    EXPECT_EQ(pops, 1);
}

} // namespace

namespace {

TEST(SdPage, AMouseClickOnATitleOpensItsWindowPressedAndASecondOneClosesIt)
{
    Sd_Page page;
    page.Refresh([](St_System&) {}, true);
    page.form->Show();
    TSCLShapeButton* title = page.form->AMU2.Title;
    const HWND group = page.form->AMU2.GroupBox->Handle();
    const LPARAM point = MAKELPARAM(static_cast<WORD>(title->Left() + title->Width() / 2),
                                    static_cast<WORD>(title->Top() + title->Height() / 2));
    auto click = [&] {
        SendMessageA(group, WM_LBUTTONDOWN, MK_LBUTTON, point);
        SendMessageA(group, WM_LBUTTONUP, 0, point);
    };
    auto shown = [&page] {
        for (int i = 0; i < page.form->ComponentCount(); ++i) {
            auto* form = dynamic_cast<TCustomForm*>(page.form->Components(i));
            if (form && form->Visible()) {
                return true;
            }
        }
        return false;
    };
    click();
    EXPECT_TRUE(title->Pressed());
    EXPECT_TRUE(shown());
    click();
    EXPECT_FALSE(title->Pressed());
    EXPECT_FALSE(shown());
}

} // namespace

namespace {

TEST(SdPage, DraggingThePageMovesTheMainWindowWhileTheCursorStaysInTheWorkArea)
{
    Sd_Page page;
    page.form->Show();
    RECT work {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const HWND back = page.form->BackPanelMain->Handle();
    SendMessageA(back, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 440));
    SetCursorPos((work.left + work.right) / 2, (work.top + work.bottom) / 2);
    SendMessageA(back, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(210, 445));
    EXPECT_EQ(page.main_window.form.Left(), 50);
    EXPECT_EQ(page.main_window.form.Top(), 35);
    SetCursorPos(work.left, work.top);
    SendMessageA(back, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(230, 445));
    EXPECT_EQ(page.main_window.form.Left(), 50);
    SendMessageA(back, WM_LBUTTONUP, 0, MAKELPARAM(230, 445));
    SetCursorPos((work.left + work.right) / 2, (work.top + work.bottom) / 2);
    SendMessageA(back, WM_MOUSEMOVE, 0, MAKELPARAM(250, 445));
    EXPECT_EQ(page.main_window.form.Left(), 50);
}

} // namespace
