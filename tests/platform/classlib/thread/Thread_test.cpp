#include "platform/classlib/Thread.h"

#include "platform/winapi/Kernel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace {

constexpr DWORD Generous_Ms = 2000;

// Runs a test's body as Execute; the body takes the thread to reach its
// protected calls.
class Test_Thread : public TThread {
public:
    using Body = std::function<void(Test_Thread&)>;

    Test_Thread(bool create_suspended, Body body_to_run) : TThread(create_suspended), body(std::move(body_to_run)) {}

    using TThread::Synchronize;
    using TThread::Terminated;

protected:
    void Execute() override { body(*this); }

private:
    Body body;
};

// Signals an auto-reset event whenever a synchronised call is queued, as the
// user-interface layer does to have its event loop run them.
class Wake_Event {
public:
    Wake_Event() : event(CreateEventA(nullptr, FALSE, FALSE, nullptr))
    {
        SetWakeMainThread([handle = event] { SetEvent(handle); });
    }
    ~Wake_Event()
    {
        SetWakeMainThread({});
        CloseHandle(event);
    }

    // Waits for a queued call and runs the queue.
    bool Pump()
    {
        return WaitForSingleObject(event, Generous_Ms) == WAIT_OBJECT_0 && CheckSynchronize();
    }

private:
    HANDLE event;
};

} // namespace

TEST(TThread, SynchronizeRunsTheMethodOnTheMainThreadWhileTheCallerWaits)
{
    Wake_Event wake;
    const DWORD main_thread = GetCurrentThreadId();
    int calls = 0; // touched only on the main thread
    DWORD ran_on = 0;
    int seen_after_each[3] = {};
    Test_Thread thread(true, [&](Test_Thread& self) {
        for (int& seen : seen_after_each) {
            self.Synchronize([&] {
                ++calls;
                ran_on = GetCurrentThreadId();
            });
            seen = calls; // the call is complete when Synchronize returns
        }
    });
    EXPECT_TRUE(thread.Suspended());
    EXPECT_NE(thread.ThreadID(), 0u);
    EXPECT_NE(thread.ThreadID(), main_thread);
    thread.Resume();
    EXPECT_FALSE(thread.Suspended());
    for (int call = 0; call < 3; ++call) {
        ASSERT_TRUE(wake.Pump()) << "call " << call;
    }
    thread.WaitFor();
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(ran_on, main_thread);
    EXPECT_EQ(seen_after_each[0], 1);
    EXPECT_EQ(seen_after_each[2], 3);
    EXPECT_FALSE(CheckSynchronize());
}

TEST(TThread, SynchronizeOnTheMainThreadRunsAtOnce)
{
    Test_Thread thread(true, [](Test_Thread&) {});
    bool ran = false;
    thread.Synchronize([&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_FALSE(CheckSynchronize());
    EXPECT_THROW(thread.Synchronize([] { throw EConvertError("direct"); }), EConvertError);
}

TEST(TThread, AnExceptionOfASynchronisedMethodIsRaisedInTheCallingThread)
{
    Wake_Event wake;
    std::string caught;
    Test_Thread thread(true, [&](Test_Thread& self) {
        try {
            self.Synchronize([] { throw EConvertError("'x' is not a valid integer value"); });
        } catch (const EConvertError& error) {
            caught = error.Message;
        }
        self.Synchronize([] { throw Exception("escapes Execute"); });
    });
    thread.Resume();
    ASSERT_TRUE(wake.Pump()); // the main thread goes on
    ASSERT_TRUE(wake.Pump());
    thread.WaitFor();
    EXPECT_EQ(caught, "'x' is not a valid integer value");
    ASSERT_TRUE(thread.FatalException());
    EXPECT_THROW(std::rethrow_exception(thread.FatalException()), Exception);
}

TEST(TThread, TerminateEndsALoopThatPollsTerminated)
{
    std::atomic<bool> running {false};
    Test_Thread thread(true, [&](Test_Thread& self) {
        running = true;
        while (!self.Terminated()) {
            std::this_thread::yield();
        }
    });
    thread.Resume();
    while (!running) {
        std::this_thread::yield();
    }
    thread.Terminate();
    thread.WaitFor();
    EXPECT_FALSE(thread.FatalException());
}

namespace {

// Keeps asking the main thread until terminated; uses no members of its own,
// so it may be destroyed while it runs.
class Endless_Synchronizer : public TThread {
public:
    Endless_Synchronizer() : TThread(true) {}

protected:
    void Execute() override
    {
        while (!Terminated()) {
            Synchronize([] {});
        }
    }
};

} // namespace

TEST(TThread, DestroyingAThreadWaitingInSynchronizeDoesNotDeadlock)
{
    Wake_Event wake;
    auto* thread = new Endless_Synchronizer;
    thread->Resume();
    ASSERT_TRUE(wake.Pump());
    // Its next call is queued or about to be; nobody pumps but the waiting
    // destructor.
    delete thread;
    EXPECT_FALSE(CheckSynchronize());
}

TEST(TThread, AThreadNeverStartedEndsWithoutRunningExecute)
{
    bool ran = false;
    {
        Test_Thread thread(true, [&](Test_Thread&) { ran = true; });
        EXPECT_THROW(thread.WaitFor(), EThread);
    }
    EXPECT_FALSE(ran);
}

TEST(TThread, CheckSynchronizeBelongsToTheMainThread)
{
    bool refused = false;
    std::thread other([&] {
        try {
            CheckSynchronize();
        } catch (const EThread&) {
            refused = true;
        }
    });
    other.join();
    EXPECT_TRUE(refused);
}

namespace {

// Created running and deleting itself when done.
class Self_Deleting : public TThread {
public:
    explicit Self_Deleting(HANDLE deleted_event) : TThread(false), deleted(deleted_event)
    {
        FreeOnTerminate = true;
    }
    ~Self_Deleting() override { SetEvent(deleted); }

protected:
    void Execute() override {}

private:
    HANDLE deleted;
};

} // namespace

TEST(TThread, ACreatedRunningThreadStartsAndFreesItselfOnTerminate)
{
    HANDLE deleted = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    TThread::Create<Self_Deleting>(deleted);
    EXPECT_EQ(WaitForSingleObject(deleted, Generous_Ms), WAIT_OBJECT_0);
    CloseHandle(deleted);
}
