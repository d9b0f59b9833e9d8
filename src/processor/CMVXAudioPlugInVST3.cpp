// SPDX-License-Identifier: GPL-3.0-or-later
#include "processor/CMVXAudioPlugInVST3.h"
#include "processor/CMVXLittleEndian.h"
#include "pluginterfaces/base/ibstream.h"
#include "pluginterfaces/base/ustring.h"
#include "pluginterfaces/vst/ivstattributes.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"
#include "pluginterfaces/vst/vstspeaker.h"
#include <algorithm>
#include <cmath>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;

CMVXAudioPlugInVST3::CMVXAudioPlugInVST3 ()
{
    pendingOutputIds.reserve (kMaxPendingOutputIds);
}

CMVXAudioPlugInVST3::~CMVXAudioPlugInVST3 () = default;

void CMVXAudioPlugInVST3::installDsp (std::unique_ptr<CMVXPlugInDSP> newDsp)
{
    dsp = std::move (newDsp);
    maxParameterReports = dsp ? std::max (dsp->getMaxParameterReports (), 0) : 0;
    maxProcessReports = dsp ? std::max (dsp->getMaxProcessReports (), 0) : 0;
    hostChangeIds.reset (new int32_t[maxParameterReports + 1] ());
    controllerChangeIds.reset (new int32_t[maxParameterReports + 1] ());
    processChangeIds.reset (new int32_t[maxProcessReports + 1] ());
    hostChangeCount = processChangeCount = controllerChangeCount = 0;
}

tresult CMVXAudioPlugInVST3::receiveText (const char8* text)
{
    return kResultOk;
}

float CMVXAudioPlugInVST3::getParameterValue (int32_t id)
{
    return dsp ? dsp->getParameterNormalized (id) : 0.0f;
}

void CMVXAudioPlugInVST3::selectPresetAndSync (int32_t presetNumber)
{
    if (!dsp)
        return;
    dsp->prepareForPresetChange ();
    dsp->selectPreset (presetNumber);

    const int32_t firstId = dsp->getFirstParameterId ();
    const int32_t count = std::max (dsp->getParameterCount (), 0);
    std::vector<uint8_t> block (static_cast<size_t> (count) * 4);
    for (int32_t i = 0; i < count; ++i)
        CMVXLittleEndian::putFloat (dsp->getParameterNormalized (firstId + i), &block[i * 4u]);

    IPtr<IMessage> message = owned (allocateMessage ());
    if (!message)
        return;
    message->setMessageID ("WA_SY");
    IAttributeList* attributes = message->getAttributes ();
    if (!attributes)
        return;
    attributes->setBinary ("WA_SV", block.data (), static_cast<uint32> (block.size ()));
    attributes->setInt ("WA_SF", firstId);
    sendMessage (message);
}

void CMVXAudioPlugInVST3::afterPresetCommand ()
{
    if (dsp)
        dsp->getPendingIds ();
}

tresult PLUGIN_API CMVXAudioPlugInVST3::initialize (FUnknown* context)
{
    const tresult result = AudioEffect::initialize (context);
    if (result != kResultOk)
        return result;
    addAudioInput (STR16 ("Stereo In"), SpeakerArr::kStereo);
    addAudioOutput (STR16 ("Stereo Out"), SpeakerArr::kStereo);
    return kResultOk;
}

tresult PLUGIN_API CMVXAudioPlugInVST3::setIoMode (IoMode mode)
{
    return kNotImplemented;
}

tresult PLUGIN_API CMVXAudioPlugInVST3::setActive (TBool state)
{
    return kResultOk;
}

tresult PLUGIN_API CMVXAudioPlugInVST3::setProcessing (TBool state)
{
    return kNotImplemented;
}

tresult PLUGIN_API CMVXAudioPlugInVST3::canProcessSampleSize (int32 symbolicSampleSize)
{
    return symbolicSampleSize == kSample32 ? kResultTrue : kResultFalse;
}

// Layout: one little-endian float per parameter, ids 0 … count − 1, nothing else.
tresult PLUGIN_API CMVXAudioPlugInVST3::getState (IBStream* state)
{
    if (!state)
        return kInvalidArgument;
    const int32_t count = dsp ? dsp->getParameterCount () : 0;
    for (int32_t id = 0; id < count; ++id)
    {
        uint8_t bytes[4];
        CMVXLittleEndian::putFloat (dsp->getParameterNormalized (id), bytes);
        int32 written = 0;
        state->write (bytes, 4, &written);
    }
    return kResultOk;
}

// Stops at the first value the stream cannot supply: hosts signal the end of the data either by
// an error or by reading fewer bytes. Values before it stay applied.
tresult PLUGIN_API CMVXAudioPlugInVST3::setState (IBStream* state)
{
    if (!state)
        return kInvalidArgument;
    const int32_t count = dsp ? dsp->getParameterCount () : 0;
    for (int32_t id = 0; id < count; ++id)
    {
        uint8_t bytes[4] = {};
        int32 numRead = 0;
        if (state->read (bytes, 4, &numRead) != kResultOk || numRead != 4)
            return kResultFalse;
        dsp->setParameterNormalized (id, CMVXLittleEndian::getFloat (bytes));
    }
    return kResultOk;
}

void CMVXAudioPlugInVST3::rebuildBusses (const TChar* inputName, SpeakerArrangement inputArr,
                                         const TChar* outputName, SpeakerArrangement outputArr)
{
    removeAudioBusses ();
    addAudioInput (inputName, inputArr, kMain, BusInfo::kDefaultActive);
    addAudioOutput (outputName, outputArr, kMain, BusInfo::kDefaultActive);
}

// One main bus each way, mono → mono or stereo → stereo. Other requests fall back to stereo and
// report kResultFalse, as the interface asks.
tresult PLUGIN_API CMVXAudioPlugInVST3::setBusArrangements (SpeakerArrangement* inputs, int32 numIns,
                                                            SpeakerArrangement* outputs,
                                                            int32 numOuts)
{
    if (numIns != 1 || numOuts != 1 || !inputs || !outputs)
        return kResultFalse;
    AudioBus* inputBus = getAudioInput (0);
    if (!inputBus)
        return kResultFalse;

    const int32 inChannels = SpeakerArr::getChannelCount (inputs[0]);
    const int32 outChannels = SpeakerArr::getChannelCount (outputs[0]);
    if (inChannels == 1 && outChannels == 1)
    {
        if (inputBus->getArrangement () != inputs[0])
        {
            rebuildBusses (STR16 ("Mono In"), inputs[0], STR16 ("Mono Out"), inputs[0]);
            channelCountChanged (1, 1);
        }
        return kResultTrue;
    }
    if (inChannels == 2 && outChannels == 2)
    {
        rebuildBusses (STR16 ("Stereo In"), inputs[0], STR16 ("Stereo Out"), outputs[0]);
        channelCountChanged (2, 2);
        return kResultTrue;
    }
    if (inputBus->getArrangement () == SpeakerArr::kStereo)
        return kResultFalse;
    rebuildBusses (STR16 ("Stereo In"), SpeakerArr::kStereo, STR16 ("Stereo Out"),
                   SpeakerArr::kStereo);
    channelCountChanged (2, 2);
    return kResultFalse;
}

tresult PLUGIN_API CMVXAudioPlugInVST3::setupProcessing (ProcessSetup& setup)
{
    // Rates and sizes a DSP cannot run with are not passed on.
    if (setup.sampleRate != sampleRate && std::isfinite (setup.sampleRate) && setup.sampleRate > 0.0)
    {
        sampleRate = setup.sampleRate;
        if (dsp)
            dsp->setSampleRate (sampleRate);
    }
    if (setup.maxSamplesPerBlock != maxSamplesPerBlock && setup.maxSamplesPerBlock > 0)
    {
        maxSamplesPerBlock = setup.maxSamplesPerBlock;
        monoInputCopy.reset (new float[maxSamplesPerBlock] ());
        monoScratchOutput.reset (new float[maxSamplesPerBlock] ());
        if (dsp)
            dsp->setBlockSize (maxSamplesPerBlock);
    }
    processMode = setup.processMode;
    return AudioEffect::setupProcessing (setup);
}

void CMVXAudioPlugInVST3::queueOutputId_rt (int32_t id)
{
    if (std::find (pendingOutputIds.begin (), pendingOutputIds.end (), id) != pendingOutputIds.end ())
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
        if (queue->getPoint (pointCount - 1, sampleOffset, value) != kResultOk || !std::isfinite (value))
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

} // namespace

// Audio thread. A mono bus is widened to the DSP's two channels with the scratch buffers; the
// second output is discarded.
void CMVXAudioPlugInVST3::processAudio_rt (ProcessData& data)
{
    AudioBusBuffers& in = data.inputs[0];
    AudioBusBuffers& out = data.outputs[0];
    const int32_t numSamples = data.numSamples;
    const int32_t channels = std::min<int32_t> (in.numChannels, 2);
    const bool usable = data.symbolicSampleSize == kSample32 && numSamples > 0 && channels > 0 &&
                        hasChannels (in, channels) && hasChannels (out, channels);

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
                algorithm->updateSettings (algorithm->reinitPending.load (std::memory_order_acquire));
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
        const auto algorithmLimit = static_cast<int32_t> (
            std::min<uint32_t> (algorithm->maxBlockSize.load (std::memory_order_relaxed), INT32_MAX));
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
