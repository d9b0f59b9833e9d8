// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads a fuzzer's input front to back as the small values a harness decides with. Reads past
// the end yield zeros and empty strings, so every input decodes to something.
#include <cstddef>
#include <cstdint>
#include <string>

namespace OvermoorFuzz {

class FuzzBytes
{
public:
    FuzzBytes (const uint8_t* data, size_t size) : data (data), size (data != nullptr ? size : 0) {}

    bool empty () const { return cursor >= size; }
    size_t remaining () const { return size - cursor; }

    uint8_t byte () { return cursor < size ? data[cursor++] : 0; }
    uint16_t u16 () { return static_cast<uint16_t> (byte () | (byte () << 8)); }
    uint32_t u32 () { return static_cast<uint32_t> (u16 ()) | (static_cast<uint32_t> (u16 ()) << 16); }
    uint64_t u64 () { return static_cast<uint64_t> (u32 ()) | (static_cast<uint64_t> (u32 ()) << 32); }
    double f64 ();
    // Up to count bytes.
    std::string take (size_t count);
    // A length byte, then that many bytes; the length byte 255 announces a 16-bit length.
    std::string lengthPrefixed ();
    // Everything not read yet.
    std::string rest () { return take (remaining ()); }

private:
    const uint8_t* data;
    size_t size;
    size_t cursor = 0;
};

// The writer of the same format, for seed inputs and regression tests.
class FuzzBytesWriter
{
public:
    FuzzBytesWriter& byte (uint8_t value) { text.push_back (static_cast<char> (value)); return *this; }
    FuzzBytesWriter& u16 (uint16_t value) { return byte (value & 0xff).byte (value >> 8); }
    FuzzBytesWriter& u32 (uint32_t value) { return u16 (value & 0xffff).u16 (value >> 16); }
    FuzzBytesWriter& u64 (uint64_t value) { return u32 (value & 0xffffffffu).u32 (value >> 32); }
    FuzzBytesWriter& f64 (double value);
    FuzzBytesWriter& raw (const std::string& bytes) { text += bytes; return *this; }
    FuzzBytesWriter& lengthPrefixed (const std::string& bytes);

    const std::string& bytes () const { return text; }

private:
    std::string text;
};

} // namespace OvermoorFuzz
