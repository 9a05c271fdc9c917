// The HD camera page's refresh cost in microseconds, on a shown offscreen
// page of a working camera: a poll that changes what a running camera
// typically changes (the received levels' history moving, both qualities,
// a receiver level), painted; and a poll that changes nothing.

#include <benchmark/benchmark.h>

#include "components/foundations/Sclcont.h"
#include "shell/host/Main_container.h"
#include "tests/screens/Hd_Page_Test_Support.h"

#include <QApplication>

namespace {

void Need_Application()
{
    static int argc = 1;
    static char name[] = "hd_page_bench";
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
        Load_Main_Container(container);
        hd.form->Show();
        hd.Refresh([](St_System&) {}, true);
        Application->ProcessMessages();
    }

    TSCLContainerCtrl container {nullptr};
    hd_page_test::Hd_Page hd;
};

void Poll_With_Typical_Changes(benchmark::State& state)
{
    Need_Application();
    Running_Page running;
    int poll = 0;
    for (auto _ : state) {
        ++poll;
        running.hd.Refresh([poll](St_System& s) {
            St_System_HD& hd = s.HD;
            hd.Wcu_Link.D0 = 55 + poll % 7;
            hd.Wcu.D0_Bits6_0 = 75 + poll % 5;
            for (St_System_HD_AMU_Stat* stat : {&hd.Amu1_Stat, &hd.Amu2_Stat}) {
                const int levels[3] = {150 + poll % 11, 140 + poll % 3, 255};
                stat->Rx_Level = {levels[0], levels[1], levels[2]};
                stat->Rssi_Buffer->Add(levels);
            }
        });
        Application->ProcessMessages();
    }
}
BENCHMARK(Poll_With_Typical_Changes)->Unit(benchmark::kMicrosecond);

void Poll_Without_Change(benchmark::State& state)
{
    Need_Application();
    Running_Page running;
    for (auto _ : state) {
        running.hd.Refresh([](St_System&) {});
    }
}
BENCHMARK(Poll_Without_Change)->Unit(benchmark::kMicrosecond);

} // namespace
