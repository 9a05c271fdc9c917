#include "components/controls/Sclled.h"

#include <algorithm>
#include <cctype>
#include <span>

#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/SysUtils.h"

namespace {

// The stored defaults are the constructor's values, so that a layout that
// stores other sizes reads back as it was saved.
const bool Led_Registered = [] {
    const auto byte = [](int index) {
        return [index](TSCLLED& led, int value) { led.SetByte(index, static_cast<BYTE>(value)); };
    };
    RegisterClass<TSCLLED>("TSCLLED")
        .Property("ActiveColor", Color_Type(), &TSCLLED::ActiveColor,
                  [](TSCLLED& led, TColor value) { led.SetColor(0, value); }, 0x0000FF00)
        .Property("InActiveColor", Color_Type(), &TSCLLED::InActiveColor,
                  [](TSCLLED& led, TColor value) { led.SetColor(1, value); }, 0x00008000)
        .Property("Horzsize", Integer_Type(0, 255), &TSCLLED::Horzsize, byte(1), 9)
        .Property("Thickness", Integer_Type(0, 255), &TSCLLED::Thickness, byte(2), 2)
        .Property("Vertsize", Integer_Type(0, 255), &TSCLLED::Vertsize, byte(3), 7)
        .Property("DisabledDigits", Boolean_Type(), &TSCLLED::DisabledDigits, &TSCLLED::SetEnabled, true);
    return true;
}();

TSCLLEDOutline Horizontal_Bar(int x, int y, int a, int b)
{
    return {POINT{x, y + a}, POINT{x + a, y},         POINT{x + a + b, y},
            POINT{x + 2 * a + b, y + a}, POINT{x + a + b, y + 2 * a}, POINT{x + a, y + 2 * a}};
}

TSCLLEDOutline Vertical_Bar(int x, int y, int a, int b)
{
    return {POINT{x + a, y},             POINT{x + 2 * a, y + a}, POINT{x + 2 * a, y + a + b},
            POINT{x + a, y + 2 * a + b}, POINT{x, y + a + b},     POINT{x, y + a}};
}

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

// No outline (all points at the origin) when either slope is 0.
TSCLLEDOutline Diagonal(int x, int y, int t, int dx, int dy)
{
    if (dx == 0 || dy == 0)
        return {};
    const int ex = static_cast<int>(Round(Sign(dx) * t / 2.0));
    const int ey = static_cast<int>(Round(Sign(dy) * t / 2.0));
    return {POINT{x, y},           POINT{x + ex, y},      POINT{x + dx, y + dy - ey},
            POINT{x + dx, y + dy}, POINT{x + dx - ex, y + dy}, POINT{x, y + ey}};
}

TSCLLEDOutline Dot(int x, int y, int s)
{
    return {POINT{x + s, y - 1}, POINT{x + s, y + s - 1}, POINT{x, y + s - 1},
            POINT{x, y - 1},     POINT{x, y - 1},         POINT{x, y - 1}};
}

// The dither of unlit segments: the background where x and y differ in
// parity, the inactive colour elsewhere. Shared by every LED of the pair.
TBitmap* Pattern_Bitmap(TColor back, TColor inactive)
{
    static std::unique_ptr<TBitmap> pattern;
    static TColor pattern_back = 0x1FFFFFFF;
    static TColor pattern_inactive = 0x1FFFFFFF;
    if (!pattern || back != pattern_back || inactive != pattern_inactive) {
        pattern = std::make_unique<TBitmap>();
        pattern->SetSize(8, 8);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                pattern->Canvas()->SetPixels(x, y, (x % 2 != y % 2) ? back : inactive);
        pattern_back = back;
        pattern_inactive = inactive;
    }
    return pattern.get();
}

TSCLLEDOutline Moved(const TSCLLEDOutline& outline, int dx, int dy)
{
    TSCLLEDOutline moved = outline;
    for (POINT& p : moved) {
        p.x += dx;
        p.y += dy;
    }
    return moved;
}

bool Has_Outline(const TSCLLEDOutline& outline)
{
    return std::any_of(outline.begin(), outline.end(), [](const POINT& p) { return p.x != 0 || p.y != 0; });
}

} // namespace

std::uint16_t TSCLLED::CharMask(char C)
{
    switch (std::toupper(static_cast<unsigned char>(C))) {
    case '"': return 0x82;
    case '\'': return 0x80;
    case '(': case '<': return 0x1400;
    case ')': case '>': return 0xA00;
    case '*': return 0x1F80;
    case '+': return 0x188;
    case '-': return 0x8;
    case '.': return 0x8000;
    case '/': return 0xC00;
    case '0': return 0x1277;
    case '1': case 'I': return 0x180;
    case '2': return 0x5D;
    case '3': return 0x6D;
    case '4': return 0x2E;
    case '5': case 'S': return 0x6B;
    case '6': case 'G': return 0x7B;
    case '7': return 0x25;
    case '8': return 0x7F;
    case '9': return 0x6F;
    case ':': return 0xA000;
    case '=': return 0x48;
    case 'A': return 0x3F;
    case 'B': return 0x1ED;
    case 'C': case '[': return 0x53;
    case 'D': return 0x1E5;
    case 'E': return 0x5B;
    case 'F': return 0x1B;
    case 'H': return 0x3E;
    case 'J': return 0x74;
    case 'K': return 0x141A;
    case 'L': return 0x52;
    case 'M': return 0x636;
    case 'N': return 0x1236;
    case 'O': return 0x77;
    case 'P': return 0x1F;
    case 'Q': return 0x1077;
    case 'R': return 0x101F;
    case 'T': return 0x181;
    case 'U': return 0x76;
    case 'V': return 0xC12;
    case 'W': return 0x1836;
    case 'X': return 0x1E00;
    case 'Y': return 0x700;
    case 'Z': return 0xC41;
    case '\\': return 0x1200;
    case ']': return 0x65;
    case '_': return 0x40;
    default: return 0;
    }
}

TSCLLED::TSCLLED()
{
    Compute_Outlines();
}

TSCLLED::~TSCLLED() = default;

void TSCLLED::Rebuild_And_Change()
{
    CreateBmp();
    Change();
}

void TSCLLED::SetColor(int Index, TColor Value)
{
    TColor* field = Index == 0 ? &active_color : Index == 1 ? &inactive_color : Index == 2 ? &back_color : nullptr;
    if (!field || *field == Value)
        return;
    *field = Value;
    Rebuild_And_Change();
}

void TSCLLED::SetByte(int Index, BYTE Value)
{
    BYTE* field = Index == 1 ? &horz_size : Index == 2 ? &thickness : Index == 3 ? &vert_size : nullptr;
    if (!field || *field == Value)
        return;
    *field = Value;
    Rebuild_And_Change();
}

void TSCLLED::SetEnabled(bool Value)
{
    disabled_digits = Value;
    Change();
}

void TSCLLED::BeginFlash()
{
    flash = true;
}

void TSCLLED::EndFlash()
{
    flash = false;
    Change();
}

void TSCLLED::Assign(TPersistent* Source)
{
    auto* led = dynamic_cast<TSCLLED*>(Source);
    if (!led) {
        TSCLObject::Assign(Source);
        return;
    }
    horz_size = led->horz_size;
    thickness = led->thickness;
    vert_size = led->vert_size;
    disabled_digits = led->disabled_digits;
    active_color = led->active_color;
    inactive_color = led->inactive_color;
    Rebuild_And_Change();
}

void TSCLLED::Compute_Outlines()
{
    const int t = thickness;
    const int H = horz_size;
    const int V = vert_size;
    const int h = t / 2;
    const int c = (4 * t + H) / 2;
    const int c2 = static_cast<int>(Round(1.5 * t)) + c;
    outlines[llTop] = Horizontal_Bar(2 * t, t, h, H);
    outlines[llTopLeft] = Vertical_Bar(t, 2 * t, h, V);
    outlines[llTopRight] = Vertical_Bar(3 * t + H, 2 * t, h, V);
    outlines[llMiddle] = Horizontal_Bar(2 * t, 3 * t + V, h, H);
    outlines[llBottomLeft] = Vertical_Bar(t, 4 * t + V, h, V);
    outlines[llBottomRight] = Vertical_Bar(3 * t + H, 4 * t + V, h, V);
    outlines[llBottom] = Horizontal_Bar(2 * t, 5 * t + 2 * V, h, H);
    outlines[llInTopMiddle] = Vertical_Bar(c, 2 * t, h, V);
    outlines[llInBottomMiddle] = Vertical_Bar(c, 4 * t + V, h, V);
    outlines[llInTopLeft] = Diagonal(c - h, 2 * t + V, t, t - H / 2, t - V);
    outlines[llInTopRight] = Diagonal(c2, 2 * t + V, t, H / 2 - t, t - V);
    outlines[llInBottomLeft] = Diagonal(c - h, 5 * t + V, t, t - H / 2, V - t);
    outlines[llInBottomRight] = Diagonal(c2, 5 * t + V, t, H / 2 - t, V - t);
    outlines[llPointMiddle] = Dot(c - 1, 3 * t + V, t);
    outlines[llPointTop] = Dot(c - 1, t, t);
    outlines[llPointBottom] = Dot(c - 1, 5 * t + 2 * V, t);
}

void TSCLLED::CreateBmp()
{
    Compute_Outlines();
    if (!cell_template)
        cell_template = std::make_unique<TBitmap>();
    cell_template->SetSize(GetWidth(), GetHeight());
    TCanvas* canvas = cell_template->Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(back_color);
    canvas->FillRect(RECT{0, 0, GetWidth(), GetHeight()});
    canvas->Pen()->SetStyle(psClear);
    canvas->Brush()->SetBitmap(Pattern_Bitmap(back_color, inactive_color));
    for (const TSCLLEDOutline& outline : outlines)
        if (Has_Outline(outline))
            canvas->Polygon(outline);
    canvas->Brush()->SetBitmap(nullptr);
    canvas->Pen()->SetStyle(psSolid);
}

void TSCLLED::PaintLED(TCanvas* Canvas, const RECT& Rect, const std::string& Text, bool Draw, bool Enabled)
{
    last_text = Text;
    lines = 1;
    columns = 1;
    const bool sixteen = vert_size > 3 && horz_size > 3;
    const bool lit_shown = !(disabled_digits && !Enabled);
    if (Draw) {
        Canvas->Pen()->SetStyle(psSolid);
        Canvas->Pen()->SetColor(active_color);
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(active_color);
    }
    int column = 0;
    int row_top = Rect.top;
    for (const char c : Text) {
        if (c == '\r') {
            ++lines;
            column = 0;
            row_top = Rect.top + (lines - 1) * GetHeight();
            continue;
        }
        if (static_cast<unsigned char>(c) < 32)
            continue;
        if (Draw) {
            if (!cell_template || cell_template->Empty())
                CreateBmp();
            const int left = Rect.left + column * GetWidth();
            Canvas->Draw(left, row_top, cell_template.get());
            if (lit_shown) {
                std::uint16_t mask = (flash && !flash_phase) ? 0 : CharMask(c);
                if (!sixteen)
                    mask &= 0x7F;
                for (int light = 0; light < 16; ++light)
                    if (mask & (1U << light))
                        Canvas->Polygon(Moved(outlines[static_cast<std::size_t>(light)], left, row_top));
            }
        }
        ++column;
        columns = std::max(columns, column);
    }
    if (flash)
        flash_phase = !flash_phase;
}

RECT TSCLLED::CalcBoundsRect(const std::string& Text, int Border)
{
    PaintLED(nullptr, RECT{}, Text, false, true);
    return RECT{0, 0, GetWidth() * columns + 2 * Border + 1, GetHeight() * lines + 2 * Border};
}
