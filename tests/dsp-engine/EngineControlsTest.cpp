// SPDX-License-Identifier: GPL-3.0-or-later
#include "EngineTestSupport.h"
#include "dsp/AudioTaper.h"
#include "dsp/PedalStageDesigns.h"
#include <algorithm>
#include <gtest/gtest.h>

using namespace enginetest;

namespace {

// Steps a glide from the zeroed smoother needs to come within 0.0001 of target T:
// y_n = T - T (1 - b0) p^n with p = -a1, counted from the first step (n = 0).
int expectedGlideSteps (double b0, double a1, double target)
{
    const double p = -a1;
    const double n = std::ceil (std::log (1e-4 / (target * (1.0 - b0))) / std::log (p));
    return static_cast<int> (n) + 1;
}

// The smoother runs in single precision: over the last 0.0001 of a glide the rounding of its
// state is of the same order as each step, so the crossing moves. Measured: 2 steps late of
// 5819 at 44.1 kHz, 78 of 12666 at 96 kHz; 1 % is allowed.
int glideTolerance (int steps)
{
    return std::max (2, steps / 100);
}

} // namespace

TEST (EngineControls, SmootherCoefficientsFollowTheClosedForm)
{
    for (double rate : {44100.0, 48000.0, 96000.0, 192000.0})
    {
        auto engine = makeEngine (rate, 64);
        engine->updateSettings (true);
        const double v = 1.0 / std::tan (M_PI / (0.09 * rate));
        // Single-precision design: within 1e-6 relative (about 8 ulps) of the exact values.
        EXPECT_NEAR (engine->smoothB0, 1.0 / (v + 1.0), 1e-6 / (v + 1.0)) << rate;
        EXPECT_NEAR (engine->smoothA1, (1.0 - v) / (v + 1.0), 1e-6) << rate;
        EXPECT_EQ (engine->smoothB1, 1.0f);
    }
}

TEST (EngineControls, GlideAfterResetReachesTheTargetInTheClosedFormStepCount)
{
    for (double rate : {44100.0, 48000.0, 96000.0})
    {
        auto engine = makeEngine (rate, 64);
        setNormalized (*engine, 2, 1.0);
        engine->updateSettings (true);
        engine->advanceControls ();   // the forced redesign after the update is the first step
        int steps = 1;
        float previous = engine->getControlCurrent (1);
        for (; steps < 100000; ++steps)
        {
            engine->advanceControls ();
            if (engine->getControlCurrent (1) == previous)
                break;
            previous = engine->getControlCurrent (1);
        }
        EXPECT_LE (std::fabs (1.0f - engine->getControlCurrent (1)), 1e-4f) << rate;
        const int expected = expectedGlideSteps (engine->smoothB0, engine->smoothA1, 1.0);
        EXPECT_NEAR (steps, expected, glideTolerance (expected)) << rate;
    }
}

// Through processing: at 44.1 kHz both channels step the controls four times per host sample,
// so the glide takes an eighth of the steps in host samples.
TEST (EngineControls, GlideRunsAtTheOversampledRateOnceForEachChannel)
{
    auto engine = makeEngine (44100.0, 1);
    setNormalized (*engine, 2, 1.0);
    const auto silence = constant (1, 0.0f);
    int samples = 0;
    while (std::fabs (1.0f - engine->getControlCurrent (1)) > 1e-4f && samples < 100000)
    {
        process (*engine, silence, 1);
        ++samples;
    }
    const int steps = expectedGlideSteps (engine->smoothB0, engine->smoothA1, 1.0);
    EXPECT_NEAR (samples, (steps + 7) / 8, glideTolerance (steps) / 8 + 1);
}

TEST (EngineControls, ResetStateRestartsEveryGlideButKeepsTargets)
{
    auto engine = makeEngine (48000.0, 256);
    setNormalized (*engine, 4, 0.25);
    process (*engine, noise (4096, 0.3f, 5), 256);
    EXPECT_NEAR (engine->getControlCurrent (3), 0.25f, 1e-4f);
    engine->resetState ();
    for (int knob = 1; knob <= 6; ++knob)
        EXPECT_EQ (engine->getControlCurrent (knob), -0.1f);
    EXPECT_FLOAT_EQ (engine->getControlTarget (3), 0.25f);
    EXPECT_TRUE (engine->allSectionStatesZero ());
}

TEST (EngineControls, XxlDistortionPlusTurnsItsGainPotTheOtherWay)
{
    auto engine = makeEngine (48000.0, 256);
    setModel (*engine, 1);
    setNormalized (*engine, 2, 0.3);
    process (*engine, noise (8192, 0.3f, 6), 256);
    const float current = engine->getControlCurrent (1);
    ASSERT_NEAR (current, 0.3f, 1e-4f);

    DigitalCoefficients reversed, direct;
    ASSERT_TRUE (pedal::designDriveStage (1, audioTaper (1.0f - current), engine->getDesignRateHz (),
                                          reversed));
    ASSERT_TRUE (pedal::designDriveStage (1, audioTaper (current), engine->getDesignRateHz (),
                                          direct));
    StageSection<3, float> expected, unexpected;
    expected.setCoefficients (reversed);
    unexpected.setCoefficients (direct);
    const auto& drive = engine->getDriveStage ();
    EXPECT_EQ (drive.gain, expected.gain);
    EXPECT_EQ (drive.num[0], expected.num[0]);
    EXPECT_EQ (drive.den[0], expected.den[0]);
    EXPECT_NE (drive.gain, unexpected.gain);
}

TEST (EngineControls, SectionFillNormalisesByTheLeadingNumeratorAndSilencesAZeroOne)
{
    DigitalCoefficients c;
    c.zNum[0] = 0.5;
    c.zNum[1] = 0.25;
    c.zNum[2] = -0.125;
    c.zDen[0] = 1.0;
    c.zDen[1] = -0.5;
    c.zDen[2] = 0.0625;
    StageSection<3, double> section;
    section.setCoefficients (c);
    EXPECT_EQ (section.gain, 0.5);
    EXPECT_EQ (section.num[0], 0.5);
    EXPECT_EQ (section.num[1], -0.25);
    EXPECT_EQ (section.num[2], 0.0);
    EXPECT_EQ (section.den[0], -0.5);
    EXPECT_EQ (section.den[1], 0.0625);
    // The recursion is b0 (1 + n1 z^-1 + n2 z^-2) / (1 + d1 z^-1 + d2 z^-2): check its impulse
    // response against direct-form evaluation of the same difference equation.
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    for (int i = 0; i < 16; ++i)
    {
        const double x = i == 0 ? 1.0 : 0.0;
        const double y = 0.5 * x + 0.25 * x1 - 0.125 * x2 + 0.5 * y1 - 0.0625 * y2;
        EXPECT_NEAR (section.process<2> (x, 1), y, 1e-15);
        x2 = x1, x1 = x, y2 = y1, y1 = y;
    }
    EXPECT_EQ (section.state[0][0], 0.0);   // channel 0 untouched

    c.zNum[0] = 0.0;
    section.setCoefficients (c);
    EXPECT_EQ (section.gain, 0.0);
    for (double k : section.num)
        EXPECT_EQ (k, 0.0);
}
