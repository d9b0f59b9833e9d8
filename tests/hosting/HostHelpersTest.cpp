// SPDX-License-Identifier: GPL-3.0-or-later
// What the tests that go through the hosting library could not tell apart: the strict state
// stream, and process buffers that start zeroed, switch in place and refuse bad sizes (taps,
// bus counts from a component and the handler recorder show in every processor, message and
// conformance test).
#include "host/StateBytes.h"
#include "host/StrictReadStream.h"
#include "sdk/hosting/processdata.h"
#include <gtest/gtest.h>
#include <set>

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace Morvane::Host;

// The strict stream fails short reads and counts what it delivered (the SDK's memory stream,
// reporting success and the shorter count, goes through every state test in tests/bundle);
// saved values are little-endian floats.
TEST (StateStreams, StrictShortReadsAndByteOrder)
{
    StrictReadStream stream ({1, 2, 3, 4, 5, 6});
    uint8_t buffer[4] = {};
    int32 read = -1;
    for (auto [result, count] :
         {std::pair<tresult, int32> {kResultOk, 4}, {kResultFalse, 2}, {kResultFalse, 0}})
    {
        EXPECT_EQ (stream.read (buffer, 4, &read), result);
        EXPECT_EQ (read, count);
    }
    EXPECT_EQ (buffer[1], 6);
    int64 pos = -1;
    EXPECT_EQ (stream.tell (&pos), kResultOk);
    EXPECT_EQ (pos, 6);
    EXPECT_EQ (stream.seek (1, IBStream::kIBSeekSet, &pos), kResultOk);
    EXPECT_EQ (stream.read (buffer, 1, nullptr), kResultOk);
    EXPECT_EQ (buffer[0], 2);
    EXPECT_EQ (stream.seek (7, IBStream::kIBSeekSet, nullptr), kResultFalse);
    EXPECT_EQ (stream.write (buffer, 1, nullptr), kNotImplemented);

    EXPECT_EQ (floatBytes ({1.0f}), (std::vector<uint8_t> {0x00, 0x00, 0x80, 0x3F}));
}

// Every channel of every bus distinct, zeroed and writable over the whole block; accessors
// answer null beyond the busses, channels and sample size prepared.
TEST (HostProcessData, OwnsZeroedDistinctChannelsPerBus)
{
    HostProcessData data;
    ASSERT_TRUE (data.prepare ({1, 2}, {2}, 64, kSample32));
    EXPECT_TRUE (data.numInputs == 2 && data.numOutputs == 1
                 && data.symbolicSampleSize == kSample32);
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
    EXPECT_TRUE (!data.inputChannel32 (1, 2) && !data.outputChannel32 (1, 0)
                 && !data.inputChannel64 (0, 0));

    ASSERT_TRUE (data.prepare ({2}, {2}, 16, kSample64));
    ASSERT_NE (data.outputs[0].channelBuffers64[1], nullptr);
    EXPECT_EQ (data.outputChannel64 (0, 1), data.outputs[0].channelBuffers64[1]);
    EXPECT_EQ (data.outputChannel32 (0, 1), nullptr);

    ASSERT_TRUE (data.prepare ({2}, {2}, 0, kSample32));
    ASSERT_NE (data.inputs[0].channelBuffers32, nullptr);
    EXPECT_TRUE (!data.inputs[0].channelBuffers32[0] && !data.outputs[0].channelBuffers32[1])
        << "no samples, no channel buffers";
}

TEST (HostProcessData, RejectsBadArgumentsSwitchesInPlaceClearsAndUnprepares)
{
    HostProcessData data;
    EXPECT_FALSE (data.prepare ({2}, {2}, -1, kSample32));
    EXPECT_FALSE (data.prepare ({2}, {-1}, 8, kSample32));
    EXPECT_FALSE (data.prepare ({2}, {2}, 8, 7));
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
    data.unprepare ();
    EXPECT_TRUE (data.numInputs == 0 && !data.inputs && !data.outputs);
}

}   // namespace
