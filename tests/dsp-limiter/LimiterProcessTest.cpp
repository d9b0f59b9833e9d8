// SPDX-License-Identifier: GPL-3.0-or-later
#include "dsp/AudioTaper.h"
#include "dsp/CMVXSVDiodeLimiterSimulation.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <complex>
#include <random>

namespace {

using Complex = std::complex<double>;

struct Network
{
    uint32_t mode;
    double r1, r2, r3, c1, c2;
};

CMVXSVDiodeLimiterSimulation limiter (double fs, const Network& n)
{
    CMVXSVDiodeLimiterSimulation l (fs, 2);
    l.configure (n.mode, n.r1, n.r2, n.r3, n.c1, n.c2);
    return l;
}

// Steady-state complex gain at a frequency with a whole number of samples per period.
Complex measureGain (CMVXSVDiodeLimiterSimulation& l, double amplitude, int samplesPerPeriod, int settleSamples)
{
    const double omega = 2.0 * M_PI / samplesPerPeriod;
    Complex in = 0.0, out = 0.0;
    for (int n = 0; n < settleSamples + 50 * samplesPerPeriod; ++n)
    {
        const double x = amplitude * std::sin (omega * n), y = l.processSample (x, 0);
        if (n < settleSamples)
            continue;
        const Complex phasor = std::exp (Complex (0.0, -omega * n));
        in += x * phasor;
        out += y * phasor;
    }
    return out / in;
}

double dB (double x) { return 20.0 * std::log10 (x); }

// Each model's network at a control position, as the engine configures it.
std::vector<Network> modelNetworks (float control)
{
    const double taper = audioTaper (control);
    return {{2, 10000.0, 1000.0, 1000.0, 1e-6, 1e-9},          {2, 1000.0, 1000.0, 1000.0, 4.7e-6, 1e-11},
            {1, 4700.0, 51000.0, taper * 500000.0, 4.7e-8, 5.1e-11}, {1, 4700.0, 51000.0, taper * 1000000.0, 4.7e-8, 5.1e-11},
            {0, 4700.0, 51000.0, taper * 500000.0, 4.7e-8, 5.1e-11}, {2, 2200.0, 1000.0, 1000.0, 1e-5, 1e-11}};
}

} // namespace

// Well below the diodes' knee the limiter is its linear network, within 0.01 dB and 1 mrad.
// Feedback modes: a non-inverting amplifier 1 + Yin(s) Zf(s), the input admittance of R1 + 1/(s C1)
// transformed bilinearly, the feedback impedance (R2 + R3) || C2 by a backward difference. Shunt
// mode: the divider of R1 + C1 in series against C2, transformed bilinearly.
TEST (LimiterProcess, SmallSignalsFollowTheLinearCircuit)
{
    const Network feedback {0, 4700.0, 51000.0, 500000.0, 4.7e-8, 5.1e-11};
    for (double fs : {176400.0, 192000.0})
        for (const Network& n : {feedback, Network {2, 10000.0, 1000.0, 1000.0, 1e-6, 1e-9}, Network {2, 2200.0, 1000.0, 1000.0, 1e-5, 1e-11}})
            for (int period : n.mode == 2 ? std::vector<int> {16, 100, 2000} : std::vector<int> {10, 40, 250})
            {
                auto l = limiter (fs, n);
                const Complex zInv = std::exp (Complex (0.0, -2.0 * M_PI / period));
                const Complex s = 2.0 * fs * (1.0 - zInv) / (1.0 + zInv), sBackward = fs * (1.0 - zInv);
                const Complex series = 1.0 / (n.r1 + 1.0 / (s * n.c1));
                const double rf = n.r2 + n.r3;
                const Complex expected = n.mode == 2 ? series / (series + s * n.c2) : 1.0 + series * rf / (1.0 + rf * n.c2 * sBackward);
                const Complex measured = n.mode == 2 ? measureGain (l, 1e-3, period, 200000) : measureGain (l, 1e-5, period, 20000);
                EXPECT_NEAR (dB (std::abs (measured)), dB (std::abs (expected)), 0.01) << fs << " mode " << n.mode << " period " << period;
                EXPECT_NEAR (std::arg (measured / expected), 0.0, 1e-3) << fs << " mode " << n.mode << " period " << period;
            }
}

// Mode 1 has two diodes in series on its negative side: about twice the clipping voltage there.
TEST (LimiterProcess, TwoDiodeSideClipsAtAboutTwiceTheVoltage)
{
    for (double control : {0.5, 1.0})
    {
        auto l = limiter (176400.0, {1, 4700.0, 51000.0, audioTaper (static_cast<float> (control)) * 500000.0, 4.7e-8, 5.1e-11});
        double high = 0.0, low = 0.0;
        const int period = 176;   // about 1 kHz
        for (int n = 0; n < 40 * period; ++n)
        {
            const double x = std::sin (2.0 * M_PI * n / period);
            const double v = l.processSample (x, 0) - x;   // the diode voltage
            if (n > 10 * period)
                high = std::max (high, v), low = std::min (low, v);
        }
        EXPECT_TRUE (high > 0.4 && high < 0.8) << control << ": " << high;
        EXPECT_TRUE (-low / high > 1.8 && -low / high < 2.2) << control << ": " << -low / high;
    }
}

// The diode voltage never exceeds the largest table magnitude of its arrangement, for noise, DC,
// huge sines and huge steps, on every model's network and at every control position.
TEST (LimiterProcess, StaysFiniteAndBoundedAtEveryModelsSettings)
{
    std::mt19937 rng (1234);
    std::uniform_real_distribution<double> noise (-1.0, 1.0);
    for (double fs : {176400.0, 192000.0})
        for (float control : {0.0f, 0.5f, 1.0f})
            for (const Network& n : modelNetworks (control))
            {
                auto l = limiter (fs, n);
                const double bound = n.mode == 1 ? 1.4739 : 0.7411;
                auto check = [&] (double x, uint32_t ch, const char* what) {
                    const double y = l.processSample (x, ch), v = n.mode == 2 ? y : y - x;
                    ASSERT_TRUE (std::isfinite (y) && std::fabs (v) <= bound) << what << " r1 " << n.r1 << " fs " << fs << " v " << v;
                };
                for (int i = 0; i < 20000; ++i)
                {
                    check (noise (rng), 0, "noise");
                    check (1.0, 1, "dc");
                }
                l.reset ();
                for (int i = 0; i < 20000; ++i)
                {
                    check (1e4 * std::sin (0.01 * i), 0, "large sine");
                    check (i < 10000 ? 1e4 : -1e4, 1, "large steps");
                }
            }
}

// Silence stays silent; channels keep separate state, which reset clears; a channel beyond the
// configured count passes the sample through.
TEST (LimiterProcess, ChannelsAreIndependentAndResetClearsThem)
{
    for (const Network& n : modelNetworks (0.5f))
    {
        auto l = limiter (192000.0, n), reference = limiter (192000.0, n);
        for (int k = 0; k < 5000; ++k)
        {
            const double x = 0.8 * std::sin (0.05 * k);
            ASSERT_EQ (l.processSample (x, 0), reference.processSample (x, 0)) << n.r1 << " " << n.r3;
            ASSERT_EQ (l.processSample (0.0, 1), 0.0) << n.r1 << " " << n.r3;
        }
        l.reset ();
        for (int k = 0; k < 100; ++k)
            ASSERT_EQ (l.processSample (0.0, 0), 0.0) << n.r1 << " " << n.r3;
        EXPECT_EQ (l.processSample (0.3, 2), 0.3);
    }
}

// The shunt recursion written with the current law's division, on the limiter's own coefficients
// and tables: the per-sample form stays within 1e-12 of 0.75 V.
TEST (LimiterProcess, ShuntOutputAgreesWithTheDividingCurrentForm)
{
    for (const Network& n : modelNetworks (0.5f))
    {
        if (n.mode != 2)
            continue;
        auto l = limiter (176400.0, n);
        const double w = l.blendWeight ();
        const DiodePairLaw law {1e-16, 0.022, 1.0, 1.0};
        double a = 0.0, b = 0.0, worst = 0.0;
        for (int k = 0; k < 50000; ++k)
        {
            const double x = 3.0 * std::sin (0.0357 * k) + 0.5 * std::sin (0.31 * k);
            const double e = l.coefficient (0) * a + l.coefficient (1) * b + l.coefficient (2) * x;
            const double v = l.activeHighTable ().evaluate (e * 100.0) * (1.0 - w) + l.activeLowTable ().evaluate (e * 100.0) * w;
            const double i = diodePairCurrent (law, v);
            const double na = l.coefficient (4) * a + l.coefficient (5) * b + l.coefficient (8) * x + l.coefficient (10) * i;
            b = l.coefficient (6) * a + l.coefficient (7) * b + l.coefficient (9) * x + l.coefficient (11) * i;
            a = na;
            worst = std::max (worst, std::fabs (l.processSample (x, 0) - v) / 0.75);
        }
        EXPECT_LT (worst, 1e-12) << n.r1;
    }
}
