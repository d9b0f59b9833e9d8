// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the renderer tells the user while and after it works: a progress bar on a terminal and
// one closing line with the amount of audio, the time taken, the real-time factor and, when an
// integer format had to clip, a warning with the peak.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

namespace Morvane {
namespace Render {

class ProgressBar
{
public:
    // Inputs shorter than this finish before a bar would be worth drawing.
    static constexpr double kMinSecondsOfAudio = 4.0;

    // Shown only when enabled, the stream is a terminal and the input is long enough.
    ProgressBar (std::FILE* stream, bool enabled, int64_t totalFrames, double sampleRateHz);
    void update (int64_t framesDone);
    // Clears the bar's line so the next output starts on a clean line.
    void finish ();
    bool visible () const { return shown; }

private:
    std::FILE* stream;
    bool shown;
    int64_t totalFrames;
    int lastPermille = -1;
    std::chrono::steady_clock::time_point lastDraw;
};

struct RenderSummary
{
    int64_t frames = 0;
    double sampleRateHz = 0.0;
    double secondsTaken = 0.0;
    int64_t clippedSamples = 0;
    float peak = 0.0f;   // largest magnitude the plug-in put out
    std::string formatDescription;   // "24-bit FLAC"
};

// "rendered 384000 frames (8.000 s of audio) in 0.412 s, 19.4x real time", then for instance
// "; warning: 5120 samples clipped at full scale in the 24-bit FLAC, peak +14.2 dBFS"
std::string formatSummary (const RenderSummary& summary);

}   // namespace Render
}   // namespace Morvane
