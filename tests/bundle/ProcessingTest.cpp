// SPDX-License-Identifier: GPL-3.0-or-later
// Processing blocks through the loaded bundle: parameter queues, silence flags, mono busses,
// flushes, block sizes and sample rates.
#include "support/BundleFixture.h"
#include "host/StateBytes.h"
#include <cmath>
#include <random>

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using Morvane::Host::ParameterPoint;
using Morvane::Host::PluginInstance;
using Morvane::Host::ProcessConfig;

constexpr double kPi = 3.14159265358979323846;

void fillSine (float* samples, int32 count, double frequencyHz, double sampleRateHz, int64 start = 0)
{
    for (int32 i = 0; i < count; ++i)
        samples[i] = static_cast<float> (0.5 * std::sin (2.0 * kPi * frequencyHz * double (start + i) / sampleRateHz));
}

void fillInputs (PluginInstance& instance, int32 count, int64 start = 0)
{
    HostProcessData& data = instance.processData ();
    for (int32 c = 0; c < data.inputs[0].numChannels; ++c)
        fillSine (data.inputChannel32 (0, c), count, 220.0, 48000.0, start);
}

bool allFinite (const float* samples, int32 count)
{
    for (int32 i = 0; i < count; ++i)
        if (!std::isfinite (samples[i]))
            return false;
    return true;
}

double peak (const float* samples, int32 count)
{
    double p = 0;
    for (int32 i = 0; i < count; ++i)
        p = std::max (p, std::fabs (double (samples[i])));
    return p;
}

std::vector<float> stateValues (PluginInstance& instance)
{
    std::vector<uint8_t> bytes;
    EXPECT_EQ (instance.getState (bytes), kResultOk);
    return Morvane::Host::floatsOf (bytes);
}

class Processing : public Morvane::Test::BundleFixture
{
};

TEST_F (Processing, StereoBlocksGiveFiniteSoundAndNoOutputChanges)
{
    auto instance = createProcessingInstance ();
    ASSERT_NE (instance, nullptr);
    HostProcessData& data = instance->processData ();
    double loudest = 0;
    for (int block = 0; block < 40; ++block)
    {
        fillInputs (*instance, 512, block * 512);
        ASSERT_EQ (instance->process (512), kResultOk);
        for (int32 c = 0; c < 2; ++c)
        {
            ASSERT_TRUE (allFinite (data.outputs[0].channelBuffers32[c], 512)) << "block " << block;
            loudest = std::max (loudest, peak (data.outputs[0].channelBuffers32[c], 512));
        }
        EXPECT_EQ (data.outputs[0].silenceFlags, 0u);
        EXPECT_TRUE (instance->outputPoints ().empty ());
    }
    EXPECT_GT (loudest, 1e-3) << "a 0.5 sine through the default preset is not silent";
}

TEST_F (Processing, OnlyTheLastPointOfEachQueueIsApplied)
{
    auto instance = createProcessingInstance ();
    ASSERT_NE (instance, nullptr);
    ASSERT_EQ (instance->process (256, {{7, 0, 0.1}, {7, 10, 0.9}, {7, 200, 0.3}, {2, 5, 0.75}}), kResultOk);
    const std::vector<float> values = stateValues (*instance);
    ASSERT_EQ (values.size (), 8u);
    EXPECT_NEAR (values[7], 0.3f, 1e-6);
    EXPECT_NEAR (values[2], 0.75f, 1e-6);
    EXPECT_TRUE (instance->outputPoints ().empty ());
}

TEST_F (Processing, ParameterChangesAreAppliedWithoutAudioBusses)
{
    auto instance = createProcessingInstance ();
    ASSERT_NE (instance, nullptr);
    instance->inputChanges ().clearQueue ();
    int32 index = 0;
    instance->inputChanges ().addParameterData (3, index)->addPoint (0, 0.2, index);
    ProcessData flush;
    flush.numSamples = 0;
    flush.inputParameterChanges = &instance->inputChanges ();
    flush.outputParameterChanges = &instance->outputChanges ();
    EXPECT_EQ (instance->processor ()->process (flush), kResultOk);
    EXPECT_NEAR (stateValues (*instance)[3], 0.2f, 1e-6);
}

TEST_F (Processing, ZeroSamplesWithNullChannelBuffersIsAFlush)
{
    auto instance = createProcessingInstance ();
    ASSERT_NE (instance, nullptr);
    AudioBusBuffers in {}, out {};
    Sample32* nullChannels[2] = {nullptr, nullptr};
    in.numChannels = out.numChannels = 2;
    in.channelBuffers32 = nullChannels;
    out.channelBuffers32 = nullChannels;
    ProcessData data;
    data.numSamples = 0;
    data.numInputs = data.numOutputs = 1;
    data.inputs = &in;
    data.outputs = &out;
    EXPECT_EQ (instance->processor ()->process (data), kResultOk);
    // And the instance keeps working afterwards.
    fillInputs (*instance, 128);
    EXPECT_EQ (instance->process (128), kResultOk);
    EXPECT_TRUE (allFinite (instance->processData ().outputs[0].channelBuffers32[0], 128));
}

TEST_F (Processing, SilentInputBlocksGiveZeroedOutputAndCopiedFlags)
{
    auto instance = createProcessingInstance ();
    ASSERT_NE (instance, nullptr);
    HostProcessData& data = instance->processData ();
    for (uint64 flags : {uint64 (1), uint64 (2), uint64 (3)})
    {
        fillInputs (*instance, 256);
        ASSERT_EQ (instance->process (256), kResultOk); // leaves sound in the outputs
        for (int32 c = 0; c < 2; ++c)
            std::fill_n (data.outputChannel32 (0, c), 256, 0.25f);
        data.inputs[0].silenceFlags = flags;
        ASSERT_EQ (instance->process (256), kResultOk);
        EXPECT_EQ (data.outputs[0].silenceFlags, flags);
        for (int32 c = 0; c < 2; ++c)
            EXPECT_EQ (peak (data.outputChannel32 (0, c), 256), 0.0) << "flags " << flags << " channel " << c;
        data.inputs[0].silenceFlags = 0;
    }
    ASSERT_EQ (instance->process (256), kResultOk);
    EXPECT_EQ (data.outputs[0].silenceFlags, 0u);
}

TEST_F (Processing, SilentInputProcessedInPlaceIsLeftAlone)
{
    auto instance = createProcessingInstance ();
    ASSERT_NE (instance, nullptr);
    HostProcessData& data = instance->processData ();
    data.setInPlace (true);
    std::fill_n (data.inputChannel32 (0, 0), 64, 0.5f);
    std::fill_n (data.inputChannel32 (0, 1), 64, -0.5f);
    data.inputs[0].silenceFlags = 3;
    ASSERT_EQ (instance->process (64), kResultOk);
    EXPECT_EQ (data.outputs[0].silenceFlags, 3u);
    EXPECT_EQ (data.inputChannel32 (0, 0)[10], 0.5f);
    EXPECT_EQ (data.inputChannel32 (0, 1)[63], -0.5f);
}

TEST_F (Processing, MonoBusSoundsLikeTheLeftOfAStereoBusFedTheSameSignal)
{
    ProcessConfig stereoConfig;
    stereoConfig.maxBlockSamples = 256;
    ProcessConfig monoConfig = stereoConfig;
    monoConfig.inputChannels = monoConfig.outputChannels = 1;
    auto stereo = createProcessingInstance (stereoConfig);
    auto mono = createProcessingInstance (monoConfig);
    ASSERT_TRUE (stereo && mono);
    ASSERT_EQ (mono->processData ().inputs[0].numChannels, 1);
    ASSERT_EQ (mono->processData ().outputs[0].numChannels, 1);

    double largestDifference = 0, largestStereoSpread = 0;
    for (int block = 0; block < 20; ++block)
    {
        fillInputs (*stereo, 256, block * 256);
        fillInputs (*mono, 256, block * 256);
        ASSERT_EQ (stereo->process (256), kResultOk);
        ASSERT_EQ (mono->process (256), kResultOk);
        const float* left = stereo->processData ().outputChannel32 (0, 0);
        const float* right = stereo->processData ().outputChannel32 (0, 1);
        const float* single = mono->processData ().outputChannel32 (0, 0);
        for (int i = 0; i < 256; ++i)
        {
            largestDifference = std::max (largestDifference, std::fabs (double (left[i]) - single[i]));
            largestStereoSpread = std::max (largestStereoSpread, std::fabs (double (left[i]) - right[i]));
        }
    }
    EXPECT_EQ (largestStereoSpread, 0.0);
    EXPECT_EQ (largestDifference, 0.0);
}

TEST_F (Processing, RandomBlockSizesUpToTheMaximum)
{
    ProcessConfig config;
    config.maxBlockSamples = 8192;
    auto instance = createProcessingInstance (config);
    ASSERT_NE (instance, nullptr);
    std::mt19937 random (1234);
    std::uniform_int_distribution<int32> size (0, 8191);
    int64 position = 0;
    for (int i = 0; i < 21; ++i)
    {
        const int32 n = size (random);
        fillInputs (*instance, n, position);
        ASSERT_EQ (instance->process (n), kResultOk) << n;
        ASSERT_TRUE (allFinite (instance->processData ().outputChannel32 (0, 0), n)) << n;
        position += n;
    }
}

TEST_F (Processing, EverySampleRateAHostMayAskFor)
{
    for (double rateHz : {22050.0, 32000.0, 44100.0, 48000.0, 88200.0, 96000.0, 176400.0, 192000.0,
                          352800.0, 384000.0, 1234.5678, 1234567.8})
    {
        ProcessConfig config;
        config.sampleRateHz = rateHz;
        config.maxBlockSamples = 512;
        auto instance = createProcessingInstance (config);
        ASSERT_NE (instance, nullptr) << rateHz;
        for (int block = 0; block < 4; ++block)
        {
            fillInputs (*instance, 512, block * 512);
            ASSERT_EQ (instance->process (512), kResultOk) << rateHz;
            ASSERT_TRUE (allFinite (instance->processData ().outputChannel32 (0, 1), 512)) << rateHz;
        }
    }
}

TEST_F (Processing, AutomationOfEveryParameterAtEverySample)
{
    ProcessConfig config;
    config.maxBlockSamples = 256;
    config.maxPointsPerQueue = 256;
    auto instance = createProcessingInstance (config);
    ASSERT_NE (instance, nullptr);
    std::vector<ParameterPoint> points;
    for (int block = 0; block < 16; ++block)
    {
        points.clear ();
        for (ParamID id = 0; id < 8; ++id)
            for (int32 offset = 0; offset < 256; ++offset)
                points.push_back ({id, offset, std::fmod (0.37 * id + 0.011 * (offset + block * 256), 1.0)});
        fillInputs (*instance, 256, block * 256);
        ASSERT_EQ (instance->process (256, points), kResultOk);
        ASSERT_TRUE (allFinite (instance->processData ().outputChannel32 (0, 0), 256)) << block;
    }
}

} // namespace
