// SPDX-License-Identifier: GPL-3.0-or-later
// The processor's state stream and its hand-over to the controller, with both kinds of host
// stream (short reads reported as success with fewer bytes, or as failure).
#include "support/BundleFixture.h"
#include "host/StateBytes.h"
#include "host/StrictReadStream.h"

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using Morvane::Host::floatBytes;
using Morvane::Host::floatsOf;
using Morvane::Host::PluginInstance;

// "Torvin's Booster" as normalised values: on, model 0, then the six knobs' percent / 100.
const std::vector<float> kFactoryPreset0 {1.0f, 0.0f, 0.425f, 1.0f, 0.816f, 0.18f, 0.618f, 0.325f};
// A state that differs from it in every entry: off, model 5, knobs on whole percents.
const std::vector<float> kOtherState {0.0f, 5.0f / 7.0f, 0.25f, 0.5f, 0.1f, 0.9f, 0.33f, 0.0f};
constexpr float kTolerance = 1e-6f;

std::vector<float> stateOf (PluginInstance& instance)
{
    std::vector<uint8_t> bytes;
    EXPECT_EQ (instance.getState (bytes), kResultOk);
    EXPECT_EQ (bytes.size (), 32u);
    return floatsOf (bytes);
}

void expectValues (const std::vector<float>& actual, const std::vector<float>& expected, const char* what)
{
    ASSERT_EQ (actual.size (), expected.size ()) << what;
    for (size_t i = 0; i < expected.size (); ++i)
        EXPECT_NEAR (actual[i], expected[i], kTolerance) << what << ", id " << i;
}

class ComponentState : public Morvane::Test::BundleFixture
{
};

TEST_F (ComponentState, NewInstanceSavesFactoryPresetZeroAsThirtyTwoBytes)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    std::vector<uint8_t> bytes;
    ASSERT_EQ (instance->getState (bytes), kResultOk);
    ASSERT_EQ (bytes.size (), 32u);
    expectValues (floatsOf (bytes), kFactoryPreset0, "state");
}

TEST_F (ComponentState, ControllerStartsFromTheComponentState)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    for (ParamID id = 0; id < 8; ++id)
        EXPECT_NEAR (instance->controller ()->getParamNormalized (id), kFactoryPreset0[id], kTolerance) << id;
}

TEST_F (ComponentState, RoundTripThroughTheStreamAndIntoTheController)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    ASSERT_EQ (instance->setState (floatBytes (kOtherState)), kResultOk);
    expectValues (stateOf (*instance), kOtherState, "after setState");

    ASSERT_EQ (instance->syncControllerToComponent (), kResultOk);
    for (ParamID id = 0; id < 8; ++id)
        EXPECT_NEAR (instance->controller ()->getParamNormalized (id), kOtherState[id], kTolerance) << id;

    // A second instance loads the first one's state and saves the same bytes.
    auto copy = createInstance ();
    ASSERT_NE (copy, nullptr);
    std::vector<uint8_t> saved, resaved;
    ASSERT_EQ (instance->getState (saved), kResultOk);
    ASSERT_EQ (copy->setState (saved), kResultOk);
    ASSERT_EQ (copy->getState (resaved), kResultOk);
    EXPECT_EQ (saved, resaved);
}

TEST_F (ComponentState, SixteenBytesApplyFourValuesAndAreRefused)
{
    const std::vector<uint8_t> all = floatBytes (kOtherState);
    const std::vector<uint8_t> half (all.begin (), all.begin () + 16);
    std::vector<float> expected = kFactoryPreset0;
    std::copy (kOtherState.begin (), kOtherState.begin () + 4, expected.begin ());

    {
        auto instance = createInstance ();
        ASSERT_NE (instance, nullptr);
        EXPECT_EQ (instance->setState (half), kResultFalse) << "a stream that reports short reads as success";
        expectValues (stateOf (*instance), expected, "lenient stream");
    }
    {
        auto instance = createInstance ();
        ASSERT_NE (instance, nullptr);
        auto strict = owned (new Morvane::Host::StrictReadStream (half));
        EXPECT_EQ (instance->component ()->setState (strict), kResultFalse) << "a stream that fails short reads";
        expectValues (stateOf (*instance), expected, "strict stream");
    }
}

TEST_F (ComponentState, EmptyOrTornStreamsChangeOnlyWhatTheyHold)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    EXPECT_EQ (instance->setState ({}), kResultFalse);
    expectValues (stateOf (*instance), kFactoryPreset0, "empty stream");

    std::vector<uint8_t> torn = floatBytes (kOtherState);
    torn.resize (6); // one value and half of the next
    EXPECT_EQ (instance->setState (torn), kResultFalse);
    std::vector<float> expected = kFactoryPreset0;
    expected[0] = kOtherState[0];
    expectValues (stateOf (*instance), expected, "torn stream");
}

TEST_F (ComponentState, TrailingBytesAreIgnored)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    std::vector<uint8_t> longer = floatBytes (kOtherState);
    longer.insert (longer.end (), {0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3});
    EXPECT_EQ (instance->setState (longer), kResultOk);
    expectValues (stateOf (*instance), kOtherState, "longer stream");
}

TEST_F (ComponentState, NullStreamsAreHarmless)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    EXPECT_NE (instance->component ()->setState (nullptr), kResultOk);
    instance->component ()->getState (nullptr); // any answer, but no crash
    expectValues (stateOf (*instance), kFactoryPreset0, "after null streams");
}

TEST_F (ComponentState, ControllerStateIsOneZeroByte)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    std::vector<uint8_t> bytes;
    EXPECT_EQ (instance->getControllerState (bytes), kResultOk);
    EXPECT_EQ (bytes, std::vector<uint8_t> {0});
}

} // namespace
