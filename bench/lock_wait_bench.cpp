// How long the user-interface thread waits for a camera's state lock while
// the camera's polling thread polls an unpaced simulated WCU back to back,
// SD and HD: what every setter, forced refresh or Lock_State waits. Each
// iteration takes the lock once, at a point spread over the poll cycle; the
// display updates the thread hands over are run between iterations, as the
// event loop runs them. Counters: the median, 99th percentile and longest
// wait in microseconds (goal: p99 under 200), and the polls run meanwhile.
//
// The thread's timers come from libOrdexia.so in the build's bin folder.

#include "bench/Silent_Shell.h"
#include "link/Thread_polling_wcu.h"
#include "tests/support/Simulated_Wcu.h"
#include "tools/Hd_Wcu.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

class Counting_Shell : public Silent_Shell {
public:
    void Update_Camera_State(const St_System& state) override
    {
        Connected = state.Settings.Connected;
        ++Updates;
    }

    // On the main thread only, in the synchronised call.
    bool Connected = false;
    long Updates = 0;
};

bool Load_Library(std::string& reason)
{
    const auto executable = std::filesystem::read_symlink("/proc/self/exe");
    return Load_Ordexia_Library(executable.parent_path().parent_path() / "bin", reason);
}

double Percentile_Us(std::vector<double> waits, double fraction)
{
    if (waits.empty()) {
        return 0.0;
    }
    std::sort(waits.begin(), waits.end());
    const auto at = static_cast<std::size_t>(fraction * static_cast<double>(waits.size() - 1));
    return waits[at] * 1e6;
}

void Lock_Wait(benchmark::State& run, bool hd)
{
    std::string reason;
    if (!Load_Library(reason)) {
        run.SkipWithError(reason.c_str());
        return;
    }
    Simulated_Wcu wcu;
    if (hd) {
        Typical_Hd_Wcu().Load(wcu.Simulator());
    } else {
        Typical_Sd_Wcu().Load(wcu.Simulator());
    }
    Reg_Write_Camera_Integer(Ordexia_Registry_Key, "Port_Number", wcu.Com_Number(), 0);
    Reg_Write_Camera_Integer(Ordexia_Registry_Key, "System_Type", hd ? 1 : 0, 0);
    Counting_Shell shell;
    std::atomic<int> camera_count {1};
    Thread_Polling_WCU thread(shell, 0, &camera_count, false);
    thread.Resume();
    while (!shell.Connected) {
        CheckSynchronize();
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    const long updates_before = shell.Updates;
    std::vector<double> waits;
    waits.reserve(static_cast<std::size_t>(run.max_iterations));
    for (auto _ : run) {
        CheckSynchronize();
        const Clock::time_point start = Clock::now();
        {
            auto state = thread.Lock_State();
            benchmark::DoNotOptimize(state->Settings.Connected);
        }
        const std::chrono::duration<double> wait = Clock::now() - start;
        waits.push_back(wait.count());
        run.SetIterationTime(wait.count());
        // Between two user actions: the next lands elsewhere in the cycle.
        std::this_thread::sleep_for(std::chrono::microseconds(700));
    }
    const long polls = shell.Updates - updates_before;
    thread.Stop();
    while (thread.Get_Thread_Id() != 0) {
        CheckSynchronize();
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    thread.WaitFor();
    run.counters["p50_us"] = Percentile_Us(waits, 0.50);
    run.counters["p99_us"] = Percentile_Us(waits, 0.99);
    run.counters["max_us"] = Percentile_Us(waits, 1.0);
    run.counters["polls"] = static_cast<double>(polls);
}

void Sd_Lock_Wait(benchmark::State& run) { Lock_Wait(run, false); }
void Hd_Lock_Wait(benchmark::State& run) { Lock_Wait(run, true); }

} // namespace

BENCHMARK(Sd_Lock_Wait)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(3000);
BENCHMARK(Hd_Lock_Wait)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(3000);
