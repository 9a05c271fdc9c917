#pragma once
// The HD window's status-log saver and frame recorder. The recorder writes
// every poll answer of the camera's WCU, once each, into a recording file
// (".hdw") from the user's start until the stop, a lost connection or a
// write failure. The file, with no separators between the fields, numbers
// in decimal, zero-filled:
//   "HDW", the WCU type (major * 1000 + minor, 6 digits)     before frame 1
//   "FRAME", number (8 digits, from 1), local time "hh:mm:ss",
//   "LENGTH", n (6 digits), the n bytes of the answer       per frame
//   "END", the number of frames (8 digits)                  after at least one
// A stop ends the file with its trailer; a write failure stops the
// recording without one, the file holding what was written, and is
// reported, as is a trailer that could not be written. The session's end stops a recording like the window's close,
// with Stop_Recording(false). On the user-interface thread.

#include "link/Pc_wcu_file_sd.h"
#include "link/Shell_Services.h"
#include "link/St_system.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

class Thread_Polling_WCU;

class PC_WCU_File_HD {
public:
    // Idle, frame counter 1. The camera count is the shell's, read when a
    // message is shown.
    PC_WCU_File_HD(Thread_Polling_WCU& thread, St_System& state, TMemo& memo, TSaveDialog& save_dialog,
                   const std::atomic<int>* camera_count);
    // Stops a running recording with its message; the window normally
    // stopped it without one already.
    ~PC_WCU_File_HD();
    PC_WCU_File_HD(const PC_WCU_File_HD&) = delete;
    PC_WCU_File_HD& operator=(const PC_WCU_File_HD&) = delete;

    void Save_Memo() { Log_Saver.Save_Memo(); }

    bool Is_Recording() const { return File_Handle != -1; }
    // Asks for the file and creates it; a file that cannot be created is
    // reported (modal box). Answers Is_Recording.
    bool Start_Recording();
    // Writes the trailer after at least one frame, closes the file and,
    // with_message, shows the number of frames recorded (not while the shell
    // is busy for the camera).
    void Stop_Recording(bool with_message);
    // One frame; false when none is recording, at the frame limit, or when
    // the write failed (the recording is then stopped and the failure shown).
    // A length of 0 writes nothing.
    bool Write_Frame(const BYTE* bytes, int length);
    // At the start of every refresh of the HD window: stops the recording
    // when the WCU no longer answers, else writes the thread's answer if it
    // is one not yet recorded. The answer is copied with the state locked
    // and written once the lock is released.
    void Record_Frame();

private:
    static constexpr int Frame_Limit = 99'999'999;

    bool Write_Text(const std::string& text);
    bool Write_Bytes(const void* bytes, std::size_t length);
    bool Write_Header();
    bool Write_Record(const BYTE* bytes, int length);
    bool Write_Trailer(int frames);
    void Close_File();
    void Fail_Recording();
    // Copies the thread's answer when it is a new one; false for none.
    bool Take_New_Frame();
    void Show_Box(const std::string& text, UINT flags);

    int File_Handle = -1;
    std::string File_Name;
    int Frame_Counter = 1;
    // The thread's frame number last recorded: each answer goes in once.
    unsigned Last_Frame_Number = 0;
    // The answer to record, copied out of the link.
    std::vector<BYTE> Frame;
    std::unique_ptr<Modeless_Message_Box> Message_Box;
    Thread_Polling_WCU& Thread;
    St_System& State;
    const std::atomic<int>* Camera_Count;
    TSaveDialog& Save_Dialog;
    PC_WCU_File_SD Log_Saver;
};
