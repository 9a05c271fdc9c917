#pragma once
// Ending the user's session or the machine through the login manager
// (systemd-logind, org.freedesktop.login1 on the system bus).
//
// Powering off or rebooting needs the user's right to do it without being
// asked for a password (CanPowerOff / CanReboot answer "yes"); anything
// else is the missing shutdown privilege. Logging off ends the session
// this process runs in. logind ends the programs of the session without
// asking them, so EWX_FORCE changes nothing. The call returns once logind
// has taken the request: the program is then ended by the system.

#include <string>

#include "platform/winapi/Kernel.h"

constexpr UINT EWX_LOGOFF = 0x0000;
constexpr UINT EWX_SHUTDOWN = 0x0001;
constexpr UINT EWX_REBOOT = 0x0002;
constexpr UINT EWX_FORCE = 0x0004;
constexpr UINT EWX_POWEROFF = 0x0008;

constexpr DWORD ERROR_PRIVILEGE_NOT_HELD = 1314;

// FALSE with ERROR_PRIVILEGE_NOT_HELD when the right is missing or logind
// refuses the caller, ERROR_NOT_SUPPORTED when logind cannot be reached or
// the process runs in no session, ERROR_GEN_FAILURE for any other refusal.
BOOL ExitWindowsEx(UINT flags, DWORD reason);

// The D-Bus address of the bus on which logind is asked; empty (the
// default) for the system bus. Tests name a private bus of their own.
void Set_Login_Manager_Bus(const std::string& address);
