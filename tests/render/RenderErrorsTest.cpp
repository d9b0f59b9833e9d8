// SPDX-License-Identifier: GPL-3.0-or-later
// Every way overmoor-render can fail: one line on stderr naming the problem, exit status 2 for a
// bad request and 1 for everything else, and no output file (not even a partial one) left behind.
#include "RenderTestSupport.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <fstream>
#include <sys/stat.h>

namespace Morvane {
namespace Test {
namespace {

class RenderErrors : public ::testing::Test
{
protected:
    void SetUp () override
    {
        stereo = writeInput ("stereo.wav", 2);
        existing = scratch.file ("existing.wav");
        std::ofstream (existing) << "previous contents";
        before = scratch.entries ();
    }

    std::string writeInput (const std::string& name, int channels)
    {
        Audio audio;
        audio.channels = channels;
        audio.sampleRateHz = 44100;
        audio.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        audio.samples = testNoise (channels, 2000);
        const std::string path = scratch.file (name);
        EXPECT_TRUE (writeAudio (path, audio));
        return path;
    }

    // The failure is reported on one line that mentions the culprit, and the folder is unchanged.
    void expectFailure (const CommandResult& r, int exitCode, const std::string& mentions)
    {
        EXPECT_EQ (r.exitCode, exitCode) << r.err;
        EXPECT_EQ (r.err.rfind ("overmoor-render: ", 0), 0u) << r.err;
        EXPECT_NE (r.err.find (mentions), std::string::npos) << r.err;
        EXPECT_EQ (std::count (r.err.begin (), r.err.end (), '\n'), 1) << r.err;
        EXPECT_TRUE (r.out.empty ()) << r.out;
        EXPECT_EQ (scratch.entries (), before);
        std::ifstream old (existing);
        std::string contents;
        std::getline (old, contents);
        EXPECT_EQ (contents, "previous contents");
    }

    ScratchFolder scratch;
    std::string stereo, existing;
    std::vector<std::string> before;
};

TEST_F (RenderErrors, UnusableInputsExitWithOne)
{
    const std::string out = scratch.file ("out.wav");
    expectFailure (runRenderer ({scratch.file ("missing.wav"), out}), 1, "missing.wav");

    ::mkdir (scratch.file ("folder.wav").c_str (), 0755);
    before = scratch.entries ();
    expectFailure (runRenderer ({scratch.file ("folder.wav"), out}), 1, "directory");

    std::ofstream (scratch.file ("notes.wav")) << "these are not samples\n";
    before = scratch.entries ();
    expectFailure (runRenderer ({scratch.file ("notes.wav"), out}), 1, "not in an audio format");

    writeInput ("surround.wav", 3);
    before = scratch.entries ();
    expectFailure (runRenderer ({scratch.file ("surround.wav"), out}), 1, "3 channels");
}

TEST_F (RenderErrors, AFailedRenderLeavesAnExistingOutputAlone)
{
    expectFailure (runRenderer ({"--param", "Nope=1", stereo, existing}), 2, "Nope");
    expectFailure (runRenderer ({scratch.file ("missing.wav"), existing}), 1, "missing.wav");
}

TEST_F (RenderErrors, UnwritableOutputExitsWithOne)
{
    expectFailure (runRenderer ({stereo, scratch.file ("no/such/folder/out.wav")}), 1, "out.wav");
}

TEST_F (RenderErrors, MissingOrBrokenBundlesExitWithOne)
{
    const std::string out = scratch.file ("out.wav");
    expectFailure (runProgram (rendererPath (), {"--plugin", scratch.file ("Nowhere.vst3"), stereo, out}), 1,
                   "Nowhere.vst3");

    // A bundle whose library is not a shared object at all.
    const std::string bundle = scratch.file ("Broken.vst3");
    const std::string binaries = bundle + "/Contents/x86_64-linux";
    ::mkdir (bundle.c_str (), 0755);
    ::mkdir ((bundle + "/Contents").c_str (), 0755);
    ::mkdir (binaries.c_str (), 0755);
    std::ofstream (binaries + "/Broken.so") << "not a library";
    before = scratch.entries ();
    expectFailure (runProgram (rendererPath (), {"--plugin", bundle, stereo, out}), 1, "cannot load plug-in");

    // An empty bundle folder.
    const std::string empty = scratch.file ("Empty.vst3");
    ::mkdir (empty.c_str (), 0755);
    before = scratch.entries ();
    expectFailure (runProgram (rendererPath (), {"--plugin", empty, stereo, out}), 1, "Empty.vst3");
}

TEST_F (RenderErrors, BadRequestsExitWithTwo)
{
    const std::string out = scratch.file ("out.wav");
    struct Case
    {
        std::vector<std::string> args;
        const char* mentions;
    };
    const std::vector<Case> cases = {
        {{"--bogus", stereo, out}, "--bogus"},
        {{"--block", "0", stereo, out}, "--block"},
        {{stereo}, "OUT"},
        {{"--set", "8=0.5", stereo, out}, "no parameter with id 8"},
        {{"--set", "1=2", stereo, out}, "'2'"},
        {{"--param", "Gain=50", stereo, out}, "\"Gain\""},
        {{"--param", "Model=Fuzz", stereo, out}, "Fuzz"},
        {{"--preset", "42", stereo, out}, "42"},
        {{"--preset", "Clean", stereo, out}, "Clean"},
        {{"--at", "2000", "0=0", stereo, out}, "--at 2000"},
        {{"--at", "100", "9=0", stereo, out}, "no parameter with id 9"},
    };
    for (const Case& c : cases)
        expectFailure (runRenderer (c.args), 2, c.mentions);
}

TEST_F (RenderErrors, HelpGoesToStdoutAndSucceeds)
{
    const CommandResult r = runProgram (rendererPath (), {"--help"});
    EXPECT_EQ (r.exitCode, 0);
    EXPECT_NE (r.out.find ("IN"), std::string::npos);
    EXPECT_NE (r.out.find ("--param"), std::string::npos);
    EXPECT_TRUE (r.err.empty ());
}

} // namespace
} // namespace Test
} // namespace Morvane
