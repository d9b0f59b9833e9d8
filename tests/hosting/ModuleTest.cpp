// SPDX-License-Identifier: GPL-3.0-or-later
// Loading bundles through VST3::Hosting::Module, with stand-in libraries that log their calls.
#include "sdk/hosting/module.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
std::vector<std::string> gEvents;
}   // namespace

extern "C" __attribute__ ((visibility ("default"))) void overmoorFakeModuleLog (const char* event)
{
    gEvents.emplace_back (event);
}

namespace {

using VST3::Hosting::Module;
using Events = std::vector<std::string>;

std::string fakeBundle (const std::string& variant)
{
    return std::string (OVERMOOR_FAKE_BUNDLES) + "/Fake" + variant + ".vst3";
}

// Entry then factory on load; on unload the factory goes before the exit. The bundle loads by
// its path with or without trailing slashes, or by its library's path, again and again.
TEST (ModuleLoading, WellBehavedLibraryInEveryWayAHostNamesIt)
{
    const std::string good = fakeBundle ("Good");
    for (const std::string& path : {good, good + "//", Module::libraryPathForBundle (good), good})
    {
        SCOPED_TRACE (path);
        gEvents.clear ();
        std::string error;
        auto module = Module::create (path, error);
        ASSERT_NE (module, nullptr) << error;
        EXPECT_TRUE (error.empty ());
        EXPECT_EQ (gEvents, (Events {"entry", "factory"}));
        ASSERT_NE (module->getFactory (), nullptr);
        EXPECT_EQ (module->getFactory ()->countClasses (), 0);
        EXPECT_EQ (module->getName (), "FakeGood");
        EXPECT_NE (module->getSymbol ("ModuleExit"), nullptr);
        EXPECT_EQ (module->getSymbol ("NoSuchSymbol"), nullptr);
        EXPECT_TRUE (path != good + "//" || module->getPath () == good) << module->getPath ();
        module.reset ();
        EXPECT_EQ (gEvents, (Events {"entry", "factory", "factory-destroyed", "exit"}));
    }
}

// Broken libraries are load errors that say what is wrong; nothing is called before all three
// symbols are found, and a library whose entry succeeded still gets its exit call.
TEST (ModuleLoading, BrokenLibrariesAreLoadErrorsWithClearMessages)
{
    const struct
    {
        const char *variant, *message;
        Events events;
    } cases[] = {{"Missing", "Cannot open", {}},
                 {"MissingExit", "does not export ModuleExit", {}},
                 {"EntryFails", "ModuleEntry", {"entry"}},
                 {"NullFactory", "GetPluginFactory", {"entry", "factory", "exit"}}};
    for (const auto& c : cases)
    {
        gEvents.clear ();
        std::string error;
        EXPECT_EQ (Module::create (fakeBundle (c.variant), error), nullptr) << c.variant;
        EXPECT_NE (error.find (c.message), std::string::npos) << c.variant << ": " << error;
        EXPECT_EQ (gEvents, c.events) << c.variant;
    }
}

TEST (ModulePaths, BundleMapsToArchitectureFolderAndStem)
{
    EXPECT_EQ (Module::normalizedBundlePath ("/a/B.vst3///"), "/a/B.vst3");
    EXPECT_EQ (Module::normalizedBundlePath ("/"), "/");
    EXPECT_EQ (Module::libraryPathForBundle ("/x/My Plug.vst3/"),
               "/x/My Plug.vst3/Contents/x86_64-linux/My Plug.so");
    EXPECT_EQ (Module::libraryPathForBundle ("Rel.vst3"), "Rel.vst3/Contents/x86_64-linux/Rel.so");
    EXPECT_EQ (Module::libraryPathForBundle ("/lib/plain.so"), "/lib/plain.so");
}

}   // namespace
