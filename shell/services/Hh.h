#pragma once
// The HTML Help loader: loads the HTML Help control library hhctrl.ocx at
// program start and resolves its entry points; frees it at program end.
//
// On Linux the library is built into the program (platform/htmlhelp): its
// loader answers a module handle for "hhctrl.ocx", so HHCtrlHandle is
// non-zero and the entry points are the built-in ones, without opening any
// Windows file.

#include "platform/htmlhelp/HtmlHelp.h"

#include <string>

// An entry point of the library; null until the library is loaded. A call
// through a null entry point shows nothing and answers null. The data
// argument may be given as a pointer (HH_INITIALIZE's cookie address).
template <typename Text>
class THtmlHelpEntry {
public:
    using Procedure = HWND (*)(HWND, Text, UINT, DWORD_PTR);

    THtmlHelpEntry& operator=(Procedure Value)
    {
        procedure = Value;
        return *this;
    }
    explicit operator bool() const { return procedure != nullptr; }
    Procedure Address() const { return procedure; }

    HWND operator()(HWND Caller, Text File, UINT Command, DWORD_PTR Data) const
    {
        return procedure ? procedure(Caller, File, Command, Data) : nullptr;
    }
    template <typename Pointed>
    HWND operator()(HWND Caller, Text File, UINT Command, Pointed* Data) const
    {
        return (*this)(Caller, File, Command, reinterpret_cast<DWORD_PTR>(Data));
    }

private:
    Procedure procedure = nullptr;
};

using THtmlHelpA = THtmlHelpEntry<LPCSTR>;
using THtmlHelpW = THtmlHelpEntry<const char16_t*>;

extern HMODULE HHCtrlHandle;
extern THtmlHelpA HtmlHelpA;
extern THtmlHelpW HtmlHelpW;
// The one the program calls: HtmlHelpA.
extern THtmlHelpA HtmlHelp;
// Load the library at program start.
extern bool AutoLoadAPI;

// The library's path from its class registration (HKEY_CLASSES_ROOT
// "CLSID\{adb880a6-d8ff-11cf-9377-00aa003b7a11}\InprocServer32", a leading
// "%SystemRoot%" replaced by the Windows folder, dropped when the file does
// not exist), else the system folder + "\hhctrl.ocx".
std::string GetPathToHHCtrlOCX();
// A registered path with a leading "%SystemRoot%" (any case) replaced by the
// Windows folder.
std::string Expand_System_Root(const std::string& Path);
// Loads the library once ("hhctrl.ocx", else the path above) and resolves
// HtmlHelpA, HtmlHelpW and HtmlHelp.
void LoadHtmlHelp();
// Frees the library and clears the handle and the entry points.
void UnloadHtmlHelp();
