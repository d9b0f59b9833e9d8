// SPDX-License-Identifier: GPL-3.0-or-later
// An instance of the bundle's processor as a host holds it: the module it keeps loaded, its state
// stream and hand-over to the controller (with both kinds of host stream: short reads reported as
// success with fewer bytes, or as failure), fixed answers beyond what validators check, refused
// messages. Validator checks and values no saved state holds: tests/conformance.
#include "support/BundleFixture.h"
#include "host/StateBytes.h"
#include "host/StrictReadStream.h"

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using Morvane::Host::floatBytes;
using Morvane::Host::PluginInstance;

class ComponentState : public Morvane::Test::BundleFixture
{};
class BundleInstance : public Morvane::Test::BundleFixture
{};

// "Torvin's Booster" as normalised values: on, model 0, then the six knobs' percent / 100.
const std::vector<float> kFactoryPreset0 {1.0f, 0.0f, 0.425f, 1.0f, 0.816f, 0.18f, 0.618f, 0.325f};
// A state that differs from it in every entry: off, model 5, knobs on whole percents.
const std::vector<float> kOtherState {0.0f, 5.0f / 7.0f, 0.25f, 0.5f, 0.1f, 0.9f, 0.33f, 0.0f};

// The saved state (32 bytes) and the controller's values both equal expected.
void expectState (PluginInstance& instance, const std::vector<float>& expected,
                  const std::string& what)
{
    std::vector<uint8_t> bytes;
    ASSERT_EQ (instance.getState (bytes), kResultOk) << what;
    ASSERT_EQ (bytes.size (), 32u) << what;
    const std::vector<float> saved = Morvane::Host::floatsOf (bytes);
    for (ParamID id = 0; id < 8; ++id)
    {
        EXPECT_NEAR (saved[id], expected[id], 1e-6) << what << ", id " << id;
        EXPECT_NEAR (instance.controller ()->getParamNormalized (id), expected[id], 1e-6)
            << what << ", controller id " << id;
    }
}

// A host may drop its module handle before the instances made from it; the plug-in code must
// stay mapped until the last instance is gone.
TEST (BundleLoading, InstanceKeepsItsModuleLoaded)
{
    std::string error;
    auto module = VST3::Hosting::Module::create (Morvane::Test::overmoorBundlePath (), error);
    ASSERT_NE (module, nullptr) << error;
    auto instance = PluginInstance::create (module, error);
    ASSERT_NE (instance, nullptr) << error;
    module.reset ();
    std::vector<uint8_t> state;
    EXPECT_EQ (instance->getState (state), kResultOk);
    EXPECT_EQ (state.size (), 32u);
    instance.reset ();
    EXPECT_EQ (PluginInstance::create (VST3::Hosting::Module::Ptr (), error), nullptr);
    EXPECT_FALSE (error.empty ());
}

// A new instance holds factory preset 0 (null streams change nothing); another state goes
// through the stream into the controller, and a second instance saves it back byte for byte.
TEST_F (ComponentState, NewInstanceHoldsFactoryPresetZeroAndRoundTrips)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    std::vector<uint8_t> controllerBytes, saved, resaved;
    EXPECT_EQ (instance->getControllerState (controllerBytes), kResultOk);
    EXPECT_EQ (controllerBytes, std::vector<uint8_t> {0});
    EXPECT_NE (instance->component ()->setState (nullptr), kResultOk);
    instance->component ()->getState (nullptr);   // any answer, but no crash
    expectState (*instance, kFactoryPreset0, "new instance after null streams");

    ASSERT_EQ (instance->setState (floatBytes (kOtherState)), kResultOk);
    ASSERT_EQ (instance->syncControllerToComponent (), kResultOk);
    expectState (*instance, kOtherState, "after setState");
    auto copy = createInstance ();
    ASSERT_NE (copy, nullptr);
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
    const struct
    {
        const char* name;
        std::vector<uint8_t> bytes;
        bool strict;
        tresult result;
        size_t valuesTaken;
    } cases[] = {{"empty", {}, false, kResultFalse, 0},
                 {"one value and half of the next",
                  {all.begin (), all.begin () + 6},
                  false,
                  kResultFalse,
                  1},
                 {"four values", {all.begin (), all.begin () + 16}, false, kResultFalse, 4},
                 {"four values and half of the next, strict stream",
                  {all.begin (), all.begin () + 18},
                  true,
                  kResultFalse,
                  4},
                 {"trailing bytes", longer, false, kResultOk, 8}};
    for (const auto& c : cases)
    {
        auto instance = createInstance ();
        ASSERT_NE (instance, nullptr);
        EXPECT_EQ (c.strict ? instance->component ()->setState (
                       owned (new Morvane::Host::StrictReadStream (c.bytes)))
                            : instance->setState (c.bytes),
                   c.result)
            << c.name;
        std::vector<float> expected = kFactoryPreset0;
        std::copy_n (kOtherState.begin (), c.valuesTaken, expected.begin ());
        ASSERT_EQ (instance->syncControllerToComponent (), kResultOk);
        expectState (*instance, expected, c.name);
    }
}

TEST_F (BundleInstance, FixedAnswers)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    IComponent* component = instance->component ();
    IAudioProcessor* processor = instance->processor ();
    EXPECT_EQ (component->initialize (instance->context ()), kResultFalse) << "second initialize";
    EXPECT_EQ (processor->canProcessSampleSize (kSample64), kResultFalse);
    EXPECT_EQ (processor->getLatencySamples (), 0u);
    EXPECT_EQ (processor->getTailSamples (), 0u);
    EXPECT_EQ (component->setIoMode (kAdvanced), kNotImplemented);
    RoutingInfo in {}, out {};
    EXPECT_EQ (component->getRoutingInfo (in, out), kNotImplemented);

    Morvane::Host::ProcessConfig config;
    config.sampleRateHz = 44100.0;
    config.processMode = kOffline;
    EXPECT_EQ (instance->setupProcessing (config), kResultOk);
    config.symbolicSampleSize = kSample64;
    EXPECT_NE (instance->setupProcessing (config), kResultOk);
    EXPECT_EQ (component->setActive (true), kResultOk);
    EXPECT_EQ (processor->setProcessing (true), kNotImplemented);
    EXPECT_EQ (component->setActive (false), kResultOk);
}

// Messages the processor cannot use are refused; after a shutdown (twice is harmless) there is
// nothing left to call. The controller's side of the link: tests/controller and tests/messages.
TEST_F (BundleInstance, RefusedMessagesAndShutdown)
{
    Morvane::Host::InstanceOptions tapped;
    tapped.tapConnections = true;
    auto instance = createInstance (tapped);
    ASSERT_NE (instance, nullptr);
    EXPECT_EQ (instance->notifyProcessor (nullptr), kInvalidArgument);
    EXPECT_EQ (instance->notifyProcessor (instance->createMessage ("NoSuchMessage")), kResultFalse);
    EXPECT_EQ (instance->notifyProcessor (instance->createMessage ("PrsHnd")), kResultFalse)
        << "no command in it";
    instance->shutdown ();
    instance->shutdown ();
    EXPECT_EQ (instance->component (), nullptr);
    EXPECT_EQ (instance->notifyProcessor (nullptr), kNotInitialized);
}

}   // namespace
