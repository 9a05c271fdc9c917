#pragma once
// The simple sound calls: a RIFF WAVE sound played from memory or from a
// file, synchronously, in the background or looping, through ALSA's
// "default" playback device.
//
// ALSA is loaded when first needed (dlopen of libasound.so.2), so the
// program builds and runs without it; where the library or the device is
// missing, the calls answer FALSE and waveOutGetNumDevs answers 0. Only PCM
// waves of 8, 16, 24 or 32 bits play; any other sound answers FALSE. A
// damaged image (chunks past the RIFF size, no format or data chunk) is
// refused, never read beyond its RIFF size.
//
// One sound plays at a time: a new one, or a call without a sound, stops
// the one that plays (a looping or background sound, or a synchronous
// sound playing in another thread), unless SND_NOSTOP asks to leave it.
//
// A sound that cannot be played is replaced by the default sound (a short
// tone) unless SND_NODEFAULT is given; the call still answers FALSE, since
// the sound asked for did not play.

#include "platform/winapi/WinTypes.h"

#include <cstddef>

struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;
using HMODULE = HINSTANCE;

constexpr UINT SND_SYNC = 0x0000;
constexpr UINT SND_ASYNC = 0x0001;     // returns at once; the sound plays on
constexpr UINT SND_NODEFAULT = 0x0002; // no default sound in place of one that cannot play
constexpr UINT SND_MEMORY = 0x0004;    // the sound is a wave file image in memory
constexpr UINT SND_LOOP = 0x0008;      // with SND_ASYNC: repeats until stopped
constexpr UINT SND_NOSTOP = 0x0010;    // FALSE at once while another sound plays
constexpr DWORD SND_FILENAME = 0x00020000;

// Sound is a file name, or with SND_MEMORY the start of a whole wave file
// image (read up to its RIFF size; copied before a background sound
// starts). A null sound stops the sound that plays and answers TRUE.
// Synchronous sounds return when played or stopped.
BOOL sndPlaySound(LPCSTR Sound, UINT Flags);
// The same for a file name or (SND_MEMORY) an image; Module is unused.
BOOL PlaySound(LPCSTR Sound, HMODULE Module, DWORD Flags);

// Whether the Size bytes at Image hold a whole wave file image these calls
// would play (read no further than Size); plays nothing.
bool Is_Playable_Wave(const BYTE* Image, std::size_t Size);

// 1 when the playback device can be opened, else 0.
UINT waveOutGetNumDevs();
