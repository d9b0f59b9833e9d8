// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The product's processor: the drive-pedal DSP host behind the generic VST3 processor, told of
// every change between mono and stereo busses.
#include "processor/CMVXAudioPlugInVST3.h"
#include "framework/CMVXPresetStorageInterface.h"
#include <memory>

class CMVXStravelVST3 : public CMVXAudioPlugInVST3
{
public:
    // The storage, if any, keeps the user presets; it is not owned and must outlive the processor.
    explicit CMVXStravelVST3 (CMVXPresetStorageInterface* presetStorage = nullptr);
    // The processor owns this storage.
    explicit CMVXStravelVST3 (std::unique_ptr<CMVXPresetStorageInterface> ownedStorage);
    ~CMVXStravelVST3 () override;

    void preProcess (ProcessData& data) override {}

    // The user's preset folder as .vstpreset files.
    static std::unique_ptr<CMVXPresetStorageInterface> makeUserPresetStorage ();

    static Steinberg::FUnknown* createInstance (void*)
    {
        return static_cast<Steinberg::Vst::IAudioProcessor*> (
            new CMVXStravelVST3 (makeUserPresetStorage ()));
    }

protected:
    void channelCountChanged (int32_t numInputs, int32_t numOutputs) override;

private:
    std::unique_ptr<CMVXPresetStorageInterface> ownedPresetStorage;   // outlives the DSP host
};
