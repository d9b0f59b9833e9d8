// SPDX-License-Identifier: GPL-3.0-or-later
// The least-squares low-pass with no transition band and unit weights is the ideal low-pass
// impulse response truncated to N taps: h[n] = 2f sinc(2f (n - (N - 1) / 2)). That closed form
// is the independent check here.
#include "dsp/LeastSquaresLowpass.h"
#include <cmath>
#include <complex>
#include <gtest/gtest.h>
#include <vector>

namespace {

double idealTap (int n, int numTaps, double f)
{
    const double t = 2.0 * f * (n - (numTaps - 1) / 2.0);
    return t == 0.0 ? 2.0 * f : 2.0 * f * std::sin (M_PI * t) / (M_PI * t);
}

double magnitude (const std::vector<double>& h, double cyclesPerSample)
{
    std::complex<double> sum = 0.0;
    for (size_t n = 0; n < h.size (); ++n)
        sum += h[n] * std::polar (1.0, -2.0 * M_PI * cyclesPerSample * n);
    return std::abs (sum);
}

std::vector<double> design (int numTaps, double edge)
{
    std::vector<double> h (numTaps);
    designLeastSquaresLowpass (h.data (), numTaps, edge);
    return h;
}

} // namespace

TEST (LeastSquaresLowpass, MatchesTheTruncatedIdealLowpassForOddAndEvenLengths)
{
    for (int factor : {2, 3, 4, 5, 6, 8, 16})
    {
        const int numTaps = 5 * factor;   // what the resamplers use: odd for 3 and 5
        const double edge = 1.0 / factor;
        const auto h = design (numTaps, edge);
        for (int n = 0; n < numTaps; ++n)
            EXPECT_NEAR (h[n], idealTap (n, numTaps, edge / 2.0), 1e-12) << factor << " " << n;
    }
    for (int numTaps : {1, 2, 7, 31, 80})
    {
        const auto h = design (numTaps, 0.3);
        for (int n = 0; n < numTaps; ++n)
            EXPECT_NEAR (h[n], idealTap (n, numTaps, 0.15), 1e-12) << numTaps << " " << n;
    }
}

TEST (LeastSquaresLowpass, IsSymmetricWithUnitDcGainAndHalfAmplitudeAtTheEdge)
{
    for (int factor : {2, 3, 4, 8})
    {
        const int numTaps = 5 * factor;
        const double f = 0.5 / factor;
        const auto h = design (numTaps, 1.0 / factor);
        for (int n = 0; n < numTaps; ++n)
            EXPECT_EQ (h[n], h[numTaps - 1 - n]) << "linear phase needs exact symmetry";
        // Five taps per phase: the truncated sinc's DC gain is within 0.2 dB of one (measured
        // -0.07 to -0.09 dB)…
        EXPECT_NEAR (20.0 * std::log10 (magnitude (h, 0.0)), 0.0, 0.2) << factor;
        // …and the band edge sits near half amplitude, -6.02 dB, within 1 dB (measured -5.49
        // dB at factor 2).
        EXPECT_NEAR (20.0 * std::log10 (magnitude (h, f)), -6.02, 1.0) << factor;
    }
}
