#include "platform/winapi/Registry.h"

#include "platform/winapi/Registry_Store.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

// An open key: its full path below HKEY_CURRENT_USER and the access asked.
struct HKEY__ {
    std::string Path;
    REGSAM Access = 0;
};

namespace {

bool Is_Predefined(HKEY key)
{
    const auto value = reinterpret_cast<std::uintptr_t>(key);
    return value >= 0x80000000u && value <= 0x800000FFu;
}

// A component must survive the INI section line unchanged.
bool Is_Valid_Component(const std::string& part)
{
    return part.find_first_of("]\r\n") == std::string::npos && part.front() != ' ' && part.back() != ' ' &&
           part.front() != '\t' && part.back() != '\t';
}

// The full path of sub_key below key; empty components (leading, doubled or
// trailing backslashes) are ignored.
std::optional<std::string> Full_Path(HKEY key, LPCSTR sub_key, DWORD& error)
{
    if (key == nullptr || (Is_Predefined(key) && key != HKEY_CURRENT_USER)) {
        error = key == nullptr ? ERROR_INVALID_HANDLE : ERROR_FILE_NOT_FOUND;
        return std::nullopt;
    }
    std::string path = key == HKEY_CURRENT_USER ? std::string() : key->Path;
    const std::string sub = sub_key != nullptr ? sub_key : "";
    std::size_t start = 0;
    while (start <= sub.size()) {
        const std::size_t end = std::min(sub.find('\\', start), sub.size());
        const std::string part = sub.substr(start, end - start);
        start = end + 1;
        if (part.empty()) {
            continue;
        }
        if (!Is_Valid_Component(part)) {
            error = ERROR_INVALID_PARAMETER;
            return std::nullopt;
        }
        path += (path.empty() ? "" : "\\") + part;
    }
    return path;
}

LONG Open_Handle(const std::string& path, REGSAM access, PHKEY result)
{
    *result = new HKEY__{path, access};
    return ERROR_SUCCESS;
}

// The path of an open key, or of the hive itself.
std::optional<std::string> Key_Path(HKEY key, REGSAM needed, DWORD& error)
{
    if (key == HKEY_CURRENT_USER) {
        return std::string();
    }
    if (key == nullptr || Is_Predefined(key)) {
        error = ERROR_INVALID_HANDLE;
        return std::nullopt;
    }
    if ((key->Access & needed) != needed) {
        error = ERROR_ACCESS_DENIED;
        return std::nullopt;
    }
    return key->Path;
}

} // namespace

LONG RegOpenKeyExA(HKEY key, LPCSTR sub_key, DWORD, REGSAM access, PHKEY result)
{
    if (result == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    DWORD error = ERROR_SUCCESS;
    const auto path = Full_Path(key, sub_key, error);
    if (!path) {
        return static_cast<LONG>(error);
    }
    if (!Registry_Store().Has_Key(*path)) {
        return ERROR_FILE_NOT_FOUND;
    }
    return Open_Handle(*path, access, result);
}

LONG RegCreateKeyExA(HKEY key, LPCSTR sub_key, DWORD, LPSTR, DWORD, REGSAM access, LPSECURITY_ATTRIBUTES, PHKEY result,
                     LPDWORD disposition)
{
    if (result == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    DWORD error = ERROR_SUCCESS;
    const auto path = Full_Path(key, sub_key, error);
    if (!path) {
        return static_cast<LONG>(error);
    }
    Registry_Store store;
    const bool existed = store.Has_Key(*path);
    if (!existed) {
        store.Add_Key(*path);
        if (!store.Save()) {
            return ERROR_WRITE_FAULT;
        }
    }
    if (disposition != nullptr) {
        *disposition = existed ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
    }
    return Open_Handle(*path, access, result);
}

LONG RegQueryValueExA(HKEY key, LPCSTR value_name, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD size)
{
    DWORD error = ERROR_SUCCESS;
    const auto path = Key_Path(key, KEY_QUERY_VALUE, error);
    if (!path) {
        return static_cast<LONG>(error);
    }
    if (data != nullptr && size == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    const auto value = Registry_Store().Find_Value(*path, value_name != nullptr ? value_name : "");
    if (!value) {
        return ERROR_FILE_NOT_FOUND;
    }
    if (type != nullptr) {
        *type = value->Type;
    }
    if (size == nullptr) {
        return ERROR_SUCCESS;
    }
    const auto needed = static_cast<DWORD>(value->Data.size());
    const DWORD available = *size;
    *size = needed;
    if (data == nullptr) {
        return ERROR_SUCCESS;
    }
    if (available < needed) {
        return ERROR_MORE_DATA;
    }
    std::memcpy(data, value->Data.data(), needed);
    return ERROR_SUCCESS;
}

LONG RegSetValueExA(HKEY key, LPCSTR value_name, DWORD, DWORD type, const BYTE* data, DWORD size)
{
    DWORD error = ERROR_SUCCESS;
    const auto path = Key_Path(key, KEY_SET_VALUE, error);
    if (!path) {
        return static_cast<LONG>(error);
    }
    if (data == nullptr && size != 0) {
        return ERROR_INVALID_PARAMETER;
    }
    Registry_Store store;
    const Registry_Value value{type, std::vector<BYTE>(data, data + size)};
    if (!store.Set_Value(*path, value_name != nullptr ? value_name : "", value)) {
        return ERROR_INVALID_PARAMETER;
    }
    return store.Save() ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
}

LONG RegCloseKey(HKEY key)
{
    if (key == nullptr) {
        return ERROR_INVALID_HANDLE;
    }
    if (!Is_Predefined(key)) {
        delete key;
    }
    return ERROR_SUCCESS;
}
