// SPDX-License-Identifier: GPL-3.0-or-later
// Loading and unloading the bundle's library the way Linux hosts do.
#include "support/BundleFixture.h"
#include <dlfcn.h>

namespace {

using namespace Steinberg;
using Morvane::Test::overmoorBundlePath;
using VST3::Hosting::Module;

using EntryFunc = bool (*) (void*);
using ExitFunc = bool (*) ();
using FactoryFunc = IPluginFactory* (*) ();

// References a factory holds right now (addRef answers the new count).
uint32 referencesOf (IPluginFactory* factory)
{
    const uint32 count = factory->addRef () - 1;
    factory->release ();
    return count;
}

TEST (BundleLoading, ModuleLoadsWithTheBundleStemAndTrailingSlash)
{
    std::string error;
    auto module = Module::create (overmoorBundlePath () + "/", error);
    ASSERT_NE (module, nullptr) << error;
    EXPECT_EQ (module->getName (), "Overmoor");
    EXPECT_NE (module->getLibraryPath ().find ("/Contents/x86_64-linux/Overmoor.so"), std::string::npos);
    ASSERT_NE (module->getFactory (), nullptr);
    EXPECT_EQ (module->getFactory ()->countClasses (), 2);
}

TEST (BundleLoading, LoadUnloadAndLoadAgainInOneProcess)
{
    for (int round = 0; round < 3; ++round)
    {
        std::string error;
        auto module = Module::create (overmoorBundlePath (), error);
        ASSERT_NE (module, nullptr) << "round " << round << ": " << error;
        auto instance = Morvane::Host::PluginInstance::create (module->getFactory (), error);
        ASSERT_NE (instance, nullptr) << "round " << round << ": " << error;
        Morvane::Host::ProcessConfig config;
        config.maxBlockSamples = 64;
        ASSERT_TRUE (instance->startProcessing (config, error)) << error;
        EXPECT_EQ (instance->process (64), kResultOk);
        instance.reset (); // every object goes before the module is unloaded
    }
}

// Raw dlopen, as a host's loader does it, to watch references and the unload itself.
TEST (BundleLoading, EntryFactoryExitSequenceAndRealUnload)
{
    const std::string library = Module::libraryPathForBundle (overmoorBundlePath ());
    void* handle = dlopen (library.c_str (), RTLD_LAZY);
    ASSERT_NE (handle, nullptr) << dlerror ();
    auto entry = reinterpret_cast<EntryFunc> (dlsym (handle, "ModuleEntry"));
    auto exitFunc = reinterpret_cast<ExitFunc> (dlsym (handle, "ModuleExit"));
    auto getFactory = reinterpret_cast<FactoryFunc> (dlsym (handle, "GetPluginFactory"));
    ASSERT_TRUE (entry && exitFunc && getFactory);

    ASSERT_TRUE (entry (handle));
    IPluginFactory* first = getFactory ();
    ASSERT_NE (first, nullptr);
    EXPECT_EQ (referencesOf (first), 1u) << "the returned factory carries exactly the caller's reference";

    IPluginFactory* second = getFactory ();
    EXPECT_EQ (second, first);
    EXPECT_EQ (referencesOf (first), 2u);
    second->release ();
    first->release ();

    // After the host dropped its last reference a new request must still yield a usable factory.
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

class BundleEntryPoints : public Morvane::Test::BundleFixture
{
};

TEST_F (BundleEntryPoints, FactoryTwiceIsTheSamePointerWithOneMoreReference)
{
    auto getFactory = reinterpret_cast<FactoryFunc> (module ().getSymbol ("GetPluginFactory"));
    ASSERT_NE (getFactory, nullptr);
    const uint32 before = referencesOf (factory ());
    IPluginFactory* again = getFactory ();
    EXPECT_EQ (again, factory ());
    EXPECT_EQ (referencesOf (factory ()), before + 1);
    again->release ();
    EXPECT_EQ (referencesOf (factory ()), before);
}

TEST_F (BundleEntryPoints, InitDllExitDllAndNestedModuleEntryAlwaysSucceed)
{
    auto initDll = reinterpret_cast<ExitFunc> (module ().getSymbol ("InitDll"));
    auto exitDll = reinterpret_cast<ExitFunc> (module ().getSymbol ("ExitDll"));
    auto entry = reinterpret_cast<EntryFunc> (module ().getSymbol ("ModuleEntry"));
    auto exitFunc = reinterpret_cast<ExitFunc> (module ().getSymbol ("ModuleExit"));
    ASSERT_TRUE (initDll && exitDll && entry && exitFunc);
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_TRUE (initDll ());
        EXPECT_TRUE (exitDll ());
    }
    // A second host-side loader in the same process pairs its own entry and exit.
    void* handle = dlopen (module ().getLibraryPath ().c_str (), RTLD_LAZY | RTLD_NOLOAD);
    ASSERT_NE (handle, nullptr);
    EXPECT_TRUE (entry (handle));
    EXPECT_TRUE (exitFunc ());
    dlclose (handle);
    EXPECT_EQ (factory ()->countClasses (), 2);
}

} // namespace

namespace {

TEST (BundleLoading, InstanceKeepsItsModuleLoaded)
{
    std::string error;
    auto module = Module::create (overmoorBundlePath (), error);
    ASSERT_NE (module, nullptr) << error;
    auto instance = Morvane::Host::PluginInstance::create (module, error);
    ASSERT_NE (instance, nullptr) << error;
    module.reset (); // the host's own handle goes first
    std::vector<uint8_t> state;
    EXPECT_EQ (instance->getState (state), kResultOk);
    EXPECT_EQ (state.size (), 32u);
    instance.reset ();
    EXPECT_EQ (Morvane::Host::PluginInstance::create (VST3::Hosting::Module::Ptr (), error), nullptr);
    EXPECT_FALSE (error.empty ());
}

} // namespace
