#include "platform/winapi/MulDiv.h"

#include <gtest/gtest.h>

#include <limits>

TEST(MulDiv, RoundsHalvesAwayFromZeroAndFailsWithMinusOne)
{
    constexpr INT max = std::numeric_limits<INT>::max();
    constexpr INT min = std::numeric_limits<INT>::min();
    const struct {
        INT number, numerator, denominator, expected;
    } cases[] = {
        {10, 3, 2, 15},
        {5, 1, 2, 3},    // 2.5
        {-5, 1, 2, -3},  // -2.5
        {5, -1, 2, -3},
        {5, 1, -2, -3},
        {-5, -1, -2, -3},
        {-5, -1, 2, 3},
        {7, 1, 3, 2},    // 2.33
        {8, 1, 3, 3},    // 2.67
        {-8, 1, 3, -3},
        {0, 5, 7, 0},
        {max, max, max, max},       // needs the 64-bit product
        {min, 1, 1, min},
        {50000, 50000, 100000, 25000},
        {1, 2, 0, -1},              // zero divisor
        {0, 0, 0, -1},
        {max, 2, 1, -1},            // overflow
        {min, -1, 1, -1},
        {min, 2, 1, -1},
        {max, max, 1, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.expected)
            << c.number << " * " << c.numerator << " / " << c.denominator;
}
