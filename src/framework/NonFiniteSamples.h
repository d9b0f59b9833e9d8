// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finding and replacing NaN and infinity in audio blocks, by their bits: the test survives any
// floating-point compiler option, and the loops vectorise. Audio thread: no allocation.
#include <cstdint>
#include <cstring>

namespace NonFiniteSamples {

inline uint32_t magnitudeBits (float x)
{
    uint32_t bits;
    std::memcpy (&bits, &x, sizeof bits);
    return bits & 0x7fffffffu;
}

constexpr uint32_t kInfinityBits = 0x7f800000u;   // this and above: infinity or NaN

inline bool allFinite_rt (const float* samples, int n)
{
    // A magnitude at or above kInfinityBits carries into bit 31 when 0x00800000 is added: only
    // adds and ors, which vectorise with SSE2 alone.
    uint32_t carries = 0;
    for (int i = 0; i < n; ++i)
        carries |= magnitudeBits (samples[i]) + 0x00800000u;
    return (carries & 0x80000000u) == 0;
}

// out may be in.
inline void copyWithNonFiniteZeroed_rt (const float* in, float* out, int n)
{
    for (int i = 0; i < n; ++i)
        out[i] = magnitudeBits (in[i]) >= kInfinityBits ? 0.0f : in[i];
}

}   // namespace NonFiniteSamples
