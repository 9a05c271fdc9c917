// The HD page's status and PC presenters on a real page, offscreen: each
// case sets the previous and the current record and reads what the refresh
// did to the widgets, the log and the block summary.

#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLLImage.h"
#include "components/controls/SCLPanelFill.h"
#include "components/controls/SCLShapeButton.h"
#include "components/controls/SCLShapeControl.h"
#include "components/controls/SCLSimpleLabel.h"
#include "components/controls/Sclanictrl.h"
#include "platform/classlib/DateUtils.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/StdCtrls_Memo.h"
#include "platform/classlib/String_Table.h"
#include "screens/Block_paint.h"
#include "tests/screens/Hd_Page_Test_Support.h"
#include "tests/support/Fixed_Log_Clock.h"

#include <gtest/gtest.h>

#include <vector>

using namespace hd_page_test;

namespace {

std::vector<std::string> Lines(TStrings* list)
{
    std::vector<std::string> lines;
    for (int i = 0; i < list->Count(); ++i) {
        lines.push_back(list->Strings(i));
    }
    return lines;
}

// The log lines of one refresh, past its time stamp.
std::vector<std::string> Logged(TStrings* list)
{
    std::vector<std::string> lines = Lines(list);
    if (!lines.empty() && lines.front().find(':') != std::string::npos && lines.front() != LoadStr(4018)) {
        lines.erase(lines.begin());
    }
    return lines;
}

std::vector<int> Checked(TMenuItem* menu)
{
    std::vector<int> tags;
    for (int i = 0; i < menu->Count(); ++i) {
        if (menu->Items(i)->Checked()) {
            tags.push_back(menu->Items(i)->Tag());
        }
    }
    return tags;
}

struct Log_Case {
    const char* Name;
    Change Before;
    Change Now;
    std::vector<std::string> Expected;
};

TEST(HdStatusPresenter, EachStateChangeLogsItsLineAfterOneTimeStamp)
{
    const std::string down1 = LoadStr(4021) + "1" + LoadStr(4022);
    const std::string down2 = LoadStr(4021) + "2" + LoadStr(4022);
    const std::string up1 = LoadStr(4015) + "1" + LoadStr(4016);
    const std::string up2 = LoadStr(4015) + "2" + LoadStr(4016);
    auto no_change = [](St_System&) {};
    const Log_Case cases[] = {
        {"nothing changes", no_change, no_change, {}},
        {"triax 1 down link fails", no_change, [](St_System& s) { s.HD.Wcu_Status.D1_Bit2 = false; }, {down1}},
        {"triax 1 no longer used", no_change, [](St_System& s) { s.HD.Wcu_Status.Triax1_Used = false; }, {down1}},
        {"triax 2 used, its down link never good", no_change, [](St_System& s) { s.HD.Wcu_Status.Triax2_Used = true; },
         {}},
        {"down links unread without the WCU status",
         no_change, [](St_System& s) { s.HD.Wcu_Status.Present = false; s.HD.Wcu_Status.Triax1_Used = false; }, {}},
        {"the link event", no_change, [](St_System& s) { s.HD.Wcu_Link.Link_Event_Code = 4; }, {LoadStr(4019)}},
        {"waiting for the video link has no time stamp", no_change,
         [](St_System& s) { s.HD.Wcu_Link.Link_Event_Code = 3; }, {LoadStr(4018)}},
        {"an unknown event", no_change, [](St_System& s) { s.HD.Wcu_Link.Link_Event_Code = 7; }, {}},
        {"AMU2 up link breaks", no_change, [](St_System& s) { s.HD.Amu2.D24_Bit4 = true; }, {up2}},
        {"AMU1 up link lost", no_change, [](St_System& s) { s.HD.Amu1.D24_Bit5 = false; }, {up1}},
        {"an up link mended logs nothing", [](St_System& s) { s.HD.Amu1.D24_Bit5 = false; },
         [](St_System& s) { s.HD.Amu1.D24_Bit5 = true; }, {}},
        {"up links unread while the AMU was absent", [](St_System& s) { s.HD.Amu1.Present = false; },
         [](St_System& s) { s.HD.Amu1.D24_Bit5 = false; }, {}},
        {"data link breaks", no_change, [](St_System& s) { s.HD.Wcu.D2_Bit0_Confirmed = true; }, {LoadStr(4013)}},
        {"data link comes back", [](St_System& s) { s.HD.Wcu.D2_Bit3_Held = false; },
         [](St_System& s) { s.HD.Wcu.D2_Bit3_Held = true; }, {LoadStr(4014)}},
        {"lines in order", no_change,
         [](St_System& s) {
             s.HD.Wcu.D2_Bit0_Confirmed = true;
             s.HD.Amu1.D24_Bit4 = true;
             s.HD.Wcu_Link.Link_Event_Code = 13;
             s.HD.Wcu_Status.Triax1_Used = false;
             s.HD.Wcu_Status.Triax2_Used = true;
         },
         {down1, LoadStr(4020), up1, LoadStr(4013)}},
    };
    for (const Log_Case& c : cases) {
        Hd_Page page;
        page.Refresh(c.Before, true);
        page.form->ClearStatusMessages();
        page.Refresh(c.Now);
        EXPECT_EQ(Logged(page.summary->Messages), c.Expected) << c.Name;
        EXPECT_EQ(Lines(page.form->MemoStatus->Lines()), Lines(page.summary->Messages)) << c.Name;
        EXPECT_LE(page.summary->Messages->Count(), static_cast<int>(c.Expected.size()) + 1) << c.Name;
    }
}

TEST(HdStatusPresenter, TheMemoKeepsEveryLineWhileTheListHoldsTheLastRefreshOnly)
{
    Hd_Page page;
    page.Refresh([](St_System&) {}, true);
    page.Refresh([](St_System& s) { s.HD.Wcu.D2_Bit0_Confirmed = true; });
    page.Refresh([](St_System&) {});
    EXPECT_EQ(page.summary->Messages->Count(), 0);
    EXPECT_EQ(Logged(page.form->MemoStatus->Lines()), std::vector<std::string> {LoadStr(4013)});
}

using HdStatusLogClock = Fixed_Log_Clock;

TEST_F(HdStatusLogClock, RefreshesLoggingWithinOneSecondShareTheLogsStampAndEachLogHasItsOwn)
{
    auto data_link = [](bool broken) {
        return [broken](St_System& s) {
            s.HD.Wcu.D2_Bit0_Confirmed = broken;
            s.HD.Wcu.D2_Bit3_Held = !broken;
        };
    };
    Hd_Page camera_1;
    Hd_Page camera_2;
    camera_1.Refresh(data_link(false), true);
    camera_2.Refresh(data_link(false), true);
    camera_1.Refresh(data_link(true));
    camera_1.Refresh(data_link(false));
    camera_1.Refresh(data_link(true));
    EXPECT_EQ(Lines(camera_1.summary->Messages), std::vector<std::string> {LoadStr(4013)}) << "no stamp of its own";
    camera_2.Refresh(data_link(true));
    At(14, 3, 28);
    camera_1.Refresh(data_link(false));

    const std::vector<std::string> log_1 = {"------- 14:03:27 -------", LoadStr(4013), LoadStr(4014), LoadStr(4013),
                                            "------- 14:03:28 -------", LoadStr(4014)};
    EXPECT_EQ(Lines(camera_1.form->MemoStatus->Lines()), log_1);
    const std::vector<std::string> log_2 = {"------- 14:03:27 -------", LoadStr(4013)};
    EXPECT_EQ(Lines(camera_2.form->MemoStatus->Lines()), log_2) << "another camera's log stamps its own lines";
}

TEST(HdStatusPresenter, TheBandShowsTheGlobalAlarmAndTheMemoTheLinkState)
{
    Hd_Page page;
    TSCLShapeControl* band = page.form->ShapeControlAppliTitle;
    page.Refresh([](St_System&) {}, true);
    EXPECT_EQ(band->ShapeFill()->Gradient()->EndColor(), Good_Colour);
    EXPECT_EQ(band->Brush()->Color(), Good_Colour);
    EXPECT_EQ(page.form->MemoStatus->Font()->Color(), Black_Colour);
    EXPECT_EQ(page.summary->Status_Active, 1);
    EXPECT_EQ(page.summary->Status_Alarm, 0);

    // The link down: the PC block's alarm turns the band red, and the
    // inactive status counts as alarmed.
    page.Refresh([](St_System& s) { s.Settings.Connected = false; });
    EXPECT_EQ(band->ShapeFill()->Gradient()->EndColor(), Alarm_Colour);
    EXPECT_EQ(band->Brush()->Color(), Alarm_Colour);
    EXPECT_EQ(page.form->MemoStatus->Font()->Color(), Grey_Colour);
    EXPECT_EQ(page.summary->Status_Active, 0);
    EXPECT_EQ(page.summary->Status_Alarm, 1);
}

TEST(HdStatusPresenter, WithSeveralCamerasTheBandNamesTheCameraAndOffersItsNumbers)
{
    Hd_Page page;
    TSCLShapeControl* band = page.form->ShapeControlAppliTitle;
    page.Refresh([](St_System&) {}, true);
    EXPECT_EQ(band->Caption()->Caption(), "HD Ravivida Camera Ordexia");
    EXPECT_EQ(band->PopupMenu(), nullptr);
    EXPECT_EQ(band->Hint(), "");

    page.camera_count = 3;
    page.Refresh([](St_System& s) { s.Settings.Name = 7; });
    EXPECT_EQ(band->Caption()->Caption(), "HD Ravivida Camera Ordexia") << "only a full refresh renames";
    page.Refresh([](St_System&) {}, true);
    EXPECT_EQ(band->Caption()->Caption(), "HD Ravivida Camera Ordexia - CAM 7");
    EXPECT_EQ(band->PopupMenu(), page.form->PopupCamName);
    EXPECT_EQ(band->Hint(), LoadStr(3099));
}

struct Pc_Case {
    const char* Name;
    Change State;
    bool Panel_Visible;
    int Link_Image;
    int Interval;
    int Ani_List;
    std::string Ani_Hint;
    TColor Frame;
    TColor Title;
    std::string Title_Hint;
    std::vector<int> Com_Checked;
    bool Record_Enabled;
    bool Alarm;
};

TEST(HdPcPresenter, ThePortAndTheLinkDrawTheBlock)
{
    const Pc_Case cases[] = {
        {"connected on Com3", [](St_System&) {}, true, 1, 50, 3, LoadStr(3008) + "3", Active_Colour, Good_Colour,
         LoadStr(3005) + "3" + LoadStr(3006), {3}, true, false},
        // The title's colour is the block's alarm; its hint the port's.
        {"Com3 without answer", [](St_System& s) { s.Settings.Connected = false; }, true, 0, 300, 2,
         LoadStr(3007) + "3", Active_Colour, Alarm_Colour, LoadStr(3005) + "3" + LoadStr(3006), {3}, false, true},
        {"no port", [](St_System& s) { s.Settings.Port_Number = 0; s.Settings.Connected = false; }, false, -1, -1, -1,
         "", Inactive_Frame_Colour, Alarm_Colour, LoadStr(3004), {}, false, true},
    };
    for (const Pc_Case& c : cases) {
        Hd_Page page;
        page.Refresh(c.State, true);
        TForm_Main_HD& f = *page.form;
        EXPECT_EQ(f.PanelFillAniCamera->Visible(), c.Panel_Visible) << c.Name;
        EXPECT_EQ(f.ImagePCWCULink->Visible(), c.Panel_Visible) << c.Name;
        EXPECT_EQ(f.LabelPCWCULink->Enabled(), c.Panel_Visible) << c.Name;
        if (c.Link_Image >= 0) {
            EXPECT_EQ(f.ImagePCWCULink->ImageIndex(), c.Link_Image) << c.Name;
            EXPECT_EQ(f.AniCamera->Interval(), c.Interval) << c.Name;
            EXPECT_EQ(f.AniCamera->ListIndex(), c.Ani_List) << c.Name;
            EXPECT_EQ(f.AniCamera->Hint(), c.Ani_Hint) << c.Name;
            EXPECT_EQ(f.PanelFillAniCamera->Hint(), c.Ani_Hint) << c.Name;
        }
        EXPECT_EQ(Frame_Shadow(f.GroupBoxPC), c.Frame) << c.Name;
        EXPECT_EQ(Title_Colour(f.ShapeButtonPCTitle), c.Title) << c.Name;
        EXPECT_EQ(f.ShapeButtonPCTitle->Hint(), c.Title_Hint) << c.Name;
        EXPECT_EQ(Checked(f.MenuCom), c.Com_Checked) << c.Name;
        EXPECT_EQ(f.MenuStatusRecord->Enabled(), c.Record_Enabled) << c.Name;
        EXPECT_FALSE(f.MenuStatusRecord->Checked()) << c.Name;
        EXPECT_FALSE(f.ImageStatusRecord->Visible()) << c.Name;
        EXPECT_EQ(page.summary->PC_Alarm, c.Alarm) << c.Name;
    }
}

TEST(HdPcPresenter, MenuItemsAreNumberedAndCheckedFromTheState)
{
    Hd_Page page;
    page.camera_count = 2;
    page.Refresh([](St_System& s) { s.Settings.Alarm_Sound = 1; }, true);
    TForm_Main_HD& f = *page.form;
    ASSERT_EQ(f.MenuCom->Count(), 16);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(f.MenuCom->Items(i)->Tag(), i + 1);
    }
    ASSERT_EQ(f.MenuAlarmBatThreshold->Count(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(f.MenuAlarmBatThreshold->Items(i)->Tag(), i);
    }
    ASSERT_EQ(f.MenuCamerasCount->Count(), 4);
    EXPECT_EQ(f.MenuCamerasCount->Items(3)->Tag(), 4);
    EXPECT_EQ(Checked(f.MenuCamerasCount), std::vector<int> {2});
    EXPECT_EQ(Checked(f.MenuAlarmBatThreshold), std::vector<int> {2});
    EXPECT_TRUE(f.MenuSound->Checked());
    EXPECT_TRUE(f.MenuCom->Enabled());
}

TEST(HdPcPresenter, AThresholdChangeMovesItsCheckOnlyAndASoundChangeSetsTheSerialMenu)
{
    Hd_Page page;
    page.Refresh([](St_System&) {}, true);
    TForm_Main_HD& f = *page.form;
    f.MenuCom->Items(0)->SetChecked(true); // a radio mark the presenter did not set
    page.Refresh([](St_System& s) { s.HD.Alarm_Battery_Level = 5; });
    EXPECT_EQ(Checked(f.MenuAlarmBatThreshold), std::vector<int> {5});
    EXPECT_EQ(Checked(f.MenuCom), std::vector<int> {1}) << "the COM items untouched";

    page.Refresh([](St_System& s) { s.Settings.Alarm_Sound = 1; });
    EXPECT_TRUE(f.MenuSound->Checked());
    EXPECT_EQ(Checked(f.MenuCom), std::vector<int> {3});
}

// A page never refreshed in full, on a camera that had no port when it was
// made, would otherwise show a clear PC block.
TEST(HdPcPresenter, WithoutAPortTheAlarmHoldsFromTheFirstRefresh)
{
    Hd_Page page;
    page.snapshot.Settings.Port_Number = 0;
    page.snapshot.Settings.Connected = false;
    page.Refresh([](St_System& s) { s.Settings.Port_Number = 0; s.Settings.Connected = false; });
    EXPECT_EQ(page.summary->PC_Alarm, 1);
    EXPECT_EQ(Title_Colour(page.form->ShapeButtonPCTitle), Alarm_Colour);
}

} // namespace
