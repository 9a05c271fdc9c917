#pragma once
// An X server of the test's own (Xvfb on a free display number) that
// DISPLAY names for the object's lifetime, so that desktop settings are
// read and changed there and never on the user's display. Without Xvfb the
// display stays unavailable (Available() false) and DISPLAY unset.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

class Private_Display {
public:
    // screen: Xvfb's "WIDTHxHEIGHTxDEPTH".
    explicit Private_Display(const char* screen = "320x240x24")
    {
        if (const char* old = std::getenv("DISPLAY"))
            previous = old;
        unsetenv("DISPLAY");
        int number_pipe[2];
        if (pipe(number_pipe) != 0)
            return;
        server = fork();
        if (server == 0) {
            dup2(number_pipe[1], 3);
            execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", screen, "-nolisten", "tcp", "-noreset",
                   nullptr);
            _exit(127);
        }
        close(number_pipe[1]);
        std::string number;
        char c = 0;
        while (server > 0 && read(number_pipe[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(number_pipe[0]);
        if (!number.empty())
            setenv("DISPLAY", (":" + number).c_str(), 1);
    }
    ~Private_Display()
    {
        if (server > 0) {
            kill(server, SIGTERM);
            waitpid(server, nullptr, 0);
        }
        if (previous)
            setenv("DISPLAY", previous->c_str(), 1);
        else
            unsetenv("DISPLAY");
    }
    Private_Display(const Private_Display&) = delete;
    Private_Display& operator=(const Private_Display&) = delete;

    bool Available() const { return std::getenv("DISPLAY") != nullptr; }

private:
    pid_t server = -1;
    std::optional<std::string> previous;
};

// No display at all for the object's lifetime.
class No_Display {
public:
    No_Display()
    {
        if (const char* old = std::getenv("DISPLAY"))
            previous = old;
        unsetenv("DISPLAY");
    }
    ~No_Display()
    {
        if (previous)
            setenv("DISPLAY", previous->c_str(), 1);
    }
    No_Display(const No_Display&) = delete;
    No_Display& operator=(const No_Display&) = delete;

private:
    std::optional<std::string> previous;
};
