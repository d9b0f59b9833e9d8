// SPDX-License-Identifier: GPL-3.0-or-later
// Save as, save, delete and select as the editor's preset bar sends them, and user presets that
// outlive the instance that saved them: other instances, a reloaded library, concurrent saves.
#include "MessagesTestSupport.h"
#include <thread>

using namespace MessagesTest;

using PresetCommands = MessagesFixture;

TEST_F (PresetCommands, SaveAsAddsTheCurrentSettingsAndSelectsThem)
{
    auto instance = tappedInstance ();
    ASSERT_NE (instance, nullptr);
    editorSetsParameter (*instance, 1, 7.0 / 7.0);
    editorSetsParameter (*instance, 4, 0.66);
    EXPECT_EQ (sendPresetRequest (*instance, "CMVXSetPresetAsSaveAs", "My Metal"), kResultOk);
    EXPECT_EQ (instance->processorToController ()->count ("DSP4UI"), 0);
    EXPECT_EQ (userList (*instance), userListOf ({"My Metal"}));
    EXPECT_EQ (selectedPreset (*instance), std::optional<std::string> ("CMVXSetSelectedPresetNumber8"));
    sendPresetRequest (*instance, "CMVXSetPresetAsSaveAs", "Second");
    EXPECT_EQ (userList (*instance), userListOf ({"My Metal", "Second"}));
    EXPECT_EQ (selectedPreset (*instance), std::optional<std::string> ("CMVXSetSelectedPresetNumber9"));

    // Back to a factory preset, then the user preset: its values come back through "WA_SY".
    sendPresetRequest (*instance, "CMVXSetSelectedPresetNumber", "0");
    EXPECT_EQ (instance->controller ()->getParamNormalized (1), 0.0);
    sendPresetRequest (*instance, "CMVXSetSelectedPresetNumber", "8");
    const auto values = binaryFloats (instance->processorToController ()->last ("WA_SY"), "WA_SV");
    ASSERT_EQ (values.size (), 8u);
    EXPECT_EQ (values[1], 1.0f);
    EXPECT_NEAR (values[4], 0.66f, 1e-6);
    EXPECT_NEAR (instance->controller ()->getParamNormalized (4), 0.66, 1e-6);
}

TEST_F (PresetCommands, SaveOverwritesAndDeleteRemovesEntryAndFile)
{
    auto instance = tappedInstance ();
    ASSERT_NE (instance, nullptr);
    editorSetsParameter (*instance, 3, 0.1);
    sendPresetRequest (*instance, "CMVXSetPresetAsSaveAs", "Evolving");
    editorSetsParameter (*instance, 3, 0.9);
    EXPECT_EQ (sendPresetRequest (*instance, "CMVXSetPresetSave", "Evolving"), kResultOk);
    EXPECT_EQ (userList (*instance), userListOf ({"Evolving"}));
    sendPresetRequest (*instance, "CMVXSetSelectedPresetNumber", "1");
    EXPECT_NE (processorValue (*instance, 3), 0.9f);
    sendPresetRequest (*instance, "CMVXSetSelectedPresetNumber", "8");
    EXPECT_NEAR (processorValue (*instance, 3), 0.9f, 1e-6);
    EXPECT_EQ (presetFiles (), 1u);

    sendPresetRequest (*instance, "CMVXSetPresetAsSaveAs", "Two");
    EXPECT_EQ (sendPresetRequest (*instance, "CMVXSetPresetDelete", "Evolving"), kResultOk);
    EXPECT_EQ (userList (*instance), userListOf ({"Two"}));
    EXPECT_EQ (presetFiles (), 1u);
    sendPresetRequest (*instance, "CMVXSetPresetDelete", "Two");
    sendPresetRequest (*instance, "CMVXSetPresetDelete", "Never there");
    EXPECT_EQ (userList (*instance), userListOf ({}));
    EXPECT_EQ (presetFiles (), 0u);
    // Factory presets cannot be deleted.
    sendPresetRequest (*instance, "CMVXSetPresetDelete", "Crunch");
    EXPECT_EQ (countOf (*requestText (*instance, "CMVXGetFactoryPresetsMessage", "CMVXSetFactoryPresetsMessage"),
                        "<CMVXPRESET>"),
               8);
}

TEST_F (PresetCommands, ANewInstanceSeesWhatAnotherSavedOrDeleted)
{
    auto first = tappedInstance ();
    ASSERT_NE (first, nullptr);
    editorSetsParameter (*first, 1, 2.0 / 7.0);
    editorSetsParameter (*first, 6, 0.31);
    sendPresetRequest (*first, "CMVXSetPresetAsSaveAs", "Shared Tone");
    sendPresetRequest (*first, "CMVXSetPresetAsSaveAs", "Temporary");
    sendPresetRequest (*first, "CMVXSetPresetDelete", "Temporary");

    auto second = tappedInstance ();   // while the first is still alive
    ASSERT_NE (second, nullptr);
    EXPECT_EQ (userList (*second), userListOf ({"Shared Tone"}));
    auto& handler = second->componentHandler ();
    handler.clear ();
    sendPresetRequest (*second, "CMVXSetSelectedPresetNumber", "8");
    EXPECT_NEAR (processorValue (*second, 6), 0.31f, 1e-6);
    EXPECT_NEAR (second->controller ()->getParamNormalized (1), 2.0 / 7.0, 1e-6);
    EXPECT_EQ (handler.restartCount (kParamTitlesChanged), 1);

    // The first instance does not reread the folder: its list is its own.
    sendPresetRequest (*second, "CMVXSetPresetAsSaveAs", "Later");
    EXPECT_EQ (userList (*first), userListOf ({"Shared Tone"}));
}

TEST_F (PresetCommands, PresetsSurviveUnloadingTheLibrary)
{
    {
        auto instance = tappedInstance ();
        ASSERT_NE (instance, nullptr);
        editorSetsParameter (*instance, 2, 0.77);
        sendPresetRequest (*instance, "CMVXSetPresetAsSaveAs", "Across Restarts");
    }
    // Unload the module as a host does at exit, then load it again from the bundle.
    TearDownTestSuite ();
    SetUpTestSuite ();
    ASSERT_NO_FATAL_FAILURE (BundleFixture::SetUp ());
    auto instance = tappedInstance ();
    ASSERT_NE (instance, nullptr);
    EXPECT_EQ (userList (*instance), userListOf ({"Across Restarts"}));
    sendPresetRequest (*instance, "CMVXSetSelectedPresetNumber", "8");
    EXPECT_NEAR (processorValue (*instance, 2), 0.77f, 1e-6);
}

// Untapped instances: the commands take effect without anything recorded in between.
TEST_F (PresetCommands, TwoInstancesSavingAtOnceLoseNothing)
{
    auto left = createInstance ();
    auto right = createInstance ();
    ASSERT_TRUE (left && right);
    constexpr int kEach = 20;
    auto saveAll = [] (Morvane::Host::PluginInstance* instance, std::string prefix) {
        for (int i = 0; i < kEach; ++i)
        {
            sendPresetRequest (*instance, "CMVXSetPresetAsSaveAs", prefix + std::to_string (i));
            sendPresetRequest (*instance, "CMVXSetPresetAsSaveAs", "Both");
        }
    };
    std::thread a (saveAll, left.get (), "left ");
    std::thread b (saveAll, right.get (), "right ");
    a.join ();
    b.join ();

    auto fresh = tappedInstance ();
    ASSERT_NE (fresh, nullptr);
    const auto list = userList (*fresh);
    ASSERT_TRUE (list);
    EXPECT_EQ (countOf (*list, "<CMVXPRESET>"), 2 * kEach + 1);
    for (int i = 0; i < kEach; ++i)
        for (const std::string side : {"left ", "right "})
            EXPECT_NE (list->find ("</CMVXPRESETINFO>" + side + std::to_string (i)), std::string::npos) << side << i;
}
