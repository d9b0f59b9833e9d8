// SPDX-License-Identifier: GPL-3.0-or-later
// What --list shows after presets (factory and user, by number and name) and --param by titles
// that follow the model: the processor's answer as it reached the controller.
#include "RenderTestSupport.h"

namespace Morvane {
namespace Test {
namespace {

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
