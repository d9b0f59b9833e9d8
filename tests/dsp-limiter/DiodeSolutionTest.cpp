// SPDX-License-Identifier: GPL-3.0-or-later
#include "dsp/DiodeSolution.h"
#include <gtest/gtest.h>
#include <cmath>

namespace {

const DiodePairLaw kSymmetric {1e-16, 0.022, 1.0, 1.0};
const DiodePairLaw kDoubleNegative {1e-16, 0.022, 1.0, 2.0};

// The solver stops once two iterates agree within 1e-5 V and returns the earlier one.
constexpr double kSolutionToleranceV = 1.2e-5;

// Root of e + R I(v) - v (strictly decreasing in v) by bisection, written from the Shockley pair
// law rather than through the library's current function.
double bisectDiodeVoltage (const DiodePairLaw& law, double e, double rOhms)
{
    auto residual = [&] (double v) {
        const double x = v / ((v > 0.0 ? law.posScale : law.negScale) * law.thermalScaleV);
        return e - rOhms * law.saturationCurrentA * (std::exp (x) - std::exp (-x)) - v;
    };
    double lo = -6.0, hi = 6.0;
    for (int i = 0; i < 200 && hi - lo > 1e-15; ++i)
    {
        const double mid = 0.5 * (lo + hi);
        (residual (mid) > 0.0 ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
}

// Ordinate k of a table: the knot value, or the end of the last segment for the last knot.
double ordinate (const SplineTable& t, int k)
{
    const SplineTable::Segment& s = t.segment (std::min (k, 999));
    return k < 1000 ? s.a : s.a + s.b + s.c + s.d;
}

} // namespace

// Four tables, one diode each way or two in series on the negative side, behind 100 ohms or
// 1.0001 megohms, over sources of -5 ... 5 V in 10 mV steps (the abscissa is the source in
// hundredths of a volt): each ordinate is the diode voltage, rising with the source, and a
// zero source gives exactly zero. They are built once per process.
TEST (DiodeSolution, TablesHoldTheDiodeVoltageOnTheWholeGrid)
{
    const DiodeLimiterTables& t = sharedDiodeLimiterTables ();
    EXPECT_EQ (&t, &sharedDiodeLimiterTables ());
    const struct { const char* name; const SplineTable& table; DiodePairLaw law; double rOhms; } cases[] = {
        {"table0", t.table0, kSymmetric, 100.0}, {"table1", t.table1, kSymmetric, 1.0001e6},
        {"table2", t.table2, kDoubleNegative, 100.0}, {"table3", t.table3, kDoubleNegative, 1.0001e6}};
    for (const auto& c : cases)
    {
        ASSERT_EQ (c.table.size (), 1001u) << c.name;
        EXPECT_EQ (c.table.knots ().front (), -500.0) << c.name;
        EXPECT_NEAR (c.table.knots ().back (), 500.0, 1e-9) << c.name;
        EXPECT_EQ (c.table.evaluate (0.0), 0.0) << c.name;
        EXPECT_EQ (solveDiodeVoltage (c.law, 0.0, c.rOhms, 0.0), 0.0) << c.name;
        for (int k = 0; k <= 1000; ++k)
        {
            const double e = k * 0.01 - 5.0, v = ordinate (c.table, k);
            EXPECT_NEAR (v, bisectDiodeVoltage (c.law, e, c.rOhms), kSolutionToleranceV) << c.name << " e " << e;
            // First-order distance to the root through the library's law: residual over its slope.
            const double slope = c.rOhms * diodePairCurrentSlope (c.law, v) - 1.0;
            EXPECT_LE (std::fabs ((e + c.rOhms * diodePairCurrent (c.law, v) - v) / slope), kSolutionToleranceV) << c.name << " e " << e;
            EXPECT_TRUE (k == 0 || v > ordinate (c.table, k - 1)) << c.name << " e " << e;
        }
    }
}

// The blend weight falls strictly from 1 to 0 over 101 knots. Checksums of the ordinates, computed
// apart from the code, plain and weighted by k and k^2 so that a swapped or shifted entry shows.
TEST (DiodeSolution, WeightTableFallsFromOneToZero)
{
    const SplineTable& w = sharedDiodeLimiterTables ().weightTable;
    ASSERT_EQ (w.size (), 101u);
    double sum = 0.0, sumK = 0.0, sumK2 = 0.0;
    for (int k = 0; k < 100; ++k)
    {
        const double y = w.evaluate (static_cast<double> (k));
        sum += y, sumK += k * y, sumK2 += k * k * y;
        EXPECT_TRUE (k == 0 || y < w.evaluate (k - 1.0)) << k;
    }
    EXPECT_NEAR (sum, 11.5079, 1e-9);
    EXPECT_NEAR (sumK, 271.4498, 1e-9);
    EXPECT_NEAR (sumK2, 12067.2122, 1e-8);
    EXPECT_EQ (w.evaluate (0.0), 1.0);
    EXPECT_EQ (w.evaluate (10.0), 0.25);
    EXPECT_NEAR (w.evaluate (100.0), 0.0, 1e-12);
}

// The audio-thread current multiplies by a precomputed reciprocal of the voltage scale.
TEST (DiodeSolution, PerSampleCurrentAgreesWithTheDividingForm)
{
    for (double v = -2.0; v <= 2.0; v += 0.00137)
    {
        const double exact = diodePairCurrent (kSymmetric, v);
        EXPECT_NEAR (diodePairCurrentRt (v, kSymmetric.saturationCurrentA, 1.0 / kSymmetric.thermalScaleV), exact,
                     1e-12 * std::fabs (exact)) << v;
    }
}
