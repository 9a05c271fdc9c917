#include "components/foundations/Sclcpuinfoobject.h"

#include <array>
#include <cstring>
#include <initializer_list>

#include "platform/winapi/Processor.h"

namespace {

struct Registers {
    unsigned eax = 0;
    unsigned ebx = 0;
    unsigned ecx = 0;
    unsigned edx = 0;
};

Registers Query(unsigned Function)
{
    std::array<int, 4> values{};
    Cpuid(values.data(), static_cast<int>(Function));
    return {static_cast<unsigned>(values[0]), static_cast<unsigned>(values[1]), static_cast<unsigned>(values[2]),
            static_cast<unsigned>(values[3])};
}

bool Bit(unsigned Value, int Number)
{
    return ((Value >> Number) & 1u) != 0;
}

std::string Register_Text(std::initializer_list<unsigned> Values)
{
    std::string text;
    for (const unsigned value : Values) {
        std::array<char, 4> bytes{};
        std::memcpy(bytes.data(), &value, 4);
        text.append(bytes.data(), 4);
    }
    return text;
}

void Read_Standard_Flags(TSCLCPUInfo& Info)
{
    const Registers r = Query(1);
    Info.Stepping = static_cast<int>(r.eax & 0x0F);
    Info.Model = static_cast<int>((r.eax >> 4) & 0x0F);
    Info.Family = static_cast<int>((r.eax >> 8) & 0x0F);
    Info.FPU = Bit(r.edx, 0);
    Info.VirtualModeExtensions = Bit(r.edx, 1);
    Info.DebuggingExtensions = Bit(r.edx, 2);
    Info.PageSizeExtensions = Bit(r.edx, 3);
    Info.TimeStampCoutner = Bit(r.edx, 4);
    Info.K86_ModelSpecificRegisters = Bit(r.edx, 5);
    Info.MachineCheckException = Bit(r.edx, 7);
    Info.CMP_XCHG_8B = Bit(r.edx, 8);
    Info.APIC = Bit(r.edx, 9);
    Info.MemoryTypeRangeRegisters = Bit(r.edx, 12);
    Info.GlobalPaging = Bit(r.edx, 13);
    Info.Cond_MOVE_Instruct = Bit(r.edx, 15);
    Info.MMX = Bit(r.edx, 23);
}

// The extended functions are read on AMD processors only, as the library
// always did; other vendors keep the three flags false and no name.
void Read_AMD_Extensions(TSCLCPUInfo& Info)
{
    const unsigned highest = Query(0x80000000).eax;
    if ((highest & 0xFF) == 0)
        return;
    const Registers r = Query(0x80000001);
    Info.SysCallAndSysRet = Bit(r.edx, 11);
    Info.FPCond_MOVE_Instruct = Bit(r.edx, 16);
    Info.AMD3DNow = Bit(r.edx, 31);
    if (highest < 0x80000004)
        return;
    std::string name;
    for (unsigned function = 0x80000002; function <= 0x80000004; ++function) {
        const Registers part = Query(function);
        name += Register_Text({part.eax, part.ebx, part.ecx, part.edx});
    }
    Info.CPUName = name.substr(0, name.find('\0'));
}

} // namespace

bool SCLExistCPUInfo()
{
    return Cpuid_Available();
}

bool SCLGetCPUInfo(TSCLCPUInfo& Info)
{
    if (!SCLExistCPUInfo())
        return false;
    Info = TSCLCPUInfo{};
    const Registers vendor = Query(0);
    Info.IDString = Register_Text({vendor.ebx, vendor.edx, vendor.ecx});
    Read_Standard_Flags(Info);
    if (Info.IDString == "AuthenticAMD")
        Read_AMD_Extensions(Info);
    return true;
}

bool SCLExistMMX()
{
    TSCLCPUInfo info;
    SCLGetCPUInfo(info);
    return info.MMX;
}

bool SCLExist3DNow()
{
    TSCLCPUInfo info;
    SCLGetCPUInfo(info);
    return info.AMD3DNow;
}

TSCLCPUInfoObject::TSCLCPUInfoObject()
{
    SCLGetCPUInfo(info);
}
