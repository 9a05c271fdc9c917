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

// The area region calls without a surface work in: 16-bit coordinates.
inline const QRect gdi_coordinate_limit(-32768, -32768, 65536, 65536);

// The union of many regions.
QRegion Gdi_Union_All(std::vector<QRegion> parts);
