#include "platform/winapi/Gdi.h"
#include "tests/support/Pixel_Map.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// The picture of a region's pixels over a small area.
std::string Region_Map(HRGN region, int width, int height)
{
    return Pixel_Map(width, height, [&](int x, int y) { return PtInRegion(region, x, y) ? '#' : '.'; });
}

} // namespace

TEST(Gdi_Regions, CombineAnswersTheResultKind)
{
    struct Case {
        int mode;
        RECT second;
        int result;
        RECT box;
    };
    const Case cases[] = {
        {RGN_AND, {2, 2, 6, 6}, SIMPLEREGION, {2, 2, 4, 4}},
        {RGN_AND, {5, 5, 6, 6}, NULLREGION, {0, 0, 0, 0}},
        {RGN_OR, {2, 2, 6, 6}, COMPLEXREGION, {0, 0, 6, 6}},
        {RGN_OR, {4, 0, 6, 4}, SIMPLEREGION, {0, 0, 6, 4}},
        {RGN_XOR, {2, 2, 6, 6}, COMPLEXREGION, {0, 0, 6, 6}},
        {RGN_DIFF, {2, 2, 6, 6}, COMPLEXREGION, {0, 0, 4, 4}},
        {RGN_DIFF, {0, 2, 6, 6}, SIMPLEREGION, {0, 0, 4, 2}},
        {RGN_COPY, {2, 2, 6, 6}, SIMPLEREGION, {0, 0, 4, 4}},
    };
    for (const Case& c : cases) {
        HRGN first = CreateRectRgn(0, 0, 4, 4);
        HRGN second = CreateRectRgnIndirect(&c.second);
        HRGN result = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(CombineRgn(result, first, second, c.mode), c.result) << "mode " << c.mode;
        RECT box;
        EXPECT_EQ(GetRgnBox(result, &box), c.result);
        EXPECT_EQ(box, c.box) << "mode " << c.mode;
        for (HRGN region : {first, second, result})
            DeleteObject(region);
    }
}

TEST(Gdi_Regions, RegionDataRoundTrip)
{
    HRGN region = CreateRectRgn(0, 0, 4, 2);
    HRGN other = CreateRectRgn(1, 2, 3, 5);
    CombineRgn(region, region, other, RGN_OR);
    const DWORD size = GetRegionData(region, 0, nullptr);
    ASSERT_EQ(size, sizeof(RGNDATAHEADER) + 2 * sizeof(RECT));
    std::vector<unsigned char> buffer(size);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    EXPECT_EQ(GetRegionData(region, size - 1, data), 0u);
    ASSERT_EQ(GetRegionData(region, size, data), size);
    EXPECT_EQ(data->rdh.nCount, 2u);
    EXPECT_EQ(data->rdh.rcBound, (RECT{0, 0, 4, 5}));
    HRGN copy = ExtCreateRegion(nullptr, size, data);
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(EqualRgn(region, copy));
    for (HRGN r : {region, other, copy})
        DeleteObject(r);
}

TEST(Gdi_Regions, BrokenRegionDataGivesNoRegion)
{
    HRGN region = CreateRectRgn(0, 0, 2, 2);
    std::vector<unsigned char> buffer(GetRegionData(region, 0, nullptr));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    GetRegionData(region, static_cast<DWORD>(buffer.size()), data);
    EXPECT_EQ(ExtCreateRegion(nullptr, sizeof(RGNDATAHEADER) - 1, data), nullptr);
    RGNDATAHEADER header;
    std::memcpy(static_cast<void*>(&header), data, sizeof(header));
    header.nCount = 1000; // more rectangles than the buffer holds
    std::memcpy(static_cast<void*>(data), &header, sizeof(header));
    EXPECT_EQ(ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data), nullptr);
    DeleteObject(region);
}

TEST(Gdi_Regions, ShapesAreHalfOpen)
{
    HRGN polygon = [] {
        const POINT triangle[] = {{0, 0}, {4, 0}, {0, 4}};
        return CreatePolygonRgn(triangle, 3, ALTERNATE);
    }();
    EXPECT_EQ(Region_Map(polygon, 5, 5), Picture({"####.", "###..", "##...", "#....", "....."}));
    HRGN ellipse = CreateEllipticRgn(0, 0, 5, 5);
    RECT box;
    EXPECT_EQ(GetRgnBox(ellipse, &box), COMPLEXREGION);
    EXPECT_EQ(box, (RECT{0, 0, 5, 5}));
    EXPECT_FALSE(PtInRegion(ellipse, 0, 0));
    EXPECT_TRUE(PtInRegion(ellipse, 2, 2));
    HRGN round = CreateRoundRectRgn(0, 0, 6, 6, 4, 4);
    EXPECT_FALSE(PtInRegion(round, 0, 0));
    EXPECT_TRUE(PtInRegion(round, 2, 0));
    EXPECT_TRUE(PtInRegion(round, 0, 3));
    EXPECT_FALSE(PtInRegion(round, 6, 3));
    for (HRGN r : {polygon, ellipse, round})
        DeleteObject(r);
}

TEST(Gdi_Regions, OffsetAndRectangleTests)
{
    HRGN region = CreateRectRgn(0, 0, 2, 2);
    EXPECT_EQ(OffsetRgn(region, 3, 1), SIMPLEREGION);
    EXPECT_TRUE(PtInRegion(region, 3, 1));
    EXPECT_FALSE(PtInRegion(region, 5, 1));
    RECT touching{5, 0, 7, 7};
    RECT crossing{4, 2, 9, 9};
    EXPECT_FALSE(RectInRegion(region, &touching));
    EXPECT_TRUE(RectInRegion(region, &crossing));
    EXPECT_TRUE(SetRectRgn(region, 0, 0, 0, 0));
    RECT box;
    EXPECT_EQ(GetRgnBox(region, &box), NULLREGION);
    DeleteObject(region);
}

TEST(Gdi_Regions, DeletedOrForeignHandlesFail)
{
    HRGN region = CreateRectRgn(0, 0, 1, 1);
    DeleteObject(region);
    RECT box;
    EXPECT_EQ(GetRgnBox(region, &box), ERROR);
    HRGN other = CreateRectRgn(0, 0, 1, 1);
    EXPECT_EQ(CombineRgn(other, other, reinterpret_cast<HRGN>(GetStockObject(BLACK_PEN)), RGN_OR), ERROR);
    DeleteObject(other);
}
