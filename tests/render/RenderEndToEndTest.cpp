// SPDX-License-Identifier: GPL-3.0-or-later
// overmoor-render run as a user runs it, on short generated files, against the built bundle:
// formats, the effect switch, automation at block starts and presets against hand settings.
// The effect switched on changes stereo (automation here) and mono (the demo's renders).
#include "RenderTestSupport.h"

#include <cmath>

namespace Morvane {
namespace Test {
namespace {

constexpr int64_t kFrames = 6000;   // not a multiple of either block size: the last block is short

// First frame at which two files differ in any channel, or -1.
int64_t firstDifference (const Audio& a, const Audio& b)
{
    for (size_t i = 0; i < std::min (a.samples.size (), b.samples.size ()); ++i)
        if (a.samples[i] != b.samples[i])
            return static_cast<int64_t> (i) / a.channels;
    return -1;
}

double energy (const std::vector<float>& samples)
{
    double sum = 0.0;
    for (float s : samples)
        sum += static_cast<double> (s) * s;
    return sum;
}

class Render : public ::testing::Test
{
protected:
    ScratchFolder scratch;
    const std::string out = scratch.file ("out.wav");
};

TEST_F (Render, EffectOffPassesEveryFormatThroughExactly)
{
    struct Case
    {
        int channels, format, blockSize;
    };
    for (const Case& c : {Case {1, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 256}, Case {1, SF_FORMAT_WAV | SF_FORMAT_FLOAT, 100},
                          Case {2, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 100}, Case {2, SF_FORMAT_WAV | SF_FORMAT_FLOAT, 256},
                          Case {2, SF_FORMAT_WAV | SF_FORMAT_PCM_24, 256}, Case {1, SF_FORMAT_WAV | SF_FORMAT_PCM_32, 256}})
    {
        SCOPED_TRACE ("channels " + std::to_string (c.channels) + ", format " + std::to_string (c.format) + ", block " +
                      std::to_string (c.blockSize));
        const std::string in = writeNoise (scratch.file ("in.wav"), c.channels, kFrames, 48000, c.format);
        const CommandResult r = runRenderer ({"--set", "0=0", "--block", std::to_string (c.blockSize), in, out});
        ASSERT_EQ (r.exitCode, 0) << r.err;
        const Audio input = readAudio (in), output = readAudio (out);
        EXPECT_EQ (output.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
        EXPECT_EQ (output.channels, c.channels);
        EXPECT_EQ (output.sampleRateHz, 48000);
        ASSERT_EQ (output.frames (), kFrames);
        EXPECT_EQ (firstDifference (input, output), -1);
        // The closing report names frames, seconds of audio, time taken and real-time factor.
        EXPECT_TRUE (contains (r.err, "rendered 6000 frames (0.125 s of audio) in ")) << r.err;
        EXPECT_TRUE (contains (r.err, "real time")) << r.err;
    }
}

TEST_F (Render, AutomationLandsAtTheBlockThatStartsAtOrAfterItsSample)
{
    const std::string in = writeNoise (scratch.file ("in.wav"), 2, kFrames);
    const Audio input = readAudio (in);
    struct Case
    {
        int block;
        const char* sample;
        int64_t blockStart;
    };
    for (const Case& c : {Case {256, "1000", 1024}, Case {256, "1024", 1024}, Case {100, "1001", 1100}})
    {
        SCOPED_TRACE (std::string ("--at ") + c.sample + " with blocks of " + std::to_string (c.block));
        // Effect off until the automation switches it on: the output is the input up to that block.
        CommandResult r = runRenderer ({"--block", std::to_string (c.block), "--set", "0=0", "--param",
                                        "Model=Metal Tone", "--at", c.sample, "0=1", in, out});
        ASSERT_EQ (r.exitCode, 0) << r.err;
        const int64_t first = firstDifference (input, readAudio (out));
        EXPECT_GE (first, c.blockStart);
        EXPECT_LT (first, c.blockStart + c.block);

        // And back: effect on, switched off by automation; from that block on the input passes.
        r = runRenderer ({"--block", std::to_string (c.block), "--param", "Model=Metal Tone", "--at", c.sample, "0=0",
                          in, out});
        ASSERT_EQ (r.exitCode, 0) << r.err;
        const Audio output = readAudio (out);
        const auto from = static_cast<long> (c.blockStart * 2);
        EXPECT_TRUE (std::equal (input.samples.begin () + from, input.samples.end (), output.samples.begin () + from));
        EXPECT_NE (input.samples[from - 1], output.samples[from - 1]);
    }

    // 5999 is no block start and the next one (6000) is past the end of the file.
    CommandResult r = runRenderer ({"--block", "100", "--at", "5999", "0=1", in, out});
    EXPECT_EQ (r.exitCode, 2) << r.err;
    EXPECT_TRUE (contains (r.err, "--at 5999")) << r.err;

    // Two points in one block: the later one is what the block sees.
    r = runRenderer ({"--at", "300", "0=1", "--at", "400", "0=0", "--set", "0=0", in, out});
    ASSERT_EQ (r.exitCode, 0) << r.err;
    EXPECT_EQ (firstDifference (input, readAudio (out)), -1);
}

TEST_F (Render, PresetComesFirstThenSettingsInCommandLineOrder)
{
    const std::string in = writeNoise (scratch.file ("in.wav"), 1, 4800);
    const Audio dry = readAudio (in);
    // The preset switches the effect on; a later --set switches it off again: the input passes.
    CommandResult r = runRenderer ({"--set", "0=0", "--preset", "Full Drive", in, out});
    ASSERT_EQ (r.exitCode, 0) << r.err;
    EXPECT_EQ (readAudio (out).samples, dry.samples);
    // The last word on "Effect State" wins.
    r = runRenderer ({"--preset", "Full Drive", "--param", "Effect State=Off", "--param", "Effect State=On", in, out});
    ASSERT_EQ (r.exitCode, 0) << r.err;
    EXPECT_NE (readAudio (out).samples, dry.samples);
}

TEST_F (Render, APresetSoundsLikeItsValuesSetByHand)
{
    // Factory preset 6 "Kick the Amp": On, 808 Screamer, 0, 100, 35, 16, 67, 35.
    const std::string in = writeNoise (scratch.file ("in.wav"), 1, 9600);
    const std::vector<std::vector<std::string>> runs = {
        {"--preset", "6"},
        {"--param", "Model=808 Screamer", "--param", "Overdrive=0", "--param", "Level=100", "--param", "Tone=35",
         "--param", "Parameter 4=16", "--param", "Parameter 5=67", "--param", "Parameter 6=35"},
        {"--preset", "5"}};
    std::vector<Audio> rendered;
    for (std::vector<std::string> args : runs)
    {
        args.insert (args.end (), {in, out});
        const CommandResult r = runRenderer (args);
        ASSERT_EQ (r.exitCode, 0) << r.err;
        rendered.push_back (readAudio (out));
    }
    std::vector<float> byHand (rendered[0].samples), other (rendered[0].samples);
    for (size_t i = 0; i < byHand.size (); ++i)
    {
        byHand[i] -= rendered[1].samples[i];
        other[i] -= rendered[2].samples[i];
    }
    const double signal = energy (rendered[0].samples);
    ASSERT_GT (signal, 0.0);
    // Plain values set by hand pass through normalised form: only rounding may differ.
    EXPECT_LT (10.0 * std::log10 (energy (byHand) / signal + 1e-30), -100.0);
    EXPECT_GT (10.0 * std::log10 (energy (other) / signal), -20.0);
}

} // namespace
} // namespace Test
} // namespace Morvane
