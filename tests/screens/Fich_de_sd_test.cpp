#include "screens/Fich_de_sd.h"

#include "screens/Fich_amu_sd.h"
#include "screens/Fich_wcu_sd.h"
#include "tests/screens/Sd_Detail_Test_Support.h"

#include "platform/winapi/Message.h"

#include <gtest/gtest.h>

#include <memory>

using namespace sd_detail_test;

TEST(DeSdLines, TheDataChannelAndItsFrequency)
{
    // The 433 MHz band's frequency is computed and formatted in the user's
    // locale.
    const std::string channel_5 = Carrier_Frequency_Text(false, 0, 0, 5, 0, 1);
    const std::string channel_11 = Carrier_Frequency_Text(false, 0, 0, 11, 0, 1);
    const struct {
        const char* name;
        Change change;
        std::string channel;
        std::string frequency;
        bool fault;
        std::string hint;
    } cases[] = {
        {"433 MHz range", [](St_System&) {}, "5", channel_5, false, ""},
        {"455 MHz range", [](St_System& s) { s.SD.Data_Range_Frequency = 2; }, "5", "455,5 MHz", false, ""},
        {"455 MHz range with firmware 1.0",
         [](St_System& s) {
             s.SD.Data_Range_Frequency = 2;
             s.SD.AMU1.Version_Minor = 0;
         },
         "5", "???", true, "AMU firmware V1.0 : select\n433 MHz data frequency range"},
        {"433 MHz range with firmware 1.0", [](St_System& s) { s.SD.AMU1.Version_Minor = 0; }, "5", channel_5,
         false, ""},
        {"data range not chosen", [](St_System& s) { s.SD.Data_Range_Frequency = 0; }, "5", "???", true,
         "Right click on frequency range group\nbox to select the data frequency range\ncorresponding to system "
         "configuration"},
        {"channel not the WCU's", [](St_System& s) { s.SD.WCU.Data_Channel_Index = 6; }, "???", "???", true, ""},
        {"a WCU 1.0 checks no channel",
         [](St_System& s) {
             s.Type.Wcu_Minor = 0;
             s.SD.WCU.Data_Channel_Index = 6;
             s.SD.AMU1.Data_Channel = 11;
         },
         "B", channel_11, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Camera camera;
        c.change(camera.current);
        const De_Sd_Lines lines = De_Sd_Line_Table(camera.current, '1');
        EXPECT_EQ(lines[De_Data_Channel].Value, c.channel);
        EXPECT_EQ(lines[De_Data_Channel].Fault, c.channel == "???");
        EXPECT_EQ(lines[De_Data_Frequency].Value, c.frequency);
        EXPECT_EQ(lines[De_Data_Frequency].Fault, c.fault);
        EXPECT_EQ(lines[De_Data_Frequency].Hint, c.hint);
        EXPECT_EQ(Any_Fault(lines), c.fault);
    }
}

TEST(DeSdLines, EachWindowReadsTheAmuItHangsOn)
{
    Camera camera;
    camera.current.SD.AMU2.Data_Channel = 6;
    EXPECT_FALSE(De_Sd_Line_Table(camera.current, '1')[De_Data_Channel].Fault);
    EXPECT_TRUE(De_Sd_Line_Table(camera.current, '2')[De_Data_Channel].Fault);
}

namespace {

// The behaviour every detail window shares, on the DE window.
class Detail_Window_Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<TForm_DE_SD>(&owner, nullptr, &camera.title, '1', &camera.current,
                                               &camera.snapshot);
    }

    // A wrong channel: both lines red.
    void Break() { camera.current.SD.WCU.Data_Channel_Index = 6; }

    Camera camera;
    TForm owner {nullptr};
    std::unique_ptr<TForm_DE_SD> window;
};

} // namespace

TEST_F(Detail_Window_Test, AHiddenWindowStillRecomputesItsAlarmWhileItsBlockIsActive)
{
    Break();
    camera.Poll(*window, false);
    EXPECT_FALSE(window->HasAlarm()) << "nothing is recomputed for a block that is down";
    camera.Poll(*window);
    EXPECT_FALSE(window->Visible());
    EXPECT_TRUE(window->HasAlarm());
    EXPECT_EQ(window->LabelDataChannelv->Caption(), "") << "a hidden window writes no line";

    camera.title.SetEnabled(false);
    EXPECT_FALSE(window->HasAlarm()) << "a greyed block has no alarm of its window";
    camera.title.SetEnabled(true);
    camera.current.SD.WCU.Data_Channel_Index = 5;
    camera.Poll(*window);
    EXPECT_FALSE(window->HasAlarm());
}

TEST_F(Detail_Window_Test, ShownItRewritesOnlyWhatChangedAndAllAfterAReopening)
{
    Break();
    window->Show();
    EXPECT_EQ(window->LabelDataChannelv->Caption(), "???");
    EXPECT_EQ(Colour_Of(window->LabelDataChannel), Detail_Fault_Colour);
    EXPECT_TRUE(window->HasAlarm());
    camera.Poll(*window);

    window->LabelDataChannelv->SetCaption("untouched");
    camera.current.SD.Data_Range_Frequency = 0;
    camera.Poll(*window);
    EXPECT_EQ(window->LabelDataChannelv->Caption(), "untouched") << "its sources did not change";
    EXPECT_EQ(window->LabelDataFrequency->Hint(), "");
    EXPECT_EQ(window->LabelDataFrequencyv->Caption(), "???");

    window->Hide();
    window->Show();
    EXPECT_EQ(window->LabelDataChannelv->Caption(), "???") << "opened again, every line is written";
}

TEST_F(Detail_Window_Test, AnInactiveBlockHidesItsWindow)
{
    window->Show();
    camera.Poll(*window, false);
    EXPECT_FALSE(window->Visible());
}

TEST_F(Detail_Window_Test, EnterEscapeAndTheBlockKeyHideItAndReleaseTheTitle)
{
    const struct {
        WORD key;
        bool hides;
    } keys[] = {{VK_RETURN, true}, {VK_ESCAPE, true}, {'D', true}, {'E', false}, {'W', false}, {VK_SPACE, false}};
    for (const auto& k : keys) {
        SCOPED_TRACE(k.key);
        camera.title.SetPressed(true);
        window->Show();
        window->Perform(WM_KEYDOWN, k.key, 0);
        EXPECT_EQ(window->Visible(), !k.hides);
        EXPECT_EQ(camera.title.Pressed(), !k.hides);
        window->Hide();
    }
}

TEST_F(Detail_Window_Test, DeactivationHidesItAndClosingReleasesTheTitle)
{
    window->Show();
    window->Perform(WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_FALSE(window->Visible());
    EXPECT_TRUE(camera.title.Pressed()) << "the main window releases the title on its activation";

    window->Show();
    window->Close();
    EXPECT_FALSE(window->Visible());
    EXPECT_FALSE(camera.title.Pressed());
}

TEST(SdDetailWindows, EachBlockKeyHidesItsOwnWindow)
{
    Camera camera;
    TForm_WCU_SD wcu(nullptr, nullptr, &camera.title, &camera.current, &camera.snapshot);
    TForm_AMU_SD amu1(nullptr, nullptr, &camera.title, '1', &camera.current, &camera.snapshot);
    TForm_AMU_SD amu2(nullptr, nullptr, &camera.title, '2', &camera.current, &camera.snapshot);
    TForm_DE_SD de2(nullptr, nullptr, &camera.title, '2', &camera.current, &camera.snapshot);
    const struct {
        Detail_Window* window;
        WORD own;
        WORD other;
    } windows[] = {{&wcu, 'W', 'A'}, {&amu1, 'A', 'M'}, {&amu2, 'M', 'A'}, {&de2, 'E', 'D'}};
    for (const auto& w : windows) {
        SCOPED_TRACE(w.own);
        w.window->Show();
        w.window->Perform(WM_KEYDOWN, w.other, 0);
        EXPECT_TRUE(w.window->Visible());
        w.window->Perform(WM_KEYDOWN, w.own, 0);
        EXPECT_FALSE(w.window->Visible());
    }
}
