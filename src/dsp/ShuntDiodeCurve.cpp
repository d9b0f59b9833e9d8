// SPDX-License-Identifier: GPL-3.0-or-later
#include "dsp/ShuntDiodeCurve.h"
#include <algorithm>
#include <cmath>
#include <utility>

namespace {

using Cubic = long double[4];

// The blended voltage of one spline segment, as a polynomial in its own t.
void blendSegment (const SplineTable::Segment& high, const SplineTable::Segment& low,
                   long double highWeight, long double blend, Cubic& out)
{
    out[0] = highWeight * high.a + blend * low.a;
    out[1] = highWeight * high.b + blend * low.b;
    out[2] = highWeight * high.c + blend * low.c;
    out[3] = highWeight * high.d + blend * low.d;
}

// The same cubic in t - centre.
void recentre (const Cubic& p, long double centre, double (&out)[4])
{
    const long double s = centre;
    out[0] = static_cast<double> (p[0] + s * (p[1] + s * (p[2] + s * p[3])));
    out[1] = static_cast<double> (p[1] + s * (2.0L * p[2] + 3.0L * s * p[3]));
    out[2] = static_cast<double> (p[2] + 3.0L * s * p[3]);
    out[3] = static_cast<double> (p[3]);
}

// The polynomial of the row's order through f at the Chebyshev extreme points of [0, 1]: its error is
// within a few times that of the best one, and it takes f's values at both ends exactly, so the
// current is continuous from step to step and zero where the voltage is. Solved by Gaussian
// elimination in long double.
template <typename F>
void fitCurrent (F&& f, double (&out)[ShuntDiodeCurve::kCurrentTerms])
{
    constexpr int n = ShuntDiodeCurve::kCurrentTerms;
    const long double pi = 3.141592653589793238462643383279502884L;
    long double m[n][n + 1];
    for (int k = 0; k < n; ++k)
    {
        const long double t = 0.5L - 0.5L * std::cos (pi * k / (n - 1));
        long double power = 1.0L;
        for (int j = 0; j < n; ++j, power *= t)
            m[k][j] = power;
        m[k][n] = f (t);
    }
    for (int col = 0; col < n; ++col)
    {
        int pivot = col;
        for (int r = col + 1; r < n; ++r)
            if (std::fabs (m[r][col]) > std::fabs (m[pivot][col]))
                pivot = r;
        std::swap (m[col], m[pivot]);
        for (int r = col + 1; r < n; ++r)
        {
            const long double factor = m[r][col] / m[col][col];
            for (int j = col; j <= n; ++j)
                m[r][j] -= factor * m[col][j];
        }
    }
    long double x[n];
    for (int r = n - 1; r >= 0; --r)
    {
        long double sum = m[r][n];
        for (int j = r + 1; j < n; ++j)
            sum -= m[r][j] * x[j];
        x[r] = sum / m[r][r];
    }
    for (int j = 0; j < n; ++j)
        out[j] = static_cast<double> (x[j]);
}

}   // namespace

ShuntDiodeCurve::ShuntDiodeCurve (const SplineTable& low, const SplineTable& high, double blendIn,
                                  double saturationCurrentA, double inverseScaleV)
: blendWeight (blendIn)
{
    const auto points = static_cast<int32_t> (high.size ());
    if (points < 2 || !high.hasSameGrid (low))
        return;
    const long double hw = 1.0 - blendIn;   // in double, as the limiter has it
    const long double bw = blendIn;
    const size_t rowCount = static_cast<size_t> (points) + 2;
    voltages.assign (rowCount, VoltageRow {});
    currents.assign (rowCount, CurrentRow {});

    auto constantRow = [&] (VoltageRow& row, long double v) { row.c[0] = static_cast<double> (v); };
    auto valueAt = [&] (int32_t segment, long double t) {
        Cubic p;
        blendSegment (high.segment (segment), low.segment (segment), hw, bw, p);
        return p[0] + t * (p[1] + t * (p[2] + t * p[3]));
    };
    constantRow (voltages.front (), valueAt (0, 0.0L));
    constantRow (voltages.back (), valueAt (points - 2, SplineTable::kEndPosition));
    for (int32_t j = 1; j + 1 < static_cast<int32_t> (rowCount); ++j)
    {
        // Row 1 is the first segment extrapolated over the step below the first knot.
        const int32_t segment = std::max (j - 2, 0);
        Cubic p;
        blendSegment (high.segment (segment), low.segment (segment), hw, bw, p);
        recentre (p, j == 1 ? -1.0L : 0.0L, voltages[static_cast<size_t> (j)].c);
    }

    const long double twoIs = 2.0L * saturationCurrentA;
    for (size_t j = 0; j < rowCount; ++j)
    {
        const double* v = voltages[j].c;
        fitCurrent (
            [&] (long double t) {
                const long double volts = v[0] + t * (v[1] + t * (v[2] + t * v[3]));
                return -twoIs * std::sinh (volts * inverseScaleV);
            },
            currents[j].c);
    }

    const double first = high.knots ().front ();
    lowest = TwoDoubles {} + (first - 2.0);
    highest = TwoDoubles {} + (first + (points - 1));
    shifter = TwoDoubles {} + (0x1.8p52 + (2.0 - first));
}
