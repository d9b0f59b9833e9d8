// SPDX-License-Identifier: GPL-3.0-or-later
// What a host reads when it scans a plug-in (parameters, busses, requests out of range), the bus
// arrangements it may then ask for, processed in mono and stereo, and the life cycle it drives:
// rounds of set-up, activation, bus switching, terminate and initialize of both halves (the fixed
// answers to activation and processing: tests/bundle).
#include "Conformance.h"
#include "pluginterfaces/vst/vstspeaker.h"
#include <climits>
#include <cstring>
#include <set>

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace Morvane::Test;

// Every model retitles the knobs, so the scan runs once per model.
TEST_F (Conformance, ScanParameters)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    IEditController* controller = instance->controller ();
    ASSERT_EQ (controller->getParameterCount (), kParameterCount);
    ParameterInfo info {};
    for (int model = 0; model < kModelCount; ++model)
    {
        ASSERT_EQ (controller->setParamNormalized (kModelId, modelValue (model)), kResultOk);
        std::set<ParamID> ids;
        int bypassParameters = 0;
        for (int32 index = 0; index < kParameterCount; ++index)
        {
            ASSERT_EQ (controller->getParameterInfo (index, info), kResultOk) << index;
            SCOPED_TRACE ("model " + std::to_string (model) + ", id " + std::to_string (info.id));
            EXPECT_TRUE (ids.insert (info.id).second) << "twice";
            EXPECT_LE (info.id, ParamID (INT32_MAX))
                << "ids are non-negative as signed 32-bit numbers";
            EXPECT_TRUE (info.title[0] != 0 && info.stepCount >= 0);
            EXPECT_TRUE (info.defaultNormalizedValue >= 0.0 && info.defaultNormalizedValue <= 1.0);
            EXPECT_FALSE ((info.flags & ParameterInfo::kIsReadOnly)
                          && (info.flags & ParameterInfo::kCanAutomate));
            bypassParameters += (info.flags & ParameterInfo::kIsBypass) != 0;
            const ParamValue current = controller->getParamNormalized (info.id);
            EXPECT_TRUE (current >= 0.0 && current <= 1.0) << current;
        }
        EXPECT_LE (bypassParameters, 1);
    }
    for (int32 index : {-1, kParameterCount, kParameterCount + 1, INT_MAX, INT_MIN})
        EXPECT_NE (controller->getParameterInfo (index, info), kResultOk) << index;
    EXPECT_EQ (controller->getParameterInfo (0, info), kResultOk)
        << "still answers after the bad requests";
}

// One main audio bus each way (no event busses) in the arrangement of channels (1 or 2), in the
// arrangements and in the bus records, which read the same twice; indices beyond it are refused.
void expectBusses (Morvane::Host::PluginInstance& instance, int32 channels)
{
    const std::u16string prefix = channels == 1 ? u"Mono " : u"Stereo ";
    for (BusDirection direction : {kInput, kOutput})
    {
        SCOPED_TRACE ("direction " + std::to_string (direction));
        IComponent* component = instance.component ();
        EXPECT_EQ (component->getBusCount (kEvent, direction), 0);
        ASSERT_EQ (component->getBusCount (kAudio, direction), 1);
        SpeakerArrangement arrangement = 0;
        EXPECT_EQ (instance.processor ()->getBusArrangement (direction, 0, arrangement), kResultOk);
        EXPECT_EQ (arrangement, channels == 1 ? SpeakerArr::kMono : SpeakerArr::kStereo);
        BusInfo first {}, second {};
        ASSERT_EQ (component->getBusInfo (kAudio, direction, 0, first), kResultOk);
        ASSERT_EQ (component->getBusInfo (kAudio, direction, 0, second), kResultOk);
        EXPECT_EQ (std::memcmp (&first, &second, sizeof (BusInfo)), 0)
            << "records differ when read twice";
        EXPECT_TRUE (first.mediaType == kAudio && first.direction == direction
                     && first.busType == kMain && first.flags == uint32 (BusInfo::kDefaultActive));
        EXPECT_EQ (first.channelCount, channels);
        EXPECT_EQ (std::u16string (reinterpret_cast<const char16_t*> (first.name)),
                   prefix + (direction == kInput ? u"In" : u"Out"));
        for (int32 index : {-1, 1, 2, INT_MAX})
            EXPECT_NE (component->getBusInfo (kAudio, direction, index, second), kResultOk)
                << index;
    }
}

// The bus can be switched off and on. Mono or stereo on both sides is granted, also when already
// in place; anything else, or other than one bus each way, is refused and leaves stereo, even
// from mono.
TEST_F (Conformance, SpeakerArrangements)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    for (BusDirection direction : {kInput, kOutput})
    {
        EXPECT_EQ (instance->component ()->activateBus (kAudio, direction, 0, false), kResultOk);
        EXPECT_EQ (instance->component ()->activateBus (kAudio, direction, 0, true), kResultOk);
        EXPECT_NE (instance->component ()->activateBus (kAudio, direction, 1, true), kResultOk)
            << "no second bus";
    }
    expectBusses (*instance, 2);
    const std::pair<int32, int32> requests[] = {{1, 1}, {1, 1}, {2, 2}, {2, 2}, {6, 6}, {2, 1},
                                                {1, 2}, {1, 1}, {1, 2}, {1, 1}, {6, 6}, {1, 1}};
    for (auto [in, out] : requests)
    {
        SCOPED_TRACE ("request " + std::to_string (in) + " in, " + std::to_string (out) + " out");
        const bool granted = in == out && in <= 2;
        EXPECT_EQ (instance->setBusArrangement (in, out), granted ? kResultTrue : kResultFalse);
        expectBusses (*instance, granted ? in : 2);
    }
    SpeakerArrangement two[2] = {SpeakerArr::kStereo, SpeakerArr::kStereo};
    EXPECT_EQ (instance->processor ()->setBusArrangements (two, 2, two, 1), kResultFalse);
    EXPECT_EQ (instance->processor ()->setBusArrangements (two, 1, two, 2), kResultFalse);
    EXPECT_EQ (instance->processor ()->setBusArrangements (nullptr, 0, two, 1), kResultFalse);
    expectBusses (*instance, 1);
}

// Mono processing is the left half of stereo processing: the same engine, fed the same signal.
TEST_F (Conformance, ProcessMonoAndStereo)
{
    auto stereo = createProcessingInstance (configFor (256));
    auto mono = createProcessingInstance (configFor (256, 1));
    ASSERT_TRUE (stereo && mono);
    ASSERT_EQ (mono->processData ().outputs[0].numChannels, 1);
    double loudest = 0;
    for (int block = 0; block < 20; ++block)
    {
        for (auto* instance : {stereo.get (), mono.get ()})
        {
            fillInputs (*instance, 256, block * 256);
            ASSERT_EQ (instance->process (256), kResultOk);
        }
        const float* single = mono->processData ().outputChannel32 (0, 0);
        for (int32 c = 0; c < 2; ++c)
            for (int i = 0; i < 256; ++i)
                ASSERT_EQ (stereo->processData ().outputChannel32 (0, c)[i], single[i])
                    << "block " << block << ", channel " << c << ", sample " << i;
        loudest = std::max (loudest, outputPeak (*mono, 256));
    }
    EXPECT_GT (loudest, 1e-3);
}

// Rounds of a 64-bit set-up (refused: tests/bundle), which must leave the plug-in usable in
// 32-bit, activation, bus switching, terminate and initialize of both halves. Afterwards the
// controller takes the component state again and the instance makes sound.
TEST_F (Conformance, ValidStateTransitions)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    IComponent* component = instance->component ();
    IEditController* controller = instance->controller ();
    ASSERT_EQ (instance->processor ()->canProcessSampleSize (kSample32), kResultTrue);
    for (int round = 0; round < 4; ++round)
    {
        SCOPED_TRACE ("round " + std::to_string (round));
        auto config = configFor (256);
        config.symbolicSampleSize = kSample64;
        instance->setupProcessing (config);
        config.symbolicSampleSize = kSample32;
        EXPECT_EQ (instance->setupProcessing (config), kResultOk);
        EXPECT_EQ (component->setActive (true), kResultOk);
        EXPECT_EQ (component->setActive (false), kResultOk);
        for (BusDirection direction : {kInput, kOutput})
            EXPECT_EQ (component->activateBus (kAudio, direction, 0, false), kResultOk);
        EXPECT_EQ (component->terminate (), kResultOk);
        EXPECT_EQ (component->initialize (instance->context ()), kResultOk);
        EXPECT_TRUE (component->getBusCount (kAudio, kInput) == 1
                     && component->getBusCount (kAudio, kOutput) == 1);
        EXPECT_EQ (controller->terminate (), kResultOk);
        EXPECT_EQ (controller->initialize (instance->context ()), kResultOk);
        ASSERT_EQ (controller->getParameterCount (), kParameterCount) << "registered again";
    }
    BusInfo output {};
    EXPECT_EQ (component->getBusInfo (kAudio, kOutput, 0, output), kResultOk);
    EXPECT_EQ (output.channelCount, 2);
    EXPECT_EQ (instance->syncControllerToComponent (), kResultOk);
    std::string error;
    ASSERT_TRUE (instance->startProcessing ({}, error)) << error;
    int64 position = 0;
    EXPECT_GT (processSine (*instance, 512, 4, position), 1e-3) << "a 0.5 sine is not silent";
}

}   // namespace
