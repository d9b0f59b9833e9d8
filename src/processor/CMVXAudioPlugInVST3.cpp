// SPDX-License-Identifier: GPL-3.0-or-later
#include "processor/CMVXAudioPlugInVST3.h"
#include "processor/CMVXLittleEndian.h"
#include "pluginterfaces/base/ibstream.h"
#include "pluginterfaces/base/ustring.h"
#include "pluginterfaces/vst/ivstattributes.h"
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
    hostChangeIds.reset (new int32_t[maxParameterReports + 1]());
    controllerChangeIds.reset (new int32_t[maxParameterReports + 1]());
    processChangeIds.reset (new int32_t[maxProcessReports + 1]());
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
tresult PLUGIN_API CMVXAudioPlugInVST3::setBusArrangements (SpeakerArrangement* inputs,
                                                            int32 numIns,
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
    if (setup.sampleRate != sampleRate && std::isfinite (setup.sampleRate)
        && setup.sampleRate > 0.0)
    {
        sampleRate = setup.sampleRate;
        if (dsp)
            dsp->setSampleRate (sampleRate);
    }
    if (setup.maxSamplesPerBlock != maxSamplesPerBlock && setup.maxSamplesPerBlock > 0)
    {
        maxSamplesPerBlock = setup.maxSamplesPerBlock;
        monoInputCopy.reset (new float[maxSamplesPerBlock]());
        monoScratchOutput.reset (new float[maxSamplesPerBlock]());
        if (dsp)
            dsp->setBlockSize (maxSamplesPerBlock);
    }
    processMode = setup.processMode;
    return AudioEffect::setupProcessing (setup);
}
