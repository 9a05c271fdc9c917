// The wave check the fuzz target drives: the image's RIFF size and chunks are
// bounded by the bytes given, and nothing plays.
#include "platform/winapi/Sound.h"

#include <gtest/gtest.h>

#include "tests/platform/winapi/Test_Sound_Device.h"

TEST(Wave_Check, AnswersWhetherAnImageWouldPlayWithoutPlayingIt)
{
    Temp_Sound_Device device(true);
    const std::vector<std::uint8_t> good = Make_Test_Wave(Test_Samples(100));
    EXPECT_TRUE(Is_Playable_Wave(good.data(), good.size()));
    for (std::size_t size : {std::size_t{0}, std::size_t{7}, std::size_t{12}, good.size() / 2, good.size() - 1})
        EXPECT_FALSE(Is_Playable_Wave(good.data(), size)) << size;
    const std::vector<std::uint8_t> twelve_bits = Make_Test_Wave(Test_Samples(100), 1, 8000, 12);
    EXPECT_FALSE(Is_Playable_Wave(twelve_bits.data(), twelve_bits.size()));
    EXPECT_FALSE(std::filesystem::exists(device.Output()));
}
