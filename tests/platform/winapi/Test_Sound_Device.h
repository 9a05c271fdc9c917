#pragma once
// Sound tests never reach the machine's own audio device: Temp_Sound_Device
// points ALSA (ALSA_CONFIG_PATH) at a configuration of its own for its
// lifetime, either without any device or with a "default" device that
// writes the played samples to a file. Make_Test_Wave builds wave images.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "platform/winapi/Sound.h"
#include "tests/support/Temp_Settings.h"

class Temp_Sound_Device {
public:
    // With_Device false: no playback device at all.
    explicit Temp_Sound_Device(bool With_Device) : folder(Make_Temp_Folder("sound"))
    {
        const std::filesystem::path config = folder / "asound.conf";
        std::ofstream out(config);
        if (With_Device)
            out << "pcm.!default {\n  type file\n  slave.pcm { type null }\n  file \"" << Output().string()
                << "\"\n  format \"raw\"\n}\n";
        else
            out << "# no device\n";
        if (const char* old = std::getenv("ALSA_CONFIG_PATH"))
            previous = old;
        setenv("ALSA_CONFIG_PATH", config.c_str(), 1);
    }
    ~Temp_Sound_Device()
    {
        // A file device takes samples as fast as they come: a loop left
        // playing by a failed test would fill the disk.
        sndPlaySound(nullptr, SND_MEMORY);
        if (previous)
            setenv("ALSA_CONFIG_PATH", previous->c_str(), 1);
        else
            unsetenv("ALSA_CONFIG_PATH");
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    Temp_Sound_Device(const Temp_Sound_Device&) = delete;
    Temp_Sound_Device& operator=(const Temp_Sound_Device&) = delete;

    const std::filesystem::path& Folder() const { return folder; }
    // Where the device writes what it plays.
    std::filesystem::path Output() const { return folder / "played.raw"; }
    std::vector<std::uint8_t> Played() const
    {
        std::ifstream in(Output(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::filesystem::path folder;
    std::optional<std::string> previous;
};

inline void Put_Le(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

inline void Put_Id(std::vector<std::uint8_t>& out, const char* id)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(id[i]));
}

// A canonical RIFF WAVE image: "fmt " chunk of 16 bytes, then "data".
inline std::vector<std::uint8_t> Make_Test_Wave(const std::vector<std::uint8_t>& samples, int channels = 1,
                                                std::uint32_t rate = 8000, int bits = 8, int tag = 1)
{
    std::vector<std::uint8_t> wave;
    wave.reserve(44 + samples.size());
    Put_Id(wave, "RIFF");
    Put_Le(wave, static_cast<std::uint32_t>(36 + samples.size()), 4);
    Put_Id(wave, "WAVE");
    Put_Id(wave, "fmt ");
    Put_Le(wave, 16, 4);
    Put_Le(wave, static_cast<std::uint32_t>(tag), 2);
    Put_Le(wave, static_cast<std::uint32_t>(channels), 2);
    Put_Le(wave, rate, 4);
    Put_Le(wave, rate * static_cast<std::uint32_t>(channels * bits / 8), 4);
    Put_Le(wave, static_cast<std::uint32_t>(channels * bits / 8), 2);
    Put_Le(wave, static_cast<std::uint32_t>(bits), 2);
    Put_Id(wave, "data");
    Put_Le(wave, static_cast<std::uint32_t>(samples.size()), 4);
    for (std::uint8_t sample : samples)
        wave.push_back(sample);
    return wave;
}

inline std::vector<std::uint8_t> Test_Samples(std::size_t count)
{
    std::vector<std::uint8_t> samples(count);
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return samples;
}
