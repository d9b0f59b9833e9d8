// SPDX-License-Identifier: GPL-3.0-or-later
#include "TransferFunctions.h"
#include <cmath>

namespace stagetest {

namespace {

int denominatorOrder (const double sDen[6])
{
    for (int k = 0; k < 5; ++k)
        if (sDen[k] != 0.0)
            return 5 - k;
    return 0;
}

} // namespace

Complex analogResponse (const AnalogPrototype& proto, double omegaRadPerSec)
{
    const int order = denominatorOrder (proto.sDen);
    const Complex s (0.0, omegaRadPerSec);
    Complex num = 0.0;
    Complex den = 0.0;
    for (int k = 5 - order; k < 6; ++k)   // Horner from s^order down to s^0
    {
        num = num * s + proto.sNum[k];
        den = den * s + proto.sDen[k];
    }
    return num / den;
}

Complex digitalResponse (const DigitalCoefficients& coeffs, double omegaRadPerSample)
{
    const Complex zInv = std::polar (1.0, -omegaRadPerSample);
    Complex num = 0.0;
    Complex den = 0.0;
    for (int k = 5; k >= 0; --k)   // Horner in z^-1
    {
        num = num * zInv + coeffs.zNum[k];
        den = den * zInv + coeffs.zDen[k];
    }
    return num / den;
}

double warpedOmega (double hz, double rateHz)
{
    return 2.0 * rateHz * std::tan (kPi * hz / rateHz);
}

double toDb (double magnitude)
{
    return 20.0 * std::log10 (magnitude);
}

bool polesInsideUnitCircle (const double zDen[6], int order)
{
    long double a[6] = {};
    for (int k = 0; k <= order; ++k)
        a[k] = zDen[k] / static_cast<long double> (zDen[0]);
    for (int i = order; i >= 1; --i)
    {
        const long double reflection = a[i];
        if (std::fabs (reflection) >= 1.0L)
            return false;
        long double lower[6] = {};
        const long double norm = 1.0L - reflection * reflection;
        for (int j = 0; j < i; ++j)
            lower[j] = (a[j] - reflection * a[i - j]) / norm;
        for (int j = 0; j < 6; ++j)
            a[j] = lower[j];
    }
    return true;
}

int referenceBilinear (const AnalogPrototype& proto, double rateHz, DigitalCoefficients& out,
                       double numScale[6], double denScale[6])
{
    out = DigitalCoefficients {};
    const int order = denominatorOrder (proto.sDen);
    long double num[6] = {};
    long double den[6] = {};
    long double numAbs[6] = {};
    long double denAbs[6] = {};
    if (order == 0)
    {
        out.zNum[0] = proto.sNum[5] / proto.sDen[5];
        out.zDen[0] = 1.0;
        for (int k = 0; k < 6; ++k)
            numScale[k] = denScale[k] = 0.0;
        numScale[0] = std::fabs (out.zNum[0]);
        return 0;
    }
    const long double kFactor = 2.0L * rateHz;
    for (int m = 0; m <= order; ++m)
    {
        // (1 - z^-1)^m (1 + z^-1)^(order - m) as a product of binomials
        long double basis[6] = {1.0L};
        for (int f = 0; f < order; ++f)
        {
            const long double sign = f < m ? -1.0L : 1.0L;
            for (int j = f + 1; j > 0; --j)
                basis[j] += sign * basis[j - 1];
        }
        const long double kPow = std::pow (kFactor, static_cast<long double> (m));
        const long double p = proto.sNum[5 - m] * kPow;
        const long double q = proto.sDen[5 - m] * kPow;
        for (int j = 0; j <= order; ++j)
        {
            num[j] += p * basis[j];
            den[j] += q * basis[j];
            numAbs[j] += std::fabs (p * basis[j]);
            denAbs[j] += std::fabs (q * basis[j]);
        }
    }
    const long double d0 = den[0];
    for (int k = 0; k < 6; ++k)
    {
        out.zNum[k] = static_cast<double> (num[k] / d0);
        out.zDen[k] = static_cast<double> (den[k] / d0);
        numScale[k] = static_cast<double> (numAbs[k] / std::fabs (d0));
        denScale[k] = static_cast<double> (denAbs[k] / std::fabs (d0));
    }
    return order;
}

} // namespace stagetest
