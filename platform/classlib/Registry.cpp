#include "platform/classlib/Registry.h"

bool TRegistry::OpenKey(const std::string& key, bool can_create)
{
    const bool relative = key.empty() || key.front() != '\\';
    const HKEY base = relative && Current_Key != nullptr ? Current_Key : HKEY_CURRENT_USER;
    HKEY opened = nullptr;
    const LONG result = can_create
                            ? RegCreateKeyExA(base, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, Access, nullptr,
                                              &opened, nullptr)
                            : RegOpenKeyExA(base, key.c_str(), 0, Access, &opened);
    if (result != ERROR_SUCCESS) {
        return false;
    }
    const std::string path = relative && Current_Key != nullptr ? Current_Path + "\\" + key : key;
    CloseKey();
    Current_Key = opened;
    Current_Path = path;
    return true;
}

void TRegistry::CloseKey()
{
    if (Current_Key != nullptr) {
        RegCloseKey(Current_Key);
        Current_Key = nullptr;
        Current_Path.clear();
    }
}

int TRegistry::ReadInteger(const std::string& name)
{
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (Current_Key == nullptr ||
        RegQueryValueExA(Current_Key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        throw ERegistryException("Failed to get data for '" + name + "'");
    }
    DWORD value = 0;
    size = sizeof value;
    if (type != REG_DWORD || RegQueryValueExA(Current_Key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                                              &size) != ERROR_SUCCESS) {
        throw ERegistryException("Invalid data type for '" + name + "'");
    }
    return static_cast<int>(value);
}

void TRegistry::WriteInteger(const std::string& name, int value)
{
    const auto data = static_cast<DWORD>(value);
    if (Current_Key == nullptr || RegSetValueExA(Current_Key, name.c_str(), 0, REG_DWORD,
                                                 reinterpret_cast<const BYTE*>(&data), sizeof data) != ERROR_SUCCESS) {
        throw ERegistryException("Failed to set data for '" + name + "'");
    }
}
