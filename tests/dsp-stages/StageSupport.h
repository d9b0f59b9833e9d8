// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every linear stage of every model behind one shape, and an independent evaluation of analog and
// digital transfer functions to check them with.
#include "dsp/BilinearDesign.h"
#include <complex>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace stagetest {

using Complex = std::complex<double>;
constexpr double kPi = 3.14159265358979323846;

struct StageCase
{
    std::string name;
    int controlCount;      // 0, 1 (x) or 2 (x, y)
    bool singlePrecision;  // the engine stores this section in 32-bit floats
    std::function<void (double x, double y, AnalogPrototype&)> prototype;
    std::function<void (double x, double y, double rateHz, DigitalCoefficients&)> design;
};
const std::vector<StageCase>& allStages();

// Control points on a grid of steps + 1 values per control, 0 and 1 included.
std::vector<std::pair<double, double>> controlPoints (const StageCase& stage, int steps);

// H(s) at s = j omega; numerator powers above the denominator's order dropped.
Complex analogResponse (const AnalogPrototype& proto, double omegaRadPerSec);
// H(z) at z = e^(j omega).
Complex digitalResponse (const DigitalCoefficients& coeffs, double omegaRadPerSample);
inline double toDb (double magnitude) { return 20.0 * std::log10 (magnitude); }

// Schur-Cohn step-down: every root of zDen[0] + ... + zDen[order] z^-order strictly inside |z| = 1.
bool polesInsideUnitCircle (const double zDen[6], int order);

// Bilinear transform by explicit binomial products in long double. Returns the order; numScale and
// denScale receive, per coefficient, the sum of magnitudes of its terms over |D0|.
int referenceBilinear (const AnalogPrototype& proto, double rateHz, DigitalCoefficients& out,
                       double numScale[6], double denScale[6]);

} // namespace stagetest
