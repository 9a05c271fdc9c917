#include "shell/Start_up.h"

#include "platform/classlib/Dialogs_Message_Box.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/String_Table.h"
#include "platform/classlib/SysUtils.h"
#include "platform/winapi/Instance_Lock.h"
#include "platform/winapi/Message.h"
#include "platform/winapi/Ordexia_Library.h"
#include "platform/winapi/Termination_Signals.h"


#include <cerrno>
#include <cstdio>
#include <cstring>

namespace fs = std::filesystem;

namespace {

constexpr int Program_Title = 1000;
constexpr int Message_Os_Refused = 2003;
constexpr int Message_Library_Missing = 2004;

void Show_Start_Error(int message)
{
    const std::string title = LoadStr(Program_Title);
    Application->MessageBox(LoadStr(message).c_str(), title.c_str(), MB_ICONERROR);
}

std::string Service_Pack_Text(const OSVERSIONINFOA& version)
{
    return std::string(version.szCSDVersion, strnlen(version.szCSDVersion, sizeof version.szCSDVersion));
}

// Windows 98 SE reports " A " (the second character is the release letter).
bool Is_Windows_98_Second_Edition(const std::string& service_pack)
{
    return service_pack.size() > 1 && (service_pack[1] == 'A' || service_pack[1] == 'B');
}

// "Service Pack 6" and later; the last character is compared as a signed byte.
bool Is_Nt4_Service_Pack_6(const std::string& service_pack)
{
    return !service_pack.empty() && static_cast<signed char>(service_pack.back()) >= '6';
}

void Close_Main_Form()
{
    if (TCustomForm* form = Application->MainForm())
        form->Close();
    else
        Application->Terminate();
}

void Run_Application(const Start_Up_Setup& setup)
{
    try {
        Application->Initialize();
        Application->SetHelpFile("");
        setup.Create_Main_Form();
        Application->Run();
    } catch (Exception& error) {
        Application->ShowException(&error);
    } catch (...) {
        // What the class library does not know is shown as one of its own,
        // without a text; the log keeps what there was to say.
        try {
            throw;
        } catch (std::exception& error) {
            std::fprintf(stderr, "%s: %s\n", LoadStr(Program_Title).c_str(), error.what());
        } catch (...) {
        }
        Exception unknown("");
        Application->ShowException(&unknown);
    }
}

} // namespace

bool Is_Os_Version_Accepted(const OSVERSIONINFOA& version)
{
    const DWORD major = version.dwMajorVersion;
    const DWORD minor = version.dwMinorVersion;
    const DWORD platform = version.dwPlatformId;
    if (major == 4 && minor == 0 && platform == VER_PLATFORM_WIN32_WINDOWS)
        return false; // Windows 95
    if (major == 4 && minor == 10 && platform == VER_PLATFORM_WIN32_WINDOWS)
        return Is_Windows_98_Second_Edition(Service_Pack_Text(version));
    if (major == 4 && minor == 0 && platform == VER_PLATFORM_WIN32_NT)
        return Is_Nt4_Service_Pack_6(Service_Pack_Text(version));
    return major >= 4;
}

bool Check_Os_Version(const OSVERSIONINFOA* version)
{
    if (version == nullptr)
        return false;
    if (Is_Os_Version_Accepted(*version))
        return true;
    Show_Start_Error(Message_Os_Refused);
    return false;
}

bool Check_Os_Version()
{
    return true;
}

bool Load_Maker_Library(const fs::path& folder)
{
    std::string reason;
    if (Load_Ordexia_Library(folder, reason))
        return true;
    std::fprintf(stderr, "%s: %s\n", LoadStr(Program_Title).c_str(), reason.c_str());
    Show_Start_Error(Message_Library_Missing);
    return false;
}

void Restore_Instance(HWND main_window)
{
    if (!IsWindow(main_window))
        return;
    if (IsWindowVisible(main_window)) {
        ShowWindow(main_window, SW_RESTORE);
        SetForegroundWindow(main_window);
    } else {
        PostMessageA(main_window, WM_USER, 1, 1);
    }
}

int Start_Program(const Start_Up_Setup& setup)
{
    if (!Check_Os_Version())
        return 0;
    if (!Load_Maker_Library(setup.Library_Folder))
        return 0;
    Instance_Lock instance(LoadStr(Program_Title));
    if (!instance.First()) {
        instance.Ask_Restore();
        return 0;
    }
    instance.Serve([] {
        if (TCustomForm* form = Application->MainForm(); form != nullptr && form->HandleAllocated())
            Restore_Instance(form->Handle());
    });
    Close_On_Termination_Signals(Close_Main_Form);
    Run_Application(setup);
    return 0;
}

fs::path Program_Folder()
{
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::current_path(error) : program.parent_path();
}
