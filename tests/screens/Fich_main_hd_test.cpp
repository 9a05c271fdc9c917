// The HD page on a real form, offscreen: its resource, the block summary
// and title colours after refreshes, keys, menus, the about text, and the
// recording started by Ctrl+R and ended by the page's close.

#include "screens/Fich_main_hd.h"

#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLLImage.h"
#include "components/controls/SCLPanelFill.h"
#include "components/controls/SCLProgress.h"
#include "components/controls/SCLShapeButton.h"
#include "components/controls/SCLShapeControl.h"
#include "components/controls/SCLSimpleLabel.h"
#include "components/controls/SCLSpeedButton.h"
#include "components/controls/Sclaboutdlg.h"
#include "components/controls/Sclanictrl.h"
#include "link/Pc_wcu_file_hd.h"
#include "link/Thread_polling_wcu.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/StdCtrls_Memo.h"
#include "platform/classlib/String_Table.h"
#include "platform/winapi/Window.h"
#include "screens/Block_paint.h"
#include "screens/Fich_amu_hd_spectrum.h"
#include "tests/link/thread/Fake_Shell.h"
#include "tests/screens/Hd_Page_Test_Support.h"

#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

using namespace hd_page_test;

namespace {

// Ctrl pressed or released on the page's window. The key handlers ask
// GetKeyState, which answers once the key's message is taken from the queue;
// taken without running the loop, which would fire a test's pending timers.
void Ctrl_Key(HWND window, bool down)
{
    QKeyEvent event(down ? QEvent::KeyPress : QEvent::KeyRelease, Qt::Key_Control,
                    down ? Qt::ControlModifier : Qt::NoModifier);
    QApplication::sendEvent(Window_Widget(window), &event);
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
}

TEST(HdPage, TheFormResourceHoldsThePagesTree)
{
    Hd_Page page;
    TForm_Main_HD& f = *page.form;
    EXPECT_EQ(f.ClientWidth(), 791);
    EXPECT_EQ(f.ClientHeight(), 452);
    EXPECT_EQ(f.Color(), clSilver);
    EXPECT_EQ(f.BorderStyle(), bsNone);
    EXPECT_EQ(f.Position(), poDesktopCenter);
    EXPECT_EQ(f.HelpKeyword(), "MAIN_HD");
    EXPECT_EQ(f.HelpContext(), 1000);

    struct Title {
        TSCLShapeButton* Button;
        const char* Caption;
        const char* Hint;
        int Group;
    };
    for (const Title& t : {Title {f.ShapeButtonWCUTitle, "&WCU", "Ravivida Control Unit", 1},
                           Title {f.AMU1.Title, "&AMU 1", "Antennas Management Unit 1", 2},
                           Title {f.AMU2.Title, "A&MU 2", "Antennas Management Unit 2", 3},
                           Title {f.DE1.Title, "&DE 1", "Data Emitter 1", 4},
                           Title {f.DE2.Title, "D&E 2", "Data Emitter 2", 5},
                           Title {f.ShapeButtonWCATitle, "W&CA", "Ravivida Camera Adapter", 6}}) {
        EXPECT_EQ(t.Button->Caption(), t.Caption);
        EXPECT_EQ(t.Button->Hint(), t.Hint) << t.Caption;
        EXPECT_EQ(t.Button->GroupIndex(), t.Group) << t.Caption;
    }
    EXPECT_EQ(f.ShapeButtonPCTitle->Caption(), "&PC");
    EXPECT_EQ(f.ShapeButtonPCTitle->GroupIndex(), 0);
    EXPECT_EQ(f.SpeedButtonHelp->Caption(), "Help");
    EXPECT_EQ(f.SpeedButtonHelp->Hint(), "Help on software\r\nF1");
    EXPECT_EQ(f.SpeedButtonClose->Hint(), "Close\r\nAlt+F4");
    EXPECT_EQ(f.ImageStatusRecord->Hint(), "Recording system status file on PC\r\nClick on led or press Ctrl+R to stop");
    EXPECT_EQ(f.AMU1.ImageAllUnlockedTuner->Hint(), "All channels\r\nunlocked");
    EXPECT_EQ(f.AMU2.ImageProfileMismatch->Hint(), "Profile\r\nmismatch");
    EXPECT_EQ(f.LabelPCWCULink->Caption(), "PC/WCU\r\nlink");

    struct Meter {
        TSCLProgress* Progress;
        int Bars;
        int Max;
    };
    for (const Meter& m : {Meter {f.ProgressVQOS, 32, 100}, Meter {f.ProgressDQOS, 32, 127}}) {
        EXPECT_EQ(m.Progress->SmallBar()->BarCount(), m.Bars);
        EXPECT_EQ(m.Progress->MinValue(), 0);
        EXPECT_EQ(m.Progress->MaxValue(), m.Max);
    }
    EXPECT_EQ(f.AMU1.ProgressRSSI->SmallBar()->BarCount(), 18);
    EXPECT_EQ(f.AMU2.ProgressRSSI->SmallBar()->BarCount(), 18);
    EXPECT_EQ(f.ImageCamera->ListIndex(), 10);
    EXPECT_EQ(f.MenuStatusRecord->ShortCut(), ShortCut('R', false, true, false));
    EXPECT_FALSE(f.MenuStatusRecord->Visible());
    EXPECT_EQ(f.ClearMemoAllMessages->ShortCut(), ShortCut(VK_DELETE, false, false, false));
    EXPECT_EQ(f.MenuAlarmBatThreshold->Count(), 7);
    EXPECT_EQ(f.MenuAlarmBatThreshold->Items(0)->Caption(), "14.25 &V");
    EXPECT_EQ(f.MenuAlarmBatThreshold->Items(6)->Caption(), "&12 V");
    EXPECT_EQ(f.PopupMenuAlarmBattery->Items()->HelpContext(), 1005);
    EXPECT_EQ(f.PopupMenuPC->Items()->HelpContext(), 1001);
    for (TSCLPanelFill* segment : f.PanelFillBattery) {
        EXPECT_EQ(segment->PopupMenu(), f.PopupMenuAlarmBattery);
    }
}

TEST(HdPage, BeforeTheFirstRefreshEveryBlockIsDownAndInAlarm)
{
    Hd_Page page;
    const Status_IHM_SD_HD& s = *page.summary;
    EXPECT_EQ(s.Camera_Number, &page.snapshot.Settings.Name);
    EXPECT_EQ(s.Messages->Count(), 0);
    for (uint8_t alarm : {s.Status_Alarm, s.PC_Alarm, s.WCU_Alarm, s.AMU1_Alarm, s.AMU2_Alarm, s.DE1_Alarm,
                          s.DE2_Alarm, s.WCA_Alarm}) {
        EXPECT_EQ(alarm, 1);
    }
    EXPECT_EQ(s.WCA_Active, 0);
    EXPECT_EQ(page.main_window.cleared, std::vector<int> {0});
}

TEST(HdPage, ARefreshRollsTheBlocksUpIntoTheSummaryAndColoursTheTitles)
{
    Hd_Page page;
    page.Refresh([](St_System&) {}, true);
    const Status_IHM_SD_HD& s = *page.summary;
    TForm_Main_HD& f = *page.form;
    EXPECT_EQ(s.Status_Active, 1);
    EXPECT_EQ(s.Status_Alarm, 0);
    EXPECT_EQ(s.PC_Alarm, 0);
    EXPECT_EQ(s.WCU_Active, 1);
    EXPECT_EQ(s.WCU_Alarm, 0);
    EXPECT_EQ(s.RS232_Visible, 1);
    EXPECT_EQ(s.Triax1_Active, 1);
    EXPECT_EQ(s.Triax2_Active, 0);
    EXPECT_EQ(s.AMU1_Active, 1);
    EXPECT_EQ(s.AMU1_Frame_Active, 1);
    EXPECT_EQ(s.AMU2_Frame_Active, 0);
    EXPECT_EQ(s.DE1_Active, 1);
    EXPECT_EQ(s.WCA_Active, 1);
    EXPECT_EQ(s.WCA_Alarm, 0);
    for (TSCLShapeButton* title : {f.ShapeButtonPCTitle, f.ShapeButtonWCUTitle, f.AMU1.Title, f.DE1.Title,
                                   f.ShapeButtonWCATitle}) {
        EXPECT_EQ(Title_Colour(title), Good_Colour) << title->Caption();
    }
    EXPECT_EQ(f.ShapeControlAppliTitle->ShapeFill()->Gradient()->EndColor(), Good_Colour);

    // A battery under the threshold: the adapter's alarm reaches its title
    // and the band.
    page.Refresh([](St_System& st) { st.HD.Wca.Battery_Raw = 20; });
    EXPECT_EQ(s.WCA_Alarm, 1);
    EXPECT_EQ(Title_Colour(f.ShapeButtonWCATitle), Alarm_Colour);
    EXPECT_EQ(f.ShapeControlAppliTitle->ShapeFill()->Gradient()->EndColor(), Alarm_Colour);

    // The adapter gone: its title keeps the block's grey, not an alarm colour.
    page.Refresh([](St_System& st) { st.HD.Wca.Present = false; st.HD.Wca_Status.Present = false; });
    EXPECT_EQ(s.WCA_Active, 0);
    EXPECT_EQ(Title_Colour(f.ShapeButtonWCATitle), Silver_Colour);
}

TEST(HdPage, ADetailWindowAlarmRaisesItsBlockWhileTheWindowIsHidden)
{
    Hd_Page page;
    page.Refresh([](St_System&) {}, true);
    ASSERT_EQ(page.summary->AMU1_Alarm, 0);
    page.Refresh([](St_System& st) { st.HD.Amu1.Temperature = 90; });
    EXPECT_EQ(page.summary->AMU1_Alarm, 1);
    EXPECT_EQ(Title_Colour(page.form->AMU1.Title), Alarm_Colour);
}

TEST(HdPage, BlockKeysPressTheirTitleOnlyWhileTheWcuAnswersAndCtrlIsUp)
{
    Hd_Page page;
    page.Refresh([](St_System&) {}, true);
    page.form->Show();
    TForm_Main_HD& f = *page.form;
    struct Case {
        WORD Key;
        TSCLShapeButton* Title;
    };
    for (const Case c : {Case {'W', f.ShapeButtonWCUTitle}, Case {'A', f.AMU1.Title}, Case {'M', f.AMU2.Title},
                         Case {'D', f.DE1.Title}, Case {'E', f.DE2.Title}, Case {'C', f.ShapeButtonWCATitle}}) {
        page.Key(c.Key);
        EXPECT_TRUE(c.Title->Pressed()) << char(c.Key);
        f.ReleaseTitleButtons();
        EXPECT_FALSE(c.Title->Pressed()) << char(c.Key);
    }
    Ctrl_Key(f.Handle(), true);
    page.Key('W');
    Ctrl_Key(f.Handle(), false);
    EXPECT_FALSE(f.ShapeButtonWCUTitle->Pressed()) << "Ctrl held";

    page.snapshot.Settings.Connected = false;
    page.Key('W');
    EXPECT_FALSE(f.ShapeButtonWCUTitle->Pressed()) << "the WCU silent";
}

TEST(HdPage, KeyBOpensTheBatteryMenuOnceBesideTheGaugeWhateverItsRepeats)
{
    Hd_Page page;
    page.form->Show();
    TPopupMenu* menu = page.form->PopupMenuAlarmBattery;
    int pops = 0;
    QPoint place;
    menu->OnPopup = [&](TObject*) {
        ++pops;
        QTimer::singleShot(0, [&] {
            if (QMenu* shown = menu->Menu_Widget()) {
                place = shown->pos();
                shown->close();
            }
        });
    };
    for (int i = 0; i < 4; ++i) {
        PostMessageA(page.form->Handle(), WM_KEYDOWN, 'B', 0);
    }
    for (int i = 0; i < 3; ++i) {
        Application->ProcessMessages();
    }
    EXPECT_EQ(pops, 1);
    const TSCLPanelFill* middle = page.form->PanelFillBattery[2];
    EXPECT_EQ(place, QPoint(40 + middle->Left() - middle->Width(), 30 + middle->Top()));
}

TEST(HdPage, TheMemoMenuOffersWhatTheMemoHolds)
{
    Hd_Page page;
    TForm_Main_HD& f = *page.form;
    f.PopupMenuMemoStatus->OnPopup(f.PopupMenuMemoStatus);
    EXPECT_FALSE(f.SelectallMemoMessages->Enabled());
    EXPECT_FALSE(f.SaveMemoAllMessages->Enabled());
    EXPECT_FALSE(f.ClearMemoAllMessages->Enabled());
    f.MemoStatus->Lines()->Add("Video link OK");
    f.PopupMenuMemoStatus->OnPopup(f.PopupMenuMemoStatus);
    EXPECT_TRUE(f.SelectallMemoMessages->Enabled());
    EXPECT_TRUE(f.ClearMemoAllMessages->Enabled());
    EXPECT_FALSE(f.CopyMemoMessages->Enabled());
}

TEST(HdPage, TheAboutTextListsTheBoardsThatAnswer)
{
    Hd_Page page;
    TSCLAboutDlg about(nullptr);
    page.main_window.about = &about;
    page.main_window.busy = true; // the text is written, the box not shown
    page.camera_count = 2;
    page.snapshot.Settings.Name = 5;
    St_System_HD& hd = page.snapshot.HD;
    hd.Wca_Status.D2 = 0x12;
    hd.Wca.D4 = 0x21;
    hd.Wcu.D1 = 0x30;
    hd.Amu1.Firmware_Version = 0x21;
    hd.Amu2.Firmware_Version = 0x22;
    hd.Wcu_Link.D13 = 0x11;
    hd.Wcu_Link.D10 = 0x12;
    hd.Wcu_Status.D18 = 0x13;
    hd.Wcu_Detail.D14 = 0x14;
    hd.Wcu_Detail.D15 = 0x15;
    page.form->SpeedButtonSystem->Click();
    const std::string head = LoadStr(4000) + LoadStr(4002);
    EXPECT_EQ(about.Description, head + "\n\nCamera 5\n" + LoadStr(4003) + "1.2" + LoadStr(4004) + "2.1" +
                                     LoadStr(4005) + "3.0\n" + LoadStr(4006) + "2.1 / " + LoadStr(4007) + "2.2\n" +
                                     LoadStr(4008) + "1.1" + LoadStr(4009) + "1.2" + LoadStr(4010) + "1.3\n" +
                                     LoadStr(4011) + "1.4" + LoadStr(4012) + "1.5");
    EXPECT_EQ(page.main_window.pending, std::vector<int> {0});

    hd.Amu1.Present = false;
    hd.Wcu_Detail.Present = false;
    hd.Wcu_Link.Present = false;
    hd.Wca_Status.Present = false;
    page.camera_count = 1;
    page.form->SpeedButtonSystem->Click();
    EXPECT_EQ(about.Description, head + "\n\n" + LoadStr(4007) + "2.2\n");

    page.snapshot.Settings.Connected = false;
    page.form->SpeedButtonSystem->Click();
    EXPECT_EQ(about.Description, head);
    page.main_window.about = nullptr;
}

// A page over a polling thread (not running) whose save dialog the test
// answers, so that the page's own recorder records into a temporary folder.
struct Threaded_Page {
    Threaded_Page()
    {
        {
            auto state = thread.Lock_State();
            Set_Hd_Page_Test_System(*state);
            snapshot.Copy(*state);
        }
        main_window.form.SetBounds(40, 30, 791, 452);
        form = std::make_unique<TForm_Main_HD>(&main_window.form, nullptr, &camera_count, &summary, &snapshot,
                                               &thread);
        form->RefreshDisplay(true);
    }
    ~Threaded_Page() { std::filesystem::remove_all(folder); }
    void Refresh(const Change& change)
    {
        change(*thread.Lock_State());
        form->RefreshDisplay(false);
        snapshot.Copy(*thread.Lock_State());
    }
    // What the user does in the next file dialog.
    static void On_Save_Dialog(const std::function<void(QFileDialog*)>& answer)
    {
        QTimer::singleShot(0, [answer] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* dialog = qobject_cast<QFileDialog*>(widget); dialog && dialog->isVisible()) {
                    answer(dialog);
                }
            }
        });
    }
    // The next file dialog picks `path`.
    static void Answer_Save_Dialog(const std::filesystem::path& path)
    {
        On_Save_Dialog([path](QFileDialog* dialog) { Pick_File(dialog, path); });
    }
    static void Pick_File(QFileDialog* dialog, const std::filesystem::path& path)
    {
        dialog->selectFile(QString::fromStdString(path.string()));
        QMetaObject::invokeMethod(dialog, "accept");
    }
    void Ctrl_R()
    {
        Ctrl_Key(form->Handle(), true);
        TMessage key {WM_KEYDOWN, 'R', 0, 0};
        form->Dispatch(key);
        Ctrl_Key(form->Handle(), false);
    }

    Temp_Settings settings;
    std::filesystem::path folder = Make_Temp_Folder("hd_page");
    Fake_Shell shell;
    std::atomic<int> camera_count {1};
    Thread_Polling_WCU thread {shell, 0, &camera_count, false};
    St_System snapshot {0};
    Fake_Main_Window main_window {false};
    Status_IHM_SD_HD* summary = nullptr;
    std::unique_ptr<TForm_Main_HD> form;
};

std::string Read_File(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(HdPageRecording, CtrlRStartsARecordingWhoseLedBlinksAndTheCloseEndsItWithItsTrailer)
{
    Threaded_Page page;
    TForm_Main_HD& f = *page.form;
    ASSERT_TRUE(f.MenuStatusRecord->Enabled());
    TMessage plain_r {WM_KEYDOWN, 'R', 0, 0};
    f.Dispatch(plain_r);
    EXPECT_FALSE(f.Recorder()->Is_Recording()) << "R without Ctrl";

    const std::filesystem::path path = page.folder / "take.hdw";
    Threaded_Page::Answer_Save_Dialog(path);
    page.Ctrl_R();
    ASSERT_TRUE(f.Recorder()->Is_Recording());

    // The first refresh shows the recording; then the LED changes its
    // picture every third refresh.
    std::vector<int> images;
    for (int i = 0; i < 7; ++i) {
        page.Refresh([](St_System&) {});
        images.push_back(f.ImageStatusRecord->ImageIndex());
    }
    EXPECT_TRUE(f.MenuStatusRecord->Checked());
    EXPECT_TRUE(f.ImageStatusRecord->Visible());
    EXPECT_EQ(images, (std::vector<int> {0, 0, 0, 1, 1, 1, 0}));

    const std::string bytes = "frame";
    ASSERT_TRUE(f.Recorder()->Write_Frame(reinterpret_cast<const BYTE*>(bytes.data()), 5));
    TCloseAction action = caHide;
    f.OnClose(&f, action);
    const std::string file = Read_File(path);
    EXPECT_EQ(file.substr(0, 9), "HDW002002");
    EXPECT_EQ(file.substr(file.size() - 11), "END00000001");
    EXPECT_TRUE(page.shell.Modeless_Boxes().empty()) << "closing stops without a message";
}

TEST(HdPageRecording, ARefreshAfterTheWcuFallsSilentEndsTheRecordingAndItsLed)
{
    Threaded_Page page;
    TForm_Main_HD& f = *page.form;
    Threaded_Page::Answer_Save_Dialog(page.folder / "lost.hdw");
    page.Ctrl_R();
    page.Refresh([](St_System&) {});
    ASSERT_TRUE(f.ImageStatusRecord->Visible());

    page.Refresh([](St_System& s) { s.Settings.Connected = false; });
    EXPECT_FALSE(f.Recorder()->Is_Recording());
    EXPECT_EQ(page.shell.Modeless_Boxes().size(), 1u);
    EXPECT_FALSE(f.MenuStatusRecord->Checked());
    EXPECT_FALSE(f.MenuStatusRecord->Enabled());
    EXPECT_FALSE(f.ImageStatusRecord->Visible());
    page.Ctrl_R();
    EXPECT_FALSE(f.Recorder()->Is_Recording()) << "the record item is disabled";
}

// Ctrl let go while the save dialog has the keys is up once it closes, so
// the block keys, which work with Ctrl up only, open their windows again.
TEST(HdPageRecording, CtrlReleasedInTheSaveDialogIsUpAfterItAndWOpensTheWcuWindow)
{
    for (const bool confirmed : {false, true}) {
        SCOPED_TRACE(confirmed ? "recording confirmed" : "dialog cancelled");
        Threaded_Page page;
        TForm_Main_HD& f = *page.form;
        const std::filesystem::path path = page.folder / "take.hdw";
        Threaded_Page::On_Save_Dialog([&](QFileDialog* dialog) {
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier);
            QApplication::sendEvent(dialog->focusWidget() ? dialog->focusWidget() : dialog, &release);
            if (confirmed) {
                Threaded_Page::Pick_File(dialog, path);
            } else {
                QMetaObject::invokeMethod(dialog, "reject");
            }
        });
        Ctrl_Key(f.Handle(), true);
        TMessage ctrl_r {WM_KEYDOWN, 'R', 0, 0};
        f.Dispatch(ctrl_r);
        ASSERT_EQ(f.Recorder()->Is_Recording(), confirmed);

        TMessage w {WM_KEYDOWN, 'W', 0, 0};
        f.Dispatch(w);
        EXPECT_TRUE(f.ShapeButtonWCUTitle->Pressed());
        f.ReleaseTitleButtons();
        TCloseAction action = caHide;
        f.OnClose(&f, action);
    }
}

TEST(HdPageRecording, MenusSendTheirTagsToTheThreadUnlessChecked)
{
    Threaded_Page page;
    TForm_Main_HD& f = *page.form;
    TMenuItem* level = f.MenuAlarmBatThreshold->Items(2);
    ASSERT_TRUE(level->Checked());
    level->Click();
    f.MenuAlarmBatThreshold->Items(5)->Click();
    EXPECT_EQ(page.thread.Lock_State()->HD.Alarm_Battery_Level, 5);
    f.MenuSound->Click();
    EXPECT_TRUE(page.thread.Lock_State()->Settings.Is_Alarm_Sound());
    f.SendTunerChoice(2, '2');
    EXPECT_EQ(page.thread.Lock_State()->HD.Tuner_Choice_Amu2, 2);
    POINT size {};
    f.GetSpectrumWindowSize(size);
    EXPECT_EQ(size.x, f.Spectrum_Window('1')->GetInitialSize().x);
    EXPECT_GT(size.y, 0);
}

} // namespace

namespace {

TCustomForm* Shown_Window(TForm_Main_HD& page)
{
    for (int i = 0; i < page.ComponentCount(); ++i) {
        auto* form = dynamic_cast<TCustomForm*>(page.Components(i));
        if (form && form->Visible()) {
            return form;
        }
    }
    return nullptr;
}

TEST(HdPage, TitleWindowsOpenUnderTheirTitlesTheAdaptersEndingAtItsRightEdge)
{
    Hd_Page page;
    page.Refresh([](St_System&) {}, true);
    page.form->Show();
    TForm_Main_HD& f = *page.form;
    page.Key('W');
    TCustomForm* wcu = Shown_Window(f);
    ASSERT_NE(wcu, nullptr);
    EXPECT_EQ(wcu->Left(), 40 + f.GroupBoxWCU->Left() + f.ShapeButtonWCUTitle->Left());
    EXPECT_EQ(wcu->Top(), 30 + f.GroupBoxWCU->Top() + f.ShapeButtonWCUTitle->Top() + f.ShapeButtonWCUTitle->Height());
    page.Key('W');
    EXPECT_EQ(Shown_Window(f), nullptr);
    f.ReleaseTitleButtons();

    TSCLShapeButton* wca = f.ShapeButtonWCATitle;
    page.Key('C');
    TCustomForm* adapter = Shown_Window(f);
    ASSERT_NE(adapter, nullptr);
    EXPECT_EQ(adapter->Left() + adapter->Width(), 40 + wca->Parent()->Left() + wca->Left() + wca->Width());
    EXPECT_EQ(adapter->Top(), 30 + wca->Parent()->Top() + wca->Top() + wca->Height());
}

TEST(HdPage, KeyPDropsThePcMenuLeftAlignedUnlessTheHostIsOffTheLeftEdge)
{
    Hd_Page page;
    page.Refresh([](St_System&) {}, true);
    page.form->Show();
    TPopupMenu* menu = page.form->PopupMenuPC;
    const TNotifyEvent placing = menu->OnPopup;
    int pops = 0;
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
    EXPECT_EQ(menu->Alignment(), paLeft);
    page.main_window.form.SetLeft(-100);
    placing(menu);
    EXPECT_EQ(menu->Alignment(), paCenter);
}

TEST(HdPage, TheEndOfTheLogonClicksTheRecordItemOnlyWhenChecked)
{
    Hd_Page page;
    int clicks = 0;
    page.form->MenuStatusRecord->OnClick = [&](TObject*) { ++clicks; };
    TMessage end {WM_QUERYENDSESSION, 0, 0, 0};
    page.form->WMQueryEndSession(end);
    EXPECT_EQ(clicks, 0);
    page.form->MenuStatusRecord->SetChecked(true);
    page.form->WMQueryEndSession(end);
    EXPECT_EQ(clicks, 1);
}

} // namespace
