// SPDX-License-Identifier: GPL-3.0-or-later
// The spline tables and the diode-voltage tables built from them.
#include "dsp/DiodeSolution.h"
#include "dsp/SplineTable.h"
#include <gtest/gtest.h>
#include <cmath>
#include <random>

namespace {

std::vector<double> grid (double first, size_t n)
{
    std::vector<double> x (n);
    for (size_t i = 0; i < n; ++i)
        x[i] = first + static_cast<double> (i);
    return x;
}

std::vector<double> randomOrdinates (size_t n, unsigned seed)
{
    std::mt19937 rng (seed);
    std::uniform_real_distribution<double> dist (-1.0, 1.0);
    std::vector<double> y (n);
    for (double& v : y)
        v = dist (rng);
    return y;
}

// Natural cubic spline on unit steps in the second-derivative form: the moments solve
// M[i-1] + 4 M[i] + M[i+1] = 6 (y[i+1] - 2 y[i] + y[i-1]) with M = 0 at both ends, here by
// elimination in long double. An independent construction to compare against.
long double referenceSpline (const std::vector<double>& y, double first, double u)
{
    const size_t n = y.size ();
    std::vector<long double> M (n, 0.0L), diag (n, 4.0L), rhs (n, 0.0L);
    for (size_t i = 1; i + 1 < n; ++i)
        rhs[i] = 6.0L * ((long double)y[i + 1] - 2.0L * y[i] + y[i - 1]);
    for (size_t i = 2; i + 1 < n; ++i)
        diag[i] -= 1.0L / diag[i - 1], rhs[i] -= rhs[i - 1] / diag[i - 1];
    for (size_t i = n - 1; i-- > 1;)
        M[i] = (rhs[i] - M[i + 1]) / diag[i];
    const long double x = u - first;
    const size_t i = static_cast<size_t> (x);
    const long double right = (i + 1) - x, left = x - i;
    return M[i] * right * right * right / 6.0L + M[i + 1] * left * left * left / 6.0L
           + (y[i] - M[i] / 6.0L) * right + (y[i + 1] - M[i + 1] / 6.0L) * left;
}

const DiodePairLaw kSymmetric {1e-16, 0.022, 1.0, 1.0};

}   // namespace

// Exact at the knots (t = 0); the last knot is reached only at the held end of the last segment.
TEST (SplineTable, InterpolatesKnotsAndMatchesAnIndependentNaturalSpline)
{
    const std::vector<double> y = randomOrdinates (40, 7), x = grid (-12.0, y.size ());
    const SplineTable s (x, y);
    ASSERT_EQ (s.size (), 40u);
    for (size_t i = 0; i + 1 < y.size (); ++i)
        EXPECT_EQ (s.evaluate (x[i]), y[i]) << "knot " << i;
    EXPECT_NEAR (s.evaluate (x.back ()), y.back (), 1e-9);
    for (double u = x[0]; u < x.back (); u += 0.0371)
        EXPECT_NEAR (s.evaluate (u), static_cast<double> (referenceSpline (y, x[0], u)), 1e-13)
            << "u " << u;
}

// At or beyond the last knot the last segment is held just short of its end; a whole step or more
// below the first knot (and NaN) gives the first ordinate; within one step below, the first segment
// extrapolates. Tables of fewer than two knots give their placeholder.
TEST (SplineTable, ClampsBeyondTheGridAndEmptyTablesGiveTheirPlaceholder)
{
    const std::vector<double> y = randomOrdinates (9, 3);
    const SplineTable s (grid (-3.0, y.size ()), y);   // knots -3 ... 5
    auto cubic = [] (const SplineTable::Segment& g, double t) {
        return g.a + g.b * t + g.c * t * t + g.d * t * t * t;
    };
    const double held = cubic (s.segment (7), SplineTable::kEndPosition);
    for (double u : {5.0, 5.5, 1e6, 1e300, HUGE_VAL})
        EXPECT_EQ (s.evaluate (u), held) << u;
    EXPECT_NEAR (held, y.back (), 1e-9);
    for (double u : {-4.0, -4.5, -1e300, -HUGE_VAL, std::nan ("")})
        EXPECT_EQ (s.evaluate (u), y[0]) << u;
    EXPECT_EQ (s.evaluate (-3.25), cubic (s.segment (0), -0.25));

    EXPECT_TRUE (SplineTable ().empty ());
    EXPECT_EQ (SplineTable ().evaluate (0.3), 1e-5);
    EXPECT_EQ (SplineTable ({2.0}, {7.0}).evaluate (2.0), 1e-5);
    EXPECT_EQ (SplineTable ({0.0, 1.0}, {1.0, 3.0}).evaluate (0.5), 2.0);   // one straight segment
}

// Four tables, one diode each way or two in series on the negative side, behind 100 ohms or 1.0001
// megohms, over sources of -5 ... 5 V in 10 mV steps (the abscissa is the source in hundredths of a
// volt): each ordinate is the diode voltage, within the solver's stopping distance (1e-5 V between
// iterates) of a bisection written from the Shockley pair law, rising with the source; a zero source
// gives exactly zero. They are built once per process.
TEST (DiodeSolution, TablesHoldTheDiodeVoltageOnTheWholeGrid)
{
    constexpr double kSolutionToleranceV = 1.2e-5;
    const DiodeLimiterTables& t = sharedDiodeLimiterTables ();
    EXPECT_EQ (&t, &sharedDiodeLimiterTables ());
    const DiodePairLaw doubleNegative {1e-16, 0.022, 1.0, 2.0};
    const struct
    {
        const char* name;
        const SplineTable& table;
        DiodePairLaw law;
        double rOhms;
    } cases[] = {{"table0", t.table0, kSymmetric, 100.0},
                 {"table1", t.table1, kSymmetric, 1.0001e6},
                 {"table2", t.table2, doubleNegative, 100.0},
                 {"table3", t.table3, doubleNegative, 1.0001e6}};
    for (const auto& c : cases)
    {
        ASSERT_EQ (c.table.size (), 1001u) << c.name;
        EXPECT_EQ (c.table.knots ().front (), -500.0) << c.name;
        EXPECT_NEAR (c.table.knots ().back (), 500.0, 1e-9) << c.name;
        EXPECT_EQ (c.table.evaluate (0.0), 0.0) << c.name;
        EXPECT_EQ (solveDiodeVoltage (c.law, 0.0, c.rOhms, 0.0), 0.0) << c.name;
        auto ordinate =
            [&] (int k) {   // the knot value, or the end of the last segment for the last knot
                const SplineTable::Segment& s = c.table.segment (std::min (k, 999));
                return k < 1000 ? s.a : s.a + s.b + s.c + s.d;
            };
        for (int k = 0; k <= 1000; ++k)
        {
            const double e = k * 0.01 - 5.0, v = ordinate (k);
            auto residual = [&] (double u) {   // e + R I(u) - u, strictly decreasing
                const double x =
                    u / ((u > 0.0 ? c.law.posScale : c.law.negScale) * c.law.thermalScaleV);
                return e - c.rOhms * c.law.saturationCurrentA * (std::exp (x) - std::exp (-x)) - u;
            };
            double lo = -6.0, hi = 6.0;
            for (int i = 0; i < 200 && hi - lo > 1e-15; ++i)
                (residual (0.5 * (lo + hi)) > 0.0 ? lo : hi) = 0.5 * (lo + hi);
            EXPECT_NEAR (v, 0.5 * (lo + hi), kSolutionToleranceV) << c.name << " e " << e;
            EXPECT_TRUE (k == 0 || v > ordinate (k - 1)) << c.name << " e " << e;
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

// The pre-blended curve of the diodes to ground against what it replaces: the two tables blended
// per lookup (with their ends: held below and above the grid, the first step extrapolated below
// the first knot, NaN as below the grid) and the diode current of that voltage in long double.
// The current may err by 1e-11 of itself, or 1e-24 A where it is nearly zero; each lane alone.
TEST (ShuntDiodeCurve, FollowsTheBlendedTablesAndTheCurrentOfTheirVoltage)
{
    const DiodeLimiterTables& t = sharedDiodeLimiterTables ();
    ASSERT_FALSE (t.shuntCurves.empty ());
    std::vector<double> positions {-500.5, -501.0, -500.0,   0.0,       499.99, 500.0,
                                   1e300,  -1e300, INFINITY, -INFINITY, NAN};
    for (double u = -520.0; u < 520.0; u += 0.137)
        positions.push_back (u);
    for (const ShuntDiodeCurve& curve : t.shuntCurves)
        for (size_t k = 0; k + 1 < positions.size (); ++k)
        {
            const double u[2] = {positions[k], positions[positions.size () - 1 - k]};
            TwoDoubles current;
            const TwoDoubles v = curve.lookup (TwoDoubles {u[0] - 0.5, u[1] - 0.5}, current);
            for (int lane = 0; lane < 2; ++lane)
            {
                const double blended = t.table1.evaluate (u[lane]) * (1.0 - curve.blend ())
                                       + t.table0.evaluate (u[lane]) * curve.blend ();
                ASSERT_NEAR (v[lane], blended, 2e-15) << "u " << u[lane];
                const long double exact = -2e-16L * std::sinh (v[lane] / 0.022L);
                ASSERT_NEAR (current[lane], exact, 1e-24 + 1e-11 * std::fabs (exact))
                    << "u " << u[lane];
            }
        }
}
