// SPDX-License-Identifier: GPL-3.0-or-later
// The library's dynamic symbol table holds the five entry points and nothing else.
#include "support/BundleFixture.h"
#include <cstdio>
#include <set>
#include <sstream>

namespace {

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

TEST (BundleExports, ExactlyTheFiveEntryPoints)
{
    const std::string library = VST3::Hosting::Module::libraryPathForBundle (Morvane::Test::overmoorBundlePath ());
    int status = 0;
    const std::string listing = run (std::string (OVERMOOR_NM) + " -D --defined-only '" + library + "'", status);
    ASSERT_EQ (status, 0) << listing;

    // Lines read "<address> <type> <name>"; a versioned name would carry "@".
    std::set<std::string> names;
    std::istringstream lines (listing);
    std::string line;
    while (std::getline (lines, line))
    {
        std::istringstream fields (line);
        std::string address, type, name;
        if (fields >> address >> type >> name)
            names.insert (name);
        else if (!line.empty ())
            ADD_FAILURE () << "unexpected nm line: " << line;
    }
    const std::set<std::string> expected {"ExitDll", "GetPluginFactory", "InitDll", "ModuleEntry", "ModuleExit"};
    EXPECT_EQ (names, expected) << listing;
}

TEST (BundleExports, EntryPointsAreFunctionsInTheTextSection)
{
    const std::string library = VST3::Hosting::Module::libraryPathForBundle (Morvane::Test::overmoorBundlePath ());
    int status = 0;
    const std::string listing = run (std::string (OVERMOOR_NM) + " -D --defined-only '" + library + "'", status);
    ASSERT_EQ (status, 0);
    std::istringstream lines (listing);
    std::string address, type, name;
    int functions = 0;
    while (lines >> address >> type >> name)
    {
        EXPECT_EQ (type, "T") << name;
        ++functions;
    }
    EXPECT_EQ (functions, 5);
}

} // namespace
