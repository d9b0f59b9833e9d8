// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Independent evaluation of analog and digital transfer functions for the stage tests.
#include "dsp/BilinearDesign.h"
#include <complex>

namespace stagetest {

using Complex = std::complex<double>;

constexpr double kPi = 3.14159265358979323846;

// H(s) at s = j * omegaRadPerSec, numerator powers above the denominator's order dropped.
Complex analogResponse (const AnalogPrototype& proto, double omegaRadPerSec);

// H(z) at z = e^(j * omegaRadPerSample).
Complex digitalResponse (const DigitalCoefficients& coeffs, double omegaRadPerSample);

// Analog frequency that the bilinear transform at rateHz maps to digital frequency hz.
double warpedOmega (double hz, double rateHz);

double toDb (double magnitude);

// Schur-Cohn step-down: true when every root of zDen[0] + zDen[1] z^-1 + ... + zDen[order] z^-order
// lies strictly inside the unit circle.
bool polesInsideUnitCircle (const double zDen[6], int order);

// Bilinear transform by explicit polynomial products in long double, for cross-checking.
// Fills zNum/zDen (unnormalised and normalised by the z^0 denominator term) and returns the order;
// scale[k] receives the sum of the magnitudes of the terms that make up coefficient k / D0.
int referenceBilinear (const AnalogPrototype& proto, double rateHz, DigitalCoefficients& out,
                       double numScale[6], double denScale[6]);

} // namespace stagetest
