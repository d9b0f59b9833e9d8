// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every linear stage of every model behind one shape, and an independent evaluation of analog and
// digital transfer functions to check them with.
#include "dsp/BilinearDesign.h"
#include "dsp/MathConstants.h"
#include "dsp/PedalStageDesigns.h"
#include <cmath>
#include <complex>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace stagetest {

using Complex = std::complex<double>;
inline double toDb (double magnitude)
{
    return 20.0 * std::log10 (magnitude);
}

struct StageCase
{
    std::string name;
    int controlCount;   // 0, 1 (x) or 2 (x, y)
    bool singlePrecision;   // the engine stores this section in 32-bit floats
    std::function<void (double x, double y, AnalogPrototype&)> prototype;
    std::function<void (double x, double y, double rateHz, DigitalCoefficients&)> design;
};

inline const std::vector<StageCase>& allStages ()
{
    namespace p = pedal;
    using AP = AnalogPrototype;
    using DC = DigitalCoefficients;
    static const std::vector<StageCase> all = [] {
        const char* names[kPedalModelCount] = {"TrebleBooster", "XxlDistortion", "BatDistortion",
                                               "OverDrive",     "SuperDrive",    "NineScreamer",
                                               "808Screamer",   "MetalTone"};
        std::vector<StageCase> v;
        for (PedalModel m : kAllPedalModels)
        {
            const std::string n = names[static_cast<int> (m)];
            const PedalTraits& traits = pedalTraits (m);
            v.push_back (
                {n + "Input", 0, true,
                 [m] (double, double, AP& a) { p::inputStagePrototype (m, a); },
                 [m] (double, double, double r, DC& c) { p::designInputStage (m, r, c); }});
            if (traits.has (PedalSection::drive))
                v.push_back ({n + "Drive", 1, true,
                              [m] (double x, double, AP& a) { p::driveStagePrototype (m, x, a); },
                              [m] (double x, double, double r, DC& c) {
                                  p::designDriveStage (m, x, r, c);
                              }});
            if (traits.has (PedalSection::tone))
                v.push_back (
                    {n + "Tone", 1, true,
                     [m] (double x, double, AP& a) { p::toneStagePrototype (m, x, a); },
                     [m] (double x, double, double r, DC& c) { p::designToneStage (m, x, r, c); }});
            if (traits.has (PedalSection::level))
                v.push_back ({n + "Level", 1, false,
                              [m] (double x, double, AP& a) { p::levelStagePrototype (m, x, a); },
                              [m] (double x, double, double r, DC& c) {
                                  p::designLevelStage (m, x, r, c);
                              }});
        }
        v.push_back ({"MetalTonePre", 0, false,
                      [] (double, double, AP& a) { p::metalPreStagePrototype (a); },
                      [] (double, double, double r, DC& c) { p::designMetalPreStage (r, c); }});
        v.push_back ({"MetalTonePost", 0, false,
                      [] (double, double, AP& a) { p::metalPostStagePrototype (a); },
                      [] (double, double, double r, DC& c) { p::designMetalPostStage (r, c); }});
        v.push_back ({"MetalToneFilter", 0, false,
                      [] (double, double, AP& a) { p::metalFilterStagePrototype (a); },
                      [] (double, double, double r, DC& c) { p::designMetalFilterStage (r, c); }});
        v.push_back (
            {"MetalToneBassTreble", 2, false,
             [] (double x, double y, AP& a) { p::metalBassTrebleStagePrototype (x, y, a); },
             [] (double x, double y, double r, DC& c) {
                 p::designMetalBassTrebleStage (x, y, r, c);
             }});
        v.push_back (
            {"MetalToneMid", 2, false,
             [] (double x, double y, AP& a) { p::metalMidStagePrototype (x, float (y), a); },
             [] (double x, double y, double r, DC& c) {
                 p::designMetalMidStage (x, float (y), r, c);
             }});
        return v;
    }();
    return all;
}

inline const StageCase& stageNamed (const std::string& name)
{
    for (const StageCase& stage : allStages ())
        if (stage.name == name)
            return stage;
    throw std::invalid_argument ("no stage " + name);
}

// Control points on a grid of steps + 1 values per control, 0 and 1 included.
inline std::vector<std::pair<double, double>> controlPoints (const StageCase& stage, int steps)
{
    std::vector<std::pair<double, double>> points;
    const int xSteps = stage.controlCount >= 1 ? steps : 0,
              ySteps = stage.controlCount == 2 ? steps : 0;
    for (int i = 0; i <= xSteps; ++i)
        for (int j = 0; j <= ySteps; ++j)
            points.push_back (
                {xSteps ? double (i) / steps : 0.0, ySteps ? double (j) / steps : 0.0});
    return points;
}

inline int denominatorOrder (const double sDen[6])
{
    int k = 0;
    while (k < 5 && sDen[k] == 0.0)
        ++k;
    return 5 - k;
}

// H(s) at s = j omega by Horner; numerator powers above the denominator's order dropped.
inline Complex analogResponse (const AnalogPrototype& proto, double omegaRadPerSec)
{
    const Complex s (0.0, omegaRadPerSec);
    Complex num = 0.0, den = 0.0;
    for (int k = 5 - denominatorOrder (proto.sDen); k < 6; ++k)
        num = num * s + proto.sNum[k], den = den * s + proto.sDen[k];
    return num / den;
}

// H(z) at z = e^(j omega).
inline Complex digitalResponse (const DigitalCoefficients& coeffs, double omegaRadPerSample)
{
    const Complex zInv = std::polar (1.0, -omegaRadPerSample);
    Complex num = 0.0, den = 0.0;
    for (int k = 5; k >= 0; --k)
        num = num * zInv + coeffs.zNum[k], den = den * zInv + coeffs.zDen[k];
    return num / den;
}

// Schur-Cohn step-down: every root of zDen[0] + ... + zDen[order] z^-order strictly inside |z| = 1.
inline bool polesInsideUnitCircle (const double zDen[6], int order)
{
    long double a[6] = {};
    for (int k = 0; k <= order; ++k)
        a[k] = zDen[k] / static_cast<long double> (zDen[0]);
    for (int i = order; i >= 1; --i)
    {
        const long double r = a[i];
        if (std::fabs (r) >= 1.0L)
            return false;
        long double lower[6] = {};
        for (int j = 0; j < i; ++j)
            lower[j] = (a[j] - r * a[i - j]) / (1.0L - r * r);
        std::copy (lower, lower + 6, a);
    }
    return true;
}

// Bilinear transform by explicit binomial products in long double. Returns the order; numScale and
// denScale receive, per coefficient, the sum of magnitudes of its terms over |D0|.
inline int referenceBilinear (const AnalogPrototype& proto, double rateHz, DigitalCoefficients& out,
                              double numScale[6], double denScale[6])
{
    out = DigitalCoefficients {};
    const int order = denominatorOrder (proto.sDen);
    long double num[6] = {}, den[6] = {}, numAbs[6] = {}, denAbs[6] = {};
    for (int m = 0; m <= order; ++m)
    {
        long double basis[6] = {1.0L};   // (1 - z^-1)^m (1 + z^-1)^(order - m)
        for (int f = 0; f < order; ++f)
            for (int j = f + 1; j > 0; --j)
                basis[j] += (f < m ? -1.0L : 1.0L) * basis[j - 1];
        const long double kPow = std::pow (2.0L * rateHz, static_cast<long double> (m));
        const long double p = proto.sNum[5 - m] * kPow, q = proto.sDen[5 - m] * kPow;
        for (int j = 0; j <= order; ++j)
        {
            num[j] += p * basis[j], den[j] += q * basis[j];
            numAbs[j] += std::fabs (p * basis[j]), denAbs[j] += std::fabs (q * basis[j]);
        }
    }
    for (int k = 0; k < 6; ++k)
    {
        out.zNum[k] = static_cast<double> (num[k] / den[0]);
        out.zDen[k] = static_cast<double> (den[k] / den[0]);
        numScale[k] = static_cast<double> (numAbs[k] / std::fabs (den[0]));
        denScale[k] = static_cast<double> (denAbs[k] / std::fabs (den[0]));
    }
    return order;
}

}   // namespace stagetest
