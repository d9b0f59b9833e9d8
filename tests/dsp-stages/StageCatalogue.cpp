// SPDX-License-Identifier: GPL-3.0-or-later
#include "StageCatalogue.h"
#include "dsp/PedalStageDesigns.h"

namespace stagetest {

namespace {

void addModelStages (std::vector<StageCase>& cases)
{
    const char* names[8] = {"TrebleBooster", "XxlDistortion", "BatDistortion", "OverDrive",
                            "SuperDrive", "NineScreamer", "808Screamer", "MetalTone"};
    for (unsigned model = 0; model < 8; ++model)
    {
        const std::string prefix = names[model];
        cases.push_back ({prefix + "Input", 0, true,
                          [model] (double, double, AnalogPrototype& p) { pedal::inputStagePrototype (model, p); },
                          [model] (double, double, double rate, DigitalCoefficients& c) { pedal::designInputStage (model, rate, c); }});
        if (model == 1 || model == 2 || model == 7)
            cases.push_back ({prefix + "Drive", 1, true,
                              [model] (double x, double, AnalogPrototype& p) { pedal::driveStagePrototype (model, x, p); },
                              [model] (double x, double, double rate, DigitalCoefficients& c) { pedal::designDriveStage (model, x, rate, c); }});
        if (model >= 2 && model <= 6)
            cases.push_back ({prefix + "Tone", 1, true,
                              [model] (double x, double, AnalogPrototype& p) { pedal::toneStagePrototype (model, x, p); },
                              [model] (double x, double, double rate, DigitalCoefficients& c) { pedal::designToneStage (model, x, rate, c); }});
        if (model >= 1 && model <= 6)
            cases.push_back ({prefix + "Level", 1, false,
                              [model] (double x, double, AnalogPrototype& p) { pedal::levelStagePrototype (model, x, p); },
                              [model] (double x, double, double rate, DigitalCoefficients& c) { pedal::designLevelStage (model, x, rate, c); }});
    }
}

void addMetalToneStages (std::vector<StageCase>& cases)
{
    cases.push_back ({"MetalTonePre", 0, false,
                      [] (double, double, AnalogPrototype& p) { pedal::metalPreStagePrototype (p); },
                      [] (double, double, double rate, DigitalCoefficients& c) { pedal::designMetalPreStage (rate, c); }});
    cases.push_back ({"MetalTonePost", 0, false,
                      [] (double, double, AnalogPrototype& p) { pedal::metalPostStagePrototype (p); },
                      [] (double, double, double rate, DigitalCoefficients& c) { pedal::designMetalPostStage (rate, c); }});
    cases.push_back ({"MetalToneFilter", 0, false,
                      [] (double, double, AnalogPrototype& p) { pedal::metalFilterStagePrototype (p); },
                      [] (double, double, double rate, DigitalCoefficients& c) { pedal::designMetalFilterStage (rate, c); }});
    cases.push_back ({"MetalToneBassTreble", 2, false,
                      [] (double x, double y, AnalogPrototype& p) { pedal::metalBassTrebleStagePrototype (x, y, p); },
                      [] (double x, double y, double rate, DigitalCoefficients& c) { pedal::designMetalBassTrebleStage (x, y, rate, c); }});
    cases.push_back ({"MetalToneMid", 2, false,
                      [] (double x, double y, AnalogPrototype& p) { pedal::metalMidStagePrototype (x, static_cast<float> (y), p); },
                      [] (double x, double y, double rate, DigitalCoefficients& c) { pedal::designMetalMidStage (x, static_cast<float> (y), rate, c); }});
}

} // namespace

const std::vector<StageCase>& allStages()
{
    static const std::vector<StageCase> cases = [] {
        std::vector<StageCase> all;
        addModelStages (all);
        addMetalToneStages (all);
        return all;
    }();
    return cases;
}

const std::vector<EngineRate>& engineRates()
{
    static const std::vector<EngineRate> rates = {
        {44100.0, 4}, {48000.0, 4}, {96000.0, 2}, {176400.0, 1}, {192000.0, 1}, {22050.0, 8}, {32000.0, 6}};
    return rates;
}

std::vector<double> controlGrid (int steps)
{
    std::vector<double> grid;
    for (int i = 0; i <= steps; ++i)
        grid.push_back (static_cast<double> (i) / steps);
    return grid;
}

} // namespace stagetest
