// Text measured and drawn with the 3D effects of a caption object, rotated
// text, and the layout of a glyph beside a text.

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

#include "components/foundations/Sclbuttonlayout.h"
#include "components/foundations/Sclprocs.h"
#include "components/foundations/Sclutils.h"
#include "components/foundations/Sclutils_Internal.h"
#include "platform/classlib/SysUtils.h"
#include "platform/winapi/Gdi_Text.h"

using namespace sclutils;

namespace {

// ---- Caption kinds and effect extents

TSCLFxCaption* Fx_Of(TSCL3DCaption* caption) { return dynamic_cast<TSCLFxCaption*>(caption); }

bool Is_Rotated(TSCL3DCaption* caption)
{
    const TSCLFxCaption* fx = Fx_Of(caption);
    return fx && fx->Angle() != 0;
}

bool Is_Positioned(TSCL3DCaption* caption)
{
    const TSCLFxCaption* fx = Fx_Of(caption);
    return fx && fx->Angle() == 0;
}

bool Is_Double(TSCLThreeDStyle style) { return style >= tdSunkenShadow && style <= tdPColorRaised; }

// The pixels an effect adds to the right and bottom of the text. The
// measuring pass counts every shadowed style; the width query only tdShadow.
int Effect_Extent(const TSCL3DCaption& caption, bool all_shadowed)
{
    const int l = caption.LightDepth();
    const int s = caption.ShadowDepth();
    const TSCLThreeDStyle style = caption.Style();
    if (style == tdSunken || style == tdRaised)
        return l;
    if (Is_Double(style))
        return l + s;
    if (style == tdShadow || (all_shadowed && style > tdShadow))
        return s;
    return 0;
}

// Half the effect depth less one: how far the rotated text's start moves
// back so that its effect stays inside the box.
int Rotation_Inset(const TSCL3DCaption& caption)
{
    const int l = caption.LightDepth();
    const int s = caption.ShadowDepth();
    const TSCLThreeDStyle style = caption.Style();
    int depth = 0;
    if (style == tdSunken || style == tdRaised)
        depth = l;
    else if (Is_Double(style))
        depth = l + s;
    else if (style == tdShadow || style == tdExtrude || style == tdExtrudeEnh)
        depth = s;
    return depth == 0 ? 0 : std::max(0, depth / 2 - 1);
}

// ---- A canvas on the screen's DC

// Binds a canvas to the screen's DC with a font for a scope; the canvas's
// own DC and font are put back afterwards.
class Screen_Binding {
public:
    Screen_Binding(TCanvas* target, TFont* font) : canvas(target), screen(GetDC(nullptr)), previous(nullptr)
    {
        saved_font.Assign(canvas->Font());
        if (canvas->HandleAllocated())
            previous = canvas->Handle();
        canvas->SetHandle(screen);
        if (font)
            canvas->Font()->Assign(font);
    }
    ~Screen_Binding()
    {
        canvas->SetHandle(previous);
        canvas->Font()->Assign(&saved_font);
        ReleaseDC(nullptr, screen);
    }
    Screen_Binding(const Screen_Binding&) = delete;
    Screen_Binding& operator=(const Screen_Binding&) = delete;

    HDC Dc() const { return canvas->Handle(); }

private:
    TCanvas* canvas;
    HDC screen;
    HDC previous;
    TFont saved_font;
};

SIZE Extent(HDC dc, const std::string& text)
{
    SIZE size{0, 0};
    if (!GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size))
        return SIZE{0, 0};
    return size;
}

// ---- Drawing state

// What the drawing pass changes in the DC, put back when it ends.
class Dc_State {
public:
    explicit Dc_State(HDC context)
        : dc(context), text_color(GetTextColor(dc)), bk_mode(GetBkMode(dc)), extra(GetTextCharacterExtra(dc))
    {
    }
    ~Dc_State()
    {
        SetTextColor(dc, text_color);
        SetBkMode(dc, bk_mode);
        SetTextCharacterExtra(dc, extra);
    }
    Dc_State(const Dc_State&) = delete;
    Dc_State& operator=(const Dc_State&) = delete;

private:
    HDC dc;
    COLORREF text_color;
    int bk_mode;
    int extra;
};

// The canvas font turned by an angle for a scope; the caller's font is
// selected again afterwards.
class Rotated_Font {
public:
    Rotated_Font(TCanvas* canvas, int angle) : dc(canvas->Handle())
    {
        LOGFONTA log_font;
        GetObjectA(canvas->Font()->Handle(), sizeof(log_font), &log_font);
        log_font.lfEscapement = angle * 10;
        log_font.lfOrientation = angle * 10;
        font = CreateFontIndirectA(&log_font);
        previous = SelectObject(dc, font);
    }
    ~Rotated_Font()
    {
        SelectObject(dc, previous);
        DeleteObject(font);
    }
    Rotated_Font(const Rotated_Font&) = delete;
    Rotated_Font& operator=(const Rotated_Font&) = delete;

private:
    HDC dc;
    HFONT font;
    HGDIOBJ previous;
};

// One copy of the text: where (relative to the working rectangle's start)
// and in which colour.
struct Copy {
    int x;
    int y;
    TColor color;
};

struct Effect_Plan {
    std::vector<Copy> copies;
    int right_reduction = 0;
    bool outline = false;
};

struct Extrude_Path {
    POINT start;
    POINT step;
};

Extrude_Path Extrude_Direction(TSCLThreeDOrientation orientation, int s)
{
    switch (orientation) {
    case toBottomLeft:
        return {{0, s + 1}, {1, -1}};
    case toBottomRight:
        return {{s + 1, s + 1}, {-1, -1}};
    case toTopRight:
        return {{s + 1, 0}, {-1, 1}};
    default:
        return {{0, 0}, {1, 1}};
    }
}

Effect_Plan Extrude_Plan(const TSCL3DCaption& caption, TColor main, bool graded)
{
    Effect_Plan plan;
    const int s = caption.ShadowDepth();
    const Extrude_Path path = Extrude_Direction(caption.Orientation(), s);
    for (int k = 0; k < s; ++k) {
        const TColor color =
            graded ? SCLGradientGetColor(caption.ShadowColor(), caption.LightColor(), s - k - 1, s) : caption.ShadowColor();
        plan.copies.push_back({path.start.x + k * path.step.x, path.start.y + k * path.step.y, color});
    }
    plan.copies.push_back({path.start.x + s * path.step.x, path.start.y + s * path.step.y, main});
    return plan;
}

Effect_Plan Plan_Effect(const TSCL3DCaption& caption, TSCLThreeDStyle effect, TColor main)
{
    const int l = caption.LightDepth();
    const int s = caption.ShadowDepth();
    const TColor light = caption.LightColor();
    const TColor shadow = caption.ShadowColor();
    switch (effect) {
    case tdSunken:
        return {{{l, l, light}, {0, 0, main}}, l, false};
    case tdRaised:
        return {{{0, 0, light}, {l, l, main}}, l, false};
    case tdSunkenShadow:
    case tdPColorSunken:
        return {{{0, 0, shadow}, {l + s, l + s, light}, {s, s, main}}, l + s, false};
    case tdRaisedShadow:
    case tdPColorRaised:
        return {{{l + s, l + s, shadow}, {0, 0, light}, {l, l, main}}, l + s, false};
    case tdShadow:
        return {{{s, s, shadow}, {0, 0, main}}, s, false};
    case tdOutline:
        return {{{s / 2, s / 2, main}}, 0, true};
    case tdExtrude:
        return Extrude_Plan(caption, main, false);
    case tdExtrudeEnh:
        return Extrude_Plan(caption, main, true);
    default:
        return {{{0, 0, main}}, 0, false};
    }
}

// The text stroked along its outline with a pen of Width pixels: the
// pixels within Width / 2 of the edge of the drawn letters.
void Draw_Outline(TCanvas* canvas, const std::string& text, const RECT& r, int flags, COLORREF color, int width)
{
    const int w = Width_Of(r);
    const int h = Height_Of(r);
    if (w <= 0 || h <= 0)
        return;
    HDC dc = canvas->Handle();
    TBitmap shape;
    shape.SetSize(w, h);
    shape.Canvas()->Font()->Assign(canvas->Font());
    HDC shape_dc = shape.Canvas()->Handle();
    SetBkMode(shape_dc, TRANSPARENT);
    SetTextColor(shape_dc, 0x000000);
    SetTextCharacterExtra(shape_dc, GetTextCharacterExtra(dc));
    RECT inner{0, 0, w, h};
    DrawTextA(shape_dc, text.c_str(), static_cast<int>(text.size()), &inner, static_cast<UINT>(flags));
    std::vector<char> ink(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    auto at = [&](int x, int y) -> char& { return ink[static_cast<std::size_t>(y) * w + x]; };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const COLORREF c = GetPixel(shape_dc, x, y);
            at(x, y) = ((c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF)) < 384;
        }
    auto inked = [&](int x, int y) { return x >= 0 && y >= 0 && x < w && y < h && at(x, y); };
    auto edge = [&](int x, int y) {
        return inked(x, y) && (!inked(x - 1, y) || !inked(x + 1, y) || !inked(x, y - 1) || !inked(x, y + 1));
    };
    const int reach = width / 2;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (edge(x, y))
                for (int dy = -reach; dy <= reach; ++dy)
                    for (int dx = -reach; dx <= reach; ++dx)
                        SetPixel(dc, r.left + x + dx, r.top + y + dy, color);
}

struct Text_Pass {
    TCanvas* canvas;
    const std::string& text;
    RECT r;
    int flags;
    bool rotated;
};

void Draw_Copy(const Text_Pass& pass, const Copy& copy)
{
    HDC dc = pass.canvas->Handle();
    SetTextColor(dc, ColorToRGB(copy.color));
    RECT at{pass.r.left + copy.x, pass.r.top + copy.y, pass.r.right + copy.x, pass.r.bottom + copy.y};
    if (pass.rotated) {
        ExtTextOutA(dc, at.left, at.top, 0, nullptr, pass.text.c_str(), static_cast<UINT>(pass.text.size()),
                    nullptr);
        return;
    }
    DrawTextExA(dc, const_cast<char*>(pass.text.c_str()), static_cast<int>(pass.text.size()), &at,
                static_cast<UINT>(pass.flags), nullptr);
}

// The colour of the text itself, and the effect it is drawn with: the
// disabled look greys the text and may turn the effect sunken.
TColor Main_Color(TCanvas* canvas, const TSCL3DCaption& caption, TSCLDrawTextStyles styles,
                  TSCLThreeDStyle& effect)
{
    if (styles.Contains(dtEnabled) || caption.DisabledStyle() == dsNone) {
        // The coloured styles cut the text out in the background's colour.
        if (effect == tdPColorSunken || effect == tdPColorRaised)
            return canvas->Brush()->Color();
        return canvas->Font()->Color();
    }
    const TSCLDisabledStyle disabled = caption.DisabledStyle();
    if (disabled == ds3d || (disabled == dsAuto && styles.Contains(dt3DDisabled)))
        effect = tdSunken;
    return clGrayText;
}

// ---- Glyph and text layout

UINT Alignment_Format(TSCLAlignment alignment)
{
    static constexpr UINT formats[] = {DT_LEFT,
                                       DT_CENTER,
                                       DT_RIGHT,
                                       DT_VCENTER,
                                       DT_VCENTER | DT_CENTER,
                                       DT_VCENTER | DT_RIGHT,
                                       DT_BOTTOM,
                                       DT_BOTTOM | DT_CENTER,
                                       DT_BOTTOM | DT_RIGHT};
    const auto index = static_cast<std::size_t>(alignment);
    return index < std::size(formats) ? formats[index] : 0;
}

RECT Moved(const RECT& r, int dx, int dy) { return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

RECT Grown(const RECT& r, int by) { return RECT{r.left - by, r.top - by, r.right + by, r.bottom + by}; }

RECT Union_Of(const RECT& a, const RECT& b)
{
    if (Is_Empty(a))
        return b;
    if (Is_Empty(b))
        return a;
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

bool Side_By_Side(TSCLTextArrange arrange) { return arrange <= taRightTop; }

// Text and glyph placed relative to (0, 0) as a block; answers the block's size.
SIZE Arrange(TSCLTextArrange arrange, RECT& text, RECT& glyph, int spacing)
{
    const int tw = Width_Of(text);
    const int th = Height_Of(text);
    const int gw = Width_Of(glyph);
    const int gh = Height_Of(glyph);
    if (Side_By_Side(arrange)) {
        const int bh = std::max(th, gh);
        const bool glyph_top = arrange == taLeftTop || arrange == taRightTop;
        const bool text_first = arrange == taLeft || arrange == taLeftTop;
        text = Moved(text, text_first ? 0 : gw + spacing, (bh - th) / 2);
        glyph = Moved(glyph, text_first ? tw + spacing : 0, glyph_top ? 0 : (bh - gh) / 2);
        return SIZE{tw + spacing + gw, bh};
    }
    const int bw = std::max(tw, gw);
    const bool glyph_left = arrange == taTopLeft || arrange == taBottomLeft;
    const bool text_first = arrange == taTop || arrange == taTopLeft;
    text = Moved(text, (bw - tw) / 2, text_first ? 0 : gh + spacing);
    glyph = Moved(glyph, glyph_left ? 0 : (bw - gw) / 2, text_first ? th + spacing : 0);
    return SIZE{bw, th + spacing + gh};
}

// What the layout reads of a layout object: the arrow only from a button
// layout that shows one.
struct Layout_Values {
    TSCLAlignment Alignment;
    TSCLTextArrange AlignText2Glyph;
    int OffsetX;
    int OffsetY;
    int Spacing;
    bool Arrow = false;
    TColor ArrowColor = clBlack;
    int ArrowIndent = 0;
    TSCLArrowPosition ArrowPosition = apRightText;
    int ArrowSize = 0;
};

Layout_Values Values_Of(const TSCLGlyphTextLayout& layout)
{
    Layout_Values values{layout.Alignment(), layout.AlignText2Glyph(), layout.OffsetX(), layout.OffsetY(),
                         layout.Spacing()};
    const auto* button = dynamic_cast<const TSCLButtonLayout*>(&layout);
    if (button && button->Arrow()) {
        values.Arrow = true;
        values.ArrowColor = button->ArrowColor();
        values.ArrowIndent = button->ArrowIndent();
        values.ArrowPosition = button->ArrowPosition();
        values.ArrowSize = button->ArrowSize();
    }
    return values;
}

int Arrow_Width(const Layout_Values& layout) { return layout.ArrowSize * 2 - 1; }

bool Arrow_By_Text(const Layout_Values& layout)
{
    return layout.ArrowPosition == apRightText || layout.ArrowPosition == apLeftText;
}

// The arrow in the room kept for it at the right end of r, or left of r,
// centred vertically on r.
void Draw_Arrow(TCanvas* canvas, const RECT& r, const Layout_Values& layout, bool left, bool enabled)
{
    const int a = Arrow_Width(layout);
    const int x = left ? r.left - layout.ArrowIndent - a : r.right - a;
    const int y = r.top + (Height_Of(r) - layout.ArrowSize) / 2;
    SCLDrawTriangle(canvas, x, y, layout.ArrowSize, layout.ArrowColor, true, enabled);
}

int Arrow_Room(const Layout_Values& layout)
{
    return layout.Arrow ? Arrow_Width(layout) + layout.ArrowIndent : 0;
}

// The text's measured size at (0, 0); empty without a text.
RECT Measure_Text(const std::string& text, TSCL3DCaption* caption, const RECT& dest, TFont* font, bool multi_line,
                  bool show_accel_char, int flags)
{
    if (text.empty())
        return RECT{};
    RECT measured{0, 0, Width_Of(dest), Height_Of(dest)};
    SCLDrawTextCalc(text, caption, measured, font, multi_line, show_accel_char, 0, flags);
    return RECT{0, 0, Width_Of(measured), Height_Of(measured)};
}

// Text and glyph arranged as a block, the block aligned in Dest (unless
// auto-sized), room kept for the arrow and the layout's offset applied.
void Place_Block(RECT& text, RECT& glyph, int spacing, const Layout_Values& layout, const RECT& dest,
                 bool auto_size)
{
    if (layout.Arrow)
        (Arrow_By_Text(layout) ? text : glyph).right += Arrow_Room(layout);
    const SIZE block = Arrange(layout.AlignText2Glyph, text, glyph, spacing);
    if (!auto_size) {
        const RECT placed = SCLAlignRect(layout.Alignment, RECT{0, 0, block.cx, block.cy}, dest);
        glyph = Moved(glyph, placed.left, placed.top);
        text = Moved(text, placed.left + 1, placed.top + 1);
    }
    if (layout.Arrow && layout.ArrowPosition == apLeftText)
        text = Moved(text, Arrow_Room(layout), 0);
    text = Moved(text, layout.OffsetX, layout.OffsetY);
    glyph = Moved(glyph, layout.OffsetX, layout.OffsetY);
}

RECT Focus_Rect(TSCLDrawTextStyles styles, const RECT& text, const RECT& glyph, const RECT& dest)
{
    if (styles.Contains(dtCalculate))
        return Grown(Union_Of(text, glyph), 2);
    if (styles.Contains(dtRectGlyphText))
        return Grown(Union_Of(text, glyph), 1);
    if (styles.Contains(dtRectText))
        return Grown(text, 1);
    if (styles.Contains(dtRectGlyph))
        return glyph;
    return Grown(dest, -1);
}

} // namespace

// ---- Measuring ---------------------------------------------------------------

void SCLDrawTextCalcExt(TCanvas* Canvas, const std::string& Text, TSCL3DCaption* Caption3D, RECT& Rect,
                        TFont* Font, bool MultiLine, bool ShowAccelChar, int Border, int Flags)
{
    if (!Canvas)
        return;
    Screen_Binding screen(Canvas, Font);
    HDC dc = screen.Dc();
    const int extra = GetTextCharacterExtra(dc);
    if (Caption3D)
        SetTextCharacterExtra(dc, Caption3D->Tracing());
    // An empty text still measures one line.
    const std::string text = Text.empty() || (ShowAccelChar && Text == "&") ? std::string(" ") : Text;
    const int grow = Caption3D ? Effect_Extent(*Caption3D, true) : 0;
    if (Is_Rotated(Caption3D)) {
        TSCLFxCaption* fx = Fx_Of(Caption3D);
        const SIZE size = Extent(dc, text);
        const double hw = size.cx / 2;
        const double hh = size.cy / 2;
        Rect = RECT{0, 0, size.cx + grow, size.cy + grow};
        SCLCalcRotRect(Rect, fx->Angle());
        const double a = fx->Angle() * std::numbers::pi / 180.0;
        const double cx = Rect.left + Width_Of(Rect) / 2;
        const double cy = Rect.top + Height_Of(Rect) / 2;
        const int inset = Rotation_Inset(*fx);
        fx->SetPosX(static_cast<WORD>(std::max<std::int64_t>(0, Round(cx - hw * std::cos(a) - hh * std::sin(a)) - inset)));
        fx->SetPosY(static_cast<WORD>(std::max<std::int64_t>(0, Round(cy + hw * std::sin(a) - hh * std::cos(a)) - inset)));
    } else {
        if (Is_Positioned(Caption3D))
            Fx_Of(Caption3D)->SetPosXY(0, 0);
        UINT format = static_cast<UINT>(Flags) | DT_CALCRECT | DT_EXPANDTABS;
        if (MultiLine)
            format |= DT_WORDBREAK;
        if (!ShowAccelChar)
            format |= DT_NOPREFIX;
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &Rect, format);
        Rect.right += grow;
        Rect.bottom += grow;
    }
    SetTextCharacterExtra(dc, extra);
    Rect.right += (Border + 1) * 2;
    Rect.bottom += (Border + 1) * 2;
}

void SCLDrawTextCalc(const std::string& Text, TSCL3DCaption* Caption3D, RECT& Rect, TFont* Font, bool MultiLine,
                     bool ShowAccelChar, int Border, int Flags)
{
    TCanvas canvas;
    SCLDrawTextCalcExt(&canvas, Text, Caption3D, Rect, Font, MultiLine, ShowAccelChar, Border, Flags);
}

RECT SCLAlignTextRect(TSCLAlignment Alignment, const std::string& Text, TSCL3DCaption* Caption3D,
                      const RECT& Target, TFont* Font, bool MultiLine, bool ShowAccelChar, int Flags)
{
    RECT measured{Target.left, Target.top, Target.right - 1, Target.bottom};
    SCLDrawTextCalc(Text, Caption3D, measured, Font, MultiLine, ShowAccelChar, 0, Flags);
    return SCLAlignRect(Alignment, measured, Target);
}

int SCLGet3DTextWidth(const std::string& Text, TSCL3DCaption* Caption3D, TFont* Font)
{
    if (!Caption3D)
        return 0;
    TCanvas canvas;
    Screen_Binding screen(&canvas, Font);
    const int extra = SetTextCharacterExtra(screen.Dc(), Caption3D->Tracing());
    const int width = Extent(screen.Dc(), Text).cx;
    SetTextCharacterExtra(screen.Dc(), extra);
    return width + Effect_Extent(*Caption3D, false);
}

int SCLGet3DTextHeight(TSCL3DCaption* Caption3D, TFont* Font)
{
    return SCLGetFontHeight(Font) + (Caption3D ? Effect_Extent(*Caption3D, false) : 0);
}

int SCLGetFontHeight(TFont* Font)
{
    TCanvas canvas;
    Screen_Binding screen(&canvas, Font);
    return Extent(screen.Dc(), "W").cy;
}

bool SCLIsTrueTypeFontCheck(TCanvas* Canvas)
{
    if (!Canvas)
        return false;
    TEXTMETRICA metrics;
    return GetTextMetricsA(Canvas->Handle(), &metrics) && (metrics.tmPitchAndFamily & TMPF_TRUETYPE);
}

bool SCLIsTrueTypeFont(TFont* Font)
{
    TCanvas canvas;
    Screen_Binding screen(&canvas, Font);
    return SCLIsTrueTypeFontCheck(&canvas);
}

// ---- Drawing -------------------------------------------------------------------

void SCLDrawText(TCanvas* Canvas, const std::string& Text, TSCL3DCaption* Caption3D, const RECT& Rect, WORD Flags)
{
    SCLDrawTextExt(Canvas, Text, Caption3D, Rect, Flags, TSCLDrawTextStyles{dtEnabled}, nullptr);
}

void SCLDrawTextExt(TCanvas* Canvas, const std::string& Text, TSCL3DCaption* Caption3D, const RECT& Rect,
                    int Flags, TSCLDrawTextStyles Styles, const RECT* ClipRect)
{
    if (!Canvas || Text.empty() || Is_Empty(Rect))
        return;
    HDC dc = Canvas->Handle();
    if (!Caption3D) {
        RECT r = Rect;
        DrawTextExA(dc, const_cast<char*>(Text.c_str()), static_cast<int>(Text.size()), &r,
                    static_cast<UINT>(Flags), nullptr);
        return;
    }
    std::optional<Clip_Scope> clip;
    if (Styles.Contains(dtClip))
        clip.emplace(dc, ClipRect ? *ClipRect : Rect);
    Dc_State state(dc);
    TSCLThreeDStyle effect = Caption3D->Style();
    const TColor main = Main_Color(Canvas, *Caption3D, Styles, effect);
    const bool rotated = Is_Rotated(Caption3D);
    std::optional<Rotated_Font> rotated_font;
    if (rotated)
        rotated_font.emplace(Canvas, Fx_Of(Caption3D)->Angle());
    RECT r = Rect;
    if (const TSCLFxCaption* fx = Fx_Of(Caption3D)) {
        r.left += fx->PosX();
        r.top += fx->PosY();
    }
    if (Caption3D->Tracing() != 0)
        SetTextCharacterExtra(dc, Caption3D->Tracing());
    SetBkMode(dc, TRANSPARENT);
    const Effect_Plan plan = Plan_Effect(*Caption3D, effect, main);
    r.right -= plan.right_reduction;
    const Text_Pass pass{Canvas, Text, r, Flags, rotated};
    if (plan.outline) {
        const Copy& at = plan.copies.front();
        Draw_Outline(Canvas, Text, Moved(r, at.x, at.y), Flags, ColorToRGB(main), Caption3D->ShadowDepth());
        return;
    }
    for (const Copy& copy : plan.copies)
        Draw_Copy(pass, copy);
}

// ---- Glyph and text ---------------------------------------------------------------

TSCLGlyphTextRects SCLDrawTextAndGlyphExt(TCanvas* Canvas, const std::string& Text, TSCL3DCaption* Caption3D,
                                          const RECT& Dest, TCanvas* GlyphCanvas, RECT& GlyphRect,
                                          TCanvas* MaskCanvas, TColor TransparentColor,
                                          const TSCLGlyphTextLayout& LayoutObject, bool MultiLine,
                                          bool ShowAccelChar, bool Transparent, TSCLDrawTextStyles Styles,
                                          int Flags)
{
    const Layout_Values Layout = Values_Of(LayoutObject);
    TSCLGlyphTextRects result;
    if (!Canvas)
        return result;
    const bool has_glyph = GlyphCanvas && !Is_Empty(GlyphRect);
    RECT text = Measure_Text(Text, Caption3D, Dest, Canvas->Font(), MultiLine, ShowAccelChar, Flags);
    RECT glyph = has_glyph ? RECT{0, 0, Width_Of(GlyphRect), Height_Of(GlyphRect)} : RECT{};
    Place_Block(text, glyph, has_glyph == !Text.empty() ? Layout.Spacing : 0, Layout, Dest,
                Styles.Contains(dtAutoSize));
    if (!Styles.Contains(dtCalculate)) {
        UINT format = static_cast<UINT>(Flags) | DT_WORDBREAK | DT_EXPANDTABS;
        if (MultiLine)
            format |= Alignment_Format(Layout.Alignment);
        if (!ShowAccelChar)
            format |= DT_NOPREFIX;
        SCLDrawTextExt(Canvas, Text, Caption3D, text, static_cast<int>(format), Styles, nullptr);
        if (Layout.Arrow && Arrow_By_Text(Layout))
            Draw_Arrow(Canvas, text, Layout, Layout.ArrowPosition == apLeftText, Styles.Contains(dtEnabled));
    }
    if (Layout.Arrow && Layout.ArrowPosition == apLeftGlyph)
        glyph = Moved(glyph, Arrow_Room(Layout), 0);
    if (!Styles.Contains(dtCalculate)) {
        if (has_glyph) {
            const WORD mode = !Transparent ? 0 : MaskCanvas ? SCLBD_MASK : SCLBD_TRANSPARENT;
            RECT painted;
            SCLBmpDrawExt(Canvas, glyph, GlyphCanvas, GlyphRect, mode, TransparentColor, nullptr, MaskCanvas,
                          painted);
        }
        if (Layout.Arrow && !Arrow_By_Text(Layout))
            Draw_Arrow(Canvas, glyph, Layout, Layout.ArrowPosition == apLeftGlyph, Styles.Contains(dtEnabled));
    }
    result.Union = Union_Of(text, glyph);
    result.Text = text;
    result.Glyph = glyph;
    GlyphRect = Focus_Rect(Styles, text, glyph, Dest);
    return result;
}

TSCLGlyphTextRects SCLDrawTextAndGlyph(TCanvas* Canvas, const std::string& Text, TSCL3DCaption* Caption3D,
                                       const RECT& Dest, TBitmap* Glyph, TBitmap* Mask,
                                       const TSCLGlyphTextLayout& Layout, bool MultiLine, bool ShowAccelChar,
                                       bool Transparent, TSCLDrawTextStyles Styles, int Flags)
{
    const bool has_glyph = Glyph && !Glyph->Empty();
    RECT glyph_rect = has_glyph ? RECT{0, 0, Glyph->Width(), Glyph->Height()} : RECT{};
    TCanvas* glyph_canvas = has_glyph ? Glyph->Canvas() : nullptr;
    const TColor transparent_color = has_glyph ? Glyph->TransparentColor() : clNone;
    TCanvas* mask_canvas = Mask && !Mask->Empty() ? Mask->Canvas() : nullptr;
    return SCLDrawTextAndGlyphExt(Canvas, Text, Caption3D, Dest, glyph_canvas, glyph_rect, mask_canvas,
                                  transparent_color, Layout, MultiLine, ShowAccelChar, Transparent, Styles, Flags);
}
