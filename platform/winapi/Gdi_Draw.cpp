// Pens and brushes on a DC: pixels, lines, polygons, rectangles, ellipses,
// arcs and region fills, with GDI's pixel conventions.

#include "platform/winapi/Gdi.h"

#include "platform/winapi/Gdi_Dc.h"
#include "platform/winapi/Gdi_Raster.h"
#include "platform/winapi/Gdi_Region.h"
#include "platform/winapi/Sys_Colors.h"

#include <QPainter>
#include <QPainterPath>

#include <climits>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

namespace {

struct Pen_Pixel {
    int x;
    int y;
    bool on; // false: a gap of a styled pen, painted only in opaque background mode
};

// A pen stroke: thin (cosmetic one-pixel) strokes are pixel lists, wide ones regions.
struct Stroke {
    std::vector<Pen_Pixel> pixels;
    QRegion wide;
    QRegion Covered() const;
};

QRegion Stroke::Covered() const
{
    std::vector<QRegion> parts{wide};
    for (const Pen_Pixel& pixel : pixels)
        parts.emplace_back(pixel.x, pixel.y, 1, 1);
    return Gdi_Union_All(std::move(parts));
}

// On and off runs of the styled one-pixel pens.
const std::vector<int>& Dash_Runs(int style)
{
    static const std::vector<int> solid;
    static const std::vector<int> dash{18, 6};
    static const std::vector<int> dot{3, 3};
    static const std::vector<int> dash_dot{9, 6, 3, 6};
    static const std::vector<int> dash_dot_dot{9, 3, 3, 3, 3, 3};
    switch (style) {
    case PS_DASH:
        return dash;
    case PS_DOT:
        return dot;
    case PS_DASHDOT:
        return dash_dot;
    case PS_DASHDOTDOT:
        return dash_dot_dot;
    default:
        return solid;
    }
}

class Dash_Walker {
public:
    explicit Dash_Walker(int style) : runs(Dash_Runs(style)) {}
    bool Next()
    {
        if (runs.empty())
            return true;
        const bool on = (run % 2) == 0;
        if (++step >= runs[run]) {
            step = 0;
            run = (run + 1) % runs.size();
        }
        return on;
    }
    // Moves on as if `count` pixels had been drawn.
    void Skip(std::int64_t count)
    {
        std::int64_t period = 0;
        for (int length : runs)
            period += length;
        for (std::int64_t i = period > 0 ? count % period : 0; i > 0; --i)
            Next();
    }

private:
    const std::vector<int>& runs;
    std::size_t run = 0;
    int step = 0;
};

// The pixels of a one-pixel line from a to b, b itself left out; only those
// within `limit` are listed, so a line of any length costs at most its visible part.
void Line_Pixels(QPoint a, QPoint b, const QRect& limit, Dash_Walker& dashes, std::vector<Pen_Pixel>& out)
{
    const std::int64_t dx = std::int64_t(b.x()) - a.x();
    const std::int64_t dy = std::int64_t(b.y()) - a.y();
    const std::int64_t major = std::max(std::abs(dx), std::abs(dy));
    const std::int64_t minor = std::min(std::abs(dx), std::abs(dy));
    const bool x_major = std::abs(dx) >= std::abs(dy);
    const int step_major = (x_major ? dx : dy) < 0 ? -1 : 1;
    const int step_minor = (x_major ? dy : dx) < 0 ? -1 : 1;
    // The steps whose major coordinate lies within the limit.
    const std::int64_t start = x_major ? a.x() : a.y();
    const std::int64_t low = x_major ? limit.left() : limit.top();
    const std::int64_t high = x_major ? limit.right() : limit.bottom();
    const std::int64_t first = std::clamp<std::int64_t>(step_major > 0 ? low - start : start - high, 0, major);
    const std::int64_t last = std::clamp<std::int64_t>(step_major > 0 ? high - start + 1 : start - low + 1, first, major);
    dashes.Skip(first);
    for (std::int64_t i = first; i < last; ++i) {
        // Nearest minor coordinate; an exact half stays on the start's side.
        const std::int64_t offset = (2 * i * minor + major - 1) / (2 * major);
        const std::int64_t along = i * step_major;
        const std::int64_t across = offset * step_minor;
        const std::int64_t x = a.x() + (x_major ? along : across);
        const std::int64_t y = a.y() + (x_major ? across : along);
        const bool on = dashes.Next();
        if (limit.contains(static_cast<int>(std::clamp<std::int64_t>(x, INT_MIN, INT_MAX)), static_cast<int>(std::clamp<std::int64_t>(y, INT_MIN, INT_MAX))))
            out.push_back({static_cast<int>(x), static_cast<int>(y), on});
    }
    dashes.Skip(major - last);
}

// Only the part within `limit` is painted, so a huge figure costs no more than the surface.
QRegion Painted_Region(const QRectF& bounds, const QRect& limit, const std::function<void(QPainter&)>& paint)
{
    const QRect box = bounds.toAlignedRect().adjusted(-2, -2, 2, 2).intersected(limit);
    if (box.isEmpty())
        return QRegion();
    QImage mask(box.size(), QImage::Format_ARGB32_Premultiplied);
    mask.fill(0);
    {
        QPainter painter(&mask);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.translate(-box.topLeft());
        paint(painter);
    }
    std::vector<QRegion> bands;
    for (int y = 0; y < mask.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        std::vector<QRect> spans;
        for (int x = 0; x < mask.width();) {
            if (qAlpha(row[x]) == 0) {
                ++x;
                continue;
            }
            const int from = x;
            while (x < mask.width() && qAlpha(row[x]) != 0)
                ++x;
            spans.emplace_back(box.left() + from, box.top() + y, x - from, 1);
        }
        QRegion band;
        band.setRects(spans.data(), static_cast<int>(spans.size()));
        bands.push_back(band);
    }
    return Gdi_Union_All(std::move(bands));
}

QRegion Stroke_Path_Region(const QPainterPath& path, int width, const QRect& limit)
{
    return Painted_Region(path.boundingRect().adjusted(-width, -width, width, width), limit, [&](QPainter& painter) {
        painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
    });
}

QRegion Fill_Path_Region(const QPainterPath& path, const QRect& limit)
{
    return Painted_Region(path.boundingRect(), limit, [&](QPainter& painter) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawPath(path);
    });
}

class Drawing {
public:
    explicit Drawing(Gdi_Dc& context)
        : dc(context), pen(Gdi_Find<Gdi_Pen>(dc.state.pen)), brush(Gdi_Find<Gdi_Brush>(dc.state.brush))
    {
    }

    bool Has_Pen() const { return pen && pen->Style() != PS_NULL; }
    bool Wide_Pen() const { return Has_Pen() && pen->Width() > 1; }
    QPoint Device(int x, int y) const { return dc.To_Device(x, y); }
    // Where drawing can land, with room for a wide pen reaching in from outside.
    QRect Limit() const
    {
        const int reach = Has_Pen() ? pen->Width() + 2 : 2;
        return dc.Drawable_Region().boundingRect().adjusted(-reach, -reach, reach, reach);
    }

    // A pen along connected points (device coordinates).
    Stroke Polyline_Stroke(const std::vector<QPoint>& points) const
    {
        Stroke stroke;
        if (!Has_Pen() || points.size() < 2)
            return stroke;
        if (Wide_Pen()) {
            QPainterPath path{QPointF(points[0]) + QPointF(0.5, 0.5)};
            for (std::size_t i = 1; i < points.size(); ++i)
                path.lineTo(QPointF(points[i]) + QPointF(0.5, 0.5));
            stroke.wide = Stroke_Path_Region(path, pen->Width(), Limit());
            return stroke;
        }
        Dash_Walker dashes(pen->Style());
        for (std::size_t i = 1; i < points.size(); ++i)
            Line_Pixels(points[i - 1], points[i], Limit(), dashes, stroke.pixels);
        return stroke;
    }

    Stroke Path_Stroke(const QPainterPath& path) const
    {
        Stroke stroke;
        if (Has_Pen())
            stroke.wide = Wide_Pen() ? Stroke_Path_Region(path, pen->Width(), Limit())
                                     : Painted_Region(path.boundingRect().adjusted(-1, -1, 1, 1), Limit(), [&](QPainter& painter) {
                painter.setPen(QPen(Qt::black, 0));
                painter.setBrush(Qt::NoBrush);
                painter.drawPath(path);
            });
        return stroke;
    }

    // The fill first, outside the pen's pixels, then the pen: each pixel is mixed once.
    void Paint(const QRegion& fill, const Stroke& stroke)
    {
        Gdi_Raster raster(dc);
        const int rop2 = dc.state.rop2;
        const QRegion covered = stroke.Covered();
        if (brush && !fill.isEmpty())
            raster.Fill_Region(fill.subtracted(covered), *brush, rop2);
        if (!Has_Pen())
            return;
        const QRgb color = dc.Surface_Pixel(pen->log_pen.lopnColor);
        const QRgb gap = dc.Surface_Pixel(dc.state.bk_color);
        raster.Plot_Region(stroke.wide, color, rop2);
        for (const Pen_Pixel& pixel : stroke.pixels)
            if (pixel.on || dc.state.bk_mode == OPAQUE)
                raster.Plot(pixel.x, pixel.y, pixel.on ? color : gap, rop2);
    }

    Gdi_Dc& dc;
    Gdi_Pen* pen;
    Gdi_Brush* brush;
};

std::vector<QPoint> Device_Points(const Drawing& drawing, const POINT* points, int count)
{
    std::vector<QPoint> device;
    for (int i = 0; i < count; ++i)
        device.push_back(drawing.Device(points[i].x, points[i].y));
    return device;
}

// The frame of a rectangle outline under a wide pen centred on the lines
// through the outermost pixels: the extra pixel of an even width falls outside.
QRegion Wide_Frame(const QRect& pixels, int width)
{
    const int outside = width / 2;
    const int inside = (width - 1) / 2;
    QRect outer = pixels.adjusted(-outside, -outside, inside, inside);
    QRect inner = pixels.adjusted(inside + 1, inside + 1, -outside - 1, -outside - 1);
    return QRegion(outer).subtracted(QRegion(inner));
}

// The box of a figure in pixel-centre geometry: its outline runs through the
// centres of the outermost pixels.
QRectF Figure_Box(const Drawing& drawing, int left, int top, int right, int bottom)
{
    const QPoint a = drawing.Device(std::min(left, right), std::min(top, bottom));
    const QPoint b = drawing.Device(std::max(left, right), std::max(top, bottom));
    if (drawing.Has_Pen())
        return QRectF(a.x() + 0.5, a.y() + 0.5, b.x() - a.x() - 1, b.y() - a.y() - 1);
    // Without a pen the fill ends one pixel short on the right and bottom.
    return QRectF(a.x(), a.y(), b.x() - a.x() - 1, b.y() - a.y() - 1);
}

// GDI's angle of a radial point, as the parametric angle Qt's arcs use.
qreal Arc_Angle(const QRectF& box, const QPointF& point)
{
    const QPointF centre = box.center();
    const qreal rx = std::max<qreal>(box.width() / 2, 0.5);
    const qreal ry = std::max<qreal>(box.height() / 2, 0.5);
    return std::atan2(-(point.y() - centre.y()) / ry, (point.x() - centre.x()) / rx) * 180 / std::numbers::pi;
}

enum class Arc_Kind { Arc, Pie, Chord };

BOOL Draw_Arc(HDC dc, Arc_Kind kind, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    if (!context)
        return FALSE;
    Drawing drawing(*context);
    const QRectF box = Figure_Box(drawing, left, top, right, bottom);
    const QPointF offset = box.topLeft() - QPointF(drawing.Device(std::min(left, right), std::min(top, bottom)));
    const qreal start = Arc_Angle(box, QPointF(drawing.Device(xs, ys)) + offset);
    const qreal end = Arc_Angle(box, QPointF(drawing.Device(xe, ye)) + offset);
    qreal sweep = end - start; // counter-clockwise; equal points give the whole ellipse
    if (sweep <= 0)
        sweep += 360;
    QPainterPath path;
    if (kind == Arc_Kind::Pie)
        path.moveTo(box.center());
    else
        path.arcMoveTo(box, start);
    path.arcTo(box, start, sweep);
    if (kind != Arc_Kind::Arc)
        path.closeSubpath();
    const Stroke stroke = drawing.Path_Stroke(path);
    drawing.Paint(kind == Arc_Kind::Arc ? QRegion() : Fill_Path_Region(path, drawing.Limit()), stroke);
    return TRUE;
}

BOOL Draw_Path_Figure(HDC dc, int left, int top, int right, int bottom, const std::function<QPainterPath(const QRectF&)>& figure)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    if (!context)
        return FALSE;
    Drawing drawing(*context);
    const QPainterPath path = figure(Figure_Box(drawing, left, top, right, bottom));
    drawing.Paint(Fill_Path_Region(path, drawing.Limit()), drawing.Path_Stroke(path));
    return TRUE;
}

// FillRect and friends take a system colour index + 1 in place of a brush, as GDI does.
Gdi_Brush* Find_Brush(HBRUSH brush)
{
    const auto value = reinterpret_cast<std::uintptr_t>(brush);
    if (value > 0 && value <= static_cast<std::uintptr_t>(COLOR_MENUBAR + 1))
        return Gdi_Find<Gdi_Brush>(GetSysColorBrush(static_cast<int>(value) - 1));
    return Gdi_Find<Gdi_Brush>(brush);
}

QRect Device_Rect(Gdi_Dc& dc, const RECT& rect)
{
    return rect.right > rect.left && rect.bottom > rect.top ? dc.To_Device(rect) : QRect();
}

BOOL Fill_Logical_Region(HDC dc, HRGN region, Gdi_Brush* brush, const std::function<QRegion(const QRegion&)>& shape)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    Gdi_Region* object = Gdi_Find<Gdi_Region>(region);
    if (!context || !object || !brush)
        return FALSE;
    Gdi_Raster raster(*context);
    raster.Fill_Region(shape(object->region.translated(context->Origin())), *brush, context->state.rop2);
    return TRUE;
}

} // namespace

// ---- Pixels and lines --------------------------------------------------

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    if (!context)
        return CLR_INVALID;
    const QPoint at = context->To_Device(x, y);
    if (!context->Drawable_Region().contains(at))
        return CLR_INVALID;
    const QRgb pixel = context->Surface_Pixel(color);
    Gdi_Raster(*context).Plot(at.x(), at.y(), pixel, R2_COPYPEN);
    return Gdi_To_Colorref(pixel);
}

BOOL SetPixelV(HDC dc, int x, int y, COLORREF color) { return SetPixel(dc, x, y, color) != CLR_INVALID ? TRUE : FALSE; }

COLORREF GetPixel(HDC dc, int x, int y)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    if (!context)
        return CLR_INVALID;
    const QPoint at = context->To_Device(x, y);
    if (!context->Drawable_Region().contains(at))
        return CLR_INVALID;
    Gdi_Access access(context);
    return Gdi_To_Colorref(context->Surface().pixel(at));
}

BOOL LineTo(HDC dc, int x, int y)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    if (!context)
        return FALSE;
    Drawing drawing(*context);
    const POINT& from = context->state.current_position;
    drawing.Paint(QRegion(), drawing.Polyline_Stroke({drawing.Device(from.x, from.y), drawing.Device(x, y)}));
    context->state.current_position = POINT{x, y};
    return TRUE;
}

BOOL Polyline(HDC dc, const POINT* points, int count)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    if (!context || !points || count < 2)
        return FALSE;
    Drawing drawing(*context);
    drawing.Paint(QRegion(), drawing.Polyline_Stroke(Device_Points(drawing, points, count)));
    return TRUE;
}

BOOL Polygon(HDC dc, const POINT* points, int count)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    if (!context || !points || count < 2)
        return FALSE;
    Drawing drawing(*context);
    std::vector<QPoint> device = Device_Points(drawing, points, count);
    std::vector<POINT> fill_points;
    for (const QPoint& point : device)
        fill_points.push_back(POINT{point.x(), point.y()});
    device.push_back(device.front());
    const QRegion fill = Gdi_Polygon_Region(fill_points.data(), count, context->state.poly_fill_mode, drawing.Limit());
    drawing.Paint(fill, drawing.Polyline_Stroke(device));
    return TRUE;
}

// ---- Figures -----------------------------------------------------------

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    if (!context)
        return FALSE;
    Drawing drawing(*context);
    const QPoint a = drawing.Device(std::min(left, right), std::min(top, bottom));
    const QPoint b = drawing.Device(std::max(left, right), std::max(top, bottom));
    // The pixels the outline runs through: the right and bottom edges are exclusive.
    const QRect pixels(a, b - QPoint(1, 1));
    if (pixels.isEmpty())
        return TRUE;
    if (!drawing.Has_Pen()) {
        drawing.Paint(QRegion(pixels.adjusted(0, 0, -1, -1)), Stroke{});
        return TRUE;
    }
    // A styled pen walks the outline; a solid one, or any pen on a one-pixel-thin
    // rectangle where the walk would pass pixels twice, covers the frame.
    const bool walk = drawing.pen->Style() != PS_SOLID && drawing.pen->Style() != PS_INSIDEFRAME && !drawing.Wide_Pen() &&
                      pixels.width() > 1 && pixels.height() > 1;
    Stroke stroke;
    if (walk)
        stroke = drawing.Polyline_Stroke({pixels.topLeft(), pixels.topRight(), pixels.bottomRight(), pixels.bottomLeft(), pixels.topLeft()});
    else
        stroke.wide = Wide_Frame(pixels, drawing.Wide_Pen() ? drawing.pen->Width() : 1);
    drawing.Paint(QRegion(pixels), stroke);
    return TRUE;
}

BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int corner_width, int corner_height)
{
    return Draw_Path_Figure(dc, left, top, right, bottom, [&](const QRectF& box) {
        QPainterPath path;
        path.addRoundedRect(box, std::abs(corner_width) / 2.0, std::abs(corner_height) / 2.0);
        return path;
    });
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom)
{
    return Draw_Path_Figure(dc, left, top, right, bottom, [](const QRectF& box) {
        QPainterPath path;
        path.addEllipse(box);
        return path;
    });
}

BOOL Arc(HDC dc, int left, int top, int right, int bottom, int x_start, int y_start, int x_end, int y_end)
{
    return Draw_Arc(dc, Arc_Kind::Arc, left, top, right, bottom, x_start, y_start, x_end, y_end);
}

BOOL Pie(HDC dc, int left, int top, int right, int bottom, int x_start, int y_start, int x_end, int y_end)
{
    return Draw_Arc(dc, Arc_Kind::Pie, left, top, right, bottom, x_start, y_start, x_end, y_end);
}

BOOL Chord(HDC dc, int left, int top, int right, int bottom, int x_start, int y_start, int x_end, int y_end)
{
    return Draw_Arc(dc, Arc_Kind::Chord, left, top, right, bottom, x_start, y_start, x_end, y_end);
}

// ---- Rectangles and regions with a given brush --------------------------

int FillRect(HDC dc, const RECT* rect, HBRUSH brush)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    Gdi_Brush* object = Find_Brush(brush);
    if (!context || !rect || !object)
        return 0;
    Gdi_Raster raster(*context);
    raster.Fill_Region(QRegion(Device_Rect(*context, *rect)), *object, R2_COPYPEN);
    return 1;
}

int FrameRect(HDC dc, const RECT* rect, HBRUSH brush)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    Gdi_Brush* object = Find_Brush(brush);
    if (!context || !rect || !object)
        return 0;
    const QRect box = Device_Rect(*context, *rect);
    Gdi_Raster raster(*context);
    raster.Fill_Region(QRegion(box).subtracted(QRegion(box.adjusted(1, 1, -1, -1))), *object, R2_COPYPEN);
    return 1;
}

BOOL InvertRect(HDC dc, const RECT* rect)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    if (!context || !rect)
        return FALSE;
    Gdi_Raster raster(*context);
    raster.Plot_Region(QRegion(Device_Rect(*context, *rect)), 0xFFFFFFFFu, R2_XORPEN);
    return TRUE;
}

BOOL FillRgn(HDC dc, HRGN region, HBRUSH brush)
{
    return Fill_Logical_Region(dc, region, Find_Brush(brush), [](const QRegion& device) { return device; });
}

BOOL PaintRgn(HDC dc, HRGN region)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    if (!context)
        return FALSE;
    return Fill_Logical_Region(dc, region, Gdi_Find<Gdi_Brush>(context->state.brush), [](const QRegion& device) { return device; });
}

BOOL FrameRgn(HDC dc, HRGN region, HBRUSH brush, int width, int height)
{
    if (width < 1 || height < 1)
        return FALSE;
    return Fill_Logical_Region(dc, region, Find_Brush(brush), [&](const QRegion& device) {
        // What stays inside after moving the region by the frame size in every direction is the interior.
        QRegion interior = device;
        for (QPoint shift : {QPoint(width, 0), QPoint(-width, 0), QPoint(0, height), QPoint(0, -height)})
            interior &= device.translated(shift);
        return device.subtracted(interior);
    });
}
