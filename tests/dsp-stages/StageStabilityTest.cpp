// SPDX-License-Identifier: GPL-3.0-or-later
// Every stage over a grid of controls and at every rate the engine runs at designs a section whose
// poles lie inside the unit circle, also after rounding to the precision the engine stores.
#include "StageSupport.h"
#include <gtest/gtest.h>

namespace {

using namespace stagetest;

TEST (StageStability, AllPolesInsideUnitCircleAtEveryEngineRate)
{
    // The step-down test itself, on polynomials either side of the circle.
    const double inside[6] = {1.0, -1.8, 0.81}, outside[6] = {1.0, -2.2, 1.21}, onCircle[6] = {1.0, 0.0, 1.0};
    ASSERT_TRUE (polesInsideUnitCircle (inside, 2));
    ASSERT_FALSE (polesInsideUnitCircle (outside, 2));
    ASSERT_FALSE (polesInsideUnitCircle (onCircle, 2));

    // Host rate times its oversampling factor.
    for (double rate : {4 * 44100.0, 4 * 48000.0, 2 * 96000.0, 176400.0, 192000.0, 8 * 22050.0, 6 * 32000.0})
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
