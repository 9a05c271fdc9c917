#include "tests/support/Simulated_Time.h"

#include "platform/winapi/Kernel.h"

#include <mutex>

namespace {

std::mutex Users_Mutex;
int Users = 0;

} // namespace

Simulated_Time::Simulated_Time()
{
    std::lock_guard lock(Users_Mutex);
    if (Users++ == 0) {
        Use_Simulated_Time(true);
    }
}

// The last one restores the real clock and an on-time scheduler.
Simulated_Time::~Simulated_Time()
{
    std::lock_guard lock(Users_Mutex);
    if (--Users == 0) {
        Set_Simulated_Lateness(0);
        Use_Simulated_Time(false);
    }
}
