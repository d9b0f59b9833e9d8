// SPDX-License-Identifier: GPL-3.0-or-later
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

// Natural cubic spline on unit steps in the second-derivative form, its moments from a dense
// Gaussian elimination in long double: an independent construction to compare against.
long double referenceSpline (const std::vector<double>& y, double first, double u)
{
    const size_t m = y.size () - 2;
    std::vector<std::vector<long double>> A (m, std::vector<long double> (m + 1, 0.0L));
    for (size_t r = 0; r < m; ++r)
    {
        A[r][r] = 4.0L;
        if (r > 0)
            A[r][r - 1] = 1.0L;
        if (r + 1 < m)
            A[r][r + 1] = 1.0L;
        A[r][m] = 6.0L * ((long double) y[r + 2] - 2.0L * y[r + 1] + y[r]);
    }
    for (size_t c = 0; c < m; ++c)
        for (size_t r = c + 1; r < m; ++r)
            for (size_t k = m + 1; k-- > c;)
                A[r][k] -= A[r][c] / A[c][c] * A[c][k];
    std::vector<long double> M (m + 2, 0.0L);
    for (size_t r = m; r-- > 0;)
    {
        long double s = A[r][m];
        for (size_t k = r + 1; k < m; ++k)
            s -= A[r][k] * M[k + 1];
        M[r + 1] = s / A[r][r];
    }
    const long double x = u - first;
    const size_t i = static_cast<size_t> (x);
    const long double right = (i + 1) - x, left = x - i;
    return M[i] * right * right * right / 6.0L + M[i + 1] * left * left * left / 6.0L
           + (y[i] - M[i] / 6.0L) * right + (y[i + 1] - M[i + 1] / 6.0L) * left;
}

} // namespace

// Exact at the knots (t = 0); the last knot is reached only at the held end of the last segment.
TEST (SplineTable, InterpolatesKnotsAndMatchesAnIndependentNaturalSpline)
{
    const std::vector<double> y = randomOrdinates (40, 7);
    const std::vector<double> x = grid (-12.0, y.size ());
    const SplineTable s (x, y);
    ASSERT_EQ (s.size (), 40u);
    for (size_t i = 0; i + 1 < y.size (); ++i)
        EXPECT_EQ (s.evaluate (x[i]), y[i]) << "knot " << i;
    EXPECT_NEAR (s.evaluate (x.back ()), y.back (), 1e-9);
    for (double u = x[0]; u < x.back (); u += 0.0371)
        EXPECT_NEAR (s.evaluate (u), static_cast<double> (referenceSpline (y, x[0], u)), 1e-13) << "u " << u;
}

// At or beyond the last knot the last segment is held just short of its end; a whole step or more
// below the first knot (and NaN) gives the first ordinate; within one step below, the first
// segment extrapolates. Tables of fewer than two knots give their placeholder.
TEST (SplineTable, ClampsBeyondTheGridAndEmptyTablesGiveTheirPlaceholder)
{
    const std::vector<double> y = randomOrdinates (9, 3);
    const SplineTable s (grid (-3.0, y.size ()), y);   // knots -3 ... 5
    auto cubic = [] (const SplineTable::Segment& g, double t) { return g.a + g.b * t + g.c * t * t + g.d * t * t * t; };
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
