// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A failure of the renderer with the exit status it maps to: 2 for a bad request (usage), 1 for
// everything that went wrong while doing a valid one.
#include <string>

namespace Morvane {
namespace Render {

struct RenderProblem
{
    static constexpr int kUsageExit = 2;
    static constexpr int kFailureExit = 1;

    int exitCode = 0;   // 0: no problem
    std::string message;

    static RenderProblem usage (std::string text) { return {kUsageExit, std::move (text)}; }
    static RenderProblem failure (std::string text) { return {kFailureExit, std::move (text)}; }
    explicit operator bool () const { return exitCode != 0; }
};

}   // namespace Render
}   // namespace Morvane
