// SPDX-License-Identifier: GPL-3.0-or-later
// Bus arrangements (one mono or stereo bus each way, stereo as the fallback) and the component
// state: eight little-endian floats, read from streams that end early in either host manner.
#include "ProcessorTestSupport.h"
#include "host/StateBytes.h"
#include "processor/CMVXStravelVST3.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/vstspeaker.h"
#include <gtest/gtest.h>

using namespace Steinberg;
using namespace Steinberg::Vst;
using Morvane::Host::floatBytes;

namespace {

struct ProcessorBusses : ::testing::Test
{
    void SetUp () override { ASSERT_EQ (processor->initialize (nullptr), kResultOk); }
    void TearDown () override { processor->terminate (); }

    std::u16string busName (BusDirection dir)
    {
        BusInfo info {};
        if (processor->getBusInfo (kAudio, dir, 0, info) != kResultTrue)
            return u"<none>";
        return reinterpret_cast<const char16_t*> (info.name);
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
    void expectLayout (const char16_t* in, const char16_t* out, SpeakerArrangement arr, int32 dspChannels)
    {
        EXPECT_EQ (busName (kInput), in);
        EXPECT_EQ (busName (kOutput), out);
        EXPECT_EQ (arrangement (kInput), arr);
        EXPECT_EQ (arrangement (kOutput), arr);
        EXPECT_EQ (processor->getDsp ()->getNumInputs (), dspChannels);
        EXPECT_EQ (processor->getDsp ()->getNumOutputs (), dspChannels);
    }

    IPtr<CMVXStravelVST3> processor = owned (new CMVXStravelVST3 ());
};

} // namespace

TEST_F (ProcessorBusses, StereoByDefaultMonoOnRequestAndBack)
{
    EXPECT_EQ (processor->getBusCount (kAudio, kInput), 1);
    EXPECT_EQ (processor->getBusCount (kAudio, kOutput), 1);
    BusInfo info {};
    ASSERT_EQ (processor->getBusInfo (kAudio, kOutput, 0, info), kResultTrue);
    EXPECT_EQ (info.busType, kMain);
    EXPECT_EQ (info.flags, static_cast<uint32> (BusInfo::kDefaultActive));
    EXPECT_EQ (info.channelCount, 2);
    expectLayout (u"Stereo In", u"Stereo Out", SpeakerArr::kStereo, 2);

    EXPECT_EQ (request (SpeakerArr::kMono, SpeakerArr::kMono), kResultTrue);
    expectLayout (u"Mono In", u"Mono Out", SpeakerArr::kMono, 1);
    AudioBus* before = processor->getAudioInput (0);
    EXPECT_EQ (request (SpeakerArr::kMono, SpeakerArr::kMono), kResultTrue);
    EXPECT_EQ (processor->getAudioInput (0), before) << "same arrangement must not rebuild";

    EXPECT_EQ (request (SpeakerArr::kStereo, SpeakerArr::kStereo), kResultTrue);
    expectLayout (u"Stereo In", u"Stereo Out", SpeakerArr::kStereo, 2);

    // Another one-channel arrangement on the input side wins over the output's.
    EXPECT_EQ (request (kSpeakerC, SpeakerArr::kMono), kResultTrue);
    EXPECT_EQ (arrangement (kOutput), kSpeakerC);
}

TEST_F (ProcessorBusses, RefusedRequestsFallBackToStereoOrChangeNothing)
{
    ASSERT_EQ (request (SpeakerArr::kMono, SpeakerArr::kMono), kResultTrue);
    EXPECT_EQ (request (SpeakerArr::kMono, SpeakerArr::kStereo), kResultFalse);
    expectLayout (u"Stereo In", u"Stereo Out", SpeakerArr::kStereo, 2);

    SpeakerArrangement two[2] = {SpeakerArr::kMono, SpeakerArr::kMono};
    SpeakerArrangement mono = SpeakerArr::kMono;
    AudioBus* before = processor->getAudioInput (0);
    EXPECT_EQ (request (SpeakerArr::k51, SpeakerArr::k51), kResultFalse);
    EXPECT_EQ (processor->setBusArrangements (two, 2, &mono, 1), kResultFalse);
    EXPECT_EQ (processor->setBusArrangements (&mono, 1, two, 0), kResultFalse);
    EXPECT_EQ (processor->setBusArrangements (nullptr, 1, nullptr, 1), kResultFalse);
    EXPECT_EQ (processor->setBusArrangements (&mono, -1, &mono, 1), kResultFalse);
    EXPECT_EQ (processor->getAudioInput (0), before);
    EXPECT_EQ (arrangement (kInput), SpeakerArr::kStereo);

    auto uninitialized = owned (new CMVXStravelVST3 ());
    EXPECT_EQ (uninitialized->setBusArrangements (&mono, 1, &mono, 1), kResultFalse);
}

namespace {

// Factory preset 0: on, model 0, then six knobs in percent (linear over 0 … 100).
std::vector<float> presetZeroNormalised ()
{
    std::vector<float> values {1.0f, 0.0f};
    for (float knob : {42.5f, 100.0f, 81.6f, 18.0f, 61.8f, 32.5f})
        values.push_back (static_cast<float> (static_cast<double> (knob) / 100.0));
    return values;
}

} // namespace

// MemoryStream answers kResultOk with fewer bytes at the end, as most hosts do.
TEST (ProcessorState, FreshStateIsPresetZeroAndFullStreamsRoundTrip)
{
    MemoryStream fresh;
    ASSERT_EQ (owned (new CMVXStravelVST3 ())->getState (&fresh), kResultOk);
    EXPECT_EQ (Morvane::Host::bytesOf (fresh), floatBytes (presetZeroNormalised ()));

    const std::vector<float> values {0.0f, 5.0f / 7.0f, 0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.875f};
    MemoryStream shortRead;
    FailingReadStream failingRead;
    for (MemoryStream* input : {&shortRead, static_cast<MemoryStream*> (&failingRead)})
    {
        auto processor = owned (new CMVXStravelVST3 ());
        fillStream (*input, floatBytes (values));
        ASSERT_EQ (processor->setState (input), kResultOk);
        for (int32_t id = 0; id < 8; ++id)
            EXPECT_FLOAT_EQ (processor->getParameterValue (id), values[id]) << "id " << id;
        MemoryStream output;
        ASSERT_EQ (processor->getState (&output), kResultOk);
        EXPECT_EQ (Morvane::Host::bytesOf (output), floatBytes (values));
    }
}

TEST (ProcessorState, TruncatedStreamsApplyOnlyWholeValuesAndReportFalse)
{
    const std::vector<float> values {0.0f, 3.0f / 7.0f, 0.25f, 0.75f, 0.1f, 0.2f, 0.3f, 0.4f};
    const std::vector<float> defaults = presetZeroNormalised ();
    for (size_t byteCount : {16u, 30u})
        for (bool failing : {false, true})
        {
            auto processor = owned (new CMVXStravelVST3 ());
            std::vector<uint8_t> bytes = floatBytes (values);
            bytes.resize (byteCount);
            MemoryStream shortRead;
            FailingReadStream failingRead;
            MemoryStream& input = failing ? failingRead : shortRead;
            fillStream (input, bytes);
            EXPECT_EQ (processor->setState (&input), kResultFalse) << byteCount << " bytes";
            for (size_t id = 0; id < 8; ++id)
                EXPECT_FLOAT_EQ (processor->getParameterValue (static_cast<int32_t> (id)),
                                 id < byteCount / 4 ? values[id] : defaults[id])
                    << byteCount << " bytes, failing reads " << failing << ", id " << id;
        }

    auto processor = owned (new CMVXStravelVST3 ());
    EXPECT_EQ (processor->setState (nullptr), kInvalidArgument);
    EXPECT_EQ (processor->getState (nullptr), kInvalidArgument);
}
