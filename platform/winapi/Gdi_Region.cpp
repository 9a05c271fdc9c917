#include "platform/winapi/Gdi_Region.h"

#include "platform/winapi/Gdi_Objects.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// Edge intersections multiply two 33-bit differences.
__extension__ typedef __int128 Wide_Int;

struct Crossing {
    std::int64_t x; // first pixel column at or right of the edge
    int direction;
};

// Smallest integer >= numerator / denominator, denominator > 0.
template <class Int>
std::int64_t Ceil_Div(Int numerator, Int denominator)
{
    Int quotient = numerator / denominator;
    return static_cast<std::int64_t>(quotient + ((numerator % denominator) > 0 ? 1 : 0));
}

// Where row y crosses the polygon's edges, left to right. `Int` holds an
// edge's x times its height: 64 bits for coordinates within +-2^29, else 128.
template <class Int>
void Row_Crossings(const POINT* points, int count, int y, std::vector<Crossing>& crossings)
{
    crossings.clear();
    for (int i = 0; i < count; ++i) {
        const POINT& a = points[i];
        const POINT& b = points[(i + 1) % count];
        if (a.y == b.y)
            continue;
        const bool down = b.y > a.y;
        const POINT& top = down ? a : b;
        const POINT& bottom = down ? b : a;
        if (y < top.y || y >= bottom.y)
            continue;
        const Int dy = std::int64_t(bottom.y) - top.y;
        const Int numerator = Int(top.x) * dy + Int(std::int64_t(y) - top.y) * (std::int64_t(bottom.x) - top.x);
        crossings.push_back({Ceil_Div(numerator, dy), down ? 1 : -1});
    }
    std::sort(crossings.begin(), crossings.end(), [](const Crossing& l, const Crossing& r) { return l.x < r.x; });
}

// One row's spans within the limit's columns, abutting spans merged.
void Row_Spans(const std::vector<Crossing>& crossings, int y, int fill_mode, const QRect& limit, std::vector<QRect>& spans)
{
    auto clamp = [&](std::int64_t x) { return static_cast<int>(std::clamp<std::int64_t>(x, limit.left(), limit.right() + 1)); };
    const std::size_t row_start = spans.size();
    int winding = 0;
    for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
        winding += fill_mode == WINDING ? crossings[i].direction : 1;
        const bool inside = fill_mode == WINDING ? winding != 0 : (winding % 2) != 0;
        const int from = clamp(crossings[i].x);
        const int to = clamp(crossings[i + 1].x);
        if (!inside || to <= from)
            continue;
        if (spans.size() > row_start && spans.back().right() + 1 >= from)
            spans.back().setRight(to - 1);
        else
            spans.emplace_back(from, y, to - from, 1);
    }
}

bool Fits_64_Bits(const POINT* points, int count)
{
    constexpr long bound = 1L << 29;
    return std::all_of(points, points + count, [](const POINT& p) { return p.x > -bound && p.x < bound && p.y > -bound && p.y < bound; });
}

QRect To_QRect(int left, int top, int right, int bottom)
{
    return QRect(QPoint(std::min(left, right), std::min(top, bottom)), QPoint(std::max(left, right) - 1, std::max(top, bottom) - 1));
}

HRGN New_Region(const QRegion& region) { return new Gdi_Region(region); }

// Whether column x (0 <= x < width) of row y of a width x height ellipse has
// its centre inside: ((2x+1-w)/w)^2 + ((2y+1-h)/h)^2 <= 1, in integers.
bool Inside_Ellipse(std::int64_t width, std::int64_t height, std::int64_t x, std::int64_t y)
{
    const Wide_Int u = 2 * x + 1 - width;
    const Wide_Int v = 2 * y + 1 - height;
    const Wide_Int w2 = Wide_Int(width) * width;
    const Wide_Int h2 = Wide_Int(height) * height;
    return u * u * h2 + v * v * w2 <= w2 * h2;
}

// How many columns row y of a width x height ellipse leaves out on each side.
std::int64_t Ellipse_Inset(std::int64_t width, std::int64_t height, std::int64_t y)
{
    // The rows nearest the middle span the whole width.
    if (2 * y + 1 == height || 2 * y + 2 == height || 2 * y == height)
        return 0;
    const double v = double(2 * y + 1 - height) / double(height);
    const double half = double(width) * std::sqrt(std::max(0.0, 1 - v * v));
    std::int64_t inset = std::clamp<std::int64_t>(static_cast<std::int64_t>(std::ceil((double(width) - 1 - half) / 2)), 0, (width - 1) / 2);
    // The estimate is close; the exact test settles the last step either way.
    while (inset < (width - 1) / 2 && !Inside_Ellipse(width, height, inset, y))
        ++inset;
    while (inset > 0 && Inside_Ellipse(width, height, inset - 1, y))
        --inset;
    return inset;
}

} // namespace

QRegion Gdi_Round_Rect_Region(const QRect& box, int corner_width, int corner_height, const QRect& limit)
{
    if (box.isEmpty())
        return QRegion();
    const std::int64_t width = box.width();
    const std::int64_t height = box.height();
    const std::int64_t cw = std::clamp<std::int64_t>(std::abs(std::int64_t(corner_width)), 0, width);
    const std::int64_t ch = std::clamp<std::int64_t>(std::abs(std::int64_t(corner_height)), 0, height);
    const bool rounded = cw >= 2 && ch >= 2;
    std::vector<QRect> rows;
    const std::int64_t first = std::max<std::int64_t>(box.top(), limit.top());
    const std::int64_t last = std::min<std::int64_t>(std::int64_t(box.top()) + height, std::int64_t(limit.bottom()) + 1);
    for (std::int64_t row = first; row < last; ++row) {
        const std::int64_t y = row - box.top();
        std::int64_t inset = 0;
        if (rounded && y < ch / 2)
            inset = Ellipse_Inset(cw, ch, y);
        else if (rounded && y >= height - ch / 2)
            inset = Ellipse_Inset(cw, ch, y - (height - ch));
        const std::int64_t from = std::max<std::int64_t>(box.left() + inset, limit.left());
        const std::int64_t to = std::min<std::int64_t>(box.left() + width - inset, std::int64_t(limit.right()) + 1);
        if (from >= to)
            continue;
        // Equal rows one under another make one rectangle: the minimal banded form QRegion expects.
        const QRect span(static_cast<int>(from), static_cast<int>(row), static_cast<int>(to - from), 1);
        if (!rows.empty() && rows.back().left() == span.left() && rows.back().width() == span.width() && rows.back().bottom() + 1 == span.top())
            rows.back().setBottom(span.top());
        else
            rows.push_back(span);
    }
    QRegion region;
    region.setRects(rows.data(), static_cast<int>(rows.size()));
    return region;
}

int Gdi_Region_Type(const QRegion& region)
{
    if (region.isEmpty())
        return NULLREGION;
    return region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

std::vector<QRect> Gdi_Polygon_Spans(const POINT* points, int count, int fill_mode, const QRect& limit)
{
    std::vector<QRect> spans;
    if (!points || count < 3)
        return spans;
    auto [low, high] = std::minmax_element(points, points + count, [](const POINT& l, const POINT& r) { return l.y < r.y; });
    const bool narrow = Fits_64_Bits(points, count);
    std::vector<Crossing> crossings;
    for (int y = std::max(low->y, limit.top()); y < std::min(high->y, limit.bottom() + 1); ++y) {
        if (narrow)
            Row_Crossings<std::int64_t>(points, count, y, crossings);
        else
            Row_Crossings<Wide_Int>(points, count, y, crossings);
        Row_Spans(crossings, y, fill_mode, limit, spans);
    }
    return spans;
}

QRegion Gdi_Polygon_Region(const POINT* points, int count, int fill_mode, const QRect& limit)
{
    const std::vector<QRect> spans = Gdi_Polygon_Spans(points, count, fill_mode, limit);
    std::vector<QRegion> bands;
    for (std::size_t first = 0; first < spans.size();) {
        std::size_t end = first;
        while (end < spans.size() && spans[end].top() == spans[first].top())
            ++end;
        QRegion band;
        band.setRects(spans.data() + first, static_cast<int>(end - first));
        bands.push_back(band);
        first = end;
    }
    return Gdi_Union_All(std::move(bands));
}

QRegion Gdi_Union_All(std::vector<QRegion> parts)
{
    // Pairwise, so that many small parts cost n log n rather than n squared.
    if (parts.empty())
        return QRegion();
    while (parts.size() > 1) {
        std::vector<QRegion> joined;
        for (std::size_t i = 0; i < parts.size(); i += 2)
            joined.push_back(i + 1 < parts.size() ? parts[i].united(parts[i + 1]) : parts[i]);
        parts = std::move(joined);
    }
    return parts.front();
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) { return New_Region(QRegion(To_QRect(left, top, right, bottom))); }

HRGN CreateRectRgnIndirect(const RECT* rect)
{
    return rect ? CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom) : nullptr;
}

HRGN CreateEllipticRgn(int left, int top, int right, int bottom)
{
    return New_Region(Gdi_Ellipse_Region(To_QRect(left, top, right, bottom), gdi_coordinate_limit));
}

HRGN CreateEllipticRgnIndirect(const RECT* rect)
{
    return rect ? CreateEllipticRgn(rect->left, rect->top, rect->right, rect->bottom) : nullptr;
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int corner_width, int corner_height)
{
    return New_Region(Gdi_Round_Rect_Region(To_QRect(left, top, right, bottom), corner_width, corner_height, gdi_coordinate_limit));
}

HRGN CreatePolygonRgn(const POINT* points, int count, int fill_mode)
{
    if (!points || count < 2 || (fill_mode != ALTERNATE && fill_mode != WINDING))
        return nullptr;
    return New_Region(Gdi_Polygon_Region(points, count, fill_mode, gdi_coordinate_limit));
}

BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom)
{
    Gdi_Region* object = Gdi_Find<Gdi_Region>(region);
    if (!object)
        return FALSE;
    object->region = QRegion(To_QRect(left, top, right, bottom));
    return TRUE;
}

int CombineRgn(HRGN dest, HRGN source1, HRGN source2, int mode)
{
    Gdi_Region* target = Gdi_Find<Gdi_Region>(dest);
    Gdi_Region* first = Gdi_Find<Gdi_Region>(source1);
    Gdi_Region* second = Gdi_Find<Gdi_Region>(source2);
    if (!target || !first || (mode != RGN_COPY && !second))
        return ERROR;
    switch (mode) {
    case RGN_AND:
        target->region = first->region.intersected(second->region);
        break;
    case RGN_OR:
        target->region = first->region.united(second->region);
        break;
    case RGN_XOR:
        target->region = first->region.xored(second->region);
        break;
    case RGN_DIFF:
        target->region = first->region.subtracted(second->region);
        break;
    case RGN_COPY:
        target->region = first->region;
        break;
    default:
        return ERROR;
    }
    return Gdi_Region_Type(target->region);
}

int OffsetRgn(HRGN region, int dx, int dy)
{
    Gdi_Region* object = Gdi_Find<Gdi_Region>(region);
    if (!object)
        return ERROR;
    object->region.translate(dx, dy);
    return Gdi_Region_Type(object->region);
}

BOOL PtInRegion(HRGN region, int x, int y)
{
    Gdi_Region* object = Gdi_Find<Gdi_Region>(region);
    return object && object->region.contains(QPoint(x, y)) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN region, const RECT* rect)
{
    Gdi_Region* object = Gdi_Find<Gdi_Region>(region);
    if (!object || !rect)
        return FALSE;
    QRect box = To_QRect(rect->left, rect->top, rect->right, rect->bottom);
    return !box.isEmpty() && object->region.intersects(box) ? TRUE : FALSE;
}

int GetRgnBox(HRGN region, LPRECT box)
{
    Gdi_Region* object = Gdi_Find<Gdi_Region>(region);
    if (!object || !box)
        return ERROR;
    QRect bounds = object->region.boundingRect();
    *box = object->region.isEmpty() ? RECT{} : RECT{bounds.left(), bounds.top(), bounds.right() + 1, bounds.bottom() + 1};
    return Gdi_Region_Type(object->region);
}

BOOL EqualRgn(HRGN region1, HRGN region2)
{
    Gdi_Region* first = Gdi_Find<Gdi_Region>(region1);
    Gdi_Region* second = Gdi_Find<Gdi_Region>(region2);
    if (!first || !second)
        return ERROR;
    return first->region == second->region ? TRUE : FALSE;
}

DWORD GetRegionData(HRGN region, DWORD size, RGNDATA* data)
{
    Gdi_Region* object = Gdi_Find<Gdi_Region>(region);
    if (!object)
        return 0;
    const DWORD count = static_cast<DWORD>(object->region.rectCount());
    const DWORD needed = static_cast<DWORD>(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
    if (!data)
        return needed;
    if (size < needed)
        return 0;
    RGNDATAHEADER header;
    header.dwSize = sizeof(RGNDATAHEADER);
    header.iType = RDH_RECTANGLES;
    header.nCount = count;
    header.nRgnSize = count * sizeof(RECT);
    GetRgnBox(region, &header.rcBound);
    std::memcpy(static_cast<void*>(data), &header, sizeof(header));
    auto* out = reinterpret_cast<unsigned char*>(data) + sizeof(RGNDATAHEADER);
    for (const QRect& rect : object->region) {
        RECT item{rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1};
        std::memcpy(out, &item, sizeof(item));
        out += sizeof(RECT);
    }
    return needed;
}

HRGN ExtCreateRegion(const void* transform, DWORD size, const RGNDATA* data)
{
    // Broken data gives no region rather than reading past the buffer.
    if (transform || !data || size < sizeof(RGNDATAHEADER))
        return nullptr;
    RGNDATAHEADER header;
    std::memcpy(static_cast<void*>(&header), data, sizeof(header));
    if (header.dwSize < sizeof(RGNDATAHEADER) || header.iType != RDH_RECTANGLES || header.dwSize > size ||
        header.nCount > (size - header.dwSize) / sizeof(RECT))
        return nullptr;
    const auto* in = reinterpret_cast<const unsigned char*>(data) + header.dwSize;
    std::vector<QRegion> rects;
    for (DWORD i = 0; i < header.nCount; ++i, in += sizeof(RECT)) {
        RECT item;
        std::memcpy(&item, in, sizeof(item));
        if (item.right > item.left && item.bottom > item.top)
            rects.emplace_back(To_QRect(item.left, item.top, item.right, item.bottom));
    }
    return New_Region(Gdi_Union_All(std::move(rects)));
}
