// SPDX-License-Identifier: GPL-3.0-or-later
#include "EngineTestSupport.h"
#include <cstring>
#include <gtest/gtest.h>

using namespace enginetest;

// The engine with precomposed control-dependent designs against the engine that forms every
// prototype and transforms it, through glides of all six knobs on every model. They differ only by
// double rounding inside the designs, to which the sections' low-frequency response at the
// oversampled rate is very sensitive (one reordered product moves the output by about -100 dB), so
// the bound is -70 dB of the signal's peak: far below audibility, far above a wrong coefficient.
TEST (EngineDesignPath, PrecomposedDesignsFollowThePrototypePathThroughGlides)
{
    for (double rate : {44100.0, 48000.0, 192000.0})
        for (int model = 0; model < 8; ++model)
        {
            auto fast = makeEngine (rate, 256), reference = makeEngine (rate, 256);
            reference->setReferenceDesigns (true);
            float peakOut = 0.0f, worst = 0.0f;
            for (int segment = 0; segment < 12; ++segment)
            {
                for (auto* engine : {fast.get (), reference.get ()})
                {
                    setModel (*engine, model);
                    for (int knob = 0; knob < 6; ++knob)
                        setNormalized (*engine, 2 + knob, std::fmod (0.17 * (segment + 1) * (knob + 2), 1.0));
                }
                const auto in = noise (1024, 0.8f, 500 + model * 20 + segment);
                const auto a = process (*fast, in, 256), b = process (*reference, in, 256);
                ASSERT_TRUE (std::isfinite (peak (a)));
                peakOut = std::max (peakOut, peak (b));
                for (int c = 0; c < 2; ++c)
                    for (size_t i = 0; i < a.size (); ++i)
                        worst = std::max (worst, std::fabs (a.ch[c][i] - b.ch[c][i]));
            }
            EXPECT_LE (worst, peakOut * 3.16e-4f) << "rate " << rate << " model " << model << " peak " << peakOut << " worst " << worst;
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
        for (double rate : gliding ? std::vector<double> {44100.0, 96000.0} : std::vector<double> {44100.0, 192000.0})
            for (int variant = 0; variant < 3; ++variant)   // AVX2; AVX2 with reference designs; baseline
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
                            setModel (*engine, model);
                            if (gliding)
                                for (int knob = 0; knob < 6; ++knob)
                                    setNormalized (*engine, 2 + knob, 0.5 + 0.45 * std::sin (0.3 * block + knob));
                            else if (block == 0)
                                setNormalized (*engine, 2 + model % 6, 0.1 * (model + 1));
                        }
                        const int n = block % 5 == 3 ? 77 : 512;
                        const auto in = noise (n, 0.9f, 900 + model * 40 + block);
                        const auto a = process (*lanes, in, n), b = process (*plain, in, n);
                        for (int c = 0; c < 2; ++c)
                            ASSERT_EQ (0, std::memcmp (a.ch[c].data (), b.ch[c].data (), n * sizeof (float)))
                                << (gliding ? "gliding" : "at rest") << " variant " << variant << " rate " << rate
                                << " model " << model << " block " << block << " channel " << c;
                    }
                EXPECT_EQ (lanes->getDriveStage ().gain, plain->getDriveStage ().gain);
                EXPECT_EQ (lanes->getLevelStage ().den[0], plain->getLevelStage ().den[0]);
                for (int knob = 1; knob <= 6; ++knob)
                    EXPECT_EQ (lanes->getControlCurrent (knob), plain->getControlCurrent (knob));
            }
}
