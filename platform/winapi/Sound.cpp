#include "platform/winapi/Sound.h"

#include "platform/winapi/Stored_File.h"

#include <dlfcn.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <mutex>
#include <optional>
#include <span>
#include <thread>
#include <vector>

namespace {

// ---- ALSA, reached through the few entry points the player uses ----------

struct Alsa_Pcm;

// Values of ALSA's stable interface.
constexpr int Pcm_Stream_Playback = 0;
constexpr int Pcm_Open_Nonblock = 1;
constexpr int Pcm_Access_Rw_Interleaved = 3;
constexpr int Pcm_Format_U8 = 1;
constexpr int Pcm_Format_S16_Le = 2;
constexpr int Pcm_Format_S32_Le = 10;
constexpr int Pcm_Format_S24_3Le = 32;
constexpr unsigned Latency_Us = 100000;
constexpr char Device_Name[] = "default";

using Error_Handler = void (*)(const char*, int, const char*, int, const char*, ...);

struct Alsa {
    int (*pcm_open)(Alsa_Pcm**, const char*, int, int);
    int (*pcm_nonblock)(Alsa_Pcm*, int);
    int (*pcm_set_params)(Alsa_Pcm*, int, int, unsigned, unsigned, int, unsigned);
    long (*pcm_writei)(Alsa_Pcm*, const void*, unsigned long);
    int (*pcm_recover)(Alsa_Pcm*, int, int);
    int (*pcm_drain)(Alsa_Pcm*);
    int (*pcm_drop)(Alsa_Pcm*);
    int (*pcm_close)(Alsa_Pcm*);
};

// ALSA reports a missing device on stderr before it answers the error; the
// caller gets the error, so the report is dropped.
void Quiet(const char*, int, const char*, int, const char*, ...) {}

template <class F>
bool Resolve(void* library, const char* name, F& entry)
{
    entry = reinterpret_cast<F>(dlsym(library, name));
    return entry != nullptr;
}

std::optional<Alsa> Open_Alsa()
{
    void* library = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return std::nullopt;
    Alsa alsa{};
    int (*set_error_handler)(Error_Handler) = nullptr;
    const bool complete = Resolve(library, "snd_pcm_open", alsa.pcm_open)
                          && Resolve(library, "snd_pcm_nonblock", alsa.pcm_nonblock)
                          && Resolve(library, "snd_pcm_set_params", alsa.pcm_set_params)
                          && Resolve(library, "snd_pcm_writei", alsa.pcm_writei)
                          && Resolve(library, "snd_pcm_recover", alsa.pcm_recover)
                          && Resolve(library, "snd_pcm_drain", alsa.pcm_drain)
                          && Resolve(library, "snd_pcm_drop", alsa.pcm_drop)
                          && Resolve(library, "snd_pcm_close", alsa.pcm_close)
                          && Resolve(library, "snd_lib_error_set_handler", set_error_handler);
    if (!complete) {
        dlclose(library);
        return std::nullopt;
    }
    set_error_handler(Quiet);
    return alsa;
}

// Loaded once and kept for the process's life.
const Alsa* Alsa_Library()
{
    static const std::optional<Alsa> alsa = Open_Alsa();
    return alsa ? &*alsa : nullptr;
}

// The playback device, opened without waiting for a busy device and then
// switched to blocking writes.
Alsa_Pcm* Open_Device(const Alsa& alsa)
{
    Alsa_Pcm* pcm = nullptr;
    if (alsa.pcm_open(&pcm, Device_Name, Pcm_Stream_Playback, Pcm_Open_Nonblock) < 0)
        return nullptr;
    if (alsa.pcm_nonblock(pcm, 0) < 0) {
        alsa.pcm_close(pcm);
        return nullptr;
    }
    return pcm;
}

// ---- The wave file image ---------------------------------------------------

struct Wave_Sound {
    int format = 0;
    unsigned channels = 0;
    unsigned rate = 0;
    unsigned frame_bytes = 0;
    std::vector<BYTE> samples;
};

std::uint32_t Little_Endian(std::span<const BYTE> bytes, std::size_t at, std::size_t count)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < count; ++i)
        value |= static_cast<std::uint32_t>(bytes[at + i]) << (8 * i);
    return value;
}

bool Has_Id(std::span<const BYTE> bytes, std::size_t at, const char* id)
{
    return std::memcmp(bytes.data() + at, id, 4) == 0;
}

std::optional<int> Pcm_Format(unsigned bits)
{
    switch (bits) {
    case 8: return Pcm_Format_U8;
    case 16: return Pcm_Format_S16_Le;
    case 24: return Pcm_Format_S24_3Le;
    case 32: return Pcm_Format_S32_Le;
    default: return std::nullopt;
    }
}

bool Read_Format(std::span<const BYTE> chunk, Wave_Sound& sound)
{
    if (chunk.size() < 16 || Little_Endian(chunk, 0, 2) != 1)
        return false;
    const unsigned bits = Little_Endian(chunk, 14, 2);
    const std::optional<int> format = Pcm_Format(bits);
    sound.channels = Little_Endian(chunk, 2, 2);
    sound.rate = Little_Endian(chunk, 4, 4);
    if (!format || sound.channels == 0 || sound.rate == 0)
        return false;
    sound.format = *format;
    sound.frame_bytes = sound.channels * bits / 8;
    return true;
}

// Image is the whole RIFF file (its RIFF size checked by the caller). Every
// chunk must lie inside it.
std::optional<Wave_Sound> Parse_Wave(std::span<const BYTE> image)
{
    if (image.size() < 12 || !Has_Id(image, 0, "RIFF") || !Has_Id(image, 8, "WAVE"))
        return std::nullopt;
    Wave_Sound sound;
    bool has_format = false;
    bool has_data = false;
    for (std::size_t at = 12; image.size() - at >= 8;) {
        const std::size_t size = Little_Endian(image, at + 4, 4);
        const std::size_t body = at + 8;
        if (size > image.size() - body)
            return std::nullopt;
        const std::span<const BYTE> chunk = image.subspan(body, size);
        if (Has_Id(image, at, "fmt ")) {
            if (!Read_Format(chunk, sound))
                return std::nullopt;
            has_format = true;
        } else if (Has_Id(image, at, "data")) {
            sound.samples.assign(chunk.begin(), chunk.end());
            has_data = true;
        }
        at = body + std::min(size + (size & 1), image.size() - body);
    }
    if (!has_format || !has_data)
        return std::nullopt;
    sound.samples.resize(sound.samples.size() - sound.samples.size() % sound.frame_bytes);
    return sound;
}

// The RIFF file at the start of bytes, up to its RIFF size; none when that
// size runs past them.
std::optional<std::span<const BYTE>> Riff_Image(std::span<const BYTE> bytes)
{
    if (bytes.size() < 8)
        return std::nullopt;
    const std::size_t size = 8 + static_cast<std::size_t>(Little_Endian(bytes, 4, 4));
    if (size > bytes.size())
        return std::nullopt;
    return bytes.first(size);
}

std::optional<std::vector<BYTE>> Memory_Image(LPCSTR sound)
{
    const auto* bytes = reinterpret_cast<const BYTE*>(sound);
    if (std::memcmp(bytes, "RIFF", 4) != 0)
        return std::nullopt;
    const std::size_t size = 8 + static_cast<std::size_t>(Little_Endian(std::span(bytes, 8), 4, 4));
    return std::vector<BYTE>(bytes, bytes + size);
}

std::optional<std::vector<BYTE>> File_Image(LPCSTR file_name)
{
    // A FIFO or a device in a sound's place must not hang or flood the program.
    constexpr std::size_t longest_sound = 64 << 20;
    std::string bytes;
    if (Read_Stored_File(file_name, bytes, longest_sound, Links::Follow).State != Stored_Read::Read)
        return std::nullopt;
    const auto image = Riff_Image(std::span(reinterpret_cast<const BYTE*>(bytes.data()), bytes.size()));
    if (!image)
        return std::nullopt;
    return std::vector<BYTE>(image->begin(), image->end());
}

// ---- The player ------------------------------------------------------------

class Player {
public:
    ~Player() { Stop(); }

    // Stops the sound that plays: a background one is waited for; a
    // synchronous one in another thread ends at its next write.
    void Stop()
    {
        std::lock_guard lock(mutex);
        Stop_Locked();
    }

    bool Play(Wave_Sound sound, bool async, bool loop)
    {
        const Alsa* alsa = Alsa_Library();
        if (!alsa)
            return false;
        std::unique_lock lock(mutex);
        Stop_Locked();
        Alsa_Pcm* pcm = Open_Device(*alsa);
        if (!pcm)
            return false;
        if (alsa->pcm_set_params(pcm, sound.format, Pcm_Access_Rw_Interleaved, sound.channels, sound.rate, 1,
                                 Latency_Us)
            < 0) {
            alsa->pcm_close(pcm);
            return false;
        }
        const unsigned turn = ++generation;
        ++playing;
        if (async) {
            background = std::thread([this, alsa, pcm, turn, loop, played = std::move(sound)] {
                Run(*alsa, pcm, played, turn, loop);
            });
            return true;
        }
        lock.unlock();
        return Run(*alsa, pcm, sound, turn, false);
    }

    // A sound holds the device, which then counts as present.
    bool Playing() const { return playing > 0; }

private:
    void Stop_Locked()
    {
        ++generation;
        if (background.joinable())
            background.join();
    }

    // Writes the samples in short pieces so that a stop is seen soon, then
    // gives the device back; answers whether every frame was written.
    bool Run(const Alsa& alsa, Alsa_Pcm* pcm, const Wave_Sound& sound, unsigned turn, bool loop)
    {
        const std::size_t frames = sound.samples.size() / sound.frame_bytes;
        const std::size_t piece = std::max<std::size_t>(sound.rate / 50, 1);
        bool written = true;
        do {
            for (std::size_t at = 0; at < frames && written && generation == turn;) {
                const std::size_t count = std::min(piece, frames - at);
                long result = alsa.pcm_writei(pcm, sound.samples.data() + at * sound.frame_bytes, count);
                if (result < 0)
                    result = alsa.pcm_recover(pcm, static_cast<int>(result), 1);
                written = result >= 0;
                if (result > 0)
                    at += static_cast<std::size_t>(result);
            }
        } while (loop && written && generation == turn);
        if (generation == turn && written)
            alsa.pcm_drain(pcm);
        else
            alsa.pcm_drop(pcm);
        alsa.pcm_close(pcm);
        --playing;
        return written;
    }

    std::mutex mutex;
    std::thread background;
    std::atomic<unsigned> generation = 0;
    std::atomic<int> playing = 0;
};

Player& The_Player()
{
    static Player player;
    return player;
}

// The default sound: a short 880 Hz tone, 8-bit mono at 8000 Hz.
Wave_Sound Default_Sound()
{
    constexpr unsigned Rate = 8000;
    constexpr unsigned Frames = Rate / 8;
    constexpr unsigned Half_Period = Rate / 880 / 2;
    Wave_Sound sound;
    sound.format = Pcm_Format_U8;
    sound.channels = 1;
    sound.rate = Rate;
    sound.frame_bytes = 1;
    sound.samples.resize(Frames);
    for (unsigned i = 0; i < Frames; ++i)
        sound.samples[i] = (i / Half_Period) % 2 == 0 ? 0xA0 : 0x60;
    return sound;
}

} // namespace

bool Is_Playable_Wave(const BYTE* Image, std::size_t Size)
{
    const auto image = Riff_Image(std::span(Image, Size));
    return image && Parse_Wave(*image).has_value();
}

BOOL sndPlaySound(LPCSTR Sound, UINT Flags)
{
    return PlaySound(Sound, nullptr, Flags);
}

BOOL PlaySound(LPCSTR Sound, HMODULE, DWORD Flags)
{
    if (!Sound) {
        The_Player().Stop();
        return TRUE;
    }
    if ((Flags & SND_NOSTOP) && The_Player().Playing())
        return FALSE;
    const std::optional<std::vector<BYTE>> image = (Flags & SND_MEMORY) ? Memory_Image(Sound) : File_Image(Sound);
    std::optional<Wave_Sound> sound = image ? Parse_Wave(*image) : std::nullopt;
    const bool async = (Flags & SND_ASYNC) != 0;
    if (!sound) {
        if (Flags & SND_NODEFAULT)
            The_Player().Stop();
        else
            The_Player().Play(Default_Sound(), async, false);
        return FALSE;
    }
    return The_Player().Play(std::move(*sound), async, async && (Flags & SND_LOOP)) ? TRUE : FALSE;
}

UINT waveOutGetNumDevs()
{
    if (The_Player().Playing())
        return 1;
    const Alsa* alsa = Alsa_Library();
    Alsa_Pcm* pcm = alsa ? Open_Device(*alsa) : nullptr;
    if (!pcm)
        return 0;
    alsa->pcm_close(pcm);
    return 1;
}
