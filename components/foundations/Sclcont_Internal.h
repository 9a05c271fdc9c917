#pragma once
// Helpers the list units share: bounded lengths and counts, list
// identifiers, the item record's flags, the image strips' limits and the
// messages of list files.

#include <array>
#include <cstdint>
#include <string>

#include "platform/classlib/Classes.h"
#include "platform/classlib/Graphics.h"

// ---- Stored data ------------------------------------------------------------

// Raises EReadError naming What unless 0 <= Length <= the bytes left.
void Scl_Check_Length(TStream& Stream, std::int64_t Length, const char* What);
// The item count of list data: not negative, and room in the stream for its
// position table (when Indexed) and its records; EReadError otherwise.
std::int32_t Scl_Read_Count(TStream& Stream, bool Indexed);
// The 9 bytes of a list identifier; fewer when the stream ends first.
std::string Scl_Read_Ident(TStream& Stream);
// "Impossible d'ouvrir le fichier <Name>".
std::string Scl_Open_Error(const std::string& Name);

// The identifiers of the list kinds without their length byte, by
// TSCLListItemClassType.
inline constexpr std::array<const char*, 6> Scl_List_Idents = {"SCLIML30", "SCLBML30", "SCLWVL30",
                                                               "SCLSLL30", "SCLGLL50", "SCLRTL50"};

// The flags byte that opens every item record.
inline constexpr BYTE Scl_Flag_Compressed = 0x01;
inline constexpr BYTE Scl_Flag_Description = 0x02;
inline constexpr BYTE Scl_Flag_Ident = 0x04;
inline constexpr BYTE Scl_Flag_Payload = 0x08;
inline constexpr BYTE Scl_Flag_Mono = 0x10;
inline constexpr BYTE Scl_Flag_4bit = 0x20;
inline constexpr BYTE Scl_Flag_8bit = 0x40;

// ---- Image strips -----------------------------------------------------------

// The widest strip an image list item holds, in pixels.
inline constexpr int Scl_Max_Strip_Width = 32768;
inline constexpr const char* Scl_Wrong_Size_Text = "Taille d'image incorrecte";

// The rectangle of an image of a strip that starts at Left.
inline RECT Scl_Image_Rect(int Left, int Width, int Height) { return RECT{Left, 0, Left + Width, Height}; }

// ---- Drawing ----------------------------------------------------------------

class TBitmap;
class TCanvas;

// A bitmap fetched from a wrapped list drawn through the drawing utilities
// with its own transparent colour (kept apart from the units whose names
// clash with the drawing utilities').
void Scl_Draw_Fetched(TCanvas* Canvas, const RECT& Rect, WORD Flags, TBitmap* Bitmap);
void Scl_Clip_Draw_Fetched(TCanvas* Canvas, const RECT& Rect, WORD Flags, int Offset, TColor Color, TBitmap* Bitmap);
