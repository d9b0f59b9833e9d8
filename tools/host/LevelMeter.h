// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The peak of a signal as the audio thread saw it, read and reset by the window: the highest
// absolute sample since the last read, and a count of blocks that reached full scale.
#include <atomic>
#include <cmath>
#include <cstdint>

namespace Morvane {
namespace HostTool {

class LevelMeter
{
public:
    // Audio thread.
    void update_rt (const float* samples, uint32_t count)
    {
        float blockPeak = 0.f;
        for (uint32_t i = 0; i < count; ++i)
            blockPeak = std::fmax (blockPeak, std::fabs (samples[i]));
        if (blockPeak > peak.load (std::memory_order_relaxed))
            peak.store (blockPeak, std::memory_order_relaxed);
        if (blockPeak >= 1.f)
            clips.fetch_add (1, std::memory_order_relaxed);
    }

    // The peak since the last call (linear, 1 = 0 dBFS).
    float takePeak () { return peak.exchange (0.f, std::memory_order_relaxed); }
    // Grows by one for every block that reached or passed 0 dBFS.
    uint32_t clipCount () const { return clips.load (std::memory_order_relaxed); }

private:
    std::atomic<float> peak {0.f};
    std::atomic<uint32_t> clips {0};
};

}   // namespace HostTool
}   // namespace Morvane
