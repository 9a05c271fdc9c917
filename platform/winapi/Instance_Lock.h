#pragma once
// One program instance per user: a lock named from a title and the user
// id, and a local socket of the same name through which a later start asks
// the holder to restore itself.
//
// The lock is an exclusive flock() on a file in the user's runtime folder
// ($XDG_RUNTIME_DIR when it is private to the user, else a private folder in
// the user's cache; never a shared folder, where another user could take the
// name first): the kernel drops it when its holder ends, even by a crash, so
// a stale lock never blocks a start. A lock that cannot be taken for any
// other reason than a live holder is a failure of its own, with its errno.
// The holder's socket left behind by a crash is removed when the next
// holder starts serving.
//
// Named mutexes (CreateMutexA with a name) are such locks: a second
// creation of a held name, in this process or another of the same user,
// answers a handle with ERROR_ALREADY_EXISTS, as Windows does.

#include <functional>
#include <memory>
#include <string>

#include "platform/winapi/Kernel.h"

class QLocalServer;

constexpr DWORD ERROR_ALREADY_EXISTS = 183;

// Unnamed: a lock of its own. Named: the per-user lock of that name; taken
// when free (GetLastError 0), else ERROR_ALREADY_EXISTS; nullptr with
// ERROR_ACCESS_DENIED when the lock cannot be made at all. Initial owner is
// not used: a named mutex is held by the process that made it first.
HANDLE CreateMutexA(LPSECURITY_ATTRIBUTES attributes, BOOL initial_owner, LPCSTR name);

enum class Lock_State { Taken, Held_Elsewhere, Failed };

class Instance_Lock {
public:
    // Takes the lock of Title for this user when it is free.
    explicit Instance_Lock(const std::string& Title);
    ~Instance_Lock();
    Instance_Lock(const Instance_Lock&) = delete;
    Instance_Lock& operator=(const Instance_Lock&) = delete;

    // This process holds the lock: it is the first instance.
    bool First() const { return lock_file >= 0; }
    // Taken, held by a live first instance, or failed (Error says why).
    Lock_State State() const { return state; }
    int Error() const { return error; }

    // The holder: answers restore requests from now on, calling Restore on
    // the thread that called Serve (which must run a Qt event loop). A stale
    // socket is replaced. False when not the holder or the socket cannot
    // listen.
    bool Serve(std::function<void()> Restore);
    void Stop_Serving();
    bool Serving() const { return server != nullptr; }

    // Another instance: asks the holder to restore itself; true once the
    // holder confirmed, false when none answers within Timeout_Ms.
    bool Ask_Restore(int Timeout_Ms = 3000) const;

    // The socket's path and the lock file's, both named "<title>-<uid>"
    // (characters other than letters, digits, '-' and '_' become '_'), in
    // the runtime folder. The folder alone is Lock_Folder: where the lock
    // is, or was tried when it could not be made.
    static std::string Socket_Path(const std::string& Title);
    static std::string Lock_Path(const std::string& Title);
    static std::string Lock_Folder();

private:
    void Answer_Connection();

    std::string title;
    int lock_file = -1;
    Lock_State state = Lock_State::Failed;
    int error = 0;
    std::unique_ptr<QLocalServer> server;
    std::function<void()> restore;
};
