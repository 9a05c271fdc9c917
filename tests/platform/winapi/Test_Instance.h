#pragma once
// Instance tests: a private runtime folder for locks and sockets, and a
// first instance serving restore requests on a thread of its own.

#include <QEventLoop>
#include <QThread>

#include <atomic>
#include <future>
#include <memory>
#include <string>

#include "platform/winapi/Instance_Lock.h"
#include "tests/support/Temp_Runtime_Folder.h"

// The first instance on a thread of its own, serving until it has been asked
// to restore once.
class Serving_Instance {
public:
    explicit Serving_Instance(const std::string& title)
    {
        std::promise<bool> serving;
        std::future<bool> started = serving.get_future();
        thread.reset(QThread::create([this, title, &serving] {
            Instance_Lock lock(title);
            QEventLoop loop;
            const bool ok = lock.Serve([this, &loop] {
                restored_on = QThread::currentThread();
                restores.fetch_add(1);
                loop.quit();
            });
            serving.set_value(ok && lock.First());
            if (ok)
                loop.exec();
        }));
        thread->start();
        started_ok = started.get();
    }
    ~Serving_Instance() { thread->wait(); }
    Serving_Instance(const Serving_Instance&) = delete;
    Serving_Instance& operator=(const Serving_Instance&) = delete;

    bool Started() const { return started_ok; }
    // Waits for the thread, which ends once it has been asked once.
    int Restores()
    {
        thread->wait();
        return restores.load();
    }
    bool Restored_On_Its_Thread() const { return restored_on.load() == thread.get(); }

private:
    std::unique_ptr<QThread> thread;
    bool started_ok = false;
    std::atomic<int> restores = 0;
    std::atomic<QThread*> restored_on = nullptr;
};
