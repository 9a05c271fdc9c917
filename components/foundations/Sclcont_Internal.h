#pragma once
// Helpers the list units share: bounded lengths and the messages of list
// files.

#include <cstdint>
#include <string>

#include "platform/classlib/Classes.h"
#include "platform/classlib/Graphics.h"

// Raises EReadError naming What unless 0 <= Length <= the bytes left.
void Scl_Check_Length(TStream& Stream, std::int64_t Length, const char* What);
// The 9 bytes of a list identifier; fewer when the stream ends first.
std::string Scl_Read_Ident(TStream& Stream);
// "Impossible d'ouvrir le fichier <Name>".
std::string Scl_Open_Error(const std::string& Name);

class TBitmap;
class TCanvas;

// A bitmap fetched from a wrapped list drawn through the drawing utilities
// with its own transparent colour (kept apart from the units whose names
// clash with the drawing utilities').
void Scl_Draw_Fetched(TCanvas* Canvas, const RECT& Rect, WORD Flags, TBitmap* Bitmap);
void Scl_Clip_Draw_Fetched(TCanvas* Canvas, const RECT& Rect, WORD Flags, int Offset, TColor Color, TBitmap* Bitmap);
