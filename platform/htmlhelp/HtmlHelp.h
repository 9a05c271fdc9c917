#pragma once
// The HTML Help control library, built into the program.
//
// On Windows the help kit loads hhctrl.ocx and calls its export HtmlHelpA.
// Here the library is this back end: "loading" hhctrl.ocx by name hands back
// a module handle that stands for it, and its entry points are the functions
// below, so the kit's loader runs its own code path without opening a
// Windows file. Topics come from real .chm files (Chm_File) and are shown in
// the program's own help window (Help_Window).
//
// Everything here runs on the user-interface thread.

#include "platform/winapi/Gdi.h"
#include "platform/winapi/WinTypes.h"

#include <cstdint>
#include <string>

struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;
using HMODULE = HINSTANCE;
using DWORD_PTR = std::uintptr_t;
using FARPROC = void (*)();

constexpr DWORD ERROR_MOD_NOT_FOUND = 126;
constexpr DWORD ERROR_PROC_NOT_FOUND = 127;

constexpr UINT HH_DISPLAY_TOPIC = 0x0000;
constexpr UINT HH_HELP_CONTEXT = 0x000F;
constexpr UINT HH_CLOSE_ALL = 0x0012;
constexpr UINT HH_INITIALIZE = 0x001C;
constexpr UINT HH_UNINITIALIZE = 0x001D;

namespace hhctrl {

inline constexpr const char* Library_Name = "hhctrl.ocx";

// The library's exports.
//   HH_DISPLAY_TOPIC: File is "help.chm", "help.chm::/topic.htm" or either
//     with ">window" and an "ms-its:" or "mk:@MSITStore:" prefix; no topic
//     means the file's default topic.
//   HH_HELP_CONTEXT: Data is the context id, looked up in File's own map.
//   Both answer the help window, raised and activated, or null for a
//   missing or unreadable file, an unmapped id or a topic the file lacks.
//   HH_CLOSE_ALL closes the help window. HH_INITIALIZE writes a new non-zero
//   cookie to the DWORD that Data points to; HH_UNINITIALIZE takes it back.
//   These three and any other command answer null.
HWND HtmlHelpA(HWND Caller, LPCSTR File, UINT Command, DWORD_PTR Data);
HWND HtmlHelpW(HWND Caller, const char16_t* File, UINT Command, DWORD_PTR Data);

// The loader's view of the library. Load_Library answers the built-in
// module for a name whose file part is hhctrl.ocx (any case, any folder),
// else null with ERROR_MOD_NOT_FOUND. Get_Proc_Address knows "HtmlHelpA" and
// "HtmlHelpW" of that module (null with ERROR_PROC_NOT_FOUND otherwise).
HMODULE Load_Library(LPCSTR Name);
FARPROC Get_Proc_Address(HMODULE Module, LPCSTR Name);
BOOL Free_Library(HMODULE Module);

// The file version of the library at Path ("a.b.c.d" as four parts): true
// for a path naming hhctrl.ocx, which is this back end.
bool File_Version(const std::string& Path, WORD Parts[4]);

// Whether a cookie handed out by HH_INITIALIZE is still in use.
bool Cookie_In_Use(DWORD Cookie);

} // namespace hhctrl
