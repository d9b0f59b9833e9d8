// SPDX-License-Identifier: GPL-3.0-or-later
#include "dsp/LeastSquaresLowpass.h"
#include "dsp/MathConstants.h"
#include <cmath>

namespace {

double sinc (double x)
{
    return x == 0.0 ? 1.0 : std::sin (kPi * x) / (kPi * x);
}

struct Band
{
    double fLo, fHi;   // cycles per sample
    double aLo, aHi;   // desired amplitude at the band ends
};

// Least-squares inner product of the desired response with cos(2 pi k f) over one band,
// for a piecewise-linear desired response.
double bandTerm (const Band& band, double k)
{
    const double m = (band.aHi - band.aLo) / (band.fHi - band.fLo);
    const double c = band.aLo - m * band.fLo;
    double term = m / (4.0 * kPi * kPi)
                      * (std::cos (2.0 * kPi * k * band.fHi) - std::cos (2.0 * kPi * k * band.fLo))
                      / (k * k)
                  + band.fHi * (m * band.fHi + c) * sinc (2.0 * k * band.fHi);
    if (band.fLo != 0.0)
        term -= band.fLo * (m * band.fLo + c) * sinc (2.0 * k * band.fLo);
    return term;
}

}   // namespace

void designLeastSquaresLowpass (double* taps, int numTaps, double edge)
{
    const double f = edge / 2.0;
    const Band bands[2] = {{0.0, f, 1.0, 1.0}, {f, 0.5, 0.0, 0.0}};
    const int half = (numTaps - 1) / 2;
    const bool odd = (numTaps % 2) == 1;

    if (odd)
    {
        // taps[half] is the centre; a[k] sits at half ± k.
        double b0 = 0.0;
        for (const auto& band : bands)
        {
            const double m = (band.aHi - band.aLo) / (band.fHi - band.fLo);
            const double c = band.aLo - m * band.fLo;
            b0 += c * (band.fHi - band.fLo) + m / 2.0 * (band.fHi * band.fHi - band.fLo * band.fLo);
        }
        taps[half] = 2.0 * b0;
        for (int k = 1; k <= half; ++k)
        {
            double b = 0.0;
            for (const auto& band : bands)
                b += bandTerm (band, k);
            const double a = 4.0 * b;
            taps[half - k] = taps[half + k] = a / 2.0;
        }
        return;
    }
    // Even length: k = 0.5 … half + 0.5; a[i] is mirrored around the centre between two taps.
    for (int i = 0; i <= half; ++i)
    {
        const double k = i + 0.5;
        double b = 0.0;
        for (const auto& band : bands)
            b += bandTerm (band, k);
        const double a = 4.0 * b;
        taps[half - i] = taps[half + 1 + i] = 0.5 * a;
    }
}
