// SPDX-License-Identifier: GPL-3.0-or-later
// Input and state a host may pass on from elsewhere: non-finite samples, full-scale noise and
// DC on every model, and a state stream holding values no saved state contains.
#include "Conformance.h"
#include "host/StateBytes.h"
#include <limits>
#include <random>

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using Morvane::Host::ParameterPoint;
using Morvane::Host::PluginInstance;
using Morvane::Host::ProcessConfig;
using Morvane::Test::Conformance;
using Morvane::Test::fillInputs;
using Morvane::Test::fillInputsWith;
using Morvane::Test::fillInputsWithNoise;
using Morvane::Test::outputPeak;
using Morvane::Test::outputsFinite;

constexpr int32 kBlockSamples = 256;
// With every knob at its maximum the linear booster (no diodes) lifts full-scale noise to about
// +36 dBFS (a peak near 78) and the loudest diode pedal to about +30 dBFS; beyond +42 dBFS (128)
// a stage has run away.
constexpr double kOutputBound = 128.0;

// The same fixture under a name of its own for the checks that run once per model.
class ConformanceModels : public Conformance
{
};

// One non-finite value (or a whole block of them) poisons the filter states; the engine clears
// them, so the first block of finite input gives finite output again and sound returns.
TEST_F (ConformanceModels, NonFiniteInputRecovers)
{
    const float kNaN = std::numeric_limits<float>::quiet_NaN ();
    const float kInf = std::numeric_limits<float>::infinity ();
    for (int model = 0; model < kModelCount; ++model)
        for (float bad : {kNaN, kInf, -kInf})
            for (bool wholeBlock : {false, true})
            {
                SCOPED_TRACE ("model " + std::to_string (model) + ", " + std::to_string (bad) +
                              (wholeBlock ? " in every sample" : " in one sample"));
                auto instance = instanceWithModel (model, kBlockSamples);
                ASSERT_NE (instance, nullptr);
                int64 position = 0;
                for (int block = 0; block < 3; ++block, position += kBlockSamples)
                {
                    fillInputs (*instance, kBlockSamples, position);
                    ASSERT_EQ (instance->process (kBlockSamples), kResultOk);
                }
                fillInputs (*instance, kBlockSamples, position);
                HostProcessData& data = instance->processData ();
                for (int32 c = 0; c < 2; ++c)
                    if (wholeBlock)
                        std::fill_n (data.inputChannel32 (0, c), kBlockSamples, bad);
                    else
                        data.inputChannel32 (0, c)[100] = bad;
                ASSERT_EQ (instance->process (kBlockSamples), kResultOk);
                position += kBlockSamples;

                double loudest = 0;
                for (int block = 0; block < 4; ++block, position += kBlockSamples)
                {
                    fillInputs (*instance, kBlockSamples, position);
                    ASSERT_EQ (instance->process (kBlockSamples), kResultOk);
                    ASSERT_TRUE (outputsFinite (*instance, kBlockSamples)) << "finite block " << block;
                    loudest = std::max (loudest, outputPeak (*instance, kBlockSamples));
                }
                EXPECT_GT (loudest, 1e-4) << "sound comes back";
            }
}

// Full-scale noise with every knob at its maximum, then +1 and -1 DC held for 0.1 s each:
// finite, bounded, and the pedals' AC coupling lets each DC step die away.
TEST_F (ConformanceModels, FullScaleNoiseAndDcStayBounded)
{
    constexpr int kBlocksPerPhase = 20;
    std::mt19937 random (20261206);
    for (int model = 0; model < kModelCount; ++model)
    {
        SCOPED_TRACE ("model " + std::to_string (model));
        auto instance = instanceWithModel (model, kBlockSamples);
        ASSERT_NE (instance, nullptr);
        std::vector<ParameterPoint> knobsUp;
        for (ParamID id = 2; id < ParamID (kParameterCount); ++id)
            knobsUp.push_back ({id, 0, 1.0});
        double loudest = 0;
        for (int phase = 0; phase < 3; ++phase)
        {
            double phasePeak = 0, lastBlockPeak = 0;
            for (int block = 0; block < kBlocksPerPhase; ++block)
            {
                if (phase == 0)
                    fillInputsWithNoise (*instance, kBlockSamples, random);
                else
                    fillInputsWith (*instance, kBlockSamples, phase == 1 ? 1.0f : -1.0f);
                const bool first = phase == 0 && block == 0;
                ASSERT_EQ (instance->process (kBlockSamples, first ? knobsUp : std::vector<ParameterPoint> {}), kResultOk);
                ASSERT_TRUE (outputsFinite (*instance, kBlockSamples)) << "phase " << phase << " block " << block;
                lastBlockPeak = outputPeak (*instance, kBlockSamples);
                phasePeak = std::max (phasePeak, lastBlockPeak);
            }
            loudest = std::max (loudest, phasePeak);
            if (phase > 0)
            {
                EXPECT_LT (lastBlockPeak, 0.3 * phasePeak) << "DC step " << phase << " does not settle";
            }
        }
        EXPECT_LT (loudest, kOutputBound);
    }
}

// Values a damaged or foreign state may hold: NaN keeps the value before, the rest are clamped
// into 0..1; the controller takes the same values and processing stays finite.
TEST_F (Conformance, CorruptStateValues)
{
    const float kNaN = std::numeric_limits<float>::quiet_NaN ();
    const float kInf = std::numeric_limits<float>::infinity ();
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    const std::vector<float> before = savedParameterValues (*instance);
    ASSERT_EQ (before.size (), size_t (kParameterCount));
    const std::vector<float> corrupt {kNaN, 1e30f, -kInf, kInf, -5.0f, 1e-40f, 7.0f, kNaN};
    instance->setState (Morvane::Host::floatBytes (corrupt)); // any answer, but no crash
    const std::vector<float> after = savedParameterValues (*instance);
    ASSERT_EQ (after.size (), size_t (kParameterCount));
    for (int32 id = 0; id < kParameterCount; ++id)
    {
        EXPECT_TRUE (after[id] >= 0.0f && after[id] <= 1.0f) << "id " << id << ": " << after[id];
        if (std::isnan (corrupt[id]))
        {
            EXPECT_EQ (after[id], before[id]) << "id " << id;
        }
    }
    EXPECT_EQ (after[4], 0.0f);
    EXPECT_EQ (after[6], 1.0f);

    EXPECT_EQ (instance->syncControllerToComponent (), kResultOk);
    for (ParamID id = 0; id < ParamID (kParameterCount); ++id)
    {
        const double value = instance->controller ()->getParamNormalized (id);
        EXPECT_TRUE (value >= 0.0 && value <= 1.0) << "id " << id << ": " << value;
    }

    ProcessConfig config;
    config.maxBlockSamples = kBlockSamples;
    std::string error;
    ASSERT_TRUE (instance->startProcessing (config, error)) << error;
    for (int block = 0; block < 8; ++block)
    {
        fillInputs (*instance, kBlockSamples, block * kBlockSamples);
        ASSERT_EQ (instance->process (kBlockSamples), kResultOk);
        ASSERT_TRUE (outputsFinite (*instance, kBlockSamples)) << "block " << block;
    }
}

// Audio blocks a faulty host might send: samples but no channel buffers, null channels, no
// channels, fewer output than input channels, 64-bit samples after a 32-bit set-up. None may
// crash or write anywhere; the instance keeps working afterwards.
TEST_F (Conformance, MalformedAudioBuffersAreSafe)
{
    auto instance = createProcessingInstance ();
    ASSERT_NE (instance, nullptr);
    std::vector<float> left (512, 0.25f), right (512, 0.25f);
    Sample32* nullChannels[2] = {nullptr, nullptr};
    Sample32* realChannels[2] = {left.data (), right.data ()};
    for (int variant = 0; variant < 5; ++variant)
    {
        SCOPED_TRACE ("variant " + std::to_string (variant));
        AudioBusBuffers in {}, out {};
        in.numChannels = out.numChannels = 2;
        in.channelBuffers32 = realChannels;
        out.channelBuffers32 = realChannels;
        ProcessData data;
        data.numSamples = 512;
        data.symbolicSampleSize = kSample32;
        data.numInputs = data.numOutputs = 1;
        data.inputs = &in;
        data.outputs = &out;
        switch (variant)
        {
            case 0: in.channelBuffers32 = out.channelBuffers32 = nullptr; break;
            case 1: out.channelBuffers32 = nullChannels; break;
            case 2: in.numChannels = out.numChannels = 0; break;
            case 3: out.numChannels = 1; break;
            case 4: data.symbolicSampleSize = kSample64; break;
        }
        instance->processor ()->process (data); // any answer, but no crash
        EXPECT_TRUE (Morvane::Test::allFinite (left.data (), 512) && Morvane::Test::allFinite (right.data (), 512));
    }
    for (int block = 0; block < 4; ++block)
    {
        fillInputs (*instance, 512, block * 512);
        ASSERT_EQ (instance->process (512), kResultOk);
        ASSERT_TRUE (outputsFinite (*instance, 512));
    }
    EXPECT_GT (outputPeak (*instance, 512), 1e-3);
}

} // namespace
