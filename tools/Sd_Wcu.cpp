#include "tools/Sd_Wcu.h"

void Sd_Wcu::Load(Wcu_Simulator& simulator) const
{
    simulator.Set_Answer('?', {'*', HIBYTE(Type_Word), LOBYTE(Type_Word)});
    const std::size_t status_length = Type_Word > 0x100 ? Status.size() : 9;
    simulator.Set_Answer('%', std::vector<BYTE>(Status.begin(), Status.begin() + static_cast<std::ptrdiff_t>(status_length)));
    auto amu_answer = [](const std::array<BYTE, 31>& amu, bool no_data) {
        return no_data ? std::vector<BYTE> {'('} : std::vector<BYTE>(amu.begin(), amu.end());
    };
    simulator.Set_Answer('!', amu_answer(Amu1, Amu1_No_Data));
    simulator.Set_Answer('"', amu_answer(Amu2, Amu2_No_Data));
    simulator.Set_Answer('#', {Flags});
}

namespace {

std::array<BYTE, 31> Typical_Amu(BYTE identifier)
{
    return {0x27, 0x7B, 0x01, 0x01, 0x02, identifier, 0x13, 0x85, 0x01, 0x20, 0x43, 46, 0x02, 35, 100, 0xA1,
            0xA2, 0xA3, 80, 0xF0};
}

} // namespace

Sd_Wcu Typical_Sd_Wcu()
{
    Sd_Wcu wcu;
    wcu.Status = {0xE7, 0x1F, 0x03, 200, 0x19, 10, 20, 30, 150, 0x92, 0x34, 0x85, 0x67, 100, 50, 0x15, 0x16, 0x35,
                  0x02};
    wcu.Amu1 = Typical_Amu(1);
    wcu.Amu2 = Typical_Amu(2);
    wcu.Flags = 0x05;
    return wcu;
}
