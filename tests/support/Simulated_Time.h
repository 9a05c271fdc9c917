#pragma once
// Simulated time (platform/winapi/Kernel.h) for as long as any of these
// lives: the serial protocol's sleeps and waits run on each thread's own
// clock, and an in-process line's bytes arrive at simulated moments.

class Simulated_Time {
public:
    Simulated_Time();
    ~Simulated_Time();
    Simulated_Time(const Simulated_Time&) = delete;
    Simulated_Time& operator=(const Simulated_Time&) = delete;
};
