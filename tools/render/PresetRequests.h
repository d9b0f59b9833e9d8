// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Preset handling as the editor does it: "PrsHnd" requests sent to the processor as the edit
// controller would send them, the answers read from the processor-to-controller connection.
// The processor's "WA_SY" after a selection reaches the controller as in any host.
#include "render/RenderProblem.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Morvane {
namespace Host {
class PluginInstance;
}   // namespace Host

namespace Render {

struct PresetLists
{
    std::vector<std::string> factory;   // in the processor's order (its numbers count from 0)
    std::vector<std::string> user;   // numbers follow the factory presets
    bool answered = false;   // false: the plug-in sent no lists
};

class PresetRequests
{
public:
    // The instance must have been created with tapped connections.
    explicit PresetRequests (Host::PluginInstance& instance);

    PresetLists requestLists ();
    // "K" selects the K-th preset, counting from 1 through the factory then the user presets
    // (the processor's number K - 1); any other text is a preset name looked up in the factory list,
    // then the user list (first match; exact, then ignoring case). Errors name the valid choices.
    RenderProblem select (const std::string& numberOrName);

private:
    bool requestList (const char* requestKey, const char* answerKey,
                      std::vector<std::string>& names);
    RenderProblem selectNumber (int32_t number);

    Host::PluginInstance& instance;
};

}   // namespace Render
}   // namespace Morvane
