// SPDX-License-Identifier: GPL-3.0-or-later
// The processor's audio thread: parameter queues in and out, and the block through the DSP host.
// Nothing here allocates, locks or waits.
#include "processor/CMVXAudioPlugInVST3.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"
#include <algorithm>
#include <cmath>
#include <cstdint>

using namespace Steinberg;
using namespace Steinberg::Vst;

void CMVXAudioPlugInVST3::queueOutputId_rt (int32_t id)
{
    if (std::find (pendingOutputIds.begin (), pendingOutputIds.end (), id)
        != pendingOutputIds.end ())
        return;
    if (pendingOutputIds.size () < pendingOutputIds.capacity ())
        pendingOutputIds.push_back (id);
}

void CMVXAudioPlugInVST3::queueOutputIds_rt (const int32_t* ids, int32_t count, int32_t capacity)
{
    count = std::min (count, capacity);
    for (int32_t i = 0; i < count; ++i)
        queueOutputId_rt (ids[i]);
}

// Audio thread. Only the last point of each queue counts: values change once per block.
void CMVXAudioPlugInVST3::processInputParameterChanges (ProcessData& data)
{
    IParameterChanges* changes = data.inputParameterChanges;
    if (!changes || !dsp)
        return;
    const int32 queueCount = changes->getParameterCount ();
    for (int32 q = 0; q < queueCount; ++q)
    {
        IParamValueQueue* queue = changes->getParameterData (q);
        if (!queue)
            continue;
        const int32 pointCount = queue->getPointCount ();
        if (pointCount <= 0)
            continue;
        int32 sampleOffset = 0;
        ParamValue value = 0.0;
        if (queue->getPoint (pointCount - 1, sampleOffset, value) != kResultOk
            || !std::isfinite (value))
            continue;
        value = std::min (std::max (value, 0.0), 1.0);
        hostChangeCount = 0;
        dsp->setParameterNormalized (static_cast<int32_t> (queue->getParameterId ()),
                                     static_cast<float> (value), hostChangeIds.get (),
                                     &hostChangeCount);
        queueOutputIds_rt (hostChangeIds.get (), hostChangeCount, maxParameterReports);
        hostChangeCount = 0;
    }
}

// Audio thread. An id whose queue the host cannot give stays pending for the next block.
void CMVXAudioPlugInVST3::processOutputParameterChanges (ProcessData& data)
{
    IParameterChanges* changes = data.outputParameterChanges;
    if (!changes)
        return;
    while (!pendingOutputIds.empty ())
    {
        const int32_t id = pendingOutputIds.front ();
        const float value = getParameterValue (id);
        int32 queueIndex = 0;
        IParamValueQueue* queue = changes->addParameterData (static_cast<ParamID> (id), queueIndex);
        if (!queue)
            break;
        pendingOutputIds.erase (pendingOutputIds.begin ());
        int32 pointIndex = 0;
        queue->addPoint (0, static_cast<ParamValue> (value), pointIndex);
    }
}

tresult PLUGIN_API CMVXAudioPlugInVST3::process (ProcessData& data)
{
    processInputParameterChanges (data);
    if (data.numInputs <= 0 || data.numOutputs <= 0 || !data.inputs || !data.outputs)
        return kResultOk;
    processAudio_rt (data);
    return kResultOk;
}

namespace {

bool hasChannels (const AudioBusBuffers& bus, int32_t count)
{
    if (bus.numChannels < count || !bus.channelBuffers32)
        return false;
    for (int32_t c = 0; c < count; ++c)
        if (!bus.channelBuffers32[c])
            return false;
    return true;
}

}   // namespace

// Audio thread. A mono bus is widened to the DSP's two channels with the scratch buffers; the
// second output is discarded.
void CMVXAudioPlugInVST3::processAudio_rt (ProcessData& data)
{
    AudioBusBuffers& in = data.inputs[0];
    AudioBusBuffers& out = data.outputs[0];
    const int32_t numSamples = data.numSamples;
    const int32_t channels = std::min<int32_t> (in.numChannels, 2);
    const bool usable = data.symbolicSampleSize == kSample32 && numSamples > 0 && channels > 0
                        && hasChannels (in, channels) && hasChannels (out, channels);

    if (in.silenceFlags != 0)
    {
        out.silenceFlags = in.silenceFlags;
        if (usable)
            for (int32_t c = 0; c < channels; ++c)
                if (out.channelBuffers32[c] != in.channelBuffers32[c])
                    std::fill_n (out.channelBuffers32[c], numSamples, 0.0f);
        // Parameter changes must still reach the engine while it is not run.
        if (CMVXDSPAlgInterface* algorithm = dsp ? dsp->getCurrentAlgorithm () : nullptr)
            if (algorithm->updatePending.load (std::memory_order_acquire))
                algorithm->updateSettings (
                    algorithm->reinitPending.load (std::memory_order_acquire));
        return;
    }

    out.silenceFlags = 0;
    if (!usable)
    {
        processOutputParameterChanges (data);
        return;
    }
    preProcess (data);
    if (dsp)
    {
        if (channels == 1)
        {
            if (monoInputCopy && monoScratchOutput)
            {
                // The copy may run in chunks when the host's block exceeds the announced size.
                for (int32_t done = 0; done < numSamples;)
                {
                    const int32_t n = std::min (numSamples - done, maxSamplesPerBlock);
                    std::copy_n (in.channelBuffers32[0] + done, n, monoInputCopy.get ());
                    std::fill_n (monoScratchOutput.get (), n, 0.0f);
                    float* inputs[2] = {in.channelBuffers32[0] + done, monoInputCopy.get ()};
                    float* outputs[2] = {out.channelBuffers32[0] + done, monoScratchOutput.get ()};
                    runDsp_rt (inputs, outputs, n);
                    done += n;
                }
            }
            else if (out.channelBuffers32[0] != in.channelBuffers32[0])
                std::fill_n (out.channelBuffers32[0], numSamples, 0.0f);   // no set-up yet
        }
        else
        {
            float* inputs[2] = {in.channelBuffers32[0], in.channelBuffers32[1]};
            float* outputs[2] = {out.channelBuffers32[0], out.channelBuffers32[1]};
            runDsp_rt (inputs, outputs, numSamples);
        }
    }
    processOutputParameterChanges (data);
}

// Audio thread. Blocks longer than the DSP's announced maximum are split so that no buffer sized
// from it is overrun.
void CMVXAudioPlugInVST3::runDsp_rt (float** inputs, float** outputs, int32_t numSamples)
{
    int32_t limit = numSamples;
    if (CMVXDSPAlgInterface* algorithm = dsp->getCurrentAlgorithm ())
    {
        const auto algorithmLimit = static_cast<int32_t> (std::min<uint32_t> (
            algorithm->maxBlockSize.load (std::memory_order_relaxed), INT32_MAX));
        if (algorithmLimit > 0)
            limit = std::min (limit, algorithmLimit);
    }
    for (int32_t done = 0; done < numSamples;)
    {
        const int32_t n = std::min (numSamples - done, limit);
        float* in[2] = {inputs[0] + done, inputs[1] + done};
        float* out[2] = {outputs[0] + done, outputs[1] + done};
        processChangeCount = 0;
        dsp->process (in, out, n, processChangeIds.get (), &processChangeCount);
        queueOutputIds_rt (processChangeIds.get (), processChangeCount, maxProcessReports);
        processChangeCount = 0;
        done += n;
    }
}
