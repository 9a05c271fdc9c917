// The draw edge: every edge style and side to the platform's DrawEdge
// types and flags, diagonals, soft and middle, and what it paints.

#include <gtest/gtest.h>

#include "Back_Test_Support.h"
#include "components/controls/SCLDrawEdge.h"
#include "platform/winapi/Gdi.h"

using namespace back_test;

TEST(DrawEdge, EveryEdgeStyleMapsToItsPlatformEdgeType)
{
    const std::pair<TSCLEdgeStyle, UINT> table[] = {
        {etRaisedInner, 4}, {etRaisedOuter, 1}, {etSunkenInner, 8}, {etSunkenOuter, 2},
        {etBump, 9},        {etEtched, 6},      {etRaised, 5},      {etSunken, 10},
    };
    TSCLDrawEdge edge(nullptr);
    for (const auto& [style, type] : table) {
        edge.SetEdgeStyle(style);
        EXPECT_EQ(edge.EdgeType(), type) << style;
    }
}

TEST(DrawEdge, SidesDiagonalsSoftAndMiddleMapToTheirFlags)
{
    struct Case {
        TSCLDrawEdgeStyle style;
        TSCLFrameSides sides;
        TSCLDiagonalStyle diagonal;
        bool soft;
        bool filled;
        UINT flags;
    };
    const Case cases[] = {
        {esEdge, {fsBottom, fsLeft, fsRight, fsTop}, dsEndBottomLeft, false, false, 0x0F},
        {esEdge, {fsTop}, dsEndBottomLeft, false, false, 0x02},
        {esEdge, {fsBottom}, dsEndBottomLeft, false, false, 0x08},
        {esEdge, {fsLeft}, dsEndBottomLeft, false, false, 0x01},
        {esEdge, {fsRight}, dsEndBottomLeft, true, false, 0x1004},
        {esEdge, {}, dsEndBottomLeft, false, true, 0x0800},
        {esDiagonal, {fsTop}, dsEndBottomLeft, false, false, 0x19},
        {esDiagonal, {fsTop}, dsEndBottomRight, false, false, 0x1C},
        {esDiagonal, {}, dsEndTopLeft, true, false, 0x1013},
        {esDiagonal, {}, dsEndTopRight, false, true, 0x0816},
    };
    TSCLDrawEdge edge(nullptr);
    for (const Case& c : cases) {
        edge.SetStyle(c.style);
        edge.SetFrameSides(c.sides);
        edge.SetDiagonalStyle(c.diagonal);
        edge.SetSoft(c.soft);
        edge.SetFilled(c.filled);
        EXPECT_EQ(edge.EdgeFlags(), c.flags) << c.style << " " << c.diagonal;
    }
}

TEST(DrawEdge, TheFormsSeparatorIsAnEtchedLineAlongTheTop)
{
    Test_Form form;
    auto* edge = new TSCLDrawEdge(&form);
    EXPECT_EQ(edge->Width(), 40);
    edge->SetBounds(10, 10, 20, 2);
    edge->SetFrameSides(TSCLFrameSides{fsTop});
    edge->SetParent(&form);
    form.Show();
    const QImage shown = Shown(&form);
    for (int x = 10; x < 30; ++x) {
        ASSERT_EQ(shown.pixel(x, 10), Rgb_Of(clBtnShadow)) << x;
        ASSERT_EQ(shown.pixel(x, 11), Rgb_Of(clBtnHighlight)) << x;
    }
    EXPECT_EQ(shown.pixel(30, 10), Rgb_Of(clWhite));
}

TEST(DrawEdge, WithoutSidesOnlyTheMiddleFillIsDrawn)
{
    for (bool filled : {false, true}) {
        Test_Form form;
        auto* edge = new TSCLDrawEdge(&form);
        edge->SetBounds(10, 10, 20, 20);
        edge->SetFrameSides(TSCLFrameSides{});
        edge->SetFilled(filled);
        edge->SetParent(&form);
        form.Show();
        const QImage shown = Shown(&form);
        EXPECT_EQ(shown.pixel(10, 10), Rgb_Of(filled ? clBtnFace : clWhite)) << filled;
        EXPECT_EQ(shown.pixel(20, 20), Rgb_Of(filled ? clBtnFace : clWhite)) << filled;
    }
}

TEST(DrawEdge, ADiagonalRunsFromCornerToCornerAndTheStandardFrameIgnoresTheSides)
{
    Test_Form form;
    auto* diagonal = new TSCLDrawEdge(&form);
    diagonal->SetBounds(10, 10, 20, 20);
    diagonal->SetStyle(esDiagonal);
    diagonal->SetDiagonalStyle(dsEndBottomRight);
    diagonal->SetParent(&form);
    auto* frame = new TSCLDrawEdge(&form);
    frame->SetBounds(50, 10, 3, 82);
    frame->SetStyle(esStandard);
    frame->SetStandardStyle(lsSingle);
    frame->SetFrameSides(TSCLFrameSides{});
    frame->SetParent(&form);
    form.Show();
    const QImage shown = Shown(&form);
    EXPECT_NE(shown.pixel(15, 15), Rgb_Of(clWhite)) << "on the diagonal";
    EXPECT_EQ(shown.pixel(25, 12), Rgb_Of(clWhite)) << "off it";
    EXPECT_NE(shown.pixel(50, 50), Rgb_Of(clWhite)) << "the frame's left side";
    EXPECT_NE(shown.pixel(52, 50), Rgb_Of(clWhite)) << "the frame's right side";
}
