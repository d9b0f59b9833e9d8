// SPDX-License-Identifier: GPL-3.0-or-later
#include "dsp/CMVXAnalogSimulation.h"
#include "dsp/MathConstants.h"
#include <cmath>

void CMVXAnalogSimulation::setSmoothingTime (float seconds, double sampleRateHz)
{
    const float v = 1.0f / std::tan (kPiFloat / static_cast<float> (seconds * sampleRateHz));
    smoothB0 = 1.0f / (v + 1.0f);
    smoothB1 = 1.0f;
    smoothA1 = (1.0f - v) / (v + 1.0f);
}
