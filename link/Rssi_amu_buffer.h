#pragma once
// The recent received-level history of one HD AMU and the four smoothed
// levels shown on its RSSI meter: [0] the two strongest of its three tuners
// together, [1] to [3] each tuner alone.
//
// A sample is 255 minus a raw level byte, so a stronger signal (a smaller
// byte) gives a higher level and a tuner without a level (255) gives 0. The
// averages cover the last six samples of each row.

#include <array>

class RSSI_AMU_Buffer {
public:
    RSSI_AMU_Buffer() { Reset(); }
    // A copy carries the averages only, with an empty history of its own.
    RSSI_AMU_Buffer(const RSSI_AMU_Buffer& source) : RSSI_AMU_Buffer() { *this = source; }
    // The target keeps its own history: the snapshot's buffer is only read
    // through Get.
    RSSI_AMU_Buffer& operator=(const RSSI_AMU_Buffer& source);

    void Reset();
    // raw: the three tuners' level bytes, in tuner order.
    void Add(const int raw[3]);
    // The smoothed level k (0 to 3); 0 for any other k.
    int Get(int k) const;

    static constexpr int Rows = 4;
    static constexpr int Samples = 6;

    std::array<int, Rows> Averages{};
    std::array<std::array<int, Samples>, Rows> History{};
    int Index = 0;
    int Count = 0;
};
