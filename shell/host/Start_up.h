#pragma once
// The program's start: the operating-system gate, the maker's runtime
// library, the single instance, and the application's run with its main
// window. Every path ends the program with exit code 0, but for a
// single-instance lock that cannot be made at all (exit code 1, after a
// message naming the folder and the reason).

#include "platform/winapi/Registry_Store.h"
#include "platform/winapi/Termination_Signals.h"
#include "platform/winapi/System_Info.h"
#include "platform/winapi/Window.h"

#include <filesystem>
#include <functional>
#include <string>

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
// A settings file found damaged is told once when the main window shows; the
// first settings save of the run that fails is told once. SIGTERM, SIGINT
// and SIGHUP close the program through Close_For_Termination. Answers 0, or 1 when the
// single-instance lock cannot be made.
int Start_Program(const Start_Up_Setup& setup);

// What a termination signal does: every modal dialog open now is ended as
// cancelled (and any shown later at once), then the main window is closed
// the normal way from the event loop.
void Close_For_Termination(const std::function<void()>& Close_Main_Window);

// The user's messages: the lock that cannot be made, the settings repaired
// at start, the settings folder refused as not the user's own, the settings
// that cannot be saved.
std::string Lock_Failure_Text(const std::string& Folder, int Error);
std::string Settings_Repair_Text(const Registry_Repair& Repair);
std::string Settings_Folder_Refused_Text(const std::filesystem::path& Folder);
std::string Settings_Not_Saved_Text(const std::filesystem::path& Folder, int Error);
// Shows once that the settings folder was refused, and the repair of the
// settings file, when there was one.
void Show_Settings_Repair();

// The folder of the running executable.
std::filesystem::path Program_Folder();

// Without XDG_RUNTIME_DIR the toolkit warns at every start and has no
// runtime folder: the program's own private one is handed to it, through
// the variable, before the application object is made.
void Give_Toolkit_A_Runtime_Folder();
