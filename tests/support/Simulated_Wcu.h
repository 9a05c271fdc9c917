#pragma once
// A simulated WCU behind "\\.\COMn" with a private settings folder. On an
// in-process line (the protocol's tests) the port opens that line and
// simulated time runs while the fixture lives; on a pseudo-terminal (the
// serial layer's and end-to-end tests) the program opens the device that
// ports/COMn points to, in real time.

#include "tests/support/Simulated_Time.h"
#include "tests/support/Temp_Settings.h"
#include "tools/Sd_Wcu.h"
#include "tools/Wcu_Simulator.h"

#include <memory>

class Simulated_Wcu {
public:
    // Throws when the pseudo-terminal cannot be made or published.
    explicit Simulated_Wcu(int com_number = 3, Wcu_Line line = Wcu_Line::Pseudo_Terminal);
    ~Simulated_Wcu();
    Simulated_Wcu(const Simulated_Wcu&) = delete;
    Simulated_Wcu& operator=(const Simulated_Wcu&) = delete;

    int Com_Number() const { return com_number; }
    Wcu_Simulator& Simulator() { return simulator; }
    Temp_Settings& Settings() { return settings; }

private:
    int com_number;
    Temp_Settings settings;
    std::unique_ptr<Simulated_Time> simulated_time;
    Wcu_Simulator simulator;
};
