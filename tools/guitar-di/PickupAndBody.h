// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What lies between the strings and the DI box: the body's low resonances coupled into the
// strings, the pickup coil loaded by the cable (a resonant low-pass) and a DC-blocking input.

class Biquad
{
public:
    static Biquad lowpass (double sampleRateHz, double frequencyHz, double q);
    static Biquad peak (double sampleRateHz, double frequencyHz, double q, double gainDb);
    double process (double x);

private:
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double s1 = 0, s2 = 0;   // transposed direct form II
};

class PickupAndBody
{
public:
    explicit PickupAndBody (double sampleRateHz);
    double process (double x);

private:
    Biquad bodyLow, bodyMid, pickup;
    double dcIn = 0.0, dcOut = 0.0, dcPole;
};
