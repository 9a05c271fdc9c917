// The polling thread's own CPU per poll against an unpaced simulated WCU, SD
// and HD, read on the thread's CPU clock: time it spends blocked (on the
// line, in the prescribed pauses, in the hand-over) costs nothing, any
// spinning counts. Each iteration is one poll, from one display update to
// the next. Counters: the wall time per poll (the prescribed pauses, nearly
// all of it), the CPU as a percentage of it (goal: under 1), and how often
// the thread was switched in per poll (each wake costs CPU of its own).
//
// The program's Sleep is wrapped at link time (-Wl,--wrap) to learn the
// polling thread's CPU clock on its first pause. The thread's timers come
// from libOrdexia.so in the build's bin folder.

#include "bench/Silent_Shell.h"
#include "link/Thread_polling_wcu.h"
#include "platform/winapi/Kernel.h"
#include "tests/support/Simulated_Wcu.h"
#include "tools/Hd_Wcu.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <pthread.h>

extern "C" void __real__Z5Sleepj(DWORD milliseconds);

namespace {

using Clock = std::chrono::steady_clock;

std::atomic<DWORD> Measured_Thread {0};
std::atomic<bool> Clock_Known {false};
clockid_t Thread_Clock {};

std::int64_t Thread_Cpu_Ns()
{
    timespec now {};
    if (!Clock_Known || clock_gettime(Thread_Clock, &now) != 0) {
        return 0;
    }
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// Wakes the benchmark's (main) thread when a synchronised call is queued.
std::mutex Wake_Mutex;
std::condition_variable Wake;
bool Call_Queued = false;

class Bench_Shell : public Silent_Shell {
public:
    void Update_Camera_State(const St_System& state) override
    {
        Connected = state.Settings.Connected;
        Updated_At = Clock::now();
        // The polling thread waits in the hand-over: its clock stands still.
        Cpu_At = Thread_Cpu_Ns();
        ++Updates;
    }

    // Written on the main thread only, in the synchronised call.
    bool Connected = false;
    Clock::time_point Updated_At;
    std::int64_t Cpu_At = 0;
    long Updates = 0;
};

// Runs synchronised calls until one more display update came.
void Next_Update(Bench_Shell& shell)
{
    const long target = shell.Updates + 1;
    while (shell.Updates < target) {
        std::unique_lock lock(Wake_Mutex);
        Wake.wait_for(lock, std::chrono::milliseconds(100), [] { return Call_Queued; });
        Call_Queued = false;
        lock.unlock();
        CheckSynchronize();
    }
}

// Times the thread was switched out so far, voluntarily or not.
long Context_Switches(DWORD thread_id)
{
    std::ifstream status("/proc/self/task/" + std::to_string(thread_id) + "/status");
    long switches = 0;
    for (std::string line; std::getline(status, line);) {
        if (line.find("ctxt_switches:") != std::string::npos) {
            switches += std::stol(line.substr(line.find(':') + 1));
        }
    }
    return switches;
}

bool Load_Library(std::string& reason)
{
    const auto executable = std::filesystem::read_symlink("/proc/self/exe");
    return Load_Ordexia_Library(executable.parent_path().parent_path() / "bin", reason);
}

void Poll(benchmark::State& run, bool hd)
{
    std::string reason;
    if (!Load_Library(reason)) {
        run.SkipWithError(reason.c_str());
        return;
    }
    SetWakeMainThread([] {
        std::lock_guard lock(Wake_Mutex);
        Call_Queued = true;
        Wake.notify_one();
    });
    Simulated_Wcu wcu;
    if (hd) {
        Typical_Hd_Wcu().Load(wcu.Simulator());
    } else {
        Typical_Sd_Wcu().Load(wcu.Simulator());
    }
    Reg_Write_Camera_Integer(Ordexia_Registry_Key, "Port_Number", wcu.Com_Number(), 0);
    Reg_Write_Camera_Integer(Ordexia_Registry_Key, "System_Type", hd ? 1 : 0, 0);
    Bench_Shell shell;
    std::atomic<int> camera_count {1};
    Thread_Polling_WCU thread(shell, 0, &camera_count, false);
    thread.Resume();
    while (!shell.Connected) {
        Next_Update(shell); // the identification
    }
    Clock_Known = false;
    Measured_Thread = thread.Get_Thread_Id();
    while (!Clock_Known) {
        Next_Update(shell); // a poll pauses, and the wrap learns the clock
    }
    Next_Update(shell);
    double wall_s = 0.0;
    double cpu_s = 0.0;
    // Read while the thread waits in the hand-over.
    const long switches_start = Context_Switches(thread.Get_Thread_Id());
    long switches_end = switches_start;
    for (auto _ : run) {
        const Clock::time_point start = shell.Updated_At;
        const std::int64_t cpu_start = shell.Cpu_At;
        Next_Update(shell);
        const std::chrono::duration<double> wall = shell.Updated_At - start;
        const double cpu = static_cast<double>(shell.Cpu_At - cpu_start) * 1e-9;
        wall_s += wall.count();
        cpu_s += cpu;
        run.SetIterationTime(cpu);
        switches_end = Context_Switches(thread.Get_Thread_Id());
    }
    Measured_Thread = 0;
    thread.Stop();
    thread.WaitFor();
    SetWakeMainThread({});
    run.counters["wall_ms"] = benchmark::Counter(wall_s * 1e3, benchmark::Counter::kAvgIterations);
    run.counters["cpu_percent"] = wall_s > 0 ? 100.0 * cpu_s / wall_s : 0.0;
    run.counters["wakes"] =
        benchmark::Counter(static_cast<double>(switches_end - switches_start), benchmark::Counter::kAvgIterations);
}

void Sd_Poll(benchmark::State& run) { Poll(run, false); }
void Hd_Poll(benchmark::State& run) { Poll(run, true); }

} // namespace

extern "C" void __wrap__Z5Sleepj(DWORD milliseconds)
{
    if (!Clock_Known && GetCurrentThreadId() == Measured_Thread.load() &&
        pthread_getcpuclockid(pthread_self(), &Thread_Clock) == 0) {
        Clock_Known = true;
    }
    __real__Z5Sleepj(milliseconds);
}

BENCHMARK(Sd_Poll)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(100);
BENCHMARK(Hd_Poll)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(200);
