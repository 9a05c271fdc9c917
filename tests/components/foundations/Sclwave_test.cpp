#include "components/foundations/Sclwave.h"

#include <gtest/gtest.h>

#include <fstream>

#include "components/foundations/Sclstreamutils.h"
#include "tests/platform/winapi/Test_Sound_Device.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Fill(TMemoryStream& stream, const Bytes& bytes)
{
    stream.Clear();
    stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
    stream.SetPosition(0);
}

Bytes Content(TMemoryStream& stream)
{
    const auto* data = static_cast<const std::uint8_t*>(stream.Memory());
    return Bytes(data, data + stream.Size());
}

void Put32(Bytes& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::unique_ptr<TMemoryStream> Stream_Of(const Bytes& bytes)
{
    auto stream = std::make_unique<TMemoryStream>();
    Fill(*stream, bytes);
    return stream;
}

const Bytes Stereo16 = Make_Test_Wave(Test_Samples(400), 2, 22050, 16);

TEST(Sclwave, HeaderCheckReadsTheFormatOrRefusesTheHeader)
{
    struct Case {
        const char* name;
        Bytes wave;
        bool accepted;
    };
    auto changed = [](std::size_t at, std::uint32_t value) {
        Bytes wave = Stereo16;
        Put32(wave, at, value);
        return wave;
    };
    const Case cases[] = {
        {"valid", Stereo16, true},
        {"truncated after the RIFF size", Bytes(Stereo16.begin(), Stereo16.begin() + 30), false},
        {"wrong RIFF id", changed(0, 0x46464952 + 1), false},
        {"wrong WAVE id", changed(8, 0x45564157 + 1), false},
        {"wrong fmt id", changed(12, 0x20746D66 + 1), false},
        {"RIFF size past the data", changed(4, static_cast<std::uint32_t>(Stereo16.size() - 7)), false},
        {"RIFF size absurd", changed(4, 0xFFFFFFF0u), false},
        {"RIFF size too small for a format", changed(4, 20), false},
        {"format chunk too short", changed(16, 14), false},
        {"format chunk past the RIFF chunk", changed(16, 0x7FFFFFFF), false},
    };
    for (const Case& c : cases) {
        TMemoryStream stream;
        Fill(stream, c.wave);
        stream.SetPosition(0);
        TSCLWaveInfo info;
        EXPECT_EQ(SCLGetWaveStreamInfo(&stream, info), c.accepted) << c.name;
        EXPECT_EQ(stream.Position(), 0) << c.name;
        if (c.accepted) {
            EXPECT_EQ(info.Size, static_cast<std::int32_t>(Stereo16.size() - 8));
            EXPECT_EQ(info.SampleRate, 22050);
            EXPECT_EQ(info.ChannelMode, cmStereo);
            EXPECT_EQ(info.Format, wfPCM);
            EXPECT_EQ(info.Bits, 16);
        }
    }
    TSCLWaveInfo info;
    TMemoryStream empty;
    EXPECT_FALSE(SCLGetWaveStreamInfo(&empty, info));
    EXPECT_FALSE(SCLGetWaveStreamInfo(nullptr, info));
}

TEST(Sclwave, FormatTagAndChannelCountMapToTheirModes)
{
    TMemoryStream stream;
    TSCLWaveInfo info;
    Fill(stream, Make_Test_Wave(Test_Samples(30), 3, 8000, 8, 3));
    ASSERT_TRUE(SCLGetWaveStreamInfo(&stream, info));
    EXPECT_EQ(info.ChannelMode, cmUnknown);
    EXPECT_EQ(info.Format, wfUnknown);
    Fill(stream, Make_Test_Wave(Test_Samples(30), 1));
    ASSERT_TRUE(SCLGetWaveStreamInfo(&stream, info));
    EXPECT_EQ(info.ChannelMode, cmMono);
}

TEST(Sclwave, HeaderCutShortRaisesNamingTheFile)
{
    TMemoryStream stream;
    Fill(stream, Bytes(Stereo16.begin(), Stereo16.begin() + 6));
    TSCLWaveInfo info;
    try {
        SCLGetWaveStreamInfo(&stream, info);
        FAIL() << "no error";
    } catch (const EErrorCheckingWave& e) {
        EXPECT_STREQ(e.what(), "GetWaveData: Impossible d'ouvrir le fichier (flux)");
    }

    const std::filesystem::path folder = Make_Temp_Folder("wave");
    const std::string file = (folder / "short.wav").string();
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(Stereo16.data()), 6);
    try {
        SCLGetWaveFileInfo(file, info);
        FAIL() << "no error";
    } catch (const EErrorCheckingWave& e) {
        EXPECT_EQ(std::string(e.what()), "GetWaveData: Impossible d'ouvrir le fichier " + file);
    }
    EXPECT_FALSE(SCLGetWaveFileInfo((folder / "missing.wav").string(), info));
    std::filesystem::remove_all(folder);
}

TEST(Sclwave, EveryStoredFormRoundTripsByteIdentical)
{
    TSCLWave wave;
    TMemoryStream source;
    Fill(source, Stereo16);
    wave.LoadFromStream(source);
    ASSERT_EQ(wave.Size(), std::ssize(Stereo16));
    EXPECT_EQ(wave.SampleRate(), 22050);

    for (bool compressed : {false, true}) {
        TMemoryStream stored;
        stWriteByte(stored, 0xA5); // the wave sits inside other data
        stWriteWave(stored, wave, compressed);
        stWriteByte(stored, 0x5A);
        stored.SetPosition(1);
        TSCLWave copy;
        stReadWave(stored, copy, compressed);
        EXPECT_EQ(stReadByte(stored), 0x5A) << compressed;
        TMemoryStream image;
        copy.SaveToStream(image);
        EXPECT_EQ(Content(image), Stereo16) << compressed;
    }

    const std::filesystem::path folder = Make_Temp_Folder("wave");
    const std::string file = (folder / "sound.wav").string();
    wave.SaveToFile(file);
    TSCLWave from_file(file);
    TMemoryStream image;
    from_file.SaveToStream(image);
    EXPECT_EQ(Content(image), Stereo16);
    std::filesystem::remove_all(folder);
}

TEST(Sclwave, AnEmptyWaveStoresAsSizeZeroAndReadsBackEmpty)
{
    TSCLWave empty;
    for (bool compressed : {false, true}) {
        TMemoryStream stored;
        stWriteWave(stored, empty, compressed);
        stWriteByte(stored, 7);
        EXPECT_EQ(stored.Size(), 5) << compressed;
        stored.SetPosition(0);
        TSCLWave copy;
        copy.LoadFromStream(*Stream_Of(Stereo16));
        stReadWave(stored, copy, compressed);
        EXPECT_TRUE(copy.Empty()) << compressed;
        EXPECT_EQ(copy.Info().SampleRate, 0);
    }
}

TEST(Sclwave, DamagedStoredWavesRaiseAndKeepTheHeldWave)
{
    struct Case {
        const char* name;
        Bytes stored;
    };
    Bytes not_a_wave = {16, 0, 0, 0};
    not_a_wave.resize(20, 'x');
    Bytes size_past_end = {0xFF, 0xFF, 0, 0};
    size_past_end.insert(size_past_end.end(), Stereo16.begin(), Stereo16.end());
    Bytes negative_size = {0xFE, 0xFF, 0xFF, 0xFF, 1, 2, 3};
    const Case cases[] = {{"not a wave", not_a_wave},
                          {"size past the end", size_past_end},
                          {"negative size", negative_size}};
    for (const Case& c : cases) {
        TSCLWave wave;
        wave.LoadFromStream(*Stream_Of(Stereo16));
        EXPECT_THROW(wave.LoadFromStreamEx(*Stream_Of(c.stored)), Exception) << c.name;
        EXPECT_EQ(wave.Size(), std::ssize(Stereo16)) << c.name;
    }
    TSCLWave wave;
    try {
        wave.LoadFromStreamEx(*Stream_Of(not_a_wave));
        FAIL() << "no error";
    } catch (const EInvalidWave& e) {
        EXPECT_STREQ(e.what(), "TSCLWave: Impossible d'ouvrir le fichier (flux)");
    }
}

TEST(Sclwave, AssignCopiesEmptiesOrRefusesAndEveryNewWaveNotifies)
{
    TSCLWave source;
    source.LoadFromStream(*Stream_Of(Stereo16));
    TSCLWave target;
    int changes = 0;
    target.OnChange = [&](TObject*) { ++changes; };

    target.Assign(&source);
    EXPECT_EQ(changes, 1);
    TMemoryStream image;
    target.SaveToStream(image);
    EXPECT_EQ(Content(image), Stereo16);
    source.FreeWave();
    EXPECT_EQ(target.Size(), std::ssize(Stereo16)); // a copy, not shared

    target.Assign(nullptr);
    EXPECT_TRUE(target.Empty());
    EXPECT_EQ(changes, 2);
    TSCLObject other;
    EXPECT_THROW(target.Assign(&other), EConvertError);
}

// Keeps what a DefineProperties defines.
class Recording_Filer : public TFiler {
public:
    void DefineProperty(const std::string&, const TReaderProc&, const TWriterProc&, bool) override {}
    void DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                              bool HasData) override
    {
        name = Name;
        read = ReadData;
        write = WriteData;
        has_data = HasData;
    }
    std::string name;
    TStreamProc read;
    TStreamProc write;
    bool has_data = false;
};

TEST(Sclwave, StoredDataPropertyIsTheSizeThenTheImage)
{
    TSCLWave wave;
    Recording_Filer filer;
    wave.DefineProperties(filer);
    EXPECT_EQ(filer.name, "Data");
    EXPECT_FALSE(filer.has_data);

    wave.LoadFromStream(*Stream_Of(Stereo16));
    wave.DefineProperties(filer);
    EXPECT_TRUE(filer.has_data);
    TMemoryStream stored;
    filer.write(stored);
    Bytes expected = {0, 0, 0, 0};
    Put32(expected, 0, static_cast<std::uint32_t>(Stereo16.size()));
    expected.insert(expected.end(), Stereo16.begin(), Stereo16.end());
    EXPECT_EQ(Content(stored), expected);

    TSCLWave copy;
    copy.DefineProperties(filer);
    stored.SetPosition(0);
    filer.read(stored);
    EXPECT_EQ(copy.Size(), std::ssize(Stereo16));
}

TEST(Sclwave, PlaysOnlyAWholeWaveOnADevice)
{
    TSCLWave wave;
    {
        Temp_Sound_Device none(false);
        EXPECT_FALSE(SCLMMWavePossible());
        wave.LoadFromStream(*Stream_Of(Stereo16));
        EXPECT_FALSE(wave.Play());
        EXPECT_FALSE(wave.PlaySound(sdSync));
    }
    Temp_Sound_Device device(true);
    EXPECT_TRUE(SCLMMWavePossible());
    EXPECT_TRUE(wave.PlaySound(sdSync));
    EXPECT_EQ(device.Played(), Test_Samples(400));
    EXPECT_TRUE(wave.PlaySound(sdLoop));
    wave.Stop();

    TSCLWave empty;
    EXPECT_FALSE(empty.Play());
    Bytes cut = Stereo16;
    cut.resize(cut.size() - 10); // RIFF size now past the image
    TSCLWave damaged;
    damaged.NewWave(Stream_Of(cut));
    EXPECT_FALSE(damaged.Play());
}

} // namespace
