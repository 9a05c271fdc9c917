#include "screens/Fich_de_hd.h"

#include "components/controls/SCLLImage.h"

#include "screens/Fich_amu_hd.h"
#include "screens/Fich_wca_hd.h"
#include "screens/Fich_wcu_hd.h"
#include "tests/screens/Hd_Detail_Test_Support.h"
#include "tests/support/Fake_Main_Window.h"

#include <gtest/gtest.h>

#include <memory>

using namespace hd_detail_test;

TEST(DeHdLines, TheProgrammingOfTheEmitterAndItsBooster)
{
    const struct {
        const char* name;
        Change change;
        int status_image;
        std::string status_hint;
    } cases[] = {
        {"programmed", [](St_System&) {}, Detail_Image_On, ""},
        {"not programmed", [](St_System& s) { s.HD.Amu1.Data_Valid_B = false; }, Detail_Image_Fault,
         "Error programming\nthe data emitter"},
        {"the other emitter not programmed", [](St_System& s) { s.HD.Amu2.Data_Valid_B = false; }, Detail_Image_On,
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Camera camera;
        c.change(camera.current);
        const De_Hd_Lines lines = De_Hd_Line_Table(camera.current, '1');
        EXPECT_EQ(lines[De_Hd_Status].Image, c.status_image);
        EXPECT_EQ(lines[De_Hd_Status].Fault, c.status_image == Detail_Image_Fault);
        EXPECT_EQ(lines[De_Hd_Status].Hint, c.status_hint);
        // No field tells whether the booster is there: no image, no alarm.
        EXPECT_EQ(lines[De_Hd_Booster], Detail_Line {});
        EXPECT_EQ(Any_Fault(lines), c.status_image == Detail_Image_Fault);
    }
}

namespace {

class De_Hd_Window : public ::testing::Test {
protected:
    De_Hd_Window() : window(&owner, nullptr, &camera.title, '2', &camera.current, &camera.snapshot) {}

    Camera camera;
    TForm owner {nullptr};
    TForm_DE_HD window;
};

} // namespace

TEST_F(De_Hd_Window, AHiddenWindowStillRecomputesItsAlarm)
{
    camera.current.HD.Amu2.Data_Valid_B = false;
    camera.Poll(window);
    EXPECT_FALSE(window.Visible());
    EXPECT_TRUE(window.HasAlarm());
    EXPECT_EQ(window.LabelStatus->Hint(), "") << "a hidden window writes no line";

    camera.current.HD.Amu2.Data_Valid_B = true;
    camera.Poll(window);
    EXPECT_FALSE(window.HasAlarm());
}

TEST_F(De_Hd_Window, ShownItPaintsTheFaultRedWithItsAdvice)
{
    camera.current.HD.Amu2.Data_Valid_B = false;
    window.Show();
    EXPECT_EQ(Colour_Of(window.LabelStatus), Detail_Fault_Colour);
    EXPECT_EQ(window.ImageStatus->ImageIndex(), Detail_Image_Fault);
    EXPECT_EQ(window.ImageStatus->Hint(), "Error programming\nthe data emitter");
    EXPECT_EQ(Colour_Of(window.LabelBooster), Detail_Normal_Colour);
    EXPECT_TRUE(window.HasAlarm());
}

TEST(HdDetailWindows, EnterEscapeAndTheBlockKeyHideTheWindowAndRPassesToThePage)
{
    Fake_Main_Window main_window {false};
    main_window.form_is_page = true;
    Camera camera;
    TForm_WCU_HD wcu(nullptr, nullptr, &camera.title, &camera.current, &camera.snapshot);
    TForm_AMU_HD amu1(nullptr, nullptr, nullptr, &camera.title, '1', &camera.current, &camera.snapshot);
    TForm_AMU_HD amu2(nullptr, nullptr, nullptr, &camera.title, '2', &camera.current, &camera.snapshot);
    TForm_DE_HD de1(nullptr, nullptr, &camera.title, '1', &camera.current, &camera.snapshot);
    TForm_DE_HD de2(nullptr, nullptr, &camera.title, '2', &camera.current, &camera.snapshot);
    TForm_WCA_HD wca(nullptr, nullptr, &camera.title, &camera.current, &camera.snapshot);
    const struct {
        Detail_Window* window;
        WORD own;
        WORD other;
    } windows[] = {{&wcu, 'W', 'A'}, {&amu1, 'A', 'M'}, {&amu2, 'M', 'A'},
                   {&de1, 'D', 'E'}, {&de2, 'E', 'D'},  {&wca, 'C', 'W'}};
    for (const auto& w : windows) {
        for (WORD key : {w.own, WORD {VK_RETURN}, WORD {VK_ESCAPE}}) {
            SCOPED_TRACE(std::string(1, static_cast<char>(w.own)) + " key " + std::to_string(key));
            camera.title.SetPressed(true);
            w.window->Show();
            w.window->Perform(WM_KEYDOWN, w.other, 0);
            w.window->Perform(WM_KEYDOWN, 'R', 0);
            EXPECT_TRUE(w.window->Visible());
            EXPECT_EQ(main_window.Posted_Keys(), (std::vector<std::pair<WPARAM, LPARAM>> {{'R', 0}}));
            w.window->Perform(WM_KEYDOWN, key, 0);
            EXPECT_FALSE(w.window->Visible());
            EXPECT_FALSE(camera.title.Pressed());
            EXPECT_TRUE(main_window.Posted_Keys().empty());
        }
    }
}
