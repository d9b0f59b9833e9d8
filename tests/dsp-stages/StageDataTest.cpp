// SPDX-License-Identifier: GPL-3.0-or-later
// Circuit facts of the stage designs: which models have which stage, the DC gains that follow
// from the circuits, the level stages at zero and the responses of the simplest networks.
#include "StageSupport.h"
#include "dsp/PedalStageDesigns.h"
#include <gtest/gtest.h>
#include <functional>

namespace {

using namespace stagetest;
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

// At 0 every level numerator vanishes, so the section is silent rather than dividing by zero.
TEST (PedalStageData, LevelStagesAreSilentAtZero)
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

// Prototypes against transfer functions written by hand from the circuits' component values, for
// the networks simple enough to write down. The tables round to ten significant digits.
TEST (StageCircuit, PrototypesMatchTheirCircuits)
{
    using Circuit = std::function<Complex (Complex s, double x)>;
    using Fill = std::function<bool (double x, AnalogPrototype&)>;
    const struct { const char* name; Fill fill; Circuit circuit; } cases[] = {
        // Non-inverting gain 1 + Rf / (Rpot x + R + 1 / sC) with the fixed output factor 1.3.
        {"XXL drive", [] (double x, AnalogPrototype& p) { return pedal::driveStagePrototype (1, x, p); },
         [] (Complex s, double x) { return 1.3 * (1.0 + 1.0e6 / (1.0e6 * x + 4700.0 + 1.0 / (s * 4.7e-8))); }},
        // 1 + Zf / Zg: Zf = Rpot x || Cf, Zg = (R1 + 1/sC1) || (R2 + 1/sC2).
        {"BAT drive", [] (double x, AnalogPrototype& p) { return pedal::driveStagePrototype (2, x, p); },
         [] (Complex s, double x) {
             const Complex feedback = (150000.0 * x) / (1.0 + s * 150000.0 * x * 1e-10);
             const Complex leg1 = 47.0 + 1.0 / (s * 2.2e-6), leg2 = 560.0 + 1.0 / (s * 4.7e-6);
             return 1.0 + feedback * (leg1 + leg2) / (leg1 * leg2);
         }},
        // Coupling capacitor into a fixed resistor and the level pot, output at the wiper.
        {"Over Drive level", [] (double x, AnalogPrototype& p) { return pedal::levelStagePrototype (3, x, p); },
         [] (Complex s, double x) { return 100000.0 * x / (100000.0 + 10000.0 + 1.0 / (s * 1e-6)); }}};
    for (const auto& c : cases)
        for (double x = 0.0; x <= 1.0; x += 0.25)
        {
            AnalogPrototype proto;
            ASSERT_TRUE (c.fill (x, proto));
            for (double hz : {10.0, 100.0, 1000.0, 10000.0, 40000.0})
            {
                const Complex s (0.0, 2 * kPi * hz);
                const Complex want = c.circuit (s, x);
                EXPECT_LE (std::abs (analogResponse (proto, s.imag()) - want), 1e-9 * std::abs (want))
                    << c.name << " x " << x << " at " << hz << " Hz";
            }
        }
}

} // namespace
