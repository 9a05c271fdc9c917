#pragma once
// A WCU on the far end of a serial line: it answers each request byte with
// the answer set for it, optionally paced at the line's real rate, and can
// spoil the next answer to a given request with a fault. Shared by the test
// fixture and the command-line simulator.
//
// One answering core serves two lines. On a pseudo-terminal a thread of its
// own reads the requests and writes the answers in real time (the tool, and
// tests of the serial layer and of the program end to end). On an in-process
// line (platform/winapi/In_Process_Line.h) the answer is made at the moment
// the request is written, on the writing thread, and each byte is handed
// over with its moment on the reader's clock: a delayed or paced answer
// arrives at a simulated time, whenever the threads run.
//
// Requests are one byte each. An HD poll (0xC0 to 0xFF, the two spectrum
// tuners in its low bits) is answered with a frame built for its tuners from
// the HD camera system set with Set_Hd.

#include "platform/winapi/In_Process_Line.h"
#include "tools/Pseudo_Terminal.h"

#include <array>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

enum class Wcu_Fault {
    None,
    Silence,  // no answer at all
    Short,    // the answer without its last byte
    Long,     // the answer with one byte too many (a trailing byte)
    Late,     // the whole answer, but only after Fault_Delay_Ms
    Chunked,  // the first half at once, the rest after Fault_Delay_Ms
    Garbage,  // as many bytes as the answer, every one 0xFF
    Hang_Up,  // the line drops instead of answering
    Oversized, // padded with zero bytes to 1024 bytes
    // HD frames only (see Hd_Wcu::Frame).
    Wrong_Spectrum_Tag, // the first spectrum present tagged for another tuner
    Wcu_Absent_Early,   // the WCU header's absent tag before the header block
    Zero_Length,        // the first block present sent with length 0, no data
    Short_Block,        // the first fixed-layout block present one byte short
};

struct Hd_Wcu;

enum class Wcu_Line { Pseudo_Terminal, In_Process };

class Wcu_Simulator {
public:
    // The pause of a late answer or inside a chunked one, on simulated time:
    // far past the link's 20 ms read of a short answer, and past the 30 ms
    // silence that ends a long one.
    static constexpr int Fault_Delay_Ms = 100;
    // The same in real time on a pseudo-terminal, where the scheduler may
    // wake the reader late: far beyond any such delay.
    static constexpr int Real_Fault_Delay_Ms = 1000;
    // 38400 baud, 10 bits a byte.
    static constexpr int Line_Bytes_Per_Second = 3840;

    // On a pseudo-terminal; throws std::system_error when none can be had.
    Wcu_Simulator() : Wcu_Simulator(Wcu_Line::Pseudo_Terminal) {}
    explicit Wcu_Simulator(Wcu_Line kind);
    ~Wcu_Simulator();
    Wcu_Simulator(const Wcu_Simulator&) = delete;
    Wcu_Simulator& operator=(const Wcu_Simulator&) = delete;

    // The pseudo-terminal; a simulator on an in-process line has none.
    Pseudo_Terminal& Line() { return *line; }
    // The in-process line, to attach to a COM number; null on a
    // pseudo-terminal.
    const std::shared_ptr<In_Process_Line>& In_Process() const { return in_process; }
    // Puts bytes on the line now, unasked.
    bool Send_Unasked(const std::vector<BYTE>& bytes);

    // Any HD poll; faults for every HD poll are queued under this byte.
    static constexpr BYTE Hd_Poll_Request = 0xC0;
    static bool Is_Hd_Poll(BYTE request) { return request >= Hd_Poll_Request; }

    // The answer to a request from now on; an empty answer is silence.
    void Set_Answer(BYTE request, std::vector<BYTE> answer);
    // The camera system whose frames answer the HD polls from now on.
    void Set_Hd(const Hd_Wcu& wcu);
    // Spoils the next answer to that request (faults queue up in order).
    void Queue_Fault(BYTE request, Wcu_Fault fault);
    // Writes answers at the line rate instead of at once.
    void Set_Paced(bool paced);

    // Every request received since the start or the last clear, in order.
    std::vector<BYTE> Requests() const;
    void Clear_Requests();
    // Waits until every request sent so far was answered; false after
    // two seconds without that. On an in-process line the answers are made
    // at once: the caller's simulated time moves on to the last answer byte.
    bool Wait_Idle();

private:
    // The answer to one request as the line should carry it: parts, each
    // sent after a pause, or a hang-up.
    struct Part {
        int pause_ms;
        std::vector<BYTE> bytes;
    };
    struct Reply {
        std::vector<Part> parts;
        bool hang_up = false;
        bool paced = false;
    };

    void Serve();
    bool Take_Request(BYTE& request);
    // Notes the request and takes its fault; nothing once the line is down.
    bool Make_Reply(BYTE request, Reply& reply);
    // The answer to send, spoiled by the fault.
    std::vector<BYTE> Answer_Bytes(BYTE request, Wcu_Fault fault) const;
    void Answer(BYTE request);
    void Answer_In_Process(BYTE request);
    void Send(const std::vector<BYTE>& bytes, bool at_line_rate);

    std::unique_ptr<Pseudo_Terminal> line;
    std::shared_ptr<In_Process_Line> in_process;
    mutable std::mutex mutex;
    std::condition_variable idle_changed;
    std::map<BYTE, std::vector<BYTE>> answers;
    std::unique_ptr<Hd_Wcu> hd;
    std::map<BYTE, std::deque<Wcu_Fault>> faults;
    std::vector<BYTE> requests;
    std::deque<BYTE> unanswered;
    bool paced = false;
    bool busy = false;
    bool hung_up = false;
    int wake_read = -1;
    int wake_write = -1;
    std::thread server;
};
