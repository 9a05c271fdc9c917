#include "platform/winapi/Settings_Folder.h"

#include "platform/winapi/User_Folders.h"

#include <cerrno>
#include <cstdlib>

namespace fs = std::filesystem;

namespace {

fs::path Config_Home()
{
    // An empty or relative XDG_CONFIG_HOME is invalid and ignored.
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/') {
        return config;
    }
    const fs::path home = Home_Folder();
    return home.empty() ? fs::path() : home / ".config";
}

} // namespace

fs::path Settings_Folder()
{
    const fs::path config = Config_Home();
    return config.empty() ? fs::path() : config / "Quorvale" / "Ravivida Ordexia";
}

bool Ensure_Settings_Folder(fs::path& folder, int& error)
{
    folder = Settings_Folder();
    if (folder.empty()) {
        error = ENOENT;
        return false;
    }
    std::error_code made;
    fs::create_directories(folder, made);
    if (!made && !fs::is_directory(folder, made))
        made = std::make_error_code(std::errc::not_a_directory);
    error = made.value();
    return !made;
}

bool Ensure_Settings_Folder(fs::path& folder)
{
    int error = 0;
    return Ensure_Settings_Folder(folder, error);
}
