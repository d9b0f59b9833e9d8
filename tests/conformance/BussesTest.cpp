// SPDX-License-Identifier: GPL-3.0-or-later
// Busses as a host checks them: stable records that agree with the arrangements, activation of
// every bus, mono and stereo arrangements read back, and processing in both.
#include "Conformance.h"
#include "pluginterfaces/vst/vstspeaker.h"
#include <cstring>

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using Morvane::Host::PluginInstance;
using Morvane::Host::ProcessConfig;
using Morvane::Test::Conformance;
using Morvane::Test::fillInputs;
using Morvane::Test::outputsFinite;

std::string narrow (const char16* text)
{
    std::string result;
    for (; text && *text; ++text)
        result += static_cast<char> (*text);
    return result;
}

bool sameBusInfo (const BusInfo& a, const BusInfo& b)
{
    return a.mediaType == b.mediaType && a.direction == b.direction && a.channelCount == b.channelCount &&
           std::memcmp (a.name, b.name, sizeof (a.name)) == 0 && a.busType == b.busType && a.flags == b.flags;
}

// Bus records read twice are identical, and each audio bus's arrangement has its channel count.
void expectConsistentBusses (PluginInstance& instance)
{
    IComponent* component = instance.component ();
    for (BusDirection direction : {kInput, kOutput})
        for (int32 bus = 0; bus < component->getBusCount (kAudio, direction); ++bus)
        {
            BusInfo first {}, second {};
            ASSERT_EQ (component->getBusInfo (kAudio, direction, bus, first), kResultOk);
            ASSERT_EQ (component->getBusInfo (kAudio, direction, bus, second), kResultOk);
            EXPECT_TRUE (sameBusInfo (first, second)) << "direction " << direction << " bus " << bus;
            SpeakerArrangement arrangement = 0;
            ASSERT_EQ (instance.processor ()->getBusArrangement (direction, bus, arrangement), kResultOk);
            EXPECT_EQ (SpeakerArr::getChannelCount (arrangement), first.channelCount)
                << "direction " << direction << " bus " << bus;
        }
}

// One arrangement on both busses, read back from the arrangements and the bus records.
void expectArrangement (PluginInstance& instance, SpeakerArrangement expected, const char* inName,
                        const char* outName)
{
    for (BusDirection direction : {kInput, kOutput})
    {
        SpeakerArrangement arrangement = 0;
        EXPECT_EQ (instance.processor ()->getBusArrangement (direction, 0, arrangement), kResultOk);
        EXPECT_EQ (arrangement, expected) << "direction " << direction;
        BusInfo info {};
        ASSERT_EQ (instance.component ()->getBusInfo (kAudio, direction, 0, info), kResultOk);
        EXPECT_EQ (info.channelCount, SpeakerArr::getChannelCount (expected));
        EXPECT_EQ (narrow (info.name), direction == kInput ? inName : outName);
    }
}

TEST_F (Conformance, BusConsistency)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    expectConsistentBusses (*instance);
    ASSERT_EQ (instance->setBusArrangement (1, 1), kResultTrue);
    expectConsistentBusses (*instance);
    ASSERT_EQ (instance->setBusArrangement (2, 2), kResultTrue);
    expectConsistentBusses (*instance);
}

TEST_F (Conformance, BusActivation)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    IComponent* component = instance->component ();
    for (MediaType media : {kAudio, kEvent})
        for (BusDirection direction : {kInput, kOutput})
            for (int32 bus = 0; bus < component->getBusCount (media, direction); ++bus)
            {
                EXPECT_EQ (component->activateBus (media, direction, bus, true), kResultOk);
                EXPECT_EQ (component->activateBus (media, direction, bus, false), kResultOk);
            }
    for (BusDirection direction : {kInput, kOutput})
        EXPECT_NE (component->activateBus (kAudio, direction, 1, true), kResultOk) << "no second bus";
    for (BusDirection direction : {kInput, kOutput})
        EXPECT_EQ (component->activateBus (kAudio, direction, 0, true), kResultOk);
    expectConsistentBusses (*instance);

    ProcessConfig config;
    config.maxBlockSamples = 256;
    std::string error;
    ASSERT_TRUE (instance->startProcessing (config, error)) << error;
    fillInputs (*instance, 256);
    EXPECT_EQ (instance->process (256), kResultOk);
    EXPECT_TRUE (outputsFinite (*instance, 256));
}

TEST_F (Conformance, SpeakerArrangementMono)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    // Asking twice for what is already there is accepted as well.
    for (int request = 0; request < 2; ++request)
    {
        EXPECT_EQ (instance->setBusArrangement (1, 1), kResultTrue);
        expectArrangement (*instance, SpeakerArr::kMono, "Mono In", "Mono Out");
    }
}

TEST_F (Conformance, SpeakerArrangementStereo)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    expectArrangement (*instance, SpeakerArr::kStereo, "Stereo In", "Stereo Out");
    ASSERT_EQ (instance->setBusArrangement (1, 1), kResultTrue);
    for (int request = 0; request < 2; ++request)
    {
        EXPECT_EQ (instance->setBusArrangement (2, 2), kResultTrue);
        expectArrangement (*instance, SpeakerArr::kStereo, "Stereo In", "Stereo Out");
    }
}

// Mono processing is the left half of stereo processing: the same engine, fed the same signal.
TEST_F (Conformance, ProcessMonoAndStereo)
{
    ProcessConfig stereoConfig;
    stereoConfig.maxBlockSamples = 256;
    ProcessConfig monoConfig = stereoConfig;
    monoConfig.inputChannels = monoConfig.outputChannels = 1;
    auto stereo = createProcessingInstance (stereoConfig);
    auto mono = createProcessingInstance (monoConfig);
    ASSERT_TRUE (stereo && mono);
    ASSERT_EQ (mono->processData ().inputs[0].numChannels, 1);
    ASSERT_EQ (mono->processData ().outputs[0].numChannels, 1);

    double largestDifference = 0, largestStereoSpread = 0, loudest = 0;
    for (int block = 0; block < 20; ++block)
    {
        fillInputs (*stereo, 256, block * 256);
        fillInputs (*mono, 256, block * 256);
        ASSERT_EQ (stereo->process (256), kResultOk);
        ASSERT_EQ (mono->process (256), kResultOk);
        ASSERT_TRUE (outputsFinite (*stereo, 256) && outputsFinite (*mono, 256)) << "block " << block;
        const float* left = stereo->processData ().outputChannel32 (0, 0);
        const float* right = stereo->processData ().outputChannel32 (0, 1);
        const float* single = mono->processData ().outputChannel32 (0, 0);
        for (int i = 0; i < 256; ++i)
        {
            largestDifference = std::max (largestDifference, std::fabs (double (left[i]) - single[i]));
            largestStereoSpread = std::max (largestStereoSpread, std::fabs (double (left[i]) - right[i]));
            loudest = std::max (loudest, std::fabs (double (single[i])));
        }
    }
    EXPECT_GT (loudest, 1e-3);
    EXPECT_EQ (largestStereoSpread, 0.0);
    EXPECT_EQ (largestDifference, 0.0);
}

} // namespace
