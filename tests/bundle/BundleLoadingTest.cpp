// SPDX-License-Identifier: GPL-3.0-or-later
// Entry points beyond the host's load order: the factory asked for twice, the older entry
// points, a nested loader, and an instance that keeps its module loaded.
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
