#pragma once
// The bodies of the fuzz targets, shared by the libFuzzer programs and by
// the plain corpus driver that the normal test run uses. Each hands Data to
// the readers of stored data: their own errors (Exception) are the expected
// answer to damaged data; a crash, an out-of-bounds access, any other
// exception or a failed round trip is a finding.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

#include "components/foundations/Sclcont.h"
#include "components/foundations/Sclprocs.h"
#include "components/foundations/Sclstreamutils.h"
#include "components/foundations/Sclwave.h"
#include "platform/classlib/Graphics_Bitmap.h"

namespace fuzz {

inline void Fill(TMemoryStream& Stream, const std::uint8_t* Data, std::size_t Size)
{
    if (Size > 0)
        Stream.WriteBuffer(Data, static_cast<int>(Size));
    Stream.SetPosition(0);
}

template <class Reader>
void Expect_Clean(Reader Read)
{
    try {
        Read();
    } catch (const Exception&) {
        // damaged data, reported as the readers report it
    }
}

} // namespace fuzz

// Data as one LZRW block and as a compressed stream; then Data packed and
// unpacked again must come back unchanged.
inline int Fuzz_Lzrw(const std::uint8_t* Data, std::size_t Size)
{
    if (Size > 0 && Size <= SCLLZRWMaxBlock) {
        std::vector<BYTE> output(SCLLZRWMaxInput);
        fuzz::Expect_Clean([&] { SCLLZRWDecompress(std::span(Data, Size), output); });
    }
    TMemoryStream input;
    fuzz::Fill(input, Data, Size);
    TMemoryStream unpacked;
    fuzz::Expect_Clean([&] { LoadCompressedStream(input, unpacked); });

    input.SetPosition(0);
    TMemoryStream packed;
    SaveCompressedStream(input, packed, static_cast<std::int64_t>(Size));
    packed.SetPosition(0);
    TMemoryStream round_trip;
    LoadCompressedStream(packed, round_trip);
    if (round_trip.Size() != static_cast<std::int64_t>(Size)
        || (Size > 0 && std::memcmp(round_trip.Memory(), Data, Size) != 0))
        std::abort();
    return 0;
}

// Data as a whole list file.
inline int Fuzz_List(const std::uint8_t* Data, std::size_t Size)
{
    TMemoryStream stream;
    fuzz::Fill(stream, Data, Size);
    fuzz::Expect_Clean([&] { SCLReadListStream(stream); });
    return 0;
}

// The first byte picks a stored form; the rest is the stored data.
inline int Fuzz_Streams(const std::uint8_t* Data, std::size_t Size)
{
    if (Size == 0)
        return 0;
    TMemoryStream stream;
    fuzz::Fill(stream, Data + 1, Size - 1);
    const bool compressed = (Data[0] & 1) != 0;
    fuzz::Expect_Clean([&] {
        switch (Data[0] % 8 / 2) {
        case 0: {
            stReadString(stream);
            break;
        }
        case 1: {
            TStringList strings;
            stReadStringList(stream, strings, compressed);
            break;
        }
        case 2: {
            TBitmap bitmap;
            stReadBitmap(stream, bitmap, compressed);
            break;
        }
        default: {
            TSCLWave wave;
            stReadWave(stream, wave, compressed);
            wave.Info();
        }
        }
    });
    return 0;
}

// The first byte picks one of the container's lists and whether the data is
// indexed; the rest is that list's stored data. What was read must write
// out and read back.
inline int Fuzz_Container(const std::uint8_t* Data, std::size_t Size)
{
    if (Size == 0)
        return 0;
    TMemoryStream stream;
    fuzz::Fill(stream, Data + 1, Size - 1);
    const bool indexed = (Data[0] & 4) != 0;
    const auto list = [&](TSCLContainer& container) -> TSCLCustomContainer* {
        switch (Data[0] & 3) {
        case 0: return container.BitmapList();
        case 1: return container.ImageList();
        case 2: return container.WaveList();
        default: return container.StringList();
        }
    };
    TSCLContainer read(nullptr);
    bool whole = false;
    fuzz::Expect_Clean([&] {
        list(read)->ReadData(stream, indexed);
        whole = true;
    });
    if (!whole)
        return 0;
    TMemoryStream written;
    list(read)->WriteData(written, indexed);
    written.SetPosition(0);
    TSCLContainer again(nullptr);
    list(again)->ReadData(written, indexed);
    if (list(again)->Count() != list(read)->Count())
        std::abort();
    return 0;
}
