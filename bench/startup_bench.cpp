// The program as its user meets it: the real executable started on a private
// X server (Xvfb) with simulated WCUs behind its ports.
//   Start_To_First_Poll:        start of the executable to the first status
//                               poll the simulator receives (goal < 1 s)
//   Start_To_Main_Window_Shown: start to its main window mapped on the
//                               screen (goal < 1 s)
//   Resident_Memory_Four_Cameras: resident memory while four cameras are
//                               polled for a minute (goal < 150 MB, flat)

#include "link/St_system.h"
#include "tests/platform/winapi/Test_Private_Display.h"
#include "tests/shell/host/program/Program_Process.h"
#include "tests/shell/host/program/X_Screen_Watch.h"
#include "tests/support/Temp_Settings.h"
#include "tools/Sd_Wcu.h"
#include "tools/Wcu_Simulator.h"

#include <benchmark/benchmark.h>

#include <signal.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

constexpr std::chrono::milliseconds Limit = 60s;

// N simulated SD cameras on COM1..N of a private settings folder, a private
// runtime folder and a private display.
class Desktop {
public:
    explicit Desktop(int cameras) : runtime(Make_Temp_Folder("runtime")), display("1024x768x24")
    {
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        Reg_Write_Integer(Ordexia_Registry_Key, "Camera_Count", cameras);
        for (int n = 1; n <= cameras; ++n) {
            auto& wcu = simulators.emplace_back(std::make_unique<Wcu_Simulator>());
            wcu->Line().Publish(n);
            Typical_Sd_Wcu().Load(*wcu);
            Reg_Write_Camera_Integer(Ordexia_Registry_Key, "Port_Number", n, n - 1);
        }
    }
    ~Desktop() { fs::remove_all(runtime); }

    bool Ready() const { return display.Available(); }
    bool Polled(int camera)
    {
        const std::vector<BYTE> requests = simulators[camera]->Requests();
        return std::count(requests.begin(), requests.end(), BYTE('%')) > 0;
    }
    void Clear_Requests()
    {
        for (auto& wcu : simulators)
            wcu->Clear_Requests();
    }

private:
    Temp_Settings settings;
    fs::path runtime;
    Private_Display display;
    std::vector<std::unique_ptr<Wcu_Simulator>> simulators;
};

bool Main_Window_Shown(X_Screen_Watch& screen, pid_t program)
{
    const auto windows = screen.Shown_Windows();
    return std::any_of(windows.begin(), windows.end(), [&](const X_Screen_Watch::Window_Seen& window) {
        return window.Pid == program && window.Width == 791 && window.Height == 452;
    });
}

void Quit(Program_Process& program)
{
    program.Signal(SIGTERM);
    program.Wait_Exit(Limit);
}

long Resident_Kilobytes(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

template <typename Condition>
void Time_Start_Until(benchmark::State& state, Desktop& desktop, Condition reached)
{
    for (auto _ : state) {
        desktop.Clear_Requests();
        const auto start = Clock::now();
        Program_Process program(ORDEXIA_PROGRAM);
        if (!Wait_Until([&] { return reached(program); }, Limit)) {
            state.SkipWithError("not reached within a minute");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        Quit(program);
    }
}

void Start_To_First_Poll(benchmark::State& state)
{
    Desktop desktop(1);
    Time_Start_Until(state, desktop, [&](Program_Process&) { return desktop.Polled(0); });
}

void Start_To_Main_Window_Shown(benchmark::State& state)
{
    Desktop desktop(1);
    X_Screen_Watch screen;
    if (!screen.Open()) {
        state.SkipWithError("no X server (is Xvfb installed?)");
        return;
    }
    Time_Start_Until(state, desktop, [&](Program_Process& program) { return Main_Window_Shown(screen, program.Pid()); });
}

void Resident_Memory_Four_Cameras(benchmark::State& state)
{
    Desktop desktop(4);
    for (auto _ : state) {
        Program_Process program(ORDEXIA_PROGRAM);
        if (!Wait_Until([&] { return desktop.Polled(0) && desktop.Polled(3); }, Limit)) {
            state.SkipWithError("the four cameras were not polled within a minute");
            break;
        }
        const long at_start = Resident_Kilobytes(program.Pid());
        std::this_thread::sleep_for(30s);
        const long at_30_s = Resident_Kilobytes(program.Pid());
        std::this_thread::sleep_for(30s);
        const long at_60_s = Resident_Kilobytes(program.Pid());
        state.counters["rss_polling_MB"] = at_start / 1024.0;
        state.counters["rss_30s_MB"] = at_30_s / 1024.0;
        state.counters["rss_60s_MB"] = at_60_s / 1024.0;
        Quit(program);
    }
}

} // namespace

BENCHMARK(Start_To_First_Poll)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(Start_To_Main_Window_Shown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(Resident_Memory_Four_Cameras)->Unit(benchmark::kSecond)->Iterations(1);
