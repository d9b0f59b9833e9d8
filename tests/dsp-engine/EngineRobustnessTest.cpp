// SPDX-License-Identifier: GPL-3.0-or-later
#include "EngineTestSupport.h"
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

using namespace enginetest;

namespace {

// Largest outputs measured over all models, signals and rates: 63.4 for the "Treble
// Booster" (a linear gain stage with no clipper, full-scale noise) and 34.5 for the "Metal
// Tone" with every knob at maximum. 256 leaves 12 dB of margin and still catches a runaway
// recursion.
constexpr float kOutputBound = 256.0f;

struct KnobSetting
{
    const char* name;
    double value;   // every knob, normalised
};

} // namespace

TEST (EngineRobustness, FiniteBoundedOutputForEveryModelSignalAndRate)
{
    for (double rate : {44100.0, 48000.0, 96000.0})
    {
        const size_t n = static_cast<size_t> (rate / 4);
        const Stereo signals[] = {noise (n, 1.0f, 21), sweep (n, rate, 20.0, 20000.0),
                                  constant (n, 1.0f), constant (n, -1.0f)};
        const char* signalNames[] = {"noise", "sweep", "dc+", "dc-"};
        for (int model = 0; model < 8; ++model)
            for (const KnobSetting knobs : {KnobSetting {"preset", -1.0}, KnobSetting {"min", 0.0},
                                            KnobSetting {"max", 1.0}})
                for (int s = 0; s < 4; ++s)
                {
                    auto engine = makeEngine (rate, 256);
                    engine->applyPreset (model);
                    if (knobs.value >= 0.0)
                        for (int id = 2; id <= 7; ++id)
                            setNormalized (*engine, id, knobs.value);
                    const auto out = process (*engine, signals[s], 256);
                    const float p = peak (out);
                    EXPECT_TRUE (std::isfinite (p) && p < kOutputBound)
                        << "rate " << rate << " model " << model << " knobs " << knobs.name
                        << " " << signalNames[s] << " peak " << p;
                }
    }
}

TEST (EngineRobustness, RecoversFromNonFiniteInputWithinOneBlock)
{
    const float bad[] = {std::numeric_limits<float>::quiet_NaN (),
                         std::numeric_limits<float>::infinity (),
                         -std::numeric_limits<float>::infinity ()};
    for (double rate : {48000.0, 192000.0})
        for (int model = 0; model < 8; ++model)
            for (float value : bad)
            {
                auto engine = makeEngine (rate, 256);
                engine->applyPreset (model);
                process (*engine, noise (1024, 0.5f, 22), 256);
                auto poisoned = noise (256, 0.5f, 23);
                poisoned.ch[0][17] = value;
                poisoned.ch[1][255] = value;   // the very last sample of the block
                process (*engine, poisoned, 256);
                const auto after = process (*engine, noise (256, 0.5f, 24), 256);
                EXPECT_TRUE (allFinite (after.ch[0]) && allFinite (after.ch[1]))
                    << "rate " << rate << " model " << model << " input " << value;
                const auto later = process (*engine, noise (4096, 0.5f, 25), 256);
                EXPECT_GT (peak (later), 0.0f) << model;
            }
}

// The shared stereo loop used while no control moves must give exactly the samples of the
// per-channel loop, through glides, model switches and settled stretches.
TEST (EngineRobustness, SteadyStereoPathIsBitIdenticalToThePerChannelPath)
{
    for (double rate : {44100.0, 192000.0})
    {
        auto fast = makeEngine (rate, 256);
        auto plain = makeEngine (rate, 256);
        plain->setStereoFastPath (false);
        for (int model = 0; model < 8; ++model)
        {
            for (auto* engine : {fast.get (), plain.get ()})
            {
                setModel (*engine, model);
                setNormalized (*engine, 2 + model % 6, 0.1 * (model + 1));
            }
            for (int segment = 0; segment < 4; ++segment)
            {
                const auto in = noise (4096, 0.7f, 100 + model * 10 + segment);
                const auto a = process (*fast, in, 256);
                const auto b = process (*plain, in, 256);
                ASSERT_EQ (0, std::memcmp (a.ch[0].data (), b.ch[0].data (), 4096 * sizeof (float)))
                    << "model " << model << " segment " << segment;
                ASSERT_EQ (0, std::memcmp (a.ch[1].data (), b.ch[1].data (), 4096 * sizeof (float)))
                    << "model " << model << " segment " << segment;
            }
        }
    }
}

TEST (EngineRobustness, DenormalInputLeavesTheInputStageExactlySilent)
{
    auto engine = makeEngine (48000.0, 256);
    process (*engine, noise (2048, 0.5f, 26), 256);
    process (*engine, constant (48000, 0.0f), 256);
    const auto out = process (*engine, constant (1024, std::numeric_limits<float>::denorm_min ()), 256);
    // The "Treble Booster" is the input stage alone: denormals never pass it.
    for (const auto& c : out.ch)
        for (float y : c)
            EXPECT_EQ (std::fpclassify (y) == FP_SUBNORMAL, false);
}
