#include "link/Thread_polling_wcu.h"

#include "link/Link_errors.h"
#include "link/Pc_wcu_file_hd.h"
#include "platform/winapi/Kernel.h"
#include "platform/winapi/Message.h"

#include <algorithm>
#include <iterator>

namespace {

// Bad polls tolerated before the connection is rebuilt.
constexpr int Tolerated_Bad_Polls = 2;
constexpr int Firmware_Errors_To_Give_Up = 5;
constexpr int Link_Errors_To_Give_Up = 10;

// Relative due times in 100 ns units, and periods in ms.
constexpr LONGLONG Fast_Due_Time = -6'000'000;
constexpr LONG Fast_Period_Ms = 600;
constexpr LONGLONG Slow_Due_Time = -40'000'000;
constexpr LONG Slow_Period_Ms = 4000;

constexpr int Escape_Keys = 3;

} // namespace

void Thread_Polling_WCU::Link_Toggles::Count(bool flag_a, bool flag_b)
{
    if (flag_a != Previous_A || flag_b != Previous_B) {
        ++Any_Count;
    }
    if (flag_b != Previous_B) {
        ++B_Count;
    }
    if (flag_a != Previous_A) {
        ++A_Count;
    }
    Previous_A = flag_a;
    Previous_B = flag_b;
}

int Thread_Polling_WCU::Link_Toggles::Rate_Toggles(int& count)
{
    if (count == 0) {
        return 0;
    }
    const int rate = count > 2 ? 2 : 1;
    count = 0;
    return rate;
}

Thread_Polling_WCU::Thread_Polling_WCU(Shell_Services& shell, int camera_index,
                                       const std::atomic<int>* camera_count, bool show_messages)
    : TThread(true), Shell(shell), Camera_Count_Pointer(camera_count), State(camera_index),
      Link(std::make_unique<PC_WCU_Link>(State))
{
    Link->Share_State_Lock(State_Lock);
    // No other thread sees the state yet: no lock needed here.
    if (!Link->Is_Open()) {
        const int port = Drop_Port();
        if (show_messages && port != 0) {
            Report_Port_Error(Shell, State, Camera_Count(), port);
        } else if (show_messages) {
            Report_No_Port_Error(Shell, State, Camera_Count());
        }
    }
    Create_Events();
}

Thread_Polling_WCU::~Thread_Polling_WCU()
{
    // The thread uses the members below: it must be gone before they are.
    if (!Suspended()) {
        Stop();
        WaitFor();
    }
    Close_Events();
}

void Thread_Polling_WCU::Create_Events()
{
    for (Wait_Index index : {Stop_Index, Suspend_Index, Port_Index, Connect_Index, Poll_Index}) {
        Handles[index] = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    }
    Handles[Slow_Index] = Timer_Slow.Get_Handle();
    Handles[Fast_Index] = Timer_Fast.Get_Handle();
}

void Thread_Polling_WCU::Close_Events()
{
    std::lock_guard lock(Handles_Lock);
    if (Events_Closed) {
        return;
    }
    Events_Closed = true;
    // The timer handles are the timers' own, closed with them.
    for (Wait_Index index : {Stop_Index, Suspend_Index, Port_Index, Connect_Index, Poll_Index}) {
        if (Handles[index] != nullptr) {
            CloseHandle(Handles[index]);
        }
        Handles[index] = nullptr;
    }
}

void Thread_Polling_WCU::Set_Event(Wait_Index index)
{
    std::lock_guard lock(Handles_Lock);
    if (!Events_Closed) {
        SetEvent(Handles[index]);
    }
}

void Thread_Polling_WCU::Reset_Event(Wait_Index index)
{
    std::lock_guard lock(Handles_Lock);
    if (!Events_Closed) {
        ResetEvent(Handles[index]);
    }
}

void Thread_Polling_WCU::Stop_Timers()
{
    Timer_Slow.Stop_Timer();
    Timer_Fast.Stop_Timer();
}

void Thread_Polling_WCU::Start_Fast_Timer()
{
    LARGE_INTEGER due {};
    due.QuadPart = Fast_Due_Time;
    Timer_Fast.Init_Timer(&due, Fast_Period_Ms);
}

void Thread_Polling_WCU::Start_Slow_Timer()
{
    LARGE_INTEGER due {};
    due.QuadPart = Slow_Due_Time;
    Timer_Slow.Init_Timer(&due, Slow_Period_Ms);
}

// Operations of the user-interface thread.

void Thread_Polling_WCU::Stop()
{
    Terminating = true;
    Stop_Timers();
    for (Wait_Index index : {Suspend_Index, Port_Index, Connect_Index, Poll_Index}) {
        Reset_Event(index);
    }
    Set_Event(Stop_Index);
}

void Thread_Polling_WCU::Suspend_Polling()
{
    if (Terminating) {
        return;
    }
    Stop_Timers();
    for (Wait_Index index : {Port_Index, Connect_Index, Poll_Index}) {
        Reset_Event(index);
    }
    Set_Event(Suspend_Index);
}

void Thread_Polling_WCU::Resume_Polling()
{
    if (!Terminating && Has_Port()) {
        Set_Event(Connect_Index);
    }
}

void Thread_Polling_WCU::Set_Port_Number(int port)
{
    Stop_Timers();
    Reset_Event(Connect_Index);
    Reset_Event(Poll_Index);
    // Signalled under the state lock: the thread never sees the new port
    // without its event, and never takes it for a port that failed.
    auto state = Lock_State();
    state->Settings.Set_Port_Number(port);
    Set_Event(Port_Index);
}

void Thread_Polling_WCU::Set_Alarm_Sound(bool on)
{
    if (!Terminating) {
        Lock_State()->Settings.Set_Alarm_Sound(on ? 1 : 0);
        Update_Display();
    }
}

void Thread_Polling_WCU::Set_Range_Frequency(int kind, int value)
{
    if (!Terminating) {
        Lock_State()->SD.Set_Range_Frequency(kind, value);
        Update_Display();
    }
}

void Thread_Polling_WCU::Set_Alarm_Battery_Level(int level)
{
    if (!Terminating) {
        Lock_State()->HD.Set_Alarm_Battery_Level(level);
        Update_Display();
    }
}

void Thread_Polling_WCU::Set_Tuner_Choice(int tuner, char side)
{
    if (!Terminating) {
        Lock_State()->HD.Set_Tuner_Choice(tuner, side);
    }
}

void Thread_Polling_WCU::Set_Name(int number)
{
    if (!Terminating) {
        Lock_State()->Settings.Set_Name(number);
    }
}

const BYTE* Thread_Polling_WCU::Get_Frame() const
{
    std::lock_guard lock(State_Lock);
    return Link ? Link->Get_Answer() : nullptr;
}

int Thread_Polling_WCU::Get_Frame_Length() const
{
    std::lock_guard lock(State_Lock);
    return Link ? Link->Get_Answer_Length() : 0;
}

unsigned Thread_Polling_WCU::Get_Frame_Number() const
{
    std::lock_guard lock(State_Lock);
    return Frame_Number;
}

void Thread_Polling_WCU::Record(bool start, PC_WCU_File_HD& recorder)
{
    if (Terminating) {
        return;
    }
    if (start && !recorder.Is_Recording()) {
        recorder.Start_Recording();
    } else if (!start && recorder.Is_Recording()) {
        recorder.Stop_Recording(true);
    }
    Update_Display();
}

void Thread_Polling_WCU::Update_Display()
{
    if (Terminating) {
        return;
    }
    std::lock_guard lock(State_Lock);
    Shell.Update_Camera_State(State);
    State.HD.Wcu_Link.Link_Event_Code = 0;
}

// The polling thread.

void Thread_Polling_WCU::Execute()
{
    Thread_Id = GetCurrentThreadId();
    Connect_When_Port();
    // Only this thread closes the events, at its end: its copy stays valid.
    HANDLE handles[Handle_Count];
    std::copy(std::begin(Handles), std::end(Handles), handles);
    for (;;) {
        const DWORD result = WaitForMultipleObjects(Handle_Count, handles, FALSE, INFINITE);
        // A wait that fails would fail again at once: end rather than spin.
        const DWORD index = result < Handle_Count ? result - WAIT_OBJECT_0 : DWORD {Stop_Index};
        if (!Run_Step(index)) {
            return;
        }
    }
}

bool Thread_Polling_WCU::Run_Step(DWORD index)
{
    if (index == Stop_Index) {
        Stop_Step();
        return false;
    }
    if (Terminating) {
        return true;
    }
    switch (index) {
    case Suspend_Index: Suspend_Step(); break;
    case Port_Index: Port_Step(); break;
    case Connect_Index: Connect_Step(); break;
    case Slow_Index: Slow_Timer_Step(); break;
    case Fast_Index: Fast_Timer_Step(); break;
    default: Poll_Step(); break;
    }
    return true;
}

void Thread_Polling_WCU::Stop_Step()
{
    Reset_Event(Stop_Index);
    Close_Events();
    Stop_Timers();
    {
        std::lock_guard lock(State_Lock);
        Link.reset();
    }
    Thread_Id = 0;
    Shell.Post_Message(Shell.Get_Main_Window(), WM_USER, Thread_Ended_Message,
                       static_cast<LPARAM>(State.Camera_Index));
}

void Thread_Polling_WCU::Suspend_Step()
{
    Reset_Event(Suspend_Index);
    // A connect step that ran after the suspend request may have restarted
    // polling: the thread idles until resumed.
    Stop_Timers();
    Reset_Event(Connect_Index);
    Reset_Event(Poll_Index);
    Lock_State()->Reset();
    Refresh_Display();
}

void Thread_Polling_WCU::Port_Step()
{
    Reset_Event(Port_Index);
    // A connect step that ran after the port choice may have restarted
    // polling on the old port; the new port decides whether to connect.
    Stop_Timers();
    Reset_Event(Connect_Index);
    Reset_Event(Poll_Index);
    int dropped_port = 0;
    {
        std::lock_guard lock(State_Lock);
        State.Reset();
        Link->Reopen(State);
        if (!Link->Is_Open()) {
            dropped_port = Drop_Port();
        }
    }
    if (dropped_port != 0) {
        Show_Report(Report::Port, dropped_port);
    }
    Refresh_Display();
    Connect_When_Port();
}

void Thread_Polling_WCU::Connect_Step()
{
    std::unique_lock lock(State_Lock);
    State.Reset();
    if (!Link->Is_Open() && State.Settings.Has_Port()) {
        const int port = Drop_Port();
        Reset_Event(Connect_Index);
        lock.unlock();
        Show_Report(Report::Port, port);
        Refresh_Display();
        return;
    }
    // The link locks only to store what the WCU answered.
    lock.unlock();
    const bool connected = Link->Ask_Wcu_Type(State);
    lock.lock();
    State.Settings.Connected = connected;
    const bool type_changed = connected && State.Type.Is_Known_Wcu() &&
        State.Type.Is_Hd_Wcu() != (State.Type.System_Type == St_System_Type::Hd_System);
    if (type_changed) {
        State.Type.Update_System_Type();
    }
    lock.unlock();
    if (type_changed) {
        Close_Active_Form_Dialogs();
    }
    Refresh_Display();
    if (connected) {
        Reset_Event(Connect_Index);
        Set_Event(Poll_Index);
        Start_Fast_Timer();
        Start_Slow_Timer();
    }
}

void Thread_Polling_WCU::Close_Active_Form_Dialogs()
{
    if (Shell.Get_Active_Page_Index() != State.Camera_Index) {
        return;
    }
    HWND form = Shell.Get_Active_Form_Window();
    for (int key = 0; key < Escape_Keys; ++key) {
        Shell.Post_Message(form, WM_KEYDOWN, VK_ESCAPE, 0);
    }
}

void Thread_Polling_WCU::Poll_Step()
{
    // The link locks the state only while it stores and decodes an answer.
    const bool good = Poll_Once();
    std::unique_lock lock(State_Lock);
    if (good) {
        Firmware_Error_Count = 0;
        Link_Error_Count = 0;
        Derive_After_Good_Poll();
        ++Frame_Number;
        lock.unlock();
        Refresh_Display();
        return;
    }
    if (Is_Firmware_Fault()) {
        ++Firmware_Error_Count;
    } else {
        ++Link_Error_Count;
    }
    if (Firmware_Error_Count <= Tolerated_Bad_Polls && Link_Error_Count <= Tolerated_Bad_Polls) {
        // The failed request cleared it; the link is still taken as up.
        State.Settings.Connected = true;
        return;
    }
    lock.unlock();
    After_Bad_Polls();
}

// Without the state lock: the type and the SD presence it reads are written
// by this thread alone.
bool Thread_Polling_WCU::Poll_Once()
{
    bool ok = false;
    if (State.Type.System_Type == St_System_Type::Sd_System) {
        ok = Link->Poll_SD(State, State.SD);
    } else if (State.Type.System_Type == St_System_Type::Hd_System) {
        ok = Link->Poll_HD(State, State.HD);
    }
    return ok && !Is_Firmware_Fault();
}

bool Thread_Polling_WCU::Is_Firmware_Fault() const
{
    auto unsupported = [](const St_System_SD_AMU& amu) { return amu.Is_Valid() && !amu.Is_Supported(); };
    return !State.Type.Is_Known_Wcu() ||
        (State.Type.System_Type == St_System_Type::Sd_System && (unsupported(State.SD.AMU1) || unsupported(State.SD.AMU2)));
}

void Thread_Polling_WCU::Derive_After_Good_Poll()
{
    if (State.Type.System_Type == St_System_Type::Sd_System) {
        Toggles.Count(State.SD.WCU.Data_Toggle_A, State.SD.WCU.Data_Toggle_B);
        State.SD.Check_Amu_Versions();
        State.SD.Check_Amu_Settings();
        return;
    }
    Toggles.Count(State.HD.Wcu_Status.Toggle_A, State.HD.Wcu_Status.Toggle_B);
    State.HD.Check_Amu_Versions();
    State.HD.Check_Amu_Settings();
    State.HD.Update_Video_Frequency();
    State.HD.Update_Data_Frequency();
}

void Thread_Polling_WCU::After_Bad_Polls()
{
    Stop_Timers();
    Reset_Event(Poll_Index);
    if (Firmware_Error_Count < Firmware_Errors_To_Give_Up && Link_Error_Count < Link_Errors_To_Give_Up) {
        Retry_Connection();
    } else {
        Give_Up(Firmware_Error_Count >= Firmware_Errors_To_Give_Up ? Report::Firmware : Report::Link);
    }
}

void Thread_Polling_WCU::Retry_Connection()
{
    int dropped_port = 0;
    {
        std::lock_guard lock(State_Lock);
        State.Reset();
        if (!Link->Is_Open()) {
            Link->Reopen(State);
            if (!Link->Is_Open()) {
                dropped_port = Drop_Port();
            }
        }
    }
    if (dropped_port != 0) {
        Show_Report(Report::Port, dropped_port);
    }
    Refresh_Display();
    Connect_When_Port();
}

void Thread_Polling_WCU::Give_Up(Report report)
{
    // The report tells of the state the last bad poll left.
    Show_Report(report, 0);
    Firmware_Error_Count = 0;
    Link_Error_Count = 0;
    {
        std::lock_guard lock(State_Lock);
        State.Reset();
        Drop_Port();
    }
    Refresh_Display();
}

int Thread_Polling_WCU::Drop_Port()
{
    const int port = State.Settings.Port_Number;
    State.Settings.Set_Port_Number(0);
    Link->Close();
    return port;
}

void Thread_Polling_WCU::Show_Report(Report report, int port_number)
{
    const St_System state = *Lock_State();
    switch (report) {
    case Report::Port: Report_Port_Error(Shell, state, Camera_Count(), port_number); break;
    case Report::Link: Report_Link_Error(Shell, state, Camera_Count()); break;
    case Report::Firmware: Report_Firmware_Error(Shell, state, Camera_Count()); break;
    }
}

void Thread_Polling_WCU::Slow_Timer_Step()
{
    std::lock_guard lock(State_Lock);
    if (State.Type.System_Type == St_System_Type::Sd_System) {
        State.SD.WCU.Rate_A = Toggles.Rate_A();
        State.SD.WCU.Rate_B = Toggles.Rate_B();
    } else {
        State.HD.Wcu_Status.Toggle_Rate_A = Toggles.Rate_A();
        State.HD.Wcu_Status.Toggle_Rate_B = Toggles.Rate_B();
    }
}

void Thread_Polling_WCU::Fast_Timer_Step()
{
    std::lock_guard lock(State_Lock);
    if (State.Type.System_Type == St_System_Type::Sd_System) {
        State.SD.WCU.Rate_Any = Toggles.Rate_Any();
    } else {
        State.HD.Wcu_Status.Toggle_Rate_Any = Toggles.Rate_Any();
    }
}

bool Thread_Polling_WCU::Has_Port()
{
    return Lock_State()->Settings.Has_Port();
}

void Thread_Polling_WCU::Connect_When_Port()
{
    if (Has_Port()) {
        Set_Event(Connect_Index);
    }
}

int Thread_Polling_WCU::Camera_Count() const
{
    return Camera_Count_Pointer != nullptr ? Camera_Count_Pointer->load() : 1;
}
