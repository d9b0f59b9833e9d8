// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// s-domain prototypes and their bilinear transform (no pre-warping) to z-domain coefficients.

// Index k holds the coefficient of s^(5-k): index 0 is s^5, index 5 is s^0.
struct AnalogPrototype
{
    double sNum[6] = {};
    double sDen[6] = {};
};

// Index k holds the coefficient of z^-k; zDen[0] is 1 after design.
struct DigitalCoefficients
{
    double zNum[6] = {};
    double zDen[6] = {};
};

// Order of the prototype, taken from the highest non-zero denominator power.
int prototypeOrder (const double sDen[6]);

// rateHz is the rate the section runs at (the oversampled rate). Numerator powers above the
// denominator's order are dropped. Returns the order.
int bilinearDesign (double zNum[6], double zDen[6], const double sNum[6], const double sDen[6],
                    double rateHz);

inline int bilinearDesign (DigitalCoefficients& out, const AnalogPrototype& proto, double rateHz)
{
    return bilinearDesign (out.zNum, out.zDen, proto.sNum, proto.sDen, rateHz);
}
