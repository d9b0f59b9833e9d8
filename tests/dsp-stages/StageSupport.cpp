// SPDX-License-Identifier: GPL-3.0-or-later
#include "StageSupport.h"
#include "dsp/PedalStageDesigns.h"
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

std::vector<StageCase> buildStages()
{
    namespace p = pedal;
    using AP = AnalogPrototype;
    using DC = DigitalCoefficients;
    const char* names[8] = {"TrebleBooster", "XxlDistortion", "BatDistortion", "OverDrive",
                            "SuperDrive", "NineScreamer", "808Screamer", "MetalTone"};
    std::vector<StageCase> all;
    for (unsigned m = 0; m < 8; ++m)
    {
        const std::string n = names[m];
        all.push_back ({n + "Input", 0, true, [m] (double, double, AP& a) { p::inputStagePrototype (m, a); },
                              [m] (double, double, double r, DC& c) { p::designInputStage (m, r, c); }});
        if (m == 1 || m == 2 || m == 7)
            all.push_back ({n + "Drive", 1, true, [m] (double x, double, AP& a) { p::driveStagePrototype (m, x, a); },
                                  [m] (double x, double, double r, DC& c) { p::designDriveStage (m, x, r, c); }});
        if (m >= 2 && m <= 6)
            all.push_back ({n + "Tone", 1, true, [m] (double x, double, AP& a) { p::toneStagePrototype (m, x, a); },
                                  [m] (double x, double, double r, DC& c) { p::designToneStage (m, x, r, c); }});
        if (m >= 1 && m <= 6)
            all.push_back ({n + "Level", 1, false, [m] (double x, double, AP& a) { p::levelStagePrototype (m, x, a); },
                                  [m] (double x, double, double r, DC& c) { p::designLevelStage (m, x, r, c); }});
    }
    all.push_back ({"MetalTonePre", 0, false, [] (double, double, AP& a) { p::metalPreStagePrototype (a); },
                          [] (double, double, double r, DC& c) { p::designMetalPreStage (r, c); }});
    all.push_back ({"MetalTonePost", 0, false, [] (double, double, AP& a) { p::metalPostStagePrototype (a); },
                          [] (double, double, double r, DC& c) { p::designMetalPostStage (r, c); }});
    all.push_back ({"MetalToneFilter", 0, false, [] (double, double, AP& a) { p::metalFilterStagePrototype (a); },
                          [] (double, double, double r, DC& c) { p::designMetalFilterStage (r, c); }});
    all.push_back ({"MetalToneBassTreble", 2, false,
                          [] (double x, double y, AP& a) { p::metalBassTrebleStagePrototype (x, y, a); },
                          [] (double x, double y, double r, DC& c) { p::designMetalBassTrebleStage (x, y, r, c); }});
    all.push_back ({"MetalToneMid", 2, false,
                          [] (double x, double y, AP& a) { p::metalMidStagePrototype (x, float (y), a); },
                          [] (double x, double y, double r, DC& c) { p::designMetalMidStage (x, float (y), r, c); }});
    return all;
}

} // namespace

const std::vector<StageCase>& allStages()
{
    static const std::vector<StageCase> cases = buildStages();
    return cases;
}

std::vector<std::pair<double, double>> controlPoints (const StageCase& stage, int steps)
{
    std::vector<std::pair<double, double>> points;
    const int xSteps = stage.controlCount >= 1 ? steps : 0, ySteps = stage.controlCount == 2 ? steps : 0;
    for (int i = 0; i <= xSteps; ++i)
        for (int j = 0; j <= ySteps; ++j)
            points.push_back ({xSteps ? double (i) / steps : 0.0, ySteps ? double (j) / steps : 0.0});
    return points;
}

Complex analogResponse (const AnalogPrototype& proto, double omegaRadPerSec)
{
    const Complex s (0.0, omegaRadPerSec);
    Complex num = 0.0, den = 0.0;
    for (int k = 5 - denominatorOrder (proto.sDen); k < 6; ++k)   // Horner from the highest power
    {
        num = num * s + proto.sNum[k];
        den = den * s + proto.sDen[k];
    }
    return num / den;
}

Complex digitalResponse (const DigitalCoefficients& coeffs, double omegaRadPerSample)
{
    const Complex zInv = std::polar (1.0, -omegaRadPerSample);
    Complex num = 0.0, den = 0.0;
    for (int k = 5; k >= 0; --k)
    {
        num = num * zInv + coeffs.zNum[k];
        den = den * zInv + coeffs.zDen[k];
    }
    return num / den;
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
        for (int j = 0; j < i; ++j)
            lower[j] = (a[j] - reflection * a[i - j]) / (1.0L - reflection * reflection);
        std::copy (lower, lower + 6, a);
    }
    return true;
}

int referenceBilinear (const AnalogPrototype& proto, double rateHz, DigitalCoefficients& out,
                       double numScale[6], double denScale[6])
{
    out = DigitalCoefficients {};
    const int order = denominatorOrder (proto.sDen);
    long double num[6] = {}, den[6] = {}, numAbs[6] = {}, denAbs[6] = {};
    for (int m = 0; m <= order; ++m)
    {
        // (1 - z^-1)^m (1 + z^-1)^(order - m)
        long double basis[6] = {1.0L};
        for (int f = 0; f < order; ++f)
            for (int j = f + 1; j > 0; --j)
                basis[j] += (f < m ? -1.0L : 1.0L) * basis[j - 1];
        const long double kPow = std::pow (2.0L * rateHz, static_cast<long double> (m));
        const long double p = proto.sNum[5 - m] * kPow, q = proto.sDen[5 - m] * kPow;
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
