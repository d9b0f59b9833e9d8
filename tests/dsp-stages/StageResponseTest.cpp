// SPDX-License-Identifier: GPL-3.0-or-later
// The bilinear transform against closed forms and an explicit long-double expansion, and every
// designed stage against its analog prototype: its transform, its unwarped response, its poles.
#include "StageSupport.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <limits>

namespace {

using namespace stagetest;
constexpr double kEps = std::numeric_limits<double>::epsilon ();

// Within eight rounding steps of the largest term entering each coefficient.
void expectNearReference (const AnalogPrototype& proto, double rate, const DigitalCoefficients& got,
                          const std::string& where)
{
    DigitalCoefficients want;
    double numScale[6], denScale[6];
    referenceBilinear (proto, rate, want, numScale, denScale);
    for (int k = 0; k < 6; ++k)
    {
        EXPECT_NEAR (got.zNum[k], want.zNum[k], 8 * kEps * numScale[k]) << where << " k " << k;
        EXPECT_NEAR (got.zDen[k], want.zDen[k], 8 * kEps * denScale[k]) << where << " k " << k;
    }
}

// Prototypes list s^5 down to s^0. Designs at 4 x 44100 Hz (K = 352800) into garbage-filled
// coefficients; every term past the order must be zeroed.
TEST (BilinearDesign, LowOrdersMatchTheirClosedForms)
{
    constexpr double kK = 352800.0;
    auto designed = [] (const AnalogPrototype& proto, int order) {
        DigitalCoefficients out;
        std::fill_n (out.zNum, 6, 12345.0);
        std::fill_n (out.zDen, 6, 12345.0);
        EXPECT_EQ (bilinearDesign (out, proto, kK / 2), order);
        EXPECT_EQ (out.zDen[0], 1.0);
        for (int k = order + 1; k < 6; ++k)
        {
            EXPECT_EQ (out.zNum[k], 0.0) << "order " << order << " k " << k;
            EXPECT_EQ (out.zDen[k], 0.0) << "order " << order << " k " << k;
        }
        return out;
    };
    EXPECT_EQ (designed ({{0, 0, 0, 0, 0, 3.0}, {0, 0, 0, 0, 0, 8.0}}, 0).zNum[0], 3.0 / 8.0);

    // Numerator powers above the denominator's order are dropped.
    const double p4 = 2.0e-4, p5 = 0.5, q4 = 3.0e-4, q5 = 1.0, d0 = q4 * kK + q5;
    const DigitalCoefficients first =
        designed ({{1.3e-17, -4.1e-10, 2.2e-5, 0.71, p4, p5}, {0, 0, 0, 0, q4, q5}}, 1);
    EXPECT_DOUBLE_EQ (first.zNum[0], (p4 * kK + p5) / d0);
    EXPECT_DOUBLE_EQ (first.zNum[1], (p5 - p4 * kK) / d0);
    EXPECT_DOUBLE_EQ (first.zDen[1], (q5 - q4 * kK) / d0);

    // A pole at s = -K lands exactly on z = 0, and a numerator of 1 gives 1 / (2 K) per tap.
    const DigitalCoefficients k = designed ({{0, 0, 0, 0, 0, 1.0}, {0, 0, 0, 0, 1.0, kK}}, 1);
    EXPECT_EQ (k.zDen[1], 0.0);
    EXPECT_DOUBLE_EQ (k.zNum[0], 1.0 / (2.0 * kK));
    EXPECT_DOUBLE_EQ (k.zNum[1], 1.0 / (2.0 * kK));
}

// Each design is the transform of its prototype, within rounding of the expansion at every order
// and at the stages' extreme scales, and within 0.1 dB of the prototype evaluated directly (no
// warping) below a quarter of the rate where poles and zeros lie far from it, to 5 kHz elsewhere.
TEST (StageResponse, DesignIsTheTransformAndFollowsTheUnwarpedAnalogResponse)
{
    const std::string wideBand[] = {
        "XxlDistortionInput", "BatDistortionInput", "OverDriveInput", "SuperDriveInput",
        "NineScreamerInput",  "808ScreamerInput",   "MetalToneInput", "XxlDistortionDrive",
        "XxlDistortionLevel", "BatDistortionLevel", "OverDriveLevel", "SuperDriveLevel",
        "NineScreamerLevel",  "808ScreamerLevel",   "MetalTonePost"};
    for (const StageCase& stage : allStages ())
        for (auto [x, y] : controlPoints (stage, 4))
            for (double rate : {176400.0, 192000.0})
            {
                const std::string where = stage.name + " x " + std::to_string (x) + " y "
                                          + std::to_string (y) + " rate " + std::to_string (rate);
                AnalogPrototype proto;
                DigitalCoefficients got;
                stage.prototype (x, y, proto);
                stage.design (x, y, rate, got);
                expectNearReference (proto, rate, got, where);
                const bool wide = std::find (std::begin (wideBand), std::end (wideBand), stage.name)
                                  != std::end (wideBand);
                for (double hz : {20.0, 100.0, 440.0, 1000.0, 3000.0, 5000.0, 8000.0, 15000.0,
                                  30000.0, 44000.0})
                {
                    const Complex analog = analogResponse (proto, 2 * kPi * hz);
                    if ((wide || hz <= 5000.0)
                        && std::abs (analog) != 0.0)   // a level pot at 0 has no response
                    {
                        EXPECT_NEAR (toDb (std::abs (digitalResponse (got, 2 * kPi * hz / rate))),
                                     toDb (std::abs (analog)), 0.1)
                            << where << " at " << hz << " Hz";
                    }
                }
            }
}

// Poles inside the unit circle, also after rounding to the precision each section is stored in, at
// both rates the engine designs at (every host rate times its factor gives 176.4 or 192 kHz).
TEST (StageStability, AllPolesInsideUnitCircleAtEveryEngineRate)
{
    const double inside[6] = {1.0, -1.8, 0.81}, outside[6] = {1.0, -2.2, 1.21},
                 onCircle[6] = {1.0, 0.0, 1.0};
    ASSERT_TRUE (polesInsideUnitCircle (inside, 2));
    ASSERT_FALSE (polesInsideUnitCircle (outside, 2));
    ASSERT_FALSE (polesInsideUnitCircle (onCircle, 2));
    for (double rate : {176400.0, 192000.0})
        for (const StageCase& stage : allStages ())
            for (auto [x, y] : controlPoints (stage, 20))
            {
                DigitalCoefficients c;
                stage.design (x, y, rate, c);
                int order = 5;
                while (order > 0 && c.zDen[order] == 0.0)
                    --order;
                double rounded[6];
                for (int k = 0; k < 6; ++k)
                    rounded[k] = stage.singlePrecision ? static_cast<float> (c.zDen[k]) : c.zDen[k];
                EXPECT_TRUE (polesInsideUnitCircle (c.zDen, order))
                    << stage.name << " x " << x << " y " << y << " rate " << rate;
                EXPECT_TRUE (polesInsideUnitCircle (rounded, order))
                    << stage.name << " x " << x << " y " << y << " rate " << rate;
            }
}

}   // namespace
