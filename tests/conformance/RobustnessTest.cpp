// SPDX-License-Identifier: GPL-3.0-or-later
// Input a host may pass on from elsewhere: non-finite and extreme samples, full-scale noise and DC
// on every model, malformed blocks and parameter flushes (values no saved state holds:
// tests/fuzz-regressions).
#include "Conformance.h"
#include <limits>
#include <random>

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace Morvane::Test;

constexpr int32 kBlockSamples = 256;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN ();
constexpr float kInf = std::numeric_limits<float>::infinity ();

// One NaN, infinity, denormal or overflowing value (or a whole block of them) on every model: the
// output is finite in that very block (a NaN sent on can silence a host's whole mix), and sound
// returns in the next.
TEST_F (Conformance, NonFiniteInputGivesFiniteOutputOnEveryModel)
{
    for (int model = 0; model < kModelCount; ++model)
        for (float bad : {kNaN, kInf, -kInf, std::numeric_limits<float>::denorm_min (),
                          std::numeric_limits<float>::max ()})
            for (int32 badSamples : {1, 100, kBlockSamples})
            {
                SCOPED_TRACE ("model " + std::to_string (model) + ", " + std::to_string (bad)
                              + " in " + std::to_string (badSamples) + " samples");
                auto instance = instanceWithModel (model, kBlockSamples);
                ASSERT_NE (instance, nullptr);
                int64 position = 0;
                processSine (*instance, kBlockSamples, 3, position);
                fillInputs (*instance, kBlockSamples, position);
                for (int32 c = 0; c < 2; ++c)
                    std::fill_n (instance->processData ().inputChannel32 (0, c)
                                     + (badSamples == kBlockSamples ? 0 : 100),
                                 badSamples, bad);
                ASSERT_EQ (instance->process (kBlockSamples), kResultOk);
                EXPECT_TRUE (outputsFinite (*instance, kBlockSamples));
                position += kBlockSamples;
                EXPECT_GT (processSine (*instance, kBlockSamples, 4, position), 1e-4)
                    << "sound comes back";
            }
}

// Full-scale noise with every knob at its maximum, then +1 and -1 DC held for 0.1 s each:
// finite, bounded, and the pedals' AC coupling lets each DC step die away. The linear booster
// lifts the noise to about +36 dBFS (a peak near 78), the loudest diode pedal to about +30 dBFS;
// beyond +42 dBFS (128) a stage has run away.
TEST_F (Conformance, FullScaleNoiseAndDcStayBoundedOnEveryModel)
{
    std::mt19937 random (20261206);
    std::vector<Morvane::Host::ParameterPoint> knobsUp;
    for (ParamID id = 2; id < ParamID (kParameterCount); ++id)
        knobsUp.push_back ({id, 0, 1.0});
    for (int model = 0; model < kModelCount; ++model)
    {
        auto instance = instanceWithModel (model, kBlockSamples);
        ASSERT_NE (instance, nullptr);
        ASSERT_EQ (instance->process (kBlockSamples, knobsUp), kResultOk);
        for (int phase = 0; phase < 3; ++phase)
        {
            SCOPED_TRACE ("model " + std::to_string (model) + ", phase " + std::to_string (phase));
            double phasePeak = 0, lastBlockPeak = 0;
            for (int block = 0; block < 20; ++block)
            {
                if (phase == 0)
                    fillInputsWithNoise (*instance, kBlockSamples, random);
                else
                    fillInputsWith (*instance, kBlockSamples, phase == 1 ? 1.0f : -1.0f);
                ASSERT_EQ (instance->process (kBlockSamples), kResultOk);
                ASSERT_TRUE (outputsFinite (*instance, kBlockSamples)) << "block " << block;
                lastBlockPeak = outputPeak (*instance, kBlockSamples);
                phasePeak = std::max (phasePeak, lastBlockPeak);
            }
            EXPECT_LT (phasePeak, 128.0);
            EXPECT_TRUE (phase == 0 || lastBlockPeak < 0.3 * phasePeak)
                << "the DC step does not settle";
        }
    }
}

// Blocks a faulty host might send: samples but no channel buffers, null channels, no channels,
// fewer output than input channels, 64-bit samples after a 32-bit set-up; none may crash or write
// anywhere. Parameter flushes (no samples) apply their changes whether the host passes busses
// without channel buffers, null channels or no busses. The instance keeps working afterwards.
TEST_F (Conformance, MalformedBlocksAndParameterFlushesAreSafe)
{
    auto instance = createProcessingInstance ();
    ASSERT_NE (instance, nullptr);
    std::vector<float> left (512, 0.25f), right (512, 0.25f);
    Sample32* none[2] = {nullptr, nullptr};
    Sample32* real[2] = {left.data (), right.data ()};
    const struct
    {
        int32 samples, inChannels, outChannels, busses;
        Sample32 **in, **out;
        int32 sampleSize;
    } blocks[] = {
        {512, 2, 2, 1, nullptr, nullptr, kSample32}, {512, 2, 2, 1, real, none, kSample32},
        {512, 0, 0, 1, real, real, kSample32},       {512, 2, 1, 1, real, real, kSample32},
        {512, 2, 2, 1, real, real, kSample64},       {0, 2, 2, 1, nullptr, nullptr, kSample32},
        {0, 2, 2, 1, none, none, kSample32},         {0, 2, 2, 0, nullptr, nullptr, kSample32}};
    for (const auto& block : blocks)
    {
        const int variant = int (&block - blocks);
        AudioBusBuffers in {}, out {};
        in.numChannels = block.inChannels;
        out.numChannels = block.outChannels;
        in.channelBuffers32 = block.in;
        out.channelBuffers32 = block.out;
        ProcessData data;
        data.numSamples = block.samples;
        data.symbolicSampleSize = block.sampleSize;
        data.numInputs = data.numOutputs = block.busses;
        data.inputs = block.busses ? &in : nullptr;
        data.outputs = block.busses ? &out : nullptr;
        const double value = 0.05 + 0.1 * variant;
        int32 index = 0;
        instance->inputChanges ().clearQueue ();
        instance->inputChanges ().addParameterData (3, index)->addPoint (0, value, index);
        instance->outputChanges ().clearQueue ();
        data.inputParameterChanges = &instance->inputChanges ();
        data.outputParameterChanges = &instance->outputChanges ();
        const tresult result = instance->processor ()->process (data);   // any answer, no crash
        EXPECT_TRUE (allFinite (left.data (), 512) && allFinite (right.data (), 512))
            << "variant " << variant;
        if (block.samples == 0)
        {
            EXPECT_EQ (result, kResultOk) << "variant " << variant;
            EXPECT_NEAR (savedParameterValues (*instance).at (3), value, 1e-6)
                << "variant " << variant;
        }
    }
    int64 position = 0;
    EXPECT_GT (processSine (*instance, kBlockSamples, 4, position), 1e-3);
}

}   // namespace
