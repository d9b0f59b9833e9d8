// SPDX-License-Identifier: GPL-3.0-or-later
// overmoor-render run as a user runs it against the built bundle: formats, the effect switch,
// automation at block starts and presets against hand settings on short generated files, the
// demo's pieces as its script runs them, and what --list shows. The effect switched on changes
// stereo (automation) and mono (the demo's renders).
#include "RenderTestSupport.h"
#include "support/SignalChecks.h"

namespace Morvane {
namespace Test {
namespace {

constexpr int64_t kFrames = 6000;   // not a multiple of either block size: the last block is short

// First frame at which two files differ in any channel, or -1.
int64_t firstDifference (const Audio& a, const Audio& b)
{
    const auto [i, j] =
        std::mismatch (a.samples.begin (), a.samples.end (), b.samples.begin (), b.samples.end ());
    return i == a.samples.end () || j == b.samples.end () ? -1
                                                          : (i - a.samples.begin ()) / a.channels;
}

class Render : public ::testing::Test
{
protected:
    ScratchFolder scratch;
    const std::string out = scratch.file ("out.wav");
};

// Largest sample magnitude in dBFS.
double peakDbfs (const Audio& audio)
{
    float peak = 0.0f;
    for (float s : audio.samples)
        peak = std::max (peak, std::fabs (s));
    return 20.0 * std::log10 (peak);
}

// Any input format at any block size; the output extension names the format, in any case. With the
// effect off lossless formats give the input back (24-bit FLAC to within one step), Vorbis close
// to it, and the closing report names frames, seconds of audio, time taken and real-time factor.
TEST_F (Render, EffectOffPassesEveryFormatThroughAndTheExtensionChoosesTheOutput)
{
    constexpr int kWav = SF_FORMAT_WAV | SF_FORMAT_FLOAT, kAiff = SF_FORMAT_AIFF | SF_FORMAT_FLOAT;
    const struct
    {
        int channels, format, rateHz, block;
        const char* name;
        int outFormat;
    } cases[] = {{1, SF_FORMAT_PCM_16, 48000, 256, "out.wav", kWav},
                 {1, SF_FORMAT_FLOAT, 44100, 100, "out.wav", kWav},
                 {2, SF_FORMAT_PCM_16, 48000, 100, "out.aif", kAiff},
                 {2, SF_FORMAT_PCM_24, 44100, 256, "out.Aiff", kAiff},
                 {1, SF_FORMAT_PCM_32, 48000, 256, "out.wav", kWav},
                 {2, SF_FORMAT_FLOAT, 44100, 100, "out.FLAC", SF_FORMAT_FLAC | SF_FORMAT_PCM_24},
                 {2, SF_FORMAT_FLOAT, 48000, 256, "out.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE (std::to_string (c.channels) + " channels, format " + std::to_string (c.format)
                      + " at " + std::to_string (c.rateHz) + " Hz, block "
                      + std::to_string (c.block) + " to " + c.name);
        const std::string in = writeNoise (scratch.file ("in.wav"), c.channels, kFrames, c.rateHz,
                                           SF_FORMAT_WAV | c.format);
        const CommandResult r = runRenderer (
            {"--set", "0=0", "--block", std::to_string (c.block), in, scratch.file (c.name)});
        ASSERT_EQ (r.exitCode, 0) << r.err;
        const std::string seconds = c.rateHz == 48000 ? "0.125" : "0.136";
        EXPECT_TRUE (contains (r.err, "rendered 6000 frames (" + seconds + " s of audio) in ")
                     && contains (r.err, "real time") && !contains (r.err, "warning"))
            << r.err;
        const Audio input = readAudio (in), output = readAudio (scratch.file (c.name));
        EXPECT_TRUE (output.format == c.outFormat && output.channels == c.channels
                     && output.sampleRateHz == c.rateHz)
            << std::hex << output.format;
        ASSERT_EQ (output.frames (), kFrames);
        std::vector<float> residual (input.samples);
        for (size_t i = 0; i < residual.size (); ++i)
            residual[i] -= output.samples[i];
        if ((c.outFormat & SF_FORMAT_SUBMASK) == SF_FORMAT_FLOAT)
            EXPECT_EQ (firstDifference (input, output), -1);
        else if (c.outFormat & SF_FORMAT_FLAC)
            EXPECT_LE (peakDbfs ({2, 0, 0, residual}), 20.0 * std::log10 (1.0 / (1 << 23)));
        else   // white noise keeps its waveform to about -18 dB at the high setting, -2 at the default
            EXPECT_LT (energyDb (residual) - energyDb (input.samples), -12.0);
    }
}

// Beyond full scale the float WAV keeps what it gets; the 24-bit FLAC clips, says so on the
// closing line and is written all the same.
TEST_F (Render, AHotInputClipsOnlyInTheFlacAndSaysSo)
{
    // A hot input through the Treble Booster: the float WAV keeps what lies beyond full scale.
    const std::string hot = writeNoise (scratch.file ("hot.wav"), 1, kFrames, 48000,
                                        SF_FORMAT_WAV | SF_FORMAT_FLOAT, 0.9f);
    const std::vector<std::string> booster {"--param", "Model=Treble Booster"};
    std::vector<std::string> args (booster);
    args.insert (args.end (), {hot, scratch.file ("hot-out.wav")});
    CommandResult r = runRenderer (args);
    ASSERT_EQ (r.exitCode, 0) << r.err;
    EXPECT_FALSE (contains (r.err, "warning")) << r.err;
    const Audio unclipped = readAudio (scratch.file ("hot-out.wav"));
    const auto beyond = std::count_if (unclipped.samples.begin (), unclipped.samples.end (),
                                       [] (float s) { return std::fabs (s) > 1.0f; });
    ASSERT_GT (beyond, 0);
    char warning[120];
    std::snprintf (
        warning, sizeof warning,
        "; warning: %ld samples clipped at full scale in the 24-bit FLAC, peak %+.1f dBFS"
        "\n",
        static_cast<long> (beyond), peakDbfs (unclipped));

    args = booster;
    args.insert (args.end (), {hot, scratch.file ("hot-out.flac")});
    r = runRenderer (args);
    ASSERT_EQ (r.exitCode, 0) << r.err;
    EXPECT_TRUE (contains (r.err, std::string ("real time") + warning))
        << r.err << "wanted " << warning;
    const Audio clipped = readAudio (scratch.file ("hot-out.flac"));
    ASSERT_EQ (clipped.frames (), kFrames);
    for (size_t i = 0; i < clipped.samples.size (); ++i)
    {
        const float expected = std::clamp (unclipped.samples[i], -1.0f, 1.0f);
        ASSERT_NEAR (clipped.samples[i], expected, 1.0 / (1 << 22)) << "sample " << i;
    }
}

TEST_F (Render, AutomationLandsAtTheBlockThatStartsAtOrAfterItsSample)
{
    const std::string in = writeNoise (scratch.file ("in.wav"), 2, kFrames);
    const Audio input = readAudio (in);
    for (auto [block, sample, blockStart] :
         {std::tuple {256, "1000", 1024}, {256, "1024", 1024}, {100, "1001", 1100}})
    {
        SCOPED_TRACE (std::string ("--at ") + sample + " with blocks of " + std::to_string (block));
        // Effect off until the automation switches it on: the output is the input up to that block.
        CommandResult r =
            runRenderer ({"--block", std::to_string (block), "--set", "0=0", "--param",
                          "Model=Metal Tone", "--at", sample, "0=1", in, out});
        ASSERT_EQ (r.exitCode, 0) << r.err;
        const int64_t first = firstDifference (input, readAudio (out));
        EXPECT_TRUE (first >= blockStart && first < blockStart + block) << first;

        // And back: effect on, switched off by automation; from that block on the input passes.
        r = runRenderer ({"--block", std::to_string (block), "--param", "Model=Metal Tone", "--at",
                          sample, "0=0", in, out});
        ASSERT_EQ (r.exitCode, 0) << r.err;
        const Audio output = readAudio (out);
        const auto from = static_cast<long> (blockStart * 2);
        EXPECT_TRUE (std::equal (input.samples.begin () + from, input.samples.end (),
                                 output.samples.begin () + from));
        EXPECT_NE (input.samples[from - 1], output.samples[from - 1]);
    }

    // Two points in one block: the later one is what the block sees (a point past the last block
    // start: RenderErrors).
    const CommandResult r =
        runRenderer ({"--at", "300", "0=1", "--at", "400", "0=0", "--set", "0=0", in, out});
    ASSERT_EQ (r.exitCode, 0) << r.err;
    EXPECT_EQ (firstDifference (input, readAudio (out)), -1);
}

// A preset sounds like its values set by hand; it comes first, then the settings in command-line
// order: a later --set switches the effect off again, and the last word on "Effect State" wins.
TEST_F (Render, APresetSoundsLikeItsValuesSetByHandAndSettingsFollowIt)
{
    // Preset 7 (counting from 1) "Kick the Amp": On, 808 Screamer, 0, 100, 35, 16, 67, 35.
    const std::string in = writeNoise (scratch.file ("in.wav"), 1, 9600);
    const std::vector<std::vector<std::string>> runs = {
        {"--preset", "7"},
        {"--param", "Model=808 Screamer", "--param", "Overdrive=0", "--param", "Level=100",
         "--param", "Tone=35", "--param", "Parameter 4=16", "--param", "Parameter 5=67", "--param",
         "Parameter 6=35"},
        {"--preset", "6"},
        {"--set", "0=0", "--preset", "Full Drive"},
        {"--preset", "Full Drive", "--param", "Effect State=Off", "--param", "Effect State=On"}};
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
    const double signalDb = energyDb (rendered[0].samples);
    ASSERT_GT (signalDb, -100.0);
    // Plain values set by hand pass through normalised form: only rounding may differ.
    EXPECT_LT (energyDb (byHand) - signalDb, -100.0);
    EXPECT_GT (energyDb (other) - signalDb, -20.0);
    const Audio dry = readAudio (in);
    EXPECT_EQ (rendered[3].samples, dry.samples);
    EXPECT_EQ (rendered[4].samples, rendered[2].samples);
}

TEST (Demo, EveryFactoryPresetRendersAnAudibleFileAndTheOverviewIsDrawn)
{
    // Mean power in dBFS.
    const auto rmsDbfs = [] (const Audio& a) {
        return energyDb (a.samples) - 10.0 * std::log10 (a.samples.size ());
    };
    ScratchFolder scratch;
    const std::string dry = scratch.file ("guitar-di.wav");
    CommandResult r = runProgram (OVERMOOR_GUITAR_DI_PATH, {dry});
    ASSERT_EQ (r.exitCode, 0) << r.err;
    const Audio di = readAudio (dry);
    EXPECT_TRUE (di.channels == 1 && di.sampleRateHz == 48000);
    EXPECT_NEAR (static_cast<double> (di.frames ()) / di.sampleRateHz, 8.0, 0.5);
    EXPECT_GT (rmsDbfs (di), -40.0);

    std::vector<std::string> overviewArgs {"--dry", dry, "--out", scratch.file ("overview.png")};
    for (int preset = 1; preset <= 8; ++preset)
    {
        const std::string out = scratch.file ("preset" + std::to_string (preset) + ".wav");
        r = runRenderer (
            {"--quiet", "--block", "512", "--preset", std::to_string (preset), dry, out});
        ASSERT_EQ (r.exitCode, 0) << r.err;
        const Audio wet = readAudio (out);
        EXPECT_EQ (wet.frames (), di.frames ());
        EXPECT_TRUE (allFinite (wet.samples.data (), static_cast<int32_t> (wet.samples.size ())))
            << preset;
        EXPECT_GT (rmsDbfs (wet), -60.0) << "preset " << preset;
        overviewArgs.insert (overviewArgs.end (),
                             {"--entry", out, "Preset " + std::to_string (preset), "Model", "1.0"});
    }

    r = runProgram (OVERMOOR_DEMO_OVERVIEW_PATH, overviewArgs);
    ASSERT_EQ (r.exitCode, 0) << r.err;
    EXPECT_TRUE (contains (r.out, "(dry recording)") && contains (r.out, "Preset 7")) << r.out;
    std::ifstream png (scratch.file ("overview.png"), std::ios::binary);
    char signature[8] = {};
    png.read (signature, 8);
    EXPECT_EQ (std::string (signature + 1, 3), "PNG");
    png.seekg (0, std::ios::end);
    EXPECT_GT (png.tellg (), 50000);
}

// What --list shows after presets (factory and user, by number and name) and --param by titles
// that follow the model: the processor's answer as it reached the controller.
// User presets of these runs live in a scratch folder.
class Presets : public BundleFixture
{
protected:
    void SetUp () override
    {
        BundleFixture::SetUp ();
        ::setenv ("OVERMOOR_PRESET_DIR", scratch.file ("presets").c_str (), 1);
    }
    void TearDown () override
    {
        ::setenv ("OVERMOOR_PRESET_DIR", usePrivatePresetFolder ().c_str (), 1);
    }

    // Runs --list with the given options; the listing's rows of parameter ids 0 … 7.
    static std::vector<std::string> rows (std::vector<std::string> args)
    {
        args.insert (args.begin (), "--list");
        const CommandResult r = runRenderer (args);
        EXPECT_EQ (r.exitCode, 0) << r.err;
        std::vector<std::string> found (8);
        std::istringstream lines (
            r.out.substr (std::min (r.out.find ("\nParameters"), r.out.size ())));
        for (std::string line; std::getline (lines, line);)
            for (size_t id = 0; id < 8; ++id)
                if (found[id].empty () && line.rfind ("   " + std::to_string (id) + "  ", 0) == 0
                    && !contains (line, "values:"))
                    found[id] = line;
        return found;
    }

    ScratchFolder scratch;
};

TEST_F (Presets, ListShowsTheFactoryPresetsAndTheParameters)
{
    const CommandResult r = runRenderer ({"--list"});
    ASSERT_EQ (r.exitCode, 0) << r.err;
    const char* names[] = {"Torvin's Booster", "Ossik's Riff", "Rock Distorion", "Crunch",
                           "Rock Drive",       "Full Drive",   "Kick the Amp",   "Metal"};
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE (contains (r.out, "   " + std::to_string (i + 1) + "  " + names[i] + "\n"))
            << names[i];   // from 1
    EXPECT_TRUE (contains (r.out, "User presets:\n   (none)"));
    EXPECT_TRUE (contains (r.out, "values: 0 Off, 1 On"));
    EXPECT_TRUE (contains (
        r.out, "values: 0 Treble Booster, 1 XXL Distortion+, 2 BAT Distortion, 3 Over Drive, "
               "4 Super Drive, 5 9 Screamer, 6 808 Screamer, 7 Metal Tone"));
    // A fresh instance: Treble Booster, every knob unused.
    const auto row = rows ({});
    EXPECT_TRUE (contains (row[0], "Effect State  Effect State")) << row[0];
    EXPECT_TRUE (contains (row[1], "0 to 7")) << row[1];
    EXPECT_TRUE (contains (row[2], "Parameter 1   n/a 1           0 to 100 %    42.5 %")) << row[2];
    EXPECT_TRUE (contains (row[7], "Parameter 6   n/a 6")) << row[7];
}

TEST_F (Presets, FactoryAndUserPresetsAreFoundByNumberAndName)
{
    // The sixth factory preset, "Full Drive" (users count from 1): 9 Screamer with Overdrive 100,
    // Level 33.7, Tone 100.
    for (const char* choice : {"6", "Full Drive", "full drive"})
    {
        SCOPED_TRACE (choice);
        const auto row = rows ({"--preset", choice});
        EXPECT_TRUE (contains (row[1], "Treble Booster    9 Screamer")) << row[1];
        EXPECT_TRUE (contains (row[2], "Overdrive") && contains (row[2], "100 %")) << row[2];
        EXPECT_TRUE (contains (row[3], "Level           0 to 100 %    100 %             33.7 %"))
            << row[3];
        EXPECT_TRUE (contains (row[5], "n/a 1")) << row[5];
    }

    // A user preset saved the way the editor saves one: set the model, then "save as".
    {
        auto instance = createInstance ();
        ASSERT_NE (instance, nullptr);
        auto set = instance->createMessage ("WA_SP");
        set->getAttributes ()->setInt ("WA_PI", 1);
        set->getAttributes ()->setFloat ("WA_PV", 7.0 / 7.0);
        instance->notifyProcessor (set);
        const std::string saveAs = "CMVXSetPresetAsSaveAsMy Metal";
        auto save = instance->createMessage ("PrsHnd");
        save->getAttributes ()->setBinary ("CMVXSetPresetAsSaveAs", saveAs.data (),
                                           static_cast<Steinberg::uint32> (saveAs.size ()));
        instance->notifyProcessor (save);
    }
    const CommandResult r = runRenderer ({"--list"});
    EXPECT_TRUE (contains (r.out, "User presets:\n   9  My Metal\n")) << r.out;
    for (const char* choice : {"My Metal", "9"})
    {
        const auto row = rows ({"--preset", choice});
        EXPECT_TRUE (contains (row[1], "Metal Tone")) << choice << ": " << row[1];
        EXPECT_TRUE (contains (row[7], "Mid Frequency")) << choice << ": " << row[7];
    }
}

// Titles follow the model a preset chose, in any case and with the unit; titles after a model
// change by hand, list values by number and the original names: RenderEndToEnd and RenderErrors.
TEST_F (Presets, ParamByTitleFollowsThePresetsModel)
{
    const auto row = rows ({"--preset", "Metal", "--param", "bass=90.5 %"});
    EXPECT_TRUE (contains (row[4], "Bass") && contains (row[4], "90.5 %")) << row[4];
}

}   // namespace
}   // namespace Test
}   // namespace Morvane
