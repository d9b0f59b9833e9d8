// SPDX-License-Identifier: GPL-3.0-or-later
// Frequency responses of every designed stage against its analog prototype.
// The bilinear transform maps the analog response at the warped frequency K tan(w / 2) exactly onto
// the digital response at w, so that comparison only sees rounding; against the unwarped analog
// response the digital one drifts as the frequency approaches the rate.
#include "StageCatalogue.h"
#include "TransferFunctions.h"
#include <gtest/gtest.h>
#include <cmath>
#include <limits>

namespace {

using namespace stagetest;

constexpr double kWarpedToleranceDb = 0.01;
constexpr double kWarpedToleranceDegrees = 0.01;
constexpr double kUnwarpedToleranceDb = 0.1;
// Highest frequency at which every stage follows the unwarped analog response within 0.1 dB.
constexpr double kAudioBandLimitHz = 5000.0;

const double kTestFrequenciesHz[] = {20.0, 100.0, 440.0, 1000.0, 3000.0, 5000.0, 8000.0, 15000.0, 30000.0, 44000.0};

std::vector<std::pair<double, double>> controlPoints (const StageCase& stage)
{
    std::vector<std::pair<double, double>> points;
    const std::vector<double> grid = controlGrid (4);
    if (stage.controlCount == 0)
        points.push_back ({0.0, 0.0});
    else if (stage.controlCount == 1)
        for (double x : grid)
            points.push_back ({x, 0.0});
    else
        for (double x : grid)
            for (double y : grid)
                points.push_back ({x, y});
    return points;
}

TEST (StageResponse, DesignIsBilinearTransformOfPrototype)
{
    for (const StageCase& stage : allStages())
        for (auto [x, y] : controlPoints (stage))
            for (double rate : {176400.0, 192000.0})
            {
                AnalogPrototype proto;
                stage.prototype (x, y, proto);
                DigitalCoefficients want, got;
                bilinearDesign (want, proto, rate);
                stage.design (x, y, rate, got);
                for (int k = 0; k < 6; ++k)
                {
                    EXPECT_EQ (got.zNum[k], want.zNum[k]) << stage.name << " x " << x << " y " << y;
                    EXPECT_EQ (got.zDen[k], want.zDen[k]) << stage.name << " x " << x << " y " << y;
                }
            }
}

// The per-order closed forms against a long-double product expansion, on real stage data: within
// eight rounding steps of the largest term that enters each coefficient.
TEST (StageResponse, DesignAgreesWithExplicitExpansion)
{
    const double eps = std::numeric_limits<double>::epsilon();
    for (const StageCase& stage : allStages())
        for (auto [x, y] : controlPoints (stage))
            for (double rate : {176400.0, 192000.0})
            {
                AnalogPrototype proto;
                stage.prototype (x, y, proto);
                DigitalCoefficients got, want;
                double numScale[6], denScale[6];
                bilinearDesign (got, proto, rate);
                referenceBilinear (proto, rate, want, numScale, denScale);
                for (int k = 0; k < 6; ++k)
                {
                    EXPECT_NEAR (got.zNum[k], want.zNum[k], 8 * eps * numScale[k]) << stage.name << " x " << x << " y " << y << " k " << k;
                    EXPECT_NEAR (got.zDen[k], want.zDen[k], 8 * eps * denScale[k]) << stage.name << " x " << x << " y " << y << " k " << k;
                }
            }
}

TEST (StageResponse, DigitalEqualsAnalogAtWarpedFrequency)
{
    for (const StageCase& stage : allStages())
        for (auto [x, y] : controlPoints (stage))
            for (double rate : {176400.0, 192000.0})
            {
                AnalogPrototype proto;
                DigitalCoefficients coeffs;
                stage.prototype (x, y, proto);
                stage.design (x, y, rate, coeffs);
                for (double hz : kTestFrequenciesHz)
                {
                    ASSERT_LT (hz, rate / 4);
                    const Complex analog = analogResponse (proto, warpedOmega (hz, rate));
                    if (std::abs (analog) == 0.0)
                        continue;   // level stages at x = 0
                    const Complex digital = digitalResponse (coeffs, 2 * kPi * hz / rate);
                    const double phaseErrorDegrees = std::abs (std::arg (digital / analog)) * 180.0 / kPi;
                    EXPECT_NEAR (toDb (std::abs (digital)), toDb (std::abs (analog)), kWarpedToleranceDb)
                        << stage.name << " x " << x << " y " << y << " at " << hz << " Hz, rate " << rate;
                    EXPECT_LT (phaseErrorDegrees, kWarpedToleranceDegrees)
                        << stage.name << " x " << x << " y " << y << " at " << hz << " Hz, rate " << rate;
                }
            }
}

// Stages whose poles and zeros all lie far below a quarter of the rate (or far above it) follow the
// unwarped response up to fs / 4; the rest are checked across the audio band.
bool featuresFarFromQuarterRate (const std::string& name)
{
    static const char* const names[] = {
        "XxlDistortionInput", "BatDistortionInput", "OverDriveInput", "SuperDriveInput",
        "NineScreamerInput", "808ScreamerInput", "MetalToneInput", "XxlDistortionDrive",
        "XxlDistortionLevel", "BatDistortionLevel", "OverDriveLevel", "SuperDriveLevel",
        "NineScreamerLevel", "808ScreamerLevel", "MetalTonePost"};
    for (const char* candidate : names)
        if (name == candidate)
            return true;
    return false;
}

TEST (StageResponse, DigitalFollowsUnwarpedAnalogResponse)
{
    for (const StageCase& stage : allStages())
    {
        const bool wideBand = featuresFarFromQuarterRate (stage.name);
        for (auto [x, y] : controlPoints (stage))
            for (double rate : {176400.0, 192000.0})
            {
                AnalogPrototype proto;
                DigitalCoefficients coeffs;
                stage.prototype (x, y, proto);
                stage.design (x, y, rate, coeffs);
                for (double hz : kTestFrequenciesHz)
                {
                    if (! wideBand && hz > kAudioBandLimitHz)
                        continue;
                    const Complex analog = analogResponse (proto, 2 * kPi * hz);
                    if (std::abs (analog) == 0.0)
                        continue;
                    const Complex digital = digitalResponse (coeffs, 2 * kPi * hz / rate);
                    EXPECT_NEAR (toDb (std::abs (digital)), toDb (std::abs (analog)), kUnwarpedToleranceDb)
                        << stage.name << " x " << x << " y " << y << " at " << hz << " Hz, rate " << rate;
                }
            }
    }
}

} // namespace
