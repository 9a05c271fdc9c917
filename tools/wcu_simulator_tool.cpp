// wcu_simulator: a simulated SD WCU on a pseudo-terminal, for trying the
// program without the hardware. It puts the pseudo-terminal behind
// ports/COMn of the user's settings folder, prints n, and answers the
// program's polls until it is told to quit or interrupted.

#include "tools/Wcu_Simulator.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

constexpr const char* Usage =
    "usage: wcu_simulator [--com N] [--type HEX] [--unpaced]\n"
    "commands on standard input:\n"
    "  fault REQUEST KIND   spoil the next answer to REQUEST (type, status, amu1, amu2, flags)\n"
    "                       KIND: silence short long late chunked garbage hangup\n"
    "  amu1|amu2 on|off|nodata\n"
    "  quit\n";

struct Options {
    int com_number = 0;
    WORD type_word = 0x101;
    bool paced = true;
};

bool Parse_Options(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        bool has_value = i + 1 < argc;
        if (argument == "--com" && has_value) {
            options.com_number = std::atoi(argv[++i]);
        } else if (argument == "--type" && has_value) {
            options.type_word = static_cast<WORD>(std::strtoul(argv[++i], nullptr, 16));
        } else if (argument == "--unpaced") {
            options.paced = false;
        } else {
            return false;
        }
    }
    return options.com_number >= 0 && options.com_number <= 255;
}

int First_Free_Port()
{
    for (int n = 1; n <= 16; ++n) {
        if (!Pseudo_Terminal::Is_Port_Taken(n)) {
            return n;
        }
    }
    return 0;
}

bool Request_Byte(const std::string& name, BYTE& request)
{
    static const std::map<std::string, BYTE> requests = {
        {"type", '?'}, {"status", '%'}, {"amu1", '!'}, {"amu2", '"'}, {"flags", '#'}};
    auto found = requests.find(name);
    if (found == requests.end()) {
        return false;
    }
    request = found->second;
    return true;
}

bool Fault_Kind(const std::string& name, Wcu_Fault& fault)
{
    static const std::map<std::string, Wcu_Fault> faults = {
        {"silence", Wcu_Fault::Silence}, {"short", Wcu_Fault::Short},     {"long", Wcu_Fault::Long},
        {"late", Wcu_Fault::Late},       {"chunked", Wcu_Fault::Chunked}, {"garbage", Wcu_Fault::Garbage},
        {"hangup", Wcu_Fault::Hang_Up}};
    auto found = faults.find(name);
    if (found == faults.end()) {
        return false;
    }
    fault = found->second;
    return true;
}

// Presence of one AMU: its poll and presence bits in the status answer.
void Set_Amu(Sd_Wcu& wcu, int amu, const std::string& mode)
{
    const BYTE status_bit = static_cast<BYTE>(amu == 1 ? 0x01 : 0x02);
    const BYTE data_bits = static_cast<BYTE>(amu == 1 ? 0x05 : 0x0A);
    const bool on = mode != "off";
    wcu.Status[0] = static_cast<BYTE>(on ? wcu.Status[0] | status_bit : wcu.Status[0] & ~status_bit);
    wcu.Status[1] = static_cast<BYTE>(on ? wcu.Status[1] | data_bits : wcu.Status[1] & ~data_bits);
    (amu == 1 ? wcu.Amu1_No_Data : wcu.Amu2_No_Data) = mode == "nodata";
}

// False when the simulator should stop.
bool Run_Command(const std::string& text, Sd_Wcu& wcu, Wcu_Simulator& simulator)
{
    std::istringstream words(text);
    std::string command, first, second;
    words >> command >> first >> second;
    BYTE request = 0;
    Wcu_Fault fault = Wcu_Fault::None;
    if (command == "quit") {
        return false;
    }
    if (command == "fault" && Request_Byte(first, request) && Fault_Kind(second, fault)) {
        simulator.Queue_Fault(request, fault);
    } else if ((command == "amu1" || command == "amu2") && (first == "on" || first == "off" || first == "nodata")) {
        Set_Amu(wcu, command == "amu1" ? 1 : 2, first);
        wcu.Load(simulator);
    } else if (!command.empty()) {
        std::cerr << Usage;
    }
    return true;
}

// Serves until "quit", end of input is followed by a signal, or a signal.
void Serve_Commands(Sd_Wcu& wcu, Wcu_Simulator& simulator, int signals)
{
    bool reading = true;
    std::string pending;
    for (;;) {
        pollfd watched[2] = {{reading ? STDIN_FILENO : -1, POLLIN, 0}, {signals, POLLIN, 0}};
        if (poll(watched, 2, -1) < 0 || watched[1].revents != 0) {
            return;
        }
        char chunk[256];
        ssize_t count = read(STDIN_FILENO, chunk, sizeof chunk);
        if (count <= 0) {
            reading = false;
            continue;
        }
        pending.append(chunk, static_cast<std::size_t>(count));
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1)) {
            if (!Run_Command(pending.substr(0, end), wcu, simulator)) {
                return;
            }
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!Parse_Options(argc, argv, options)) {
        std::cerr << Usage;
        return 2;
    }
    // Signals arrive through a descriptor, so that the port link is removed.
    sigset_t stopping;
    sigemptyset(&stopping);
    sigaddset(&stopping, SIGINT);
    sigaddset(&stopping, SIGTERM);
    sigprocmask(SIG_BLOCK, &stopping, nullptr);
    int signals = signalfd(-1, &stopping, SFD_CLOEXEC);

    int com_number = options.com_number != 0 ? options.com_number : First_Free_Port();
    Wcu_Simulator simulator;
    if (signals < 0 || com_number == 0 || !simulator.Line().Publish(com_number)) {
        std::cerr << "wcu_simulator: cannot serve COM" << com_number << " (is ports/COM" << com_number
                  << " already taken?)\n";
        return 1;
    }
    Sd_Wcu wcu = Typical_Sd_Wcu();
    wcu.Type_Word = options.type_word;
    wcu.Load(simulator);
    simulator.Set_Paced(options.paced);
    std::cout << "COM" << com_number << std::endl;
    Serve_Commands(wcu, simulator, signals);
    close(signals);
    return 0;
}
