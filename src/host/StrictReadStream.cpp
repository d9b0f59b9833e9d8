// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/StrictReadStream.h"
#include <algorithm>
#include <cstring>

namespace Morvane {
namespace Host {

using namespace Steinberg;

IMPLEMENT_FUNKNOWN_METHODS (StrictReadStream, IBStream, IBStream::iid)

StrictReadStream::StrictReadStream (std::vector<uint8_t> bytes) : data (std::move (bytes))
{
    FUNKNOWN_CTOR
}

StrictReadStream::~StrictReadStream ()
{
    FUNKNOWN_DTOR
}

tresult PLUGIN_API StrictReadStream::read (void* buffer, int32 numBytes, int32* numBytesRead)
{
    if (numBytes < 0 || (numBytes > 0 && !buffer))
        return kInvalidArgument;
    const size_t wanted = static_cast<size_t> (numBytes);
    const size_t available = std::min (wanted, data.size () - cursor);
    if (available > 0)
        std::memcpy (buffer, data.data () + cursor, available);
    cursor += available;
    if (numBytesRead)
        *numBytesRead = static_cast<int32> (available);
    return available == wanted ? kResultOk : kResultFalse;
}

tresult PLUGIN_API StrictReadStream::write (void*, int32, int32* numBytesWritten)
{
    if (numBytesWritten)
        *numBytesWritten = 0;
    return kNotImplemented;
}

tresult PLUGIN_API StrictReadStream::seek (int64 pos, int32 mode, int64* result)
{
    int64 target = pos;
    if (mode == kIBSeekCur)
        target += static_cast<int64> (cursor);
    else if (mode == kIBSeekEnd)
        target += static_cast<int64> (data.size ());
    else if (mode != kIBSeekSet)
        return kInvalidArgument;
    if (target < 0 || target > static_cast<int64> (data.size ()))
        return kResultFalse;
    cursor = static_cast<size_t> (target);
    if (result)
        *result = target;
    return kResultOk;
}

tresult PLUGIN_API StrictReadStream::tell (int64* pos)
{
    if (!pos)
        return kInvalidArgument;
    *pos = static_cast<int64> (cursor);
    return kResultOk;
}

}   // namespace Host
}   // namespace Morvane
