#pragma once
// The INI file that holds HKEY_CURRENT_USER: "Registry.ini" in the settings
// folder. Sections are key paths ("Software\Quorvale\Ravivida Ordexia"),
// lines are values: a decimal number is a REG_DWORD, a quoted text (with \\,
// \" and \n escapes) a REG_SZ, anything else is kept as it stands.
//
// A Registry_Store object holds the process-wide store lock for its lifetime
// and works on the file's contents as loaded at its construction; Save writes
// a new file beside the old one and renames it over, so a failed or
// interrupted save leaves the previous file whole.
//
// The file is opened without blocking and must be a regular file of at most
// a mebibyte (Stored_File). A damaged file is kept aside under a name no
// earlier copy holds ("Registry.ini.damaged", then ".damaged.1", ...) and
// what still reads is kept: lines that cannot be read (no section, no '=',
// a broken section header, a NUL byte, the last line cut short without its
// line end) are dropped, the others kept and written back at once. Of a file
// over the size limit its first mebibyte is read so. Something that is not a
// regular file keeps nothing. The repair is recorded for the shell to tell
// the user once. When the file cannot be read for a passing reason (no file
// descriptors or memory left) or cannot be kept aside, the store starts
// empty and refuses to save, so the file is never overwritten.
//
// A settings folder that is not the user's own (Settings_Folder.h) is
// neither read nor written: the store starts empty, refuses to save, and
// records the folder for the shell to tell the user.
//
// The first save of a run that fails is reported once through the save
// failure handler, so that the user learns that changes will be lost.

#include "platform/winapi/WinTypes.h"

#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct Registry_Value {
    DWORD Type = 0;
    std::vector<BYTE> Data;
};

// What the store repaired in a damaged file.
struct Registry_Repair {
    std::filesystem::path Damaged_Copy; // where the damaged file was kept
    bool All_Lost = false;              // nothing could be read from it
    std::vector<std::string> Dropped;   // the lines that could not be read, as they stood
    bool Too_Large = false;             // only the file's head was read, the rest is lost
};

// The repairs made since the last call, once; nullopt when there were none.
std::optional<Registry_Repair> Take_Registry_Repair();

// The settings folder last refused as not the user's own, once; nullopt
// when none was.
std::optional<std::filesystem::path> Take_Refused_Settings_Folder();

// Called, from the thread that saved, for the first failed save after the
// handler was set: the settings folder and the errno. Setting a handler
// starts a new run's report.
using Registry_Save_Failure_Handler = std::function<void(const std::filesystem::path& folder, int error)>;
void Set_Registry_Save_Failure_Handler(Registry_Save_Failure_Handler handler);

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
    // Reads every line that can be read; the others are added to dropped.
    void Parse(const std::string& text, std::vector<std::string>& dropped);
    bool Read_Line(const std::string& line, bool cut, Section*& current);
    void Repair(const std::filesystem::path& path, Registry_Repair repair);
    const Section* Find_Section(const std::string& key) const;
    Section& Section_For(const std::string& key);
    std::string Text() const;

    std::unique_lock<std::mutex> lock;
    std::vector<Section> sections;
    int refusal = 0; // why this store must not save: the errno of what went wrong, 0 when it may
    bool folder_refused = false; // the folder is not the user's own, which the user is told at start
};
