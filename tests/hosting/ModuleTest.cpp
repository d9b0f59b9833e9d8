// SPDX-License-Identifier: GPL-3.0-or-later
// Loading bundles through VST3::Hosting::Module, with stand-in libraries that log their calls.
#include "sdk/hosting/module.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
std::vector<std::string> gEvents;
}

extern "C" __attribute__ ((visibility ("default"))) void overmoorFakeModuleLog (const char* event)
{
    gEvents.emplace_back (event);
}

namespace {

using VST3::Hosting::Module;

std::string fakeBundle (const std::string& variant)
{
    return std::string (OVERMOOR_FAKE_BUNDLES) + "/Fake" + variant + ".vst3";
}

class ModuleLoading : public ::testing::Test
{
protected:
    void SetUp () override { gEvents.clear (); }
};

TEST_F (ModuleLoading, EntryThenFactoryOnLoadAndFactoryReleasedBeforeExitOnUnload)
{
    std::string error;
    auto module = Module::create (fakeBundle ("Good"), error);
    ASSERT_NE (module, nullptr) << error;
    EXPECT_TRUE (error.empty ());
    EXPECT_EQ (gEvents, (std::vector<std::string> {"entry", "factory"}));
    ASSERT_NE (module->getFactory (), nullptr);
    EXPECT_EQ (module->getName (), "FakeGood");
    EXPECT_NE (module->getSymbol ("ModuleExit"), nullptr);
    EXPECT_EQ (module->getSymbol ("NoSuchSymbol"), nullptr);

    module.reset ();
    EXPECT_EQ (gEvents, (std::vector<std::string> {"entry", "factory", "factory-destroyed", "exit"}));
}

TEST_F (ModuleLoading, LoadUnloadAndLoadAgainInOneProcess)
{
    for (int round = 0; round < 3; ++round)
    {
        std::string error;
        auto module = Module::create (fakeBundle ("Good"), error);
        ASSERT_NE (module, nullptr) << "round " << round << ": " << error;
        ASSERT_NE (module->getFactory (), nullptr);
        EXPECT_EQ (module->getFactory ()->countClasses (), 0);
    }
    EXPECT_EQ (gEvents.size (), 12u);
}

TEST_F (ModuleLoading, TrailingSlashesAreIgnored)
{
    std::string error;
    auto module = Module::create (fakeBundle ("Good") + "//", error);
    ASSERT_NE (module, nullptr) << error;
    EXPECT_EQ (module->getName (), "FakeGood");
    EXPECT_EQ (module->getPath (), fakeBundle ("Good"));
}

TEST_F (ModuleLoading, SharedObjectPathLoadsDirectly)
{
    std::string error;
    auto module = Module::create (Module::libraryPathForBundle (fakeBundle ("Good")), error);
    ASSERT_NE (module, nullptr) << error;
    EXPECT_EQ (module->getName (), "FakeGood");
}

TEST_F (ModuleLoading, BrokenLibrariesAreLoadErrorsWithClearMessages)
{
    {
        std::string error;
        EXPECT_EQ (Module::create (fakeBundle ("Missing"), error), nullptr);
        EXPECT_NE (error.find ("Cannot open"), std::string::npos) << error;
    }
    {
        std::string error;
        EXPECT_EQ (Module::create (fakeBundle ("MissingExit"), error), nullptr);
        EXPECT_NE (error.find ("does not export ModuleExit"), std::string::npos) << error;
        EXPECT_TRUE (gEvents.empty ()) << "nothing may be called before all three symbols are found";
    }
    {
        gEvents.clear ();
        std::string error;
        EXPECT_EQ (Module::create (fakeBundle ("EntryFails"), error), nullptr);
        EXPECT_NE (error.find ("ModuleEntry"), std::string::npos) << error;
        EXPECT_EQ (gEvents, (std::vector<std::string> {"entry"}));
    }
    {
        gEvents.clear ();
        std::string error;
        EXPECT_EQ (Module::create (fakeBundle ("NullFactory"), error), nullptr);
        EXPECT_NE (error.find ("GetPluginFactory"), std::string::npos) << error;
        // A library whose entry succeeded still gets its exit call.
        EXPECT_EQ (gEvents, (std::vector<std::string> {"entry", "factory", "exit"}));
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

} // namespace
