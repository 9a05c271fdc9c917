#include "platform/classlib/Graphics.h"
#include "tests/support/Gui_Application.h"

#include "platform/classlib/Classes.h"
#include "tests/support/Temp_Settings.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <vector>

namespace {

// A colour of the picture used for a format: few enough colours for the
// indexed formats, all different for the others.
TColor Test_Color(TPixelFormat format, int x, int y)
{
    static const TColor vga[] = {clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clGray,
                                 clSilver, clRed,  clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};
    switch (format) {
    case pf1bit: return (x + y) % 2 ? clWhite : clBlack;
    case pf4bit: return vga[(x + 3 * y) % 16];
    case pf8bit: return static_cast<TColor>(((x * 37) << 16) | ((y * 51) << 8) | (x * y * 7));
    default: return static_cast<TColor>((x * 31 + 1) | ((y * 43 + 2) << 8) | ((x * y + 3) << 16));
    }
}

void Paint(TBitmap& bitmap, TPixelFormat format)
{
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            bitmap.Canvas()->SetPixels(x, y, Test_Color(format, x, y));
}

std::vector<std::uint8_t> Bytes_Of(TBitmap& bitmap)
{
    TMemoryStream stream;
    bitmap.SaveToStream(stream);
    const auto* data = static_cast<const std::uint8_t*>(stream.Memory());
    return std::vector<std::uint8_t>(data, data + stream.Size());
}

void Load_Bytes(TBitmap& bitmap, const std::vector<std::uint8_t>& bytes)
{
    TMemoryStream stream;
    if (!bytes.empty())
        stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
    stream.SetPosition(0);
    bitmap.LoadFromStream(stream);
}

class Graphics_Bitmap_Test : public ::testing::Test {
protected:
    void SetUp() override { Ensure_Gui_Application(); }
};

TEST_F(Graphics_Bitmap_Test, BmpRoundTripAtEveryPixelFormat)
{
    struct Case {
        TPixelFormat format;
        int bits;
    } const cases[] = {{pf1bit, 1}, {pf4bit, 4}, {pf8bit, 8}, {pf24bit, 24}, {pf32bit, 32}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bits);
        TBitmap original;
        original.SetPixelFormat(c.format);
        original.SetSize(7, 5); // odd width: rows are padded
        Paint(original, c.format);
        std::vector<std::uint8_t> bytes = Bytes_Of(original);
        ASSERT_GT(bytes.size(), 54u);
        EXPECT_EQ(bytes[0], 'B');
        EXPECT_EQ(bytes[28], c.bits);

        TBitmap loaded;
        Load_Bytes(loaded, bytes);
        EXPECT_EQ(loaded.PixelFormat(), c.format);
        ASSERT_EQ(loaded.Width(), 7);
        ASSERT_EQ(loaded.Height(), 5);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x)
                ASSERT_EQ(loaded.Canvas()->Pixels(x, y), Test_Color(c.format, x, y)) << x << "," << y;
        EXPECT_EQ(Bytes_Of(loaded), bytes);
    }
}

TEST_F(Graphics_Bitmap_Test, FileRoundTripAndEmptyStreams)
{
    std::filesystem::path folder = Make_Temp_Folder("graphics");
    std::string file = (folder / "picture.bmp").string();
    TBitmap original;
    original.SetPixelFormat(pf24bit);
    original.SetSize(3, 2);
    Paint(original, pf24bit);
    original.SaveToFile(file);
    TBitmap loaded;
    loaded.LoadFromFile(file);
    EXPECT_EQ(loaded.Canvas()->Pixels(2, 1), Test_Color(pf24bit, 2, 1));
    EXPECT_THROW(loaded.LoadFromFile((folder / "missing.bmp").string()), EFOpenError);
    std::filesystem::remove_all(folder);

    TBitmap empty;
    EXPECT_TRUE(Bytes_Of(empty).empty());
    Load_Bytes(loaded, {});
    EXPECT_TRUE(loaded.Empty());
}

TEST_F(Graphics_Bitmap_Test, CorruptBmpIsRejectedAndLeavesTheBitmapAlone)
{
    TBitmap source;
    source.SetPixelFormat(pf8bit);
    source.SetSize(5, 4);
    Paint(source, pf8bit);
    const std::vector<std::uint8_t> good = Bytes_Of(source);

    auto patched = [&](std::size_t offset, std::uint32_t value, int size) {
        std::vector<std::uint8_t> bytes = good;
        for (int i = 0; i < size; ++i)
            bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
        return bytes;
    };
    std::vector<std::vector<std::uint8_t>> corrupt = {
        patched(0, 'X', 1),              // not "BM"
        patched(10, 0xFFFFFF00u, 4),     // pixels beyond the end
        patched(14, 8, 4),               // header too small
        patched(18, 0, 4),               // no width
        patched(18, 0x7FFFFFFF, 4),      // absurd width
        patched(22, 0, 4),               // no height
        patched(26, 2, 2),               // two planes
        patched(28, 16, 2),              // 16 bits are not read
        patched(30, 1, 4),               // run-length compressed
        patched(46, 300, 4),             // more colours than 8 bits hold
    };
    // Every truncation too.
    for (std::size_t length = 1; length < good.size(); length += 3)
        corrupt.emplace_back(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length));

    TBitmap target;
    target.SetSize(2, 2);
    target.Canvas()->SetPixels(0, 0, clRed);
    for (const std::vector<std::uint8_t>& bytes : corrupt) {
        EXPECT_THROW(Load_Bytes(target, bytes), EInvalidGraphic) << bytes.size();
        ASSERT_EQ(target.Width(), 2);
        ASSERT_EQ(target.Canvas()->Pixels(0, 0), clRed);
    }
}

TEST_F(Graphics_Bitmap_Test, ScanLinesAreBgrRowsPaddedToFourBytes)
{
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(3, 2);
    auto* row0 = static_cast<std::uint8_t*>(bitmap.ScanLine(0));
    auto* row1 = static_cast<std::uint8_t*>(bitmap.ScanLine(1));
    EXPECT_EQ(row1 - row0, 12);
    row1[3] = 0x10; // pixel (1, 1): blue, green, red
    row1[4] = 0x20;
    row1[5] = 0x30;
    EXPECT_EQ(bitmap.Canvas()->Pixels(1, 1), 0x102030u);

    bitmap.Canvas()->SetPixels(2, 0, 0x445566);
    row0 = static_cast<std::uint8_t*>(bitmap.ScanLine(0));
    EXPECT_EQ(row0[6], 0x44);
    EXPECT_EQ(row0[7], 0x55);
    EXPECT_EQ(row0[8], 0x66);

    EXPECT_THROW(bitmap.ScanLine(2), EInvalidGraphicOperation);
    bitmap.SetPixelFormat(pf8bit);
    EXPECT_THROW(bitmap.ScanLine(0), EInvalidGraphicOperation);
}

TEST_F(Graphics_Bitmap_Test, ThirtyTwoBitScanLinesKeepTheFourthByteTheCanvasDoesNotDraw)
{
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf32bit);
    bitmap.SetSize(3, 1);
    auto* row = static_cast<std::uint8_t*>(bitmap.ScanLine(0));
    EXPECT_EQ(std::vector<std::uint8_t>(row, row + 4), (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0x00})) << "white as a brush paints it";
    row[3] = 0x80;
    row[11] = 0x40;
    bitmap.Canvas()->SetPixels(1, 0, 0x445566);
    row = static_cast<std::uint8_t*>(bitmap.ScanLine(0));
    EXPECT_EQ(row[3], 0x80) << "untouched pixel";
    EXPECT_EQ(std::vector<std::uint8_t>(row + 4, row + 8), (std::vector<std::uint8_t>{0x44, 0x55, 0x66, 0x00}));
    EXPECT_EQ(row[11], 0x40);
}

TEST_F(Graphics_Bitmap_Test, ResizingKeepsPixelsAndFillsWhite)
{
    TBitmap bitmap;
    bitmap.SetSize(2, 2);
    bitmap.Canvas()->SetPixels(1, 1, clGreen);
    bitmap.SetSize(4, 3);
    EXPECT_EQ(bitmap.Canvas()->Pixels(1, 1), clGreen);
    EXPECT_EQ(bitmap.Canvas()->Pixels(3, 2), clWhite);
    bitmap.SetWidth(0);
    EXPECT_TRUE(bitmap.Empty());
}

TEST_F(Graphics_Bitmap_Test, HandlesPassBetweenBitmaps)
{
    TBitmap first;
    first.SetPixelFormat(pf24bit);
    first.SetSize(5, 4);
    first.Canvas()->SetPixels(4, 3, clTeal);
    HBITMAP handle = first.ReleaseHandle();
    EXPECT_TRUE(first.Empty());
    ASSERT_EQ(GetObjectType(handle), OBJ_BITMAP);

    TBitmap second;
    second.SetHandle(handle);
    EXPECT_EQ(second.Width(), 5);
    EXPECT_EQ(second.Height(), 4);
    EXPECT_EQ(second.PixelFormat(), pf24bit);
    EXPECT_EQ(second.Canvas()->Pixels(4, 3), clTeal);
    const auto* row3 = static_cast<const std::uint8_t*>(second.ScanLine(3));
    EXPECT_EQ(std::vector<std::uint8_t>(row3 + 12, row3 + 15), (std::vector<std::uint8_t>{0x80, 0x80, 0x00}));

    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    EXPECT_THROW(second.SetHandle(reinterpret_cast<HBITMAP>(pen)), EInvalidGraphic);
    EXPECT_EQ(second.Width(), 5);
    DeleteObject(pen);
}

TEST_F(Graphics_Bitmap_Test, TransparentColourComesFromTheBottomLeftPixel)
{
    TBitmap bitmap;
    EXPECT_EQ(bitmap.TransparentColor(), clDefault);
    bitmap.SetSize(3, 3);
    bitmap.Canvas()->SetPixels(0, 2, clFuchsia);
    EXPECT_EQ(bitmap.TransparentColor(), clFuchsia);
    bitmap.SetTransparentColor(clLime);
    EXPECT_EQ(bitmap.TransparentMode(), tmFixed);
    EXPECT_EQ(bitmap.TransparentColor(), clLime);
    bitmap.SetTransparentMode(tmAuto);
    EXPECT_EQ(bitmap.TransparentColor(), clFuchsia);
}

TEST_F(Graphics_Bitmap_Test, TransparentDrawingLeavesTheTransparentColourOut)
{
    TBitmap glyph;
    glyph.SetSize(3, 3);
    glyph.Canvas()->Brush()->SetColor(clFuchsia);
    glyph.Canvas()->FillRect(RECT{0, 0, 3, 3});
    glyph.Canvas()->SetPixels(1, 1, clBlue);
    glyph.SetTransparent(true);

    TBitmap back;
    back.SetSize(8, 8);
    back.Canvas()->Brush()->SetColor(clYellow);
    back.Canvas()->FillRect(RECT{0, 0, 8, 8});
    back.Canvas()->Draw(2, 2, &glyph);
    EXPECT_EQ(back.Canvas()->Pixels(3, 3), clBlue);
    EXPECT_EQ(back.Canvas()->Pixels(2, 2), clYellow);
    EXPECT_EQ(back.Canvas()->Pixels(4, 4), clYellow);

    back.Canvas()->StretchDraw(RECT{0, 0, 6, 6}, &glyph);
    EXPECT_EQ(back.Canvas()->Pixels(2, 2), clBlue);
    EXPECT_EQ(back.Canvas()->Pixels(3, 3), clBlue);
    EXPECT_EQ(back.Canvas()->Pixels(0, 0), clYellow);
}

TEST_F(Graphics_Bitmap_Test, MaskAndMonochromeMakeBlackAndWhite)
{
    TBitmap bitmap;
    bitmap.SetSize(2, 1);
    bitmap.Canvas()->SetPixels(0, 0, clRed);
    bitmap.Canvas()->SetPixels(1, 0, clGreen);
    TBitmap mask;
    mask.Assign(&bitmap);
    mask.Mask(clRed);
    EXPECT_TRUE(mask.Monochrome());
    EXPECT_EQ(mask.PixelFormat(), pf1bit);
    EXPECT_EQ(mask.Canvas()->Pixels(0, 0), clWhite);
    EXPECT_EQ(mask.Canvas()->Pixels(1, 0), clBlack);

    bitmap.Canvas()->SetPixels(0, 0, clWhite);
    bitmap.SetMonochrome(true);
    EXPECT_EQ(bitmap.Canvas()->Pixels(0, 0), clWhite);
    EXPECT_EQ(bitmap.Canvas()->Pixels(1, 0), clBlack);
    bitmap.SetMonochrome(false);
    EXPECT_FALSE(bitmap.Monochrome());
    EXPECT_EQ(bitmap.Canvas()->Pixels(1, 0), clBlack);
}

TEST_F(Graphics_Bitmap_Test, IconsLoadAndDrawBlended)
{
    QImage picture(4, 4, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    picture.setPixel(1, 1, qRgba(255, 0, 0, 255));
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(picture.save(&buffer, "ICO"));
    TMemoryStream stream;
    stream.WriteBuffer(data.constData(), static_cast<int>(data.size()));
    stream.SetPosition(0);

    TIcon icon;
    icon.LoadFromStream(stream);
    EXPECT_EQ(icon.Width(), 4);
    EXPECT_THROW(icon.SetWidth(8), EInvalidGraphicOperation);
    TBitmap back;
    back.SetSize(6, 6);
    back.Canvas()->Draw(1, 1, &icon);
    EXPECT_EQ(back.Canvas()->Pixels(2, 2), clRed);
    EXPECT_EQ(back.Canvas()->Pixels(1, 1), clWhite);

    TMemoryStream garbage;
    garbage.WriteBuffer("nonsense", 8);
    garbage.SetPosition(0);
    EXPECT_THROW(icon.LoadFromStream(garbage), EInvalidGraphic);
    EXPECT_EQ(icon.Width(), 4);
}

} // namespace
