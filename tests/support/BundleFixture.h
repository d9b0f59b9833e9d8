// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Test fixture for everything that loads the built Overmoor.vst3 as a host does: the bundle is
// loaded once per test suite through VST3::Hosting::Module, and each test creates its own
// plug-in instances from it. $OVERMOOR_BUNDLE overrides the bundle path compiled in as
// OVERMOOR_BUNDLE_PATH (so the same tests can run against an installed copy).
#include "host/PluginInstance.h"
#include "sdk/hosting/module.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <memory>
#include <string>

namespace Morvane {
namespace Test {

inline std::string overmoorBundlePath ()
{
    if (const char* fromEnvironment = std::getenv ("OVERMOOR_BUNDLE"); fromEnvironment && *fromEnvironment)
        return fromEnvironment;
#ifdef OVERMOOR_BUNDLE_PATH
    return OVERMOOR_BUNDLE_PATH;
#else
    return "Overmoor.vst3";
#endif
}

class BundleFixture : public ::testing::Test
{
protected:
    static void SetUpTestSuite ()
    {
        loadError ().clear ();
        sharedModule () = VST3::Hosting::Module::create (overmoorBundlePath (), loadError ());
    }

    static void TearDownTestSuite () { sharedModule ().reset (); }

    void SetUp () override
    {
        ASSERT_NE (sharedModule (), nullptr) << "Cannot load " << overmoorBundlePath () << ": " << loadError ();
    }

    static VST3::Hosting::Module& module () { return *sharedModule (); }
    static Steinberg::IPluginFactory* factory () { return sharedModule ()->getFactory (); }

    // A created, initialized and connected instance; null (with a test failure) on error.
    static std::unique_ptr<Host::PluginInstance> createInstance (const Host::InstanceOptions& options = {})
    {
        std::string error;
        auto instance = Host::PluginInstance::create (factory (), error, options);
        EXPECT_NE (instance, nullptr) << error;
        return instance;
    }

    // The same, ready to process blocks of up to config.maxBlockSamples.
    static std::unique_ptr<Host::PluginInstance> createProcessingInstance (
        const Host::ProcessConfig& config = {}, const Host::InstanceOptions& options = {})
    {
        auto instance = createInstance (options);
        if (!instance)
            return nullptr;
        std::string error;
        const bool started = instance->startProcessing (config, error);
        EXPECT_TRUE (started) << error;
        return started ? std::move (instance) : nullptr;
    }

private:
    static VST3::Hosting::Module::Ptr& sharedModule ()
    {
        static VST3::Hosting::Module::Ptr module;
        return module;
    }
    static std::string& loadError ()
    {
        static std::string error;
        return error;
    }
};

} // namespace Test
} // namespace Morvane
