// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Streams a file through a started plug-in instance block by block: the settings go into the
// first block's input parameter queues, each automation point into the queue of the block that
// starts at (or next after) its sample.
#include "host/PluginInstance.h"
#include "render/AudioFiles.h"
#include "render/RenderOptions.h"
#include "render/RenderProblem.h"
#include "render/RenderReport.h"

#include <atomic>
#include <vector>

namespace Morvane {
namespace Render {

// Block start of an automation point: the sample itself if it starts a block, else the next start.
int64_t automationBlockStart (int64_t sample, int32_t blockSize);

// The automation points grouped by the block that receives them, in command-line order within a
// block; a point at or after the end of the input is a usage problem.
RenderProblem scheduleAutomation (const std::vector<AutomationPoint>& points, int32_t blockSize,
                                  int64_t totalFrames,
                                  std::vector<std::pair<int64_t, Host::ParameterPoint>>& schedule);

struct RenderLoopInput
{
    int32_t blockSize = RenderOptions::kDefaultBlockSize;
    std::vector<Host::ParameterPoint> initialChanges;   // at offset 0 of the first block
    std::vector<std::pair<int64_t, Host::ParameterPoint>> schedule;   // block start, point
};

// Stops with a failure between blocks once *interrupted becomes true (set by a signal handler).
RenderProblem renderStream (Host::PluginInstance& instance, AudioFileReader& reader,
                            AudioFileWriter& writer, const RenderLoopInput& input,
                            ProgressBar& progress, int64_t& framesDone,
                            const std::atomic<bool>* interrupted = nullptr);

}   // namespace Render
}   // namespace Morvane
