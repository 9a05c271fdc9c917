// The spectrum window: the frequency axis by range and mode, the falling
// range drawn reversed, the IF read-out, peak hold, freeze, the tuner
// change, placement by camera and the smallest size.

#include <gtest/gtest.h>

#include "platform/classlib/Forms.h"
#include "platform/classlib/SysUtils.h"
#include "platform/winapi/Window.h"
#include "screens/Fich_amu_hd_spectrum.h"
#include "tests/support/Temp_Settings.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <memory>

namespace {

void Pump()
{
    for (int i = 0; i < 3; ++i)
        Application->ProcessMessages();
}

// A connected HD camera whose AMU 1 is present, in use and on one range,
// with a spectrum block; the window shown.
class Spectrum : public ::testing::Test {
protected:
    Spectrum() : snapshot(0), current(0)
    {
        for (St_System* state : {&snapshot, &current})
            Set_Data(*state, 51);
        window = std::make_unique<TForm_AMU_HD_Spectrum>(nullptr, &snapshot, &current, '1', 32, &count);
    }
    ~Spectrum() override { DecimalSeparator = decimal; }

    static void Set_Data(St_System& state, int range_code)
    {
        state.Settings.Connected = true;
        state.Type.System_Type = 1;
        St_System_HD_AMU& amu = state.HD.Amu1;
        amu.Present = true;
        amu.Firmware_Version = 0x15;
        amu.Synth_Value = 0;
        amu.Range_Code = {range_code, range_code, range_code};
        state.HD.Wcu_Status.Triax1_Link = true;
        state.HD.Amu1_Spectrum.Present = true;
        Fill_Spectrum(state);
    }
    static void Fill_Spectrum(St_System& state)
    {
        for (int i = 0; i < St_System_HD_Spectrum::Points; ++i)
            state.HD.Amu1_Spectrum.Current[static_cast<std::size_t>(i)] = -30 + i % 10;
    }
    // Showing clears the curves; the next poll brings a spectrum.
    void Show()
    {
        window->Show();
        Pump();
        Fill_Spectrum(current);
        current.HD.Amu1_Spectrum.Current[0] = first_point;
        window->RefreshDisplay(false);
    }
    double Y1(int i) { return window->Series1->YValues()->Value(i); }
    double Y2(int i) { return window->Series2->YValues()->Value(i); }

    Temp_Settings settings;
    St_System snapshot;
    St_System current;
    std::atomic<int> count {1};
    std::unique_ptr<TForm_AMU_HD_Spectrum> window;
    char decimal = DecimalSeparator;
    int first_point = -30;
};

} // namespace

TEST_F(Spectrum, TheAxisCoversTheCentreAndAHundredStepsEachSideWithoutTheCentre)
{
    Show();
    EXPECT_NEAR(window->FrequencyAt(0), 2162.125, 1e-9);
    EXPECT_NEAR(window->FrequencyAt(99), 2171.90125, 1e-9);
    EXPECT_NEAR(window->FrequencyAt(100), 2172.09875, 1e-9);
    TChartAxis* axis = window->ChartSpectrum->BottomAxis();
    EXPECT_TRUE(axis->Visible());
    EXPECT_NEAR(axis->Minimum(), 2162.125, 1e-9);
    EXPECT_NEAR(axis->Maximum(), 2181.975, 1e-9);
    ASSERT_EQ(window->Series1->Count(), 200);
    EXPECT_DOUBLE_EQ(Y1(3), -27.0);
    EXPECT_TRUE(window->ComboBoxTuner->Enabled());
    EXPECT_TRUE(window->ShapeButtonFreeze->Enabled());
    EXPECT_FALSE(window->ShapeButtonResetMaxHold->Enabled());
}

TEST_F(Spectrum, TheFallingRangeIsDrawnHighestFrequencyFirstAndItsIfCountsDown)
{
    DecimalSeparator = ',';
    for (St_System* state : {&snapshot, &current})
        Set_Data(*state, 50);
    first_point = -5;
    Show();
    EXPECT_DOUBLE_EQ(Y1(199), -5.0);
    EXPECT_NEAR(window->FrequencyAt(100) - window->FrequencyAt(99), 2 * 0.09875, 1e-9);
    const std::string text = window->Cross_Value_Text(2228.0, -20.0);
    EXPECT_NE(text.find("IF:472MHz"), std::string::npos) << text;
    EXPECT_NE(text.find("-20 dBc / RF:2228MHz"), std::string::npos) << text;
    EXPECT_NE(window->Cross_Value_Text(2228.0 - 278.0, -20.0).find("IF:750MHz"), std::string::npos);
    EXPECT_NE(window->Cross_Value_Text(2228.0 - 278.4, -20.0).find("IF:750,4MHz"), std::string::npos);
}

TEST_F(Spectrum, MaxHoldKeepsThePeakAndATunerChangeRestartsBothCurves)
{
    Show();
    window->ShapeButtonMaxHold->SetPressed(true);
    window->ShapeButtonMaxHold->Click();
    EXPECT_TRUE(window->ShapeButtonResetMaxHold->Enabled());
    window->RefreshDisplay(false);
    EXPECT_DOUBLE_EQ(Y2(9), -21.0);
    current.HD.Amu1_Spectrum.Current[9] = -35;
    window->RefreshDisplay(false);
    EXPECT_DOUBLE_EQ(Y1(9), -35.0);
    EXPECT_DOUBLE_EQ(Y2(9), -21.0); // the peak holds
    window->ComboBoxTuner->SetItemIndex(2);
    window->ComboBoxTuner->OnChange(window->ComboBoxTuner);
    EXPECT_DOUBLE_EQ(Y1(9), -128.0);
    EXPECT_DOUBLE_EQ(Y2(9), -128.0);
}

TEST_F(Spectrum, FreezeKeepsTheCurvesWhileDataChanges)
{
    Show();
    window->ShapeButtonFreeze->SetPressed(true);
    window->ShapeButtonFreeze->Click();
    EXPECT_FALSE(window->ComboBoxTuner->Enabled());
    EXPECT_FALSE(window->ShapeButtonMaxHold->Enabled());
    current.HD.Amu1_Spectrum.Current[4] = -1;
    current.HD.Amu1.Synth_Value = 40;
    window->RefreshDisplay(false);
    EXPECT_DOUBLE_EQ(Y1(4), -26.0);
    EXPECT_NEAR(window->ChartSpectrum->BottomAxis()->Minimum(), 2162.125, 1e-9);
}

TEST_F(Spectrum, WithoutDataTheControlsAreDisabledAndTheCurvesStay)
{
    Show();
    snapshot.HD.Wcu_Status.Triax1_Link = true;
    current.HD.Wcu_Status.Triax1_Link = false;
    window->RefreshDisplay(false);
    EXPECT_FALSE(window->ComboBoxTuner->Enabled());
    EXPECT_FALSE(window->ShapeButtonFreeze->Enabled());
    EXPECT_DOUBLE_EQ(Y1(3), -27.0);
}

TEST_F(Spectrum, CaptionNamesTheCameraWhenThereAreSeveral)
{
    EXPECT_EQ(window->Caption(), "AMU 1 spectrum analyser");
    count = 2;
    snapshot.Settings.Name = 7;
    window->RefreshDisplay(true);
    EXPECT_EQ(window->Caption(), "AMU 1 spectrum analyser - CAM 7");
}

TEST_F(Spectrum, ASecondCameraOpensOneStepLowerAndTheWindowKeepsItsSmallestSize)
{
    St_System second_snapshot(1);
    St_System second_current(1);
    TForm_AMU_HD_Spectrum second(nullptr, &second_snapshot, &second_current, '1', 32, &count);
    EXPECT_GT(second.Top(), window->Top());
    EXPECT_EQ(window->Left(), 0);
    const POINT size = window->GetInitialSize();
    EXPECT_EQ(window->Width(), size.x);
    Show();
    int width = size.x - 1;
    int height = size.y + 10;
    bool resize = true;
    window->OnCanResize(window.get(), width, height, resize);
    EXPECT_FALSE(resize);
    width = size.x + 10;
    resize = true;
    window->OnCanResize(window.get(), width, height, resize);
    EXPECT_TRUE(resize);
}

TEST_F(Spectrum, TheCrossHairInvertsThePlotUnderTheMouseAndReadsItsValues)
{
    DecimalSeparator = '.';
    Show();
    TChart& chart = *window->ChartSpectrum;
    const RECT plot = chart.ChartRect();
    const int x = (plot.left + plot.right) / 2 + 3;
    const int y = plot.top + 7;
    chart.OnMouseMove(&chart, TShiftState {}, x, y);
    Pump();
    const QImage shown = Window_Widget(chart.Handle())->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.pixel(x, y + 3) & 0xFFFFFF, 0xFFFFFFu); // black back inverted
    EXPECT_EQ(shown.pixel(plot.left + 1, y) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(chart.Cursor(), crNone);
    const std::string text = window->LabelCrossValue->Caption();
    EXPECT_NE(text.find(" / RF:"), std::string::npos) << text;
    EXPECT_NE(text.find("  IF:"), std::string::npos) << text;
    chart.OnMouseMove(&chart, TShiftState {}, plot.left - 5, y);
    EXPECT_EQ(window->LabelCrossValue->Caption(), "");
    EXPECT_EQ(chart.Cursor(), crDefault);
}

TEST_F(Spectrum, TheCrossHairDrawnTwiceLeavesThePlotAsItWas)
{
    Show();
    TChart& chart = *window->ChartSpectrum;
    const RECT plot = chart.ChartRect();
    const auto grab = [&] {
        Pump();
        return Window_Widget(chart.Handle())->grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    const QImage before = grab();
    window->DrawCrossHair(plot.left + 40, plot.top + 30);
    const QImage crossed = grab();
    EXPECT_NE(crossed, before);
    window->DrawCrossHair(plot.left + 40, plot.top + 30);
    EXPECT_EQ(grab(), before);
}

TEST_F(Spectrum, ThePanelSpansTheWindowAndTheChartFillsTheRest)
{
    const auto bounds = [](TControl* control) {
        return std::array {control->Left(), control->Top(), control->Width(), control->Height()};
    };
    const int width = window->ClientWidth();
    const int height = window->ClientHeight();
    const int panel = window->PanelTopGraph->Height();
    EXPECT_EQ(bounds(window->PanelTopGraph), (std::array {0, 0, width, panel}));
    EXPECT_EQ(bounds(window->ChartSpectrum), (std::array {0, panel, width, height - panel}));
    Show();
    EXPECT_EQ(bounds(window->ChartSpectrum), (std::array {0, panel, width, height - panel}));
    EXPECT_EQ(window->LabelCrossValue->Top() + window->LabelCrossValue->Height() + 1, height - panel)
        << "the read-out sits on the window's bottom edge";
}
