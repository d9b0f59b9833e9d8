// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Base of the analog-circuit simulations: the one-pole smoother that glides controls.
#include <cstdint>

class CMVXAnalogSimulation
{
public:
    virtual ~CMVXAnalogSimulation () = default;
    virtual void advanceControls () { pending = 0; }

    // One-pole low-pass at 1/t Hz relative to fs, designed in single precision.
    void setSmoothingTime (float seconds, double sampleRateHz);

    uint32_t pending = 0;
    float smoothB0 = 0.0f;
    float smoothB1 = 1.0f;
    float smoothA1 = 0.0f;
};
