// SPDX-License-Identifier: GPL-3.0-or-later
// Bilinear transform: closed forms of low orders and every order against an explicit long-double
// expansion.
#include "StageSupport.h"
#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr double kRate = 4 * 44100.0;
constexpr double kK = 2.0 * kRate;   // 352800
constexpr double kEps = std::numeric_limits<double>::epsilon();

// Lists run from s^5 down to s^0.
AnalogPrototype prototype (std::initializer_list<double> num, std::initializer_list<double> den)
{
    AnalogPrototype proto;
    std::copy (num.begin (), num.end (), proto.sNum);
    std::copy (den.begin (), den.end (), proto.sDen);
    return proto;
}

// Designs into garbage-filled coefficients and checks that every term past the order is zeroed.
DigitalCoefficients designed (const AnalogPrototype& proto, int order)
{
    DigitalCoefficients out;
    std::fill_n (out.zNum, 6, 12345.0);
    std::fill_n (out.zDen, 6, 12345.0);
    EXPECT_EQ (bilinearDesign (out, proto, kRate), order);
    EXPECT_EQ (out.zDen[0], 1.0);
    for (int k = order + 1; k < 6; ++k)
        EXPECT_TRUE (out.zNum[k] == 0.0 && out.zDen[k] == 0.0) << "order " << order << " k " << k;
    return out;
}

TEST (BilinearDesign, LowOrdersMatchTheirClosedForms)
{
    EXPECT_EQ (designed (prototype ({0, 0, 0, 0, 0, 3.0}, {0, 0, 0, 0, 0, 8.0}), 0).zNum[0], 3.0 / 8.0);

    const double p4 = 2.0e-4, p5 = 0.5, q4 = 3.0e-4, q5 = 1.0, d0 = q4 * kK + q5;
    const DigitalCoefficients first = designed (prototype ({0, 0, 0, 0, p4, p5}, {0, 0, 0, 0, q4, q5}), 1);
    EXPECT_DOUBLE_EQ (first.zNum[0], (p4 * kK + p5) / d0);
    EXPECT_DOUBLE_EQ (first.zNum[1], (p5 - p4 * kK) / d0);
    EXPECT_DOUBLE_EQ (first.zDen[1], (q5 - q4 * kK) / d0);

    // At 4 x 44100 Hz, K = 352800: a pole at s = -352800 lands exactly on z = 0 and a numerator
    // of 1 gives 1 / (2 K) per tap.
    const DigitalCoefficients k = designed (prototype ({0, 0, 0, 0, 0, 1.0}, {0, 0, 0, 0, 1.0, 352800.0}), 1);
    EXPECT_EQ (k.zDen[1], 0.0);
    EXPECT_DOUBLE_EQ (k.zNum[0], 1.0 / (2.0 * 352800.0));
    EXPECT_DOUBLE_EQ (k.zNum[1], 1.0 / (2.0 * 352800.0));
}

// Within eight rounding steps of the largest term entering each coefficient. Numerator powers above
// the denominator's order are present in the prototype and must be dropped, as the reference does.
TEST (BilinearDesign, EveryOrderAgreesWithTheExplicitExpansion)
{
    const double num[6] = {1.3e-17, -4.1e-10, 2.2e-5, 0.71, -93.0, 5.0e4};
    const double den[6] = {2.9e-17, 3.3e-10, 6.1e-6, 0.52, 127.0, 4.7e4};
    for (double rate : {176400.0, 192000.0})
        for (int order = 1; order <= 5; ++order)
        {
            AnalogPrototype proto;
            std::copy (num, num + 6, proto.sNum);
            std::copy (den + 5 - order, den + 6, proto.sDen + 5 - order);
            DigitalCoefficients got, want;
            double numScale[6], denScale[6];
            ASSERT_EQ (bilinearDesign (got, proto, rate), order);
            stagetest::referenceBilinear (proto, rate, want, numScale, denScale);
            for (int k = 0; k < 6; ++k)
            {
                EXPECT_NEAR (got.zNum[k], want.zNum[k], 8 * kEps * numScale[k]) << "order " << order << " k " << k;
                EXPECT_NEAR (got.zDen[k], want.zDen[k], 8 * kEps * denScale[k]) << "order " << order << " k " << k;
            }
        }
}

} // namespace
