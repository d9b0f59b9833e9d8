// SPDX-License-Identifier: GPL-3.0-or-later
// The processor's busses, arrangement rules and processing set-up as a host sees them.
#include "support/BundleFixture.h"
#include "pluginterfaces/vst/vstspeaker.h"

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;

std::string narrow (const char16* text)
{
    std::string result;
    for (; text && *text; ++text)
        result += static_cast<char> (*text);
    return result;
}

struct BusState
{
    std::string inName, outName;
    int32 inChannels = -1, outChannels = -1;
    SpeakerArrangement inArr = 0, outArr = 0;
};

BusState busState (Morvane::Host::PluginInstance& instance)
{
    BusState s;
    BusInfo in {}, out {};
    if (instance.component ()->getBusInfo (kAudio, kInput, 0, in) == kResultOk)
    {
        s.inName = narrow (in.name);
        s.inChannels = in.channelCount;
    }
    if (instance.component ()->getBusInfo (kAudio, kOutput, 0, out) == kResultOk)
    {
        s.outName = narrow (out.name);
        s.outChannels = out.channelCount;
    }
    instance.processor ()->getBusArrangement (kInput, 0, s.inArr);
    instance.processor ()->getBusArrangement (kOutput, 0, s.outArr);
    return s;
}

void expectStereo (Morvane::Host::PluginInstance& instance)
{
    const BusState s = busState (instance);
    EXPECT_EQ (s.inName, "Stereo In");
    EXPECT_EQ (s.outName, "Stereo Out");
    EXPECT_EQ (s.inChannels, 2);
    EXPECT_EQ (s.outChannels, 2);
    EXPECT_EQ (s.inArr, SpeakerArr::kStereo);
    EXPECT_EQ (s.outArr, SpeakerArr::kStereo);
}

void expectMono (Morvane::Host::PluginInstance& instance)
{
    const BusState s = busState (instance);
    EXPECT_EQ (s.inName, "Mono In");
    EXPECT_EQ (s.outName, "Mono Out");
    EXPECT_EQ (s.inChannels, 1);
    EXPECT_EQ (s.outChannels, 1);
    EXPECT_EQ (s.inArr, SpeakerArr::kMono);
    EXPECT_EQ (s.outArr, SpeakerArr::kMono);
}

class ProcessorSetup : public Morvane::Test::BundleFixture
{
};

TEST_F (ProcessorSetup, InitializedProcessorHasOneStereoMainBusEachWay)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    IComponent* component = instance->component ();
    EXPECT_EQ (component->getBusCount (kAudio, kInput), 1);
    EXPECT_EQ (component->getBusCount (kAudio, kOutput), 1);
    EXPECT_EQ (component->getBusCount (kEvent, kInput), 0);
    EXPECT_EQ (component->getBusCount (kEvent, kOutput), 0);
    expectStereo (*instance);

    BusInfo info {};
    ASSERT_EQ (component->getBusInfo (kAudio, kInput, 0, info), kResultOk);
    EXPECT_EQ (info.mediaType, kAudio);
    EXPECT_EQ (info.direction, kInput);
    EXPECT_EQ (info.busType, kMain);
    EXPECT_EQ (info.flags, static_cast<uint32> (BusInfo::kDefaultActive));
    EXPECT_NE (component->getBusInfo (kAudio, kInput, 1, info), kResultOk);
}

TEST_F (ProcessorSetup, SecondInitializeIsRefused)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    EXPECT_EQ (instance->component ()->initialize (instance->context ()), kResultFalse);
    expectStereo (*instance);
}

TEST_F (ProcessorSetup, FixedAnswers)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    IAudioProcessor* processor = instance->processor ();
    EXPECT_EQ (processor->canProcessSampleSize (kSample32), kResultTrue);
    EXPECT_EQ (processor->canProcessSampleSize (kSample64), kResultFalse);
    EXPECT_EQ (processor->getLatencySamples (), 0u);
    EXPECT_EQ (processor->getTailSamples (), 0u);
    EXPECT_EQ (instance->component ()->setIoMode (kAdvanced), kNotImplemented);
    RoutingInfo in {}, out {};
    EXPECT_EQ (instance->component ()->getRoutingInfo (in, out), kNotImplemented);
    EXPECT_EQ (instance->component ()->setActive (true), kResultOk);
    EXPECT_EQ (processor->setProcessing (true), kNotImplemented);
    EXPECT_EQ (instance->component ()->setActive (false), kResultOk);
}

TEST_F (ProcessorSetup, SetupProcessingAcceptsThirtyTwoBitOnly)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    Morvane::Host::ProcessConfig config;
    config.sampleRateHz = 44100.0;
    config.maxBlockSamples = 1024;
    EXPECT_EQ (instance->setupProcessing (config), kResultOk);
    config.processMode = kOffline;
    EXPECT_EQ (instance->setupProcessing (config), kResultOk);
    config.symbolicSampleSize = kSample64;
    EXPECT_NE (instance->setupProcessing (config), kResultOk);
}

TEST_F (ProcessorSetup, MixedOrWideRequestsEndStereoAndAreRefused)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    // Stereo busses stay as they are.
    EXPECT_EQ (instance->setBusArrangement (6, 6), kResultFalse);
    expectStereo (*instance);
    EXPECT_EQ (instance->setBusArrangement (2, 1), kResultFalse);
    expectStereo (*instance);
    EXPECT_EQ (instance->setBusArrangement (1, 2), kResultFalse);
    expectStereo (*instance);

    // From mono, a refused request falls back to stereo.
    ASSERT_EQ (instance->setBusArrangement (1, 1), kResultTrue);
    EXPECT_EQ (instance->setBusArrangement (1, 2), kResultFalse);
    expectStereo (*instance);
    ASSERT_EQ (instance->setBusArrangement (1, 1), kResultTrue);
    EXPECT_EQ (instance->setBusArrangement (6, 6), kResultFalse);
    expectStereo (*instance);
}

TEST_F (ProcessorSetup, OtherThanOneBusEachWayIsRefusedUnchanged)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    ASSERT_EQ (instance->setBusArrangement (1, 1), kResultTrue);
    SpeakerArrangement two[2] = {SpeakerArr::kStereo, SpeakerArr::kStereo};
    EXPECT_EQ (instance->processor ()->setBusArrangements (two, 2, two, 1), kResultFalse);
    EXPECT_EQ (instance->processor ()->setBusArrangements (two, 1, two, 2), kResultFalse);
    EXPECT_EQ (instance->processor ()->setBusArrangements (nullptr, 0, two, 1), kResultFalse);
    expectMono (*instance);
}

} // namespace
