// Window procedures bound to objects: a fixed table of plain functions, each
// calling the handler in its slot.

#include "platform/winapi/Window.h"

#include <array>
#include <deque>
#include <utility>

namespace {

constexpr std::size_t Slot_Count = 512;

std::array<Window_Procedure_Handler, Slot_Count> handlers;

template <std::size_t Slot>
LRESULT Slot_Procedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param)
{
    const Window_Procedure_Handler& handler = handlers[Slot];
    if (!handler)
        return DefWindowProcA(window, message, w_param, l_param);
    return handler(window, message, w_param, l_param);
}

template <std::size_t... Slots>
constexpr std::array<WNDPROC, Slot_Count> Make_Table(std::index_sequence<Slots...>)
{
    return {&Slot_Procedure<Slots>...};
}

const std::array<WNDPROC, Slot_Count> procedures = Make_Table(std::make_index_sequence<Slot_Count>());

// Freed slots are reused oldest first, so that a stale pointer to a freed
// procedure stays harmless for as long as possible.
std::deque<std::size_t>& Free_Slots()
{
    static std::deque<std::size_t> free_slots = [] {
        std::deque<std::size_t> all;
        for (std::size_t slot = 0; slot < Slot_Count; ++slot)
            all.push_back(slot);
        return all;
    }();
    return free_slots;
}

} // namespace

WNDPROC Make_Window_Procedure(Window_Procedure_Handler handler)
{
    if (!handler || Free_Slots().empty())
        return nullptr;
    const std::size_t slot = Free_Slots().front();
    Free_Slots().pop_front();
    handlers[slot] = std::move(handler);
    return procedures[slot];
}

void Free_Window_Procedure(WNDPROC procedure)
{
    for (std::size_t slot = 0; slot < Slot_Count; ++slot) {
        if (procedures[slot] == procedure && handlers[slot]) {
            handlers[slot] = nullptr;
            Free_Slots().push_back(slot);
            return;
        }
    }
}
