// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A recording algorithm and a bare host over it, for host behaviour independent of the engine.
#include "framework/CMVXPlugInDSP.h"
#include "params/CMVXParamTable.h"

class FakeAlgorithm : public CMVXDSPAlgInterface
{
public:
    FakeAlgorithm (const std::string& category_, int32_t factoryPresets, int32_t parameterCount)
    : CMVXDSPAlgInterface (44100.0, 128)
    {
        name = category_ + " name";
        category = category_;
        for (int32_t id = 0; id < parameterCount; ++id)
            parameters.emplace (id, CMVXParameter (CMVXParameter::RangeTag {}, "P", "", 0.0, 10.0,
                                                   0.0, 0.0, kCurveLinear, false, 0, true, this));
        for (int32_t k = 0; k < factoryPresets; ++k)
            addFactoryPreset ({category_ + std::to_string (k),
                               std::vector<float> (static_cast<size_t> (parameterCount),
                                                   static_cast<float> (k))});
    }
    int32_t setChannelCounts (int32_t inputs, int32_t outputs) override
    {
        ++channelCountCalls;
        lastInputs = inputs;
        lastOutputs = outputs;
        return 0;
    }
    void processBlock (float** inputs, float** outputs, float* inPeaks, float* outPeaks,
                       int32_t numSamples, int32_t*, int32_t*) override
    {
        ++blocks;
        lastInPeaks = inPeaks;
    }
    void updateSettings (bool) override {}
    void resetState () override {}
    std::string getInfoText () override { return {}; }

    int channelCountCalls = 0;
    int32_t lastInputs = -1;
    int32_t lastOutputs = -1;
    int blocks = 0;
    float* lastInPeaks = nullptr;
};

class FakeHost : public CMVXPlugInDSP
{
public:
    int32_t getMaxParameterReports () override { return 4; }
    int32_t getMaxProcessReports () override { return 4; }
    FakeAlgorithm& add (int32_t key, const std::string& category, int32_t presets,
                        int32_t parameterCount)
    {
        auto algorithm = std::make_unique<FakeAlgorithm> (category, presets, parameterCount);
        FakeAlgorithm& ref = *algorithm;
        addAlgorithm (key, std::move (algorithm));
        return ref;
    }
    using CMVXPlugInDSP::rebuildPresetLists;
};
