#pragma once
// The shell's "open" call: a URL, a mail link ("mailto:"), a document or a
// program handed to the desktop, as ShellExecuteA does on Windows. URLs and
// mail links go to the desktop's handler (QDesktopServices::openUrl); a
// local file that is an executable program is started detached; any other
// local file opens with its desktop application.
//
// Tests replace the opener (Set_Shell_Opener) so that nothing reaches the
// desktop.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/winapi/Gdi.h"
#include "platform/winapi/WinTypes.h"

struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;

// Results below 33 are failures, as the shell reports them; the last error
// tells the same (ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND,
// ERROR_ACCESS_DENIED, ERROR_NOT_ENOUGH_MEMORY, ERROR_NO_ASSOCIATION).
constexpr int SE_ERR_FNF = 2;            // file not found
constexpr int SE_ERR_PNF = 3;            // a folder of its path is not one
constexpr int SE_ERR_ACCESSDENIED = 5;
constexpr int SE_ERR_OOM = 8;
constexpr int SE_ERR_NOASSOC = 31;       // nothing opens it
constexpr DWORD ERROR_NO_ASSOCIATION = 1155;
constexpr int SHELL_EXECUTE_SUCCESS = 42; // any value above 32 means success

// Opens File (Operation null or "open"; any other verb answers
// SE_ERR_NOASSOC). Parameters and Directory are used for programs only.
// Answers a value above 32 on success, else SE_ERR_FNF for an empty or
// missing file (or the code of what keeps a local file out of reach) and
// SE_ERR_NOASSOC when the desktop has no handler.
HINSTANCE ShellExecuteA(HWND Window, LPCSTR Operation, LPCSTR File, LPCSTR Parameters, LPCSTR Directory,
                        int ShowCmd);

// What ShellExecuteA hands a target to: true when it was opened. An empty
// function puts the desktop's own opener back.
using TShell_Opener = std::function<bool(const std::string& Target)>;
void Set_Shell_Opener(TShell_Opener Opener);

// The result of ShellExecuteA as the integer callers compare with 32.
inline int Shell_Result(HINSTANCE Result)
{
    return static_cast<int>(reinterpret_cast<std::intptr_t>(Result));
}
