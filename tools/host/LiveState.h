// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What overmoor-host --audio keeps between runs: the plug-in's component and controller state and
// the host-side input trim and output level. One file, written atomically, in the user's
// configuration folder unless --state names another; saved while playing too, so a crash or a
// power cut loses at most the last few seconds.
#include "host/PluginInstance.h"
#include <string>
#include <vector>

namespace Morvane {
namespace HostTool {

struct HostLevels
{
    float inputTrimDb = 0.f;
    float outputLevelDb = 0.f;
};

class LiveState
{
public:
    // $XDG_CONFIG_HOME/Overmoor/live.state (or ~/.config/...); empty without a home.
    static std::string defaultPath ();

    explicit LiveState (std::string path) : filePath (std::move (path)) {}
    const std::string& path () const { return filePath; }

    // Restores the instance and levels. A missing file is a first start (true, nothing changed);
    // an unreadable one is moved aside to path + ".unreadable" so nothing is lost, and false
    // says why.
    bool restore (Host::PluginInstance& instance, HostLevels& levels, std::string& message) const;
    // Writes the instance's state and the levels unless the file already holds exactly that;
    // false with a message on failure.
    bool save (Host::PluginInstance& instance, const HostLevels& levels,
               std::string& message) const;

private:
    std::string filePath;
    mutable std::vector<char> lastWritten;   // what the file holds since our last save
};

}   // namespace HostTool
}   // namespace Morvane
