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

// Natural cubic spline in the second-derivative form, from a dense Gaussian elimination in
// long double: an independent construction to compare against.
struct ReferenceSpline
{
    std::vector<long double> y, M;
    double first;

    ReferenceSpline (double firstIn, const std::vector<double>& ys) : first (firstIn)
    {
        const size_t n = ys.size ();
        y.assign (ys.begin (), ys.end ());
        M.assign (n, 0.0L);
        const size_t m = n - 2;
        std::vector<std::vector<long double>> A (m, std::vector<long double> (m + 1, 0.0L));
        for (size_t r = 0; r < m; ++r)
        {
            const size_t i = r + 1;
            A[r][r] = 4.0L;
            if (r > 0)
                A[r][r - 1] = 1.0L;
            if (r + 1 < m)
                A[r][r + 1] = 1.0L;
            A[r][m] = 6.0L * (y[i + 1] - 2.0L * y[i] + y[i - 1]);
        }
        for (size_t c = 0; c < m; ++c)
            for (size_t r = c + 1; r < m; ++r)
            {
                const long double f = A[r][c] / A[c][c];
                for (size_t k = c; k <= m; ++k)
                    A[r][k] -= f * A[c][k];
            }
        for (size_t r = m; r-- > 0;)
        {
            long double s = A[r][m];
            for (size_t k = r + 1; k < m; ++k)
                s -= A[r][k] * M[k + 1];
            M[r + 1] = s / A[r][r];
        }
    }

    long double operator() (double u) const
    {
        const long double x = u - first;
        const size_t i = static_cast<size_t> (x);
        const long double right = (i + 1) - x, left = x - i;
        return M[i] * right * right * right / 6.0L + M[i + 1] * left * left * left / 6.0L
               + (y[i] - M[i] / 6.0L) * right + (y[i + 1] - M[i + 1] / 6.0L) * left;
    }
};

std::vector<double> randomOrdinates (size_t n, unsigned seed)
{
    std::mt19937 rng (seed);
    std::uniform_real_distribution<double> dist (-1.0, 1.0);
    std::vector<double> y (n);
    for (double& v : y)
        v = dist (rng);
    return y;
}

} // namespace

TEST (SplineTable, InterpolatesKnotsAndMatchesAnIndependentNaturalSpline)
{
    const std::vector<double> y = randomOrdinates (40, 7);
    const std::vector<double> x = grid (-12.0, y.size ());
    const SplineTable s (x, y);
    ASSERT_EQ (s.size (), 40u);

    for (size_t i = 0; i + 1 < y.size (); ++i)
        EXPECT_EQ (s.evaluate (x[i]), y[i]) << "knot " << i;   // t = 0: exact
    // The last knot is reached only at the held end position of the last segment.
    EXPECT_NEAR (s.evaluate (x.back ()), y.back (), 1e-9);

    const ReferenceSpline ref (x[0], y);
    for (double u = x[0]; u < x.back (); u += 0.0371)
        EXPECT_NEAR (s.evaluate (u), static_cast<double> (ref (u)), 1e-13) << "u " << u;
}

TEST (SplineTable, IsContinuousUpToTheSecondDerivativeWithNaturalEnds)
{
    const std::vector<double> y = randomOrdinates (25, 11);
    const SplineTable s (grid (0.0, y.size ()), y);
    const int last = static_cast<int> (y.size ()) - 2;
    for (int i = 0; i < last; ++i)
    {
        const SplineTable::Segment& l = s.segment (i);
        const SplineTable::Segment& r = s.segment (i + 1);
        EXPECT_NEAR (l.a + l.b + l.c + l.d, r.a, 1e-14) << i;
        EXPECT_NEAR (l.b + 2.0 * l.c + 3.0 * l.d, r.b, 1e-13) << i;
        EXPECT_NEAR (2.0 * l.c + 6.0 * l.d, 2.0 * r.c, 1e-13) << i;
    }
    EXPECT_EQ (s.segment (0).c, 0.0);
    const SplineTable::Segment& end = s.segment (last);
    EXPECT_NEAR (2.0 * end.c + 6.0 * end.d, 0.0, 1e-13);

    // The same through lookups: one-sided difference quotients meet at each inner knot.
    const double h = 1e-3;
    for (int k = 1; k <= last; ++k)
    {
        const double u = k;
        const double f0 = s.evaluate (u);
        const double dl = (f0 - s.evaluate (u - h)) / h, dr = (s.evaluate (u + h) - f0) / h;
        const double d2l = (f0 - 2.0 * s.evaluate (u - h) + s.evaluate (u - 2 * h)) / (h * h);
        const double d2r = (s.evaluate (u + 2 * h) - 2.0 * s.evaluate (u + h) + f0) / (h * h);
        EXPECT_NEAR (dl, dr, 0.02) << k;    // one-sided errors are O(h * f'')
        EXPECT_NEAR (d2l, d2r, 0.05) << k;  // and O(h * f''')
    }
}

TEST (SplineTable, ReproducesStraightLines)
{
    std::vector<double> y (11);
    for (size_t i = 0; i < y.size (); ++i)
        y[i] = 0.25 * static_cast<double> (i) - 1.0;
    const SplineTable s (grid (-5.0, y.size ()), y);
    for (double u = -5.0; u < 5.0; u += 0.125)
        EXPECT_NEAR (s.evaluate (u), 0.25 * (u + 5.0) - 1.0, 1e-15);
}

TEST (SplineTable, ClampsBeyondTheGrid)
{
    const std::vector<double> y = randomOrdinates (9, 3);
    const SplineTable s (grid (-3.0, y.size ()), y);   // knots -3 ... 5
    const SplineTable::Segment& first = s.segment (0);
    const SplineTable::Segment& last = s.segment (7);
    const double t = SplineTable::kEndPosition;
    const double held = last.a + last.b * t + last.c * t * t + last.d * t * t * t;

    // At or beyond the last knot: the last segment, held just short of its end.
    for (double u : {5.0, 5.5, 1e6, 1e300, HUGE_VAL})
        EXPECT_EQ (s.evaluate (u), held) << u;
    EXPECT_NEAR (held, y.back (), 1e-9);

    // A whole step or more below the first knot (and NaN): the first ordinate.
    for (double u : {-4.0, -4.5, -1e300, -HUGE_VAL, std::nan ("")})
        EXPECT_EQ (s.evaluate (u), y[0]) << u;

    // Within one step below the first knot the first segment extrapolates.
    const double tx = -0.25;
    EXPECT_EQ (s.evaluate (-3.25), first.a + first.b * tx + first.c * tx * tx + first.d * tx * tx * tx);
}

TEST (SplineTable, EmptyTablesYieldTheirPlaceholder)
{
    EXPECT_TRUE (SplineTable ().empty ());
    EXPECT_EQ (SplineTable ().evaluate (0.3), 1e-5);
    const SplineTable single ({2.0}, {7.0});
    EXPECT_TRUE (single.empty ());
    EXPECT_EQ (single.evaluate (2.0), 1e-5);
    const SplineTable pair ({0.0, 1.0}, {1.0, 3.0});   // one straight segment
    EXPECT_EQ (pair.evaluate (0.5), 2.0);
}
