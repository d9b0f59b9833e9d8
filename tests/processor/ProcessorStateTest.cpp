// SPDX-License-Identifier: GPL-3.0-or-later
// Component state: eight little-endian floats, and streams that end early.
#include "ProcessorTestSupport.h"
#include "processor/CMVXStravelVST3.h"
#include "pluginterfaces/base/smartpointer.h"
#include <gtest/gtest.h>

using namespace Steinberg;

namespace {

// Factory preset 0 as plain values: on, model 0, then six knobs in percent. Every knob is linear
// over 0 … 100 and both switches are lists starting at 0, so normalised = plain / range.
std::vector<float> presetZeroNormalised ()
{
    const float knobs[6] = {42.5f, 100.0f, 81.6f, 18.0f, 61.8f, 32.5f};
    std::vector<float> values {1.0f, 0.0f};
    for (float knob : knobs)
        values.push_back (static_cast<float> (static_cast<double> (knob) / 100.0));
    return values;
}

IPtr<CMVXStravelVST3> makeProcessor ()
{
    return owned (new CMVXStravelVST3 ());
}

} // namespace

TEST (ProcessorState, FreshProcessorSavesFactoryPresetZero)
{
    auto processor = makeProcessor ();
    MemoryStream stream;
    ASSERT_EQ (processor->getState (&stream), kResultOk);
    EXPECT_EQ (streamBytes (stream), littleEndianBytes (presetZeroNormalised ()));
}

TEST (ProcessorState, FullStreamRoundTripsWithBothStreamKinds)
{
    const std::vector<float> values {0.0f, 5.0f / 7.0f, 0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.875f};
    ShortReadStream shortRead;
    FailingReadStream failingRead;
    for (MemoryStream* input : {static_cast<MemoryStream*> (&shortRead),
                                static_cast<MemoryStream*> (&failingRead)})
    {
        auto processor = makeProcessor ();
        fillStream (*input, littleEndianBytes (values));
        ASSERT_EQ (processor->setState (input), kResultOk);
        for (int32_t id = 0; id < 8; ++id)
            EXPECT_FLOAT_EQ (processor->getParameterValue (id), values[id]) << "id " << id;

        MemoryStream output;
        ASSERT_EQ (processor->getState (&output), kResultOk);
        EXPECT_EQ (streamBytes (output), littleEndianBytes (values));
    }
}

TEST (ProcessorState, ShortStreamAppliesWhatItHoldsAndReportsFalse)
{
    const std::vector<float> firstFour {0.0f, 3.0f / 7.0f, 0.25f, 0.75f};
    const std::vector<float> defaults = presetZeroNormalised ();
    ShortReadStream shortRead;
    FailingReadStream failingRead;
    for (MemoryStream* input : {static_cast<MemoryStream*> (&shortRead),
                                static_cast<MemoryStream*> (&failingRead)})
    {
        auto processor = makeProcessor ();
        fillStream (*input, littleEndianBytes (firstFour));
        EXPECT_EQ (processor->setState (input), kResultFalse);
        for (int32_t id = 0; id < 4; ++id)
            EXPECT_FLOAT_EQ (processor->getParameterValue (id), firstFour[id]) << "id " << id;
        for (int32_t id = 4; id < 8; ++id)
            EXPECT_FLOAT_EQ (processor->getParameterValue (id), defaults[id]) << "id " << id;
    }
}

TEST (ProcessorState, TornLastValueIsNotApplied)
{
    auto processor = makeProcessor ();
    std::vector<uint8_t> bytes = littleEndianBytes ({0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f});
    bytes.resize (30);
    ShortReadStream stream;
    fillStream (stream, bytes);
    EXPECT_EQ (processor->setState (&stream), kResultFalse);
    EXPECT_FLOAT_EQ (processor->getParameterValue (6), 0.0f);
    EXPECT_FLOAT_EQ (processor->getParameterValue (7), presetZeroNormalised ()[7]);
}

TEST (ProcessorState, NullStreamIsRefused)
{
    auto processor = makeProcessor ();
    EXPECT_EQ (processor->setState (nullptr), kInvalidArgument);
    EXPECT_EQ (processor->getState (nullptr), kInvalidArgument);
}
