#include "tests/support/Temp_Settings.h"

#include <cstdlib>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

fs::path Make_Temp_Folder(const std::string& prefix)
{
    const char* base = std::getenv("ORDEXIA_TEST_TMP");
    fs::path parent = base ? fs::path(base) : fs::temp_directory_path();
    fs::create_directories(parent);
    std::string pattern = (parent / (prefix + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder under " + parent.string());
    }
    return fs::path(pattern);
}

Temp_Settings::Temp_Settings()
    : root(Make_Temp_Folder("settings")), config_home(root / "config")
{
    fs::create_directories(config_home);
    if (const char* previous = std::getenv("XDG_CONFIG_HOME")) {
        previous_config_home = previous;
    }
    setenv("XDG_CONFIG_HOME", config_home.c_str(), 1);
}

Temp_Settings::~Temp_Settings()
{
    if (previous_config_home) {
        setenv("XDG_CONFIG_HOME", previous_config_home->c_str(), 1);
    } else {
        unsetenv("XDG_CONFIG_HOME");
    }
    std::error_code ignored;
    fs::remove_all(root, ignored);
}

fs::path Temp_Settings::Program_Folder() const
{
    // Nobody else may write into them, whatever the umask, or the program
    // would not use them.
    constexpr fs::perms others_write = fs::perms::group_write | fs::perms::others_write;
    fs::path folder = config_home / "Quorvale" / "Ravivida Ordexia";
    fs::create_directories(folder);
    fs::permissions(folder.parent_path(), others_write, fs::perm_options::remove);
    fs::permissions(folder, others_write, fs::perm_options::remove);
    return folder;
}
