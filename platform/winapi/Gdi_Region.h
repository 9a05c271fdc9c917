#pragma once
// Region helpers shared by the drawing units; the region calls themselves
// (CreateRectRgn, CombineRgn, GetRegionData ...) are declared in Gdi.h.

#include "platform/winapi/Gdi.h"

#include <QRegion>

#include <vector>

// NULLREGION, SIMPLEREGION or COMPLEXREGION.
int Gdi_Region_Type(const QRegion& region);

// The pixels a polygon covers under the top-left rule, as GDI fills it:
// pixel (x, y) is inside when the point (x, y) is, points on a left or top
// edge count as inside, points on a right or bottom edge as outside. Only the
// part within `limit` is made, so wild coordinates cost no more than the area
// that matters.
QRegion Gdi_Polygon_Region(const POINT* points, int count, int fill_mode, const QRect& limit);
// The same pixels as one-row rectangles, row by row from the top, left to right within a row.
std::vector<QRect> Gdi_Polygon_Spans(const POINT* points, int count, int fill_mode, const QRect& limit);

// The area region calls without a surface work in: 16-bit coordinates.
inline const QRect gdi_coordinate_limit(-32768, -32768, 65536, 65536);

// The pixels of a rounded rectangle filling `box`, its corners quarters of a
// corner_width x corner_height ellipse; an ellipse is the rounded rectangle
// whose corner ellipse is the whole box. A pixel belongs when its centre lies
// inside the corner ellipse, tested exactly in integers, so the figure is
// symmetric both ways and stays inside the box; the rows nearest the middle
// always span the box, so the figure touches all four sides. The region calls
// and the figure drawing both use it, so hit tests match what is drawn. Only
// the part within `limit` is made.
QRegion Gdi_Round_Rect_Region(const QRect& box, int corner_width, int corner_height, const QRect& limit);
inline QRegion Gdi_Ellipse_Region(const QRect& box, const QRect& limit)
{
    return Gdi_Round_Rect_Region(box, box.width(), box.height(), limit);
}

// The union of many regions.
QRegion Gdi_Union_All(std::vector<QRegion> parts);
