#include "platform/winapi/Registry_Store.h"

#include "platform/winapi/Atomic_Save.h"
#include "platform/winapi/Registry.h"
#include "platform/winapi/Settings_Folder.h"
#include "platform/winapi/Stored_File.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::mutex Store_Mutex;

bool Same_Name(const std::string& a, const std::string& b)
{
    return std::ranges::equal(a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

std::string Trim(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Settings are private to the user: a new file is made 0600; a file of the
// user's there already keeps its mode, but nobody else may ever write it.
std::optional<Save_Failure> Write_Settings(const fs::path& path, const std::string& text)
{
    return Save_File_Atomically(path.string(), text.data(), text.size(), 0600, Write_Access::Owner_Only);
}

// Keeps a damaged file for the user under a name no earlier copy holds; the
// move never replaces one.
std::optional<fs::path> Keep_Aside(const fs::path& path)
{
    for (int number = 0; number < 1000; ++number) {
        const fs::path aside =
            fs::path(path).concat(number == 0 ? std::string(".damaged") : ".damaged." + std::to_string(number));
        if (renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, aside.c_str(), RENAME_NOREPLACE) == 0)
            return aside;
        if (errno != EEXIST)
            return std::nullopt;
    }
    errno = EEXIST;
    return std::nullopt;
}

// A dropped line as the user is shown it: printable and short.
std::string Shown_Line(const std::string& line)
{
    constexpr std::size_t longest = 60;
    std::string shown = Trim(line.substr(0, longest));
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < ' ' || c == '\x7F')
            c = '?';
    return line.size() > longest ? shown + "..." : shown;
}

// What the shell has not been told yet, and who hears of a failed save.
struct Reports {
    std::mutex Lock;
    std::optional<Registry_Repair> Repair;
    std::optional<fs::path> Refused_Folder;
    Registry_Save_Failure_Handler Save_Failure;
    bool Save_Failure_Reported = false;
};

Reports& Pending_Reports()
{
    static Reports reports;
    return reports;
}

void Record_Repair(Registry_Repair repair)
{
    Reports& reports = Pending_Reports();
    std::lock_guard guard(reports.Lock);
    if (!reports.Repair) {
        reports.Repair = std::move(repair);
        return;
    }
    reports.Repair->Damaged_Copy = repair.Damaged_Copy;
    reports.Repair->All_Lost = reports.Repair->All_Lost || repair.All_Lost;
    reports.Repair->Too_Large = reports.Repair->Too_Large || repair.Too_Large;
    reports.Repair->Dropped.insert(reports.Repair->Dropped.end(), repair.Dropped.begin(), repair.Dropped.end());
}

void Record_Refused_Folder(const fs::path& folder)
{
    Reports& reports = Pending_Reports();
    std::lock_guard guard(reports.Lock);
    reports.Refused_Folder = folder;
}

void Report_Save_Failure(const fs::path& folder, int error)
{
    Reports& reports = Pending_Reports();
    Registry_Save_Failure_Handler handler;
    {
        std::lock_guard guard(reports.Lock);
        if (reports.Save_Failure_Reported || !reports.Save_Failure)
            return;
        reports.Save_Failure_Reported = true;
        handler = reports.Save_Failure;
    }
    handler(folder, error);
}

bool Is_Number(const std::string& text)
{
    const std::size_t start = !text.empty() && text[0] == '-' ? 1 : 0;
    return text.size() > start && std::all_of(text.begin() + static_cast<std::ptrdiff_t>(start), text.end(),
                                              [](unsigned char c) { return std::isdigit(c) != 0; });
}

std::optional<DWORD> Decode_Dword(const std::string& text)
{
    if (!Is_Number(text)) {
        return std::nullopt;
    }
    std::int64_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || number < INT32_MIN || number > UINT32_MAX) {
        return std::nullopt;
    }
    return static_cast<DWORD>(number);
}

std::optional<std::string> Decode_Quoted(const std::string& text)
{
    if (text.size() < 2 || text.front() != '"' || text.back() != '"') {
        return std::nullopt;
    }
    std::string result;
    for (std::size_t i = 1; i + 1 < text.size(); ++i) {
        char c = text[i];
        if (c == '"') {
            return std::nullopt;
        }
        if (c == '\\') {
            if (i + 2 >= text.size()) {
                return std::nullopt;
            }
            const char escaped = text[++i];
            if (escaped != '\\' && escaped != '"' && escaped != 'n') {
                return std::nullopt;
            }
            c = escaped == 'n' ? '\n' : escaped;
        }
        result += c;
    }
    return result;
}

Registry_Value Decode(const std::string& text)
{
    if (const auto number = Decode_Dword(text)) {
        Registry_Value value{REG_DWORD, std::vector<BYTE>(4)};
        for (int i = 0; i < 4; ++i) {
            value.Data[static_cast<std::size_t>(i)] = static_cast<BYTE>(*number >> (8 * i));
        }
        return value;
    }
    if (const auto quoted = Decode_Quoted(text)) {
        Registry_Value value{REG_SZ, std::vector<BYTE>(quoted->begin(), quoted->end())};
        value.Data.push_back(0);
        return value;
    }
    return Registry_Value{REG_NONE, std::vector<BYTE>(text.begin(), text.end())};
}

std::string Encode_Dword(const std::vector<BYTE>& data)
{
    DWORD number = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        number |= static_cast<DWORD>(data[i]) << (8 * i);
    }
    return std::to_string(number);
}

std::string Encode_Quoted(const std::vector<BYTE>& data)
{
    std::string text = "\"";
    for (const BYTE byte : data) {
        if (byte == 0) {
            break;
        }
        if (byte == '\\' || byte == '"') {
            text += '\\';
        }
        text += byte == '\n' ? std::string("\\n") : std::string(1, static_cast<char>(byte));
    }
    return text + "\"";
}

std::optional<std::string> Encode(const Registry_Value& value)
{
    if (value.Type == REG_DWORD && value.Data.size() == 4) {
        return Encode_Dword(value.Data);
    }
    if (value.Type == REG_SZ && std::ranges::find(value.Data, BYTE{'\r'}) == value.Data.end()) {
        return Encode_Quoted(value.Data);
    }
    return std::nullopt;
}

// A name must come back unchanged from its "name=value" line.
bool Is_Storable_Name(const std::string& name)
{
    return !name.empty() && name == Trim(name) && name.find_first_of("=\r\n") == std::string::npos &&
           name.front() != '[' && name.front() != ';' && name.front() != '#';
}

} // namespace

Registry_Store::Registry_Store()
    : lock(Store_Mutex)
{
    Load();
}

fs::path Registry_Store::File_Path()
{
    return Settings_Folder() / "Registry.ini";
}

void Registry_Store::Load()
{
    const fs::path path = File_Path();
    if (!path.has_parent_path()) {
        refusal = ENOENT; // no home folder: nowhere to keep settings
        return;
    }
    if (!Is_Own_Settings_Folder()) {
        refusal = EPERM;
        folder_refused = true;
        Record_Refused_Folder(path.parent_path());
        return;
    }
    std::string text;
    const Stored_Read_Result result = Read_Stored_File(path, text);
    if (result.State == Stored_Read::Missing)
        return;
    if (result.State == Stored_Read::Busy) {
        // Saving over a file we could not read would lose it.
        refusal = result.Error;
        return;
    }
    Registry_Repair repair;
    repair.Too_Large = result.State == Stored_Read::Damaged && result.Error == EFBIG;
    if (result.State == Stored_Read::Read || repair.Too_Large) {
        Parse(text, repair.Dropped);
        if (repair.Dropped.empty() && !repair.Too_Large)
            return;
    }
    repair.All_Lost = result.State != Stored_Read::Read && !repair.Too_Large;
    Repair(path, std::move(repair));
}

void Registry_Store::Repair(const fs::path& path, Registry_Repair repair)
{
    const std::optional<fs::path> aside = Keep_Aside(path);
    if (!aside) {
        // The damaged file stays where it is and is never written over.
        refusal = errno;
        sections.clear();
        return;
    }
    repair.Damaged_Copy = *aside;
    Record_Repair(std::move(repair));
    if (!sections.empty())
        Save();
}

void Registry_Store::Parse(const std::string& text, std::vector<std::string>& dropped)
{
    Section* current = nullptr;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t found = text.find('\n', start);
        const bool cut = found == std::string::npos; // every line the store writes ends
        const std::size_t end = cut ? text.size() : found;
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!Read_Line(line, cut, current))
            dropped.push_back(Shown_Line(line));
    }
}

bool Registry_Store::Read_Line(const std::string& text, bool cut, Section*& current)
{
    std::string line = text;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    line = Trim(line);
    if (line.empty())
        return true;
    if (cut || line.find('\0') != std::string::npos)
        return false;
    if (line[0] == ';' || line[0] == '#')
        return true;
    if (line.front() == '[') {
        // The lines after a broken header belong to no section we know.
        current = line.back() == ']' && line.size() >= 3 ? &Section_For(Trim(line.substr(1, line.size() - 2))) : nullptr;
        return current != nullptr;
    }
    const std::size_t equals = line.find('=');
    if (current == nullptr || equals == std::string::npos || equals == 0)
        return false;
    const std::string name = Trim(line.substr(0, equals));
    const std::string value = Trim(line.substr(equals + 1));
    auto found = std::ranges::find_if(current->Values, [&](const auto& entry) { return Same_Name(entry.first, name); });
    if (found != current->Values.end())
        found->second = value;
    else
        current->Values.emplace_back(name, value);
    return true;
}

const Registry_Store::Section* Registry_Store::Find_Section(const std::string& key) const
{
    const auto found = std::ranges::find_if(sections, [&](const Section& section) { return Same_Name(section.Key, key); });
    return found == sections.end() ? nullptr : &*found;
}

Registry_Store::Section& Registry_Store::Section_For(const std::string& key)
{
    const auto found = std::ranges::find_if(sections, [&](const Section& section) { return Same_Name(section.Key, key); });
    return found != sections.end() ? *found : sections.emplace_back(Section{key, {}});
}

bool Registry_Store::Has_Key(const std::string& key) const
{
    if (key.empty()) {
        return true;
    }
    return std::ranges::any_of(sections, [&](const Section& section) {
        return Same_Name(section.Key, key) ||
               (section.Key.size() > key.size() && section.Key[key.size()] == '\\' &&
                Same_Name(section.Key.substr(0, key.size()), key));
    });
}

void Registry_Store::Add_Key(const std::string& key)
{
    Section_For(key);
}

std::optional<Registry_Value> Registry_Store::Find_Value(const std::string& key, const std::string& name) const
{
    const Section* section = Find_Section(key);
    if (section == nullptr) {
        return std::nullopt;
    }
    const auto found = std::ranges::find_if(section->Values, [&](const auto& entry) { return Same_Name(entry.first, name); });
    if (found == section->Values.end()) {
        return std::nullopt;
    }
    return Decode(found->second);
}

bool Registry_Store::Set_Value(const std::string& key, const std::string& name, const Registry_Value& value)
{
    const auto text = Encode(value);
    if (!text || !Is_Storable_Name(name)) {
        return false;
    }
    auto& values = Section_For(key).Values;
    const auto found = std::ranges::find_if(values, [&](const auto& entry) { return Same_Name(entry.first, name); });
    if (found != values.end()) {
        found->second = *text;
    } else {
        values.emplace_back(name, *text);
    }
    return true;
}

std::string Registry_Store::Text() const
{
    std::string text;
    for (const Section& section : sections) {
        text += (text.empty() ? "[" : "\n[") + section.Key + "]\n";
        for (const auto& [name, value] : section.Values) {
            text += name + "=" + value + "\n";
        }
    }
    return text;
}

bool Registry_Store::Save() const
{
    if (folder_refused)
        return false; // the user was told why at start
    fs::path folder;
    int error = refusal;
    if (error == 0 && Ensure_Settings_Folder(folder, error)) {
        const std::optional<Save_Failure> failure = Write_Settings(File_Path(), Text());
        if (!failure)
            return true;
        error = failure->error;
    }
    Report_Save_Failure(Settings_Folder(), error);
    return false;
}

std::optional<Registry_Repair> Take_Registry_Repair()
{
    Reports& reports = Pending_Reports();
    std::lock_guard guard(reports.Lock);
    return std::exchange(reports.Repair, std::nullopt);
}

std::optional<fs::path> Take_Refused_Settings_Folder()
{
    Reports& reports = Pending_Reports();
    std::lock_guard guard(reports.Lock);
    return std::exchange(reports.Refused_Folder, std::nullopt);
}

void Set_Registry_Save_Failure_Handler(Registry_Save_Failure_Handler handler)
{
    Reports& reports = Pending_Reports();
    std::lock_guard guard(reports.Lock);
    reports.Save_Failure = std::move(handler);
    reports.Save_Failure_Reported = false;
}
