// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// 32-bit floats as four little-endian bytes: the layout of the component state and of the float
// blocks in processor-controller messages, independent of the machine's byte order.
#include <cstdint>
#include <cstring>

namespace CMVXLittleEndian {

inline void putFloat (float value, uint8_t* bytes)
{
    uint32_t bits = 0;
    std::memcpy (&bits, &value, sizeof (bits));
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<uint8_t> (bits >> (8 * i));
}

inline float getFloat (const uint8_t* bytes)
{
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= static_cast<uint32_t> (bytes[i]) << (8 * i);
    float value = 0.0f;
    std::memcpy (&value, &bits, sizeof (value));
    return value;
}

}   // namespace CMVXLittleEndian
