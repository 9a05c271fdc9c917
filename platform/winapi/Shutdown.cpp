#include "platform/winapi/Shutdown.h"

#include <unistd.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QString>
#include <QVariant>

#include <mutex>
#include <optional>

namespace {

constexpr char Service[] = "org.freedesktop.login1";
constexpr char Manager_Path[] = "/org/freedesktop/login1";
constexpr char Manager_Interface[] = "org.freedesktop.login1.Manager";
constexpr char Session_Interface[] = "org.freedesktop.login1.Session";
constexpr char Private_Connection[] = "ordexia-login-manager";
constexpr int Call_Timeout_Ms = 10000;

struct Bus_Choice {
    std::mutex mutex;
    std::string address;
};

Bus_Choice& Chosen_Bus()
{
    static Bus_Choice choice;
    return choice;
}

QDBusConnection Login_Bus()
{
    const std::lock_guard lock(Chosen_Bus().mutex);
    if (Chosen_Bus().address.empty())
        return QDBusConnection::systemBus();
    return QDBusConnection::connectToBus(QString::fromStdString(Chosen_Bus().address), Private_Connection);
}

BOOL Failed(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

DWORD Error_Of(const QDBusMessage& reply)
{
    const QString name = reply.errorName();
    if (name == "org.freedesktop.DBus.Error.AccessDenied"
        || name == "org.freedesktop.DBus.Error.InteractiveAuthorizationRequired")
        return ERROR_PRIVILEGE_NOT_HELD;
    if (name == "org.freedesktop.DBus.Error.ServiceUnknown" || name == "org.freedesktop.DBus.Error.NoReply"
        || name == "org.freedesktop.DBus.Error.Disconnected" || name == "org.freedesktop.DBus.Error.NoServer"
        || name == "org.freedesktop.login1.NoSessionForPID")
        return ERROR_NOT_SUPPORTED;
    return ERROR_GEN_FAILURE;
}

// The reply, or the error to fail with.
struct Answer {
    QDBusMessage reply;
    DWORD error = ERROR_SUCCESS;
};

Answer Call(const QString& path, const QString& interface, const QString& method, const QVariantList& arguments)
{
    const QDBusConnection bus = Login_Bus();
    if (!bus.isConnected())
        return {{}, ERROR_NOT_SUPPORTED};
    QDBusMessage message = QDBusMessage::createMethodCall(Service, path, interface, method);
    message.setArguments(arguments);
    QDBusMessage reply = bus.call(message, QDBus::Block, Call_Timeout_Ms);
    if (reply.type() != QDBusMessage::ReplyMessage)
        return {reply, Error_Of(reply)};
    return {reply, ERROR_SUCCESS};
}

// The right to power off or reboot without being asked: "yes" only.
BOOL Power_Action(const char* can_method, const char* method)
{
    const Answer can = Call(Manager_Path, Manager_Interface, can_method, {});
    if (can.error != ERROR_SUCCESS)
        return Failed(can.error);
    if (can.reply.arguments().value(0).toString() != "yes")
        return Failed(ERROR_PRIVILEGE_NOT_HELD);
    const Answer done = Call(Manager_Path, Manager_Interface, method, {QVariant(false)});
    return done.error == ERROR_SUCCESS ? TRUE : Failed(done.error);
}

BOOL End_Own_Session()
{
    const Answer session = Call(Manager_Path, Manager_Interface, "GetSessionByPID",
                                {QVariant::fromValue(static_cast<uint>(getpid()))});
    if (session.error != ERROR_SUCCESS)
        return Failed(session.error);
    const QString path = session.reply.arguments().value(0).value<QDBusObjectPath>().path();
    if (path.isEmpty())
        return Failed(ERROR_NOT_SUPPORTED);
    const Answer done = Call(path, Session_Interface, "Terminate", {});
    return done.error == ERROR_SUCCESS ? TRUE : Failed(done.error);
}

} // namespace

BOOL ExitWindowsEx(UINT flags, DWORD)
{
    if (flags & (EWX_SHUTDOWN | EWX_POWEROFF))
        return Power_Action("CanPowerOff", "PowerOff");
    if (flags & EWX_REBOOT)
        return Power_Action("CanReboot", "Reboot");
    return End_Own_Session();
}

void Set_Login_Manager_Bus(const std::string& address)
{
    const std::lock_guard lock(Chosen_Bus().mutex);
    if (address == Chosen_Bus().address)
        return;
    QDBusConnection::disconnectFromBus(Private_Connection);
    Chosen_Bus().address = address;
}
