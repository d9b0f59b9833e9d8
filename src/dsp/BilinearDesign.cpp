// SPDX-License-Identifier: GPL-3.0-or-later
#include "dsp/BilinearDesign.h"

int prototypeOrder (const double sDen[6])
{
    for (int k = 0; k < 5; ++k)
        if (sDen[k] != 0.0)
            return 5 - k;
    return 0;
}

namespace {

// Coefficients (in z^-1) of K^m (1 - z^-1)^m (1 + z^-1)^(n-m), scaled by c, added into poly.
void accumulateTerm (double poly[6], double c, double kPowM, int m, int n)
{
    double term[6] = {c * kPowM, 0, 0, 0, 0, 0};
    int length = 1;
    for (int i = 0; i < n; ++i)
    {
        const double sign = i < m ? -1.0 : 1.0;   // (1 - z^-1) for the first m factors
        for (int j = length; j > 0; --j)
            term[j] += sign * term[j - 1];
        ++length;
    }
    for (int j = 0; j <= n; ++j)
        poly[j] += term[j];
}

} // namespace

int bilinearDesign (double zNum[6], double zDen[6], const double sNum[6], const double sDen[6],
                    double rateHz)
{
    for (int k = 0; k < 6; ++k)
        zNum[k] = zDen[k] = 0.0;
    const int order = prototypeOrder (sDen);
    if (order == 0)
    {
        zNum[0] = sNum[5] / sDen[5];
        zDen[0] = 1.0;
        return 0;
    }
    const double K = 2.0 * rateHz;
    double kPow = 1.0;
    for (int m = 0; m <= order; ++m)
    {
        // sNum[5 - m] is the coefficient of s^m
        accumulateTerm (zNum, sNum[5 - m], kPow, m, order);
        accumulateTerm (zDen, sDen[5 - m], kPow, m, order);
        kPow *= K;
    }
    const double d0 = zDen[0];
    for (int k = 0; k <= order; ++k)
    {
        zNum[k] /= d0;
        zDen[k] /= d0;
    }
    zDen[0] = 1.0;
    return order;
}
