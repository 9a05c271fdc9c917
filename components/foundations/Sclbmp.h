#pragma once
// Pixel operations on 24-bit bitmaps, working on their scan lines: grey
// scale, the two mirror flips, inversion, brightness (optionally sparing
// one colour) and alpha blending. The bitmap-effect and alpha objects run
// them over control backgrounds, usually in place (Source and Target the
// same bitmap).
//
// Rect is a half-open rectangle of the source; Origin places its top-left
// pixel in the target, so source pixel (Left + c, Top + r) lands on target
// pixel (Origin.x + c, Origin.y + r). Whatever part of the rectangle lies
// outside a bitmap is left out. Every bitmap must be pf24bit: another
// format raises ESCLWrongPixelFormat before any pixel changes.

#include <cstdint>

#include "platform/classlib/Graphics_Bitmap.h"
#include "platform/winapi/WinTypes.h"

// A brightness offset, -255..255.
using TSCLBrightness = std::int16_t;

// "Wrong PixelFormat in <name> bitmap!", naming the first bitmap that is not
// 24-bit ("Source", "Source 1", "Source 2" or "Target").
class ESCLWrongPixelFormat : public Exception {
    using Exception::Exception;
};

// Luminance 0.30 red + 0.59 green + 0.11 blue, rounded, in all three bytes.
void SCLBMPGrayScale(TBitmap& Source, const RECT& Rect, TBitmap& Target, const POINT& Origin);
// The flips mirror the part of Rect that lies inside Source; the middle row
// or column is copied too, so a flip into another bitmap is complete.
// Mirrors the rows: the top row becomes the bottom row.
void SCLBMPFlipHorizonzal(TBitmap& Source, const RECT& Rect, TBitmap& Target, const POINT& Origin);
// Mirrors the columns: the left column becomes the right column.
void SCLBMPFlipVertical(TBitmap& Source, const RECT& Rect, TBitmap& Target, const POINT& Origin);
// Each byte becomes 255 minus itself.
void SCLBMPInvert(TBitmap& Source, const RECT& Rect, TBitmap& Target, const POINT& Origin);
// Value added to each byte, held to 0..255.
void SCLBMPBrightness(TBitmap& Source, const RECT& Rect, TBitmap& Target, const POINT& Origin, TSCLBrightness Value);
// As SCLBMPBrightness, but pixels of ExcludeColor (a system colour resolved
// first) are left unwritten in the target.
void SCLBmpBrightnessEC(TBitmap& Source, const RECT& Rect, TBitmap& Target, const POINT& Origin, TSCLBrightness Value,
                        TColor ExcludeColor);
// Target = Source2 + round((Source1 - Source2) * Alpha) per byte, halves to
// even, held to 0..255: Alpha 1 gives Source1, 0 gives Source2. Rect is of
// Source1; Source2Origin and TargetOrigin place it in the other two.
void SCLBMPAlphaBlend(TBitmap& Source1, TBitmap& Source2, const RECT& Rect, const POINT& Source2Origin,
                      TBitmap& Target, float Alpha, const POINT& TargetOrigin);
