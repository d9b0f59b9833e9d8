// SPDX-License-Identifier: GPL-3.0-or-later
// What only the processor itself shows (the arrangement table, bus records, flushes, fixed
// answers and state streams are checked through the bundle in tests/conformance and
// tests/bundle): bus rebuilds and set-up, then audio and parameters through process () on a
// recording DSP.
#include "ProcessorTestSupport.h"
#include "processor/CMVXStravelVST3.h"
#include "sdk/hosting/parameterchanges.h"
#include "sdk/hosting/processdata.h"
#include "support/SignalChecks.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/vstspeaker.h"
#include <gtest/gtest.h>
#include <cmath>
#include <tuple>

using namespace Steinberg;
using namespace Steinberg::Vst;

// Busses are rebuilt only when the arrangement changes, and the DSP follows their width.
TEST (ProcessorBusses, RebuiltOnlyOnChangeWithTheDspFollowing)
{
    auto processor = owned (new CMVXStravelVST3 ());
    SpeakerArrangement mono = SpeakerArr::kMono, stereo = SpeakerArr::kStereo;
    EXPECT_EQ (processor->setBusArrangements (&mono, 1, &mono, 1), kResultFalse)
        << "before initialize";
    ASSERT_EQ (processor->initialize (nullptr), kResultOk);
    EXPECT_EQ (processor->getDsp ()->getNumInputs (), 2);

    EXPECT_EQ (processor->setBusArrangements (&mono, 1, &mono, 1), kResultTrue);
    EXPECT_TRUE (processor->getDsp ()->getNumInputs () == 1
                 && processor->getDsp ()->getNumOutputs () == 1);
    AudioBus* before = processor->getAudioInput (0);
    EXPECT_EQ (processor->setBusArrangements (&mono, 1, &mono, 1), kResultTrue);
    EXPECT_EQ (processor->getAudioInput (0), before) << "same arrangement must not rebuild";
    EXPECT_EQ (processor->setBusArrangements (&mono, -1, &mono, 1), kResultFalse);
    EXPECT_EQ (processor->getAudioInput (0), before);

    EXPECT_EQ (processor->setBusArrangements (&mono, 1, &stereo, 1),
               kResultFalse);   // falls back to stereo
    EXPECT_EQ (processor->getDsp ()->getNumOutputs (), 2);

    // Another one-channel arrangement on the input side wins over the output's.
    SpeakerArrangement centre = kSpeakerC, out = 0;
    EXPECT_EQ (processor->setBusArrangements (&centre, 1, &mono, 1), kResultTrue);
    processor->getBusArrangement (kOutput, 0, out);
    EXPECT_EQ (out, kSpeakerC);
    processor->terminate ();
}

TEST (ProcessorSetup, ReachesTheEngineUnlessUnusable)
{
    auto processor = owned (new CMVXStravelVST3 ());
    EXPECT_EQ (processor->getProcessMode (), -1);
    ProcessSetup setup {kOffline, kSample32, 480, 96000.0};
    ASSERT_EQ (processor->setupProcessing (setup), kResultOk);
    CMVXDSPAlgInterface* engine = processor->getDsp ()->getCurrentAlgorithm ();
    ASSERT_NE (engine, nullptr);
    EXPECT_TRUE (engine->sampleRate.load () == 96000.0 && engine->maxBlockSize.load () == 480u
                 && engine->reinitPending.load ());
    EXPECT_EQ (processor->getProcessMode (), kOffline);

    // A 64-bit request is refused, but its rate and size are kept as for any set-up.
    ProcessSetup wide {kRealtime, kSample64, 256, 44100.0}, broken {kRealtime, kSample32, -5, -1.0};
    EXPECT_EQ (processor->setupProcessing (wide), kResultFalse);
    EXPECT_EQ (engine->sampleRate.load (), 44100.0);
    // Values no engine can run with are not passed on.
    processor->setupProcessing (broken);
    EXPECT_TRUE (engine->sampleRate.load () == 44100.0 && engine->maxBlockSize.load () == 256u
                 && processor->getMaxSamplesPerBlock () == 256);
}

namespace {

struct ProcessorProcess : ::testing::Test
{
    void SetUp () override { ASSERT_EQ (processor->initialize (nullptr), kResultOk); }
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
    // Input channel c holds c + a ramp; outputs hold 7 until written.
    void prepare (int32 inChannels, int32 outChannels, int32 samples)
    {
        ASSERT_TRUE (data.prepare ({inChannels}, {outChannels}, samples, kSample32));
        data.numSamples = samples;
        for (int32 c = 0; c < inChannels; ++c)
            for (int32 i = 0; i < samples; ++i)
                data.inputChannel32 (0, c)[i] =
                    static_cast<float> (c) + 0.001f * static_cast<float> (i);
        for (int32 c = 0; c < outChannels; ++c)
            std::fill_n (data.outputChannel32 (0, c), samples, 7.0f);
    }
    RecordingDsp& dsp () { return processor->recorder (); }

    IPtr<ProcessorOnRecordingDsp> processor = owned (new ProcessorOnRecordingDsp ());
    HostProcessData data;
};

// (id, offset, value) of every point the processor reported.
using Points = std::vector<std::tuple<ParamID, int32, ParamValue>>;
Points pointsOf (ParameterChanges& changes)
{
    Points points;
    int32 offset = -1;
    ParamValue value = -1.0;
    for (int32 q = 0; q < changes.getParameterCount (); ++q)
        for (int32 p = 0; changes.getParameterData (q)->getPoint (p, offset, value) == kResultOk;
             ++p)
            points.emplace_back (changes.getParameterData (q)->getParameterId (), offset, value);
    return points;
}

}   // namespace

// A mono bus is widened into scratch once set up (before that there is none, and the block is
// skipped): the DSP sees a copy of the input as its second channel and writes its second output
// where the host never looks. Blocks over the announced size are split.
TEST_F (ProcessorProcess, MonoIsWidenedIntoScratchAndLongBlocksAreSplit)
{
    goMono ();
    prepare (1, 1, 16);
    EXPECT_EQ (processor->process (data), kResultOk);
    EXPECT_TRUE (dsp ().processCalls.empty ());
    EXPECT_EQ (data.outputChannel32 (0, 0)[3], 0.0f) << "before set-up";
    for (auto [maxBlock, samples] : {std::pair<int32, int32> {64, 64}, {32, 100}})
    {
        SCOPED_TRACE (std::to_string (samples) + " samples, announced "
                      + std::to_string (maxBlock));
        dsp ().processCalls.clear ();
        setup (maxBlock);
        goMono ();
        prepare (1, 1, samples);
        ASSERT_EQ (processor->process (data), kResultOk);
        ASSERT_FALSE (dsp ().processCalls.empty ());
        const auto& first = dsp ().processCalls[0];
        EXPECT_EQ (first.inputs[0], data.inputs[0].channelBuffers32[0]);
        EXPECT_EQ (first.outputs[0], data.outputs[0].channelBuffers32[0]);
        EXPECT_TRUE (first.inputs[1] != first.inputs[0] && first.outputs[1] != first.outputs[0]
                     && first.outputs[1] != first.inputs[0]);
        int32 total = 0;
        for (const auto& call : dsp ().processCalls)
        {
            EXPECT_LE (call.numSamples, maxBlock);
            EXPECT_TRUE (call.secondInputCopiesFirst);
            total += call.numSamples;
        }
        EXPECT_EQ (total, samples);
        const float *in = data.inputChannel32 (0, 0), *out = data.outputChannel32 (0, 0);
        for (int32 i = 0; i < samples; ++i)
            ASSERT_TRUE (out[i] == 0.5f * in[i] && in[i] != RecordingDsp::kSecondOutputMarker)
                << "sample " << i;
    }
}

TEST_F (ProcessorProcess, StereoPassesTheHostChannelsAndLeavesExtraOnesAlone)
{
    setup (16);
    prepare (6, 6, 16);
    ASSERT_EQ (processor->process (data), kResultOk);
    ASSERT_EQ (dsp ().processCalls.size (), 1u);
    for (int c = 0; c < 2; ++c)
        EXPECT_TRUE (dsp ().processCalls[0].inputs[c] == data.inputs[0].channelBuffers32[c]
                     && dsp ().processCalls[0].outputs[c] == data.outputs[0].channelBuffers32[c])
            << c;
    for (int32 c = 2; c < 6; ++c)
        EXPECT_EQ (data.outputChannel32 (0, c)[0], 7.0f);
    EXPECT_EQ (data.outputs[0].silenceFlags, 0u);
}

TEST_F (ProcessorProcess, SilentInputSkipsTheDspButNotPendingSettings)
{
    setup (32);
    prepare (2, 2, 32);
    data.inputs[0].silenceFlags = 0x3;
    dsp ().algorithm->updatePending = true;
    dsp ().algorithm->reinitPending = true;
    ASSERT_EQ (processor->process (data), kResultOk);
    EXPECT_TRUE (dsp ().processCalls.empty ());
    EXPECT_EQ (data.outputs[0].silenceFlags, 0x3u);
    for (int32 c = 0; c < 2; ++c)
        EXPECT_EQ (Morvane::Test::peak (data.outputChannel32 (0, c), 32), 0.0) << "channel " << c;
    EXPECT_EQ (dsp ().algorithm->updateCalls, 1);
    EXPECT_TRUE (dsp ().algorithm->lastReinit);
    ASSERT_EQ (processor->process (data), kResultOk);
    EXPECT_EQ (dsp ().algorithm->updateCalls, 1) << "nothing pending any more";
}

// One write per queue, its last point, clamped into [0, 1]; empty queues and NaN change nothing.
TEST_F (ProcessorProcess, OnlyTheLastPointOfEachQueueReachesTheDsp)
{
    ParameterChanges changes (8);
    int32 index = 0;
    IParamValueQueue* knob = changes.addParameterData (2, index);
    for (auto [offset, value] : {std::pair<int32, double> {0, 0.1}, {10, 0.2}, {20, 0.9}})
        knob->addPoint (offset, value, index);
    changes.addParameterData (1, index)->addPoint (3, 4.0 / 7.0, index);
    changes.addParameterData (5, index);
    changes.addParameterData (3, index)->addPoint (0, 1.5, index);
    changes.addParameterData (7, index)->addPoint (0, -0.5, index);
    changes.addParameterData (4, index)->addPoint (0, std::nan (""), index);
    setup (32);
    prepare (2, 2, 32);
    data.inputParameterChanges = &changes;
    ASSERT_EQ (processor->process (data), kResultOk);
    EXPECT_EQ (dsp ().writes, (std::vector<std::pair<int32_t, float>> {
                                  {2, 0.9f}, {1, float (4.0 / 7.0)}, {3, 1.0f}, {7, 0.0f}}));
}

TEST_F (ProcessorProcess, ReportedIdsBecomeOutputChangesAndWaitWhenTheListIsFull)
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
    EXPECT_EQ (pointsOf (out), (Points {{5, 0, 0.75}, {6, 0, 0.25}}));

    // A list with room for one: the second id goes out with the next block.
    ParameterChanges small (1);
    data.inputParameterChanges = nullptr;
    data.outputParameterChanges = &small;
    dsp ().reportOnProcess = {6, 7};
    ASSERT_EQ (processor->process (data), kResultOk);
    EXPECT_EQ (pointsOf (small), (Points {{6, 0, 0.25}}));
    dsp ().reportOnProcess.clear ();
    small.clearQueue ();
    ASSERT_EQ (processor->process (data), kResultOk);
    EXPECT_EQ (pointsOf (small), (Points {{7, 0, 0.0}}));
    EXPECT_TRUE (processor->pendingIds ().empty ());

    // Without any output list each id waits once, and the waiting list never grows.
    data.outputParameterChanges = nullptr;
    dsp ().reportOnProcess = {1, 2, 3};
    const size_t capacity = processor->pendingIds ().capacity ();
    for (int block = 0; block < 1000; ++block)
        ASSERT_EQ (processor->process (data), kResultOk);
    EXPECT_EQ (processor->pendingIds ().size (), 3u);
    EXPECT_EQ (processor->pendingIds ().capacity (), capacity);
}

// Flushes and malformed blocks are survived through the bundle (tests/conformance); here: bus
// counts without bus arrays still apply parameters, and no malformed block reaches the DSP.
TEST_F (ProcessorProcess, BrokenHostDataAppliesParametersButSkipsTheDsp)
{
    ParameterChanges changes (1);
    int32 index = 0;
    changes.addParameterData (3, index)->addPoint (0, 0.5, index);
    ProcessData none;
    none.numInputs = none.numOutputs = 1;
    none.inputParameterChanges = &changes;
    EXPECT_EQ (processor->process (none), kResultOk);
    EXPECT_EQ (dsp ().writes.size (), 1u);

    setup (16);
    prepare (2, 2, 16);
    data.outputs[0].channelBuffers32[1] = nullptr;
    EXPECT_EQ (processor->process (data), kResultOk);
    prepare (2, 2, 16);
    data.inputs[0].numChannels = 0;
    EXPECT_EQ (processor->process (data), kResultOk);
    prepare (2, 2, 16);
    data.symbolicSampleSize = kSample64;
    EXPECT_EQ (processor->process (data), kResultOk);
    EXPECT_TRUE (dsp ().processCalls.empty ());
}
