#pragma once
// The ternary raster-operation evaluator under BitBlt, StretchBlt, PatBlt and
// MaskBlt: one row function per operation code (the third byte of a ROP3
// value), bitwise over RGB32 pixels.

#include <QRgb>

#include <cstdint>

// d[i] = op(p[i], s[i], d[i]) | fourth_byte for i < count, op on all 32
// bits; p and s may alias d. fourth_byte is the destination's
// Gdi_Dc::Fourth_Byte; the copies (SRCCOPY, PATCOPY) take their operand's
// pixels as they are.
using Gdi_Rop_Row = void (*)(const QRgb* p, const QRgb* s, QRgb* d, int count, QRgb fourth_byte);

Gdi_Rop_Row Gdi_Rop_Row_For(std::uint8_t code);

constexpr bool Gdi_Rop_Uses_Source(std::uint8_t code) { return ((code >> 2) & 0x33) != (code & 0x33); }
constexpr bool Gdi_Rop_Uses_Dest(std::uint8_t code) { return ((code >> 1) & 0x55) != (code & 0x55); }
constexpr bool Gdi_Rop_Uses_Pattern(std::uint8_t code) { return ((code >> 4) & 0x0F) != (code & 0x0F); }
