// SPDX-License-Identifier: GPL-3.0-or-later
#include "dsp/LeastSquaresLowpass.h"
#include "dsp/PolyphaseResampler.h"
#include <cmath>
#include <cstring>
#include <random>
#include <gtest/gtest.h>
#include <vector>

namespace {

// Level in dB of the component at cyclesPerSample, from a whole number of periods.
double toneLevelDb (const std::vector<float>& x, size_t from, double cyclesPerSample)
{
    double re = 0.0, im = 0.0;
    const size_t n = x.size () - from;
    for (size_t i = 0; i < n; ++i)
    {
        re += x[from + i] * std::cos (2.0 * M_PI * cyclesPerSample * i);
        im += x[from + i] * std::sin (2.0 * M_PI * cyclesPerSample * i);
    }
    return 20.0 * std::log10 (2.0 * std::hypot (re, im) / n + 1e-300);
}

std::vector<float> sine (size_t n, double cyclesPerSample)
{
    std::vector<float> x (n);
    for (size_t i = 0; i < n; ++i)
        x[i] = static_cast<float> (std::sin (2.0 * M_PI * cyclesPerSample * i));
    return x;
}

} // namespace

TEST (PolyphaseResampler, KernelsAreTheLowpassDesignInSinglePrecisionWithTheUpGain)
{
    for (int R : {2, 3, 4, 8})
    {
        PolyphaseResampler resampler (R, 5 * R, R, 5 * R);
        std::vector<double> h (5 * R);
        designLeastSquaresLowpass (h.data (), 5 * R, 1.0 / R);
        for (int i = 0; i < 5 * R; ++i)
        {
            EXPECT_EQ (resampler.getDownCoefficients ()[i], static_cast<float> (h[i]));
            EXPECT_EQ (resampler.getUpCoefficients ()[i], static_cast<float> (h[i]) * R);
        }
    }
}

TEST (PolyphaseResampler, ImpulseResponsesFollowThePolyphaseLayout)
{
    const int R = 4;
    PolyphaseResampler resampler (R, 5 * R, R, 5 * R);
    std::vector<float> impulse (8, 0.0f);
    impulse[0] = 1.0f;
    std::vector<float> up (8 * R);
    ASSERT_EQ (resampler.interpolate (impulse.data (), 8, up.data ()), 8 * R);
    for (int i = 0; i < 5 * R; ++i)
        EXPECT_EQ (up[i], resampler.getUpCoefficients ()[i]);
    for (int i = 5 * R; i < 8 * R; ++i)
        EXPECT_EQ (up[i], 0.0f);

    // Decimation: output o sees input o·M + M - 1 - k at tap k, the newest sample at tap 0.
    std::vector<float> highImpulse (8 * R, 0.0f);
    highImpulse[1] = 1.0f;
    std::vector<float> down (8);
    ASSERT_EQ (resampler.decimate (highImpulse.data (), 8 * R, down.data ()), 8);
    for (int o = 0; o < 8; ++o)
    {
        const int k = o * R + R - 1 - 1;
        EXPECT_EQ (down[o], k < 5 * R ? resampler.getDownCoefficients ()[k] : 0.0f) << o;
    }
    // Only whole groups are consumed.
    EXPECT_EQ (resampler.decimate (highImpulse.data (), 7, down.data ()), 1);
}

TEST (PolyphaseResampler, ClearForgetsTheHistories)
{
    PolyphaseResampler a (4, 20, 4, 20), b (4, 20, 4, 20);
    const auto x = sine (64, 0.01);
    std::vector<float> up (256), outA (64), outB (64);
    a.interpolate (x.data (), 64, up.data ());
    a.decimate (up.data (), 256, outA.data ());
    a.clear ();
    a.interpolate (x.data (), 64, up.data ());
    a.decimate (up.data (), 256, outA.data ());
    b.interpolate (x.data (), 64, up.data ());
    b.decimate (up.data (), 256, outB.data ());
    EXPECT_EQ (outA, outB);
}

// Five taps per phase make a gentle filter. Measured at 48 kHz × 4 for the up-down cascade:
// -0.16 dB at 100 Hz and 1 kHz, -0.19 dB at 5 kHz, +1.15 dB at 15 kHz (the ripple of the
// truncated sinc), -1.96 dB at 20 kHz. The bounds leave about 0.1 dB (to 5 kHz) and 0.5 dB
// (above) of margin.
TEST (PolyphaseResampler, CascadePassbandAtFortyEightKilohertz)
{
    const int R = 4;
    const double fs = 48000.0;
    struct Point { double hz, minDb, maxDb; };
    for (const Point& point : {Point {100.0, -0.3, 0.0}, Point {1000.0, -0.3, 0.0},
                               Point {5000.0, -0.3, 0.0}, Point {10000.0, -0.5, 0.8},
                               Point {15000.0, -0.5, 1.7}, Point {20000.0, -2.5, 0.0}})
    {
        PolyphaseResampler resampler (R, 5 * R, R, 5 * R);
        const size_t n = 48000;
        const auto x = sine (n, point.hz / fs);
        std::vector<float> up (n * R), down (n);
        resampler.interpolate (x.data (), static_cast<int> (n), up.data ());
        resampler.decimate (up.data (), static_cast<int> (n * R), down.data ());
        const double db = toneLevelDb (down, 0, point.hz / fs);
        EXPECT_GT (db, point.minDb) << point.hz << " Hz: " << db << " dB";
        EXPECT_LT (db, point.maxDb) << point.hz << " Hz: " << db << " dB";
    }
}

// Interpolating tones of 100 Hz to 5 kHz from 48 kHz, every image around 48, 96 and 144 kHz
// is at least 23.3 dB below the tone (measured; bound 20 dB). Decimating tones between
// 28.8 and 94 kHz from 192 kHz, what folds into the 0 to 24 kHz band is at least 19.7 dB
// down (measured; bound 17 dB).
TEST (PolyphaseResampler, StopbandRejection)
{
    const int R = 4;
    const size_t n = 12000;
    for (double hz = 100.0; hz <= 5000.0; hz += 700.0)
    {
        PolyphaseResampler resampler (R, 5 * R, R, 5 * R);
        const auto x = sine (n, hz / 48000.0);
        std::vector<float> up (n * R);
        resampler.interpolate (x.data (), static_cast<int> (n), up.data ());
        const double wanted = toneLevelDb (up, 0, hz / 192000.0);
        EXPECT_NEAR (wanted, 0.0, 0.3) << hz;
        for (int m = 1; m <= 3; ++m)
            for (double image : {m * 48000.0 - hz, m * 48000.0 + hz})
            {
                const double db = toneLevelDb (up, 0, image / 192000.0) - wanted;
                EXPECT_LT (db, -20.0) << hz << " Hz image at " << image << ": " << db << " dB";
            }
    }
    for (double cycles = 0.15; cycles < 0.49; cycles += 0.01)
    {
        PolyphaseResampler resampler (R, 5 * R, R, 5 * R);
        const auto high = sine (n * R, cycles);
        std::vector<float> down (n);
        resampler.decimate (high.data (), static_cast<int> (n * R), down.data ());
        double folded = cycles * R - std::floor (cycles * R);
        folded = folded > 0.5 ? 1.0 - folded : folded;
        const double db = toneLevelDb (down, 0, folded);
        EXPECT_LT (db, -17.0) << cycles * 192000.0 << " Hz folds with " << db << " dB";
    }
}

TEST (PolyphaseResampler, RejectsUnusableConfigurations)
{
    PolyphaseResampler resampler;
    EXPECT_FALSE (resampler.isConfigured ());
    EXPECT_FALSE (resampler.configure (0, 20, 4, 20));
    EXPECT_FALSE (resampler.configure (4, PolyphaseResampler::kMaxTaps + 1, 4, 20));
    EXPECT_TRUE (resampler.configure (16, 80, 16, 80));
    std::vector<float> in (4, 1.0f), out (64);
    EXPECT_EQ (resampler.interpolate (in.data (), 4, out.data ()), 64);
}

// decimate reads a time-ordered window instead of shifting its history; outputs and the
// history left behind must equal the step-by-step form bit for bit, across odd block lengths.
TEST (PolyphaseResampler, WindowedDecimationIsBitIdenticalToTheStepwiseForm)
{
    std::mt19937 rng (77);
    std::uniform_real_distribution<float> dist (-1.0f, 1.0f);
    for (int R : {2, 3, 4, 5, 8, 16})
    {
        PolyphaseResampler fast (R, 5 * R, R, 5 * R), reference (R, 5 * R, R, 5 * R);
        for (int block : {1, 3, 7, 64, 255, 300, 2048})
        {
            std::vector<float> in (static_cast<size_t> (block) * R + R - 1);
            for (auto& x : in)
                x = dist (rng);
            std::vector<float> a (block + 1, 9.0f), b (block + 1, 9.0f);
            const int n = static_cast<int> (in.size ());
            ASSERT_EQ (fast.decimate (in.data (), n, a.data ()),
                       reference.decimateReference (in.data (), n, b.data ()));
            ASSERT_EQ (0, std::memcmp (a.data (), b.data (), a.size () * sizeof (float)))
                << "factor " << R << " block " << block;
        }
    }
}

TEST (PolyphaseResampler, WindowedInterpolationIsBitIdenticalToTheStepwiseForm)
{
    std::mt19937 rng (78);
    std::uniform_real_distribution<float> dist (-1.0f, 1.0f);
    for (int R : {2, 3, 4, 5, 8, 16})
    {
        PolyphaseResampler fast (R, 5 * R, R, 5 * R), reference (R, 5 * R, R, 5 * R);
        for (int block : {1, 2, 7, 64, 255, 256, 257, 1000})
        {
            std::vector<float> in (block);
            for (auto& x : in)
                x = dist (rng);
            in[0] = -0.0f;
            std::vector<float> a (block * R), b (block * R);
            ASSERT_EQ (fast.interpolate (in.data (), block, a.data ()),
                       reference.interpolateReference (in.data (), block, b.data ()));
            ASSERT_EQ (0, std::memcmp (a.data (), b.data (), a.size () * sizeof (float)))
                << "factor " << R << " block " << block;
        }
    }
}
