// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every linear stage of every model, behind one shape, so response and stability tests can sweep
// them all.
#include "dsp/BilinearDesign.h"
#include <functional>
#include <string>
#include <vector>

namespace stagetest {

struct StageCase
{
    std::string name;
    int controlCount;      // 0, 1 (x) or 2 (x, y)
    bool singlePrecision;  // the engine stores this section in 32-bit floats
    std::function<void (double x, double y, AnalogPrototype&)> prototype;
    std::function<void (double x, double y, double rateHz, DigitalCoefficients&)> design;
};

const std::vector<StageCase>& allStages();

// Oversampled rates the engine runs at: host rate times its oversampling factor.
struct EngineRate
{
    double hostRateHz;
    int factor;
    double rateHz() const { return hostRateHz * factor; }
};
const std::vector<EngineRate>& engineRates();

// Control positions to sweep, 0 and 1 included.
std::vector<double> controlGrid (int steps);

} // namespace stagetest
