// SPDX-License-Identifier: GPL-3.0-or-later
#include "EngineTestSupport.h"
#include <cstring>
#include <gtest/gtest.h>

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
        float expected = 0.0f;
        for (size_t i = 768; i < 1024; ++i)
            expected = std::max (expected, std::fabs (in.ch[c][i]));
        EXPECT_EQ (inPeaks[c], expected) << c;
        EXPECT_EQ (outPeaks[c], expected) << c;
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
