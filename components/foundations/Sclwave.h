#pragma once
// A sound held in memory as the whole image of a RIFF WAVE file: the wave
// items of the library's lists keep one, store it in their data (a 4-byte
// size followed by the file image, or the compressed stream form) and play
// it through the platform's simple sound call.
//
// Header checks: "RIFF", the chunk size, "WAVE", "fmt ", the format chunk
// size and the format fields. A RIFF size that reaches past the data, or a
// format chunk too short for its fields or longer than the RIFF chunk, is a
// damaged header and is refused like a wrong chunk identifier, so that
// nothing ever reads past the image.

#include <cstdint>
#include <memory>
#include <string>

#include "components/foundations/Sclobject.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Classes.h"
#include "platform/winapi/WinTypes.h"

enum TSCLChannelMode : BYTE { cmUnknown, cmMono, cmStereo };
enum TSCLWaveFormat : BYTE { wfUnknown, wfPCM };
enum TSCLSndPlayMode { sdSync, sdAsync, sdLoop };

struct TSCLWaveInfo {
    std::int32_t Size = 0; // the RIFF chunk size as stored
    std::int32_t SampleRate = 0;
    TSCLChannelMode ChannelMode = cmUnknown;
    TSCLWaveFormat Format = wfUnknown;
    WORD Bits = 0;
};

class EInvalidWave : public Exception {
    using Exception::Exception;
};
class EErrorCheckingWave : public Exception {
    using Exception::Exception;
};

// The machine has a wave output device.
bool SCLMMWavePossible();
// Reads the header from the stream's position and then rewinds the stream
// to 0. False for no stream, an empty stream or a refused header (the
// fields read so far stay in Info; data cut short after the RIFF size is
// refused by that size); a stream too short for the RIFF size raises
// EErrorCheckingWave "GetWaveData: Impossible d'ouvrir le fichier <name>"
// (the file's name, or "(flux)" for a stream that is no file).
bool SCLGetWaveStreamInfo(TStream* Stream, TSCLWaveInfo& Info);
// False when the file does not exist; else the stream check on it.
bool SCLGetWaveFileInfo(const std::string& FileName, TSCLWaveInfo& Info);

class TSCLWave : public TSCLObject {
public:
    TSCLWave() = default;
    // Raises as LoadFromFile does.
    explicit TSCLWave(const std::string& FileName);
    ~TSCLWave() override;

    bool Empty() const;
    // The image's size in bytes, 0 when empty.
    std::int64_t Size() const;
    // All fields 0 when empty.
    TSCLWaveInfo Info();
    WORD Bits();
    TSCLChannelMode ChannelMode();
    TSCLWaveFormat Format();
    std::int32_t SampleRate();

    // A TSCLWave source is copied; nullptr empties; other sources raise
    // EConvertError.
    void Assign(TPersistent* Source) override;

    // Takes the stream (nullptr empties the wave), rewinds it and notifies;
    // a held wave stops playing first.
    void NewWave(std::unique_ptr<TMemoryStream> Stream);
    void FreeWave();
    // Reads Size bytes of Source into a new image. Source without data, or
    // Size 0, empties the wave. Size beyond Source's remaining bytes raises
    // EReadError before anything is read; an image whose header is refused
    // raises EInvalidWave "TSCLWave: Impossible d'ouvrir le fichier <name>".
    // On error the held wave stays.
    void ReadStream(std::int64_t Size, TStream& Source);
    // With_Size: the int32 image size first. Then the image.
    void WriteStream(TStream& Target, bool With_Size);

    // The file opened for reading (EFOpenError when it cannot be).
    virtual void LoadFromFile(const std::string& FileName);
    // The rest of Stream from its position.
    virtual void LoadFromStream(TStream& Stream);
    // Written whole to a new file that then replaces the old one.
    virtual void SaveToFile(const std::string& FileName);
    virtual void SaveToStream(TStream& Stream);
    // The stored form: int32 size, then the image.
    void LoadFromStreamEx(TStream& Stream);
    void SaveToStreamEx(TStream& Stream);
    // The image as one compressed stream.
    void LoadCompressedFromStream(TStream& Stream);
    void SaveCompressedToStream(TStream& Stream);
    // The stored "Data" property (in the stored form), kept only while a
    // stream is held.
    void DefineProperties(TFiler& Filer);
    void ReadData(TStream& Stream) { LoadFromStreamEx(Stream); }
    void WriteData(TStream& Stream) { SaveToStreamEx(Stream); }

    // In the background; false when empty, without a device, for an image
    // that is not whole, or when the sound call fails.
    bool Play();
    // sdSync returns once played; sdLoop repeats until stopped.
    bool PlaySound(TSCLSndPlayMode Mode);
    // Stops the sound that plays.
    void Stop();

private:
    std::unique_ptr<TMemoryStream> stream;
};
