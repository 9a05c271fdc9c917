// Decoding of one SD poll cycle: the 19-byte status, both 31-byte AMU
// answers and the flags byte, into a camera's SD block.

#include "link/Pc_wcu_link.h"
#include "tests/support/Temp_Settings.h"
#include "tools/Sd_Wcu.h"
#include "tools/Wcu_Simulator.h"

#include <benchmark/benchmark.h>

namespace {

void Sd_Cycle_Decoding(benchmark::State& run)
{
    Temp_Settings settings; // the block loads its range settings
    St_System_SD sd(0);
    const Sd_Wcu wcu = Typical_Sd_Wcu();
    for (auto _ : run) {
        PC_WCU_Link::Decode_SD_Status(wcu.Status.data(), true, sd);
        PC_WCU_Link::Decode_SD_AMU(wcu.Amu1.data(), sd.AMU1, sd.DE1);
        PC_WCU_Link::Decode_SD_AMU(wcu.Amu2.data(), sd.AMU2, sd.DE2);
        PC_WCU_Link::Decode_SD_Flags(wcu.Flags, sd.Flags);
        benchmark::DoNotOptimize(sd);
        benchmark::ClobberMemory();
    }
    run.SetItemsProcessed(run.iterations());
}

} // namespace

BENCHMARK(Sd_Cycle_Decoding)->Unit(benchmark::kNanosecond);
