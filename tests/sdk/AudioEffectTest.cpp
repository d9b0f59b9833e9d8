// SPDX-License-Identifier: GPL-3.0-or-later
// The thin AudioEffect: busses, arrangements, set-up answers, interfaces and re-initialization.
#include "sdk/audioeffect.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/vstspeaker.h"
#include <gtest/gtest.h>
#include <tuple>

using namespace Steinberg;
using namespace Steinberg::Vst;

// Busses are listed per media and direction, in the type and channel count given; terminate
// removes them and the effect initializes again.
TEST (AudioEffect, BusHelpersAddListAndFindBusses)
{
    auto effect = owned (new AudioEffect ());
    AudioBus* in = effect->addAudioInput (STR16 ("In"), SpeakerArr::kStereo);
    AudioBus* out = effect->addAudioOutput (STR16 ("Out"), SpeakerArr::kMono, kAux, 0);
    EventBus* events = effect->addEventInput (STR16 ("Events"), 4);
    ASSERT_TRUE (in && out && events);
    for (auto [media, direction, count] : {std::tuple<MediaType, BusDirection, int32> {kAudio, kInput, 1},
                                           {kAudio, kOutput, 1}, {kEvent, kInput, 1}, {kEvent, kOutput, 0}})
        EXPECT_EQ (effect->getBusCount (media, direction), count) << media << " " << direction;
    EXPECT_TRUE (effect->getAudioInput (0) == in && effect->getAudioOutput (0) == out && effect->getEventInput (0) == events);
    EXPECT_TRUE (!effect->getAudioInput (1) && !effect->getAudioInput (-1) && !effect->getEventOutput (0));

    BusInfo info {};
    ASSERT_EQ (effect->getBusInfo (kAudio, kOutput, 0, info), kResultTrue);
    EXPECT_TRUE (info.channelCount == 1 && info.busType == kAux && info.flags == 0u);
    ASSERT_EQ (effect->getBusInfo (kEvent, kInput, 0, info), kResultTrue);
    EXPECT_EQ (info.channelCount, 4);

    EXPECT_EQ (effect->terminate (), kResultOk);
    EXPECT_EQ (effect->getBusCount (kAudio, kInput), 0);
    EXPECT_EQ (effect->initialize (nullptr), kResultOk);
}

// What a processor inherits and calls unless it overrides it (the plug-in's own answers, bus
// arrangements and sample sizes: tests/bundle and tests/conformance), and the three interfaces
// it answers, each with a reference.
TEST (AudioEffect, DefaultAnswersAndInterfaces)
{
    auto effect = owned (new AudioEffect ());
    effect->addAudioInput (STR16 ("In"), SpeakerArr::kStereo);
    SpeakerArrangement arrangement = 0;
    EXPECT_EQ (effect->getBusArrangement (kInput, 0, arrangement), kResultTrue);
    EXPECT_EQ (arrangement, SpeakerArr::kStereo);
    for (auto [direction, index] : {std::pair<BusDirection, int32> {kInput, 1}, {kInput, -1}, {kOutput, 0}})
        EXPECT_EQ (effect->getBusArrangement (direction, index, arrangement), kInvalidArgument) << direction << " " << index;
    ProcessSetup setup {kOffline, kSample32, 512, 96000.0};
    EXPECT_EQ (effect->setupProcessing (setup), kResultOk);
    ProcessSetup wide {kRealtime, kSample64, 64, 22050.0};
    EXPECT_EQ (effect->setupProcessing (wide), kResultFalse);
    EXPECT_EQ (effect->setProcessing (true), kNotImplemented);

    for (const FUID* iid : {&IAudioProcessor::iid, &IComponent::iid, &IConnectionPoint::iid})
    {
        FUnknown* answer = nullptr;
        ASSERT_EQ (effect->queryInterface (*iid, reinterpret_cast<void**> (&answer)), kResultOk);
        ASSERT_NE (answer, nullptr);
        EXPECT_EQ (effect->getRefCount (), 2);
        answer->release ();
    }
    EXPECT_EQ (effect->getRefCount (), 1);
}
