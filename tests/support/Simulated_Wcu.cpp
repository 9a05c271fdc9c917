#include "tests/support/Simulated_Wcu.h"

#include <stdexcept>
#include <string>

Simulated_Wcu::Simulated_Wcu(int com, Wcu_Line line)
    : com_number(com),
      simulated_time(line == Wcu_Line::In_Process ? std::make_unique<Simulated_Time>() : nullptr),
      simulator(line)
{
    if (simulator.In_Process()) {
        Attach_In_Process_Line(com_number, simulator.In_Process());
    } else if (!simulator.Line().Publish(com_number)) {
        throw std::runtime_error("cannot publish the simulator as COM" + std::to_string(com_number));
    }
}

Simulated_Wcu::~Simulated_Wcu()
{
    if (simulator.In_Process()) {
        Detach_In_Process_Line(com_number, simulator.In_Process().get());
    }
}
