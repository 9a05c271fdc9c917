#include "platform/winapi/Stored_File.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

// The checks on the opened file; 0 or the errno to answer.
int Check_Stored_File(int descriptor, std::size_t limit)
{
    struct stat status {};
    if (::fstat(descriptor, &status) != 0)
        return errno;
    if (!S_ISREG(status.st_mode))
        return EINVAL;
    if (status.st_size < 0 || static_cast<unsigned long long>(status.st_size) > limit)
        return EFBIG;
    const int flags = ::fcntl(descriptor, F_GETFL);
    if (flags < 0 || ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0)
        return errno;
    return 0;
}

// Failures of the moment, not of the file: the file is left where it is.
bool Is_Passing(int error)
{
    return error == EMFILE || error == ENFILE || error == ENOMEM || error == EAGAIN || error == EINTR;
}

} // namespace

int Open_Stored_File(const std::filesystem::path& path, std::size_t limit, Links links)
{
    const int no_follow = links == Links::Refuse ? O_NOFOLLOW : 0;
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | no_follow | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0)
        return -1;
    if (const int error = Check_Stored_File(descriptor, limit); error != 0) {
        ::close(descriptor);
        errno = error;
        return -1;
    }
    return descriptor;
}

Stored_Read_Result Read_Stored_File(const std::filesystem::path& path, std::string& text, std::size_t limit,
                                    Links links)
{
    text.clear();
    const int descriptor = Open_Stored_File(path, limit, links);
    if (descriptor < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR) // a file where a folder should be: no file either
            return {Stored_Read::Missing, error};
        return {Is_Passing(error) ? Stored_Read::Busy : Stored_Read::Damaged, error};
    }
    char buffer[4096];
    Stored_Read_Result result{Stored_Read::Read, 0};
    for (;;) {
        const ssize_t count = ::read(descriptor, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            result = {Is_Passing(errno) ? Stored_Read::Busy : Stored_Read::Damaged, errno};
        } else if (count > 0 && text.size() + static_cast<std::size_t>(count) > limit) {
            result = {Stored_Read::Damaged, EFBIG}; // grew while being read
        } else if (count > 0) {
            text.append(buffer, static_cast<std::size_t>(count));
            continue;
        }
        break;
    }
    ::close(descriptor);
    return result;
}
