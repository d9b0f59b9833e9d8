// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Base of every audio algorithm the DSP host drives: rate, block size, flags, parameter records
// and the preset table.
#include "dsp/CMVXPresetRecord.h"
#include "params/CMVXParameter.h"
#include <atomic>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

class CMVXDSPAlgInterface
{
public:
    CMVXDSPAlgInterface (double sampleRateHz, uint32_t maxBlockSamples);
    virtual ~CMVXDSPAlgInterface ();
    CMVXDSPAlgInterface (const CMVXDSPAlgInterface&) = delete;
    CMVXDSPAlgInterface& operator= (const CMVXDSPAlgInterface&) = delete;

    virtual int32_t setChannelCounts (int32_t numInputs, int32_t numOutputs) { return 0; }
    virtual int32_t getChannelCount () { return 2; }
    virtual void processAux (float** inputs, float** outputs, float* inPeaks, float* outPeaks,
                             int32_t numSamples)
    {}
    // Audio thread. changedIds/changedCount list parameters the algorithm changed itself.
    virtual void processBlock (float** inputs, float** outputs, float* inPeaks, float* outPeaks,
                               int32_t numSamples, int32_t* changedIds, int32_t* changedCount);
    virtual void processAudio (float** inputs, float** outputs, float* inPeaks, float* outPeaks,
                               int32_t numSamples)
    {}
    virtual void updateSettings (bool reinitialize) = 0;
    virtual void resetState () = 0;
    virtual std::string getInfoText () = 0;
    // Main thread, after the host set sampleRate or maxBlockSize and never while processing:
    // lets an algorithm allocate what its next block needs, so processing allocates nothing.
    virtual void prepareProcessing () {}
    virtual void setAuxValue (float value) { auxValue = value; }
    virtual float getAuxValue () { return auxValue; }

    // Presets (main thread). Keys of `presets` are local preset numbers.
    void addFactoryPreset (CMVXPresetRecord preset);
    int32_t addUserPreset (CMVXPresetRecord preset);   // returns its key
    bool applyPreset (int32_t key);   // false: no preset under that key
    bool selectPresetByName (const std::string& presetName);
    CMVXPresetRecord* findPresetByName (const std::string& presetName);
    // Only among the user presets (after the factory presets), so a factory preset never goes;
    // the presets after it move up one key, so keys stay table positions.
    bool removeUserPresetByName (const std::string& presetName);
    std::vector<float> currentValues () const;   // plain values in id order
    int32_t getFactoryPresetCount () const { return factoryPresetCount; }
    int32_t getCurrentPresetKey () const { return currentPresetKey; }
    int32_t getCurrentPresetPosition () const;   // table order; size when none
    const CMVXPresetRecord* getCurrentPreset () const;
    int32_t getParameterCount () const { return static_cast<int32_t> (parameters.size ()); }
    CMVXParameter* findParameter (int32_t id);

    uint32_t typeTag = 'mvx1';
    // Written by the host on the main thread, read at the next block on the audio thread.
    std::atomic<uint32_t> maxBlockSize;
    std::atomic<double> sampleRate;
    std::atomic<bool> bypassed {false};
    uint32_t reservedWord = 0;
    double reservedTempo = 120.0;
    std::atomic<bool> updatePending {false};
    std::atomic<bool> reinitPending {false};
    std::string name = "Morvane Audio Plug-In";
    std::string category = "DSP";
    float auxValue = 0.0f;
    std::map<int32_t, CMVXParameter> parameters;
    std::map<int32_t, CMVXPresetRecord> presets;

protected:
    // First preset of that name at or after table position firstPosition.
    std::map<int32_t, CMVXPresetRecord>::iterator findByName (const std::string& presetName,
                                                              int32_t firstPosition);

    int32_t factoryPresetCount = 0;
    int32_t currentPresetKey = -1;
};
