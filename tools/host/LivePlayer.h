// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// overmoor-host --audio: the session's instance played on JACK, with the pedal's window and the
// host's level panel when there is a display, headless otherwise; state restored before and
// saved after.
#include "host/EditorSession.h"
#include "host/JackAudioEngine.h"
#include <string>

namespace Morvane {
namespace HostTool {

// Exit statuses besides 0 (stopped by the user) and 1 (any other failure).
constexpr int kExitNoAudioServer = 3;   // none running, or it shut down while playing

struct LiveOptions
{
    JackOptions jack;
    std::string statePath;
    std::string preset;   // selected after the state is restored
    bool withWindow = true;
    std::string screenshotPath;   // the whole window after a moment of playing; then stop
};

// Plays until SIGINT/SIGTERM, the window is closed or the server goes; returns the exit status.
int playLive (EditorSession& session, const LiveOptions& options);

}   // namespace HostTool
}   // namespace Morvane
