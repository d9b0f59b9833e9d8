// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A VST3 audio processor component: Component plus IAudioProcessor with bus helpers and the
// stored process setup. Same names and behaviour as the SDK class, so a full SDK can replace it.
#include "public.sdk/source/vst/vstcomponent.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"

namespace Steinberg {
namespace Vst {

class AudioEffect : public Component, public IAudioProcessor
{
public:
    AudioEffect ();

    // Bus helpers: each returns the new bus (owned by its bus list).
    AudioBus* addAudioInput (const TChar* name, SpeakerArrangement arr, BusType busType = kMain,
                             int32 flags = BusInfo::kDefaultActive);
    AudioBus* addAudioOutput (const TChar* name, SpeakerArrangement arr, BusType busType = kMain,
                              int32 flags = BusInfo::kDefaultActive);
    AudioBus* getAudioInput (int32 index);
    AudioBus* getAudioOutput (int32 index);
    EventBus* addEventInput (const TChar* name, int32 channels = 16, BusType busType = kMain,
                             int32 flags = BusInfo::kDefaultActive);
    EventBus* addEventOutput (const TChar* name, int32 channels = 16, BusType busType = kMain,
                              int32 flags = BusInfo::kDefaultActive);
    EventBus* getEventInput (int32 index);
    EventBus* getEventOutput (int32 index);

    // IAudioProcessor
    tresult PLUGIN_API setBusArrangements (SpeakerArrangement* inputs, int32 numIns,
                                           SpeakerArrangement* outputs,
                                           int32 numOuts) SMTG_OVERRIDE;
    tresult PLUGIN_API getBusArrangement (BusDirection dir, int32 index,
                                          SpeakerArrangement& arr) SMTG_OVERRIDE;
    tresult PLUGIN_API canProcessSampleSize (int32 symbolicSampleSize) SMTG_OVERRIDE;
    uint32 PLUGIN_API getLatencySamples () SMTG_OVERRIDE { return 0; }
    tresult PLUGIN_API setupProcessing (ProcessSetup& setup) SMTG_OVERRIDE;
    tresult PLUGIN_API setProcessing (TBool state) SMTG_OVERRIDE { return kNotImplemented; }
    tresult PLUGIN_API process (ProcessData& data) SMTG_OVERRIDE { return kNotImplemented; }
    uint32 PLUGIN_API getTailSamples () SMTG_OVERRIDE { return kNoTail; }

    OBJ_METHODS (AudioEffect, Component)
    DEFINE_INTERFACES
    DEF_INTERFACE (IAudioProcessor)
    END_DEFINE_INTERFACES (Component)
    REFCOUNT_METHODS (Component)

protected:
    ProcessSetup processSetup;
};

}   // namespace Vst
}   // namespace Steinberg
