#pragma once
// The processor's identification (CPUID): vendor text, stepping, model,
// family, feature flags and, on AMD processors, the extended flags and the
// processor's name.

#include <string>

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
