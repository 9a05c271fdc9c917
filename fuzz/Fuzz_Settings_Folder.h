#pragma once
// A settings folder of the fuzz program's own: XDG_CONFIG_HOME points into
// a new folder made by mkdtemp (a name no one could create first), so that
// no target ever reads or writes the user's settings; it is removed when
// the program exits.

#include <cstdlib>
#include <filesystem>
#include <string>

namespace fuzz {

inline const std::filesystem::path& Private_Config_Home()
{
    static const std::filesystem::path home = [] {
        const char* temporary = std::getenv("TMPDIR");
        std::string name = std::string(temporary && *temporary == '/' ? temporary : "/tmp") + "/ordexia-fuzz-XXXXXX";
        if (!::mkdtemp(name.data()))
            std::abort();
        ::setenv("XDG_CONFIG_HOME", name.c_str(), 1);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(Private_Config_Home(), ignored);
        });
        return std::filesystem::path(name);
    }();
    return home;
}

} // namespace fuzz
