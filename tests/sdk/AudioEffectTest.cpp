// SPDX-License-Identifier: GPL-3.0-or-later
#include "sdk/audioeffect.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/vstspeaker.h"
#include <gtest/gtest.h>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

IPtr<AudioEffect> makeEffect ()
{
    return owned (new AudioEffect ());
}

} // namespace

TEST (AudioEffect, BusHelpersAddListAndFindBusses)
{
    auto effect = makeEffect ();
    AudioBus* in = effect->addAudioInput (STR16 ("In"), SpeakerArr::kStereo);
    AudioBus* out = effect->addAudioOutput (STR16 ("Out"), SpeakerArr::kMono, kAux, 0);
    EventBus* events = effect->addEventInput (STR16 ("Events"), 4);
    ASSERT_NE (in, nullptr);
    ASSERT_NE (out, nullptr);
    ASSERT_NE (events, nullptr);

    EXPECT_EQ (effect->getBusCount (kAudio, kInput), 1);
    EXPECT_EQ (effect->getBusCount (kAudio, kOutput), 1);
    EXPECT_EQ (effect->getBusCount (kEvent, kInput), 1);
    EXPECT_EQ (effect->getAudioInput (0), in);
    EXPECT_EQ (effect->getAudioOutput (0), out);
    EXPECT_EQ (effect->getEventInput (0), events);
    EXPECT_EQ (effect->getAudioInput (1), nullptr);
    EXPECT_EQ (effect->getAudioInput (-1), nullptr);
    EXPECT_EQ (effect->getEventOutput (0), nullptr);

    BusInfo info {};
    ASSERT_EQ (effect->getBusInfo (kAudio, kOutput, 0, info), kResultTrue);
    EXPECT_EQ (info.channelCount, 1);
    EXPECT_EQ (info.busType, kAux);
    EXPECT_EQ (info.flags, 0u);
    ASSERT_EQ (effect->getBusInfo (kEvent, kInput, 0, info), kResultTrue);
    EXPECT_EQ (info.channelCount, 4);
}

TEST (AudioEffect, BusArrangementsFollowRequestsWithinBusCount)
{
    auto effect = makeEffect ();
    effect->addAudioInput (STR16 ("In"), SpeakerArr::kStereo);
    effect->addAudioOutput (STR16 ("Out"), SpeakerArr::kStereo);

    SpeakerArrangement mono = SpeakerArr::kMono;
    SpeakerArrangement two[2] = {SpeakerArr::kMono, SpeakerArr::kMono};
    EXPECT_EQ (effect->setBusArrangements (&mono, 1, &mono, 1), kResultTrue);
    SpeakerArrangement arr = 0;
    ASSERT_EQ (effect->getBusArrangement (kInput, 0, arr), kResultTrue);
    EXPECT_EQ (arr, SpeakerArr::kMono);
    ASSERT_EQ (effect->getBusArrangement (kOutput, 0, arr), kResultTrue);
    EXPECT_EQ (arr, SpeakerArr::kMono);

    EXPECT_EQ (effect->setBusArrangements (two, 2, &mono, 1), kResultFalse);
    EXPECT_EQ (effect->setBusArrangements (&mono, -1, &mono, 1), kInvalidArgument);
    EXPECT_EQ (effect->setBusArrangements (nullptr, 1, &mono, 1), kInvalidArgument);
    EXPECT_EQ (effect->setBusArrangements (nullptr, 0, nullptr, 0), kResultTrue);

    EXPECT_EQ (effect->getBusArrangement (kInput, 1, arr), kInvalidArgument);
    EXPECT_EQ (effect->getBusArrangement (kInput, -1, arr), kInvalidArgument);
}

TEST (AudioEffect, SetupProcessingKeepsOnlyAcceptedSetups)
{
    auto effect = makeEffect ();
    EXPECT_EQ (effect->canProcessSampleSize (kSample32), kResultTrue);
    EXPECT_EQ (effect->canProcessSampleSize (kSample64), kResultFalse);

    ProcessSetup setup {kOffline, kSample32, 512, 96000.0};
    EXPECT_EQ (effect->setupProcessing (setup), kResultOk);
    ProcessSetup wide {kRealtime, kSample64, 64, 22050.0};
    EXPECT_EQ (effect->setupProcessing (wide), kResultFalse);

    EXPECT_EQ (effect->setProcessing (true), kNotImplemented);
    ProcessData data;
    EXPECT_EQ (effect->process (data), kNotImplemented);
    EXPECT_EQ (effect->getLatencySamples (), 0u);
    EXPECT_EQ (effect->getTailSamples (), kNoTail);
}

TEST (AudioEffect, AnswersProcessorAndComponentInterfacesWithReferences)
{
    auto effect = makeEffect ();
    IAudioProcessor* processor = nullptr;
    ASSERT_EQ (effect->queryInterface (IAudioProcessor::iid, reinterpret_cast<void**> (&processor)),
               kResultOk);
    ASSERT_NE (processor, nullptr);
    IComponent* component = nullptr;
    ASSERT_EQ (processor->queryInterface (IComponent::iid, reinterpret_cast<void**> (&component)),
               kResultOk);
    IConnectionPoint* connection = nullptr;
    ASSERT_EQ (processor->queryInterface (IConnectionPoint::iid,
                                          reinterpret_cast<void**> (&connection)),
               kResultOk);
    // One reference from owned(), three from the queries.
    EXPECT_EQ (effect->getRefCount (), 4);
    connection->release ();
    component->release ();
    processor->release ();
    EXPECT_EQ (effect->getRefCount (), 1);
}

TEST (AudioEffect, TerminateRemovesBussesAndAllowsInitializeAgain)
{
    auto effect = makeEffect ();
    FUnknown* context = nullptr;
    EXPECT_EQ (effect->initialize (context), kResultOk);
    effect->addAudioInput (STR16 ("In"), SpeakerArr::kStereo);
    EXPECT_EQ (effect->terminate (), kResultOk);
    EXPECT_EQ (effect->getBusCount (kAudio, kInput), 0);
    EXPECT_EQ (effect->initialize (context), kResultOk);
}
