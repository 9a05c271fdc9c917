#pragma once
// A simulated WCU behind ports/COMn of a private settings folder: the test's
// program side opens "\\.\COMn" and talks to the simulator's pseudo-terminal.

#include "tests/support/Temp_Settings.h"
#include "tools/Sd_Wcu.h"
#include "tools/Wcu_Simulator.h"

class Simulated_Wcu {
public:
    // Throws when the pseudo-terminal cannot be made or published.
    explicit Simulated_Wcu(int com_number = 3);

    int Com_Number() const { return com_number; }
    Wcu_Simulator& Simulator() { return simulator; }
    Temp_Settings& Settings() { return settings; }

private:
    int com_number;
    Temp_Settings settings;
    Wcu_Simulator simulator;
};
