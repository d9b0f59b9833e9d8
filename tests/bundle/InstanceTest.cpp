// SPDX-License-Identifier: GPL-3.0-or-later
// An instance of the bundle's processor as a host holds it: the module it keeps loaded, its fixed
// answers beyond what validators check (those live in tests/conformance), refused messages.
#include "support/BundleFixture.h"

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;

class BundleInstance : public Morvane::Test::BundleFixture
{
};

// A host may drop its module handle before the instances made from it; the plug-in code must
// stay mapped until the last instance is gone.
TEST (BundleLoading, InstanceKeepsItsModuleLoaded)
{
    std::string error;
    auto module = VST3::Hosting::Module::create (Morvane::Test::overmoorBundlePath (), error);
    ASSERT_NE (module, nullptr) << error;
    auto instance = Morvane::Host::PluginInstance::create (module, error);
    ASSERT_NE (instance, nullptr) << error;
    module.reset ();
    std::vector<uint8_t> state;
    EXPECT_EQ (instance->getState (state), kResultOk);
    EXPECT_EQ (state.size (), 32u);
    instance.reset ();
    EXPECT_EQ (Morvane::Host::PluginInstance::create (VST3::Hosting::Module::Ptr (), error), nullptr);
    EXPECT_FALSE (error.empty ());
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
    EXPECT_EQ (instance->notifyProcessor (instance->createMessage ("PrsHnd")), kResultFalse) << "no command in it";
    instance->shutdown ();
    instance->shutdown ();
    EXPECT_EQ (instance->component (), nullptr);
    EXPECT_EQ (instance->notifyProcessor (nullptr), kNotInitialized);
}

} // namespace
