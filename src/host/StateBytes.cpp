// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/StateBytes.h"
#include <cstring>

namespace Morvane {
namespace Host {

using namespace Steinberg;

IPtr<MemoryStream> memoryStreamWith (const std::vector<uint8_t>& bytes)
{
    auto stream = owned (new MemoryStream);
    if (!bytes.empty ())
    {
        int32 written = 0;
        stream->write (const_cast<uint8_t*> (bytes.data ()), static_cast<int32> (bytes.size ()),
                       &written);
    }
    stream->seek (0, IBStream::kIBSeekSet, nullptr);
    return stream;
}

std::vector<uint8_t> bytesOf (const MemoryStream& stream)
{
    const char* data = stream.getData ();
    const auto size = static_cast<size_t> (stream.getSize ());
    if (!data || size == 0)
        return {};
    return std::vector<uint8_t> (data, data + size);
}

// The platform is little-endian (x86_64), so a float's bytes are copied as they are.
std::vector<uint8_t> floatBytes (const std::vector<float>& values)
{
    std::vector<uint8_t> bytes (values.size () * sizeof (float));
    if (!values.empty ())
        std::memcpy (bytes.data (), values.data (), bytes.size ());
    return bytes;
}

std::vector<float> floatsOf (const std::vector<uint8_t>& bytes)
{
    std::vector<float> values (bytes.size () / sizeof (float));
    if (!values.empty ())
        std::memcpy (values.data (), bytes.data (), values.size () * sizeof (float));
    return values;
}

}   // namespace Host
}   // namespace Morvane
