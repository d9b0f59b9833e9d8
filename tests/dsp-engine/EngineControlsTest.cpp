// SPDX-License-Identifier: GPL-3.0-or-later
// Oversampling factors, control glides and the sections the controls design.
#include "EngineTestSupport.h"
#include "dsp/AudioTaper.h"
#include "dsp/MathConstants.h"
#include "dsp/OversamplingFactor.h"
#include "dsp/PedalStageDesigns.h"
#include <gtest/gtest.h>
#include <complex>
#include <limits>

using namespace enginetest;

// Common rates reach about 176.4 or 192 kHz; others take the integer part of 192000 / rate; above
// 192 kHz, and for unusable rates, the engine runs at the host rate; very low rates are capped.
TEST (OversamplingFactor, EveryHostRateGetsAUsableFactor)
{
    const double nan = std::numeric_limits<double>::quiet_NaN (),
                 inf = std::numeric_limits<double>::infinity ();
    const struct
    {
        double rateHz;
        uint32_t factor;
    } cases[] = {{22050.0, 8},
                 {32000.0, 6},
                 {44100.0, 4},
                 {48000.0, 4},
                 {88200.0, 2},
                 {96000.0, 2},
                 {176400.0, 1},
                 {192000.0, 1},
                 {11025.0, 16},
                 {50000.0, 3},
                 {38400.0, 5},
                 {352800.0, 1},
                 {384000.0, 1},
                 {1234567.8, 1},
                 {1234.5678, kMaxOversampling},
                 {8000.0, kMaxOversampling},
                 {0.0, 1},
                 {-44100.0, 1},
                 {nan, 1},
                 {inf, 1},
                 {1e300, 1}};
    for (const auto& c : cases)
        EXPECT_EQ (oversamplingFactorFor (c.rateHz), c.factor) << c.rateHz;
}

// The first block after a rate change retunes the chain, and odd or extreme rates still give finite
// audio on every model, also when the host passes four times the block it announced.
TEST (OversamplingEngine, FirstBlockAfterARateChangeRetunesEverything)
{
    for (double rate :
         {1234.5678, 8000.0, 22050.0, 44100.0, 48000.0, 96000.0, 176400.0, 192000.0, 384000.0})
    {
        auto engine = makeEngine (rate, 128);
        for (int model = 0; model < int (kPedalModelCount); ++model)
        {
            setModel (*engine, static_cast<PedalModel> (model));
            const float p = peak (process (*engine, noise (512, 1.0f, 3), 512));
            EXPECT_TRUE (std::isfinite (p)) << rate << " " << model;
            EXPECT_GT (p, 0.0f) << rate << " " << model;
        }
        const uint32_t factor = oversamplingFactorFor (rate);
        EXPECT_EQ (engine->getOversampling (), factor) << rate;
        EXPECT_EQ (engine->getDesignRateHz (), factor * rate) << rate;
        EXPECT_FALSE (engine->reinitPending.load () || engine->updatePending.load ()) << rate;
    }
}

// A 64-sample block at 44.1 kHz runs 256 samples per channel through the chain: every processed
// sample steps the controls once, so a glide from reset, y_n = 1 - (1 - b0) p^n with p = -a1, has
// made 2 x 256 steps. Nothing is written beyond the 64 returned samples.
TEST (OversamplingEngine, BlockOf64At44100RunsAs256PerChannelAndReturns64)
{
    auto engine = makeEngine (44100.0, 64);
    setKnob (*engine, 1, 1.0);
    std::vector<float> left (80, 7.0f), right (80, 7.0f);
    auto in = noise (64, 0.2f, 2);
    float* ins[2] = {in.ch[0].data (), in.ch[1].data ()};
    float* outs[2] = {left.data (), right.data ()};
    float peaks[2][2];
    engine->processBlock (ins, outs, peaks[0], peaks[1], 64, nullptr, nullptr);
    ASSERT_EQ (engine->getOversampling (), 4u);
    for (int i = 64; i < 80; ++i)
    {
        ASSERT_EQ (left[i], 7.0f) << "wrote beyond the block at " << i;
        ASSERT_EQ (right[i], 7.0f) << "wrote beyond the block at " << i;
    }
    const double b0 = engine->smoothB0, p = -static_cast<double> (engine->smoothA1);
    EXPECT_NEAR (engine->getControlCurrent (1), 1.0 - (1.0 - b0) * std::pow (p, 2 * 256 - 1), 2e-5);
    EXPECT_GT (
        std::fabs (engine->getControlCurrent (1) - (1.0 - (1.0 - b0) * std::pow (p, 2 * 64 - 1))),
        0.05);
}

// The up-sampler the engine builds is a linear-phase low-pass of five taps per phase with its edge
// at the host's Nyquist frequency: (5 R - 1) / 2 samples of delay at the oversampled rate, a flat
// passband (the truncated sinc: -0.1 dB to 5 kHz) and the host band's images 20 dB down or more.
TEST (OversamplingEngine, InterpolatorHasItsDesignedResponse)
{
    for (double rate : {22050.0, 44100.0, 48000.0, 96000.0})
    {
        auto engine = makeEngine (rate, 64);
        process (*engine, constant (64, 0.0f), 64);   // the first block configures it
        const int R = static_cast<int> (engine->getOversampling ());
        PolyphaseResampler up = engine->getResampler (0);
        std::vector<float> impulse (64, 0.0f), h (64 * R);
        impulse[0] = 1.0f;
        up.interpolate (impulse.data (), 64, h.data ());
        // Of a tone at hz in the interpolated signal: the impulse response's spectrum over R.
        auto response = [&] (double hz) {
            std::complex<double> sum = 0.0;
            for (size_t n = 0; n < h.size (); ++n)
                sum += double (h[n]) * std::polar (1.0, -2.0 * kPi * hz * n / (R * rate));
            return sum / double (R);
        };
        const double delay = -std::arg (response (1000.0)) / (2.0 * kPi * 1000.0 / (R * rate));
        EXPECT_NEAR (delay, (5 * R - 1) / 2.0, 0.01) << rate;
        for (double hz : {100.0, 1000.0, 5000.0})
        {
            EXPECT_NEAR (20.0 * std::log10 (std::abs (response (hz))), 0.0, 0.3)
                << rate << " " << hz;
            for (double image : {rate - hz, rate + hz})
                EXPECT_LT (20.0 * std::log10 (std::abs (response (image))), -20.0)
                    << rate << " " << hz << " Hz image at " << image;
        }
    }
}

// The smoother is the bilinear transform of a one-pole low-pass at a 0.09th of the rate
// (v = cot(pi / (0.09 fs))). After resetState every control glides from the zeroed smoother and must
// come within 0.0001 of its target in the closed-form number of steps. In single precision the
// crossing moves over the last 0.0001 (measured: 2 steps late of 5819 at 44.1 kHz, 78 of 12666 at
// 96 kHz); 1 % is allowed.
TEST (EngineControls, GlideAfterResetStateFollowsTheClosedForm)
{
    for (double rate : {44100.0, 48000.0, 96000.0, 192000.0})
    {
        auto engine = makeEngine (rate, 256);
        setKnob (*engine, 1, 1.0);
        setKnob (*engine, 3, 0.25);
        process (*engine, noise (static_cast<size_t> (rate), 0.3f, 5),
                 256);   // one second: every glide is over
        EXPECT_NEAR (engine->getControlCurrent (3), 0.25f, 1e-4f) << rate;
        engine->resetState ();
        for (int knob = 1; knob <= 6; ++knob)
            EXPECT_EQ (engine->getControlCurrent (knob), -0.1f) << rate;   // restart marker
        EXPECT_FLOAT_EQ (engine->getControlTarget (3), 0.25f) << rate;
        EXPECT_TRUE (engine->allSectionStatesZero ()) << rate;

        engine->updateSettings (true);
        const double v = 1.0 / std::tan (kPi / (0.09 * rate));
        EXPECT_NEAR (engine->smoothB0, 1.0 / (v + 1.0), 1e-6 / (v + 1.0)) << rate;   // about 8 ulps
        EXPECT_NEAR (engine->smoothA1, (1.0 - v) / (v + 1.0), 1e-6) << rate;
        EXPECT_EQ (engine->smoothB1, 1.0f);
        if (rate == 192000.0)
            continue;
        engine->advanceControls ();   // the forced redesign after the update is the first step
        int steps = 1;
        for (float previous = engine->getControlCurrent (1); steps < 100000; ++steps)
        {
            engine->advanceControls ();
            if (engine->getControlCurrent (1) == previous)
                break;
            previous = engine->getControlCurrent (1);
        }
        EXPECT_LE (std::fabs (1.0f - engine->getControlCurrent (1)), 1e-4f) << rate;
        const double p = -static_cast<double> (engine->smoothA1);
        const int expected =
            static_cast<int> (std::ceil (std::log (1e-4 / (1.0 - engine->smoothB0)) / std::log (p)))
            + 1;
        EXPECT_NEAR (steps, expected, std::max (2, expected / 100)) << rate;
    }
}

// XXL Distortion+'s Gain pot sits in the ground leg, so its drive stage is designed from the taper
// of (1 - Gain).
TEST (EngineControls, XxlDistortionPlusTurnsItsGainPotTheOtherWay)
{
    auto engine = makeEngine (48000.0, 256);
    setModel (*engine, PedalModel::xxlDistortionPlus);
    setKnob (*engine, 1, 0.3);
    process (*engine, noise (8192, 0.3f, 6), 256);
    const float current = engine->getControlCurrent (1);
    ASSERT_NEAR (current, 0.3f, 1e-4f);
    StageSection<3, float> sections[2];
    for (int reversed = 0; reversed < 2; ++reversed)
    {
        DigitalCoefficients c;
        ASSERT_TRUE (pedal::designDriveStage (PedalModel::xxlDistortionPlus,
                                              audioTaper (reversed ? 1.0f - current : current),
                                              engine->getDesignRateHz (), c));
        sections[reversed].setCoefficients (c);
    }
    const auto& drive = engine->getDriveStage ();
    EXPECT_EQ (drive.gain, sections[1].gain);
    EXPECT_EQ (drive.num[0], sections[1].num[0]);
    EXPECT_EQ (drive.den[0], sections[1].den[0]);
    EXPECT_NE (drive.gain, sections[0].gain);
}

// b0 (1 + n1 z^-1 + n2 z^-2) / (1 + d1 z^-1 + d2 z^-2): the impulse response against the direct-form
// difference equation, per channel; a zero leading numerator silences the section.
TEST (EngineControls, SectionFillNormalisesByTheLeadingNumeratorAndSilencesAZeroOne)
{
    DigitalCoefficients c {{0.5, 0.25, -0.125}, {1.0, -0.5, 0.0625}};
    StageSection<3, double> section;
    section.setCoefficients (c);
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    for (int i = 0; i < 16; ++i)
    {
        const double x = i == 0 ? 1.0 : 0.0,
                     y = 0.5 * x + 0.25 * x1 - 0.125 * x2 + 0.5 * y1 - 0.0625 * y2;
        EXPECT_NEAR (section.process<2> (x, 1), y, 1e-15) << i;
        x2 = x1, x1 = x, y2 = y1, y1 = y;
    }
    EXPECT_EQ (section.state[0][0], 0.0);   // channel 0 untouched
    c.zNum[0] = 0.0;
    section.setCoefficients (c);
    EXPECT_EQ (section.gain, 0.0);
    EXPECT_TRUE (std::all_of (std::begin (section.num), std::end (section.num),
                              [] (double k) { return k == 0.0; }));
}
