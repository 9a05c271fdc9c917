#include "platform/winapi/Stored_File.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

// The checks on the opened file but its size; 0 or the errno to answer.
int Check_Regular_File(int descriptor)
{
    struct stat status {};
    if (::fstat(descriptor, &status) != 0)
        return errno;
    if (!S_ISREG(status.st_mode))
        return EINVAL;
    const int flags = ::fcntl(descriptor, F_GETFL);
    if (flags < 0 || ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0)
        return errno;
    return 0;
}

int Check_Size(int descriptor, std::size_t limit)
{
    struct stat status {};
    if (::fstat(descriptor, &status) != 0)
        return errno;
    return status.st_size < 0 || static_cast<unsigned long long>(status.st_size) > limit ? EFBIG : 0;
}

// Opens the file without blocking and, unless asked, without following a
// link; a regular file, set back to blocking, or -1 with errno set.
int Open_Regular_File(const std::filesystem::path& path, Links links)
{
    const int no_follow = links == Links::Refuse ? O_NOFOLLOW : 0;
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | no_follow | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0)
        return -1;
    if (const int error = Check_Regular_File(descriptor); error != 0) {
        ::close(descriptor);
        errno = error;
        return -1;
    }
    return descriptor;
}

// Failures of the moment, not of the file: the file is left where it is.
bool Is_Passing(int error)
{
    return error == EMFILE || error == ENFILE || error == ENOMEM || error == EAGAIN || error == EINTR;
}

// A regular file of the user's own, opened with the flags and never through a
// link nor blocking on a FIFO; -1 for anything else. Its status is filled in.
int Open_Own_Regular_File(const std::filesystem::path& path, int flags, mode_t create_mode, struct stat& status)
{
    const int descriptor = ::open(path.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, create_mode);
    if (descriptor < 0)
        return -1;
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) || status.st_uid != ::geteuid()) {
        ::close(descriptor);
        return -1;
    }
    return descriptor;
}

bool Write_Whole_Text(int descriptor, std::string_view text)
{
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t count = ::write(descriptor, text.data() + done, text.size() - done);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        done += static_cast<std::size_t>(count);
    }
    return true;
}

} // namespace

int Open_Stored_File(const std::filesystem::path& path, std::size_t limit, Links links)
{
    const int descriptor = Open_Regular_File(path, links);
    if (descriptor < 0)
        return -1;
    if (const int error = Check_Size(descriptor, limit); error != 0) {
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
    // The size is not asked first: a file over the limit is read up to it.
    const int descriptor = Open_Regular_File(path, links);
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
            text.clear();
        } else if (count > 0 && text.size() + static_cast<std::size_t>(count) > limit) {
            text.append(buffer, limit - text.size());
            result = {Stored_Read::Damaged, EFBIG};
        } else if (count > 0) {
            text.append(buffer, static_cast<std::size_t>(count));
            continue;
        }
        break;
    }
    ::close(descriptor);
    return result;
}

bool Append_To_Own_File(const std::filesystem::path& path, std::string_view text,
                        std::optional<std::filesystem::perms> create_mode)
{
    const int create = create_mode ? O_CREAT : 0;
    const auto mode = static_cast<mode_t>(create_mode.value_or(std::filesystem::perms::none) &
                                          std::filesystem::perms::mask);
    struct stat status {};
    const int descriptor = Open_Own_Regular_File(path, O_WRONLY | O_APPEND | create, mode, status);
    if (descriptor < 0)
        return false;
    const bool written = Write_Whole_Text(descriptor, text);
    return ::close(descriptor) == 0 && written;
}

bool Make_Own_File_Writable(const std::filesystem::path& path)
{
    struct stat status {};
    const int descriptor = Open_Own_Regular_File(path, O_RDONLY, 0, status);
    if (descriptor < 0)
        return false;
    const bool changed = ::fchmod(descriptor, (status.st_mode & 07777) | S_IRUSR | S_IWUSR) == 0;
    ::close(descriptor);
    return changed;
}

bool Is_Folder_Writable(const std::filesystem::path& folder)
{
    return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}
