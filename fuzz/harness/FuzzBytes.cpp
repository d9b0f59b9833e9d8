// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzBytes.h"
#include <algorithm>
#include <cstring>

namespace OvermoorFuzz {

double FuzzBytes::f64 ()
{
    const uint64_t bits = u64 ();
    double value = 0.0;
    std::memcpy (&value, &bits, sizeof value);
    return value;
}

std::string FuzzBytes::take (size_t count)
{
    const size_t length = std::min (count, remaining ());
    std::string bytes (reinterpret_cast<const char*> (data) + cursor, length);
    cursor += length;
    return bytes;
}

std::string FuzzBytes::lengthPrefixed ()
{
    size_t length = byte ();
    if (length == 255)
        length = u16 ();
    return take (length);
}

FuzzBytesWriter& FuzzBytesWriter::f64 (double value)
{
    uint64_t bits = 0;
    std::memcpy (&bits, &value, sizeof bits);
    return u64 (bits);
}

FuzzBytesWriter& FuzzBytesWriter::lengthPrefixed (const std::string& bytes)
{
    const size_t length = std::min<size_t> (bytes.size (), 0xffff);
    if (length < 255)
        byte (static_cast<uint8_t> (length));
    else
        byte (255).u16 (static_cast<uint16_t> (length));
    return raw (bytes.substr (0, length));
}

} // namespace OvermoorFuzz
