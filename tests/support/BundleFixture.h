// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Test fixture for everything that loads the built Overmoor.vst3 as a host does: the bundle is
// loaded once per test suite through VST3::Hosting::Module, and each test creates its own
// plug-in instances from it. $OVERMOOR_BUNDLE overrides the bundle path compiled in as
// OVERMOOR_BUNDLE_PATH (so the same tests can run against an installed copy).
// Presets live in a private temporary folder, never in the user's own.
#include "host/PluginInstance.h"
#include "host/StateBytes.h"
#include "sdk/hosting/module.h"
#include "support/Portability.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace Morvane {
namespace Test {

// Points OVERMOOR_PRESET_DIR at a fresh folder under $TMPDIR (once per process, and only when
// the environment does not name one already), removed again when the process ends; so tests
// that save or delete presets never touch the user's presets. Returns the folder in use.
inline const std::string& usePrivatePresetFolder ()
{
    static const std::string folder = [] () -> std::string {
        if (const char* given = std::getenv ("OVERMOOR_PRESET_DIR"); given && *given)
            return given;
        std::string pattern = makeTemporaryFolder ("overmoor-presets-");
        if (pattern.empty ())
            pattern = "/tmp/overmoor-presets-unavailable";   // never the user's folder
        setEnvironment ("OVERMOOR_PRESET_DIR", pattern.c_str ());
        // The window's zoom settings too: a zoom the user picked must not change the pictures.
        setEnvironment ("XDG_CONFIG_HOME", pattern.c_str ());
        static std::string created;
        created = pattern;
        std::atexit ([] {
            std::error_code ignored;
            std::filesystem::remove_all (created, ignored);
        });
        return pattern;
    }();
    return folder;
}

// Set before main, so even tests that load the bundle without the fixture see it.
inline const bool kPrivatePresetFolderInUse = !usePrivatePresetFolder ().empty ();

inline std::string overmoorBundlePath ()
{
    usePrivatePresetFolder ();
    if (const char* fromEnvironment = std::getenv ("OVERMOOR_BUNDLE");
        fromEnvironment && *fromEnvironment)
        return fromEnvironment;
#ifdef OVERMOOR_BUNDLE_PATH
    return OVERMOOR_BUNDLE_PATH;
#else
    return "Overmoor.vst3";
#endif
}

// What the editor sends the processor: a preset request ("PrsHnd" whose one binary attribute,
// key, holds key + argument, or the byte 1 for the list requests) and a parameter write.
inline Steinberg::tresult sendPresetRequest (Host::PluginInstance& instance, const char* key,
                                             const std::string& argument = {})
{
    auto message = instance.createMessage ("PrsHnd");
    const bool listRequest = std::string (key).find ("PresetsMessage") != std::string::npos;
    const std::string text = listRequest ? std::string ("\x01") : std::string (key) + argument;
    message->getAttributes ()->setBinary (key, text.data (),
                                          static_cast<Steinberg::uint32> (text.size ()));
    return instance.notifyProcessor (message);
}

inline Steinberg::tresult sendParameter (Host::PluginInstance& instance, Steinberg::int64 id,
                                         double value)
{
    auto message = instance.createMessage ("WA_SP");
    message->getAttributes ()->setInt ("WA_PI", id);
    message->getAttributes ()->setFloat ("WA_PV", value);
    return instance.notifyProcessor (message);
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
        ASSERT_NE (sharedModule (), nullptr)
            << "Cannot load " << overmoorBundlePath () << ": " << loadError ();
    }

    static Steinberg::IPluginFactory* factory () { return sharedModule ()->getFactory (); }

    // A created, initialized and connected instance; null (with a test failure) on error.
    static std::unique_ptr<Host::PluginInstance>
    createInstance (const Host::InstanceOptions& options = {})
    {
        std::string error;
        auto instance = Host::PluginInstance::create (factory (), error, options);
        EXPECT_NE (instance, nullptr) << error;
        return instance;
    }

    // The same, ready to process blocks of up to config.maxBlockSamples.
    static std::unique_ptr<Host::PluginInstance>
    createProcessingInstance (const Host::ProcessConfig& config = {},
                              const Host::InstanceOptions& options = {})
    {
        auto instance = createInstance (options);
        if (!instance)
            return nullptr;
        std::string error;
        const bool started = instance->startProcessing (config, error);
        EXPECT_TRUE (started) << error;
        return started ? std::move (instance) : nullptr;
    }

    // The eight parameter values of the processor's saved state.
    static std::vector<float> savedParameterValues (Host::PluginInstance& instance)
    {
        std::vector<uint8_t> bytes;
        EXPECT_EQ (instance.getState (bytes), Steinberg::kResultOk);
        return Host::floatsOf (bytes);
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

}   // namespace Test
}   // namespace Morvane
