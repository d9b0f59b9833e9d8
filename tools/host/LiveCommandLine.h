// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// overmoor-host's options for playing live (--audio, --no-connect, --in, --out, --state) and the
// LiveOptions they make.
#include "host/LivePlayer.h"
#include <CLI/CLI.hpp>
#include <string>

namespace Morvane {
namespace HostTool {

struct LiveCommandLine
{
    bool audio = false;
    bool noConnect = false;
    std::string inputPort, outputPorts, statePath;

    void addTo (CLI::App& app);
    // With a display the window opens; without one the pedal plays headless.
    LiveOptions options (bool haveDisplay, const std::string& screenshotPath) const;
};

}   // namespace HostTool
}   // namespace Morvane
