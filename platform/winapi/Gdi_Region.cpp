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
std::int64_t Ceil_Div(Wide_Int numerator, Wide_Int denominator)
{
    Wide_Int quotient = numerator / denominator;
    return static_cast<std::int64_t>(quotient + ((numerator % denominator) > 0 ? 1 : 0));
}

std::vector<Crossing> Row_Crossings(const POINT* points, int count, int y)
{
    std::vector<Crossing> crossings;
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
        const Wide_Int dy = std::int64_t(bottom.y) - top.y;
        const Wide_Int numerator = Wide_Int(top.x) * dy + Wide_Int(std::int64_t(y) - top.y) * (std::int64_t(bottom.x) - top.x);
        crossings.push_back({Ceil_Div(numerator, dy), down ? 1 : -1});
    }
    std::sort(crossings.begin(), crossings.end(), [](const Crossing& l, const Crossing& r) { return l.x < r.x; });
    return crossings;
}

// One row's spans within the limit's columns, abutting spans merged, as a region band.
QRegion Row_Band(const std::vector<Crossing>& crossings, int y, int fill_mode, const QRect& limit)
{
    auto clamp = [&](std::int64_t x) { return static_cast<int>(std::clamp<std::int64_t>(x, limit.left(), limit.right() + 1)); };
    std::vector<QRect> rects;
    int winding = 0;
    for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
        winding += fill_mode == WINDING ? crossings[i].direction : 1;
        const bool inside = fill_mode == WINDING ? winding != 0 : (winding % 2) != 0;
        const int from = clamp(crossings[i].x);
        const int to = clamp(crossings[i + 1].x);
        if (!inside || to <= from)
            continue;
        if (!rects.empty() && rects.back().right() + 1 >= from)
            rects.back().setRight(to - 1);
        else
            rects.emplace_back(from, y, to - from, 1);
    }
    QRegion band;
    band.setRects(rects.data(), static_cast<int>(rects.size()));
    return band;
}

QRect To_QRect(int left, int top, int right, int bottom)
{
    return QRect(QPoint(std::min(left, right), std::min(top, bottom)), QPoint(std::max(left, right) - 1, std::max(top, bottom) - 1));
}

HRGN New_Region(const QRegion& region) { return new Gdi_Region(region); }

// The pixels whose centres lie inside the ellipse inscribed in the box: symmetric, and touching every side.
QRegion Ellipse_Region(const QRect& box)
{
    if (box.isEmpty())
        return QRegion();
    const double rx = box.width() / 2.0;
    const double ry = box.height() / 2.0;
    std::vector<QRegion> rows;
    for (int y = 0; y < box.height(); ++y) {
        const double dy = (y + 0.5 - ry) / ry;
        const double half = rx * std::sqrt(std::max(0.0, 1 - dy * dy));
        // Columns x with |x + 0.5 - rx| <= half.
        const int from = static_cast<int>(std::ceil(rx - half - 0.5));
        const int to = static_cast<int>(std::floor(rx + half - 0.5));
        if (from <= to)
            rows.emplace_back(box.left() + from, box.top() + y, to - from + 1, 1);
    }
    return Gdi_Union_All(std::move(rows));
}

} // namespace

int Gdi_Region_Type(const QRegion& region)
{
    if (region.isEmpty())
        return NULLREGION;
    return region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

QRegion Gdi_Polygon_Region(const POINT* points, int count, int fill_mode, const QRect& limit)
{
    if (!points || count < 3)
        return QRegion();
    auto [low, high] = std::minmax_element(points, points + count, [](const POINT& l, const POINT& r) { return l.y < r.y; });
    std::vector<QRegion> bands;
    for (int y = std::max(low->y, limit.top()); y < std::min(high->y, limit.bottom() + 1); ++y)
        bands.push_back(Row_Band(Row_Crossings(points, count, y), y, fill_mode, limit));
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
    return New_Region(Ellipse_Region(To_QRect(left, top, right, bottom)));
}

HRGN CreateEllipticRgnIndirect(const RECT* rect)
{
    return rect ? CreateEllipticRgn(rect->left, rect->top, rect->right, rect->bottom) : nullptr;
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int corner_width, int corner_height)
{
    QRect box = To_QRect(left, top, right, bottom);
    if (box.isEmpty())
        return New_Region(QRegion());
    const int cw = std::min(std::abs(corner_width), box.width());
    const int ch = std::min(std::abs(corner_height), box.height());
    if (cw < 2 || ch < 2)
        return New_Region(QRegion(box));
    // The four corner ellipses joined by the two crossing bands.
    QRegion region(box.adjusted(cw / 2, 0, -(cw / 2), 0));
    region += QRegion(box.adjusted(0, ch / 2, 0, -(ch / 2)));
    const QSize corner(cw, ch);
    for (QPoint at : {box.topLeft(), QPoint(box.right() + 1 - cw, box.top()), QPoint(box.left(), box.bottom() + 1 - ch),
                      QPoint(box.right() + 1 - cw, box.bottom() + 1 - ch)})
        region += Ellipse_Region(QRect(at, corner));
    return New_Region(region);
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
