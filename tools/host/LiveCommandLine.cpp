// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/LiveCommandLine.h"
#include "host/LiveState.h"
#include <algorithm>

namespace Morvane {
namespace HostTool {

void LiveCommandLine::addTo (CLI::App& app)
{
    statePath = LiveState::defaultPath ();
    app.add_flag ("--audio", audio,
                  "play live on JACK (or PipeWire's JACK): client \"Overmoor\", ports in, out_L, "
                  "out_R; headless when there is no display, until Ctrl-C");
    app.add_flag ("--no-connect", noConnect, "with --audio: leave the ports unconnected");
    app.add_option ("--in", inputPort, "with --audio: connect the input to this port");
    app.add_option ("--out", outputPorts, "with --audio: connect the outputs to PORT[,PORT]");
    app.add_option (
        "--state", statePath,
        "with --audio: restore from and save to this file (default: "
            + (statePath.empty () ? std::string ("none without a home folder") : statePath) + ")");
    app.footer ("Exit status: 0 done, 1 failure, 2 bad usage, 3 no JACK server or it shut down.");
}

LiveOptions LiveCommandLine::options (bool haveDisplay, const std::string& screenshotPath) const
{
    LiveOptions live;
    live.jack.autoConnect = !noConnect;
    live.jack.inputPort = inputPort;
    for (size_t start = 0; !outputPorts.empty () && start <= outputPorts.size ();)
    {
        const size_t comma = std::min (outputPorts.find (',', start), outputPorts.size ());
        live.jack.outputPorts.push_back (outputPorts.substr (start, comma - start));
        start = comma + 1;
    }
    live.statePath = statePath;
    live.withWindow = haveDisplay;
    live.screenshotPath = screenshotPath;
    return live;
}

}   // namespace HostTool
}   // namespace Morvane
