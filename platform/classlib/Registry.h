#pragma once
// The class library's registry object: one open key at a time under
// HKEY_CURRENT_USER, integer values read and written with exceptions on
// failure. The system creates one per call and frees it at once.

#include "platform/classlib/SysUtils.h"
#include "platform/winapi/Registry.h"

#include <string>

class ERegistryException : public Exception {
    using Exception::Exception;
};

class TRegistry {
public:
    TRegistry() : TRegistry(KEY_ALL_ACCESS) {}
    explicit TRegistry(REGSAM access) : Access(access) {}
    ~TRegistry() { CloseKey(); }
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    // A key starting with '\' is taken from the root, any other from the
    // open key. On success the new key replaces the open one; on failure
    // the open key stays and the result is false.
    bool OpenKey(const std::string& key, bool can_create);
    void CloseKey();

    HKEY CurrentKey() const { return Current_Key; }
    const std::string& CurrentPath() const { return Current_Path; }

    // Raises ERegistryException when the value is missing, is not a
    // REG_DWORD, or no key is open.
    int ReadInteger(const std::string& name);
    // Raises ERegistryException when the value cannot be written.
    void WriteInteger(const std::string& name, int value);

private:
    REGSAM Access;
    HKEY Current_Key = nullptr;
    std::string Current_Path;
};
