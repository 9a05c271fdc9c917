// The camera views of the 2x2 page as a user meets them: the real executable
// on a private X server with four simulated cameras; a double click on any
// part of a camera's view (its background, title, meters, log) shows that
// camera's own page.

#include "tests/shell/host/program/Program_Desktop.h"
#include "tests/shell/host/program/Program_Input.h"

#include <sstream>
#include <string>

namespace {

class Program_Camera_Views : public Program_Desktop {
protected:
    // Selects the four cameras as a user does: Ctrl+click on the strip's
    // buttons of the cameras not selected yet.
    void Select_All_But(int selected)
    {
        const Rectangle_On_Screen strip = Layout_Of("TForm_Main").at("SCLFormCamSelect");
        const Form_Layout buttons = Layout_Of("TForm_Cam_Select");
        for (int camera = 1; camera <= 4; ++camera) {
            if (camera == selected)
                continue;
            const Rectangle_On_Screen button = buttons.at("ShapeButtonCAM" + std::to_string(camera) + "Select");
            ASSERT_TRUE(Click_At(Main_Window(), strip.Left + button.Left + button.Width / 2,
                                 strip.Top + button.Top + button.Height / 2, {"Control_L"}));
        }
    }
};

// A camera's page, known by how far its video quality meter is lit.
struct Camera_Page_Seen {
    const char* Form;
    double Video_Share;

    Rectangle_On_Screen Video_Meter() const { return Layout_Of(Form).at("ProgressVQOS"); }
};

Sd_Wcu Sd_Camera(BYTE video_quality)
{
    Sd_Wcu wcu = Typical_Sd_Wcu();
    wcu.Type_Word = 0x101;
    wcu.Status[3] = video_quality;
    return wcu;
}

// An HD WCU newer than the first, so that its views show the video quality.
Hd_Wcu Hd_Camera_With_Video(BYTE raw_video_quality)
{
    Hd_Wcu wcu = Hd_Camera(raw_video_quality);
    wcu.Type_Word = 0x201;
    return wcu;
}

// The caption of the 2x2 page's own "Help" button, at the top left where a
// camera's page has the light end of its title banner: the inside of the
// button, clear of its bevel and of the back panel's shift.
Rectangle_On_Screen Multi_Page_Help_Caption()
{
    constexpr int Margin = 5;
    const Rectangle_On_Screen button = Layout_Of("TForm_Main_Multi_Cameras").at("SpeedButtonHelp");
    return {button.Left + Margin, button.Top + Margin, button.Width - 2 * Margin, button.Height - 2 * Margin};
}

} // namespace

TEST_F(Program_Camera_Views, ADoubleClickOnAnyPartOfACamerasViewShowsItsPage)
{
    Use_Cameras(4);
    Sd_Camera(32).Load(Wcu(1));
    Hd_Camera_With_Video(100).Load(Wcu(2));
    Sd_Camera(96).Load(Wcu(3));
    Hd_Camera_With_Video(20).Load(Wcu(4));
    const Camera_Page_Seen pages[] = {
        {"TForm_Main_SD", 32.0 / 127}, {"TForm_Main_HD", 1.0}, {"TForm_Main_SD", 96.0 / 127}, {"TForm_Main_HD", 0.5}};
    const Form_Layout view = Layout_Of("TForm_Small_Camera");
    // Camera n's part: a bare spot of the background near the bottom-left
    // corner, the title, a quality meter, the status log.
    const Rectangle_On_Screen background {8, view.at("LabelDQOSCam").Top + view.at("LabelDQOSCam").Height + 2, 1, 1};
    const std::pair<const char*, Rectangle_On_Screen> parts[] = {{"background", background},
                                                                 {"title", view.at("ShapeControlTitleCam")},
                                                                 {"data_meter", view.at("ProgressDQOSCam")},
                                                                 {"log", view.at("MemoStatusCam")}};
    Start();
    // A camera's page has black text where the views' titles are: the 2x2
    // page is also known by its "Help" button.
    auto shows_multi_page = [](const QImage& image) {
        return Count_Pixels(image, Multi_Page_Help_Caption(), Black_Ink) >= 10;
    };
    auto shows_four_views = [&](const QImage& image) {
        for (int camera = 1; camera <= 4; ++camera)
            if (Count_Pixels(image, In_Small_View(camera, view.at("ShapeControlTitleCam")), Black_Ink) < 20)
                return false;
        return shows_multi_page(image);
    };
    auto near = [](double share, double wanted) { return share > wanted - 0.07 && share < wanted + 0.07; };
    auto shows_page_of = [&](int camera) {
        const Camera_Page_Seen& page = pages[camera - 1];
        return [&, vqos = page.Video_Meter()](const QImage& image) {
            return !shows_multi_page(image) && near(Lit_Share(image, vqos, Coloured), page.Video_Share);
        };
    };
    // Clicks on the strip wait for the program to have started on camera 1's page.
    ASSERT_TRUE(Screen_Shows("page_at_start", shows_page_of(1))) << "camera 1's page shows first";

    int shown = 1;
    for (int camera = 1; camera <= 4; ++camera) {
        const auto& [part_name, part] = parts[camera - 1];
        SCOPED_TRACE(std::string("camera ") + std::to_string(camera) + "'s " + part_name);
        Select_All_But(shown);
        ASSERT_TRUE(Screen_Shows("views_before_" + std::string(part_name), shows_four_views))
            << "the 2x2 page shows the four views";

        const Rectangle_On_Screen spot = In_Small_View(camera, part);
        ASSERT_TRUE(Double_Click_At(Main_Window(), spot.Left + spot.Width / 2, spot.Top + spot.Height / 2));
        ASSERT_TRUE(Screen_Shows("page_after_" + std::string(part_name), shows_page_of(camera)))
            << "2x2 page's help caption " << Count_Pixels(picture, Multi_Page_Help_Caption(), Black_Ink)
            << ", video quality " << Lit_Share(picture, pages[camera - 1].Video_Meter(), Coloured) << " of "
            << pages[camera - 1].Video_Share;
        shown = camera;
    }
}
