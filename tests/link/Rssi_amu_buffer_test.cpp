#include "link/Rssi_amu_buffer.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

using Levels = std::array<int, 4>;

Levels Averages(const RSSI_AMU_Buffer& buffer)
{
    return {buffer.Get(0), buffer.Get(1), buffer.Get(2), buffer.Get(3)};
}

void Add(RSSI_AMU_Buffer& buffer, int a, int b, int c)
{
    const int raw[3] = {a, b, c};
    buffer.Add(raw);
}

TEST(RSSI_AMU_Buffer, OneSampleGivesItsLevels)
{
    struct Case {
        std::array<int, 3> raw;
        Levels expected;
    };
    const Case cases[] = {
        {{10, 20, 30}, {240, 245, 235, 225}},
        {{200, 11, 10}, {245, 55, 244, 245}}, // the two strongest tuners: (10 + 11) / 2 = 10
        {{255, 255, 255}, {0, 0, 0, 0}},      // no tuner gives a level
        {{0, 0, 0}, {255, 255, 255, 255}},
    };
    for (const Case& c : cases) {
        RSSI_AMU_Buffer buffer;
        buffer.Add(c.raw.data());
        EXPECT_EQ(Averages(buffer), c.expected) << c.raw[0] << " " << c.raw[1] << " " << c.raw[2];
    }
}

TEST(RSSI_AMU_Buffer, AveragesRoundHalvesUpOverTheLastSixSamples)
{
    RSSI_AMU_Buffer buffer;
    Add(buffer, 155, 155, 155); // level 100
    Add(buffer, 154, 154, 154); // level 101
    EXPECT_EQ(buffer.Get(1), 101); // 100.5
    Add(buffer, 154, 154, 154);
    EXPECT_EQ(buffer.Get(1), 101); // 100.67
    RSSI_AMU_Buffer thirds;
    for (const int raw : {155, 155, 154}) {
        Add(thirds, raw, raw, raw);
    }
    EXPECT_EQ(thirds.Get(3), 100); // 100.33

    // Levels 1..7: the seventh sample replaces the first.
    RSSI_AMU_Buffer wrap;
    for (int level = 1; level <= 7; ++level) {
        Add(wrap, 255 - level, 255, 255);
    }
    EXPECT_EQ(wrap.Count, 6);
    EXPECT_EQ(wrap.Index, 1);
    EXPECT_EQ(wrap.Get(1), 5); // (2 + ... + 7) / 6 = 4.5
}

TEST(RSSI_AMU_Buffer, ResetZeroesTheLevelsAndRestartsTheHistory)
{
    RSSI_AMU_Buffer buffer;
    Add(buffer, 0, 0, 0);
    Add(buffer, 0, 0, 0);
    buffer.Reset();
    EXPECT_EQ(Averages(buffer), (Levels{0, 0, 0, 0}));
    Add(buffer, 55, 55, 55);
    EXPECT_EQ(Averages(buffer), (Levels{200, 200, 200, 200}));
}

TEST(RSSI_AMU_Buffer, CopiesCarryTheAveragesOnly)
{
    RSSI_AMU_Buffer source;
    Add(source, 55, 55, 55); // level 200

    RSSI_AMU_Buffer target;
    Add(target, 155, 155, 155); // level 100
    target = source;
    EXPECT_EQ(target.Get(0), 200);
    Add(target, 155, 155, 155);
    EXPECT_EQ(target.Get(0), 100); // its own two samples of 100

    RSSI_AMU_Buffer copy(source);
    EXPECT_EQ(copy.Get(2), 200);
    EXPECT_EQ(copy.Count, 0);
    Add(copy, 155, 155, 155);
    EXPECT_EQ(copy.Get(2), 100);
}

TEST(RSSI_AMU_Buffer, LevelsOutsideTheFourAreZero)
{
    RSSI_AMU_Buffer buffer;
    Add(buffer, 0, 0, 0);
    for (const int k : {-1, 4, 1000}) {
        EXPECT_EQ(buffer.Get(k), 0) << k;
    }
}

} // namespace
