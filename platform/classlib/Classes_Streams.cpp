#include "platform/classlib/Classes_Streams.h"

#include "platform/classlib/SysUtils.h"
#include "platform/winapi/Atomic_Save.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <optional>

namespace {

std::string System_Error_Text(int error) { return std::strerror(error); }

std::string Open_Error_Text(const std::string& file_name, int error)
{
    return "Cannot open file \"" + file_name + "\". " + System_Error_Text(error);
}

std::string Create_Error_Text(const std::string& file_name, int error)
{
    return "Cannot create file \"" + file_name + "\". " + System_Error_Text(error);
}

} // namespace

// ---- TStream -------------------------------------------------------------

void TStream::ReadBuffer(void* buffer, int count)
{
    if (count < 0 || (count != 0 && Read(buffer, count) != count))
        throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int count)
{
    if (count < 0 || (count != 0 && Write(buffer, count) != count))
        throw EWriteError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count)
{
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    constexpr std::int64_t chunk = 64 * 1024;
    std::vector<unsigned char> buffer(static_cast<std::size_t>(std::min(std::max<std::int64_t>(count, 0), chunk)));
    for (std::int64_t left = count; left > 0;) {
        const int step = static_cast<int>(std::min(left, chunk));
        source.ReadBuffer(buffer.data(), step);
        WriteBuffer(buffer.data(), step);
        left -= step;
    }
    return count;
}

std::int64_t TStream::Position() { return Seek(0, soFromCurrent); }

void TStream::SetPosition(std::int64_t position) { Seek(position, soFromBeginning); }

std::int64_t TStream::Size()
{
    const std::int64_t position = Position();
    const std::int64_t size = Seek(0, soFromEnd);
    Seek(position, soFromBeginning);
    return size;
}

// ---- TMemoryStream -------------------------------------------------------

int TMemoryStream::Read(void* buffer, int count)
{
    const std::int64_t size = static_cast<std::int64_t>(data.size());
    if (count <= 0 || position >= size)
        return 0;
    const int moved = static_cast<int>(std::min<std::int64_t>(count, size - position));
    std::memcpy(buffer, data.data() + position, static_cast<std::size_t>(moved));
    position += moved;
    return moved;
}

int TMemoryStream::Write(const void* buffer, int count)
{
    if (count <= 0 || position < 0)
        return 0;
    const std::int64_t end = position + count;
    if (end > static_cast<std::int64_t>(data.size()))
        data.resize(static_cast<std::size_t>(end));
    std::memcpy(data.data() + position, buffer, static_cast<std::size_t>(count));
    position = end;
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, int origin)
{
    switch (origin) {
    case soFromCurrent:
        position += offset;
        break;
    case soFromEnd:
        position = static_cast<std::int64_t>(data.size()) + offset;
        break;
    default:
        position = offset;
        break;
    }
    return position;
}

void TMemoryStream::SetSize(std::int64_t new_size)
{
    if (new_size < 0)
        throw EStreamError("Invalid stream size");
    data.resize(static_cast<std::size_t>(new_size));
    position = std::min(position, new_size);
}

void TMemoryStream::Clear()
{
    data.clear();
    data.shrink_to_fit();
    position = 0;
}

void TMemoryStream::LoadFromFile(const std::string& file_name)
{
    TFileStream stream(file_name, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TMemoryStream::LoadFromStream(TStream& stream)
{
    stream.SetPosition(0);
    const std::int64_t size = stream.Size();
    SetSize(size);
    if (size > INT_MAX)
        throw EReadError("Stream read error");
    stream.ReadBuffer(data.data(), static_cast<int>(size));
    position = 0;
}

void TMemoryStream::SaveToFile(const std::string& file_name) const
{
    const std::optional<Save_Failure> failure = Save_File_Atomically(file_name, data.data(), data.size());
    if (!failure)
        return;
    if (failure->step == Save_Failure::Create)
        throw EFCreateError(Create_Error_Text(file_name, failure->error));
    throw EWriteError("Error writing file \"" + file_name + "\". " + System_Error_Text(failure->error));
}

void TMemoryStream::SaveToStream(TStream& stream) const
{
    stream.WriteBuffer(data.data(), static_cast<int>(data.size()));
}

// ---- TFileStream ---------------------------------------------------------

TFileStream::TFileStream(const std::string& name, unsigned mode) : file_name(name)
{
    if ((mode & fmCreate) == fmCreate) {
        descriptor = ::open(name.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (descriptor < 0)
            throw EFCreateError(Create_Error_Text(name, errno));
        return;
    }
    const unsigned access = mode & 0x3;
    const int flags = access == fmOpenWrite ? O_WRONLY : access == fmOpenReadWrite ? O_RDWR : O_RDONLY;
    // Opened without blocking so that a FIFO or a device in a file's place
    // cannot hang the program; only a regular file is then taken.
    descriptor = ::open(name.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0)
        throw EFOpenError(Open_Error_Text(name, errno));
    struct stat status{};
    const int error = ::fstat(descriptor, &status) != 0 ? errno
                      : S_ISDIR(status.st_mode)         ? EISDIR
                      : !S_ISREG(status.st_mode)        ? EINVAL
                      : ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK) != 0 ? errno
                                                                                                        : 0;
    if (error != 0) {
        ::close(descriptor);
        throw EFOpenError(Open_Error_Text(name, error));
    }
}

TFileStream::~TFileStream() { ::close(descriptor); }

int TFileStream::Read(void* buffer, int count)
{
    if (count <= 0)
        return 0;
    ssize_t moved;
    do
        moved = ::read(descriptor, buffer, static_cast<std::size_t>(count));
    while (moved < 0 && errno == EINTR);
    return moved < 0 ? 0 : static_cast<int>(moved);
}

int TFileStream::Write(const void* buffer, int count)
{
    if (count <= 0)
        return 0;
    ssize_t moved;
    do
        moved = ::write(descriptor, buffer, static_cast<std::size_t>(count));
    while (moved < 0 && errno == EINTR);
    return moved < 0 ? 0 : static_cast<int>(moved);
}

std::int64_t TFileStream::Seek(std::int64_t offset, int origin)
{
    const int whence = origin == soFromCurrent ? SEEK_CUR : origin == soFromEnd ? SEEK_END : SEEK_SET;
    return ::lseek(descriptor, offset, whence);
}

void TFileStream::SetSize(std::int64_t new_size)
{
    if (new_size < 0 || ::ftruncate(descriptor, new_size) != 0)
        throw EStreamError("Cannot set the size of \"" + file_name + "\". " + System_Error_Text(errno));
    if (Position() > new_size)
        SetPosition(new_size);
}
