// SPDX-License-Identifier: GPL-3.0-or-later
#include "EngineTestSupport.h"
#include "dsp/OversamplingFactor.h"
#include <gtest/gtest.h>
#include <limits>

using namespace enginetest;

// Common rates reach about 176.4 or 192 kHz; others take the integer part of 192000 / rate;
// above 192 kHz, and for unusable rates, the engine runs at the host rate; very low rates are capped.
TEST (OversamplingFactor, EveryHostRateGetsAUsableFactor)
{
    const double nan = std::numeric_limits<double>::quiet_NaN (), inf = std::numeric_limits<double>::infinity ();
    const struct { double rateHz; uint32_t factor; } cases[] = {
        {22050.0, 8}, {32000.0, 6}, {44100.0, 4}, {48000.0, 4}, {88200.0, 2}, {96000.0, 2}, {176400.0, 1},
        {192000.0, 1}, {11025.0, 16}, {50000.0, 3}, {38400.0, 5}, {352800.0, 1}, {384000.0, 1}, {1234567.8, 1},
        {1234.5678, kMaxOversampling}, {8000.0, kMaxOversampling}, {0.0, 1}, {-44100.0, 1}, {nan, 1}, {inf, 1}, {1e300, 1}};
    for (const auto& c : cases)
        EXPECT_EQ (oversamplingFactorFor (c.rateHz), c.factor) << c.rateHz;
}

// The first block after a rate change retunes the chain, and odd or extreme rates still give
// finite audio on every model.
TEST (OversamplingEngine, FirstBlockAfterARateChangeRetunesEverything)
{
    for (double rate : {1234.5678, 8000.0, 22050.0, 44100.0, 48000.0, 96000.0, 176400.0, 192000.0, 384000.0})
    {
        auto engine = makeEngine (rate, 128);
        for (int model = 0; model < 8; ++model)
        {
            setModel (*engine, model);
            EXPECT_TRUE (std::isfinite (peak (process (*engine, noise (512, 1.0f, 3), 128)))) << rate << " " << model;
        }
        const uint32_t factor = oversamplingFactorFor (rate);
        EXPECT_EQ (engine->getOversampling (), factor) << rate;
        EXPECT_EQ (engine->getDesignRateHz (), factor * rate) << rate;
        EXPECT_FALSE (engine->reinitPending.load () || engine->updatePending.load ()) << rate;
    }
}

// A 64-sample block at 44.1 kHz runs 256 samples per channel through the chain: every processed
// sample steps the controls once, so a glide from reset has made 2 x 256 steps. Nothing is written
// beyond the 64 returned samples.
TEST (OversamplingEngine, BlockOf64At44100RunsAs256PerChannelAndReturns64)
{
    auto engine = makeEngine (44100.0, 64);
    setNormalized (*engine, 2, 1.0);
    std::vector<float> left (80, 7.0f), right (80, 7.0f);
    const auto in = noise (64, 0.2f, 2);
    float* ins[2] = {const_cast<float*> (in.ch[0].data ()), const_cast<float*> (in.ch[1].data ())};
    float* outs[2] = {left.data (), right.data ()};
    float inPeaks[2], outPeaks[2];
    engine->processBlock (ins, outs, inPeaks, outPeaks, 64, nullptr, nullptr);
    ASSERT_EQ (engine->getOversampling (), 4u);
    for (int i = 64; i < 80; ++i)
        ASSERT_TRUE (left[i] == 7.0f && right[i] == 7.0f) << "wrote beyond the block at " << i;

    // Glide from a zeroed smoother: y_n = 1 - (1 - b0) p^n, p = -a1.
    const double b0 = engine->smoothB0, p = -static_cast<double> (engine->smoothA1);
    EXPECT_NEAR (engine->getControlCurrent (1), 1.0 - (1.0 - b0) * std::pow (p, 2 * 256 - 1), 2e-5);
    EXPECT_GT (std::fabs (engine->getControlCurrent (1) - (1.0 - (1.0 - b0) * std::pow (p, 2 * 64 - 1))), 0.05);
}

// A host that passes more samples than it announced must not overrun the buffers.
TEST (OversamplingEngine, OversizedBlockIsProcessedInPieces)
{
    auto engine = makeEngine (44100.0, 32);
    const float p = peak (process (*engine, noise (32 * 1024, 0.5f, 4), 32 * 1024));
    EXPECT_TRUE (std::isfinite (p) && p > 0.0f);
}
