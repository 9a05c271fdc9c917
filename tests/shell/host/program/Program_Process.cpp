#include "tests/shell/host/program/Program_Process.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <thread>

Program_Process::Program_Process(const std::string& executable)
{
    pid = fork();
    if (pid < 0)
        throw std::system_error(errno, std::generic_category(), "fork");
    if (pid == 0) {
        execl(executable.c_str(), executable.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
}

Program_Process::~Program_Process()
{
    if (Running()) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

bool Program_Process::Running()
{
    if (exit_code)
        return false;
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) != pid)
        return true;
    exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return false;
}

void Program_Process::Signal(int signal_number) const
{
    kill(pid, signal_number);
}

std::optional<int> Program_Process::Wait_Exit(std::chrono::milliseconds limit)
{
    Wait_Until([this] { return !Running(); }, limit);
    return exit_code;
}

void Pause_Briefly()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
}
