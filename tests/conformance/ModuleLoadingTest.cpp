// SPDX-License-Identifier: GPL-3.0-or-later
// The library's entry points called in a host's order, twice in one process: dlopen,
// ModuleEntry, GetPluginFactory, an instance that processes, ModuleExit, dlclose, and again.
#include "support/BundleFixture.h"
#include "support/EntryPoints.h"
#include <dlfcn.h>

namespace {

using namespace Steinberg;
using Morvane::Test::overmoorBundlePath;
using VST3::Hosting::Module;

using Morvane::Test::EntryFunc;
using Morvane::Test::ExitFunc;
using Morvane::Test::FactoryFunc;
using Morvane::Test::referencesOf;

void loadUseAndUnload (int round)
{
    SCOPED_TRACE ("round " + std::to_string (round));
    const std::string library = Module::libraryPathForBundle (overmoorBundlePath ());
    void* handle = dlopen (library.c_str (), RTLD_LAZY);
    ASSERT_NE (handle, nullptr) << dlerror ();
    // Looked up in the order hosts use; each one missing is a load error.
    auto entry = reinterpret_cast<EntryFunc> (dlsym (handle, "ModuleEntry"));
    auto exitFunc = reinterpret_cast<ExitFunc> (dlsym (handle, "ModuleExit"));
    auto getFactory = reinterpret_cast<FactoryFunc> (dlsym (handle, "GetPluginFactory"));
    ASSERT_TRUE (entry && exitFunc && getFactory);

    ASSERT_TRUE (entry (handle));
    IPluginFactory* factory = getFactory ();
    ASSERT_NE (factory, nullptr);
    EXPECT_EQ (referencesOf (factory), 1u) << "the returned factory carries exactly the caller's reference";
    IPluginFactory* second = getFactory ();
    EXPECT_EQ (second, factory);
    EXPECT_EQ (referencesOf (factory), 2u);
    second->release ();

    {
        std::string error;
        auto instance = Morvane::Host::PluginInstance::create (factory, error);
        ASSERT_NE (instance, nullptr) << error;
        Morvane::Host::ProcessConfig config;
        config.maxBlockSamples = 64;
        ASSERT_TRUE (instance->startProcessing (config, error)) << error;
        EXPECT_EQ (instance->process (64), kResultOk);
    } // every object goes before the factory and the module
    factory->release ();

    // After the host dropped its last reference a new request still yields a usable factory.
    IPluginFactory* again = getFactory ();
    ASSERT_NE (again, nullptr);
    EXPECT_EQ (again->countClasses (), 2);
    again->release ();

    EXPECT_TRUE (exitFunc ());
    EXPECT_EQ (dlclose (handle), 0);
    void* stillLoaded = dlopen (library.c_str (), RTLD_LAZY | RTLD_NOLOAD);
    EXPECT_EQ (stillLoaded, nullptr) << "the library stays mapped after dlclose";
    if (stillLoaded)
        dlclose (stillLoaded);
}

TEST (ConformanceModule, EntryFactoryExitInHostOrderTwice)
{
    for (int round = 0; round < 2; ++round)
    {
        loadUseAndUnload (round);
        if (HasFatalFailure ())
            return;
    }
}

} // namespace
