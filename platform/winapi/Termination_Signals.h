#pragma once
// SIGTERM, SIGINT and SIGHUP (a service manager, Ctrl+C, the terminal the
// program was started from closed or the user's remote session ended) close
// the program as its user would: Close runs on the user-interface thread's
// event loop, so that the cameras stop in order and a recording ends whole.
// A SIGHUP ignored when the program started (nohup) stays ignored. Needs the
// Qt application.

#include <functional>

void Close_On_Termination_Signals(std::function<void()> Close);

// Sleeps, but a termination signal taken by the above ends the sleep early
// (and is still handled by the event loop): a pause at start must not hold
// up a close. Before the signals are taken, and under simulated time, a
// plain sleep.
void Sleep_Unless_Terminating(int Milliseconds);
