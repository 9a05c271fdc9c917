// The HD page's block presenters, driven without a window: each test draws
// a previous record in full, polls a current one, and reads what the widgets
// were given.

#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLLEDLabel.h"
#include "components/controls/SCLLImage.h"
#include "components/controls/SCLPanelFill.h"
#include "components/controls/SCLProgress.h"
#include "components/controls/SCLShapeButton.h"
#include "components/controls/SCLShapeControl.h"
#include "components/controls/SCLSimpleLabel.h"
#include "components/controls/SCLSpeedButton.h"
#include "components/controls/Sclled.h"
#include "link/St_system.h"
#include "platform/classlib/String_Table.h"
#include "platform/classlib/SysUtils.h"
#include "screens/Amu_ihm_main_hd.h"
#include "screens/Block_paint.h"
#include "screens/De_ihm_main_hd.h"
#include "screens/Wca_ihm_main_hd.h"
#include "screens/Wcu_ihm_main_hd.h"
#include "tests/support/Temp_Settings.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Change = std::function<void(St_System&)>;

void No_Change(St_System&) {}

void Set_Working_Amu(St_System_HD_AMU& amu, int identifier)
{
    amu.Present = true;
    amu.Firmware_Version = 0x21;
    amu.Amu_Identifier = identifier;
    amu.Range_Code = {51, 51, 51};
    // Receivers 1 and 2 present and locked.
    amu.D3_Bit5 = amu.D3_Bit0 = true;
    amu.D3_Bit4 = amu.D3_Bit1 = true;
    // Data emitter present with Tx on, transmitting normally.
    amu.Data_Valid_A = true;
    amu.D5_Bit0 = true;
    amu.D5_Bit2 = true;
}

// A WCU 2.1 with nothing wrong: triax 1 in use and good, known frequencies,
// camera locked, no genlock, data active, good qualities, both AMUs on
// receivers of one known type, a battery well above the threshold.
void Set_Hd_Test_System(St_System& s)
{
    s.Settings.Connected = true;
    s.Type.System_Type = 1;
    s.Type.Wcu_Major = 2;
    s.Type.Wcu_Minor = 1;
    St_System_HD& hd = s.HD;
    hd.Wcu.Present = true;
    hd.Wcu.D0_Bits6_0 = 80;
    hd.Wcu.D2_Bit3 = true;
    hd.Wcu_Link.Present = true;
    hd.Wcu_Link.D2_Bit2 = true;
    hd.Wcu_Link.D2_Bit1 = true;
    hd.Wcu_Link.D0 = 60;
    hd.Wcu_Link.D8_Lo = 3;
    hd.Wca.Present = true;
    hd.Wca.D6_Bit5 = true;
    hd.Wca.Battery_Raw = 157;
    hd.Wca_Status.Present = true;
    St_System_HD_WCU_Status& status = hd.Wcu_Status;
    status.Present = true;
    status.Triax1_Used = true;
    status.D0_Bit0 = status.D1_Bit2 = status.D2_Bit4 = true;
    status.D2_Bit6 = true;
    status.Triax1_Link = true;
    status.Video_Frequency = 2.2f;
    status.Video_Bandwidth = 17.381407f;
    status.Data_Frequency = 458.0f;
    status.Toggle_Rate_Any = 1;
    status.Toggle_Rate_A = 1;
    status.Toggle_Rate_B = 1;
    Set_Working_Amu(hd.Amu1, 0xA);
    Set_Working_Amu(hd.Amu2, 0xB);
    hd.Alarm_Battery_Level = 3;
}

// Owns the widgets a test hands to a presenter.
class Widgets_Owner {
public:
    template <class T>
    T* Make()
    {
        return new T(&owner);
    }

private:
    TComponent owner {nullptr};
};

// A camera whose snapshot was drawn in full, then polled with changes.
template <class Presenter>
struct Page {
    Page() { Set_Hd_Test_System(current); }
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
    Temp_Settings settings;
    St_System current {0};
    St_System snapshot {0};
    Widgets_Owner o;
    std::unique_ptr<Presenter> presenter;
};

// Texts formatted at run time take the user's decimal separator.
class Decimal_Comma {
public:
    Decimal_Comma() : saved(DecimalSeparator) { DecimalSeparator = ','; }
    ~Decimal_Comma() { DecimalSeparator = saved; }

private:
    char saved;
};

// ---- WCU -------------------------------------------------------------------

struct Wcu_Page : Page<WCU_IHM_Main_HD> {
    explicit Wcu_Page(int vqos_bars = 32)
    {
        auto label = [this] { return o.Make<TSCLSimpleLabel>(); };
        auto shape = [this] { return o.Make<TSCLShapeControl>(); };
        auto image = [this] { return o.Make<TSCLLImage>(); };
        w = {o.Make<TSCLGroupBox>(), o.Make<TSCLGroupBox>(), o.Make<TSCLGroupBox>(),
             label(), label(), label(), label(), label(), label(), label(), label(), label(), label(), label(),
             label(), label(), label(), label(), o.Make<TSCLShapeButton>(),
             shape(), shape(), shape(), shape(), shape(), shape(), shape(), shape(), shape(),
             label(), o.Make<TSCLProgress>(), o.Make<TSCLProgress>(),
             image(), image(), image(), image(), image(), image(), image(), image(), image()};
        w.LabelVQOS->SetTop(20);
        w.LabelDQOS->SetTop(60);
        w.ProgressVQOS->SetBounds(0, 30, 200, 17);
        w.ProgressDQOS->SetBounds(0, 70, 200, 17);
        w.ProgressVQOS->SetMaxValue(100);
        w.ProgressVQOS->SmallBar()->SetByte(0, static_cast<BYTE>(vqos_bars));
        w.ProgressDQOS->SetMaxValue(127);
        presenter = std::make_unique<WCU_IHM_Main_HD>(&snapshot, &current, w);
    }
    WCU_IHM_Main_HD::Widgets w {};
};

struct Frequency_Case {
    const char* Name;
    Change Current;
    std::string Text;
    std::string Hint;
    TColor Name_Colour;
    TColor Value_Colour;
    bool Alarm;
};

void Set_Video(St_System& s, float ghz, float bandwidth_mhz)
{
    s.HD.Wcu_Status.Video_Frequency = ghz;
    s.HD.Wcu_Status.Video_Bandwidth = bandwidth_mhz;
}

TEST(HdWcuPresenter, TheVideoFrequencyShowsItsValueItsFaultOrTheIsmWarning)
{
    const Decimal_Comma comma;
    const TColor black = Black_Colour;
    const TColor red = Alarm_Colour;
    const TColor fuchsia = 0xFF00FF;
    auto amu2_gone = [](St_System& s) { s.HD.Amu2.Present = false; };
    const std::string ism = LoadStr(3103);
    const Frequency_Case cases[] = {
        {"known", No_Change, "2200,0 MHz", "", black, black, false},
        {"upper edge reaches the band", [](St_System& s) { Set_Video(s, 2.39f, 22.0f); }, "2390,0 MHz", ism, black,
         fuchsia, false},
        {"lower edge above the band", [](St_System& s) { Set_Video(s, 2.5f, 30.0f); }, "2500,0 MHz", "", black, black,
         false},
        {"upper edge equal to 2.4", [](St_System& s) { Set_Video(s, 2.375f, 50.0f); }, "2375,0 MHz", ism, black,
         fuchsia, false},
        {"upper edge just below", [](St_System& s) { Set_Video(s, 2.374f, 50.0f); }, "2374,0 MHz", "", black, black,
         false},
        {"lower edge equal to 2.4835", [](St_System& s) { Set_Video(s, 2.5f, 33.0f); }, "2500,0 MHz", ism, black,
         fuchsia, false},
        {"none", [](St_System& s) { Set_Video(s, 0.0f, 0.0f); }, "-----", "", black, black, true},
        {"receivers missing, both AMUs", [](St_System& s) { Set_Video(s, -1.0f, 0.0f); }, "?????", LoadStr(3033), red,
         red, true},
        {"receivers missing, one AMU", [&](St_System& s) { Set_Video(s, -1.0f, 0.0f); amu2_gone(s); }, "?????",
         LoadStr(3034), red, red, true},
        {"not compatible, both AMUs", [](St_System& s) { Set_Video(s, -2.0f, 0.0f); }, "?????", LoadStr(3035), red,
         red, true},
        {"not compatible, one AMU", [&](St_System& s) { Set_Video(s, -2.0f, 0.0f); amu2_gone(s); }, "?????",
         LoadStr(3036), red, red, true},
        {"not recognised", [](St_System& s) { Set_Video(s, -3.0f, 0.0f); }, "?????", LoadStr(3045), red, red, true},
        {"not programmed", [](St_System& s) { Set_Video(s, -4.0f, 0.0f); }, "?????", LoadStr(3087), red, red, true},
    };
    for (const Frequency_Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Wcu_Page page;
        page.Show_In_Full();
        page.Poll(c.Current);
        EXPECT_EQ(page.w.LabelVideoFreqVal->Caption(), c.Text);
        EXPECT_EQ(page.w.LabelVideoFreq->Hint(), c.Hint);
        EXPECT_EQ(page.w.LabelVideoFreqVal->Hint(), c.Hint);
        EXPECT_EQ(page.w.LabelVideoFreq->Font()->Color(), c.Name_Colour);
        EXPECT_EQ(page.w.LabelVideoFreqVal->Font()->Color(), c.Value_Colour);
        EXPECT_EQ(page.presenter->HasAlarm(), c.Alarm);
    }
}

void Set_Data(St_System& s, float mhz)
{
    s.HD.Wcu_Status.Data_Frequency = mhz;
}

TEST(HdWcuPresenter, TheDataFrequencyShowsItsValueOrItsFaultNamingOneOrBothAmus)
{
    const Decimal_Comma comma;
    const TColor black = Black_Colour;
    const TColor red = Alarm_Colour;
    auto one_amu = [](float mhz) {
        return [mhz](St_System& s) {
            Set_Data(s, mhz);
            s.HD.Amu1.Present = false;
        };
    };
    auto both_amus = [](float mhz) { return [mhz](St_System& s) { Set_Data(s, mhz); }; };
    const Frequency_Case cases[] = {
        {"known", both_amus(458.4f), "458,40 MHz", "", black, black, false},
        {"none", both_amus(0.0f), "-----", "", black, black, true},
        {"not programmed", both_amus(-4.0f), "?????", LoadStr(3087), red, red, true},
        {"missing, both", both_amus(-1.0f), "?????", LoadStr(3037) + LoadStr(3038), red, red, true},
        {"missing, one", one_amu(-1.0f), "?????", LoadStr(3037) + LoadStr(3039), red, red, true},
        {"not compatible, both", both_amus(-2.0f), "?????", LoadStr(3040) + LoadStr(3041), red, red, true},
        {"not compatible, one", one_amu(-2.0f), "?????", LoadStr(3040) + LoadStr(3042), red, red, true},
        {"not recognised, both", both_amus(-3.0f), "?????", LoadStr(3040) + LoadStr(3043), red, red, true},
        {"not recognised, one", one_amu(-3.0f), "?????", LoadStr(3040) + LoadStr(3044), red, red, true},
    };
    for (const Frequency_Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Wcu_Page page;
        page.Show_In_Full();
        page.Poll(c.Current);
        EXPECT_EQ(page.w.LabelDataFreqVal->Caption(), c.Text);
        EXPECT_EQ(page.w.LabelDataFreq->Hint(), c.Hint);
        EXPECT_EQ(page.w.LabelDataFreqVal->Hint(), c.Hint);
        EXPECT_EQ(page.w.LabelDataFreq->Font()->Color(), c.Name_Colour);
        EXPECT_EQ(page.w.LabelDataFreqVal->Font()->Color(), c.Value_Colour);
        EXPECT_EQ(page.presenter->HasAlarm(), c.Alarm);
    }
}

struct Wcu_Expected {
    int Lock_Image;
    int Genlock_Image;
    std::string Genlock_Hint;
    int Activity_Image;
    std::string Activity_Hint;
    bool Alarm;
};

struct Wcu_Case {
    const char* Name;
    Change Current;
    Wcu_Expected Expected;
};

TEST(HdWcuPresenter, LockGenlockAndDataActivityPicturesFollowTheirFlags)
{
    const std::string lit = LoadStr(3096);
    const std::string pll = LoadStr(3046);
    const std::string reference = LoadStr(3047);
    const Wcu_Case cases[] = {
        {"working", No_Change, {1, 0, "", 0, lit, false}},
        {"link side unlocked", [](St_System& s) { s.HD.Wcu_Link.D2_Bit2 = false; }, {3, 0, "", 0, lit, true}},
        {"camera side unlocked", [](St_System& s) { s.HD.Wca.D6_Bit5 = false; }, {3, 0, "", 0, lit, true}},
        {"genlock in use and locked", [](St_System& s) { s.HD.Wcu_Link.D1_Bit0 = true; }, {1, 1, "", 0, lit, false}},
        {"genlock reference unknown",
         [](St_System& s) { s.HD.Wcu_Link.D1_Bit0 = s.HD.Wcu_Link.D1_Bit1 = true; },
         {1, 3, reference, 0, lit, true}},
        {"genlock reference in the wrong standard",
         [](St_System& s) { s.HD.Wcu_Link.D1_Bit0 = s.HD.Wcu_Link.D2_Bit0 = true; },
         {1, 3, reference, 0, lit, true}},
        {"genlock in use, PLL unlocked",
         [](St_System& s) {
             s.HD.Wcu_Link.D1_Bit0 = true;
             s.HD.Wcu_Link.D2_Bit1 = false;
         },
         {1, 3, pll, 0, lit, true}},
        {"no genlock, PLL unlocked", [](St_System& s) { s.HD.Wcu_Link.D2_Bit1 = false; }, {1, 3, pll, 0, lit, true}},
        {"OCP request", [](St_System& s) { s.HD.Wcu_Status.Toggle_Rate_Any = 2; }, {1, 0, "", 2, lit, false}},
        {"no data activity on bit B", [](St_System& s) { s.HD.Wcu_Status.Toggle_Rate_B = 0; },
         {1, 0, "", 3, LoadStr(3095), true}},
        {"no data activity, flag clear",
         [](St_System& s) {
             s.HD.Wcu_Status.Toggle_Rate_A = 0;
             s.HD.Wcu.D2_Bit3 = false;
         },
         {1, 0, "", 3, "", true}},
        {"no data activity, no header",
         [](St_System& s) {
             s.HD.Wcu_Status.Toggle_Rate_A = 0;
             s.HD.Wcu.Present = false;
         },
         {1, 0, "", 3, "", true}},
    };
    for (const Wcu_Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Wcu_Page page;
        page.Show_In_Full();
        page.Poll(c.Current);
        EXPECT_EQ(page.w.ImageCamWcuLock->ImageIndex(), c.Expected.Lock_Image);
        EXPECT_EQ(page.w.ImageStudioGenlock->ImageIndex(), c.Expected.Genlock_Image);
        EXPECT_EQ(page.w.ImageStudioGenlock->Hint(), c.Expected.Genlock_Hint);
        EXPECT_EQ(page.w.ImageDataActivity->ImageIndex(), c.Expected.Activity_Image);
        EXPECT_EQ(page.w.ImageDataActivity->Hint(), c.Expected.Activity_Hint);
        EXPECT_EQ(page.presenter->HasAlarm(), c.Expected.Alarm);
    }
}

struct Meter_Expected {
    bool Vqos_Visible;
    int Vqos;
    TColor Vqos_Bevel;
    int Dqos;
    TColor Dqos_Bevel;
    int Dqos_Top;
    bool Freeze_Visible;
    bool Alarm;
};

struct Meter_Case {
    const char* Name;
    Change Current;
    Meter_Expected Expected;
};

void Set_Wcu_Type(St_System& s, int major, int minor)
{
    s.Type.Wcu_Major = major;
    s.Type.Wcu_Minor = minor;
}

TEST(HdWcuPresenter, TheQualityMetersTheirThresholdsAndTheFreezeMarkByWcuType)
{
    const TColor white = White_Colour;
    const TColor red = Alarm_Colour;
    const int vqos60 = Quality_Percent(60);
    // Saved tops: DQOS pair at 70, midway with VQOS at (30 + 70) / 2.
    const Meter_Case cases[] = {
        {"working", No_Change, {true, vqos60, white, 80, white, 70, false, false}},
        {"raw video quality 12", [](St_System& s) { s.HD.Wcu_Link.D0 = 12; },
         {true, Quality_Percent(12), red, 80, white, 70, false, true}},
        {"raw video quality 13", [](St_System& s) { s.HD.Wcu_Link.D0 = 13; },
         {true, Quality_Percent(13), white, 80, white, 70, false, false}},
        {"data quality 9", [](St_System& s) { s.HD.Wcu.D0_Bits6_0 = 9; }, {true, vqos60, white, 9, red, 70, false, true}},
        {"data quality 10", [](St_System& s) { s.HD.Wcu.D0_Bits6_0 = 10; },
         {true, vqos60, white, 10, white, 70, false, false}},
        {"data fault", [](St_System& s) { s.HD.Wcu.D2_Bit0_Confirmed = true; },
         {true, vqos60, white, 0, red, 70, false, true}},
        {"freeze", [](St_System& s) { s.HD.Wcu_Link.D1_Bit2 = true; }, {true, vqos60, white, 80, white, 70, true, true}},
        {"WCU 2.0 has no VQOS",
         [](St_System& s) {
             Set_Wcu_Type(s, 2, 0);
             s.HD.Wcu_Link.D0 = 5;
         },
         {false, vqos60, white, 80, white, 50, false, false}},
        {"WCU 2.0 hides the freeze mark but keeps its alarm",
         [](St_System& s) {
             Set_Wcu_Type(s, 2, 0);
             s.HD.Wcu_Link.D1_Bit2 = true;
         },
         {false, vqos60, white, 80, white, 50, false, true}},
        {"WCU 3.0 shows VQOS", [](St_System& s) { Set_Wcu_Type(s, 3, 0); },
         {true, vqos60, white, 80, white, 70, false, false}},
    };
    for (const Meter_Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Wcu_Page page;
        page.Show_In_Full();
        page.Poll(c.Current);
        EXPECT_EQ(page.w.ProgressVQOS->Visible(), c.Expected.Vqos_Visible);
        EXPECT_EQ(page.w.LabelVQOS->Visible(), c.Expected.Vqos_Visible);
        EXPECT_EQ(page.w.ProgressVQOS->UserValue(), c.Expected.Vqos);
        EXPECT_EQ(page.w.ProgressVQOS->Bevel()->LightColor(), c.Expected.Vqos_Bevel);
        EXPECT_EQ(page.w.ProgressDQOS->UserValue(), c.Expected.Dqos);
        EXPECT_EQ(page.w.ProgressDQOS->Bevel()->LightColor(), c.Expected.Dqos_Bevel);
        EXPECT_EQ(page.w.ProgressDQOS->Top(), c.Expected.Dqos_Top);
        EXPECT_EQ(page.w.LabelDQOS->Top(), c.Expected.Dqos_Top == 70 ? 60 : 40);
        EXPECT_EQ(page.w.LabelFreeze->Visible(), c.Expected.Freeze_Visible);
        EXPECT_EQ(page.presenter->HasAlarm(), c.Expected.Alarm);
    }
}

TEST(HdWcuPresenter, BackToALaterWcuPutsTheDataMeterBackInPlace)
{
    Wcu_Page page;
    Set_Wcu_Type(page.current, 2, 0);
    page.Show_In_Full();
    EXPECT_EQ(page.w.ProgressDQOS->Top(), 50);
    page.Poll([](St_System& s) { Set_Wcu_Type(s, 2, 1); });
    EXPECT_TRUE(page.w.ProgressVQOS->Visible());
    EXPECT_EQ(page.w.ProgressDQOS->Top(), 70);
    EXPECT_EQ(page.w.LabelDQOS->Top(), 60);
    EXPECT_EQ(page.w.ProgressVQOS->UserValue(), Quality_Percent(60));
}

struct Triax_Expected {
    int Images1[3];
    int Images2[3];
    bool Cable1_Visible;
    bool Cable1_Active;
    bool Cable2_Visible;
    bool Cable2_Active;
    bool Alarm;
};

struct Triax_Case {
    const char* Name;
    Change Current;
    Triax_Expected Expected;
};

void Set_Triax2_Good(St_System& s)
{
    St_System_HD_WCU_Status& status = s.HD.Wcu_Status;
    status.Triax2_Used = true;
    status.D0_Bit1 = status.D1_Bit3 = status.D2_Bit5 = true;
    status.D2_Bit7 = true;
    status.Triax2_Link = true;
}

TEST(HdWcuPresenter, TriaxPicturesCablesAndTheirAlarm)
{
    const Triax_Case cases[] = {
        {"triax 1 only", No_Change, {{1, 1, 1}, {0, 3, 3}, true, true, false, false, false}},
        {"both good", Set_Triax2_Good, {{1, 1, 1}, {1, 1, 1}, true, true, true, true, false}},
        {"triax 1 not the linked one", [](St_System& s) { s.HD.Wcu_Status.Triax1_Link = false; },
         {{1, 1, 1}, {0, 3, 3}, true, false, false, false, false}},
        {"triax 2 used with its down link bad",
         [](St_System& s) {
             Set_Triax2_Good(s);
             s.HD.Wcu_Status.D1_Bit3 = false;
         },
         {{1, 1, 1}, {1, 3, 3}, true, true, true, false, true}},
        {"triax 1 video bad", [](St_System& s) { s.HD.Wcu_Status.D2_Bit6 = false; },
         {{1, 1, 3}, {0, 3, 3}, true, true, false, false, true}},
        {"no triax used", [](St_System& s) { s.HD.Wcu_Status.Triax1_Used = false; },
         {{0, 1, 3}, {0, 3, 3}, false, false, false, false, true}},
    };
    for (const Triax_Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Wcu_Page page;
        page.Show_In_Full();
        page.Poll(c.Current);
        const auto& w = page.w;
        const TSCLLImage* images1[] = {w.ImageAMU1Power, w.ImageAMU1Status, w.ImageTriax1In};
        const TSCLLImage* images2[] = {w.ImageAMU2Power, w.ImageAMU2Status, w.ImageTriax2In};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(images1[i]->ImageIndex(), c.Expected.Images1[i]) << i;
            EXPECT_EQ(images2[i]->ImageIndex(), c.Expected.Images2[i]) << i;
        }
        EXPECT_EQ(page.presenter->IsTriax1CableVisible(), c.Expected.Cable1_Visible);
        EXPECT_EQ(w.ShapeControlPlug2Triax1->Visible(), c.Expected.Cable1_Visible);
        EXPECT_EQ(page.presenter->IsTriax2CableVisible(), c.Expected.Cable2_Visible);
        EXPECT_EQ(w.ShapeControlPlug1Triax2->Visible(), c.Expected.Cable2_Visible);
        if (c.Expected.Cable1_Visible) {
            EXPECT_EQ(page.presenter->IsTriax1CableActive(), c.Expected.Cable1_Active);
        }
        if (c.Expected.Cable2_Visible) {
            EXPECT_EQ(page.presenter->IsTriax2CableActive(), c.Expected.Cable2_Active);
        }
        EXPECT_EQ(page.presenter->HasAlarm(), c.Expected.Alarm);
    }
}

TEST(HdWcuPresenter, TheVqosBarsAreNavyWithAWhiteTickAtEachQuarter)
{
    struct Case {
        int Bars;
        std::vector<int> White;
    };
    for (const Case& c : {Case {32, {7, 15, 23}}, Case {24, {5, 11, 17}}, Case {40, {9, 19, 29}},
                          Case {7, {1, 3, 5}}, Case {3, {0, 1}}}) {
        SCOPED_TRACE(c.Bars);
        Wcu_Page page(c.Bars);
        std::vector<int> white;
        for (int bar = 0; bar < c.Bars; ++bar) {
            TColor colour = 0;
            page.presenter->GetVqosColor(bar, colour);
            if (colour == White_Colour) {
                white.push_back(bar);
            } else {
                EXPECT_EQ(colour, TColor(0x800000)) << bar;
            }
        }
        EXPECT_EQ(white, c.White);
        TColor outside = 0;
        page.presenter->GetVqosColor(c.Bars, outside);
        EXPECT_EQ(outside, TColor(0x800000));
    }
}

TEST(HdWcuPresenter, ALostLinkGreysTheBlockAndHidesItsCables)
{
    Wcu_Page page;
    EXPECT_EQ(page.w.LabelFreeze->Height(), 16);
    page.Show_In_Full();
    EXPECT_TRUE(page.presenter->IsActive());
    EXPECT_TRUE(page.presenter->IsRs232CableVisible());
    EXPECT_TRUE(Is_Cable_Active(page.w.ShapeControlRS232));
    EXPECT_EQ(Frame_Shadow(page.w.GroupBoxWCU), Active_Colour);
    EXPECT_TRUE(page.w.LabelVideoFreq->ShowHint());
    page.Poll([](St_System& s) { s.Settings.Connected = false; });
    EXPECT_FALSE(page.presenter->IsActive());
    EXPECT_FALSE(page.presenter->HasAlarm());
    EXPECT_FALSE(page.presenter->IsRs232CableVisible());
    EXPECT_FALSE(page.presenter->IsTriax1CableVisible());
    EXPECT_FALSE(page.w.LabelFreeze->Visible());
    EXPECT_EQ(Frame_Shadow(page.w.GroupBoxWCU), Inactive_Frame_Colour);
    EXPECT_EQ(page.w.ProgressDQOS->UserValue(), 0);
    EXPECT_EQ(page.w.ProgressVQOS->UserValue(), 0);
    EXPECT_EQ(page.w.LabelVideoFreqVal->Caption(), "");
    EXPECT_EQ(page.w.LabelDataFreqVal->Caption(), "");
    EXPECT_FALSE(page.w.LabelStudioGenlock->Enabled());
    EXPECT_FALSE(page.w.LabelVideoFreq->ShowHint());
    EXPECT_EQ(Title_Colour(page.w.ShapeButtonWCUTitle), Silver_Colour);
    for (TSCLLImage* image : {page.w.ImageAMU1Power, page.w.ImageCamWcuLock, page.w.ImageStudioGenlock,
                              page.w.ImageDataActivity}) {
        EXPECT_EQ(image->ImageIndex(), 0);
    }
}

TEST(HdWcuPresenter, APollRewritesOnlyWhatChangedAndAFullRefreshEverything)
{
    Wcu_Page page;
    page.Show_In_Full();
    page.w.LabelVideoFreqVal->SetCaption("x");
    page.w.ImageCamWcuLock->SetIndexedImageIndex(2);
    page.Poll([](St_System& s) { s.HD.Wcu.D0_Bits6_0 = 40; });
    EXPECT_EQ(page.w.LabelVideoFreqVal->Caption(), "x");
    EXPECT_EQ(page.w.ImageCamWcuLock->ImageIndex(), 2);
    EXPECT_EQ(page.w.ProgressDQOS->UserValue(), 40);
    // The bandwidth alone can move the spectrum into the ISM band.
    page.Poll([](St_System& s) { Set_Video(s, 2.39f, 0.0f); });
    EXPECT_EQ(page.w.LabelVideoFreq->Hint(), "");
    page.Poll([](St_System& s) { s.HD.Wcu_Status.Video_Bandwidth = 22.0f; });
    EXPECT_EQ(page.w.LabelVideoFreq->Hint(), LoadStr(3103));
    page.presenter->Update(true);
    EXPECT_EQ(page.w.ImageCamWcuLock->ImageIndex(), 1);
}

// ---- AMU -------------------------------------------------------------------

struct Amu_Page : Page<AMU_IHM_Main_HD> {
    explicit Amu_Page(char unit = '1')
    {
        auto label = [this] { return o.Make<TSCLSimpleLabel>(); };
        auto image = [this] { return o.Make<TSCLLImage>(); };
        auto shape = [this] { return o.Make<TSCLShapeControl>(); };
        w = {o.Make<TSCLGroupBox>(), o.Make<TSCLGroupBox>(), label(), label(), label(), label(), label(), label(),
             label(), label(), label(), label(), o.Make<TSCLShapeButton>(), image(), image(), image(), image(),
             image(), image(), o.Make<TSCLLEDLabel>(), o.Make<TSCLProgress>(), shape(), shape(), shape()};
        presenter = std::make_unique<AMU_IHM_Main_HD>(&snapshot, &current, unit, w);
    }
    AMU_IHM_Main_HD::Widgets w {};
};

// One level sample of the three receivers: level bytes 155, 100 and 55
// give the smoothed levels 178 (the two strongest), 100, 155 and 200.
void Add_Levels(St_System& s)
{
    const int raw[3] = {155, 100, 55};
    s.HD.Amu1_Stat.Rssi_Buffer->Add(raw);
}

struct Rssi_Expected {
    int Min;
    int Max;
    int Value;
};

TEST(HdAmuPresenter, TheRssiMeterTakesTheRangeOfTheTransmissionModeAndTheChosenTuner)
{
    struct Case {
        const char* Name;
        int Mode;
        int Choice;
        Rssi_Expected Expected;
    };
    const Case cases[] = {
        {"mode 3, average", 3, 0, {78, 208, 178}},
        {"mode 3, tuner 1", 3, 1, {78, 208, 100}},
        {"mode 3, tuner 3 clamped", 3, 3, {78, 208, 200}},
        {"mode 1, tuner 3 clamped", 1, 3, {58, 188, 188}},
        {"mode 6", 6, 2, {81, 211, 155}},
        {"mode 0", 0, 1, {0, 255, 100}},
        {"mode 7", 7, 3, {0, 255, 200}},
        {"mode 15", 15, 0, {0, 255, 178}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Amu_Page page;
        page.Show_In_Full();
        page.Poll([&c](St_System& s) {
            s.HD.Wcu_Link.D8_Lo = c.Mode;
            s.HD.Tuner_Choice_Amu1 = c.Choice;
            Add_Levels(s);
        });
        EXPECT_EQ(page.w.ProgressAMURSSI->MinValue(), c.Expected.Min);
        EXPECT_EQ(page.w.ProgressAMURSSI->MaxValue(), c.Expected.Max);
        EXPECT_EQ(page.w.ProgressAMURSSI->UserValue(), c.Expected.Value);
    }
}

TEST(HdAmuPresenter, TheGradeColoursTheMeterAndTheHintNamesTunerAndGrade)
{
    struct Case {
        const char* Name;
        Change Current;
        TColor Colour;
        std::string Hint;
    };
    auto grade_values = [](int value) {
        return [value](St_System& s) {
            s.HD.Amu1_Stat.Rx_Level = {50, 50, 255};
            s.HD.Amu1_Stat.Rx_Ext_Signed = {value, -value, 90};
        };
    };
    const std::string head = LoadStr(3090);
    const Case cases[] = {
        {"no grade", No_Change, 0x800000, head + LoadStr(3091)},
        {"adjacent channel", grade_values(7), 0xFF00FF, head + LoadStr(3091) + LoadStr(3097)},
        {"strong adjacent channel", grade_values(17), 0x0000FF, head + LoadStr(3091) + LoadStr(3098)},
        {"grading off before firmware 1.8",
         [&](St_System& s) {
             grade_values(17)(s);
             s.HD.Amu1.Firmware_Version = 0x17;
         },
         0x800000, head + LoadStr(3091)},
        {"tuner 2 chosen", [](St_System& s) { s.HD.Tuner_Choice_Amu1 = 2; }, 0x800000, head + LoadStr(3093)},
        {"tuner 3 chosen, adjacent channel",
         [&](St_System& s) {
             grade_values(7)(s);
             s.HD.Tuner_Choice_Amu1 = 3;
         },
         0xFF00FF, head + LoadStr(3094) + LoadStr(3097)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Amu_Page page;
        page.Show_In_Full();
        page.Poll(c.Current);
        EXPECT_EQ(page.w.ProgressAMURSSI->SmallBar()->BarColor(), c.Colour);
        EXPECT_EQ(page.w.LabelAMURSSI->Hint(), c.Hint);
        EXPECT_EQ(page.w.ProgressAMURSSI->Hint(), c.Hint);
    }
}

TEST(HdAmuPresenter, ReceiverLabelsShowMissingMixedUnknownAndForeignTypes)
{
    struct Label_State {
        bool Red_Bold;
        std::string Hint;
    };
    struct Case {
        const char* Name;
        std::array<int, 3> Codes;
        bool Other_Amu_Differs;
        Label_State Labels[3];
        bool Alarm;
    };
    const std::string mixed = LoadStr(3051) + LoadStr(3071);
    const std::string foreign = LoadStr(3053) + LoadStr(3072) + Hd_Range_Text(52);
    const Case cases[] = {
        {"all the same known type", {52, 52, 52}, false, {{false, ""}, {false, ""}, {false, ""}}, false},
        {"receiver 3 missing", {52, 52, 0}, false, {{false, ""}, {false, ""}, {true, LoadStr(3070)}}, true},
        {"mixed types", {52, 53, 52}, false,
         {{true, mixed + Hd_Range_Text(52)}, {true, mixed + Hd_Range_Text(53)}, {true, mixed + Hd_Range_Text(52)}},
         true},
        {"unknown type", {56, 56, 56}, false,
         {{true, LoadStr(3052)}, {true, LoadStr(3052)}, {true, LoadStr(3052)}}, true},
        {"other AMU differs", {52, 52, 52}, true, {{true, foreign}, {true, foreign}, {true, foreign}}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Amu_Page page;
        page.Show_In_Full();
        page.Poll([&c](St_System& s) {
            s.HD.Amu1.Range_Code = c.Codes;
            s.HD.Amu1.Range_Mismatch = c.Other_Amu_Differs;
        });
        TSCLSimpleLabel* const labels[] = {page.w.LabelAMUAntenna1, page.w.LabelAMUAntenna2, page.w.LabelAMUAntenna3};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(labels[i]->Font()->Color(), c.Labels[i].Red_Bold ? Alarm_Colour : Black_Colour) << i;
            EXPECT_EQ(labels[i]->Font()->Style().Contains(fsBold), c.Labels[i].Red_Bold) << i;
            EXPECT_EQ(labels[i]->Hint(), c.Labels[i].Hint) << i;
        }
        EXPECT_EQ(page.presenter->HasAlarm(), c.Alarm);
    }
}

TEST(HdAmuPresenter, ACw1ClashTurnsTheIdentifierRedAndBlinksItFourPollsOnFourOff)
{
    Amu_Page page;
    page.Show_In_Full();
    EXPECT_EQ(page.w.LEDAMUCell->Caption(), "A");
    EXPECT_EQ(page.w.LEDAMUCell->Hint(), LoadStr(3049));
    EXPECT_EQ(page.w.LEDAMUCell->LED()->ActiveColor(), TColor(0x008000));
    EXPECT_FALSE(page.presenter->HasAlarm());
    page.Poll([](St_System& s) { s.HD.Amu1.Same_Identifier = true; });
    EXPECT_EQ(page.w.LEDAMUCell->LED()->ActiveColor(), Alarm_Colour);
    EXPECT_EQ(page.w.LabelAMUCell->Font()->Color(), Alarm_Colour);
    EXPECT_EQ(page.w.LabelAMUCell->Hint(), LoadStr(3048));
    EXPECT_TRUE(page.presenter->HasAlarm());
    std::string lit;
    for (int poll = 0; poll < 12; ++poll) {
        lit += page.w.LEDAMUCell->Enabled() ? '1' : '0';
        page.Poll(No_Change);
    }
    EXPECT_EQ(lit, "111100001111");
    EXPECT_EQ(page.w.LEDAMUCell->LED()->ActiveColor(), Alarm_Colour);
    page.Poll([](St_System& s) {
        s.HD.Amu1.Same_Identifier = false;
        s.HD.Amu1.Amu_Identifier = 0x1C;
    });
    EXPECT_TRUE(page.w.LEDAMUCell->Enabled());
    EXPECT_EQ(page.w.LEDAMUCell->Caption(), "1C");
    EXPECT_EQ(page.w.LabelAMUCell->Font()->Color(), Black_Colour);
    EXPECT_FALSE(page.presenter->HasAlarm());
}

TEST(HdAmuPresenter, LockAndFlagPicturesFrameAndDataEmitterWire)
{
    Amu_Page page;
    page.Show_In_Full();
    EXPECT_EQ(page.w.ImageLockAMUAnt1->ImageIndex(), 1);
    EXPECT_EQ(page.w.ImageLockAMUAnt3->ImageIndex(), 0);
    EXPECT_TRUE(page.presenter->IsFrameActive());
    EXPECT_TRUE(page.presenter->IsWireDEVisible());
    EXPECT_TRUE(page.presenter->IsWireDEActive());
    page.Poll([](St_System& s) {
        s.HD.Amu1.D3_Bit0 = false;
        s.HD.Amu1.D3_Bit3 = s.HD.Amu1.D3_Bit2 = true;
        s.HD.Amu1.D2_Bit2 = s.HD.Amu1.D2_Bit0 = true;
        s.HD.Wcu_Status.Triax1_Link = false;
    });
    EXPECT_EQ(page.w.ImageLockAMUAnt1->ImageIndex(), 0);
    EXPECT_EQ(page.w.ImageLockAMUAnt3->ImageIndex(), 1);
    EXPECT_EQ(page.w.ImageAllUnlockedTunerAMU->ImageIndex(), 3);
    EXPECT_EQ(page.w.ImageErrorRsFlagAMU->ImageIndex(), 0);
    EXPECT_EQ(page.w.ImageProfileMismatchAMU->ImageIndex(), 3);
    EXPECT_FALSE(page.presenter->IsFrameActive());
    EXPECT_TRUE(page.presenter->IsWireDEVisible());
    EXPECT_FALSE(page.presenter->IsWireDEActive());
    // The flags alone raise no alarm of the block.
    EXPECT_FALSE(page.presenter->HasAlarm());
    page.Poll([](St_System& s) { s.HD.Amu1.Data_Valid_A = false; });
    EXPECT_FALSE(page.presenter->IsWireDEVisible());
    EXPECT_FALSE(page.w.ShapeControlPlug2DE->Visible());
}

TEST(HdAmuPresenter, TheSecondAmuReadsItsOwnRecordsAndAnAbsentAmuGreysItsBlock)
{
    Amu_Page page('2');
    page.Show_In_Full();
    EXPECT_EQ(page.w.LEDAMUCell->Caption(), "B");
    EXPECT_FALSE(page.presenter->IsFrameActive());
    page.Poll([](St_System& s) { s.HD.Wcu_Status.Triax2_Link = true; });
    EXPECT_TRUE(page.presenter->IsFrameActive());
    page.Poll([](St_System& s) {
        s.HD.Amu2.Present = false;
        s.HD.Amu2.Same_Identifier = true;
    });
    EXPECT_FALSE(page.presenter->IsActive());
    EXPECT_FALSE(page.presenter->HasAlarm());
    EXPECT_FALSE(page.presenter->IsFrameActive());
    EXPECT_FALSE(page.presenter->IsWireDEVisible());
    EXPECT_FALSE(page.w.LEDAMUCell->Enabled());
    EXPECT_FALSE(page.w.LabelAMURSSI->ShowHint());
    EXPECT_EQ(page.w.ProgressAMURSSI->UserValue(), page.w.ProgressAMURSSI->MinValue());
    EXPECT_EQ(page.w.ImageLockAMUAnt1->ImageIndex(), 0);
    EXPECT_EQ(Title_Colour(page.w.ShapeButtonAMUTitle), Silver_Colour);
}

// ---- DE --------------------------------------------------------------------

struct De_Page : Page<DE_IHM_Main_HD> {
    explicit De_Page(char unit = '1')
    {
        w = {o.Make<TSCLGroupBox>(),     o.Make<TSCLSimpleLabel>(), o.Make<TSCLShapeControl>(),
             o.Make<TSCLShapeControl>(), o.Make<TSCLShapeButton>(), o.Make<TSCLLImage>()};
        presenter = std::make_unique<DE_IHM_Main_HD>(&snapshot, &current, unit, w);
    }
    DE_IHM_Main_HD::Widgets w {};
};

TEST(HdDePresenter, TheAntennaShowsEnabledDisabledOrATestSignal)
{
    struct Case {
        const char* Name;
        Change Current;
        int Image;
        int Suffix;
        TColor Colours[3];
        bool Alarm;
    };
    const Case cases[] = {
        {"enabled", No_Change, 1, 3001, {0x00FF00, 0x008000, 0x00FF00}, false},
        {"test signal", [](St_System& s) { s.HD.Amu1.D5_Bit2 = false; }, 1, 3003, {0x000080, 0x0000FF, 0x0000FF}, true},
        {"disabled", [](St_System& s) { s.HD.Amu1.D5_Bit0 = false; }, 0, 3002, {0xC0C0C0, 0x000000, 0x808080}, false},
        {"disabled and not normal",
         [](St_System& s) { s.HD.Amu1.D5_Bit0 = s.HD.Amu1.D5_Bit2 = false; }, 0, 3002,
         {0xC0C0C0, 0x000000, 0x808080}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        De_Page page;
        page.Show_In_Full();
        page.Poll(c.Current);
        const std::string hint = LoadStr(3000) + "1" + LoadStr(c.Suffix);
        EXPECT_EQ(page.w.ImageDETxEna->ImageIndex(), c.Image);
        EXPECT_EQ(page.w.ShapeControl2Ant->Hint(), hint);
        EXPECT_EQ(page.w.ShapeControl3Ant->Hint(), hint);
        TSCLShapeControl* antenna = page.w.ShapeControl3Ant;
        EXPECT_EQ(antenna->ShapeFill()->Gradient()->Color(), c.Colours[0]);
        EXPECT_EQ(antenna->ShapeFill()->Gradient()->EndColor(), c.Colours[1]);
        EXPECT_EQ(antenna->Brush()->Color(), c.Colours[2]);
        EXPECT_EQ(page.presenter->HasAlarm(), c.Alarm);
    }
}

TEST(HdDePresenter, TheFrameFollowsItsAmuInUseAndTheBlockNeedsLinkAmuAndEmitter)
{
    De_Page page('2');
    page.Show_In_Full();
    EXPECT_TRUE(page.presenter->IsActive());
    EXPECT_FALSE(page.presenter->IsFrameActive());
    EXPECT_EQ(page.w.ShapeControl2Ant->Hint(), LoadStr(3000) + "2" + LoadStr(3001));
    page.Poll([](St_System& s) { s.HD.Wcu_Status.Triax2_Link = true; });
    EXPECT_TRUE(page.presenter->IsFrameActive());
    for (const Change& lost : {Change([](St_System& s) { s.Settings.Connected = false; }),
                               Change([](St_System& s) { s.HD.Amu2.Present = false; }),
                               Change([](St_System& s) { s.HD.Amu2.Data_Valid_A = false; })}) {
        De_Page gone('2');
        gone.current.HD.Amu2.D5_Bit2 = false;
        gone.Show_In_Full();
        EXPECT_TRUE(gone.presenter->HasAlarm());
        gone.Poll(lost);
        EXPECT_FALSE(gone.presenter->IsActive());
        EXPECT_FALSE(gone.presenter->HasAlarm());
        EXPECT_EQ(gone.w.ImageDETxEna->ImageIndex(), 0);
        EXPECT_EQ(gone.w.ShapeControl2Ant->Hint(), "");
        EXPECT_FALSE(gone.w.ShapeButtonDETitle->Enabled());
        EXPECT_EQ(Title_Colour(gone.w.ShapeButtonDETitle), Silver_Colour);
    }
}

// ---- WCA -------------------------------------------------------------------

struct Wca_Page : Page<WCA_IHM_Main_HD> {
    explicit Wca_Page(int colour_depth = 32, int dpi = 96)
    {
        auto panel = [this] { return o.Make<TSCLPanelFill>(); };
        w = {o.Make<TSCLLImage>(),       panel(),          panel(), panel(), panel(), panel(), panel(),
             o.Make<TSCLShapeControl>(), o.Make<TSCLShapeButton>(), o.Make<TSCLSpeedButton>(),
             o.Make<TSCLSpeedButton>()};
        presenter = std::make_unique<WCA_IHM_Main_HD>(&snapshot, &current, colour_depth, dpi, w);
    }
    // The gauge bottom to top: G lime, R red, W white.
    std::string Gauge() const
    {
        std::string gauge;
        for (const TSCLPanelFill* segment : {w.PanelFillBattery1, w.PanelFillBattery2, w.PanelFillBattery3,
                                             w.PanelFillBattery4, w.PanelFillBattery5}) {
            const TColor colour = segment->Color();
            gauge += colour == Good_Colour ? 'G' : colour == Alarm_Colour ? 'R' : colour == White_Colour ? 'W' : '?';
        }
        return gauge;
    }
    WCA_IHM_Main_HD::Widgets w {};
};

// Raw battery values and the volts they give (raw * 30 / 1023 + 10.5).
constexpr int Raw_12_99_V = 85;
constexpr int Raw_13_23_V = 93;
constexpr int Raw_13_49_V = 102;
constexpr int Raw_13_58_V = 105;
constexpr int Raw_14_99_V = 153;
constexpr int Raw_15_10_V = 157;
constexpr int Raw_17_48_V = 238;
constexpr int Raw_17_51_V = 239;

void Set_Battery(St_System& s, int raw)
{
    s.HD.Wca.Battery_Raw = raw;
}

TEST(HdWcaPresenter, TheGaugeLightsSegmentsAroundTheThreshold)
{
    const Decimal_Comma comma;
    struct Case {
        int Raw;
        std::string Gauge;
        std::string Volts;
        bool Alarm;
    };
    // Level 3: threshold 13.5 V.
    const Case cases[] = {
        {Raw_12_99_V, "RRRRR", "12,99V", true}, {Raw_13_23_V, "GRRRR", "13,23V", true},
        {Raw_13_49_V, "GGRRR", "13,49V", true}, {Raw_13_58_V, "GGGRR", "13,58V", false},
        {Raw_14_99_V, "GGGGR", "14,99V", false}, {Raw_15_10_V, "GGGGG", "15,10V", false},
        {Raw_17_48_V, "GGGGG", "17,48V", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Raw);
        Wca_Page page;
        page.current.HD.Wca.Battery_Raw = c.Raw;
        // Drawn in full: an alarmed gauge shows its levels, then flashes.
        page.current.Settings.Connected = false;
        page.Show_In_Full();
        page.Poll([](St_System& s) { s.Settings.Connected = true; });
        page.Poll(No_Change);
        EXPECT_EQ(page.Gauge(), c.Gauge);
        const std::string hint = LoadStr(3069) + c.Volts + LoadStr(3089);
        EXPECT_EQ(page.w.PanelBackFillBattery->Hint(), hint);
        EXPECT_EQ(page.w.PanelFillBattery3->Hint(), hint);
        EXPECT_EQ(page.presenter->HasAlarm(), c.Alarm);
    }
}

TEST(HdWcaPresenter, ALowBatteryFlashesWhiteOnEveryFourthRefreshFromTheFirst)
{
    Wca_Page page;
    page.Show_In_Full();
    std::string frames;
    page.Poll([](St_System& s) { Set_Battery(s, Raw_13_23_V); });
    for (int poll = 0; poll < 9; ++poll) {
        frames += page.Gauge() + ' ';
        page.Poll(No_Change);
    }
    EXPECT_EQ(frames, "WWWWW WWWWW WWWWW WWWWW GRRRR GRRRR GRRRR GRRRR WWWWW ");
}

TEST(HdWcaPresenter, AnOvervoltageFlashesTheWholeGaugeRedAndLime)
{
    Wca_Page page;
    page.Show_In_Full();
    std::string frames;
    page.Poll([](St_System& s) { Set_Battery(s, Raw_17_51_V); });
    for (int poll = 0; poll < 9; ++poll) {
        frames += page.Gauge() + ' ';
        page.Poll(No_Change);
    }
    EXPECT_EQ(frames, "RRRRR RRRRR RRRRR RRRRR GGGGG GGGGG GGGGG GGGGG RRRRR ");
    EXPECT_EQ(page.w.PanelBackFillBattery->Hint().substr(LoadStr(3069).size()),
              Format("%.2fV", {17.51}) + LoadStr(3088));
    EXPECT_TRUE(page.presenter->HasAlarm());
}

TEST(HdWcaPresenter, ANewThresholdRewritesTheHintInABlinkPauseAndRecoloursOnlyANewCount)
{
    Wca_Page page;
    page.current.HD.Wca.Battery_Raw = Raw_13_23_V;
    page.Show_In_Full();
    ASSERT_EQ(page.Gauge(), "GRRRR");
    for (int poll = 0; poll < 3; ++poll) {
        page.Poll(No_Change);
    }
    ASSERT_EQ(page.Gauge(), "WWWWW");
    // Level 4 (13.25 V) inside the white pause: the hint is rewritten, the
    // gauge stays white until its next flash shows the new two segments.
    page.w.PanelBackFillBattery->SetHint("old");
    page.Poll([](St_System& s) { s.HD.Alarm_Battery_Level = 4; });
    EXPECT_EQ(page.w.PanelBackFillBattery->Hint(), LoadStr(3069) + Format("%.2fV", {13.23}) + LoadStr(3089));
    EXPECT_EQ(page.Gauge(), "WWWWW");
    for (int poll = 0; poll < 3; ++poll) {
        page.Poll(No_Change);
    }
    EXPECT_EQ(page.Gauge(), "GGRRR");
    // Back to level 3 between flashes: a new count is recoloured at once...
    page.Poll([](St_System& s) { s.HD.Alarm_Battery_Level = 3; });
    EXPECT_EQ(page.Gauge(), "GRRRR");
    // ...the same count is not.
    page.w.PanelFillBattery5->SetColor(White_Colour);
    page.Poll([](St_System& s) { Set_Battery(s, Raw_13_23_V - 1); });
    EXPECT_EQ(page.Gauge(), "GRRRW");
    EXPECT_TRUE(page.presenter->HasAlarm());
    // Level 6 (12 V): no alarm, four segments.
    page.Poll([](St_System& s) { s.HD.Alarm_Battery_Level = 6; });
    EXPECT_EQ(page.Gauge(), "GGGGR");
    EXPECT_FALSE(page.presenter->HasAlarm());
}

TEST(HdWcaPresenter, TheTallyLightsRedOnAir)
{
    Wca_Page page;
    page.Show_In_Full();
    EXPECT_EQ(page.w.ShapeWCATally->ShapeFill()->Gradient()->EndColor(), Silver_Colour);
    page.Poll([](St_System& s) { s.HD.Wca.D6_Bit2 = true; });
    EXPECT_EQ(page.w.ShapeWCATally->ShapeFill()->Gradient()->EndColor(), Alarm_Colour);
}

TEST(HdWcaPresenter, TheCameraPictureDependsOnDepthAndDpiAndALostWcaGreysTheBlock)
{
    struct Case {
        int Depth;
        int Dpi;
        int On;
        int Off;
    };
    for (const Case& c : {Case {32, 96, 9, 10}, Case {16, 144, 9, 10}, Case {8, 96, 11, 12}, Case {8, 120, 13, 14},
                          Case {8, 144, 15, 16}}) {
        SCOPED_TRACE(c.Depth * 1000 + c.Dpi);
        Wca_Page page(c.Depth, c.Dpi);
        EXPECT_EQ(page.w.ImageCamera->ListIndex(), c.Off);
        page.Show_In_Full();
        EXPECT_EQ(page.w.ImageCamera->ListIndex(), c.On);
        EXPECT_EQ(page.w.ImageCamera->Hint(), "");
        EXPECT_TRUE(page.w.PanelFillBattery5->Visible());
        page.Poll([](St_System& s) {
            s.HD.Wca_Status.Present = false;
            s.HD.Wca.D6_Bit2 = true;
        });
        EXPECT_EQ(page.w.ImageCamera->ListIndex(), c.Off);
        EXPECT_EQ(page.w.ImageCamera->Hint(), LoadStr(3078));
        EXPECT_FALSE(page.w.PanelFillBattery1->Visible());
        EXPECT_FALSE(page.w.PanelBackFillBattery->Enabled());
        EXPECT_FALSE(page.w.ShapeWCATally->Enabled());
        EXPECT_EQ(page.w.ShapeWCATally->ShapeFill()->Gradient()->EndColor(), Silver_Colour);
        EXPECT_EQ(Title_Colour(page.w.ShapeButtonWCATitle), Silver_Colour);
        EXPECT_FALSE(page.presenter->IsActive());
    }
}

TEST(HdWcaPresenter, WithoutTheWcaRecordTheBatteryRaisesNoAlarmAndLightsNothing)
{
    Wca_Page page;
    page.Show_In_Full();
    page.Poll([](St_System& s) { s.HD.Wca.Present = false; });
    EXPECT_TRUE(page.presenter->IsActive());
    EXPECT_FALSE(page.presenter->HasAlarm());
    EXPECT_EQ(page.Gauge(), "RRRRR");
    EXPECT_EQ(page.w.PanelBackFillBattery->Hint(), "");
}

} // namespace
