#pragma once
// Helpers the list units share: stored bitmaps, bounded lengths and the
// messages of list files.

#include <cstdint>
#include <string>

#include "platform/classlib/Classes.h"
#include "platform/classlib/Graphics_Bitmap.h"

// A bitmap as list items store it: compressed, an LZRW stream of the bitmap
// file; otherwise int32 length and the file. Colors -1 keeps the bitmap's
// format; 2, 16 or 256 reduce it.
void Scl_Write_Stored_Bitmap(TStream& Stream, TBitmap* Bitmap, bool Compressed, std::int32_t Colors);
void Scl_Read_Stored_Bitmap(TStream& Stream, TBitmap* Bitmap, bool Compressed);

// Raises EReadError naming What unless 0 <= Length <= the bytes left.
void Scl_Check_Length(TStream& Stream, std::int64_t Length, const char* What);
// The 9 bytes of a list identifier; fewer when the stream ends first.
std::string Scl_Read_Ident(TStream& Stream);
// "Impossible d'ouvrir le fichier <Name>".
std::string Scl_Open_Error(const std::string& Name);
