#pragma once
// The program's start: the operating-system gate, the maker's runtime
// library, the single instance, and the application's run with its main
// window. Every path ends the program with exit code 0.

#include "platform/winapi/Termination_Signals.h"
#include "platform/winapi/System_Info.h"
#include "platform/winapi/Window.h"

#include <filesystem>
#include <functional>

// The gate's table of Windows releases: Windows 95, Windows 98 before SE,
// NT 4.0 before Service Pack 6 and anything older than version 4 are refused.
bool Is_Os_Version_Accepted(const OSVERSIONINFOA& version);
// The gate over the record the system reported; nullptr when it reported
// none, which refuses without a message. A refusal shows message 2003.
bool Check_Os_Version(const OSVERSIONINFOA* version);
// The gate for the running system: Linux is none of the old Windows releases
// the table refuses, so it always passes.
bool Check_Os_Version();

// Loads libOrdexia.so from the folder; message 2004 when it is missing or
// broken. The library stays loaded for the life of the process.
bool Load_Maker_Library(const std::filesystem::path& folder);

// What the first instance does for a later start: a shown main window is
// restored and brought to the front, a hidden one is posted WM_USER (1, 1)
// so that it restores its application itself.
void Restore_Instance(HWND main_window);

// Start-up's surroundings; tests give their own.
struct Start_Up_Setup {
    // Where libOrdexia.so is looked for: the executable's folder.
    std::filesystem::path Library_Folder;
    // Creates the main window through Application->CreateForm.
    std::function<void()> Create_Main_Form;
};

// The start in order: the gate, the library, the single instance, then the
// application. An exception escaping the run is shown by the application.
// Answers 0 on every path.
int Start_Program(const Start_Up_Setup& setup);

// The folder of the running executable.
std::filesystem::path Program_Folder();
