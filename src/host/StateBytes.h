// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Moving state between byte vectors and the SDK's MemoryStream.
#include "pluginterfaces/base/smartpointer.h"
#include "public.sdk/source/common/memorystream.h"
#include <cstdint>
#include <vector>

namespace Morvane {
namespace Host {

// A MemoryStream holding bytes, positioned at its start for reading.
Steinberg::IPtr<Steinberg::MemoryStream> memoryStreamWith (const std::vector<uint8_t>& bytes);
// Everything written to the stream, independent of its read position.
std::vector<uint8_t> bytesOf (const Steinberg::MemoryStream& stream);

// Little-endian 32-bit floats, the layout of a parameter-value state.
std::vector<uint8_t> floatBytes (const std::vector<float>& values);
// As many whole floats as the bytes hold.
std::vector<float> floatsOf (const std::vector<uint8_t>& bytes);

}   // namespace Host
}   // namespace Morvane
