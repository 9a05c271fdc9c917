// Four cameras watched side by side: the real executable on a private X
// server against four simulated WCUs, the multi-camera page read by pixels.

#include "tests/shell/host/program/Program_Desktop.h"
#include "tests/shell/host/program/Program_Input.h"

#include <sstream>
#include <string>
#include <vector>

namespace {

class Program_Multi_Camera : public Program_Desktop {};

Sd_Wcu Sd_Camera(BYTE video_quality, BYTE data_quality)
{
    Sd_Wcu wcu = Typical_Sd_Wcu();
    wcu.Status[3] = video_quality;
    wcu.Status[8] = data_quality;
    return wcu;
}

// The meters' navy bars, not their bevel, which turns red on a poor quality.
bool Navy_Bar(const QColor& colour)
{
    return colour.blue() > 100 && colour.red() < 60 && colour.green() < 60;
}

struct Shown_Qualities {
    double video;        // share of the VQOS meter lit
    double data;         // share of the DQOS meter lit
    bool data_rim_red;   // the DQOS meter's bevel warns of a poor quality
};

} // namespace

TEST_F(Program_Multi_Camera, FourCamerasShowTwoByTwoEachWithItsTitleAndQualities)
{
    Use_Cameras(4);
    Sd_Camera(32, 100).Load(Wcu(1));
    Hd_Camera(100).Load(Wcu(2));
    Sd_Camera(96, 60).Load(Wcu(3));
    Hd_Camera(20).Load(Wcu(4));
    Start();
    const Rectangle_On_Screen strip = Layout_Of("TForm_Main").at("SCLFormCamSelect");
    const Rectangle_On_Screen button_4 = Layout_Of("TForm_Cam_Select").at("ShapeButtonCAM4Select");
    ASSERT_TRUE(Screen_Shows("four_cameras_strip", [&](const QImage& image) {
        return Count_Pixels(image, strip, Reddish) > 20;
    })) << "the camera strip shows";
    ASSERT_TRUE(Click_At(Main_Window(), strip.Left + button_4.Left + button_4.Width / 2,
                         strip.Top + button_4.Top + button_4.Height / 2, {"Shift_L"}));
    const Form_Layout view = Layout_Of("TForm_Small_Camera");
    auto title = [&](int camera) { return In_Small_View(camera, view.at("ShapeControlTitleCam")); };
    auto vqos = [&](int camera) { return In_Small_View(camera, view.at("ProgressVQOSCam")); };
    auto dqos = [&](int camera) { return In_Small_View(camera, view.at("ProgressDQOSCam")); };

    // SD meters count to 127; an HD camera's video quality is a percentage
    // of its raw value (100 gives 100 %, 20 gives 50 %). The HD WCU sends its
    // healthy data quality, 95 of 127.
    const Shown_Qualities expected[] = {{32.0 / 127, 100.0 / 127, false},
                                        {1.0, 95.0 / 127, false},
                                        {96.0 / 127, 60.0 / 127, false},
                                        {0.5, 95.0 / 127, false}};
    auto near = [](double share, double wanted) { return share > wanted - 0.07 && share < wanted + 0.07; };
    auto shows_camera = [&](const QImage& image, int camera) {
        const Shown_Qualities& wanted = expected[camera - 1];
        return Count_Pixels(image, title(camera), Black_Ink) >= 20
               && near(Lit_Share(image, vqos(camera), Navy_Bar), wanted.video)
               && near(Lit_Share(image, dqos(camera), Navy_Bar), wanted.data)
               && (Count_Pixels(image, dqos(camera), Reddish) > 20) == wanted.data_rim_red;
    };
    auto report = [&] {
        std::ostringstream text;
        for (int camera = 1; camera <= 4; ++camera)
            text << "camera " << camera << ": title ink " << Count_Pixels(picture, title(camera), Black_Ink)
                 << ", video quality " << Lit_Share(picture, vqos(camera), Navy_Bar) << ", data quality "
                 << Lit_Share(picture, dqos(camera), Navy_Bar) << ", data rim red "
                 << Count_Pixels(picture, dqos(camera), Reddish) << "; ";
        return text.str();
    };
    EXPECT_TRUE(Screen_Shows("four_cameras", [&](const QImage& image) {
        for (int camera = 1; camera <= 4; ++camera)
            if (!shows_camera(image, camera))
                return false;
        return true;
    })) << report();
}
