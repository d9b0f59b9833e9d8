// SPDX-License-Identifier: GPL-3.0-or-later
// Presets and parameters through overmoor-render: selection by number and name (factory and
// user), the processor's answer reaching the controller, and --param by titles that follow the model.
#include "RenderTestSupport.h"

#include "host/PluginInstance.h"
#include "sdk/hosting/module.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace Morvane {
namespace Test {
namespace {

// Every run of the plug-in in this suite keeps its user presets in a scratch folder.
class Presets : public ::testing::Test
{
protected:
    void SetUp () override
    {
        presetFolder = scratch.file ("presets");
        ::setenv ("OVERMOOR_PRESET_DIR", presetFolder.c_str (), 1);
    }
    void TearDown () override { ::unsetenv ("OVERMOOR_PRESET_DIR"); }

    // The "--list" row of a parameter id, split into its columns after the id.
    static std::string row (const std::string& listing, int id)
    {
        std::istringstream lines (listing);
        std::string line;
        const std::string prefix = (id < 10 ? "   " : "  ") + std::to_string (id) + "  ";
        bool parameters = false;
        while (std::getline (lines, line))
            if (line.rfind ("Parameters", 0) == 0)
                parameters = true;
            else if (parameters && line.rfind (prefix, 0) == 0 && line.find ("values:") == std::string::npos)
                return line;
        return {};
    }

    static bool contains (const std::string& text, const std::string& part) { return text.find (part) != std::string::npos; }

    std::string input (int64_t frames = 4800)
    {
        Audio audio;
        audio.channels = 1;
        audio.sampleRateHz = 48000;
        audio.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
        audio.samples = testNoise (1, frames, 7);
        const std::string path = scratch.file ("in.wav");
        EXPECT_TRUE (writeAudio (path, audio));
        return path;
    }

    ScratchFolder scratch;
    std::string presetFolder;
};

TEST_F (Presets, ListShowsTheFactoryPresetsAndTheParameters)
{
    const CommandResult r = runRenderer ({"--list"});
    ASSERT_EQ (r.exitCode, 0) << r.err;
    const char* names[] = {"Torvin's Booster", "Ossik's Riff", "Rock Distorion", "Crunch",
                           "Rock Drive",       "Full Drive",   "Kick the Amp",   "Metal"};
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE (contains (r.out, "   " + std::to_string (i) + "  " + names[i] + "\n")) << names[i];
    EXPECT_TRUE (contains (r.out, "User presets:\n   (none)"));
    // A fresh instance: Treble Booster, every knob unused.
    EXPECT_TRUE (contains (row (r.out, 0), "Effect State  Effect State")) << row (r.out, 0);
    EXPECT_TRUE (contains (row (r.out, 1), "0 to 7")) << row (r.out, 1);
    EXPECT_TRUE (contains (r.out, "values: 0 Off, 1 On"));
    EXPECT_TRUE (contains (r.out, "values: 0 Treble Booster, 1 XXL Distortion+, 2 BAT Distortion, 3 Over Drive, "
                                  "4 Super Drive, 5 9 Screamer, 6 808 Screamer, 7 Metal Tone"));
    EXPECT_TRUE (contains (row (r.out, 2), "Parameter 1   n/a 1           0 to 100 %    42.5 %")) << row (r.out, 2);
    EXPECT_TRUE (contains (row (r.out, 7), "Parameter 6   n/a 6")) << row (r.out, 7);
}

TEST_F (Presets, SelectionByNumberAndByNameReachesTheController)
{
    // Factory preset 5 "Full Drive": 9 Screamer with Overdrive 100, Level 33.7, Tone 100.
    for (const char* choice : {"5", "Full Drive", "full drive"})
    {
        SCOPED_TRACE (choice);
        const CommandResult r = runRenderer ({"--list", "--preset", choice});
        ASSERT_EQ (r.exitCode, 0) << r.err;
        EXPECT_TRUE (contains (row (r.out, 1), "Treble Booster    9 Screamer")) << row (r.out, 1);
        EXPECT_TRUE (contains (row (r.out, 2), "Overdrive")) << row (r.out, 2);
        EXPECT_TRUE (contains (row (r.out, 2), "100 %")) << row (r.out, 2);
        EXPECT_TRUE (contains (row (r.out, 3), "Level           0 to 100 %    100 %             33.7 %")) << row (r.out, 3);
        EXPECT_TRUE (contains (row (r.out, 5), "n/a 1")) << row (r.out, 5);
    }
}

TEST_F (Presets, UnknownPresetsListTheValidOnes)
{
    for (const char* choice : {"8", "99", "No Such Preset"})
    {
        const CommandResult r = runRenderer ({"--list", "--preset", choice});
        EXPECT_EQ (r.exitCode, 2) << choice;
        EXPECT_TRUE (contains (r.err, "--preset")) << r.err;
        EXPECT_TRUE (contains (r.err, "0 \"Torvin's Booster\"")) << r.err;
        EXPECT_TRUE (contains (r.err, "7 \"Metal\"")) << r.err;
        EXPECT_EQ (r.err.find ('\n'), r.err.size () - 1) << r.err;
    }
}

TEST_F (Presets, UserPresetsAreFoundByNameAndNumber)
{
    // Save a user preset the way the editor does: set the model, then "save as".
    {
        std::string error;
        auto module = VST3::Hosting::Module::create (bundlePath (), error);
        ASSERT_NE (module, nullptr) << error;
        auto instance = Host::PluginInstance::create (module->getFactory (), error);
        ASSERT_NE (instance, nullptr) << error;
        auto set = instance->createMessage ("WA_SP");
        set->getAttributes ()->setInt ("WA_PI", 1);
        set->getAttributes ()->setFloat ("WA_PV", 7.0 / 7.0);
        instance->notifyProcessor (set);
        const std::string saveAs = "CMVXSetPresetAsSaveAsMy Metal";
        auto save = instance->createMessage ("PrsHnd");
        save->getAttributes ()->setBinary ("CMVXSetPresetAsSaveAs", saveAs.data (), static_cast<Steinberg::uint32> (saveAs.size ()));
        instance->notifyProcessor (save);
    }
    CommandResult r = runRenderer ({"--list"});
    ASSERT_EQ (r.exitCode, 0) << r.err;
    ASSERT_TRUE (contains (r.out, "User presets:\n   8  My Metal\n")) << r.out;
    for (const char* choice : {"My Metal", "8"})
    {
        r = runRenderer ({"--list", "--preset", choice});
        ASSERT_EQ (r.exitCode, 0) << r.err;
        EXPECT_TRUE (contains (row (r.out, 1), "Metal Tone")) << row (r.out, 1);
        EXPECT_TRUE (contains (row (r.out, 7), "Mid Frequency")) << row (r.out, 7);
    }
}

TEST_F (Presets, ParamByTitleFollowsTheModel)
{
    CommandResult r = runRenderer ({"--list", "--param", "Model=Over Drive", "--param", "Gain=70", "--param", "tone=25 %"});
    ASSERT_EQ (r.exitCode, 0) << r.err;
    EXPECT_TRUE (contains (row (r.out, 2), "Gain")) << row (r.out, 2);
    EXPECT_TRUE (contains (row (r.out, 2), "70 %")) << row (r.out, 2);
    EXPECT_TRUE (contains (row (r.out, 4), "25 %")) << row (r.out, 4);

    // The same knob by its own name, and a list value by number.
    r = runRenderer ({"--list", "--param", "Model=7", "--param", "Parameter 6=12.5"});
    ASSERT_EQ (r.exitCode, 0) << r.err;
    EXPECT_TRUE (contains (row (r.out, 7), "Mid Frequency")) << row (r.out, 7);
    EXPECT_TRUE (contains (row (r.out, 7), "12.5 %")) << row (r.out, 7);

    // Before the model change there is no "Gain": the error lists names and current titles.
    r = runRenderer ({"--list", "--param", "Gain=70", "--param", "Model=Over Drive"});
    EXPECT_EQ (r.exitCode, 2);
    EXPECT_TRUE (contains (r.err, "unknown parameter \"Gain\"")) << r.err;
    EXPECT_TRUE (contains (r.err, "\"Parameter 1\" (now \"n/a 1\")")) << r.err;
    EXPECT_TRUE (contains (r.err, "\"Model\"")) << r.err;

    // A preset's titles count too: after "Metal" there is a "Bass".
    r = runRenderer ({"--list", "--preset", "Metal", "--param", "Bass=90"});
    ASSERT_EQ (r.exitCode, 0) << r.err;
    EXPECT_TRUE (contains (row (r.out, 4), "90 %")) << row (r.out, 4);
}

TEST_F (Presets, BadParameterValuesListWhatIsValid)
{
    struct Case
    {
        std::vector<std::string> args;
        const char* mentions;
    };
    const Case cases[] = {
        {{"--param", "Model=Fuzz Face"}, "\"Treble Booster\", \"XXL Distortion+\""},
        {{"--param", "Model=8"}, "0 to 7"},
        {{"--param", "Effect State=maybe"}, "\"Off\", \"On\""},
        {{"--param", "Model=3", "--param", "Gain=101"}, "0 to 100 %"},
        {{"--param", "Parameter 2=-1"}, "0 to 100 %"},
        {{"--param", "Parameter 2=loud"}, "0 to 100 %"},
        {{"--set", "8=0.5"}, "7 \"n/a 6\""},
    };
    for (const Case& c : cases)
    {
        std::vector<std::string> args {"--list"};
        args.insert (args.end (), c.args.begin (), c.args.end ());
        const CommandResult r = runRenderer (args);
        EXPECT_EQ (r.exitCode, 2) << c.args.back ();
        EXPECT_TRUE (contains (r.err, c.mentions)) << r.err;
    }
}

TEST_F (Presets, PresetComesFirstThenSettingsInOrder)
{
    const std::string in = input ();
    const std::string out = scratch.file ("out.wav");
    Audio dry, wet;
    ASSERT_TRUE (readAudio (in, dry));

    // The preset switches the effect on; a later --set switches it off again: the input passes.
    CommandResult r = runRenderer ({"--set", "0=0", "--preset", "Full Drive", in, out});
    ASSERT_EQ (r.exitCode, 0) << r.err;
    ASSERT_TRUE (readAudio (out, wet));
    EXPECT_EQ (wet.samples, dry.samples);

    // Settings apply in command-line order: the last word on "Effect State" wins.
    r = runRenderer ({"--preset", "Full Drive", "--param", "Effect State=Off", "--param", "Effect State=On", in, out});
    ASSERT_EQ (r.exitCode, 0) << r.err;
    ASSERT_TRUE (readAudio (out, wet));
    EXPECT_NE (wet.samples, dry.samples);
}

TEST_F (Presets, APresetSoundsLikeItsValuesSetByHand)
{
    // Factory preset 6 "Kick the Amp": On, 808 Screamer, 0, 100, 35, 16, 67, 35.
    const std::string in = input (9600);
    const std::string byPreset = scratch.file ("preset.wav"), byHand = scratch.file ("hand.wav"),
                      other = scratch.file ("other.wav");
    CommandResult r = runRenderer ({"--preset", "6", in, byPreset});
    ASSERT_EQ (r.exitCode, 0) << r.err;
    r = runRenderer ({"--param", "Model=808 Screamer", "--param", "Overdrive=0", "--param", "Level=100", "--param",
                      "Tone=35", "--param", "Parameter 4=16", "--param", "Parameter 5=67", "--param",
                      "Parameter 6=35", in, byHand});
    ASSERT_EQ (r.exitCode, 0) << r.err;
    r = runRenderer ({"--preset", "5", in, other});
    ASSERT_EQ (r.exitCode, 0) << r.err;

    Audio a, b, c;
    ASSERT_TRUE (readAudio (byPreset, a));
    ASSERT_TRUE (readAudio (byHand, b));
    ASSERT_TRUE (readAudio (other, c));
    double signal = 0.0, residual = 0.0, otherResidual = 0.0;
    for (size_t i = 0; i < a.samples.size (); ++i)
    {
        signal += static_cast<double> (a.samples[i]) * a.samples[i];
        residual += std::pow (static_cast<double> (a.samples[i]) - b.samples[i], 2.0);
        otherResidual += std::pow (static_cast<double> (a.samples[i]) - c.samples[i], 2.0);
    }
    ASSERT_GT (signal, 0.0);
    // Plain values set by hand pass through normalised form: only rounding may differ.
    EXPECT_LT (10.0 * std::log10 (residual / signal + 1e-30), -100.0);
    EXPECT_GT (10.0 * std::log10 (otherResidual / signal), -20.0);
}

} // namespace
} // namespace Test
} // namespace Morvane
