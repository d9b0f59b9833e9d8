// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Two antiparallel silicon diodes fed from a voltage source behind a resistor: their current law,
// the Newton solve for the diode voltage, and the spline tables that replace that solve at run time.
#include "dsp/HyperbolicSine.h"
#include "dsp/ShuntDiodeCurve.h"
#include "dsp/SplineTable.h"
#include <cmath>
#include <vector>

struct DiodePairLaw
{
    double saturationCurrentA = 1e-16;
    double thermalScaleV = 0.022;   // emission factor times thermal voltage
    double posScale = 1.0;   // multiplier of thermalScaleV for v > 0 (diodes in series)
    double negScale = 1.0;   // and for v <= 0
};

// Current into the node of a symmetric pair (one scale both ways, as wherever the current is
// needed per sample) at diode voltage v, for the audio thread, in each lane. inverseScaleV is
// 1 / (scale * thermalScaleV), so no division runs per sample. Agrees with diodePairCurrent to a
// relative 1e-14 or so (the reciprocal's rounding, amplified by the sinh argument).
inline TwoDoubles diodePairCurrentRt (TwoDoubles v, double saturationCurrentA, double inverseScaleV)
{
    return -2.0 * saturationCurrentA * hyperbolicSine (v * inverseScaleV);
}

inline double diodePairCurrentRt (double v, double saturationCurrentA, double inverseScaleV)
{
    return diodePairCurrentRt (TwoDoubles {v, v}, saturationCurrentA, inverseScaleV)[0];
}

inline double diodePairCurrent (const DiodePairLaw& law, double v)
{
    const double n = v > 0.0 ? law.posScale : law.negScale;
    return -2.0 * law.saturationCurrentA * std::sinh (v / (n * law.thermalScaleV));
}

inline double diodePairCurrentSlope (const DiodePairLaw& law, double v)
{
    const double n = v > 0.0 ? law.posScale : law.negScale;
    const double scaleV = n * law.thermalScaleV;
    return -2.0 * law.saturationCurrentA * std::cosh (v / scaleV) / scaleV;
}

// Diode voltage v with v = e + rOhms * I(v), by Newton iteration from startV. Stops when two
// iterates are within 1e-5 V or after 99 steps, and returns the earlier of the last two iterates.
double solveDiodeVoltage (const DiodePairLaw& law, double eV, double rOhms, double startV);

// The solution over source voltages -5 V ... +5 V in 0.01 V steps, tabulated against 100 * e.
SplineTable buildDiodeSolutionTable (const DiodePairLaw& law, double rOhms);

// Source resistances of the two tabulated solutions.
constexpr double kDiodeTableLowOhms = 100.0;
constexpr double kDiodeTableHighOhms = 1.0001e6;

// Weight of the low-resistance solution against (r - 100) / 1000, r the network's source
// resistance in ohms; tabulated at 0, 1, ... 100.
SplineTable buildBlendWeightTable ();

// Weight of the low-resistance solution for a network whose source resistance is sourceOhms.
double diodeBlendWeight (const SplineTable& weightTable, double sourceOhms);

// Source resistance the diodes to ground see behind r1 and c1 in series, with c2 across them,
// in the trapezoidal discretisation at rateHz.
double shuntSourceOhms (double r1Ohms, double c1Farads, double c2Farads, double rateHz);

// The immutable tables every limiter looks up: one pair (low, high source resistance) per diode
// arrangement, and the blend weight.
struct DiodeLimiterTables
{
    SplineTable table0;   // one diode each way, 100 ohms
    SplineTable table1;   // one diode each way, 1.0001e6 ohms
    SplineTable table2;   // two diodes on the negative side, 100 ohms
    SplineTable table3;   // two diodes on the negative side, 1.0001e6 ohms
    SplineTable weightTable;
    // table0 and table1 pre-blended, with their current, for the blends the pedals' diodes to
    // ground take at the usual oversampled rates; other blends use the two tables.
    std::vector<ShuntDiodeCurve> shuntCurves;

    const ShuntDiodeCurve* shuntCurveFor (double blend) const noexcept
    {
        for (const ShuntDiodeCurve& curve : shuntCurves)
            if (curve.blend () == blend && !curve.currentRows ().empty ())
                return &curve;
        return nullptr;
    }
};

// Built once on first use (thread-safe) and shared by every limiter in the process.
const DiodeLimiterTables& sharedDiodeLimiterTables ();
