#pragma once
// The processor's identification instruction (CPUID) and its time-stamp
// counter.
//
// Tests stand a processor of their own in for the real one, so that every
// vendor's path and every flag can be checked on any machine.

#include <array>
#include <functional>

#include "platform/winapi/WinTypes.h"

// EAX, EBX, ECX, EDX of one identification function.
using Cpuid_Registers = std::array<DWORD, 4>;
using Cpuid_Source = std::function<Cpuid_Registers(DWORD Function)>;

// True when the processor answers the identification instruction (the
// identification flag of its flags register can be toggled); a test
// processor always answers.
bool Cpuid_Available();
// The registers of Function; all zero where the instruction is missing.
void Cpuid(int Registers[4], int Function);
// The processor's cycle counter; 0 where it has none.
ULONGLONG Read_Time_Stamp_Counter();

// An empty source gives the real processor back.
void Set_Cpuid_Source(Cpuid_Source Source);
