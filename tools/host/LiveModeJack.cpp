// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/LiveMode.h"
#include "host/LiveCommandLine.h"

namespace Morvane {
namespace HostTool {

struct LiveMode::CommandLine : LiveCommandLine
{};

LiveMode::LiveMode () : commandLine (new CommandLine)
{}
LiveMode::~LiveMode () = default;

void LiveMode::addTo (CLI::App& app)
{
    commandLine->addTo (app);
}

bool LiveMode::requested () const
{
    return commandLine->audio;
}

std::string LiveMode::unavailable () const
{
    return commandLine->statePath.empty ()
               ? "no home folder for the state; name a file with --state"
               : std::string ();
}

int LiveMode::play (EditorSession& session, const std::string& preset, bool haveDisplay,
                    const std::string& screenshotPath)
{
    auto options = commandLine->options (haveDisplay, screenshotPath);
    options.preset = preset;
    return playLive (session, options);
}

}   // namespace HostTool
}   // namespace Morvane
