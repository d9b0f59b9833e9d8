// SPDX-License-Identifier: GPL-3.0-or-later
// Bus arrangements: mono or stereo, one bus each way, stereo as the fallback.
#include "processor/CMVXStravelVST3.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/vstspeaker.h"
#include <gtest/gtest.h>
#include <string>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

struct BusFixture : ::testing::Test
{
    void SetUp () override
    {
        processor = owned (new CMVXStravelVST3 ());
        ASSERT_EQ (processor->initialize (nullptr), kResultOk);
    }
    void TearDown () override { processor->terminate (); }

    std::u16string busName (BusDirection dir)
    {
        BusInfo info {};
        if (processor->getBusInfo (kAudio, dir, 0, info) != kResultTrue)
            return u"<none>";
        return std::u16string (reinterpret_cast<const char16_t*> (info.name));
    }
    SpeakerArrangement arrangement (BusDirection dir)
    {
        SpeakerArrangement arr = 0;
        processor->getBusArrangement (dir, 0, arr);
        return arr;
    }
    tresult request (SpeakerArrangement in, SpeakerArrangement out)
    {
        return processor->setBusArrangements (&in, 1, &out, 1);
    }

    IPtr<CMVXStravelVST3> processor;
};

} // namespace

TEST_F (BusFixture, StartsWithOneStereoBusEachWay)
{
    EXPECT_EQ (processor->getBusCount (kAudio, kInput), 1);
    EXPECT_EQ (processor->getBusCount (kAudio, kOutput), 1);
    EXPECT_EQ (busName (kInput), u"Stereo In");
    EXPECT_EQ (busName (kOutput), u"Stereo Out");
    EXPECT_EQ (arrangement (kInput), SpeakerArr::kStereo);
    BusInfo info {};
    ASSERT_EQ (processor->getBusInfo (kAudio, kOutput, 0, info), kResultTrue);
    EXPECT_EQ (info.busType, kMain);
    EXPECT_EQ (info.flags, static_cast<uint32> (BusInfo::kDefaultActive));
    EXPECT_EQ (info.channelCount, 2);
    EXPECT_EQ (processor->getDsp ()->getNumInputs (), 2);
}

TEST_F (BusFixture, MonoRequestRebuildsMonoBussesOnce)
{
    EXPECT_EQ (request (SpeakerArr::kMono, SpeakerArr::kMono), kResultTrue);
    EXPECT_EQ (busName (kInput), u"Mono In");
    EXPECT_EQ (busName (kOutput), u"Mono Out");
    EXPECT_EQ (arrangement (kOutput), SpeakerArr::kMono);
    EXPECT_EQ (processor->getDsp ()->getNumInputs (), 1);
    EXPECT_EQ (processor->getDsp ()->getNumOutputs (), 1);

    AudioBus* before = processor->getAudioInput (0);
    EXPECT_EQ (request (SpeakerArr::kMono, SpeakerArr::kMono), kResultTrue);
    EXPECT_EQ (processor->getAudioInput (0), before) << "same arrangement must not rebuild";
}

TEST_F (BusFixture, MonoOutputTakesTheInputArrangement)
{
    // Another one-channel arrangement on the input side wins over the output's.
    EXPECT_EQ (request (kSpeakerC, SpeakerArr::kMono), kResultTrue);
    EXPECT_EQ (arrangement (kInput), kSpeakerC);
    EXPECT_EQ (arrangement (kOutput), kSpeakerC);
}

TEST_F (BusFixture, MonoToStereoFallsBackToStereo)
{
    ASSERT_EQ (request (SpeakerArr::kMono, SpeakerArr::kMono), kResultTrue);
    EXPECT_EQ (request (SpeakerArr::kMono, SpeakerArr::kStereo), kResultFalse);
    EXPECT_EQ (busName (kInput), u"Stereo In");
    EXPECT_EQ (arrangement (kInput), SpeakerArr::kStereo);
    EXPECT_EQ (arrangement (kOutput), SpeakerArr::kStereo);
    EXPECT_EQ (processor->getDsp ()->getNumInputs (), 2);
}

TEST_F (BusFixture, SurroundOnStereoChangesNothing)
{
    AudioBus* before = processor->getAudioInput (0);
    EXPECT_EQ (request (SpeakerArr::k51, SpeakerArr::k51), kResultFalse);
    EXPECT_EQ (processor->getAudioInput (0), before);
    EXPECT_EQ (arrangement (kInput), SpeakerArr::kStereo);
}

TEST_F (BusFixture, StereoRequestBackFromMono)
{
    ASSERT_EQ (request (SpeakerArr::kMono, SpeakerArr::kMono), kResultTrue);
    EXPECT_EQ (request (SpeakerArr::kStereo, SpeakerArr::kStereo), kResultTrue);
    EXPECT_EQ (busName (kOutput), u"Stereo Out");
    EXPECT_EQ (processor->getDsp ()->getNumOutputs (), 2);
}

TEST_F (BusFixture, MalformedRequestsAreRefusedWithoutChange)
{
    SpeakerArrangement two[2] = {SpeakerArr::kMono, SpeakerArr::kMono};
    SpeakerArrangement mono = SpeakerArr::kMono;
    AudioBus* before = processor->getAudioInput (0);
    EXPECT_EQ (processor->setBusArrangements (two, 2, &mono, 1), kResultFalse);
    EXPECT_EQ (processor->setBusArrangements (&mono, 1, two, 0), kResultFalse);
    EXPECT_EQ (processor->setBusArrangements (nullptr, 1, nullptr, 1), kResultFalse);
    EXPECT_EQ (processor->setBusArrangements (&mono, -1, &mono, 1), kResultFalse);
    EXPECT_EQ (processor->getAudioInput (0), before);
    EXPECT_EQ (arrangement (kInput), SpeakerArr::kStereo);
}

TEST (ProcessorBusses, RequestBeforeInitializeIsRefused)
{
    auto processor = owned (new CMVXStravelVST3 ());
    SpeakerArrangement mono = SpeakerArr::kMono;
    EXPECT_EQ (processor->setBusArrangements (&mono, 1, &mono, 1), kResultFalse);
}
