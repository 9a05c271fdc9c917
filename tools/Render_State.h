#pragma once
// The state records the render tool draws the screens with: a working SD or
// HD camera, changed by NAME=VALUE assignments.
//
// Working SD camera: port 1, connected, WCU 1.0, two AMUs 1.2 on one channel,
// both data emitters transmitting. Working HD camera: the same settings, WCU
// 2.2 with every HD block answering, receivers 1 and 2 locked on both AMUs,
// spectra with the channel above the floor, battery threshold level 2.
//
// Names: Connected Port_Number Name Wcu_Major Wcu_Minor Video_Range_Frequency
// Data_Range_Frequency Alarm_Battery_Level, WCU.<field>, AMU1.<field>,
// AMU2.<field>, DE1.<field>, DE2.<field> with the field names of
// link/St_system_sd.h; "Disconnected=1" is a camera whose WCU does not answer.

#include <string>

class St_System;

void Set_Working_System(St_System& state);
// Also the SD block of a working camera, as an HD camera's record carries it.
void Set_Working_Hd_System(St_System& state);

// One NAME=VALUE assignment; throws std::runtime_error for a bad one.
void Apply(St_System& state, const std::string& assignment);
// NAME=VALUE lines (blank lines and lines starting with '#' ignored).
void Apply_File(St_System& state, const std::string& path);
