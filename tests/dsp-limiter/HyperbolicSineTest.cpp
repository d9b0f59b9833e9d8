// SPDX-License-Identifier: GPL-3.0-or-later
#include "dsp/HyperbolicSine.h"
#include <gtest/gtest.h>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace {

// Distance from the long double reference in units of the double ulp at the reference.
double ulpError (double x)
{
    const long double exact = std::sinh (static_cast<long double> (x));
    const double nearest = static_cast<double> (exact);
    const double ulp = std::nextafter (std::fabs (nearest), HUGE_VAL) - std::fabs (nearest);
    return static_cast<double> (std::fabs (static_cast<long double> (hyperbolicSine (x)) - exact)
                                / ulp);
}

bool sameBits (double a, double b)
{
    return std::memcmp (&a, &b, sizeof a) == 0;
}

}   // namespace

TEST (HyperbolicSine, WithinOneUlpOfTheLongDoubleValue)
{
    // Dense through the diode's working range (both sides of the series/exponential switch at 1),
    // log-spaced from subnormals to the overflow threshold, and random over the whole range.
    double worst = 0.0;
    double worstAt = 0.0;
    auto check = [&] (double x) {
        for (const double s : {x, -x})
        {
            const double e = ulpError (s);
            if (e > worst)
                worst = e, worstAt = s;
        }
    };
    for (double x = 0.0; x < 40.0; x += 0.0001237)
        check (x);
    for (double x = 1e-300; x < 710.0; x *= 1.0173)
        check (x);
    std::mt19937_64 rng (7);
    std::uniform_real_distribution<double> anywhere (0.0, 709.0);
    for (int i = 0; i < 200000; ++i)
        check (anywhere (rng));
    EXPECT_LE (worst, 1.0) << "at " << worstAt;
}

TEST (HyperbolicSine, EdgeValuesFollowTheCLibrary)
{
    EXPECT_TRUE (sameBits (hyperbolicSine (0.0), 0.0));
    EXPECT_TRUE (sameBits (hyperbolicSine (-0.0), -0.0));
    EXPECT_EQ (hyperbolicSine (-5e-320), -5e-320);   // sinh x = x below the series' reach
    EXPECT_TRUE (std::isnan (hyperbolicSine (std::numeric_limits<double>::quiet_NaN ())));
    for (const double x : {709.5, -710.0, 1e300, -HUGE_VAL, HUGE_VAL})
        EXPECT_TRUE (sameBits (hyperbolicSine (x), std::sinh (x))) << x;
    // Odd, and each lane on its own: a lane beyond the fast range leaves the other untouched.
    const TwoDoubles pair = hyperbolicSine (TwoDoubles {0.731, 1e308});
    EXPECT_TRUE (sameBits (pair[0], hyperbolicSine (0.731)));
    EXPECT_EQ (pair[1], HUGE_VAL);
    for (const double x : {0.25, 1.0, 3.5, 33.0, 708.9})
        EXPECT_TRUE (sameBits (hyperbolicSine (-x), -hyperbolicSine (x))) << x;
}
