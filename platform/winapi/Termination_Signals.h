#pragma once
// SIGTERM and SIGINT (a session's end, a service manager, Ctrl+C) close the
// program as its user would: Close runs on the user-interface thread's event
// loop, so that the cameras stop in order. Needs the Qt application.

#include <functional>

void Close_On_Termination_Signals(std::function<void()> Close);
