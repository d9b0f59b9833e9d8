// SPDX-License-Identifier: GPL-3.0-or-later
// Circuit facts of the stage designs: which models have which stage, the DC gains that follow
// from the circuits, and the level stages' end points.
#include "StageSupport.h"
#include "dsp/PedalStageDesigns.h"
#include <gtest/gtest.h>
#include <functional>

namespace {

using stagetest::toDb;
constexpr double kRate = 176400.0;

double dcGainDb (const DigitalCoefficients& c)
{
    double num = 0, den = 0;
    for (int k = 0; k < 6; ++k)
        num += c.zNum[k], den += c.zDen[k];
    return toDb (num / den);
}

TEST (PedalStageData, EachModelHasExactlyTheStagesOfItsChain)
{
    //                            model: 0  1  2  3  4  5  6  7  (8: unknown)
    const bool has[3][9] = {/* drive */ {0, 1, 1, 0, 0, 0, 0, 1, 0},
                            /* tone  */ {0, 0, 1, 1, 1, 1, 1, 0, 0},
                            /* level */ {0, 1, 1, 1, 1, 1, 1, 0, 0}};
    for (unsigned model = 0; model < 9; ++model)
    {
        DigitalCoefficients c;
        std::fill_n (c.zDen, 6, -777.0);
        EXPECT_EQ (pedal::designInputStage (model, kRate, c), model < 8) << model;
        EXPECT_EQ (c.zDen[0] == -777.0, model == 8) << model;   // untouched unless designed
        EXPECT_EQ (pedal::designDriveStage (model, 0.5, kRate, c), has[0][model]) << model;
        EXPECT_EQ (pedal::designToneStage (model, 0.5, kRate, c), has[1][model]) << model;
        EXPECT_EQ (pedal::designLevelStage (model, 0.5, kRate, c), has[2][model]) << model;
    }
}

// BAT Distortion's drive is unity at DC for every setting; XXL Distortion+ carries its fixed 1.3
// there; the Over Drive and Screamer tone stages divide by 10/11; the Metal Tone pre-stage and
// fifth-order filter pass DC unchanged.
TEST (PedalStageData, DcGainsFollowFromTheCircuits)
{
    using Design = std::function<void (double x, DigitalCoefficients&)>;
    const struct { const char* name; Design design; double gain; } cases[] = {
        {"BAT drive", [] (double x, DigitalCoefficients& c) { pedal::designDriveStage (2, x, kRate, c); }, 1.0},
        {"XXL drive", [] (double x, DigitalCoefficients& c) { pedal::designDriveStage (1, x, kRate, c); }, 1.3},
        {"Over Drive tone", [] (double x, DigitalCoefficients& c) { pedal::designToneStage (3, x, kRate, c); }, 10.0 / 11.0},
        {"Nine tone", [] (double x, DigitalCoefficients& c) { pedal::designToneStage (5, x, kRate, c); }, 10.0 / 11.0},
        {"808 tone", [] (double x, DigitalCoefficients& c) { pedal::designToneStage (6, x, kRate, c); }, 10.0 / 11.0},
        {"Metal pre", [] (double, DigitalCoefficients& c) { pedal::designMetalPreStage (kRate, c); }, 1.0},
        {"Metal filter", [] (double, DigitalCoefficients& c) { pedal::designMetalFilterStage (kRate, c); }, 1.0}};
    for (const auto& stage : cases)
        for (double x = 0.0; x <= 1.0; x += 0.125)
        {
            DigitalCoefficients c;
            stage.design (x, c);
            EXPECT_NEAR (dcGainDb (c), toDb (stage.gain), 1e-6) << stage.name << " x " << x;
        }
    AnalogPrototype bat;
    pedal::driveStagePrototype (2, 0.3, bat);
    EXPECT_EQ (bat.sNum[5] / bat.sDen[5], 1.0);
}

// At 0 every level numerator vanishes, so the section is silent rather than dividing by zero;
// XXL Distortion+'s level is a pure gain equal to its setting.
TEST (PedalStageData, LevelStagesAreSilentAtZeroAndXxlIsAPureGain)
{
    for (unsigned model = 1; model <= 6; ++model)
    {
        DigitalCoefficients c;
        ASSERT_TRUE (pedal::designLevelStage (model, 0.0, kRate, c));
        for (int k = 0; k < 6; ++k)
            EXPECT_EQ (c.zNum[k], 0.0) << model << " k " << k;
        EXPECT_EQ (c.zDen[0], 1.0);
    }
    for (double x : {0.25, 1.0})
    {
        DigitalCoefficients c;
        pedal::designLevelStage (1, x, kRate, c);
        EXPECT_DOUBLE_EQ (c.zNum[0], x);
        for (int k = 1; k < 6; ++k)
            EXPECT_TRUE (c.zNum[k] == 0.0 && c.zDen[k] == 0.0) << k;
    }
}

} // namespace
