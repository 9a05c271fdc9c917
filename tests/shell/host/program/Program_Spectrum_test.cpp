// The spectrum analyser as a user reaches it: the HD page's AMU 1 detail
// window opened by its key, its spectrum button clicked, and the spectrum
// the simulated WCU sends for the chosen tuner drawn in the window's chart.
// Where a point must be drawn is worked out from the plot rectangle seen in
// the picture (its green axis lines) and the chart's linear axis mapping.

#include "link/Pc_wcu_link.h"
#include "link/St_system_hd_convert.h"
#include "tests/shell/host/program/Program_Desktop.h"
#include "tests/shell/host/program/Program_Input.h"
#include "tools/Hd_Wcu.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <X11/Xlib.h>

namespace {

constexpr int Points = St_System_HD_Spectrum::Points;
// About -35 dBc and -4 dBc once decoded: both inside the plot's -40.5 to 0.5.
constexpr BYTE Floor_Byte = 64;
constexpr BYTE Peak_Byte = 230;
// The left axis' fixed limits.
constexpr double Level_Minimum = -40.5;
constexpr double Level_Maximum = 0.5;
// The AMU's receivers all on one range, so that its spectrum has an axis.
constexpr BYTE Common_Range = 52;

// A flat spectrum with one peak.
std::vector<BYTE> Spectrum_With_Peak(int peak_point)
{
    std::vector<BYTE> spectrum(Points, Floor_Byte);
    spectrum[static_cast<std::size_t>(peak_point)] = Peak_Byte;
    return spectrum;
}

// An HD camera whose AMU 1 reports a spectrum with its peak at one point for
// the tuners' average and at another for tuner 2.
Hd_Wcu Spectrum_Camera(int average_peak, int tuner_2_peak)
{
    Hd_Wcu wcu = Typical_Hd_Wcu();
    std::vector<BYTE>& amu = wcu.Blocks[Hd_Wcu::Amu1].Data;
    std::fill(amu.begin() + 19, amu.begin() + 22, Common_Range);
    wcu.Blocks[Hd_Wcu::Amu1_Spectrum].Data = Spectrum_With_Peak(average_peak);
    wcu.Tuner_Spectra[0][2] = Spectrum_With_Peak(tuner_2_peak);
    return wcu;
}

// The camera's frame for a tuner as the program decodes it.
St_System_HD Decoded(const Hd_Wcu& wcu, int tuner)
{
    const BYTE request = static_cast<BYTE>(Wcu_Simulator::Hd_Poll_Request + tuner);
    const std::vector<BYTE> frame = wcu.Frame(request);
    St_System_HD hd(0);
    EXPECT_TRUE(PC_WCU_Link::Decode_HD(frame.data(), static_cast<int>(frame.size()), request, hd));
    return hd;
}

bool Chart_Green(const QColor& colour)
{
    return colour.red() == 0 && colour.green() == 128 && colour.blue() == 0;
}

// The plot rectangle of the chart in the picture, as the chart lays it out:
// its left axis line one column left of it, its bottom axis line on its
// bottom edge (the only solid green lines; the grid is dotted).
struct Plot {
    int Left = 0;
    int Top = 0;
    int Right = 0;  // past the last column
    int Bottom = 0; // the axis row, past the last row of the plot
    bool Found() const { return Right - Left > 100 && Bottom - Top > 100; }
};

Plot Find_Plot(const QImage& image, int below)
{
    Plot plot;
    int longest = 0;
    for (int y = below; y < image.height(); ++y) {
        for (int x = 0; x < image.width();) {
            int end = x;
            while (end < image.width() && Chart_Green(image.pixelColor(end, y)))
                ++end;
            if (end - x > longest) {
                longest = end - x;
                plot.Left = x + 1;
                plot.Right = end;
                plot.Bottom = y;
            }
            x = std::max(end, x + 1);
        }
    }
    if (longest == 0)
        return {};
    plot.Top = plot.Bottom;
    while (plot.Top > below && Chart_Green(image.pixelColor(plot.Left - 1, plot.Top - 1)))
        --plot.Top;
    return plot;
}

// Where the chart puts its points: the bottom axis runs from the first
// point's frequency to 0.1 MHz past the last one, the left axis over the
// fixed levels, both spread over the plot's pixels.
struct Chart_Mapping {
    Plot Area;
    double Step_Mhz = 0;

    int Column(int point) const
    {
        const double steps = point < Points / 2 ? point : point + 1;
        const double range = Points * Step_Mhz + 0.1;
        return Area.Left + static_cast<int>(std::lround(steps * Step_Mhz * (Area.Right - 1 - Area.Left) / range));
    }
    int Row(double level) const
    {
        const int bottom = Area.Bottom - 1;
        return bottom
               - static_cast<int>(std::lround((level - Level_Minimum) * (bottom - Area.Top)
                                              / (Level_Maximum - Level_Minimum)));
    }
};

// The highest pixel of the carrier's lime curve in a column of the plot.
std::optional<int> Curve_Top(const QImage& image, const Plot& plot, int x)
{
    for (int y = plot.Top; y < plot.Bottom; ++y)
        if (Lime(image.pixelColor(x, y)))
            return y;
    return std::nullopt;
}

// What the check found, for the failure's message.
struct Curve_Seen {
    int Peak_Top = -1;
    int Columns_Above_Floor = 0;
    int Columns_On_Floor = 0;
    int Floor_Columns = 0;
    std::vector<int> Off_Floor;

    std::string Describe() const
    {
        std::ostringstream text;
        text << "highest lime pixel at the peak " << Peak_Top << "; columns away from it reaching above the floor "
             << Columns_Above_Floor << ", on the floor " << Columns_On_Floor << " of " << Floor_Columns << " (off:";
        for (const int x : Off_Floor)
            text << ' ' << x;
        text << ')';
        return text.str();
    }
};

// The curve rises to the peak's level at the peak's column, lies on the
// floor's level everywhere else it is drawn, and nowhere else goes higher.
Curve_Seen Look_At_Curve(const QImage& image, const Chart_Mapping& chart, int peak_point, double floor_level)
{
    Curve_Seen seen;
    const int peak_x = chart.Column(peak_point);
    const int floor_y = chart.Row(floor_level);
    int highest = chart.Area.Bottom;
    for (int x = peak_x - 1; x <= peak_x + 1; ++x)
        highest = std::min(highest, Curve_Top(image, chart.Area, x).value_or(chart.Area.Bottom));
    seen.Peak_Top = highest;
    // The lines to the peak's neighbours climb over the columns between them.
    const int rise_left = chart.Column(std::max(peak_point - 1, 0)) - 1;
    const int rise_right = chart.Column(std::min(peak_point + 1, Points - 1)) + 1;
    // A line leaves out its last pixel: the last point's column stays dark.
    for (int x = chart.Column(0); x < chart.Column(Points - 1); ++x) {
        if (x >= rise_left && x <= rise_right)
            continue;
        ++seen.Floor_Columns;
        const std::optional<int> top = Curve_Top(image, chart.Area, x);
        if (top && *top < floor_y - 1)
            ++seen.Columns_Above_Floor;
        else if (top && *top <= floor_y + 1)
            ++seen.Columns_On_Floor;
        else
            seen.Off_Floor.push_back(x);
    }
    return seen;
}

bool Curve_Matches(const Curve_Seen& seen, const Chart_Mapping& chart, double peak_level)
{
    return std::abs(seen.Peak_Top - chart.Row(peak_level)) <= 1 && seen.Columns_Above_Floor == 0
           && seen.Columns_On_Floor == seen.Floor_Columns;
}

// Moves the pointer as a user's mouse, over the window's point (x, y).
void Move_Pointer_Over(unsigned long window, int x, int y)
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return;
    int screen_x = 0;
    int screen_y = 0;
    ::Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &screen_x, &screen_y, &child);
    XCloseDisplay(display);
    Move_Pointer_To(screen_x, screen_y);
}

class Program_Spectrum : public Program_Desktop {
protected:

    // Opens AMU 1's spectrum window as a user does: key A on the HD page
    // opens the AMU's detail window, whose button opens the spectrum.
    unsigned long Open_Spectrum_Window()
    {
        if (!Press_Key(Main_Window(), "a"))
            return 0;
        const unsigned long detail = Wait_For_Window([](const X_Screen_Watch::Window_Seen& window) {
            return window.Width == 262 && window.Height == 266;
        });
        EXPECT_NE(detail, 0u) << "AMU 1's detail window opens";
        const Rectangle_On_Screen button = Layout_Of("TForm_AMU_HD").at("SpeedButtonSpectrumAnalyser");
        if (detail == 0 || !Click_At(detail, button.Left + button.Width / 2, button.Top + button.Height / 2))
            return 0;
        return Wait_For_Window(
            [](const X_Screen_Watch::Window_Seen& window) { return window.Title == "AMU 1 spectrum analyser"; });
    }

    // Grabs the spectrum window until its carrier curve has the floor's
    // level everywhere but at the peak's point, which reaches the peak's
    // level; keeps the last picture as the artefact.
    bool Curve_Shows_Peak(const std::string& artefact, int peak_point)
    {
        Chart_Mapping chart;
        chart.Step_Mhz = step_mhz;
        Curve_Seen seen;
        QImage last;
        const bool shown = Wait_Until(
            [&] {
                last = Grab_Window(spectrum_window);
                chart.Area = Find_Plot(last, chart_top);
                if (last.isNull() || !chart.Area.Found())
                    return false;
                plot = chart.Area;
                seen = Look_At_Curve(last, chart, peak_point, floor_level);
                return Curve_Matches(seen, chart, peak_level);
            },
            Program_Generous_Limit);
        Save_Artefact(last, artefact);
        EXPECT_TRUE(shown) << "plot " << chart.Area.Left << "," << chart.Area.Top << " to " << chart.Area.Right << ","
                           << chart.Area.Bottom << "; peak expected at x " << chart.Column(peak_point) << " y "
                           << chart.Row(peak_level) << ", floor y " << chart.Row(floor_level) << "; "
                           << seen.Describe();
        return shown;
    }

    // Grabs the spectrum window until its picture passes the check.
    bool Spectrum_Shows(const std::function<bool(const QImage&)>& check)
    {
        return Wait_Until(
            [&] {
                const QImage image = Grab_Window(spectrum_window);
                return !image.isNull() && check(image);
            },
            Program_Generous_Limit);
    }

    // Text in the label along the chart's bottom edge, which only the
    // pointer's moves over the plot fill (with the value under it).
    bool Shows_Pointer_Value(const QImage& image) const
    {
        const Rectangle_On_Screen label{0, image.height() - 1 - label_height, image.width(), label_height};
        return Count_Pixels(image, label, Black_Ink) > 0;
    }

    // The program handles its mouse input in order: once the pointer, moved
    // over the plot after the click, has its value shown, the click has
    // been handled too. Keys typed earlier would reach the control that had
    // the focus before it.
    bool Click_Taken_Before_Keys(int x, int y)
    {
        if (!Spectrum_Shows([&](const QImage& image) { return !Shows_Pointer_Value(image); })
            || !Click_At(spectrum_window, x, y))
            return false;
        Move_Pointer_Over(spectrum_window, (plot.Left + plot.Right) / 2, (plot.Top + plot.Bottom) / 2);
        const bool taken = Spectrum_Shows([&](const QImage& image) { return Shows_Pointer_Value(image); });
        // The cross-hair follows the pointer over the plot: keep it away.
        Move_Pointer_To(1023, 767);
        return taken;
    }

    unsigned long spectrum_window = 0;
    int chart_top = Layout_Of("TForm_AMU_HD_Spectrum").at("ChartSpectrum").Top;
    int label_height = Layout_Of("TForm_AMU_HD_Spectrum").at("LabelCrossValue").Height;
    Plot plot; // as last found in the picture
    double step_mhz = 0;
    double peak_level = 0;
    double floor_level = 0;
};

bool Asked_For_Tuner(const std::vector<BYTE>& requests, int tuner)
{
    return std::any_of(requests.begin(), requests.end(), [&](BYTE request) {
        return Wcu_Simulator::Is_Hd_Poll(request) && (request & 0x07) == tuner;
    });
}

} // namespace

TEST_F(Program_Spectrum, TheSpectrumTheWcuSendsForTheChosenTunerIsDrawnAndFollowsIt)
{
    const Hd_Wcu camera = Spectrum_Camera(60, 150);
    const St_System_HD decoded = Decoded(camera, 0);
    ASSERT_NE(decoded.Amu1.Common_Range_Code(), Hd_No_Frequency) << "the AMU's receivers share a range";
    ASSERT_TRUE(decoded.Wcu_Status.Triax1_Link) << "AMU 1 is in use";
    step_mhz = Spectrum_Step_Mhz(decoded.Amu1.Firmware_Version);
    peak_level = decoded.Amu1_Spectrum.Current[60];
    floor_level = decoded.Amu1_Spectrum.Current[0];
    ASSERT_GT(floor_level, Level_Minimum) << "the floor is drawn inside the plot";
    ASSERT_GT(peak_level, floor_level + 10);

    Use_Cameras(1);
    camera.Load(Wcu());
    Start();
    const Rectangle_On_Screen rssi = Layout_Of("TForm_Main_HD").at("ProgressAMU1RSSI");
    ASSERT_TRUE(Screen_Shows("spectrum_hd_page", [&](const QImage& image) {
        return Count_Pixels(image, rssi, Coloured) > 10;
    })) << "AMU 1 is shown active, so its key opens its window";
    spectrum_window = Open_Spectrum_Window();
    ASSERT_NE(spectrum_window, 0u) << "the spectrum window opens";
    // The cross-hair follows the pointer over the plot: keep it away.
    Move_Pointer_To(1023, 767);
    EXPECT_TRUE(Curve_Shows_Peak("spectrum_tuners_average", 60));
    EXPECT_FALSE(Asked_For_Tuner(Wcu().Requests(), 2));

    // A click on the chart (beside the plot) gives the tuner list the keys.
    ASSERT_TRUE(Click_Taken_Before_Keys(2, chart_top + 2)) << "the click and a move over the plot after it are handled";
    ASSERT_TRUE(Press_Key(spectrum_window, "Down"));
    ASSERT_TRUE(Press_Key(spectrum_window, "Down"));
    EXPECT_TRUE(Wait_Until([&] { return Asked_For_Tuner(Wcu().Requests(), 2); }, Program_Generous_Limit))
        << "the polls ask for tuner 2's spectrum";
    EXPECT_TRUE(Curve_Shows_Peak("spectrum_tuner_2", 150));

    Spectrum_Camera(60, 30).Load(Wcu());
    EXPECT_TRUE(Curve_Shows_Peak("spectrum_tuner_2_moved", 30));
}
