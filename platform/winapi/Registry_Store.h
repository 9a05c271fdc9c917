#pragma once
// The INI file that holds HKEY_CURRENT_USER: "Registry.ini" in the settings
// folder. Sections are key paths ("Software\Quorvale\Ravivida Ordexia"),
// lines are values: a decimal number is a REG_DWORD, a quoted text (with \\,
// \" and \n escapes) a REG_SZ, anything else is kept as it stands.
//
// A Registry_Store object holds the process-wide store lock for its lifetime
// and works on the file's contents as loaded at its construction; Save writes
// a new file beside the old one and renames it over, so a failed or
// interrupted save leaves the previous file whole. A file that cannot be read
// or parsed is renamed aside ("Registry.ini.damaged", numbered when taken)
// and the store starts empty. When the file cannot be read for a passing
// reason (no file descriptors or memory left) or cannot be moved aside, the
// store starts empty and refuses to save, so the file is never overwritten.

#include "platform/winapi/WinTypes.h"

#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct Registry_Value {
    DWORD Type = 0;
    std::vector<BYTE> Data;
};

class Registry_Store {
public:
    Registry_Store();
    Registry_Store(const Registry_Store&) = delete;
    Registry_Store& operator=(const Registry_Store&) = delete;

    static std::filesystem::path File_Path();

    // Key paths are components joined by '\'; a key exists when it or one
    // of its sub-keys has a section.
    bool Has_Key(const std::string& key) const;
    void Add_Key(const std::string& key);
    std::optional<Registry_Value> Find_Value(const std::string& key, const std::string& name) const;
    // Only REG_DWORD and REG_SZ can be set, under names that an INI line can
    // hold; false otherwise, and nothing changes.
    bool Set_Value(const std::string& key, const std::string& name, const Registry_Value& value);
    bool Save() const;

private:
    struct Section {
        std::string Key;
        std::vector<std::pair<std::string, std::string>> Values;
    };

    void Load();
    bool Parse(const std::string& text);
    const Section* Find_Section(const std::string& key) const;
    Section& Section_For(const std::string& key);
    std::string Text() const;

    std::unique_lock<std::mutex> lock;
    std::vector<Section> sections;
    bool usable = true;
};
