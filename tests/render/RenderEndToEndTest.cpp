// SPDX-License-Identifier: GPL-3.0-or-later
// overmoor-render run as a user runs it, on short generated files, against the built bundle.
#include "RenderTestSupport.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>

namespace Morvane {
namespace Test {
namespace {

constexpr int kRateHz = 48000;
constexpr int64_t kFrames = 6000;   // not a multiple of either block size: the last block is short

struct InputCase
{
    int channels;
    int format;
    int blockSize;
};

class Render : public ::testing::Test
{
protected:
    std::string makeInput (const std::string& name, int channels, int format, int64_t frames = kFrames)
    {
        Audio audio;
        audio.channels = channels;
        audio.sampleRateHz = kRateHz;
        audio.format = format;
        audio.samples = testNoise (channels, frames);
        const std::string path = scratch.file (name);
        EXPECT_TRUE (writeAudio (path, audio));
        return path;
    }

    // The input as the renderer sees it: decoded to float by libsndfile.
    static Audio decoded (const std::string& path)
    {
        Audio audio;
        EXPECT_TRUE (readAudio (path, audio)) << path;
        return audio;
    }

    // First frame at which two files differ in any channel, or -1.
    static int64_t firstDifference (const Audio& a, const Audio& b)
    {
        for (size_t i = 0; i < std::min (a.samples.size (), b.samples.size ()); ++i)
            if (a.samples[i] != b.samples[i])
                return static_cast<int64_t> (i) / a.channels;
        return -1;
    }

    ScratchFolder scratch;
};

TEST_F (Render, EffectOffPassesEveryFormatThroughExactly)
{
    const InputCase cases[] = {
        {1, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 256}, {1, SF_FORMAT_WAV | SF_FORMAT_FLOAT, 100},
        {2, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 100}, {2, SF_FORMAT_WAV | SF_FORMAT_FLOAT, 256},
        {2, SF_FORMAT_WAV | SF_FORMAT_PCM_24, 256}, {1, SF_FORMAT_WAV | SF_FORMAT_PCM_32, 256},
    };
    for (const InputCase& c : cases)
    {
        SCOPED_TRACE ("channels " + std::to_string (c.channels) + ", format " + std::to_string (c.format) + ", block " +
                      std::to_string (c.blockSize));
        const std::string in = makeInput ("in.wav", c.channels, c.format);
        const std::string out = scratch.file ("out.wav");
        const CommandResult r = runRenderer ({"--set", "0=0", "--block", std::to_string (c.blockSize), in, out});
        ASSERT_EQ (r.exitCode, 0) << r.err;
        const Audio input = decoded (in), output = decoded (out);
        EXPECT_EQ (output.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
        EXPECT_EQ (output.channels, c.channels);
        EXPECT_EQ (output.sampleRateHz, kRateHz);
        ASSERT_EQ (output.frames (), kFrames);
        EXPECT_EQ (firstDifference (input, output), -1);
        // The closing report names frames, seconds of audio, time taken and real-time factor.
        EXPECT_NE (r.err.find ("rendered 6000 frames (0.125 s of audio) in "), std::string::npos) << r.err;
        EXPECT_NE (r.err.find ("real time"), std::string::npos) << r.err;
    }
}

TEST_F (Render, EffectOnChangesTheSignalInMonoAndStereo)
{
    for (int channels : {1, 2})
    {
        const std::string in = makeInput ("in.wav", channels, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
        const std::string out = scratch.file ("out.wav");
        const CommandResult r = runRenderer ({"--param", "Model=Over Drive", "--param", "Gain=80", in, out});
        ASSERT_EQ (r.exitCode, 0) << r.err;
        const Audio input = decoded (in), output = decoded (out);
        ASSERT_EQ (output.channels, channels);
        ASSERT_EQ (output.frames (), kFrames);
        EXPECT_EQ (firstDifference (input, output), 0);
        double energy = 0.0;
        for (float s : output.samples)
        {
            ASSERT_TRUE (std::isfinite (s));
            energy += static_cast<double> (s) * s;
        }
        EXPECT_GT (energy, 0.0);
    }
}

TEST_F (Render, AutomationLandsAtTheBlockThatStartsAtOrAfterItsSample)
{
    const std::string in = makeInput ("in.wav", 2, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    const Audio input = decoded (in);
    struct Case
    {
        int block;
        const char* sample;
        int64_t blockStart;
    };
    for (const Case& c : {Case {256, "1000", 1024}, Case {256, "1024", 1024}, Case {100, "1001", 1100},
                          Case {100, "5999", 6000}})
    {
        SCOPED_TRACE (std::string ("--at ") + c.sample + " with blocks of " + std::to_string (c.block));
        // Effect off until the automation switches it on: the output is the input up to that block.
        const std::string out = scratch.file ("on.wav");
        CommandResult r = runRenderer ({"--block", std::to_string (c.block), "--set", "0=0", "--param",
                                        "Model=Metal Tone", "--at", c.sample, "0=1", in, out});
        if (std::string (c.sample) == "5999")
        {
            // 5999 is not a block start and the next one (6000) is past the end of 6000 frames.
            EXPECT_EQ (r.exitCode, 2) << r.err;
            EXPECT_NE (r.err.find ("--at 5999"), std::string::npos) << r.err;
            continue;
        }
        ASSERT_EQ (r.exitCode, 0) << r.err;
        Audio output = decoded (out);
        const int64_t first = firstDifference (input, output);
        EXPECT_GE (first, c.blockStart);
        EXPECT_LT (first, c.blockStart + c.block);

        // And back: effect on, switched off by automation; from that block on the input passes.
        r = runRenderer ({"--block", std::to_string (c.block), "--param", "Model=Metal Tone", "--at", c.sample, "0=0",
                          in, out});
        ASSERT_EQ (r.exitCode, 0) << r.err;
        output = decoded (out);
        const size_t from = static_cast<size_t> (c.blockStart * 2);
        EXPECT_NE (firstDifference (input, output), -1);
        EXPECT_TRUE (std::equal (input.samples.begin () + static_cast<long> (from), input.samples.end (),
                                 output.samples.begin () + static_cast<long> (from)));
        EXPECT_NE (input.samples[from - 1], output.samples[from - 1]);
    }
}

TEST_F (Render, TwoAutomationPointsInOneBlockLeaveTheLaterOne)
{
    const std::string in = makeInput ("in.wav", 1, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    const std::string out = scratch.file ("out.wav");
    const CommandResult r = runRenderer ({"--at", "300", "0=1", "--at", "400", "0=0", "--set", "0=0", in, out});
    ASSERT_EQ (r.exitCode, 0) << r.err;
    EXPECT_EQ (firstDifference (decoded (in), decoded (out)), -1);
}

} // namespace
} // namespace Test
} // namespace Morvane
