// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/RenderLoop.h"

#include <algorithm>

namespace Morvane {
namespace Render {

using namespace Steinberg;

int64_t automationBlockStart (int64_t sample, int32_t blockSize)
{
    return (sample + blockSize - 1) / blockSize * blockSize;
}

RenderProblem scheduleAutomation (const std::vector<AutomationPoint>& points, int32_t blockSize,
                                  int64_t totalFrames,
                                  std::vector<std::pair<int64_t, Host::ParameterPoint>>& schedule)
{
    schedule.clear ();
    for (const AutomationPoint& point : points)
    {
        const int64_t start = automationBlockStart (point.sample, blockSize);
        if (start >= totalFrames)
            return RenderProblem::usage ("--at " + std::to_string (point.sample)
                                         + ": the block it falls in starts at "
                                         + std::to_string (start) + ", past the input's "
                                         + std::to_string (totalFrames) + " frames");
        schedule.push_back ({start, Host::ParameterPoint {static_cast<Vst::ParamID> (point.id), 0,
                                                          point.normalized}});
    }
    std::stable_sort (schedule.begin (), schedule.end (),
                      [] (const auto& a, const auto& b) { return a.first < b.first; });
    return {};
}

RenderProblem renderStream (Host::PluginInstance& instance, AudioFileReader& reader,
                            AudioFileWriter& writer, const RenderLoopInput& input,
                            ProgressBar& progress, int64_t& framesDone,
                            const std::atomic<bool>* interrupted)
{
    const size_t channels = static_cast<size_t> (reader.channels ());
    std::vector<std::vector<float>> in (channels,
                                        std::vector<float> (static_cast<size_t> (input.blockSize)));
    std::vector<std::vector<float>> out (
        channels, std::vector<float> (static_cast<size_t> (input.blockSize)));
    std::vector<const float*> inPointers (channels);
    std::vector<float*> outPointers (channels);
    std::vector<Host::ParameterPoint> changes;
    size_t nextScheduled = 0;
    framesDone = 0;

    for (;;)
    {
        if (interrupted && interrupted->load (std::memory_order_relaxed))
            return RenderProblem::failure ("interrupted after " + std::to_string (framesDone)
                                           + " frames");
        const int64_t got = reader.read (in, input.blockSize);
        if (got < 0)
            return RenderProblem::failure ("reading the input failed after "
                                           + std::to_string (framesDone) + " frames");
        if (got == 0)
            break;
        changes.clear ();
        if (framesDone == 0)
            changes = input.initialChanges;
        // Later points for the same parameter in the same block replace earlier ones.
        while (nextScheduled < input.schedule.size ()
               && input.schedule[nextScheduled].first <= framesDone)
            changes.push_back (input.schedule[nextScheduled++].second);

        for (size_t c = 0; c < channels; ++c)
        {
            inPointers[c] = in[c].data ();
            outPointers[c] = out[c].data ();
        }
        const tresult result = instance.processBlock (inPointers.data (), outPointers.data (),
                                                      static_cast<int32> (got), changes);
        if (result != kResultOk)
            return RenderProblem::failure ("the plug-in failed to process the block at frame "
                                           + std::to_string (framesDone));
        std::string error;
        if (!writer.write (out, got, error))
            return RenderProblem::failure (error);
        framesDone += got;
        progress.update (framesDone);
    }
    return {};
}

}   // namespace Render
}   // namespace Morvane
