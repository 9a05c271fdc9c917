#include "tools/Wcu_Simulator.h"

#include "tools/Hd_Wcu.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sched.h>
#include <system_error>
#include <unistd.h>

namespace {

// The least that the link refuses as too long.
constexpr std::size_t Oversized_Length = 1024;
constexpr std::int64_t Ns_Per_Ms = 1'000'000;
constexpr std::int64_t Ns_Per_Line_Byte = 1'000'000'000 / Wcu_Simulator::Line_Bytes_Per_Second;

void Pause_Ms(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::vector<BYTE> Spoiled(std::vector<BYTE> answer, Wcu_Fault fault)
{
    switch (fault) {
    case Wcu_Fault::Silence:
        answer.clear();
        break;
    case Wcu_Fault::Short:
        if (!answer.empty()) {
            answer.pop_back();
        }
        break;
    case Wcu_Fault::Long:
        answer.push_back(0x00);
        break;
    case Wcu_Fault::Garbage:
        answer.assign(answer.size(), 0xFF);
        break;
    case Wcu_Fault::Oversized:
        answer.resize(std::max<std::size_t>(answer.size(), Oversized_Length), 0x00);
        break;
    default:
        break;
    }
    return answer;
}

} // namespace

Wcu_Simulator::Wcu_Simulator(Wcu_Line kind)
{
    if (kind == Wcu_Line::In_Process) {
        in_process = std::make_shared<In_Process_Line>([this](BYTE request) { Answer_In_Process(request); });
        return;
    }
    line = std::make_unique<Pseudo_Terminal>();
    int wake[2];
    if (pipe2(wake, O_CLOEXEC) != 0) {
        throw std::system_error(errno, std::generic_category(), "pipe2");
    }
    wake_read = wake[0];
    wake_write = wake[1];
    server = std::thread(&Wcu_Simulator::Serve, this);
}

Wcu_Simulator::~Wcu_Simulator()
{
    if (in_process) {
        in_process->Drop_Far_End();
        return;
    }
    const char stop = 0;
    while (write(wake_write, &stop, 1) < 0 && errno == EINTR) {
    }
    server.join();
    close(wake_read);
    close(wake_write);
}

void Wcu_Simulator::Set_Answer(BYTE request, std::vector<BYTE> answer)
{
    std::lock_guard lock(mutex);
    answers[request] = std::move(answer);
}

void Wcu_Simulator::Set_Hd(const Hd_Wcu& wcu)
{
    std::lock_guard lock(mutex);
    hd = std::make_unique<Hd_Wcu>(wcu);
}

void Wcu_Simulator::Queue_Fault(BYTE request, Wcu_Fault fault)
{
    std::lock_guard lock(mutex);
    faults[request].push_back(fault);
}

void Wcu_Simulator::Set_Paced(bool on)
{
    std::lock_guard lock(mutex);
    paced = on;
}

std::vector<BYTE> Wcu_Simulator::Requests() const
{
    std::lock_guard lock(mutex);
    return requests;
}

void Wcu_Simulator::Clear_Requests()
{
    std::lock_guard lock(mutex);
    requests.clear();
}

bool Wcu_Simulator::Send_Unasked(const std::vector<BYTE>& bytes)
{
    if (in_process) {
        in_process->Deliver(bytes.data(), bytes.size(), Kernel_Time_Ns());
        return !in_process->Is_Hung_Up();
    }
    return line->Write(bytes);
}

bool Wcu_Simulator::Wait_Idle()
{
    if (in_process) {
        Advance_Simulated_Time(in_process->Last_Due_Ns());
        return true;
    }
    std::unique_lock lock(mutex);
    bool idle = idle_changed.wait_for(lock, std::chrono::seconds(2), [this] {
        return !busy && unanswered.empty() && line->Queued() == 0;
    });
    line->Wait_Delivered();
    return idle;
}

void Wcu_Simulator::Serve()
{
    // A WCU answers at once: where the system allows it (root, or a
    // real-time priority limit), this thread runs ahead of ordinary load.
    // It never spins, so it takes nothing from anyone while it waits.
    sched_param priority {};
    priority.sched_priority = 1;
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &priority);
    for (;;) {
        pollfd watched[2] = {{line->Descriptor(), POLLIN, 0}, {wake_read, POLLIN, 0}};
        if (poll(watched, 2, -1) < 0) {
            continue;
        }
        if (watched[1].revents != 0) {
            return;
        }
        if ((watched[0].revents & POLLIN) == 0) {
            // A far end with no device end open reports a hang-up at once.
            Pause_Ms(watched[0].revents != 0 ? 10 : 0);
            continue;
        }
        {
            std::lock_guard lock(mutex);
            busy = true;
            for (BYTE byte : line->Read_Queued()) {
                unanswered.push_back(byte);
            }
        }
        BYTE request = 0;
        while (Take_Request(request)) {
            Answer(request);
        }
        std::lock_guard lock(mutex);
        busy = false;
        idle_changed.notify_all();
    }
}

bool Wcu_Simulator::Take_Request(BYTE& request)
{
    std::lock_guard lock(mutex);
    if (unanswered.empty() || hung_up) {
        unanswered.clear();
        return false;
    }
    request = unanswered.front();
    unanswered.pop_front();
    return true;
}

bool Wcu_Simulator::Make_Reply(BYTE request, Reply& reply)
{
    std::lock_guard lock(mutex);
    if (hung_up) {
        return false;
    }
    requests.push_back(request);
    Wcu_Fault fault = Wcu_Fault::None;
    auto& queue = faults[Is_Hd_Poll(request) ? Hd_Poll_Request : request];
    if (!queue.empty()) {
        fault = queue.front();
        queue.pop_front();
    }
    std::vector<BYTE> answer = Answer_Bytes(request, fault);
    const int delay_ms = in_process ? Fault_Delay_Ms : Real_Fault_Delay_Ms;
    reply.paced = paced;
    switch (fault) {
    case Wcu_Fault::Hang_Up:
        hung_up = true;
        reply.hang_up = true;
        break;
    case Wcu_Fault::Late:
        reply.parts = {{delay_ms, std::move(answer)}};
        break;
    case Wcu_Fault::Chunked: {
        const auto middle = answer.begin() + static_cast<std::ptrdiff_t>(answer.size() / 2);
        reply.parts = {{0, std::vector<BYTE>(answer.begin(), middle)},
                       {delay_ms, std::vector<BYTE>(middle, answer.end())}};
        break;
    }
    default:
        reply.parts = {{0, Spoiled(std::move(answer), fault)}};
        break;
    }
    return true;
}

std::vector<BYTE> Wcu_Simulator::Answer_Bytes(BYTE request, Wcu_Fault fault) const
{
    if (Is_Hd_Poll(request) && hd) {
        return hd->Frame(request, fault);
    }
    auto found = answers.find(request);
    return found != answers.end() ? found->second : std::vector<BYTE> {};
}

void Wcu_Simulator::Answer(BYTE request)
{
    Reply reply;
    if (!Make_Reply(request, reply)) {
        return;
    }
    if (reply.hang_up) {
        std::lock_guard lock(mutex);
        line->Hang_Up();
        return;
    }
    for (const Part& part : reply.parts) {
        if (part.pause_ms > 0) {
            Pause_Ms(part.pause_ms);
        }
        Send(part.bytes, reply.paced);
    }
}

// The WCU answers one request after another: an answer starts once the
// previous one has gone out.
void Wcu_Simulator::Answer_In_Process(BYTE request)
{
    Reply reply;
    if (!Make_Reply(request, reply)) {
        return;
    }
    if (reply.hang_up) {
        in_process->Hang_Up();
        return;
    }
    std::int64_t at = std::max(Kernel_Time_Ns(), in_process->Last_Due_Ns());
    for (const Part& part : reply.parts) {
        at += part.pause_ms * Ns_Per_Ms;
        if (!reply.paced) {
            in_process->Deliver(part.bytes.data(), part.bytes.size(), at);
            continue;
        }
        for (BYTE byte : part.bytes) {
            at += Ns_Per_Line_Byte;
            in_process->Deliver(&byte, 1, at);
        }
    }
}

void Wcu_Simulator::Send(const std::vector<BYTE>& bytes, bool at_line_rate)
{
    if (!at_line_rate) {
        line->Write(bytes);
        return;
    }
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const auto per_byte = std::chrono::nanoseconds(Ns_Per_Line_Byte);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::this_thread::sleep_until(start + per_byte * static_cast<std::ptrdiff_t>(i + 1));
        line->Write(&bytes[i], 1);
    }
}
