// SPDX-License-Identifier: GPL-3.0-or-later
// The processor's state stream and its hand-over to the controller, with both kinds of host
// stream (short reads reported as success with fewer bytes, or as failure). Values no saved
// state holds are checked in tests/conformance.
#include "support/BundleFixture.h"
#include "host/StateBytes.h"
#include "host/StrictReadStream.h"

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using Morvane::Host::floatBytes;
using Morvane::Host::PluginInstance;

// "Torvin's Booster" as normalised values: on, model 0, then the six knobs' percent / 100.
const std::vector<float> kFactoryPreset0 {1.0f, 0.0f, 0.425f, 1.0f, 0.816f, 0.18f, 0.618f, 0.325f};
// A state that differs from it in every entry: off, model 5, knobs on whole percents.
const std::vector<float> kOtherState {0.0f, 5.0f / 7.0f, 0.25f, 0.5f, 0.1f, 0.9f, 0.33f, 0.0f};

// The saved state (32 bytes) and the controller's values both equal expected.
void expectState (PluginInstance& instance, const std::vector<float>& expected, const std::string& what)
{
    std::vector<uint8_t> bytes;
    ASSERT_EQ (instance.getState (bytes), kResultOk) << what;
    ASSERT_EQ (bytes.size (), 32u) << what;
    const std::vector<float> saved = Morvane::Host::floatsOf (bytes);
    for (ParamID id = 0; id < 8; ++id)
    {
        EXPECT_NEAR (saved[id], expected[id], 1e-6) << what << ", id " << id;
        EXPECT_NEAR (instance.controller ()->getParamNormalized (id), expected[id], 1e-6) << what << ", controller id " << id;
    }
}

class ComponentState : public Morvane::Test::BundleFixture
{
};

TEST_F (ComponentState, NewInstanceHoldsFactoryPresetZero)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    expectState (*instance, kFactoryPreset0, "new instance");
    std::vector<uint8_t> controllerBytes;
    EXPECT_EQ (instance->getControllerState (controllerBytes), kResultOk);
    EXPECT_EQ (controllerBytes, std::vector<uint8_t> {0});
    EXPECT_NE (instance->component ()->setState (nullptr), kResultOk);
    instance->component ()->getState (nullptr); // any answer, but no crash
    expectState (*instance, kFactoryPreset0, "after null streams");
}

TEST_F (ComponentState, RoundTripThroughTheStreamAndIntoTheController)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    ASSERT_EQ (instance->setState (floatBytes (kOtherState)), kResultOk);
    ASSERT_EQ (instance->syncControllerToComponent (), kResultOk);
    expectState (*instance, kOtherState, "after setState");

    // A second instance loads the first one's state and saves the same bytes.
    auto copy = createInstance ();
    ASSERT_NE (copy, nullptr);
    std::vector<uint8_t> saved, resaved;
    ASSERT_EQ (instance->getState (saved), kResultOk);
    ASSERT_EQ (copy->setState (saved), kResultOk);
    ASSERT_EQ (copy->getState (resaved), kResultOk);
    EXPECT_EQ (saved, resaved);
}

// Short streams change only the values they hold completely and are refused, whichever way the
// stream reports the short read; bytes after the eight values are ignored.
TEST_F (ComponentState, ShortAndLongStreamsChangeOnlyWhatTheyHold)
{
    const std::vector<uint8_t> all = floatBytes (kOtherState);
    std::vector<uint8_t> longer = all;
    longer.insert (longer.end (), {0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3});
    struct Case
    {
        const char* name;
        std::vector<uint8_t> bytes;
        bool strict;
        tresult result;
        size_t valuesTaken;
    };
    const Case cases[] = {
        {"empty", {}, false, kResultFalse, 0},
        {"one value and half of the next", {all.begin (), all.begin () + 6}, false, kResultFalse, 1},
        {"four values", {all.begin (), all.begin () + 16}, false, kResultFalse, 4},
        {"four values, strict stream", {all.begin (), all.begin () + 16}, true, kResultFalse, 4},
        {"trailing bytes", longer, false, kResultOk, 8},
    };
    for (const Case& c : cases)
    {
        auto instance = createInstance ();
        ASSERT_NE (instance, nullptr);
        if (c.strict)
            EXPECT_EQ (instance->component ()->setState (owned (new Morvane::Host::StrictReadStream (c.bytes))), c.result) << c.name;
        else
            EXPECT_EQ (instance->setState (c.bytes), c.result) << c.name;
        std::vector<float> expected = kFactoryPreset0;
        std::copy_n (kOtherState.begin (), c.valuesTaken, expected.begin ());
        ASSERT_EQ (instance->syncControllerToComponent (), kResultOk);
        expectState (*instance, expected, c.name);
    }
}

} // namespace
