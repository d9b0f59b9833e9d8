// SPDX-License-Identifier: GPL-3.0-or-later
#include "dsp/DiodeSolution.h"
#include <gtest/gtest.h>
#include <cmath>

namespace {

const DiodePairLaw kSymmetric {1e-16, 0.022, 1.0, 1.0};
const DiodePairLaw kDoubleNegative {1e-16, 0.022, 1.0, 2.0};

struct TableCase
{
    const char* name;
    const SplineTable& table;
    DiodePairLaw law;
    double rOhms;
};

std::vector<TableCase> solutionTables ()
{
    const DiodeLimiterTables& t = sharedDiodeLimiterTables ();
    return {{"table0", t.table0, kSymmetric, 100.0},
            {"table1", t.table1, kSymmetric, 1.0001e6},
            {"table2", t.table2, kDoubleNegative, 100.0},
            {"table3", t.table3, kDoubleNegative, 1.0001e6}};
}

// Root of e + R I(v) - v (strictly decreasing in v) by bisection, written out from the
// Shockley pair law rather than through the library's current function.
double bisectDiodeVoltage (const DiodePairLaw& law, double e, double rOhms)
{
    auto residual = [&] (double v) {
        const double n = v > 0.0 ? law.posScale : law.negScale;
        const double x = v / (n * law.thermalScaleV);
        const double current = -law.saturationCurrentA * (std::exp (x) - std::exp (-x));
        return e + rOhms * current - v;
    };
    double lo = -6.0, hi = 6.0;
    for (int i = 0; i < 200 && hi - lo > 1e-15; ++i)
    {
        const double mid = 0.5 * (lo + hi);
        (residual (mid) > 0.0 ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
}

double gridVoltage (int k) { return k * 0.01 - 5.0; }

// Ordinate k of a table: the knot value, or the end of the last segment for the last knot.
double ordinate (const SplineTable& t, int k)
{
    if (k < 1000)
        return t.segment (k).a;
    const SplineTable::Segment& s = t.segment (999);
    return s.a + s.b + s.c + s.d;
}

} // namespace

// The solver stops once two iterates agree within 1e-5 V and returns the earlier one, so the
// table holds each solution to about 1e-5 V.
constexpr double kSolutionToleranceV = 1.2e-5;

TEST (DiodeSolution, TablesHoldTheDiodeVoltageOnTheWholeGrid)
{
    for (const TableCase& c : solutionTables ())
    {
        ASSERT_EQ (c.table.size (), 1001u) << c.name;
        EXPECT_EQ (c.table.knots ().front (), -500.0) << c.name;
        EXPECT_NEAR (c.table.knots ().back (), 500.0, 1e-9) << c.name;
        for (int k = 0; k <= 1000; ++k)
        {
            const double e = gridVoltage (k);
            const double v = ordinate (c.table, k);
            EXPECT_NEAR (v, bisectDiodeVoltage (c.law, e, c.rOhms), kSolutionToleranceV)
                << c.name << " e " << e;
            // First-order distance to the root: residual over the residual's slope.
            const double slope = c.rOhms * diodePairCurrentSlope (c.law, v) - 1.0;
            const double residual = e + c.rOhms * diodePairCurrent (c.law, v) - v;
            EXPECT_LE (std::fabs (residual / slope), kSolutionToleranceV) << c.name << " e " << e;
            if (k > 0)
            {
                EXPECT_GT (v, ordinate (c.table, k - 1)) << c.name << " e " << e;
            }
        }
    }
}

TEST (DiodeSolution, ZeroSourceGivesZeroInEveryTable)
{
    for (const TableCase& c : solutionTables ())
    {
        EXPECT_EQ (c.table.evaluate (0.0), 0.0) << c.name;
        EXPECT_EQ (ordinate (c.table, 500), 0.0) << c.name;
    }
    EXPECT_EQ (solveDiodeVoltage (kSymmetric, 0.0, 100.0, 0.0), 0.0);
}

TEST (DiodeSolution, ArrangementsClipWhereSiliconDiodesDo)
{
    const DiodeLimiterTables& t = sharedDiodeLimiterTables ();
    // One silicon diode conducts hard around 0.5 ... 0.75 V; the lower the source resistance,
    // the higher the voltage it reaches at 5 V drive.
    EXPECT_NEAR (t.table0.evaluate (500.0), 0.741, 0.002);
    EXPECT_NEAR (t.table1.evaluate (500.0), 0.539, 0.002);
    for (int k = 0; k <= 1000; k += 25)
    {
        // One diode each way: odd symmetry.
        EXPECT_NEAR (ordinate (t.table0, k), -ordinate (t.table0, 1000 - k), 2 * kSolutionToleranceV);
        EXPECT_NEAR (ordinate (t.table1, k), -ordinate (t.table1, 1000 - k), 2 * kSolutionToleranceV);
        // Two in series on the negative side: same positive half, negative half near twice.
        if (k >= 500)
        {
            EXPECT_NEAR (ordinate (t.table2, k), ordinate (t.table0, k), 2 * kSolutionToleranceV);
            EXPECT_NEAR (ordinate (t.table3, k), ordinate (t.table1, k), 2 * kSolutionToleranceV);
        }
    }
    const double ratioLow = -t.table2.evaluate (-500.0) / t.table2.evaluate (500.0);
    const double ratioHigh = -t.table3.evaluate (-500.0) / t.table3.evaluate (500.0);
    EXPECT_GT (ratioLow, 1.9);
    EXPECT_LT (ratioLow, 2.1);
    EXPECT_GT (ratioHigh, 1.9);
    EXPECT_LT (ratioHigh, 2.1);
}

TEST (DiodeSolution, SourcesBeyondFiveVoltsClampToTheTableEnds)
{
    for (const TableCase& c : solutionTables ())
    {
        const SplineTable::Segment& last = c.table.segment (999);
        const double t = 0.9999999999;
        const double held = last.a + last.b * t + last.c * t * t + last.d * t * t * t;
        for (double e : {5.0, 5.2, 50.0, 1e12})
            EXPECT_EQ (c.table.evaluate (100.0 * e), held) << c.name << " e " << e;
        EXPECT_NEAR (held, ordinate (c.table, 1000), 1e-9) << c.name;

        const double first = c.table.segment (0).a;
        for (double e : {-5.01, -5.5, -1e12})
            EXPECT_EQ (c.table.evaluate (100.0 * e), first) << c.name << " e " << e;

        // Between -5.01 and -5.0 V the first segment is extrapolated below the first value.
        const double between = c.table.evaluate (100.0 * -5.005);
        EXPECT_LT (between, first) << c.name;
        EXPECT_GT (between, first - 0.01) << c.name;
    }
}

TEST (DiodeSolution, NewtonGivesUpAfterItsStepBudget)
{
    // From far above the solution each step gains only about one voltage scale, so the budget
    // runs out: 99 steps are taken and the iterate before the last is returned.
    const double start = 14.0;
    const double v = solveDiodeVoltage (kSymmetric, 5.0, 100.0, start);
    EXPECT_NEAR (v, start - 98 * 0.022, 1e-3);
    // From next to the answer it converges.
    EXPECT_NEAR (solveDiodeVoltage (kSymmetric, 1.0, 100.0, 0.6), bisectDiodeVoltage (kSymmetric, 1.0, 100.0),
                 kSolutionToleranceV);
}

TEST (DiodeSolution, WeightTableFallsFromOneToZero)
{
    const SplineTable& w = sharedDiodeLimiterTables ().weightTable;
    ASSERT_EQ (w.size (), 101u);
    // Checksums of the ordinates, computed apart from the code: plain, and weighted by k and k^2
    // so that a swapped or shifted entry shows.
    double sum = 0.0, sumK = 0.0, sumK2 = 0.0;
    for (int k = 0; k < 100; ++k)
    {
        const double y = w.evaluate (static_cast<double> (k));
        sum += y;
        sumK += k * y;
        sumK2 += k * k * y;
        if (k > 0)
        {
            EXPECT_LT (y, w.evaluate (k - 1.0)) << k;
        }
    }
    EXPECT_NEAR (sum, 11.5079, 1e-9);
    EXPECT_NEAR (sumK, 271.4498, 1e-9);
    EXPECT_NEAR (sumK2, 12067.2122, 1e-8);
    EXPECT_EQ (w.evaluate (0.0), 1.0);
    EXPECT_EQ (w.evaluate (10.0), 0.25);
    EXPECT_EQ (w.evaluate (99.0), 0.0011);
    EXPECT_NEAR (w.evaluate (100.0), 0.0, 1e-12);
}

TEST (DiodeSolution, TablesAreBuiltOncePerProcess)
{
    EXPECT_EQ (&sharedDiodeLimiterTables (), &sharedDiodeLimiterTables ());
}

TEST (DiodeSolution, PerSampleCurrentAgreesWithTheDividingForm)
{
    // The audio-thread form multiplies by a precomputed reciprocal of the voltage scale.
    const double inverse = 1.0 / kSymmetric.thermalScaleV;
    for (double v = -2.0; v <= 2.0; v += 0.00137)
    {
        const double exact = diodePairCurrent (kSymmetric, v);
        const double fast = diodePairCurrentRt (v, kSymmetric.saturationCurrentA, inverse);
        EXPECT_NEAR (fast, exact, 1e-12 * std::fabs (exact)) << v;
    }
}
