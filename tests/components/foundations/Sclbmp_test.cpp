#include "components/foundations/Sclbmp.h"

#include <array>
#include <cstdint>
#include <string>

#include <gtest/gtest.h>

namespace {

using Bgr = std::array<std::uint8_t, 3>; // as stored: blue, green, red
using Grid = std::array<std::array<Bgr, 3>, 3>; // [row][column]

void Make(TBitmap& bitmap, int width, int height, TPixelFormat format = pf24bit)
{
    bitmap.SetPixelFormat(format);
    bitmap.SetSize(width, height);
}

Bgr Pixel(TBitmap& bitmap, int x, int y)
{
    const auto* row = static_cast<const std::uint8_t*>(bitmap.ScanLine(y));
    return {row[3 * x], row[3 * x + 1], row[3 * x + 2]};
}

void Set_Pixel(TBitmap& bitmap, int x, int y, Bgr value)
{
    auto* row = static_cast<std::uint8_t*>(bitmap.ScanLine(y));
    for (int i = 0; i < 3; ++i)
        row[3 * x + i] = value[static_cast<std::size_t>(i)];
}

// Pixel (x, y) of the numbered bitmap: blue 10 * x + y, green 100 + x, red 200 + y.
Bgr Numbered(int x, int y)
{
    return {static_cast<std::uint8_t>(10 * x + y), static_cast<std::uint8_t>(100 + x), static_cast<std::uint8_t>(200 + y)};
}

// A 3x3 bitmap whose pixels all differ.
void Make_Numbered(TBitmap& bitmap)
{
    Make(bitmap, 3, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            Set_Pixel(bitmap, x, y, Numbered(x, y));
}

Grid Read(TBitmap& bitmap)
{
    Grid grid;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            grid[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = Pixel(bitmap, x, y);
    return grid;
}

constexpr RECT Whole{0, 0, 3, 3};
constexpr POINT Zero{0, 0};

TEST(Sclbmp, GreyWeighsRedGreenAndBlueAsLuminance)
{
    const struct {
        Bgr in;
        std::uint8_t grey;
    } cases[] = {
        {{255, 255, 255}, 255}, {{0, 0, 0}, 0}, {{100, 0, 0}, 11}, {{0, 100, 0}, 59}, {{0, 0, 100}, 30},
    };
    for (const auto& c : cases) {
        TBitmap bitmap;
        Make(bitmap, 1, 1);
        Set_Pixel(bitmap, 0, 0, c.in);
        SCLBMPGrayScale(bitmap, RECT{0, 0, 1, 1}, bitmap, Zero);
        EXPECT_EQ(Pixel(bitmap, 0, 0), (Bgr{c.grey, c.grey, c.grey})) << int(c.in[0]) << "," << int(c.in[1]) << ","
                                                                       << int(c.in[2]);
    }
}

TEST(Sclbmp, InvertAndBrightnessWorkOnEachByte)
{
    const struct {
        const char* name;
        void (*apply)(TBitmap&);
        Bgr expected;
    } cases[] = {
        {"invert", [](TBitmap& b) { SCLBMPInvert(b, Whole, b, Zero); }, {245, 155, 55}},
        {"+100", [](TBitmap& b) { SCLBMPBrightness(b, Whole, b, Zero, 100); }, {110, 200, 255}},
        {"-150", [](TBitmap& b) { SCLBMPBrightness(b, Whole, b, Zero, -150); }, {0, 0, 50}},
        {"+255", [](TBitmap& b) { SCLBMPBrightness(b, Whole, b, Zero, 255); }, {255, 255, 255}},
        {"-255", [](TBitmap& b) { SCLBMPBrightness(b, Whole, b, Zero, -255); }, {0, 0, 0}},
        {"0", [](TBitmap& b) { SCLBMPBrightness(b, Whole, b, Zero, 0); }, {10, 100, 200}},
    };
    for (const auto& c : cases) {
        TBitmap bitmap;
        Make(bitmap, 3, 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x)
                Set_Pixel(bitmap, x, y, {10, 100, 200});
        c.apply(bitmap);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(Pixel(bitmap, x, y), c.expected) << c.name << " at " << x << "," << y;
    }
}

TEST(Sclbmp, BrightnessSparesOnlyPixelsOfTheExcludedColour)
{
    TBitmap bitmap;
    Make(bitmap, 3, 1);
    Set_Pixel(bitmap, 0, 0, {0x30, 0x20, 0x10}); // the colour 0x302010 (red 0x10, blue 0x30)
    Set_Pixel(bitmap, 1, 0, {0x10, 0x20, 0x30}); // its bytes swapped
    Set_Pixel(bitmap, 2, 0, {0x30, 0x20, 0x11}); // two of three bytes alike
    SCLBmpBrightnessEC(bitmap, RECT{0, 0, 3, 1}, bitmap, Zero, 1, TColor{0x302010});
    EXPECT_EQ(Pixel(bitmap, 0, 0), (Bgr{0x30, 0x20, 0x10}));
    EXPECT_EQ(Pixel(bitmap, 1, 0), (Bgr{0x11, 0x21, 0x31}));
    EXPECT_EQ(Pixel(bitmap, 2, 0), (Bgr{0x31, 0x21, 0x12}));
}

TEST(Sclbmp, ExcludedSystemColourIsResolvedFirst)
{
    TBitmap bitmap;
    Make(bitmap, 1, 1);
    Set_Pixel(bitmap, 0, 0, {0xC0, 0xC0, 0xC0});
    SCLBmpBrightnessEC(bitmap, RECT{0, 0, 1, 1}, bitmap, Zero, 20, clBtnFace);
    EXPECT_EQ(Pixel(bitmap, 0, 0), (Bgr{0xC0, 0xC0, 0xC0}));
}

TEST(Sclbmp, FlipsInPlaceMirrorTheRectangleAndTwiceRestoreIt)
{
    TBitmap bitmap;
    Make_Numbered(bitmap);
    SCLBMPFlipHorizonzal(bitmap, Whole, bitmap, Zero);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(Pixel(bitmap, x, y), Numbered(x, 2 - y));
    SCLBMPFlipHorizonzal(bitmap, Whole, bitmap, Zero);
    SCLBMPFlipVertical(bitmap, Whole, bitmap, Zero);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(Pixel(bitmap, x, y), Numbered(2 - x, y));
    SCLBMPFlipVertical(bitmap, Whole, bitmap, Zero);
    TBitmap original;
    Make_Numbered(original);
    EXPECT_EQ(Read(bitmap), Read(original));
}

TEST(Sclbmp, FlipIntoAnotherBitmapWritesTheMiddleToo)
{
    TBitmap source;
    Make_Numbered(source);
    TBitmap target;
    Make(target, 3, 3);
    SCLBMPFlipVertical(source, Whole, target, Zero);
    EXPECT_EQ(Pixel(target, 1, 1), Numbered(1, 1));
    SCLBMPFlipHorizonzal(source, Whole, target, Zero);
    EXPECT_EQ(Pixel(target, 0, 1), Numbered(0, 1));
}

TEST(Sclbmp, PartOfARectangleFlipsAndPlacesAtTheOrigin)
{
    TBitmap source;
    Make_Numbered(source);
    TBitmap target;
    Make(target, 3, 3);
    SCLBMPFlipVertical(source, RECT{1, 0, 3, 1}, target, POINT{0, 2});
    EXPECT_EQ(Pixel(target, 0, 2), Numbered(2, 0));
    EXPECT_EQ(Pixel(target, 1, 2), Numbered(1, 0));
    EXPECT_EQ(Pixel(target, 2, 2), (Bgr{255, 255, 255}));
}

TEST(Sclbmp, AlphaBlendRoundsHalvesToEven)
{
    TBitmap one;
    TBitmap two;
    TBitmap target;
    Make(one, 1, 1);
    Make(two, 1, 1);
    Make(target, 1, 1);
    Set_Pixel(one, 0, 0, {3, 0, 255});
    Set_Pixel(two, 0, 0, {0, 3, 0});
    SCLBMPAlphaBlend(one, two, RECT{0, 0, 1, 1}, Zero, target, 0.5F, Zero);
    EXPECT_EQ(Pixel(target, 0, 0), (Bgr{2, 1, 128}));
    SCLBMPAlphaBlend(one, two, RECT{0, 0, 1, 1}, Zero, target, 1.0F, Zero);
    EXPECT_EQ(Pixel(target, 0, 0), (Bgr{3, 0, 255}));
    SCLBMPAlphaBlend(one, two, RECT{0, 0, 1, 1}, Zero, target, 0.0F, Zero);
    EXPECT_EQ(Pixel(target, 0, 0), (Bgr{0, 3, 0}));
}

TEST(Sclbmp, AlphaOutsideZeroToOneIsHeldToByteRange)
{
    TBitmap one;
    TBitmap two;
    Make(one, 1, 1);
    Make(two, 1, 1);
    Set_Pixel(one, 0, 0, {200, 0, 100});
    Set_Pixel(two, 0, 0, {100, 100, 100});
    SCLBMPAlphaBlend(one, two, RECT{0, 0, 1, 1}, Zero, two, 3.0F, Zero);
    EXPECT_EQ(Pixel(two, 0, 0), (Bgr{255, 0, 100}));
}

TEST(Sclbmp, AlphaBlendPlacesEachBitmapByItsOrigin)
{
    TBitmap one;
    TBitmap two;
    TBitmap target;
    Make_Numbered(one);
    Make(two, 3, 3);
    Make(target, 3, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            Set_Pixel(two, x, y, {0, 0, 0});
    SCLBMPAlphaBlend(one, two, RECT{2, 2, 3, 3}, POINT{1, 1}, target, 1.0F, POINT{0, 1});
    EXPECT_EQ(Pixel(target, 0, 1), Numbered(2, 2));
    EXPECT_EQ(Pixel(target, 0, 0), (Bgr{255, 255, 255}));
}

TEST(Sclbmp, WrongFormatIsNamedAndNothingChanges)
{
    const struct {
        int bad;
        const char* message;
    } cases[] = {
        {0, "Wrong PixelFormat in Source 1 bitmap!"},
        {1, "Wrong PixelFormat in Source 2 bitmap!"},
        {2, "Wrong PixelFormat in Target bitmap!"},
    };
    for (const auto& c : cases) {
        std::array<TBitmap, 3> bitmaps;
        for (int i = 0; i < 3; ++i)
            Make(bitmaps[static_cast<std::size_t>(i)], 3, 3, i == c.bad ? pf32bit : pf24bit);
        Set_Pixel(bitmaps[2], 0, 0, {1, 2, 3});
        try {
            SCLBMPAlphaBlend(bitmaps[0], bitmaps[1], Whole, Zero, bitmaps[2], 0.5F, Zero);
            ADD_FAILURE() << "no exception for " << c.message;
        } catch (const ESCLWrongPixelFormat& e) {
            EXPECT_EQ(e.Message, c.message);
        }
        EXPECT_EQ(Pixel(bitmaps[2], 0, 0), (Bgr{1, 2, 3}));
    }
    TBitmap deep;
    Make(deep, 3, 3, pf32bit);
    TBitmap plain;
    Make(plain, 3, 3);
    EXPECT_THROW(SCLBMPInvert(deep, Whole, plain, Zero), ESCLWrongPixelFormat);
}

TEST(Sclbmp, RectanglesAreClippedToEveryBitmap)
{
    const struct {
        const char* name;
        RECT rect;
        POINT origin;
        int changed; // pixels of the 3x3 target that change
    } cases[] = {
        {"empty height", {0, 1, 3, 1}, {0, 0}, 0},
        {"negative width", {2, 0, 1, 3}, {0, 0}, 0},
        {"over the source's edges", {-5, -5, 10, 10}, {-5, -5}, 9},
        {"over the target's edge", {0, 0, 3, 3}, {2, 2}, 1},
        {"wholly outside the target", {0, 0, 3, 3}, {3, 0}, 0},
        {"huge", {-2147483647, -2147483647, 2147483647, 2147483647}, {0, 0}, 0},
    };
    using Operation = void (*)(TBitmap&, const RECT&, TBitmap&, const POINT&);
    const Operation operations[] = {SCLBMPInvert, SCLBMPGrayScale, SCLBMPFlipHorizonzal, SCLBMPFlipVertical};
    for (const auto& c : cases) {
        for (Operation operation : operations) {
            TBitmap source;
            Make_Numbered(source);
            TBitmap target;
            Make_Numbered(target);
            operation(source, c.rect, target, c.origin);
            int changed = 0;
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 3; ++x)
                    changed += Pixel(target, x, y) != Numbered(x, y);
            EXPECT_LE(changed, c.changed) << c.name;
            if (operation == SCLBMPInvert) {
                EXPECT_EQ(changed, c.changed) << c.name;
            }
        }
    }
}

} // namespace
