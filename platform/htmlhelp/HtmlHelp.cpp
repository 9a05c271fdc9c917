#include "platform/htmlhelp/HtmlHelp.h"

#include "platform/htmlhelp/Chm_File.h"
#include "platform/htmlhelp/Help_Window.h"
#include "platform/winapi/Kernel.h"

#include <QString>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <set>

namespace {

// The version the built-in library reports for itself.
constexpr WORD Library_Version[4] = {5, 2, 3790, 0};

// Stands for the loaded library: any non-null address of ours will do, as
// nothing is ever read through it.
char module_token;
HMODULE Module_Handle()
{
    return reinterpret_cast<HMODULE>(&module_token);
}

std::set<DWORD>& Cookies()
{
    static std::set<DWORD> cookies;
    return cookies;
}

bool Equal_Ignoring_Case(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

std::string File_Part(const std::string& path)
{
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// "ms-its:help.chm::/topic.htm>window" into the file and the topic.
struct Help_Path {
    std::string file;
    std::string topic;
};

Help_Path Split_Help_Path(std::string path)
{
    if (const auto window = path.find('>'); window != std::string::npos)
        path.erase(window);
    for (const char* prefix : {"ms-its:", "mk:@MSITStore:"})
        if (path.size() >= std::strlen(prefix) &&
            Equal_Ignoring_Case(path.substr(0, std::strlen(prefix)), prefix))
            path.erase(0, std::strlen(prefix));
    Help_Path split;
    if (const auto topic = path.find("::"); topic != std::string::npos) {
        split.topic = Trimmed(path.substr(topic + 2));
        path.erase(topic);
    }
    split.file = Trimmed(path);
    return split;
}

std::shared_ptr<const Chm_File> Open(const std::string& path)
{
    auto file = std::make_shared<const Chm_File>(path);
    return file->Is_Open() ? file : nullptr;
}

HWND Display_Topic(const std::string& path)
{
    const Help_Path split = Split_Help_Path(path);
    const auto file = Open(split.file);
    if (!file)
        return nullptr;
    const std::string topic = split.topic.empty() ? file->Default_Topic() : file->Entry_For(split.topic);
    if (topic.empty() || !file->Contains(topic))
        return nullptr;
    return Help_Window::Show_Topic(file, topic);
}

HWND Help_Context(const std::string& path, DWORD context)
{
    const auto file = Open(Split_Help_Path(path).file);
    if (!file)
        return nullptr;
    const std::string topic = file->Topic_Of_Context(context);
    if (topic.empty() || !file->Contains(topic))
        return nullptr;
    return Help_Window::Show_Topic(file, topic);
}

DWORD New_Cookie()
{
    static DWORD last = 0;
    do
        ++last;
    while (last == 0 || Cookies().count(last));
    Cookies().insert(last);
    return last;
}

} // namespace

namespace hhctrl {

HWND HtmlHelpA(HWND /*Caller*/, LPCSTR File, UINT Command, DWORD_PTR Data)
{
    switch (Command) {
    case HH_DISPLAY_TOPIC:
        return File ? Display_Topic(File) : nullptr;
    case HH_HELP_CONTEXT:
        return File ? Help_Context(File, static_cast<DWORD>(Data)) : nullptr;
    case HH_CLOSE_ALL:
        Help_Window::Close();
        return nullptr;
    case HH_INITIALIZE:
        if (auto* cookie = reinterpret_cast<DWORD*>(Data))
            *cookie = New_Cookie();
        return nullptr;
    case HH_UNINITIALIZE:
        Cookies().erase(static_cast<DWORD>(Data));
        return nullptr;
    default:
        return nullptr;
    }
}

HWND HtmlHelpW(HWND Caller, const char16_t* File, UINT Command, DWORD_PTR Data)
{
    if (!File)
        return HtmlHelpA(Caller, nullptr, Command, Data);
    const std::string file = QString::fromUtf16(File).toStdString();
    return HtmlHelpA(Caller, file.c_str(), Command, Data);
}

HMODULE Load_Library(LPCSTR Name)
{
    if (Name && Equal_Ignoring_Case(File_Part(Name), Library_Name))
        return Module_Handle();
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

FARPROC Get_Proc_Address(HMODULE Module, LPCSTR Name)
{
    if (Module == Module_Handle() && Name) {
        if (std::strcmp(Name, "HtmlHelpA") == 0)
            return reinterpret_cast<FARPROC>(&HtmlHelpA);
        if (std::strcmp(Name, "HtmlHelpW") == 0)
            return reinterpret_cast<FARPROC>(&HtmlHelpW);
    }
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
}

BOOL Free_Library(HMODULE Module)
{
    if (Module != Module_Handle()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

bool File_Version(const std::string& Path, WORD Parts[4])
{
    if (!Equal_Ignoring_Case(File_Part(Path), Library_Name))
        return false;
    std::copy(std::begin(Library_Version), std::end(Library_Version), Parts);
    return true;
}

bool Cookie_In_Use(DWORD Cookie)
{
    return Cookies().count(Cookie) != 0;
}

} // namespace hhctrl
