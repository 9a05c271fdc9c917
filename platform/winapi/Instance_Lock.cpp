#include "platform/winapi/Instance_Lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QLocalServer>
#include <QLocalSocket>

#include "platform/winapi/User_Folders.h"

#include <cctype>
#include <cerrno>

namespace {

constexpr char Restore_Request[] = "restore\n";
constexpr char Restore_Confirmed[] = "ok\n";

// Empty with the errno when the user has no private folder for it.
std::string Runtime_Folder(int& error)
{
    return User_Runtime_Folder(error).string();
}

std::string Runtime_Folder()
{
    int error = 0;
    return Runtime_Folder(error);
}

std::string Instance_Name(const std::string& title)
{
    std::string name;
    for (const char c : title)
        name += std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' ? c : '_';
    return name + "-" + std::to_string(getuid());
}

struct Lock_Attempt {
    Lock_State state;
    int file;
    int error;
};

Lock_Attempt Failed_Attempt(int error)
{
    return {Lock_State::Failed, -1, error};
}

// The lock file must be a file of the user's: the folder is private, and a
// link or anything else in the lock's place is refused.
int Check_Lock_File(int file)
{
    struct stat status {};
    if (fstat(file, &status) != 0)
        return errno;
    if (!S_ISREG(status.st_mode))
        return EINVAL;
    return status.st_uid == geteuid() ? 0 : EPERM;
}

Lock_Attempt Take_Lock(const std::string& name)
{
    int error = 0;
    const std::string folder = Runtime_Folder(error);
    if (folder.empty())
        return Failed_Attempt(error);
    const std::string path = folder + "/" + Instance_Name(name) + ".lock";
    const int file = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
    if (file < 0)
        return Failed_Attempt(errno);
    error = Check_Lock_File(file);
    if (error == 0 && flock(file, LOCK_EX | LOCK_NB) == 0)
        return {Lock_State::Taken, file, 0};
    if (error == 0)
        error = errno;
    close(file);
    if (error == EWOULDBLOCK)
        return {Lock_State::Held_Elsewhere, -1, 0};
    return Failed_Attempt(error);
}

class Mutex_Object : public Kernel_Object {
public:
    explicit Mutex_Object(int file) : lock_file(file) {}
    ~Mutex_Object() override
    {
        if (lock_file >= 0)
            close(lock_file);
    }

private:
    int lock_file;
};

} // namespace

HANDLE CreateMutexA(LPSECURITY_ATTRIBUTES, BOOL, LPCSTR name)
{
    Lock_Attempt attempt{Lock_State::Taken, -1, 0};
    if (name != nullptr && *name != '\0')
        attempt = Take_Lock(name);
    if (attempt.state == Lock_State::Failed) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    HANDLE mutex = Register_Handle(std::make_shared<Mutex_Object>(attempt.file));
    if (mutex != nullptr)
        SetLastError(attempt.state == Lock_State::Held_Elsewhere ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return mutex;
}

Instance_Lock::Instance_Lock(const std::string& Title) : title(Title)
{
    const Lock_Attempt attempt = Take_Lock(title);
    lock_file = attempt.file;
    state = attempt.state;
    error = attempt.error;
}

Instance_Lock::~Instance_Lock()
{
    Stop_Serving();
    if (lock_file >= 0)
        close(lock_file);
}

std::string Instance_Lock::Socket_Path(const std::string& Title)
{
    return Runtime_Folder() + "/" + Instance_Name(Title) + ".socket";
}

std::string Instance_Lock::Lock_Path(const std::string& Title)
{
    return Runtime_Folder() + "/" + Instance_Name(Title) + ".lock";
}

bool Instance_Lock::Serve(std::function<void()> Restore)
{
    if (!First())
        return false;
    Stop_Serving();
    auto listener = std::make_unique<QLocalServer>();
    listener->setSocketOptions(QLocalServer::UserAccessOption);
    const QString path = QString::fromStdString(Socket_Path(title));
    // Holding the lock, any socket of this name is a crashed holder's.
    QLocalServer::removeServer(path);
    if (!listener->listen(path))
        return false;
    restore = std::move(Restore);
    QObject::connect(listener.get(), &QLocalServer::newConnection, [this] { Answer_Connection(); });
    server = std::move(listener);
    return true;
}

void Instance_Lock::Stop_Serving()
{
    if (!server)
        return;
    server->close();
    server.reset();
}

void Instance_Lock::Answer_Connection()
{
    while (QLocalSocket* connection = server->nextPendingConnection()) {
        QObject::connect(connection, &QLocalSocket::disconnected, connection, &QObject::deleteLater);
        QObject::connect(connection, &QLocalSocket::readyRead, connection, [this, connection] {
            if (!connection->canReadLine())
                return;
            const bool asked = connection->readLine() == Restore_Request;
            if (asked)
                connection->write(Restore_Confirmed);
            connection->flush();
            connection->disconnectFromServer();
            if (asked && restore)
                restore();
        });
    }
}

bool Instance_Lock::Ask_Restore(int Timeout_Ms) const
{
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(Socket_Path(title)));
    if (!socket.waitForConnected(Timeout_Ms))
        return false;
    socket.write(Restore_Request);
    if (!socket.waitForBytesWritten(Timeout_Ms))
        return false;
    while (!socket.canReadLine())
        if (!socket.waitForReadyRead(Timeout_Ms))
            return false;
    return socket.readLine() == Restore_Confirmed;
}

std::string Instance_Lock::Lock_Folder()
{
    return User_Runtime_Place().string();
}
