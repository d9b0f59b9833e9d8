// SPDX-License-Identifier: GPL-3.0-or-later
// Circuit facts of the stage prototypes: which models have which stage, DC gains that follow from
// the circuits, the level stages' end points and the middle stage's flat setting.
#include "TransferFunctions.h"
#include "dsp/PedalStageDesigns.h"
#include <gtest/gtest.h>
#include <cmath>

namespace {

constexpr double kRate = 176400.0;
constexpr double kDcToleranceDb = 1e-6;

double analogDcGain (const AnalogPrototype& proto) { return proto.sNum[5] / proto.sDen[5]; }

double digitalDcGain (const DigitalCoefficients& c)
{
    double num = 0, den = 0;
    for (int k = 0; k < 6; ++k)
    {
        num += c.zNum[k];
        den += c.zDen[k];
    }
    return num / den;
}

DigitalCoefficients sentinel()
{
    DigitalCoefficients c;
    for (int k = 0; k < 6; ++k)
        c.zNum[k] = c.zDen[k] = -777.0;
    return c;
}

bool isSentinel (const DigitalCoefficients& c)
{
    for (int k = 0; k < 6; ++k)
        if (c.zNum[k] != -777.0 || c.zDen[k] != -777.0)
            return false;
    return true;
}

TEST (PedalStageData, EachModelHasExactlyTheStagesOfItsChain)
{
    //                       model:  0      1      2      3      4      5      6      7
    const bool hasDrive[8] = {false, true,  true,  false, false, false, false, true};
    const bool hasTone[8] = {false, false, true,  true,  true,  true,  true,  false};
    const bool hasLevel[8] = {false, true,  true,  true,  true,  true,  true,  false};
    for (unsigned model = 0; model < 9; ++model)
    {
        const bool known = model < 8;
        DigitalCoefficients c = sentinel();
        EXPECT_EQ (pedal::designInputStage (model, kRate, c), known) << model;
        EXPECT_NE (isSentinel (c), known) << model;

        c = sentinel();
        EXPECT_EQ (pedal::designDriveStage (model, 0.5, kRate, c), known && hasDrive[model]) << model;
        EXPECT_EQ (isSentinel (c), ! (known && hasDrive[model])) << model;

        c = sentinel();
        EXPECT_EQ (pedal::designToneStage (model, 0.5, kRate, c), known && hasTone[model]) << model;
        EXPECT_EQ (isSentinel (c), ! (known && hasTone[model])) << model;

        c = sentinel();
        EXPECT_EQ (pedal::designLevelStage (model, 0.5, kRate, c), known && hasLevel[model]) << model;
        EXPECT_EQ (isSentinel (c), ! (known && hasLevel[model])) << model;
    }
}

TEST (PedalStageData, ScreamersShareInputAndToneStages)
{
    for (double x : {0.0, 0.3, 1.0})
    {
        AnalogPrototype nine, eight, overDrive;
        ASSERT_TRUE (pedal::inputStagePrototype (5, nine));
        ASSERT_TRUE (pedal::inputStagePrototype (6, eight));
        for (int k = 0; k < 6; ++k)
        {
            EXPECT_EQ (nine.sNum[k], eight.sNum[k]);
            EXPECT_EQ (nine.sDen[k], eight.sDen[k]);
        }
        pedal::toneStagePrototype (5, x, nine);
        pedal::toneStagePrototype (6, x, eight);
        pedal::toneStagePrototype (3, x, overDrive);
        for (int k = 0; k < 6; ++k)
        {
            EXPECT_EQ (nine.sNum[k], eight.sNum[k]);
            EXPECT_EQ (nine.sNum[k], overDrive.sNum[k]);
            EXPECT_EQ (nine.sDen[k], overDrive.sDen[k]);
        }
        pedal::levelStagePrototype (5, 0.5, nine);
        pedal::levelStagePrototype (6, 0.5, eight);
        EXPECT_NE (nine.sDen[2], eight.sDen[2]);
    }
}

// Drive of BAT Distortion: unity at DC for every setting. XXL Distortion+: the fixed 1.3 sits in
// the drive stage.
TEST (PedalStageData, DriveStageDcGains)
{
    for (double x = 0.0; x <= 1.0; x += 0.125)
    {
        AnalogPrototype proto;
        DigitalCoefficients c;
        ASSERT_TRUE (pedal::driveStagePrototype (2, x, proto));
        EXPECT_EQ (analogDcGain (proto), 1.0) << x;
        pedal::designDriveStage (2, x, kRate, c);
        EXPECT_NEAR (stagetest::toDb (digitalDcGain (c)), 0.0, kDcToleranceDb) << x;

        ASSERT_TRUE (pedal::driveStagePrototype (1, x, proto));
        pedal::designDriveStage (1, x, kRate, c);
        EXPECT_NEAR (stagetest::toDb (digitalDcGain (c)), stagetest::toDb (1.3), kDcToleranceDb) << x;
    }
}

TEST (PedalStageData, OverDriveAndScreamerToneDcGainIsTenElevenths)
{
    const double wantDb = stagetest::toDb (10.0 / 11.0);   // -0.828 dB
    for (unsigned model : {3u, 5u, 6u})
        for (double x = 0.0; x <= 1.0; x += 0.125)
        {
            DigitalCoefficients c;
            ASSERT_TRUE (pedal::designToneStage (model, x, kRate, c));
            EXPECT_NEAR (stagetest::toDb (digitalDcGain (c)), wantDb, kDcToleranceDb) << model << " x " << x;
        }
}

TEST (PedalStageData, MetalPreStageAndFilterAreUnityAtDc)
{
    DigitalCoefficients c;
    pedal::designMetalPreStage (kRate, c);
    EXPECT_NEAR (stagetest::toDb (digitalDcGain (c)), 0.0, kDcToleranceDb);
    pedal::designMetalFilterStage (kRate, c);
    EXPECT_NEAR (stagetest::toDb (digitalDcGain (c)), 0.0, kDcToleranceDb);
}

TEST (PedalStageData, XxlLevelIsExactGainAndSilentAtZero)
{
    DigitalCoefficients c;
    ASSERT_TRUE (pedal::designLevelStage (1, 1.0, kRate, c));
    EXPECT_EQ (c.zNum[0], 1.0);
    EXPECT_EQ (c.zDen[0], 1.0);
    for (int k = 1; k < 6; ++k)
        EXPECT_EQ (c.zNum[k], 0.0);

    ASSERT_TRUE (pedal::designLevelStage (1, 0.0, kRate, c));
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ (c.zNum[k], 0.0) << k;

    ASSERT_TRUE (pedal::designLevelStage (1, 0.25, kRate, c));
    EXPECT_DOUBLE_EQ (c.zNum[0], 0.25);
}

// At x = 0 every level numerator vanishes, so the section is silent rather than dividing by zero.
TEST (PedalStageData, EveryLevelStageIsSilentAtZero)
{
    for (unsigned model = 1; model <= 6; ++model)
    {
        DigitalCoefficients c;
        ASSERT_TRUE (pedal::designLevelStage (model, 0.0, kRate, c));
        for (int k = 0; k < 6; ++k)
            EXPECT_EQ (c.zNum[k], 0.0) << model << " k " << k;
        EXPECT_EQ (c.zDen[0], 1.0);
    }
}

TEST (PedalStageData, MetalMidAtHalfLevelHasOpposedCubicTerms)
{
    for (float y = 0.0f; y <= 1.0f; y += 0.0625f)
    {
        AnalogPrototype proto;
        pedal::metalMidStagePrototype (0.5, y, proto);
        // s^3 sits at index 2; the tables carry ten significant digits.
        EXPECT_NEAR (proto.sNum[2], -proto.sDen[2], 1e-9 * std::fabs (proto.sDen[2])) << y;
        // The stage inverts: every denominator coefficient is negative.
        for (int k = 1; k < 6; ++k)
            EXPECT_LT (proto.sDen[k], 0.0) << y << " k " << k;
    }
}

} // namespace
