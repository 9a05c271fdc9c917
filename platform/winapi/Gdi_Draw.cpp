// Pens and brushes on a DC: pixels, lines, polygons, rectangles, ellipses,
// arcs and region fills, with GDI's pixel conventions.

#include "platform/winapi/Gdi.h"

#include "platform/winapi/Gdi_Dc.h"
#include "platform/winapi/Gdi_Raster.h"
#include "platform/winapi/Gdi_Region.h"
#include "platform/winapi/Sys_Colors.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>
#include <tuple>
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
    // Another stroke's pixels and, drawn too, the end pixel its lines leave out.
    void Add(const Stroke& other, QPoint end);
};

void Stroke::Add(const Stroke& other, QPoint end)
{
    pixels.insert(pixels.end(), other.pixels.begin(), other.pixels.end());
    wide += other.wide;
    if (other.wide.isEmpty())
        pixels.push_back({end.x(), end.y(), true});
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
    // Nearest minor coordinate: offset = (2 i minor + major - half) / (2 major),
    // where an exact half goes to the smaller coordinate whichever way the
    // line runs, as GDI's does; stepped as a quotient and remainder.
    const std::int64_t divisor = 2 * std::max<std::int64_t>(major, 1);
    __extension__ typedef __int128 Wide_Int; // the first step's numerator can pass 64 bits on a huge line
    const Wide_Int numerator = 2 * Wide_Int(first) * minor + major - (step_minor > 0 ? 1 : 0);
    std::int64_t offset = static_cast<std::int64_t>(numerator / divisor);
    std::int64_t remainder = static_cast<std::int64_t>(numerator % divisor);
    for (std::int64_t i = first; i < last; ++i) {
        const std::int64_t along = i * step_major;
        const std::int64_t across = offset * step_minor;
        const std::int64_t x = a.x() + (x_major ? along : across);
        const std::int64_t y = a.y() + (x_major ? across : along);
        const bool on = dashes.Next();
        if (x >= limit.left() && x <= limit.right() && y >= limit.top() && y <= limit.bottom())
            out.push_back({static_cast<int>(x), static_cast<int>(y), on});
        remainder += 2 * minor;
        if (remainder >= divisor) {
            remainder -= divisor;
            ++offset;
        }
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

// A region as one-row spans.
std::vector<QRect> Region_Rows(const QRegion& region)
{
    std::vector<QRect> rows;
    for (const QRect& rect : region)
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            rows.emplace_back(rect.left(), y, rect.width(), 1);
    return rows;
}

// One-row spans (rows in order, spans left to right in a row) as a region.
QRegion Rows_Region(const std::vector<QRect>& rows)
{
    QRegion region;
    region.setRects(rows.data(), static_cast<int>(rows.size()));
    return region;
}

// The columns of a thin stroke's pixels row by row, within the rows a fill
// covers, to cut them out of its spans: bucketed by row, each row's few
// columns sorted.
class Pen_Places {
public:
    Pen_Places(const std::vector<Pen_Pixel>& pixels, int first_row, int last_row) : top(first_row)
    {
        const std::size_t rows = last_row >= first_row ? static_cast<std::size_t>(last_row - first_row + 1) : 0;
        row_start.assign(rows + 1, 0);
        for (const Pen_Pixel& pixel : pixels)
            if (pixel.y >= first_row && pixel.y <= last_row)
                ++row_start[static_cast<std::size_t>(pixel.y - top) + 1];
        for (std::size_t row = 0; row < rows; ++row)
            row_start[row + 1] += row_start[row];
        columns.resize(row_start.back());
        std::vector<std::size_t> next(row_start.begin(), row_start.end() - 1);
        for (const Pen_Pixel& pixel : pixels)
            if (pixel.y >= first_row && pixel.y <= last_row)
                columns[next[static_cast<std::size_t>(pixel.y - top)]++] = pixel.x;
        for (std::size_t row = 0; row < rows; ++row)
            std::sort(columns.begin() + static_cast<std::ptrdiff_t>(row_start[row]), columns.begin() + static_cast<std::ptrdiff_t>(row_start[row + 1]));
    }
    // Calls `part(from, to)` for each run of [x_from, x_to) on row y (within the rows given) that no pen pixel covers.
    template <class Part>
    void Uncovered(int y, int x_from, int x_to, Part part) const
    {
        const std::size_t row = static_cast<std::size_t>(y - top);
        const auto row_end = columns.begin() + static_cast<std::ptrdiff_t>(row_start[row + 1]);
        auto place = std::lower_bound(columns.begin() + static_cast<std::ptrdiff_t>(row_start[row]), row_end, x_from);
        int from = x_from;
        for (; place != row_end && *place < x_to; ++place) {
            if (*place > from)
                part(from, *place);
            from = std::max(from, *place + 1);
        }
        if (x_to > from)
            part(from, x_to);
    }

private:
    int top;
    std::vector<std::size_t> row_start; // where each row's columns begin; one more entry for the end
    std::vector<int> columns;
};

class Drawing {
public:
    explicit Drawing(Gdi_Dc& context)
        : dc(context), pen(Gdi_Find<Gdi_Pen>(dc.state.pen)), brush(Gdi_Find<Gdi_Brush>(dc.state.brush)), limit(Reach_Limit())
    {
    }

    bool Has_Pen() const { return pen && pen->Style() != PS_NULL; }
    bool Wide_Pen() const { return Has_Pen() && pen->Width() > 1; }
    QPoint Device(int x, int y) const { return dc.To_Device(x, y); }
    // Where drawing can land, with room for a wide pen reaching in from outside.
    const QRect& Limit() const { return limit; }

    // A pen along connected points (device coordinates).
    // A styled one-pixel pen, not a solid one: its dashes walk the outline.
    bool Dashed_Thin_Pen() const
    {
        return Has_Pen() && !Wide_Pen() && pen->Style() != PS_SOLID && pen->Style() != PS_INSIDEFRAME;
    }

    // A pen along connected points (device coordinates); a styled pen's dashes
    // go on from `dashes` when given.
    Stroke Polyline_Stroke(const std::vector<QPoint>& points, Dash_Walker* dashes = nullptr) const
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
        Dash_Walker own_dashes(pen->Style());
        for (std::size_t i = 1; i < points.size(); ++i)
            Line_Pixels(points[i - 1], points[i], Limit(), dashes ? *dashes : own_dashes, stroke.pixels);
        return stroke;
    }

    void Paint(const QRegion& fill, const Stroke& stroke) { Paint_Rows(Region_Rows(fill.subtracted(stroke.wide)), stroke); }
    // `fill` as one-row spans, rows in order from the top.
    void Paint(const std::vector<QRect>& fill, const Stroke& stroke)
    {
        if (stroke.wide.isEmpty() || fill.empty())
            Paint_Rows(fill, stroke);
        else
            Paint(Rows_Region(fill), stroke);
    }

    Gdi_Dc& dc;
    Gdi_Pen* pen;
    Gdi_Brush* brush;

private:
    static QRect Bounds(const std::vector<QRect>& fill, const Stroke& stroke)
    {
        QRect bounds = stroke.wide.boundingRect();
        for (const QRect& span : fill)
            bounds |= span;
        for (const Pen_Pixel& pixel : stroke.pixels)
            bounds |= QRect(pixel.x, pixel.y, 1, 1);
        return bounds;
    }

    QRect Reach_Limit() const
    {
        const int reach = Has_Pen() ? pen->Width() + 2 : 2;
        return dc.Drawable_Region().boundingRect().adjusted(-reach, -reach, reach, reach);
    }

    // The fill first, outside the pen's pixels, then the pen: each pixel is
    // mixed once. `fill`, one-row spans in any order, leaves out the stroke's wide part already.
    void Paint_Rows(const std::vector<QRect>& fill, const Stroke& stroke)
    {
        Gdi_Raster raster(dc, Bounds(fill, stroke));
        const int rop2 = dc.state.rop2;
        if (brush && !fill.empty()) {
            const auto [first, last] = std::minmax_element(fill.begin(), fill.end(), [](const QRect& l, const QRect& r) { return l.top() < r.top(); });
            const Pen_Places covered(stroke.pixels, first->top(), last->top());
            for (const QRect& span : fill)
                covered.Uncovered(span.top(), span.left(), span.right() + 1,
                                  [&](int from, int to) { raster.Fill_Span(span.top(), from, to, *brush, rop2); });
        }
        if (!Has_Pen())
            return;
        const QRgb color = dc.Surface_Pixel(pen->log_pen.lopnColor);
        const QRgb gap = dc.Surface_Pixel(dc.state.bk_color);
        const bool opaque = dc.state.bk_mode == OPAQUE;
        raster.Plot_Region(stroke.wide, color, rop2);
        // A line's pixel on the region part is mixed there already.
        const bool check_wide = !stroke.wide.isEmpty();
        for (const Pen_Pixel& pixel : stroke.pixels)
            if ((pixel.on || opaque) && !(check_wide && stroke.wide.contains(QPoint(pixel.x, pixel.y))))
                raster.Plot(pixel.x, pixel.y, pixel.on ? color : gap, rop2);
    }

    QRect limit;
};

std::vector<QPoint> Device_Points(const Drawing& drawing, const POINT* points, int count)
{
    std::vector<QPoint> device;
    for (int i = 0; i < count; ++i)
        device.push_back(drawing.Device(points[i].x, points[i].y));
    return device;
}

// The box a figure is drawn in, device coordinates, normalised; right and bottom excluded.
QRect Figure_Box(const Drawing& drawing, int left, int top, int right, int bottom)
{
    const QPoint a = drawing.Device(std::min(left, right), std::min(top, bottom));
    const QPoint b = drawing.Device(std::max(left, right), std::max(top, bottom));
    return QRect(a, QSize(b.x() - a.x(), b.y() - a.y()));
}

// A closed figure's shape: a rectangle (no corners), a rounded rectangle or an ellipse.
struct Figure_Shape {
    bool ellipse = false;
    int corner_width = 0;
    int corner_height = 0;

    // The shape filling `box`; `grow` pixels out on each side (negative: in) bend the corners with it.
    QRegion Region(const QRect& box, int grow, const QRect& limit) const
    {
        if (ellipse)
            return Gdi_Ellipse_Region(box, limit);
        return Gdi_Round_Rect_Region(box, std::max(0, std::abs(corner_width) + 2 * grow), std::max(0, std::abs(corner_height) + 2 * grow), limit);
    }
};

// The pixels of a region that touch its outside on a side: the one-pixel
// outline of the shape, joined corner to corner.
QRegion Thin_Frame(const QRegion& shape)
{
    QRegion interior = shape;
    for (QPoint shift : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
        interior &= shape.translated(shift);
    return shape.subtracted(interior);
}

struct Figure_Pixels {
    QRegion outline; // the pen's pixels
    QRegion inside;  // the outline and everything it encloses
};

// A closed figure in its box. A one-pixel pen runs along the outermost
// pixels; a wide pen is centred there, its extra pixel of an even width
// outside, unless it is an inside-frame pen, which keeps within the box.
// Without a pen the fill ends one pixel short on the right and bottom.
Figure_Pixels Figure(const Drawing& drawing, const QRect& box, const Figure_Shape& shape)
{
    const QRect limit = drawing.Limit();
    if (!drawing.Has_Pen())
        return {QRegion(), shape.Region(box.adjusted(0, 0, -1, -1), 0, limit)};
    const int width = drawing.Wide_Pen() ? drawing.pen->Width() : 1;
    if (width == 1) {
        const QRegion inside = shape.Region(box, 0, limit);
        return {Thin_Frame(inside), inside};
    }
    const bool inside_frame = drawing.pen->Style() == PS_INSIDEFRAME;
    const int out = inside_frame ? 0 : width / 2;
    const int in = inside_frame ? 0 : (width - 1) / 2;
    const QRect outer = box.adjusted(-out, -out, in, in);
    const QRegion inside = shape.Region(outer, out, limit);
    return {inside.subtracted(shape.Region(outer.adjusted(width, width, -width, -width), out - width, limit)), inside};
}

// The pixels of a region that a test keeps.
QRegion Kept_Pixels(const QRegion& region, const std::function<bool(int x, int y)>& keep)
{
    std::vector<QRegion> rows;
    for (const QRect& rect : region) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            std::vector<QRect> spans;
            for (int x = rect.left(); x <= rect.right(); ++x) {
                if (!keep(x, y))
                    continue;
                if (!spans.empty() && spans.back().right() + 1 == x)
                    spans.back().setRight(x);
                else
                    spans.emplace_back(x, y, 1, 1);
            }
            QRegion band;
            band.setRects(spans.data(), static_cast<int>(spans.size()));
            rows.push_back(band);
        }
    }
    return Gdi_Union_All(std::move(rows));
}

// Angles around an ellipse's centre, the ellipse scaled to a circle,
// counter-clockwise from the x axis as GDI measures its arcs.
class Ellipse_Angles {
public:
    explicit Ellipse_Angles(const QRect& box)
        : centre(box.left() + (box.width() - 1) / 2.0, box.top() + (box.height() - 1) / 2.0),
          radius_x(std::max((box.width() - 1) / 2.0, 0.5)), radius_y(std::max((box.height() - 1) / 2.0, 0.5))
    {
    }
    double Of(QPointF point) const
    {
        const double angle = std::atan2(-(point.y() - centre.y()) / radius_y, (point.x() - centre.x()) / radius_x);
        return angle < 0 ? angle + 2 * std::numbers::pi : angle;
    }
    // The pixel on the ellipse at an angle.
    QPoint On_Ellipse(double angle) const
    {
        return QPoint(static_cast<int>(std::lround(centre.x() + radius_x * std::cos(angle))),
                      static_cast<int>(std::lround(centre.y() - radius_y * std::sin(angle))));
    }
    QPoint Centre() const { return QPoint(static_cast<int>(std::floor(centre.x())), static_cast<int>(std::floor(centre.y()))); }

private:
    QPointF centre;
    double radius_x;
    double radius_y;
};

// A curved outline's pixels walked counter-clockwise from the angle `start`,
// as a styled one-pixel pen steps its dashes along them.
std::vector<Pen_Pixel> Dashed_Outline(const QRegion& outline, const Ellipse_Angles& angles, double start, Dash_Walker& dashes)
{
    struct Placed {
        double angle; // from start, counter-clockwise
        int x;
        int y;
    };
    std::vector<Placed> placed;
    for (const QRect& rect : outline)
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x) {
                const double angle = angles.Of(QPointF(x, y)) - start;
                placed.push_back({angle < 0 ? angle + 2 * std::numbers::pi : angle, x, y});
            }
    std::sort(placed.begin(), placed.end(), [](const Placed& l, const Placed& r) {
        return std::tie(l.angle, l.y, l.x) < std::tie(r.angle, r.y, r.x);
    });
    std::vector<Pen_Pixel> pixels;
    pixels.reserve(placed.size());
    for (const Placed& pixel : placed)
        pixels.push_back({pixel.x, pixel.y, dashes.Next()});
    return pixels;
}

enum class Arc_Kind { Arc, Pie, Chord };

BOOL Draw_Arc(HDC dc, Arc_Kind kind, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    if (!context)
        return FALSE;
    Drawing drawing(*context);
    const QRect box = Figure_Box(drawing, left, top, right, bottom);
    if (box.isEmpty())
        return TRUE;
    const Figure_Pixels ellipse = Figure(drawing, box, Figure_Shape{true, 0, 0});
    const Ellipse_Angles angles(box);
    const double start = angles.Of(QPointF(drawing.Device(xs, ys)));
    double sweep = angles.Of(QPointF(drawing.Device(xe, ye))) - start; // counter-clockwise; equal points: the whole ellipse
    if (sweep <= 0)
        sweep += 2 * std::numbers::pi;
    auto on_arc = [&](int x, int y) {
        double from_start = angles.Of(QPointF(x, y)) - start;
        if (from_start < 0)
            from_start += 2 * std::numbers::pi;
        return from_start <= sweep;
    };
    const QPoint arc_start = angles.On_Ellipse(start);
    const QPoint arc_end = angles.On_Ellipse(start + sweep);
    Stroke stroke;
    if (drawing.Has_Pen()) {
        // A styled pen's dashes run on from the arc into the closing lines.
        Dash_Walker dashes(drawing.pen->Style());
        const QRegion arc = Kept_Pixels(ellipse.outline, on_arc);
        if (drawing.Dashed_Thin_Pen())
            stroke.pixels = Dashed_Outline(arc, angles, start, dashes);
        else
            stroke.wide = arc;
        // The lines run from the arc's end back to its start.
        if (kind == Arc_Kind::Pie)
            stroke.Add(drawing.Polyline_Stroke({arc_end, angles.Centre(), arc_start}, &dashes), arc_start);
        else if (kind == Arc_Kind::Chord)
            stroke.Add(drawing.Polyline_Stroke({arc_end, arc_start}, &dashes), arc_start);
    }
    QRegion fill;
    if (kind == Arc_Kind::Pie) {
        fill = Kept_Pixels(ellipse.inside, on_arc);
    } else if (kind == Arc_Kind::Chord) {
        // The side of the chord the arc's middle lies on.
        const QPointF chord = arc_end - arc_start;
        auto side = [&](QPointF point) { return chord.x() * (point.y() - arc_start.y()) - chord.y() * (point.x() - arc_start.x()); };
        const double arc_side = side(angles.On_Ellipse(start + sweep / 2));
        fill = Kept_Pixels(ellipse.inside, [&](int x, int y) { return side(QPointF(x, y)) * arc_side >= 0; });
    }
    drawing.Paint(fill, stroke);
    return TRUE;
}

// `dash_walk`: a styled one-pixel pen dashes the outline; otherwise it draws it whole.
BOOL Draw_Figure(HDC dc, int left, int top, int right, int bottom, const Figure_Shape& shape, bool dash_walk)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    if (!context)
        return FALSE;
    Drawing drawing(*context);
    const QRect box = Figure_Box(drawing, left, top, right, bottom);
    if (box.isEmpty())
        return TRUE;
    const Figure_Pixels figure = Figure(drawing, box, shape);
    Stroke stroke;
    if (dash_walk && drawing.Dashed_Thin_Pen()) {
        // From the top-left, counter-clockwise.
        Dash_Walker dashes(drawing.pen->Style());
        stroke.pixels = Dashed_Outline(figure.outline, Ellipse_Angles(box), 3 * std::numbers::pi / 4, dashes);
    } else {
        stroke.wide = figure.outline;
    }
    drawing.Paint(figure.inside, stroke);
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
    const QRegion device = shape(object->region.translated(context->Origin()));
    Gdi_Raster raster(*context, device.boundingRect());
    raster.Fill_Region(device, *brush, context->state.rop2);
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
    Gdi_Raster(*context, QRect(at, QSize(1, 1))).Plot(at.x(), at.y(), pixel, context->state.rop2);
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
    return Gdi_To_Colorref(context->Rows().At(at.x(), at.y()));
}

BOOL LineTo(HDC dc, int x, int y)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    if (!context)
        return FALSE;
    Drawing drawing(*context);
    const POINT& from = context->state.current_position;
    drawing.Paint(std::vector<QRect>(), drawing.Polyline_Stroke({drawing.Device(from.x, from.y), drawing.Device(x, y)}));
    context->state.current_position = POINT{x, y};
    return TRUE;
}

BOOL Polyline(HDC dc, const POINT* points, int count)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    if (!context || !points || count < 2)
        return FALSE;
    Drawing drawing(*context);
    drawing.Paint(std::vector<QRect>(), drawing.Polyline_Stroke(Device_Points(drawing, points, count)));
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
    const std::vector<QRect> fill = drawing.brush ? Gdi_Polygon_Spans(fill_points.data(), count, context->state.poly_fill_mode, drawing.Limit())
                                                  : std::vector<QRect>();
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
    const QRect box = Figure_Box(drawing, left, top, right, bottom);
    // GDI takes a rectangle's right and bottom edges in before drawing: a
    // one-pixel rectangle is then empty, and nothing is drawn.
    if (box.width() == 1 && box.height() == 1)
        return TRUE;
    // A styled one-pixel pen walks the outline counter-clockwise from the
    // top-right corner, as GDI draws a rectangle, so its dashes run on round
    // the corners; on a one-pixel-thin rectangle, where the walk would pass
    // pixels twice, it covers the line once.
    const bool walk = drawing.Has_Pen() && drawing.pen->Style() != PS_SOLID && drawing.pen->Style() != PS_INSIDEFRAME &&
                      !drawing.Wide_Pen() && box.width() > 1 && box.height() > 1;
    if (!walk)
        return Draw_Figure(dc, left, top, right, bottom, Figure_Shape{}, false);
    const Stroke stroke = drawing.Polyline_Stroke({box.topRight(), box.topLeft(), box.bottomLeft(), box.bottomRight(), box.topRight()});
    drawing.Paint(QRegion(box), stroke);
    return TRUE;
}

BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int corner_width, int corner_height)
{
    return Draw_Figure(dc, left, top, right, bottom, Figure_Shape{false, corner_width, corner_height}, true);
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom)
{
    return Draw_Figure(dc, left, top, right, bottom, Figure_Shape{true, 0, 0}, true);
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
    const QRect box = Device_Rect(*context, *rect);
    Gdi_Raster raster(*context, box);
    raster.Fill_Region(QRegion(box), *object, R2_COPYPEN);
    return 1;
}

int FrameRect(HDC dc, const RECT* rect, HBRUSH brush)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    Gdi_Brush* object = Find_Brush(brush);
    if (!context || !rect || !object)
        return 0;
    const QRect box = Device_Rect(*context, *rect);
    Gdi_Raster raster(*context, box);
    raster.Fill_Region(QRegion(box).subtracted(QRegion(box.adjusted(1, 1, -1, -1))), *object, R2_COPYPEN);
    return 1;
}

BOOL InvertRect(HDC dc, const RECT* rect)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    if (!context || !rect)
        return FALSE;
    const QRect box = Device_Rect(*context, *rect);
    Gdi_Raster raster(*context, box);
    raster.Plot_Region(QRegion(box), 0xFFFFFFFFu, R2_XORPEN);
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
