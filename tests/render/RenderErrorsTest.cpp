// SPDX-License-Identifier: GPL-3.0-or-later
// Every way overmoor-render can fail: one line on stderr naming the problem (and, for a bad name
// or value, what would be valid), exit status 2 for a bad request and 1 for everything else, and
// no output file (not even a partial one) left behind.
#include "RenderTestSupport.h"

namespace Morvane {
namespace Test {
namespace {

class RenderErrors : public ::testing::Test
{
protected:
    void SetUp () override
    {
        std::ofstream (existing) << "previous contents";
        before = scratch.entries ();
    }

    // One line that mentions every culprit, nothing on stdout, and the folder unchanged.
    void expectFailure (const CommandResult& r, int exitCode,
                        const std::vector<std::string>& mentions)
    {
        EXPECT_TRUE (r.exitCode == exitCode && r.err.rfind ("overmoor-render: ", 0) == 0
                     && std::count (r.err.begin (), r.err.end (), '\n') == 1 && r.out.empty ())
            << "exit " << r.exitCode << ", stderr: " << r.err << "stdout: " << r.out;
        for (const std::string& part : mentions)
            EXPECT_TRUE (contains (r.err, part)) << part << " not in " << r.err;
        EXPECT_EQ (scratch.entries (), before);
        std::string contents;
        std::getline (std::ifstream (existing), contents);
        EXPECT_EQ (contents, "previous contents");
    }
    // Makes a folder (or a file with the given text) as part of the scene the failure leaves alone.
    std::string add (const std::string& name, const char* text = nullptr)
    {
        const std::string path = scratch.file (name);
        if (text)
            std::ofstream (path) << text;
        else
            std::filesystem::create_directories (path);
        before = scratch.entries ();
        return path;
    }

    ScratchFolder scratch;
    const std::string stereo =
        writeNoise (scratch.file ("stereo.wav"), 2, 2000, 44100, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    const std::string existing = scratch.file ("existing.wav");
    const std::string out = scratch.file ("out.wav");
    std::vector<std::string> before;
};

TEST_F (RenderErrors, UnusableFilesAndBundlesExitWithOne)
{
    expectFailure (runRenderer ({scratch.file ("missing.wav"), out}), 1, {"missing.wav"});
    expectFailure (runRenderer ({scratch.file ("missing.wav"), existing}), 1, {"missing.wav"});
    expectFailure (runRenderer ({add ("folder.wav"), out}), 1, {"directory"});
    expectFailure (runRenderer ({add ("notes.wav", "these are not samples\n"), out}), 1,
                   {"not in an audio format"});
    writeNoise (scratch.file ("surround.wav"), 3, 2000);
    before = scratch.entries ();
    expectFailure (runRenderer ({scratch.file ("surround.wav"), out}), 1, {"3 channels"});
    expectFailure (runRenderer ({stereo, scratch.file ("no/such/folder/out.wav")}), 1, {"out.wav"});

    expectFailure (
        runProgram (kRendererPath, {"--plugin", scratch.file ("Nowhere.vst3"), stereo, out}), 1,
        {"Nowhere.vst3"});
    // A bundle whose library is not a shared object at all (a bundle without one: tests/hosting).
    const std::string bundle = add ("Broken.vst3");
    add ("Broken.vst3/Contents/x86_64-linux");
    add ("Broken.vst3/Contents/x86_64-linux/Broken.so", "not a library");
    expectFailure (runProgram (kRendererPath, {"--plugin", bundle, stereo, out}), 1,
                   {"cannot load plug-in", "Broken.vst3"});
}

// A malformed command line (each kind is checked in RenderOptions) and requests the plug-in cannot
// honour. Every other case writes over an existing file, which must survive.
TEST_F (RenderErrors, BadRequestsExitWithTwoAndListWhatIsValid)
{
    const std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> cases = {
        {{"--bogus"}, {"--bogus"}},
        {{"--set", "8=0.5"}, {"no parameter with id 8", "7 \"n/a 6\""}},
        {{"--at", "100", "9=0"}, {"no parameter with id 9"}},
        {{"--block", "100", "--at", "1999", "0=0"}, {"--at 1999", "starts at 2000"}},
        {{"--preset", "9"}, {"--preset", "1 \"Torvin's Booster\"", "8 \"Metal\""}},
        {{"--preset", "No Such Preset"},
         {"No Such Preset", "1 \"Torvin's Booster\"", "8 \"Metal\""}},
        // Before the model change there is no "Gain": the error lists names and current titles.
        {{"--param", "Gain=70", "--param", "Model=Over Drive"},
         {"unknown parameter \"Gain\"", "\"Parameter 1\" (now \"n/a 1\")", "\"Model\""}},
        {{"--param", "Nope=1"}, {"Nope"}},
        {{"--param", "Model=Fuzz Face"}, {"Fuzz Face", "\"Treble Booster\", \"XXL Distortion+\""}},
        {{"--param", "Model=8"}, {"0 to 7"}},
        {{"--param", "Effect State=maybe"}, {"\"Off\", \"On\""}},
        {{"--param", "Model=3", "--param", "Gain=101"}, {"0 to 100 %"}},
        {{"--param", "Parameter 2=-1"}, {"0 to 100 %"}},
        {{"--param", "Parameter 2=loud"}, {"0 to 100 %"}},
    };
    for (size_t i = 0; i < cases.size (); ++i)
    {
        std::vector<std::string> args = cases[i].first;
        args.insert (args.end (), {stereo, i % 2 ? existing : out});
        SCOPED_TRACE (args[args.size () - 3]);
        expectFailure (runRenderer (args), 2, cases[i].second);
    }
    // The listing checks the same requests without any files.
    expectFailure (runRenderer ({"--list", "--preset", "99"}), 2, {"--preset", "8 \"Metal\""});
}

// OUT may not be IN under any name, and its extension must name a format: refused before anything
// is read or written (even before the plug-in is looked for), the input keeping every byte.
TEST_F (RenderErrors, RefusesToWriteOverTheInputOrAnUnknownFormat)
{
    const std::string original = fileBytes (stereo);
    const std::string hardLink = scratch.file ("hard-link.wav");
    const std::string symbolicLink = scratch.file ("symbolic-link.WAV");
    std::filesystem::create_hard_link (stereo, hardLink);
    std::filesystem::create_symlink ("stereo.wav", symbolicLink);
    before = scratch.entries ();
    const std::string dotSpelling = scratch.file ("./stereo.wav");
    for (const std::string& target : {stereo, dotSpelling, hardLink, symbolicLink})
        expectFailure (runRenderer ({stereo, target}), 2,
                       {"output '" + target + "' is the input file"});
    expectFailure (runRenderer ({"--preset", "Metal", symbolicLink, stereo}), 2,
                   {"is the input file"});
    const std::string nowhere = scratch.file ("Nowhere.vst3");
    expectFailure (runProgram (kRendererPath, {"--plugin", nowhere, stereo, hardLink}), 2,
                   {"is the input file"});

    const std::vector<std::string> accepted {".wav (32-bit float WAV)", ".flac (24-bit FLAC)",
                                             ".aif/.aiff (32-bit float AIFF)", ".ogg (Ogg Vorbis)"};
    for (auto [name, problem] : {std::pair {"out.mp3", "unknown extension '.mp3'"},
                                 {"out", "no extension"},
                                 {"out.wav.part", "unknown extension '.part'"}})
    {
        std::vector<std::string> mentions (accepted);
        mentions.push_back (problem);
        expectFailure (runRenderer ({stereo, scratch.file (name)}), 2, mentions);
    }
    EXPECT_EQ (fileBytes (stereo), original);
}

TEST_F (RenderErrors, HelpGoesToStdoutAndSucceeds)
{
    for (const char* flag : {"--help", "-h"})
    {
        const CommandResult r = runProgram (kRendererPath, {flag});
        EXPECT_TRUE (r.exitCode == 0 && r.err.empty ()) << flag << ": " << r.err;
        for (const char* option : {"IN", "--param", "--preset", "--at"})
            EXPECT_TRUE (contains (r.out, option)) << flag << ", " << option << ": " << r.out;
    }
}

}   // namespace
}   // namespace Test
}   // namespace Morvane
