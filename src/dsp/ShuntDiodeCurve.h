// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The diodes-to-ground solution for one blend of the two source-resistance tables, pre-blended,
// with the diode current (the sinh of that solution) tabulated beside it. The limiter's state
// recursion waits for both every oversampled sample; here one lookup yields them without a
// blend, a sinh or a branch. Built once, off the audio thread.
#include "dsp/SplineTable.h"
#include "dsp/TwoLanes.h"
#include <cstdint>
#include <immintrin.h>
#include <vector>

class ShuntDiodeCurve
{
public:
    // One grid step (or one end region), t from 0 to 1 across it: voltage a + b t + c t^2 +
    // d t^3; current, to seventh order (fifth order would leave errors of a few 1e-9 of the
    // current where the diodes begin to conduct, which the tone sections make audible at -90 dB).
    // The current, which the recursion waits for, fills one cache line per row; the voltage,
    // which only leaves the limiter, lies apart.
    static constexpr int kCurrentTerms = 8;
    struct alignas (64) CurrentRow
    {
        double c[kCurrentTerms];
    };
    struct alignas (32) VoltageRow
    {
        double c[4];
    };

    // The tables weighted blend and 1 - blend, as the blending limiter weighs them.
    // saturationCurrentA and inverseScaleV as in diodePairCurrentRt: the current is
    // -2 saturationCurrentA sinh (v inverseScaleV).
    ShuntDiodeCurve (const SplineTable& low, const SplineTable& high, double blend,
                     double saturationCurrentA, double inverseScaleV);

    double blend () const noexcept { return blendWeight; }
    const std::vector<VoltageRow>& voltageRows () const noexcept { return voltages; }
    const std::vector<CurrentRow>& currentRows () const noexcept { return currents; }

    // Audio thread, each lane. position: the tables' abscissa minus 1/2 (a grid step then
    // starts where it rounds to an integer). Below the grid, above it and for NaN the table's
    // end values hold, as SplineTable::evaluate does, including its extrapolation within one
    // step below the first knot.
    TwoDoubles lookup (TwoDoubles position, TwoDoubles& current) const noexcept
    {
        using Bits = uint64_t __attribute__ ((vector_size (16)));
        // maxpd answers its second operand for NaN: NaN goes below the grid.
        const TwoDoubles clamped = reinterpret_cast<TwoDoubles> (_mm_min_pd (
            _mm_max_pd (reinterpret_cast<__m128d> (position), reinterpret_cast<__m128d> (lowest)),
            reinterpret_cast<__m128d> (highest)));
        // Adding the shifter rounds to the nearest integer, which lands in the low bits.
        const TwoDoubles shifted = clamped + shifter;
        const Bits index = reinterpret_cast<Bits> (shifted) & 0xffff;
        const TwoDoubles t = (clamped + 0.5) - (shifted - shifter);
        const double* i0 = currents[index[0]].c;
        const double* i1 = currents[index[1]].c;
        const double* v0 = voltages[index[0]].c;
        const double* v1 = voltages[index[1]].c;
        // The powers are ready before the coefficients arrive; each coefficient then takes one
        // product and three sums.
        const TwoDoubles t2 = t * t;
        const TwoDoubles t3 = t2 * t;
        const TwoDoubles t4 = t2 * t2;
        const TwoDoubles t5 = t4 * t;
        const TwoDoubles t6 = t4 * t2;
        const TwoDoubles t7 = t4 * t3;
        auto term = [&] (int k, TwoDoubles power) { return TwoDoubles {i0[k], i1[k]} * power; };
        current = ((TwoDoubles {i0[0], i1[0]} + term (1, t)) + (term (2, t2) + term (3, t3)))
                  + ((term (4, t4) + term (5, t5)) + (term (6, t6) + term (7, t7)));
        auto voltage = [&] (int k) { return TwoDoubles {v0[k], v1[k]}; };
        return (voltage (0) + voltage (1) * t) + (voltage (2) * t2 + voltage (3) * t3);
    }

private:
    // Rows: below the grid, the step below the first knot, the grid steps, above the grid.
    std::vector<VoltageRow> voltages;
    std::vector<CurrentRow> currents;
    double blendWeight = 0.0;
    TwoDoubles lowest = {};   // positions of the first and last row's middles
    TwoDoubles highest = {};
    TwoDoubles shifter = {};   // 1.5 * 2^52 plus the row of position 0
};
