#pragma once
// Stream routines through which the library's list items store their data:
// little-endian integers, length-prefixed strings, string lists, and the
// compressed stream form that packs data block by block with LZRW.
//
// Compressed stream: int32 total (the bytes that follow), then per block an
// int32 block length L (1 to SCLLZRWMaxBlock) and the L bytes of one LZRW
// block, each block the packed form of up to SCLLZRWMaxInput input bytes.
//
// Readers check every length against the data that is there: a stored length
// beyond the stream's end or a damaged block raises Exception naming the
// fault, a fixed-size field cut short raises the stream's EReadError; nothing
// is read or allocated beyond the stream.

#include <cstdint>
#include <string>

#include "platform/classlib/Classes.h"
#include "platform/winapi/WinTypes.h"

class TBitmap;
class TSCLWave;

void stWriteInteger(TStream& Stream, std::int32_t Value);
std::int32_t stReadInteger(TStream& Stream);
void stWriteWord(TStream& Stream, WORD Value);
WORD stReadWord(TStream& Stream);
void stWriteByte(TStream& Stream, BYTE Value);
BYTE stReadByte(TStream& Stream);

// A string is stored as one length byte and its bytes: 0 to 255 of them. A
// longer string is stored cut to its whole UTF-8 characters that fit in 255
// bytes.
void stWriteString(TStream& Stream, const std::string& S);
std::string stReadString(TStream& Stream);

// The strings' text, each line ended by CR LF: as a compressed stream when
// Compressed, else as int32 byte length followed by the text. Reading
// replaces the content of Strings.
void stWriteStringList(TStream& Stream, const TStrings& Strings, bool Compressed);
void stReadStringList(TStream& Stream, TStrings& Strings, bool Compressed);

// A stored bitmap. Colors -1: the bitmap file as the bitmap saves itself;
// 2, 16 or 256 (or 0, the bitmap's own depth): the device-independent file
// of SCLBmpSaveDIBStream. Compressed: that file as a compressed stream;
// otherwise int32 byte length followed by the file. Reading loads the
// bitmap from exactly that file; a stored length of 0 empties it.
void stWriteBitmap(TStream& Stream, TBitmap& Bitmap, bool Compressed, int Colors);
void stReadBitmap(TStream& Stream, TBitmap& Bitmap, bool Compressed);
// Writes the bitmap as a bitmap file with Colors colours (2 for a
// monochrome bitmap whatever Colors says; 0 keeps its own depth, 16 and 32
// bits becoming 24), a full colour table of 2^bits entries, then sets
// Stream's position to 0. An empty bitmap raises Exception "Image bitmap
// incorrecte"; another colour count raises Exception naming it.
void SCLBmpSaveDIBStream(TStream& Stream, TBitmap& Bitmap, int Colors);

// A wave in its compressed stream form when Compressed, else as int32 size
// followed by the file image.
void stWriteWave(TStream& Stream, TSCLWave& Wave, bool Compressed);
void stReadWave(TStream& Stream, TSCLWave& Wave, bool Compressed);

// Packs Count bytes from Source's position into Dest as one compressed
// stream; raises EReadError when Source holds fewer.
void SaveCompressedStream(TStream& Source, TStream& Dest, std::int64_t Count);
// Reads one compressed stream from Source and writes the unpacked bytes to
// Dest.
void LoadCompressedStream(TStream& Source, TStream& Dest);
