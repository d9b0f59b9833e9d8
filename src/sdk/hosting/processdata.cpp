// SPDX-License-Identifier: GPL-3.0-or-later
#include "sdk/hosting/processdata.h"
#include <algorithm>

namespace Steinberg {
namespace Vst {

HostProcessData::~HostProcessData ()
{
    unprepare ();
}

bool HostProcessData::prepare (IComponent& component, int32 samples, int32 sampleSize)
{
    std::vector<int32> channels[2];
    const BusDirection directions[2] = {kInput, kOutput};
    for (int d = 0; d < 2; ++d)
    {
        const int32 count = component.getBusCount (kAudio, directions[d]);
        for (int32 i = 0; i < count; ++i)
        {
            BusInfo info {};
            if (component.getBusInfo (kAudio, directions[d], i, info) != kResultOk)
                return false;
            channels[d].push_back (info.channelCount);
        }
    }
    return prepare (channels[0], channels[1], samples, sampleSize);
}

bool HostProcessData::prepare (const std::vector<int32>& inputChannelsPerBus,
                               const std::vector<int32>& outputChannelsPerBus, int32 samples,
                               int32 sampleSize)
{
    unprepare ();
    if (samples < 0 || (sampleSize != kSample32 && sampleSize != kSample64))
        return false;
    for (const auto* list : {&inputChannelsPerBus, &outputChannelsPerBus})
        for (int32 n : *list)
            if (n < 0)
                return false;
    bufferSamples = samples;
    symbolicSampleSize = sampleSize;
    createBuffers (inputChannelsPerBus, inputStorage, inputBuffers);
    createBuffers (outputChannelsPerBus, outputStorage, outputBuffers);
    numInputs = static_cast<int32> (inputBuffers.size ());
    numOutputs = static_cast<int32> (outputBuffers.size ());
    inputs = inputBuffers.empty () ? nullptr : inputBuffers.data ();
    outputs = outputBuffers.empty () ? nullptr : outputBuffers.data ();
    return true;
}

void HostProcessData::unprepare ()
{
    numInputs = numOutputs = 0;
    inputs = outputs = nullptr;
    numSamples = 0;
    bufferSamples = 0;
    inputBuffers.clear ();
    outputBuffers.clear ();
    inputStorage.clear ();
    outputStorage.clear ();
}

void HostProcessData::createBuffers (const std::vector<int32>& channelsPerBus,
                                     std::vector<BusStorage>& storage,
                                     std::vector<AudioBusBuffers>& buffers)
{
    storage.assign (channelsPerBus.size (), BusStorage {});
    buffers.assign (channelsPerBus.size (), AudioBusBuffers {});
    for (size_t b = 0; b < storage.size (); ++b)
    {
        BusStorage& s = storage[b];
        s.numChannels = channelsPerBus[b];
        const size_t total =
            static_cast<size_t> (s.numChannels) * static_cast<size_t> (bufferSamples);
        if (symbolicSampleSize == kSample32)
            s.samples32.assign (total, 0.0f);
        else
            s.samples64.assign (total, 0.0);
        s.pointers32.assign (static_cast<size_t> (s.numChannels), nullptr);
        s.pointers64.assign (static_cast<size_t> (s.numChannels), nullptr);
        buffers[b].numChannels = s.numChannels;
    }
    pointAtOwnMemory (storage, buffers);
}

void HostProcessData::pointAtOwnMemory (std::vector<BusStorage>& storage,
                                        std::vector<AudioBusBuffers>& buffers)
{
    for (size_t b = 0; b < storage.size (); ++b)
    {
        BusStorage& s = storage[b];
        for (int32 c = 0; c < s.numChannels; ++c)
        {
            const size_t at = static_cast<size_t> (c) * static_cast<size_t> (bufferSamples);
            const size_t ci = static_cast<size_t> (c);
            s.pointers32[ci] =
                bufferSamples > 0 && !s.samples32.empty () ? &s.samples32[at] : nullptr;
            s.pointers64[ci] =
                bufferSamples > 0 && !s.samples64.empty () ? &s.samples64[at] : nullptr;
        }
        if (symbolicSampleSize == kSample32)
            buffers[b].channelBuffers32 = s.pointers32.empty () ? nullptr : s.pointers32.data ();
        else
            buffers[b].channelBuffers64 = s.pointers64.empty () ? nullptr : s.pointers64.data ();
    }
}

HostProcessData::BusStorage* HostProcessData::bus (std::vector<BusStorage>& storage, int32 index,
                                                   int32 channel)
{
    if (index < 0 || index >= static_cast<int32> (storage.size ()))
        return nullptr;
    BusStorage& s = storage[static_cast<size_t> (index)];
    if (channel < 0 || channel >= s.numChannels || bufferSamples == 0)
        return nullptr;
    return &s;
}

Sample32* HostProcessData::inputChannel32 (int32 b, int32 c)
{
    BusStorage* s = bus (inputStorage, b, c);
    return s && !s->samples32.empty () ? &s->samples32[static_cast<size_t> (c * bufferSamples)]
                                       : nullptr;
}

Sample32* HostProcessData::outputChannel32 (int32 b, int32 c)
{
    BusStorage* s = bus (outputStorage, b, c);
    return s && !s->samples32.empty () ? &s->samples32[static_cast<size_t> (c * bufferSamples)]
                                       : nullptr;
}

Sample64* HostProcessData::inputChannel64 (int32 b, int32 c)
{
    BusStorage* s = bus (inputStorage, b, c);
    return s && !s->samples64.empty () ? &s->samples64[static_cast<size_t> (c * bufferSamples)]
                                       : nullptr;
}

Sample64* HostProcessData::outputChannel64 (int32 b, int32 c)
{
    BusStorage* s = bus (outputStorage, b, c);
    return s && !s->samples64.empty () ? &s->samples64[static_cast<size_t> (c * bufferSamples)]
                                       : nullptr;
}

void HostProcessData::setInPlace (bool inPlace)
{
    pointAtOwnMemory (outputStorage, outputBuffers);
    if (!inPlace)
        return;
    const size_t busses = std::min (inputStorage.size (), outputStorage.size ());
    for (size_t b = 0; b < busses; ++b)
    {
        BusStorage& in = inputStorage[b];
        BusStorage& out = outputStorage[b];
        const size_t channels = static_cast<size_t> (std::min (in.numChannels, out.numChannels));
        for (size_t c = 0; c < channels; ++c)
        {
            out.pointers32[c] = in.pointers32[c];
            out.pointers64[c] = in.pointers64[c];
        }
    }
}

void HostProcessData::clearBuffers ()
{
    for (auto* storage : {&inputStorage, &outputStorage})
        for (BusStorage& s : *storage)
        {
            std::fill (s.samples32.begin (), s.samples32.end (), 0.0f);
            std::fill (s.samples64.begin (), s.samples64.end (), 0.0);
        }
    for (auto* buffers : {&inputBuffers, &outputBuffers})
        for (AudioBusBuffers& b : *buffers)
            b.silenceFlags = 0;
}

}   // namespace Vst
}   // namespace Steinberg
