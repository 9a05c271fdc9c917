#include "link/Rssi_amu_buffer.h"

#include "platform/classlib/SysUtils.h"

#include <algorithm>

RSSI_AMU_Buffer& RSSI_AMU_Buffer::operator=(const RSSI_AMU_Buffer& source)
{
    Averages = source.Averages;
    return *this;
}

void RSSI_AMU_Buffer::Reset()
{
    Index = 0;
    Count = 0;
    Averages.fill(0);
}

void RSSI_AMU_Buffer::Add(const int raw[3])
{
    std::array<int, 3> sorted{raw[0], raw[1], raw[2]};
    std::ranges::sort(sorted);
    // The two smallest bytes are the two strongest tuners.
    const int best_two = (sorted[0] + sorted[1]) / 2;
    History[0][static_cast<std::size_t>(Index)] = 255 - best_two;
    for (std::size_t tuner = 0; tuner < 3; ++tuner) {
        History[tuner + 1][static_cast<std::size_t>(Index)] = 255 - raw[tuner];
    }
    Index = Index == Samples - 1 ? 0 : Index + 1;
    Count = std::min(Count + 1, Samples);

    for (std::size_t row = 0; row < Rows; ++row) {
        int sum = 0;
        for (std::size_t sample = 0; sample < static_cast<std::size_t>(Count); ++sample) {
            sum += History[row][sample];
        }
        Averages[row] = static_cast<int>(Trunc(static_cast<double>(sum) / Count + 0.5));
    }
}

int RSSI_AMU_Buffer::Get(int k) const
{
    return k >= 0 && k < Rows ? Averages[static_cast<std::size_t>(k)] : 0;
}
