#include "shell/host/Fich_cam_select.h"

#include "components/controls/SCLBackPanel.h"
#include "components/controls/SCLFormDisplay.h"
#include "components/controls/SCLShapeButton.h"
#include "components/controls/SCLSimplePanel.h"
#include "components/foundations/Sclsysinfo.h"
#include "link/St_system.h"
#include "platform/classlib/Graphics_Bitmap.h"
#include "platform/winapi/Cursor.h"
#include "platform/winapi/Gdi.h"
#include "platform/winapi/Window.h"
#include "screens/Status_ihm_sd_hd.h"
#include "tests/support/Temp_Settings.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using Selection = std::array<bool, 4>;

Selection Click(Selection before, int clicked, Camera_Click click, int camera_count = 4)
{
    Apply_Camera_Click(before.data(), clicked, click, camera_count);
    return before;
}

constexpr bool o = false;
constexpr bool X = true;

TEST(Camera_Selection, AClickSelectsAsTheModifierSays)
{
    const struct {
        const char* what;
        Selection before;
        int clicked;
        Camera_Click click;
        Selection after;
    } cases[] = {
        {"plain click", {X, o, X, X}, 1, Camera_Click::Alone, {o, X, o, o}},
        {"plain click on a selected camera", {X, X, o, o}, 0, Camera_Click::Alone, {X, o, o, o}},
        {"shift: from the first selected to the clicked", {X, o, o, o}, 2, Camera_Click::Range, {X, X, X, o}},
        {"shift: from the clicked to the next selected", {o, o, X, o}, 0, Camera_Click::Range, {X, X, X, o}},
        {"shift: the first selected alone", {X, o, X, X}, 0, Camera_Click::Range, {X, o, o, o}},
        {"shift: the first selected alone, later", {o, X, o, X}, 1, Camera_Click::Range, {o, X, o, o}},
        {"shift on a later selected camera", {X, o, X, X}, 2, Camera_Click::Range, {X, X, X, o}},
        {"shift on a camera between two", {o, X, o, X}, 2, Camera_Click::Range, {o, X, X, o}},
        {"shift before the only selected", {o, o, o, X}, 1, Camera_Click::Range, {o, X, X, X}},
        {"shift after the last selected", {o, X, o, o}, 3, Camera_Click::Range, {o, X, X, X}},
        {"ctrl keeps the only selected", {o, o, X, o}, 2, Camera_Click::Toggle, {o, o, X, o}},
        {"ctrl adds", {o, o, X, o}, 0, Camera_Click::Toggle, {X, o, X, o}},
        {"ctrl removes", {X, o, X, o}, 0, Camera_Click::Toggle, {o, o, X, o}},
        {"select all, four cameras", {o, X, o, o}, 1, Camera_Click::Select_All, {X, X, X, X}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Click(c.before, c.clicked, c.click), c.after);
    }
    EXPECT_EQ(Click({X, o, o, o}, 0, Camera_Click::Select_All, 3), (Selection {X, X, X, o}));
    EXPECT_EQ(Click({X, o, o, o}, 0, Camera_Click::Select_All, 1), (Selection {X, o, o, o}));
}

void Pump()
{
    for (int i = 0; i < 4; ++i) {
        Application->ProcessMessages();
    }
}

// The main window as the strip sees it: a borderless form at (100, 50)
// with a background panel whose first row tells every column's grey
// (column x has grey x / 4), and the hosting display in the bottom-right
// corner.
class Main_Window_Stand_In : public Cam_Select_Owner {
public:
    Main_Window_Stand_In()
    {
        main.SetBorderStyle(bsNone);
        main.SetBounds(100, 50, 791, 452);
        pictures->Items(pictures->Add())->SetBitmap(Background().get());
        back->SetBounds(0, 0, 791, 452);
        back->SetImageList(pictures.get());
        back->SetParent(&main);
        host->SetBounds(590, 424, 199, 26);
        host->SetVisible(false);
        host->SetParent(back);
    }
    ~Main_Window_Stand_In() override { back->SetImageList(nullptr); }

    TForm* Owner_Form() override { return &main; }
    TSCLBackPanel* Back_Panel() override { return back; }
    TSCLSysInfo* Sys_Info() override { return sys_info; }
    void Show_Selection(int count, const bool selected[4]) override
    {
        shown.push_back({count, Selection {selected[0], selected[1], selected[2], selected[3]}});
    }
    void Set_Camera_Name(int camera_index, int number) override { named.push_back({camera_index, number}); }

    static std::unique_ptr<TBitmap> Background()
    {
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->SetPixelFormat(pf24bit);
        bitmap->SetSize(791, 452);
        bitmap->Canvas()->Brush()->SetColor(clSilver);
        bitmap->Canvas()->FillRect(RECT {0, 0, 791, 452});
        for (int x = 0; x < 791; ++x) {
            const int grey = x / 4;
            bitmap->Canvas()->SetPixels(x, 0, static_cast<TColor>(RGB(grey, grey, grey)));
        }
        return bitmap;
    }

    TForm main {nullptr};
    std::unique_ptr<TSCLBitmapList> pictures = std::make_unique<TSCLBitmapList>(nullptr);
    TSCLBackPanel* back = new TSCLBackPanel(&main);
    TSCLFormDisplay* host = new TSCLFormDisplay(&main);
    TSCLSysInfo* sys_info = new TSCLSysInfo(&main);
    std::vector<std::pair<int, Selection>> shown;
    std::vector<std::pair<int, int>> named;
};

class Strip : public ::testing::Test {
protected:
    ~Strip() override { Override_Screen_Depth(0); }

    std::optional<int> Stored_Count()
    {
        int count = 0;
        return Reg_Read_Integer(Ordexia_Registry_Key, "Camera_Count", &count) ? std::optional<int>(count)
                                                                                : std::nullopt;
    }

    // The strip for a stored camera count, hosted and shown as the main
    // window does it.
    TForm_Cam_Select& Make(int stored_count)
    {
        Reg_Write_Integer(Ordexia_Registry_Key, "Camera_Count", stored_count);
        return Make();
    }
    TForm_Cam_Select& Make()
    {
        strip = new TForm_Cam_Select(&owner, owner.host);
        owner.host->AddFormExt(strip, true);
        owner.host->SetActiveFormIndex(0);
        owner.main.Show();
        Pump();
        return *strip;
    }

    std::array<TSCLShapeButton*, 4> Buttons() const
    {
        return {strip->ShapeButtonCAM1Select, strip->ShapeButtonCAM2Select, strip->ShapeButtonCAM3Select,
                strip->ShapeButtonCAM4Select};
    }
    Selection Pressed() const
    {
        Selection pressed {};
        for (std::size_t i = 0; i < 4; ++i) {
            pressed[i] = Buttons()[i]->Pressed();
        }
        return pressed;
    }
    Selection Selected() const { return {strip->Selected[0], strip->Selected[1], strip->Selected[2], strip->Selected[3]}; }
    Selection Marks() const
    {
        return {strip->PanelCAM1Select->Visible(), strip->PanelCAM2Select->Visible(),
                strip->PanelCAM3Select->Visible(), strip->PanelCAM4Select->Visible()};
    }

    // A key held as the desktop reports it to one of the program's windows.
    void Hold(int qt_key, bool down)
    {
        QKeyEvent event(down ? QEvent::KeyPress : QEvent::KeyRelease, qt_key,
                        down ? (qt_key == Qt::Key_Shift ? Qt::ShiftModifier : Qt::ControlModifier) : Qt::NoModifier);
        QApplication::sendEvent(Window_Widget(owner.main.Handle()), &event);
        Pump();
    }

    // A click acts once: one selection shown per click, pressed or not.
    void Click_Camera(int i)
    {
        const std::size_t before = owner.shown.size();
        strip->Click_Camera_Button(i);
        Pump();
        EXPECT_EQ(owner.shown.size(), before + 1) << "camera " << i + 1;
    }

    Temp_Settings settings;
    Main_Window_Stand_In owner;
    TForm_Cam_Select* strip = nullptr;
};

TEST_F(Strip, AMissingOrWrongCameraCountBecomesOneWrittenBack)
{
    for (const int stored : {0, 5, -1}) {
        SCOPED_TRACE(stored);
        Reg_Write_Integer(Ordexia_Registry_Key, "Camera_Count", stored);
        TForm_Cam_Select strip_of(&owner, owner.host);
        EXPECT_EQ(strip_of.CameraCount, 1);
        EXPECT_EQ(Stored_Count(), 1);
    }
    std::filesystem::remove_all(settings.Program_Folder());
    ASSERT_EQ(Stored_Count(), std::nullopt);
    TForm_Cam_Select missing(&owner, owner.host);
    EXPECT_EQ(missing.CameraCount, 1);
    EXPECT_EQ(Stored_Count(), 1);

    Reg_Write_Integer(Ordexia_Registry_Key, "Camera_Count", 3);
    TForm_Cam_Select three(&owner, owner.host);
    EXPECT_EQ(three.CameraCount, 3);
    EXPECT_EQ(Stored_Count(), 3);
}

TEST_F(Strip, CameraOneAloneIsSelectedAndTheStripShowsForSeveralCameras)
{
    Make(3);
    EXPECT_EQ(Selected(), (Selection {X, o, o, o}));
    EXPECT_EQ(strip->SelectedCount, 1);
    EXPECT_TRUE(owner.host->Visible());
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Buttons()[static_cast<std::size_t>(i)]->Tag(), i);
    }
}

TEST_F(Strip, OneCameraHidesTheStripAndLayoutLeavesItAlone)
{
    Make(1);
    EXPECT_FALSE(owner.host->Visible());
    const RECT before = owner.host->BoundsRect();
    strip->Layout(-1);
    EXPECT_EQ(owner.host->BoundsRect().left, before.left);
    EXPECT_EQ(owner.host->Width(), 199);
    EXPECT_FALSE(owner.host->Visible());
}

TEST_F(Strip, TheStripKeepsToTheBottomRightCornerForEveryCount)
{
    Make(4);
    const struct {
        int count, width;
    } cases[] = {{4, 199}, {3, 151}, {2, 103}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        owner.shown.clear();
        strip->Set_Camera_Count(c.count);
        EXPECT_EQ(Stored_Count(), c.count);
        EXPECT_TRUE(owner.host->Visible());
        EXPECT_EQ(owner.host->Width(), c.width);
        EXPECT_EQ(strip->PanelCameraSelect->Width(), c.width);
        EXPECT_EQ(owner.host->Left(), 791 - c.width - 2);
        EXPECT_EQ(owner.host->Top(), 452 - 26 - 2);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(Buttons()[static_cast<std::size_t>(i)]->Visible(), i < c.count);
        }
        EXPECT_EQ(Selected(), (Selection {X, o, o, o}));
        EXPECT_EQ(Marks(), (Selection {X, o, o, o}));
        EXPECT_EQ(Pressed(), (Selection {X, o, o, o}));
    }
    strip->Set_Camera_Count(1);
    EXPECT_FALSE(owner.host->Visible());
    EXPECT_EQ(Stored_Count(), 1);
}

TEST_F(Strip, ClicksSelectShowAndPressTheButtons)
{
    Make(4);
    strip->Layout(-1);
    Click_Camera(2);
    EXPECT_EQ(Selected(), (Selection {o, o, X, o}));
    EXPECT_EQ(Pressed(), Selected());
    EXPECT_EQ(Marks(), Selected());
    ASSERT_FALSE(owner.shown.empty());
    EXPECT_EQ(owner.shown.back(), (std::pair<int, Selection> {1, {o, o, X, o}}));

    Hold(Qt::Key_Shift, true);
    Click_Camera(0);
    Hold(Qt::Key_Shift, false);
    EXPECT_EQ(Selected(), (Selection {X, X, X, o}));
    EXPECT_EQ(strip->SelectedCount, 3);
    EXPECT_EQ(Pressed(), Selected());
    EXPECT_EQ(owner.shown.back(), (std::pair<int, Selection> {3, {X, X, X, o}}));

    Hold(Qt::Key_Control, true);
    Click_Camera(1); // a pressed button: its release is the click
    EXPECT_EQ(Selected(), (Selection {X, o, X, o}));
    EXPECT_EQ(Pressed(), Selected());
    EXPECT_EQ(owner.shown.back(), (std::pair<int, Selection> {2, {X, o, X, o}}));
    Click_Camera(3);
    EXPECT_EQ(Selected(), (Selection {X, o, X, X}));
    EXPECT_EQ(Pressed(), Selected());
    Hold(Qt::Key_Control, false);

    Click_Camera(2); // plain click on a selected camera
    EXPECT_EQ(Selected(), (Selection {o, o, X, o}));
    EXPECT_EQ(Pressed(), Selected());
    EXPECT_EQ(Marks(), Selected());
    EXPECT_EQ(owner.shown.back(), (std::pair<int, Selection> {1, {o, o, X, o}}));

    Hold(Qt::Key_Control, true);
    Click_Camera(2); // the only selected camera stays
    Hold(Qt::Key_Control, false);
    EXPECT_EQ(Selected(), (Selection {o, o, X, o}));
    EXPECT_EQ(Pressed(), Selected());
}

TEST_F(Strip, SelectAllIsOfferedUntilEveryCameraIsSelected)
{
    Make(3);
    strip->Layout(-1);
    strip->PopupCamSelect->OnPopup(strip->PopupCamSelect);
    EXPECT_TRUE(strip->MenuSelectAll->Enabled());
    strip->MenuSelectAll->Click();
    Pump();
    EXPECT_EQ(Selected(), (Selection {X, X, X, o}));
    EXPECT_EQ(Pressed(), Selected());
    EXPECT_EQ(owner.shown.back(), (std::pair<int, Selection> {3, {X, X, X, o}}));
    strip->PopupCamSelect->OnPopup(strip->PopupCamSelect);
    EXPECT_FALSE(strip->MenuSelectAll->Enabled());
}

TEST_F(Strip, ThePopupNamesTheCameraUnderTheCursor)
{
    Make(4);
    strip->Layout(-1);
    for (int i = 0; i < 4; ++i) {
        Status_IHM_SD_HD summary;
        const int number = 11 * (i + 1);
        summary.Camera_Index = static_cast<uint32_t>(i);
        summary.Camera_Number = &number;
        strip->Update_Camera_Button(summary);
    }
    // The cursor dx pixels right of mark k's left edge (or left of it).
    const struct {
        int count, mark, dx, camera;
    } cases[] = {{4, 0, 2, 0}, {4, 1, 0, 1}, {4, 2, -1, 1}, {4, 2, 0, 2}, {4, 3, 30, 3},
                 {2, 1, 10, 1}, {2, 2, 1, 1}, {2, 1, -1, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " cameras, mark " << c.mark << " + " << c.dx);
        if (strip->CameraCount != c.count) {
            strip->Set_Camera_Count(c.count);
        }
        TSCLSimplePanel* const marks[] = {strip->PanelCAM1Select, strip->PanelCAM2Select, strip->PanelCAM3Select,
                                          strip->PanelCAM4Select};
        const POINT left_top = marks[c.mark]->ClientToScreen(POINT {0, 0});
        SetCursorPos(left_top.x + c.dx, left_top.y + 10);
        strip->PopupCamSelect->OnPopup(strip->PopupCamSelect);
        EXPECT_EQ(strip->Get_Popup_Camera(), c.camera);
        // The camera's number is checked in the name menu.
        const int number = 11 * (c.camera + 1);
        EXPECT_TRUE(strip->MenuCamName->Items(number / 10 - 1)->Items(number % 10 + 1)->Checked());
    }
}

// While the left button holds a camera button, the cursor cannot leave it:
// it is put back one pixel inside the edge it crossed.
TEST_F(Strip, AHeldButtonKeepsTheCursor)
{
    Make(4);
    strip->Layout(-1);
    TSCLShapeButton* button = strip->ShapeButtonCAM2Select;
    QWidget* panel = Window_Widget(strip->PanelCameraSelect->Handle());
    const POINT origin = button->ClientToScreen(POINT {0, 0});
    const auto send = [&](QEvent::Type type, Qt::MouseButton changed, Qt::MouseButtons held, POINT at) {
        const QPoint global(at.x, at.y);
        QMouseEvent event(type, panel->mapFromGlobal(global), global, changed, held, Qt::NoModifier);
        QApplication::sendEvent(panel, &event);
        Pump();
    };
    send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, POINT {origin.x + 10, origin.y + 10});
    const struct {
        POINT to, kept;
    } cases[] = {
        {{origin.x + 200, origin.y - 30}, {origin.x + 47 - 2, origin.y + 1}},
        {{origin.x - 5, origin.y + 20}, {origin.x + 1, origin.y + 20 - 2}},
        {{origin.x + 46, origin.y + 19}, {origin.x + 46, origin.y + 19}},
    };
    for (const auto& c : cases) {
        SetCursorPos(c.to.x, c.to.y);
        send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, c.to);
        POINT cursor {};
        GetCursorPos(&cursor);
        EXPECT_EQ(cursor.x, c.kept.x);
        EXPECT_EQ(cursor.y, c.kept.y);
    }
    send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, POINT {origin.x + 10, origin.y + 10});
    // Free again: the cursor goes where it is moved.
    SetCursorPos(origin.x + 200, origin.y - 30);
    send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton, POINT {origin.x + 20, origin.y + 10});
    POINT cursor {};
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, origin.x + 200);
    EXPECT_EQ(Selected(), (Selection {o, X, o, o}));
}

TEST_F(Strip, ANewNumberFromTheMenuRenamesThePopupCamera)
{
    Make(4);
    strip->Layout(-1);
    SetCursorPos(100 + owner.host->Left() + 60, 50 + owner.host->Top() + 10);
    strip->PopupCamSelect->OnPopup(strip->PopupCamSelect);
    ASSERT_EQ(strip->Get_Popup_Camera(), 1);
    TMenuItem* seven = strip->MenuCamName->Items(6)->Items(0);
    ASSERT_EQ(seven->Tag(), 7);
    seven->Click();
    EXPECT_EQ(owner.named, (std::vector<std::pair<int, int>> {{1, 7}}));
    seven->SetChecked(true);
    seven->Click(); // already its number: nothing to do
    EXPECT_EQ(owner.named.size(), 1u);
}

TEST_F(Strip, ButtonsShowTheCameraNumberAndAlarm)
{
    Make(2);
    strip->Layout(-1);
    TSCLShapeButton* button = strip->ShapeButtonCAM2Select;
    Status_IHM_SD_HD summary;
    summary.Camera_Index = 1;
    const struct {
        int number;
        uint8_t alarm;
        const char* caption;
        TColor colour;
    } cases[] = {{9, 1, "Cam 9", 0x0000FF}, {10, 0, "Cam10", 0x00FF00}, {99, 1, "Cam99", 0x0000FF}, {1, 0, "Cam 1", 0x00FF00}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        summary.Camera_Number = &c.number;
        summary.Status_Alarm = c.alarm;
        strip->Update_Camera_Button(summary);
        EXPECT_EQ(button->Caption(), c.caption);
        EXPECT_EQ(strip->Get_Caption_Text(), c.caption);
        EXPECT_EQ(button->ShapeFill()->Gradient()->EndColor(), c.colour);
        EXPECT_EQ(button->Shape()->Brush()->Color(), c.colour);
    }
    EXPECT_EQ(strip->ShapeButtonCAM1Select->Caption(), "Cam 1");

    // A hidden strip only remembers the number, for its menu.
    strip->Set_Camera_Count(1);
    const int number = 42;
    summary.Camera_Index = 0;
    summary.Camera_Number = &number;
    strip->Update_Camera_Button(summary);
    EXPECT_EQ(strip->ShapeButtonCAM1Select->Caption(), "Cam 1");
    strip->PopupCamSelect->OnPopup(strip->PopupCamSelect);
    EXPECT_TRUE(strip->MenuCamName->Items(3)->Items(3)->Checked());
}

TEST_F(Strip, TheColourDepthChoosesGradientOrPlainButtons)
{
    const struct {
        int depth;
        TSCLFillStyle fill;
        int bevel;
    } cases[] = {{8, sfBrush, 1}, {16, sfGradient, 2}, {24, sfGradient, 2}, {32, sfGradient, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.depth);
        Override_Screen_Depth(c.depth);
        TForm_Cam_Select strip_of(&owner, owner.host);
        for (TSCLShapeButton* button : {strip_of.ShapeButtonCAM1Select, strip_of.ShapeButtonCAM4Select}) {
            EXPECT_EQ(button->ShapeFill()->Style(), c.fill);
            EXPECT_EQ(button->Shape()->Bevel()->Width(), c.bevel);
        }
    }
}

// Column x of the background's first row has grey x / 4; the marks'
// middles lie at 590 + 4 + 23 = 617, 665, 713 and 761 of the main window.
TEST_F(Strip, TheMarksTakeTheGreyOfTheBackgroundAboveThem)
{
    const struct {
        int depth;
        std::array<uint8_t, 4> greys;
    } cases[] = {
        {32, {154, 166, 178, 190}},
        {24, {154, 166, 178, 190}},
        {16, {152, 160, 176, 184}}, // five bits of blue
        {8, {154, 166, 178, 190}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.depth);
        Override_Screen_Depth(c.depth);
        TForm_Cam_Select strip_of(&owner, owner.host);
        strip_of.Sample_Background_Colours();
        EXPECT_EQ((std::array<uint8_t, 4> {strip_of.Greys[0], strip_of.Greys[1], strip_of.Greys[2], strip_of.Greys[3]}),
                  c.greys);
    }
}

TEST_F(Strip, AMarkTakesTheGreyOfWhereItsButtonStands)
{
    Make(2);
    for (int i = 0; i < 4; ++i) {
        strip->Greys[i] = static_cast<uint8_t>(10 * (i + 1));
    }
    strip->Set_Camera_Count(2);
    Hold(Qt::Key_Control, true);
    Click_Camera(1);
    Hold(Qt::Key_Control, false);
    // Two buttons stand where buttons 3 and 4 of four stand.
    EXPECT_EQ(strip->PanelCAM1Select->Color(), static_cast<TColor>(RGB(30, 30, 30)));
    EXPECT_EQ(strip->PanelCAM2Select->Color(), static_cast<TColor>(RGB(40, 40, 40)));
}

TEST_F(Strip, RenderedWithTwoOfFourSelectedAndOneInAlarm)
{
    Make(4);
    strip->Sample_Background_Colours();
    strip->Layout(-1);
    Hold(Qt::Key_Control, true);
    Click_Camera(2);
    Hold(Qt::Key_Control, false);
    for (int i = 0; i < 4; ++i) {
        Status_IHM_SD_HD summary;
        const int number = i == 3 ? 12 : i + 1;
        summary.Camera_Index = static_cast<uint32_t>(i);
        summary.Camera_Number = &number;
        summary.Status_Alarm = i == 1;
        strip->Update_Camera_Button(summary);
    }
    Pump();
    const QImage shown = Window_Widget(owner.main.Handle())->grab().toImage();
    const QImage strip_image = shown.copy(owner.host->Left(), owner.host->Top(), owner.host->Width(),
                                          owner.host->Height());
    if (qEnvironmentVariableIsSet("SHELL_RENDER_DIR")) {
        const QString folder = qEnvironmentVariable("SHELL_RENDER_DIR");
        strip_image.scaled(strip_image.size() * 4).save(folder + "/strip-4-cameras.png");
    }
    // The marks over cameras 1 and 3 in their grey; none over 2 and 4.
    const auto shown_at = [&](TControl* control, int x, int y) {
        const POINT point = owner.main.ScreenToClient(control->ClientToScreen(POINT {x, y}));
        return shown.pixel(point.x, point.y);
    };
    const auto grey = [](uint8_t g) { return qRgb(g, g, g); };
    EXPECT_EQ(shown_at(strip->PanelCAM1Select, 23, 2), grey(strip->Greys[0]));
    EXPECT_EQ(shown_at(strip->PanelCAM3Select, 23, 2), grey(strip->Greys[2]));
    EXPECT_EQ(shown_at(strip->PanelCAM2Select, 23, 2), qRgb(0xA0, 0xA0, 0xA4)); // the strip's own clMedGray
    // White fading to the alarm's red low on button 2, to lime on the others.
    const QRgb alarm = shown_at(strip->ShapeButtonCAM2Select, 23, 16);
    EXPECT_EQ(qRed(alarm), 0xFF);
    EXPECT_LT(qGreen(alarm), 0x80);
    const QRgb good = shown_at(strip->ShapeButtonCAM4Select, 23, 16);
    EXPECT_EQ(qGreen(good), 0xFF);
    EXPECT_LT(qRed(good), 0x80);
}

} // namespace
