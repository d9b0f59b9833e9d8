// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Product-independent VST3 processor: one audio bus each way (mono or stereo), host parameter
// changes applied once per block, audio through the DSP host, the parameter values as component
// state, and the controller's messages.
#include "framework/CMVXPlugInDSP.h"
#include "sdk/audioeffect.h"
#include "pluginterfaces/vst/ivstattributes.h"
#include <cstdint>
#include <memory>
#include <vector>

class CMVXAudioPlugInVST3 : public Steinberg::Vst::AudioEffect
{
public:
    using tresult = Steinberg::tresult;
    using int32 = Steinberg::int32;
    using ProcessData = Steinberg::Vst::ProcessData;
    using SpeakerArrangement = Steinberg::Vst::SpeakerArrangement;

    CMVXAudioPlugInVST3 ();
    ~CMVXAudioPlugInVST3 () override;

    // Host text messages ("TextMessage") are accepted and ignored.
    tresult receiveText (const Steinberg::char8* text) override;
    // Main thread: selects a preset in the DSP host and sends the controller all values ("WA_SY").
    virtual void selectPresetAndSync (int32_t presetNumber);
    virtual float getParameterValue (int32_t id);
    // Audio thread.
    virtual void processInputParameterChanges (ProcessData& data);
    virtual void processOutputParameterChanges (ProcessData& data);
    virtual void preProcess (ProcessData& data) {}
    // Main thread, after a preset command of the controller.
    virtual void afterPresetCommand ();

    // IPluginBase
    tresult PLUGIN_API initialize (Steinberg::FUnknown* context) override;
    // IConnectionPoint: the controller's messages (CMVXAudioPlugInVST3Messages.cpp).
    tresult PLUGIN_API notify (Steinberg::Vst::IMessage* message) override;
    // IComponent
    tresult PLUGIN_API setIoMode (Steinberg::Vst::IoMode mode) override;
    tresult PLUGIN_API setActive (Steinberg::TBool state) override;
    tresult PLUGIN_API setState (Steinberg::IBStream* state) override;
    tresult PLUGIN_API getState (Steinberg::IBStream* state) override;
    // IAudioProcessor
    tresult PLUGIN_API setBusArrangements (SpeakerArrangement* inputs, int32 numIns,
                                           SpeakerArrangement* outputs, int32 numOuts) override;
    tresult PLUGIN_API canProcessSampleSize (int32 symbolicSampleSize) override;
    Steinberg::uint32 PLUGIN_API getLatencySamples () override { return 0; }
    Steinberg::uint32 PLUGIN_API getTailSamples () override { return 0; }
    tresult PLUGIN_API setupProcessing (Steinberg::Vst::ProcessSetup& setup) override;
    tresult PLUGIN_API setProcessing (Steinberg::TBool state) override;
    tresult PLUGIN_API process (ProcessData& data) override;

    CMVXPlugInDSP* getDsp () const { return dsp.get (); }
    int32_t getProcessMode () const { return processMode; }
    double getSampleRate () const { return sampleRate; }
    int32_t getMaxSamplesPerBlock () const { return maxSamplesPerBlock; }

    OBJ_METHODS (CMVXAudioPlugInVST3, Steinberg::Vst::AudioEffect)
    REFCOUNT_METHODS (Steinberg::Vst::AudioEffect)

protected:
    // Takes ownership of the DSP host and sizes the change-report lists from it.
    void installDsp (std::unique_ptr<CMVXPlugInDSP> newDsp);
    // Called when setBusArrangements rebuilt the busses with these channel counts.
    virtual void channelCountChanged (int32_t numInputs, int32_t numOutputs) {}
    // Replaces both busses by one main input and one main output bus.
    void rebuildBusses (const Steinberg::Vst::TChar* inputName, SpeakerArrangement inputArr,
                        const Steinberg::Vst::TChar* outputName, SpeakerArrangement outputArr);
    // Audio thread: queues an id for the host's output parameter changes; never allocates (an id
    // already queued is not queued twice; a full list drops it).
    void queueOutputId_rt (int32_t id);
    void queueOutputIds_rt (const int32_t* ids, int32_t count, int32_t capacity);

    int32_t processMode = -1;
    double sampleRate = 0.0;
    int32_t maxSamplesPerBlock = 0;
    std::unique_ptr<CMVXPlugInDSP> dsp;
    std::vector<int32_t> pendingOutputIds;   // capacity fixed at construction
    std::unique_ptr<int32_t[]> hostChangeIds;
    int32_t hostChangeCount = 0;
    std::unique_ptr<int32_t[]> processChangeIds;
    int32_t processChangeCount = 0;
    std::unique_ptr<int32_t[]> controllerChangeIds;
    int32_t controllerChangeCount = 0;
    int32_t maxParameterReports = 0;
    int32_t maxProcessReports = 0;
    std::unique_ptr<float[]> monoInputCopy;
    std::unique_ptr<float[]> monoScratchOutput;

    static constexpr size_t kMaxPendingOutputIds = 256;

private:
    // The "PrsHnd" requests; kNotImplemented when the message is left to the base handling.
    tresult handlePresetRequest (Steinberg::Vst::IAttributeList& attributes);
    void processAudio_rt (ProcessData& data);
    void runDsp_rt (float** inputs, float** outputs, int32_t numSamples);
};
