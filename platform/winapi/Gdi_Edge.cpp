// 3D edges and focus rectangles in the classic system colours.

#include "platform/winapi/Gdi.h"

#include "platform/winapi/Gdi_Dc.h"
#include "platform/winapi/Gdi_Raster.h"
#include "platform/winapi/Sys_Colors.h"

#include <cmath>
#include <cstdlib>
#include <vector>

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

// A diagonal edge runs from its origin corner to the end corner the flags
// name (ENDTOPRIGHT from the bottom-left, ENDBOTTOMRIGHT from the top-left,
// ENDBOTTOMLEFT from the top-right, ENDTOPLEFT from the bottom-right) as a
// line does: the origin pixel drawn, the end pixel not. Its inside lies to the right of that run, as the
// inside of a figure whose sides are walked clockwise: the inner ring is the
// outer one moved a pixel sideways into it, and BF_MIDDLE fills it. A run to
// the right faces up and takes the top-left shade, a run to the left the
// bottom-right one.
class Diagonal {
public:
    Diagonal(const QRect& box, UINT flags)
    {
        const bool to_right = (flags & BF_RIGHT) != 0;
        const bool to_top = (flags & BF_TOP) != 0;
        origin = QPoint(to_right ? box.left() : box.right(), to_top ? box.bottom() : box.top());
        end = QPoint(to_right ? box.right() : box.left(), to_top ? box.top() : box.bottom());
        run = end - origin;
    }
    bool Runs_Right() const { return run.x() > 0 || (run.x() == 0 && run.y() < 0); }
    // Positive inside, zero on the line through the two corner pixels.
    std::int64_t Side(int x, int y) const
    {
        return std::int64_t(run.x()) * (y - origin.y()) - std::int64_t(run.y()) * (x - origin.x());
    }
    // The corner-to-corner line moved `shift` pixels sideways into the inside.
    std::vector<QPoint> Pixels(int shift) const
    {
        const int major = std::max(std::abs(run.x()), std::abs(run.y()));
        const int sideways = Side(origin.x() + 1, origin.y()) > 0 ? shift : -shift;
        std::vector<QPoint> pixels;
        for (int i = 0; i < major; ++i) {
            auto along = [&](int extent) { return major == 0 ? 0 : static_cast<int>(std::lround(double(i) * extent / major)); };
            pixels.emplace_back(origin.x() + along(run.x()) + sideways, origin.y() + along(run.y()));
        }
        return pixels;
    }

private:
    QPoint origin;
    QPoint end;
    QPoint run;
};

BOOL Draw_Diagonal(Gdi_Dc& dc, const QRect& box, UINT edge, UINT flags)
{
    if (box.isEmpty())
        return TRUE;
    const Diagonal diagonal(box, flags);
    Gdi_Raster raster(dc, box);
    if (flags & BF_MIDDLE) {
        const QRgb middle = dc.Surface_Pixel(GetSysColor((flags & (BF_MONO | BF_FLAT)) ? COLOR_WINDOW : COLOR_BTNFACE));
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                if (diagonal.Side(x, y) > 0)
                    raster.Plot(x, y, middle, R2_COPYPEN);
    }
    int shift = 0;
    for (const bool outer : {true, false}) {
        const UINT border = edge & (outer ? BDR_OUTER : BDR_INNER);
        if (!border)
            continue;
        const Ring_Colors colors = Ring(border, outer, flags);
        const QRgb shade = dc.Surface_Pixel(GetSysColor(diagonal.Runs_Right() ? colors.top_left : colors.bottom_right));
        for (const QPoint& pixel : diagonal.Pixels(shift))
            if (box.contains(pixel))
                raster.Plot(pixel.x(), pixel.y(), shade, R2_COPYPEN);
        ++shift;
    }
    return TRUE;
}

} // namespace

BOOL DrawEdge(HDC dc, RECT* rect, UINT edge, UINT flags)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    if (!context || !rect)
        return FALSE;
    QRect box = context->To_Device(*rect);
    if (flags & BF_DIAGONAL)
        return Draw_Diagonal(*context, box, edge, flags);
    {
        Gdi_Raster raster(*context, box);
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
    Gdi_Raster raster(*context, box);
    const QRgb white = context->Surface_Pixel(0xFFFFFF);
    for (const QRect& part : outline)
        for (int y = part.top(); y <= part.bottom(); ++y)
            for (int x = part.left(); x <= part.right(); ++x)
                if (((x + y) & 1) == 0)
                    raster.Plot(x, y, white, R2_XORPEN);
    return TRUE;
}
