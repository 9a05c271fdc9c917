#include "platform/classlib/SysUtils.h"
#include "tests/support/Temp_Settings.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <filesystem>
#include <limits>

namespace {

// Number texts of these tests use the separators of an English locale.
class Number_Texts : public ::testing::Test {
protected:
    void SetUp() override
    {
        DecimalSeparator = '.';
        ThousandSeparator = ',';
    }
    void TearDown() override
    {
        DecimalSeparator = saved_decimal;
        ThousandSeparator = saved_thousand;
    }

private:
    char saved_decimal = DecimalSeparator;
    char saved_thousand = ThousandSeparator;
};

} // namespace

TEST(Rounding, RoundTakesHalvesToEvenAndTruncGoesTowardZeroInEveryRoundingMode)
{
    const struct {
        double value;
        std::int64_t round, trunc;
    } cases[] = {
        {0.5, 0, 0},    {1.5, 2, 1},    {2.5, 2, 2},     {3.5, 4, 3},       {-0.5, 0, 0},
        {-1.5, -2, -1}, {-2.5, -2, -2}, {2.4999, 2, 2},  {2.6, 3, 2},       {-2.6, -3, -2},
        {0.49999999999999994, 0, 0},    {-0.2, 0, 0},    {7.0, 7, 7},       {-7.0, -7, -7},
        {1e15 + 0.5, 1'000'000'000'000'000, 1'000'000'000'000'000},
        {4503599627370497.0, 4503599627370497, 4503599627370497}, // 2^52 + 1: already whole
    };
    const int saved_mode = std::fegetround();
    for (const int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
        ASSERT_EQ(std::fesetround(mode), 0);
        for (const auto& c : cases) {
            EXPECT_EQ(Round(c.value), c.round) << c.value << " in mode " << mode;
            EXPECT_EQ(Trunc(c.value), c.trunc) << c.value << " in mode " << mode;
        }
    }
    std::fesetround(saved_mode);
}

TEST(Rounding, NonFiniteOrHugeValuesRaise)
{
    for (const double bad : {std::nan(""), std::numeric_limits<double>::infinity(), 1e19, -1e19}) {
        EXPECT_THROW(Round(bad), EInvalidOp) << bad;
        EXPECT_THROW(Trunc(bad), EInvalidOp) << bad;
    }
}

TEST(Conversions, IntegerTexts)
{
    EXPECT_EQ(IntToStr(-42), "-42");
    EXPECT_EQ(IntToStr(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(0x1234, 2), "1234");
    EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
    EXPECT_EQ(IntToHex(0xFFFFFFFFLL, 0), "FFFFFFFF");
}

TEST(Conversions, StrToIntAcceptsDecimalAndHexadecimalOnly)
{
    const struct {
        const char* text;
        bool valid;
        int value;
    } cases[] = {
        {"42", true, 42},           {"  -17", true, -17},        {"+8", true, 8},
        {"$1F", true, 31},          {"0x1f", true, 31},          {"$FFFFFFFF", true, -1},
        {"2147483647", true, 2147483647}, {"-2147483648", true, std::numeric_limits<int>::min()},
        {"2147483648", false, 0},   {"$100000000", false, 0},    {"", false, 0},
        {"-", false, 0},            {"12 ", false, 0},           {"1.5", false, 0},
        {"$", false, 0},            {"abc", false, 0},           {"99999999999999999999", false, 0},
    };
    for (const auto& c : cases) {
        int value = 12345;
        EXPECT_EQ(TryStrToInt(c.text, value), c.valid) << c.text;
        if (c.valid) {
            EXPECT_EQ(value, c.value) << c.text;
            EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
        } else {
            EXPECT_EQ(StrToIntDef(c.text, -7), -7) << c.text;
        }
    }
    try {
        StrToInt("x1");
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "'x1' is not a valid integer value");
    }
}

TEST(Conversions, TrimAndCase)
{
    EXPECT_EQ(Trim(" \t\r\n ab c \x01"), "ab c");
    EXPECT_EQ(TrimLeft("  ab  "), "ab  ");
    EXPECT_EQ(TrimRight("  ab  "), "  ab");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(UpperCase("25°c ok"), "25°C OK");
    EXPECT_EQ(LowerCase("SW3-1 OFF"), "sw3-1 off");
}

TEST_F(Number_Texts, FormatCasesTheSystemUses)
{
    int* const no_address = nullptr;
    const struct {
        std::string result, expected;
    } cases[] = {
        {Format("%d°C", 25), "25°C"},
        {Format("%d°F", -4), "-4°F"},
        {Format("%X", 10), "A"},
        {Format("%x", 255), "FF"},
        {Format("%.2X", 7), "07"},
        {Format("%06d", 2001), "002001"},
        {Format("%08d12:34:56", 7), "0000000712:34:56"},
        {Format("%.5d: ", 42), "00042: "},
        {Format("%d.%d", 2, 3), "2.3"},
        {Format("%d %%", 57), "57 %"},
        {Format("%.1f MHz", 2412.0), "2412.0 MHz"},
        {Format("%.1f MHz", 2399.9999999999995), "2400.0 MHz"},
        {Format("%.2fV", 12.345), "12.35V"},
        {Format("%.2f MHz", 0.125), "0.13 MHz"},
        {Format("%.1fV", -0.04), "0.0V"},
        {Format("%f", 1.0 / 3.0), "0.33"},
        {Format("%n", 1234567.891), "1,234,567.89"},
        {Format("%e", 1234.5), "1.23450000000000E+003"},
        {Format("%g", 0.5), "0.5"},
        {Format("%s, Address: %p", "Boom", static_cast<const void*>(no_address)),
         "Boom, Address: " + std::string(sizeof(void*) * 2, '0')},
        {Format("[%5s|%-5s]", "ab", "cd"), "[   ab|cd   ]"},
        {Format("[%-6s]", "25°C"), "[25°C  ]"},
        {Format("%.3s", "abcdef"), "abc"},
        {Format("%3d|%-3d|%05d", -5, 7, -42), " -5|7  |-0042"},
        {Format("%*d", 4, 9), "   9"},
        {Format("%u %x", -1, -1), "4294967295 FFFFFFFF"},
        {Format("%x", std::int64_t{-1}), "FFFFFFFFFFFFFFFF"},
        {Format("%c%c", 'O', 'K'), "OK"},
        {Format("%1:s %0:s", "world", "hello"), "hello world"},
        {Format("%s", std::string("text")), "text"},
        {Format("no arguments"), "no arguments"},
        {Format("%d", {std::int64_t{1} << 40}), "1099511627776"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.result, c.expected);
}

TEST_F(Number_Texts, FormatRejectsWrongOrMissingArguments)
{
    EXPECT_THROW(Format("%d", 1.5), EConvertError);
    EXPECT_THROW(Format("%f", 3), EConvertError);
    EXPECT_THROW(Format("%s", 3), EConvertError);
    EXPECT_THROW(Format("%c", "text"), EConvertError);
    EXPECT_THROW(Format("%p", 3), EConvertError);
    EXPECT_THROW(Format("%d %d", 1), EConvertError);
    EXPECT_THROW(Format("%q", 1), EConvertError);
    EXPECT_THROW(Format("50%"), EConvertError);
    EXPECT_THROW(Format("%*d", "x", 1), EConvertError);
    try {
        Format("Value %d", "x");
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message, "Format '%d' invalid or incompatible with argument");
    }
}

TEST_F(Number_Texts, FormatFollowsTheDecimalSeparator)
{
    DecimalSeparator = ',';
    ThousandSeparator = '.';
    EXPECT_EQ(Format("%.1f MHz", 2412.5), "2412,5 MHz");
    EXPECT_EQ(FloatToStrF(1234.5, ffNumber, 15, 1), "1.234,5");
}

TEST_F(Number_Texts, FloatToStrF)
{
    const struct {
        double value;
        TFloatFormat format;
        int precision, digits;
        const char* expected;
    } cases[] = {
        {1234.5678, ffFixed, 15, 2, "1234.57"},
        {0.15, ffFixed, 15, 1, "0.2"},
        {2.5, ffFixed, 15, 0, "3"},
        {-2.5, ffFixed, 15, 0, "-3"},
        {99.96, ffFixed, 15, 1, "100.0"},
        {-0.001, ffFixed, 15, 2, "0.00"},
        {0.0, ffFixed, 15, 3, "0.000"},
        {1234.5678, ffFixed, 3, 2, "1.23E+03"},
        {1e20, ffFixed, 15, 2, "1.00000000000000E+20"},
        {1e20, ffNumber, 15, 0, "1.00000000000000E+20"},
        {1234567.891, ffNumber, 15, 2, "1,234,567.89"},
        {-999999.996, ffNumber, 15, 2, "-1,000,000.00"},
        {123.456, ffGeneral, 15, 0, "123.456"},
        {1.0 / 3.0, ffGeneral, 4, 0, "0.3333"},
        {1e20, ffGeneral, 15, 0, "1E20"},
        {1.5e-7, ffGeneral, 15, 0, "1.5E-7"},
        {0.0001, ffGeneral, 15, 0, "0.0001"},
        {0.00001, ffGeneral, 15, 0, "1E-5"},
        {123456.0, ffGeneral, 4, 2, "1.235E05"},
        {0.0, ffGeneral, 15, 0, "0"},
        {1234.5, ffExponent, 4, 2, "1.235E+03"},
        {-0.000123, ffExponent, 3, 0, "-1.23E-4"},
        {std::numeric_limits<double>::infinity(), ffFixed, 15, 2, "INF"},
        {-std::numeric_limits<double>::infinity(), ffGeneral, 15, 0, "-INF"},
        {std::nan(""), ffFixed, 15, 2, "NAN"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FloatToStrF(c.value, c.format, c.precision, c.digits), c.expected) << c.value;
    EXPECT_EQ(FloatToStr(2.75), "2.75");
}

TEST_F(Number_Texts, FormatFloatPictures)
{
    const struct {
        const char* picture;
        double value;
        const char* expected;
    } cases[] = {
        {"###0.#MHz", 2172.09875, "2172.1MHz"},
        {"###0.#MHz", 2172.0, "2172MHz"},
        {"###0.#MHz", 0.04, "0MHz"},
        {"###0.#MHz", -0.04, "0MHz"},
        {"#,##0.# dBc", -40.0, "-40 dBc"},
        {"#,##0.# dBc", -12.25, "-12.3 dBc"},
        {"#,##0.# dBc", 12345.67, "12,345.7 dBc"},
        {"0.00", 1.005, "1.00"},
        {"0.00", 2.5, "2.50"},
        {"#.##", 0.5, ".5"},
        {"000", 7.0, "007"},
        {"'x='0;'minus '0;'zero'", -3.0, "minus 3"},
        {"'x='0;'minus '0;'zero'", 0.2, "zero"},
        {"'x='0;'minus '0;'zero'", 4.0, "x=4"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatFloat(c.picture, c.value), c.expected) << c.picture << " " << c.value;
    DecimalSeparator = ',';
    ThousandSeparator = '.';
    EXPECT_EQ(FormatFloat("#,##0.# dBc", 1234.56), "1.234,6 dBc");
}

TEST(Files, CreateWriteCloseExistDelete)
{
    const std::filesystem::path folder = Make_Temp_Folder("sysutils");
    const std::string file = (folder / "status.txt").string();
    EXPECT_FALSE(FileExists(file));
    const int handle = FileCreate(file);
    ASSERT_GE(handle, 0);
    EXPECT_EQ(FileWrite(handle, "HDW002001", 9), 9);
    FileClose(handle);
    EXPECT_TRUE(FileExists(file));
    EXPECT_EQ(std::filesystem::file_size(file), 9u);

    // Creating again empties the file.
    FileClose(FileCreate(file));
    EXPECT_EQ(std::filesystem::file_size(file), 0u);

    EXPECT_FALSE(FileExists(folder.string()));
    EXPECT_EQ(FileCreate((folder / "none" / "x.txt").string()), -1);
    EXPECT_EQ(FileWrite(-1, "x", 1), -1);
    EXPECT_TRUE(DeleteFile(file));
    EXPECT_FALSE(DeleteFile(file));
    EXPECT_FALSE(FileExists(file));
    std::filesystem::remove_all(folder);
}
