// The main container's compiled-in pictures: every bitmap and strip the
// forms name, at its size and frame count, stored as the lists store them,
// with the key colour where transparent drawing looks for it.

#include "shell/host/Main_container.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

constexpr std::uint32_t Key = 0xFF00FF;

struct Bitmap_Case {
    int width;
    int height;
    bool keyed;
};

// Backgrounds, emblem, logo, then the camera pictures: keyed for many
// colours, opaque for few colours at 96 and 120 dpi, keyed at other dpi.
const Bitmap_Case Bitmaps[17] = {
    {800, 50, false},  {1000, 50, false}, {150, 50, false},  {144, 144, false}, {52, 52, false},
    {65, 65, true},    {81, 81, true},    {159, 30, true},   {197, 38, true},   {247, 148, true},
    {247, 148, true},  {247, 148, false}, {247, 148, false}, {304, 182, false}, {304, 182, false},
    {247, 148, true},  {247, 148, true},
};

struct Strip_Case {
    const char* name;
    int width;
    int height;
    int frames;
};

const Strip_Case Strips[8] = {
    {"Coche", 18, 18, 3},
    {"Led", 18, 18, 4},
    {"Camera static 48", 48, 48, 2},
    {"Camera rotate 48", 48, 48, 32},
    {"camera static 64", 64, 64, 2},
    {"Camera rotate 64", 64, 64, 32},
    {"Record", 11, 11, 2},
    {"MessageBox", 32, 32, 2},
};

std::uint32_t Pixel(TBitmap& bitmap, int x, int y)
{
    const auto* row = static_cast<const std::uint8_t*>(bitmap.ScanLine(y));
    const int size = bitmap.PixelFormat() == pf32bit ? 4 : 3;
    const std::uint8_t* p = row + x * size;
    return (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
}

int Count_Key(TBitmap& bitmap, int left, int width)
{
    int count = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = left; x < left + width; ++x)
            count += Pixel(bitmap, x, y) == Key;
    return count;
}

// Pixels near the key but not the key: an edge blended with it, which
// transparent drawing would leave as a pink fringe. No picture uses such
// colours of its own.
int Count_Fringe(TBitmap& bitmap, int left, int width)
{
    int count = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = left; x < left + width; ++x) {
            const std::uint32_t pixel = Pixel(bitmap, x, y);
            const bool pinkish = (pixel >> 16) > 0xB0 && ((pixel >> 8) & 0xFF) < 0x70 && (pixel & 0xFF) > 0xB0;
            count += pinkish && pixel != Key;
        }
    return count;
}

class Main_Container : public ::testing::Test {
protected:
    void SetUp() override { Load_Main_Container(control); }
    void TearDown() override
    {
        bitmaps->Clear();
        images->Clear();
    }

    TSCLContainerCtrl control {nullptr};
    TSCLBitmapList* bitmaps = SCLContainer->BitmapList();
    TSCLImageList* images = SCLContainer->ImageList();
};

TEST_F(Main_Container, HoldsEveryBitmapAtItsSize)
{
    ASSERT_EQ(bitmaps->Count(), 17);
    for (int i = 0; i < 17; ++i) {
        TSCLBitmapListItem* item = bitmaps->Items(i);
        EXPECT_EQ(item->Ident, i);
        EXPECT_EQ(item->Description, "");
        EXPECT_FALSE(item->Compressed);
        EXPECT_EQ(item->PixelFormat, spfDefault);
        EXPECT_EQ(item->GetBitmap()->Width(), Bitmaps[i].width) << i;
        EXPECT_EQ(item->GetBitmap()->Height(), Bitmaps[i].height) << i;
    }
}

TEST_F(Main_Container, HoldsEveryStripWithItsFrames)
{
    ASSERT_EQ(images->Count(), 8);
    for (int i = 0; i < 8; ++i) {
        TSCLImageListItem* item = images->Items(i);
        EXPECT_EQ(item->Description, Strips[i].name);
        EXPECT_EQ(item->Ident, 0);
        EXPECT_EQ(item->Width(), Strips[i].width) << i;
        EXPECT_EQ(item->Height(), Strips[i].height) << i;
        EXPECT_EQ(item->Count(), Strips[i].frames) << i;
        EXPECT_EQ(item->AllocBy, 4);
        EXPECT_FALSE(item->Masked());
        EXPECT_EQ(item->GetImageBitmap()->PixelFormat(), pf32bit) << i;
    }
}

TEST_F(Main_Container, TheKeyColourLiesInEachFramesBottomLeftPixelAndNoEdgeBlendsWithIt)
{
    for (int i = 0; i < 8; ++i) {
        TSCLImageListItem* item = images->Items(i);
        for (int frame = 0; frame < item->Count(); ++frame) {
            EXPECT_EQ(item->TransparentColor(frame), static_cast<TColor>(Key)) << Strips[i].name << frame;
            EXPECT_EQ(Count_Fringe(*item->GetImageBitmap(), item->GetImageRect(frame).left, item->Width()), 0)
                << Strips[i].name << frame;
        }
    }
    for (int i = 0; i < 17; ++i) {
        TBitmap& bitmap = *bitmaps->Items(i)->GetBitmap();
        if (Bitmaps[i].keyed) {
            EXPECT_EQ(Pixel(bitmap, 0, bitmap.Height() - 1), Key) << i;
            EXPECT_EQ(Count_Fringe(bitmap, 0, bitmap.Width()), 0) << i;
        } else
            EXPECT_EQ(Count_Key(bitmap, 0, bitmap.Width()), 0) << i;
    }
}

TEST_F(Main_Container, StripFramesDrawTransparentlyThroughTheirKey)
{
    TBitmap target;
    target.SetPixelFormat(pf24bit);
    target.SetSize(18, 18);
    target.Canvas()->Brush()->SetColor(clYellow);
    target.Canvas()->FillRect(RECT{0, 0, 18, 18});
    const int led = 1;
    const int good = 1;
    images->DrawExt(target.Canvas(), RECT{0, 0, 18, 18}, 0x0040, led, good);
    EXPECT_EQ(target.Canvas()->Pixels(0, 0), clYellow);
    EXPECT_EQ(target.Canvas()->Pixels(0, 17), clYellow);
    const TColor centre = target.Canvas()->Pixels(9, 10);
    EXPECT_GT(GetGValue(centre), GetRValue(centre) + 60) << std::hex << centre << " is not green";
}

// The selection strip takes its marks' greys from the first row of the
// main background, under the four buttons of the four-camera layout.
TEST_F(Main_Container, TheBackgroundsFirstRowIsGreyUnderTheSelectionStrip)
{
    TBitmap& background = *bitmaps->Items(0)->GetBitmap();
    for (int column : {617, 665, 713, 761}) {
        const std::uint32_t pixel = Pixel(background, column, 0);
        const int red = pixel >> 16, green = (pixel >> 8) & 0xFF, blue = pixel & 0xFF;
        EXPECT_GE(blue, 0xA8) << column;
        EXPECT_LE(blue, 0xD8) << column;
        EXPECT_LE(std::abs(red - blue) + std::abs(green - blue), 8) << column;
    }
}

TEST_F(Main_Container, LoadingAgainReplacesTheLists)
{
    Load_Main_Container(control);
    EXPECT_EQ(bitmaps->Count(), 17);
    EXPECT_EQ(images->Count(), 8);
}

} // namespace
