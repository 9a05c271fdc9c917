#include "components/controls/Sclformstyler.h"

#include <algorithm>
#include <cstring>

#include "components/foundations/Sclsysin.h"
#include "components/foundations/Sclsysin_Frame.h"
#include "components/foundations/Sclutils.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/StdCtrls_Published.h"
#include "platform/winapi/Gdi_Text.h"
#include "platform/winapi/Window.h"

namespace {

const bool Form_Styler_Registered = [] {
    RegisterComponentClass<TSCLFormStyler, TComponent>("TSCLFormStyler")
        .Property("About", String_Type(), [](TSCLFormStyler& s) { return s.About; },
                  [](TSCLFormStyler& s, const std::string& value) { s.About = value; }, "")
        .Property("Alignment", Enum_Type<TAlignment>(Alignment_Names), &TSCLFormStyler::Alignment,
                  &TSCLFormStyler::SetAlignment, taLeftJustify)
        .Property("Colors", Integer_Type(TSCLFormStyler::Min_Colors, TSCLFormStyler::Max_Colors),
                  [](TSCLFormStyler& s) { return static_cast<int>(s.Colors()); },
                  [](TSCLFormStyler& s, int value) { s.SetColors(static_cast<BYTE>(value)); }, 32)
        .Property("Enabled", Boolean_Type(), &TSCLFormStyler::Enabled, &TSCLFormStyler::SetEnabled, true)
        .Object("Font", &TSCLFormStyler::Font)
        .Object("Font3D", &TSCLFormStyler::Font3D)
        .Property("PaintMode", Enum_Type<TSCLPaintMode>(TSCLEnumInfo<TSCLPaintMode>::Names),
                  &TSCLFormStyler::PaintMode, &TSCLFormStyler::SetPaintMode, pcControl)
        .Property("Options", Set_Type<TSCLFormStyleOption>(TSCLEnumInfo<TSCLFormStyleOption>::Names),
                  &TSCLFormStyler::Options, &TSCLFormStyler::SetOptions, TSCLFormStyler::Default_Options)
        .Event("OnPaint", &TSCLFormStyler::OnPaint)
        .Event("OnCaptionPaint", &TSCLFormStyler::OnCaptionPaint);
    return true;
}();

constexpr UINT Caption_Text_Format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX; // 0x824

UINT Alignment_Format(TAlignment Alignment)
{
    switch (Alignment) {
    case taRightJustify: return DT_RIGHT;
    case taCenter: return DT_CENTER;
    default: return DT_LEFT;
    }
}

bool Holds(const RECT& Rect, POINT Point)
{
    return Point.x >= Rect.left && Point.x < Rect.right && Point.y >= Rect.top && Point.y < Rect.bottom;
}

// Clips Canvas to Rect for the duration of a paint event.
class Clipped_To {
public:
    Clipped_To(TCanvas* Canvas, const RECT& Rect) : dc(Canvas->Handle())
    {
        saved = SaveDC(dc);
        IntersectClipRect(dc, Rect.left, Rect.top, Rect.right, Rect.bottom);
    }
    ~Clipped_To() { RestoreDC(dc, saved); }
    Clipped_To(const Clipped_To&) = delete;
    Clipped_To& operator=(const Clipped_To&) = delete;

private:
    HDC dc;
    int saved;
};

} // namespace

TSCLFormStyler::TSCLFormStyler(TComponent* AOwner)
    : TSCLWndProcComponent(AOwner), system_gradient(SCLSIWindows98 || SCLSIWindows2000),
      font(std::make_unique<TFont>()), font_3d(std::make_unique<TSCL3DCaption>()),
      icon_bitmap(std::make_unique<TBitmap>())
{
    SetUseFormWindow(true);
    font->OnChange = [this](TObject* Sender) { GetChange(Sender); };
    font_3d->OnChange = [this](TObject* Sender) { GetChange(Sender); };
}

TSCLFormStyler::~TSCLFormStyler()
{
    font->OnChange = nullptr;
    font_3d->OnChange = nullptr;
    // The form gets back the caption the styler took, if it still stands.
    if (GetOwnerForm() && !GetOwnerForm()->ComponentState().Contains(csDestroying)) {
        if (caption_moved)
            GetOwnerForm()->SetCaption(caption);
        Give_Title_Back();
    }
    RestoreWndProc();
}

void TSCLFormStyler::SetAlignment(TAlignment Value)
{
    if (Value == alignment)
        return;
    alignment = Value;
    if (paint_mode != pcNone)
        PaintTitleBar(false);
}

void TSCLFormStyler::SetCaption(const std::string& Value)
{
    if (Value == caption)
        return;
    caption = Value;
    if (paint_mode != pcNone)
        PaintTitleBar(false);
}

void TSCLFormStyler::SetColors(BYTE Value)
{
    Value = std::clamp(Value, Min_Colors, Max_Colors);
    if (Value == colors)
        return;
    colors = Value;
    if (paint_mode == pcControl)
        PaintTitleBar(false);
}

void TSCLFormStyler::SetOptions(TSCLFormStyleOptions Value)
{
    if (Value == options)
        return;
    options = Value;
    Repaint_After_Change(true);
}

void TSCLFormStyler::SetPaintMode(TSCLPaintMode Value)
{
    if (Value == paint_mode)
        return;
    paint_mode = Value;
    Repaint_After_Change(true);
}

void TSCLFormStyler::Repaint_After_Change(bool Full)
{
    Update_Title_Owner();
    if (paint_mode != pcNone)
        PaintTitleBar(Full);
    else
        NCPaint();
}

void TSCLFormStyler::GetChange(TObject*)
{
    if (paint_mode != pcNone && !options.Contains(fsUseDefaultFont))
        PaintTitleBar(false);
}

void TSCLFormStyler::NCPaint()
{
    if (ValidOwner())
        SendMessageA(GetOwnerHandle(), WM_NCACTIVATE, 1, 0);
}

void TSCLFormStyler::ForceNCPaint()
{
    if (ValidOwner())
        PaintTitleBar(false);
}

void TSCLFormStyler::Init()
{
    if (!Enabled())
        return;
    TSCLWndProcComponent::Init();
    TCustomForm* form = GetOwnerForm();
    if (form)
        active = form->Active();
    if (form && !options.Contains(fsUseFormCaption) && !caption_moved) {
        caption = form->Caption();
        caption_moved = true;
        form->SetCaption(" ");
    }
    Update_Title_Owner();
    if (!ComponentState().Contains(csLoading))
        PaintTitleBar(true);
}

void TSCLFormStyler::RestoreState()
{
    icon_bitmap->SetSize(0, 0);
    Give_Title_Back();
    if (caption_moved && GetOwnerForm()) {
        caption_moved = false;
        GetOwnerForm()->SetCaption(caption);
    }
    if (!ComponentState().Contains(csDestroying))
        NCPaint();
}

void TSCLFormStyler::Answer_Caption_Text(TMessage& Message)
{
    // The caller's buffer holds WParam characters, the terminator included.
    if (Message.Msg == WM_GETTEXT) {
        char* buffer = reinterpret_cast<char*>(Message.LParam);
        const WPARAM room = Message.WParam;
        if (buffer && room >= 2)
            std::memcpy(buffer, " ", 2);
        else if (buffer && room == 1)
            buffer[0] = '\0';
        Message.Result = buffer && room >= 2 ? 1 : 0;
        return;
    }
    Message.Result = 1;
}

void TSCLFormStyler::WndProc(TMessage& Message)
{
    if (!Enabled() || paint_mode == pcNone || Removing()) {
        TSCLWndProcComponent::WndProc(Message);
        return;
    }
    if (own_title && Own_Title_Message(Message))
        return;
    switch (Message.Msg) {
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
        if (options.Contains(fsUseFormCaption))
            TSCLWndProcComponent::WndProc(Message);
        else
            Answer_Caption_Text(Message);
        return;
    case WM_NCPAINT:
        TSCLWndProcComponent::WndProc(Message);
        if (Form_Active() || own_title)
            PaintTitleBar(true);
        Message.Result = 0;
        return;
    case WM_NCACTIVATE:
        active = Message.WParam != 0;
        TSCLWndProcComponent::WndProc(Message);
        if (Form_Active() || own_title)
            PaintTitleBar(false);
        Message.Result = 1;
        return;
    default: TSCLWndProcComponent::WndProc(Message);
    }
}

bool TSCLFormStyler::Title_Bar_Of_Window_Manager(HWND Window) const
{
    const auto style = static_cast<DWORD>(GetWindowLongA(Window, GWL_STYLE));
    if (style & WS_CHILD)
        return false;
    return (style & WS_CAPTION) == WS_CAPTION || (style & (WS_THICKFRAME | WS_DLGFRAME)) != 0;
}

bool TSCLFormStyler::Paints_Title() const
{
    if (ComponentState().Contains(csDesigning) || !Enabled() || paint_mode == pcNone)
        return false;
    return !(system_gradient && options.Contains(fsCheckSystemGradient) && SCLSIColorDepth() > 8);
}

void TSCLFormStyler::Update_Title_Owner()
{
    if (!Paints_Title() || Removing()) {
        Give_Title_Back();
        return;
    }
    // Only a hooked styler can keep the strip it makes.
    if (own_title || !ValidOwner() || !OldWndProc())
        return;
    const HWND window = GetOwnerHandle();
    if (!Title_Bar_Of_Window_Manager(window))
        return;
    const auto style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    taken_frame = style & (WS_CAPTION | WS_THICKFRAME | WS_DLGFRAME);
    own_title = true;
    SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(style & ~taken_frame));
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TSCLFormStyler::Give_Title_Back()
{
    if (!own_title)
        return;
    own_title = false;
    auto* form = dynamic_cast<TWinControl*>(Owner());
    if (!form || !form->HandleAllocated())
        return;
    const HWND window = form->Handle();
    const auto style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(style | taken_frame));
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT TSCLFormStyler::TitleStripRect() const
{
    auto* form = dynamic_cast<TWinControl*>(Owner());
    if (!form || !form->HandleAllocated())
        return RECT{};
    const bool tool = (static_cast<DWORD>(GetWindowLongA(form->Handle(), GWL_EXSTYLE)) & WS_EX_TOOLWINDOW) != 0;
    return RECT{0, 0, form->Width(), GetSystemMetrics(tool ? SM_CYSMCAPTION : SM_CYCAPTION)};
}

RECT TSCLFormStyler::CloseButtonRect() const
{
    const RECT strip = TitleStripRect();
    const int side = strip.bottom - 4;
    return RECT{strip.right - 2 - side - 2, 2, strip.right - 2, 2 + side};
}

// The messages of the styler's own title strip; true when answered.
bool TSCLFormStyler::Own_Title_Message(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCCALCSIZE: {
        TSCLWndProcComponent::WndProc(Message);
        if (Message.LParam) {
            RECT& rect = Message.WParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                                        : *reinterpret_cast<RECT*>(Message.LParam);
            rect.top = std::min(rect.bottom, rect.top + TitleStripRect().bottom);
        }
        return true;
    }
    case WM_NCHITTEST: {
        RECT bounds{};
        GetWindowRect(GetOwnerHandle(), &bounds);
        const POINT at{GET_X_LPARAM(Message.LParam) - bounds.left, GET_Y_LPARAM(Message.LParam) - bounds.top};
        const RECT strip = TitleStripRect();
        const RECT close = CloseButtonRect();
        if (!Holds(strip, at))
            return false;
        Message.Result = Holds(close, at) ? HTCLOSE : HTCAPTION;
        return true;
    }
    case WM_NCLBUTTONDOWN:
        if (Message.WParam != static_cast<WPARAM>(HTCLOSE))
            return false;
        SendMessageA(GetOwnerHandle(), WM_SYSCOMMAND, SC_CLOSE, 0);
        Message.Result = 0;
        return true;
    default: return false;
    }
}

bool TSCLFormStyler::PaintTitleBar(bool Full)
{
    if (!Paints_Title())
        return false;
    TCustomForm* form = GetOwnerForm();
    if (!form || !form->HandleAllocated() || !form->Visible())
        return false;
    const HWND window = form->Handle();
    if (!IsWindowVisible(window) || (IsIconic(window) && !SCLNCNewLook()))
        return false;
    // Only the styler's own strip is ours: the window manager draws every other title.
    if (!own_title)
        return false;
    if (options.Contains(fsUseFormCaption))
        caption = form->Caption();
    const RECT strip = TitleStripRect();
    const RECT close = CloseButtonRect();
    const RECT text_rect{strip.left + 4, strip.top, close.left - 2, strip.bottom};
    const WORD flags = (paint_mode == pcOwnerDraw && options.Contains(fsAdjustRect)) ? 3 : 1;
    TCanvas canvas;
    canvas.SetHandle(GetWindowDC(window));
    if (Form_Active())
        PaintTitleBarOn(&canvas, strip, text_rect, flags, Full);
    else
        Paint_Inactive_Title(&canvas, strip, text_rect);
    Paint_Close_Button(&canvas);
    const HDC dc = canvas.Handle();
    canvas.SetHandle(nullptr);
    ReleaseDC(window, dc);
    return true;
}

// What the system shows for an inactive title: a flat bar and the caption.
void TSCLFormStyler::Paint_Inactive_Title(TCanvas* Canvas, const RECT& CaptionRect, const RECT& TextRect)
{
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clInactiveCaption);
    Canvas->FillRect(CaptionRect);
    Canvas->Font()->Assign(font.get());
    Canvas->Font()->SetStyle(Canvas->Font()->Style() + TFontStyles{fsBold});
    Canvas->Font()->SetColor(clInactiveCaptionText);
    Canvas->Brush()->SetStyle(bsClear);
    RECT rect = TextRect;
    DrawTextA(Canvas->Handle(), caption.c_str(), static_cast<int>(caption.size()), &rect,
              Alignment_Format(alignment) | Caption_Text_Format);
}

void TSCLFormStyler::Paint_Close_Button(TCanvas* Canvas)
{
    RECT face = CloseButtonRect();
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clBtnFace);
    Canvas->FillRect(face);
    DrawEdge(Canvas->Handle(), &face, EDGE_RAISED, BF_RECT);
    // A cross two pixels thick.
    const int inset = (face.bottom - face.top) / 4 + 1;
    const int length = face.bottom - face.top - 2 * inset;
    for (int i = 0; i < length; ++i)
        for (int thick = 0; thick < 2; ++thick) {
            Canvas->SetPixels(face.left + inset + i + thick, face.top + inset + i, clBtnText);
            Canvas->SetPixels(face.right - inset - 1 - i - thick, face.top + inset + i, clBtnText);
        }
}

void TSCLFormStyler::PaintTitleBarOn(TCanvas* Canvas, const RECT& CaptionRect, const RECT& TextRect, WORD Flags,
                                     bool Full)
{
    painting = true;
    small_caption = (Flags & SCLNC_SMALLCAPTION) != 0;
    const bool icon = (Flags & SCLNC_HASICON) != 0;
    if (paint_mode == pcControl) {
        const RECT icon_area{CaptionRect.left, CaptionRect.top, TextRect.left, CaptionRect.bottom};
        if (icon && Full && icon_area.right > icon_area.left) {
            icon_bitmap->SetSize(icon_area.right - icon_area.left, icon_area.bottom - icon_area.top);
            icon_bitmap->Canvas()->CopyRect(RECT{0, 0, icon_bitmap->Width(), icon_bitmap->Height()}, Canvas,
                                             icon_area);
        }
        if (Form_Active()) {
            SCLGradientPaint(Canvas, CaptionRect, clBlack, active ? clActiveCaption : clInactiveCaption, colors,
                             gstHorizontal, 0, 0);
            if (icon && SCLNCNewLook() && !icon_bitmap->Empty()) {
                RECT painted{};
                SCLBmpDraw(Canvas, icon_area, icon_bitmap.get(), SCLBD_TRANSPARENT, icon_bitmap->TransparentColor(),
                           painted);
            }
        }
    } else if (paint_mode == pcOwnerDraw && OnPaint) {
        Clipped_To clip(Canvas, CaptionRect);
        OnPaint(this, Canvas, CaptionRect);
    }
    Select_Title_Font(Canvas, Flags);
    Canvas->Brush()->SetStyle(bsClear);
    Set_Title_Text_Color(Canvas);
    Draw_Caption(Canvas, TextRect);
    painting = false;
}

void TSCLFormStyler::Select_Title_Font(TCanvas* Canvas, WORD Flags)
{
    if (!options.Contains(fsUseDefaultFont)) {
        Canvas->Font()->Assign(font.get());
        return;
    }
    // The system's caption font first, then the styler's own font over it:
    // the styler's Font is what the title shows.
    NONCLIENTMETRICSA metrics;
    if (SCLNCNewLook() && SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        Canvas->Font()->SetHandle(
            CreateFontIndirectA((Flags & SCLNC_SMALLCAPTION) ? &metrics.lfSmCaptionFont : &metrics.lfCaptionFont));
    Canvas->Font()->Assign(font.get());
    Canvas->Font()->SetStyle(Canvas->Font()->Style() + TFontStyles{fsBold});
}

void TSCLFormStyler::Set_Title_Text_Color(TCanvas* Canvas)
{
    if (!active) {
        Canvas->Font()->SetColor(clInactiveCaptionText);
        return;
    }
    if (options.Contains(fsUseDefaultFont) || !options.Contains(fsUseFontColor))
        Canvas->Font()->SetColor(ColorToRGB(clCaptionText) == 0 ? clWhite : clCaptionText);
}

void TSCLFormStyler::Draw_Caption(TCanvas* Canvas, const RECT& TextRect)
{
    if (options.Contains(fsDrawCaptionEvent) || paint_mode == pcOwnerDraw) {
        if (OnCaptionPaint) {
            Clipped_To clip(Canvas, TextRect);
            OnCaptionPaint(this, Canvas, TextRect);
        }
        return;
    }
    if (!active && options.Contains(fsUseFormCaption) && !options.Contains(fsInactiveGradient))
        return;
    const UINT format = Alignment_Format(alignment) | Caption_Text_Format;
    if (options.Contains(fsUseDefaultFont)) {
        RECT rect = TextRect;
        DrawTextA(Canvas->Handle(), caption.c_str(), static_cast<int>(caption.size()), &rect, format);
    } else {
        SCLDrawTextExt(Canvas, caption, font_3d.get(), TextRect, static_cast<int>(format),
                       TSCLDrawTextStyles{dtEnabled});
    }
}
