// Decoding of one full HD poll frame (every block present, long level
// blocks, 200-point spectra: 584 bytes) into a camera's HD block.

#include "link/Pc_wcu_link.h"
#include "tests/support/Temp_Settings.h"
#include "tools/Hd_Wcu.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

void Hd_Frame_Decoding(benchmark::State& run)
{
    Temp_Settings settings; // the block loads its battery alarm level
    St_System_HD hd(0);
    const BYTE request = PC_WCU_Link::Hd_Request(hd);
    const std::vector<BYTE> frame = Typical_Hd_Wcu().Frame(request);
    for (auto _ : run) {
        bool ok = PC_WCU_Link::Decode_HD(frame.data(), static_cast<int>(frame.size()), request, hd);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(hd);
        benchmark::ClobberMemory();
    }
    run.SetBytesProcessed(run.iterations() * static_cast<std::int64_t>(frame.size()));
}

} // namespace

BENCHMARK(Hd_Frame_Decoding)->Unit(benchmark::kNanosecond);
