// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-engine behaviour: bypass, level, model switches, denormals, and the design and stereo paths
// against their references.
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
        EXPECT_EQ (0, std::memcmp (out.ch[c].data (), in.ch[c].data (), 1024 * sizeof (float)))
            << c;
        const float expected = std::fabs (
            *std::max_element (in.ch[c].begin () + 768, in.ch[c].end (),
                               [] (float a, float b) { return std::fabs (a) < std::fabs (b); }));
        EXPECT_EQ (inPeaks[c], expected) << c;
        EXPECT_EQ (outPeaks[c], expected) << c;
    }
    EXPECT_TRUE (engine->reinitPending.load ());

    auto io = in;
    float* both[2] = {io.ch[0].data (), io.ch[1].data ()};
    engine->processBlock (both, both, inPeaks, outPeaks, 256, nullptr, nullptr);
    EXPECT_EQ (io.ch[0], in.ch[0]);
    EXPECT_EQ (io.ch[1], in.ch[1]);

    engine->bypassed = false;
    process (*engine, in, 256, inPeaks, outPeaks);
    for (int c = 0; c < 2; ++c)
    {
        EXPECT_EQ (inPeaks[c], 0.0f) << c;
        EXPECT_EQ (outPeaks[c], 0.0f) << c;
    }
}

// From the reset the Level glide starts at a zeroed smoother, so Level 0 is exactly silent at once.
TEST (EngineLevel, MetalToneAtLevelZeroIsSilent)
{
    auto engine = makeEngine (48000.0, 256);
    setModel (*engine, PedalModel::metalTone);
    setKnob (*engine, 2, 0.0);
    EXPECT_EQ (peak (process (*engine, noise (4096, 1.0f, 9), 256)), 0.0f);
}

// Switching model clears every filter memory but keeps the targets and glide positions of the
// controls; a parameter change on the same model clears nothing.
TEST (EngineModels, SwitchingModelClearsStatesAndKeepsTargets)
{
    auto engine = makeEngine (48000.0, 256);
    setModel (*engine, PedalModel::overDrive);
    setKnob (*engine, 1, 0.7);
    setKnob (*engine, 3, 0.2);
    setKnob (*engine, 6, 0.9);
    process (*engine, noise (2048, 0.5f, 13), 256);
    ASSERT_FALSE (engine->allSectionStatesZero ());
    const float current = engine->getControlCurrent (1);

    setModel (*engine, PedalModel::nineScreamer);
    float* none[2] = {nullptr, nullptr};
    float peaks[2][2];
    engine->processBlock (none, none, peaks[0], peaks[1], 0, nullptr, nullptr);
    EXPECT_EQ (engine->getModel (), PedalModel::nineScreamer);
    EXPECT_TRUE (engine->allSectionStatesZero ());
    EXPECT_FLOAT_EQ (engine->getControlTarget (1), 0.7f);
    EXPECT_FLOAT_EQ (engine->getControlTarget (3), 0.2f);
    EXPECT_FLOAT_EQ (engine->getControlTarget (6), 0.9f);
    EXPECT_EQ (engine->getControlCurrent (1), current);

    process (*engine, noise (512, 0.5f, 14), 256);
    setKnob (*engine, 3, 0.3);
    engine->processBlock (none, none, peaks[0], peaks[1], 0, nullptr, nullptr);
    EXPECT_FALSE (engine->allSectionStatesZero ());
}

// The "Treble Booster" is the input stage alone: after silence, denormal input never passes it.
TEST (EngineRobustness, DenormalInputLeavesTheInputStageExactlySilent)
{
    auto engine = makeEngine (48000.0, 256);
    process (*engine, noise (2048, 0.5f, 26), 256);
    process (*engine, constant (48000, 0.0f), 256);
    const auto out =
        process (*engine, constant (1024, std::numeric_limits<float>::denorm_min ()), 256);
    for (const auto& c : out.ch)
        EXPECT_TRUE (std::none_of (c.begin (), c.end (),
                                   [] (float y) { return std::fpclassify (y) == FP_SUBNORMAL; }));
}

// The engine with precomposed control-dependent designs against the engine that forms every
// prototype and transforms it, through glides of all six knobs on every model. They differ only by
// double rounding inside the designs, to which the sections' low-frequency response at the
// oversampled rate is very sensitive (one reordered product moves the output by about -100 dB), so
// the bound is -70 dB of the signal's peak: far below audibility, far above a wrong coefficient.
TEST (EngineDesignPath, PrecomposedDesignsFollowThePrototypePathThroughGlides)
{
    for (double rate : {44100.0, 48000.0, 192000.0})
        for (int model = 0; model < int (kPedalModelCount); ++model)
        {
            auto fast = makeEngine (rate, 256), reference = makeEngine (rate, 256);
            reference->setReferenceDesigns (true);
            float peakOut = 0.0f, worst = 0.0f;
            for (int segment = 0; segment < 12; ++segment)
            {
                for (auto* engine : {fast.get (), reference.get ()})
                {
                    setModel (*engine, static_cast<PedalModel> (model));
                    for (int knob = 0; knob < 6; ++knob)
                        setKnob (*engine, 1 + knob,
                                 segment == 0 ? 0.0
                                              : std::fmod (0.17 * (segment + 1) * (knob + 2), 1.0));
                }
                const auto in = noise (1024, 0.8f, 500 + model * 20 + segment);
                const auto a = process (*fast, in, 256), b = process (*reference, in, 256);
                ASSERT_TRUE (std::isfinite (peak (a)));
                peakOut = std::max (peakOut, peak (b));
                for (int c = 0; c < 2; ++c)
                    for (size_t i = 0; i < a.size (); ++i)
                        worst = std::max (worst, std::fabs (a.ch[c][i] - b.ch[c][i]));
            }
            EXPECT_LE (worst, peakOut * 3.16e-4f) << "rate " << rate << " model " << model
                                                  << " peak " << peakOut << " worst " << worst;
        }
}

// Both channels run side by side in vector lanes: at rest in the shared stereo loop, and while
// controls glide with channel 1's lane stepping the controls from where channel 0's samples leave
// them. Either way the samples must be those of the per-channel loop bit for bit, for every model,
// with and without AVX2 and with either design path, across odd block lengths and model switches.
// Gliding, knobs are written every block as host automation does; at rest, once per model.
TEST (EngineDesignPath, StereoLanesGiveThePerChannelSamplesBitForBit)
{
    for (bool gliding : {false, true})
        for (double rate : gliding ? std::vector<double> {44100.0, 96000.0}
                                   : std::vector<double> {44100.0, 192000.0})
            for (int variant = 0; variant < 3;
                 ++variant)   // AVX2; AVX2 with reference designs; baseline
            {
                auto lanes = makeEngine (rate, 512), plain = makeEngine (rate, 512);
                plain->setStereoFastPath (false);
                plain->limitToBaselineInstructions (true);
                lanes->limitToBaselineInstructions (variant == 2);
                for (auto* engine : {lanes.get (), plain.get ()})
                    engine->setReferenceDesigns (variant == 1);
                for (int model : {7, 0, 1, 2, 3, 4, 5, 6, 7})
                    for (int block = 0; block < (gliding ? 24 : 16); ++block)
                    {
                        for (auto* engine : {lanes.get (), plain.get ()})
                        {
                            setModel (*engine, static_cast<PedalModel> (model));
                            if (gliding)
                                for (int knob = 0; knob < 6; ++knob)
                                    setKnob (*engine, 1 + knob,
                                             0.5 + 0.45 * std::sin (0.3 * block + knob));
                            else if (block == 0)
                                setKnob (*engine, 1 + model % 6, 0.1 * (model + 1));
                        }
                        const int n = block % 5 == 3 ? 77 : 512;
                        const auto in = noise (n, 0.9f, 900 + model * 40 + block);
                        const auto a = process (*lanes, in, n), b = process (*plain, in, n);
                        for (int c = 0; c < 2; ++c)
                            ASSERT_EQ (0, std::memcmp (a.ch[c].data (), b.ch[c].data (),
                                                       n * sizeof (float)))
                                << (gliding ? "gliding" : "at rest") << " variant " << variant
                                << " rate " << rate << " model " << model << " block " << block
                                << " channel " << c;
                    }
                EXPECT_EQ (lanes->getDriveStage ().gain, plain->getDriveStage ().gain);
                EXPECT_EQ (lanes->getLevelStage ().den[0], plain->getLevelStage ().den[0]);
                for (int knob = 1; knob <= 6; ++knob)
                    EXPECT_EQ (lanes->getControlCurrent (knob), plain->getControlCurrent (knob));
            }
}
