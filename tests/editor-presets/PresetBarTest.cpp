// SPDX-License-Identifier: GPL-3.0-or-later
// The preset bar end to end: menus built from the processor's lists, save-as with its name
// checks, choosing, saving, deleting, and a folder that cannot take a preset.
#include "PresetBarSupport.h"
#include <algorithm>

namespace PresetBarTest {
namespace {

using Names = std::vector<std::string>;

double parameter (HostSession& host, int id)
{
    return host.controller->getParamNormalized (static_cast<Steinberg::Vst::ParamID> (id));
}

TEST_F (PresetBar, StartsWithTheFactoryPresetsListsSavedOnesByNameAndRefusesTakenNames)
{
    auto host = startHost ();
    EXPECT_EQ (host->titles (12), kFactoryNames);
    EXPECT_EQ (host->shownPreset (), "Torvin's Booster");
    EXPECT_EQ (host->titles (15),
               (Names {"Help", "Check For Updates", "Morvane Web Site", "About Plug-In"}));
    ASSERT_EQ (host->titles (13), (Names {"Save", "Save As...", "Delete"}));
    EXPECT_FALSE (host->menu (13)->getEntry (2)->isEnabled ());
    EXPECT_EQ (host->menu (13)->getSubMenu (2), nullptr);

    host->saveAs ("B");
    host->saveAs ("A");
    EXPECT_FALSE (host->namePanelShown ());
    EXPECT_EQ (host->titles (12), withUserPresets ({"A", "B"}));
    EXPECT_EQ (host->editor->getUserPresets (),
               (std::map<std::string, int32> {{"A", 9}, {"B", 8}}));
    EXPECT_EQ (host->shownPreset (), "A");   // the new preset is the current one
    EXPECT_EQ (host->menu (13)->getSubMenu (2), host->menu (14));
    EXPECT_EQ (host->titles (14), (Names {"A", "B"}));

    // Taken names are refused without a word to the processor, until the panel is cancelled.
    const size_t sent = host->presetRequests ().size ();
    for (const char* taken : {"Crunch", "A"})
    {
        host->saveAs (taken);
        EXPECT_TRUE (host->namePanelShown ());
        EXPECT_EQ (host->nameField ()->getText (), "Already Exists");
        EXPECT_EQ (host->presetRequests ().size (), sent) << taken;
    }
    host->click (host->controls ().getControl (18));   // cancel
    EXPECT_FALSE (host->namePanelShown ());
    EXPECT_EQ (host->presetRequests ().size (), sent);
}

TEST_F (PresetBar, ChoosingAPresetSendsItsNumberAndTheKnobsFollow)
{
    auto host = startHost ();
    host->choose (12, 2);
    EXPECT_EQ (host->presetRequests ().back (), "CMVXSetSelectedPresetNumber2");
    EXPECT_NEAR (host->controls ().getControl (2)->getValueNormalized (), 0.358, 1e-6);
    EXPECT_NEAR (host->controls ().getControl (4)->getValueNormalized (), 0.214, 1e-6);

    // A user preset below the separator is chosen by its number.
    host->editor->getControllerLink ()->setParameter (2, 0.77);
    host->saveAs ("Seventy-Seven");
    host->choose (12, 0);
    host->choose (12, 9);
    EXPECT_EQ (host->presetRequests ().back (), "CMVXSetSelectedPresetNumber8");
    EXPECT_NEAR (parameter (*host, 2), 0.77, 1e-6);
}

// The files a delete removes are the message suite's to see.
TEST_F (PresetBar, SaveOverwritesOnDiskAndDeleteRemovesFromTheMenu)
{
    auto host = startHost ();
    auto* link = host->editor->getControllerLink ();
    for (const char* name : {"C", "B", "A"})
    {
        link->setParameter (3, name[0] == 'C' ? 0.3 : 0.6);
        host->saveAs (name);
    }
    ASSERT_EQ (presetFiles ().size (), 3u);
    const std::string fileOfA = folder.file (presetFiles ().front ());   // "A" sorts first
    const auto before = PresetTest::readBytes (fileOfA);
    link->setParameter (3, 0.9);
    host->choose (13, 0);   // "Save" over "A"
    EXPECT_EQ (host->presetRequests ()[host->presetRequests ().size () - 3], "CMVXSetPresetSaveA");
    EXPECT_NE (PresetTest::readBytes (fileOfA), before);
    EXPECT_EQ (host->titles (12), withUserPresets ({"A", "B", "C"}));

    // Deleting another preset keeps "A"; the numbers stay in step with the menu.
    host->choose (13, 1, host->menu (14));   // "B"
    EXPECT_EQ (host->titles (12), withUserPresets ({"A", "C"}));
    EXPECT_EQ (host->shownPreset (), "A");
    host->choose (12, 10);   // "C"
    EXPECT_NEAR (parameter (*host, 3), 0.3, 1e-6);

    // Deleting the current preset makes the entry that takes its place current, sound and all.
    host->choose (13, 1, host->menu (14));   // "C", the last entry
    EXPECT_EQ (host->titles (12), withUserPresets ({"A"}));
    EXPECT_EQ (host->shownPreset (), "A");
    EXPECT_EQ (host->editor->getCurrentPresetName (), "A");
    EXPECT_NEAR (parameter (*host, 3), 0.9, 1e-6);
    host->choose (13, 0, host->menu (14));   // "A", the only one: the last factory preset follows
    EXPECT_EQ (host->titles (12), kFactoryNames);
    EXPECT_EQ (host->shownPreset (), "Metal");
    EXPECT_FALSE (host->menu (13)->getEntry (2)->isEnabled ());
}

// The menu lists only what the next start will find; the panel says why nothing was stored,
// for "Save As..." and for "Save" alike. Whether the processor reports every failed save, and
// leaves the files as they were, is the message suite's to see.
TEST_F (PresetBar, AFolderThatCannotBeWrittenListsNothingNewAndSaysNotSaved)
{
    // A folder path that runs through a regular file can never be written, even by root.
    PresetTest::writeBytes (folder.file ("plain-file"), {'x'});
    const std::string blocked = folder.file ("plain-file") + "/presets";
    PresetTest::ScopedEnvironment unwritable {"OVERMOOR_PRESET_DIR", blocked.c_str ()};
    auto host = startHost ();
    host->saveAs ("Lost");
    ASSERT_TRUE (host->namePanelShown ());
    EXPECT_EQ (host->nameField ()->getText (), "Not Saved");
    host->click (host->controls ().getControl (18));
    EXPECT_FALSE (host->namePanelShown ());
    EXPECT_EQ (host->titles (12), kFactoryNames);

    host->choose (13, 0);   // "Save" over the current factory preset, as a preset of the user's
    EXPECT_TRUE (host->namePanelShown ());
    EXPECT_EQ (host->nameField ()->getText (), "Not Saved");
    EXPECT_EQ (host->titles (12), kFactoryNames);
}

}   // namespace
}   // namespace PresetBarTest
