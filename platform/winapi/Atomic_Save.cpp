#include "platform/winapi/Atomic_Save.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <random>

namespace {

std::atomic<Flush_Call> Flush{::fsync};

bool Write_All(int descriptor, const unsigned char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(descriptor, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// The start of every new file's name for a target: the target's name, cut
// so that the whole temporary name stays within the longest file name.
std::string Temporary_Prefix(const std::filesystem::path& target)
{
    constexpr std::size_t longest_kept = 200; // leaves room for ".new-<pid>-<number>"
    return target.filename().string().substr(0, longest_kept) + ".new-";
}

// In the target's folder so that the rename stays within one file system;
// unique per process and call so that two writers never share one.
std::string Temporary_Name(const std::string& file_name)
{
    static thread_local std::mt19937 generator{std::random_device{}()};
    const std::filesystem::path target(file_name);
    return (target.parent_path() / Temporary_Prefix(target)).string() + std::to_string(::getpid()) + "-" +
           std::to_string(generator());
}

// The process that made a temporary of Temporary_Name's form, or 0.
pid_t Temporary_Owner(const std::string& name, const std::string& prefix)
{
    if (name.compare(0, prefix.size(), prefix) != 0)
        return 0;
    const std::string rest = name.substr(prefix.size());
    const std::size_t dash = rest.find('-');
    if (dash == 0 || dash == std::string::npos ||
        rest.find_first_not_of("0123456789") != dash || rest.find_first_not_of("0123456789", dash + 1) != std::string::npos)
        return 0;
    return static_cast<pid_t>(std::strtol(rest.substr(0, dash).c_str(), nullptr, 10));
}

// A writer that died part-way leaves its new file behind; files of writers
// that no longer run are removed so that they do not pile up. A live
// writer's file is left alone.
void Remove_Stale_Temporaries(const std::string& file_name)
{
    namespace fs = std::filesystem;
    const fs::path target(file_name);
    const std::string prefix = Temporary_Prefix(target);
    std::error_code error;
    fs::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        const pid_t owner = Temporary_Owner(entry->path().filename().string(), prefix);
        if (owner > 0 && ::kill(owner, 0) != 0 && errno == ESRCH)
            ::unlink(entry->path().c_str());
    }
}

int Create_Temporary(const std::string& file_name, std::string& temporary)
{
    for (int attempt = 0; attempt < 8; ++attempt) {
        temporary = Temporary_Name(file_name);
        // 0666 so that the kernel takes the umask off for a new file.
        const int descriptor =
            ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (descriptor >= 0 || errno != EEXIST)
            return descriptor;
    }
    return -1;
}

// The mode of the file to be replaced when it is a regular file of the
// user's own. Another user's file (a hard link to it, or one put in a shared
// folder) must not lend its mode: it could let that user write the new file.
std::optional<mode_t> Own_File_Mode(const std::string& file_name)
{
    struct stat status {};
    if (::lstat(file_name.c_str(), &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == ::geteuid())
        return status.st_mode & 07777;
    return std::nullopt;
}

// Gives the new file its mode before anything is written into it: the
// replaced file's, else the one asked for a new file, else the one the
// kernel gave; less write for group and others when only the owner may
// write. 0 or the errno.
int Set_Mode(int descriptor, const std::string& file_name, std::optional<mode_t> new_file_mode,
             Write_Access access)
{
    std::optional<mode_t> mode = Own_File_Mode(file_name);
    if (!mode)
        mode = new_file_mode;
    if (!mode) {
        struct stat status {};
        if (::fstat(descriptor, &status) != 0)
            return errno;
        mode = status.st_mode & 07777;
    }
    if (access == Write_Access::Owner_Only)
        *mode &= ~static_cast<mode_t>(S_IWGRP | S_IWOTH);
    return ::fchmod(descriptor, *mode) == 0 ? 0 : errno;
}

// Makes the rename durable. A folder that cannot be opened for syncing (no
// read permission) still holds the renamed file, so this is best effort.
void Sync_Folder(const std::string& file_name)
{
    std::string folder = std::filesystem::path(file_name).parent_path().string();
    if (folder.empty())
        folder = ".";
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return;
    ::fsync(descriptor);
    ::close(descriptor);
}

} // namespace

std::optional<Save_Failure> Save_File_Atomically(const std::string& file_name, const void* data, std::size_t size,
                                                 std::optional<mode_t> new_file_mode, Write_Access access)
{
    Remove_Stale_Temporaries(file_name);
    std::string temporary;
    const int descriptor = Create_Temporary(file_name, temporary);
    if (descriptor < 0)
        return Save_Failure{Save_Failure::Create, errno};
    int error = Set_Mode(descriptor, file_name, new_file_mode, access);
    const auto* bytes = static_cast<const unsigned char*>(data);
    if (error == 0 && (!Write_All(descriptor, bytes, size) || Flush.load()(descriptor) != 0))
        error = errno;
    if (::close(descriptor) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.c_str(), file_name.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return Save_Failure{Save_Failure::Write, error};
    }
    Sync_Folder(file_name);
    return std::nullopt;
}

Flush_Call Set_Flush_Call(Flush_Call call)
{
    return Flush.exchange(call);
}
