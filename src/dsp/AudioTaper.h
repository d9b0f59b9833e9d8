// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Logarithmic ("audio") potentiometer law: fraction of the track at control position x.
// The scaling of x is rounded to single precision on purpose; the polynomial runs in double.
// Inline: it runs for every design of a gliding gain or mid-frequency control.
#include <algorithm>

inline double audioTaper (float x)
{
    if (x > 1.0f)
        return 1.0;
    if (x < 0.0f)
        return 0.0;
    const double y = static_cast<float> (x * 1.18f);
    const double p =
        ((((2.06330128205129 * y - 1.84978794353795) * y + 0.74379006410257) * y + 0.04266745985496)
             * y
         - 0.00582022144522 + 0.00582)
        * 0.49;
    return std::clamp (p, 0.0, 1.0);
}
