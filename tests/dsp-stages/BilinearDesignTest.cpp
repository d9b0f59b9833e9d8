// SPDX-License-Identifier: GPL-3.0-or-later
// Bilinear transform: closed forms of low orders, the order rule, and a cross-check of every
// order against an explicit long-double expansion.
#include "TransferFunctions.h"
#include "dsp/BilinearDesign.h"
#include <gtest/gtest.h>
#include <cmath>
#include <limits>

namespace {

constexpr double kRate = 4 * 44100.0;   // 176400 Hz
constexpr double kK = 2.0 * kRate;      // 352800

AnalogPrototype prototype (std::initializer_list<double> num, std::initializer_list<double> den)
{
    // Lists run from s^5 down to s^0.
    AnalogPrototype proto;
    int k = 0;
    for (double v : num)
        proto.sNum[k++] = v;
    k = 0;
    for (double v : den)
        proto.sDen[k++] = v;
    return proto;
}

DigitalCoefficients filledWithGarbage()
{
    DigitalCoefficients out;
    for (int k = 0; k < 6; ++k)
        out.zNum[k] = out.zDen[k] = 12345.0;
    return out;
}

TEST (BilinearDesign, FirstOrderMatchesClosedForm)
{
    const double p4 = 2.0e-4, p5 = 0.5, q4 = 3.0e-4, q5 = 1.0;
    const AnalogPrototype proto = prototype ({0, 0, 0, 0, p4, p5}, {0, 0, 0, 0, q4, q5});
    DigitalCoefficients out = filledWithGarbage();
    EXPECT_EQ (bilinearDesign (out, proto, kRate), 1);
    const double d0 = q4 * kK + q5;
    EXPECT_DOUBLE_EQ (out.zNum[0], (p4 * kK + p5) / d0);
    EXPECT_DOUBLE_EQ (out.zNum[1], (p5 - p4 * kK) / d0);
    EXPECT_EQ (out.zDen[0], 1.0);
    EXPECT_DOUBLE_EQ (out.zDen[1], (q5 - q4 * kK) / d0);
    for (int k = 2; k < 6; ++k)
    {
        EXPECT_EQ (out.zNum[k], 0.0) << k;
        EXPECT_EQ (out.zDen[k], 0.0) << k;
    }
}

TEST (BilinearDesign, RateFourTimes44100GivesKOf352800)
{
    // A pole at s = -352800 lands exactly on z = 0; its numerator 1 gives 1 / (2 K) per tap.
    const AnalogPrototype proto = prototype ({0, 0, 0, 0, 0, 1.0}, {0, 0, 0, 0, 1.0, 352800.0});
    DigitalCoefficients out;
    bilinearDesign (out, proto, kRate);
    EXPECT_EQ (out.zDen[1], 0.0);
    EXPECT_DOUBLE_EQ (out.zNum[0], 1.0 / (2.0 * 352800.0));
    EXPECT_DOUBLE_EQ (out.zNum[1], 1.0 / (2.0 * 352800.0));
}

TEST (BilinearDesign, ZeroOrderIsPureGain)
{
    const AnalogPrototype proto = prototype ({0, 0, 0, 0, 0, 3.0}, {0, 0, 0, 0, 0, 8.0});
    DigitalCoefficients out = filledWithGarbage();
    EXPECT_EQ (bilinearDesign (out, proto, kRate), 0);
    EXPECT_EQ (out.zNum[0], 3.0 / 8.0);
    EXPECT_EQ (out.zDen[0], 1.0);
    for (int k = 1; k < 6; ++k)
    {
        EXPECT_EQ (out.zNum[k], 0.0) << k;
        EXPECT_EQ (out.zDen[k], 0.0) << k;
    }
}

TEST (BilinearDesign, OrderFollowsHighestNonZeroDenominatorPower)
{
    for (int order = 0; order <= 5; ++order)
    {
        AnalogPrototype proto;
        for (int k = 5 - order; k < 6; ++k)
            proto.sDen[k] = 1.0;
        proto.sNum[5] = 1.0;
        EXPECT_EQ (prototypeOrder (proto.sDen), order);
        DigitalCoefficients out;
        EXPECT_EQ (bilinearDesign (out, proto, kRate), order);
    }
}

TEST (BilinearDesign, NumeratorTermsAboveDenominatorOrderAreDropped)
{
    const AnalogPrototype full = prototype ({7.0, 5.0, 3.0, 2e-9, 4e-5, 1.0}, {0, 0, 0, 1e-9, 5e-5, 1.0});
    const AnalogPrototype truncated = prototype ({0, 0, 0, 2e-9, 4e-5, 1.0}, {0, 0, 0, 1e-9, 5e-5, 1.0});
    DigitalCoefficients a, b;
    EXPECT_EQ (bilinearDesign (a, full, kRate), 2);
    bilinearDesign (b, truncated, kRate);
    for (int k = 0; k < 6; ++k)
    {
        EXPECT_EQ (a.zNum[k], b.zNum[k]) << k;
        EXPECT_EQ (a.zDen[k], b.zDen[k]) << k;
    }
}

TEST (BilinearDesign, FifthOrderFirstDelayTermMatchesClosedForm)
{
    const double p[6] = {3.8e-17, 2.7e-10, 1.7e-05, 0.25, 237.0, 141554.0};
    const double q[6] = {3.8e-17, 2.4e-10, 5.8e-06, 0.23, 127.0, 141554.0};
    const AnalogPrototype proto = prototype ({p[0], p[1], p[2], p[3], p[4], p[5]},
                                             {q[0], q[1], q[2], q[3], q[4], q[5]});
    DigitalCoefficients out;
    ASSERT_EQ (bilinearDesign (out, proto, kRate), 5);
    const double k2 = kK * kK, k3 = k2 * kK, k4 = k3 * kK, k5 = k4 * kK;
    const double d0 = q[0] * k5 + q[1] * k4 + q[2] * k3 + q[3] * k2 + q[4] * kK + q[5];
    const double num1Terms[6] = {-5 * p[0] * k5, -3 * p[1] * k4, -p[2] * k3, p[3] * k2, 3 * p[4] * kK, 5 * p[5]};
    const double den1Terms[6] = {-5 * q[0] * k5, -3 * q[1] * k4, -q[2] * k3, q[3] * k2, 3 * q[4] * kK, 5 * q[5]};
    double num1 = 0, den1 = 0, numScale = 0, denScale = 0;
    for (int m = 0; m < 6; ++m)
    {
        num1 += num1Terms[m];
        den1 += den1Terms[m];
        numScale += std::fabs (num1Terms[m]);
        denScale += std::fabs (den1Terms[m]);
    }
    // Cancellation between terms: allow a few rounding steps of the largest magnitude involved.
    const double eps = std::numeric_limits<double>::epsilon();
    EXPECT_NEAR (out.zNum[1], num1 / d0, 16 * eps * numScale / d0);
    EXPECT_NEAR (out.zDen[1], den1 / d0, 16 * eps * denScale / d0);
    // z^0 terms: every power contributes with coefficient +1.
    const double num0 = p[0] * k5 + p[1] * k4 + p[2] * k3 + p[3] * k2 + p[4] * kK + p[5];
    EXPECT_NEAR (out.zNum[0], num0 / d0, 16 * eps * std::fabs (num0 / d0));
    EXPECT_EQ (out.zDen[0], 1.0);
}

// Every order against the long-double product expansion, within a few ulps of the largest term.
TEST (BilinearDesign, AgreesWithExplicitExpansionForEveryOrder)
{
    const double num[6] = {1.3e-17, -4.1e-10, 2.2e-5, 0.71, -93.0, 5.0e4};
    const double den[6] = {2.9e-17, 3.3e-10, 6.1e-6, 0.52, 127.0, 4.7e4};
    const double eps = std::numeric_limits<double>::epsilon();
    for (double rate : {176400.0, 192000.0})
        for (int order = 1; order <= 5; ++order)
        {
            AnalogPrototype proto;
            for (int k = 5 - order; k < 6; ++k)
            {
                proto.sNum[k] = num[k];
                proto.sDen[k] = den[k];
            }
            DigitalCoefficients got, want;
            double numScale[6], denScale[6];
            ASSERT_EQ (bilinearDesign (got, proto, rate), order);
            stagetest::referenceBilinear (proto, rate, want, numScale, denScale);
            for (int k = 0; k < 6; ++k)
            {
                EXPECT_NEAR (got.zNum[k], want.zNum[k], 8 * eps * numScale[k]) << "order " << order << " k " << k;
                EXPECT_NEAR (got.zDen[k], want.zDen[k], 8 * eps * denScale[k]) << "order " << order << " k " << k;
            }
        }
}

} // namespace
