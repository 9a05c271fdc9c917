#pragma once
// A control's frame: its styles, widths, colours and mode, how far it insets
// the client area, and its painting. Controls own one as their Bevel and
// repaint on its change notification.
//
// The extent (the inset on every side) is cached on every change, so that
// owners read it while painting without recomputing it.

#include <string>

#include "components/foundations/Sclgraph.h"
#include "components/foundations/Sclobject.h"
#include "platform/classlib/Graphics.h"
#include "platform/winapi/WinTypes.h"

using TSCLBevelWidth = BYTE;
using TSCLBorderWidth = BYTE;

class TSCLBevel : public TSCLObject {
public:
    TSCLBevel() = default;

    TSCLBevelStyle StyleInner() const { return style_inner; }
    TSCLBevelStyle StyleOuter() const { return style_outer; }
    TSCLBevelWidth WidthInner() const { return width_inner; }
    TSCLBevelWidth WidthOuter() const { return width_outer; }
    TColor BorderColor() const { return border_color; }
    TColor LightColor() const { return light_color; }
    TColor ShadowColor() const { return shadow_color; }
    TSCLBorderWidth BorderInnerWidth() const { return border_inner_width; }
    TSCLBorderWidth BorderWidth() const { return border_width; }
    TSCLFrameSides BorderSides() const { return border_sides; }
    TSCLEdgeStyle EdgeStyle() const { return edge_style; }
    TSCLBevelMode Mode() const { return mode; }
    TSCLBorderStyle StandardStyle() const { return standard_style; }

    // A shadow inner style pulls the outer style to bvShadow; leaving the
    // shadow puts the other style back to bvNone.
    void SetBevelStyleInner(TSCLBevelStyle Value);
    void SetBevelStyleOuter(TSCLBevelStyle Value);
    void SetWidthInner(TSCLBevelWidth Value);
    void SetWidthOuter(TSCLBevelWidth Value);
    // 0 BorderColor, 1 LightColor, 2 ShadowColor.
    void SetColor(int Index, TColor Value);
    void SetBorderSpace(TSCLBorderWidth Value);
    void SetBorderWidth(TSCLBorderWidth Value);
    void SetBorderSides(TSCLFrameSides Value);
    void SetEdgeStyle(TSCLEdgeStyle Value);
    // Switching to or from bmWindows while the owner's window draws the
    // border asks the owner to recreate its window (GetRecreateWnd).
    void SetMode(TSCLBevelMode Value);
    // StandardStyle; notifies only while Mode is bmStandard.
    void SetStyle(TSCLBorderStyle Value);

    // The cached inset on every side, and the one of the shadow's right and
    // bottom sides.
    int BevelExtent() const { return extent; }
    int ShadowExtent() const { return shadow_extent; }
    // Set by a windowed owner whose window draws the border itself; the
    // extent follows at once, without a notification (owners set it from
    // their change handler).
    bool WindowBorder() const { return window_border; }
    void SetWindowBorder(bool Value);

    // Recomputes the cached extents, then notifies.
    void Change() override;
    // The inset on every side for the current settings.
    int GetBevelExtend() const;
    // Whether the owner must recreate its window; the request is consumed.
    bool GetRecreateWnd();
    // Rect less the frame.
    RECT ClientRect(const RECT& Rect) const;
    // Paints the frame into Rect and answers the rectangle inside it.
    // Transparent leaves the border bands unpainted.
    RECT PaintBevel(TCanvas* Canvas, const RECT& Rect, bool Transparent);

    // From another bevel: every setting and the window-border flag, one
    // notification.
    void Assign(TPersistent* Source) override;
    // "{Custom style}", "{Standard style}", "{Etged style}", "{Windows style}".
    std::string GetSetStr() override;

private:
    void Recompute_Extents();
    void Paint_Border_Band(TCanvas* Canvas, RECT& Rect, int Width, bool Transparent) const;
    void Paint_Edge(TCanvas* Canvas, RECT& Rect) const;

    TSCLBevelStyle style_inner = bvNone;
    TSCLBevelStyle style_outer = bvNone;
    TSCLBevelWidth width_inner = 1;
    TSCLBevelWidth width_outer = 1;
    TColor border_color = clBtnFace;
    TColor light_color = clBtnHighlight;
    TColor shadow_color = clBtnShadow;
    TSCLBorderWidth border_inner_width = 0;
    TSCLBorderWidth border_width = 0;
    TSCLFrameSides border_sides{fsBottom, fsLeft, fsRight, fsTop};
    TSCLEdgeStyle edge_style = etEtched;
    TSCLBevelMode mode = bmCustom;
    TSCLBorderStyle standard_style = lsSingleLowered;
    int extent = 0;
    int shadow_extent = 0;
    bool window_border = false;
    bool recreate_wnd = false;
};
