// SPDX-License-Identifier: GPL-3.0-or-later
#include "EngineTestSupport.h"
#include "dsp/OversamplingFactor.h"
#include <gtest/gtest.h>
#include <limits>

using namespace enginetest;

TEST (OversamplingFactor, CommonRatesReachAbout176Or192kHz)
{
    EXPECT_EQ (oversamplingFactorFor (22050.0), 8u);
    EXPECT_EQ (oversamplingFactorFor (32000.0), 6u);
    EXPECT_EQ (oversamplingFactorFor (44100.0), 4u);
    EXPECT_EQ (oversamplingFactorFor (48000.0), 4u);
    EXPECT_EQ (oversamplingFactorFor (88200.0), 2u);
    EXPECT_EQ (oversamplingFactorFor (96000.0), 2u);
    EXPECT_EQ (oversamplingFactorFor (176400.0), 1u);
    EXPECT_EQ (oversamplingFactorFor (192000.0), 1u);
    EXPECT_EQ (oversamplingFactorFor (11025.0), 16u);
    // Neither a multiple of 11025 nor of 12000 Hz: integer part of 192000 / rate.
    EXPECT_EQ (oversamplingFactorFor (50000.0), 3u);
    EXPECT_EQ (oversamplingFactorFor (38400.0), 5u);
}

TEST (OversamplingFactor, RatesOutsideTheRuleStillGiveAUsableFactor)
{
    // Above 192 kHz the rule gives 0: run at the host rate.
    EXPECT_EQ (oversamplingFactorFor (352800.0), 1u);
    EXPECT_EQ (oversamplingFactorFor (384000.0), 1u);
    EXPECT_EQ (oversamplingFactorFor (1234567.8), 1u);
    // Very low rates would ask for huge factors: capped.
    EXPECT_EQ (oversamplingFactorFor (1234.5678), kMaxOversampling);
    EXPECT_EQ (oversamplingFactorFor (8000.0), kMaxOversampling);
    EXPECT_EQ (oversamplingFactorFor (0.0), 1u);
    EXPECT_EQ (oversamplingFactorFor (-44100.0), 1u);
    EXPECT_EQ (oversamplingFactorFor (std::numeric_limits<double>::quiet_NaN ()), 1u);
    EXPECT_EQ (oversamplingFactorFor (std::numeric_limits<double>::infinity ()), 1u);
    EXPECT_EQ (oversamplingFactorFor (1e300), 1u);
}

TEST (OversamplingEngine, FirstBlockAfterARateChangeRetunesEverything)
{
    for (double rate : {22050.0, 44100.0, 48000.0, 88200.0, 96000.0, 176400.0, 192000.0})
    {
        auto engine = makeEngine (rate, 64);
        process (*engine, noise (64, 0.1f, 1), 64);
        const uint32_t R = oversamplingFactorFor (rate);
        EXPECT_EQ (engine->getOversampling (), R) << rate;
        EXPECT_EQ (engine->getDesignRateHz (), R * rate) << rate;
        EXPECT_FALSE (engine->reinitPending.load ());
        EXPECT_FALSE (engine->updatePending.load ());
    }
}

// A 64-sample block at 44.1 kHz runs 256 samples per channel through the chain: every
// processed sample steps the controls once, so a glide from reset has made 2 × 256 steps.
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

    // Closed form of the glide from a zeroed smoother: y_n = 1 - (1 - b0) p^n, p = -a1.
    const double b0 = engine->smoothB0;
    const double p = -static_cast<double> (engine->smoothA1);
    const double expected = 1.0 - (1.0 - b0) * std::pow (p, 2 * 256 - 1);
    EXPECT_NEAR (engine->getControlCurrent (1), expected, 2e-5);
    EXPECT_GT (std::fabs (engine->getControlCurrent (1) - (1.0 - (1.0 - b0) * std::pow (p, 2 * 64 - 1))), 0.05);
}

TEST (OversamplingEngine, OddAndExtremeHostRatesProcessFiniteAudio)
{
    for (double rate : {1234.5678, 8000.0, 352800.0, 384000.0, 1234567.8})
    {
        auto engine = makeEngine (rate, 128);
        for (int model = 0; model < 8; ++model)
        {
            setModel (*engine, model);
            const auto out = process (*engine, noise (512, 1.0f, 3), 128);
            EXPECT_TRUE (allFinite (out.ch[0]) && allFinite (out.ch[1])) << rate << " " << model;
        }
        EXPECT_EQ (engine->getOversampling (), oversamplingFactorFor (rate));
        EXPECT_GE (engine->getOversampling (), 1u);
    }
}

// A host that passes more samples than it announced must not overrun the buffers.
TEST (OversamplingEngine, OversizedBlockIsProcessedInPieces)
{
    auto engine = makeEngine (44100.0, 32);
    engine->maxBlockSize = 32;
    const auto out = process (*engine, noise (32 * 1024, 0.5f, 4), 32 * 1024);
    EXPECT_TRUE (allFinite (out.ch[0]) && allFinite (out.ch[1]));
    EXPECT_GT (peak (out), 0.0f);
}
