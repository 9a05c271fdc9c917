#include "platform/winapi/Processor.h"

#include <mutex>
#include <utility>

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#define PROCESSOR_HAS_CPUID 1
#else
#define PROCESSOR_HAS_CPUID 0
#endif

namespace {

struct Test_Processor {
    std::mutex mutex;
    Cpuid_Source source;
};

Test_Processor& Test()
{
    static Test_Processor processor;
    return processor;
}

Cpuid_Source Current_Source()
{
    const std::lock_guard lock(Test().mutex);
    return Test().source;
}

Cpuid_Registers Real_Cpuid(DWORD function)
{
    Cpuid_Registers r{};
#if PROCESSOR_HAS_CPUID
    __cpuid_count(function, 0, r[0], r[1], r[2], r[3]);
#else
    (void)function;
#endif
    return r;
}

} // namespace

bool Cpuid_Available()
{
    if (Current_Source())
        return true;
#if PROCESSOR_HAS_CPUID
    return __get_cpuid_max(0, nullptr) != 0;
#else
    return false;
#endif
}

void Cpuid(int Registers[4], int Function)
{
    const Cpuid_Source source = Current_Source();
    const auto function = static_cast<DWORD>(Function);
    const Cpuid_Registers r = source ? source(function) : Real_Cpuid(function);
    for (int i = 0; i < 4; ++i)
        Registers[i] = static_cast<int>(r[static_cast<std::size_t>(i)]);
}

ULONGLONG Read_Time_Stamp_Counter()
{
#if PROCESSOR_HAS_CPUID
    return __builtin_ia32_rdtsc();
#else
    return 0;
#endif
}

void Set_Cpuid_Source(Cpuid_Source Source)
{
    const std::lock_guard lock(Test().mutex);
    Test().source = std::move(Source);
}
