#pragma once
// The refresh every block presenter of the SD and HD pages runs. A block
// hangs on a gate: the WCU link and, per block, the records it needs (an
// AMU present and polled, a data emitter there). While each source of the
// gate reads as in the record shown, a refresh rewrites only what changed
// in an up block and nothing in a down one; otherwise, and on a full
// refresh, the block is greyed or lit whole and, when up, redrawn whole.
//
// Presenter is the block's class: it gives this base its SetActive (bool),
// RefreshValues (bool full) and EvaluateAlarm, as a friend.

#include <algorithm>
#include <array>
#include <cstddef>

template <class Presenter>
class Block_Presenter {
public:
    bool IsActive() const { return Active; }
    bool HasAlarm() const { return Active && Alarm; }

protected:
    Block_Presenter() = default;

    // The sources of the gate in the record shown and in the record just
    // polled; the block is up while all of them hold in the polled one.
    template <std::size_t N>
    void Refresh(bool full, const std::array<bool, N>& shown_gate, const std::array<bool, N>& polled_gate)
    {
        Presenter& block = static_cast<Presenter&>(*this);
        const bool up = std::ranges::all_of(polled_gate, [](bool holds) { return holds; });
        if (!full && shown_gate == polled_gate) {
            if (up) {
                block.RefreshValues(false);
                block.EvaluateAlarm();
            }
            return;
        }
        block.SetActive(up);
        if (up) {
            block.RefreshValues(true);
        }
        block.EvaluateAlarm();
    }

    bool Alarm = false;
    bool Active = false;
};
