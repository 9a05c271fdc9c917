#pragma once
// XDG_RUNTIME_DIR, where single-instance locks and sockets live, points at a
// fresh folder for the object's lifetime.

#include <filesystem>
#include <system_error>

#include "tests/support/Scoped_Variable.h"
#include "tests/support/Temp_Settings.h"

class Temp_Runtime_Folder {
public:
    Temp_Runtime_Folder() = default;
    ~Temp_Runtime_Folder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    Temp_Runtime_Folder(const Temp_Runtime_Folder&) = delete;
    Temp_Runtime_Folder& operator=(const Temp_Runtime_Folder&) = delete;

    const std::filesystem::path& Folder() const { return folder; }
    bool Empty() const { return std::filesystem::is_empty(folder); }

private:
    std::filesystem::path folder = Make_Temp_Folder("runtime");
    Scoped_Variable variable {"XDG_RUNTIME_DIR", folder.string()};
};
