// SPDX-License-Identifier: GPL-3.0-or-later
#include "dsp/OversamplingFactor.h"
#include <algorithm>
#include <cmath>

uint32_t oversamplingFactorFor (double sampleRateHz)
{
    const double fs = sampleRateHz;
    if (!std::isfinite (fs) || fs < 1.0)
        return 1;
    // Beyond 2^53 the integer part is the value itself; anything that large gives factor 0.
    if (fs >= kOversampledRate48kHz)
        return 1;
    const auto F = static_cast<uint64_t> (fs);
    double factor;
    if (F % 11025 == 0)
        factor = static_cast<double> (kOversampledRate44k1Hz / F);
    else if (F % 12000 == 0)
        factor = static_cast<double> (kOversampledRate48kHz / F);
    else
        factor = std::floor (kOversampledRate48kHz / fs);
    return static_cast<uint32_t> (std::clamp (factor, 1.0, static_cast<double> (kMaxOversampling)));
}
