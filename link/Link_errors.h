#pragma once
// The four reports a camera's link gives the user: a port that cannot be
// opened, no port chosen, a WCU that keeps failing its polls, and firmware
// the program does not support. Each is one modal error box, dropped (not
// kept for later) while the shell is busy with a display change, an SD/HD
// swap of the camera or the end of the logon.
//
// The state handed in is read only; a polling thread passes a copy taken
// under its state lock, so that no lock is held while the box is open.

#include "link/Shell_Services.h"
#include "link/St_system.h"

#include <string>

// "Camera " + the camera number + a line break when several cameras are
// configured; nothing with exactly one.
std::string Report_Prefix(int camera_count, int camera_name);
// The port error's body; other_camera is the camera number already using
// the port, 0 for none.
std::string Port_Error_Text(int port_number, int other_camera);
// The firmware error's body: the unsupported WCU type and, on SD, the
// unsupported AMU firmware, with the program's version.
std::string Firmware_Error_Text(const St_System& state, const std::string& program_version);

// Each shows its box on the calling thread and waits until it is closed,
// then lets the shell post what it deferred meanwhile.
void Report_Port_Error(Shell_Services& shell, const St_System& state, int camera_count, int port_number);
void Report_No_Port_Error(Shell_Services& shell, const St_System& state, int camera_count);
void Report_Link_Error(Shell_Services& shell, const St_System& state, int camera_count);
void Report_Firmware_Error(Shell_Services& shell, const St_System& state, int camera_count);
