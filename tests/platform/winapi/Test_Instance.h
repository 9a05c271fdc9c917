#pragma once
// Instance tests: a private runtime folder for locks and sockets, and a
// first instance serving restore requests on a thread of its own.

#include <QEventLoop>
#include <QThread>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <memory>
#include <optional>
#include <string>

#include "platform/winapi/Instance_Lock.h"
#include "tests/support/Temp_Settings.h"

// XDG_RUNTIME_DIR points at a fresh folder for the object's lifetime.
class Temp_Runtime_Folder {
public:
    Temp_Runtime_Folder()
    {
        if (const char* old = std::getenv("XDG_RUNTIME_DIR"))
            previous = old;
        setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    }
    ~Temp_Runtime_Folder()
    {
        if (previous)
            setenv("XDG_RUNTIME_DIR", previous->c_str(), 1);
        else
            unsetenv("XDG_RUNTIME_DIR");
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    Temp_Runtime_Folder(const Temp_Runtime_Folder&) = delete;
    Temp_Runtime_Folder& operator=(const Temp_Runtime_Folder&) = delete;

    const std::filesystem::path& Folder() const { return folder; }

private:
    std::filesystem::path folder = Make_Temp_Folder("runtime");
    std::optional<std::string> previous;
};

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
