// The SD camera page's refresh cost in microseconds, on a shown offscreen
// page: a poll that changes what a running camera typically changes (the
// two qualities, the data activity, a tuner lock), painted; a poll that
// changes nothing; and a repaint of the whole page.

#include <benchmark/benchmark.h>

#include "components/foundations/Sclcont.h"
#include "link/St_system.h"
#include "platform/classlib/Forms.h"
#include "platform/winapi/Window.h"
#include "screens/Fich_main_sd.h"
#include "shell/host/Main_container.h"
#include "tests/support/Temp_Settings.h"
#include "tools/Render_State.h"

#include <QApplication>

#include <atomic>
#include <memory>

namespace {

void Need_Application()
{
    static int argc = 1;
    static char name[] = "sd_page_bench";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
}

// A running camera's page, shown and drawn once.
struct Running_Page {
    Running_Page()
    {
        Need_Application();
        Load_Main_Container(container);
        Set_Working_System(current);
        page = std::make_unique<TForm_Main_SD>(nullptr, nullptr, &camera_count, &summary, &snapshot, &current);
        page->Show();
        Poll(true);
    }
    void Poll(bool full = false)
    {
        page->RefreshDisplay(full);
        snapshot.Copy(current);
        Application->ProcessMessages();
    }

    Temp_Settings settings;
    TSCLContainerCtrl container {nullptr};
    St_System current {0};
    St_System snapshot {0};
    std::atomic<int> camera_count {1};
    Status_IHM_SD_HD* summary = nullptr;
    std::unique_ptr<TForm_Main_SD> page;
};

void Poll_With_Typical_Changes(benchmark::State& state)
{
    Running_Page running;
    St_System_SD& sd = running.current.SD;
    int poll = 0;
    for (auto _ : state) {
        ++poll;
        sd.WCU.Video_Qos = 85 + poll % 5;
        sd.WCU.Data_Qos = 75 + poll % 3;
        sd.WCU.Rate_Any = 1 + poll % 2;
        sd.AMU1.Receiver_Flag_3 = poll % 2 == 0;
        running.Poll();
    }
}
BENCHMARK(Poll_With_Typical_Changes)->Unit(benchmark::kMicrosecond);

void Poll_Without_Change(benchmark::State& state)
{
    Running_Page running;
    for (auto _ : state) {
        running.page->RefreshDisplay(false);
        running.snapshot.Copy(running.current);
    }
}
BENCHMARK(Poll_Without_Change)->Unit(benchmark::kMicrosecond);

void Repaint_Whole_Page(benchmark::State& state)
{
    Running_Page running;
    for (auto _ : state) {
        RedrawWindow(running.page->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
}
BENCHMARK(Repaint_Whole_Page)->Unit(benchmark::kMicrosecond);

} // namespace
