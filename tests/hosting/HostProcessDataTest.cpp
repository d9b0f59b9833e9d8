// SPDX-License-Identifier: GPL-3.0-or-later
// HostProcessData: buffers per bus from channel counts or from a component's bus infos.
#include "sdk/audioeffect.h"
#include "sdk/hosting/processdata.h"
#include "pluginterfaces/vst/vstspeaker.h"
#include <gtest/gtest.h>
#include <set>

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;

// Every channel of every bus distinct, zeroed and writable over the whole block; accessors
// answer null beyond the busses, channels and sample size prepared.
TEST (HostProcessData, OwnsZeroedDistinctChannelsPerBus)
{
    HostProcessData data;
    ASSERT_TRUE (data.prepare ({1, 2}, {2}, 64, kSample32));
    EXPECT_EQ (data.numInputs, 2);
    EXPECT_EQ (data.numOutputs, 1);
    EXPECT_EQ (data.symbolicSampleSize, kSample32);
    std::set<float*> seen;
    for (AudioBusBuffers* bus : {&data.inputs[0], &data.inputs[1], &data.outputs[0]})
        for (int32 c = 0; c < bus->numChannels; ++c)
        {
            float* samples = bus->channelBuffers32[c];
            ASSERT_NE (samples, nullptr);
            EXPECT_TRUE (seen.insert (samples).second);
            EXPECT_EQ (std::count (samples, samples + 64, 0.0f), 64);
            samples[63] = 1.0f;
        }
    EXPECT_EQ (seen.size (), 5u);
    EXPECT_EQ (data.inputChannel32 (1, 1), data.inputs[1].channelBuffers32[1]);
    EXPECT_EQ (data.inputChannel32 (1, 2), nullptr);
    EXPECT_EQ (data.outputChannel32 (1, 0), nullptr);
    EXPECT_EQ (data.inputChannel64 (0, 0), nullptr);

    ASSERT_TRUE (data.prepare ({2}, {2}, 16, kSample64));
    ASSERT_NE (data.outputs[0].channelBuffers64[1], nullptr);
    EXPECT_EQ (data.outputChannel64 (0, 1), data.outputs[0].channelBuffers64[1]);
    EXPECT_EQ (data.outputChannel32 (0, 1), nullptr);

    ASSERT_TRUE (data.prepare ({2}, {2}, 0, kSample32));
    ASSERT_NE (data.inputs[0].channelBuffers32, nullptr);
    EXPECT_EQ (data.inputs[0].channelBuffers32[0], nullptr) << "no samples, no channel buffers";
    EXPECT_EQ (data.outputs[0].channelBuffers32[1], nullptr);
}

TEST (HostProcessData, RejectsBadArgumentsAndUnprepares)
{
    HostProcessData data;
    EXPECT_FALSE (data.prepare ({2}, {2}, -1, kSample32));
    EXPECT_FALSE (data.prepare ({2}, {-1}, 8, kSample32));
    EXPECT_FALSE (data.prepare ({2}, {2}, 8, 7));
    ASSERT_TRUE (data.prepare ({2}, {2}, 8, kSample32));
    data.unprepare ();
    EXPECT_EQ (data.numInputs, 0);
    EXPECT_EQ (data.inputs, nullptr);
    EXPECT_EQ (data.outputs, nullptr);
}

TEST (HostProcessData, InPlaceSwitchAndClearing)
{
    HostProcessData data;
    ASSERT_TRUE (data.prepare ({2}, {1}, 8, kSample32));
    data.setInPlace (true);
    EXPECT_EQ (data.outputs[0].channelBuffers32[0], data.inputs[0].channelBuffers32[0]);
    data.setInPlace (false);
    EXPECT_EQ (data.outputs[0].channelBuffers32[0], data.outputChannel32 (0, 0));
    EXPECT_NE (data.outputs[0].channelBuffers32[0], data.inputs[0].channelBuffers32[0]);

    data.inputChannel32 (0, 0)[2] = 3.0f;
    data.inputs[0].silenceFlags = 1;
    data.clearBuffers ();
    EXPECT_EQ (data.inputChannel32 (0, 0)[2], 0.0f);
    EXPECT_EQ (data.inputs[0].silenceFlags, 0u);
}

// Audio busses only: the component's event bus is ignored.
TEST (HostProcessData, PreparesFromTheComponentsAudioBusses)
{
    auto component = owned (new AudioEffect ());
    component->addAudioInput (STR16 ("In"), SpeakerArr::kMono);
    component->addAudioOutput (STR16 ("Out"), SpeakerArr::kMono);
    component->addAudioOutput (STR16 ("Aux"), SpeakerArr::kStereo, kAux);
    component->addEventInput (STR16 ("Events"));
    HostProcessData data;
    ASSERT_TRUE (data.prepare (*component, 32, kSample32));
    EXPECT_EQ (data.numInputs, 1);
    EXPECT_EQ (data.numOutputs, 2);
    EXPECT_EQ (data.inputs[0].numChannels, 1);
    EXPECT_EQ (data.outputs[1].numChannels, 2);
    EXPECT_EQ (data.getBufferSamples (), 32);
}

} // namespace
