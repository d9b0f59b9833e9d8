// SPDX-License-Identifier: GPL-3.0-or-later
// What a host reads when it scans a plug-in: busses and parameters.
#include "Conformance.h"
#include "pluginterfaces/vst/vstspeaker.h"
#include <climits>
#include <set>

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using Morvane::Test::Conformance;

std::u16string titleOf (const ParameterInfo& info)
{
    std::u16string title;
    for (const char16* c = info.title; *c && title.size () < 128; ++c)
        title += *c;
    return title;
}

TEST_F (Conformance, ScanBusses)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    IComponent* component = instance->component ();
    for (MediaType media : {kAudio, kEvent})
        for (BusDirection direction : {kInput, kOutput})
        {
            const int32 count = component->getBusCount (media, direction);
            EXPECT_GE (count, 0);
            for (int32 index = 0; index < count; ++index)
            {
                BusInfo info {};
                ASSERT_EQ (component->getBusInfo (media, direction, index, info), kResultOk);
                EXPECT_NE (info.name[0], 0) << "bus " << index << " has no name";
                EXPECT_EQ (info.mediaType, media);
                EXPECT_EQ (info.direction, direction);
                EXPECT_TRUE (info.busType == kMain || info.busType == kAux);
                if (media == kAudio)
                {
                    EXPECT_GT (info.channelCount, 0);
                }
            }
            BusInfo beyond {};
            for (int32 index : {-1, count, count + 1, INT_MAX})
                EXPECT_NE (component->getBusInfo (media, direction, index, beyond), kResultOk) << index;
        }
    EXPECT_EQ (component->getBusCount (kAudio, kInput), 1);
    EXPECT_EQ (component->getBusCount (kAudio, kOutput), 1);
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
            EXPECT_TRUE (ids.insert (info.id).second) << "id " << info.id << " twice";
            EXPECT_LE (info.id, ParamID (INT32_MAX)) << "ids are non-negative as signed 32-bit numbers";
            EXPECT_FALSE (titleOf (info).empty ()) << "id " << info.id;
            EXPECT_GE (info.stepCount, 0) << "id " << info.id;
            EXPECT_GE (info.defaultNormalizedValue, 0.0) << "id " << info.id;
            EXPECT_LE (info.defaultNormalizedValue, 1.0) << "id " << info.id;
            const bool readOnly = info.flags & ParameterInfo::kIsReadOnly;
            const bool automatable = info.flags & ParameterInfo::kCanAutomate;
            EXPECT_FALSE (readOnly && automatable) << "id " << info.id;
            if (info.flags & ParameterInfo::kIsBypass)
                ++bypassParameters;
            const ParamValue current = controller->getParamNormalized (info.id);
            EXPECT_GE (current, 0.0) << "id " << info.id;
            EXPECT_LE (current, 1.0) << "id " << info.id;
        }
        EXPECT_LE (bypassParameters, 1);
    }
}

TEST_F (Conformance, ParameterInfoOutOfRangeIsSafe)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    IEditController* controller = instance->controller ();
    const int32 count = controller->getParameterCount ();
    for (int32 index : {-1, count, count + 1, INT_MAX, INT_MIN})
    {
        ParameterInfo info {};
        EXPECT_NE (controller->getParameterInfo (index, info), kResultOk) << index;
    }
    ParameterInfo first {};
    EXPECT_EQ (controller->getParameterInfo (0, first), kResultOk) << "still answers after the bad requests";
}

} // namespace
