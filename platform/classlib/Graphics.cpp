#include "platform/classlib/Graphics.h"

#include <algorithm>
#include <cstring>

#include "platform/winapi/Gdi_Text.h"
#include "platform/winapi/MulDiv.h"
#include "platform/winapi/Sys_Colors.h"

namespace {

struct Color_Name {
    TColor color;
    const char* name;
};

// The first name of a colour is the one ColorToString gives.
constexpr Color_Name color_names[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clLtGray, "clLtGray"},
    {clDkGray, "clDkGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
};

bool Same_Text(const std::string& a, const char* b)
{
    return a.size() == std::strlen(b) &&
           std::equal(a.begin(), a.end(), b, [](char x, char y) { return std::tolower(x) == std::tolower(y); });
}

int Screen_Pixels_Per_Inch()
{
    static const int pixels_per_inch = [] {
        HDC screen = GetDC(nullptr);
        int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
        if (screen)
            ReleaseDC(nullptr, screen);
        return dpi > 0 ? dpi : 96;
    }();
    return pixels_per_inch;
}

template <class Handle>
void Delete_Handle(Handle& handle)
{
    if (handle)
        DeleteObject(handle);
    handle = nullptr;
}

} // namespace

// ---- Colours -------------------------------------------------------------

COLORREF ColorToRGB(TColor color)
{
    if (color & clSystemColor)
        return GetSysColor(static_cast<int>(color & 0xFF));
    return color;
}

std::string ColorToString(TColor color)
{
    for (const Color_Name& entry : color_names)
        if (entry.color == color)
            return entry.name;
    return "$" + IntToHex(color, 8);
}

TColor StringToColor(const std::string& text)
{
    for (const Color_Name& entry : color_names)
        if (Same_Text(text, entry.name))
            return entry.color;
    return static_cast<TColor>(StrToInt(text));
}

// ---- Graphics objects ----------------------------------------------------

void TGraphicsObject::Changed()
{
    if (OnChange)
        OnChange(this);
}

// ---- TFont ---------------------------------------------------------------

TFont::TFont() : pixels_per_inch(Screen_Pixels_Per_Inch()) {}

TFont::~TFont() { Drop_Handle(); }

void TFont::Drop_Handle() { Delete_Handle(handle); }

void TFont::Change_Description()
{
    Drop_Handle();
    Changed();
}

void TFont::SetName(const std::string& value)
{
    if (value.empty() || value == name)
        return;
    name = value;
    Change_Description();
}

void TFont::SetHeight(int value)
{
    if (value == height)
        return;
    height = value;
    Change_Description();
}

int TFont::Size() const { return -MulDiv(height, 72, pixels_per_inch); }

void TFont::SetSize(int value) { SetHeight(-MulDiv(value, pixels_per_inch, 72)); }

void TFont::SetColor(TColor value)
{
    if (value == color)
        return;
    color = value;
    Changed();
}

void TFont::SetStyle(TFontStyles value)
{
    if (value == style)
        return;
    style = value;
    Change_Description();
}

void TFont::SetCharset(BYTE value)
{
    if (value == charset)
        return;
    charset = value;
    Change_Description();
}

void TFont::SetPitch(TFontPitch value)
{
    if (value == pitch)
        return;
    pitch = value;
    Change_Description();
}

HFONT TFont::Handle()
{
    if (handle)
        return handle;
    LOGFONTA log_font;
    log_font.lfHeight = height;
    log_font.lfWeight = style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    log_font.lfItalic = style.Contains(fsItalic);
    log_font.lfUnderline = style.Contains(fsUnderline);
    log_font.lfStrikeOut = style.Contains(fsStrikeOut);
    log_font.lfCharSet = charset;
    log_font.lfPitchAndFamily = pitch == fpFixed ? FIXED_PITCH : pitch == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
    std::strncpy(log_font.lfFaceName, name.c_str(), LF_FACESIZE - 1);
    handle = CreateFontIndirectA(&log_font);
    return handle;
}

void TFont::SetHandle(HFONT value)
{
    LOGFONTA log_font;
    if (value == handle || GetObjectA(value, sizeof log_font, &log_font) != sizeof log_font)
        return;
    Drop_Handle();
    handle = value;
    name.assign(log_font.lfFaceName, strnlen(log_font.lfFaceName, LF_FACESIZE));
    height = log_font.lfHeight;
    style = TFontStyles();
    if (log_font.lfWeight >= FW_BOLD)
        style.Include(fsBold);
    if (log_font.lfItalic)
        style.Include(fsItalic);
    if (log_font.lfUnderline)
        style.Include(fsUnderline);
    if (log_font.lfStrikeOut)
        style.Include(fsStrikeOut);
    charset = log_font.lfCharSet;
    BYTE pitch_bits = log_font.lfPitchAndFamily & 3;
    pitch = pitch_bits == FIXED_PITCH ? fpFixed : pitch_bits == VARIABLE_PITCH ? fpVariable : fpDefault;
    Changed();
}

void TFont::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TFont*>(Source);
    if (!source) {
        TPersistent::Assign(Source);
        return;
    }
    if (source == this)
        return;
    name = source->name;
    height = source->height;
    color = source->color;
    style = source->style;
    charset = source->charset;
    pitch = source->pitch;
    pixels_per_inch = source->pixels_per_inch;
    Change_Description();
}

// ---- TPen ----------------------------------------------------------------

int PenModeToRop2(TPenMode mode)
{
    static constexpr int rop2[] = {R2_BLACK,       R2_WHITE,       R2_NOP,         R2_NOT,
                                   R2_COPYPEN,     R2_NOTCOPYPEN,  R2_MERGEPENNOT, R2_MASKPENNOT,
                                   R2_MERGENOTPEN, R2_MASKNOTPEN,  R2_MERGEPEN,    R2_NOTMERGEPEN,
                                   R2_MASKPEN,     R2_NOTMASKPEN,  R2_XORPEN,      R2_NOTXORPEN};
    return rop2[mode];
}

TPen::~TPen() { Drop_Handle(); }

void TPen::Drop_Handle() { Delete_Handle(handle); }

void TPen::SetColor(TColor value)
{
    if (value == color)
        return;
    color = value;
    Drop_Handle();
    Changed();
}

void TPen::SetWidth(int value)
{
    if (value == width || value < 0)
        return;
    width = value;
    Drop_Handle();
    Changed();
}

void TPen::SetStyle(TPenStyle value)
{
    if (value == style)
        return;
    style = value;
    Drop_Handle();
    Changed();
}

void TPen::SetMode(TPenMode value)
{
    if (value == mode)
        return;
    mode = value;
    Changed();
}

HPEN TPen::Handle()
{
    static constexpr int pen_styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    if (!handle)
        handle = CreatePen(pen_styles[style], width, ColorToRGB(color));
    return handle;
}

void TPen::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TPen*>(Source);
    if (!source) {
        TPersistent::Assign(Source);
        return;
    }
    if (source == this)
        return;
    color = source->color;
    width = source->width;
    style = source->style;
    mode = source->mode;
    Drop_Handle();
    Changed();
}

// ---- TBrush --------------------------------------------------------------

TBrush::~TBrush() { Drop_Handle(); }

void TBrush::Drop_Handle() { Delete_Handle(handle); }

void TBrush::SetColor(TColor value)
{
    if (value == color)
        return;
    color = value;
    Drop_Handle();
    Changed();
}

void TBrush::SetStyle(TBrushStyle value)
{
    if (value == style)
        return;
    style = value;
    Drop_Handle();
    Changed();
}

void TBrush::SetBitmap(TBitmap* value)
{
    bitmap = value;
    Drop_Handle();
    Changed();
}

HBRUSH TBrush::Handle()
{
    if (handle)
        return handle;
    if (bitmap && !bitmap->Empty()) {
        handle = CreatePatternBrush(bitmap->Handle());
        return handle;
    }
    LOGBRUSH log_brush;
    log_brush.lbColor = ColorToRGB(color);
    if (style == bsSolid) {
        log_brush.lbStyle = BS_SOLID;
    } else if (style == bsClear) {
        log_brush.lbStyle = BS_NULL;
    } else {
        log_brush.lbStyle = BS_HATCHED;
        log_brush.lbHatch = static_cast<std::uintptr_t>(style - bsHorizontal + HS_HORIZONTAL);
    }
    handle = CreateBrushIndirect(&log_brush);
    return handle;
}

void TBrush::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TBrush*>(Source);
    if (!source) {
        TPersistent::Assign(Source);
        return;
    }
    if (source == this)
        return;
    color = source->color;
    style = source->style;
    bitmap = source->bitmap;
    Drop_Handle();
    Changed();
}
