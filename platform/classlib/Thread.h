#pragma once
// The class library's thread: Execute runs on a thread of its own, and
// Synchronize runs a method on the main (user-interface) thread while the
// calling thread waits.
//
// The main thread runs queued synchronised calls from CheckSynchronize: the
// user-interface layer calls it from its event loop when the wake-up hook
// tells it a call is queued, headless code calls it in its own loop. An
// exception thrown by a synchronised method is carried back and raised again
// in the thread that called Synchronize; the main thread goes on.
//
// Shut-down rule: a thread waiting in Synchronize cannot end before the main
// thread runs its call, so the main thread keeps running queued calls while
// it waits for a thread (WaitFor, and the destructor, which waits). A
// terminating thread's call is still run; a method that must do nothing once
// its thread is terminating tests that itself.

#include "platform/classlib/SysUtils.h"
#include "platform/winapi/WinTypes.h"

#include <atomic>
#include <exception>
#include <functional>
#include <thread>
#include <utility>

class EThread : public Exception {
    using Exception::Exception;
};

using TThreadMethod = std::function<void()>;

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

class TThread {
public:
    // A thread created suspended starts at Resume. One created running starts
    // once it is fully built, so it is made with Create; a plain new of it
    // waits for Resume (starting from this constructor would let Execute run
    // on a half-built object). Raises EThread when no thread can be made.
    explicit TThread(bool CreateSuspended);

    template <typename Thread, typename... Args>
    static Thread* Create(Args&&... args)
    {
        auto* thread = new Thread(std::forward<Args>(args)...);
        if (!thread->Created_Suspended()) {
            thread->Resume();
        }
        return thread;
    }

    // Terminates the thread and waits for it to end (a thread never started
    // ends without running Execute). A subclass whose Execute uses its own
    // members must see the thread ended before they go.
    virtual ~TThread();
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    // Starts a suspended thread; nothing otherwise.
    void Resume();
    bool Suspended() const;
    // Asks Execute to end: it polls Terminated.
    void Terminate();
    // Waits until Execute has returned. On the main thread, runs synchronised
    // calls meanwhile. Raises EThread for a thread never started or when
    // called from the thread itself.
    void WaitFor();
    // The Linux thread id, known from construction.
    DWORD ThreadID() const { return thread_id; }
    // The thread's scheduling priority, tpNormal at first; also before the
    // thread starts. A change the system refuses (a raise the user may not
    // make) raises EThread and keeps the old priority.
    TThreadPriority Priority() const { return priority; }
    void SetPriority(TThreadPriority Value);
    // What escaped Execute, once it has returned; null when nothing did.
    std::exception_ptr FatalException() const;

    // The thread deletes its object when Execute returns; set before Resume.
    std::atomic<bool> FreeOnTerminate {false};

protected:
    virtual void Execute() = 0;
    bool Terminated() const { return terminated.load(); }
    // Runs the method on the main thread and waits for it; at once when
    // called on the main thread. Raises again what the method raised.
    void Synchronize(const TThreadMethod& method);

private:
    enum class State { Created, Started, Cancelled, Finished };

    // Create reads the field through here: clang does not count a use inside
    // a template that is never instantiated, and warns of an unused field.
    bool Created_Suspended() const { return create_suspended; }
    void Run();
    void Wait_For_End();

    std::thread thread;
    DWORD thread_id = 0;
    TThreadPriority priority = tpNormal;
    bool create_suspended;
    std::atomic<bool> terminated {false};
    // Guarded by the synchronisation queue's mutex.
    State state = State::Created;
    std::exception_ptr fatal_exception;
};

// Runs the synchronised calls queued by other threads; true when it ran any.
// Raises EThread when called on another thread than the main one.
bool CheckSynchronize();

// Called by a thread each time it queues a synchronised call, so that the
// user-interface layer can have CheckSynchronize run soon; an empty hook
// removes it. It runs on the queuing thread.
void SetWakeMainThread(std::function<void()> hook);
