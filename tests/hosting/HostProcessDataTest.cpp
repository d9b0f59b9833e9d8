// SPDX-License-Identifier: GPL-3.0-or-later
// HostProcessData: buffers per bus from channel counts or from a component's bus infos.
#include "sdk/hosting/processdata.h"
#include <gtest/gtest.h>
#include <cstring>
#include <set>

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;

TEST (HostProcessData, OwnsZeroedDistinctChannelsPerBus)
{
    HostProcessData data;
    ASSERT_TRUE (data.prepare ({1, 2}, {2}, 64, kSample32));
    EXPECT_EQ (data.numInputs, 2);
    EXPECT_EQ (data.numOutputs, 1);
    EXPECT_EQ (data.symbolicSampleSize, kSample32);
    EXPECT_EQ (data.inputs[0].numChannels, 1);
    EXPECT_EQ (data.inputs[1].numChannels, 2);
    EXPECT_EQ (data.outputs[0].numChannels, 2);

    std::set<float*> seen;
    for (AudioBusBuffers* bus : {&data.inputs[0], &data.inputs[1], &data.outputs[0]})
        for (int32 c = 0; c < bus->numChannels; ++c)
        {
            float* samples = bus->channelBuffers32[c];
            ASSERT_NE (samples, nullptr);
            EXPECT_TRUE (seen.insert (samples).second);
            for (int i = 0; i < 64; ++i)
                ASSERT_EQ (samples[i], 0.0f);
            samples[63] = 1.0f; // the whole block is writable
        }
    EXPECT_EQ (data.inputChannel32 (1, 1), data.inputs[1].channelBuffers32[1]);
    EXPECT_EQ (data.inputChannel32 (1, 2), nullptr);
    EXPECT_EQ (data.outputChannel32 (1, 0), nullptr);
    EXPECT_EQ (data.inputChannel64 (0, 0), nullptr);
}

TEST (HostProcessData, SixtyFourBitBuffers)
{
    HostProcessData data;
    ASSERT_TRUE (data.prepare ({2}, {2}, 16, kSample64));
    ASSERT_NE (data.outputs[0].channelBuffers64[1], nullptr);
    EXPECT_EQ (data.outputChannel64 (0, 1), data.outputs[0].channelBuffers64[1]);
    EXPECT_EQ (data.outputChannel32 (0, 1), nullptr);
}

TEST (HostProcessData, ZeroBufferSamplesLeavesChannelPointersNull)
{
    HostProcessData data;
    ASSERT_TRUE (data.prepare ({2}, {2}, 0, kSample32));
    ASSERT_NE (data.inputs[0].channelBuffers32, nullptr);
    EXPECT_EQ (data.inputs[0].channelBuffers32[0], nullptr);
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

TEST (HostProcessData, InPlaceSwitchRedirectsOutputsToInputs)
{
    HostProcessData data;
    ASSERT_TRUE (data.prepare ({2}, {1}, 8, kSample32));
    data.setInPlace (true);
    EXPECT_EQ (data.outputs[0].channelBuffers32[0], data.inputs[0].channelBuffers32[0]);
    data.setInPlace (false);
    EXPECT_EQ (data.outputs[0].channelBuffers32[0], data.outputChannel32 (0, 0));
    EXPECT_NE (data.outputs[0].channelBuffers32[0], data.inputs[0].channelBuffers32[0]);
}

TEST (HostProcessData, ClearBuffersZeroesSamplesAndSilenceFlags)
{
    HostProcessData data;
    ASSERT_TRUE (data.prepare ({1}, {1}, 4, kSample32));
    data.inputChannel32 (0, 0)[2] = 3.0f;
    data.inputs[0].silenceFlags = 1;
    data.clearBuffers ();
    EXPECT_EQ (data.inputChannel32 (0, 0)[2], 0.0f);
    EXPECT_EQ (data.inputs[0].silenceFlags, 0u);
}

// Just enough of a component to report its audio busses.
class BusOnlyComponent : public IComponent
{
public:
    std::vector<int32> inputs, outputs;

    tresult PLUGIN_API queryInterface (const TUID, void** obj) SMTG_OVERRIDE
    {
        *obj = nullptr;
        return kNoInterface;
    }
    uint32 PLUGIN_API addRef () SMTG_OVERRIDE { return 1; }
    uint32 PLUGIN_API release () SMTG_OVERRIDE { return 1; }
    tresult PLUGIN_API initialize (FUnknown*) SMTG_OVERRIDE { return kResultOk; }
    tresult PLUGIN_API terminate () SMTG_OVERRIDE { return kResultOk; }
    tresult PLUGIN_API getControllerClassId (TUID) SMTG_OVERRIDE { return kResultFalse; }
    tresult PLUGIN_API setIoMode (IoMode) SMTG_OVERRIDE { return kNotImplemented; }
    int32 PLUGIN_API getBusCount (MediaType type, BusDirection dir) SMTG_OVERRIDE
    {
        if (type != kAudio)
            return 1; // an event bus that must be ignored
        return static_cast<int32> ((dir == kInput ? inputs : outputs).size ());
    }
    tresult PLUGIN_API getBusInfo (MediaType type, BusDirection dir, int32 index, BusInfo& bus) SMTG_OVERRIDE
    {
        const auto& list = dir == kInput ? inputs : outputs;
        if (type != kAudio || index < 0 || index >= static_cast<int32> (list.size ()))
            return kInvalidArgument;
        std::memset (&bus, 0, sizeof (bus));
        bus.mediaType = kAudio;
        bus.direction = dir;
        bus.channelCount = list[static_cast<size_t> (index)];
        return kResultOk;
    }
    tresult PLUGIN_API getRoutingInfo (RoutingInfo&, RoutingInfo&) SMTG_OVERRIDE { return kNotImplemented; }
    tresult PLUGIN_API activateBus (MediaType, BusDirection, int32, TBool) SMTG_OVERRIDE { return kResultOk; }
    tresult PLUGIN_API setActive (TBool) SMTG_OVERRIDE { return kResultOk; }
    tresult PLUGIN_API setState (IBStream*) SMTG_OVERRIDE { return kResultOk; }
    tresult PLUGIN_API getState (IBStream*) SMTG_OVERRIDE { return kResultOk; }
};

TEST (HostProcessData, PreparesFromTheComponentsAudioBusses)
{
    BusOnlyComponent component;
    component.inputs = {1};
    component.outputs = {1, 2};
    HostProcessData data;
    ASSERT_TRUE (data.prepare (component, 32, kSample32));
    EXPECT_EQ (data.numInputs, 1);
    EXPECT_EQ (data.numOutputs, 2);
    EXPECT_EQ (data.inputs[0].numChannels, 1);
    EXPECT_EQ (data.outputs[1].numChannels, 2);
    EXPECT_EQ (data.getBufferSamples (), 32);
}

} // namespace
