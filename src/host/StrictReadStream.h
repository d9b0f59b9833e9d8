// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A read-only IBStream over a byte block that reports a read past the end as kResultFalse (with
// the bytes that were there copied and counted), as some hosts' streams do. The SDK's
// MemoryStream instead returns success with fewer bytes; state code must handle both.
#include "pluginterfaces/base/ibstream.h"
#include <cstdint>
#include <vector>

namespace Morvane {
namespace Host {

class StrictReadStream : public Steinberg::IBStream
{
public:
    explicit StrictReadStream (std::vector<uint8_t> bytes);
    virtual ~StrictReadStream ();

    Steinberg::tresult PLUGIN_API read (void* buffer, Steinberg::int32 numBytes,
                                        Steinberg::int32* numBytesRead) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API write (void* buffer, Steinberg::int32 numBytes,
                                         Steinberg::int32* numBytesWritten) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API seek (Steinberg::int64 pos, Steinberg::int32 mode,
                                        Steinberg::int64* result) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API tell (Steinberg::int64* pos) SMTG_OVERRIDE;

    DECLARE_FUNKNOWN_METHODS

private:
    std::vector<uint8_t> data;
    size_t cursor = 0;
};

}   // namespace Host
}   // namespace Morvane
