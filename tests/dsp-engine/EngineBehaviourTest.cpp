// SPDX-License-Identifier: GPL-3.0-or-later
#include "EngineTestSupport.h"
#include <cstring>
#include <gtest/gtest.h>

using namespace enginetest;

TEST (EngineBypass, OutputIsTheInputAndPeaksAreReported)
{
    auto engine = makeEngine (48000.0, 256);
    engine->bypassed = true;
    auto in = noise (1024, 0.8f, 7);
    in.ch[1][100] = -0.95f;
    float inPeaks[2], outPeaks[2];
    const auto out = process (*engine, in, 256, inPeaks, outPeaks);
    EXPECT_EQ (0, std::memcmp (out.ch[0].data (), in.ch[0].data (), 1024 * sizeof (float)));
    EXPECT_EQ (0, std::memcmp (out.ch[1].data (), in.ch[1].data (), 1024 * sizeof (float)));
    float expected[2] = {0, 0};
    for (int c = 0; c < 2; ++c)
        for (size_t i = 768; i < 1024; ++i)
            expected[c] = std::max (expected[c], std::fabs (in.ch[c][i]));
    EXPECT_EQ (inPeaks[0], expected[0]);
    EXPECT_EQ (inPeaks[1], expected[1]);
    EXPECT_EQ (outPeaks[0], inPeaks[0]);
    EXPECT_EQ (outPeaks[1], inPeaks[1]);
    // Nothing is consumed while bypassed: the first active block still reinitialises.
    EXPECT_TRUE (engine->reinitPending.load ());

    engine->bypassed = false;
    process (*engine, in, 256, inPeaks, outPeaks);
    EXPECT_EQ (inPeaks[0], 0.0f);
    EXPECT_EQ (inPeaks[1], 0.0f);
    EXPECT_EQ (outPeaks[0], 0.0f);
    EXPECT_EQ (outPeaks[1], 0.0f);
}

TEST (EngineBypass, WorksInPlace)
{
    auto engine = makeEngine (44100.0, 64);
    engine->bypassed = true;
    auto data = noise (64, 0.5f, 8);
    const auto copy = data;
    float* io[2] = {data.ch[0].data (), data.ch[1].data ()};
    float inPeaks[2], outPeaks[2];
    engine->processBlock (io, io, inPeaks, outPeaks, 64, nullptr, nullptr);
    EXPECT_EQ (data.ch[0], copy.ch[0]);
    EXPECT_EQ (data.ch[1], copy.ch[1]);
}

TEST (EngineLevel, MetalToneAtLevelZeroIsSilent)
{
    auto engine = makeEngine (48000.0, 256);
    setModel (*engine, 7);
    setNormalized (*engine, 3, 0.0);
    // From the reset the Level glide starts at a zeroed smoother, so it is exactly 0 at once.
    const auto out = process (*engine, noise (4096, 1.0f, 9), 256);
    for (const auto& c : out.ch)
        for (float y : c)
            ASSERT_EQ (y, 0.0f);
}

TEST (EngineLevel, MetalToneGlidingDownToLevelZeroEndsAbout80dBDown)
{
    auto engine = makeEngine (48000.0, 256);
    setModel (*engine, 7);
    setNormalized (*engine, 3, 1.0);
    const auto loud = process (*engine, noise (8192, 0.5f, 10), 256);
    setNormalized (*engine, 3, 0.0);
    process (*engine, noise (48000, 0.5f, 11), 256);   // one second: the glide is over
    const auto quiet = process (*engine, noise (8192, 0.5f, 12), 256);
    // The control rests within 0.0001 of its target (-80 dB); 6 dB more allow for the
    // different peaks of two noise segments.
    EXPECT_LE (std::fabs (engine->getControlCurrent (2)), 1e-4f);
    EXPECT_LT (peak (quiet), peak (loud) * 2e-4f);
}

TEST (EngineModels, SwitchingModelClearsStatesAndKeepsTargets)
{
    auto engine = makeEngine (48000.0, 256);
    setModel (*engine, 3);
    setNormalized (*engine, 2, 0.7);
    setNormalized (*engine, 4, 0.2);
    setNormalized (*engine, 7, 0.9);
    process (*engine, noise (2048, 0.5f, 13), 256);
    ASSERT_FALSE (engine->allSectionStatesZero ());
    const float p1 = engine->getControlCurrent (1);

    setModel (*engine, 5);
    float* none[2] = {nullptr, nullptr};
    float peaks[2][2];
    engine->processBlock (none, none, peaks[0], peaks[1], 0, nullptr, nullptr);
    EXPECT_EQ (engine->getModel (), 5u);
    EXPECT_TRUE (engine->allSectionStatesZero ());
    EXPECT_FLOAT_EQ (engine->getControlTarget (1), 0.7f);
    EXPECT_FLOAT_EQ (engine->getControlTarget (3), 0.2f);
    EXPECT_FLOAT_EQ (engine->getControlTarget (6), 0.9f);
    // Controls keep their glide position; only the filter memories restart.
    EXPECT_EQ (engine->getControlCurrent (1), p1);

    // Same model again: nothing is cleared.
    process (*engine, noise (512, 0.5f, 14), 256);
    setNormalized (*engine, 4, 0.3);
    engine->processBlock (none, none, peaks[0], peaks[1], 0, nullptr, nullptr);
    EXPECT_FALSE (engine->allSectionStatesZero ());
}

TEST (EngineModels, NoResamplerRunsAtTheHighRates)
{
    for (double rate : {176400.0, 192000.0})
    {
        auto engine = makeEngine (rate, 128);
        setModel (*engine, 2);
        const auto in = noise (1024, 0.5f, 15);
        const auto out = process (*engine, in, 128);
        EXPECT_EQ (engine->getOversampling (), 1u);
        EXPECT_EQ (engine->getDesignRateHz (), rate);
        EXPECT_TRUE (allFinite (out.ch[0]) && allFinite (out.ch[1]));
        EXPECT_GT (peak (out), 0.0f);
    }
}

TEST (EngineModels, FactoryPresetsAndIdentity)
{
    auto engine = makeEngine (48000.0, 256);
    EXPECT_EQ (engine->name, "Overmoor");
    EXPECT_EQ (engine->category, "Overmoor");
    EXPECT_EQ (engine->typeTag, static_cast<uint32_t> ('ovrm'));
    EXPECT_EQ (engine->getInfoText (), "");
    EXPECT_EQ (engine->getFactoryPresetCount (), 8);
    EXPECT_EQ (engine->getParameterCount (), 8);
}
