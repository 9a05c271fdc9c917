// 3D edges and focus rectangles in the classic system colours.

#include "platform/winapi/Gdi.h"

#include "platform/winapi/Gdi_Dc.h"
#include "platform/winapi/Gdi_Raster.h"
#include "platform/winapi/Sys_Colors.h"

namespace {

struct Ring_Colors {
    int top_left;
    int bottom_right;
};

// The shades of one border ring.
Ring_Colors Ring(UINT border, bool outer, UINT flags)
{
    if (flags & BF_MONO)
        return outer ? Ring_Colors{COLOR_WINDOWFRAME, COLOR_WINDOWFRAME} : Ring_Colors{COLOR_WINDOW, COLOR_WINDOW};
    if (flags & BF_FLAT)
        return outer ? Ring_Colors{COLOR_BTNSHADOW, COLOR_BTNSHADOW} : Ring_Colors{COLOR_BTNFACE, COLOR_BTNFACE};
    const bool raised = (border & (BDR_RAISEDOUTER | BDR_RAISEDINNER)) != 0;
    Ring_Colors colors = outer ? (raised ? Ring_Colors{COLOR_3DLIGHT, COLOR_3DDKSHADOW} : Ring_Colors{COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT})
                               : (raised ? Ring_Colors{COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW} : Ring_Colors{COLOR_3DDKSHADOW, COLOR_3DLIGHT});
    // A soft edge takes the other ring's top-left shade.
    if (flags & BF_SOFT)
        colors.top_left = Ring(border, !outer, flags & ~BF_SOFT).top_left;
    return colors;
}

// One ring of one-pixel lines on the flagged sides; the bottom and right
// lines go over the corners they share with the top and left ones.
void Draw_Ring(Gdi_Raster& raster, const QRect& box, UINT flags, QRgb top_left, QRgb bottom_right)
{
    if (flags & BF_TOP)
        raster.Plot_Region(QRegion(box.left(), box.top(), box.width(), 1), top_left, R2_COPYPEN);
    if (flags & BF_LEFT)
        raster.Plot_Region(QRegion(box.left(), box.top(), 1, box.height()), top_left, R2_COPYPEN);
    if (flags & BF_BOTTOM)
        raster.Plot_Region(QRegion(box.left(), box.bottom(), box.width(), 1), bottom_right, R2_COPYPEN);
    if (flags & BF_RIGHT)
        raster.Plot_Region(QRegion(box.right(), box.top(), 1, box.height()), bottom_right, R2_COPYPEN);
}

QRect Shrunk(const QRect& box, UINT flags)
{
    return box.adjusted((flags & BF_LEFT) ? 1 : 0, (flags & BF_TOP) ? 1 : 0, (flags & BF_RIGHT) ? -1 : 0, (flags & BF_BOTTOM) ? -1 : 0);
}

// A diagonal edge: the ring's lines along the rectangle's diagonal towards the end corner.
BOOL Draw_Diagonal(HDC dc, const RECT& rect, UINT edge, UINT flags)
{
    const bool to_right = (flags & BF_RIGHT) != 0;
    const bool to_top = (flags & BF_TOP) != 0;
    const POINT start{to_right ? rect.left : rect.right - 1, to_top ? rect.bottom - 1 : rect.top};
    const POINT end{to_right ? rect.right - 1 : rect.left, to_top ? rect.top : rect.bottom - 1};
    const int inward = to_right == to_top ? 1 : -1;
    int shift = 0;
    for (const bool outer : {true, false}) {
        const UINT border = edge & (outer ? BDR_OUTER : BDR_INNER);
        if (!border)
            continue;
        const Ring_Colors colors = Ring(border, outer, flags);
        HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(to_top ? colors.top_left : colors.bottom_right));
        HGDIOBJ old_pen = SelectObject(dc, pen);
        POINT old_position;
        MoveToEx(dc, start.x + shift, start.y, &old_position);
        LineTo(dc, end.x + shift, end.y);
        MoveToEx(dc, old_position.x, old_position.y, nullptr);
        SelectObject(dc, old_pen);
        DeleteObject(pen);
        shift += inward;
    }
    return TRUE;
}

} // namespace

BOOL DrawEdge(HDC dc, RECT* rect, UINT edge, UINT flags)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    if (!context || !rect)
        return FALSE;
    if (flags & BF_DIAGONAL)
        return Draw_Diagonal(dc, *rect, edge, flags);
    QRect box = context->To_Device(*rect);
    {
        Gdi_Raster raster(*context);
        for (const bool outer : {true, false}) {
            const UINT border = edge & (outer ? BDR_OUTER : BDR_INNER);
            if (!border || box.isEmpty())
                continue;
            const Ring_Colors colors = Ring(border, outer, flags);
            Draw_Ring(raster, box, flags, context->Surface_Pixel(GetSysColor(colors.top_left)),
                      context->Surface_Pixel(GetSysColor(colors.bottom_right)));
            box = Shrunk(box, flags);
        }
        if ((flags & BF_MIDDLE) && !box.isEmpty()) {
            const int middle = (flags & (BF_MONO | BF_FLAT)) ? COLOR_WINDOW : COLOR_BTNFACE;
            raster.Plot_Region(QRegion(box), context->Surface_Pixel(GetSysColor(middle)), R2_COPYPEN);
        }
    }
    if (flags & BF_ADJUST) {
        const QRect inner = box.translated(-context->Origin());
        *rect = RECT{inner.left(), inner.top(), inner.left() + inner.width(), inner.top() + inner.height()};
    }
    return TRUE;
}

BOOL DrawFocusRect(HDC dc, const RECT* rect)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    if (!context || !rect)
        return FALSE;
    const QRect box = context->To_Device(*rect);
    if (box.isEmpty())
        return TRUE;
    // Every other pixel of the outline, inverted: drawing it again undoes it.
    QRegion outline = QRegion(box).subtracted(QRegion(box.adjusted(1, 1, -1, -1))).intersected(context->Drawable_Region());
    Gdi_Raster raster(*context);
    const QRgb white = context->Surface_Pixel(0xFFFFFF);
    for (const QRect& part : outline)
        for (int y = part.top(); y <= part.bottom(); ++y)
            for (int x = part.left(); x <= part.right(); ++x)
                if (((x + y) & 1) == 0)
                    raster.Plot(x, y, white, R2_XORPEN);
    return TRUE;
}
