#pragma once
// A serial line inside the process, for tests of the serial protocol. While
// a line is attached to a COM number, "\\.\COMn" opens it instead of a
// device and the serial calls (Serial.h) reach it. Its far end answers at the
// moment a byte is written, on the writing thread, and hands the line each
// answer byte with the moment from which the program may read it, on the
// clock of the thread that reads (Kernel_Time_Ns: the simulated time of
// Kernel.h while that is on). No thread, device or real clock is in the path,
// so what the program reads never depends on when a thread is scheduled.
//
// A wait on the open port is signalled from the moment its next byte is due,
// or at once after a hang-up; a timed wait on simulated time moves the clock
// to that moment. Under the real clock a wait sees no byte coming and runs to
// its time-out.

#include "platform/winapi/Kernel.h"
#include "platform/winapi/WinTypes.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

class In_Process_Line {
public:
    // Called with each byte the program writes, as it is written.
    using Far_End = std::function<void(BYTE byte)>;

    explicit In_Process_Line(Far_End far_end);
    In_Process_Line(const In_Process_Line&) = delete;
    In_Process_Line& operator=(const In_Process_Line&) = delete;

    // ---- The far end's side.
    // Bytes the program may read from at_ns on; a line carries one byte after
    // another, so none comes before a byte handed over earlier.
    void Deliver(const BYTE* bytes, std::size_t count, std::int64_t at_ns);
    // When the last byte handed over so far becomes readable; 0 for none.
    std::int64_t Last_Due_Ns() const;
    // The line drops: from now on every call on the open port fails as on a
    // device that hung up, and the line cannot be opened again.
    void Hang_Up();
    // Hangs up and lets go of the far end, which is called no more once
    // this returns (a far end going away while the program holds the port).
    void Drop_Far_End();

    // ---- The program's side, for the serial calls.
    // Exclusive, as a device is: false while open, or after a hang-up.
    bool Open();
    void Close();
    bool Is_Hung_Up() const;
    // Bytes readable at now_ns.
    std::size_t Queued(std::int64_t now_ns) const;
    std::size_t Read(BYTE* buffer, std::size_t count, std::int64_t now_ns);
    // Drops what is readable at now_ns; bytes still on their way come later.
    void Purge_Input(std::int64_t now_ns);
    // Hands each byte to the far end, outside the line's lock (the far end
    // answers through Deliver).
    void Write(const BYTE* bytes, std::size_t count);
    // When the next byte becomes readable, Never_Due for none.
    std::int64_t Next_Due_Ns() const;

private:
    struct Timed_Byte {
        std::int64_t due_ns;
        BYTE byte;
    };

    std::size_t Readable(std::int64_t now_ns) const;

    // Held while the far end answers; it answers through the line's own lock.
    std::mutex far_end_mutex;
    Far_End far_end;
    mutable std::mutex mutex;
    std::deque<Timed_Byte> incoming;
    std::int64_t last_due_ns = 0;
    bool open = false;
    bool hung_up = false;
};

// "\\.\COMn" opens the line from now on, until detached; a line attached
// later to the same number hides it until that one is detached.
void Attach_In_Process_Line(int com_number, std::shared_ptr<In_Process_Line> line);
void Detach_In_Process_Line(int com_number, const In_Process_Line* line);
// The line attached to that number, or nullptr.
std::shared_ptr<In_Process_Line> Attached_In_Process_Line(int com_number);

// The kernel object behind an open in-process port's handle.
class In_Process_Port final : public Kernel_Object {
public:
    // The line must be open already; closing the handle closes it.
    explicit In_Process_Port(std::shared_ptr<In_Process_Line> line);
    ~In_Process_Port() override;

    int Wait_Descriptor() const override;
    std::int64_t Signal_Due_Ns() const override;

    In_Process_Line& Line() const { return *line; }

    // The line set-up as last set, in the DCB's fields.
    DWORD baud_rate = 9600;
    BYTE byte_size = 8;
    BYTE parity = 0;
    BYTE stop_bits = 0;
    DWORD dtr_control = 1;
    DWORD rts_control = 1;

private:
    std::shared_ptr<In_Process_Line> line;
};
