#pragma once
// The program's executable run as a child process with this process's
// environment (its settings, runtime folder and display), as a user starts it
// from a terminal: a hang-up this process ignores is not ignored there.
// The child leads a process group of its own, so that whatever it starts
// (a script's simulators and program) ends with it.

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

class Program_Process {
public:
    // Starts the executable with those arguments, its standard error
    // written to that file when one is named; throws std::system_error
    // when it cannot.
    explicit Program_Process(const std::string& executable, const std::vector<std::string>& arguments = {},
                             const std::string& error_output = {});
    // Kills what still runs of the process and its group.
    ~Program_Process();
    Program_Process(const Program_Process&) = delete;
    Program_Process& operator=(const Program_Process&) = delete;

    pid_t Pid() const { return pid; }
    bool Running();
    void Signal(int signal_number) const;
    // The exit code once it has ended within the limit (a signal's death is
    // 128 + the signal); nothing when it still runs.
    std::optional<int> Wait_Exit(std::chrono::milliseconds limit);

private:
    pid_t pid = -1;
    std::optional<int> exit_code;
};

void Pause_Briefly();

// Polls the condition every few milliseconds until it holds or the limit passes.
template <typename Condition>
bool Wait_Until(Condition condition, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        Pause_Briefly();
    }
    return true;
}
