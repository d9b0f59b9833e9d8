// SPDX-License-Identifier: GPL-3.0-or-later
#include "dsp/BilinearDesign.h"
#include "dsp/TwoLanes.h"

int prototypeOrder (const double sDen[6])
{
    for (int k = 0; k < 5; ++k)
        if (sDen[k] != 0.0)
            return 5 - k;
    return 0;
}

namespace {

// basis[k][m]: coefficient of z^-k in (1 - z^-1)^m (1 + z^-1)^(N - m), the image of s^m / K^m
// after clearing the denominators (1 + z^-1)^N. Small integers, exact in double.
struct BilinearBasis
{
    double basis[6][6] = {};
};

constexpr BilinearBasis makeBasis (int order)
{
    BilinearBasis b {};
    for (int m = 0; m <= order; ++m)
    {
        double poly[6] = {1.0, 0.0, 0.0, 0.0, 0.0, 0.0};
        for (int factor = 0; factor < order; ++factor)
        {
            const double sign = factor < m ? -1.0 : 1.0;
            for (int j = factor + 1; j > 0; --j)
                poly[j] += sign * poly[j - 1];
        }
        for (int k = 0; k <= order; ++k)
            b.basis[k][m] = poly[k];
    }
    return b;
}

constexpr BilinearBasis kBases[6] = {makeBasis (0), makeBasis (1), makeBasis (2),
                                     makeBasis (3), makeBasis (4), makeBasis (5)};

// Closed form of one order: every loop bound is a constant, so the compiler unrolls it and folds
// the integer weights. Numerator and denominator travel in the two lanes of one vector, so each
// step is one packed operation; each lane is exactly the scalar expansion.
template <int N>
void transformOrder (double zNum[6], double zDen[6], const double sNum[6], const double sDen[6],
                     double k)
{
    TwoDoubles pq[N + 1];   // coefficients of s^m times K^m: numerator, denominator
    double kPow = 1.0;
    for (int m = 0; m <= N; ++m)
    {
        pq[m] = TwoDoubles {sNum[5 - m], sDen[5 - m]} * kPow;
        kPow *= k;
    }
    TwoDoubles rows[N + 1];
    for (int row = 0; row <= N; ++row)
    {
        TwoDoubles sum = {0.0, 0.0};
        for (int m = 0; m <= N; ++m)
            sum += kBases[N].basis[row][m] * pq[m];
        rows[row] = sum;
    }
    const double d0 = rows[0][1];
    for (int row = 0; row <= N; ++row)
    {
        const TwoDoubles z = rows[row] / d0;
        zNum[row] = z[0];
        zDen[row] = z[1];
    }
    zDen[0] = 1.0;
}

}   // namespace

int bilinearDesign (double zNum[6], double zDen[6], const double sNum[6], const double sDen[6],
                    double rateHz)
{
    for (int k = 0; k < 6; ++k)
        zNum[k] = zDen[k] = 0.0;
    const int order = prototypeOrder (sDen);
    const double K = 2.0 * rateHz;
    switch (order)
    {
        case 1: transformOrder<1> (zNum, zDen, sNum, sDen, K); break;
        case 2: transformOrder<2> (zNum, zDen, sNum, sDen, K); break;
        case 3: transformOrder<3> (zNum, zDen, sNum, sDen, K); break;
        case 4: transformOrder<4> (zNum, zDen, sNum, sDen, K); break;
        case 5: transformOrder<5> (zNum, zDen, sNum, sDen, K); break;
        default:
            zNum[0] = sNum[5] / sDen[5];
            zDen[0] = 1.0;
            break;
    }
    return order;
}
