#include "screens/Fich_amu_hd_spectrum.h"

#include "link/St_system_hd_convert.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/SysUtils.h"
#include "platform/winapi/Cursor.h"
#include "platform/winapi/Message.h"
#include "platform/winapi/System_Metrics.h"
#include "platform/winapi/Window.h"
#include "screens/Fich_main_hd.h"
#include "screens/Hd_fields.h"
#include "shell/services/Main_Window_Services.h"
#include "shell/services/Screen_dpi.h"

#include <algorithm>

namespace {

constexpr int Points = St_System_HD_Spectrum::Points;
constexpr int Range_Falling = 50;

int Sizing_Frame_Height() { return GetSystemMetrics(SM_CYSIZEFRAME); }

} // namespace

TForm_AMU_HD_Spectrum::TForm_AMU_HD_Spectrum(TComponent* owner, St_System* snapshot, St_System* current,
                                             char amu_char, int colour_depth,
                                             const std::atomic<int>* camera_count)
    : TForm(owner)
    , previous(snapshot)
    , current_state(current)
    , previous_amu(amu_char == '1' ? &snapshot->HD.Amu1 : &snapshot->HD.Amu2)
    , current_amu(amu_char == '1' ? &current->HD.Amu1 : &current->HD.Amu2)
    , previous_wcu_status(&snapshot->HD.Wcu_Status)
    , current_wcu_status(&current->HD.Wcu_Status)
    , previous_spectrum(amu_char == '1' ? &snapshot->HD.Amu1_Spectrum : &snapshot->HD.Amu2_Spectrum)
    , current_spectrum(amu_char == '1' ? &current->HD.Amu1_Spectrum : &current->HD.Amu2_Spectrum)
    , camera_count(camera_count)
    , amu_char(amu_char)
{
    InitInheritedComponent(this, Table());
    min_width = ShapeButtonFreeze->Left() + ShapeButtonFreeze->Width() + 2 * ComboBoxTuner->Left();
    const int dpi = Get_Screen_Dpi();
    min_height = dpi > 96 ? static_cast<int>(Trunc(static_cast<double>(dpi) * Height() / 96)) : Height();
    SetWidth(min_width);
    SetHeight(min_height);
    UpdateCaption();
    // The window only closes: it has no minimised or maximised state.
    if (HMENU menu = GetSystemMenu(Handle(), FALSE)) {
        for (const UINT command : {SC_RESTORE, SC_MINIMIZE, SC_MAXIMIZE})
            DeleteMenu(menu, command, MF_BYCOMMAND);
    }
    Place_Window(snapshot->Camera_Index);
    Adapt_Label();
    Adapt_Buttons(colour_depth);
    ComboBoxTuner->SetItemIndex(Hd_Spectrum_Tuner_Choice(snapshot->HD, amu_char));
}

const TForm_Table& TForm_AMU_HD_Spectrum::Table()
{
    using F = TForm_AMU_HD_Spectrum;
    static const TForm_Table table = TForm_Table()
                                         .Field("PanelTopGraph", &F::PanelTopGraph)
                                         .Field("ComboBoxTuner", &F::ComboBoxTuner)
                                         .Field("ShapeButtonMaxHold", &F::ShapeButtonMaxHold)
                                         .Field("ShapeButtonResetMaxHold", &F::ShapeButtonResetMaxHold)
                                         .Field("ShapeButtonFreeze", &F::ShapeButtonFreeze)
                                         .Field("ChartSpectrum", &F::ChartSpectrum)
                                         .Field("Series1", &F::Series1)
                                         .Field("Series2", &F::Series2)
                                         .Field("HighFunction1", &F::HighFunction1)
                                         .Field("LabelCrossValue", &F::LabelCrossValue)
                                         .Handler("FormActivate", &F::FormActivate)
                                         .Handler("FormCanResize", &F::FormCanResize)
                                         .Handler("FormClose", &F::FormClose)
                                         .Handler("FormHide", &F::FormHide)
                                         .Handler("FormShow", &F::FormShow)
                                         .Handler("CtrlKeyDown", &F::CtrlKeyDown)
                                         .Handler("CtrlKeyUp", &F::CtrlKeyUp)
                                         .Handler("ComboBoxTunerChange", &F::ComboBoxTunerChange)
                                         .Handler("ShapeButtonMaxHoldClick", &F::ShapeButtonMaxHoldClick)
                                         .Handler("ShapeButtonMaxHoldMouseUp", &F::ShapeButtonMaxHoldMouseUp)
                                         .Handler("ShapeButtonResetMaxHoldClick", &F::ShapeButtonResetMaxHoldClick)
                                         .Handler("ShapeButtonFreezeClick", &F::ShapeButtonFreezeClick)
                                         .Handler("ShapeButtonFreezeMouseUp", &F::ShapeButtonFreezeMouseUp)
                                         .Handler("ChartSpectrumMouseMove", &F::ChartSpectrumMouseMove)
                                         .Handler("BtnMouseUp", &F::BtnMouseUp);
    return table;
}

// Camera windows open one caption-and-frame step lower per camera; AMU 2's
// below AMU 1's when the screen holds both, else as low as it can.
void TForm_AMU_HD_Spectrum::Place_Window(int camera_index)
{
    const int step = GetSystemMetrics(SM_CYSMCAPTION) + Sizing_Frame_Height();
    SetLeft(0);
    SetTop(step * camera_index);
    if (amu_char != '2')
        return;
    const int screen_height = Screen->Height();
    if (screen_height >= Height() + Top()) {
        SetTop(Height() + step * camera_index);
        return;
    }
    const int top = screen_height - Height() + step * camera_index - step;
    SetTop(top >= 0 ? top : step * camera_index + 4 * step);
}

void TForm_AMU_HD_Spectrum::Adapt_Label()
{
    const int dpi = Get_Screen_Dpi();
    if (dpi >= 144)
        LabelCrossValue->Font()->SetSize(LabelCrossValue->Font()->Size() - 2);
    else if (dpi >= 120)
        LabelCrossValue->Font()->SetSize(LabelCrossValue->Font()->Size() - 1);
    LabelCrossValue->SetWidth(Width() - 2 * GetSystemMetrics(SM_CXSIZEFRAME));
    LabelCrossValue->SetTop(ChartSpectrum->Height() - LabelCrossValue->Height() - 1);
}

void TForm_AMU_HD_Spectrum::Adapt_Buttons(int colour_depth)
{
    const bool gradient = colour_depth > 8;
    for (TSCLShapeButton* button : {ShapeButtonMaxHold, ShapeButtonResetMaxHold, ShapeButtonFreeze}) {
        button->ShapeFill()->SetFillStyle(gradient ? sfGradient : sfBrush);
        button->Shape()->Bevel()->SetWidth(gradient ? 2 : 1);
    }
}

void TForm_AMU_HD_Spectrum::UpdateCaption()
{
    std::string caption = std::string("AMU ") + amu_char + " spectrum analyser";
    if (*camera_count != 1)
        caption += " - CAM " + std::to_string(previous->Settings.Name);
    SetCaption(caption);
}

// ---- Refresh ---------------------------------------------------------------------

bool TForm_AMU_HD_Spectrum::Data_Available(const St_System& state) const
{
    const St_System_HD_Spectrum& spectrum = amu_char == '1' ? state.HD.Amu1_Spectrum : state.HD.Amu2_Spectrum;
    return Hd_Spectrum_Present(spectrum) && Hd_Amu_In_Use(state.HD.Wcu_Status, amu_char);
}

bool TForm_AMU_HD_Spectrum::Shows_Data(const St_System& state, int range_code) const
{
    const St_System_HD_AMU& amu = amu_char == '1' ? state.HD.Amu1 : state.HD.Amu2;
    return state.Settings.Is_Connected() && Hd_Amu_Present(amu) && range_code != -1 && Data_Available(state);
}

void TForm_AMU_HD_Spectrum::RefreshDisplay(bool full)
{
    if (full)
        UpdateCaption();
    if (!Visible())
        return;
    const int range_code = Hd_Amu_Common_Range_Code(*current_amu);
    const bool unchanged = previous->Settings.Is_Connected() == current_state->Settings.Is_Connected() &&
                           Hd_Amu_Present(*previous_amu) == Hd_Amu_Present(*current_amu) &&
                           range_code == last_range_code &&
                           Data_Available(*previous) == Data_Available(*current_state);
    if (!full && initialised && unchanged) {
        if (Shows_Data(*current_state, last_range_code)) {
            RescaleAxis();
            RedrawSpectrum(false);
        }
        return;
    }
    initialised = true;
    last_range_code = range_code;
    if (!Shows_Data(*current_state, range_code)) {
        SetChartActive(false);
        return;
    }
    SetChartActive(true);
    RescaleAxis();
    RedrawSpectrum(true);
    UpdateChartCursor();
}

void TForm_AMU_HD_Spectrum::SetChartActive(bool on)
{
    const bool frozen = ShapeButtonFreeze->Pressed();
    ComboBoxTuner->SetEnabled(on && !frozen);
    ShapeButtonMaxHold->SetEnabled(on && !frozen);
    ShapeButtonResetMaxHold->SetEnabled(on && ShapeButtonMaxHold->Pressed() && !frozen);
    ShapeButtonFreeze->SetEnabled(on);
    if (on) {
        ChartSpectrum->BottomAxis()->SetVisible(true);
        LabelCrossValue->SetVisible(true);
    }
}

double TForm_AMU_HD_Spectrum::Step_Mhz() const { return Spectrum_Step_Mhz(Hd_Amu_Mode_Value(*current_amu)); }

double TForm_AMU_HD_Spectrum::FrequencyAt(int index) const
{
    const int k = index < Points / 2 ? index : index + 1;
    return start_mhz + Step_Mhz() * k;
}

double TForm_AMU_HD_Spectrum::Centre_Mhz() const { return start_mhz + 100 * Step_Mhz(); }

void TForm_AMU_HD_Spectrum::RescaleAxis()
{
    TChartAxis* axis = ChartSpectrum->BottomAxis();
    if (!axis->Visible() || ShapeButtonFreeze->Pressed() || !Data_Available(*current_state))
        return;
    synth_word = Hd_Amu_Synth_Value(*current_amu);
    start_mhz = Spectrum_Start_Mhz(synth_word, last_range_code, Hd_Amu_Mode_Value(*current_amu));
    const double max = FrequencyAt(Points - 1) + 0.1;
    const double min = FrequencyAt(0);
    if (axis->Minimum() == min && axis->Maximum() == max)
        return;
    // An axis refuses a minimum above its maximum: move the side that keeps
    // the two in order first.
    if (axis->Minimum() > max) {
        axis->SetMinimum(min);
        axis->SetMaximum(max);
    } else {
        axis->SetMaximum(max);
        axis->SetMinimum(min);
    }
    for (TFastLineSeries* series : {Series1, Series2}) {
        series->Clear();
        for (int i = 0; i < Points; ++i)
            series->AddXY(FrequencyAt(i), St_System_HD_Spectrum::Empty_Point, "", clChartDefault);
    }
}

// The spectrum of the falling range arrives highest RF first.
void TForm_AMU_HD_Spectrum::Set_Curve(TFastLineSeries& series,
                                      const std::array<int, St_System_HD_Spectrum::Points>& points)
{
    if (series.Count() < Points)
        return;
    const bool reversed = last_range_code == Range_Falling;
    for (int i = 0; i < Points; ++i)
        series.YValues()->SetValue(i, points[static_cast<std::size_t>(reversed ? Points - 1 - i : i)]);
}

void TForm_AMU_HD_Spectrum::DrawSpectrum(bool with_peak)
{
    if (ShapeButtonFreeze->Pressed())
        return;
    Set_Curve(*Series1, current_spectrum->Current);
    if (with_peak)
        current_spectrum->Update_Peak(0, Points);
    Set_Curve(*Series2, current_spectrum->Peak);
    ChartSpectrum->Repaint();
    const POINT mouse = Mouse_In_Chart();
    if (ChartSpectrum->BottomAxis()->Visible() && In_Plot(mouse))
        DrawCrossHair(mouse.x, mouse.y);
    else
        LabelCrossValue->SetCaption("");
}

void TForm_AMU_HD_Spectrum::RedrawSpectrum(bool place_label)
{
    if (place_label)
        Place_Label();
    DrawSpectrum(ShapeButtonMaxHold->Pressed());
}

void TForm_AMU_HD_Spectrum::Place_Label()
{
    const RECT plot = ChartSpectrum->ChartRect();
    LabelCrossValue->SetTop(ChartSpectrum->Height() - LabelCrossValue->Height() - 1);
    LabelCrossValue->SetLeft((plot.left + plot.right - LabelCrossValue->Width()) / 2);
}

// ---- Cross-hair ------------------------------------------------------------------

POINT TForm_AMU_HD_Spectrum::Mouse_In_Chart()
{
    POINT cursor {};
    GetCursorPos(&cursor);
    return ChartSpectrum->ScreenToClient(cursor);
}

bool TForm_AMU_HD_Spectrum::In_Plot(POINT point)
{
    const RECT plot = ChartSpectrum->ChartRect();
    return point.x >= plot.left && point.x < plot.right && point.y >= plot.top && point.y < plot.bottom;
}

// Drawn in XOR, so that the same cross drawn twice is gone.
void TForm_AMU_HD_Spectrum::DrawCrossHair(int x, int y)
{
    const TColor back = ChartSpectrum->BackColor() == clChartDefault ? clBtnFace : ChartSpectrum->BackColor();
    TCanvas& canvas = *ChartSpectrum->Canvas();
    canvas.Pen()->SetColor(static_cast<TColor>(ColorToRGB(back) ^ static_cast<COLORREF>(cross_xor_mask)));
    canvas.Pen()->SetStyle(cross_pen_style);
    canvas.Pen()->SetMode(pmXor);
    canvas.Pen()->SetWidth(1);
    const RECT plot = ChartSpectrum->ChartRect();
    canvas.MoveTo(x, plot.top);
    canvas.LineTo(x, plot.bottom);
    canvas.MoveTo(plot.left, y);
    canvas.LineTo(plot.right, y);
    canvas.Pen()->SetMode(pmCopy);
}

std::string TForm_AMU_HD_Spectrum::Cross_Value_Text(double x, double y) const
{
    const double base = Synth_Base_Frequency(synth_word);
    const double intermediate = last_range_code == Range_Falling ? Centre_Mhz() - x + base : x - Centre_Mhz() + base;
    std::string if_text = Format("%.1f", {intermediate});
    if (!if_text.empty() && if_text.back() == '0')
        if_text.resize(if_text.size() >= 2 ? if_text.size() - 2 : 0);
    return ChartSpectrum->LeftAxis()->LabelValue(y) + " / RF:" + ChartSpectrum->BottomAxis()->LabelValue(x) +
           "  IF:" + if_text + "MHz";
}

void TForm_AMU_HD_Spectrum::Set_Chart_Cursor(TCursor cursor)
{
    if (ChartSpectrum->Cursor() == cursor)
        return;
    ChartSpectrum->SetCursor(cursor);
    ChartSpectrum->SetOriginalCursor(cursor);
}

void TForm_AMU_HD_Spectrum::ChartSpectrumMouseMove(TObject*, TShiftState, int X, int Y)
{
    if (!ChartSpectrum->BottomAxis()->Visible())
        return;
    if (!In_Plot(POINT {X, Y})) {
        Set_Chart_Cursor(crDefault);
        LabelCrossValue->SetCaption("");
        return;
    }
    Set_Chart_Cursor(crNone);
    ChartSpectrum->Repaint();
    DrawCrossHair(X, Y);
    Place_Label();
    double x = Series1->XScreenToValue(X);
    double y = Series1->YScreenToValue(Y);
    LabelCrossValue->SetCaption(Cross_Value_Text(x, y));
}

void TForm_AMU_HD_Spectrum::UpdateChartCursor()
{
    const bool inside = ChartSpectrum->BottomAxis()->Visible() && In_Plot(Mouse_In_Chart());
    Set_Chart_Cursor(inside ? crNone : crDefault);
}

// ---- Buttons and the tuner -------------------------------------------------------

void TForm_AMU_HD_Spectrum::ShapeButtonMaxHoldClick(TObject*)
{
    ShapeButtonMaxHold->Font()->SetColor(clRed);
    ShapeButtonMaxHold->SetEnterColor(clRed);
    ShapeButtonResetMaxHold->SetEnabled(true);
    current_spectrum->Reset_Peak();
    DrawSpectrum(true);
}

// The button's own click handling presses a toggle; a middle or right
// button press that ends on a pressed toggle lets it go here.
void TForm_AMU_HD_Spectrum::Release_Toggle(TSCLShapeButton& button, TMouseButton mouse_button)
{
    if (mouse_button != mbLeft)
        button.SetPressed(false);
    button.Font()->SetColor(clBlack);
    button.SetEnterColor(clBlack);
}

void TForm_AMU_HD_Spectrum::ShapeButtonMaxHoldMouseUp(TObject*, TMouseButton Button, TShiftState, int, int)
{
    if (!ShapeButtonMaxHold->Pressed())
        return;
    Release_Toggle(*ShapeButtonMaxHold, Button);
    ShapeButtonResetMaxHold->SetEnabled(false);
    current_spectrum->Reset_Peak();
    DrawSpectrum(false);
}

void TForm_AMU_HD_Spectrum::ShapeButtonResetMaxHoldClick(TObject*)
{
    current_spectrum->Reset_Peak();
    DrawSpectrum(ShapeButtonMaxHold->Pressed());
}

void TForm_AMU_HD_Spectrum::ShapeButtonFreezeClick(TObject*)
{
    ShapeButtonFreeze->Font()->SetColor(clRed);
    ShapeButtonFreeze->SetEnterColor(clRed);
    ComboBoxTuner->SetEnabled(false);
    ShapeButtonMaxHold->SetEnabled(false);
    ShapeButtonResetMaxHold->SetEnabled(false);
}

void TForm_AMU_HD_Spectrum::ShapeButtonFreezeMouseUp(TObject*, TMouseButton Button, TShiftState, int, int)
{
    if (!ShapeButtonFreeze->Pressed())
        return;
    Release_Toggle(*ShapeButtonFreeze, Button);
    ComboBoxTuner->SetEnabled(true);
    if (ComboBoxTuner->CanFocus())
        ComboBoxTuner->SetFocus();
    ShapeButtonMaxHold->SetEnabled(true);
    ShapeButtonResetMaxHold->SetEnabled(ShapeButtonMaxHold->Pressed());
}

void TForm_AMU_HD_Spectrum::ComboBoxTunerChange(TObject*)
{
    if (auto* page = dynamic_cast<TForm_Main_HD*>(Owner()))
        page->SendTunerChoice(ComboBoxTuner->ItemIndex(), amu_char);
    current_spectrum->Clear_Curves();
    DrawSpectrum(ShapeButtonMaxHold->Pressed());
}

// Keys keep reaching the form through the tuner list, even while it is
// disabled.
void TForm_AMU_HD_Spectrum::BtnMouseUp(TObject*, TMouseButton, TShiftState, int, int)
{
    const bool enabled = ComboBoxTuner->Enabled();
    ComboBoxTuner->SetEnabled(true);
    if (ComboBoxTuner->CanFocus())
        ComboBoxTuner->SetFocus();
    ComboBoxTuner->SetEnabled(enabled);
}

// ---- Keys and window events ------------------------------------------------------

void TForm_AMU_HD_Spectrum::Post_Key_To_Page(WORD key)
{
    if (HWND page = Main_Window ? Main_Window->Get_Active_Page_Window() : nullptr)
        PostMessageA(page, WM_KEYDOWN, key, 0);
}

void TForm_AMU_HD_Spectrum::CtrlKeyDown(TObject*, WORD& Key, TShiftState Shift)
{
    static constexpr WORD page_keys[] = {'A', 'C', 'D', 'E', 'M', 'P', 'R', 'W', VK_DELETE};
    if (Key == VK_F4 && (Shift.Contains(ssAlt) || Shift.Contains(ssCtrl)))
        Key = VK_ESCAPE;
    if (Key == VK_ESCAPE) {
        Close();
        return;
    }
    if (std::find(std::begin(page_keys), std::end(page_keys), Key) != std::end(page_keys))
        Post_Key_To_Page(Key);
}

void TForm_AMU_HD_Spectrum::CtrlKeyUp(TObject*, WORD& Key, TShiftState)
{
    if (Key != VK_TAB || !Main_Window)
        return;
    if (auto* page = dynamic_cast<TWinControl*>(FindControl(Main_Window->Get_Active_Page_Window())))
        if (page->CanFocus())
            page->SetFocus();
}

void TForm_AMU_HD_Spectrum::FormCanResize(TObject*, int& NewWidth, int& NewHeight, bool& Resize)
{
    if (!Visible())
        return;
    Resize = NewWidth >= min_width && NewHeight >= min_height;
    if (Resize)
        Place_Label();
}

void TForm_AMU_HD_Spectrum::FormShow(TObject*)
{
    was_shown = true;
    current_spectrum->Clear_Curves();
    ChartSpectrum->Repaint();
    RefreshDisplay(true);
}

void TForm_AMU_HD_Spectrum::FormHide(TObject*)
{
    ChartSpectrum->Repaint();
    initialised = false;
}

void TForm_AMU_HD_Spectrum::FormClose(TObject*, TCloseAction& Action) { Action = caHide; }

void TForm_AMU_HD_Spectrum::FormActivate(TObject*)
{
    if (Main_Window)
        Main_Window->Release_Shortcut_Buttons();
}
