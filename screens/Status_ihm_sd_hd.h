#pragma once
// The block summary of one camera: written by its SD or HD page on every
// refresh, read by the selection strip, the multi-camera page and the camera
// views. "Active" means the block's frame or cable is painted in the active
// colour; every alarm starts set and every active flag clear, so a camera
// not yet refreshed reads as down and in alarm.

#include <cstdint>

class TStringList;

struct Status_IHM_SD_HD {
    uint32_t Camera_Index = 0;
    const int* Camera_Number = nullptr;
    uint8_t Status_Active = 0;
    uint8_t Status_Alarm = 1;
    uint8_t PC_Alarm = 1;
    uint8_t RS232_Visible = 0;
    uint8_t WCU_Alarm = 1;
    uint8_t WCU_Active = 0;
    uint8_t AMU1_Alarm = 1;
    uint8_t AMU1_Active = 0;
    uint8_t AMU1_Frame_Active = 0;
    uint8_t Triax1_Visible = 0;
    uint8_t Triax1_Active = 0;
    uint8_t AMU2_Alarm = 1;
    uint8_t AMU2_Active = 0;
    uint8_t AMU2_Frame_Active = 0;
    uint8_t Triax2_Visible = 0;
    uint8_t Triax2_Active = 0;
    uint8_t DE1_Alarm = 1;
    uint8_t DE1_Active = 0;
    uint8_t DE1_Frame_Active = 0;
    uint8_t Wire_DE1_Visible = 0;
    uint8_t Wire_DE1_Active = 0;
    uint8_t DE2_Alarm = 1;
    uint8_t DE2_Active = 0;
    uint8_t DE2_Frame_Active = 0;
    uint8_t Wire_DE2_Visible = 0;
    uint8_t Wire_DE2_Active = 0;
    uint8_t WCA_Active = 0;
    uint8_t WCA_Alarm = 1;
    // The status presenter's log lines of the last refresh; owned by it.
    TStringList* Messages = nullptr;
};
