// An HD recording as its user meets it: Ctrl+R asks for a file in the
// user's documents folder, and asks before replacing one, as the status
// log's save does; Ctrl+R again
// stops it and a box says how many frames were recorded where. The box is
// a dialog without window buttons that the keyboard closes, and once it is
// closed the block keys still open their detail windows, on every page.

#include "tests/shell/host/program/Program_Desktop.h"
#include "tests/shell/host/program/Program_Input.h"
#include "tests/support/File_Text.h"

#include "link/St_system.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <string>

// A namespace of its own: a unity build compiles this file with others.
namespace program_recording_box {

namespace fs = std::filesystem;

// The Motif hints' fields: which of them are given, the window manager's
// actions and the frame's parts.
constexpr unsigned long Functions_Given = 1;
constexpr unsigned long Decorations_Given = 2;
constexpr unsigned long Function_Resize = 2;
constexpr unsigned long Function_Minimise = 8;
constexpr unsigned long Function_Maximise = 16;
constexpr unsigned long Function_Close = 32;
constexpr unsigned long Decoration_Title = 8;
constexpr unsigned long Decoration_Menu = 16;
constexpr unsigned long Decoration_Minimise = 32;
constexpr unsigned long Decoration_Maximise = 64;

// OK is 73 pixels wide at 150 from the box's left, and 25 high: along
// that column its face is a run of rows lighter than the box around it.
// The middle of that run once the box is drawn, else -1.
constexpr int Ok_Centre_X = 150 + 73 / 2;

constexpr BYTE Video_Link_Good = 4;

int Ok_Centre_Y(const QImage& box)
{
    int run_start = -1;
    for (int y = 0; y <= box.height(); ++y) {
        const bool light = y < box.height() && box.pixelColor(Ok_Centre_X, y).lightness() >= 235;
        if (light && run_start < 0)
            run_start = y;
        if (!light && run_start >= 0) {
            if (run_start > 0 && y - run_start >= 15 && y - run_start <= 25)
                return (run_start + y) / 2;
            run_start = -1;
        }
    }
    return -1;
}

class Program_Recording_Box : public Program_Desktop {
protected:
    ~Program_Recording_Box() override { fs::remove_all(home); }

    // Camera 1 is HD, and stored so: its page is the HD one from the start;
    // the others are SD.
    void Start_Cameras(int cameras)
    {
        fs::create_directories(documents);
        Use_Cameras(cameras);
        Hd_Wcu hd = Hd_Camera(100);
        hd.Report_Link_Event(Video_Link_Good); // a line in the status log
        hd.Load(Wcu(1));
        for (int camera = 2; camera <= cameras; ++camera)
            Typical_Sd_Wcu().Load(Wcu(camera));
        Reg_Write_Camera_Integer(Ordexia_Registry_Key, "System_Type", 1, 0);
        Start();
        const Rectangle_On_Screen vqos = Layout_Of("TForm_Main_HD").at("ProgressVQOS");
        ASSERT_TRUE(Screen_Shows("recording_box_hd_page", [&](const QImage& image) {
            return Count_Pixels(image, vqos, Coloured) > 10;
        })) << "the HD page shows the polled camera, so that it can record";
    }

    // The program's shown window that is neither the main one nor `besides`.
    unsigned long Wait_For_Other_Window(unsigned long besides = 0)
    {
        return Wait_For_Window(
            [besides](const auto& window) { return !Is_Main_Window(window) && window.Id != besides; });
    }
    bool Only_Main_Window()
    {
        return Wait_Until([&] { return Program_Window([](const auto& window) { return !Is_Main_Window(window); }) == 0; },
                          Program_Generous_Limit);
    }
    bool Gone(unsigned long window)
    {
        return Wait_Until([&] { return Program_Window([window](const auto& w) { return w.Id == window; }) == 0; },
                          Program_Generous_Limit);
    }

    // Ctrl+R on the HD page: the save dialog, or 0.
    unsigned long Open_Save_Dialog()
    {
        EXPECT_TRUE(Press_Key(Main_Window(), "r", {"Control_L"}));
        return Wait_For_Other_Window();
    }
    // The letters, then Tab, which takes the focus off the name (and
    // closes the list of names the typed ones may complete), and Return,
    // which then stands for the dialog's Save button.
    static void Type_Name_And_Save(unsigned long dialog, const std::string& letters)
    {
        for (const char letter : letters)
            ASSERT_TRUE(Press_Key(dialog, std::string(1, letter)));
        ASSERT_TRUE(Press_Key(dialog, "Tab"));
        ASSERT_TRUE(Press_Key(dialog, "Return"));
    }
    // A file name typed without its extension, and Return.
    void Start_Recording(const std::string& name)
    {
        const unsigned long dialog = Open_Save_Dialog();
        ASSERT_NE(dialog, 0u) << "Ctrl+R opens the save dialog";
        Type_Name_And_Save(dialog, name);
        ASSERT_TRUE(Only_Main_Window()) << "Return accepts the dialog";
        ASSERT_TRUE(Wait_Until([&] { return fs::exists(documents / (name + ".hdw")); }, Program_Generous_Limit))
            << "the recording is made in the documents folder";
    }
    // Ctrl+R again: the box that reports the recording, or 0.
    unsigned long Stop_Recording()
    {
        EXPECT_TRUE(Press_Key(Main_Window(), "r", {"Control_L"}));
        return Wait_For_Other_Window();
    }

    // A click on the recording lamp, once it shows: the box, or 0.
    unsigned long Stop_Recording_By_Lamp()
    {
        const Rectangle_On_Screen lamp = Layout_Of("TForm_Main_HD").at("ImageStatusRecord");
        EXPECT_TRUE(Screen_Shows("recording_box_lamp", [&](const QImage& image) {
            return Count_Pixels(image, lamp, Coloured) > 5;
        })) << "the lamp shows while the recording runs";
        EXPECT_TRUE(Click_At(Main_Window(), lamp.Left + lamp.Width / 2, lamp.Top + lamp.Height / 2));
        return Wait_For_Other_Window();
    }

    // The block key on the page, and its detail window of that size, or 0.
    unsigned long Open_Detail_Window(const std::string& key, int width, int height)
    {
        EXPECT_TRUE(Press_Key(Main_Window(), key));
        return Wait_For_Window(
            [width, height](const auto& window) { return window.Width == width && window.Height == height; });
    }

    fs::path home = Make_Temp_Folder("recording_box");
    Environment_Setting home_variable{"HOME", home.string()};
    fs::path documents = home / "Documents";
};

TEST_F(Program_Recording_Box, OnceTheBoxIsClosedTheBlockKeysOpenTheirWindowsOnEveryPage)
{
    // Four cameras: the strip shows all four buttons where its form puts them.
    Start_Cameras(4);
    const struct {
        const char* name;
        std::function<unsigned long()> stop;
    } stops[] = {
        {"lamp", [&] { return Stop_Recording_By_Lamp(); }},
        {"keys", [&] { return Stop_Recording(); }},
    };
    for (const auto& stop : stops) {
        SCOPED_TRACE(stop.name);
        Start_Recording(stop.name);
        const unsigned long box = stop.stop();
        ASSERT_NE(box, 0u) << "stopping the recording shows the box";
        QImage picture_of_box;
        const bool ok_shown = Wait_Until(
            [&] {
                picture_of_box = Grab_Window(box);
                return picture_of_box.width() > Ok_Centre_X && Ok_Centre_Y(picture_of_box) > 0;
            },
            Program_Generous_Limit);
        Save_Artefact(picture_of_box, "recording_box");
        ASSERT_TRUE(ok_shown) << "the box shows its OK button";
        ASSERT_TRUE(Click_At(box, Ok_Centre_X, Ok_Centre_Y(picture_of_box)));
        ASSERT_TRUE(Only_Main_Window()) << "OK closes the box";

        // The HD WCU window is 262 x 386, the SD one 262 x 304.
        const unsigned long hd_wcu = Open_Detail_Window("w", 262, 386);
        ASSERT_NE(hd_wcu, 0u) << "W opens the HD page's WCU window after the box";
        ASSERT_TRUE(Press_Key(hd_wcu, "Escape"));
        ASSERT_TRUE(Only_Main_Window()) << "Escape closes the WCU window";
    }

    const Rectangle_On_Screen strip = Layout_Of("TForm_Main").at("SCLFormCamSelect");
    const Rectangle_On_Screen button_2 = Layout_Of("TForm_Cam_Select").at("ShapeButtonCAM2Select");
    ASSERT_TRUE(Click_At(Main_Window(), strip.Left + button_2.Left + button_2.Width / 2,
                         strip.Top + button_2.Top + button_2.Height / 2));
    // The SD page has no WCA block, whose title the HD page shows lit.
    const Rectangle_On_Screen wca_title = Layout_Of("TForm_Main_HD").at("ShapeButtonWCATitle");
    ASSERT_TRUE(Screen_Shows("recording_box_sd_page", [&](const QImage& image) {
        return Count_Pixels(image, wca_title, Lime) == 0;
    })) << "camera 2's SD page shows";
    EXPECT_NE(Open_Detail_Window("w", 262, 304), 0u) << "W opens the SD page's WCU window after the box";
}

TEST_F(Program_Recording_Box, TheBoxIsADialogWithoutWindowButtonsThatItsKeysClose)
{
    Start_Cameras(1);
    const unsigned long dialog_type = screen->Atom_Of("_NET_WM_WINDOW_TYPE_DIALOG");
    for (const std::string key : {"Return", "space", "Escape"}) {
        SCOPED_TRACE(key);
        Start_Recording(key == "Return" ? "enter" : key == "space" ? "space" : "escape");
        const unsigned long box = Stop_Recording();
        ASSERT_NE(box, 0u) << "stopping the recording shows the box";

        const std::vector<unsigned long> types = screen->Property_Values(box, "_NET_WM_WINDOW_TYPE");
        EXPECT_NE(std::find(types.begin(), types.end(), dialog_type), types.end()) << "a dialog's window";
        const std::vector<unsigned long> hints = screen->Property_Values(box, "_MOTIF_WM_HINTS");
        ASSERT_EQ(hints.size(), 5u);
        EXPECT_EQ(hints[0], Functions_Given | Decorations_Given)
            << "the actions and the frame's parts are given, not left to the window manager";
        EXPECT_EQ(hints[1] & (Function_Resize | Function_Minimise | Function_Maximise | Function_Close), 0u);
        EXPECT_NE(hints[2] & Decoration_Title, 0u) << "a title bar";
        EXPECT_EQ(hints[2] & (Decoration_Menu | Decoration_Minimise | Decoration_Maximise), 0u) << "no button on it";

        ASSERT_TRUE(Press_Key(box, key));
        ASSERT_TRUE(Gone(box)) << key << " closes the box";
    }
}

// Both save dialogs of the HD page: the recording's (Ctrl+R) and the
// status log's ("Save all messages", above "Clear all messages" at the
// bottom of the log's menu).
TEST_F(Program_Recording_Box, SavingOverAnOldFileAsksFirstAndNoKeepsTheOldFile)
{
    Start_Cameras(1);
    const Rectangle_On_Screen memo = Layout_Of("TForm_Main_HD").at("MemoStatus");
    const struct {
        const char* name;
        const char* file;
        std::function<unsigned long()> open;
    } saves[] = {
        {"recording", "old.hdw", [&] { return Open_Save_Dialog(); }},
        {"status log", "old.txt",
         [&] {
             const Rectangle_On_Screen text {memo.Left + 4, memo.Top + 4, memo.Width / 2, memo.Height - 8};
             EXPECT_TRUE(Screen_Shows("recording_box_status_log", [&](const QImage& image) {
                 return Count_Pixels(image, text, Black_Ink) > 20;
             })) << "the status log has a line to save";
             EXPECT_TRUE(Right_Click_At(Main_Window(), memo.Left + memo.Width / 2, memo.Top + memo.Height / 2));
             const unsigned long menu = Wait_For_Other_Window();
             EXPECT_NE(menu, 0u) << "the log's menu shows";
             for (const char* key : {"Up", "Up", "Return"})
                 EXPECT_TRUE(Press_Key(menu, key));
             EXPECT_TRUE(Gone(menu));
             return Wait_For_Other_Window();
         }},
    };
    for (const auto& save : saves) {
        SCOPED_TRACE(save.name);
        const fs::path old_file = documents / save.file;
        std::ofstream(old_file, std::ios::binary) << "an older file";
        const unsigned long dialog = save.open();
        ASSERT_NE(dialog, 0u) << "the save dialog shows";
        std::string title;
        Program_Window([&](const auto& window) {
            if (window.Id == dialog)
                title = window.Title;
            return false;
        });
        Type_Name_And_Save(dialog, "old");
        // Either the question shows, under the dialog's title, or the
        // dialog went without asking.
        unsigned long question = 0;
        ASSERT_TRUE(Wait_Until(
            [&] {
                question = Program_Window([&](const auto& w) { return w.Id != dialog && w.Title == title; });
                return question != 0 || Program_Window([dialog](const auto& w) { return w.Id == dialog; }) == 0;
            },
            Program_Generous_Limit));
        ASSERT_NE(question, 0u) << "the dialog asks before replacing " << save.file;
        ASSERT_TRUE(Press_Key(question, "n"));
        ASSERT_TRUE(Gone(question)) << "N answers No";
        ASSERT_TRUE(Press_Key(dialog, "Escape"));
        ASSERT_TRUE(Only_Main_Window()) << "Escape cancels the dialog";
        EXPECT_EQ(File_Text(old_file), "an older file");
    }
}

} // namespace program_recording_box
