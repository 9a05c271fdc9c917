#pragma once
// A login manager of the test's own: a private D-Bus daemon (never the
// machine's buses) and, on a thread of its own, a stand-in for logind's
// manager and session objects that records each call and answers as told.

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "tests/support/Temp_Settings.h"

class Fake_Login_Manager {
public:
    struct Call {
        std::string path;
        std::string method;
        QVariantList arguments;
    };

    // What the stand-in answers; set before the calls are made.
    std::string can_power_off = "yes";
    std::string can_reboot = "yes";
    // Empty: the call succeeds; else the D-Bus error it fails with.
    std::string power_error;
    std::string session_error;

    Fake_Login_Manager()
    {
        const QString daemon = QStandardPaths::findExecutable("dbus-daemon");
        if (daemon.isEmpty())
            return;
        const std::filesystem::path config = folder / "bus.conf";
        std::ofstream(config) << "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                                 " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                                 "<busconfig><type>session</type><listen>unix:path="
                              << (folder / "bus").string()
                              << "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                                 "<allow send_destination=\"*\"/><allow eavesdrop=\"true\"/><allow own=\"*\"/>"
                                 "</policy></busconfig>\n";
        bus.start(daemon, {"--nofork", "--nopidfile", "--print-address=1",
                           QString::fromStdString("--config-file=" + config.string())});
        if (!bus.waitForReadyRead(10000))
            return;
        address = bus.readLine().trimmed().toStdString();
        Start_Service();
    }
    ~Fake_Login_Manager()
    {
        if (thread) {
            QMetaObject::invokeMethod(loop, &QEventLoop::quit, Qt::QueuedConnection);
            thread->wait();
        }
        bus.kill();
        bus.waitForFinished(5000);
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    Fake_Login_Manager(const Fake_Login_Manager&) = delete;
    Fake_Login_Manager& operator=(const Fake_Login_Manager&) = delete;

    // The bus's address once the stand-in serves on it; empty otherwise.
    const std::string& Address() const { return address; }
    std::vector<Call> Calls()
    {
        const std::lock_guard lock(mutex);
        return calls;
    }
    std::vector<std::string> Methods()
    {
        std::vector<std::string> methods;
        for (const Call& call : Calls())
            methods.push_back(call.method);
        return methods;
    }

    static constexpr const char* Session_Path = "/org/freedesktop/login1/session/_31";

private:
    class Service : public QDBusVirtualObject {
    public:
        explicit Service(Fake_Login_Manager& owner) : manager(owner) {}
        QString introspect(const QString&) const override { return {}; }
        bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
        {
            connection.send(manager.Answer(message));
            return true;
        }

    private:
        Fake_Login_Manager& manager;
    };

    QDBusMessage Answer(const QDBusMessage& message)
    {
        const std::lock_guard lock(mutex);
        calls.push_back({message.path().toStdString(), message.member().toStdString(), message.arguments()});
        const QString method = message.member();
        if (method == "CanPowerOff")
            return message.createReply(QString::fromStdString(can_power_off));
        if (method == "CanReboot")
            return message.createReply(QString::fromStdString(can_reboot));
        if (method == "PowerOff" || method == "Reboot")
            return Reply_Or_Error(message, power_error);
        if (method == "GetSessionByPID")
            return message.createReply(QVariant::fromValue(QDBusObjectPath(Session_Path)));
        if (method == "Terminate" && message.path() == Session_Path)
            return Reply_Or_Error(message, session_error);
        return message.createErrorReply("org.freedesktop.DBus.Error.UnknownMethod", method);
    }

    static QDBusMessage Reply_Or_Error(const QDBusMessage& message, const std::string& error)
    {
        return error.empty() ? message.createReply()
                             : message.createErrorReply(QString::fromStdString(error), "refused");
    }

    void Start_Service()
    {
        static std::atomic<int> made = 0;
        const QString name = QString("fake-logind-%1").arg(++made);
        std::promise<bool> started;
        std::future<bool> serving = started.get_future();
        thread.reset(QThread::create([this, &started, name] {
            QEventLoop own_loop;
            loop = &own_loop;
            Service service(*this);
            {
                QDBusConnection connection =
                    QDBusConnection::connectToBus(QString::fromStdString(address), name);
                const bool ok = connection.isConnected() && connection.registerService("org.freedesktop.login1")
                                && connection.registerVirtualObject("/org/freedesktop/login1", &service,
                                                                   QDBusConnection::SubPath);
                started.set_value(ok);
                if (ok)
                    own_loop.exec();
                connection.unregisterObject("/org/freedesktop/login1", QDBusConnection::UnregisterTree);
            }
            QDBusConnection::disconnectFromBus(name);
        }));
        thread->start();
        if (!serving.get()) {
            thread->wait();
            thread.reset();
            address.clear();
        }
    }

    std::filesystem::path folder = Make_Temp_Folder("logind");
    QProcess bus;
    std::string address;
    std::unique_ptr<QThread> thread;
    QEventLoop* loop = nullptr;
    std::mutex mutex;
    std::vector<Call> calls;
};
