// SPDX-License-Identifier: GPL-3.0-or-later
// The bundle as a host's scanner sees it: folder layout, the library's dynamic symbols, and the
// entry points called in a host's order twice in one process.
#include "support/BundleFixture.h"
#include "support/EntryPoints.h"
#include <dlfcn.h>
#include <cstdio>
#include <filesystem>
#include <set>

namespace {

namespace fs = std::filesystem;
using namespace Steinberg;
using namespace Morvane::Test;
using VST3::Hosting::Module;

// One library and nothing a scanner could take for a second one.
TEST (ConformanceModule, BundleLayout)
{
    const fs::path bundle = Module::normalizedBundlePath (overmoorBundlePath ());
    ASSERT_TRUE (fs::is_directory (bundle)) << bundle;
    EXPECT_EQ (bundle.filename (), "Overmoor.vst3");
    const fs::path architectureFolder = bundle / "Contents" / "x86_64-linux";
    EXPECT_EQ (Module::libraryPathForBundle (bundle.string ()), (architectureFolder / "Overmoor.so").string ());
    std::set<std::string> entries;
    for (const auto& entry : fs::directory_iterator (architectureFolder))
        entries.insert (entry.path ().filename ().string ());
    EXPECT_EQ (entries, std::set<std::string> {"Overmoor.so"});
}

// "<address> <type> <name>" per symbol, all functions in the text section; a versioned name
// would carry "@".
TEST (ConformanceModule, ExportsExactlyTheFiveEntryPoints)
{
    const std::string command =
        std::string (OVERMOOR_NM) + " -D --defined-only '" + Module::libraryPathForBundle (overmoorBundlePath ()) + "'";
    FILE* pipe = popen (command.c_str (), "r");
    ASSERT_NE (pipe, nullptr);
    std::set<std::string> names;
    char address[64], type[8], name[256];
    while (fscanf (pipe, "%63s %7s %255s", address, type, name) == 3)
    {
        EXPECT_STREQ (type, "T") << name;
        names.insert (name);
    }
    ASSERT_EQ (pclose (pipe), 0);
    EXPECT_EQ (names, (std::set<std::string> {"ExitDll", "GetPluginFactory", "InitDll", "ModuleEntry", "ModuleExit"}));
}

// dlopen, ModuleEntry, GetPluginFactory, an instance that processes, ModuleExit, dlclose; twice.
// The factory's reference counting is checked in tests/entry.
TEST (ConformanceModule, EntryFactoryExitInHostOrderTwice)
{
    const std::string library = Module::libraryPathForBundle (overmoorBundlePath ());
    for (int round = 0; round < 2; ++round)
    {
        SCOPED_TRACE ("round " + std::to_string (round));
        void* handle = dlopen (library.c_str (), RTLD_LAZY);
        ASSERT_NE (handle, nullptr) << dlerror ();
        auto entry = reinterpret_cast<EntryFunc> (dlsym (handle, "ModuleEntry"));
        auto exitFunc = reinterpret_cast<ExitFunc> (dlsym (handle, "ModuleExit"));
        auto getFactory = reinterpret_cast<FactoryFunc> (dlsym (handle, "GetPluginFactory"));
        ASSERT_TRUE (entry && exitFunc && getFactory);
        ASSERT_TRUE (entry (handle));
        IPluginFactory* factory = getFactory ();
        ASSERT_NE (factory, nullptr);
        ASSERT_NO_FATAL_FAILURE (processABlockThenReleaseFactory (factory));
        EXPECT_TRUE (exitFunc ());
        EXPECT_EQ (dlclose (handle), 0);
        void* stillLoaded = dlopen (library.c_str (), RTLD_LAZY | RTLD_NOLOAD);
        EXPECT_EQ (stillLoaded, nullptr) << "the library stays mapped after dlclose";
        if (stillLoaded)
            dlclose (stillLoaded);
    }
}

} // namespace
