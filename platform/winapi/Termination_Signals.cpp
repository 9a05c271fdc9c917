#include "platform/winapi/Termination_Signals.h"

#include "platform/winapi/Kernel.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

// The termination signals reach the event loop through this pipe: a signal
// handler may do nothing but write to it.
int Signal_Pipe[2] = {-1, -1};

void Note_Termination_Signal(int)
{
    const int saved_errno = errno;
    const char signal_byte = 1;
    [[maybe_unused]] const ssize_t written = write(Signal_Pipe[1], &signal_byte, 1);
    errno = saved_errno;
}

void Drain_Signal_Pipe()
{
    char bytes[16];
    while (read(Signal_Pipe[0], bytes, sizeof bytes) > 0) {
    }
}

} // namespace

void Close_On_Termination_Signals(std::function<void()> Close)
{
    static std::function<void()> close_action;
    close_action = std::move(Close);
    if (Signal_Pipe[0] < 0) {
        if (pipe2(Signal_Pipe, O_CLOEXEC | O_NONBLOCK) != 0)
            return;
        auto* notifier = new QSocketNotifier(Signal_Pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
        QObject::connect(notifier, &QSocketNotifier::activated, [] {
            Drain_Signal_Pipe();
            if (close_action)
                close_action();
        });
    }
    struct sigaction action {};
    action.sa_handler = Note_Termination_Signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    // A hang-up the program was started to ignore (nohup) stays ignored.
    struct sigaction hang_up {};
    if (sigaction(SIGHUP, nullptr, &hang_up) == 0 && hang_up.sa_handler != SIG_IGN)
        sigaction(SIGHUP, &action, nullptr);
}

void Sleep_Unless_Terminating(int Milliseconds)
{
    if (Signal_Pipe[0] < 0 || Is_Simulated_Time()) {
        Sleep(static_cast<DWORD>(Milliseconds));
        return;
    }
    // The pipe is only watched, not read: the event loop's notifier still
    // finds the signal there.
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(Milliseconds);
    pollfd pipe_end {Signal_Pipe[0], POLLIN, 0};
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
        if (left <= 0 || poll(&pipe_end, 1, static_cast<int>(left)) != -1 || errno != EINTR)
            return;
    }
}
