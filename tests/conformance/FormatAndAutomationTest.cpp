// SPDX-License-Identifier: GPL-3.0-or-later
// Every sample rate a host may ask for (with memory that stays put over a long run) and host
// automation of one, two or all parameters at intervals of 100, 50 and 1 samples.
#include "Conformance.h"
#include "support/ResidentMemory.h"

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using Morvane::Host::ParameterPoint;
using Morvane::Host::ProcessConfig;
using Morvane::Test::Conformance;
using Morvane::Test::fillInputs;
using Morvane::Test::outputsFinite;
using Morvane::Test::residentBytes;

// Processing allocates nothing, so a long run may only touch pages it already owns (a page of
// stack at most, as measured); a buffer leaked or grown per block would pass 256 KiB within
// the thousand blocks of each run.
constexpr int64_t kResidentGrowthBoundBytes = 256 << 10;

TEST_F (Conformance, ProcessAtEverySampleRate)
{
    constexpr int32 kBlockSamples = 512;
    ProcessConfig config;
    config.maxBlockSamples = kBlockSamples;
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    for (double rateHz : {22050.0, 32000.0, 44100.0, 48000.0, 88200.0, 96000.0, 176400.0, 192000.0,
                          352800.0, 384000.0, 1234.5678, 1234567.8})
    {
        SCOPED_TRACE ("rate " + std::to_string (rateHz) + " Hz");
        config.sampleRateHz = rateHz;
        std::string error;
        ASSERT_TRUE (instance->startProcessing (config, error)) << error;
        int64 position = 0;
        processSine (*instance, kBlockSamples, 4, position, rateHz); // sizes what the rate needs
        const int64_t residentBefore = residentBytes ();
        processSine (*instance, kBlockSamples, 1000, position, rateHz); // about 10 s at 48 kHz
        EXPECT_LE (residentBytes () - residentBefore, kResidentGrowthBoundBytes);
    }
}

// One, two or all parameters changed every 100, 50 or 1 samples, with one block per interval
// or several points inside each block; each queue's last point is the value that stays.
TEST_F (Conformance, Automation)
{
    constexpr int32 kBlockSamples = 512;
    for (int parameters : {1, 2, kParameterCount}) // ten asked for: all eight there are
        for (int32 interval : {100, 50, 1})
            for (bool sampleAccurate : {false, true})
            {
                SCOPED_TRACE (std::to_string (parameters) + " parameters every " + std::to_string (interval) +
                              (sampleAccurate ? " samples, sample accurate" : " samples, block accurate"));
                ProcessConfig config;
                config.maxBlockSamples = config.maxPointsPerQueue = kBlockSamples;
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
                        for (ParamID id = kParameterCount - parameters; id < ParamID (kParameterCount); ++id)
                        {
                            // A value of its own per parameter and point, covering 0..1 with both ends.
                            lastValues[id] = ((point * 7 + id * 3) % 21) / 20.0;
                            points.push_back ({id, offset, lastValues[id]});
                        }
                    fillInputs (*instance, blockSamples, position);
                    ASSERT_EQ (instance->process (blockSamples, points), kResultOk) << "block " << block;
                    ASSERT_TRUE (outputsFinite (*instance, blockSamples)) << "block " << block;
                }
                const std::vector<float> saved = savedParameterValues (*instance);
                ASSERT_EQ (saved.size (), size_t (kParameterCount));
                for (ParamID id = 0; id < ParamID (kParameterCount); ++id)
                    if (lastValues[id] >= 0)
                    {
                        EXPECT_NEAR (saved[id], lastValues[id], 1e-6) << "id " << id;
                    }
            }
}

} // namespace
