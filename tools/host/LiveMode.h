// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// overmoor-host's --audio and the options that go with it: the pedal played live where the
// system can (JACK, on Linux: LiveModeJack.cpp); elsewhere --audio answers that it cannot
// (LiveModeUnavailable.cpp).
#include "host/EditorSession.h"
#include <CLI/CLI.hpp>
#include <memory>
#include <string>

namespace Morvane {
namespace HostTool {

class LiveMode
{
public:
    LiveMode ();
    ~LiveMode ();

    void addTo (CLI::App& app);
    bool requested () const;
    // Empty when playing live can start, else why not (asked before the plug-in loads).
    std::string unavailable () const;
    // Plays until the window is closed, or headless until interrupted; the exit status.
    int play (EditorSession& session, const std::string& preset, bool haveDisplay,
              const std::string& screenshotPath);

private:
    struct CommandLine;
    std::unique_ptr<CommandLine> commandLine;
};

}   // namespace HostTool
}   // namespace Morvane
