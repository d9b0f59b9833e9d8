// SPDX-License-Identifier: GPL-3.0-or-later
// The product's DSP host: parameter reads and writes, bypass, channel counts, rate and block
// size, processing, and what runs without allocating.
#include "AllocationCounter.h"
#include "FakeAlgorithm.h"
#include "framework/CMVXStravelPlugInDSP.h"
#include "params/CMVXParamTable.h"
#include <atomic>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace {

struct StereoBlock
{
    explicit StereoBlock (int32_t frames)
    : in (2, std::vector<float> (static_cast<size_t> (frames), 0.1f)),
      out (2, std::vector<float> (static_cast<size_t> (frames), 7.0f))
    {
        inPtr[0] = in[0].data ();
        inPtr[1] = in[1].data ();
        outPtr[0] = out[0].data ();
        outPtr[1] = out[1].data ();
    }
    std::vector<std::vector<float>> in, out;
    float* inPtr[2];
    float* outPtr[2];
};

}

TEST (DspHostParameters, FreshHostExposesEightParametersWithTheirDefaults)
{
    CMVXStravelPlugInDSP dsp;
    EXPECT_EQ (dsp.getParameterCount (), 8);
    EXPECT_EQ (dsp.getFirstParameterId (), 0);
    EXPECT_EQ (dsp.getMaxParameterReports (), 10);
    EXPECT_EQ (dsp.getMaxProcessReports (), 10);
    EXPECT_EQ (dsp.getEffectName (), "Overmoor");
    EXPECT_EQ (dsp.getCurrentAlgorithm ()->name, "Overmoor");
    const float expected[] = {1.0f, 0.0f, 0.425f, 1.0f, 0.816f, 0.18f, 0.618f, 0.325f};
    for (int32_t id = 0; id < 8; ++id)
        EXPECT_NEAR (dsp.getParameterNormalized (id), expected[id], 1e-7f) << "id " << id;
    EXPECT_FALSE (dsp.getCurrentAlgorithm ()->bypassed.load ());
}

TEST (DspHostParameters, IdsOutsideTheSetReadZeroAndWritesAreIgnored)
{
    CMVXStravelPlugInDSP dsp;
    EXPECT_EQ (dsp.getParameterNormalized (8), 0.0f);
    EXPECT_EQ (dsp.getParameterNormalized (-1), 0.0f);
    EXPECT_EQ (dsp.getParameterNormalized (INT32_MAX), 0.0f);

    CMVXDSPAlgInterface& engine = *dsp.getCurrentAlgorithm ();
    engine.updatePending.store (false);
    dsp.setParameterNormalized (8, 0.3f);
    dsp.setParameterNormalized (-1, 0.3f);
    EXPECT_FALSE (engine.updatePending.load ());
    EXPECT_EQ (dsp.getParameterText (8, true, true), "");
}

TEST (DspHostParameters, WritesStoreTheValueRaiseUpdateAndClearTheChangeCount)
{
    CMVXStravelPlugInDSP dsp;
    CMVXDSPAlgInterface& engine = *dsp.getCurrentAlgorithm ();
    engine.updatePending.store (false);
    int32_t changedIds[10] = {};
    int32_t changedCount = 99;
    dsp.setParameterNormalized (kParamKnob1, 0.25f, changedIds, &changedCount);
    EXPECT_EQ (changedCount, 0);
    EXPECT_TRUE (engine.updatePending.load ());
    EXPECT_EQ (dsp.getParameterNormalized (kParamKnob1), 0.25f);
    EXPECT_DOUBLE_EQ (engine.findParameter (kParamKnob1)->getRawPlain (), 25.0);
    EXPECT_EQ (dsp.getParameterText (kParamKnob1, true, true), "n/a 1: 25.0 %");
    EXPECT_EQ (dsp.getParameterText (kParamModel, false, false), "Treble Booster");
    // A null change list with a count pointer is allowed.
    dsp.setParameterNormalized (kParamKnob1, 0.5f, nullptr, &changedCount);
    EXPECT_EQ (dsp.getParameterNormalized (kParamKnob1), 0.5f);
}

TEST (DspHostParameters, EffectStateDrivesBypassAtTheMidpoint)
{
    CMVXStravelPlugInDSP dsp;
    std::atomic<bool>& bypassed = dsp.getCurrentAlgorithm ()->bypassed;
    dsp.setParameterNormalized (kParamEffectState, 0.4f);
    EXPECT_TRUE (bypassed.load ());
    dsp.setParameterNormalized (kParamEffectState, 0.5f);
    EXPECT_FALSE (bypassed.load ());
    dsp.setParameterNormalized (kParamEffectState, 0.0f);
    EXPECT_TRUE (bypassed.load ());
    // Other parameters leave bypass alone.
    dsp.setParameterNormalized (kParamModel, 1.0f);
    EXPECT_TRUE (bypassed.load ());
    dsp.setParameterNormalized (kParamEffectState, 1.0f);
    EXPECT_FALSE (bypassed.load ());
}

TEST (DspHostChannels, ReallocatesPeaksOnlyWhenACountChangesAndTellsTheAlgorithms)
{
    FakeHost host;
    FakeAlgorithm& algorithm = host.add (0, "A", 1, 2);
    EXPECT_EQ (host.getNumInputs (), 2);
    EXPECT_EQ (host.getNumOutputs (), 2);
    const float* inPeaks = host.getInputPeaks ();
    const float* outPeaks = host.getOutputPeaks ();

    host.setChannelCount (2, 2);
    EXPECT_EQ (host.getInputPeaks (), inPeaks);
    EXPECT_EQ (host.getOutputPeaks (), outPeaks);
    EXPECT_EQ (algorithm.channelCountCalls, 0);

    host.setChannelCount (1, 1);
    EXPECT_NE (host.getInputPeaks (), inPeaks);
    EXPECT_NE (host.getOutputPeaks (), outPeaks);
    EXPECT_EQ (host.getNumInputs (), 1);
    EXPECT_EQ (host.getNumOutputs (), 1);
    EXPECT_EQ (algorithm.channelCountCalls, 1);
    EXPECT_EQ (algorithm.lastInputs, 1);
    EXPECT_EQ (algorithm.lastOutputs, 1);
    // Algorithms write the peaks of two channels even on a mono bus.
    EXPECT_EQ (host.getInputPeaks ()[0], 0.0f);
    EXPECT_EQ (host.getInputPeaks ()[1], 0.0f);

    host.setChannelCount (1, 2);   // one count differing is enough
    EXPECT_EQ (algorithm.channelCountCalls, 2);
    host.setChannelCount (-1, 2);  // nonsense is ignored
    EXPECT_EQ (host.getNumInputs (), 1);
    EXPECT_EQ (algorithm.channelCountCalls, 2);
}

TEST (DspHostChannels, MonoHostStillProcessesBothChannels)
{
    CMVXStravelPlugInDSP dsp;
    dsp.setChannelCount (1, 1);
    StereoBlock block (64);
    dsp.process (block.inPtr, block.outPtr, 64, nullptr, nullptr);
    EXPECT_NE (block.out[1][10], 7.0f);
}

TEST (DspHostRate, RateAndBlockSizeRaiseReinitWithoutRunningTheAlgorithm)
{
    FakeHost host;
    FakeAlgorithm& a = host.add (0, "A", 1, 1);
    FakeAlgorithm& b = host.add (1, "B", 1, 1);
    host.setSampleRate (96000.0);
    EXPECT_EQ (a.sampleRate.load (), 96000.0);
    EXPECT_EQ (b.sampleRate.load (), 96000.0);
    EXPECT_TRUE (a.reinitPending.exchange (false));
    EXPECT_TRUE (b.reinitPending.exchange (false));
    host.setBlockSize (512);
    EXPECT_EQ (a.maxBlockSize.load (), 512u);
    EXPECT_EQ (b.maxBlockSize.load (), 512u);
    EXPECT_TRUE (a.reinitPending.load ());
    EXPECT_TRUE (b.reinitPending.load ());
    EXPECT_EQ (a.blocks + b.blocks, 0);

    CMVXStravelPlugInDSP dsp;
    CMVXDSPAlgInterface& engine = *dsp.getCurrentAlgorithm ();
    engine.reinitPending.store (false);
    dsp.setSampleRate (44100.0);
    EXPECT_TRUE (engine.reinitPending.exchange (false));
    EXPECT_EQ (engine.sampleRate.load (), 44100.0);
    dsp.setBlockSize (1024);
    EXPECT_TRUE (engine.reinitPending.load ());
    EXPECT_EQ (engine.maxBlockSize.load (), 1024u);
    // Nonsense rates and sizes are ignored.
    dsp.setSampleRate (0.0);
    dsp.setBlockSize (-5);
    EXPECT_EQ (engine.sampleRate.load (), 44100.0);
    EXPECT_EQ (engine.maxBlockSize.load (), 1024u);
}

TEST (DspHostProcess, RunsTheCurrentAlgorithmWithTheHostsPeakArrays)
{
    FakeHost empty;
    StereoBlock block (16);
    int32_t count = 5;
    empty.process (block.inPtr, block.outPtr, 16, nullptr, &count);
    EXPECT_EQ (block.out[0][0], 7.0f);   // no algorithm: output untouched
    EXPECT_EQ (block.out[1][15], 7.0f);
    EXPECT_EQ (empty.getParameterNormalized (0), 0.0f);

    FakeHost host;
    FakeAlgorithm& algorithm = host.add (0, "A", 1, 1);
    host.process (block.inPtr, block.outPtr, 16, nullptr, &count);
    EXPECT_EQ (count, 0);
    EXPECT_EQ (algorithm.blocks, 1);
    EXPECT_EQ (algorithm.lastInPeaks, host.getInputPeaks ());
    host.process (nullptr, block.outPtr, 16, nullptr, nullptr);   // ignored, no crash
    EXPECT_EQ (algorithm.blocks, 1);
}

TEST (DspHostProcess, ParameterTrafficAndProcessingAllocateNothing)
{
    CMVXStravelPlugInDSP dsp;
    dsp.setSampleRate (48000.0);
    dsp.setBlockSize (256);
    StereoBlock block (256);
    int32_t changedIds[10];
    int32_t changedCount = 0;
    dsp.process (block.inPtr, block.outPtr, 256, changedIds, &changedCount);   // settles the rate

    AllocationCounter counter;
    for (int i = 0; i < 8; ++i)
    {
        dsp.setParameterNormalized (kParamKnob1, 0.1f * static_cast<float> (i), changedIds,
                                    &changedCount);
        dsp.setParameterNormalized (kParamEffectState, 1.0f);
        volatile float value = dsp.getParameterNormalized (kParamKnob1);
        (void) value;
        dsp.process (block.inPtr, block.outPtr, 256, changedIds, &changedCount);
    }
    EXPECT_EQ (counter.count (), 0u);
}

// Run under the thread sanitizer build to catch unsynchronised sharing.
TEST (DspHostProcess, MainThreadWritesWhileTheAudioThreadProcesses)
{
    CMVXStravelPlugInDSP dsp;
    std::atomic<bool> stop {false};
    std::thread audio ([&] {
        StereoBlock block (64);
        int32_t ids[10];
        int32_t count = 0;
        while (!stop.load ())
            dsp.process (block.inPtr, block.outPtr, 64, ids, &count);
    });
    for (int i = 0; i < 200; ++i)
    {
        dsp.setParameterNormalized (kParamKnob1 + i % 6, static_cast<float> (i % 10) / 10.0f);
        dsp.setParameterNormalized (kParamEffectState, (i % 3) ? 1.0f : 0.0f);
        if (i % 50 == 0)
            dsp.selectPreset (i / 50);
    }
    stop.store (true);
    audio.join ();
    EXPECT_EQ (dsp.getSelectedPresetNumber (), 3);
}
