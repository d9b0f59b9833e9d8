// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Puts a script named xdg-open first on PATH that writes each of its arguments on a line of its
// own to a log of that call, then lingers a second as a viewer would.
#include "PresetTestSupport.h"
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace PresetBarTest {

class FakeXdgOpen
{
public:
    FakeXdgOpen ()
    {
        std::ofstream script (bin.file ("xdg-open"));
        script << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \""
               << bin.file ("call") << ".$$.tmp\"\nmv \"" << bin.file ("call") << ".$$.tmp\" \""
               << bin.file ("log") << ".$$\"\nsleep 1\n";
        script.close ();
        std::filesystem::permissions (bin.file ("xdg-open"), std::filesystem::perms::owner_all);
    }
    // The arguments of every call, once one has written them and any other had time to (empty
    // after five seconds without a call).
    std::vector<std::string> arguments () const
    {
        for (int i = 0; i < 500 && logs ().empty (); ++i)
            std::this_thread::sleep_for (std::chrono::milliseconds (10));
        std::this_thread::sleep_for (std::chrono::milliseconds (200));
        std::vector<std::string> lines;
        for (const std::string& path : logs ())
        {
            std::ifstream log (path);
            for (std::string line; std::getline (log, line);)
                lines.push_back (line);
        }
        return lines;
    }
    void forget () const
    {
        for (const std::string& path : logs ())
            std::filesystem::remove (path);
    }

    PresetTest::TemporaryFolder bin;

private:
    std::vector<std::string> logs () const
    {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator (bin.path ()))
            if (entry.path ().filename ().string ().rfind ("log.", 0) == 0)
                found.push_back (entry.path ().string ());
        return found;
    }

public:
    PresetTest::ScopedEnvironment path {"PATH",
                                        (bin.path () + ":" + std::getenv ("PATH")).c_str ()};
};

}   // namespace PresetBarTest
