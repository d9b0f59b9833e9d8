// SPDX-License-Identifier: GPL-3.0-or-later
#include "dsp/DiodeSolution.h"
#include "dsp/OversamplingFactor.h"
#include "dsp/PedalModels.h"
#include <algorithm>
#include <cstddef>

double solveDiodeVoltage (const DiodePairLaw& law, double eV, double rOhms, double startV)
{
    double v = startV;
    double previous = -400.0;   // far from any solution, so at least one step is taken
    int budget = 100;
    for (;;)
    {
        if (std::fabs (v - previous) <= 1e-5 || budget < 2)
            return previous;
        previous = v;
        v = v
            - (eV - v + rOhms * diodePairCurrent (law, v))
                  / (rOhms * diodePairCurrentSlope (law, v) - 1.0);
        --budget;
    }
}

SplineTable buildDiodeSolutionTable (const DiodePairLaw& law, double rOhms)
{
    constexpr int points = 1001;
    constexpr int middle = 500;   // e = 0
    const double stepV = 10.0 / 1000.0;
    const double tableScale = 100.0;   // abscissa per volt

    std::vector<double> abscissae (points), solution (points);
    for (int k = 0; k < points; ++k)
        abscissae[static_cast<size_t> (k)] = tableScale * (k * stepV - 5.0);

    // Walk outwards from e = 0 so that every solve starts next to its answer.
    double v = 0.0;
    for (int k = middle; k < points; ++k)
    {
        v = solveDiodeVoltage (law, k * stepV - 5.0, rOhms, v);
        solution[static_cast<size_t> (k)] = v;
    }
    v = 0.0;
    for (int k = middle; k >= 0; --k)
    {
        v = solveDiodeVoltage (law, k * stepV - 5.0, rOhms, v);
        solution[static_cast<size_t> (k)] = v;
    }
    return SplineTable (abscissae, solution);
}

SplineTable buildBlendWeightTable ()
{
    static const double weights[101] = {
        1.0,    0.4991, 0.4244, 0.3805, 0.3494, 0.3252, 0.3054, 0.2887, 0.2742, 0.2614, 0.25,
        0.2397, 0.2302, 0.2215, 0.2135, 0.206,  0.199,  0.1924, 0.1862, 0.1804, 0.1748, 0.1695,
        0.1644, 0.1596, 0.155,  0.1506, 0.1463, 0.1422, 0.1383, 0.1344, 0.1308, 0.1272, 0.1238,
        0.1204, 0.1172, 0.114,  0.111,  0.108,  0.1051, 0.1023, 0.0995, 0.0968, 0.0942, 0.0917,
        0.0892, 0.0867, 0.0843, 0.082,  0.0797, 0.0775, 0.0753, 0.0731, 0.071,  0.069,  0.0669,
        0.0649, 0.063,  0.0611, 0.0592, 0.0573, 0.0555, 0.0537, 0.0519, 0.0502, 0.0485, 0.0468,
        0.0451, 0.0435, 0.0419, 0.0403, 0.0387, 0.0372, 0.0357, 0.0342, 0.0327, 0.0312, 0.0298,
        0.0284, 0.027,  0.0256, 0.0242, 0.0229, 0.0216, 0.0202, 0.0189, 0.0177, 0.0164, 0.0151,
        0.0139, 0.0127, 0.0114, 0.0102, 0.0091, 0.0079, 0.0067, 0.0056, 0.0044, 0.0033, 0.0022,
        0.0011, 0.0};
    std::vector<double> abscissae (101), ordinates (weights, weights + 101);
    for (size_t k = 0; k < abscissae.size (); ++k)
        abscissae[k] = static_cast<double> (k);
    return SplineTable (abscissae, ordinates);
}

double diodeBlendWeight (const SplineTable& weightTable, double sourceOhms)
{
    const double r = std::clamp (sourceOhms, kDiodeTableLowOhms, kDiodeTableHighOhms);
    return weightTable.evaluate ((r - 100.0) / 1000.0);
}

double shuntSourceOhms (double r1Ohms, double c1Farads, double c2Farads, double rateHz)
{
    const double g = 1.0 / r1Ohms;
    const double k1 = 2.0 * c1Farads * rateHz;
    const double k2 = 2.0 * c2Farads * rateHz;
    const double D = k2 * k1 + k2 * g + g * k1;
    return (k1 + g) / D;
}

namespace {

// Every host rate in common use runs at one of these.
constexpr double kUsualOversampledRatesHz[] = {kOversampledRate44k1Hz, kOversampledRate48kHz};

void addShuntCurves (DiodeLimiterTables& t, const DiodePairLaw& law)
{
    for (PedalModel model : kAllPedalModels)
    {
        const DiodeNetwork& n = pedalTraits (model).diodes;
        if (!pedalTraits (model).has (PedalSection::diodes)
            || n.mode != CMVXSVDiodeLimiterSimulation::kDiodesToGround)
            continue;
        for (double rate : kUsualOversampledRatesHz)
        {
            const double blend = diodeBlendWeight (
                t.weightTable, shuntSourceOhms (n.r1Ohms, n.c1Farads, n.c2Farads, rate));
            if (t.shuntCurveFor (blend) == nullptr)
                t.shuntCurves.emplace_back (t.table0, t.table1, blend, law.saturationCurrentA,
                                            1.0 / (law.posScale * law.thermalScaleV));
        }
    }
}

DiodeLimiterTables buildTables ()
{
    const DiodePairLaw symmetric {1e-16, 0.022, 1.0, 1.0};
    const DiodePairLaw doubleNegative {1e-16, 0.022, 1.0, 2.0};
    DiodeLimiterTables t;
    t.table0 = buildDiodeSolutionTable (symmetric, kDiodeTableLowOhms);
    t.table1 = buildDiodeSolutionTable (symmetric, kDiodeTableHighOhms);
    t.table2 = buildDiodeSolutionTable (doubleNegative, kDiodeTableLowOhms);
    t.table3 = buildDiodeSolutionTable (doubleNegative, kDiodeTableHighOhms);
    t.weightTable = buildBlendWeightTable ();
    addShuntCurves (t, symmetric);
    return t;
}

}   // namespace

const DiodeLimiterTables& sharedDiodeLimiterTables ()
{
    static const DiodeLimiterTables tables = buildTables ();
    return tables;
}
