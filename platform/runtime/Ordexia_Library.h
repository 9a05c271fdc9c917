#pragma once
// The maker's runtime library, libOrdexia.so, and its periodic timer.
//
// The program loads the library at start from its own folder; the timer's
// entry points are resolved at that load, so that a missing or broken library
// is a start-up error the program reports, never a loader failure. A library
// once loaded stays loaded for the life of the process (its timers live in
// the process-wide handle table).

#include "platform/winapi/WinTypes.h"

#include <filesystem>
#include <string>

struct Ordexia_Timer;

inline constexpr const char* Ordexia_Library_Name = "libOrdexia.so";

// Loads the library from the running executable's folder. False, with the
// reason, when it is missing or lacks an entry point.
bool Load_Ordexia_Library(std::string& reason);
// Same, from the given folder. The first library loaded stays the one in use.
bool Load_Ordexia_Library(const std::filesystem::path& folder, std::string& reason);

// A periodic auto-reset waitable timer: its handle is signalled at the due
// time and then once every period, and each signal is consumed by the wait
// that reports it. A timer made before the library was loaded stays inert:
// no handle, and every call fails with ERROR_INVALID_HANDLE.
class TWaitable_Timer {
public:
    TWaitable_Timer();
    // Closes the handle; one its user closed already is left alone.
    ~TWaitable_Timer();
    TWaitable_Timer(const TWaitable_Timer&) = delete;
    TWaitable_Timer& operator=(const TWaitable_Timer&) = delete;

    // For WaitForMultipleObjects; nullptr for an inert timer.
    HANDLE Get_Handle() const;
    // Starts or restarts the timer. A negative due time is relative, a
    // positive one absolute (since 1601-01-01 UTC), both in 100 ns units;
    // then every `period` ms, 0 meaning once. A signal not yet taken is
    // dropped.
    bool Init_Timer(const LARGE_INTEGER* due_time, LONG period);
    // Stops the timer; a signal not yet taken is dropped.
    bool Stop_Timer();

private:
    Ordexia_Timer* timer;
};
