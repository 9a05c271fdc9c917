#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "components/foundations/Sclprocs.h"
#include "platform/classlib/SysUtils.h"

namespace {

using Bytes = std::vector<BYTE>;

Bytes Compress(const Bytes& input)
{
    Bytes block(input.size() + SCLLZRWDestSlack);
    block.resize(SCLLZRWCompress(input, block));
    return block;
}

Bytes Decompress(const Bytes& block, std::size_t room = SCLLZRWMaxInput)
{
    Bytes output(room);
    output.resize(SCLLZRWDecompress(block, output));
    return output;
}

Bytes Text(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

// Deterministic bytes that do not compress.
Bytes Noise(std::size_t size, std::uint32_t seed)
{
    Bytes bytes(size);
    for (auto& b : bytes) {
        seed = seed * 1664525u + 1013904223u;
        b = static_cast<BYTE>(seed >> 24);
    }
    return bytes;
}

// Rows of a small picture: runs, repeated patterns and some noise.
Bytes Picture(std::size_t size)
{
    Bytes bytes(size);
    const Bytes noise = Noise(size, 7);
    for (std::size_t i = 0; i < size; ++i) {
        const std::size_t column = i % 96;
        bytes[i] = column < 40 ? 0xC0 : column < 70 ? static_cast<BYTE>(column & 0x0C) : noise[i] & 0x03;
    }
    return bytes;
}

TEST(SclprocsLZRW, FixedBlocks)
{
    struct Case {
        const char* name;
        Bytes input;
        Bytes block;
    };
    const Bytes sixteen = Text("ABCDEFGHIJKLMNOP");
    Bytes twice_block{0x40, 0x00, 0x00};
    twice_block.insert(twice_block.end(), sixteen.begin(), sixteen.end());
    twice_block.insert(twice_block.end(), {0x80, 0x00, 0x01, 0x0D});
    Bytes twice = sixteen;
    twice.insert(twice.end(), sixteen.begin(), sixteen.end());

    // 32768 zeros then "ABCDEFABCDEFx", filling the largest block: eight runs
    // of 4095, a literal zero and a match of 7 at distance 1 reach position
    // 32768. The repeat of "ABCDEF" there is within reach but its first copy
    // sits at 32768, which never qualifies: thirteen literals.
    Bytes late = Bytes(32768, 0);
    const Bytes tail = Text("ABCDEFABCDEFx");
    late.insert(late.end(), tail.begin(), tail.end());
    Bytes late_block{0x40, 0xFF, 0x40};
    for (int run = 0; run < 8; ++run)
        late_block.insert(late_block.end(), {0x00, 0x0F, 0xEF, 0x00});
    late_block.insert(late_block.end(), {0x00, 0x00, 0x14});
    late_block.insert(late_block.end(), tail.begin(), tail.begin() + 6);
    late_block.insert(late_block.end(), {0x00, 0x00});
    late_block.insert(late_block.end(), tail.begin() + 6, tail.end());

    const std::vector<Case> cases{
        {"empty", {}, {0x80}},
        {"one byte", {0x5A}, {0x80, 0x5A}},
        {"three bytes", Text("abc"), {0x80, 'a', 'b', 'c'}},
        {"run of 20", Bytes(20, 'x'), {0x40, 0x80, 0x00, 0x00, 0x00, 0x04, 'x'}},
        {"run of 15", Bytes(15, 'x'), {0x40, 0x40, 0x00, 'x', 0x00, 0x1B}},
        // Sixteen literals fill the first group; the match opens the second.
        {"second group", twice, twice_block},
        // Eight runs of 4095 and one of 21 (4095 - 16 = 0x0FEF).
        {"largest block of zeros", Bytes(SCLLZRWMaxInput, 0),
         {0x40, 0xFF, 0x80, 0x00, 0x0F, 0xEF, 0x00, 0x00, 0x0F, 0xEF, 0x00, 0x00, 0x0F, 0xEF, 0x00,
          0x00, 0x0F, 0xEF, 0x00, 0x00, 0x0F, 0xEF, 0x00, 0x00, 0x0F, 0xEF, 0x00, 0x00, 0x0F, 0xEF,
          0x00, 0x00, 0x0F, 0xEF, 0x00, 0x00, 0x00, 0x05, 0x00}},
        {"late repeat", late, late_block},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Compress(c.input), c.block) << c.name;
        EXPECT_EQ(Decompress(c.block), c.input) << c.name;
    }
}

TEST(SclprocsLZRW, IncompressibleDataIsStoredWithOneExtraByte)
{
    const Bytes input = Noise(SCLLZRWMaxInput, 1);
    const Bytes block = Compress(input);
    ASSERT_EQ(block.size(), input.size() + 1);
    EXPECT_EQ(block[0], 0x80);
    EXPECT_EQ(Decompress(block), input);
}

TEST(SclprocsLZRW, RoundTripsAndMatchLimits)
{
    const std::vector<Bytes> inputs{
        Picture(SCLLZRWMaxInput),
        Picture(1000),
        Text(std::string(500, 'a') + "abcabcabcabcabcabcabcabcabcabcabc" + std::string(4200, 'b')),
        Bytes(4096 + 16, 0x11),
    };
    for (const auto& input : inputs) {
        const Bytes block = Compress(input);
        EXPECT_EQ(block[0], 0x40);
        EXPECT_LT(block.size(), input.size());
        EXPECT_EQ(Decompress(block), input);
    }
}

TEST(SclprocsLZRW, CompressorRefusesSizesOutsideItsContract)
{
    Bytes too_big(SCLLZRWMaxInput + 1);
    Bytes room(too_big.size() + SCLLZRWDestSlack);
    EXPECT_THROW(SCLLZRWCompress(too_big, room), Exception);
    Bytes input(10);
    Bytes small(15);
    EXPECT_THROW(SCLLZRWCompress(input, small), Exception);
}

TEST(SclprocsLZRW, DamagedBlocksRaiseInsteadOfOverrunning)
{
    struct Case {
        const char* name;
        Bytes block;
        std::size_t room;
    };
    Bytes cut_control{0x40, 0x00, 0x00};
    cut_control.resize(3 + 16, 'a');
    Bytes missing_item = cut_control;
    cut_control.push_back(0x80);
    missing_item.insert(missing_item.end(), {0x80, 0x00});
    const std::vector<Case> cases{
        {"empty", {}, SCLLZRWMaxInput},
        {"unknown flag", {0x00, 0x00, 0x00, 'a'}, SCLLZRWMaxInput},
        {"no control word", {0x40, 0x00}, SCLLZRWMaxInput},
        {"copy before output start", {0x40, 0x80, 0x00, 0x00, 0x50}, SCLLZRWMaxInput},
        {"copy item cut", {0x40, 0x80, 0x00, 0x00}, SCLLZRWMaxInput},
        {"run item cut", {0x40, 0x80, 0x00, 0x00, 0x00, 0x04}, SCLLZRWMaxInput},
        {"run beyond room", {0x40, 0x80, 0x00, 0x00, 0x00, 0x04, 'x'}, 19},
        {"stored beyond room", {0x80, 1, 2, 3}, 2},
        {"control word cut", cut_control, SCLLZRWMaxInput},
        {"item missing after control word", missing_item, SCLLZRWMaxInput},
    };
    for (const auto& c : cases)
        EXPECT_THROW(Decompress(c.block, c.room), Exception) << c.name;

    // Nine runs of 4111 bytes: more than one block can ever hold.
    Bytes long_runs{0x40, 0xFF, 0x80};
    for (int i = 0; i < 9; ++i)
        long_runs.insert(long_runs.end(), {0x00, 0x0F, 0xFF, 0x00});
    EXPECT_THROW(Decompress(long_runs, 100000), Exception);
}

TEST(SclprocsLZRW, CorruptedBlocksNeverOverrun)
{
    const Bytes good = Compress(Picture(4000));
    std::uint32_t seed = 12345;
    int failures = 0;
    for (int round = 0; round < 3000; ++round) {
        Bytes block = good;
        for (int flips = 0; flips < 3; ++flips) {
            seed = seed * 1664525u + 1013904223u;
            block[(seed >> 8) % block.size()] ^= static_cast<BYTE>(seed >> 24 | 1);
        }
        block.resize(block.size() - (seed >> 4) % 3);
        try {
            Decompress(block, 4000);
        } catch (const Exception&) {
            ++failures;
        }
    }
    EXPECT_GT(failures, 0);
}

} // namespace
