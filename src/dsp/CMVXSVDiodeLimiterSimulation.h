// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pedals' diode clipping stage with its RC network, per channel, at the oversampled rate.
// The diode equation is solved once per process into spline tables (see DiodeSolution.h); per
// sample two tabulated solutions, for a low and a high source resistance, are blended by a weight
// that follows the configured network's resistance. Diodes to ground at the usual rates look
// their voltage and current up in one curve blended beforehand for the network.
#include "dsp/CMVXAnalogSimulation.h"
#include "dsp/DiodeSolution.h"
#include "dsp/SplineTable.h"
#include <cmath>
#include <cstdint>
#include <vector>

class CMVXSVDiodeLimiterSimulation : public CMVXAnalogSimulation
{
public:
    // Where the diodes sit (configure's mode).
    enum DiodeMode : uint32_t
    {
        kDiodesInFeedback = 0,   // the amplifier's feedback path, one diode each way
        kDiodesInFeedbackTwoNegative = 1,   // … with two diodes in series on the negative side
        kDiodesToGround = 2,   // to ground behind a series resistor and two capacitors
    };

    // Per-sample coefficients of the network. The diodes see the open-circuit voltage
    // e = fromA a + fromB b + fromInput u, where a and b are the network's states and u is the
    // input (diodes to ground) or the input current (diodes in feedback, where b holds the last
    // diode voltage). To ground, the states then step from a, b, u and the diode current i.
    template <typename T>
    struct NetworkCoefficients
    {
        T voltageFromA, voltageFromB, voltageFromInput;
        T sourceOhms;   // the resistance the diodes see: it picks the blend of the tables
        T aFromA, aFromB, aFromInput, aFromCurrent;
        T bFromA, bFromB, bFromInput, bFromCurrent;

        // Visits each coefficient together with the same one of another set.
        template <typename Other, typename Visit>
        void visitWith (Other& other, Visit&& visit)
        {
            visit (voltageFromA, other.voltageFromA);
            visit (voltageFromB, other.voltageFromB);
            visit (voltageFromInput, other.voltageFromInput);
            visit (sourceOhms, other.sourceOhms);
            visit (aFromA, other.aFromA);
            visit (aFromB, other.aFromB);
            visit (aFromInput, other.aFromInput);
            visit (aFromCurrent, other.aFromCurrent);
            visit (bFromA, other.bFromA);
            visit (bFromB, other.bFromB);
            visit (bFromInput, other.bFromInput);
            visit (bFromCurrent, other.bFromCurrent);
        }
    };

    // Diodes to ground on a pre-blended curve (ShuntDiodeCurve): the next sample's position on
    // the curve, but for the input's share, tableScale (voltageFromA a + voltageFromB b), is
    // carried as a third state and stepped straight from a, b, the input and the current, so
    // that the recursion waits for one product and one sum between lookups.
    template <typename T>
    struct CurveCoefficients
    {
        T positionFromA, positionFromB;   // tableScale voltageFrom…: the carried position
        T positionFromInput;
        T nextFromA, nextFromB, nextFromInput, nextFromCurrent;

        template <typename Other, typename Visit>
        void visitWith (Other& other, Visit&& visit)
        {
            visit (positionFromA, other.positionFromA);
            visit (positionFromB, other.positionFromB);
            visit (positionFromInput, other.positionFromInput);
            visit (nextFromA, other.nextFromA);
            visit (nextFromB, other.nextFromB);
            visit (nextFromInput, other.nextFromInput);
            visit (nextFromCurrent, other.nextFromCurrent);
        }
    };

    CMVXSVDiodeLimiterSimulation (double sampleRateHz, uint32_t channels);
    ~CMVXSVDiodeLimiterSimulation () override;

    // Other modes store the network but keep the previous routine and coefficients.
    void configure (uint32_t mode, double r1Ohms, double r2Ohms, double r3Ohms, double c1Farads,
                    double c2Farads);
    void setSampleRate (double sampleRateHz);
    double processSample (double x, uint32_t channel);   // audio thread
    void reset ();

    // Inspection for tests and tools.
    double blendWeight () const noexcept { return blend; }
    const NetworkCoefficients<double>& coefficients () const noexcept { return coef; }
    uint32_t configuredMode () const noexcept { return mode; }
    double feedbackResistanceOhms () const noexcept { return rFeedback; }
    double inputGain () const noexcept { return inGain; }
    double inputNumerator1 () const noexcept { return inNum1; }
    double inputDenominator1 () const noexcept { return inDen1; }
    const SplineTable& activeLowTable () const noexcept { return *activeLow; }
    const SplineTable& activeHighTable () const noexcept { return *activeHigh; }
    // The pre-blended curve the diodes to ground use, or null where they blend the two tables.
    const ShuntDiodeCurve* shuntCurveInUse () const noexcept { return shuntCurve; }
    uint32_t channelCount () const noexcept { return channels; }

    // Channels 0 and 1 at once for one block (DiodeLimiterStereoPass.h).
    class StereoPass;

private:
    enum class Routine : uint8_t
    {
        feedback,   // modes 0 and 1
        shunt   // mode 2
    };

    double processFeedback_rt (double x, uint32_t ch) noexcept;
    double processShunt_rt (double x, uint32_t ch) noexcept;
    void carryCurvePositions () noexcept;
    double tableVoltage_rt (double u) const noexcept;

    const DiodeLimiterTables& tables;   // shared, immutable
    Routine processFnLimiter = Routine::feedback;
    double inGain = 0.0;
    double inNum1 = 0.0;
    double inDen1 = 0.0;
    std::vector<double> inState;
    double inputDesignR1 = std::nan ("");   // the network of the last input design: none yet
    double inputDesignC1 = std::nan ("");
    double inputDesignRate = std::nan ("");
    double samplePeriod = 0.0;   // 1 / sampleRate, with the input design
    double sampleRate = 0.0;
    uint32_t mode = 0;
    double r1 = 4700.0;
    double r2 = 50000.0;
    double r3 = 500000.0;
    double c1 = 1e-5;
    double c2 = 5e-11;
    double rFeedback = 0.0;
    double posScale = 1.0;
    double negScale = 1.0;
    double saturationCurrent = 1e-16;
    double thermalScale = 0.022;
    // 1 / (posScale * thermalScale): only the shunt routine needs the current per sample, and
    // its pair is symmetric (posScale = negScale).
    double currentInverseScale = 1.0 / 0.022;
    NetworkCoefficients<double> coef = {};
    CurveCoefficients<double> curveCoef = {};
    const ShuntDiodeCurve* shuntCurve = nullptr;
    std::vector<double> curvePosition;   // with shuntCurve: the next sample's, per channel
    std::vector<double> stateA;
    std::vector<double> stateB;   // in modes 0 and 1 also the last diode voltage
    double tableScale = 100.0;
    uint32_t tablePoints = 1001;
    double blend = 0.0;
    double highWeight = 1.0;   // 1 - blend
    const SplineTable* activeLow = nullptr;
    const SplineTable* activeHigh = nullptr;
    uint32_t channels = 0;
};

// Both solution tables share one grid, so one lookup serves both.
inline double CMVXSVDiodeLimiterSimulation::tableVoltage_rt (double u) const noexcept
{
    const SplineTable::Position p = activeHigh->locate (u);
    return activeHigh->evaluate (p) * highWeight + activeLow->evaluate (p) * blend;
}

inline double CMVXSVDiodeLimiterSimulation::processFeedback_rt (double x, uint32_t ch) noexcept
{
    const double w = x * inGain;
    const double i = w + inState[ch];
    inState[ch] = w * inNum1 - i * inDen1;
    const double e = coef.voltageFromB * stateB[ch] + coef.voltageFromInput * i;
    const double v = tableVoltage_rt (e * tableScale);
    stateB[ch] = v;
    return x + v;
}

// One step of the diodes to ground on a pre-blended curve, for one lane type L (double, or
// both channels in TwoDoubles) with coefficients C of the same kind. The states step as in the
// blending form; the scalar form is lane 0 of the same arithmetic.
template <typename L, typename C>
inline __attribute__ ((always_inline)) L shuntCurveStep (
    const ShuntDiodeCurve& curve, const CMVXSVDiodeLimiterSimulation::NetworkCoefficients<C>& coef,
    const CMVXSVDiodeLimiterSimulation::CurveCoefficients<C>& k, L x, L& a, L& b, L& position)
{
    const L p = position + (k.positionFromInput * x - 0.5);
    TwoDoubles lanesOfI;
    L i, v;
    if constexpr (sizeof (L) == sizeof (double))
    {
        v = curve.lookup (TwoDoubles {p, p}, lanesOfI)[0];
        i = lanesOfI[0];
    }
    else
    {
        v = curve.lookup (p, lanesOfI);
        i = lanesOfI;
    }
    const L a0 = a;
    const L b0 = b;
    a = coef.aFromA * a0 + coef.aFromB * b0 + coef.aFromInput * x + coef.aFromCurrent * i;
    b = coef.bFromA * a0 + coef.bFromB * b0 + coef.bFromInput * x + coef.bFromCurrent * i;
    position = (k.nextFromA * a0 + k.nextFromB * b0 + k.nextFromInput * x) + k.nextFromCurrent * i;
    return v;
}

inline double CMVXSVDiodeLimiterSimulation::processShunt_rt (double x, uint32_t ch) noexcept
{
    if (shuntCurve != nullptr)
        return shuntCurveStep (*shuntCurve, coef, curveCoef, x, stateA[ch], stateB[ch],
                               curvePosition[ch]);
    const double a = stateA[ch];
    const double b = stateB[ch];
    const double e = coef.voltageFromA * a + coef.voltageFromB * b + coef.voltageFromInput * x;
    const double v = tableVoltage_rt (e * tableScale);
    const double i = diodePairCurrentRt (v, saturationCurrent, currentInverseScale);
    stateA[ch] = coef.aFromA * a + coef.aFromB * b + coef.aFromInput * x + coef.aFromCurrent * i;
    stateB[ch] = coef.bFromA * a + coef.bFromB * b + coef.bFromInput * x + coef.bFromCurrent * i;
    return v;
}

inline double CMVXSVDiodeLimiterSimulation::processSample (double x, uint32_t channel)
{
    if (channel >= channels)
        return x;
    if (processFnLimiter == Routine::shunt)
        return processShunt_rt (x, channel);
    return processFeedback_rt (x, channel);
}
