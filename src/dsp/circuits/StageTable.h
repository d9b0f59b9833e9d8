// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Circuit stage data: per power of s, numerator and denominator coefficients as polynomials in
// the stage's control variables, and their evaluation into an AnalogPrototype.
#include "dsp/BilinearDesign.h"
#include <cstddef>

namespace pedal::circuits {

// One power of s. num[i] and den[i] multiply the i-th control term of the stage's term list.
template <std::size_t Terms>
struct StageRow
{
    int sPower = -1;   // -1: unused row
    double num[Terms] = {};
    double den[Terms] = {};
};

// Rows from the highest power present down to s^0; trailing rows stay unused.
template <std::size_t Terms>
struct StageTable
{
    StageRow<Terms> rows[6];
};

// Term lists (the order the coefficient arrays follow):
using FixedStageTable = StageTable<1>;   // 1
using OneControlStageTable = StageTable<3>;   // 1, x, x^2
using BassTrebleStageTable = StageTable<9>;   // 1, x, y, x^2, xy, y^2, x^2 y, x y^2, x^2 y^2
using MidStageTable = StageTable<5>;   // 1, A, x, A^2, A x   (A = taper of 1 - y)

// Evaluates every row with the given term values; powers without a row get 0.
template <std::size_t Terms>
void fillPrototype (const StageTable<Terms>& table, const double (&terms)[Terms],
                    AnalogPrototype& proto) noexcept
{
    proto = AnalogPrototype {};
    for (const StageRow<Terms>& row : table.rows)
    {
        if (row.sPower < 0 || row.sPower > 5)
            continue;
        double n = 0.0;
        double d = 0.0;
        for (std::size_t i = 0; i < Terms; ++i)
        {
            n += row.num[i] * terms[i];
            d += row.den[i] * terms[i];
        }
        proto.sNum[5 - row.sPower] = n;
        proto.sDen[5 - row.sPower] = d;
    }
}

}   // namespace pedal::circuits
