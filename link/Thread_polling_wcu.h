#pragma once
// One camera's polling thread: it identifies the WCU on the camera's serial
// port, polls it back to back while it answers, decodes each answer into the
// camera's state, rates how often two link flags toggle, and hands each new
// state to the user interface. Short runs of bad polls are tolerated, longer
// ones rebuild the connection, and too many give the port up with an error
// box. Everything it does is driven by one wait on seven handles, served
// lowest index first: stop, suspend, port, connect, 4 s timer, 600 ms timer,
// poll.
//
// Sharing the state. The polling thread holds the camera's state lock while
// it stores and decodes an answer, derives or resets, never across serial
// I/O or the protocol's pauses; every access from another thread takes it
// (Lock_State, the setters, the display update). Rule against deadlock: the
// polling thread never holds the lock while it waits for the user-interface
// thread (Synchronize) or calls the shell, and the user-interface thread
// never waits for the polling thread while it holds it (no Stop-and-wait or
// delete of the thread under Lock_State). The display update
// runs on the user-interface thread with the lock held, while the polling
// thread waits unlocked in Synchronize; the lock is recursive, so the screens
// it refreshes may lock again.
//
// The events are closed by the thread's last step; every operation that
// signals them after that does nothing. The timers close their own handles
// when the object is destroyed.

#include "link/Pc_wcu_link.h"
#include "link/Shell_Services.h"
#include "link/St_system.h"
#include "platform/classlib/Thread.h"
#include "platform/runtime/Ordexia_Library.h"

#include <atomic>
#include <memory>
#include <mutex>

class PC_WCU_File_HD;

class Thread_Polling_WCU : public TThread {
public:
    // How often the two link flags changed between ratings.
    class Link_Toggles {
    public:
        // After a good poll, with the flags it brought.
        void Count(bool flag_a, bool flag_b);
        // Each rating turns a count into 0 (none), 1 (one or two) or 2
        // (more), and starts it again.
        int Rate_Any() { return Rate_Toggles(Any_Count); }
        int Rate_A() { return Rate_Toggles(A_Count); }
        int Rate_B() { return Rate_Toggles(B_Count); }

    private:
        static int Rate_Toggles(int& count);

        int Any_Count = 0;
        int A_Count = 0;
        int B_Count = 0;
        bool Previous_A = false;
        bool Previous_B = false;
    };

    // The state, held locked for as long as the object lives.
    class Locked_State {
    public:
        Locked_State(std::recursive_mutex& mutex, St_System& state) : lock(mutex), system(state) {}
        St_System& operator*() const { return system; }
        St_System* operator->() const { return &system; }

    private:
        std::unique_lock<std::recursive_mutex> lock;
        St_System& system;
    };

    static constexpr UINT Thread_Ended_Message = 2;

    // On the user-interface thread, suspended. Loads the camera's settings
    // and opens its port; a port that does not open is cleared, and with
    // show_messages reported (as is no port at all). The camera count is
    // the shell's, read whenever a report is composed.
    Thread_Polling_WCU(Shell_Services& shell, int camera_index, const std::atomic<int>* camera_count,
                       bool show_messages);
    // Stops a thread that still runs and waits for its end.
    ~Thread_Polling_WCU() override;

    // Asks the thread to end: it closes its events, drops its link and, as
    // its last act, posts WM_USER (2, camera index) to the main window.
    void Stop();
    bool Is_Terminating() const { return Terminating; }
    // 0 before the thread runs and after it ended.
    DWORD Get_Thread_Id() const { return Thread_Id; }
    // Power suspend: polling ends, the state is reset and shown once.
    void Suspend_Polling();
    // Power resume: reconnects when a port is set.
    void Resume_Polling();

    // The setters store the value (and write it to the registry), then
    // refresh the display where it shows. All but the port choice do nothing
    // once the thread is stopping; the port choice is still stored then.
    void Set_Port_Number(int port);
    void Set_Alarm_Sound(bool on);
    // kind 0 the video range, 1 the data range.
    void Set_Range_Frequency(int kind, int value);
    void Set_Alarm_Battery_Level(int level);
    // side '1' AMU1, any other AMU2; the next HD poll asks for that tuner.
    void Set_Tuner_Choice(int tuner, char side);
    // The camera number; the shell refreshes what shows it.
    void Set_Name(int number);

    // The camera's state for any thread but the polling one.
    Locked_State Lock_State() { return Locked_State(State_Lock, State); }
    // The last raw answer and its length, read with the state locked (the
    // display update holds it).
    const BYTE* Get_Frame() const;
    int Get_Frame_Length() const;
    // Counts the good polls: a new number means a new answer in Get_Frame.
    // Read with the state locked.
    unsigned Get_Frame_Number() const;

    // The user's start or stop of the HD recording, on the user-interface
    // thread: starts one when none runs, stops a running one with its
    // message, then refreshes the display. Nothing once the thread stops.
    void Record(bool start, PC_WCU_File_HD& recorder);
    // For the savers' reports.
    Shell_Services& Get_Shell() const { return Shell; }
    int Get_Camera_Count() const { return Camera_Count(); }

    // The state update handed to the user-interface thread: the shell
    // refreshes and takes its snapshot, then the link event is consumed.
    void Update_Display();

protected:
    void Execute() override;

private:
    enum Wait_Index { Stop_Index, Suspend_Index, Port_Index, Connect_Index, Slow_Index, Fast_Index, Poll_Index };
    static constexpr int Handle_Count = 7;

    // The report to show once the state lock is released.
    enum class Report { Port, Link, Firmware };

    void Create_Events();
    void Close_Events();
    // Signals or resets one of the events unless they are closed.
    void Set_Event(Wait_Index index);
    void Reset_Event(Wait_Index index);
    void Stop_Timers();
    void Start_Fast_Timer();
    void Start_Slow_Timer();

    // A step per wait index; the stop step answers false (the thread ends).
    bool Run_Step(DWORD index);
    void Stop_Step();
    void Suspend_Step();
    void Port_Step();
    void Connect_Step();
    void Poll_Step();
    void Slow_Timer_Step();
    void Fast_Timer_Step();

    // With the state locked: the port setting cleared and the link closed;
    // answers the port that was set (0 for none).
    int Drop_Port();
    bool Poll_Once();
    bool Is_Firmware_Fault() const;
    void Derive_After_Good_Poll();
    // Ends polling after a bad poll beyond the tolerated ones.
    void After_Bad_Polls();
    void Retry_Connection();
    void Give_Up(Report report);
    void Close_Active_Form_Dialogs();

    void Show_Report(Report report, int port_number);
    void Refresh_Display() { Synchronize([this] { Update_Display(); }); }
    bool Has_Port();
    void Connect_When_Port();
    int Camera_Count() const;

    Shell_Services& Shell;
    std::atomic<DWORD> Thread_Id {0};
    std::atomic<bool> Terminating {false};

    std::mutex Handles_Lock;
    HANDLE Handles[Handle_Count] = {};
    bool Events_Closed = false;

    TWaitable_Timer Timer_Fast;
    TWaitable_Timer Timer_Slow;
    const std::atomic<int>* Camera_Count_Pointer;

    mutable std::recursive_mutex State_Lock;
    St_System State;
    std::unique_ptr<PC_WCU_Link> Link;
    unsigned Frame_Number = 0;

    // The polling thread's own.
    Link_Toggles Toggles;
    int Firmware_Error_Count = 0;
    int Link_Error_Count = 0;
};
