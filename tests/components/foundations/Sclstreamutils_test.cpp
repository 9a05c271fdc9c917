#include "components/foundations/Sclstreamutils.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "components/foundations/Sclprocs.h"

namespace {

using Bytes = std::vector<BYTE>;

Bytes Content(TMemoryStream& stream)
{
    const auto* data = static_cast<const BYTE*>(stream.Memory());
    return Bytes(data, data + stream.Size());
}

void Fill(TMemoryStream& stream, const Bytes& bytes)
{
    stream.Clear();
    stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
    stream.SetPosition(0);
}

Bytes Picture(std::size_t size)
{
    Bytes bytes(size);
    std::uint32_t seed = 99;
    for (std::size_t i = 0; i < size; ++i) {
        seed = seed * 1664525u + 1013904223u;
        bytes[i] = (i % 64) < 48 ? static_cast<BYTE>(i / 640) : static_cast<BYTE>(seed >> 24);
    }
    return bytes;
}

Bytes Pack(const Bytes& input)
{
    TMemoryStream source;
    TMemoryStream packed;
    Fill(source, input);
    SaveCompressedStream(source, packed, static_cast<std::int64_t>(input.size()));
    return Content(packed);
}

Bytes Unpack(const Bytes& packed)
{
    TMemoryStream source;
    TMemoryStream output;
    Fill(source, packed);
    LoadCompressedStream(source, output);
    return Content(output);
}

std::int32_t Int_At(const Bytes& bytes, std::size_t at)
{
    std::int32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

TEST(Sclstreamutils, IntegersAreLittleEndian)
{
    TMemoryStream stream;
    stWriteInteger(stream, -2);
    stWriteWord(stream, 0x1234);
    stWriteByte(stream, 0xAB);
    EXPECT_EQ(Content(stream), (Bytes{0xFE, 0xFF, 0xFF, 0xFF, 0x34, 0x12, 0xAB}));
    stream.SetPosition(0);
    EXPECT_EQ(stReadInteger(stream), -2);
    EXPECT_EQ(stReadWord(stream), 0x1234);
    EXPECT_EQ(stReadByte(stream), 0xAB);
    EXPECT_THROW(stReadByte(stream), EReadError);
}

TEST(Sclstreamutils, StringsAreStoredWithOneLengthByteAndLongOnesCut)
{
    struct Case {
        std::size_t length;
        std::size_t stored;
    };
    const std::vector<Case> cases{{0, 0}, {1, 1}, {254, 254}, {255, 255}, {256, 255}, {300, 255}};
    for (const auto& c : cases) {
        std::string text;
        for (std::size_t i = 0; i < c.length; ++i)
            text += static_cast<char>('a' + i % 26);
        TMemoryStream stream;
        stWriteString(stream, text);
        const Bytes bytes = Content(stream);
        ASSERT_EQ(bytes.size(), 1 + c.stored) << c.length;
        EXPECT_EQ(bytes[0], c.stored) << c.length;
        stream.SetPosition(0);
        EXPECT_EQ(stReadString(stream), text.substr(0, c.stored)) << c.length;
    }
}

TEST(Sclstreamutils, ALongStringIsCutAtTheLastWholeCharacterThatFits)
{
    struct Case {
        std::size_t ascii;  // "a"s before the character
        std::string character;
        std::size_t stored; // bytes kept
    };
    const std::string two = "\xC3\xA9";        // é
    const std::string three = "\xE2\x82\xAC"; // €
    const std::vector<Case> cases{
        {254, two, 254}, {253, two, 255}, {254, three, 254}, {253, three, 253}, {252, three, 255},
    };
    for (const auto& c : cases) {
        const std::string text = std::string(c.ascii, 'a') + c.character + std::string(10, 'z');
        TMemoryStream stream;
        stWriteString(stream, text);
        const Bytes bytes = Content(stream);
        ASSERT_EQ(bytes.size(), 1 + c.stored) << c.ascii << " " << c.character;
        EXPECT_EQ(bytes[0], c.stored) << c.ascii << " " << c.character;
        stream.SetPosition(0);
        EXPECT_EQ(stReadString(stream), text.substr(0, c.stored)) << c.ascii << " " << c.character;
    }
}

TEST(Sclstreamutils, StoredStringOf255CharactersReads)
{
    TMemoryStream stream;
    Bytes bytes{255};
    bytes.insert(bytes.end(), 255, 'z');
    bytes.push_back(7);
    Fill(stream, bytes);
    EXPECT_EQ(stReadString(stream), std::string(255, 'z'));
    EXPECT_EQ(stReadByte(stream), 7);
}

TEST(Sclstreamutils, DamagedStringLengthsRaise)
{
    const std::vector<Bytes> damaged{
        {5, 'a', 'b'},
        {255, 'a'},
        {1},
    };
    for (const auto& bytes : damaged) {
        TMemoryStream stream;
        Fill(stream, bytes);
        EXPECT_THROW(stReadString(stream), Exception);
    }
}

TEST(Sclstreamutils, StringListsPlainAndCompressed)
{
    TStringList lines;
    lines.Add("first");
    lines.Add("");
    lines.Add(std::string(400, 'z'));
    for (const bool compressed : {false, true}) {
        TMemoryStream stream;
        stWriteStringList(stream, lines, compressed);
        stWriteByte(stream, 0x77);
        stream.SetPosition(0);
        TStringList read;
        read.Add("old content");
        stReadStringList(stream, read, compressed);
        EXPECT_EQ(read.Text(), lines.Text());
        EXPECT_EQ(stReadByte(stream), 0x77);
    }
    TMemoryStream plain;
    TStringList two;
    two.Add("a");
    two.Add("b");
    stWriteStringList(plain, two, false);
    EXPECT_EQ(Content(plain), (Bytes{6, 0, 0, 0, 'a', '\r', '\n', 'b', '\r', '\n'}));

    TMemoryStream damaged;
    Fill(damaged, {100, 0, 0, 0, 'a'});
    EXPECT_THROW(stReadStringList(damaged, two, false), Exception);
}

TEST(Sclstreamutils, CompressedStreamLayoutAtBlockBoundaries)
{
    const std::vector<std::size_t> sizes{0, 1, SCLLZRWMaxInput - 1, SCLLZRWMaxInput, SCLLZRWMaxInput + 1,
                                         3 * SCLLZRWMaxInput + 100};
    for (const std::size_t size : sizes) {
        const Bytes input = Picture(size);
        const Bytes packed = Pack(input);
        // The total counts what follows it; blocks carry their own lengths.
        ASSERT_EQ(Int_At(packed, 0), static_cast<std::int32_t>(packed.size() - 4)) << size;
        std::size_t at = 4;
        std::size_t blocks = 0;
        while (at < packed.size()) {
            const auto length = static_cast<std::size_t>(Int_At(packed, at));
            EXPECT_LE(length, SCLLZRWMaxBlock);
            at += 4 + length;
            ++blocks;
        }
        EXPECT_EQ(at, packed.size());
        EXPECT_EQ(blocks, (size + SCLLZRWMaxInput - 1) / SCLLZRWMaxInput) << size;
        EXPECT_EQ(Unpack(packed), input) << size;
    }
    EXPECT_EQ(Pack({}), (Bytes{0, 0, 0, 0}));
}

TEST(Sclstreamutils, SavingMoreThanTheSourceHoldsRaises)
{
    TMemoryStream source;
    TMemoryStream packed;
    Fill(source, Bytes(10, 1));
    EXPECT_THROW(SaveCompressedStream(source, packed, 11), EReadError);
}

TEST(Sclstreamutils, TruncatedOrDamagedCompressedStreamsRaise)
{
    const Bytes good = Pack(Picture(2 * SCLLZRWMaxInput));
    const std::size_t second_block = 8 + static_cast<std::size_t>(Int_At(good, 4));
    auto with_int = [&](std::size_t at, std::int32_t value) {
        Bytes bytes = good;
        std::memcpy(bytes.data() + at, &value, 4);
        return bytes;
    };
    const std::vector<Bytes> damaged{
        Bytes(good.begin(), good.begin() + 3),
        Bytes(good.begin(), good.end() - 1),
        Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(second_block + 2)),
        with_int(0, -8),
        with_int(0, static_cast<std::int32_t>(good.size())),
        with_int(0, 2),
        with_int(4, 0),
        with_int(4, -1),
        with_int(4, static_cast<std::int32_t>(SCLLZRWMaxBlock + 1)),
        with_int(second_block, Int_At(good, second_block) + 1),
    };
    for (std::size_t i = 0; i < damaged.size(); ++i)
        EXPECT_THROW(Unpack(damaged[i]), Exception) << i;
}

TEST(Sclstreamutils, CorruptedCompressedStreamsNeverOverrun)
{
    const Bytes good = Pack(Picture(40000));
    std::uint32_t seed = 777;
    for (int round = 0; round < 500; ++round) {
        Bytes bytes = good;
        seed = seed * 1664525u + 1013904223u;
        bytes[(seed >> 8) % bytes.size()] ^= static_cast<BYTE>(seed >> 24 | 1);
        try {
            Unpack(bytes);
        } catch (const Exception&) {
        }
    }
}

} // namespace
