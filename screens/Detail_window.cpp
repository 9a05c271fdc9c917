#include "screens/Detail_window.h"

#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLLImage.h"
#include "components/controls/SCLProgress.h"
#include "components/controls/SCLShapeButton.h"
#include "components/controls/SCLSimpleLabel.h"
#include "platform/classlib/Form_Reader.h"
#include "link/St_system.h"
#include "platform/winapi/Message.h"
#include "shell/services/Main_Window_Services.h"

Detail_Line Value_Line(const std::string& value, bool fault, const std::string& hint)
{
    Detail_Line line;
    line.Value = value;
    line.Fault = fault;
    line.Hint = hint;
    return line;
}

Detail_Line Image_Line(int image, bool fault, const std::string& hint)
{
    Detail_Line line;
    line.Image = image;
    line.Fault = fault;
    line.Hint = hint;
    return line;
}

Detail_Line Meter_Line(int value, bool caption_enabled)
{
    Detail_Line line;
    line.Meter = value;
    line.Caption_Enabled = caption_enabled;
    return line;
}

Detail_Line Temperature_Line(int celsius)
{
    return Value_Line(Temperature_Celsius_Text(celsius) + "/" + Temperature_Fahrenheit_Text(celsius),
                      Is_Temperature_Alarm(celsius));
}

void Show_Meter_Fault(TSCLProgress& meter, bool fault)
{
    meter.Bevel()->SetColor(1, fault ? Detail_Fault_Colour : clWhite);
}

TColor Level_Meter_Colour(const TSCLProgress& meter, int mark_span, BYTE nr)
{
    const float n = meter.SmallBar()->BarCount();
    const float t = static_cast<float>(mark_span) / static_cast<float>(meter.Width());
    const float m = n * t;
    const float p = nr;
    if (m <= 0 || p / n > t) {
        return clRed;
    }
    return static_cast<TColor>(RGB(static_cast<int>(p * 255 / m), static_cast<int>(100 + 155 * (m - p) / m),
                                   static_cast<int>(50 * (m - p) / m)));
}

Detail_Window::Detail_Window(TComponent* owner, TSCLShapeButton* title_button, char hide_key, St_System* current,
                             St_System* snapshot)
    : TForm(owner), Current(current), Snapshot(snapshot), Hide_Key(hide_key), Title_Button(title_button)
{
}

Detail_Window::~Detail_Window()
{
    OnShow = nullptr;
    OnHide = nullptr;
    OnDeactivate = nullptr;
    OnClose = nullptr;
    OnKeyDown = nullptr;
}

TForm_Table Detail_Window::Common_Table()
{
    return TForm_Table()
        .Field("GroupBoxForm", &Detail_Window::GroupBoxForm)
        .Handler("FormShow", &Detail_Window::FormShow)
        .Handler("FormHide", &Detail_Window::FormHide)
        .Handler("FormDeactivate", &Detail_Window::FormDeactivate)
        .Handler("FormClose", &Detail_Window::FormClose)
        .Handler("FormKeyDown", &Detail_Window::FormKeyDown)
        .Handler("HdKeyDown", &Detail_Window::HdKeyDown);
}

void Detail_Window::Read_Form(const TForm_Table& table, TSCLCustomImageList* image_list)
{
    InitInheritedComponent(this, table);
    GroupBoxForm->SetImageList(image_list);
}

void Detail_Window::RefreshDisplay(bool blockActive)
{
    if (!blockActive && Visible()) {
        Hide();
        return;
    }
    if (Visible()) {
        if (!Initialised) {
            Initialised = true;
            Alarm = false;
            Refresh_Lines(true);
            return;
        }
        Refresh_Lines(false);
        EvaluateAlarm();
        return;
    }
    if (blockActive) {
        EvaluateAlarm();
    }
}

bool Detail_Window::HasAlarm() const
{
    return Title_Button->Enabled() && Alarm;
}

void Detail_Window::Show_Line(const Detail_Widgets& widgets, const Detail_Line& line)
{
    const TColor colour = line.Fault ? Detail_Fault_Colour : Detail_Normal_Colour;
    if (widgets.Caption) {
        if (!line.Caption.empty()) {
            widgets.Caption->SetCaption(line.Caption);
        }
        widgets.Caption->Font()->SetColor(colour);
        widgets.Caption->SetEnabled(line.Caption_Enabled);
        widgets.Caption->SetHint(line.Hint);
    }
    if (widgets.Value) {
        widgets.Value->SetCaption(line.Value);
        widgets.Value->Font()->SetColor(colour);
        widgets.Value->SetVisible(line.Value_Visible);
        widgets.Value->SetHint(line.Hint);
    }
    if (widgets.Image) {
        widgets.Image->SetIndexedImageIndex(line.Image);
        widgets.Image->SetHint(line.Hint);
    }
    if (widgets.Meter) {
        widgets.Meter->SetUserValue(line.Meter);
        widgets.Meter->SetVisible(line.Value_Visible);
        widgets.Meter->SetHint(line.Hint);
    }
    if (line.Fault) {
        Alarm = true;
    }
}

void Detail_Window::FormShow(TObject*)
{
    RefreshDisplay(true);
}

void Detail_Window::FormHide(TObject*)
{
    Initialised = false;
}

void Detail_Window::FormDeactivate(TObject*)
{
    Hide();
}

void Detail_Window::FormClose(TObject*, TCloseAction& Action)
{
    Action = caHide;
    Give_Back();
}

void Detail_Window::FormKeyDown(TObject*, WORD& Key, TShiftState)
{
    if (Key == VK_RETURN || Key == VK_ESCAPE || Key == static_cast<WORD>(Hide_Key)) {
        Hide();
        Give_Back();
    }
}

void Detail_Window::HdKeyDown(TObject*, WORD& Key, TShiftState)
{
    if (Key == 'R') {
        if (HWND page = Main_Window ? Main_Window->Get_Active_Page_Window() : nullptr) {
            PostMessageA(page, WM_KEYDOWN, Key, 0);
        }
        return;
    }
    if (Key == VK_RETURN || Key == VK_ESCAPE || Key == static_cast<WORD>(Hide_Key)) {
        Close();
    }
}

void Detail_Window::Give_Back()
{
    Title_Button->SetPressed(false);
    if (auto* owner = dynamic_cast<TWinControl*>(Owner()); owner && owner->CanFocus()) {
        owner->SetFocus();
    }
}
