#include "components/foundations/Sclstreamutils.h"

#include <array>
#include <limits>
#include <span>
#include <vector>

#include "components/foundations/Sclprocs.h"
#include "components/foundations/Sclwave.h"
#include "platform/classlib/Graphics_Bitmap.h"
#include "platform/classlib/Graphics_Bmp.h"

namespace {

// The most bytes one length byte can count.
constexpr std::size_t Max_String_Length = 255;

bool Is_Continuation_Byte(char Byte)
{
    return (static_cast<unsigned char>(Byte) & 0xC0) == 0x80;
}

// The longest head of S within Limit bytes that ends on a whole UTF-8
// character, so that a cut never leaves a stray lead byte. A character has
// at most three continuation bytes; a longer run is no UTF-8 and is cut at
// the limit.
std::string Whole_Characters_Within(const std::string& S, std::size_t Limit)
{
    if (S.size() <= Limit)
        return S;
    constexpr std::size_t Longest_Continuation = 3;
    std::size_t end = Limit;
    while (end > 0 && Limit - end < Longest_Continuation && Is_Continuation_Byte(S[end]))
        --end;
    return S.substr(0, Is_Continuation_Byte(S[end]) ? Limit : end);
}

template <std::size_t N>
void Write_Little_Endian(TStream& Stream, std::uint32_t Value)
{
    std::array<BYTE, N> bytes{};
    for (std::size_t i = 0; i < N; ++i)
        bytes[i] = static_cast<BYTE>(Value >> (8 * i));
    Stream.WriteBuffer(bytes.data(), static_cast<int>(N));
}

template <std::size_t N>
std::uint32_t Read_Little_Endian(TStream& Stream)
{
    std::array<BYTE, N> bytes{};
    Stream.ReadBuffer(bytes.data(), static_cast<int>(N));
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < N; ++i)
        value |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
    return value;
}

std::int64_t Bytes_Left(TStream& Stream)
{
    return Stream.Size() - Stream.Position();
}

// A stored length that must fit the bytes still in the stream.
int Checked_Length(std::int64_t Length, std::int64_t Limit, const char* What)
{
    if (Length < 0 || Length > Limit)
        throw Exception(std::string("Damaged stream: ") + What + " length " + std::to_string(Length)
                        + " where at most " + std::to_string(Limit) + " bytes remain");
    return static_cast<int>(Length);
}

std::string Read_Text(TStream& Stream, int Length)
{
    std::string text(static_cast<std::size_t>(Length), '\0');
    Stream.ReadBuffer(text.data(), Length);
    return text;
}

void Write_Text(TStream& Stream, const std::string& Text)
{
    Stream.WriteBuffer(Text.data(), static_cast<int>(Text.size()));
}

int Dib_Bits(int Colors, const Bmp_Picture& Picture, bool Monochrome)
{
    if (Monochrome)
        return 1;
    switch (Colors) {
    case 0: return Picture.bits_per_pixel > 8 ? 24 : Picture.bits_per_pixel;
    case 2: return 1;
    case 16: return 4;
    case 256: return 8;
    default: throw Exception("Cannot store a bitmap with " + std::to_string(Colors) + " colours");
    }
}

// A stored length that must be an int32.
std::int32_t Stored_Length(std::int64_t Length)
{
    if (Length > std::numeric_limits<std::int32_t>::max())
        throw Exception("Data of " + std::to_string(Length) + " bytes is too long to store");
    return static_cast<std::int32_t>(Length);
}

void Write_Bitmap_File(TStream& Stream, TBitmap& Bitmap, int Colors)
{
    if (Colors == -1)
        Bitmap.SaveToStream(Stream);
    else
        SCLBmpSaveDIBStream(Stream, Bitmap, Colors);
}

} // namespace

void stWriteInteger(TStream& Stream, std::int32_t Value)
{
    Write_Little_Endian<4>(Stream, static_cast<std::uint32_t>(Value));
}

std::int32_t stReadInteger(TStream& Stream)
{
    return static_cast<std::int32_t>(Read_Little_Endian<4>(Stream));
}

void stWriteWord(TStream& Stream, WORD Value)
{
    Write_Little_Endian<2>(Stream, Value);
}

WORD stReadWord(TStream& Stream)
{
    return static_cast<WORD>(Read_Little_Endian<2>(Stream));
}

void stWriteByte(TStream& Stream, BYTE Value)
{
    Stream.WriteBuffer(&Value, 1);
}

BYTE stReadByte(TStream& Stream)
{
    BYTE value = 0;
    Stream.ReadBuffer(&value, 1);
    return value;
}

void stWriteString(TStream& Stream, const std::string& S)
{
    // The stored format has one length byte: a longer string keeps what
    // fits rather than wrapping its length around.
    const std::string kept = Whole_Characters_Within(S, Max_String_Length);
    stWriteByte(Stream, static_cast<BYTE>(kept.size()));
    Write_Text(Stream, kept);
}

std::string stReadString(TStream& Stream)
{
    const std::int64_t length = stReadByte(Stream);
    return Read_Text(Stream, Checked_Length(length, Bytes_Left(Stream), "string"));
}

void stWriteStringList(TStream& Stream, const TStrings& Strings, bool Compressed)
{
    const std::string text = Strings.Text();
    if (Compressed) {
        TMemoryStream packed_text;
        Write_Text(packed_text, text);
        packed_text.SetPosition(0);
        SaveCompressedStream(packed_text, Stream, packed_text.Size());
        return;
    }
    stWriteInteger(Stream, static_cast<std::int32_t>(text.size()));
    Write_Text(Stream, text);
}

void stReadStringList(TStream& Stream, TStrings& Strings, bool Compressed)
{
    if (Compressed) {
        TMemoryStream unpacked;
        LoadCompressedStream(Stream, unpacked);
        unpacked.SetPosition(0);
        Strings.SetText(Read_Text(unpacked, static_cast<int>(unpacked.Size())));
        return;
    }
    const std::int64_t length = stReadInteger(Stream);
    Strings.SetText(Read_Text(Stream, Checked_Length(length, Bytes_Left(Stream), "string list")));
}

void SaveCompressedStream(TStream& Source, TStream& Dest, std::int64_t Count)
{
    const std::int64_t start = Dest.Position();
    stWriteInteger(Dest, 0);
    std::vector<BYTE> input(SCLLZRWMaxInput);
    std::vector<BYTE> block(SCLLZRWMaxInput + SCLLZRWDestSlack);
    std::int64_t total = 0;
    for (std::int64_t left = Count; left > 0;) {
        const auto n = static_cast<std::size_t>(std::min<std::int64_t>(left, SCLLZRWMaxInput));
        Source.ReadBuffer(input.data(), static_cast<int>(n));
        const WORD length = SCLLZRWCompress(std::span(input).first(n), block);
        stWriteInteger(Dest, length);
        Dest.WriteBuffer(block.data(), length);
        total += 4 + length;
        left -= static_cast<std::int64_t>(n);
    }
    if (total > std::numeric_limits<std::int32_t>::max())
        throw Exception("Compressed stream of " + std::to_string(total) + " bytes is too long to store");
    const std::int64_t end = Dest.Position();
    Dest.SetPosition(start);
    stWriteInteger(Dest, static_cast<std::int32_t>(total));
    Dest.SetPosition(end);
}

void LoadCompressedStream(TStream& Source, TStream& Dest)
{
    std::int64_t left = stReadInteger(Source);
    Checked_Length(left, Bytes_Left(Source), "compressed stream");
    std::vector<BYTE> block(SCLLZRWMaxBlock);
    std::vector<BYTE> output(SCLLZRWMaxInput);
    while (left > 0) {
        Checked_Length(4, left, "block header");
        const std::int64_t stored = stReadInteger(Source);
        const int length = Checked_Length(stored, std::min<std::int64_t>(left - 4, SCLLZRWMaxBlock), "block");
        Source.ReadBuffer(block.data(), length);
        const WORD count = SCLLZRWDecompress(std::span(block).first(static_cast<std::size_t>(length)), output);
        Dest.WriteBuffer(output.data(), count);
        left -= 4 + length;
    }
}

void SCLBmpSaveDIBStream(TStream& Stream, TBitmap& Bitmap, int Colors)
{
    if (Bitmap.Empty())
        throw Exception("Image bitmap incorrecte");
    TMemoryStream own;
    Bitmap.SaveToStream(own);
    own.SetPosition(0);
    Bmp_Picture picture = Read_Bmp(own);
    const int bits = Dib_Bits(Colors, picture, Bitmap.Monochrome());
    if (bits <= 8) {
        // The table's own colours when they fit, and always 2^bits entries.
        const std::vector<RGBQUAD> kept = picture.bits_per_pixel == bits ? picture.color_table : std::vector<RGBQUAD>{};
        picture.color_table = Bmp_Color_Table(picture.pixels, bits, kept);
        picture.color_table.resize(std::size_t(1) << bits);
    } else {
        picture.color_table.clear();
    }
    picture.bits_per_pixel = bits;
    Write_Bmp(Stream, picture);
    Stream.SetPosition(0);
}

void stWriteBitmap(TStream& Stream, TBitmap& Bitmap, bool Compressed, int Colors)
{
    TMemoryStream file;
    Write_Bitmap_File(file, Bitmap, Colors);
    file.SetPosition(0);
    if (Compressed) {
        SaveCompressedStream(file, Stream, file.Size());
        return;
    }
    stWriteInteger(Stream, Stored_Length(file.Size()));
    Stream.CopyFrom(file, file.Size());
}

void stReadBitmap(TStream& Stream, TBitmap& Bitmap, bool Compressed)
{
    TMemoryStream file;
    if (Compressed) {
        LoadCompressedStream(Stream, file);
    } else {
        const int length = Checked_Length(stReadInteger(Stream), Bytes_Left(Stream), "bitmap");
        if (length > 0)
            file.CopyFrom(Stream, length);
    }
    if (file.Size() == 0) {
        Bitmap.Assign(nullptr);
        return;
    }
    file.SetPosition(0);
    Bitmap.LoadFromStream(file);
}

void stWriteWave(TStream& Stream, TSCLWave& Wave, bool Compressed)
{
    if (Compressed)
        Wave.SaveCompressedToStream(Stream);
    else
        Wave.SaveToStreamEx(Stream);
}

void stReadWave(TStream& Stream, TSCLWave& Wave, bool Compressed)
{
    if (Compressed)
        Wave.LoadCompressedFromStream(Stream);
    else
        Wave.LoadFromStreamEx(Stream);
}
