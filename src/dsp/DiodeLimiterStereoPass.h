// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Audio thread. The limiter's two channels in the two lanes of one vector for a whole block:
// coefficients and states are held in locals, the states go back when the pass ends. The
// table lookups and the diode current stay per lane; everything else is packed. Same
// arithmetic, in the same order, as processShunt_rt and processFeedback_rt, so each lane is bit
// for bit the per-channel result. The limiter must have at least two channels.
#include "dsp/CMVXSVDiodeLimiterSimulation.h"
#include "dsp/TwoLanes.h"
#include <cassert>

class CMVXSVDiodeLimiterSimulation::StereoPass
{
public:
    explicit StereoPass (CMVXSVDiodeLimiterSimulation& limiterIn)
    : limiter (limiterIn), low (*limiterIn.activeLow), high (*limiterIn.activeHigh),
      saturationCurrent (limiterIn.saturationCurrent), inverseScale (limiterIn.currentInverseScale),
      curve (limiterIn.shuntCurve)
    {
        coef.visitWith (limiter.coef,
                        [] (TwoDoubles& lanes, double c) { lanes = TwoDoubles {} + c; });
        curveCoef.visitWith (limiter.curveCoef,
                             [] (TwoDoubles& lanes, double c) { lanes = TwoDoubles {} + c; });
        curvePosition = TwoDoubles {limiter.curvePosition[0], limiter.curvePosition[1]};
        inGain = TwoDoubles {} + limiter.inGain;
        inNum1 = TwoDoubles {} + limiter.inNum1;
        inDen1 = TwoDoubles {} + limiter.inDen1;
        tableScale = TwoDoubles {} + limiter.tableScale;
        blend = TwoDoubles {} + limiter.blend;
        highWeight = TwoDoubles {} + limiter.highWeight;
        inState = TwoDoubles {limiter.inState[0], limiter.inState[1]};
        stateA = TwoDoubles {limiter.stateA[0], limiter.stateA[1]};
        stateB = TwoDoubles {limiter.stateB[0], limiter.stateB[1]};
    }

    ~StereoPass ()
    {
        for (int c = 0; c < 2; ++c)
        {
            limiter.inState[c] = inState[c];
            limiter.stateA[c] = stateA[c];
            limiter.stateB[c] = stateB[c];
            limiter.curvePosition[c] = curvePosition[c];
        }
    }

    StereoPass (const StereoPass&) = delete;
    StereoPass& operator= (const StereoPass&) = delete;

    // Mode: the mode the limiter is configured in, known where the chain is compiled.
    template <uint32_t Mode>
    TwoDoubles process (TwoDoubles x)
    {
        assert ((limiter.processFnLimiter == Routine::shunt) == (Mode == kDiodesToGround));
        if constexpr (Mode == kDiodesToGround)
            return processShunt (x);
        else
            return processFeedback (x);
    }

    // The diodes on a pre-blended curve, for a loop that interleaves them with other work:
    // coefficients and states in the loop's own locals, handed back with keep().
    struct CurveLanes
    {
        const ShuntDiodeCurve* curve;   // null where the diodes blend the two tables
        NetworkCoefficients<TwoDoubles> coef;
        CurveCoefficients<TwoDoubles> k;
        TwoDoubles a, b, position;

        TwoDoubles step (TwoDoubles x)
        {
            return shuntCurveStep (*curve, coef, k, x, a, b, position);
        }
    };

    CurveLanes curveLanes () const
    {
        return {curve, coef, curveCoef, stateA, stateB, curvePosition};
    }

    void keep (const CurveLanes& lanes)
    {
        stateA = lanes.a;
        stateB = lanes.b;
        curvePosition = lanes.position;
    }

    // One lane takes the coefficients of another limiter configured in the same mode (a glide
    // lane's own gain setting); the tables and the routine stay those of the mode.
    void tuneLane (int lane, const CMVXSVDiodeLimiterSimulation& source)
    {
        assert (source.shuntCurve == curve);
        coef.visitWith (source.coef, [lane] (TwoDoubles& lanes, double c) { lanes[lane] = c; });
        if (curve != nullptr)   // never while a glide retunes the diodes in their feedback path
            curveCoef.visitWith (source.curveCoef,
                                 [lane] (TwoDoubles& lanes, double c) { lanes[lane] = c; });
        inGain[lane] = source.inGain;
        inNum1[lane] = source.inNum1;
        inDen1[lane] = source.inDen1;
        blend[lane] = source.blend;
        highWeight[lane] = source.highWeight;
    }

private:
    TwoDoubles processFeedback (TwoDoubles x)
    {
        const TwoDoubles w = x * inGain;
        const TwoDoubles i = w + inState;
        inState = w * inNum1 - i * inDen1;
        const TwoDoubles e = coef.voltageFromB * stateB + coef.voltageFromInput * i;
        const TwoDoubles v = tableVoltage (e * tableScale);
        stateB = v;
        return x + v;
    }

    TwoDoubles processShunt (TwoDoubles x)
    {
        if (curve != nullptr)
            return shuntCurveStep (*curve, coef, curveCoef, x, stateA, stateB, curvePosition);
        const TwoDoubles a = stateA;
        const TwoDoubles b = stateB;
        const TwoDoubles e =
            coef.voltageFromA * a + coef.voltageFromB * b + coef.voltageFromInput * x;
        const TwoDoubles v = tableVoltage (e * tableScale);
        const TwoDoubles i = diodePairCurrentRt (v, saturationCurrent, inverseScale);
        stateA = coef.aFromA * a + coef.aFromB * b + coef.aFromInput * x + coef.aFromCurrent * i;
        stateB = coef.bFromA * a + coef.bFromB * b + coef.bFromInput * x + coef.bFromCurrent * i;
        return v;
    }

    // SplineTable::evaluate per lane: a + b t + c t^2 + d t^3 on each lane's own segment.
    TwoDoubles tableVoltage (TwoDoubles u) const
    {
        const SplineTable::Position p0 = high.locate (u[0]);
        const SplineTable::Position p1 = high.locate (u[1]);
        const TwoDoubles t = {p0.t, p1.t};
        const TwoDoubles t2 = t * t;
        const TwoDoubles t3 = t2 * t;
        return evaluate (high, p0.index, p1.index, t, t2, t3) * highWeight
               + evaluate (low, p0.index, p1.index, t, t2, t3) * blend;
    }

    static TwoDoubles evaluate (const SplineTable& table, int32_t i0, int32_t i1, TwoDoubles t,
                                TwoDoubles t2, TwoDoubles t3)
    {
        const SplineTable::Segment& s0 = table.segment (i0);
        const SplineTable::Segment& s1 = table.segment (i1);
        return TwoDoubles {s0.a, s1.a} + TwoDoubles {s0.b, s1.b} * t + TwoDoubles {s0.c, s1.c} * t2
               + TwoDoubles {s0.d, s1.d} * t3;
    }

    CMVXSVDiodeLimiterSimulation& limiter;
    const SplineTable& low;
    const SplineTable& high;
    const double saturationCurrent;
    const double inverseScale;
    const ShuntDiodeCurve* const curve;
    NetworkCoefficients<TwoDoubles> coef;
    CurveCoefficients<TwoDoubles> curveCoef;
    TwoDoubles inGain, inNum1, inDen1, tableScale, blend, highWeight;
    TwoDoubles inState, stateA, stateB, curvePosition;
};
