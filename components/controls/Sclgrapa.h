#pragma once
// Shape outlines and their painting, for the shape controls and the shape
// buttons. SCLShapeCalc turns a shape description into a point list whose
// layout is fixed per shape type (the outer figure first, then, except for
// teeth, an inner outline shifted inward by the pen); SCLShapeDraw paints a
// shape from such a list: shadow, body, outline and bevel lines.
//
// The drawing works on plain values of the teeth, bevel and shadow
// settings; the settings objects are read into them.

#include <array>
#include <vector>

#include "components/foundations/Sclgraph.h"
#include "components/foundations/Sclpointlist.h"
#include "platform/classlib/Graphics.h"
#include "platform/winapi/WinTypes.h"

class TSCLShadow;
class TSCLSimpleBevel;
class TSCLTeeth;

enum TSCLShapeType : BYTE {
    stEllipse, stRectangle, stRoundRect, stDirectUp, stDirectRight, stDirectDown, stDirectLeft, stDiamond, stComb,
    stOctagon, stStar
};
template <>
struct TSCLEnumInfo<TSCLShapeType> {
    static constexpr const char* TypeName = "TSCLShapeType";
    static constexpr std::array<const char*, 11> Names{
        "stEllipse", "stRectangle", "stRoundRect", "stDirectUp", "stDirectRight", "stDirectDown", "stDirectLeft",
        "stDiamond", "stComb", "stOctagon", "stStar"
    };
};

enum TSCLLightColor : BYTE { lcNone, lcBlue, lcRed, lcGreen, lcYellow, lcMarine, lcPurple };
template <>
struct TSCLEnumInfo<TSCLLightColor> {
    static constexpr const char* TypeName = "TSCLLightColor";
    static constexpr std::array<const char*, 7> Names{"lcNone", "lcBlue",   "lcRed",   "lcGreen",
                                                      "lcYellow", "lcMarine", "lcPurple"};
};

// The serrated side of a shape. Calculating the outline writes the tooth
// size back (Width along a horizontal side, Height along a vertical one)
// when SetPerCount asks for it.
struct TSCLShapeTeeth {
    int Count = 10;
    TSCLDirection Direction = tdRight;
    bool Offset = true;
    bool SetPerCount = true;
    int Width = 10;
    int Height = 0;
};

enum class TSCLShapeBevelKind { Normal, Inset, Offset };

// The outline pen and the bevel lines: Normal draws the outline only, in
// Color; Inset draws ShadowColor first and LightColor second, Offset the
// other way round.
struct TSCLShapeBevel {
    int Width = 2;
    TSCLShapeBevelKind Kind = TSCLShapeBevelKind::Normal;
    TColor Color = clBlack;
    TColor LightColor = clBtnHighlight;
    TColor ShadowColor = clBtnShadow;
};

struct TSCLShapeShadow {
    TSCLShadowStyle Style = hssSolid;
    int Depth = 6;
    TColor Color = clBtnShadow;
};

// Clears PointList and fills it with the outline of the shape in a
// rectangle of Rect's size at (0, 0). Teeth (may be nil) replaces the shape
// type by a rectangle with one serrated side; a tooth size or count of 0
// gives a straight side. Coordinates beyond the list's 16-bit storage are
// clamped. RoundPercent is kept within 0 to 100.
void SCLShapeCalc(const RECT& Rect, TSCLShapeType ShapeType, TSCLShapeTeeth* Teeth, bool Square, int RoundPercent,
                  const TSCLShapeBevel* Bevel, const TSCLShapeShadow* Shadow, TSCLPointList* PointList);

// Paints the shape into Rect of Canvas. PointList may be nil (an outline is
// then calculated from the same arguments); a given list must come from
// SCLShapeCalc for a rectangle of Rect's size and is left untouched. Brush
// nil keeps the canvas brush; with Bitmap the body shows the bitmap (drawn
// through a mask at Rect's top-left). Color is the colour around the shape,
// BrushBackColor the colour between the lines of a hatched brush. A
// serrated shape gets its outline but no bevel lines.
void SCLShapeDraw(const RECT& Rect, TCanvas* Canvas, TSCLShapeType ShapeType, TSCLShapeTeeth* Teeth,
                  TSCLPointList* PointList, bool Square, TBrush* Brush, int RoundPercent, const TSCLShapeBevel& Bevel,
                  const TSCLShapeShadow* Shadow, TBitmap* Bitmap, TColor Color, TColor BrushBackColor);

// The same over the settings objects of a shape control or a shape button.
// Brush is not read. The teeth's written-back size sends no notification.
void SCLShapeCalc(const RECT& Rect, TSCLShapeType ShapeType, TSCLTeeth* Teeth, bool Square, TBrush* Brush,
                  int RoundPercent, TSCLSimpleBevel* Bevel, TSCLShadow* Shadow, TSCLPointList* PointList);
// Bevel nil draws nothing.
void SCLShapeDraw(const RECT& Rect, TCanvas* Canvas, TSCLShapeType ShapeType, TSCLTeeth* Teeth,
                  TSCLPointList* PointList, bool Square, TBrush* Brush, int RoundPercent, TSCLSimpleBevel* Bevel,
                  TSCLShadow* Shadow, TBitmap* Bitmap, TColor Color, TColor BrushBackColor);

// Adds (DX, DY) to every point through the list's setter (each change
// notifies); results beyond 16 bits are clamped. Nil does nothing.
void SCLOffsetPointList(TSCLPointList* PointList, int DX, int DY);
// Adds (DX, DY) to the first Count points (at most the array's size).
void SCLOffsetPointArray(std::vector<POINT>& Points, int Count, int DX, int DY);

// The light and dark colours of a light colour choice; values outside the
// enumeration leave both unchanged.
void SCLGetLightColors(TSCLLightColor LightColor, TColor& Light, TColor& Dark);
