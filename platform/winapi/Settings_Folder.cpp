#include "platform/winapi/Settings_Folder.h"

#include "platform/winapi/User_Folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace fs = std::filesystem;

namespace {

// The folders of the program's own, made private to the user.
constexpr mode_t Own_Folder_Mode = 0700;
// As the kernel bounds a path's links.
constexpr int Longest_Link_Chain = 40;

fs::path Config_Home()
{
    // An empty or relative XDG_CONFIG_HOME is invalid and ignored.
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/') {
        return config;
    }
    const fs::path home = Home_Folder();
    return home.empty() ? fs::path() : home / ".config";
}

// Every link on the way from the name to what it names is the user's own;
// the name of a missing folder passes.
bool Reached_Through_Own_Links(fs::path path)
{
    for (int hop = 0; hop < Longest_Link_Chain; ++hop) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0)
            return hop == 0 && (errno == ENOENT || errno == ENOTDIR);
        if (!S_ISLNK(status.st_mode))
            return true;
        std::error_code error;
        const fs::path target = fs::read_symlink(path, error);
        if (status.st_uid != ::geteuid() || error)
            return false;
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return false;
}

// Nothing else of another user's can be used in its place: a missing name
// or a file where a folder should be passes, and fails later as such.
bool Is_Own_Or_Missing(const fs::path& folder)
{
    if (!Reached_Through_Own_Links(folder))
        return false;
    struct stat status {};
    if (::stat(folder.c_str(), &status) != 0)
        return errno == ENOENT || errno == ENOTDIR;
    return !S_ISDIR(status.st_mode) || Is_Own_Folder(folder);
}

// The folders that make up the settings folder below the config home.
bool Is_Own_Settings_Folder(const fs::path& folder)
{
    return folder.empty() || (Is_Own_Or_Missing(folder.parent_path()) && Is_Own_Or_Missing(folder));
}

bool Make_Own_Folder(const fs::path& folder, int& error)
{
    if (::mkdir(folder.c_str(), Own_Folder_Mode) == 0 || errno == EEXIST)
        return true;
    error = errno;
    return false;
}

} // namespace

fs::path Settings_Folder()
{
    const fs::path config = Config_Home();
    return config.empty() ? fs::path() : config / "Quorvale" / "Ravivida Ordexia";
}

bool Is_Own_Settings_Folder()
{
    return Is_Own_Settings_Folder(Settings_Folder());
}

bool Ensure_Settings_Folder(fs::path& folder, int& error)
{
    folder = Settings_Folder();
    if (folder.empty()) {
        error = ENOENT;
        return false;
    }
    // Checked before anything is made inside, and again once all is there.
    if (!Is_Own_Settings_Folder(folder)) {
        error = EPERM;
        return false;
    }
    std::error_code made;
    fs::create_directories(folder.parent_path().parent_path(), made);
    if (made) {
        error = made.value();
        return false;
    }
    if (!Make_Own_Folder(folder.parent_path(), error) || !Make_Own_Folder(folder, error))
        return false;
    if (!fs::is_directory(folder, made)) {
        error = ENOTDIR;
        return false;
    }
    error = Is_Own_Settings_Folder(folder) ? 0 : EPERM;
    return error == 0;
}

bool Ensure_Settings_Folder(fs::path& folder)
{
    int error = 0;
    return Ensure_Settings_Folder(folder, error);
}
