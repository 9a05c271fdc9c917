#include "components/controls/Sclbevel.h"

#include "components/foundations/Sclutils.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/winapi/Gdi.h"

namespace {

template <typename E>
TValue_Type<E> Enum_Of()
{
    return Enum_Type<E>(TSCLEnumInfo<E>::Names);
}

// Forms set the bevel of a control as Bevel.StyleOuter = bvRaised, ...
const bool Bevel_Registered = [] {
    RegisterClass<TSCLBevel>("TSCLBevel")
        .Property("StyleInner", Enum_Of<TSCLBevelStyle>(), &TSCLBevel::StyleInner, &TSCLBevel::SetBevelStyleInner,
                  bvNone)
        .Property("StyleOuter", Enum_Of<TSCLBevelStyle>(), &TSCLBevel::StyleOuter, &TSCLBevel::SetBevelStyleOuter,
                  bvNone)
        .Property("WidthInner", Integer_Type(0, 255), &TSCLBevel::WidthInner, &TSCLBevel::SetWidthInner, 1)
        .Property("WidthOuter", Integer_Type(0, 255), &TSCLBevel::WidthOuter, &TSCLBevel::SetWidthOuter, 1)
        .Property("BorderColor", Color_Type(), &TSCLBevel::BorderColor,
                  [](TSCLBevel& bevel, TColor color) { bevel.SetColor(0, color); }, clBtnFace)
        .Property("LightColor", Color_Type(), &TSCLBevel::LightColor,
                  [](TSCLBevel& bevel, TColor color) { bevel.SetColor(1, color); }, clBtnHighlight)
        .Property("ShadowColor", Color_Type(), &TSCLBevel::ShadowColor,
                  [](TSCLBevel& bevel, TColor color) { bevel.SetColor(2, color); }, clBtnShadow)
        .Property("BorderInnerWidth", Integer_Type(0, 255), &TSCLBevel::BorderInnerWidth,
                  &TSCLBevel::SetBorderSpace, 0)
        .Property("BorderWidth", Integer_Type(0, 255), &TSCLBevel::BorderWidth, &TSCLBevel::SetBorderWidth, 0)
        .Property("BorderSides", Set_Type<TSCLFrameSide>(TSCLEnumInfo<TSCLFrameSide>::Names),
                  &TSCLBevel::BorderSides, &TSCLBevel::SetBorderSides,
                  TSCLFrameSides{fsBottom, fsLeft, fsRight, fsTop})
        .Property("EdgeStyle", Enum_Of<TSCLEdgeStyle>(), &TSCLBevel::EdgeStyle, &TSCLBevel::SetEdgeStyle, etEtched)
        .Property("Mode", Enum_Of<TSCLBevelMode>(), &TSCLBevel::Mode, &TSCLBevel::SetMode)
        .Property("StandardStyle", Enum_Of<TSCLBorderStyle>(), &TSCLBevel::StandardStyle, &TSCLBevel::SetStyle,
                  lsSingleLowered);
    return true;
}();

bool Is_Frame(TSCLBevelStyle Style)
{
    return Style == bvFrameLowered || Style == bvFrameRaised;
}

int Style_Width(TSCLBevelStyle Style, int Width)
{
    if (Style == bvNone)
        return 0;
    return Width + (Is_Frame(Style) ? 1 : 0);
}

void Deflate(RECT& Rect, int Left_Top, int Right_Bottom)
{
    Rect.left += Left_Top;
    Rect.top += Left_Top;
    Rect.right -= Right_Bottom;
    Rect.bottom -= Right_Bottom;
}

UINT Edge_Value(TSCLEdgeStyle Style)
{
    static constexpr UINT values[] = {BDR_RAISEDINNER, BDR_RAISEDOUTER, BDR_SUNKENINNER, BDR_SUNKENOUTER,
                                      EDGE_BUMP,       EDGE_ETCHED,     EDGE_RAISED,     EDGE_SUNKEN};
    return values[Style];
}

UINT Side_Flags(TSCLFrameSides Sides)
{
    UINT flags = 0;
    if (Sides.Contains(fsLeft))
        flags |= BF_LEFT;
    if (Sides.Contains(fsTop))
        flags |= BF_TOP;
    if (Sides.Contains(fsRight))
        flags |= BF_RIGHT;
    if (Sides.Contains(fsBottom))
        flags |= BF_BOTTOM;
    return flags;
}

} // namespace

void TSCLBevel::SetBevelStyleInner(TSCLBevelStyle Value)
{
    if (Value == style_inner)
        return;
    if (style_inner == bvShadow)
        style_outer = bvNone;
    style_inner = Value;
    if (Value == bvShadow)
        style_outer = bvShadow;
    Change();
}

void TSCLBevel::SetBevelStyleOuter(TSCLBevelStyle Value)
{
    if (Value == style_outer)
        return;
    if (style_outer == bvShadow)
        style_inner = bvNone;
    style_outer = Value;
    if (Value == bvShadow)
        style_inner = bvShadow;
    Change();
}

void TSCLBevel::SetWidthInner(TSCLBevelWidth Value)
{
    Store(width_inner, Value);
}

void TSCLBevel::SetWidthOuter(TSCLBevelWidth Value)
{
    Store(width_outer, Value);
}

void TSCLBevel::SetColor(int Index, TColor Value)
{
    switch (Index) {
    case 0: Store(border_color, Value); break;
    case 1: Store(light_color, Value); break;
    case 2: Store(shadow_color, Value); break;
    default: break;
    }
}

void TSCLBevel::SetBorderSpace(TSCLBorderWidth Value)
{
    Store(border_inner_width, Value);
}

void TSCLBevel::SetBorderWidth(TSCLBorderWidth Value)
{
    Store(border_width, Value);
}

void TSCLBevel::SetBorderSides(TSCLFrameSides Value)
{
    Store(border_sides, Value);
}

void TSCLBevel::SetEdgeStyle(TSCLEdgeStyle Value)
{
    Store(edge_style, Value);
}

void TSCLBevel::SetMode(TSCLBevelMode Value)
{
    if (Value == mode)
        return;
    if (window_border && (mode == bmWindows || Value == bmWindows))
        recreate_wnd = true;
    mode = Value;
    Change();
}

void TSCLBevel::SetStyle(TSCLBorderStyle Value)
{
    if (Value == standard_style)
        return;
    standard_style = Value;
    if (mode == bmStandard)
        Change();
}

void TSCLBevel::SetWindowBorder(bool Value)
{
    window_border = Value;
    Recompute_Extents();
}

void TSCLBevel::Change()
{
    Recompute_Extents();
    TSCLObject::Change();
}

void TSCLBevel::Recompute_Extents()
{
    extent = GetBevelExtend();
    const bool shadow = mode == bmCustom && style_outer == bvShadow;
    shadow_extent = shadow ? width_inner + width_outer + border_inner_width : extent;
}

int TSCLBevel::GetBevelExtend() const
{
    switch (mode) {
    case bmCustom:
        if (style_inner == bvShadow)
            return width_inner + border_inner_width;
        return border_width + border_inner_width + Style_Width(style_outer, width_outer) +
               Style_Width(style_inner, width_inner);
    case bmStandard: return SCLDrawStdFrameExt(standard_style) + border_inner_width;
    case bmEdge: return (border_sides.Empty() ? 0 : 2) + border_inner_width;
    case bmWindows: return window_border ? 0 : border_inner_width + 2;
    }
    return 0;
}

bool TSCLBevel::GetRecreateWnd()
{
    const bool recreate = recreate_wnd || (mode == bmWindows && window_border);
    recreate_wnd = false;
    return recreate;
}

RECT TSCLBevel::ClientRect(const RECT& Rect) const
{
    RECT inner = Rect;
    if (mode == bmCustom && style_outer == bvShadow)
        Deflate(inner, width_inner + border_inner_width, width_inner + width_outer + border_inner_width);
    else
        Deflate(inner, extent, extent);
    return inner;
}

void TSCLBevel::Paint_Border_Band(TCanvas* Canvas, RECT& Rect, int Width, bool Transparent) const
{
    if (Transparent) {
        Deflate(Rect, Width, Width);
        return;
    }
    Canvas->Brush()->SetColor(border_color);
    for (int i = 0; i < Width; ++i) {
        Canvas->FrameRect(Rect);
        Deflate(Rect, 1, 1);
    }
}

void TSCLBevel::Paint_Edge(TCanvas* Canvas, RECT& Rect) const
{
    if (border_sides.Empty())
        return;
    RECT edge = Rect;
    DrawEdge(Canvas->Handle(), &edge, Edge_Value(edge_style), Side_Flags(border_sides));
    Deflate(Rect, 2, 2);
}

RECT TSCLBevel::PaintBevel(TCanvas* Canvas, const RECT& Rect, bool Transparent)
{
    RECT r = Rect;
    if (extent == 0 || !Canvas)
        return r;
    switch (mode) {
    case bmCustom:
        if (style_outer == bvShadow) {
            SCLDrawFrameShadow(Canvas, r, light_color, shadow_color, border_color, width_outer, width_inner,
                               Transparent, 0);
        } else {
            SCLDrawFrame3D(Canvas, r, style_outer, light_color, shadow_color, width_outer);
            Paint_Border_Band(Canvas, r, border_width, Transparent);
            SCLDrawFrame3D(Canvas, r, style_inner, light_color, shadow_color, width_inner);
        }
        break;
    case bmStandard: SCLDrawStdFrame(Canvas, r, standard_style, 0); break;
    case bmEdge: Paint_Edge(Canvas, r); break;
    case bmWindows: SCLDrawStdFrame(Canvas, r, lsLoweredExt, 0); break;
    }
    Paint_Border_Band(Canvas, r, border_inner_width, Transparent);
    return r;
}

void TSCLBevel::Assign(TPersistent* Source)
{
    auto* bevel = dynamic_cast<TSCLBevel*>(Source);
    if (!bevel) {
        TSCLObject::Assign(Source);
        return;
    }
    style_inner = bevel->style_inner;
    style_outer = bevel->style_outer;
    width_inner = bevel->width_inner;
    width_outer = bevel->width_outer;
    border_sides = bevel->border_sides;
    border_inner_width = bevel->border_inner_width;
    border_width = bevel->border_width;
    border_color = bevel->border_color;
    light_color = bevel->light_color;
    shadow_color = bevel->shadow_color;
    mode = bevel->mode;
    standard_style = bevel->standard_style;
    edge_style = bevel->edge_style;
    window_border = bevel->window_border;
    Change();
}

std::string TSCLBevel::GetSetStr()
{
    // "Etged" is the text the property list has always shown.
    static constexpr const char* words[] = {"Custom style", "Standard style", "Etged style", "Windows style"};
    return std::string("{") + words[mode] + "}";
}
