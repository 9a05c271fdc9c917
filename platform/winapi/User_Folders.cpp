#include "platform/winapi/User_Folders.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace fs = std::filesystem;

namespace {

constexpr mode_t Private_Mode = 0700;

// Under "~/.cache" as the user would look for it when there is no home: a
// relative path, which is never made.
fs::path Program_Cache_Folder()
{
    const fs::path cache = Cache_Home();
    return (cache.empty() ? fs::path("~/.cache") : cache) / "Quorvale" / "Ravivida Ordexia";
}

// The checks on an open folder: a directory of the user's.
int Check_Own_Directory(const struct stat& status)
{
    if (!S_ISDIR(status.st_mode))
        return ENOTDIR;
    return status.st_uid == geteuid() ? 0 : EPERM;
}

// $XDG_RUNTIME_DIR when it is a private folder of the user's, else the
// fallback in the program's cache folder.
fs::path Runtime_Place(const char* fallback, bool& private_variable)
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    private_variable = runtime != nullptr && *runtime == '/' && Is_Private_Folder(runtime);
    return private_variable ? fs::path(runtime) : Program_Cache_Folder() / fallback;
}

fs::path Runtime_Or(const char* fallback, int& error)
{
    bool ready = false;
    const fs::path folder = Runtime_Place(fallback, ready);
    return ready || Make_Private_Folder(folder, error) ? folder : fs::path();
}

} // namespace

fs::path Home_Folder()
{
    if (const char* home = std::getenv("HOME"); home != nullptr && *home == '/')
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr)
        return entry->pw_dir;
    return {};
}

fs::path Cache_Home()
{
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache != nullptr && *cache == '/')
        return cache;
    const fs::path home = Home_Folder();
    return home.empty() ? fs::path() : home / ".cache";
}

bool Make_Private_Folder(const fs::path& folder, int& error)
{
    if (folder.empty() || folder.is_relative()) {
        error = ENOENT;
        return false;
    }
    std::error_code made;
    fs::create_directories(folder.parent_path(), made);
    if (::mkdir(folder.c_str(), Private_Mode) != 0 && errno != EEXIST) {
        error = errno;
        return false;
    }
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (descriptor < 0) {
        error = errno == ELOOP ? ENOTDIR : errno;
        return false;
    }
    struct stat status {};
    error = ::fstat(descriptor, &status) != 0 ? errno : Check_Own_Directory(status);
    if (error == 0 && (status.st_mode & 077) != 0 && ::fchmod(descriptor, Private_Mode) != 0)
        error = errno;
    ::close(descriptor);
    return error == 0;
}

bool Is_Private_Folder(const fs::path& folder)
{
    struct stat status {};
    return ::lstat(folder.c_str(), &status) == 0 && Check_Own_Directory(status) == 0 && (status.st_mode & 077) == 0;
}

bool Is_Own_Folder(const fs::path& folder)
{
    struct stat status {};
    return ::stat(folder.c_str(), &status) == 0 && Check_Own_Directory(status) == 0 &&
           (status.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

fs::path User_Runtime_Folder(int& error)
{
    return Runtime_Or("runtime", error);
}

fs::path User_Runtime_Place()
{
    bool ready = false;
    return Runtime_Place("runtime", ready);
}

fs::path User_Temp_Folder(int& error)
{
    return Runtime_Or("tmp", error);
}
