#include "platform/classlib/Thread.h"

#include "platform/winapi/Kernel.h"
#include "platform/winapi/Priority.h"

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <vector>

namespace {

// Static initialisation runs on the thread that starts the program.
const std::thread::id Main_Thread = std::this_thread::get_id();

bool On_Main_Thread()
{
    return std::this_thread::get_id() == Main_Thread;
}

struct Sync_Call {
    const TThreadMethod* method;
    std::exception_ptr error;
    bool done = false;
};

// One mutex and one condition for the queued calls and for every thread's
// state, so that the main thread can wait for a thread to end and for a call
// to be queued at once.
struct Sync_Queue {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<Sync_Call*> calls;
    std::function<void()> wake_main_thread;
};

Sync_Queue& Queue()
{
    static Sync_Queue queue;
    return queue;
}

} // namespace

TThread::TThread(bool CreateSuspended) : create_suspended(CreateSuspended)
{
    try {
        thread = std::thread(&TThread::Run, this);
    } catch (const std::system_error& error) {
        throw EThread(std::string("Thread creation error: ") + error.what());
    }
    std::unique_lock lock(Queue().mutex);
    Queue().changed.wait(lock, [this] { return thread_id != 0; });
}

TThread::~TThread()
{
    if (!thread.joinable()) {
        return; // deleting itself after Execute (FreeOnTerminate)
    }
    bool started = false;
    {
        std::lock_guard lock(Queue().mutex);
        started = state != State::Created;
        if (!started) {
            state = State::Cancelled;
        }
    }
    Queue().changed.notify_all();
    if (started) {
        Terminate();
        Wait_For_End();
    }
    thread.join();
}

void TThread::Run()
{
    Sync_Queue& queue = Queue();
    {
        std::unique_lock lock(queue.mutex);
        thread_id = GetCurrentThreadId();
        queue.changed.notify_all();
        queue.changed.wait(lock, [this] { return state != State::Created; });
        if (state == State::Cancelled) {
            return;
        }
    }
    try {
        Execute();
    } catch (...) {
        fatal_exception = std::current_exception();
    }
    const bool free_self = FreeOnTerminate;
    {
        std::lock_guard lock(queue.mutex);
        state = State::Finished;
    }
    queue.changed.notify_all();
    // Otherwise the owner may delete the object from here on.
    if (free_self) {
        thread.detach();
        delete this;
    }
}

void TThread::SetPriority(TThreadPriority Value)
{
    if (Value == priority)
        return;
    static constexpr int levels[] = {THREAD_PRIORITY_IDLE,   THREAD_PRIORITY_LOWEST,  THREAD_PRIORITY_BELOW_NORMAL,
                                     THREAD_PRIORITY_NORMAL, THREAD_PRIORITY_ABOVE_NORMAL, THREAD_PRIORITY_HIGHEST,
                                     THREAD_PRIORITY_TIME_CRITICAL};
    const HANDLE handle = OpenThread(THREAD_SET_INFORMATION, FALSE, thread_id);
    const bool set = handle != nullptr && SetThreadPriority(handle, levels[Value]);
    const DWORD error = GetLastError();
    if (handle != nullptr)
        CloseHandle(handle);
    if (!set) {
        const char* reason = error == ERROR_ACCESS_DENIED ? "Access is denied" : "The thread cannot be changed";
        throw EThread(Format("Thread Error: %s (%d)", reason, static_cast<int>(error)));
    }
    priority = Value;
}

void TThread::Resume()
{
    {
        std::lock_guard lock(Queue().mutex);
        if (state != State::Created) {
            return;
        }
        state = State::Started;
    }
    Queue().changed.notify_all();
}

bool TThread::Suspended() const
{
    std::lock_guard lock(Queue().mutex);
    return state == State::Created;
}

void TThread::Terminate()
{
    terminated = true;
}

void TThread::WaitFor()
{
    if (GetCurrentThreadId() == thread_id) {
        throw EThread("A thread cannot wait for itself");
    }
    if (Suspended()) {
        throw EThread("Cannot wait for a thread that was never started");
    }
    Wait_For_End();
}

void TThread::Wait_For_End()
{
    Sync_Queue& queue = Queue();
    const bool main = On_Main_Thread();
    std::unique_lock lock(queue.mutex);
    while (state != State::Finished) {
        if (main && !queue.calls.empty()) {
            lock.unlock();
            CheckSynchronize();
            lock.lock();
        } else {
            queue.changed.wait(lock);
        }
    }
}

std::exception_ptr TThread::FatalException() const
{
    std::lock_guard lock(Queue().mutex);
    return state == State::Finished ? fatal_exception : nullptr;
}

void TThread::Synchronize(const TThreadMethod& method)
{
    if (On_Main_Thread()) {
        method();
        return;
    }
    Sync_Queue& queue = Queue();
    Sync_Call call {&method, nullptr};
    std::function<void()> wake;
    {
        std::lock_guard lock(queue.mutex);
        queue.calls.push_back(&call);
        wake = queue.wake_main_thread;
    }
    queue.changed.notify_all(); // a main thread inside WaitFor runs it
    if (wake) {
        wake();
    }
    {
        std::unique_lock lock(queue.mutex);
        queue.changed.wait(lock, [&call] { return call.done; });
    }
    if (call.error) {
        std::rethrow_exception(call.error);
    }
}

bool CheckSynchronize()
{
    if (!On_Main_Thread()) {
        throw EThread("CheckSynchronize called on a thread other than the main thread");
    }
    Sync_Queue& queue = Queue();
    std::vector<Sync_Call*> calls;
    {
        std::lock_guard lock(queue.mutex);
        calls.swap(queue.calls);
    }
    for (Sync_Call* call : calls) {
        try {
            (*call->method)();
        } catch (...) {
            call->error = std::current_exception();
        }
        {
            std::lock_guard lock(queue.mutex);
            call->done = true; // the caller may return, and drop the call, from here on
        }
        queue.changed.notify_all();
    }
    return !calls.empty();
}

void SetWakeMainThread(std::function<void()> hook)
{
    std::lock_guard lock(Queue().mutex);
    Queue().wake_main_thread = std::move(hook);
}
