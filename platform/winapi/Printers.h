#pragma once
// The printers the user can print to: the print system's (CUPS)
// destinations, local and shared alike, by name.

#include "platform/winapi/Kernel.h"
#include "platform/winapi/WinTypes.h"

constexpr DWORD PRINTER_ENUM_LOCAL = 0x00000002;
constexpr DWORD PRINTER_ENUM_CONNECTIONS = 0x00000004;
constexpr DWORD PRINTER_ATTRIBUTE_LOCAL = 0x00000040;
constexpr DWORD PRINTER_ATTRIBUTE_NETWORK = 0x00000010;

struct PRINTER_INFO_4A {
    LPSTR pPrinterName;
    LPSTR pServerName;
    DWORD Attributes;
};

using LPBYTE = BYTE*;

// Level 4 only (ERROR_INVALID_LEVEL otherwise); the server name must be
// null. The records and their texts go into Buffer; Needed receives the
// bytes they take, and when they do not fit the call fails with
// ERROR_INSUFFICIENT_BUFFER. Without a print system the list is empty.
BOOL EnumPrintersA(DWORD Flags, LPSTR Name, DWORD Level, LPBYTE Buffer, DWORD BufferSize, LPDWORD Needed,
                   LPDWORD Returned);
