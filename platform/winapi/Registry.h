#pragma once
// The registry calls the system makes. HKEY_CURRENT_USER is the only hive: it
// lives in one INI file in the program's settings folder (Registry_Store),
// keys as sections, values as lines. Every change is written to the file at
// once. Key and value names compare without regard to case, as in Windows.
//
// Only REG_DWORD and REG_SZ values can be stored; a value line that is
// neither reads back as REG_NONE holding its raw text.

#include "platform/winapi/Kernel.h"
#include "platform/winapi/WinTypes.h"

#include <cstdint>

struct HKEY__;
using HKEY = HKEY__*;
using PHKEY = HKEY*;
using REGSAM = DWORD;
using LPBYTE = BYTE*;

inline HKEY const HKEY_CURRENT_USER = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000001u));

// The other error codes come with the kernel calls.
constexpr DWORD ERROR_MORE_DATA = 234;

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_DWORD = 4;

constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Opens an existing key below an open key or the hive; ERROR_FILE_NOT_FOUND
// when it does not exist.
LONG RegOpenKeyExA(HKEY key, LPCSTR sub_key, DWORD options, REGSAM access, PHKEY result);

// Opens a key, creating it (and its parents) when missing. The class,
// options and security are accepted and ignored.
LONG RegCreateKeyExA(HKEY key, LPCSTR sub_key, DWORD reserved, LPSTR key_class, DWORD options, REGSAM access,
                     LPSECURITY_ATTRIBUTES security, PHKEY result, LPDWORD disposition);

// Reads a value: its type into *type, its bytes into data (*size bytes
// available; ERROR_MORE_DATA with the needed size when too small). With no
// data buffer only the type and size are answered.
LONG RegQueryValueExA(HKEY key, LPCSTR value_name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size);

// Writes a REG_DWORD (4 bytes) or REG_SZ value; the file is rewritten at once
// and ERROR_WRITE_FAULT leaves the previous file whole.
LONG RegSetValueExA(HKEY key, LPCSTR value_name, DWORD reserved, DWORD type, const BYTE* data, DWORD size);

LONG RegCloseKey(HKEY key);
