#include "tests/support/Simulated_Wcu.h"

#include <stdexcept>
#include <string>

Simulated_Wcu::Simulated_Wcu(int com)
    : com_number(com)
{
    if (!simulator.Line().Publish(com_number)) {
        throw std::runtime_error("cannot publish the simulator as COM" + std::to_string(com_number));
    }
}
