#include "fuzz/Fuzz_Platform_Targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    return Fuzz_Wave(Data, Size);
}
