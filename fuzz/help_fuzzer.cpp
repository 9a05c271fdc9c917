#include "fuzz/Fuzz_Help_Target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    return Fuzz_Help(Data, Size);
}
