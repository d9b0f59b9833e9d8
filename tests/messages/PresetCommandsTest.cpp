// SPDX-License-Identifier: GPL-3.0-or-later
// Save as, save, delete and select, as the editor's preset bar sends them through the controller.
#include "MessagesTestSupport.h"

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace MessagesTest;

using PresetCommands = MessagesFixture;

namespace {

std::string entry (const std::string& name)
{
    return "<CMVXPRESET><CMVXPRESETINFO>Overmoor</CMVXPRESETINFO>" + name;
}

std::optional<std::string> userList (Morvane::Host::PluginInstance& instance)
{
    return requestText (instance, "CMVXGetUserPresetsMessage", "CMVXSetUserPresetsMessage");
}

std::optional<std::string> selected (Morvane::Host::PluginInstance& instance)
{
    return requestText (instance, "CMVXGetSelectedPresetNumber", "CMVXSetSelectedPresetNumber");
}

} // namespace

TEST_F (PresetCommands, SaveAsAddsTheCurrentSettingsAndSelectsThem)
{
    auto instance = tappedInstance ();
    ASSERT_NE (instance, nullptr);
    editorSetsParameter (*instance, 1, 7.0 / 7.0);
    editorSetsParameter (*instance, 4, 0.66);
    EXPECT_EQ (sendPresetRequest (*instance, "CMVXSetPresetAsSaveAs", "My Metal"), kResultOk);
    EXPECT_EQ (instance->processorToController ()->count ("DSP4UI"), 0);
    EXPECT_EQ (userList (*instance), "CMVXSetUserPresetsMessage" + entry ("My Metal"));
    EXPECT_EQ (selected (*instance), std::optional<std::string> ("CMVXSetSelectedPresetNumber8"));

    sendPresetRequest (*instance, "CMVXSetPresetAsSaveAs", "Second");
    EXPECT_EQ (userList (*instance), "CMVXSetUserPresetsMessage" + entry ("My Metal") + entry ("Second"));
    EXPECT_EQ (selected (*instance), std::optional<std::string> ("CMVXSetSelectedPresetNumber9"));

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

TEST_F (PresetCommands, SaveOverwritesTheCurrentPresetAndAddsNothing)
{
    auto instance = tappedInstance ();
    ASSERT_NE (instance, nullptr);
    editorSetsParameter (*instance, 3, 0.1);
    sendPresetRequest (*instance, "CMVXSetPresetAsSaveAs", "Evolving");
    editorSetsParameter (*instance, 3, 0.9);
    EXPECT_EQ (sendPresetRequest (*instance, "CMVXSetPresetSave", "Evolving"), kResultOk);
    EXPECT_EQ (userList (*instance), "CMVXSetUserPresetsMessage" + entry ("Evolving"));

    sendPresetRequest (*instance, "CMVXSetSelectedPresetNumber", "1");
    EXPECT_NE (processorValue (*instance, 3), 0.9f);
    sendPresetRequest (*instance, "CMVXSetSelectedPresetNumber", "8");
    EXPECT_NEAR (processorValue (*instance, 3), 0.9f, 1e-6);
    EXPECT_EQ (PresetTest::filesIn (presetFolder->path ()).size (), 1u);
}

TEST_F (PresetCommands, DeleteRemovesTheEntryAndItsFile)
{
    auto instance = tappedInstance ();
    ASSERT_NE (instance, nullptr);
    sendPresetRequest (*instance, "CMVXSetPresetAsSaveAs", "One");
    sendPresetRequest (*instance, "CMVXSetPresetAsSaveAs", "Two");
    EXPECT_EQ (sendPresetRequest (*instance, "CMVXSetPresetDelete", "One"), kResultOk);
    EXPECT_EQ (userList (*instance), "CMVXSetUserPresetsMessage" + entry ("Two"));
    EXPECT_EQ (PresetTest::filesIn (presetFolder->path ()).size (), 1u);
    sendPresetRequest (*instance, "CMVXSetPresetDelete", "Two");
    sendPresetRequest (*instance, "CMVXSetPresetDelete", "Never there");
    EXPECT_EQ (userList (*instance), std::optional<std::string> ("CMVXSetUserPresetsMessage"));
    EXPECT_TRUE (PresetTest::filesIn (presetFolder->path ()).empty ());
    // Factory presets cannot be deleted.
    sendPresetRequest (*instance, "CMVXSetPresetDelete", "Crunch");
    EXPECT_EQ (countOf (*requestText (*instance, "CMVXGetFactoryPresetsMessage", "CMVXSetFactoryPresetsMessage"),
                        "<CMVXPRESET>"),
               8);
}

TEST_F (PresetCommands, CommandsWithoutAControllerStillTakeEffect)
{
    auto instance = createInstance ();   // connected directly, nothing recorded
    ASSERT_NE (instance, nullptr);
    sendPresetRequest (*instance, "CMVXSetPresetAsSaveAs", "Quiet");
    EXPECT_EQ (PresetTest::filesIn (presetFolder->path ()).size (), 1u);
}
