// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Two-lane vectors: the two channels of one sample, or the numerator and denominator of one
// design step, side by side, so one packed instruction does both. Every lane
// operation is the IEEE operation of the scalar code (no contraction, no reassociation), so
// each lane gives the scalar result bit for bit.
#include <cstdint>

using TwoFloats = float __attribute__ ((vector_size (8)));
using TwoDoubles = double __attribute__ ((vector_size (16)));

template <typename P>
struct TwoLanesOf;
template <>
struct TwoLanesOf<float>
{
    using type = TwoFloats;
};
template <>
struct TwoLanesOf<double>
{
    using type = TwoDoubles;
};
template <typename P>
using TwoLanes = typename TwoLanesOf<P>::type;

inline TwoDoubles toDouble (TwoFloats v)
{
    return __builtin_convertvector(v, TwoDoubles);
}
inline TwoFloats toFloat (TwoDoubles v)
{
    return __builtin_convertvector(v, TwoFloats);
}
inline TwoDoubles toDouble (TwoDoubles v)
{
    return v;
}
inline TwoFloats toFloat (TwoFloats v)
{
    return v;
}

// Lanes whose magnitude is below the smallest normal (zero or denormal) become +0; NaN stays.
inline TwoFloats flushTinyLanes (TwoFloats v)
{
    using Bits = int32_t __attribute__ ((vector_size (8)));
    const Bits magnitude = reinterpret_cast<Bits> (v) & 0x7fffffff;
    const Bits tiny = magnitude < 0x00800000;   // exponent bits all zero
    return reinterpret_cast<TwoFloats> (reinterpret_cast<Bits> (v) & ~tiny);
}
