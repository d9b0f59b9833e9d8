// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers for driving the built tools as a user does: a scratch folder, WAV files written and
// read with libsndfile, and a command runner that keeps the exit status and both output streams.
#include <cstdint>
#include <string>
#include <vector>

namespace Morvane {
namespace Test {

class ScratchFolder
{
public:
    ScratchFolder ();
    ~ScratchFolder ();
    const std::string& path () const { return folder; }
    std::string file (const std::string& name) const { return folder + "/" + name; }
    // Names of everything in the folder, sorted.
    std::vector<std::string> entries () const;

private:
    std::string folder;
};

struct Audio
{
    int channels = 0;
    int sampleRateHz = 0;
    int format = 0;   // libsndfile format word
    std::vector<float> samples;   // interleaved
    int64_t frames () const { return channels ? static_cast<int64_t> (samples.size ()) / channels : 0; }
};

// Reproducible noise at about -12 dBFS, interleaved.
std::vector<float> testNoise (int channels, int64_t frames, uint32_t seed = 1);
bool writeAudio (const std::string& path, const Audio& audio);
bool readAudio (const std::string& path, Audio& audio);

struct CommandResult
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs program with args (no shell interpretation of the arguments).
CommandResult runProgram (const std::string& program, const std::vector<std::string>& args);

// The built renderer and bundle; $OVERMOOR_BUNDLE overrides the bundle.
std::string rendererPath ();
std::string bundlePath ();
CommandResult runRenderer (const std::vector<std::string>& args);

} // namespace Test
} // namespace Morvane
