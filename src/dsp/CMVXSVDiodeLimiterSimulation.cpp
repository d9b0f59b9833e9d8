// SPDX-License-Identifier: GPL-3.0-or-later
#include "dsp/CMVXSVDiodeLimiterSimulation.h"
#include "dsp/BilinearDesign.h"
#include <algorithm>
#include <cassert>
#include <cmath>

CMVXSVDiodeLimiterSimulation::CMVXSVDiodeLimiterSimulation (double sampleRateHz,
                                                            uint32_t channelsIn)
: tables (sharedDiodeLimiterTables ()), inState (channelsIn, 0.0), curvePosition (channelsIn, 0.0),
  stateA (channelsIn, 0.0), stateB (channelsIn, 0.0), channels (channelsIn)
{
    assert (tables.table0.size () == tablePoints && tables.table0.hasSameGrid (tables.table1)
            && tables.table2.hasSameGrid (tables.table3));
    activeLow = &tables.table0;
    activeHigh = &tables.table1;
    setSampleRate (sampleRateHz);
    reset ();
}

CMVXSVDiodeLimiterSimulation::~CMVXSVDiodeLimiterSimulation () = default;

void CMVXSVDiodeLimiterSimulation::setSampleRate (double sampleRateHz)
{
    if (std::isfinite (sampleRateHz) && sampleRateHz > 0.0)   // a bad rate keeps the last design
        sampleRate = sampleRateHz;
    configure (mode, r1, r2, r3, c1, c2);
}

void CMVXSVDiodeLimiterSimulation::configure (uint32_t modeIn, double r1Ohms, double r2Ohms,
                                              double r3Ohms, double c1Farads, double c2Farads)
{
    mode = modeIn;
    r1 = r1Ohms;
    r2 = r2Ohms;
    r3 = r3Ohms;
    c1 = c1Farads;
    c2 = c2Farads;
    if (!(sampleRate > 0.0))
        return;   // no valid rate yet: the network is stored and designed once one arrives

    // Input network: current into the amplifier's inverting node through R1 and C1 in series.
    // While the gain pot glides this runs every oversampled sample with only R3 moving, so the
    // network is designed again only when R1, C1 or the rate differ from its last design.
    if (!(r1 == inputDesignR1 && c1 == inputDesignC1 && sampleRate == inputDesignRate))
    {
        AnalogPrototype input;
        input.sNum[4] = c1;
        input.sDen[4] = r1 * c1;
        input.sDen[5] = 1.0;
        DigitalCoefficients z;
        bilinearDesign (z, input, sampleRate);
        inGain = z.zNum[0];
        inNum1 = z.zNum[0] != 0.0 ? z.zNum[1] / z.zNum[0] : 0.0;   // C1 = 0 blocks all input
        inDen1 = z.zDen[1];
        samplePeriod = 1.0 / sampleRate;
        inputDesignR1 = r1;
        inputDesignC1 = c1;
        inputDesignRate = sampleRate;
    }
    const double T = samplePeriod;

    if (mode == kDiodesInFeedback || mode == kDiodesInFeedbackTwoNegative)
    {
        // Feedback impedance (R2 + R3) || C2, discretised with a backward difference.
        processFnLimiter = Routine::feedback;
        rFeedback = r2 + r3;
        const double D = T + rFeedback * c2;
        coef.voltageFromB = c2 * rFeedback / D;
        coef.voltageFromInput = rFeedback * T / D;
        coef.sourceOhms = coef.voltageFromInput;
        if (mode == kDiodesInFeedback)
        {
            activeLow = &tables.table0;
            activeHigh = &tables.table1;
        }
        else
        {
            activeLow = &tables.table2;
            activeHigh = &tables.table3;
        }
        posScale = 1.0;
        negScale = mode == kDiodesInFeedbackTwoNegative ? 2.0 : 1.0;
    }
    else if (mode == kDiodesToGround)
    {
        // Nodal equations of R1 and C1 in series into the diode node, C2 to ground, with
        // trapezoidal companion conductances k = 2 C fs.
        processFnLimiter = Routine::shunt;
        rFeedback = r1;
        const double g = 1.0 / r1;
        const double k1 = 2.0 * c1 * sampleRate;
        const double k2 = 2.0 * c2 * sampleRate;
        const double D = k2 * k1 + k2 * g + g * k1;
        coef.voltageFromA = -g / D;
        coef.voltageFromB = (k1 + g) / D;
        coef.voltageFromInput = g * k1 / D;
        coef.sourceOhms = shuntSourceOhms (r1, c1, c2, sampleRate);
        coef.aFromA = (k2 * k1 + g * k1 - k2 * g) / D;
        coef.aFromB = -2.0 * g * k1 / D;
        coef.bFromA = -2.0 * k2 * g / D;
        coef.bFromB = (k2 * k1 + k2 * g - g * k1) / D;
        coef.aFromInput = 2.0 * k1 * k2 * g / D;
        coef.bFromInput = coef.aFromInput;
        coef.aFromCurrent = -2.0 * g * k1 / D;
        coef.bFromCurrent = 2.0 * k2 * (k1 + g) / D;
        activeLow = &tables.table0;
        activeHigh = &tables.table1;
        posScale = 1.0;
        negScale = 1.0;
    }
    currentInverseScale = 1.0 / (posScale * thermalScale);

    // Weight of the low-resistance solution for the network's actual source resistance.
    blend = diodeBlendWeight (tables.weightTable, coef.sourceOhms);
    highWeight = 1.0 - blend;

    shuntCurve = processFnLimiter == Routine::shunt ? tables.shuntCurveFor (blend) : nullptr;
    if (shuntCurve != nullptr)
    {
        // The curve's own current law is that of the symmetric pair the shunt routine uses.
        assert (posScale == 1.0 && negScale == 1.0);
        CurveCoefficients<double>& k = curveCoef;
        k.positionFromA = tableScale * coef.voltageFromA;
        k.positionFromB = tableScale * coef.voltageFromB;
        k.positionFromInput = tableScale * coef.voltageFromInput;
        auto next = [&k] (double fromA, double fromB) {
            return k.positionFromA * fromA + k.positionFromB * fromB;
        };
        k.nextFromA = next (coef.aFromA, coef.bFromA);
        k.nextFromB = next (coef.aFromB, coef.bFromB);
        k.nextFromInput = next (coef.aFromInput, coef.bFromInput);
        k.nextFromCurrent = next (coef.aFromCurrent, coef.bFromCurrent);
        carryCurvePositions ();
    }
}

// The carried positions follow the states under the present coefficients (a new network
// keeps the states).
void CMVXSVDiodeLimiterSimulation::carryCurvePositions () noexcept
{
    for (uint32_t c = 0; c < channels; ++c)
        curvePosition[c] =
            curveCoef.positionFromA * stateA[c] + curveCoef.positionFromB * stateB[c];
}

void CMVXSVDiodeLimiterSimulation::reset ()
{
    std::fill (inState.begin (), inState.end (), 0.0);
    std::fill (stateA.begin (), stateA.end (), 0.0);
    std::fill (stateB.begin (), stateB.end (), 0.0);
    std::fill (curvePosition.begin (), curvePosition.end (), 0.0);
}
