// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// sinh for the diode current, two lanes at once, on the audio thread. The limiter's state
// recursion waits for this value every oversampled sample, so it is written for latency: no
// call, both lanes in one vector, and the one data branch (to the series near zero) is rarely
// taken while the diodes conduct. It stays within 0.6 ulp of the true value (the tests hold it
// to one ulp against long double), so it is as exact as the C library's sinh, whose last bit it
// need not share. The scalar form is lane 0 of the same arithmetic, which keeps the
// per-channel and the two-lane paths bit for bit identical.
#include "dsp/TwoLanes.h"
#include <cmath>
#include <cstdint>

namespace hyperbolic_sine {

// 0.5 * 2^(j/64) and 0.5 * 2^(-j/64), j = 0 ... 63, each as a double and the double nearest
// its rounding error. Filled when the library loads.
struct Tables
{
    double upHi[64], upLo[64], downHi[64], downLo[64];
};
extern const Tables kTables;

// Beyond this magnitude (and for NaN) the C library's sinh answers: overflow and NaN follow it.
constexpr double kFastLimit = 709.0;
// Below this magnitude the odd Taylor series, above it the exponentials.
constexpr double kSeriesLimit = 0.5;

}   // namespace hyperbolic_sine

inline TwoDoubles hyperbolicSine (TwoDoubles x)
{
    using namespace hyperbolic_sine;
    using Bits = uint64_t __attribute__ ((vector_size (16)));
    constexpr uint64_t kSignBit = uint64_t {1} << 63;
    const Bits bits = reinterpret_cast<Bits> (x);
    const TwoDoubles a = reinterpret_cast<TwoDoubles> (bits & ~kSignBit);

    // |x| >= 1/2: a = (64 k + j) ln2/64 + r with |r| <= ln2/128, and e^(+-a) / 2 = s e^r, s' e^-r
    // with s = 2^k 2^(j/64) / 2 and s' = 2^-k 2^(-j/64) / 2 from the tables (each a sum hi + lo).
    // With e^(+-r) = 1 + even(r) +- odd(r): sinh a = (s - s') + (s - s') even + (s + s') odd.
    // The small terms are summed first, in pairs, so that few additions wait for r.
    constexpr double kShifter = 0x1.8p52;   // adding it rounds to an integer in the low bits
    constexpr double kSixtyFourOverLn2 = 0x1.71547652b82fep6;
    constexpr double kLn2Over64Hi = 0x1.62e42fee00000p-7;   // trailing zeros: n * hi is exact
    constexpr double kLn2Over64Lo = 0x1.a39ef35793c76p-39;
    const TwoDoubles shifted = a * kSixtyFourOverLn2 + kShifter;
    const Bits n = reinterpret_cast<Bits> (shifted) & 0xffff;   // a <= kFastLimit: n < 2^16
    const TwoDoubles nd = shifted - kShifter;
    const TwoDoubles r = (a - nd * kLn2Over64Hi) - nd * kLn2Over64Lo;

    const Bits k = n >> 6;
    const TwoDoubles up = reinterpret_cast<TwoDoubles> ((k + 1023) << 52);   // 2^k
    const TwoDoubles down = reinterpret_cast<TwoDoubles> ((1023 - k) << 52);   // 2^-k
    const uint64_t j0 = n[0] & 63;
    const uint64_t j1 = n[1] & 63;
    const TwoDoubles sHi = up * TwoDoubles {kTables.upHi[j0], kTables.upHi[j1]};
    const TwoDoubles sLo = up * TwoDoubles {kTables.upLo[j0], kTables.upLo[j1]};
    const TwoDoubles tHi = down * TwoDoubles {kTables.downHi[j0], kTables.downHi[j1]};
    const TwoDoubles tLo = down * TwoDoubles {kTables.downLo[j0], kTables.downLo[j1]};
    const TwoDoubles dHi = sHi - tHi;
    const TwoDoubles dLo = ((sHi - dHi) - tHi) + (sLo - tLo);   // the first part exact: sHi >= tHi
    const TwoDoubles sum = sHi + tHi;

    const TwoDoubles r2 = r * r;
    const TwoDoubles r3 = r2 * r;
    const TwoDoubles r4 = r2 * r2;
    const TwoDoubles evenTail = (dHi * r4) * (1.0 / 24.0 + r2 * (1.0 / 720.0));
    const TwoDoubles oddTail = (sum * r3) * (1.0 / 6.0 + r2 * (1.0 / 120.0));
    const TwoDoubles leading = (dLo + sum * r) + (dHi * 0.5) * r2;
    const TwoDoubles exponential = dHi + (leading + (evenTail + oddTail));

    Bits magnitude = reinterpret_cast<Bits> (exponential);
    const Bits useSeries = reinterpret_cast<Bits> (a < kSeriesLimit);
    if (useSeries[0] | useSeries[1])   // rarely taken where the diodes conduct
    {
        // |x| < 1/2: x + x^3/3! + ... + x^17/17!, the tail in Estrin's scheme; the next term is far
        // below an ulp.
        const TwoDoubles y = a * a;
        const TwoDoubles y2 = y * y;
        const TwoDoubles y4 = y2 * y2;
        const TwoDoubles p01 = 1.0 / 6.0 + y * (1.0 / 120.0);
        const TwoDoubles p23 = 1.0 / 5040.0 + y * (1.0 / 362880.0);
        const TwoDoubles p45 = 1.0 / 39916800.0 + y * (1.0 / 6227020800.0);
        const TwoDoubles p67 = 1.0 / 1307674368000.0 + y * (1.0 / 355687428096000.0);
        const TwoDoubles tail = (p01 + p23 * y2) + (p45 + p67 * y2) * y4;
        const TwoDoubles series = a + (a * y) * tail;
        magnitude = (reinterpret_cast<Bits> (series) & useSeries) | (magnitude & ~useSeries);
    }
    TwoDoubles result = reinterpret_cast<TwoDoubles> (magnitude | (bits & kSignBit));
    // Out of range (or NaN) lanes computed garbage above, without harm; they are replaced here.
    const Bits inRange = reinterpret_cast<Bits> (a <= kFastLimit);
    if (__builtin_expect (!(inRange[0] & inRange[1]), 0))
    {
        for (int lane = 0; lane < 2; ++lane)
            if (!inRange[lane])
                result[lane] = std::sinh (x[lane]);
    }
    return result;
}

inline double hyperbolicSine (double x)
{
    return hyperbolicSine (TwoDoubles {x, x})[0];
}
