// Every test program links this watchdog: a test that runs past its limit
// (a dialog nobody closes, an event loop that never ends, a deadlock) ends
// its program with the test's name, instead of holding a CI run until CTest
// gives up on the whole program. Each test gets the full limit, armed when
// it starts. The limit is ORDEXIA_TEST_WATCHDOG_SECONDS, else five minutes.
// An alarm signal rather than a thread: death tests fork, and a child
// inherits no alarm.

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

constexpr unsigned Default_Limit_Seconds = 300;
char Hung_Message[512];
size_t Hung_Message_Length = 0;

unsigned Limit_Seconds()
{
    const char* text = std::getenv("ORDEXIA_TEST_WATCHDOG_SECONDS");
    if (!text)
        return Default_Limit_Seconds;
    char* end = nullptr;
    const unsigned long seconds = std::strtoul(text, &end, 10);
    return (end != text && *end == '\0' && seconds > 0 && seconds < 86400) ? static_cast<unsigned>(seconds)
                                                                            : Default_Limit_Seconds;
}

void On_Hung_Test(int)
{
    // Only calls that are safe inside a signal handler; abort leaves a core
    // and the sanitizers' report of where every thread was.
    const ssize_t written = write(STDERR_FILENO, Hung_Message, Hung_Message_Length);
    (void)written;
    std::abort();
}

class Test_Watchdog : public testing::EmptyTestEventListener {
public:
    void OnTestProgramStart(const testing::UnitTest&) override
    {
        limit_ = Limit_Seconds();
        std::signal(SIGALRM, On_Hung_Test);
    }
    void OnTestStart(const testing::TestInfo& test) override
    {
        const int length = std::snprintf(Hung_Message, sizeof Hung_Message,
                                         "\n[  HUNG    ] %s.%s ran for more than %u s: ended by the test watchdog\n",
                                         test.test_suite_name(), test.name(), limit_);
        Hung_Message_Length = length < 0 ? 0 : std::min<size_t>(static_cast<size_t>(length), sizeof Hung_Message - 1);
        alarm(limit_);
    }
    void OnTestEnd(const testing::TestInfo&) override { alarm(0); }

private:
    unsigned limit_ = Default_Limit_Seconds;
};

// Registered before main runs, so that programs with GoogleTest's own main
// are watched as well as those with ours.
const bool Registered = [] {
    testing::UnitTest::GetInstance()->listeners().Append(new Test_Watchdog);
    return true;
}();

} // namespace
