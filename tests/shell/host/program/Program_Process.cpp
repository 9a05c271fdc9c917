#include "tests/shell/host/program/Program_Process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <thread>
#include <vector>

Program_Process::Program_Process(const std::string& executable, const std::vector<std::string>& arguments,
                                 const std::string& error_output)
{
    std::vector<char*> argv{const_cast<char*>(executable.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid = fork();
    if (pid < 0)
        throw std::system_error(errno, std::generic_category(), "fork");
    if (pid == 0) {
        setpgid(0, 0);
        signal(SIGHUP, SIG_DFL);
        if (!error_output.empty()) {
            const int file = open(error_output.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
            if (file < 0 || dup2(file, STDERR_FILENO) < 0)
                _exit(127);
        }
        execv(executable.c_str(), argv.data());
        _exit(127);
    }
    setpgid(pid, pid); // also here, so that the group exists before the first signal
}

Program_Process::~Program_Process()
{
    kill(-pid, SIGKILL);
    if (Running())
        waitpid(pid, nullptr, 0);
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
