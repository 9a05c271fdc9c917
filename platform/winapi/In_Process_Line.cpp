#include "platform/winapi/In_Process_Line.h"

#include <algorithm>
#include <limits>
#include <map>
#include <sys/eventfd.h>
#include <utility>
#include <vector>

namespace {

struct Attached_Lines {
    std::mutex mutex;
    std::map<int, std::vector<std::shared_ptr<In_Process_Line>>> lines;
};

Attached_Lines& Attached()
{
    static Attached_Lines attached;
    return attached;
}

// Waits need a descriptor; an in-process port is signalled only through its
// due time, so every port shares one that is never set.
int Never_Set_Descriptor()
{
    static const int descriptor = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    return descriptor;
}

} // namespace

In_Process_Line::In_Process_Line(Far_End end) : far_end(std::move(end)) {}

void In_Process_Line::Deliver(const BYTE* bytes, std::size_t count, std::int64_t at_ns)
{
    std::lock_guard lock(mutex);
    if (hung_up) {
        return;
    }
    for (std::size_t i = 0; i < count; ++i) {
        last_due_ns = std::max(last_due_ns, at_ns);
        incoming.push_back({last_due_ns, bytes[i]});
    }
}

std::int64_t In_Process_Line::Last_Due_Ns() const
{
    std::lock_guard lock(mutex);
    return last_due_ns;
}

void In_Process_Line::Hang_Up()
{
    std::lock_guard lock(mutex);
    hung_up = true;
    incoming.clear();
}

void In_Process_Line::Drop_Far_End()
{
    std::lock_guard answering(far_end_mutex);
    far_end = nullptr;
    Hang_Up();
}

bool In_Process_Line::Open()
{
    std::lock_guard lock(mutex);
    if (open || hung_up) {
        return false;
    }
    open = true;
    return true;
}

void In_Process_Line::Close()
{
    std::lock_guard lock(mutex);
    open = false;
}

bool In_Process_Line::Is_Hung_Up() const
{
    std::lock_guard lock(mutex);
    return hung_up;
}

std::size_t In_Process_Line::Readable(std::int64_t now_ns) const
{
    auto first_later = std::find_if(incoming.begin(), incoming.end(),
                                    [now_ns](const Timed_Byte& timed) { return timed.due_ns > now_ns; });
    return static_cast<std::size_t>(first_later - incoming.begin());
}

std::size_t In_Process_Line::Queued(std::int64_t now_ns) const
{
    std::lock_guard lock(mutex);
    return Readable(now_ns);
}

std::size_t In_Process_Line::Read(BYTE* buffer, std::size_t count, std::int64_t now_ns)
{
    std::lock_guard lock(mutex);
    const std::size_t taken = std::min(count, Readable(now_ns));
    for (std::size_t i = 0; i < taken; ++i) {
        buffer[i] = incoming[i].byte;
    }
    incoming.erase(incoming.begin(), incoming.begin() + static_cast<std::ptrdiff_t>(taken));
    return taken;
}

void In_Process_Line::Purge_Input(std::int64_t now_ns)
{
    std::lock_guard lock(mutex);
    incoming.erase(incoming.begin(), incoming.begin() + static_cast<std::ptrdiff_t>(Readable(now_ns)));
}

void In_Process_Line::Write(const BYTE* bytes, std::size_t count)
{
    std::lock_guard answering(far_end_mutex);
    for (std::size_t i = 0; i < count && far_end; ++i) {
        far_end(bytes[i]);
    }
}

std::int64_t In_Process_Line::Next_Due_Ns() const
{
    std::lock_guard lock(mutex);
    if (hung_up) {
        return std::numeric_limits<std::int64_t>::min();
    }
    return incoming.empty() ? Never_Due : incoming.front().due_ns;
}

void Attach_In_Process_Line(int com_number, std::shared_ptr<In_Process_Line> line)
{
    Attached_Lines& attached = Attached();
    std::lock_guard lock(attached.mutex);
    attached.lines[com_number].push_back(std::move(line));
}

void Detach_In_Process_Line(int com_number, const In_Process_Line* line)
{
    Attached_Lines& attached = Attached();
    std::lock_guard lock(attached.mutex);
    auto& stack = attached.lines[com_number];
    std::erase_if(stack, [line](const auto& one) { return one.get() == line; });
    if (stack.empty()) {
        attached.lines.erase(com_number);
    }
}

std::shared_ptr<In_Process_Line> Attached_In_Process_Line(int com_number)
{
    Attached_Lines& attached = Attached();
    std::lock_guard lock(attached.mutex);
    auto found = attached.lines.find(com_number);
    return found == attached.lines.end() ? nullptr : found->second.back();
}

In_Process_Port::In_Process_Port(std::shared_ptr<In_Process_Line> opened) : line(std::move(opened)) {}

In_Process_Port::~In_Process_Port()
{
    line->Close();
}

int In_Process_Port::Wait_Descriptor() const
{
    return Never_Set_Descriptor();
}

std::int64_t In_Process_Port::Signal_Due_Ns() const
{
    return line->Next_Due_Ns();
}
