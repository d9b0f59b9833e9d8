// SPDX-License-Identifier: GPL-3.0-or-later
// What the processor keeps of the host's set-up: bus arrangements, processing set-up and state.
// The full arrangement table, bus records and fixed answers are checked through the bundle in
// tests/conformance and tests/bundle; here what only the processor itself shows.
#include "host/StateBytes.h"
#include "host/StrictReadStream.h"
#include "processor/CMVXStravelVST3.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/vstspeaker.h"
#include <gtest/gtest.h>

using namespace Steinberg;
using namespace Steinberg::Vst;
using Morvane::Host::floatBytes;

// Busses are rebuilt only when the arrangement changes, and the DSP follows their width.
TEST (ProcessorBusses, RebuiltOnlyOnChangeWithTheDspFollowing)
{
    auto processor = owned (new CMVXStravelVST3 ());
    SpeakerArrangement mono = SpeakerArr::kMono, stereo = SpeakerArr::kStereo;
    EXPECT_EQ (processor->setBusArrangements (&mono, 1, &mono, 1), kResultFalse) << "before initialize";
    ASSERT_EQ (processor->initialize (nullptr), kResultOk);
    EXPECT_EQ (processor->getDsp ()->getNumInputs (), 2);

    EXPECT_EQ (processor->setBusArrangements (&mono, 1, &mono, 1), kResultTrue);
    EXPECT_EQ (processor->getDsp ()->getNumInputs (), 1);
    EXPECT_EQ (processor->getDsp ()->getNumOutputs (), 1);
    AudioBus* before = processor->getAudioInput (0);
    EXPECT_EQ (processor->setBusArrangements (&mono, 1, &mono, 1), kResultTrue);
    EXPECT_EQ (processor->getAudioInput (0), before) << "same arrangement must not rebuild";
    EXPECT_EQ (processor->setBusArrangements (&mono, -1, &mono, 1), kResultFalse);
    EXPECT_EQ (processor->getAudioInput (0), before);

    EXPECT_EQ (processor->setBusArrangements (&mono, 1, &stereo, 1), kResultFalse);   // falls back to stereo
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
    EXPECT_EQ (engine->sampleRate.load (), 96000.0);
    EXPECT_EQ (engine->maxBlockSize.load (), 480u);
    EXPECT_TRUE (engine->reinitPending.load ());
    EXPECT_EQ (processor->getProcessMode (), kOffline);

    // A 64-bit request is refused, but its rate and size are kept as for any set-up.
    ProcessSetup wide {kRealtime, kSample64, 256, 44100.0};
    EXPECT_EQ (processor->setupProcessing (wide), kResultFalse);
    EXPECT_EQ (engine->sampleRate.load (), 44100.0);
    // Values no engine can run with are not passed on.
    ProcessSetup broken {kRealtime, kSample32, -5, -1.0};
    processor->setupProcessing (broken);
    EXPECT_EQ (engine->sampleRate.load (), 44100.0);
    EXPECT_EQ (engine->maxBlockSize.load (), 256u);
    EXPECT_EQ (processor->getMaxSamplesPerBlock (), 256);
}

// Eight little-endian floats (32 bytes). A torn last value is not applied and the read reports
// false, whether the host's stream answers a short read with fewer bytes or with kResultFalse.
TEST (ProcessorState, RoundTripsAndAppliesOnlyWholeValuesOfATruncatedStream)
{
    const std::vector<float> values {0.0f, 5.0f / 7.0f, 0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.875f};
    auto processor = owned (new CMVXStravelVST3 ());
    MemoryStream saved;
    ASSERT_EQ (processor->setState (Morvane::Host::memoryStreamWith (floatBytes (values))), kResultOk);
    ASSERT_EQ (processor->getState (&saved), kResultOk);
    EXPECT_EQ (Morvane::Host::bytesOf (saved), floatBytes (values));

    std::vector<uint8_t> torn = floatBytes ({1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f});
    torn.resize (30);
    for (bool strict : {false, true})
    {
        auto reader = owned (new CMVXStravelVST3 ());
        IPtr<IBStream> stream = strict ? IPtr<IBStream> (owned (new Morvane::Host::StrictReadStream (torn)))
                                       : IPtr<IBStream> (Morvane::Host::memoryStreamWith (torn));
        EXPECT_EQ (reader->setState (stream), kResultFalse) << "strict " << strict;
        EXPECT_FLOAT_EQ (reader->getParameterValue (6), 0.0f) << "strict " << strict;
        EXPECT_FLOAT_EQ (reader->getParameterValue (7), 0.325f) << "default kept, strict " << strict;
    }
    EXPECT_EQ (processor->setState (nullptr), kInvalidArgument);
    EXPECT_EQ (processor->getState (nullptr), kInvalidArgument);
}
