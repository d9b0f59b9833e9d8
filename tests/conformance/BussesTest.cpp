// SPDX-License-Identifier: GPL-3.0-or-later
// Busses as a host checks them: activation, arrangement requests granted or refused, records
// that agree with the arrangements, and processing in mono and stereo.
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

// Both busses in the arrangement of channels (1 or 2), read back twice from the arrangements
// and the bus records, which must agree.
void expectBusses (PluginInstance& instance, int32 channels)
{
    const SpeakerArrangement expected = channels == 1 ? SpeakerArr::kMono : SpeakerArr::kStereo;
    const std::u16string prefix = channels == 1 ? u"Mono " : u"Stereo ";
    for (BusDirection direction : {kInput, kOutput})
    {
        SCOPED_TRACE ("direction " + std::to_string (direction));
        SpeakerArrangement arrangement = 0;
        EXPECT_EQ (instance.processor ()->getBusArrangement (direction, 0, arrangement), kResultOk);
        EXPECT_EQ (arrangement, expected);
        BusInfo first {}, second {};
        ASSERT_EQ (instance.component ()->getBusInfo (kAudio, direction, 0, first), kResultOk);
        ASSERT_EQ (instance.component ()->getBusInfo (kAudio, direction, 0, second), kResultOk);
        EXPECT_EQ (std::memcmp (&first, &second, sizeof (BusInfo)), 0) << "records differ when read twice";
        EXPECT_EQ (first.channelCount, channels);
        EXPECT_EQ (std::u16string (reinterpret_cast<const char16_t*> (first.name)),
                   prefix + (direction == kInput ? u"In" : u"Out"));
    }
}

// The bus can be switched off and on. Mono or stereo on both sides is granted, also when already
// in place; anything else is refused and leaves stereo, even from mono.
TEST_F (Conformance, SpeakerArrangements)
{
    struct Step
    {
        int32 in, out;
        tresult result;
        int32 channelsAfter;
    };
    const Step steps[] = {{1, 1, kResultTrue, 1}, {1, 1, kResultTrue, 1},  {2, 2, kResultTrue, 2},
                          {2, 2, kResultTrue, 2}, {6, 6, kResultFalse, 2}, {2, 1, kResultFalse, 2},
                          {1, 2, kResultFalse, 2}, {1, 1, kResultTrue, 1}, {1, 2, kResultFalse, 2},
                          {1, 1, kResultTrue, 1}, {6, 6, kResultFalse, 2}, {1, 1, kResultTrue, 1}};
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    for (BusDirection direction : {kInput, kOutput})
    {
        EXPECT_EQ (instance->component ()->activateBus (kAudio, direction, 0, false), kResultOk);
        EXPECT_EQ (instance->component ()->activateBus (kAudio, direction, 0, true), kResultOk);
        EXPECT_NE (instance->component ()->activateBus (kAudio, direction, 1, true), kResultOk) << "no second bus";
    }
    expectBusses (*instance, 2);
    for (const Step& step : steps)
    {
        SCOPED_TRACE ("request " + std::to_string (step.in) + " in, " + std::to_string (step.out) + " out");
        EXPECT_EQ (instance->setBusArrangement (step.in, step.out), step.result);
        expectBusses (*instance, step.channelsAfter);
    }
    // Other than one bus each way is refused and changes nothing.
    SpeakerArrangement two[2] = {SpeakerArr::kStereo, SpeakerArr::kStereo};
    EXPECT_EQ (instance->processor ()->setBusArrangements (two, 2, two, 1), kResultFalse);
    EXPECT_EQ (instance->processor ()->setBusArrangements (two, 1, two, 2), kResultFalse);
    EXPECT_EQ (instance->processor ()->setBusArrangements (nullptr, 0, two, 1), kResultFalse);
    expectBusses (*instance, 1);
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
    ASSERT_EQ (mono->processData ().outputs[0].numChannels, 1);

    double loudest = 0;
    for (int block = 0; block < 20; ++block)
    {
        fillInputs (*stereo, 256, block * 256);
        fillInputs (*mono, 256, block * 256);
        ASSERT_EQ (stereo->process (256), kResultOk);
        ASSERT_EQ (mono->process (256), kResultOk);
        const float* left = stereo->processData ().outputChannel32 (0, 0);
        const float* right = stereo->processData ().outputChannel32 (0, 1);
        const float* single = mono->processData ().outputChannel32 (0, 0);
        for (int i = 0; i < 256; ++i)
        {
            ASSERT_EQ (left[i], single[i]) << "block " << block << " sample " << i;
            ASSERT_EQ (left[i], right[i]) << "block " << block << " sample " << i;
        }
        loudest = std::max (loudest, Morvane::Test::outputPeak (*mono, 256));
    }
    EXPECT_GT (loudest, 1e-3);
}

} // namespace
