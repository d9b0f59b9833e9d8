// SPDX-License-Identifier: GPL-3.0-or-later
// Audio and parameter flow through process (): widening, silence, queues, and bad host data.
#include "ProcessorTestSupport.h"
#include "processor/CMVXStravelVST3.h"
#include "sdk/hosting/parameterchanges.h"
#include "sdk/hosting/processdata.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/vstspeaker.h"
#include <gtest/gtest.h>
#include <cmath>
#include <random>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

struct RecordingFixture : ::testing::Test
{
    void SetUp () override
    {
        processor = owned (new ProcessorOnRecordingDsp ());
        ASSERT_EQ (processor->initialize (nullptr), kResultOk);
    }
    void TearDown () override { processor->terminate (); }

    void setup (int32 maxBlock)
    {
        ProcessSetup setup {kRealtime, kSample32, maxBlock, 48000.0};
        ASSERT_EQ (processor->setupProcessing (setup), kResultOk);
    }
    void goMono ()
    {
        SpeakerArrangement mono = SpeakerArr::kMono;
        ASSERT_EQ (processor->setBusArrangements (&mono, 1, &mono, 1), kResultTrue);
    }
    // Buffers of the given channel counts, input channel c holding c + ramp.
    void prepare (int32 inChannels, int32 outChannels, int32 samples)
    {
        ASSERT_TRUE (data.prepare ({inChannels}, {outChannels}, samples, kSample32));
        data.numSamples = samples;
        for (int32 c = 0; c < inChannels; ++c)
            for (int32 i = 0; i < samples; ++i)
                data.inputChannel32 (0, c)[i] = static_cast<float> (c) + 0.001f * static_cast<float> (i);
        for (int32 c = 0; c < outChannels; ++c)
            std::fill_n (data.outputChannel32 (0, c), samples, 7.0f);
    }
    RecordingDsp& dsp () { return processor->recorder (); }

    IPtr<ProcessorOnRecordingDsp> processor;
    HostProcessData data;
};

bool containsValue (const float* samples, int32 count, float value)
{
    return std::find (samples, samples + count, value) != samples + count;
}

} // namespace

TEST_F (RecordingFixture, MonoBusFeedsTheDspTwoChannelsAndHidesTheSecondOutput)
{
    setup (64);
    goMono ();
    prepare (1, 1, 64);
    ASSERT_EQ (processor->process (data), kResultOk);

    ASSERT_EQ (dsp ().processCalls.size (), 1u);
    const auto& call = dsp ().processCalls[0];
    EXPECT_EQ (call.numSamples, 64);
    EXPECT_EQ (call.inputs[0], data.inputs[0].channelBuffers32[0]);
    EXPECT_EQ (call.outputs[0], data.outputs[0].channelBuffers32[0]);
    EXPECT_NE (call.inputs[1], call.inputs[0]);
    EXPECT_TRUE (call.secondInputCopiesFirst);
    EXPECT_NE (call.outputs[1], call.outputs[0]);
    EXPECT_NE (call.outputs[1], call.inputs[0]);

    const float* in = data.inputChannel32 (0, 0);
    const float* out = data.outputChannel32 (0, 0);
    for (int32 i = 0; i < 64; ++i)
        ASSERT_EQ (out[i], 0.5f * in[i]) << "sample " << i;
    EXPECT_FALSE (containsValue (out, 64, RecordingDsp::kSecondOutputMarker));
    EXPECT_FALSE (containsValue (in, 64, RecordingDsp::kSecondOutputMarker));
}

TEST_F (RecordingFixture, MonoBlockLongerThanAnnouncedIsSplitNotOverrun)
{
    setup (32);
    goMono ();
    prepare (1, 1, 100);
    ASSERT_EQ (processor->process (data), kResultOk);
    int32 total = 0;
    for (const auto& call : dsp ().processCalls)
    {
        EXPECT_LE (call.numSamples, 32);
        EXPECT_TRUE (call.secondInputCopiesFirst);
        total += call.numSamples;
    }
    EXPECT_EQ (total, 100);
    const float* in = data.inputChannel32 (0, 0);
    const float* out = data.outputChannel32 (0, 0);
    for (int32 i = 0; i < 100; ++i)
        ASSERT_EQ (out[i], 0.5f * in[i]) << "sample " << i;
}

TEST_F (RecordingFixture, StereoBusHandsTheHostChannelsThrough)
{
    setup (64);
    prepare (2, 2, 64);
    ASSERT_EQ (processor->process (data), kResultOk);
    ASSERT_EQ (dsp ().processCalls.size (), 1u);
    const auto& call = dsp ().processCalls[0];
    for (int c = 0; c < 2; ++c)
    {
        EXPECT_EQ (call.inputs[c], data.inputs[0].channelBuffers32[c]);
        EXPECT_EQ (call.outputs[c], data.outputs[0].channelBuffers32[c]);
    }
    EXPECT_EQ (data.outputs[0].silenceFlags, 0u);
}

TEST_F (RecordingFixture, ExtraChannelsBeyondTwoAreLeftAlone)
{
    setup (16);
    prepare (6, 6, 16);
    ASSERT_EQ (processor->process (data), kResultOk);
    ASSERT_EQ (dsp ().processCalls.size (), 1u);
    EXPECT_EQ (dsp ().processCalls[0].inputs[1], data.inputs[0].channelBuffers32[1]);
    for (int32 c = 2; c < 6; ++c)
        EXPECT_EQ (data.outputChannel32 (0, c)[0], 7.0f);
}

TEST_F (RecordingFixture, SilentInputSkipsTheDspAndSilencesCopies)
{
    setup (32);
    prepare (2, 2, 32);
    data.inputs[0].silenceFlags = 0x3;
    dsp ().algorithm ()->updatePending = true;
    dsp ().algorithm ()->reinitPending = true;

    ASSERT_EQ (processor->process (data), kResultOk);
    EXPECT_TRUE (dsp ().processCalls.empty ());
    EXPECT_EQ (data.outputs[0].silenceFlags, 0x3u);
    for (int32 c = 0; c < 2; ++c)
        for (int32 i = 0; i < 32; ++i)
            ASSERT_EQ (data.outputChannel32 (0, c)[i], 0.0f);
    // Parameter changes reach the algorithm even though it does not run.
    EXPECT_EQ (dsp ().algorithm ()->updateCalls, 1);
    EXPECT_TRUE (dsp ().algorithm ()->lastReinit);

    ASSERT_EQ (processor->process (data), kResultOk);
    EXPECT_EQ (dsp ().algorithm ()->updateCalls, 1) << "nothing pending any more";
}

TEST_F (RecordingFixture, SilentInPlaceBlockKeepsTheSharedBuffer)
{
    setup (32);
    prepare (2, 2, 32);
    data.setInPlace (true);
    data.inputs[0].silenceFlags = 0x1;
    ASSERT_EQ (processor->process (data), kResultOk);
    EXPECT_TRUE (dsp ().processCalls.empty ());
    EXPECT_EQ (data.outputs[0].channelBuffers32[1][5], 1.0f + 0.001f * 5.0f);
    EXPECT_EQ (data.outputs[0].silenceFlags, 0x1u);
}

TEST_F (RecordingFixture, OnlyTheLastPointOfEachQueueIsApplied)
{
    ParameterChanges changes (4);
    int32 index = 0;
    IParamValueQueue* knob = changes.addParameterData (2, index);
    knob->addPoint (0, 0.1, index);
    knob->addPoint (10, 0.2, index);
    knob->addPoint (20, 0.9, index);
    IParamValueQueue* model = changes.addParameterData (1, index);
    model->addPoint (3, 4.0 / 7.0, index);
    changes.addParameterData (5, index);   // a queue without points changes nothing

    setup (32);
    prepare (2, 2, 32);
    data.inputParameterChanges = &changes;
    ASSERT_EQ (processor->process (data), kResultOk);
    ASSERT_EQ (dsp ().writes.size (), 2u);
    EXPECT_EQ (dsp ().writes[0], std::make_pair (2, 0.9f));
    EXPECT_EQ (dsp ().writes[1], std::make_pair (1, static_cast<float> (4.0 / 7.0)));
}

TEST_F (RecordingFixture, HostValuesOutsideTheRangeAreClampedOrDropped)
{
    ParameterChanges changes (3);
    int32 index = 0;
    changes.addParameterData (2, index)->addPoint (0, 1.5, index);
    changes.addParameterData (3, index)->addPoint (0, -0.5, index);
    changes.addParameterData (4, index)->addPoint (0, std::nan (""), index);
    prepare (2, 2, 0);
    data.inputParameterChanges = &changes;
    ASSERT_EQ (processor->process (data), kResultOk);
    ASSERT_EQ (dsp ().writes.size (), 2u);
    EXPECT_EQ (dsp ().writes[0], std::make_pair (2, 1.0f));
    EXPECT_EQ (dsp ().writes[1], std::make_pair (3, 0.0f));
}

TEST_F (RecordingFixture, ReportedIdsBecomeOutputChangesAtOffsetZero)
{
    dsp ().reportOnWrite = {5};
    dsp ().reportOnProcess = {6};
    dsp ().valueOf[5] = 0.75f;
    dsp ().valueOf[6] = 0.25f;
    ParameterChanges in (1), out (4);
    int32 index = 0;
    in.addParameterData (0, index)->addPoint (0, 1.0, index);
    setup (32);
    prepare (2, 2, 32);
    data.inputParameterChanges = &in;
    data.outputParameterChanges = &out;
    ASSERT_EQ (processor->process (data), kResultOk);

    ASSERT_EQ (out.getParameterCount (), 2);
    const std::pair<ParamID, double> expected[2] = {{5, 0.75}, {6, 0.25}};
    for (int32 q = 0; q < 2; ++q)
    {
        IParamValueQueue* queue = out.getParameterData (q);
        EXPECT_EQ (queue->getParameterId (), expected[q].first);
        ASSERT_EQ (queue->getPointCount (), 1);
        int32 offset = -1;
        ParamValue value = -1.0;
        ASSERT_EQ (queue->getPoint (0, offset, value), kResultOk);
        EXPECT_EQ (offset, 0);
        EXPECT_EQ (value, expected[q].second);
    }
    EXPECT_TRUE (processor->pendingIds ().empty ());
}

TEST_F (RecordingFixture, IdsTheHostCannotTakeWaitForTheNextBlock)
{
    dsp ().reportOnProcess = {6, 7};
    ParameterChanges out (1);
    setup (32);
    prepare (2, 2, 32);
    data.outputParameterChanges = &out;
    ASSERT_EQ (processor->process (data), kResultOk);
    ASSERT_EQ (out.getParameterCount (), 1);
    EXPECT_EQ (out.getParameterData (0)->getParameterId (), 6u);

    dsp ().reportOnProcess.clear ();
    out.clearQueue ();
    ASSERT_EQ (processor->process (data), kResultOk);
    ASSERT_EQ (out.getParameterCount (), 1);
    EXPECT_EQ (out.getParameterData (0)->getParameterId (), 7u);
    EXPECT_TRUE (processor->pendingIds ().empty ());
}

TEST_F (RecordingFixture, PendingIdsNeverGrowWithoutAnOutputList)
{
    dsp ().reportOnProcess = {1, 2, 3};
    setup (8);
    prepare (2, 2, 8);
    const size_t capacity = processor->pendingIds ().capacity ();
    for (int block = 0; block < 1000; ++block)
        ASSERT_EQ (processor->process (data), kResultOk);
    EXPECT_EQ (processor->pendingIds ().size (), 3u) << "each id waits once";
    EXPECT_EQ (processor->pendingIds ().capacity (), capacity);
}

TEST_F (RecordingFixture, FlushWithoutBuffersAppliesParametersOnly)
{
    ParameterChanges changes (1);
    int32 index = 0;
    changes.addParameterData (3, index)->addPoint (0, 0.5, index);

    // numSamples 0 with null channel buffers, as hosts flush parameters.
    ProcessData flush;
    AudioBusBuffers in, out;
    in.numChannels = 2;
    out.numChannels = 2;
    flush.numInputs = 1;
    flush.numOutputs = 1;
    flush.inputs = &in;
    flush.outputs = &out;
    flush.inputParameterChanges = &changes;
    EXPECT_EQ (processor->process (flush), kResultOk);
    EXPECT_EQ (dsp ().writes.size (), 1u);

    // No busses at all, and bus counts without bus arrays.
    ProcessData none;
    none.inputParameterChanges = &changes;
    EXPECT_EQ (processor->process (none), kResultOk);
    none.numInputs = 1;
    none.numOutputs = 1;
    EXPECT_EQ (processor->process (none), kResultOk);
    EXPECT_EQ (dsp ().writes.size (), 3u);
    EXPECT_TRUE (dsp ().processCalls.empty ());
}

TEST_F (RecordingFixture, MissingChannelPointersOrWideSamplesSkipTheDsp)
{
    setup (16);
    prepare (2, 2, 16);
    Sample32* saved = data.outputs[0].channelBuffers32[1];
    data.outputs[0].channelBuffers32[1] = nullptr;
    EXPECT_EQ (processor->process (data), kResultOk);
    data.outputs[0].channelBuffers32[1] = saved;

    data.inputs[0].numChannels = 0;
    EXPECT_EQ (processor->process (data), kResultOk);
    data.inputs[0].numChannels = 2;

    data.symbolicSampleSize = kSample64;
    EXPECT_EQ (processor->process (data), kResultOk);
    EXPECT_TRUE (dsp ().processCalls.empty ());
}

TEST_F (RecordingFixture, MonoBeforeAnySetupDoesNotTouchMissingScratch)
{
    goMono ();
    prepare (1, 1, 16);
    EXPECT_EQ (processor->process (data), kResultOk);
    EXPECT_TRUE (dsp ().processCalls.empty ());
    EXPECT_EQ (data.outputChannel32 (0, 0)[3], 0.0f);
}

// The real DSP host at the rates and random block sizes hosts use: output stays finite.
TEST (ProcessorAudio, RealEngineRunsStereoAndMonoAtHostRates)
{
    std::mt19937 random (1234);
    for (bool mono : {false, true})
        for (double rate : {22050.0, 44100.0, 96000.0, 192000.0, 1234.5678})
        {
            auto processor = owned (new CMVXStravelVST3 ());
            ASSERT_EQ (processor->initialize (nullptr), kResultOk);
            if (mono)
            {
                SpeakerArrangement arr = SpeakerArr::kMono;
                ASSERT_EQ (processor->setBusArrangements (&arr, 1, &arr, 1), kResultTrue);
            }
            const int32 maxBlock = 1024;
            ProcessSetup setup {kRealtime, kSample32, maxBlock, rate};
            ASSERT_EQ (processor->setupProcessing (setup), kResultOk);
            processor->setActive (true);
            HostProcessData data;
            ASSERT_TRUE (data.prepare (*processor, maxBlock, kSample32));
            double phase = 0.0;
            for (int block = 0; block < 8; ++block)
            {
                data.numSamples = std::uniform_int_distribution<int32> (0, maxBlock) (random);
                for (int32 c = 0; c < data.inputs[0].numChannels; ++c)
                    for (int32 i = 0; i < data.numSamples; ++i)
                        data.inputChannel32 (0, c)[i] =
                            0.5f * static_cast<float> (std::sin (phase + 0.05 * i));
                phase += 0.05 * data.numSamples;
                ASSERT_EQ (processor->process (data), kResultOk);
                for (int32 c = 0; c < data.outputs[0].numChannels; ++c)
                    for (int32 i = 0; i < data.numSamples; ++i)
                        ASSERT_TRUE (std::isfinite (data.outputChannel32 (0, c)[i]))
                            << "rate " << rate << " mono " << mono;
            }
            processor->setActive (false);
            processor->terminate ();
        }
}
