#pragma once
// A bitmap's stored form in form resources: the binary property "Data" of
// every published TBitmap (a button's Glyph.Data, a fill's
// ShapeFill.Bitmap.Data), holding a 4-byte little-endian length and then
// that many bytes of a bitmap file. An empty bitmap stores nothing.

#include "platform/classlib/Classes.h"

class TBitmap;

// Registers TBitmap with its "Data" property. Once is enough.
void Register_Bitmap_Data();

// Reading raises EReadError for a length beyond the data and
// EInvalidGraphic for bytes that are no bitmap file; Bitmap is unchanged
// then. A length of 0 empties the bitmap.
void Read_Bitmap_Data(TBitmap& Bitmap, TStream& Stream);
void Write_Bitmap_Data(TBitmap& Bitmap, TStream& Stream);
