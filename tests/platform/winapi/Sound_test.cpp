#include "platform/winapi/Sound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <fstream>
#include <string>

#include "tests/platform/winapi/Test_Sound_Device.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

LPCSTR Image(const Bytes& wave)
{
    return reinterpret_cast<LPCSTR>(wave.data());
}

TEST(Sound, WithoutADeviceEveryPlayAnswersFalseAndNoneHangs)
{
    Temp_Sound_Device device(false);
    const Bytes wave = Make_Test_Wave(Test_Samples(800));
    EXPECT_EQ(waveOutGetNumDevs(), 0u);
    for (UINT flags : {SND_MEMORY | SND_NODEFAULT, SND_ASYNC | SND_NODEFAULT | SND_MEMORY,
                       SND_ASYNC | SND_NODEFAULT | SND_MEMORY | SND_LOOP})
        EXPECT_EQ(sndPlaySound(Image(wave), flags), FALSE) << flags;
    EXPECT_EQ(sndPlaySound(nullptr, SND_MEMORY), TRUE);
}

TEST(Sound, PlaysTheSamplesOfEveryPcmLayout)
{
    struct Layout {
        int channels;
        int bits;
    };
    for (Layout layout : {Layout{1, 8}, Layout{2, 16}, Layout{1, 24}, Layout{2, 32}}) {
        Temp_Sound_Device device(true);
        ASSERT_EQ(waveOutGetNumDevs(), 1u);
        const Bytes samples = Test_Samples(static_cast<std::size_t>(480 * layout.channels * layout.bits / 8));
        const Bytes wave = Make_Test_Wave(samples, layout.channels, 11025, layout.bits);
        EXPECT_EQ(sndPlaySound(Image(wave), SND_NODEFAULT | SND_MEMORY), TRUE) << layout.bits;
        EXPECT_EQ(device.Played(), samples) << layout.bits;
    }
}

TEST(Sound, PlaySoundTakesAnImageOrAFile)
{
    Temp_Sound_Device device(true);
    const Bytes samples = Test_Samples(1000);
    const Bytes wave = Make_Test_Wave(samples);
    EXPECT_EQ(PlaySound(Image(wave), nullptr, SND_MEMORY | SND_SYNC), TRUE);
    EXPECT_EQ(device.Played(), samples);

    const std::filesystem::path file = device.Folder() / "sound.wav";
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(wave.data()), std::ssize(wave));
    EXPECT_EQ(PlaySound(file.c_str(), nullptr, SND_FILENAME), TRUE);
    EXPECT_EQ(sndPlaySound((device.Folder() / "missing.wav").c_str(), SND_SYNC), FALSE);
}

TEST(Sound, BackgroundAndLoopingSoundsStopOnRequest)
{
    Temp_Sound_Device device(true);
    const Bytes samples = Test_Samples(4000);
    const Bytes wave = Make_Test_Wave(samples);
    ASSERT_EQ(sndPlaySound(Image(wave), SND_ASYNC | SND_NODEFAULT | SND_MEMORY | SND_LOOP), TRUE);
    EXPECT_EQ(waveOutGetNumDevs(), 1u);
    EXPECT_EQ(sndPlaySound(nullptr, SND_MEMORY), TRUE);

    std::filesystem::remove(device.Output());
    ASSERT_EQ(sndPlaySound(Image(wave), SND_ASYNC | SND_MEMORY), TRUE);
    // A new sound waits for the background one to give the device back.
    ASSERT_EQ(sndPlaySound(Image(wave), SND_SYNC | SND_MEMORY), TRUE);
    EXPECT_EQ(device.Played().size() % samples.size(), 0u);
}

TEST(Sound, DamagedOrUnplayableImagesAreRefused)
{
    Temp_Sound_Device device(true);
    const Bytes good = Make_Test_Wave(Test_Samples(100));
    struct Case {
        const char* name;
        Bytes wave;
    };
    Bytes data_past_riff = good;
    data_past_riff[40] = 200; // data size beyond the RIFF size
    Bytes no_wave_id = good;
    no_wave_id[8] = 'X';
    Bytes short_format = good;
    short_format[16] = 14; // format chunk too short for its fields
    Bytes no_data = good;
    no_data.resize(44);
    no_data[4] = 36;
    no_data[40] = 0;
    no_data[36] = 'l'; // "lata": an unknown chunk, and no data chunk
    const Case cases[] = {
        {"data past RIFF size", data_past_riff},
        {"no WAVE id", no_wave_id},
        {"short format chunk", short_format},
        {"no data chunk", no_data},
        {"not PCM", Make_Test_Wave(Test_Samples(100), 1, 8000, 8, 3)},
        {"12 bits", Make_Test_Wave(Test_Samples(100), 1, 8000, 12)},
        {"no channels", Make_Test_Wave(Test_Samples(100), 0)},
        {"not RIFF", Bytes{'R', 'I', 'F', 'X', 0, 0, 0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sndPlaySound(Image(c.wave), SND_MEMORY | SND_NODEFAULT), FALSE) << c.name;
    EXPECT_FALSE(std::filesystem::exists(device.Output()));
}

// 8-bit samples of one value, told apart from the test samples' values.
Bytes Constant_Samples(std::size_t count, std::uint8_t value)
{
    return Bytes(count, value);
}

TEST(Sound, WithoutNoDefaultAnUnplayableSoundGivesTheDefaultTone)
{
    Temp_Sound_Device device(true);
    const std::string missing = (device.Folder() / "missing.wav").string();
    EXPECT_EQ(sndPlaySound(missing.c_str(), SND_SYNC | SND_NODEFAULT), FALSE);
    EXPECT_FALSE(std::filesystem::exists(device.Output()));

    EXPECT_EQ(sndPlaySound(missing.c_str(), SND_SYNC), FALSE); // the sound asked for did not play
    const Bytes tone = device.Played();
    ASSERT_EQ(tone.size(), 1000u); // 125 ms at 8000 Hz
    for (std::uint8_t sample : tone)
        ASSERT_TRUE(sample == 0xA0 || sample == 0x60);

    Bytes not_pcm = Make_Test_Wave(Test_Samples(100), 1, 8000, 8, 3);
    std::filesystem::remove(device.Output());
    EXPECT_EQ(sndPlaySound(Image(not_pcm), SND_SYNC | SND_MEMORY), FALSE);
    EXPECT_EQ(device.Played(), tone);
}

// Waits until the device has written Count bytes; false after a generous
// limit. The device consumes without pacing, so its file grows fast: only
// its size is looked at.
bool Played_At_Least(const Temp_Sound_Device& device, std::uintmax_t count)
{
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    std::error_code error;
    while (std::filesystem::file_size(device.Output(), error) < count || error) {
        if (std::chrono::steady_clock::now() > limit)
            return false;
        std::this_thread::yield();
    }
    return true;
}

// The last Count bytes the device wrote.
Bytes Played_Tail(const Temp_Sound_Device& device, std::size_t count)
{
    std::ifstream in(device.Output(), std::ios::binary | std::ios::ate);
    const auto size = static_cast<std::size_t>(in.tellg());
    const std::size_t taken = std::min(count, size);
    Bytes tail(taken);
    in.seekg(static_cast<std::streamoff>(size - taken));
    in.read(reinterpret_cast<char*>(tail.data()), static_cast<std::streamsize>(taken));
    return tail;
}

TEST(Sound, NoStopLeavesThePlayingSoundAlone)
{
    Temp_Sound_Device device(true);
    const Bytes looping = Make_Test_Wave(Constant_Samples(2000, 0x11));
    const Bytes other = Make_Test_Wave(Constant_Samples(500, 0x22));
    ASSERT_EQ(sndPlaySound(Image(looping), SND_ASYNC | SND_NODEFAULT | SND_MEMORY | SND_LOOP), TRUE);
    for (UINT flags : {SND_SYNC | SND_NOSTOP, SND_ASYNC | SND_NOSTOP})
        EXPECT_EQ(sndPlaySound(Image(other), flags | SND_NODEFAULT | SND_MEMORY), FALSE) << flags;
    // Nor does an unplayable sound with NOSTOP stop it or sound the default.
    EXPECT_EQ(sndPlaySound("missing.wav", SND_SYNC | SND_NOSTOP), FALSE);
    // The loop goes on: it plays round twice more.
    ASSERT_TRUE(Played_At_Least(device, 2 * 2000));
    EXPECT_EQ(sndPlaySound(nullptr, SND_MEMORY), TRUE);
    // Had the other sound replaced the loop, it would end the output.
    const Bytes tail = Played_Tail(device, 500);
    EXPECT_EQ(std::count(tail.begin(), tail.end(), 0x11), std::ssize(tail));

    // With nothing playing, NOSTOP plays as usual.
    std::filesystem::remove(device.Output());
    EXPECT_EQ(sndPlaySound(Image(other), SND_SYNC | SND_NOSTOP | SND_NODEFAULT | SND_MEMORY), TRUE);
    EXPECT_EQ(device.Played(), Constant_Samples(500, 0x22));
}

} // namespace
