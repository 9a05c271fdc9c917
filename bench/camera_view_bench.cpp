// A camera view's refresh cost in microseconds, on a shown offscreen large
// view: the block summary and the qualities changed as a running camera
// changes them, painted or not; and a refresh that changes nothing.

#include <benchmark/benchmark.h>

#include "components/foundations/Sclcont.h"
#include "link/St_system.h"
#include "platform/classlib/Classes.h"
#include "platform/classlib/Forms.h"
#include "screens/Status_ihm_sd_hd.h"
#include "shell/host/Fich_camera_view.h"
#include "shell/host/Main_container.h"
#include "tests/support/Temp_Settings.h"

#include <QApplication>

#include <memory>

namespace {

void Need_Application()
{
    static int argc = 1;
    static char name[] = "camera_view_bench";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
}

struct Running_View {
    Running_View()
    {
        Need_Application();
        Load_Main_Container(container);
        state.Settings.Port_Number = 1;
        state.Settings.Connected = true;
        state.SD.WCU.Video_Qos = 90;
        state.SD.WCU.Data_Qos = 80;
        summary.Camera_Number = &state.Settings.Name;
        summary.Messages = &lines;
        summary.Status_Active = summary.WCU_Active = summary.AMU1_Active = summary.DE1_Active = 1;
        summary.Status_Alarm = summary.PC_Alarm = summary.WCU_Alarm = summary.AMU1_Alarm = summary.DE1_Alarm = 0;
        summary.RS232_Visible = summary.Triax1_Visible = summary.Triax1_Active = 1;
        view = std::make_unique<TForm_Large_Camera>(&owner, 0, &selected);
        view->Show();
        Refresh();
    }
    void Refresh()
    {
        view->Update_Camera(&state, &summary);
        Application->ProcessMessages();
    }

    Temp_Settings settings;
    TSCLContainerCtrl container {nullptr};
    TForm owner {nullptr};
    St_System state {0};
    TStringList lines;
    Status_IHM_SD_HD summary;
    int selected = 2;
    std::unique_ptr<TForm_Large_Camera> view;
};

void Refresh_With_Typical_Changes(benchmark::State& bench)
{
    Running_View running;
    int poll = 0;
    for (auto _ : bench) {
        ++poll;
        running.state.SD.WCU.Video_Qos = 85 + poll % 5;
        running.state.SD.WCU.Data_Qos = 75 + poll % 3;
        running.summary.AMU1_Alarm = poll % 2;
        running.summary.Status_Alarm = poll % 2;
        running.Refresh();
    }
}
BENCHMARK(Refresh_With_Typical_Changes)->Unit(benchmark::kMicrosecond);

// The refresh alone: what it invalidates is painted outside the timing.
void Refresh_With_Typical_Changes_Unpainted(benchmark::State& bench)
{
    Running_View running;
    int poll = 0;
    for (auto _ : bench) {
        ++poll;
        running.state.SD.WCU.Video_Qos = 85 + poll % 5;
        running.state.SD.WCU.Data_Qos = 75 + poll % 3;
        running.summary.AMU1_Alarm = poll % 2;
        running.summary.Status_Alarm = poll % 2;
        running.view->Update_Camera(&running.state, &running.summary);
        bench.PauseTiming();
        Application->ProcessMessages();
        bench.ResumeTiming();
    }
}
BENCHMARK(Refresh_With_Typical_Changes_Unpainted)->Unit(benchmark::kMicrosecond);

void Refresh_Without_Change(benchmark::State& bench)
{
    Running_View running;
    for (auto _ : bench) {
        running.view->Update_Camera(&running.state, &running.summary);
    }
}
BENCHMARK(Refresh_Without_Change)->Unit(benchmark::kMicrosecond);

} // namespace
