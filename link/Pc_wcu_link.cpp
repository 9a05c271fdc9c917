#include "link/Pc_wcu_link.h"

#include "platform/winapi/Kernel.h"

#include <chrono>
#include <cstdint>
#include <cstring>
#include <new>
#include <thread>

namespace {

// The line set-up of every WCU: 38400 baud, no parity, 8 bits, one stop
// bit (DCB codes), no handshake.
constexpr DWORD Wcu_Baud_Rate = 38400;
constexpr BYTE Wcu_Parity = 0;
constexpr BYTE Wcu_Byte_Size = 8;
constexpr BYTE Wcu_Stop_Bits = 0;
constexpr char Wcu_Handshake = 'N';

constexpr int Status_Length_V1 = 9;
constexpr int Status_Length_After_V1 = 19;
constexpr int Amu_Answer_Length = 31;
constexpr BYTE Amu_Answer_Head = 0x27;
constexpr BYTE Amu_No_Data_Head = '(';
constexpr BYTE Wcu_Type_Head = '*';

// An AMU counts as polled for this many status answers after its bit.
constexpr int Poll_Counter_Load = 20;

constexpr DWORD Failure_Pause_Ms = 40;
constexpr DWORD Short_Answer_Pause_Ms = 10;
constexpr DWORD Type_Answer_Wait_Ms = 40;
constexpr int Long_Answer_First_Waits = 80;
constexpr double Long_Answer_First_Wait_Ms = 0.5;
constexpr DWORD Long_Answer_Gap_Ms = 30;

constexpr bool Bit(BYTE byte, int number) { return ((byte >> number) & 1) != 0; }

void Count_Presence(int& counter, bool bit)
{
    if (bit) {
        counter = Poll_Counter_Load;
    } else if (counter > 0) {
        --counter;
    }
}

// Bits 4-7 inverted, read as a signed 4-bit number.
int Rc2_Value(BYTE byte)
{
    int nibble = ~(byte >> 4) & 0x0F;
    return nibble >= 8 ? nibble - 16 : nibble;
}

void Decode_Presence(BYTE byte0, BYTE byte1, St_System_SD& sd)
{
    Count_Presence(sd.AMU1.Poll_Counter_Status, Bit(byte0, 0));
    Count_Presence(sd.AMU2.Poll_Counter_Status, Bit(byte0, 1));
    sd.WCU.Wcu_Flag = Bit(byte0, 2);
    sd.WCU.Data_Toggle_A = Bit(byte0, 3);
    sd.WCU.Data_Toggle_B = Bit(byte0, 4);
    sd.WCU.Video_Standard_Pal = Bit(byte0, 5);
    sd.AMU1.Channel_Present = Bit(byte0, 6);
    sd.AMU2.Channel_Present = Bit(byte0, 7);
    sd.AMU1.Present = Bit(byte1, 0);
    sd.AMU2.Present = Bit(byte1, 1);
    Count_Presence(sd.AMU1.Poll_Counter_Data, Bit(byte1, 2));
    Count_Presence(sd.AMU2.Poll_Counter_Data, Bit(byte1, 3));
    const bool both = sd.AMU1.Present && sd.AMU2.Present;
    sd.AMU1.Active = (both && Bit(byte1, 4)) || (sd.AMU1.Present && !sd.AMU2.Present);
    sd.AMU2.Active = (both && Bit(byte1, 5)) || (sd.AMU2.Present && !sd.AMU1.Present);
}

void Decode_Wcu_Common(const BYTE* answer, bool amu_clear, St_System_SD_WCU& wcu)
{
    wcu.Wcu_Code = answer[2] & 0x0F;
    wcu.Video_Qos = amu_clear ? answer[3] : 0;
    wcu.Production_Mode = answer[4] & 0x03;
    wcu.Wcu_Flag_2 = Bit(answer[4], 2);
    wcu.Diversity_Dual = Bit(answer[4], 3);
    wcu.Link_Flag = Bit(answer[4], 4);
    wcu.Audio_Option_On = Bit(answer[4], 5);
    wcu.Intercom_Volume_1 = answer[5];
    wcu.Intercom_Volume_2 = answer[6];
    wcu.Intercom_Volume_3 = answer[7];
    wcu.Data_Qos = wcu.Video_Qos != 0 && amu_clear ? answer[8] : 0;
}

void Decode_Wcu_After_V1(const BYTE* answer, St_System_SD_WCU& wcu)
{
    wcu.Audio_1_Level = (answer[9] & 0x7F) * 256 + answer[10];
    wcu.Audio_2_Level = (answer[11] & 0x7F) * 256 + answer[12];
    wcu.Audio_Levels_Valid = Bit(answer[9], 7) && Bit(answer[11], 7);
    wcu.Icom_Level_1 = answer[13];
    wcu.Icom_Level_2 = answer[14];
    wcu.Status_Byte_15 = answer[15];
    wcu.Status_Byte_16 = answer[16];
    wcu.Video_Channel_Index = answer[17] >> 4;
    wcu.Data_Channel_Index = answer[17] & 0x0F;
    wcu.Wcu_Cofdm_Mode = answer[18] & 0x0F;
}

void Decode_Amu_Receivers(BYTE byte1, St_System_SD_AMU& amu)
{
    amu.Receiver_Flag_1 = Bit(byte1, 3);
    amu.Receiver_Flag_2 = Bit(byte1, 4);
    amu.Receiver_Flag_3 = Bit(byte1, 5);
    amu.Receiver_State_1 = Bit(byte1, 0) || !amu.Receiver_Flag_1;
    amu.Receiver_State_2 = Bit(byte1, 1) || !amu.Receiver_Flag_2;
    amu.Receiver_State_3 = Bit(byte1, 2) || !amu.Receiver_Flag_3;
    amu.Video_Channel_Valid = Bit(byte1, 6);
}

// The switch fields of bytes 6 and 19 moved with firmware 1.1.
void Decode_Amu_Switches(const BYTE* answer, St_System_SD_AMU& amu)
{
    if (!amu.Is_Version_After_1_0()) {
        amu.Long_Triax = Bit(answer[6], 2);
        return;
    }
    amu.Sw1_2_Test = Bit(answer[6], 2);
    amu.Flag_6_3 = Bit(answer[6], 3);
    amu.Long_Triax = Bit(answer[6], 4);
    amu.Sw2_Setting = answer[6] & 0x60;
    amu.Nibble_19_Low = answer[19] & 0x0F;
    amu.Rc2_Setting = Rc2_Value(answer[19]);
}

} // namespace

PC_WCU_Link::PC_WCU_Link(St_System& state)
{
    Open_Port(state);
    LARGE_INTEGER frequency {};
    if (QueryPerformanceFrequency(&frequency)) {
        Counter_Frequency = frequency.QuadPart;
    }
}

PC_WCU_Link::~PC_WCU_Link() = default;

void PC_WCU_Link::Open_Port(const St_System& state)
{
    Port.reset(new (std::nothrow) ComPort(state.Settings.Port_Number, Wcu_Baud_Rate, Wcu_Parity, Wcu_Byte_Size,
                                          Wcu_Stop_Bits, Wcu_Handshake));
}

bool PC_WCU_Link::Is_Open() const
{
    return Port && Port->Is_Open();
}

void PC_WCU_Link::Close()
{
    Port.reset();
    const auto locked = Lock();
    Answer_Length = 0;
}

void PC_WCU_Link::Reopen(const St_System& state)
{
    Port.reset();
    {
        const auto locked = Lock();
        Answer_Length = 0;
    }
    Open_Port(state);
}

std::unique_lock<std::recursive_mutex> PC_WCU_Link::Lock() const
{
    return State_Lock != nullptr ? std::unique_lock(*State_Lock) : std::unique_lock<std::recursive_mutex>();
}

void PC_WCU_Link::Store_Answer(const BYTE* bytes, int count)
{
    const auto locked = Lock();
    if (count > 0) {
        std::memcpy(Answer, bytes, static_cast<std::size_t>(count));
    } else {
        Answer[0] = 0;
    }
}

int PC_WCU_Link::Read_Answer()
{
    if (!Is_Open()) {
        Store_Answer(nullptr, 0);
        return 0;
    }
    // The two 10 ms pauses as one: the same 20 ms, one wake of the thread.
    Sleep(2 * Short_Answer_Pause_Ms);
    const int count = Port->read(Raw);
    // With the terminator the port's read puts after the bytes.
    Store_Answer(Raw, count > 0 ? count + 1 : 0);
    return count;
}

int PC_WCU_Link::Read_Long_Answer()
{
    if (!Is_Open()) {
        return 0;
    }
    int count = Port->read(Raw);
    Start_Clock();
    const double first_bytes_ms = Long_Answer_First_Waits * Long_Answer_First_Wait_Ms;
    while (count == 0 && Port->Is_Open() && Elapsed_Ms() < first_bytes_ms) {
        Port->Wait_For_Input(first_bytes_ms - Elapsed_Ms());
        Read_Clock();
        count = Port->read(Raw);
    }
    int total = 0;
    // Each read appends; the answer ends with a read that brings nothing.
    while (count > 0) {
        if (total + count >= Answer_Size) {
            Store_Answer(nullptr, 0);
            return 0;
        }
        std::memcpy(Incoming + total, Raw, static_cast<std::size_t>(count));
        total += count;
        if (!Port->Is_Open()) {
            break;
        }
        Sleep(Long_Answer_Gap_Ms);
        count = Port->read(Raw);
    }
    Store_Answer(Incoming, total);
    return total;
}

void PC_WCU_Link::Start_Clock()
{
    LARGE_INTEGER now {};
    QueryPerformanceCounter(&now);
    Wait_Start = Wait_Now = now.QuadPart;
}

void PC_WCU_Link::Read_Clock()
{
    LARGE_INTEGER now {};
    QueryPerformanceCounter(&now);
    Wait_Now = now.QuadPart;
}

void PC_WCU_Link::Wait_Ms(double milliseconds)
{
    Start_Clock();
    while (Counter_Frequency != 0 && Elapsed_Ms() < milliseconds) {
        std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(milliseconds - Elapsed_Ms()));
        Read_Clock();
    }
}

double PC_WCU_Link::Elapsed_Ms() const
{
    if (Counter_Frequency == 0) {
        return 0.0;
    }
    return static_cast<double>(Wait_Now - Wait_Start) * 1000.0 / static_cast<double>(Counter_Frequency);
}

PC_WCU_Link::Sent PC_WCU_Link::Send_Request(BYTE request)
{
    // Whatever is still queued is the late tail of an earlier answer.
    if (!Is_Open() || !Port->Purge()) {
        return Sent::Port_Closed;
    }
    *Port << request;
    return Port->good() ? Sent::Ok : Sent::Write_Failed;
}

bool PC_WCU_Link::Link_Failure(St_System& state)
{
    const auto locked = Lock();
    Answer_Length = 0;
    state.Settings.Connected = false;
    return false;
}

bool PC_WCU_Link::Write_Failure(St_System& state)
{
    Port.reset();
    Sleep(Failure_Pause_Ms);
    return Link_Failure(state);
}

bool PC_WCU_Link::Ask_Wcu_Type(St_System& state)
{
    {
        const auto locked = Lock();
        Answer_Length = 0;
    }
    switch (Send_Request(Request_Wcu_Type)) {
    case Sent::Port_Closed:
        Sleep(Failure_Pause_Ms);
        return false;
    case Sent::Write_Failed:
        return Write_Failure(state);
    case Sent::Ok:
        break;
    }
    if (!Port->Is_Open()) {
        Sleep(Failure_Pause_Ms);
        return false;
    }
    Sleep(Type_Answer_Wait_Ms);
    if (Port->read(Raw) != 3 || Raw[0] != Wcu_Type_Head) {
        return false;
    }
    const auto locked = Lock();
    state.Type.Wcu_Major = Raw[1];
    state.Type.Wcu_Minor = Raw[2];
    return true;
}

bool PC_WCU_Link::Poll_SD(St_System& state, St_System_SD& sd)
{
    switch (Send_Request(Request_Wcu_Status)) {
    case Sent::Port_Closed:
        return Link_Failure(state);
    case Sent::Write_Failed:
        return Write_Failure(state);
    case Sent::Ok:
        break;
    }
    // The type and the presence counters are this thread's alone.
    const bool after_v1 = state.Type.Is_Sd_Wcu_After_V1();
    const int status_length = Read_Answer();
    {
        const auto locked = Lock();
        Answer_Length = status_length;
        if (Answer_Length != (after_v1 ? Status_Length_After_V1 : Status_Length_V1)) {
            return Link_Failure(state);
        }
        Decode_SD_Status(Answer, after_v1, sd);
    }
    if (sd.AMU1.Is_Polled() && !Poll_SD_AMU(state, Request_Amu1_Status, sd.AMU1, sd.DE1)) {
        return false;
    }
    if (sd.AMU2.Is_Polled() && !Poll_SD_AMU(state, Request_Amu2_Status, sd.AMU2, sd.DE2)) {
        return false;
    }
    switch (Send_Request(Request_Flags)) {
    case Sent::Port_Closed:
        return false;
    case Sent::Write_Failed:
        return Write_Failure(state);
    case Sent::Ok:
        break;
    }
    const int flags_length = Read_Answer();
    const auto locked = Lock();
    Answer_Length = flags_length;
    if (Answer_Length != 1) {
        return Link_Failure(state);
    }
    Decode_SD_Flags(Answer[0], sd.Flags);
    return true;
}

bool PC_WCU_Link::Poll_SD_AMU(St_System& state, BYTE request, St_System_SD_AMU& amu, St_System_SD_DE& de)
{
    switch (Send_Request(request)) {
    case Sent::Port_Closed:
        return false;
    case Sent::Write_Failed:
        return Write_Failure(state);
    case Sent::Ok:
        break;
    }
    const int length = Read_Answer();
    const auto locked = Lock();
    Answer_Length = length;
    if (Answer[0] == Amu_Answer_Head && Answer_Length == Amu_Answer_Length) {
        Decode_SD_AMU(Answer, amu, de);
        return true;
    }
    // An empty read leaves 0 in the first byte, so "no data" needs a byte.
    return Answer[0] == Amu_No_Data_Head || Link_Failure(state);
}

void PC_WCU_Link::Decode_SD_Status(const BYTE* answer, bool after_v1, St_System_SD& sd)
{
    Decode_Presence(answer[0], answer[1], sd);
    const bool amu_clear = sd.AMU1.Is_Valid_Clear() || sd.AMU2.Is_Valid_Clear();
    Decode_Wcu_Common(answer, amu_clear, sd.WCU);
    if (after_v1) {
        Decode_Wcu_After_V1(answer, sd.WCU);
    } else {
        sd.WCU.Audio_Levels_Valid = false;
    }
}

void PC_WCU_Link::Decode_SD_AMU(const BYTE* answer, St_System_SD_AMU& amu, St_System_SD_DE& de)
{
    Decode_Amu_Receivers(answer[1], amu);
    amu.Status_Code = answer[2] & 0x07;
    amu.Error = Bit(answer[2], 6);
    amu.Version_Major = answer[3];
    amu.Version_Minor = answer[4];
    amu.Identifier = answer[5] & 0x0F;
    de.De_Flag = Bit(answer[6], 0);
    de.State = Bit(answer[6], 1);
    amu.Sw3_2_Off = Bit(answer[6], 3);
    amu.Data_Step_100_Khz = Bit(answer[7], 7);
    amu.Data_Channel = answer[7] & 0x7F;
    amu.Synth_Byte_8 = answer[8];
    amu.Synth_Byte_9 = answer[9];
    amu.Synth_Byte_10 = answer[10];
    amu.Video_Channel_Code = answer[11];
    amu.Cofdm_Mode = answer[12] & 0x0F;
    amu.Sw3_1_Off = Bit(answer[12], 4);
    amu.Temperature = static_cast<std::int8_t>(answer[13]);
    amu.Voltage_Raw = answer[14];
    amu.Status_Byte_15 = answer[15];
    amu.Status_Byte_16 = answer[16];
    amu.Status_Byte_17 = answer[17];
    amu.Video_Quality = answer[18];
    Decode_Amu_Switches(answer, amu);
}

void PC_WCU_Link::Decode_SD_Flags(BYTE answer, St_System_SD_Flags& flags)
{
    flags.Flag_1 = Bit(answer, 0);
    flags.Flag_2 = Bit(answer, 1);
    flags.Flag_3 = Bit(answer, 2);
}
