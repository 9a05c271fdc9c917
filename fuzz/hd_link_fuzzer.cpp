#include "fuzz/Fuzz_Link_Targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    return Fuzz_HD_Link(Data, Size);
}
