// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProcessorTestSupport.h"
#include <algorithm>
#include <cstring>
#include <memory>

using namespace Steinberg;

RecordingDsp::RecordingDsp ()
{
    auto owned = std::make_unique<RecordingAlgorithm> ();
    recordingAlgorithm = owned.get ();
    addAlgorithm (0, std::move (owned));
    writes.reserve (64);
    processCalls.reserve (64);
}

void RecordingDsp::setParameterNormalized (int32_t id, float value, int32_t* changedIds,
                                           int32_t* changedCount)
{
    writes.emplace_back (id, value);
    if (id >= 0 && id < 16)
        valueOf[id] = value;
    if (changedIds && changedCount)
    {
        *changedCount = 0;
        for (int32_t reported : reportOnWrite)
            changedIds[(*changedCount)++] = reported;
    }
}

float RecordingDsp::getParameterNormalized (int32_t id)
{
    return id >= 0 && id < 16 ? valueOf[id] : 0.0f;
}

void RecordingDsp::process (float** inputs, float** outputs, int32_t numSamples,
                            int32_t* changedIds, int32_t* changedCount)
{
    ProcessCall call {{inputs[0], inputs[1]}, {outputs[0], outputs[1]}, numSamples,
                      std::equal (inputs[0], inputs[0] + numSamples, inputs[1])};
    processCalls.push_back (call);
    for (int32_t i = 0; i < numSamples; ++i)
    {
        outputs[0][i] = 0.5f * inputs[0][i];
        outputs[1][i] = kSecondOutputMarker;
    }
    *changedCount = 0;
    for (int32_t reported : reportOnProcess)
        changedIds[(*changedCount)++] = reported;
}

ProcessorOnRecordingDsp::ProcessorOnRecordingDsp ()
{
    installDsp (std::make_unique<RecordingDsp> ());
}

tresult PLUGIN_API FailingReadStream::read (void* buffer, int32 numBytes, int32* numBytesRead)
{
    int64 position = 0;
    tell (&position);
    int64 end = 0;
    seek (0, kIBSeekEnd, &end);
    seek (position, kIBSeekSet, nullptr);
    if (end - position < numBytes)
    {
        if (numBytesRead)
            *numBytesRead = 0;
        return kResultFalse;
    }
    return MemoryStream::read (buffer, numBytes, numBytesRead);
}

std::vector<uint8_t> littleEndianBytes (const std::vector<float>& values)
{
    std::vector<uint8_t> bytes;
    for (float value : values)
    {
        uint32_t bits = 0;
        std::memcpy (&bits, &value, 4);
        for (int i = 0; i < 4; ++i)
            bytes.push_back (static_cast<uint8_t> (bits >> (8 * i)));
    }
    return bytes;
}

void fillStream (MemoryStream& stream, const std::vector<uint8_t>& bytes)
{
    int32 written = 0;
    stream.write (const_cast<uint8_t*> (bytes.data ()), static_cast<int32> (bytes.size ()), &written);
    stream.seek (0, IBStream::kIBSeekSet, nullptr);
}

std::vector<uint8_t> streamBytes (MemoryStream& stream)
{
    const auto* data = reinterpret_cast<const uint8_t*> (stream.getData ());
    return std::vector<uint8_t> (data, data + stream.getSize ());
}
