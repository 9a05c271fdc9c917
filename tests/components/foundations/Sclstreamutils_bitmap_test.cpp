#include "components/foundations/Sclstreamutils.h"

#include <gtest/gtest.h>

#include "platform/classlib/Graphics_Bitmap.h"
#include "platform/classlib/Graphics_Canvas.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Content(TMemoryStream& stream)
{
    const auto* data = static_cast<const std::uint8_t*>(stream.Memory());
    return Bytes(data, data + stream.Size());
}

std::uint32_t Le(const Bytes& bytes, std::size_t at, int count)
{
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i)
        value |= static_cast<std::uint32_t>(bytes[at + static_cast<std::size_t>(i)]) << (8 * i);
    return value;
}

// 5 x 3 pixels in four colours, every row different.
void Make_Picture(TBitmap& bitmap, TPixelFormat format = pf24bit)
{
    bitmap.SetPixelFormat(format);
    bitmap.SetSize(5, 3);
    const TColor colors[] = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            bitmap.Canvas()->SetPixels(x, y, colors[(x + y) % 4]);
}

std::vector<TColor> Pixels(TBitmap& bitmap)
{
    std::vector<TColor> pixels;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            pixels.push_back(bitmap.Canvas()->Pixels(x, y));
    return pixels;
}

TEST(SclstreamutilsBitmap, StoredBitmapsRoundTripInEveryForm)
{
    for (bool compressed : {false, true}) {
        for (int colors : {-1, 0, 2, 16, 256}) {
            TBitmap bitmap;
            Make_Picture(bitmap);
            TMemoryStream stored;
            stWriteBitmap(stored, bitmap, compressed, colors);
            stWriteByte(stored, 0x77);
            stored.SetPosition(0);
            TBitmap copy;
            stReadBitmap(stored, copy, compressed);
            EXPECT_EQ(stReadByte(stored), 0x77) << compressed << colors;
            ASSERT_EQ(copy.Width(), 5);
            if (colors != 2) { // two colours cannot keep four
                EXPECT_EQ(Pixels(copy), Pixels(bitmap)) << compressed << colors;
            }

            // The bitmap read back stores to the same bytes.
            TMemoryStream again;
            stWriteBitmap(again, copy, compressed, colors);
            Bytes first = Content(stored);
            first.pop_back();
            EXPECT_EQ(Content(again), first) << compressed << colors;
        }
    }
}

TEST(SclstreamutilsBitmap, UncompressedFormIsTheLengthThenTheBitmapFile)
{
    TBitmap bitmap;
    Make_Picture(bitmap);
    TMemoryStream stored;
    stWriteBitmap(stored, bitmap, false, -1);
    TMemoryStream file;
    bitmap.SaveToStream(file);
    const Bytes bytes = Content(stored);
    ASSERT_EQ(Le(bytes, 0, 4), file.Size());
    EXPECT_EQ(Bytes(bytes.begin() + 4, bytes.end()), Content(file));
}

TEST(SclstreamutilsBitmap, DibFileHasTheColourCountsBitsAndAFullColourTable)
{
    struct Case {
        int colors;
        TPixelFormat format;
        std::uint32_t bits;
    };
    const Case cases[] = {{2, pf24bit, 1}, {16, pf24bit, 4}, {256, pf24bit, 8}, {0, pf24bit, 24},
                          {0, pf32bit, 24}, {0, pf8bit, 8}};
    for (const Case& c : cases) {
        TBitmap bitmap;
        Make_Picture(bitmap, c.format);
        TMemoryStream dib;
        stWriteByte(dib, 0);
        SCLBmpSaveDIBStream(dib, bitmap, c.colors);
        EXPECT_EQ(dib.Position(), 0);
        Bytes bytes = Content(dib);
        bytes.erase(bytes.begin()); // the byte before the file
        const std::uint32_t table = c.bits <= 8 ? 4u << c.bits : 0;
        const std::uint32_t image = (5 * c.bits + 31) / 32 * 4 * 3;
        EXPECT_EQ(Le(bytes, 0, 2), 0x4D42u);
        EXPECT_EQ(Le(bytes, 2, 4), 14 + 40 + table + image) << c.colors;
        EXPECT_EQ(Le(bytes, 10, 4), 14 + 40 + table) << c.colors;
        EXPECT_EQ(Le(bytes, 14, 4), 40u);
        EXPECT_EQ(Le(bytes, 18, 4), 5u);
        EXPECT_EQ(Le(bytes, 22, 4), 3u);
        EXPECT_EQ(Le(bytes, 28, 2), c.bits) << c.colors;
        EXPECT_EQ(Le(bytes, 34, 4), image) << c.colors;
        EXPECT_EQ(bytes.size(), 14 + 40 + table + image) << c.colors;
    }
}

TEST(SclstreamutilsBitmap, MonochromeBitmapIsAlwaysWrittenInTwoColours)
{
    TBitmap bitmap;
    Make_Picture(bitmap);
    bitmap.SetMonochrome(true);
    TMemoryStream dib;
    SCLBmpSaveDIBStream(dib, bitmap, 256);
    EXPECT_EQ(Le(Content(dib), 28, 2), 1u);
}

TEST(SclstreamutilsBitmap, EmptyAndDamagedBitmaps)
{
    TBitmap empty;
    TMemoryStream dib;
    try {
        SCLBmpSaveDIBStream(dib, empty, 16);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Image bitmap incorrecte");
    }
    EXPECT_THROW(stWriteBitmap(dib, empty, false, 16), Exception);
    TBitmap picture;
    Make_Picture(picture);
    EXPECT_THROW(SCLBmpSaveDIBStream(dib, picture, 65536), Exception);

    // An empty bitmap stores as length 0 and reads back empty.
    TMemoryStream stored;
    stWriteBitmap(stored, empty, false, -1);
    EXPECT_EQ(stored.Size(), 4);
    stored.SetPosition(0);
    stReadBitmap(stored, picture, false);
    EXPECT_TRUE(picture.Empty());

    Make_Picture(picture);
    TMemoryStream good;
    stWriteBitmap(good, picture, false, -1);
    const Bytes bytes = Content(good);
    struct Case {
        const char* name;
        Bytes stored;
    };
    Bytes long_length = bytes;
    long_length[1] = 0x40;
    Bytes not_a_bitmap = bytes;
    not_a_bitmap[4] = 'X';
    const Case cases[] = {{"length past the end", long_length},
                          {"cut short", Bytes(bytes.begin(), bytes.end() - 5)},
                          {"not a bitmap file", not_a_bitmap},
                          {"negative length", Bytes{0xFF, 0xFF, 0xFF, 0xFF}}};
    for (const Case& c : cases) {
        TMemoryStream damaged;
        damaged.WriteBuffer(c.stored.data(), static_cast<int>(c.stored.size()));
        damaged.SetPosition(0);
        TBitmap target;
        EXPECT_THROW(stReadBitmap(damaged, target, false), Exception) << c.name;
    }
}

} // namespace
