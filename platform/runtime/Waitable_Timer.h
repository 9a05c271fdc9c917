#pragma once
// The maker's runtime library as the program reaches it: plain C entry points
// of libOrdexia.so, resolved by name when the program loads the library
// (platform/runtime/Ordexia_Library.h wraps them in TWaitable_Timer).
//
// A timer's handle must be waitable together with the program's events, so it
// has to live in the program's one handle table. The library therefore links
// no kernel calls of its own (that would give it a second, separate table):
// the program hands it its kernel calls when it loads it, and the library
// registers and closes its timers through them.

#include "platform/winapi/Kernel.h"

struct Ordexia_Kernel_Calls {
    HANDLE (*Register_Handle)(std::shared_ptr<Kernel_Object> object);
    BOOL (*Close_Handle)(HANDLE handle);
    void (*Set_Last_Error)(DWORD error);
};

struct Ordexia_Timer;

#define ORDEXIA_EXPORT __attribute__((visibility("default")))

extern "C" {

// Must come first; FALSE when a call is missing.
ORDEXIA_EXPORT BOOL Ordexia_Attach_Kernel(const Ordexia_Kernel_Calls* calls);

// A stopped periodic auto-reset timer with its handle registered; nullptr
// (last error set) when it cannot be made or no kernel is attached.
ORDEXIA_EXPORT Ordexia_Timer* Ordexia_Timer_Create();
// Closes the handle and frees the timer. A handle its user closed already is
// simply refused by the table (handle values are never reused).
ORDEXIA_EXPORT void Ordexia_Timer_Destroy(Ordexia_Timer* timer);
ORDEXIA_EXPORT HANDLE Ordexia_Timer_Get_Handle(const Ordexia_Timer* timer);
// Starts or restarts the timer: a negative due time is relative, a positive
// one absolute (since 1601-01-01 UTC), both in 100 ns units; a due time
// already past signals at once. Then it signals every `period` ms; 0 means
// once. Restarting drops an expiry that no wait has taken yet.
ORDEXIA_EXPORT BOOL Ordexia_Timer_Init(Ordexia_Timer* timer, const LARGE_INTEGER* due_time, LONG period);
// Stops the timer and drops an expiry that no wait has taken yet.
ORDEXIA_EXPORT BOOL Ordexia_Timer_Stop(Ordexia_Timer* timer);
}
