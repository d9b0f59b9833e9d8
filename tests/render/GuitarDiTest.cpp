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

// Sum of x[i] * x[i + lag] over i in [from, to) seconds; with lag 0, the energy.
double correlation (const std::vector<double>& x, double fromSeconds, double toSeconds,
                    size_t lag = 0)
{
    double sum = 0.0;
    for (auto i = static_cast<size_t> (fromSeconds * kRateHz);
         i < static_cast<size_t> (toSeconds * kRateHz); ++i)
        sum += x[i] * x[i + lag];
    return sum;
}

// The autocorrelation peak between 0.8 and 1.25 times the expected period, refined by a
// parabola through the peak and its neighbours, gives the fundamental.
TEST (GuitarDi, NotesAreInTuneWithinTwoCents)
{
    for (double hz : {82.4069, 110.0, 196.0, 329.628, 493.883})
    {
        const auto x = pluckAndRun (hz, false, 0.8);
        const auto at = [&] (size_t lag) { return correlation (x, 0.2, 0.7, lag); };
        size_t best = static_cast<size_t> (0.8 * kRateHz / hz);
        for (size_t lag = best; lag <= static_cast<size_t> (1.25 * kRateHz / hz); ++lag)
            if (at (lag) > at (best))
                best = lag;
        const double a = at (best - 1), b = at (best), c = at (best + 1);
        const double measured =
            kRateHz / (static_cast<double> (best) + 0.5 * (a - c) / (a - 2.0 * b + c));
        EXPECT_NEAR (1200.0 * std::log2 (measured / hz), 0.0, 2.0)
            << hz << " Hz measured as " << measured;
    }
}

TEST (GuitarDi, PalmMutesDieFasterThanFreeStrings)
{
    // A free A string loses well under 20 dB in half a second; a palm mute over 40 dB (NaN fails both).
    const auto dropDb = [] (bool palmMuted) {
        const auto x = pluckAndRun (110.0, palmMuted, 1.0);
        return 10.0 * std::log10 (correlation (x, 0.05, 0.1) / correlation (x, 0.55, 0.6));
    };
    EXPECT_LT (dropDb (false), 20.0);
    EXPECT_GT (dropDb (true), 40.0);
}

}   // namespace
