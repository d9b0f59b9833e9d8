// SPDX-License-Identifier: GPL-3.0-or-later
// What the tests that go through the hosting library could not tell apart: the strict state
// stream, process buffers that start zeroed, switch in place and refuse bad sizes (taps, bus
// counts from a component and the handler recorder show in every processor, message and
// conformance test), and the parameter change lists: ordering, replacement, capacity and reuse.
#include "host/StateBytes.h"
#include "host/StrictReadStream.h"
#include "sdk/hosting/parameterchanges.h"
#include "sdk/hosting/processdata.h"
#include <gtest/gtest.h>
#include <set>
#ifdef OVERMOOR_REALTIME_GUARD
#include "support/RealtimeGuard.h"
#endif

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

// Points stay sorted by offset, a point at an offset already there replaces it (also when the
// queue is full), and a full queue refuses new offsets.
TEST (ParameterValueQueue, SortedReplacingAndBounded)
{
    ParameterValueQueue queue (7, 4);
    EXPECT_EQ (queue.getParameterId (), 7u);
    const struct
    {
        int32 offset;
        ParamValue value;
        int32 index;   // -1: refused
    } adds[] = {{40, 0.4, 0}, {10, 0.1, 0}, {20, 0.2, 1}, {40, 0.9, 2},
                {30, 0.3, 2}, {5, 0.0, -1}, {20, 0.5, 1}};
    for (const auto& add : adds)
    {
        int32 index = -1;
        EXPECT_EQ (queue.addPoint (add.offset, add.value, index),
                   add.index < 0 ? kResultFalse : kResultTrue)
            << add.offset;
        EXPECT_TRUE (add.index < 0 || index == add.index)
            << "offset " << add.offset << " at " << index;
    }
    std::vector<std::pair<int32, ParamValue>> points (size_t (queue.getPointCount ()));
    for (int32 i = 0; i < queue.getPointCount (); ++i)
        EXPECT_EQ (queue.getPoint (i, points[i].first, points[i].second), kResultTrue);
    EXPECT_EQ (points, (std::vector<std::pair<int32, ParamValue>> {
                           {10, 0.1}, {20, 0.5}, {30, 0.3}, {40, 0.9}}));
    int32 offset = 0;
    ParamValue value = 0;
    EXPECT_EQ (queue.getPoint (4, offset, value), kResultFalse);
    EXPECT_EQ (queue.getPoint (-1, offset, value), kResultFalse);
    queue.clear ();
    EXPECT_EQ (queue.getPointCount (), 0);
}

TEST (ParameterChanges, OneQueuePerParameterUpToTheCapacity)
{
    ParameterChanges changes (2);
    EXPECT_EQ (changes.getParameterData (0), nullptr);
    int32 index = -1;
    IParamValueQueue* a = changes.addParameterData (3, index);
    ASSERT_NE (a, nullptr);
    EXPECT_EQ (index, 0);
    IParamValueQueue* b = changes.addParameterData (5, index);
    EXPECT_EQ (index, 1);
    EXPECT_EQ (changes.addParameterData (3, index), a);
    EXPECT_EQ (index, 0);
    EXPECT_EQ (changes.addParameterData (9, index), nullptr);
    EXPECT_EQ (changes.getParameterCount (), 2);
    EXPECT_EQ (changes.getParameterData (1), b);
    EXPECT_TRUE (!changes.getParameterData (2) && !changes.getParameterData (-1));

    // A cleared list hands out its queues again, for other ids and without the old points.
    a->addPoint (0, 0.5, index);
    changes.clearQueue ();
    EXPECT_EQ (changes.getParameterCount (), 0);
    IParamValueQueue* reused = changes.addParameterData (4, index);
    ASSERT_NE (reused, nullptr);
    EXPECT_TRUE (reused->getParameterId () == 4u && reused->getPointCount () == 0);

    void* obj = nullptr;
    ASSERT_EQ (changes.queryInterface (IParameterChanges::iid, &obj), kResultOk);
    EXPECT_EQ (obj, static_cast<IParameterChanges*> (&changes));
    changes.release ();
    EXPECT_EQ (changes.queryInterface (IParamValueQueue::iid, &obj), kNoInterface);

    // Capacity can grow and shrink; shrinking keeps the first queues.
    ParameterChanges empty;
    EXPECT_EQ (empty.addParameterData (0, index), nullptr);
    empty.setMaxParameters (3);
    EXPECT_EQ (empty.getMaxParameters (), 3);
    for (ParamID id = 0; id < 3; ++id)
        EXPECT_NE (empty.addParameterData (id, index), nullptr);
    empty.setMaxParameters (1);
    EXPECT_EQ (empty.getParameterCount (), 1);
    EXPECT_EQ (empty.getParameterData (0)->getParameterId (), 0u);
}

#ifdef OVERMOOR_REALTIME_GUARD
// Reverse order makes every point an insertion at the front.
TEST (ParameterChanges, FillingAndClearingWithinCapacityNeverAllocates)
{
    ParameterChanges changes (8, 256);
    RealtimeGuard guard;
    for (int block = 0; block < 4; ++block)
    {
        changes.clearQueue ();
        for (ParamID id = 0; id < 8; ++id)
        {
            int32 index = 0;
            IParamValueQueue* queue = changes.addParameterData (id, index);
            for (int32 offset = 255; offset >= 0; --offset)
                queue->addPoint (offset, offset / 256.0, index);
        }
    }
    EXPECT_EQ (guard.violations ().allocations, 0u);
    EXPECT_EQ (guard.violations ().frees, 0u);
}
#endif

}   // namespace
