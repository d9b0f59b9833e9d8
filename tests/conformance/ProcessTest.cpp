// SPDX-License-Identifier: GPL-3.0-or-later
// Processing as a host's checks drive it (on a thread of its own: tests/threads): every
// combination of silence flags, a long silence, automation and random block sizes (parameter
// flushes: RobustnessTest; every rate on every model: tests/dsp-engine, and through the bundle
// in tests/realtime).
#include "Conformance.h"
#include <random>

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace Morvane::Test;
using Morvane::Host::ParameterPoint;

// Any input silence flag, mono or stereo: the processor copies the flags, writes silence and
// skips the engine, even for a channel that was not flagged; processed in place, it leaves the
// shared buffers alone. Without flags it processes.
TEST_F (Conformance, SilenceFlags)
{
    for (int32 channels : {1, 2})
    {
        auto instance = createProcessingInstance (configFor (256, channels));
        ASSERT_NE (instance, nullptr);
        HostProcessData& data = instance->processData ();
        for (uint64 flags = 0; flags < (uint64 (1) << channels); ++flags)
        {
            SCOPED_TRACE (std::to_string (channels) + " channels, flags " + std::to_string (flags));
            fillInputs (*instance, 256);
            for (int32 c = 0; c < channels; ++c)
            {
                if (flags & (uint64 (1) << c))
                    std::fill_n (data.inputChannel32 (0, c), 256, 0.0f);   // what the flag promises
                std::fill_n (data.outputChannel32 (0, c), 256, 0.25f);   // stale host memory
            }
            data.inputs[0].silenceFlags = flags;
            data.outputs[0].silenceFlags = ~uint64 (0);
            ASSERT_EQ (instance->process (256), kResultOk);
            EXPECT_EQ (data.outputs[0].silenceFlags, flags);
            ASSERT_TRUE (outputsFinite (*instance, 256));
            for (int32 c = 0; c < channels; ++c)
            {
                const double channelPeak = peak (data.outputChannel32 (0, c), 256);
                EXPECT_TRUE (flags != 0 ? channelPeak == 0.0 : channelPeak != 0.25)
                    << "channel " << c << ": " << channelPeak;
            }
        }
        data.setInPlace (true);
        fillInputsWith (*instance, 64, 0.5f);
        data.inputs[0].silenceFlags = (uint64 (1) << channels) - 1;
        ASSERT_EQ (instance->process (64), kResultOk);
        EXPECT_EQ (data.outputs[0].silenceFlags, data.inputs[0].silenceFlags);
        EXPECT_EQ (data.inputChannel32 (0, channels - 1)[63], 0.5f) << "in place";
    }
}

// "XXL Distortion+" feeds its diodes to ground through a series capacitor with no other path to
// ground, and its level stage is a plain gain: the charge a loud signal leaves on that capacitor
// stays at the output as DC through any silence (about 0.09 after a 0.5 sine at 220 Hz).
constexpr int kDcHoldingModel = 1;

// On every model a second of sound, then 20 s of unflagged digital silence: the tails decay
// (one model holds its DC) without ever passing through denormal magnitudes.
TEST_F (Conformance, SilenceProcessing)
{
    constexpr int32 kBlockSamples = 480;
    constexpr int kBlocksPerSecond = 48000 / kBlockSamples, kSilentBlocks = 20 * kBlocksPerSecond;
    for (int model = 0; model < kModelCount; ++model)
    {
        SCOPED_TRACE ("model " + std::to_string (model));
        auto instance = instanceWithModel (model, kBlockSamples);
        ASSERT_NE (instance, nullptr);
        int64 position = 0;
        processSine (*instance, kBlockSamples, kBlocksPerSecond, position);
        int32 tinySamples = 0;
        double lastSecondPeak = 0;
        for (int block = 0; block < kSilentBlocks; ++block)
        {
            fillInputsWith (*instance, kBlockSamples, 0.0f);
            ASSERT_EQ (instance->process (kBlockSamples), kResultOk);
            ASSERT_TRUE (outputsFinite (*instance, kBlockSamples)) << "block " << block;
            for (int32 c = 0; c < 2; ++c)
                tinySamples += countTinyNonZero (instance->processData ().outputChannel32 (0, c),
                                                 kBlockSamples);
            if (block >= kSilentBlocks - kBlocksPerSecond)
                lastSecondPeak = std::max (lastSecondPeak, outputPeak (*instance, kBlockSamples));
        }
        EXPECT_EQ (tinySamples, 0);
        EXPECT_LT (lastSecondPeak, model == kDcHoldingModel ? 0.25 : 1e-6)
            << "silence in, (nearly) silence out after 19 s";
    }
}

// One, two or all parameters changed every 100, 50 or 1 samples, with one block per interval
// or several points inside each block; each queue's last point is the value that stays.
TEST_F (Conformance, Automation)
{
    constexpr int32 kBlockSamples = 512;
    for (int parameters : {1, 2, kParameterCount})   // ten asked for: all eight there are
        for (int32 interval : {100, 50, 1})
            for (bool sampleAccurate : {false, true})
            {
                SCOPED_TRACE (
                    std::to_string (parameters) + " parameters every " + std::to_string (interval)
                    + (sampleAccurate ? " samples, sample accurate" : " samples, block accurate"));
                auto config = configFor (kBlockSamples);
                config.maxPointsPerQueue = kBlockSamples;
                auto instance = createProcessingInstance (config);
                ASSERT_NE (instance, nullptr);
                const int32 blockSamples = sampleAccurate ? kBlockSamples : interval;
                const int blocks = sampleAccurate ? 8 : 8 * kBlockSamples / interval;
                std::vector<double> lastValues (kParameterCount, -1.0);
                int64 position = 0, point = 0;
                for (int block = 0; block < blocks; ++block, position += blockSamples)
                {
                    std::vector<ParameterPoint> points;
                    for (int32 offset = 0; offset < blockSamples; offset += interval, ++point)
                        for (ParamID id = kParameterCount - parameters;
                             id < ParamID (kParameterCount); ++id)
                        {
                            // A value of its own per parameter and point, covering 0..1 with both ends.
                            lastValues[id] = ((point * 7 + id * 3) % 21) / 20.0;
                            points.push_back ({id, offset, lastValues[id]});
                        }
                    fillInputs (*instance, blockSamples, position);
                    ASSERT_EQ (instance->process (blockSamples, points), kResultOk)
                        << "block " << block;
                    ASSERT_TRUE (outputsFinite (*instance, blockSamples)) << "block " << block;
                }
                const std::vector<float> saved = savedParameterValues (*instance);
                ASSERT_EQ (saved.size (), size_t (kParameterCount));
                for (ParamID id = 0; id < ParamID (kParameterCount); ++id)
                    EXPECT_TRUE (lastValues[id] < 0 || std::abs (saved[id] - lastValues[id]) < 1e-6)
                        << "id " << id << ": " << saved[id] << " for " << lastValues[id];
            }
}

// Random sizes up to the maximum, then the edges: empty, one sample, the maximum.
TEST_F (Conformance, VariableBlockSize)
{
    auto instance = createProcessingInstance (configFor (8192));
    ASSERT_NE (instance, nullptr);
    std::mt19937 random (1234);
    std::vector<int32> sizes (21);
    std::generate (sizes.begin (), sizes.end (),
                   [&] { return std::uniform_int_distribution<int32> (0, 8191) (random); });
    sizes.insert (sizes.end (), {0, 1, 8191, 8192, 0, 2});
    int64 position = 0;
    for (int32 n : sizes)
        ASSERT_GE (processSine (*instance, n, 1, position), 0.0) << n << " samples";
    EXPECT_TRUE (instance->outputPoints ().empty ())
        << "the processor reports no parameter changes";
}

}   // namespace
