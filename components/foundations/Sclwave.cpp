#include "components/foundations/Sclwave.h"

#include <array>
#include <cstring>
#include <filesystem>

#include "components/foundations/Sclstreamutils.h"
#include "platform/winapi/Sound.h"

namespace {

constexpr char Cannot_Open[] = "Impossible d'ouvrir le fichier %s";
// RIFF size + "WAVE" + "fmt " + format size + the 16 bytes of format fields.
constexpr std::uint32_t Format_Fields = 16;
constexpr std::uint32_t Smallest_Riff = 4 + 8 + Format_Fields;

std::string Stream_Name(TStream& Stream)
{
    const auto* file = dynamic_cast<const TFileStream*>(&Stream);
    return file ? file->FileName() : "(flux)";
}

bool Read_Id(TStream& Stream, const char* Id)
{
    std::array<char, 4> id{};
    Stream.ReadBuffer(id.data(), 4);
    return std::memcmp(id.data(), Id, 4) == 0;
}

std::uint32_t Read_Uint32(TStream& Stream)
{
    return static_cast<std::uint32_t>(stReadInteger(Stream));
}

// The header check proper; false for a refused header, with the stream
// left where the refusal was found.
bool Read_Header(TStream& Stream, TSCLWaveInfo& Info)
{
    if (!Read_Id(Stream, "RIFF"))
        return false;
    const std::uint32_t riff_size = Read_Uint32(Stream);
    Info.Size = static_cast<std::int32_t>(riff_size);
    const auto left = static_cast<std::uint64_t>(Stream.Size() - Stream.Position());
    if (riff_size < Smallest_Riff || riff_size > left)
        return false;
    if (!Read_Id(Stream, "WAVE") || !Read_Id(Stream, "fmt "))
        return false;
    const std::uint32_t format_size = Read_Uint32(Stream);
    if (format_size < Format_Fields || format_size > riff_size - 12)
        return false;
    const WORD tag = stReadWord(Stream);
    const WORD channels = stReadWord(Stream);
    Info.SampleRate = stReadInteger(Stream);
    stReadInteger(Stream); // average bytes per second
    stReadWord(Stream);    // block align
    Info.Bits = stReadWord(Stream);
    Info.Format = tag == 1 ? wfPCM : wfUnknown;
    Info.ChannelMode = channels == 1 ? cmMono : channels == 2 ? cmStereo : cmUnknown;
    return true;
}

bool Check_Wave(TStream& Stream, TSCLWaveInfo& Info, const std::string& Name)
{
    if (Stream.Size() == 0)
        return false;
    bool accepted = false;
    try {
        accepted = Read_Header(Stream, Info);
    } catch (const EStreamError&) {
        throw EErrorCheckingWave("GetWaveData: " + Format(Cannot_Open, Name));
    }
    Stream.SetPosition(0);
    return accepted;
}

const bool Wave_Registered = [] {
    RegisterClass<TSCLWave>("TSCLWave").DefineProperties(&TSCLWave::DefineProperties);
    return true;
}();

} // namespace

bool SCLMMWavePossible()
{
    return waveOutGetNumDevs() != 0;
}

bool SCLGetWaveStreamInfo(TStream* Stream, TSCLWaveInfo& Info)
{
    return Stream && Check_Wave(*Stream, Info, Stream_Name(*Stream));
}

bool SCLGetWaveFileInfo(const std::string& FileName, TSCLWaveInfo& Info)
{
    if (!std::filesystem::is_regular_file(FileName))
        return false;
    TFileStream file(FileName, fmOpenRead | fmShareDenyNone);
    return SCLGetWaveStreamInfo(&file, Info);
}

TSCLWave::TSCLWave(const std::string& FileName)
{
    LoadFromFile(FileName);
}

TSCLWave::~TSCLWave()
{
    if (stream)
        Stop();
}

void TSCLWave::DefineProperties(TFiler& Filer)
{
    Filer.DefineBinaryProperty(
        "Data", [this](TStream& Stream) { ReadData(Stream); }, [this](TStream& Stream) { WriteData(Stream); },
        stream != nullptr);
}

bool TSCLWave::Empty() const
{
    return !stream || stream->Size() == 0;
}

std::int64_t TSCLWave::Size() const
{
    return stream ? stream->Size() : 0;
}

TSCLWaveInfo TSCLWave::Info()
{
    TSCLWaveInfo info;
    if (!Empty())
        SCLGetWaveStreamInfo(stream.get(), info);
    return info;
}

WORD TSCLWave::Bits()
{
    return Info().Bits;
}

TSCLChannelMode TSCLWave::ChannelMode()
{
    return Info().ChannelMode;
}

TSCLWaveFormat TSCLWave::Format()
{
    return Info().Format;
}

std::int32_t TSCLWave::SampleRate()
{
    return Info().SampleRate;
}

void TSCLWave::Assign(TPersistent* Source)
{
    if (!Source) {
        NewWave(nullptr);
        return;
    }
    auto* wave = dynamic_cast<TSCLWave*>(Source);
    if (!wave) {
        TSCLObject::Assign(Source);
        return;
    }
    auto copy = std::make_unique<TMemoryStream>();
    if (wave->Size() > 0) {
        copy->CopyFrom(*wave->stream, 0);
        wave->stream->SetPosition(0);
    }
    NewWave(std::move(copy));
}

void TSCLWave::NewWave(std::unique_ptr<TMemoryStream> Stream)
{
    if (stream)
        Stop();
    stream = std::move(Stream);
    if (stream)
        stream->SetPosition(0);
    Change();
}

void TSCLWave::FreeWave()
{
    NewWave(nullptr);
}

void TSCLWave::ReadStream(std::int64_t Size, TStream& Source)
{
    if (Source.Size() == 0 || Size == 0) {
        NewWave(nullptr);
        return;
    }
    if (Size < 0 || Size > Source.Size() - Source.Position())
        throw EReadError("Stream read error: wave of " + std::to_string(Size) + " bytes where "
                         + std::to_string(Source.Size() - Source.Position()) + " remain");
    auto image = std::make_unique<TMemoryStream>();
    image->CopyFrom(Source, Size);
    image->SetPosition(0);
    TSCLWaveInfo info;
    const std::string name = Stream_Name(Source);
    if (!Check_Wave(*image, info, name))
        throw EInvalidWave(ClassName() + ": " + ::Format(Cannot_Open, name));
    NewWave(std::move(image));
}

void TSCLWave::WriteStream(TStream& Target, bool With_Size)
{
    if (!stream)
        stream = std::make_unique<TMemoryStream>();
    const std::int64_t size = stream->Size();
    if (With_Size)
        stWriteInteger(Target, static_cast<std::int32_t>(size));
    if (size != 0) {
        stream->SetPosition(0);
        Target.CopyFrom(*stream, size);
        stream->SetPosition(0);
    }
}

void TSCLWave::LoadFromFile(const std::string& FileName)
{
    TFileStream file(FileName, fmOpenRead | fmShareDenyRead);
    ReadStream(file.Size(), file);
}

void TSCLWave::LoadFromStream(TStream& Stream)
{
    ReadStream(Stream.Size() - Stream.Position(), Stream);
}

void TSCLWave::SaveToFile(const std::string& FileName)
{
    TMemoryStream image;
    SaveToStream(image);
    image.SaveToFile(FileName);
}

void TSCLWave::SaveToStream(TStream& Stream)
{
    WriteStream(Stream, false);
}

void TSCLWave::LoadFromStreamEx(TStream& Stream)
{
    ReadStream(stReadInteger(Stream), Stream);
}

void TSCLWave::SaveToStreamEx(TStream& Stream)
{
    WriteStream(Stream, true);
}

void TSCLWave::LoadCompressedFromStream(TStream& Stream)
{
    TMemoryStream unpacked;
    LoadCompressedStream(Stream, unpacked);
    unpacked.SetPosition(0);
    LoadFromStream(unpacked);
}

void TSCLWave::SaveCompressedToStream(TStream& Stream)
{
    TMemoryStream image;
    SaveToStream(image);
    image.SetPosition(0);
    SaveCompressedStream(image, Stream, image.Size());
}

bool TSCLWave::Play()
{
    return PlaySound(sdAsync);
}

bool TSCLWave::PlaySound(TSCLSndPlayMode Mode)
{
    if (Empty() || !SCLMMWavePossible())
        return false;
    // The sound call trusts the image's RIFF size: only a whole image goes.
    TSCLWaveInfo info;
    if (!SCLGetWaveStreamInfo(stream.get(), info))
        return false;
    const UINT flags = Mode == sdSync ? SND_NODEFAULT | SND_MEMORY
                       : Mode == sdLoop ? SND_ASYNC | SND_NODEFAULT | SND_MEMORY | SND_LOOP
                                        : SND_ASYNC | SND_NODEFAULT | SND_MEMORY;
    return sndPlaySound(static_cast<LPCSTR>(stream->Memory()), flags) != FALSE;
}

void TSCLWave::Stop()
{
    sndPlaySound(nullptr, SND_MEMORY);
}
