#pragma once
// A private settings folder for one test: XDG_CONFIG_HOME points into a fresh
// temporary folder for the object's lifetime, so tests never see or touch the
// user's real settings or ports.

#include <filesystem>
#include <optional>
#include <string>

class Temp_Settings {
public:
    Temp_Settings();
    ~Temp_Settings();
    Temp_Settings(const Temp_Settings&) = delete;
    Temp_Settings& operator=(const Temp_Settings&) = delete;

    // The temporary XDG_CONFIG_HOME.
    const std::filesystem::path& Config_Home() const { return config_home; }
    // The program's settings folder inside it (created).
    std::filesystem::path Program_Folder() const;

private:
    std::filesystem::path root;
    std::filesystem::path config_home;
    std::optional<std::string> previous_config_home;
};

// A fresh empty folder under the test temporary area, removed by the caller
// or left for inspection; unique per call.
std::filesystem::path Make_Temp_Folder(const std::string& prefix);
