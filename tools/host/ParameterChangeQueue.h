// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Edits from the window on their way to the audio thread: a fixed ring of (id, value) written by
// one thread and read by one other, neither of which ever waits or allocates. A full ring refuses
// the edit; the next performEdit of a drag carries the newer value anyway.
#include "pluginterfaces/vst/vsttypes.h"
#include <array>
#include <atomic>
#include <cstddef>

namespace Morvane {
namespace HostTool {

class ParameterChangeQueue
{
public:
    struct Change
    {
        Steinberg::Vst::ParamID id;
        Steinberg::Vst::ParamValue value;
    };
    static constexpr size_t kCapacity = 1024;   // a power of two

    bool push (const Change& change)
    {
        const size_t w = writeIndex.load (std::memory_order_relaxed);
        if (w - readIndex.load (std::memory_order_acquire) >= kCapacity)
            return false;
        slots[w & (kCapacity - 1)] = change;
        writeIndex.store (w + 1, std::memory_order_release);
        return true;
    }

    // Audio thread.
    bool pop_rt (Change& change)
    {
        const size_t r = readIndex.load (std::memory_order_relaxed);
        if (r == writeIndex.load (std::memory_order_acquire))
            return false;
        change = slots[r & (kCapacity - 1)];
        readIndex.store (r + 1, std::memory_order_release);
        return true;
    }

private:
    std::array<Change, kCapacity> slots {};
    alignas (64) std::atomic<size_t> writeIndex {0};
    alignas (64) std::atomic<size_t> readIndex {0};
};

}   // namespace HostTool
}   // namespace Morvane
