#include "screens/Fich_amu_hd.h"

#include "components/controls/SCLLImage.h"
#include "components/controls/SCLProgress.h"
#include "components/controls/SCLSpeedButton.h"
#include "platform/classlib/SysUtils.h"
#include "platform/winapi/Window.h"
#include "screens/Fich_amu_hd_spectrum.h"
#include "tests/screens/Hd_Detail_Test_Support.h"
#include "tests/screens/Sd_Detail_Test_Support.h"

#include <QEvent>
#include <QObject>
#include <QWidget>

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

using namespace hd_detail_test;

namespace {

// One line's expectation: image (-1 for a value line), fault and hint.
struct Expected {
    Amu_Hd_Line line;
    int image;
    bool fault;
    std::string hint;
};

void Expect_Line(const Amu_Hd_Lines& lines, const Expected& e)
{
    SCOPED_TRACE(static_cast<int>(e.line));
    const Detail_Line& line = lines[e.line];
    if (e.image >= 0) {
        EXPECT_EQ(line.Image, e.image);
    }
    EXPECT_EQ(line.Fault, e.fault);
    EXPECT_EQ(line.Hint, e.hint);
}

} // namespace

TEST(AmuHdLines, ASoundAmu)
{
    Camera camera;
    const Amu_Hd_Lines lines = Amu_Hd_Line_Table(camera.current, '1');
    EXPECT_EQ(lines[Amu_Hd_Firmware_Version].Value, "2.1");
    EXPECT_EQ(lines[Amu_Hd_Temperature].Value, Temperature_Celsius_Text(35) + "/" + Temperature_Fahrenheit_Text(35));
    EXPECT_EQ(lines[Amu_Hd_Voltage].Value, Format("%.1fV", 53.0));
    EXPECT_EQ(lines[Amu_Hd_Triax_Qos].Meter, 50);
    for (const Expected& e : {
             Expected {Amu_Hd_Fan, Detail_Image_Off, false, ""},
             Expected {Amu_Hd_Pre_Emphasis, Detail_Image_On, false, "Long distance\ntriax detected"},
             Expected {Amu_Hd_Service_Data, Detail_Image_Off, false, ""},
             Expected {Amu_Hd_Intercom_Data, Detail_Image_Off, false, ""},
             Expected {Amu_Hd_Data_Emitter, Detail_Image_On, false, ""},
             Expected {Amu_Hd_Rf_Receivers, Detail_Image_On, false, ""},
             Expected {Amu_Hd_Switches, Detail_Image_On, false, ""},
             Expected {Amu_Hd_Rotary_Wheels, Detail_Image_On, false, "CW2 : 454-462 MHz data emitter type"},
         }) {
        Expect_Line(lines, e);
    }
    EXPECT_FALSE(Any_Fault(lines));
}

TEST(AmuHdLines, EachFaultItsLineAndAdvice)
{
    const std::string below_range = "Frequency range of data emitter\n" + Format("(%.2f MHz", 454.0) +
                                    Format("-%.2f MHz)", 462.0) + " is not\ncompatible with RF data frequency\n" +
                                    Format("(%.2f MHz)", static_cast<double>(453.975f));
    const struct {
        const char* name;
        Change change;
        Expected expected;
    } cases[] = {
        {"firmwares differ", [](St_System& s) { s.HD.Amu1.Versions_Match = false; },
         {Amu_Hd_Firmware_Version, -1, true, "AMUs firmwares are different\nUse AMUs with same version"}},
        {"too hot", [](St_System& s) { s.HD.Amu1.Temperature = 76; }, {Amu_Hd_Temperature, -1, true, ""}},
        {"too cold", [](St_System& s) { s.HD.Amu1.Temperature = -16; }, {Amu_Hd_Temperature, -1, true, ""}},
        {"short triax", [](St_System& s) { s.HD.Amu1.Long_Triax = false; },
         {Amu_Hd_Pre_Emphasis, Detail_Image_Second, false, "Short distance\ntriax detected"}},
        {"no quality", [](St_System& s) { s.HD.Amu1.D17 = 0; },
         {Amu_Hd_Triax_Qos, -1, true, "If persists, contact factory"}},
        {"poor quality", [](St_System& s) { s.HD.Amu1.D17 = 9; }, {Amu_Hd_Triax_Qos, -1, true, ""}},
        {"quality at the threshold", [](St_System& s) { s.HD.Amu1.D17 = 10; }, {Amu_Hd_Triax_Qos, -1, false, ""}},
        {"no emitter",
         [](St_System& s) {
             s.HD.Amu1.Data_Valid_A = false;
             s.HD.Amu1.Data_Valid_B = false;
         },
         {Amu_Hd_Data_Emitter, Detail_Image_Fault, true, "Check connection of\nthe data emitter"}},
        {"emitter not programmed", [](St_System& s) { s.HD.Amu1.Data_Valid_B = false; },
         {Amu_Hd_Data_Emitter, Detail_Image_Fault, true, "Error programming\nthe data emitter"}},
        {"emitter of another type", [](St_System& s) { s.HD.Amu1.Data_Mode_Code = 3; },
         {Amu_Hd_Data_Emitter, Detail_Image_Fault, true, "Type of data emitter\nis unknown"}},
        {"emitter below its range", [](St_System& s) {
             s.HD.Amu1.Data_Freq_Hi = 18159 / 256;
             s.HD.Amu1.Data_Freq_Lo = 18159 % 256;
         },
         {Amu_Hd_Data_Emitter, Detail_Image_Fault, true, below_range}},
        {"emitter at 454 MHz", [](St_System& s) {
             s.HD.Amu1.Data_Freq_Hi = 18160 / 256;
             s.HD.Amu1.Data_Freq_Lo = 18160 % 256;
         },
         {Amu_Hd_Data_Emitter, Detail_Image_On, false, ""}},
        {"a receiver missing", [](St_System& s) { s.HD.Amu1.Range_Code = {51, 0, 52}; },
         {Amu_Hd_Rf_Receivers, Detail_Image_Fault, true, "Check connection\nof RF receivers"}},
        {"receivers of two types", [](St_System& s) { s.HD.Amu1.Range_Code = {51, 52, 51}; },
         {Amu_Hd_Rf_Receivers, Detail_Image_Fault, true, "All RF receivers have\nnot the same type"}},
        {"receivers of an unknown type", [](St_System& s) { s.HD.Amu1.Range_Code = {56, 56, 56}; },
         {Amu_Hd_Rf_Receivers, Detail_Image_Fault, true, "Type of RF receivers\nis unknown"}},
        {"receivers unlike the other AMU's", [](St_System& s) { s.HD.Amu1.Range_Mismatch = true; },
         {Amu_Hd_Rf_Receivers, Detail_Image_Fault, true, "Type of RF receivers is\ndifferent from the other AMU"}},
        {"SW1-2 and SW3-2 wrong",
         [](St_System& s) {
             s.HD.Amu1.D1_Bit5 = true;
             s.HD.Amu1.D1_Bit1 = false;
         },
         {Amu_Hd_Switches, Detail_Image_Fault, false,
          "SW1-2 : data channel test mode -> change to position OFF\nSW3-2 : change to position OFF"}},
        {"every switch wrong",
         [](St_System& s) {
             s.HD.Amu1.D1_Bit5 = true;
             s.HD.Amu1.D1_Bit4 = true;
             s.HD.Amu1.D1_Bits3_2 = 1;
             s.HD.Amu1.D1_Bit1 = false;
             s.HD.Amu1.D1_Bit0 = false;
         },
         {Amu_Hd_Switches, Detail_Image_Fault, false,
          "SW1-2 : data channel test mode -> change to position OFF\n"
          "SW1-1 : display test mode -> change to position OFF\n"
          "SW2-2/2-1 : ASI without pre-emphasis -> change to positions OFF/OFF\n"
          "SW3-2 : change to position OFF\n"
          "SW3-1 : factory test mode -> change to position OFF"}},
        {"ASI 800 mV", [](St_System& s) { s.HD.Amu1.D1_Bits3_2 = 0; },
         {Amu_Hd_Switches, Detail_Image_Fault, false, "SW2-2/2-1 : ASI 800 mV -> change to positions OFF/OFF"}},
        {"ASI with pre-emphasis", [](St_System& s) { s.HD.Amu1.D1_Bits3_2 = 2; },
         {Amu_Hd_Switches, Detail_Image_Fault, false,
          "SW2-2/2-1 : ASI with pre-emphasis -> change to positions OFF/OFF"}},
        {"CW3 off its standard position", [](St_System& s) { s.HD.Amu1.D4_Hi = 2; },
         {Amu_Hd_Rotary_Wheels, Detail_Image_Second, false,
          "CW2 : 454-462 MHz data emitter type\nCW3 : non standard position -> recommended setting 1"}},
        {"SW3-1 in factory test",
         [](St_System& s) {
             s.HD.Amu1.D1_Bit0 = false;
             s.HD.Amu1.D4_Hi = 2;
         },
         {Amu_Hd_Rotary_Wheels, Detail_Image_Fault, false,
          "CW2 : 454-462 MHz data emitter type\nCW3 : factory test mode -> change SW3-1 to position OFF"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Camera camera;
        c.change(camera.current);
        const Amu_Hd_Lines lines = Amu_Hd_Line_Table(camera.current, '1');
        Expect_Line(lines, c.expected);
        EXPECT_EQ(Any_Fault(lines), c.expected.fault) << "the switches and wheels raise no alarm";
        EXPECT_FALSE(Any_Fault(Amu_Hd_Line_Table(camera.current, '2'))) << "AMU2 is not AMU1";
    }
}

namespace {

// Counts the shows and hides of a window.
class Show_Log : public QObject {
public:
    explicit Show_Log(TCustomForm& form) { Window_Widget(form.Handle())->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            events.push_back('S');
        } else if (event->type() == QEvent::Hide) {
            events.push_back('H');
        }
        return false;
    }
    std::string events;
};

class Amu_Hd_Window : public ::testing::Test {
protected:
    Amu_Hd_Window()
        : spectrum(nullptr, &camera.snapshot, &camera.current, '1', 32, &camera_count),
          window(&owner, &spectrum, nullptr, &camera.title, '1', &camera.current, &camera.snapshot)
    {
    }

    Camera camera;
    std::atomic<int> camera_count {1};
    TForm owner {nullptr};
    TForm_AMU_HD_Spectrum spectrum;
    TForm_AMU_HD window;
};

} // namespace

TEST_F(Amu_Hd_Window, TheSpectrumButtonShowsANeverShownWindowHidesItAndShowsItAgain)
{
    Show_Log log(spectrum);
    ASSERT_FALSE(spectrum.WasShown());
    window.SpeedButtonSpectrumAnalyser->Click();
    EXPECT_EQ(log.events, "SHS");
    EXPECT_TRUE(spectrum.Visible());

    spectrum.Hide();
    log.events.clear();
    window.SpeedButtonSpectrumAnalyser->Click();
    EXPECT_EQ(log.events, "S") << "once shown, it is only shown";
    EXPECT_TRUE(spectrum.Visible());
}

TEST_F(Amu_Hd_Window, AHiddenWindowRecomputesItsAlarmButASwitchRaisesNone)
{
    camera.current.HD.Amu1.D1_Bit5 = true;
    camera.Poll(window);
    EXPECT_FALSE(window.HasAlarm());
    camera.current.HD.Amu1.D17 = 3;
    camera.Poll(window);
    EXPECT_TRUE(window.HasAlarm());
    EXPECT_EQ(window.ProgressTriaxQOS->UserValue(), 0) << "a hidden window writes no line";
}

TEST_F(Amu_Hd_Window, ShownItWritesEveryLineAndTurnsThePoorQualityRed)
{
    camera.current.HD.Amu1.D17 = 3;
    window.Show();
    EXPECT_EQ(window.LabelFirmwareVersionv->Caption(), "2.1");
    EXPECT_EQ(window.ProgressTriaxQOS->UserValue(), 3);
    EXPECT_EQ(Colour_Of(window.LabelTriaxQOS), Detail_Fault_Colour);
    EXPECT_EQ(window.ProgressTriaxQOS->Bevel()->LightColor(), Detail_Fault_Colour);
    EXPECT_EQ(window.ImageDataEmitter->ImageIndex(), Detail_Image_On);
    EXPECT_TRUE(window.HasAlarm());

    camera.snapshot.Copy(camera.current);
    camera.current.HD.Amu1.D17 = 60;
    camera.Poll(window);
    EXPECT_EQ(Colour_Of(window.LabelTriaxQOS), Detail_Normal_Colour);
    EXPECT_EQ(window.ProgressTriaxQOS->Bevel()->LightColor(), static_cast<TColor>(clWhite));
    EXPECT_FALSE(window.HasAlarm());
}

TEST_F(Amu_Hd_Window, TheScreenShowsEachLinesStatusImage)
{
    using sd_detail_test::Shown_Colour;
    using sd_detail_test::Status_Strip;
    Status_Strip strip;
    camera.current.HD.Amu1.Long_Triax = false;
    camera.current.HD.Amu1.Range_Code = {51, 0, 51};
    window.Show();
    EXPECT_EQ(Shown_Colour(&window, window.ImageFan), Status_Strip::Colours[Detail_Image_Off]);
    EXPECT_EQ(Shown_Colour(&window, window.ImagePreaccAMU), Status_Strip::Colours[Detail_Image_Second]);
    EXPECT_EQ(Shown_Colour(&window, window.ImageDataEmitter), Status_Strip::Colours[Detail_Image_On]);
    EXPECT_EQ(Shown_Colour(&window, window.ImageRFReceivers), Status_Strip::Colours[Detail_Image_Fault]);
}
