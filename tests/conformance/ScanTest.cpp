// SPDX-License-Identifier: GPL-3.0-or-later
// What a host reads when it scans a plug-in: busses and parameters, and requests out of range.
#include "Conformance.h"
#include <climits>
#include <set>

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using Morvane::Test::Conformance;

TEST_F (Conformance, ScanBusses)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    IComponent* component = instance->component ();
    for (MediaType media : {kAudio, kEvent})
        for (BusDirection direction : {kInput, kOutput})
        {
            // One main audio bus, active by default, each way; no event busses.
            const int32 count = component->getBusCount (media, direction);
            EXPECT_EQ (count, media == kAudio ? 1 : 0) << "media " << media << " direction " << direction;
            for (int32 index = 0; index < count; ++index)
            {
                BusInfo info {};
                ASSERT_EQ (component->getBusInfo (media, direction, index, info), kResultOk);
                EXPECT_NE (info.name[0], 0) << "bus " << index << " has no name";
                EXPECT_EQ (info.mediaType, media);
                EXPECT_EQ (info.direction, direction);
                EXPECT_EQ (info.busType, kMain);
                EXPECT_EQ (info.flags, uint32 (BusInfo::kDefaultActive));
                EXPECT_EQ (info.channelCount, 2);
            }
            BusInfo beyond {};
            for (int32 index : {-1, count, count + 1, INT_MAX})
                EXPECT_NE (component->getBusInfo (media, direction, index, beyond), kResultOk) << index;
        }
}

// Every model retitles the knobs, so the scan runs once per model.
TEST_F (Conformance, ScanParameters)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    IEditController* controller = instance->controller ();
    const int32 count = controller->getParameterCount ();
    ASSERT_EQ (count, kParameterCount);
    for (int model = 0; model < kModelCount; ++model)
    {
        SCOPED_TRACE ("model " + std::to_string (model));
        ASSERT_EQ (controller->setParamNormalized (kModelId, modelValue (model)), kResultOk);
        std::set<ParamID> ids;
        int bypassParameters = 0;
        for (int32 index = 0; index < count; ++index)
        {
            ParameterInfo info {};
            ASSERT_EQ (controller->getParameterInfo (index, info), kResultOk) << index;
            SCOPED_TRACE ("id " + std::to_string (info.id));
            EXPECT_TRUE (ids.insert (info.id).second) << "twice";
            EXPECT_LE (info.id, ParamID (INT32_MAX)) << "ids are non-negative as signed 32-bit numbers";
            EXPECT_NE (info.title[0], 0);
            EXPECT_GE (info.stepCount, 0);
            EXPECT_TRUE (info.defaultNormalizedValue >= 0.0 && info.defaultNormalizedValue <= 1.0);
            EXPECT_FALSE ((info.flags & ParameterInfo::kIsReadOnly) && (info.flags & ParameterInfo::kCanAutomate));
            bypassParameters += (info.flags & ParameterInfo::kIsBypass) != 0;
            const ParamValue current = controller->getParamNormalized (info.id);
            EXPECT_TRUE (current >= 0.0 && current <= 1.0) << current;
        }
        EXPECT_LE (bypassParameters, 1);
    }
    for (int32 index : {-1, count, count + 1, INT_MAX, INT_MIN})
    {
        ParameterInfo info {};
        EXPECT_NE (controller->getParameterInfo (index, info), kResultOk) << index;
    }
    ParameterInfo first {};
    EXPECT_EQ (controller->getParameterInfo (0, first), kResultOk) << "still answers after the bad requests";
}

} // namespace
