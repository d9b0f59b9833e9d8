// SPDX-License-Identifier: GPL-3.0-or-later
// The engine with precomposed control-dependent designs against the engine that forms every
// prototype and transforms it, through glides of all six knobs on every model. The two differ
// only by double-precision rounding inside the designs; the low-frequency response of the
// sections at the oversampled rate is so sensitive to that rounding (a single reordered
// product in one design moves the output by about -100 dB) that the bound is -70 dB of the
// signal's peak, far below anything audible and far above what a wrong coefficient would give.
#include "EngineTestSupport.h"
#include <algorithm>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

using namespace enginetest;

TEST (EngineDesignPath, PrecomposedDesignsFollowThePrototypePathThroughGlides)
{
    for (double rate : {44100.0, 48000.0, 192000.0})
        for (int model = 0; model < 8; ++model)
        {
            auto fast = makeEngine (rate, 256);
            auto reference = makeEngine (rate, 256);
            reference->setReferenceDesigns (true);
            float peak = 0.0f;
            float worst = 0.0f;
            for (int segment = 0; segment < 12; ++segment)
            {
                for (auto* engine : {fast.get (), reference.get ()})
                {
                    setModel (*engine, model);
                    for (int knob = 0; knob < 6; ++knob)
                        setNormalized (*engine, 2 + knob,
                                       std::fmod (0.17 * (segment + 1) * (knob + 2), 1.0));
                }
                const auto in = noise (1024, 0.8f, 500 + model * 20 + segment);
                const auto a = process (*fast, in, 256);
                const auto b = process (*reference, in, 256);
                for (int c = 0; c < 2; ++c)
                    for (size_t i = 0; i < a.size (); ++i)
                    {
                        ASSERT_TRUE (std::isfinite (a.ch[c][i]));
                        peak = std::max (peak, std::fabs (b.ch[c][i]));
                        worst = std::max (worst, std::fabs (a.ch[c][i] - b.ch[c][i]));
                    }
            }
            EXPECT_LE (worst, peak * 3.16e-4f) << "rate " << rate << " model " << model
                                                << " peak " << peak << " worst " << worst;
        }
}

// While controls glide, both channels run side by side in vector lanes, channel 1's lane
// stepping the controls from where channel 0's samples leave them. The samples must be those of
// the per-channel loop bit for bit, for every model, with knobs written every block as host
// automation does, across odd block lengths and model switches.
TEST (EngineDesignPath, GlideLanesGiveThePerChannelSamplesBitForBit)
{
    for (double rate : {44100.0, 96000.0})
        for (int variant = 0; variant < 3; ++variant)
        {
            auto lanes = makeEngine (rate, 512);
            auto plain = makeEngine (rate, 512);
            plain->setStereoFastPath (false);
            plain->limitToBaselineInstructions (true);
            lanes->limitToBaselineInstructions (variant == 2);   // both forms of the lanes
            for (auto* engine : {lanes.get (), plain.get ()})
                engine->setReferenceDesigns (variant == 1);
            for (int model : {7, 0, 1, 2, 3, 4, 5, 6, 7})
                for (int block = 0; block < 24; ++block)
                {
                    for (auto* engine : {lanes.get (), plain.get ()})
                    {
                        setModel (*engine, model);
                        for (int knob = 0; knob < 6; ++knob)
                            setNormalized (*engine, 2 + knob,
                                           0.5 + 0.45 * std::sin (0.3 * block + knob));
                    }
                    const int n = block % 5 == 3 ? 77 : 512;
                    const auto in = noise (n, 0.9f, 900 + model * 40 + block);
                    const auto a = process (*lanes, in, n);
                    const auto b = process (*plain, in, n);
                    for (int c = 0; c < 2; ++c)
                        ASSERT_EQ (0, std::memcmp (a.ch[c].data (), b.ch[c].data (),
                                                   n * sizeof (float)))
                            << "rate " << rate << " model " << model << " block " << block
                            << " channel " << c;
                }
            EXPECT_EQ (lanes->getDriveStage ().gain, plain->getDriveStage ().gain);
            EXPECT_EQ (lanes->getLevelStage ().den[0], plain->getLevelStage ().den[0]);
            for (int knob = 1; knob <= 6; ++knob)
                EXPECT_EQ (lanes->getControlCurrent (knob), plain->getControlCurrent (knob));
        }
}
