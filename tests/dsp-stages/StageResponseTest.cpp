// SPDX-License-Identifier: GPL-3.0-or-later
// Every designed stage against its analog prototype: the bilinear transform of it, close to its
// unwarped response well below the rate, and stable.
#include "StageSupport.h"
#include <gtest/gtest.h>
#include <cmath>
#include <limits>

namespace {

using namespace stagetest;

const double kTestFrequenciesHz[] = {20.0, 100.0, 440.0, 1000.0, 3000.0, 5000.0, 8000.0, 15000.0, 30000.0, 44000.0};

// Runs check (stage, x, y, rate, prototype, design) over every stage, control point and rate.
template <typename Check>
void forEveryDesign (Check check)
{
    for (const StageCase& stage : allStages())
        for (auto [x, y] : controlPoints (stage, 4))
            for (double rate : {176400.0, 192000.0})
            {
                AnalogPrototype proto;
                DigitalCoefficients coeffs;
                stage.prototype (x, y, proto);
                stage.design (x, y, rate, coeffs);
                check (stage, x, y, rate, proto, coeffs);
            }
}

// The design is exactly the transform of its prototype, which agrees with the long-double
// expansion within eight rounding steps of its largest term even at the stages' extreme scales.
TEST (StageResponse, DesignIsTheBilinearTransformOfThePrototype)
{
    const double eps = std::numeric_limits<double>::epsilon();
    forEveryDesign ([&] (const StageCase& stage, double x, double y, double rate, const AnalogPrototype& proto,
                         const DigitalCoefficients& got) {
        DigitalCoefficients direct, want;
        double numScale[6], denScale[6];
        bilinearDesign (direct, proto, rate);
        referenceBilinear (proto, rate, want, numScale, denScale);
        for (int k = 0; k < 6; ++k)
        {
            EXPECT_TRUE (got.zNum[k] == direct.zNum[k] && got.zDen[k] == direct.zDen[k]) << stage.name << " x " << x << " y " << y;
            EXPECT_NEAR (got.zNum[k], want.zNum[k], 8 * eps * numScale[k]) << stage.name << " x " << x << " y " << y << " k " << k;
            EXPECT_NEAR (got.zDen[k], want.zDen[k], 8 * eps * denScale[k]) << stage.name << " x " << x << " y " << y << " k " << k;
        }
    });
}

// Within 0.1 dB of the analog prototype evaluated directly (no warping) below a quarter of the
// rate for stages whose poles and zeros lie far from it, and across the audio band to 5 kHz for
// the rest.
TEST (StageResponse, FollowsTheUnwarpedAnalogResponse)
{
    const std::string wideBand[] = {
        "XxlDistortionInput", "BatDistortionInput", "OverDriveInput", "SuperDriveInput",
        "NineScreamerInput", "808ScreamerInput", "MetalToneInput", "XxlDistortionDrive",
        "XxlDistortionLevel", "BatDistortionLevel", "OverDriveLevel", "SuperDriveLevel",
        "NineScreamerLevel", "808ScreamerLevel", "MetalTonePost"};
    forEveryDesign ([&] (const StageCase& stage, double x, double y, double rate, const AnalogPrototype& proto,
                         const DigitalCoefficients& coeffs) {
        const bool wide = std::find (std::begin (wideBand), std::end (wideBand), stage.name) != std::end (wideBand);
        for (double hz : kTestFrequenciesHz)
        {
            ASSERT_LT (hz, rate / 4);
            const Complex analog = analogResponse (proto, 2 * kPi * hz);
            if ((! wide && hz > 5000.0) || std::abs (analog) == 0.0)
                continue;
            EXPECT_NEAR (toDb (std::abs (digitalResponse (coeffs, 2 * kPi * hz / rate))), toDb (std::abs (analog)), 0.1)
                << stage.name << " x " << x << " y " << y << " at " << hz << " Hz, rate " << rate;
        }
    });
}

// Every stage over a grid of controls has its poles inside the unit circle, also after rounding to
// the precision it is stored in, at both rates the engine designs at (every host rate times its
// factor gives 176.4 or 192 kHz).
TEST (StageStability, AllPolesInsideUnitCircleAtEveryEngineRate)
{
    // The step-down test itself, on polynomials either side of the circle.
    const double inside[6] = {1.0, -1.8, 0.81}, outside[6] = {1.0, -2.2, 1.21}, onCircle[6] = {1.0, 0.0, 1.0};
    ASSERT_TRUE (polesInsideUnitCircle (inside, 2));
    ASSERT_FALSE (polesInsideUnitCircle (outside, 2));
    ASSERT_FALSE (polesInsideUnitCircle (onCircle, 2));

    for (double rate : {176400.0, 192000.0})
        for (const StageCase& stage : allStages())
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
                EXPECT_TRUE (polesInsideUnitCircle (c.zDen, order) && polesInsideUnitCircle (rounded, order))
                    << stage.name << " x " << x << " y " << y << " rate " << rate;
            }
}

} // namespace
