#pragma once
// The PC side of the serial protocol with one camera system's WCU: one-byte
// requests, raw answers recognised by their length (and, for the AMUs, their
// first byte), decoded bit by bit into the camera's state. All waiting is
// fixed sleeps on the calling polling thread; nothing is allocated per poll.
//
// With the polling thread's state lock shared, the link takes it only to
// store an answer, decode it and mark a failure, never across a request,
// a read or a pause: other threads wait for a decode, never for the line.
//
// Before each request of a poll whatever is still in the input (the late
// tail of an earlier answer) is discarded, so that it is never taken for
// the head of the next answer.
//
// An HD poll is one request answered by one frame of eleven tagged blocks.
// The whole frame is checked before any record is written, so that a bad
// frame leaves the HD block and its level histories as they were.

#include "link/Serie.h"
#include "link/St_system.h"
#include "platform/winapi/WinTypes.h"

#include <memory>
#include <mutex>

class PC_WCU_Link {
public:
    static constexpr int Answer_Size = 1024;

    static constexpr BYTE Request_Wcu_Type = '?';
    static constexpr BYTE Request_Wcu_Status = '%';
    static constexpr BYTE Request_Amu1_Status = '!';
    static constexpr BYTE Request_Amu2_Status = '"';
    static constexpr BYTE Request_Flags = '#';
    // Plus AMU2's spectrum tuner * 8 and AMU1's.
    static constexpr BYTE Request_Hd_Poll = 0xC0;

    // Opens the port on the state's Port_Number (0 opens nothing).
    explicit PC_WCU_Link(St_System& state);
    ~PC_WCU_Link();
    PC_WCU_Link(const PC_WCU_Link&) = delete;
    PC_WCU_Link& operator=(const PC_WCU_Link&) = delete;

    // The lock that guards the state, the answer and its length for the
    // other threads; none by default (one thread only).
    void Share_State_Lock(std::recursive_mutex& lock) { State_Lock = &lock; }

    bool Is_Open() const;
    void Close();
    // A new port on the state's Port_Number.
    void Reopen(const St_System& state);

    // The last answer and its length (0 after a failed request).
    const BYTE* Get_Answer() const { return Answer; }
    int Get_Answer_Length() const { return Answer_Length; }

    // One read of a short answer, 20 ms after the request.
    int Read_Answer();
    // An answer of up to 1023 bytes: its first bytes within 40 ms (the
    // thread sleeps until the port's first byte or that deadline),
    // complete once 30 ms pass without a byte; 0 when none came or it
    // grew too long.
    int Read_Long_Answer();
    // High-resolution wait, for waits far below the system sleep; the
    // thread sleeps rather than spins.
    void Wait_Ms(double milliseconds);
    double Elapsed_Ms() const;

    // '?': true with Wcu_Major and Wcu_Minor set from a "*" major minor
    // answer; Connected is left to the caller.
    bool Ask_Wcu_Type(St_System& state);
    // '%', then '!' and '"' for each polled AMU, then '#'. False on a
    // failed request; what was decoded before it stays.
    bool Poll_SD(St_System& state, St_System_SD& sd);

    // The HD request for the block's two tuner choices; a choice outside
    // 0..7 is asked as tuner 0, so that it never spoils the request byte.
    static BYTE Hd_Request(const St_System_HD& hd);
    // The HD request, then its frame decoded into hd. False on a failed
    // request or a frame with any fault, which then changes nothing in hd.
    bool Poll_HD(St_System& system, St_System_HD& hd);
    // Checks every tag, length and position of the frame (the spectra must
    // carry the tuners of request), then decodes it into hd: the blocks
    // present into their records, the absent ones reset. False, with hd
    // untouched, when any check fails.
    static bool Decode_HD(const BYTE* answer, int length, BYTE request, St_System_HD& hd);

    // The decoders of the SD answers, from the first answer byte.
    static void Decode_SD_Status(const BYTE* answer, bool after_v1, St_System_SD& sd);
    static void Decode_SD_AMU(const BYTE* answer, St_System_SD_AMU& amu, St_System_SD_DE& de);
    static void Decode_SD_Flags(BYTE answer, St_System_SD_Flags& flags);

private:
    enum class Sent { Ok, Port_Closed, Write_Failed };

    // Held while the other threads may not look; empty without a lock.
    std::unique_lock<std::recursive_mutex> Lock() const;
    // The bytes received into the answer buffer (a 0 byte alone for none).
    void Store_Answer(const BYTE* bytes, int count);
    void Start_Clock();
    void Read_Clock();
    void Open_Port(const St_System& state);
    Sent Send_Request(BYTE request);
    bool Link_Failure(St_System& state);
    bool Write_Failure(St_System& state);
    // One AMU's request and answer; false when the poll must end.
    bool Poll_SD_AMU(St_System& state, BYTE request, St_System_SD_AMU& amu, St_System_SD_DE& de);

    std::unique_ptr<ComPort> Port;
    BYTE Answer[Answer_Size] = {};
    int Answer_Length = 0;
    BYTE Raw[inputstream::Buffer_Size + 1] = {};
    // A long answer as it comes in, before it is stored.
    BYTE Incoming[Answer_Size] = {};
    std::recursive_mutex* State_Lock = nullptr;
    LONGLONG Counter_Frequency = 0;
    LONGLONG Wait_Start = 0;
    LONGLONG Wait_Now = 0;
};
