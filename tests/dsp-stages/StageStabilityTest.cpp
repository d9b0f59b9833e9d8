// SPDX-License-Identifier: GPL-3.0-or-later
// Every stage, over a grid of control values and at every rate the engine runs at, designs a
// section whose poles lie inside the unit circle, also after its coefficients are rounded to the
// precision the engine stores them in.
#include "StageCatalogue.h"
#include "TransferFunctions.h"
#include <gtest/gtest.h>

namespace {

using namespace stagetest;

int designedOrder (const DigitalCoefficients& c)
{
    for (int k = 5; k > 0; --k)
        if (c.zDen[k] != 0.0)
            return k;
    return 0;
}

void expectStable (const StageCase& stage, double x, double y, double rate)
{
    DigitalCoefficients c;
    stage.design (x, y, rate, c);
    const int order = designedOrder (c);
    EXPECT_TRUE (polesInsideUnitCircle (c.zDen, order))
        << stage.name << " x " << x << " y " << y << " rate " << rate;
    if (stage.singlePrecision)
    {
        double rounded[6];
        for (int k = 0; k < 6; ++k)
            rounded[k] = static_cast<float> (c.zDen[k]);
        EXPECT_TRUE (polesInsideUnitCircle (rounded, order))
            << stage.name << " (single precision) x " << x << " y " << y << " rate " << rate;
    }
}

TEST (StageStability, AllPolesInsideUnitCircleAtEveryEngineRate)
{
    const std::vector<double> grid = controlGrid (20);
    for (const EngineRate& engineRate : engineRates())
    {
        const double rate = engineRate.rateHz();
        for (const StageCase& stage : allStages())
        {
            if (stage.controlCount == 0)
                expectStable (stage, 0.0, 0.0, rate);
            else if (stage.controlCount == 1)
                for (double x : grid)
                    expectStable (stage, x, 0.0, rate);
            else
                for (double x : grid)
                    for (double y : grid)
                        expectStable (stage, x, y, rate);
        }
    }
}

// The step-down test itself: known polynomials on both sides of the unit circle.
TEST (StageStability, StepDownTestSeparatesStableFromUnstable)
{
    const double stable[6] = {1.0, -1.8, 0.81, 0, 0, 0};     // double pole at z = 0.9
    const double unstable[6] = {1.0, -2.2, 1.21, 0, 0, 0};   // double pole at z = 1.1
    const double onCircle[6] = {1.0, 0.0, 1.0, 0, 0, 0};     // poles at z = +-j
    const double thirdOrder[6] = {1.0, -0.5, 0.25, -0.125, 0, 0};
    EXPECT_TRUE (polesInsideUnitCircle (stable, 2));
    EXPECT_FALSE (polesInsideUnitCircle (unstable, 2));
    EXPECT_FALSE (polesInsideUnitCircle (onCircle, 2));
    EXPECT_TRUE (polesInsideUnitCircle (thirdOrder, 3));
}

} // namespace
