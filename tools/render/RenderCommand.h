// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// overmoor-render as a whole: options, plug-in, presets, parameters, the render and its report.
// Returns the process exit status (0, 1 failure, 2 usage).

namespace Morvane {
namespace Render {

int runRenderCommand (int argc, const char* const* argv);

}   // namespace Render
}   // namespace Morvane
