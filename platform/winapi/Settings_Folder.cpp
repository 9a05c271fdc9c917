#include "platform/winapi/Settings_Folder.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

fs::path Home_Folder()
{
    if (const char* home = std::getenv("HOME"); home && *home) {
        return home;
    }
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) {
        return entry->pw_dir;
    }
    return fs::temp_directory_path();
}

fs::path Config_Home()
{
    // An empty or relative XDG_CONFIG_HOME is invalid and ignored.
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/') {
        return config;
    }
    return Home_Folder() / ".config";
}

} // namespace

fs::path Settings_Folder()
{
    return Config_Home() / "Quorvale" / "Ravivida Ordexia";
}

bool Ensure_Settings_Folder(fs::path& folder)
{
    folder = Settings_Folder();
    std::error_code error;
    fs::create_directories(folder, error);
    return !error && fs::is_directory(folder, error);
}
