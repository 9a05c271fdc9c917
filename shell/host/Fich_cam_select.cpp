#include "shell/host/Fich_cam_select.h"

#include "components/controls/SCLBackPanel.h"
#include "components/controls/SCLFormDisplay.h"
#include "components/controls/SCLShapeButton.h"
#include "components/controls/SCLSimplePanel.h"
#include "components/foundations/Sclsysinfo.h"
#include "link/St_system.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/winapi/Cursor.h"
#include "platform/winapi/Message.h"
#include "platform/winapi/Window.h"
#include "screens/Status_ihm_sd_hd.h"
#include "shell/host/Fich_main.h"
#include "shell/services/Menu_camera_name.h"
#include "shell/services/Screen_dpi.h"

#include <algorithm>

TForm_Cam_Select* Form_Cam_Select = nullptr;

namespace {

constexpr TColor Alarm_Colour = 0x0000FF;
constexpr TColor Good_Colour = 0x00FF00;

void Select_Range(bool selected[4], int clicked)
{
    bool done = false;
    bool in_range = false;
    bool past_clicked = false;
    for (int i = 0; i < 4; ++i) {
        if (i == clicked) {
            past_clicked = true;
        }
        const bool marks_end = selected[i] || i == clicked;
        if (!done && !in_range && selected[i] && i == clicked) {
            done = true;
        } else if (!done && !in_range && marks_end) {
            selected[i] = true;
            in_range = true;
        } else if (!done && in_range && past_clicked && marks_end) {
            selected[i] = true;
            in_range = false;
            done = true;
        } else {
            selected[i] = in_range;
        }
    }
}

int Count_Selected(const bool selected[4]) { return static_cast<int>(std::count(selected, selected + 4, true)); }

// The grey of a column of the background's first row, as the byte a pixel
// of the screen's depth starts with: at 16 bits the blue field's five bits
// scaled to a byte, else the blue byte. (An 8-bit pixel's byte would be a
// palette index, no grey at all: such screens get the grey too.)
uint8_t Sample_Grey(TBitmap& picture, int column, int depth)
{
    const uint8_t blue = GetBValue(ColorToRGB(picture.Canvas()->Pixels(column, 0)));
    const bool sixteen_bits = depth > 8 && depth <= 16;
    return sixteen_bits ? static_cast<uint8_t>((blue >> 3) * 8) : blue;
}

// The main window's own services, as the strip asks for them.
class Main_Window_Owner : public Cam_Select_Owner {
public:
    explicit Main_Window_Owner(TForm_Main* main) : main_window(main) {}

    TForm* Owner_Form() override { return main_window; }
    TSCLBackPanel* Back_Panel() override { return main_window->BackPanelFormDisplay; }
    TSCLSysInfo* Sys_Info() override { return main_window->MainSysInfo; }
    void Show_Selection(int count, const bool selected[4]) override { main_window->Show_Selection(count, selected); }
    void Set_Camera_Name(int camera_index, int number) override
    {
        main_window->Set_Camera_Name(camera_index, number);
    }

private:
    TForm_Main* main_window;
};

} // namespace

void Apply_Camera_Click(bool selected[4], int clicked, Camera_Click click, int camera_count)
{
    switch (click) {
    case Camera_Click::Select_All:
        for (int i = 0; i < 4; ++i) {
            selected[i] = i < camera_count;
        }
        break;
    case Camera_Click::Range:
        Select_Range(selected, clicked);
        break;
    case Camera_Click::Toggle:
        if (!(Count_Selected(selected) == 1 && selected[clicked])) {
            selected[clicked] = !selected[clicked];
        }
        break;
    case Camera_Click::Alone:
        for (int i = 0; i < 4; ++i) {
            selected[i] = i == clicked;
        }
        break;
    }
}

TForm_Cam_Select::TForm_Cam_Select(TForm_Main* owner, TSCLFormDisplay* host)
    : TForm_Cam_Select(std::make_unique<Main_Window_Owner>(owner), nullptr, host)
{
}

TForm_Cam_Select::TForm_Cam_Select(Cam_Select_Owner* owner, TSCLFormDisplay* host)
    : TForm_Cam_Select(nullptr, owner, host)
{
}

TForm_Cam_Select::TForm_Cam_Select(std::unique_ptr<Cam_Select_Owner> adaptor, Cam_Select_Owner* owner,
                                   TSCLFormDisplay* host)
    : TForm((owner ? owner : adaptor.get())->Owner_Form()), Owner_Adaptor(std::move(adaptor)),
      Owner(owner ? owner : Owner_Adaptor.get()), Host(host)
{
    InitInheritedComponent(this, Table());
    Colour_Depth = Owner->Sys_Info()->GetColorDepth();
    Read_Camera_Count();
    Frames[0] = PanelCAM1Select;
    Frames[1] = PanelCAM2Select;
    Frames[2] = PanelCAM3Select;
    Frames[3] = PanelCAM4Select;
    Buttons[0] = ShapeButtonCAM1Select;
    Buttons[1] = ShapeButtonCAM2Select;
    Buttons[2] = ShapeButtonCAM3Select;
    Buttons[3] = ShapeButtonCAM4Select;
    for (int i = 0; i < 4; ++i) {
        Buttons[i]->SetTag(i);
    }
    Camera_Name_Menu = std::make_unique<Menu_Camera_Name>(PopupCamSelect, MenuCamName,
                                                          [this](TObject* item) { MenuNameClick(item); });
    Adapt_Form_To_Dpi(Owner->Owner_Form(), this);
    Adapt_To_Colour_Depth();
    Select_Camera_One();
    Host->SetVisible(CameraCount != 1);
}

TForm_Cam_Select::~TForm_Cam_Select()
{
    // The form's own destructor would run OnDestroy after these fields are
    // gone: it runs here, while they exist.
    OnDestroy = nullptr;
    FormDestroy(this);
    if (Form_Cam_Select == this) {
        Form_Cam_Select = nullptr;
    }
}

const TForm_Table& TForm_Cam_Select::Table()
{
    static const TForm_Table table =
        TForm_Table()
            .Field("PanelCameraSelect", &TForm_Cam_Select::PanelCameraSelect)
            .Field("ShapeButtonCAM1Select", &TForm_Cam_Select::ShapeButtonCAM1Select)
            .Field("ShapeButtonCAM2Select", &TForm_Cam_Select::ShapeButtonCAM2Select)
            .Field("ShapeButtonCAM3Select", &TForm_Cam_Select::ShapeButtonCAM3Select)
            .Field("ShapeButtonCAM4Select", &TForm_Cam_Select::ShapeButtonCAM4Select)
            .Field("PanelCAM1Select", &TForm_Cam_Select::PanelCAM1Select)
            .Field("PanelCAM2Select", &TForm_Cam_Select::PanelCAM2Select)
            .Field("PanelCAM3Select", &TForm_Cam_Select::PanelCAM3Select)
            .Field("PanelCAM4Select", &TForm_Cam_Select::PanelCAM4Select)
            .Field("PopupCamSelect", &TForm_Cam_Select::PopupCamSelect)
            .Field("MenuSelectAll", &TForm_Cam_Select::MenuSelectAll)
            .Field("MenuCamName", &TForm_Cam_Select::MenuCamName)
            .Handler("ShapeButtonCAMSelectClick", &TForm_Cam_Select::ShapeButtonCAMSelectClick)
            .Handler("ShapeButtonCAMSelectMouseMove", &TForm_Cam_Select::ShapeButtonCAMSelectMouseMove)
            .Handler("PopupCamSelectPopup", &TForm_Cam_Select::PopupCamSelectPopup)
            .Handler("MenuSelectAllClick", &TForm_Cam_Select::MenuSelectAllClick)
            .Handler("FormDestroy", &TForm_Cam_Select::FormDestroy);
    return table;
}

// A count that cannot be read or lies outside 1 to 4 becomes 1, written
// back at once.
void TForm_Cam_Select::Read_Camera_Count()
{
    int count = 0;
    if (!Reg_Read_Integer(Ordexia_Registry_Key, "Camera_Count", &count) || count < 1 || count > 4) {
        count = 1;
        Reg_Write_Integer(Ordexia_Registry_Key, "Camera_Count", count);
    }
    CameraCount = count;
}

void TForm_Cam_Select::Select_Camera_One()
{
    Apply_Camera_Click(Selected, 0, Camera_Click::Alone, CameraCount);
    SelectedCount = 1;
}

void TForm_Cam_Select::Set_Camera_Count(int n)
{
    CameraCount = n;
    Reg_Write_Integer(Ordexia_Registry_Key, "Camera_Count", n);
    Select_Camera_One();
    Layout(-1);
    Host->SetVisible(CameraCount != 1);
}

void TForm_Cam_Select::Layout(int clicked)
{
    const int n = CameraCount;
    if (n == 1) {
        return;
    }
    TSCLBackPanel* back = Owner->Back_Panel();
    Host->SetTop(back->Height() - PanelCameraSelect->Height() - 2);
    Host->SetWidth(Buttons[0]->Width() * n + 2 * (n + 1) + (4 - n) + 1);
    PanelCameraSelect->SetWidth(Host->Width());
    Host->SetLeft(back->Width() - PanelCameraSelect->Width() - 2);
    for (int i = 0; i < n; ++i) {
        if (Selected[i]) {
            const uint8_t grey = Greys[4 - n + i];
            Frames[i]->SetColor(static_cast<TColor>(RGB(grey, grey, grey)));
        }
        Frames[i]->SetVisible(Selected[i]);
        Buttons[i]->SetVisible(true);
        // The clicked button of a selected camera is toggled by its own
        // click handling afterwards.
        if (i != clicked) {
            Buttons[i]->SetPressed(Selected[i]);
        } else if (!Selected[i]) {
            Buttons[i]->SetPressed(true);
        }
    }
    for (int i = n; i < 4; ++i) {
        Frames[i]->SetVisible(false);
        Buttons[i]->SetVisible(false);
    }
    SetVisible(true);
}

int TForm_Cam_Select::Camera_Of(TObject* sender) const
{
    const int tag = static_cast<TComponent*>(sender)->Tag();
    return std::clamp(tag, 0, 3);
}

void TForm_Cam_Select::ShapeButtonCAMSelectClick(TObject* Sender)
{
    const int clicked = Camera_Of(Sender);
    Camera_Click click = Camera_Click::Alone;
    if (Select_All) {
        click = Camera_Click::Select_All;
        Select_All = false;
    } else if (GetKeyState(VK_SHIFT) < 0) {
        click = Camera_Click::Range;
    } else if (GetKeyState(VK_CONTROL) < 0) {
        click = Camera_Click::Toggle;
    }
    Apply_Camera_Click(Selected, clicked, click, CameraCount);
    SelectedCount = Count_Selected(Selected);
    // A released button clicks while still held, and toggles itself when let
    // go: the layout leaves it to that toggle. A latched one clicks on its
    // release, after toggling: the layout sets it like the others.
    const bool held = static_cast<TSCLShapeButton*>(Sender)->MouseCapture();
    Layout(held ? clicked : -1);
    Owner->Show_Selection(SelectedCount, Selected);
}

// A held button keeps the cursor: released elsewhere, its press would be
// lost while the selection already follows it. Places are the controls'
// own on the screen: the panel's bevel moves its children inwards.
void TForm_Cam_Select::ShapeButtonCAMSelectMouseMove(TObject* Sender, TShiftState, int, int)
{
    if (GetAsyncKeyState(VK_LBUTTON) >= 0) {
        return;
    }
    auto* button = static_cast<TSCLShapeButton*>(Sender);
    const POINT origin = button->ClientToScreen(POINT {0, 0});
    const int x0 = origin.x;
    const int y0 = origin.y;
    POINT cursor {};
    GetCursorPos(&cursor);
    const auto keep_inside = [](int value, int start, int extent) {
        if (value < start) {
            return start + 1;
        }
        return value >= start + extent ? start + extent - 2 : value;
    };
    const POINT kept {keep_inside(cursor.x, x0, button->Width()), keep_inside(cursor.y, y0, button->Height())};
    if (kept.x != cursor.x || kept.y != cursor.y) {
        SetCursorPos(kept.x, kept.y);
    }
}

// The camera under the cursor, among the configured ones: a click right of
// the last button of a shorter strip names that last camera.
void TForm_Cam_Select::PopupCamSelectPopup(TObject*)
{
    MenuSelectAll->SetEnabled(SelectedCount < CameraCount);
    POINT cursor {};
    GetCursorPos(&cursor);
    Popup_Camera = 0;
    for (int k = 3; k >= 1; --k) {
        if (Frames[k]->ClientToScreen(POINT {0, 0}).x <= cursor.x) {
            Popup_Camera = k;
            break;
        }
    }
    Popup_Camera = std::min(Popup_Camera, CameraCount - 1);
    Camera_Name_Menu->Check(Camera_Numbers[Popup_Camera]);
}

void TForm_Cam_Select::MenuSelectAllClick(TObject*)
{
    Select_All = true;
    Click_Camera_Button(Popup_Camera);
}

void TForm_Cam_Select::MenuNameClick(TObject* Sender)
{
    auto* item = static_cast<TMenuItem*>(Sender);
    if (!item->Checked()) {
        Owner->Set_Camera_Name(Popup_Camera, item->Tag());
    }
}

void TForm_Cam_Select::Click_Camera_Button(int i)
{
    const LPARAM place = MAKELPARAM(Buttons[i]->Left(), Buttons[i]->Top());
    PostMessageA(PanelCameraSelect->Handle(), WM_LBUTTONDOWN, 0, place);
    PostMessageA(PanelCameraSelect->Handle(), WM_LBUTTONUP, 0, place);
}

void TForm_Cam_Select::Update_Camera_Button(const Status_IHM_SD_HD& summary)
{
    const int i = static_cast<int>(summary.Camera_Index);
    if (i < 0 || i > 3) {
        return;
    }
    const int number = summary.Camera_Number ? *summary.Camera_Number : 0;
    if (Host->Visible()) {
        Caption_Text = (number < 10 ? "Cam " : "Cam") + std::to_string(number);
        TSCLShapeButton* button = Buttons[i];
        if (button->Caption() != Caption_Text) {
            button->SetCaption(Caption_Text);
        }
        const TColor colour = summary.Status_Alarm ? Alarm_Colour : Good_Colour;
        if (button->ShapeFill()->Gradient()->EndColor() != colour) {
            button->ShapeFill()->Gradient()->SetEndColor(colour);
            button->Shape()->Brush()->SetColor(colour);
        }
    }
    Camera_Numbers[i] = number;
}

void TForm_Cam_Select::Sample_Background_Colours()
{
    TSCLBackPanel* back = Owner->Back_Panel();
    if (!back->OwnBackBitmap()) {
        back->CreateBack(false);
    }
    TBitmap* picture = back->OwnBackBitmap();
    if (!picture || picture->Height() <= 0) {
        return;
    }
    for (int i = 0; i < 4; ++i) {
        const int column = Host->Left() + PanelCameraSelect->Left() + Frames[i]->Left() + Frames[i]->Width() / 2;
        if (column >= 0 && column < picture->Width()) {
            Greys[i] = Sample_Grey(*picture, column, Colour_Depth);
        }
    }
}

void TForm_Cam_Select::Adapt_To_Colour_Depth()
{
    const bool gradient = Colour_Depth > 8;
    for (int i = 0; i < ComponentCount(); ++i) {
        if (auto* button = dynamic_cast<TSCLShapeButton*>(Components(i))) {
            button->ShapeFill()->SetFillStyle(gradient ? sfGradient : sfBrush);
            button->Shape()->Bevel()->SetWidth(gradient ? 2 : 1);
        }
    }
}

void TForm_Cam_Select::FormDestroy(TObject*)
{
    Camera_Name_Menu.reset();
}
