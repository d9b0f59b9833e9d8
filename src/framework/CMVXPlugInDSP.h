// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Product-independent DSP host: exposes the current algorithm's parameters by id, runs it on
// each block, numbers the presets of all algorithms in one sequence and keeps the preset lists.
#include "framework/CMVXPlugInInterface.h"
#include "params/IMVXParamInfoInterface.h"
#include <string>
#include <vector>

class CMVXPlugInDSP : public CMVXPlugInInterface
{
public:
    CMVXPlugInDSP ();
    ~CMVXPlugInDSP () override;

    float getParameterNormalized (int32_t id) override;
    void selectPreset (int32_t number) override;
    void reserved0 () override {}
    void setParameterNormalized (int32_t id, float value, int32_t* changedIds,
                                 int32_t* changedCount) override;
    void setParameterNormalized (int32_t id, float value) override;
    // Main thread only; reallocates the peak arrays when a count changes.
    virtual void setChannelCount (int32_t numInputs, int32_t numOutputs);
    virtual void processAux (float** inputs, float** outputs, float* inPeaks, float* outPeaks,
                             int32_t numSamples);
    // Audio thread. inputs and outputs hold two channel pointers each.
    virtual void process (float** inputs, float** outputs, int32_t numSamples, int32_t* changedIds,
                          int32_t* changedCount);
    virtual void reserved1 (int32_t, int32_t) {}
    // count receives the number of floats returned.
    virtual float* getCustomFloatData (int32_t id, int32_t& count);
    virtual int32_t setCustomFloatData (int32_t tag, const float* data, int32_t count) { return 0; }
    virtual std::string getParameterText (int32_t globalId, bool withName, bool withUnit);
    virtual int32_t getMaxParameterReports () = 0;
    virtual int32_t getMaxProcessReports () = 0;
    virtual int32_t reserved2 () { return 0; }
    virtual std::vector<int32_t> getPendingIds () { return {}; }
    virtual int32_t getSelectedPresetNumber ();
    virtual CMVXDSPAlgInterface* findFactoryPreset (int32_t number, int32_t& localIndex);
    // id → normalised value; applied only when it covers exactly the host's parameter count.
    virtual void applyParameterSnapshot (const std::map<int32_t, float>& snapshot);
    virtual void reloadAlgorithms ();
    virtual std::string handlePresetCommand (const std::string& command) { return {}; }
    virtual CMVXDSPAlgInterface* findParameterAlgorithm (int32_t globalId, int32_t& localId);
    virtual CMVXDSPAlgInterface* findPresetAlgorithm (int32_t number, int32_t& localIndex);
    virtual int32_t getPresetBase (int32_t algorithmKey);

    int32_t getParameterCount () const;
    int32_t getFirstParameterId () const;
    // Main thread, never while processing; the algorithms redesign at their next block.
    // setBlockSize also lets them size their buffers (prepareProcessing).
    void setSampleRate (double sampleRateHz);
    void setBlockSize (int32_t maxBlockSamples);
    void setNumberingOffsets (int32_t presetOffset, int32_t parameterOffset);

    // Preset store (main thread). Without a current algorithm or a storage they change nothing.
    // False when the storage refused the change; the table is then as it was before the call.
    bool storeUserPreset (const std::string& name, bool overwrite);
    bool deleteUserPreset (const std::string& name);
    void rebuildPresetLists ();

    const std::vector<std::string>& getAlgorithmNames () const { return algorithmNames; }
    const std::vector<std::string>& getFactoryPresetNames () const { return factoryPresetNames; }
    const std::vector<std::string>& getFactoryPresetTitles () const { return factoryPresetTitles; }
    const std::vector<std::string>& getFactoryPresetInfo () const { return factoryPresetInfo; }
    const std::vector<std::string>& getUserPresetNames () const { return userPresetNames; }
    const std::vector<std::string>& getUserPresetTitles () const { return userPresetTitles; }
    const std::vector<std::string>& getUserPresetInfo () const { return userPresetInfo; }
    const std::vector<int32_t>& getPresetBases () const { return presetBases; }
    const std::vector<int32_t>& getParameterBases () const { return parameterBases; }

    const std::string& getEffectName () const { return effectName; }
    const std::string& getEffectKind () const { return effectKind; }
    const std::string& getEffectCode () const { return effectCode; }
    int32_t getNumInputs () const { return numInputs; }
    int32_t getNumOutputs () const { return numOutputs; }
    const float* getInputPeaks () const { return inputPeaks.get (); }
    const float* getOutputPeaks () const { return outputPeaks.get (); }
    IMVXParamInfoInterface* getParameterInfo () const { return parameterInfo.get (); }

protected:
    // Inserts (or replaces) an algorithm; the first one inserted becomes current.
    void addAlgorithm (int32_t key, std::unique_ptr<CMVXDSPAlgInterface> algorithm);
    void makeCurrent (int32_t key);
    // Bases and lists; with loadStored the storage first adds each algorithm's user presets.
    void buildPresetBookkeeping (bool loadStored);
    int32_t algorithmPosition (int32_t key) const;   // map order; -1 when absent
    CMVXDSPAlgInterface* algorithmAt (size_t position) const;

    std::unique_ptr<IMVXParamInfoInterface> parameterInfo;
    std::string effectName = "Morvane Effect";
    std::string effectKind = "effect";
    std::string effectCode = "0eee";
    int32_t numInputs = 0;
    int32_t numOutputs = 0;
    // Never fewer than two entries: algorithms write the peaks of both channels of a block.
    std::unique_ptr<float[]> inputPeaks;
    std::unique_ptr<float[]> outputPeaks;
    int32_t presetNumberOffset = 0;
    int32_t parameterIdOffset = 0;
    std::vector<int32_t> presetBases;
    std::vector<int32_t> parameterBases;
    std::vector<std::string> algorithmNames;
    std::vector<std::string> factoryPresetNames;
    std::vector<std::string> factoryPresetTitles;
    std::vector<std::string> userPresetNames;
    std::vector<std::string> userPresetTitles;
    std::vector<std::string> factoryPresetInfo;
    std::vector<std::string> userPresetInfo;
};
