#pragma once
// The processor's identification (CPUID): vendor text, stepping, model,
// family, feature flags and, on AMD processors, the extended flags and the
// processor's name; and the settings object that shows them as read-only
// properties.

#include <string>

#include "components/foundations/Sclobject.h"

struct TSCLCPUInfo {
    std::string IDString; // the 12-character vendor text
    int Stepping = 0;
    int Model = 0;
    int Family = 0;
    bool FPU = false;
    bool VirtualModeExtensions = false;
    bool DebuggingExtensions = false;
    bool PageSizeExtensions = false;
    bool TimeStampCoutner = false;
    bool K86_ModelSpecificRegisters = false;
    bool MachineCheckException = false;
    bool CMP_XCHG_8B = false;
    bool APIC = false;
    bool MemoryTypeRangeRegisters = false;
    bool GlobalPaging = false;
    bool Cond_MOVE_Instruct = false;
    bool MMX = false;
    bool SysCallAndSysRet = false;
    bool FPCond_MOVE_Instruct = false;
    bool AMD3DNow = false;
    std::string CPUName;
};

// True when the processor answers the identification instruction.
bool SCLExistCPUInfo();
// Fills Info (left as it is when there is no identification); answers
// SCLExistCPUInfo.
bool SCLGetCPUInfo(TSCLCPUInfo& Info);
bool SCLExistMMX();
bool SCLExist3DNow();

// The processor's identification, read once when the object is made.
class TSCLCPUInfoObject : public TSCLObject {
public:
    TSCLCPUInfoObject();

    const TSCLCPUInfo& Info() const { return info; }
    const std::string& IDString() const { return info.IDString; }
    int Stepping() const { return info.Stepping; }
    int Model() const { return info.Model; }
    int Family() const { return info.Family; }
    bool FPU() const { return info.FPU; }
    bool VirtualModeExtensions() const { return info.VirtualModeExtensions; }
    bool DebuggingExtensions() const { return info.DebuggingExtensions; }
    bool PageSizeExtensions() const { return info.PageSizeExtensions; }
    bool TimeStampCoutner() const { return info.TimeStampCoutner; }
    bool K86_ModelSpecificRegisters() const { return info.K86_ModelSpecificRegisters; }
    bool MachineCheckException() const { return info.MachineCheckException; }
    bool CMP_XCHG_8B() const { return info.CMP_XCHG_8B; }
    bool APIC() const { return info.APIC; }
    bool MemoryTypeRangeRegisters() const { return info.MemoryTypeRangeRegisters; }
    bool GlobalPaging() const { return info.GlobalPaging; }
    bool Cond_MOVE_Instruct() const { return info.Cond_MOVE_Instruct; }
    bool MMX() const { return info.MMX; }
    bool SysCallAndSysRet() const { return info.SysCallAndSysRet; }
    bool FPCond_MOVE_Instruct() const { return info.FPCond_MOVE_Instruct; }
    bool AMD3DNow() const { return info.AMD3DNow; }
    const std::string& CPUName() const { return info.CPUName; }
    // Asks the processor each time.
    bool ExistCPUInfo() const { return SCLExistCPUInfo(); }

private:
    TSCLCPUInfo info;
};
