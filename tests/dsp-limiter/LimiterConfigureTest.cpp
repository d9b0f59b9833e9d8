// SPDX-License-Identifier: GPL-3.0-or-later
#include "dsp/CMVXSVDiodeLimiterSimulation.h"
#include <gtest/gtest.h>
#include <cmath>
#include <complex>

namespace {

using Complex = std::complex<double>;

void expectRelNear (double actual, double expected, double rel, const char* what, int i)
{
    EXPECT_NEAR (actual, expected, rel * std::fabs (expected)) << what << " c[" << i << "]";
}

// Input network response from its stored first-order section.
Complex inputNetworkResponse (const CMVXSVDiodeLimiterSimulation& l, double omega)
{
    const Complex zInv = std::exp (Complex (0.0, -omega));
    return l.inputGain () * (1.0 + l.inputNumerator1 () * zInv) / (1.0 + l.inputDenominator1 () * zInv);
}

} // namespace

TEST (LimiterConfigure, ShuntCoefficientsMatchHandComputedValues)
{
    // Exact rational arithmetic, rounded to 15 digits: "XXL Distortion+" at 176.4 kHz and
    // "Metal Tone" at 192 kHz.
    const double xxl[12] = {-0.625848337421375,   2208.61878276003,    0.220799293442261,
                            2208.61878276003,     0.999558401413115,   -0.441598586884522,
                            -0.000441598586884522, 0.558401413115478,  0.000155795981452859,
                            0.000155795981452859, -0.441598586884522,  1.55840141311548};
    const double metal[12] = {-0.258234840499288,  2181.82616737849,    0.991621787517267,
                              2181.82616737849,    0.999998016756425,   -1.98324357503453,
                              -1.98324357503453e-06, -0.983243575034533, 7.61565532813261e-06,
                              7.61565532813261e-06, -1.98324357503453,  0.0167564249654668};
    CMVXSVDiodeLimiterSimulation a (176400.0, 2);
    a.configure (2, 10000.0, 1000.0, 1000.0, 1e-6, 1e-9);
    CMVXSVDiodeLimiterSimulation b (192000.0, 2);
    b.configure (2, 2200.0, 1000.0, 1000.0, 1e-5, 1e-11);
    for (int i = 0; i < 12; ++i)
    {
        expectRelNear (a.coefficient (i), xxl[i], 1e-13, "xxl", i);
        expectRelNear (b.coefficient (i), metal[i], 1e-13, "metal", i);
    }
    EXPECT_EQ (a.configuredMode (), 2u);
    EXPECT_EQ (a.feedbackResistanceOhms (), 10000.0);
}

TEST (LimiterConfigure, ShuntSourceIsTheTrapezoidalTheveninEquivalent)
{
    // R1 in series with C1's companion conductance 2 C1 fs feeds the diode node, C2's companion
    // conductance 2 C2 fs goes to ground: c[3] is the resistance the diodes see, c[2] the divider.
    const double rates[] = {176400.0, 192000.0};
    for (double fs : rates)
    {
        CMVXSVDiodeLimiterSimulation l (fs, 2);
        l.configure (2, 1000.0, 1000.0, 1000.0, 4.7e-6, 1e-11);
        const double series = 1.0 / (1000.0 + 1.0 / (2.0 * 4.7e-6 * fs));
        const double total = series + 2.0 * 1e-11 * fs;
        EXPECT_NEAR (l.coefficient (3), 1.0 / total, 1e-12 / total);
        EXPECT_NEAR (l.coefficient (2), series / total, 1e-12);
        EXPECT_EQ (l.coefficient (1), l.coefficient (3));
    }
}

TEST (LimiterConfigure, FeedbackCoefficientsDiscretiseTheFeedbackImpedance)
{
    // Backward difference of (R2 + R3) || C2: e[n] = c1 e[n-1] + c2 i[n], with
    // c1 = Rf C2 / (T + Rf C2) (the pole) and c2 = Rf T / (T + Rf C2) (so DC gain c2/(1-c1) = Rf).
    CMVXSVDiodeLimiterSimulation l (192000.0, 2);
    l.configure (1, 4700.0, 51000.0, 250000.0, 4.7e-8, 5.1e-11);
    const double rf = 301000.0, tau = rf * 5.1e-11, T = 1.0 / 192000.0;
    EXPECT_EQ (l.feedbackResistanceOhms (), rf);
    EXPECT_NEAR (l.coefficient (1), tau / (T + tau), 1e-15);
    EXPECT_NEAR (l.coefficient (2) / (1.0 - l.coefficient (1)), rf, rf * 1e-12);
    EXPECT_EQ (l.coefficient (3), l.coefficient (2));
}

TEST (LimiterConfigure, InputNetworkIsAFirstOrderHighPass)
{
    // Admittance of R1 in series with C1: zero at DC, 1/R1 at high frequency (the bilinear
    // transform maps s -> infinity to Nyquist), analog response at the prewarped frequency between.
    const double r1 = 4700.0, c1 = 4.7e-8, fs = 176400.0;
    CMVXSVDiodeLimiterSimulation l (fs, 2);
    l.configure (0, r1, 51000.0, 0.0, c1, 5.1e-11);
    EXPECT_NEAR (std::abs (inputNetworkResponse (l, 0.0)), 0.0, 1e-12 / r1);
    EXPECT_NEAR (std::abs (inputNetworkResponse (l, M_PI)), 1.0 / r1, 1e-12 / r1);
    for (double f : {20.0, 720.0, 5000.0, 40000.0})
    {
        const double omega = 2.0 * M_PI * f / fs;
        const Complex s (0.0, 2.0 * fs * std::tan (omega / 2.0));
        const Complex analog = c1 * s / (r1 * c1 * s + 1.0);
        EXPECT_NEAR (std::abs (inputNetworkResponse (l, omega) - analog), 0.0, 1e-12 * std::abs (analog)) << f;
    }
}

TEST (LimiterConfigure, BlendFollowsTheSourceResistance)
{
    CMVXSVDiodeLimiterSimulation l (176400.0, 2);
    // Without C2 the feedback source resistance c[3] is R2 + R3 itself.
    for (double rf : {1.0, 60.0, 100.0})
    {
        l.configure (0, 4700.0, rf, 0.0, 4.7e-8, 0.0);
        EXPECT_NEAR (l.blendWeight (), 1.0, 1e-12) << rf;
    }
    for (double rf : {100100.0, 250000.0, 1.0001e6, 1e9})
    {
        l.configure (1, 4700.0, rf, 0.0, 4.7e-8, 0.0);
        EXPECT_NEAR (l.blendWeight (), 0.0, 1e-12) << rf;
    }
    // 1100 ohms is knot 1 of the weight table.
    l.configure (0, 4700.0, 1100.0, 0.0, 4.7e-8, 0.0);
    EXPECT_NEAR (l.blendWeight (), 0.4991, 1e-12);
    // "XXL Distortion+" sees about 2209 ohms: between knots 2 and 3.
    l.configure (2, 10000.0, 1000.0, 1000.0, 1e-6, 1e-9);
    EXPECT_LT (l.blendWeight (), 0.4244);
    EXPECT_GT (l.blendWeight (), 0.3805);
}

TEST (LimiterConfigure, SampleRateChangeRedesignsTheStoredNetwork)
{
    CMVXSVDiodeLimiterSimulation moved (176400.0, 2);
    moved.configure (2, 2200.0, 1000.0, 1000.0, 1e-5, 1e-11);
    moved.setSampleRate (192000.0);
    CMVXSVDiodeLimiterSimulation fresh (192000.0, 2);
    fresh.configure (2, 2200.0, 1000.0, 1000.0, 1e-5, 1e-11);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ (moved.coefficient (i), fresh.coefficient (i)) << i;
    EXPECT_EQ (moved.blendWeight (), fresh.blendWeight ());
    EXPECT_EQ (moved.inputGain (), fresh.inputGain ());
}

TEST (LimiterConfigure, ConstructionConfiguresTheDefaultFeedbackNetwork)
{
    CMVXSVDiodeLimiterSimulation l (44100.0, 2);
    EXPECT_EQ (l.configuredMode (), 0u);
    EXPECT_EQ (l.channelCount (), 2u);
    EXPECT_EQ (l.feedbackResistanceOhms (), 550000.0);
    const double T = 1.0 / 44100.0;
    EXPECT_NEAR (l.coefficient (2), 550000.0 * T / (T + 550000.0 * 5e-11), 1e-6);
    EXPECT_EQ (&l.activeLowTable (), &sharedDiodeLimiterTables ().table0);
    EXPECT_EQ (&l.activeHighTable (), &sharedDiodeLimiterTables ().table1);
}

TEST (LimiterConfigure, UnknownModeKeepsTheRoutineAndTables)
{
    CMVXSVDiodeLimiterSimulation l (176400.0, 2);
    l.configure (1, 4700.0, 51000.0, 100000.0, 4.7e-8, 5.1e-11);
    const double c2Before = l.coefficient (2), blendBefore = l.blendWeight ();
    l.configure (3, 1000.0, 1.0, 1.0, 1e-6, 1e-6);
    EXPECT_EQ (l.coefficient (2), c2Before);
    EXPECT_EQ (l.blendWeight (), blendBefore);
    EXPECT_EQ (&l.activeLowTable (), &sharedDiodeLimiterTables ().table2);
    EXPECT_EQ (l.configuredMode (), 3u);
    EXPECT_TRUE (std::isfinite (l.processSample (0.5, 0)));
}

TEST (LimiterConfigure, UnusableRatesAndCapacitorsAreIgnoredSafely)
{
    CMVXSVDiodeLimiterSimulation l (176400.0, 2);
    l.configure (0, 4700.0, 51000.0, 100000.0, 4.7e-8, 5.1e-11);
    const double before = l.coefficient (2);
    for (double rate : {0.0, -48000.0, std::nan (""), HUGE_VAL})
    {
        l.setSampleRate (rate);
        EXPECT_EQ (l.coefficient (2), before) << rate;
    }
    CMVXSVDiodeLimiterSimulation unset (0.0, 2);
    EXPECT_EQ (unset.processSample (0.25, 0), 0.25);   // nothing designed: no diode voltage
    unset.setSampleRate (176400.0);
    EXPECT_NEAR (unset.feedbackResistanceOhms (), 550000.0, 0.0);

    l.configure (0, 4700.0, 51000.0, 100000.0, 0.0, 5.1e-11);   // no input capacitor
    for (int n = 0; n < 100; ++n)
        ASSERT_EQ (l.processSample (std::sin (0.1 * n), 0), std::sin (0.1 * n));
}
