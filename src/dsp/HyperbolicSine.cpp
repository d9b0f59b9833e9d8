// SPDX-License-Identifier: GPL-3.0-or-later
#include "dsp/HyperbolicSine.h"

namespace hyperbolic_sine {
namespace {

// long double carries eleven bits more than double: enough for each value's rounding error.
Tables makeTables ()
{
    Tables t {};
    for (int j = 0; j < 64; ++j)
    {
        const long double up = 0.5L * std::exp2l (static_cast<long double> (j) / 64.0L);
        const long double down = 0.5L * std::exp2l (-static_cast<long double> (j) / 64.0L);
        t.upHi[j] = static_cast<double> (up);
        t.upLo[j] = static_cast<double> (up - static_cast<long double> (t.upHi[j]));
        t.downHi[j] = static_cast<double> (down);
        t.downLo[j] = static_cast<double> (down - static_cast<long double> (t.downHi[j]));
    }
    return t;
}

}   // namespace

const Tables kTables = makeTables ();

}   // namespace hyperbolic_sine
