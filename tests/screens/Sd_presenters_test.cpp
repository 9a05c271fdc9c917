// The SD page's presenters, driven without a window: each test draws a
// previous record in full, polls a current one, and reads what the widgets
// were given.

#include "components/controls/SCLBackPanel.h"
#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLLEDLabel.h"
#include "components/controls/SCLLImage.h"
#include "components/controls/SCLPanelFill.h"
#include "components/controls/SCLProgress.h"
#include "components/controls/SCLShapeButton.h"
#include "components/controls/SCLShapeControl.h"
#include "components/controls/SCLSimpleLabel.h"
#include "components/controls/Sclanictrl.h"
#include "platform/classlib/DateUtils.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/StdCtrls_Memo.h"
#include "platform/classlib/String_Table.h"
#include "screens/Amu_ihm_main_sd.h"
#include "screens/Block_paint.h"
#include "screens/De_ihm_main_sd.h"
#include "screens/Pc_ihm_main_sd.h"
#include "screens/Status_ihm_main_sd.h"
#include "screens/Wcu_ihm_main_sd.h"
#include "tests/screens/Sd_Page_Test_Support.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace sd_page_test;

namespace {

// Owns the widgets a test hands to a presenter.
class Widgets_Owner {
public:
    template <class T>
    T* Make()
    {
        return new T(&owner);
    }
    TMenuItem* Menu(int items)
    {
        auto* menu = new TMenuItem(&owner);
        for (int i = 0; i < items; ++i) {
            menu->Add(new TMenuItem(&owner));
        }
        return menu;
    }

private:
    TComponent owner {nullptr};
};

// A camera whose snapshot was drawn in full, then polled with a change.
template <class Presenter>
struct Page : Camera {
    Page() { Set_Page_Test_System(current); }
    void Show_In_Full()
    {
        snapshot.Copy(current);
        presenter->Update(true);
    }
    void Poll(const Change& change)
    {
        change(current);
        presenter->Update(false);
        snapshot.Copy(current);
    }
    std::unique_ptr<Presenter> presenter;
};

void No_Change(St_System&) {}

// ---- WCU -------------------------------------------------------------------

struct Wcu_Page : Page<WCU_IHM_Main_SD> {
    Wcu_Page()
    {
        w = {o.Make<TSCLGroupBox>(),     o.Make<TSCLGroupBox>(),     o.Make<TSCLGroupBox>(),
             o.Make<TSCLSimpleLabel>(),  o.Make<TSCLSimpleLabel>(),  o.Make<TSCLSimpleLabel>(),
             o.Make<TSCLSimpleLabel>(),  o.Make<TSCLSimpleLabel>(),  o.Make<TSCLSimpleLabel>(),
             o.Make<TSCLSimpleLabel>(),  o.Make<TSCLSimpleLabel>(),  o.Make<TSCLSimpleLabel>(),
             o.Make<TSCLSimpleLabel>(),  o.Make<TSCLSimpleLabel>(),  o.Make<TSCLSimpleLabel>(),
             o.Make<TSCLShapeButton>(),  o.Make<TSCLShapeControl>(), o.Make<TSCLShapeControl>(),
             o.Make<TSCLShapeControl>(), o.Make<TSCLShapeControl>(), o.Make<TSCLShapeControl>(),
             o.Make<TSCLShapeControl>(), o.Make<TSCLShapeControl>(), o.Make<TSCLShapeControl>(),
             o.Make<TSCLShapeControl>(), o.Make<TSCLProgress>(),     o.Make<TSCLProgress>(),
             o.Make<TSCLLImage>(),       o.Make<TSCLLImage>(),       o.Make<TSCLLImage>(),
             o.Make<TSCLLImage>(),       o.Make<TSCLLImage>(),       o.Make<TSCLLImage>(),
             o.Make<TSCLLImage>(),       o.Make<TSCLLImage>(),       o.Make<TSCLLEDLabel>(),
             o.Make<TSCLLEDLabel>()};
        for (TSCLProgress* meter : {w.ProgressVQOS, w.ProgressDQOS}) {
            meter->SetMaxValue(127);
        }
        presenter = std::make_unique<WCU_IHM_Main_SD>(&snapshot, &current, w);
    }
    Widgets_Owner o;
    WCU_IHM_Main_SD::Widgets w {};
};

struct Wcu_Expected {
    int Lock_Image;
    int Vqos;
    TColor Vqos_Bevel;
    std::string Video_Led;
    std::string Data_Led;
    int Activity_Image;
    bool Triax1_Visible;
    bool Triax1_Active;
    bool Alarm;
};

struct Wcu_Case {
    const char* Name;
    Change Previous;
    Change Current;
    Wcu_Expected Expected;
};

TEST(SdWcuPresenter, ShowsEachPollAsTheBlockDescribesIt)
{
    auto same = [](St_System&) {};
    const Wcu_Case cases[] = {
        {"working", same, same, {1, 90, White_Colour, "3", "5", 0, true, true, false}},
        {"VQOS 9", same, [](St_System& s) { s.SD.WCU.Video_Qos = 9; }, {1, 9, Alarm_Colour, "3", "5", 0, true, true, true}},
        {"VQOS 10", same, [](St_System& s) { s.SD.WCU.Video_Qos = 10; }, {1, 10, White_Colour, "3", "5", 0, true, true, false}},
        {"VQOS 200 keeps the meter", same, [](St_System& s) { s.SD.WCU.Video_Qos = 200; },
         {1, 90, White_Colour, "3", "5", 0, true, true, false}},
        {"lock lost", same, [](St_System& s) { s.SD.WCU.Wcu_Flag = false; }, {3, 90, White_Colour, "3", "5", 0, true, true, true}},
        {"R0 at 2", same, [](St_System& s) { s.SD.WCU.Rate_Any = 2; }, {1, 90, White_Colour, "3", "5", 2, true, true, false}},
        {"R2 idle", same, [](St_System& s) { s.SD.WCU.Rate_B = 0; }, {1, 90, White_Colour, "3", "5", 3, true, true, true}},
        {"AMUs on other channels", same,
         [](St_System& s) { s.SD.AMU2.Video_Channel_Code = 53; s.SD.AMU2.Data_Channel = 6; },
         {1, 90, White_Colour, "-", "-", 0, true, true, true}},
        {"only AMU2 valid", same, [](St_System& s) { s.SD.AMU1.Present = false; s.SD.AMU2.Video_Channel_Code = 53; },
         {1, 90, White_Colour, "4", "5", 0, false, true, false}},
        {"WCU 1.1 shows its own channels", [](St_System& s) { s.Type.Wcu_Minor = 1; },
         [](St_System& s) {
             s.SD.WCU.Video_Channel_Index = 11;
             s.SD.WCU.Data_Channel_Index = 12;
             s.SD.AMU2.Video_Channel_Code = 53;
         },
         {1, 90, White_Colour, "B", "C", 0, true, true, false}},
        {"AMU1 present, no longer polled", same,
         [](St_System& s) { s.SD.AMU1.Poll_Counter_Status = s.SD.AMU1.Poll_Counter_Data = 0; },
         {1, 90, White_Colour, "3", "5", 0, true, false, true}},
        {"link lost", same, [](St_System& s) { s.Settings.Connected = false; }, {0, 0, White_Colour, "3", "5", 0, false, true, false}},
    };
    for (const Wcu_Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Wcu_Page page;
        c.Previous(page.current);
        page.Show_In_Full();
        page.Poll(c.Current);
        const auto& w = page.w;
        EXPECT_EQ(w.ImageCamWcuLock->ImageIndex(), c.Expected.Lock_Image);
        EXPECT_EQ(w.ProgressVQOS->UserValue(), c.Expected.Vqos);
        EXPECT_EQ(w.ProgressVQOS->Bevel()->LightColor(), c.Expected.Vqos_Bevel);
        EXPECT_EQ(w.LEDVideoChannel->Caption(), c.Expected.Video_Led);
        EXPECT_EQ(w.LEDDataChannel->Caption(), c.Expected.Data_Led);
        EXPECT_EQ(w.ImageDataActivity->ImageIndex(), c.Expected.Activity_Image);
        EXPECT_EQ(w.ShapeControlTriax1->Visible(), c.Expected.Triax1_Visible);
        EXPECT_EQ(page.presenter->IsTriax1CableActive(), c.Expected.Triax1_Active);
        EXPECT_EQ(page.presenter->HasAlarm(), c.Expected.Alarm);
    }
}

TEST(SdWcuPresenter, ALostLinkGreysTheBlockAndHidesItsCables)
{
    Wcu_Page page;
    page.Show_In_Full();
    EXPECT_TRUE(page.presenter->IsActive());
    EXPECT_TRUE(page.presenter->IsRs232CableVisible());
    EXPECT_EQ(Frame_Shadow(page.w.GroupBoxWCU), Active_Colour);
    page.Poll([](St_System& s) { s.Settings.Connected = false; });
    EXPECT_FALSE(page.presenter->IsActive());
    EXPECT_FALSE(page.presenter->IsRs232CableVisible());
    EXPECT_FALSE(page.presenter->IsTriax1CableVisible());
    EXPECT_FALSE(page.presenter->IsTriax2CableVisible());
    EXPECT_EQ(Frame_Shadow(page.w.GroupBoxWCU), Inactive_Frame_Colour);
    EXPECT_EQ(page.w.ProgressDQOS->UserValue(), 0);
    EXPECT_FALSE(page.w.LabelVQOS->Enabled());
    EXPECT_EQ(Title_Colour(page.w.ShapeButtonWCUTitle), Silver_Colour);
    for (TSCLLImage* image : {page.w.ImageAMU1Power, page.w.ImageAMU2Status, page.w.ImageTriax1In,
                              page.w.ImageDataActivity}) {
        EXPECT_EQ(image->ImageIndex(), 0);
    }
}

TEST(SdWcuPresenter, TheActivityHintAsksForBothRatesAndTheTriaxImagesFollowTheAmus)
{
    Wcu_Page page;
    page.Show_In_Full();
    EXPECT_EQ(page.w.ImageDataActivity->Hint(), LoadStr(3096));
    EXPECT_EQ(page.w.ImageAMU2Power->ImageIndex(), 1);
    page.Poll([](St_System& s) {
        s.SD.WCU.Rate_A = 0;
        s.SD.AMU2.Present = false;
        s.SD.AMU2.Poll_Counter_Status = 0;
        s.SD.AMU2.Poll_Counter_Data = 0;
    });
    EXPECT_EQ(page.w.ImageDataActivity->Hint(), "");
    EXPECT_EQ(page.w.ImageAMU2Power->ImageIndex(), 0);
    EXPECT_EQ(page.w.ImageAMU2Status->ImageIndex(), 3);
    EXPECT_EQ(page.w.ImageTriax2In->ImageIndex(), 3);
    EXPECT_FALSE(page.presenter->IsTriax2CableVisible());
}

// A widget set by hand stays as it is: an unchanged poll of a block that is
// down writes nothing.
TEST(SdWcuPresenter, AnUnchangedPollOfAnInactiveBlockWritesNoWidget)
{
    Wcu_Page page;
    page.current.Settings.Connected = false;
    page.Show_In_Full();
    page.w.ImageCamWcuLock->SetIndexedImageIndex(2);
    page.w.ProgressVQOS->SetUserValue(55);
    page.w.ShapeControlRS232->SetVisible(true);
    page.w.LabelVQOS->SetEnabled(true);
    Set_Frame_Shadow(page.w.GroupBoxWCU, clYellow);
    page.Poll(No_Change);
    EXPECT_EQ(page.w.ImageCamWcuLock->ImageIndex(), 2);
    EXPECT_EQ(page.w.ProgressVQOS->UserValue(), 55);
    EXPECT_TRUE(page.w.ShapeControlRS232->Visible());
    EXPECT_TRUE(page.w.LabelVQOS->Enabled());
    EXPECT_EQ(Frame_Shadow(page.w.GroupBoxWCU), clYellow);
}

TEST(SdWcuPresenter, AnUnchangedPollOfAnActiveBlockRewritesOnlyWhatChanged)
{
    Wcu_Page page;
    page.Show_In_Full();
    page.w.ImageCamWcuLock->SetIndexedImageIndex(2);
    page.Poll([](St_System& s) { s.SD.WCU.Data_Qos = 40; });
    EXPECT_EQ(page.w.ImageCamWcuLock->ImageIndex(), 2);
    EXPECT_EQ(page.w.ProgressDQOS->UserValue(), 40);
}

// ---- AMU -------------------------------------------------------------------

struct Amu_Page : Page<AMU_IHM_Main_SD> {
    explicit Amu_Page(char unit = '1')
    {
        w = {o.Make<TSCLGroupBox>(),     o.Make<TSCLGroupBox>(),     o.Make<TSCLSimpleLabel>(),
             o.Make<TSCLSimpleLabel>(),  o.Make<TSCLSimpleLabel>(),  o.Make<TSCLSimpleLabel>(),
             o.Make<TSCLSimpleLabel>(),  o.Make<TSCLSimpleLabel>(),  o.Make<TSCLSimpleLabel>(),
             o.Make<TSCLShapeButton>(),  o.Make<TSCLLImage>(),       o.Make<TSCLLImage>(),
             o.Make<TSCLLImage>(),       o.Make<TSCLLImage>(),       o.Make<TSCLLImage>(),
             o.Make<TSCLLImage>(),       o.Make<TSCLLImage>(),       o.Make<TSCLLEDLabel>(),
             o.Make<TSCLShapeControl>(), o.Make<TSCLShapeControl>(), o.Make<TSCLShapeControl>(),
             o.Make<TSCLShapeControl>(), o.Make<TSCLShapeControl>(), o.Make<TSCLShapeControl>(),
             o.Make<TSCLShapeControl>()};
        presenter = std::make_unique<AMU_IHM_Main_SD>(&snapshot, &current, unit, w);
    }
    St_System_SD_AMU& Amu(St_System& s) const { return s.SD.AMU1; }
    Widgets_Owner o;
    AMU_IHM_Main_SD::Widgets w {};
};

TEST(SdAmuPresenter, AnRc1ClashTurnsTheIdentifierRedAndBlinksItFourPollsOnFourOff)
{
    Amu_Page page;
    page.Show_In_Full();
    EXPECT_EQ(page.w.LEDAMUCell->Caption(), "A");
    EXPECT_EQ(page.w.LEDAMUCell->Hint(), LoadStr(3018));
    EXPECT_FALSE(page.presenter->HasAlarm());
    page.Poll([](St_System& s) { s.SD.AMU1.Same_Identifier = true; });
    EXPECT_EQ(page.w.LEDAMUCell->LED()->ActiveColor(), Alarm_Colour);
    EXPECT_EQ(page.w.LabelAMUCell->Font()->Color(), Alarm_Colour);
    EXPECT_EQ(page.w.LabelAMUCell->Hint(), LoadStr(3017));
    EXPECT_EQ(page.w.LEDAMUCell->Hint(), LoadStr(3017));
    EXPECT_TRUE(page.presenter->HasAlarm());
    std::string lit;
    for (int poll = 0; poll < 12; ++poll) {
        lit += page.w.LEDAMUCell->Enabled() ? '1' : '0';
        page.Poll(No_Change);
    }
    EXPECT_EQ(lit, "111100001111");
    page.Poll([](St_System& s) { s.SD.AMU1.Same_Identifier = false; });
    EXPECT_TRUE(page.w.LEDAMUCell->Enabled());
    EXPECT_EQ(page.w.LEDAMUCell->LED()->ActiveColor(), TColor(0x008000));
    EXPECT_EQ(page.w.LabelAMUCell->Font()->Color(), Black_Colour);
}

TEST(SdAmuPresenter, ADataEmitterThatStopsAnsweringTakesTheWireAwayAndRaisesTheAlarm)
{
    Amu_Page page;
    page.Show_In_Full();
    EXPECT_TRUE(page.presenter->IsWireDEVisible());
    EXPECT_TRUE(page.presenter->IsWireDEActive());
    EXPECT_TRUE(page.presenter->IsFrameActive());
    page.Poll([](St_System& s) { s.SD.DE1.State = false; });
    EXPECT_FALSE(page.presenter->IsWireDEVisible());
    EXPECT_FALSE(page.w.ShapeControlPlug2DE->Visible());
    EXPECT_TRUE(page.presenter->HasAlarm());
}

TEST(SdAmuPresenter, OnlyTheSelectedAntennaIsMarkedAndItsNumberBold)
{
    struct Case {
        int Code;
        bool Marks[3];
    };
    for (const Case c : {Case {1, {true, false, false}}, Case {2, {false, true, false}}, Case {4, {false, false, true}},
                         Case {3, {false, false, false}}}) {
        SCOPED_TRACE(c.Code);
        Amu_Page page;
        page.Show_In_Full();
        page.Poll([&c](St_System& s) { s.SD.AMU1.Status_Code = c.Code; });
        const TSCLShapeControl* marks[] = {page.w.ShapeControlAMUAnt1, page.w.ShapeControlAMUAnt2,
                                           page.w.ShapeControlAMUAnt3};
        TSCLSimpleLabel* const labels[] = {page.w.LabelAMUAntenna1, page.w.LabelAMUAntenna2, page.w.LabelAMUAntenna3};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(marks[i]->Visible(), c.Marks[i]) << i;
            EXPECT_EQ(labels[i]->Font()->Style().Contains(fsBold), c.Marks[i]) << i;
        }
    }
}

TEST(SdAmuPresenter, TheAllTunersMarkNeedsEveryTunerInError)
{
    for (int minor : {0, 1}) {
        SCOPED_TRACE(minor);
        Amu_Page page;
        page.current.Type.Wcu_Minor = minor;
        page.Show_In_Full();
        page.Poll([](St_System& s) { s.SD.AMU1.Receiver_State_1 = s.SD.AMU1.Receiver_State_2 = true; });
        EXPECT_FALSE(page.w.ShapeControlAMUAnt123->Visible());
        EXPECT_EQ(page.w.ImageErrorAMUAnt2->ImageIndex(), 3);
        EXPECT_EQ(page.w.ImageErrorAMUAnt3->ImageIndex(), 0);
        page.Poll([](St_System& s) { s.SD.AMU1.Receiver_State_3 = true; });
        EXPECT_TRUE(page.w.ShapeControlAMUAnt123->Visible());
    }
}

TEST(SdAmuPresenter, TunerLocksRemoteControlAndTheInactiveFrame)
{
    Amu_Page page;
    page.Show_In_Full();
    EXPECT_EQ(page.w.ImageLockAMUAnt1->ImageIndex(), 1);
    EXPECT_EQ(page.w.ImageLockAMUAnt3->ImageIndex(), 0);
    EXPECT_EQ(page.w.ImageAMURemoteControl->ImageIndex(), 1);
    page.Poll([](St_System& s) {
        s.SD.AMU1.Receiver_Flag_1 = false;
        s.SD.AMU1.Video_Channel_Valid = false;
        s.SD.AMU1.Active = false;
    });
    EXPECT_EQ(page.w.ImageLockAMUAnt1->ImageIndex(), 0);
    EXPECT_EQ(page.w.ImageAMURemoteControl->ImageIndex(), 3);
    EXPECT_FALSE(page.presenter->IsFrameActive());
    EXPECT_FALSE(page.presenter->IsWireDEActive());
    EXPECT_TRUE(page.presenter->IsActive());
}

TEST(SdAmuPresenter, AnAmuNoLongerPolledGoesDownGreyed)
{
    Amu_Page page;
    page.Show_In_Full();
    page.Poll([](St_System& s) { s.SD.AMU1.Poll_Counter_Status = s.SD.AMU1.Poll_Counter_Data = 0; });
    EXPECT_FALSE(page.presenter->IsActive());
    EXPECT_FALSE(page.presenter->HasAlarm());
    EXPECT_FALSE(page.presenter->IsFrameActive());
    EXPECT_FALSE(page.w.LEDAMUCell->Enabled());
    EXPECT_FALSE(page.w.ShapeControlAMUAnt1->Visible());
    EXPECT_EQ(page.w.ImageLockAMUAnt1->ImageIndex(), 0);
    EXPECT_EQ(Title_Colour(page.w.ShapeButtonAMUTitle), Silver_Colour);
}

// ---- DE --------------------------------------------------------------------

struct De_Page : Page<DE_IHM_Main_SD> {
    explicit De_Page(char unit)
    {
        w = {o.Make<TSCLGroupBox>(),     o.Make<TSCLSimpleLabel>(), o.Make<TSCLShapeControl>(),
             o.Make<TSCLShapeControl>(), o.Make<TSCLShapeButton>(), o.Make<TSCLLImage>()};
        presenter = std::make_unique<DE_IHM_Main_SD>(&snapshot, &current, unit, w);
    }
    Widgets_Owner o;
    DE_IHM_Main_SD::Widgets w {};
};

TEST(SdDePresenter, TheAntennaShowsTheTransmitterState)
{
    struct Case {
        const char* Name;
        Change Set;
        int Image;
        int Suffix;
        TColor Colour, End, Brush;
        bool Alarm;
    };
    const Case cases[] = {
        {"test signal", [](St_System& s) { s.SD.AMU2.Sw1_2_Test = true; }, 1, 3003, 0x000080, 0x0000FF, 0x0000FF, true},
        {"enabled", No_Change, 1, 3001, 0x00FF00, 0x008000, 0x00FF00, false},
        {"disabled", [](St_System& s) { s.SD.DE2.De_Flag = false; }, 0, 3002, 0xC0C0C0, 0x000000, 0x808080, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        De_Page page('2');
        page.Show_In_Full();
        if (c.Suffix != 3001) {
            page.Poll(c.Set);
        }
        const std::string hint = LoadStr(3000) + "2" + LoadStr(c.Suffix);
        EXPECT_EQ(page.w.ImageDETxEna->ImageIndex(), c.Image);
        EXPECT_EQ(page.w.ShapeControl2Ant->Hint(), hint);
        EXPECT_EQ(page.w.ShapeControl3Ant->Hint(), hint);
        EXPECT_EQ(page.w.ShapeControl3Ant->ShapeFill()->Gradient()->Color(), c.Colour);
        EXPECT_EQ(page.w.ShapeControl3Ant->ShapeFill()->Gradient()->EndColor(), c.End);
        EXPECT_EQ(page.w.ShapeControl3Ant->Brush()->Color(), c.Brush);
        EXPECT_EQ(page.presenter->HasAlarm(), c.Alarm);
    }
}

TEST(SdDePresenter, TheBlockFollowsItsAmuAndGoesDownWithItsDataEmitter)
{
    De_Page page('1');
    page.Show_In_Full();
    EXPECT_TRUE(page.presenter->IsActive());
    EXPECT_TRUE(page.presenter->IsFrameActive());
    page.Poll([](St_System& s) { s.SD.AMU1.Active = false; });
    EXPECT_FALSE(page.presenter->IsFrameActive());
    page.Poll([](St_System& s) { s.SD.DE1.State = false; });
    EXPECT_FALSE(page.presenter->IsActive());
    EXPECT_EQ(page.w.ShapeControl2Ant->Hint(), "");
    EXPECT_EQ(page.w.ImageDETxEna->ImageIndex(), 0);
    EXPECT_FALSE(page.w.LabelDETxEna->Enabled());
}

// ---- PC --------------------------------------------------------------------

struct Pc_Page : Camera {
    Pc_Page()
    {
        Set_Page_Test_System(current);
        snapshot.Copy(current);
        w = {o.Make<TSCLGroupBox>(), o.Make<TSCLGroupBox>(),    o.Menu(4),
             o.Menu(2),              o.Make<TSCLSimpleLabel>(), o.Make<TSCLSimpleLabel>(),
             o.Make<TSCLPanelFill>(), o.Make<TSCLAniCtrl>(),    o.Make<TSCLGroupBox>(),
             o.Make<TSCLShapeButton>(), o.Menu(16),             o.Menu(4),
             o.Make<TMenuItem>(),     o.Make<TSCLSimpleLabel>(), o.Make<TSCLLImage>(),
             o.Make<TSCLBackPanel>(), o.Make<TSCLLImage>()};
    }
    void Create() { presenter = std::make_unique<PC_IHM_Main_SD>(&snapshot, &current, 32, &camera_count, w); }
    void Poll(const Change& change, bool full = false)
    {
        change(current);
        presenter->Update(full);
        snapshot.Copy(current);
    }
    int Checked(TMenuItem* menu) const
    {
        int checked = 0;
        for (int i = 0; i < menu->Count(); ++i) {
            checked = menu->Items(i)->Checked() ? menu->Items(i)->Tag() : checked;
        }
        return checked;
    }
    std::atomic<int> camera_count {2};
    Widgets_Owner o;
    PC_IHM_Main_SD::Widgets w {};
    std::unique_ptr<PC_IHM_Main_SD> presenter;
};

TEST(SdPcPresenter, ANumberedMenuChecksThePortTheCountAndTheRanges)
{
    Pc_Page page;
    page.Create();
    page.Poll(No_Change, true);
    EXPECT_EQ(page.w.MenuDataFrequencyRange->Tag(), 1);
    EXPECT_EQ(page.w.MenuCom->Items(15)->Tag(), 16);
    EXPECT_EQ(page.Checked(page.w.MenuCom), 3);
    EXPECT_EQ(page.Checked(page.w.MenuCamerasCount), 2);
    EXPECT_EQ(page.Checked(page.w.MenuVideoFrequencyRange), 2);
    EXPECT_EQ(page.Checked(page.w.MenuDataFrequencyRange), 1);
    EXPECT_EQ(page.w.LabelVideoFrequencyRange->Caption(), "2,4 - 2,5 GHz");
    EXPECT_EQ(page.w.LabelDataFrequencyRange->Caption(), "433,1 - 434,6 MHz");
    EXPECT_EQ(page.w.ShapeButtonPCTitle->Hint(), LoadStr(3005) + "3" + LoadStr(3006));
    EXPECT_EQ(Title_Colour(page.w.ShapeButtonPCTitle), Good_Colour);
    EXPECT_EQ(page.w.AniCamera->Interval(), 50);
    EXPECT_EQ(page.w.AniCamera->Hint(), LoadStr(3008) + "3");
    EXPECT_EQ(page.w.ImagePCWCULink->ImageIndex(), 1);
    EXPECT_FALSE(page.presenter->HasAlarm());
}

TEST(SdPcPresenter, WithoutAPortTheTitleIsRedAndThePcInAlarm)
{
    Pc_Page page;
    page.current.Settings.Port_Number = 0;
    page.current.Settings.Connected = false;
    page.snapshot.Copy(page.current);
    page.Create();
    page.Poll(No_Change);
    EXPECT_TRUE(page.presenter->HasAlarm());
    EXPECT_EQ(Title_Colour(page.w.ShapeButtonPCTitle), Alarm_Colour);
    EXPECT_EQ(page.w.ShapeButtonPCTitle->Hint(), LoadStr(3004));
    EXPECT_EQ(page.Checked(page.w.MenuCom), 0);
    EXPECT_FALSE(page.w.PanelFillAniCamera->Visible());
    EXPECT_FALSE(page.w.ImagePCWCULink->Visible());
}

TEST(SdPcPresenter, ALostLinkSlowsTheAnimationAndRaisesTheAlarm)
{
    Pc_Page page;
    page.Create();
    page.Poll(No_Change, true);
    page.Poll([](St_System& s) { s.Settings.Connected = false; });
    EXPECT_EQ(page.w.AniCamera->Interval(), 300);
    EXPECT_EQ(page.w.PanelFillAniCamera->Hint(), LoadStr(3007) + "3");
    EXPECT_EQ(page.w.ImagePCWCULink->ImageIndex(), 0);
    EXPECT_TRUE(page.presenter->HasAlarm());
}

TEST(SdPcPresenter, TheRangeBoxAdvisesOnTheRangesAndTheAmuFirmware)
{
    struct Case {
        const char* Name;
        Change Set;
        TColor Video_Colour;
        std::string Video_Hint;
        TColor Data_Colour;
        std::string Data_Hint;
        bool Alarm;
    };
    const std::string keep = LoadStr(3028);
    const std::string video4 = LoadStr(3079) + "2,7 - 2,9 GHz" + LoadStr(3019) + LoadStr(3084);
    const Case cases[] = {
        {"chosen", No_Change, Black_Colour, keep, Black_Colour, keep, false},
        {"none chosen", [](St_System& s) { s.SD.Video_Range_Frequency = s.SD.Data_Range_Frequency = 0; },
         Alarm_Colour, LoadStr(3022), Alarm_Colour, LoadStr(3023), true},
        {"video 4, AMU 1.1", [](St_System& s) { s.SD.Video_Range_Frequency = 4; s.SD.AMU2.Version_Minor = 1; },
         Alarm_Colour, video4, Black_Colour, keep, true},
        {"video 4, AMU 1.2", [](St_System& s) { s.SD.Video_Range_Frequency = 4; }, Black_Colour, keep, Black_Colour, keep,
         false},
        {"data 2, AMU 1.0", [](St_System& s) { s.SD.Data_Range_Frequency = 2; s.SD.AMU1.Version_Minor = 0; },
         Black_Colour, keep, Alarm_Colour, LoadStr(3027), true},
        {"data 1, AMU 1.0", [](St_System& s) { s.SD.AMU1.Version_Minor = 0; }, Black_Colour, keep, Black_Colour, keep,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Pc_Page page;
        page.Create();
        page.Poll(No_Change, true);
        page.Poll(c.Set);
        EXPECT_EQ(page.w.LabelVideoFrequencyRange->Font()->Color(), c.Video_Colour);
        EXPECT_EQ(page.w.GroupVideoFrequencyRange->CaptionFont()->Color(), c.Video_Colour);
        EXPECT_EQ(page.w.GroupVideoFrequencyRange->Hint(), c.Video_Hint);
        EXPECT_EQ(page.w.LabelDataFrequencyRange->Font()->Color(), c.Data_Colour);
        EXPECT_EQ(page.w.GroupDataFrequencyRange->Hint(), c.Data_Hint);
        EXPECT_EQ(page.presenter->HasAlarm(), c.Alarm);
    }
}

TEST(SdPcPresenter, TheVideoBoxFollowsAFirmwareChangeAtTheNextPoll)
{
    Pc_Page page;
    page.current.SD.Video_Range_Frequency = 4;
    page.current.SD.AMU1.Version_Minor = 1;
    page.snapshot.Copy(page.current);
    page.Create();
    page.Poll(No_Change, true);
    EXPECT_EQ(page.w.LabelVideoFrequencyRange->Font()->Color(), Alarm_Colour);
    page.Poll([](St_System& s) { s.SD.AMU1.Version_Minor = 2; });
    EXPECT_EQ(page.w.LabelVideoFrequencyRange->Font()->Color(), Black_Colour);
    EXPECT_EQ(page.w.GroupVideoFrequencyRange->Hint(), LoadStr(3028));
}

// ---- Status ----------------------------------------------------------------

struct Status_Page : Camera {
    Status_Page()
    {
        Set_Page_Test_System(current);
        snapshot.Copy(current);
        Status_IHM_Main_SD::Sources sources;
        sources.Window_Alarms[2] = [this] { return window_alarm; };
        sources.ShapeControlAppliTitle = o.Make<TSCLShapeControl>();
        sources.PopupCamName = new TPopupMenu(nullptr);
        popup.reset(sources.PopupCamName);
        sources.Check_Camera_Name = [this](int number) { checked_name = number; };
        sources.MemoStatus = o.Make<TMemo>();
        banner = sources.ShapeControlAppliTitle;
        memo = sources.MemoStatus;
        presenter = std::make_unique<Status_IHM_Main_SD>(&snapshot, &current, &camera_count, std::move(sources));
    }
    void Poll(const Change& change, bool full = false)
    {
        change(current);
        presenter->Update(full);
        snapshot.Copy(current);
    }
    std::atomic<int> camera_count {1};
    bool window_alarm = false;
    int checked_name = 0;
    Widgets_Owner o;
    std::unique_ptr<TPopupMenu> popup;
    TSCLShapeControl* banner = nullptr;
    TMemo* memo = nullptr;
    std::unique_ptr<Status_IHM_Main_SD> presenter;
};

TEST(SdStatusPresenter, TheBannerNamesTheCameraOnlyWhenThereAreSeveral)
{
    Status_Page page;
    page.Poll(No_Change, true);
    EXPECT_EQ(page.banner->Caption()->Caption(), "SD Ravivida Camera Ordexia");
    EXPECT_EQ(page.banner->PopupMenu(), nullptr);
    EXPECT_EQ(page.banner->Hint(), "");
    page.camera_count = 2;
    page.Poll([](St_System& s) { s.Settings.Name = 7; }, true);
    EXPECT_EQ(page.banner->Caption()->Caption(), "SD Ravivida Camera Ordexia - CAM 7");
    EXPECT_EQ(page.banner->PopupMenu(), page.popup.get());
    EXPECT_EQ(page.banner->Hint(), LoadStr(3099));
    EXPECT_EQ(page.checked_name, 7);
}

TEST(SdStatusPresenter, TheBannerTurnsRedOnAnyAlarmAndGreenWithoutAndThePageIsDownWithoutLink)
{
    Status_Page page;
    EXPECT_TRUE(page.presenter->HasAlarm());
    page.Poll(No_Change, true);
    EXPECT_TRUE(page.presenter->IsActive());
    EXPECT_FALSE(page.presenter->HasAlarm());
    EXPECT_EQ(page.banner->ShapeFill()->Gradient()->EndColor(), Good_Colour);
    EXPECT_EQ(page.memo->Font()->Color(), Black_Colour);
    page.window_alarm = true;
    page.Poll(No_Change);
    EXPECT_TRUE(page.presenter->HasAlarm());
    EXPECT_EQ(page.banner->ShapeFill()->Gradient()->EndColor(), Alarm_Colour);
    EXPECT_EQ(page.banner->Brush()->Color(), Alarm_Colour);
    page.Poll([](St_System& s) { s.Settings.Connected = false; });
    EXPECT_FALSE(page.presenter->IsActive());
    EXPECT_TRUE(page.presenter->HasAlarm());
    EXPECT_EQ(page.memo->Font()->Color(), Grey_Colour);
}

TEST(SdStatusPresenter, ATriaxDownLinkBreakIsLoggedUnderOneTimeStamp)
{
    Status_Page page;
    page.Poll(No_Change, true);
    page.Poll([](St_System& s) { s.SD.AMU1.Poll_Counter_Status = s.SD.AMU1.Poll_Counter_Data = 0; });
    TStringList* lines = page.presenter->Messages();
    ASSERT_EQ(lines->Count(), 2);
    EXPECT_EQ(lines->Strings(1), "Triax1 down link break");
    EXPECT_EQ(page.memo->Lines()->Count(), 2);
    EXPECT_EQ(page.memo->Lines()->Strings(1), "Triax1 down link break");
    page.Poll(No_Change);
    EXPECT_EQ(lines->Count(), 0);
    EXPECT_EQ(page.memo->Lines()->Count(), 2);
}

TEST(SdStatusPresenter, TheVideoLinkIsLoggedWhenItChangesWithTheAmusStillValid)
{
    Status_Page page;
    page.Poll(No_Change, true);
    auto broken = [](St_System& s) {
        s.SD.AMU1.Poll_Counter_Status = s.SD.AMU2.Poll_Counter_Status = 0;
        s.SD.WCU.Link_Flag = false;
    };
    page.Poll(broken);
    TStringList* lines = page.presenter->Messages();
    ASSERT_EQ(lines->Count(), 2);
    EXPECT_EQ(lines->Strings(1), "Video link break");
    page.Poll([](St_System& s) { s.SD.WCU.Link_Flag = true; });
    ASSERT_GE(lines->Count(), 1);
    EXPECT_EQ(lines->Strings(lines->Count() - 1), "Video link OK");
}

TEST(SdStatusPresenter, RefreshesLoggingWithinOneSecondShareOneStampAndTheNextSecondGetsItsOwn)
{
    auto at = [](int second) {
        const TDateTime time = EncodeDate(2026, 12, 10) + EncodeTime(9, 41, second, 0);
        Set_Clock([time] { return time; });
    };
    at(5);
    Status_Page page;
    page.Poll(No_Change, true);
    auto video_link = [](bool ok) {
        return [ok](St_System& s) {
            s.SD.AMU1.Poll_Counter_Status = s.SD.AMU2.Poll_Counter_Status = 0;
            s.SD.WCU.Link_Flag = ok;
        };
    };
    page.Poll(video_link(false));
    page.Poll(video_link(true));
    page.Poll(video_link(false));
    at(6);
    page.Poll(video_link(true));
    Set_Clock({});

    const std::vector<std::string> log = {"------- 09:41:05 -------", "Video link break", "Video link OK",
                                          "Video link break", "------- 09:41:06 -------", "Video link OK"};
    std::vector<std::string> lines;
    for (int i = 0; i < page.memo->Lines()->Count(); ++i) {
        lines.push_back(page.memo->Lines()->Strings(i));
    }
    EXPECT_EQ(lines, log);
}

} // namespace
