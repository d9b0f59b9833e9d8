// SPDX-License-Identifier: GPL-3.0-or-later
#include "EngineTestSupport.h"
#include <gtest/gtest.h>
#include <limits>

using namespace enginetest;

namespace {

// Exponential sweep from 20 Hz to 20 kHz at full scale, the right channel in opposite phase.
Stereo sweep (size_t n, double rateHz)
{
    Stereo s;
    const double duration = n / rateHz, k = std::log (1000.0);
    for (size_t i = 0; i < n; ++i)
        s.ch[0].push_back (static_cast<float> (std::sin (2.0 * M_PI * 20.0 * duration / k * (std::exp (i / rateHz / duration * k) - 1.0))));
    for (float x : s.ch[0])
        s.ch[1].push_back (-x);
    return s;
}

} // namespace

// Largest outputs measured over all models, signals and rates: 63.4 for the "Treble Booster" (a
// linear gain stage with no clipper, full-scale noise) and 34.5 for the "Metal Tone" with every
// knob at maximum. 256 leaves 12 dB of margin and still catches a runaway recursion.
TEST (EngineRobustness, FiniteBoundedOutputForEveryModelSignalAndRate)
{
    for (double rate : {44100.0, 48000.0, 96000.0})
    {
        const size_t n = static_cast<size_t> (rate / 4);
        const Stereo signals[] = {noise (n, 1.0f, 21), sweep (n, rate), constant (n, 1.0f), constant (n, -1.0f)};
        const char* signalNames[] = {"noise", "sweep", "dc+", "dc-"};
        for (int model = 0; model < 8; ++model)
            for (double knobs : {-1.0, 0.0, 1.0})   // the model's preset, then every knob at 0 and at 1
                for (int s = 0; s < 4; ++s)
                {
                    auto engine = makeEngine (rate, 256);
                    engine->applyPreset (model);
                    for (int id = 2; knobs >= 0.0 && id <= 7; ++id)
                        setNormalized (*engine, id, knobs);
                    const float p = peak (process (*engine, signals[s], 256));
                    EXPECT_TRUE (std::isfinite (p) && p < 256.0f)
                        << "rate " << rate << " model " << model << " knobs " << knobs << " " << signalNames[s] << " peak " << p;
                }
    }
}

// The "Treble Booster" is the input stage alone: after silence, denormal input never passes it.
TEST (EngineRobustness, DenormalInputLeavesTheInputStageExactlySilent)
{
    auto engine = makeEngine (48000.0, 256);
    process (*engine, noise (2048, 0.5f, 26), 256);
    process (*engine, constant (48000, 0.0f), 256);
    const auto out = process (*engine, constant (1024, std::numeric_limits<float>::denorm_min ()), 256);
    for (const auto& c : out.ch)
        for (float y : c)
            ASSERT_NE (std::fpclassify (y), FP_SUBNORMAL);
}
