// SPDX-License-Identifier: GPL-3.0-or-later
// The least-squares low-pass with no transition band and unit weights is the ideal low-pass
// truncated to N taps, h[n] = 2f sinc(2f (n - (N - 1) / 2)). The resamplers built on it are
// measured by their passband and stopband.
#include "dsp/LeastSquaresLowpass.h"
#include "dsp/MathConstants.h"
#include "dsp/PolyphaseResampler.h"
#include <cmath>
#include <complex>
#include <cstring>
#include <random>
#include <gtest/gtest.h>
#include <vector>

namespace {

// Level in dB of the component at cyclesPerSample, from a whole number of periods.
double toneLevelDb (const std::vector<float>& x, double cyclesPerSample)
{
    std::complex<double> sum = 0.0;
    for (size_t i = 0; i < x.size (); ++i)
        sum += double (x[i]) * std::polar (1.0, -2.0 * kPi * cyclesPerSample * i);
    return 20.0 * std::log10 (2.0 * std::abs (sum) / x.size () + 1e-300);
}

std::vector<float> sine (size_t n, double cyclesPerSample)
{
    std::vector<float> x (n);
    for (size_t i = 0; i < n; ++i)
        x[i] = static_cast<float> (std::sin (2.0 * kPi * cyclesPerSample * i));
    return x;
}

}   // namespace

TEST (LeastSquaresLowpass, MatchesTheTruncatedIdealLowpassForOddAndEvenLengths)
{
    const struct
    {
        int numTaps;
        double edge;
    } cases[] = {{10, 0.5},      {15, 1 / 3.0}, {20, 0.25}, {25, 0.2}, {30, 1 / 6.0}, {40, 0.125},
                 {80, 1 / 16.0}, {1, 0.3},      {2, 0.3},   {7, 0.3},  {31, 0.3}};
    for (const auto& c : cases)
    {
        std::vector<double> h (c.numTaps);
        designLeastSquaresLowpass (h.data (), c.numTaps, c.edge);
        for (int n = 0; n < c.numTaps; ++n)
        {
            const double t = c.edge * (n - (c.numTaps - 1) / 2.0);   // ideal tap c.edge sinc(t)
            EXPECT_NEAR (h[n], t == 0.0 ? c.edge : c.edge * std::sin (kPi * t) / (kPi * t), 1e-12)
                << c.numTaps << " " << n;
            EXPECT_EQ (h[n], h[c.numTaps - 1 - n])
                << c.numTaps << ": linear phase needs exact symmetry";
        }
    }
}

// Five taps per phase make a gentle filter. Measured at 48 kHz x 4 for the up-down cascade:
// -0.16 dB at 100 Hz and 1 kHz, -0.19 dB at 5 kHz, +1.15 dB at 15 kHz (the truncated sinc's
// ripple), -1.96 dB at 20 kHz; the bounds leave about 0.1 dB to 5 kHz and 0.5 dB above.
TEST (PolyphaseResampler, CascadePassbandAtFortyEightKilohertz)
{
    const int R = 4;
    const struct
    {
        double hz, minDb, maxDb;
    } points[] = {{100.0, -0.3, 0.0},   {1000.0, -0.3, 0.0},  {5000.0, -0.3, 0.0},
                  {10000.0, -0.5, 0.8}, {15000.0, -0.5, 1.7}, {20000.0, -2.5, 0.0}};
    for (const auto& point : points)
    {
        PolyphaseResampler resampler (R, 5 * R, R, 5 * R);
        const auto x = sine (48000, point.hz / 48000.0);
        std::vector<float> up (x.size () * R), down (x.size ());
        resampler.interpolate (x.data (), static_cast<int> (x.size ()), up.data ());
        resampler.decimate (up.data (), static_cast<int> (up.size ()), down.data ());
        const double db = toneLevelDb (down, point.hz / 48000.0);
        EXPECT_GT (db, point.minDb) << point.hz << " Hz";
        EXPECT_LT (db, point.maxDb) << point.hz << " Hz";
    }
}

// Decimating tones between 28.8 and 94 kHz from 192 kHz, what folds into 0 ... 24 kHz is at least
// 19.7 dB down (measured; bound 17 dB). The interpolator's images are the engine test's.
TEST (PolyphaseResampler, DecimatorStopbandRejection)
{
    const int R = 4;
    const size_t n = 12000;
    for (double cycles = 0.15; cycles < 0.49; cycles += 0.01)
    {
        PolyphaseResampler resampler (R, 5 * R, R, 5 * R);
        const auto high = sine (n * R, cycles);
        std::vector<float> down (n);
        resampler.decimate (high.data (), static_cast<int> (n * R), down.data ());
        const double folded = cycles * R - std::floor (cycles * R);
        EXPECT_LT (toneLevelDb (down, folded > 0.5 ? 1.0 - folded : folded), -17.0)
            << cycles * 192000.0 << " Hz";
    }
}

TEST (PolyphaseResampler, RejectsUnusableConfigurationsAndClearForgetsTheHistories)
{
    PolyphaseResampler resampler;
    EXPECT_FALSE (resampler.isConfigured ());
    EXPECT_FALSE (resampler.configure (0, 20, 4, 20));
    EXPECT_FALSE (resampler.configure (4, PolyphaseResampler::kMaxTaps + 1, 4, 20));
    EXPECT_TRUE (resampler.configure (16, 80, 16, 80));

    PolyphaseResampler used (4, 20, 4, 20), fresh (4, 20, 4, 20);
    const auto x = sine (64, 0.01);
    std::vector<float> up (256), a (64), b (64);
    used.interpolate (x.data (), 64, up.data ());
    used.decimate (up.data (), 256, a.data ());
    used.clear ();
    for (auto* r : {&used, &fresh})
    {
        r->interpolate (x.data (), 64, up.data ());
        r->decimate (up.data (), 256, (r == &used ? a : b).data ());
    }
    EXPECT_EQ (a, b);
}

// The windowed forms read time-ordered windows instead of shifting a history; outputs and the
// history left behind equal the step-by-step forms bit for bit across odd block lengths.
TEST (PolyphaseResampler, WindowedFormsAreBitIdenticalToTheStepwiseForms)
{
    std::mt19937 rng (77);
    std::uniform_real_distribution<float> dist (-1.0f, 1.0f);
    auto randomBlock = [&] (size_t n) {
        std::vector<float> x (n);
        for (auto& v : x)
            v = dist (rng);
        return x;
    };
    for (int R : {2, 3, 4, 5, 8, 16})
    {
        PolyphaseResampler fast (R, 5 * R, R, 5 * R), reference (R, 5 * R, R, 5 * R);
        for (int block : {1, 2, 3, 7, 64, 255, 256, 257, 300, 1000})
        {
            auto in = randomBlock (static_cast<size_t> (block) * R + R - 1);
            const int n = static_cast<int> (in.size ());
            std::vector<float> a (block + 1, 9.0f), b (block + 1, 9.0f);
            ASSERT_EQ (fast.decimate (in.data (), n, a.data ()),
                       reference.decimateReference (in.data (), n, b.data ()));
            ASSERT_EQ (0, std::memcmp (a.data (), b.data (), a.size () * sizeof (float)))
                << "decimate " << R << " " << block;

            in = randomBlock (block);
            in[0] = -0.0f;
            a.assign (block * R, 0.0f);
            b.assign (block * R, 0.0f);
            ASSERT_EQ (fast.interpolate (in.data (), block, a.data ()),
                       reference.interpolateReference (in.data (), block, b.data ()));
            ASSERT_EQ (0, std::memcmp (a.data (), b.data (), a.size () * sizeof (float)))
                << "interpolate " << R << " " << block;
        }
    }
}
