#include "components/foundations/Sclstrings.h"

#include <gtest/gtest.h>

#include <array>

#include "platform/classlib/SysUtils.h"

namespace {

struct Text_Case {
    std::string got;
    std::string expected;
};

TEST(Sclstrings, WideningFillingAndTrimming)
{
    const std::array<Text_Case, 17> cases{{
        {SCLFillString(3, '*'), "***"},
        {SCLFillString(-2, '*'), ""},
        {SCLSpace(0), ""},
        {SCLAddZeroL("7", 3), "007"},
        {SCLAddZeroL("1234", 3), "1234"},
        {SCLAddZeroR("7", 3), "700"},
        {SCLAddSpaceL("ab", 4), "  ab"},
        {SCLAddSpaceR("ab", 4), "ab  "},
        {SCLAddCharR("abcdef", 2, '-'), "abcdef"},
        {SCLTrimL(" \t\r\nab \x01"), "ab \x01"},
        {SCLTrimR(" ab \t\x1F"), " ab"},
        {SCLTrim("\x20\x01 a b \x1F"), "a b"},
        {SCLTrim("\x01\x02"), ""},
        {SCLReplaceChar("a.b.c", '.', ','), "a,b,c"},
        {SCLGetFirstString("key=value=x", '='), "key"},
        {SCLGetFirstString("plain", '='), "plain"},
        {SCLGetSecondString("key=value=x", '='), "value=x"},
    }};
    for (const auto& c : cases)
        EXPECT_EQ(c.got, c.expected);
    EXPECT_EQ(SCLGetSecondString("plain", '='), "plain");
    EXPECT_EQ(SCLGetSecondString("k=" + std::string(300, 'v'), '='), std::string(255, 'v'));
}

TEST(Sclstrings, TestsCountsAndPositions)
{
    EXPECT_TRUE(SCLEmpty(""));
    EXPECT_TRUE(SCLEmpty("   "));
    EXPECT_FALSE(SCLEmpty("\t\t"));
    EXPECT_FALSE(SCLEmpty(" a "));
    EXPECT_EQ(SCLCount("a;b;;c", ';'), 3);
    EXPECT_EQ(SCLCount("", ';'), 0);
    EXPECT_EQ(SCLBackPos('\\', "a\\b\\c"), 4);
    EXPECT_EQ(SCLBackPos('x', "abc"), 0);
    EXPECT_EQ(SCLBackPos('x', ""), 0);
    EXPECT_EQ(SCLScanToNumber("abc7d"), 4);
    EXPECT_EQ(SCLScanToNumber("none"), 0);
    // A UTF-8 character before the digit: its bytes are never taken for one.
    EXPECT_EQ(SCLScanToNumber("\xC2\xB0" "C 5"), 5);
}

TEST(Sclstrings, Backslashes)
{
    EXPECT_EQ(SCLSlashAdd(""), "\\");
    EXPECT_EQ(SCLSlashAdd("  "), "  \\");
    EXPECT_EQ(SCLSlashAdd("Software\\Key"), "Software\\Key\\");
    EXPECT_EQ(SCLSlashAdd("Software\\Key\\"), "Software\\Key\\");
    EXPECT_EQ(SCLSlashRemove("Software\\Key\\"), "Software\\Key");
    EXPECT_EQ(SCLSlashRemove("Software\\Key"), "Software\\Key");
    EXPECT_EQ(SCLSlashRemove(""), "");
}

TEST(Sclstrings, CodedStringsJoinCountAndRead)
{
    const std::array<std::string, 3> words{"a", "", "c"};
    EXPECT_EQ(SCLCodeString(words, ';'), "a;;c");
    EXPECT_EQ(SCLCodeString(std::span(words).first(1), ';'), "a");
    const std::array<int, 3> numbers{10, -20, 30};
    EXPECT_EQ(SCLCodeInt(numbers, ';'), "10;-20;30");

    const std::array<std::pair<const char*, int>, 5> counts{{{"", 0}, {"a", 1}, {"a;", 2}, {"a;;", 3}, {";", 2}}};
    for (const auto& [text, count] : counts)
        EXPECT_EQ(SCLGetCodedCount(text, ';'), count) << text;

    EXPECT_EQ(SCLGetCodedString("a;b;c", ';', 0), "a");
    EXPECT_EQ(SCLGetCodedString("a;b;c", ';', 1), "b");
    EXPECT_EQ(SCLGetCodedString("a;b;c", ';', 2), "c");
    EXPECT_EQ(SCLGetCodedString("a;b;c", ';', 3), "");
    EXPECT_EQ(SCLGetCodedString("abc", ';', 0), "abc");
    EXPECT_EQ(SCLGetCodedString("a;b", ';', -1), "");

    EXPECT_EQ(SCLGetCodedInt("10;20;30", ';', 1), 20);
    EXPECT_EQ(SCLGetCodedInt("10;;30", ';', 1), -1);
    EXPECT_EQ(SCLGetCodedInt("10;20", ';', 5), -1);
    EXPECT_THROW(SCLGetCodedInt("10;x;30", ';', 1), EConvertError);
}

TEST(Sclstrings, SetCodedStringReplacesOrExtends)
{
    struct Case {
        std::string s;
        int index;
        std::string expected;
    };
    const std::array<Case, 7> cases{{
        {"a", 2, "a;;x"},
        {"a;b", 0, "x;b"},
        {"a;", 1, "a;x"},
        {"a;bb;c", 1, "a;x;c"},
        {"", 0, "x"},
        {"", 1, ";x"},
        {"a;b", -1, "a;b"},
    }};
    for (auto c : cases) {
        SCLSetCodedString(c.s, "x", ';', c.index);
        EXPECT_EQ(c.s, c.expected) << c.index;
    }
}

} // namespace
