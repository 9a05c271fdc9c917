// wcu_simulator: a simulated SD or HD WCU on a pseudo-terminal, for trying
// the program without the hardware. A type word from 0x200 on makes it HD. It puts the pseudo-terminal behind
// ports/COMn of the user's settings folder, prints n, and answers the
// program's polls until it is told to quit or interrupted.

#include "tools/Hd_Wcu.h"
#include "tools/Sd_Wcu.h"
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
    "  fault REQUEST KIND   spoil the next answer to REQUEST (type, status, amu1, amu2, flags, poll)\n"
    "                       KIND: silence short long late chunked garbage hangup oversized,\n"
    "                       and for the HD poll: wrongtag earlyheader zerolength shortblock\n"
    "  amu1|amu2 on|off|nodata              (SD)\n"
    "  block BLOCK on|off                   (HD) BLOCK: link status amu1 levels1 spectrum1\n"
    "                                       amu2 levels2 spectrum2 wcastatus wca header\n"
    "  levels1|levels2 short|long           (HD)\n"
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
        {"type", '?'}, {"status", '%'}, {"amu1", '!'}, {"amu2", '"'}, {"flags", '#'},
        {"poll", Wcu_Simulator::Hd_Poll_Request}};
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
        {"hangup", Wcu_Fault::Hang_Up},  {"oversized", Wcu_Fault::Oversized},
        {"wrongtag", Wcu_Fault::Wrong_Spectrum_Tag}, {"earlyheader", Wcu_Fault::Wcu_Absent_Early},
        {"zerolength", Wcu_Fault::Zero_Length},      {"shortblock", Wcu_Fault::Short_Block}};
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

bool Hd_Part(const std::string& name, Hd_Wcu::Part& part)
{
    static const std::map<std::string, Hd_Wcu::Part> parts = {
        {"link", Hd_Wcu::Wcu_Link},           {"status", Hd_Wcu::Wcu_Status},
        {"amu1", Hd_Wcu::Amu1},               {"levels1", Hd_Wcu::Amu1_Levels},
        {"spectrum1", Hd_Wcu::Amu1_Spectrum}, {"amu2", Hd_Wcu::Amu2},
        {"levels2", Hd_Wcu::Amu2_Levels},     {"spectrum2", Hd_Wcu::Amu2_Spectrum},
        {"wcastatus", Hd_Wcu::Wca_Status},    {"wca", Hd_Wcu::Wca},
        {"header", Hd_Wcu::Wcu}};
    auto found = parts.find(name);
    if (found == parts.end()) {
        return false;
    }
    part = found->second;
    return true;
}

// The camera system served: SD or HD by its type word.
struct Scenario {
    Sd_Wcu sd = Typical_Sd_Wcu();
    Hd_Wcu hd = Typical_Hd_Wcu();
    bool is_hd = false;

    void Load(Wcu_Simulator& simulator) const
    {
        if (is_hd) {
            hd.Load(simulator);
        } else {
            sd.Load(simulator);
        }
    }
};

// A short level block keeps the first 21 bytes of the long one.
void Set_Levels_Length(Hd_Block& levels, const std::string& length)
{
    levels.Data = Typical_Hd_Wcu().Blocks[Hd_Wcu::Amu1_Levels].Data;
    if (length == "short") {
        levels.Data.resize(21);
    }
}

// True when the command changed the camera system.
bool Change_Scenario(const std::string& command, const std::string& first, const std::string& second,
                     Scenario& scenario)
{
    Hd_Wcu::Part part {};
    const bool amu = command == "amu1" || command == "amu2";
    const bool levels = command == "levels1" || command == "levels2";
    if (!scenario.is_hd && amu && (first == "on" || first == "off" || first == "nodata")) {
        Set_Amu(scenario.sd, command == "amu1" ? 1 : 2, first);
    } else if (scenario.is_hd && command == "block" && Hd_Part(first, part) && (second == "on" || second == "off")) {
        scenario.hd.Blocks[part].Present = second == "on";
    } else if (scenario.is_hd && levels && (first == "short" || first == "long")) {
        Set_Levels_Length(scenario.hd.Blocks[command == "levels1" ? Hd_Wcu::Amu1_Levels : Hd_Wcu::Amu2_Levels], first);
    } else {
        return false;
    }
    return true;
}

// False when the simulator should stop.
bool Run_Command(const std::string& text, Scenario& scenario, Wcu_Simulator& simulator)
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
    } else if (Change_Scenario(command, first, second, scenario)) {
        scenario.Load(simulator);
    } else if (!command.empty()) {
        std::cerr << Usage;
    }
    return true;
}

// Serves until "quit", end of input is followed by a signal, or a signal.
void Serve_Commands(Scenario& scenario, Wcu_Simulator& simulator, int signals)
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
            if (!Run_Command(pending.substr(0, end), scenario, simulator)) {
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
    Scenario scenario;
    scenario.sd.Type_Word = scenario.hd.Type_Word = options.type_word;
    scenario.is_hd = options.type_word >= 0x200;
    scenario.Load(simulator);
    simulator.Set_Paced(options.paced);
    std::cout << "COM" << com_number << std::endl;
    Serve_Commands(scenario, simulator, signals);
    close(signals);
    return 0;
}
