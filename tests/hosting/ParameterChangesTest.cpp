// SPDX-License-Identifier: GPL-3.0-or-later
// The host's parameter change lists: ordering, replacement, capacity limits and reuse.
#include "sdk/hosting/parameterchanges.h"
#include <gtest/gtest.h>
#ifdef OVERMOOR_REALTIME_GUARD
#include "support/RealtimeGuard.h"
#endif

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;

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
