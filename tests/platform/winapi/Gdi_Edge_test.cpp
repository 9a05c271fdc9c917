#include "platform/winapi/Gdi.h"
#include "tests/platform/winapi/Gdi_Test_Surface.h"

#include <gtest/gtest.h>

namespace {

// W highlight, L light / face, S shadow, D dark shadow; x the untouched background.
const std::map<COLORREF, char> edge_legend{{0xFFFFFF, 'W'}, {0xC0C0C0, 'L'}, {0x808080, 'S'}, {0x000000, 'D'}, {0xFF00FF, 'x'}};

} // namespace

TEST(Gdi_DrawEdge, EachStyleOnAFiveByFiveRectangle)
{
    struct Case {
        UINT edge;
        UINT flags;
        std::string picture;
    };
    const Case cases[] = {
        {EDGE_RAISED, BF_RECT, Picture({"LLLLD", "LWWSD", "LWxSD", "LSSSD", "DDDDD"})},
        {EDGE_SUNKEN, BF_RECT, Picture({"SSSSW", "SDDLW", "SDxLW", "SLLLW", "WWWWW"})},
        {EDGE_ETCHED, BF_RECT, Picture({"SSSSW", "SWWSW", "SWxSW", "SSSSW", "WWWWW"})},
        {EDGE_BUMP, BF_RECT, Picture({"LLLLD", "LDDLD", "LDxLD", "LLLLD", "DDDDD"})},
        {EDGE_RAISED, BF_RECT | BF_SOFT, Picture({"WWWWD", "WLLSD", "WLxSD", "WSSSD", "DDDDD"})},
        {EDGE_SUNKEN, BF_RECT | BF_SOFT, Picture({"DDDDW", "DSSLW", "DSxLW", "DLLLW", "WWWWW"})},
        {BDR_RAISEDINNER, BF_RECT, Picture({"WWWWS", "WxxxS", "WxxxS", "WxxxS", "SSSSS"})},
        {BDR_SUNKENOUTER, BF_TOPLEFT, Picture({"SSSSS", "Sxxxx", "Sxxxx", "Sxxxx", "Sxxxx"})},
        {EDGE_RAISED, BF_RECT | BF_MONO, Picture({"DDDDD", "DWWWD", "DWxWD", "DWWWD", "DDDDD"})},
        {EDGE_SUNKEN, BF_RECT | BF_FLAT, Picture({"SSSSS", "SLLLS", "SLxLS", "SLLLS", "SSSSS"})},
        {EDGE_RAISED, BF_RECT | BF_MIDDLE, Picture({"LLLLD", "LWWSD", "LWLSD", "LSSSD", "DDDDD"})},
        {EDGE_RAISED, BF_BOTTOMRIGHT, Picture({"xxxSD", "xxxSD", "xxxSD", "SSSSD", "DDDDD"})},
    };
    for (const Case& c : cases) {
        Gdi_Test_Surface surface(5, 5, 0xFF00FF);
        RECT rect{0, 0, 5, 5};
        ASSERT_TRUE(DrawEdge(surface.dc, &rect, c.edge, c.flags));
        EXPECT_EQ(surface.Map(edge_legend), c.picture) << "edge " << c.edge << " flags " << std::hex << c.flags;
        EXPECT_EQ(rect, (RECT{0, 0, 5, 5})) << "moved without BF_ADJUST";
    }
}

TEST(Gdi_DrawEdge, AdjustShrinksByTheDrawnBordersOnTheDrawnSides)
{
    struct Case {
        UINT edge;
        UINT flags;
        RECT result;
    };
    const Case cases[] = {
        {EDGE_RAISED, BF_RECT, {12, 22, 48, 38}},
        {BDR_SUNKENOUTER, BF_RECT, {11, 21, 49, 39}},
        {EDGE_ETCHED, BF_TOP, {10, 22, 50, 40}},
        {BDR_RAISEDINNER, BF_BOTTOMRIGHT, {10, 20, 49, 39}},
    };
    for (const Case& c : cases) {
        Gdi_Test_Surface surface(60, 60);
        RECT rect{10, 20, 50, 40};
        DrawEdge(surface.dc, &rect, c.edge, c.flags | BF_ADJUST);
        EXPECT_EQ(rect, c.result) << c.edge << " " << c.flags;
    }
}

TEST(Gdi_DrawEdge, EtchedTopEdgeIsATwoLineSeparator)
{
    Gdi_Test_Surface surface(4, 2, 0xFF00FF);
    SetViewportOrgEx(surface.dc, 1, 0, nullptr);
    RECT rect{-1, 0, 3, 2};
    DrawEdge(surface.dc, &rect, EDGE_ETCHED, BF_TOP);
    EXPECT_EQ(surface.Map(edge_legend), Picture({"SSSS", "WWWW"}));
}

TEST(Gdi_DrawEdge, DiagonalRunsToTheEndCorner)
{
    Gdi_Test_Surface surface(4, 4, 0xFF00FF);
    RECT rect{0, 0, 4, 4};
    DrawEdge(surface.dc, &rect, BDR_RAISEDOUTER, BF_DIAGONAL_ENDTOPRIGHT);
    EXPECT_EQ(surface.Map(edge_legend), Picture({"xxxx", "xxLx", "xLxx", "Lxxx"}));
}

TEST(Gdi_DrawEdge, DiagonalsKeepTheirInsideOnTheRightOfTheRun)
{
    // The inner ring one pixel into the inside, BF_MIDDLE filling it; runs to
    // the right take the top-left shades, runs to the left the bottom-right ones.
    struct Case {
        UINT edge;
        UINT flags;
        int size;
        std::string picture;
    };
    const Case cases[] = {
        {EDGE_RAISED, BF_DIAGONAL_ENDTOPRIGHT | BF_MIDDLE, 5, Picture({"xxxxx", "xxxLW", "xxLWL", "xLWLL", "LWLLL"})},
        {EDGE_RAISED, BF_DIAGONAL_ENDBOTTOMLEFT | BF_MIDDLE, 5, Picture({"LLLSD", "LLSDx", "LSDxx", "SDxxx", "xxxxx"})},
        {EDGE_SUNKEN, BF_DIAGONAL_ENDBOTTOMRIGHT, 4, Picture({"Sxxx", "DSxx", "xDSx", "xxxx"})},
        {EDGE_SUNKEN, BF_DIAGONAL_ENDTOPLEFT, 4, Picture({"xxxx", "xWLx", "xxWL", "xxxW"})},
        {BDR_RAISEDOUTER, BF_DIAGONAL_ENDBOTTOMRIGHT | BF_MIDDLE | BF_FLAT, 4, Picture({"Sxxx", "WSxx", "WWSx", "WWWx"})},
    };
    for (const Case& c : cases) {
        Gdi_Test_Surface surface(c.size, c.size, 0xFF00FF);
        RECT rect{0, 0, c.size, c.size};
        ASSERT_TRUE(DrawEdge(surface.dc, &rect, c.edge, c.flags));
        EXPECT_EQ(surface.Map(edge_legend), c.picture) << std::hex << c.edge << " " << c.flags;
    }
}

TEST(Gdi_DrawFocusRect, DottedAndUndoneByDrawingAgain)
{
    Gdi_Test_Surface surface(5, 3);
    RECT rect{0, 0, 4, 3};
    ASSERT_TRUE(DrawFocusRect(surface.dc, &rect));
    EXPECT_EQ(surface.Map(), Picture({"#.#..", "...#.", "#.#.."}));
    DrawFocusRect(surface.dc, &rect);
    EXPECT_EQ(surface.Map(), Picture({".....", ".....", "....."}));
}
