// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pedals' diode clipping stage with its RC network, per channel, at the oversampled rate.
// Modes: 0 feedback diodes (one each way), 1 feedback with two diodes on the negative side,
// 2 diodes to ground behind a series resistor and two capacitors.
#include "dsp/CMVXAnalogSimulation.h"
#include <cstdint>

class CMVXSVDiodeLimiterSimulation : public CMVXAnalogSimulation
{
public:
    CMVXSVDiodeLimiterSimulation (double sampleRateHz, uint32_t channels);
    ~CMVXSVDiodeLimiterSimulation () override;

    void configure (uint32_t mode, double r1Ohms, double r2Ohms, double r3Ohms, double c1Farads,
                    double c2Farads);
    void setSampleRate (double sampleRateHz);
    double processSample (double x, uint32_t channel);   // audio thread
    void reset ();

    // The implementation adds its private fields (tables, coefficients, states) below.
};
