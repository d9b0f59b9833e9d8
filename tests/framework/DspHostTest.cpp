// SPDX-License-Identifier: GPL-3.0-or-later
// The DSP host over its algorithms: parameter writes and bypass, preset and parameter numbering,
// channel counts, rate and block size, processing. Writes racing the audio thread: tests/threads.
#include "dsp/CMVXDrivePedalsSimulationDSP.h"
#include "framework/CMVXStravelPlugInDSP.h"
#include "params/CMVXParamTable.h"
#include <atomic>
#include <gtest/gtest.h>

namespace {

// Records what the host asks of it, for host behaviour independent of the engine.
class FakeAlgorithm : public CMVXDSPAlgInterface
{
public:
    FakeAlgorithm (const std::string& tag, int32_t factoryPresets, int32_t parameterCount)
    : CMVXDSPAlgInterface (44100.0, 128)
    {
        name = tag + " name";
        category = tag;
        for (int32_t id = 0; id < parameterCount; ++id)
            parameters.emplace (id, CMVXParameter (CMVXParameter::RangeTag {}, "P", "", 0.0, 10.0,
                                                   0.0, 0.0, kCurveLinear, false, 0, true, this));
        for (int32_t k = 0; k < factoryPresets; ++k)
            addFactoryPreset ({tag + std::to_string (k),
                               std::vector<float> (size_t (parameterCount), float (k))});
    }
    int32_t setChannelCounts (int32_t inputs, int32_t outputs) override
    {
        return channelCalls.emplace_back (inputs, outputs), 0;
    }
    void processBlock (float**, float**, float* inPeaks, float*, int32_t, int32_t*,
                       int32_t*) override
    {
        ++blocks, lastInPeaks = inPeaks;
    }
    void updateSettings (bool) override {}
    void resetState () override {}
    std::string getInfoText () override { return {}; }

    std::vector<std::pair<int32_t, int32_t>> channelCalls;
    int blocks = 0;
    float* lastInPeaks = nullptr;
};

class FakeHost : public CMVXPlugInDSP
{
public:
    int32_t getMaxParameterReports () override { return 4; }
    int32_t getMaxProcessReports () override { return 4; }
    FakeAlgorithm& add (int32_t key, const std::string& tag, int32_t presets,
                        int32_t parameterCount)
    {
        auto* algorithm = new FakeAlgorithm (tag, presets, parameterCount);
        addAlgorithm (key, std::unique_ptr<FakeAlgorithm> (algorithm));
        return *algorithm;
    }
    using CMVXPlugInDSP::rebuildPresetLists;
};

// Two channels of frames each, input 0.1 and output 7 (so untouched output shows).
struct StereoBlock
{
    explicit StereoBlock (size_t frames)
    : in (2 * frames, 0.1f),
      out (2 * frames, 7.0f), inputs {in.data (), in.data () + frames}, outputs {out.data (),
                                                                                 out.data ()
                                                                                     + frames}
    {}
    std::vector<float> in, out;
    float *inputs[2], *outputs[2];
};

}   // namespace

TEST (DspHostParameters, WritesStoreRaiseUpdateAndIgnoreUnknownIds)
{
    CMVXStravelPlugInDSP dsp;
    EXPECT_EQ (dsp.getParameterCount (), 8);
    CMVXDSPAlgInterface& engine = *dsp.getCurrentAlgorithm ();
    engine.updatePending.store (false);
    for (int32_t id : {8, -1, INT32_MAX})
    {
        dsp.setParameterNormalized (id, 0.3f);
        EXPECT_EQ (dsp.getParameterNormalized (id), 0.0f) << id;
    }
    EXPECT_FALSE (engine.updatePending.load ());
    EXPECT_EQ (dsp.getParameterText (8, true, true), "");

    int32_t changedIds[10] = {};
    int32_t changedCount = 99;
    dsp.setParameterNormalized (kParamKnob1, 0.25f, changedIds, &changedCount);
    EXPECT_EQ (changedCount, 0);
    EXPECT_TRUE (engine.updatePending.load ());
    EXPECT_DOUBLE_EQ (engine.findParameter (kParamKnob1)->getRawPlain (), 25.0);
    dsp.setParameterNormalized (kParamKnob1, 0.5f, nullptr, &changedCount);   // null list allowed
    EXPECT_EQ (dsp.getParameterNormalized (kParamKnob1), 0.5f);
}

TEST (DspHostParameters, EffectStateDrivesBypassAtTheMidpoint)
{
    CMVXStravelPlugInDSP dsp;
    std::atomic<bool>& bypassed = dsp.getCurrentAlgorithm ()->bypassed;
    EXPECT_FALSE (bypassed.load ());
    for (const auto& [id, value, expected] : {std::tuple {kParamEffectState, 0.4f, true},
                                              {kParamEffectState, 0.5f, false},
                                              {kParamEffectState, 0.0f, true},
                                              {kParamModel, 1.0f, true},
                                              {kParamEffectState, 1.0f, false}})
    {
        dsp.setParameterNormalized (id, value);
        EXPECT_EQ (bypassed.load (), expected) << "id " << id << " value " << value;
    }
}

TEST (DspHostPresets, SelectingAPresetLoadsItsNormalisedValuesAndBypass)
{
    CMVXStravelPlugInDSP dsp;
    EXPECT_EQ (dsp.getSelectedPresetNumber (), 0);
    const CMVXParamTable reference (0);
    const std::pair<int32_t, std::vector<float>> plainValues[] = {
        {5, {1, 5, 100, 33.7f, 100, 16, 67, 35}}, {7, {1, 7, 42.5f, 100, 81.6f, 18, 61.8f, 32.5f}}};
    dsp.setParameterNormalized (kParamEffectState, 0.0f);
    for (const auto& [number, plain] : plainValues)
    {
        dsp.selectPreset (number);
        for (int32_t id = 0; id < 8; ++id)
            EXPECT_NEAR (dsp.getParameterNormalized (id),
                         reference.find (id)->toNormalized (plain[size_t (id)]), 1e-7)
                << number << ", id " << id;
    }
    EXPECT_FALSE (dsp.getCurrentAlgorithm ()->bypassed.load ());
    EXPECT_EQ (dsp.getCurrentAlgorithm ()->getCurrentPreset ()->name, "Metal");

    std::vector<float> off (CMVXDrivePedalsSimulationDSP::kFactoryPresets[2].values);
    off[kParamEffectState] = 0.0f;
    const int32_t key = dsp.getCurrentAlgorithm ()->addUserPreset ({"Silent", off});
    dsp.rebuildPresetLists ();
    dsp.selectPreset (key);
    EXPECT_TRUE (dsp.getCurrentAlgorithm ()->bypassed.load ());
    EXPECT_EQ (dsp.getSelectedPresetNumber (), 8);
}

TEST (DspHostPresets, NumbersBeyondAllPresetsSelectNothing)
{
    CMVXStravelPlugInDSP dsp;
    dsp.selectPreset (3);
    dsp.setParameterNormalized (kParamKnob1, 0.9f);
    for (int32_t number : {8, 100, -1, INT32_MIN, INT32_MAX})
    {
        dsp.selectPreset (number);
        EXPECT_EQ (dsp.getParameterNormalized (kParamKnob1), 0.9f) << number;
        EXPECT_EQ (dsp.getSelectedPresetNumber (), 3) << number;
    }
    int32_t local = -1;
    EXPECT_EQ (dsp.findFactoryPreset (100, local), dsp.getCurrentAlgorithm ());
    EXPECT_EQ (local, 0);
}

TEST (DspHostPresets, SnapshotAppliesOnlyWhenItCoversEveryParameter)
{
    CMVXStravelPlugInDSP dsp;
    std::map<int32_t, float> snapshot;
    for (int32_t id = 0; id < 7; ++id)
        snapshot[id] = 0.25f;
    dsp.applyParameterSnapshot (snapshot);
    EXPECT_NEAR (dsp.getParameterNormalized (kParamKnob1), 0.425f, 1e-7f);
    snapshot[7] = 0.25f;
    dsp.applyParameterSnapshot (snapshot);
    EXPECT_EQ (dsp.getParameterNormalized (kParamKnob1), 0.25f);
    EXPECT_TRUE (dsp.getCurrentAlgorithm ()->bypassed.load ());   // Effect State 0.25
}

TEST (DspHostNumbering, PresetsAndParametersOfSeveralAlgorithmsFollowInKeyOrder)
{
    FakeHost host;
    FakeAlgorithm& a = host.add (5, "A", 3, 2);
    FakeAlgorithm& b = host.add (9, "B", 2, 2);
    b.addUserPreset ({"B-user", {9.0f, 9.0f}});
    host.rebuildPresetLists ();

    EXPECT_EQ (host.getPresetBases (), (std::vector<int32_t> {0, 3}));
    EXPECT_EQ (host.getParameterBases (), (std::vector<int32_t> {0, 2}));
    EXPECT_EQ (host.getFactoryPresetNames (),
               (std::vector<std::string> {"A0", "A1", "A2", "B0", "B1"}));
    EXPECT_EQ (host.getFactoryPresetTitles ()[3] + host.getFactoryPresetInfo ()[3], "B : B0B");
    EXPECT_EQ (host.getUserPresetTitles (), (std::vector<std::string> {"B : B-user"}));
    EXPECT_EQ (host.getPresetBase (9), 3);
    EXPECT_EQ (host.getPresetBase (1), 0);   // unknown key
    struct Lookup
    {
        CMVXDSPAlgInterface* (FakeHost::*find) (int32_t, int32_t&);
        int32_t number;
        FakeAlgorithm* algorithm;
        int32_t local;
    };
    for (const Lookup& l : {Lookup {&FakeHost::findPresetAlgorithm, 4, &b, 1},
                            {&FakeHost::findPresetAlgorithm, 2, &a, 2},
                            {&FakeHost::findFactoryPreset, 4, &b, 1},
                            {&FakeHost::findParameterAlgorithm, 3, &b, 1},
                            {&FakeHost::findParameterAlgorithm, 1, &a, 1}})
    {
        int32_t local = -1;
        EXPECT_EQ ((host.*l.find) (l.number, local), l.algorithm) << l.number;
        EXPECT_EQ (local, l.local) << l.number;
    }

    host.selectPreset (4);   // the second algorithm becomes current with its values
    EXPECT_EQ (host.getCurrentAlgorithmKey (), 9);
    EXPECT_FLOAT_EQ (host.getParameterNormalized (0), 0.1f);
    host.selectPreset (5);   // the user preset after B's factory presets
    EXPECT_FLOAT_EQ (host.getParameterNormalized (1), 0.9f);
    EXPECT_EQ (host.getSelectedPresetNumber (), 5);
    host.selectPreset (1);
    EXPECT_EQ (host.getCurrentAlgorithm (), &a);
    EXPECT_EQ (host.getSelectedPresetNumber (), 1);
}

TEST (DspHostChannels, PeaksReallocateOnlyWhenACountChangesAndAlgorithmsAreTold)
{
    FakeHost host;
    FakeAlgorithm& algorithm = host.add (0, "A", 1, 2);
    const float* inPeaks = host.getInputPeaks ();
    host.setChannelCount (2, 2);
    EXPECT_EQ (host.getInputPeaks (), inPeaks);
    EXPECT_TRUE (algorithm.channelCalls.empty ());
    host.setChannelCount (1, 1);
    EXPECT_NE (host.getInputPeaks (), inPeaks);
    EXPECT_EQ (host.getNumOutputs (), 1);
    // Algorithms write the peaks of two channels even on a mono bus.
    EXPECT_EQ (host.getInputPeaks ()[1], 0.0f);
    host.setChannelCount (1, 2);   // one count differing is enough
    host.setChannelCount (-1, 2);   // nonsense is ignored
    EXPECT_EQ (host.getNumInputs (), 1);
    EXPECT_EQ (algorithm.channelCalls, (std::vector<std::pair<int32_t, int32_t>> {{1, 1}, {1, 2}}));

    CMVXStravelPlugInDSP dsp;
    dsp.setChannelCount (1, 1);
    StereoBlock block (64);
    dsp.process (block.inputs, block.outputs, 64, nullptr, nullptr);
    EXPECT_NE (block.out[64 + 10], 7.0f);   // a mono host still gets both channels processed
}

// What reaches the product engine, nonsense values included, the processor tests check.
TEST (DspHostRate, RateAndBlockSizeRaiseReinitOnEveryAlgorithmWithoutRunningIt)
{
    FakeHost host;
    const std::vector<FakeAlgorithm*> all = {&host.add (0, "A", 1, 1), &host.add (1, "B", 1, 1)};
    for (FakeAlgorithm* algorithm : all)
        algorithm->reinitPending.store (false);
    host.setSampleRate (96000.0);
    for (FakeAlgorithm* algorithm : all)
        EXPECT_TRUE (algorithm->reinitPending.exchange (false));
    host.setBlockSize (512);
    for (FakeAlgorithm* algorithm : all)
        EXPECT_EQ (std::tuple (algorithm->sampleRate.load (), algorithm->maxBlockSize.load (),
                               algorithm->reinitPending.load (), algorithm->blocks),
                   std::tuple (96000.0, 512u, true, 0));
}

TEST (DspHostProcess, RunsTheCurrentAlgorithmWithTheHostsPeakArrays)
{
    FakeHost empty;
    StereoBlock block (16);
    int32_t count = 5;
    empty.process (block.inputs, block.outputs, 16, nullptr, &count);
    EXPECT_EQ (block.out[16 + 15], 7.0f);   // no algorithm: output untouched

    FakeHost host;
    FakeAlgorithm& algorithm = host.add (0, "A", 1, 1);
    host.process (block.inputs, block.outputs, 16, nullptr, &count);
    EXPECT_EQ (count, 0);
    EXPECT_EQ (algorithm.lastInPeaks, host.getInputPeaks ());
    host.process (nullptr, block.outputs, 16, nullptr, nullptr);   // ignored, no crash
    EXPECT_EQ (algorithm.blocks, 1);
}
