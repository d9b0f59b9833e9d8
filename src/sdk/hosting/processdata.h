// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ProcessData that owns its bus buffers: one AudioBusBuffers per audio bus, channel pointer arrays
// and zeroed sample memory for a maximum block size. Same name and prepare/unprepare behaviour as
// the SDK's hosting class, plus accessors a test or an offline renderer needs.
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include <vector>

namespace Steinberg {
namespace Vst {

class HostProcessData : public ProcessData
{
public:
    HostProcessData () = default;
    virtual ~HostProcessData ();
    HostProcessData (const HostProcessData&) = delete;
    HostProcessData& operator= (const HostProcessData&) = delete;

    // Sizes one buffer set per audio bus of the component, with each bus's channel count from
    // getBusInfo. bufferSamples 0 leaves the channel pointers null (the caller sets them).
    bool prepare (IComponent& component, int32 bufferSamples, int32 symbolicSampleSize);
    // The same from channel counts per bus.
    bool prepare (const std::vector<int32>& inputChannelsPerBus,
                  const std::vector<int32>& outputChannelsPerBus, int32 bufferSamples,
                  int32 symbolicSampleSize);
    void unprepare ();

    int32 getBufferSamples () const { return bufferSamples; }

    // Owned sample memory of a channel (not the pointer currently handed to the processor);
    // null for a bad index or the other sample size.
    Sample32* inputChannel32 (int32 bus, int32 channel);
    Sample32* outputChannel32 (int32 bus, int32 channel);
    Sample64* inputChannel64 (int32 bus, int32 channel);
    Sample64* outputChannel64 (int32 bus, int32 channel);

    // Points every output channel at the input channel of the same bus and index (processing in
    // place), or back at its own memory.
    void setInPlace (bool inPlace);
    // Zeroes all sample memory and silence flags.
    void clearBuffers ();

protected:
    struct BusStorage
    {
        int32 numChannels = 0;
        std::vector<Sample32*> pointers32;
        std::vector<Sample64*> pointers64;
        std::vector<Sample32> samples32;
        std::vector<Sample64> samples64;
    };

    void createBuffers (const std::vector<int32>& channelsPerBus, std::vector<BusStorage>& storage,
                        std::vector<AudioBusBuffers>& buffers);
    void pointAtOwnMemory (std::vector<BusStorage>& storage, std::vector<AudioBusBuffers>& buffers);
    BusStorage* bus (std::vector<BusStorage>& storage, int32 index, int32 channel);

    int32 bufferSamples = 0;
    std::vector<BusStorage> inputStorage;
    std::vector<BusStorage> outputStorage;
    std::vector<AudioBusBuffers> inputBuffers;
    std::vector<AudioBusBuffers> outputBuffers;
};

}   // namespace Vst
}   // namespace Steinberg
