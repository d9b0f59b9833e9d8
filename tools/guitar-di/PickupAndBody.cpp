// SPDX-License-Identifier: GPL-3.0-or-later
#include "PickupAndBody.h"
#include "dsp/MathConstants.h"

#include <cmath>

// Coefficients by the bilinear transform of the analog prototypes, frequency pre-warped.
Biquad Biquad::lowpass (double sampleRateHz, double frequencyHz, double q)
{
    const double w = 2.0 * kPi * frequencyHz / sampleRateHz;
    const double alpha = std::sin (w) / (2.0 * q);
    const double a0 = 1.0 + alpha;
    Biquad b;
    b.b0 = (1.0 - std::cos (w)) / 2.0 / a0;
    b.b1 = (1.0 - std::cos (w)) / a0;
    b.b2 = b.b0;
    b.a1 = -2.0 * std::cos (w) / a0;
    b.a2 = (1.0 - alpha) / a0;
    return b;
}

Biquad Biquad::peak (double sampleRateHz, double frequencyHz, double q, double gainDb)
{
    const double w = 2.0 * kPi * frequencyHz / sampleRateHz;
    const double a = std::pow (10.0, gainDb / 40.0);
    const double alpha = std::sin (w) / (2.0 * q);
    const double a0 = 1.0 + alpha / a;
    Biquad b;
    b.b0 = (1.0 + alpha * a) / a0;
    b.b1 = -2.0 * std::cos (w) / a0;
    b.b2 = (1.0 - alpha * a) / a0;
    b.a1 = b.b1;
    b.a2 = (1.0 - alpha / a) / a0;
    return b;
}

double Biquad::process (double x)
{
    const double y = b0 * x + s1;
    s1 = b1 * x - a1 * y + s2;
    s2 = b2 * x - a2 * y;
    return y;
}

PickupAndBody::PickupAndBody (double sampleRateHz)
: bodyLow (Biquad::peak (sampleRateHz, 105.0, 2.5, 2.5)),
  bodyMid (Biquad::peak (sampleRateHz, 240.0, 3.0, 1.5)),
  // a bridge humbucker of several henries into a few hundred picofarads of cable
  pickup (Biquad::lowpass (sampleRateHz, 3400.0, 1.8)),
  dcPole (std::exp (-2.0 * kPi * 10.0 / sampleRateHz))
{}

double PickupAndBody::process (double x)
{
    const double y = pickup.process (bodyMid.process (bodyLow.process (x)));
    dcOut = y - dcIn + dcPole * dcOut;
    dcIn = y;
    return dcOut;
}
