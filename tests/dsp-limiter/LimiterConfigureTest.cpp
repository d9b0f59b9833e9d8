// SPDX-License-Identifier: GPL-3.0-or-later
#include "dsp/CMVXSVDiodeLimiterSimulation.h"
#include <gtest/gtest.h>
#include <cmath>

// The blend weight is 1 at source resistances up to 100 ohms and 0 from 100100 ohms on (without
// C2 the feedback source resistance is R2 + R3 itself), and follows the weight table between.
TEST (LimiterConfigure, BlendFollowsTheSourceResistance)
{
    CMVXSVDiodeLimiterSimulation l (176400.0, 2);
    for (double rf : {1.0, 60.0, 100.0, 1100.0, 100100.0, 250000.0, 1.0001e6, 1e9})
    {
        l.configure (rf >= 100100.0 ? 1 : 0, 4700.0, rf, 0.0, 4.7e-8, 0.0);
        EXPECT_NEAR (l.blendWeight (), rf <= 100.0 ? 1.0 : rf == 1100.0 ? 0.4991 : 0.0, 1e-12) << rf;   // 1100: knot 1
    }
    // "XXL Distortion+" sees about 2209 ohms: between knots 2 and 3.
    l.configure (2, 10000.0, 1000.0, 1000.0, 1e-6, 1e-9);
    EXPECT_TRUE (l.blendWeight () > 0.3805 && l.blendWeight () < 0.4244) << l.blendWeight ();
}

// A rate change redesigns the stored network exactly as a fresh configuration would; unusable
// rates are ignored.
TEST (LimiterConfigure, SampleRateChangeRedesignsTheStoredNetwork)
{
    CMVXSVDiodeLimiterSimulation moved (176400.0, 2), fresh (192000.0, 2);
    moved.configure (2, 2200.0, 1000.0, 1000.0, 1e-5, 1e-11);
    fresh.configure (2, 2200.0, 1000.0, 1000.0, 1e-5, 1e-11);
    moved.setSampleRate (192000.0);
    for (double rate : {0.0, -48000.0, std::nan (""), HUGE_VAL})
        moved.setSampleRate (rate);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ (moved.coefficient (i), fresh.coefficient (i)) << i;
    EXPECT_EQ (moved.blendWeight (), fresh.blendWeight ());
    EXPECT_EQ (moved.inputGain (), fresh.inputGain ());
}

// An unknown mode keeps the routine, coefficients and tables it had; a limiter without a rate
// passes samples through until it gets one; without an input capacitor nothing is driven.
TEST (LimiterConfigure, UnusableConfigurationsAreIgnoredSafely)
{
    CMVXSVDiodeLimiterSimulation l (176400.0, 2);
    l.configure (1, 4700.0, 51000.0, 100000.0, 4.7e-8, 5.1e-11);
    const double c2Before = l.coefficient (2), blendBefore = l.blendWeight ();
    l.configure (3, 1000.0, 1.0, 1.0, 1e-6, 1e-6);
    EXPECT_EQ (l.coefficient (2), c2Before);
    EXPECT_EQ (l.blendWeight (), blendBefore);
    EXPECT_EQ (&l.activeLowTable (), &sharedDiodeLimiterTables ().table2);
    EXPECT_TRUE (std::isfinite (l.processSample (0.5, 0)));

    CMVXSVDiodeLimiterSimulation unset (0.0, 2);
    EXPECT_EQ (unset.processSample (0.25, 0), 0.25);
    unset.setSampleRate (176400.0);
    EXPECT_EQ (unset.feedbackResistanceOhms (), 550000.0);   // the default feedback network

    CMVXSVDiodeLimiterSimulation open (176400.0, 2);
    open.configure (0, 4700.0, 51000.0, 100000.0, 0.0, 5.1e-11);
    for (int n = 0; n < 100; ++n)
        ASSERT_EQ (open.processSample (std::sin (0.1 * n), 0), std::sin (0.1 * n));
}
