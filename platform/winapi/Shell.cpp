#include "platform/winapi/Shell.h"

#include "platform/winapi/Kernel.h"
#include "platform/winapi/System_Info.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace {

HINSTANCE Result_Of(int Code)
{
    return reinterpret_cast<HINSTANCE>(static_cast<std::intptr_t>(Code));
}

bool Has_Scheme(const QString& target)
{
    // "C:..." would read as a scheme; real schemes are longer than one letter.
    const QUrl url(target);
    return url.isValid() && url.scheme().size() > 1;
}

bool Open_With_Desktop(const std::string& Target, const std::string& Parameters, const std::string& Directory)
{
    const QString target = QString::fromStdString(Target);
    if (Has_Scheme(target))
        return QDesktopServices::openUrl(QUrl(target));
    const QFileInfo file(target);
    if (!file.exists())
        return false;
    if (file.isFile() && file.isExecutable()) {
        const QStringList arguments = QProcess::splitCommand(QString::fromStdString(Parameters));
        return QProcess::startDetached(file.absoluteFilePath(), arguments, QString::fromStdString(Directory));
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
}

TShell_Opener& Opener()
{
    static TShell_Opener opener;
    return opener;
}

// Why a target could not be opened, as the last error and the result: a
// local file that cannot be reached by the reason the system gives, any
// other by the lack of a handler.
int Failure_Of(const std::string& target)
{
    struct stat status {};
    if (Has_Scheme(QString::fromStdString(target)) || ::stat(target.c_str(), &status) == 0) {
        SetLastError(ERROR_NO_ASSOCIATION);
        return SE_ERR_NOASSOC;
    }
    switch (errno) {
    case ENOTDIR:
        SetLastError(ERROR_PATH_NOT_FOUND);
        return SE_ERR_PNF;
    case EACCES:
    case EPERM:
        SetLastError(ERROR_ACCESS_DENIED);
        return SE_ERR_ACCESSDENIED;
    case ENOMEM:
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return SE_ERR_OOM;
    default:
        SetLastError(ERROR_FILE_NOT_FOUND);
        return SE_ERR_FNF;
    }
}

std::string Text_Of(LPCSTR Text)
{
    return Text ? std::string(Text) : std::string();
}

} // namespace

void Set_Shell_Opener(TShell_Opener Opener_Function)
{
    Opener() = std::move(Opener_Function);
}

HINSTANCE ShellExecuteA(HWND /*Window*/, LPCSTR Operation, LPCSTR File, LPCSTR Parameters, LPCSTR Directory,
                        int /*ShowCmd*/)
{
    if (Operation && *Operation && std::strcmp(Operation, "open") != 0) {
        SetLastError(ERROR_NO_ASSOCIATION);
        return Result_Of(SE_ERR_NOASSOC);
    }
    const std::string target = Text_Of(File);
    if (target.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return Result_Of(SE_ERR_FNF);
    }
    const bool opened = Opener() ? Opener()(target)
                                 : Open_With_Desktop(target, Text_Of(Parameters), Text_Of(Directory));
    return Result_Of(opened ? SHELL_EXECUTE_SUCCESS : Failure_Of(target));
}
