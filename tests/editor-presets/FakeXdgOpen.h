// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Puts a script named xdg-open first on PATH that writes each of its arguments on a line of its
// own to a log, then lingers a second as a viewer would.
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
               << bin.file ("log") << ".tmp\"\nmv \"" << bin.file ("log") << ".tmp\" \""
               << bin.file ("log") << "\"\nsleep 1\n";
        script.close ();
        std::filesystem::permissions (bin.file ("xdg-open"), std::filesystem::perms::owner_all);
    }
    // The arguments of the call, once the script has written them (empty after five seconds).
    std::vector<std::string> arguments () const
    {
        for (int i = 0; i < 500 && !std::filesystem::exists (bin.file ("log")); ++i)
            std::this_thread::sleep_for (std::chrono::milliseconds (10));
        std::ifstream log (bin.file ("log"));
        std::vector<std::string> lines;
        for (std::string line; std::getline (log, line);)
            lines.push_back (line);
        return lines;
    }

    PresetTest::TemporaryFolder bin;
    PresetTest::ScopedEnvironment path {"PATH",
                                        (bin.path () + ":" + std::getenv ("PATH")).c_str ()};
};

} // namespace PresetBarTest
