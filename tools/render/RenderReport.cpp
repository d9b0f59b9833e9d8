// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/RenderReport.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <unistd.h>

namespace Morvane {
namespace Render {

ProgressBar::ProgressBar (std::FILE* stream_, bool enabled, int64_t totalFrames_,
                          double sampleRateHz)
: stream (stream_), totalFrames (totalFrames_)
{
    shown = enabled && stream && ::isatty (::fileno (stream)) && sampleRateHz > 0.0
            && static_cast<double> (totalFrames) / sampleRateHz >= kMinSecondsOfAudio;
}

void ProgressBar::update (int64_t framesDone)
{
    if (!shown || totalFrames <= 0)
        return;
    const int permille =
        static_cast<int> (std::clamp<int64_t> (framesDone * 1000 / totalFrames, 0, 1000));
    // Redrawn at most ten times a second, and always at the end.
    const auto now = std::chrono::steady_clock::now ();
    if (permille == lastPermille
        || (permille < 1000 && lastPermille >= 0
            && now - lastDraw < std::chrono::milliseconds (100)))
        return;
    lastPermille = permille;
    lastDraw = now;
    constexpr int kWidth = 40;
    const int filled = permille * kWidth / 1000;
    std::string bar (static_cast<size_t> (filled), '#');
    bar.append (static_cast<size_t> (kWidth - filled), '.');
    std::fprintf (stream, "\r[%s] %5.1f %%", bar.c_str (), permille / 10.0);
    std::fflush (stream);
}

void ProgressBar::finish ()
{
    if (!shown)
        return;
    std::fprintf (stream, "\r%*s\r", 60, "");
    std::fflush (stream);
}

std::string formatSummary (const RenderSummary& summary)
{
    const double audioSeconds = summary.sampleRateHz > 0.0
                                    ? static_cast<double> (summary.frames) / summary.sampleRateHz
                                    : 0.0;
    char text[160];
    if (summary.secondsTaken > 0.0)
        std::snprintf (text, sizeof text,
                       "rendered %lld frames (%.3f s of audio) in %.3f s, %.1fx real time",
                       static_cast<long long> (summary.frames), audioSeconds, summary.secondsTaken,
                       audioSeconds / summary.secondsTaken);
    else
        std::snprintf (text, sizeof text, "rendered %lld frames (%.3f s of audio) in %.3f s",
                       static_cast<long long> (summary.frames), audioSeconds, summary.secondsTaken);
    if (summary.clippedSamples <= 0)
        return text;
    char warning[160];
    std::snprintf (warning, sizeof warning,
                   "; warning: %lld samples clipped at full scale in the %s, peak %+.1f dBFS",
                   static_cast<long long> (summary.clippedSamples),
                   summary.formatDescription.c_str (),
                   20.0 * std::log10 (static_cast<double> (summary.peak)));
    return text + std::string (warning);
}

}   // namespace Render
}   // namespace Morvane
