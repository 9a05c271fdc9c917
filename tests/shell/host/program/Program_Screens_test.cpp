// The program's pages as a user sees them: the real executable on a private
// X server against simulated WCUs, its window's pixels read from outside.

#include "tests/shell/host/program/Program_Desktop.h"
#include "tools/Hd_Wcu.h"
#include "tools/Sd_Wcu.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The pages of one camera.
class Program_Screens : public Program_Desktop {};

// An SD camera whose video quality, data quality, lock and video channel
// the test chooses.
Sd_Wcu Sd_Camera(BYTE video_quality, BYTE data_quality, bool locked, BYTE video_channel)
{
    Sd_Wcu wcu = Typical_Sd_Wcu();
    wcu.Status[3] = video_quality;
    wcu.Status[8] = data_quality;
    wcu.Status[0] = static_cast<BYTE>(locked ? wcu.Status[0] | 0x04 : wcu.Status[0] & ~0x04);
    wcu.Status[17] = static_cast<BYTE>(video_channel << 4 | (wcu.Status[17] & 0x0F));
    return wcu;
}

} // namespace

TEST_F(Program_Screens, SdPageShowsTheQualitiesLockAndChannelTheWcuSends)
{
    Use_Cameras(1);
    Sd_Camera(64, 32, true, 1).Load(Wcu());
    Start();
    const Form_Layout sd = Layout_Of("TForm_Main_SD");
    const Rectangle_On_Screen vqos = sd.at("ProgressVQOS");
    const Rectangle_On_Screen dqos = sd.at("ProgressDQOS");
    const Rectangle_On_Screen lock = sd.at("ImageCamWcuLock");
    const Rectangle_On_Screen channel = sd.at("LEDVideoChannel");
    auto near = [](double share, double expected) { return share > expected - 0.07 && share < expected + 0.07; };

    int channel_1_segments = 0;
    EXPECT_TRUE(Screen_Shows("sd_page_locked", [&](const QImage& image) {
        channel_1_segments = Count_Pixels(image, channel, Lime);
        return near(Lit_Share(image, vqos, Coloured), 64.0 / 127) && near(Lit_Share(image, dqos, Coloured), 32.0 / 127)
               && Count_Pixels(image, lock, Greenish) > 20 && Count_Pixels(image, lock, Reddish) == 0
               && channel_1_segments > 10;
    })) << "video quality " << Lit_Share(picture, vqos, Coloured) << ", data quality " << Lit_Share(picture, dqos, Coloured)
        << ", lock green " << Count_Pixels(picture, lock, Greenish) << " red " << Count_Pixels(picture, lock, Reddish)
        << ", channel lit " << Count_Pixels(picture, channel, Lime);

    Sd_Camera(120, 100, false, 8).Load(Wcu());
    EXPECT_TRUE(Screen_Shows("sd_page_unlocked", [&](const QImage& image) {
        return near(Lit_Share(image, vqos, Coloured), 120.0 / 127) && near(Lit_Share(image, dqos, Coloured), 100.0 / 127)
               && Count_Pixels(image, lock, Reddish) > 20 && Count_Pixels(image, lock, Greenish) == 0
               && Count_Pixels(image, channel, Lime) > 2 * channel_1_segments;
    })) << "video quality " << Lit_Share(picture, vqos, Coloured) << ", data quality " << Lit_Share(picture, dqos, Coloured)
        << ", lock green " << Count_Pixels(picture, lock, Greenish) << " red " << Count_Pixels(picture, lock, Reddish)
        << ", channel lit " << Count_Pixels(picture, channel, Lime) << " (1 lit " << channel_1_segments << ")";
}

namespace {

// The first letters of the page's title banner: "SD ..." or "HD ...".
Rectangle_On_Screen Banner_Start(const Form_Layout& page)
{
    Rectangle_On_Screen banner = page.at("ShapeControlAppliTitle");
    banner.Width /= 2;
    return banner;
}

// Which pixels of the area carry the banner's dark blue caption.
std::vector<bool> Caption_Ink(const QImage& image, const Rectangle_On_Screen& area)
{
    std::vector<bool> ink;
    for (int y = area.Top; y < area.Top + area.Height; ++y)
        for (int x = area.Left; x < area.Left + area.Width; ++x) {
            const QColor colour = image.pixelColor(x, y);
            ink.push_back(colour.blue() > 100 && colour.red() < 80 && colour.green() < 80);
        }
    return ink;
}

// A label whose text starts at its left: a short strip of it, one line high.
Rectangle_On_Screen Text_Strip(const Form_Layout& page, const std::string& label)
{
    Rectangle_On_Screen strip = page.at(label);
    strip.Width = 40;
    strip.Height = 13;
    return strip;
}

} // namespace

TEST_F(Program_Screens, HdPageShowsTheVideoQualityReceivedLevelAndFrequencyTheWcuSends)
{
    Use_Cameras(1);
    Hd_Camera(100).Load(Wcu());
    Start();
    const Form_Layout hd = Layout_Of("TForm_Main_HD");
    const Rectangle_On_Screen vqos = hd.at("ProgressVQOS");
    const Rectangle_On_Screen rssi = hd.at("ProgressAMU1RSSI");
    const Rectangle_On_Screen frequency = Text_Strip(hd, "LabelVideoFreqVal");

    EXPECT_TRUE(Screen_Shows("hd_page_good_video", [&](const QImage& image) {
        return Lit_Share(image, vqos, Coloured) > 0.9 && Count_Pixels(image, rssi, Coloured) > 10
               && Count_Pixels(image, frequency, Ink) > 10;
    })) << "video quality " << Lit_Share(picture, vqos, Coloured) << ", received level lit "
        << Count_Pixels(picture, rssi, Coloured) << ", frequency ink " << Count_Pixels(picture, frequency, Ink);

    Hd_Camera(0).Load(Wcu());
    EXPECT_TRUE(Screen_Shows("hd_page_no_video", [&](const QImage& image) {
        return Lit_Share(image, vqos, Coloured) < 0.1 && Count_Pixels(image, rssi, Coloured) > 10;
    })) << "video quality " << Lit_Share(picture, vqos, Coloured);
}

TEST_F(Program_Screens, AWcuTurningFromSdToHdAndBackSwapsThePage)
{
    Use_Cameras(1);
    Sd_Wcu sd = Typical_Sd_Wcu();
    sd.Load(Wcu());
    Start();
    const Form_Layout sd_page = Layout_Of("TForm_Main_SD");
    const Form_Layout hd_page = Layout_Of("TForm_Main_HD");
    const Rectangle_On_Screen banner = Banner_Start(sd_page);
    ASSERT_EQ(banner.Left, Banner_Start(hd_page).Left) << "both pages put their banner at one place";
    const Rectangle_On_Screen channel = sd_page.at("LEDVideoChannel");
    const Rectangle_On_Screen lock = sd_page.at("ImageCamWcuLock");
    const Rectangle_On_Screen frequency = Text_Strip(hd_page, "LabelVideoFreqVal");

    std::vector<bool> sd_caption;
    ASSERT_TRUE(Screen_Shows("sd_before_hd", [&](const QImage& image) {
        sd_caption = Caption_Ink(image, banner);
        return Count_Pixels(image, lock, Greenish) > 20 && std::count(sd_caption.begin(), sd_caption.end(), true) > 20;
    })) << "the SD page of a locked camera";

    // The SD answers fall silent; reconnecting, the WCU says it is HD.
    Typical_Hd_Wcu().Load(Wcu());
    Wcu().Set_Answer('%', {});
    EXPECT_TRUE(Screen_Shows("hd_after_sd", [&](const QImage& image) {
        return Caption_Ink(image, banner) != sd_caption && Count_Pixels(image, frequency, Ink) > 10
               && Count_Pixels(image, channel, Lime) == 0;
    })) << "the HD page replaced the SD page";

    sd.Load(Wcu());
    for (int poll = 0; poll < 4; ++poll)
        Wcu().Queue_Fault(Wcu_Simulator::Hd_Poll_Request, Wcu_Fault::Silence);
    EXPECT_TRUE(Screen_Shows("sd_after_hd", [&](const QImage& image) {
        return Caption_Ink(image, banner) == sd_caption && Count_Pixels(image, lock, Greenish) > 20;
    })) << "the SD page is back, polled";
}
