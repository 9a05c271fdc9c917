#include "components/foundations/Sclgraph.h"

#include <gtest/gtest.h>

namespace {

TEST(Sclgraph, ValueNamesFollowTheOrdinals)
{
    EXPECT_EQ(SCLEnumName(agBottomRight), "agBottomRight");
    EXPECT_EQ(SCLEnumName(bvShadow), "bvShadow");
    EXPECT_EQ(SCLEnumName(lsDoubleLowered), "lsDoubleLowered");
    EXPECT_EQ(SCLEnumName(ubsIntegrated), "ubsIntegrated");
    EXPECT_EQ(SCLEnumName(static_cast<TSCLBevelStyle>(7)), "");
    EXPECT_EQ(static_cast<int>(tdExtrudeEnh), 10);
    EXPECT_EQ(static_cast<int>(gstTopRightDiagonal), 9);

    TSCLThreeDStyle style = tdNone;
    EXPECT_TRUE(SCLEnumValue("tdRaisedShadow", style));
    EXPECT_EQ(style, tdRaisedShadow);
    EXPECT_TRUE(SCLEnumValue("TDOUTLINE", style)); // identifiers ignore case
    EXPECT_EQ(style, tdOutline);
    EXPECT_FALSE(SCLEnumValue("tdRight", style)); // a name of another enumeration
    EXPECT_FALSE(SCLEnumValue("", style));
    EXPECT_EQ(style, tdOutline);
}

TEST(Sclgraph, TablesAreFoundByTypeName)
{
    const TSCLEnumTable* table = SCLFindEnumTable("TSCLBorderStyle");
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->Names.size(), 15u);
    EXPECT_EQ(SCLEnumOrdinal(*table, "lsFrameInset"), 8);
    EXPECT_EQ(SCLEnumOrdinal(*table, "bvNone"), -1);
    ASSERT_NE(SCLFindEnumTable("tsclbuttonstate"), nullptr);
    EXPECT_EQ(SCLEnumOrdinal(*SCLFindEnumTable("TSCLButtonState"), "bsDisabledDown"), 7);
    EXPECT_EQ(SCLFindEnumTable("TSCLNothing"), nullptr);
}

TEST(Sclgraph, FocusStyleConversion)
{
    EXPECT_EQ(SCLConvertFocusStyle(fcText), TSCLDrawTextStyles{dtRectText});
    EXPECT_EQ(SCLConvertFocusStyle(fcGlyph), TSCLDrawTextStyles{dtRectGlyph});
    EXPECT_EQ(SCLConvertFocusStyle(fcGlyphText), TSCLDrawTextStyles{dtRectGlyphText});
    EXPECT_TRUE(SCLConvertFocusStyle(fcControl).Empty());
    EXPECT_TRUE(SCLConvertFocusStyle(fcNone).Empty());
}

} // namespace
