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

struct Point
{
    int32 offset;
    ParamValue value;
};

std::vector<Point> pointsOf (IParamValueQueue& queue)
{
    std::vector<Point> points;
    for (int32 i = 0; i < queue.getPointCount (); ++i)
    {
        Point p {};
        EXPECT_EQ (queue.getPoint (i, p.offset, p.value), kResultTrue);
        points.push_back (p);
    }
    return points;
}

TEST (ParameterValueQueue, KeepsPointsSortedAndReplacesSameOffset)
{
    ParameterValueQueue queue (7, 8);
    EXPECT_EQ (queue.getParameterId (), 7u);
    int32 index = -1;
    EXPECT_EQ (queue.addPoint (40, 0.4, index), kResultTrue);
    EXPECT_EQ (index, 0);
    EXPECT_EQ (queue.addPoint (10, 0.1, index), kResultTrue);
    EXPECT_EQ (index, 0);
    EXPECT_EQ (queue.addPoint (20, 0.2, index), kResultTrue);
    EXPECT_EQ (index, 1);
    EXPECT_EQ (queue.addPoint (40, 0.9, index), kResultTrue);
    EXPECT_EQ (index, 2);

    const auto points = pointsOf (queue);
    ASSERT_EQ (points.size (), 3u);
    EXPECT_EQ (points[0].offset, 10);
    EXPECT_EQ (points[1].offset, 20);
    EXPECT_EQ (points[2].offset, 40);
    EXPECT_DOUBLE_EQ (points[2].value, 0.9);

    int32 offset = 0;
    ParamValue value = 0;
    EXPECT_EQ (queue.getPoint (3, offset, value), kResultFalse);
    EXPECT_EQ (queue.getPoint (-1, offset, value), kResultFalse);
}

TEST (ParameterValueQueue, FullQueueRefusesNewOffsetsButStillReplaces)
{
    ParameterValueQueue queue (1, 2);
    int32 index = 0;
    ASSERT_EQ (queue.addPoint (0, 0.0, index), kResultTrue);
    ASSERT_EQ (queue.addPoint (5, 0.5, index), kResultTrue);
    EXPECT_EQ (queue.addPoint (3, 0.3, index), kResultFalse);
    EXPECT_EQ (queue.getPointCount (), 2);
    EXPECT_EQ (queue.addPoint (5, 0.75, index), kResultTrue);
    EXPECT_EQ (index, 1);
    queue.clear ();
    EXPECT_EQ (queue.getPointCount (), 0);
}

TEST (ParameterChanges, OneQueuePerParameterUpToTheCapacity)
{
    ParameterChanges changes (2);
    EXPECT_EQ (changes.getParameterCount (), 0);
    EXPECT_EQ (changes.getParameterData (0), nullptr);

    int32 index = -1;
    IParamValueQueue* a = changes.addParameterData (3, index);
    ASSERT_NE (a, nullptr);
    EXPECT_EQ (index, 0);
    IParamValueQueue* b = changes.addParameterData (5, index);
    ASSERT_NE (b, nullptr);
    EXPECT_EQ (index, 1);
    EXPECT_EQ (changes.addParameterData (3, index), a);
    EXPECT_EQ (index, 0);
    EXPECT_EQ (changes.addParameterData (9, index), nullptr);
    EXPECT_EQ (changes.getParameterCount (), 2);
    EXPECT_EQ (changes.getParameterData (1), b);
    EXPECT_EQ (changes.getParameterData (2), nullptr);
    EXPECT_EQ (changes.getParameterData (-1), nullptr);
}

TEST (ParameterChanges, ClearedListReusesQueuesWithoutOldPoints)
{
    ParameterChanges changes (1);
    int32 index = 0;
    changes.addParameterData (3, index)->addPoint (0, 0.5, index);
    changes.clearQueue ();
    EXPECT_EQ (changes.getParameterCount (), 0);

    IParamValueQueue* queue = changes.addParameterData (4, index);
    ASSERT_NE (queue, nullptr);
    EXPECT_EQ (queue->getParameterId (), 4u);
    EXPECT_EQ (queue->getPointCount (), 0);
}

TEST (ParameterChanges, SetMaxParametersGrowsAndShrinks)
{
    ParameterChanges changes;
    int32 index = 0;
    EXPECT_EQ (changes.addParameterData (0, index), nullptr);
    changes.setMaxParameters (3);
    EXPECT_EQ (changes.getMaxParameters (), 3);
    changes.addParameterData (0, index);
    changes.addParameterData (1, index);
    changes.addParameterData (2, index);
    changes.setMaxParameters (1);
    EXPECT_EQ (changes.getParameterCount (), 1);
    EXPECT_EQ (changes.getParameterData (0)->getParameterId (), 0u);
}

TEST (ParameterChanges, QueryInterfaceAnswersItsInterface)
{
    ParameterChanges changes (1);
    void* obj = nullptr;
    ASSERT_EQ (changes.queryInterface (IParameterChanges::iid, &obj), kResultOk);
    EXPECT_EQ (obj, static_cast<IParameterChanges*> (&changes));
    changes.release ();
    EXPECT_EQ (changes.queryInterface (IParamValueQueue::iid, &obj), kNoInterface);
}

#ifdef OVERMOOR_REALTIME_GUARD
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
            // Reverse order makes every point an insertion at the front.
            for (int32 offset = 255; offset >= 0; --offset)
                queue->addPoint (offset, offset / 256.0, index);
        }
    }
    EXPECT_EQ (guard.violations ().allocations, 0u);
    EXPECT_EQ (guard.violations ().frees, 0u);
}
#endif

} // namespace
