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
    static constexpr int kCurrentTerms = 8;
    struct Row
    {
        double voltage[4];
        double current[kCurrentTerms];
    };

    // highWeight = 1 - blend, as the blending limiter uses them. currentScale and inverseScaleV
    // as in diodePairCurrentRt: the current is -2 saturationCurrentA sinh (v inverseScaleV).
    ShuntDiodeCurve (const SplineTable& low, const SplineTable& high, double blend,
                     double highWeight, double saturationCurrentA, double inverseScaleV);

    double blend () const noexcept { return blendWeight; }
    const std::vector<Row>& rows () const noexcept { return table; }

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
        const Row& r0 = table[index[0]];
        const Row& r1 = table[index[1]];
        const TwoDoubles t2 = t * t;
        const TwoDoubles t4 = t2 * t2;
        auto lanes = [&] (const double* c0, const double* c1, int k) {
            return TwoDoubles {c0[k], c1[k]};
        };
        const double* i0 = r0.current;
        const double* i1 = r1.current;
        current = ((lanes (i0, i1, 0) + lanes (i0, i1, 1) * t)
                   + t2 * (lanes (i0, i1, 2) + lanes (i0, i1, 3) * t))
                  + t4 * ((lanes (i0, i1, 4) + lanes (i0, i1, 5) * t)
                          + t2 * (lanes (i0, i1, 6) + lanes (i0, i1, 7) * t));
        const double* v0 = r0.voltage;
        const double* v1 = r1.voltage;
        return (lanes (v0, v1, 0) + lanes (v0, v1, 1) * t)
               + t2 * (lanes (v0, v1, 2) + lanes (v0, v1, 3) * t);
    }

private:
    std::vector<Row> table;   // below the grid, the step below the first knot, the grid steps,
                              // above the grid
    double blendWeight = 0.0;
    TwoDoubles lowest = {};   // positions of the first and last row's middles
    TwoDoubles highest = {};
    TwoDoubles shifter = {};   // 1.5 * 2^52 plus the row of position 0
};
