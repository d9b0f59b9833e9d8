// SPDX-License-Identifier: GPL-3.0-or-later
// Configuration and per-sample behaviour of the diode limiter on its own.
#include "dsp/AudioTaper.h"
#include "dsp/CMVXSVDiodeLimiterSimulation.h"
#include "dsp/MathConstants.h"
#include "dsp/PedalModels.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <complex>
#include <random>

namespace {

using Complex = std::complex<double>;
using Limiter = CMVXSVDiodeLimiterSimulation;
struct Network
{
    uint32_t mode;
    double r1, r2, r3, c1, c2;
};

Limiter limiter (double fs, const Network& n)
{
    Limiter l (fs, 2);
    l.configure (n.mode, n.r1, n.r2, n.r3, n.c1, n.c2);
    return l;
}

// Each model's network with its gain control at a position, as the engine configures it.
std::vector<Network> modelNetworks (float control)
{
    std::vector<Network> networks;
    for (PedalModel model : kAllPedalModels)
        if (pedalTraits (model).has (PedalSection::diodes))
        {
            const DiodeNetwork& n = pedalTraits (model).diodes;
            const double r3 = n.gainPotIsR3 ? audioTaper (control) * n.r3Ohms : n.r3Ohms;
            networks.push_back ({n.mode, n.r1Ohms, n.r2Ohms, r3, n.c1Farads, n.c2Farads});
        }
    return networks;
}

}   // namespace

// The blend weight is 1 at source resistances up to 100 ohms and 0 from 100100 ohms on (without C2
// the feedback source resistance is R2 + R3 itself), and follows the weight table between.
TEST (LimiterConfigure, BlendFollowsTheSourceResistance)
{
    Limiter l (176400.0, 2);
    for (double rf : {1.0, 60.0, 100.0, 1100.0, 100100.0, 250000.0, 1.0001e6, 1e9})
    {
        l.configure (rf >= 100100.0 ? 1 : 0, 4700.0, rf, 0.0, 4.7e-8, 0.0);
        EXPECT_NEAR (l.blendWeight (),
                     rf <= 100.0    ? 1.0
                     : rf == 1100.0 ? 0.4991
                                    : 0.0,
                     1e-12)
            << rf;   // 1100: knot 1
    }
    // "XXL Distortion+" sees about 2209 ohms: between knots 2 and 3.
    l.configure (2, 10000.0, 1000.0, 1000.0, 1e-6, 1e-9);
    EXPECT_GT (l.blendWeight (), 0.3805);
    EXPECT_LT (l.blendWeight (), 0.4244);
}

// A rate change redesigns the stored network exactly as a fresh configuration would; unusable rates
// are ignored. An unknown mode keeps the routine, coefficients and tables it had; a limiter without
// a rate passes samples through until it gets one; without an input capacitor nothing is driven.
TEST (LimiterConfigure, RateChangesRedesignAndUnusableConfigurationsAreIgnored)
{
    const Network n {2, 2200.0, 1000.0, 1000.0, 1e-5, 1e-11};
    Limiter moved = limiter (176400.0, n), fresh = limiter (192000.0, n);
    for (double rate : {192000.0, 0.0, -48000.0, std::nan (""), HUGE_VAL})
        moved.setSampleRate (rate);
    auto movedCoefficients = moved.coefficients ();
    movedCoefficients.visitWith (fresh.coefficients (),
                                 [] (double a, double b) { EXPECT_EQ (a, b); });
    EXPECT_EQ (moved.blendWeight (), fresh.blendWeight ());
    EXPECT_EQ (moved.inputGain (), fresh.inputGain ());

    Limiter l = limiter (176400.0, {1, 4700.0, 51000.0, 100000.0, 4.7e-8, 5.1e-11});
    const double fromInputBefore = l.coefficients ().voltageFromInput,
                 blendBefore = l.blendWeight ();
    l.configure (3, 1000.0, 1.0, 1.0, 1e-6, 1e-6);
    EXPECT_EQ (l.coefficients ().voltageFromInput, fromInputBefore);
    EXPECT_EQ (l.blendWeight (), blendBefore);
    EXPECT_EQ (&l.activeLowTable (), &sharedDiodeLimiterTables ().table2);
    EXPECT_TRUE (std::isfinite (l.processSample (0.5, 0)));

    Limiter unset (0.0, 2);
    EXPECT_EQ (unset.processSample (0.25, 0), 0.25);
    unset.setSampleRate (176400.0);
    EXPECT_EQ (unset.feedbackResistanceOhms (), 550000.0);   // the default feedback network

    Limiter open = limiter (176400.0, {0, 4700.0, 51000.0, 100000.0, 0.0, 5.1e-11});
    for (int n = 0; n < 100; ++n)
        ASSERT_EQ (open.processSample (std::sin (0.1 * n), 0), std::sin (0.1 * n));
}

// Well below the diodes' knee the limiter is its linear network, within 0.01 dB and 1 mrad, measured
// as the steady-state complex gain over whole periods. Feedback modes: a non-inverting amplifier
// 1 + Yin(s) Zf(s), the input admittance of R1 + 1/(s C1) transformed bilinearly, the feedback
// impedance (R2 + R3) || C2 by a backward difference. Shunt mode: the divider of R1 + C1 in series
// against C2, transformed bilinearly.
TEST (LimiterProcess, SmallSignalsFollowTheLinearCircuit)
{
    for (double fs : {176400.0, 192000.0})
        for (const Network& n : {Network {0, 4700.0, 51000.0, 500000.0, 4.7e-8, 5.1e-11},
                                 Network {2, 10000.0, 1000.0, 1000.0, 1e-6, 1e-9},
                                 Network {2, 2200.0, 1000.0, 1000.0, 1e-5, 1e-11}})
            for (int period :
                 n.mode == 2 ? std::vector<int> {16, 100, 2000} : std::vector<int> {10, 40, 250})
            {
                auto l = limiter (fs, n);
                const double omega = 2.0 * kPi / period, amplitude = n.mode == 2 ? 1e-3 : 1e-5;
                const int settle = n.mode == 2 ? 200000 : 20000;
                Complex in = 0.0, out = 0.0;
                for (int k = 0; k < settle + 50 * period; ++k)
                {
                    const double x = amplitude * std::sin (omega * k), y = l.processSample (x, 0);
                    if (k >= settle)
                        in += x * std::polar (1.0, -omega * k),
                            out += y * std::polar (1.0, -omega * k);
                }
                const Complex zInv = std::polar (1.0, -omega);
                const Complex s = 2.0 * fs * (1.0 - zInv) / (1.0 + zInv),
                              sBackward = fs * (1.0 - zInv);
                const Complex series = 1.0 / (n.r1 + 1.0 / (s * n.c1));
                const double rf = n.r2 + n.r3;
                const Complex expected = n.mode == 2
                                             ? series / (series + s * n.c2)
                                             : 1.0 + series * rf / (1.0 + rf * n.c2 * sBackward);
                const Complex measured = out / in;
                EXPECT_NEAR (20.0 * std::log10 (std::abs (measured / expected)), 0.0, 0.01)
                    << fs << " mode " << n.mode << " period " << period;
                EXPECT_NEAR (std::arg (measured / expected), 0.0, 1e-3)
                    << fs << " mode " << n.mode << " period " << period;
            }
}

// The diode voltage never exceeds the largest table magnitude of its arrangement, for noise, DC, huge
// sines and huge steps, on every model's network and at every control position.
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
                    ASSERT_TRUE (std::isfinite (y)) << what << " r1 " << n.r1 << " fs " << fs;
                    ASSERT_LE (std::fabs (v), bound) << what << " r1 " << n.r1 << " fs " << fs;
                };
                for (int i = 0; i < 20000; ++i)
                    check (noise (rng), 0, "noise"), check (1.0, 1, "dc");
                l.reset ();
                for (int i = 0; i < 20000; ++i)
                    check (1e4 * std::sin (0.01 * i), 0, "large sine"),
                        check (i < 10000 ? 1e4 : -1e4, 1, "large steps");
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
            ASSERT_EQ (l.processSample (x, 0), reference.processSample (x, 0))
                << n.r1 << " " << n.r3;
            ASSERT_EQ (l.processSample (0.0, 1), 0.0) << n.r1 << " " << n.r3;
        }
        l.reset ();
        for (int k = 0; k < 100; ++k)
            ASSERT_EQ (l.processSample (0.0, 0), 0.0) << n.r1 << " " << n.r3;
        EXPECT_EQ (l.processSample (0.3, 2), 0.3);
    }
}

// Diodes to ground look their voltage and current up in one pre-blended curve at the usual
// rates; a hair off such a rate (1e-12 of it) they blend the two tables and take the sinh per
// sample, the arithmetic the curve replaces. Both follow one another within 1e-12 V, about -230 dB
// of the diode voltage.
TEST (LimiterProcess, PreBlendedCurveFollowsTheBlendingForm)
{
    for (const Network& n : modelNetworks (0.5f))
        if (n.mode == Limiter::kDiodesToGround)
            for (double rate : {176400.0, 192000.0})
            {
                auto curve = limiter (rate, n), blending = limiter (rate * (1.0 + 1e-12), n);
                ASSERT_NE (curve.shuntCurveInUse (), nullptr);
                ASSERT_EQ (blending.shuntCurveInUse (), nullptr);
                double worst = 0.0;
                for (int k = 0; k < 20000; ++k)
                {
                    const double x = 3.0 * std::sin (0.01 * k) * std::sin (0.0003 * k);
                    worst = std::max (worst, std::fabs (curve.processSample (x, 0)
                                                        - blending.processSample (x, 0)));
                }
                EXPECT_LT (worst, 1e-12) << n.r1 << " at " << rate;
            }
}
