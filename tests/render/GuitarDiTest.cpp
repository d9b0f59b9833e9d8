// SPDX-License-Identifier: GPL-3.0-or-later
// The demo's string model: in tune, and a palm mute dies far sooner than a free string.
#include "PluckedString.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr double kRateHz = 48000.0;

std::vector<double> pluckAndRun (double frequencyHz, bool palmMuted, double seconds)
{
    PluckedString string (kRateHz, 0.11, 99);
    PluckStyle style;
    style.palmMuted = palmMuted;
    string.pluck (frequencyHz, style);
    std::vector<double> out (static_cast<size_t> (seconds * kRateHz));
    for (double& v : out)
        v = string.next ();
    return out;
}

// Fundamental from the autocorrelation peak between 0.8 and 1.25 times the expected period,
// refined by a parabola through the peak and its neighbours.
double measuredFrequencyHz (const std::vector<double>& x, double expectedHz)
{
    const size_t begin = static_cast<size_t> (0.2 * kRateHz), length = static_cast<size_t> (0.5 * kRateHz);
    const auto correlation = [&] (size_t lag) {
        double sum = 0.0;
        for (size_t i = begin; i < begin + length; ++i)
            sum += x[i] * x[i + lag];
        return sum;
    };
    const auto lo = static_cast<size_t> (0.8 * kRateHz / expectedHz), hi = static_cast<size_t> (1.25 * kRateHz / expectedHz);
    size_t best = lo;
    for (size_t lag = lo; lag <= hi; ++lag)
        if (correlation (lag) > correlation (best))
            best = lag;
    const double a = correlation (best - 1), b = correlation (best), c = correlation (best + 1);
    const double lag = static_cast<double> (best) + 0.5 * (a - c) / (a - 2.0 * b + c);
    return kRateHz / lag;
}

double rms (const std::vector<double>& x, double fromSeconds, double toSeconds)
{
    double sum = 0.0;
    const auto a = static_cast<size_t> (fromSeconds * kRateHz), b = static_cast<size_t> (toSeconds * kRateHz);
    for (size_t i = a; i < b; ++i)
        sum += x[i] * x[i];
    return std::sqrt (sum / static_cast<double> (b - a));
}

TEST (GuitarDi, NotesAreInTuneWithinTwoCents)
{
    for (double hz : {82.4069, 110.0, 196.0, 329.628, 493.883})
    {
        const double measured = measuredFrequencyHz (pluckAndRun (hz, false, 0.8), hz);
        EXPECT_NEAR (1200.0 * std::log2 (measured / hz), 0.0, 2.0) << hz << " Hz measured as " << measured;
    }
}

TEST (GuitarDi, PalmMutesDieFasterThanFreeStrings)
{
    const auto free = pluckAndRun (110.0, false, 1.0), muted = pluckAndRun (110.0, true, 1.0);
    // A free A string loses well under 20 dB in half a second; a palm mute over 40 dB.
    const double freeDrop = 20.0 * std::log10 (rms (free, 0.05, 0.1) / rms (free, 0.55, 0.6));
    const double mutedDrop = 20.0 * std::log10 (rms (muted, 0.05, 0.1) / rms (muted, 0.55, 0.6));
    EXPECT_LT (freeDrop, 20.0);
    EXPECT_GT (mutedDrop, 40.0);
    for (double v : free)
        ASSERT_TRUE (std::isfinite (v));
}

} // namespace
