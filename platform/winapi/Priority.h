#pragma once
// Process priority classes and thread priorities, on Linux scheduling.
//
// A thread's scheduling follows its process's class and its own priority:
// the real-time class, and time-critical threads of it, run under the
// real-time FIFO policy at Windows' own levels (16..31); in the other
// classes a thread gets a nice value (the process's nice at start, plus 15,
// 5, 0, -5 or -10 for the idle, below normal, normal, above normal and high
// class, and 5 less per step of its own priority), an idle thread the idle
// policy and a time-critical one nice -20. A class change applies to the calling thread at once and to
// others when their priority is next set.
//
// A raise the user may not make (no CAP_SYS_NICE, beyond RLIMIT_NICE or
// RLIMIT_RTPRIO) fails with ERROR_ACCESS_DENIED and changes nothing.

#include "platform/winapi/WinTypes.h"

constexpr DWORD IDLE_PRIORITY_CLASS = 0x00000040;
constexpr DWORD BELOW_NORMAL_PRIORITY_CLASS = 0x00004000;
constexpr DWORD NORMAL_PRIORITY_CLASS = 0x00000020;
constexpr DWORD ABOVE_NORMAL_PRIORITY_CLASS = 0x00008000;
constexpr DWORD HIGH_PRIORITY_CLASS = 0x00000080;
constexpr DWORD REALTIME_PRIORITY_CLASS = 0x00000100;

constexpr int THREAD_PRIORITY_IDLE = -15;
constexpr int THREAD_PRIORITY_LOWEST = -2;
constexpr int THREAD_PRIORITY_BELOW_NORMAL = -1;
constexpr int THREAD_PRIORITY_NORMAL = 0;
constexpr int THREAD_PRIORITY_ABOVE_NORMAL = 1;
constexpr int THREAD_PRIORITY_HIGHEST = 2;
constexpr int THREAD_PRIORITY_TIME_CRITICAL = 15;
constexpr int THREAD_PRIORITY_ERROR_RETURN = 0x7FFFFFFF;

constexpr DWORD THREAD_SET_INFORMATION = 0x0020;
constexpr DWORD THREAD_QUERY_INFORMATION = 0x0040;

// Pseudo-handles: the calling process and the calling thread; closing them
// is not needed.
HANDLE GetCurrentProcess();
HANDLE GetCurrentThread();
// A handle of the thread with that Linux thread id (GetCurrentThreadId,
// TThread::ThreadID), closed with CloseHandle; null with
// ERROR_INVALID_PARAMETER when no such thread is in this process.
HANDLE OpenThread(DWORD access, BOOL inherit, DWORD thread_id);

DWORD GetPriorityClass(HANDLE process);
BOOL SetPriorityClass(HANDLE process, DWORD priority_class);
// The priority last set (THREAD_PRIORITY_NORMAL before);
// THREAD_PRIORITY_ERROR_RETURN for a bad handle.
int GetThreadPriority(HANDLE thread);
BOOL SetThreadPriority(HANDLE thread, int priority);
