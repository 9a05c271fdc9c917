// wcu_simulator: a simulated SD or HD WCU on a pseudo-terminal, for trying
// the program without the hardware. A type word from 0x200 on makes it HD.
// It puts the pseudo-terminal behind ports/COMn of the user's settings
// folder, prints COMn, and answers the program's polls until it is told to
// quit or interrupted. The camera system starts healthy and lives: its data
// toggles with traffic, the HD spectra's peak moves a point a second, and
// the HD link reports "video link good" once. An alarm scenario can be
// played, once or in a loop, each step printed as it happens.

#include "tools/Hd_Wcu.h"
#include "tools/Sd_Wcu.h"
#include "tools/Wcu_Simulator.h"

#include <chrono>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <map>
#include <poll.h>
#include <sstream>
#include <utility>
#include <string>
#include <sys/signalfd.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* Usage =
    "usage: wcu_simulator [--com N] [--type HEX] [--unpaced] [--scenario once|loop]\n"
    "commands on standard input:\n"
    "  fault REQUEST KIND   spoil the next answer to REQUEST (type, status, amu1, amu2, flags, poll)\n"
    "                       KIND: silence short long late chunked garbage hangup oversized,\n"
    "                       and for the HD poll: wrongtag earlyheader zerolength shortblock\n"
    "  scenario once|loop|stop              play the alarm scenario (stop: back to health)\n"
    "  amu1|amu2 on|off                     switch an AMU on or off\n"
    "  amu1|amu2 nodata                     (SD) the AMU answers without data\n"
    "  block BLOCK on|off                   (HD) BLOCK: link status amu1 levels1 spectrum1\n"
    "                                       amu2 levels2 spectrum2 wcastatus wca header\n"
    "  levels1|levels2 short|long           (HD)\n"
    "  quit\n";

enum class Play { None, Once, Loop };

bool Play_Mode(const std::string& name, Play& play)
{
    static const std::map<std::string, Play> modes = {{"once", Play::Once}, {"loop", Play::Loop}, {"stop", Play::None}};
    auto found = modes.find(name);
    if (found == modes.end()) {
        return false;
    }
    play = found->second;
    return true;
}

struct Options {
    int com_number = 0;
    WORD type_word = 0x101;
    bool paced = true;
    Play scenario = Play::None;
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
        } else if (argument == "--scenario" && has_value && Play_Mode(argv[i + 1], options.scenario)) {
            ++i;
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

// The camera system served, SD or HD by its type word, as it lives.
struct Camera_System {
    WORD type_word = 0x101;
    Sd_Wcu sd = Typical_Sd_Wcu();
    Hd_Wcu hd = Typical_Hd_Wcu();
    int spectrum_step = 0;

    bool Is_Hd() const { return type_word >= 0x200; }

    // Back to the typical healthy system.
    void Restore()
    {
        sd = Typical_Sd_Wcu();
        hd = Typical_Hd_Wcu();
        sd.Type_Word = hd.Type_Word = type_word;
        hd.Set_Spectrum_Step(spectrum_step);
    }

    void Load(Wcu_Simulator& simulator) const
    {
        if (Is_Hd()) {
            hd.Load(simulator);
        } else {
            sd.Load(simulator);
        }
    }

    void Toggle_Data_Activity()
    {
        sd.Toggle_Data_Activity();
        hd.Toggle_Data_Activity();
    }

    void Set_Amu_Power(int amu, bool on)
    {
        sd.Set_Amu_Power(amu, on);
        hd.Set_Amu_Power(amu, on);
    }

    void Set_Amu_Temperature(int amu, int celsius)
    {
        sd.Set_Amu_Temperature(amu, celsius);
        hd.Set_Amu_Temperature(amu, celsius);
    }

    // The video link, with the events an HD WCU reports for it.
    void Set_Video_Link(bool up)
    {
        sd.Set_Video_Link(up);
        hd.Set_Video_Link(up);
        hd.Report_Link_Event(up ? 4 : 13);
    }
};

// One step of the alarm scenario: what happens, so many seconds after the
// step before.
struct Scenario_Step {
    int after_seconds;
    const char* text;
    std::function<void(Camera_System&)> change;
};

std::vector<Scenario_Step> Alarm_Scenario(bool hd)
{
    std::vector<Scenario_Step> steps = {
        {5, "AMU2 switched off", [](Camera_System& system) { system.Set_Amu_Power(2, false); }},
        {10, "AMU2 switched on", [](Camera_System& system) { system.Set_Amu_Power(2, true); }},
        {10, "video link broken", [](Camera_System& system) { system.Set_Video_Link(false); }},
    };
    if (hd) {
        steps.push_back({5, "waiting for the video link", [](Camera_System& system) { system.hd.Report_Link_Event(3); }});
    }
    steps.push_back({5, "video link back", [](Camera_System& system) { system.Set_Video_Link(true); }});
    if (hd) {
        const std::pair<double, const char*> battery[] = {
            {14.0, "battery running low: 14.0 V"},
            {13.7, "battery running low: 13.7 V"},
            {13.4, "battery low: 13.4 V, at or below the 13.5 V alarm threshold"}};
        for (const auto& level : battery) {
            const double volts = level.first;
            steps.push_back({10, level.second, [volts](Camera_System& system) { system.hd.Set_Battery_Volts(volts); }});
        }
        steps.push_back({10, "battery replaced: 15.6 V", [](Camera_System& system) { system.hd.Set_Battery_Volts(15.6); }});
    }
    steps.push_back({10, "AMU1 temperature 80 degrees, above the 75 degrees alarm limit",
                     [](Camera_System& system) { system.Set_Amu_Temperature(1, 80); }});
    steps.push_back({10, "AMU1 temperature back to 35 degrees",
                     [](Camera_System& system) { system.Set_Amu_Temperature(1, 35); }});
    return steps;
}

// Plays the alarm scenario on the system, a second at a time.
class Scenario_Player {
public:
    void Start(Play mode, Camera_System& system)
    {
        if (mode == Play::None) {
            if (play != Play::None) {
                system.Restore();
                Say("stopped, the camera system is healthy again");
            }
        } else {
            steps = Alarm_Scenario(system.Is_Hd());
            next = 0;
            wait = steps.front().after_seconds;
            Say(mode == Play::Loop ? "started, in a loop" : "started");
        }
        play = mode;
    }

    // One second passed; true when the system changed.
    bool Second(Camera_System& system)
    {
        if (play == Play::None || --wait > 0) {
            return false;
        }
        const Scenario_Step& step = steps[next];
        step.change(system);
        Say(step.text);
        if (++next == steps.size()) {
            next = 0;
            if (play == Play::Once) {
                play = Play::None;
                Say("done");
                return true;
            }
            // A pause of health before it starts again.
            wait = 10;
        }
        wait += steps[next].after_seconds;
        return true;
    }

private:
    static void Say(const std::string& text) { std::cout << "scenario: " << text << std::endl; }

    Play play = Play::None;
    std::vector<Scenario_Step> steps;
    std::size_t next = 0;
    int wait = 0;
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
bool Change_System(const std::string& command, const std::string& first, const std::string& second,
                   Camera_System& system)
{
    Hd_Wcu::Part part {};
    const bool amu = command == "amu1" || command == "amu2";
    const bool levels = command == "levels1" || command == "levels2";
    const int amu_number = command == "amu1" ? 1 : 2;
    if (amu && (first == "on" || first == "off")) {
        system.Set_Amu_Power(amu_number, first == "on");
        (amu_number == 1 ? system.sd.Amu1_No_Data : system.sd.Amu2_No_Data) = false;
    } else if (!system.Is_Hd() && amu && first == "nodata") {
        (amu_number == 1 ? system.sd.Amu1_No_Data : system.sd.Amu2_No_Data) = true;
    } else if (system.Is_Hd() && command == "block" && Hd_Part(first, part) && (second == "on" || second == "off")) {
        system.hd.Blocks[part].Present = second == "on";
    } else if (system.Is_Hd() && levels && (first == "short" || first == "long")) {
        Set_Levels_Length(system.hd.Blocks[command == "levels1" ? Hd_Wcu::Amu1_Levels : Hd_Wcu::Amu2_Levels], first);
    } else {
        return false;
    }
    return true;
}

struct Simulation {
    Camera_System system;
    Scenario_Player scenario;
    Wcu_Simulator simulator;
};

// False when the simulator should stop.
bool Run_Command(const std::string& text, Simulation& simulation)
{
    std::istringstream words(text);
    std::string command, first, second;
    words >> command >> first >> second;
    BYTE request = 0;
    Wcu_Fault fault = Wcu_Fault::None;
    Play play = Play::None;
    if (command == "quit") {
        return false;
    }
    if (command == "fault" && Request_Byte(first, request) && Fault_Kind(second, fault)) {
        simulation.simulator.Queue_Fault(request, fault);
    } else if (command == "scenario" && Play_Mode(first, play)) {
        simulation.scenario.Start(play, simulation.system);
        simulation.system.Load(simulation.simulator);
    } else if (Change_System(command, first, second, simulation.system)) {
        simulation.system.Load(simulation.simulator);
    } else if (!command.empty()) {
        std::cerr << Usage;
    }
    return true;
}

// A quarter of a second of the system's life: data traffic, and every
// fourth tick a second (the spectra's peak, the scenario).
constexpr auto Tick = std::chrono::milliseconds(250);
constexpr int Ticks_Per_Second = 4;

void Live(Simulation& simulation, int tick)
{
    Camera_System& system = simulation.system;
    system.Toggle_Data_Activity();
    if (tick % Ticks_Per_Second == 0) {
        system.hd.Set_Spectrum_Step(++system.spectrum_step);
        simulation.scenario.Second(system);
    }
    system.Load(simulation.simulator);
    // Nobody reads the requests here: keep them from piling up.
    simulation.simulator.Clear_Requests();
}

// Serves until "quit", end of input is followed by a signal, or a signal.
void Serve_Commands(Simulation& simulation, int signals)
{
    using Clock = std::chrono::steady_clock;
    bool reading = true;
    std::string pending;
    auto next_tick = Clock::now() + Tick;
    for (int tick = 1;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(next_tick - Clock::now());
        pollfd watched[2] = {{reading ? STDIN_FILENO : -1, POLLIN, 0}, {signals, POLLIN, 0}};
        const int ready = poll(watched, 2, static_cast<int>(std::max<long long>(left.count(), 0)));
        if (ready < 0 && errno != EINTR) {
            return;
        }
        if (watched[1].revents != 0) {
            return;
        }
        if (Clock::now() >= next_tick) {
            Live(simulation, tick++);
            next_tick += Tick;
        }
        if ((watched[0].revents & (POLLIN | POLLHUP)) == 0) {
            continue;
        }
        char chunk[256];
        ssize_t count = read(STDIN_FILENO, chunk, sizeof chunk);
        if (count <= 0) {
            reading = false;
            continue;
        }
        pending.append(chunk, static_cast<std::size_t>(count));
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1)) {
            if (!Run_Command(pending.substr(0, end), simulation)) {
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
    Simulation simulation;
    if (signals < 0 || com_number == 0 || !simulation.simulator.Line().Publish(com_number)) {
        std::cerr << "wcu_simulator: cannot serve COM" << com_number << " (is ports/COM" << com_number
                  << " already taken?)\n";
        return 1;
    }
    simulation.system.type_word = options.type_word;
    simulation.system.Restore();
    // The video link came up as the simulated WCU did.
    simulation.system.hd.Report_Link_Event(4);
    simulation.system.Load(simulation.simulator);
    simulation.simulator.Set_Paced(options.paced);
    std::cout << "COM" << com_number << std::endl;
    simulation.scenario.Start(options.scenario, simulation.system);
    Serve_Commands(simulation, signals);
    close(signals);
    return 0;
}
