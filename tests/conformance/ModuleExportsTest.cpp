// SPDX-License-Identifier: GPL-3.0-or-later
// Bundle layout and the library's dynamic symbol table, as a host's scanner reads them.
#include "support/BundleFixture.h"
#include <cstdio>
#include <filesystem>
#include <set>
#include <sstream>
#include <sys/utsname.h>

namespace {

namespace fs = std::filesystem;
using Morvane::Test::overmoorBundlePath;
using VST3::Hosting::Module;

std::string run (const std::string& command, int& status)
{
    std::string output;
    FILE* pipe = popen (command.c_str (), "r");
    if (!pipe)
    {
        status = -1;
        return output;
    }
    char buffer[512];
    while (fgets (buffer, sizeof (buffer), pipe))
        output += buffer;
    status = pclose (pipe);
    return output;
}

// "<address> <type> <name>" per defined dynamic symbol.
std::string dynamicSymbols (int& status)
{
    const std::string library = Module::libraryPathForBundle (overmoorBundlePath ());
    return run (std::string (OVERMOOR_NM) + " -D --defined-only '" + library + "'", status);
}

TEST (ConformanceModule, BundleLayout)
{
    const fs::path bundle = Module::normalizedBundlePath (overmoorBundlePath ());
    ASSERT_TRUE (fs::is_directory (bundle)) << bundle;
    EXPECT_EQ (bundle.extension (), ".vst3");
    utsname machine {};
    ASSERT_EQ (uname (&machine), 0);
    EXPECT_STREQ (machine.machine, "x86_64") << "the architecture folder below is x86_64-linux";

    const fs::path architectureFolder = bundle / "Contents" / "x86_64-linux";
    const fs::path library = architectureFolder / (bundle.stem ().string () + ".so");
    EXPECT_EQ (bundle.stem (), "Overmoor");
    EXPECT_TRUE (fs::is_regular_file (library)) << library;
    EXPECT_EQ (Module::libraryPathForBundle (bundle.string ()), library.string ());
    // One library and nothing a scanner could take for a second one.
    std::set<std::string> entries;
    for (const auto& entry : fs::directory_iterator (architectureFolder))
        entries.insert (entry.path ().filename ().string ());
    EXPECT_EQ (entries, std::set<std::string> {"Overmoor.so"});

    // Hosts that keep a trailing slash must still derive the same name and library.
    for (const std::string& spelling : {bundle.string () + "/", bundle.string () + "//"})
    {
        std::string error;
        auto module = Module::create (spelling, error);
        ASSERT_NE (module, nullptr) << spelling << ": " << error;
        EXPECT_EQ (module->getName (), "Overmoor") << spelling;
        EXPECT_EQ (module->getLibraryPath (), library.string ()) << spelling;
        ASSERT_NE (module->getFactory (), nullptr);
        EXPECT_EQ (module->getFactory ()->countClasses (), 2);
    }
}

TEST (ConformanceModule, ExportsExactlyTheFiveEntryPoints)
{
    int status = 0;
    const std::string listing = dynamicSymbols (status);
    ASSERT_EQ (status, 0) << listing;

    // A versioned name would carry "@".
    std::set<std::string> names;
    std::istringstream lines (listing);
    std::string line;
    while (std::getline (lines, line))
    {
        std::istringstream fields (line);
        std::string address, type, name;
        if (fields >> address >> type >> name)
        {
            EXPECT_EQ (type, "T") << name << " is not a function in the text section";
            names.insert (name);
        }
        else if (!line.empty ())
            ADD_FAILURE () << "unexpected nm line: " << line;
    }
    const std::set<std::string> expected {"ExitDll", "GetPluginFactory", "InitDll", "ModuleEntry", "ModuleExit"};
    EXPECT_EQ (names, expected) << listing;
}

} // namespace
