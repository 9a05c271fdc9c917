#pragma once
// The bodies of the fuzz targets for the WCU's answers: the SD answers, each
// handed to its decoder with exactly the length the link checks before it
// decodes, and the HD poll frame. Each answer is copied to a block of its
// own size, so that a read past it is caught. The derivations that follow a
// good poll run after each decode.

#include "fuzz/Fuzz_Settings_Folder.h"
#include "link/Pc_wcu_link.h"
#include "link/St_system_hd.h"
#include "link/St_system_sd.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Data as a run of SD answers: a byte choosing the request, then its answer.
inline int Fuzz_SD_Link(const std::uint8_t* Data, std::size_t Size)
{
    fuzz::Private_Config_Home();
    static St_System_SD sd(0);
    sd.Reset();
    constexpr std::size_t lengths[] = {9, 19, 31, 31, 1};
    for (std::size_t at = 0; at < Size;) {
        const std::size_t kind = Data[at++] % 5;
        if (Size - at < lengths[kind])
            break;
        const std::vector<BYTE> answer(Data + at, Data + at + lengths[kind]);
        at += lengths[kind];
        switch (kind) {
        case 0:
        case 1:
            PC_WCU_Link::Decode_SD_Status(answer.data(), kind == 1, sd);
            break;
        case 2:
            PC_WCU_Link::Decode_SD_AMU(answer.data(), sd.AMU1, sd.DE1);
            break;
        case 3:
            PC_WCU_Link::Decode_SD_AMU(answer.data(), sd.AMU2, sd.DE2);
            break;
        default:
            PC_WCU_Link::Decode_SD_Flags(answer[0], sd.Flags);
        }
        sd.Check_Amu_Versions();
        sd.Check_Amu_Settings();
    }
    return 0;
}

// Data as the request byte, then the HD frame that answers it.
inline int Fuzz_HD_Link(const std::uint8_t* Data, std::size_t Size)
{
    if (Size == 0 || Size - 1 > static_cast<std::size_t>(PC_WCU_Link::Answer_Size))
        return 0;
    fuzz::Private_Config_Home();
    static St_System_HD hd(0);
    hd.Reset();
    const std::vector<BYTE> frame(Data + 1, Data + Size);
    if (PC_WCU_Link::Decode_HD(frame.data(), static_cast<int>(frame.size()), Data[0], hd)) {
        hd.Check_Amu_Versions();
        hd.Check_Amu_Settings();
        hd.Update_Video_Frequency();
        hd.Update_Data_Frequency();
    }
    return 0;
}
