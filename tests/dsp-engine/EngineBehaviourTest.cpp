// SPDX-License-Identifier: GPL-3.0-or-later
#include "EngineTestSupport.h"
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

using namespace enginetest;

// Bypassed, the output is the input (also in place) and both peaks are those of the input; nothing
// is consumed, so the first active block still reinitialises and reports its own peaks.
TEST (EngineBypass, OutputIsTheInputAndPeaksAreReported)
{
    auto engine = makeEngine (48000.0, 256);
    engine->bypassed = true;
    auto in = noise (1024, 0.8f, 7);
    in.ch[1][900] = -0.95f;
    float inPeaks[2], outPeaks[2];
    const auto out = process (*engine, in, 256, inPeaks, outPeaks);
    for (int c = 0; c < 2; ++c)
    {
        EXPECT_EQ (0, std::memcmp (out.ch[c].data (), in.ch[c].data (), 1024 * sizeof (float))) << c;
        const float expected = std::fabs (*std::max_element (in.ch[c].begin () + 768, in.ch[c].end (),
                                                             [] (float a, float b) { return std::fabs (a) < std::fabs (b); }));
        EXPECT_TRUE (inPeaks[c] == expected && outPeaks[c] == expected) << c;
    }
    EXPECT_TRUE (engine->reinitPending.load ());

    auto io = in;
    float* both[2] = {io.ch[0].data (), io.ch[1].data ()};
    engine->processBlock (both, both, inPeaks, outPeaks, 256, nullptr, nullptr);
    EXPECT_TRUE (io.ch[0] == in.ch[0] && io.ch[1] == in.ch[1]);

    engine->bypassed = false;
    process (*engine, in, 256, inPeaks, outPeaks);
    EXPECT_TRUE (inPeaks[0] == 0.0f && inPeaks[1] == 0.0f && outPeaks[0] == 0.0f && outPeaks[1] == 0.0f);
}

// From the reset the Level glide starts at a zeroed smoother, so Level 0 is exactly silent at once.
TEST (EngineLevel, MetalToneAtLevelZeroIsSilent)
{
    auto engine = makeEngine (48000.0, 256);
    setModel (*engine, 7);
    setNormalized (*engine, 3, 0.0);
    EXPECT_EQ (peak (process (*engine, noise (4096, 1.0f, 9), 256)), 0.0f);
}

// Switching model clears every filter memory but keeps the targets and glide positions of the
// controls; a parameter change on the same model clears nothing.
TEST (EngineModels, SwitchingModelClearsStatesAndKeepsTargets)
{
    auto engine = makeEngine (48000.0, 256);
    setModel (*engine, 3);
    setNormalized (*engine, 2, 0.7);
    setNormalized (*engine, 4, 0.2);
    setNormalized (*engine, 7, 0.9);
    process (*engine, noise (2048, 0.5f, 13), 256);
    ASSERT_FALSE (engine->allSectionStatesZero ());
    const float current = engine->getControlCurrent (1);

    setModel (*engine, 5);
    float* none[2] = {nullptr, nullptr};
    float peaks[2][2];
    engine->processBlock (none, none, peaks[0], peaks[1], 0, nullptr, nullptr);
    EXPECT_EQ (engine->getModel (), 5u);
    EXPECT_TRUE (engine->allSectionStatesZero ());
    EXPECT_FLOAT_EQ (engine->getControlTarget (1), 0.7f);
    EXPECT_FLOAT_EQ (engine->getControlTarget (3), 0.2f);
    EXPECT_FLOAT_EQ (engine->getControlTarget (6), 0.9f);
    EXPECT_EQ (engine->getControlCurrent (1), current);

    process (*engine, noise (512, 0.5f, 14), 256);
    setNormalized (*engine, 4, 0.3);
    engine->processBlock (none, none, peaks[0], peaks[1], 0, nullptr, nullptr);
    EXPECT_FALSE (engine->allSectionStatesZero ());
}

// Noise, an exponential 20 Hz - 20 kHz sweep (right channel in opposite phase) and DC of either
// sign on every model, with its preset and with every knob at 0 and at 1. Largest outputs measured:
// 63.4 for the "Treble Booster" (a linear gain stage with no clipper, full-scale noise), 34.5 for the
// "Metal Tone" with every knob at maximum. 256 leaves 12 dB of margin and catches a runaway recursion.
TEST (EngineRobustness, FiniteBoundedOutputForEveryModelSignalAndRate)
{
    for (double rate : {44100.0, 48000.0, 96000.0})
    {
        const size_t n = static_cast<size_t> (rate / 4);
        Stereo sweep;
        for (size_t i = 0; i < n; ++i)
        {
            const double k = std::log (1000.0), t = n / rate;
            sweep.ch[0].push_back (static_cast<float> (std::sin (2.0 * M_PI * 20.0 * t / k * (std::exp (i / rate / t * k) - 1.0))));
            sweep.ch[1].push_back (-sweep.ch[0].back ());
        }
        const Stereo signals[] = {noise (n, 1.0f, 21), sweep, constant (n, 1.0f), constant (n, -1.0f)};
        for (int model = 0; model < 8; ++model)
            for (double knobs : {-1.0, 0.0, 1.0})   // the preset, then every knob at 0 and at 1
                for (int s = 0; s < 4; ++s)
                {
                    auto engine = makeEngine (rate, 256);
                    engine->applyPreset (model);
                    for (int id = 2; knobs >= 0.0 && id <= 7; ++id)
                        setNormalized (*engine, id, knobs);
                    const float p = peak (process (*engine, signals[s], 256));
                    EXPECT_TRUE (std::isfinite (p) && p < 256.0f)
                        << "rate " << rate << " model " << model << " knobs " << knobs << " signal " << s << " peak " << p;
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
        EXPECT_TRUE (std::none_of (c.begin (), c.end (), [] (float y) { return std::fpclassify (y) == FP_SUBNORMAL; }));
}
