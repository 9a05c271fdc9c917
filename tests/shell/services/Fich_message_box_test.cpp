#include "shell/services/Fich_message_box.h"

#include "components/foundations/Sclcont.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Dialog_Registry.h"
#include "platform/classlib/Graphics_Bitmap.h"
#include "platform/winapi/Kernel.h"
#include "platform/winapi/Window.h"
#include "shell/host/Main_container.h"
#include "tests/support/Temp_Settings.h"

#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

class Message_Box : public ::testing::Test {
protected:
    std::unique_ptr<TForm_Message_Box> Make(const std::string& text, UINT flags = MB_ICONINFORMATION)
    {
        return std::make_unique<TForm_Message_Box>(nullptr, text, "Caption", &camera, &camera_count, flags);
    }

    Temp_Settings settings;
    St_System_Settings camera {0};
    std::atomic<int> camera_count {1};
};

TEST_F(Message_Box, TheCameraNumberComesFirstWithSeveralCameras)
{
    camera.Name = 5;
    EXPECT_EQ(Make("12 frames")->LabelMessage->Caption(), "12 frames");
    camera_count = 2;
    EXPECT_EQ(Make("12 frames")->LabelMessage->Caption(), "Camera 5\n12 frames");
}

TEST_F(Message_Box, AShortTextIsCentredRightOfTheIcon)
{
    auto box = Make("OK");
    EXPECT_EQ(box->Caption(), "Caption");
    EXPECT_FALSE(box->LabelMessage->AutoSize());
    EXPECT_EQ(box->LabelMessage->Alignment(), taCenter);
    EXPECT_EQ(box->LabelMessage->Left(), 8 + 32 + 5);
    EXPECT_EQ(box->LabelMessage->Width(), 284);
}

TEST_F(Message_Box, ALongLineIsBrokenBetweenCharacters)
{
    const std::string text(200, 'W');
    auto box = Make(text);
    const std::string shown = box->LabelMessage->Caption();
    std::string joined = shown;
    joined.erase(std::remove(joined.begin(), joined.end(), '\n'), joined.end());
    EXPECT_EQ(joined, text);
    EXPECT_GE(std::count(shown.begin(), shown.end(), '\n'), 2);
    EXPECT_LE(box->LabelMessage->Width(), 284);
    // Each line but the last is as long as fits: one character more does not.
    const std::size_t first = shown.find('\n');
    box->LabelMessage->SetCaption(text.substr(0, first + 1));
    EXPECT_GT(box->LabelMessage->Width(), 284);
}

TEST_F(Message_Box, TheFlagsChooseButtonsAndIcon)
{
    const struct {
        UINT flags;
        bool yes_no;
        int icon;
    } cases[] = {{MB_ICONINFORMATION, false, 0}, {MB_ICONERROR, false, 1}, {MB_YESNO, true, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flags);
        auto box = Make("Text", c.flags);
        EXPECT_EQ(box->ButtonYes->Visible(), c.yes_no);
        EXPECT_EQ(box->ButtonNo->Visible(), c.yes_no);
        EXPECT_EQ(box->ButtonOK->Visible(), !c.yes_no);
        const int top = box->LabelMessage->Top() + box->LabelMessage->Height() + 15;
        EXPECT_EQ(box->ButtonOK->Top(), top);
        EXPECT_EQ(box->ButtonYes->Top(), top);
        EXPECT_EQ(box->ImageIcon->ImageIndex(), c.icon);
    }
}

// Shown without a modal loop: the call returns with the box open; OK closes
// it, and deleting it afterwards is safe.
TEST_F(Message_Box, ShownWithoutWaitingAndClosedByOk)
{
    std::unique_ptr<Modeless_Message_Box> shown = Show_Form_Message_Box("3 frames", "Caption", MB_ICONINFORMATION,
                                                                        camera, &camera_count);
    auto* box = dynamic_cast<TForm_Message_Box*>(shown.get());
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->Visible());
    EXPECT_TRUE(Find_Modal_Dialogs(GetCurrentThreadId()).empty());
    box->ButtonOK->Click();
    EXPECT_FALSE(box->Visible());
    shown.reset();
}

// Each box brings itself to the front when it loses it: two open at once
// must not take it from each other for ever.
TEST_F(Message_Box, TwoBoxesOpenTogether)
{
    auto first = Show_Form_Message_Box("camera 1", "Caption", MB_ICONINFORMATION, camera, &camera_count);
    auto second = Show_Form_Message_Box("camera 2", "Caption", MB_ICONINFORMATION, camera, &camera_count);
    for (auto* shown : {first.get(), second.get()}) {
        EXPECT_TRUE(dynamic_cast<TForm_Message_Box*>(shown)->Visible());
    }
}

// The global image list with the message-box strip as its item 7: two
// frames of 8 x 8 on the key colour in every corner, a 4 x 4 block in the
// middle, blue for the ordinary picture and red for the error.
class Message_Box_Strip {
public:
    static constexpr TColor Key = clFuchsia;

    Message_Box_Strip()
    {
        TBitmap strip;
        strip.SetSize(16, 8);
        strip.Canvas()->Brush()->SetColor(Key);
        strip.Canvas()->FillRect(RECT {0, 0, 16, 8});
        strip.Canvas()->Brush()->SetColor(clBlue);
        strip.Canvas()->FillRect(RECT {2, 2, 6, 6});
        strip.Canvas()->Brush()->SetColor(clRed);
        strip.Canvas()->FillRect(RECT {10, 2, 14, 6});
        TSCLImageList* list = SCLContainer->ImageList();
        while (list->Count() < 8) {
            list->Items(list->Add())->ConvertBmpToIML(&strip, 2, false);
        }
    }
    ~Message_Box_Strip() { SCLContainer->ImageList()->Clear(); }
};

// The colour the box shows at (x, y) of its client area.
TColor Shown_At(TForm_Message_Box& box, int x, int y)
{
    for (int i = 0; i < 3; ++i) {
        Application->ProcessMessages();
    }
    const QImage shown = Window_Widget(box.Handle())->grab().toImage();
    const QRgb pixel = shown.pixel(x, y);
    return static_cast<TColor>(RGB(qRed(pixel), qGreen(pixel), qBlue(pixel)));
}

TEST_F(Message_Box, TheIconIsTheStripsPictureForTheFlags)
{
    Message_Box_Strip strip;
    const struct {
        UINT flags;
        TColor mark;
    } cases[] = {{MB_ICONINFORMATION, clBlue}, {MB_ICONERROR, clRed}, {MB_YESNO | MB_ICONERROR, clRed}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flags);
        auto box = Make("Text", c.flags);
        box->Show();
        // Stretched four times: the block fills 8..24 of the 32 pixels.
        EXPECT_EQ(Shown_At(*box, 8 + 16, 24 + 16), c.mark);
        EXPECT_EQ(Shown_At(*box, 8 + 8, 24 + 23), c.mark);
        // The key colour lets the face show through.
        EXPECT_EQ(Shown_At(*box, 8 + 1, 24 + 1), ColorToRGB(box->Color()));
        EXPECT_EQ(Shown_At(*box, 8 + 7, 24 + 16), ColorToRGB(box->Color()));
        if (qEnvironmentVariableIsSet("SHELL_RENDER_DIR")) {
            Window_Widget(box->Handle())->grab().save(qEnvironmentVariable("SHELL_RENDER_DIR") + "/message-box-" +
                                                      QString::number(c.flags) + ".png");
        }
    }
}

// The program's own artwork: both pictures fill the icon's place, and
// differ.
TEST_F(Message_Box, TheProgramsArtworkGivesBothIcons)
{
    TSCLContainerCtrl container(nullptr);
    Load_Main_Container(container);
    std::vector<QImage> icons;
    for (const UINT flags : {MB_ICONINFORMATION, MB_ICONERROR}) {
        auto box = Make("3 frame(s) have been recorded in :\n/home/user/record.bin", flags);
        box->Show();
        for (int i = 0; i < 3; ++i) {
            Application->ProcessMessages();
        }
        const QImage shown = Window_Widget(box->Handle())->grab().toImage();
        if (qEnvironmentVariableIsSet("SHELL_RENDER_DIR")) {
            shown.save(qEnvironmentVariable("SHELL_RENDER_DIR") + "/message-box-artwork-" + QString::number(flags) +
                       ".png");
        }
        icons.push_back(shown.copy(8, 24, 32, 32).convertToFormat(QImage::Format_RGB32));
        const QRgb face = shown.pixel(4, 4);
        int drawn = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                drawn += icons.back().pixel(x, y) != face;
            }
        }
        EXPECT_GT(drawn, 32 * 32 / 4) << flags;
    }
    EXPECT_NE(icons[0], icons[1]);
    SCLContainer->BitmapList()->Clear();
    SCLContainer->ImageList()->Clear();
}

// Before the artwork is loaded the list has no message-box strip: the box
// shows no icon and works.
TEST_F(Message_Box, WithoutTheStripTheBoxHasNoIcon)
{
    SCLContainer->ImageList()->Clear();
    auto box = Make("Text", MB_ICONERROR);
    box->Show();
    EXPECT_EQ(Shown_At(*box, 8 + 16, 24 + 16), ColorToRGB(box->Color()));
    EXPECT_EQ(Shown_At(*box, 8 + 1, 24 + 1), ColorToRGB(box->Color()));
    box->ButtonOK->Click();
    EXPECT_FALSE(box->Visible());
}

} // namespace
