// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Driving the built tools as a user does: a scratch folder, WAV files through libsndfile, and a
// command runner that keeps the exit status and both output streams.
#include "support/BundleFixture.h"
#include <gtest/gtest.h>
#include <sndfile.hh>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace Morvane {
namespace Test {

class ScratchFolder
{
public:
    ScratchFolder () : folder (makeTemporaryFolder ("overmoor-render-test-")) {}
    ~ScratchFolder ()
    {
        std::error_code ignored;
        std::filesystem::remove_all (folder, ignored);
    }
    std::string file (const std::string& name) const { return folder + "/" + name; }
    std::vector<std::string> entries () const   // sorted names
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator (folder))
            names.push_back (entry.path ().filename ().string ());
        std::sort (names.begin (), names.end ());
        return names;
    }

private:
    std::string folder;
};

struct Audio
{
    int channels = 0, sampleRateHz = 0, format = 0;   // format: libsndfile's format word
    std::vector<float> samples;   // interleaved
    int64_t frames () const
    {
        return channels ? static_cast<int64_t> (samples.size ()) / channels : 0;
    }
};

inline Audio readAudio (const std::string& path)
{
    SndfileHandle file (path);
    EXPECT_TRUE (file) << path;
    Audio audio {file.channels (), file.samplerate (), file.format (),
                 std::vector<float> (static_cast<size_t> (file.frames () * file.channels ()))};
    EXPECT_EQ (file.readf (audio.samples.data (), file.frames ()), file.frames ()) << path;
    return audio;
}

// Reproducible noise (by default at -12 dBFS peak) written to path; returns path.
inline std::string writeNoise (const std::string& path, int channels, int64_t frames,
                               int rateHz = 48000, int format = SF_FORMAT_WAV | SF_FORMAT_FLOAT,
                               float peak = 0.25f)
{
    std::mt19937 random (1);
    std::uniform_real_distribution<float> uniform (-peak, peak);
    std::vector<float> samples (static_cast<size_t> (channels * frames));
    std::generate (samples.begin (), samples.end (), [&] { return uniform (random); });
    SndfileHandle file (path, SFM_WRITE, format, channels, rateHz);
    EXPECT_TRUE (file) << path;
    EXPECT_EQ (file.writef (samples.data (), frames), frames) << path;
    return path;
}

inline std::string fileBytes (const std::string& path)
{
    std::stringstream bytes;
    bytes << std::ifstream (path, std::ios::binary).rdbuf ();
    return bytes.str ();
}

// Energy of samples relative to a full-scale sample, in dB.
inline double energyDb (const std::vector<float>& samples)
{
    double sum = 1e-30;
    for (float s : samples)
        sum += static_cast<double> (s) * s;
    return 10.0 * std::log10 (sum);
}

struct CommandResult
{
    int exitCode = -1;
    std::string out, err;
};

// Starts command[0] with the rest as its arguments, no shell in between, stdout and stderr into
// files ("/dev/null" drops one); withoutDisplay runs it as on a machine without one.
inline pid_t startProgram (const std::vector<std::string>& command, const std::string& outPath,
                           const std::string& errPath, bool withoutDisplay = false)
{
    const pid_t child = ::fork ();
    if (child == 0)
    {
        if (withoutDisplay)
            ::unsetenv ("DISPLAY");
        ::dup2 (::open (outPath.c_str (), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
        ::dup2 (::open (errPath.c_str (), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
        std::vector<char*> argv;
        for (const std::string& a : command)
            argv.push_back (const_cast<char*> (a.c_str ()));
        argv.push_back (nullptr);
        ::execvp (argv[0], argv.data ());
        ::_exit (127);
    }
    return child;
}

inline CommandResult runProgram (const std::string& program, const std::vector<std::string>& args)
{
    ScratchFolder streams;
    std::vector<std::string> command {program};
    command.insert (command.end (), args.begin (), args.end ());
    const pid_t child = startProgram (command, streams.file ("stdout"), streams.file ("stderr"));
    CommandResult result;
    int status = 0;
    if (child > 0 && ::waitpid (child, &status, 0) == child && WIFEXITED (status))
        result.exitCode = WEXITSTATUS (status);
    result.out = fileBytes (streams.file ("stdout"));
    result.err = fileBytes (streams.file ("stderr"));
    return result;
}

inline const std::string kRendererPath = OVERMOOR_RENDER_PATH;

// The renderer on the built bundle ($OVERMOOR_BUNDLE overrides it).
inline CommandResult runRenderer (const std::vector<std::string>& args)
{
    std::vector<std::string> all {"--plugin", overmoorBundlePath ()};
    all.insert (all.end (), args.begin (), args.end ());
    return runProgram (kRendererPath, all);
}

inline bool contains (const std::string& text, const std::string& part)
{
    return text.find (part) != std::string::npos;
}

}   // namespace Test
}   // namespace Morvane
