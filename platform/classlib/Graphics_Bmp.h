#pragma once
// The BMP file format as the bitmap class reads and writes it: a file header,
// a BITMAPINFOHEADER (larger versions are read too), an optional colour table
// and BI_RGB rows of 1, 4, 8, 24 or 32 bits, padded to 4 bytes.

#include <cstdint>
#include <vector>

#include "platform/classlib/Classes_Streams.h"
#include "platform/winapi/Gdi.h"

struct Bmp_Picture {
    int width = 0;
    int height = 0;
    int bits_per_pixel = 24;
    std::vector<RGBQUAD> color_table;  // 1, 4 and 8 bits
    std::vector<std::uint32_t> pixels; // 0x00RRGGBB, top row first
};

// Reads one picture from the stream's position. A stream that is not a
// supported BMP, or that ends early, raises EInvalidGraphic; nothing is read
// outside the stream's data.
Bmp_Picture Read_Bmp(TStream& stream);
// Writes the picture; indexed pixels take the nearest colour of the table.
void Write_Bmp(TStream& stream, const Bmp_Picture& picture);

// A colour table for `bits` (1, 4 or 8) bits: `preferred` when it holds every
// colour of the pixels, else the pixels' own colours when there are few
// enough, else a standard table (black and white, the 16 VGA colours, or
// 3-3-2 levels of red, green and blue).
std::vector<RGBQUAD> Bmp_Color_Table(const std::vector<std::uint32_t>& pixels, int bits,
                                     const std::vector<RGBQUAD>& preferred = {});
// Every pixel replaced by the nearest colour of the table.
void Bmp_Reduce(std::vector<std::uint32_t>& pixels, const std::vector<RGBQUAD>& table);
