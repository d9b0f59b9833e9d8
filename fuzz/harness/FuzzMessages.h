// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Processor-controller messages decoded from fuzzer bytes. A message is an id selector (one of
// the real ids, a raw id or none), up to eight attributes, each a key selector (a real key or a
// raw one), a type and a value. Selectors are taken modulo their range, so every byte string is a
// message and mutations move between real ids and keys often.
#include "FuzzBytes.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/ivstmessage.h"
#include <cstdint>
#include <string>
#include <vector>

namespace OvermoorFuzz {

struct FuzzAttribute
{
    enum class Type : uint8_t
    {
        integer,   // 8 bytes, little-endian
        real,      // 8 bytes, the bits of a double (NaN and infinities included)
        binary,    // length-prefixed bytes
        string,    // length-prefixed bytes widened one by one to UTF-16 (cut at a zero)
        keyedText, // binary: the key's own text followed by length-prefixed bytes (request texts)
        int32Block,// binary: 4 bytes (a parameter id request)
        pairBlock, // binary: 8 bytes (a custom-float-data request)
        flagByte   // binary: the one byte 1 (the list requests)
    };
    std::string key;
    Type type = Type::integer;
    int64_t integer = 0;
    double real = 0.0;
    std::string bytes;   // binary and string payloads, as stored
};

struct FuzzMessage
{
    bool hasId = true;
    std::string id;
    std::vector<FuzzAttribute> attributes;
};

constexpr size_t kMaxAttributes = 8;

FuzzMessage readMessage (FuzzBytes& input);
// Writes the message so that readMessage gives it back (payload types integer to string only).
void writeMessage (FuzzBytesWriter& output, const FuzzMessage& message);

// The message as the SDK's host-side HostMessage with a HostAttributeList.
Steinberg::IPtr<Steinberg::Vst::IMessage> makeHostMessage (const FuzzMessage& message);

// Convenience for seeds and tests.
FuzzAttribute intAttribute (const std::string& key, int64_t value);
FuzzAttribute floatAttribute (const std::string& key, double value);
FuzzAttribute binaryAttribute (const std::string& key, const std::string& bytes);
FuzzAttribute stringAttribute (const std::string& key, const std::string& text);

} // namespace OvermoorFuzz
