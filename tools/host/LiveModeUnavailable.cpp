// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/LiveMode.h"

namespace Morvane {
namespace HostTool {

struct LiveMode::CommandLine
{
    bool audio = false;
};

LiveMode::LiveMode () : commandLine (new CommandLine)
{}
LiveMode::~LiveMode () = default;

void LiveMode::addTo (CLI::App& app)
{
    app.add_flag ("--audio", commandLine->audio,
                  "play live: on Linux through JACK; not available on this system");
}

bool LiveMode::requested () const
{
    return commandLine->audio;
}

std::string LiveMode::unavailable () const
{
    return "playing live (--audio) is not available on this system: it plays through JACK, which "
           "only the Linux build has";
}

int LiveMode::play (EditorSession&, const std::string&, bool, const std::string&)
{
    return 2;
}

}   // namespace HostTool
}   // namespace Morvane
