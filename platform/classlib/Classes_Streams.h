#pragma once
// The class library's streams: the abstract stream, the memory stream and
// the file stream. Positions and sizes are 64-bit; transfer counts are the
// library's 32-bit counts.

#include <cstdint>
#include <string>
#include <vector>

// Seek origins.
constexpr int soFromBeginning = 0;
constexpr int soFromCurrent = 1;
constexpr int soFromEnd = 2;

// File stream modes: one access mode, optionally or-ed with a share mode.
// Share modes are accepted and have no effect here.
constexpr unsigned fmCreate = 0xFFFF;
constexpr unsigned fmOpenRead = 0x0000;
constexpr unsigned fmOpenWrite = 0x0001;
constexpr unsigned fmOpenReadWrite = 0x0002;
constexpr unsigned fmShareCompat = 0x0000;
constexpr unsigned fmShareExclusive = 0x0010;
constexpr unsigned fmShareDenyWrite = 0x0020;
constexpr unsigned fmShareDenyRead = 0x0030;
constexpr unsigned fmShareDenyNone = 0x0040;

class TStream {
public:
    TStream() = default;
    virtual ~TStream() = default;
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;

    // Transfer up to count bytes; answer how many were moved.
    virtual int Read(void* buffer, int count) = 0;
    virtual int Write(const void* buffer, int count) = 0;
    // Answers the new position.
    virtual std::int64_t Seek(std::int64_t offset, int origin) = 0;
    virtual void SetSize(std::int64_t new_size) = 0;

    // Raise EReadError / EWriteError unless exactly count bytes move.
    void ReadBuffer(void* buffer, int count);
    void WriteBuffer(const void* buffer, int count);
    // Copies count bytes from source's position; count 0 copies the whole
    // source from its start. Answers the number of bytes copied.
    std::int64_t CopyFrom(TStream& source, std::int64_t count);

    std::int64_t Position();
    void SetPosition(std::int64_t position);
    std::int64_t Size();
};

// A stream over a growable block of memory.
class TMemoryStream : public TStream {
public:
    int Read(void* buffer, int count) override;
    int Write(const void* buffer, int count) override;
    std::int64_t Seek(std::int64_t offset, int origin) override;
    void SetSize(std::int64_t new_size) override;

    // The data; valid until the size next changes.
    void* Memory() { return data.data(); }
    const void* Memory() const { return data.data(); }
    void Clear();

    // Replaces the content; position 0. Raises EFOpenError when the file
    // cannot be opened, EReadError when it cannot be read.
    void LoadFromFile(const std::string& file_name);
    void LoadFromStream(TStream& stream);
    // A new file renamed over the old one once complete; a failure raises
    // EFCreateError or EWriteError and leaves the old file whole.
    void SaveToFile(const std::string& file_name) const;
    void SaveToStream(TStream& stream) const;

private:
    std::vector<unsigned char> data;
    std::int64_t position = 0;
};

// A stream over an open file. The constructor raises EFCreateError
// (fmCreate) or EFOpenError, with the file name in the message.
class TFileStream : public TStream {
public:
    TFileStream(const std::string& file_name, unsigned mode);
    ~TFileStream() override;

    int Read(void* buffer, int count) override;
    int Write(const void* buffer, int count) override;
    std::int64_t Seek(std::int64_t offset, int origin) override;
    // Raises EStreamError when the file cannot be resized.
    void SetSize(std::int64_t new_size) override;

    const std::string& FileName() const { return file_name; }
    int Handle() const { return descriptor; }

private:
    std::string file_name;
    int descriptor = -1;
};
