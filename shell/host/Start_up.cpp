#include "shell/host/Start_up.h"

#include "platform/classlib/Dialogs_Message_Box.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/String_Table.h"
#include "platform/classlib/SysUtils.h"
#include "platform/winapi/Instance_Lock.h"
#include "platform/winapi/Message.h"
#include "platform/classlib/Dialog_Registry.h"
#include "platform/runtime/Ordexia_Library.h"
#include "platform/winapi/Registry_Store.h"
#include "platform/winapi/Termination_Signals.h"
#include "platform/winapi/User_Folders.h"

#include <QCoreApplication>
#include <QTimer>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace fs = std::filesystem;

namespace {

constexpr int Program_Title = 1000;
constexpr int Message_Os_Refused = 2003;
constexpr int Message_Library_Missing = 2004;
constexpr int Message_Lock_Failed = 2023;
constexpr int Message_Settings_Reset = 2024;
constexpr int Message_Settings_All_Reset = 2025;
constexpr int Message_Damaged_Copy = 2026;
constexpr int Message_Settings_Not_Saved = 2027;
constexpr int Message_Changes_Lost = 2028;
constexpr int Message_Rest_Too_Large = 2030;
constexpr int Message_Folder_Refused = 2031;
constexpr int Message_Runs_With_Defaults = 2032;

void Show_Start_Error(const std::string& text)
{
    const std::string title = LoadStr(Program_Title);
    Application->MessageBox(text.c_str(), title.c_str(), MB_ICONERROR);
}

void Show_Start_Error(int message)
{
    Show_Start_Error(LoadStr(message));
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

void Show_Warning(const std::string& text)
{
    const std::string title = LoadStr(Program_Title);
    Application->MessageBox(text.c_str(), title.c_str(), MB_ICONWARNING);
}

// A settings save that failed is told from the thread that saved; the box
// opens on the user-interface thread.
void Report_Settings_Not_Saved(const fs::path& folder, int error)
{
    const std::string text = Settings_Not_Saved_Text(folder, error);
    QMetaObject::invokeMethod(QCoreApplication::instance(), [text] { Show_Warning(text); }, Qt::QueuedConnection);
}

// The main window closes from the main loop, once the loops of the dialogs
// ended have unwound: a dialog's caller (a polling thread waiting for its
// box) then goes on, and the close finds the threads able to stop.
void Close_Once_Dialogs_Ended(const std::function<void()>& close)
{
    if (!Any_Modal_Dialog_Open()) {
        close();
        return;
    }
    constexpr int Recheck_Ms = 10;
    QTimer::singleShot(Recheck_Ms, QCoreApplication::instance(), [close] { Close_Once_Dialogs_Ended(close); });
}

void Run_Application(const Start_Up_Setup& setup)
{
    try {
        Application->Initialize();
        Application->SetHelpFile("");
        // The settings are read before any form, so that a repair is known
        // when the main window first shows.
        Registry_Store{};
        QMetaObject::invokeMethod(QCoreApplication::instance(), Show_Settings_Repair, Qt::QueuedConnection);
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
    if (instance.State() == Lock_State::Held_Elsewhere) {
        instance.Ask_Restore();
        return 0;
    }
    if (instance.State() == Lock_State::Failed) {
        Show_Start_Error(Lock_Failure_Text(Instance_Lock::Lock_Folder(), instance.Error()));
        return 1;
    }
    instance.Serve([] {
        if (TCustomForm* form = Application->MainForm(); form != nullptr && form->HandleAllocated())
            Restore_Instance(form->Handle());
    });
    Set_Registry_Save_Failure_Handler(Report_Settings_Not_Saved);
    Close_On_Termination_Signals([] { Close_For_Termination(Close_Main_Form); });
    Run_Application(setup);
    Set_Registry_Save_Failure_Handler(nullptr);
    return 0;
}

void Close_For_Termination(const std::function<void()>& Close_Main_Window)
{
    End_All_Modal_Dialogs();
    Close_Once_Dialogs_Ended(Close_Main_Window);
}

std::string Lock_Failure_Text(const std::string& Folder, int Error)
{
    return LoadStr(Message_Lock_Failed) + Folder + "\n\n" + std::strerror(Error);
}

std::string Settings_Repair_Text(const Registry_Repair& Repair)
{
    std::string text = LoadStr(Repair.All_Lost ? Message_Settings_All_Reset : Message_Settings_Reset);
    if (!Repair.All_Lost)
        for (const std::string& line : Repair.Dropped)
            text += "\n" + line;
    if (Repair.Too_Large && !Repair.All_Lost)
        text += LoadStr(Message_Rest_Too_Large);
    return text + LoadStr(Message_Damaged_Copy) + Repair.Damaged_Copy.string();
}

std::string Settings_Folder_Refused_Text(const fs::path& Folder)
{
    return LoadStr(Message_Folder_Refused) + Folder.string() + LoadStr(Message_Runs_With_Defaults);
}

std::string Settings_Not_Saved_Text(const fs::path& Folder, int Error)
{
    return LoadStr(Message_Settings_Not_Saved) + Folder.string() + "\n\n" + std::strerror(Error) +
           LoadStr(Message_Changes_Lost);
}

void Show_Settings_Repair()
{
    if (const std::optional<fs::path> refused = Take_Refused_Settings_Folder())
        Show_Warning(Settings_Folder_Refused_Text(*refused));
    if (const std::optional<Registry_Repair> repair = Take_Registry_Repair())
        Show_Warning(Settings_Repair_Text(*repair));
}

fs::path Program_Folder()
{
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::current_path(error) : program.parent_path();
}

void Give_Toolkit_A_Runtime_Folder()
{
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime != '\0')
        return;
    int error = 0;
    const fs::path folder = User_Runtime_Folder(error);
    if (!folder.empty())
        setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
}
