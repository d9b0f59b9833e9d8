// SPDX-License-Identifier: GPL-3.0-or-later
// User presets outlive the instance that saved them: other instances, a reloaded library and
// instances saving at the same time all see every preset.
#include "MessagesTestSupport.h"
#include <thread>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace MessagesTest;

using PresetPersistence = MessagesFixture;

namespace {

std::optional<std::string> userList (Morvane::Host::PluginInstance& instance)
{
    return requestText (instance, "CMVXGetUserPresetsMessage", "CMVXSetUserPresetsMessage");
}

std::string entry (const std::string& name)
{
    return "<CMVXPRESET><CMVXPRESETINFO>Overmoor</CMVXPRESETINFO>" + name;
}

} // namespace

TEST_F (PresetPersistence, ANewInstanceSeesWhatAnOtherSaved)
{
    auto first = tappedInstance ();
    ASSERT_NE (first, nullptr);
    editorSetsParameter (*first, 1, 2.0 / 7.0);
    editorSetsParameter (*first, 6, 0.31);
    sendPresetRequest (*first, "CMVXSetPresetAsSaveAs", "Shared Tone");

    auto second = tappedInstance ();   // while the first is still alive
    ASSERT_NE (second, nullptr);
    EXPECT_EQ (userList (*second), "CMVXSetUserPresetsMessage" + entry ("Shared Tone"));
    auto& handler = second->componentHandler ();
    handler.clear ();
    sendPresetRequest (*second, "CMVXSetSelectedPresetNumber", "8");
    EXPECT_NEAR (processorValue (*second, 6), 0.31f, 1e-6);
    EXPECT_NEAR (second->controller ()->getParamNormalized (1), 2.0 / 7.0, 1e-6);
    EXPECT_EQ (handler.restartCount (kParamTitlesChanged), 1);

    // The first instance does not reread the folder: its list is its own.
    sendPresetRequest (*second, "CMVXSetPresetAsSaveAs", "Later");
    EXPECT_EQ (userList (*first), "CMVXSetUserPresetsMessage" + entry ("Shared Tone"));
}

TEST_F (PresetPersistence, PresetsSurviveUnloadingTheLibrary)
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
    EXPECT_EQ (userList (*instance), "CMVXSetUserPresetsMessage" + entry ("Across Restarts"));
    sendPresetRequest (*instance, "CMVXSetSelectedPresetNumber", "8");
    EXPECT_NEAR (processorValue (*instance, 2), 0.77f, 1e-6);
}

TEST_F (PresetPersistence, TwoInstancesSavingAtOnceLoseNothing)
{
    auto left = createInstance ();
    auto right = createInstance ();
    ASSERT_NE (left, nullptr);
    ASSERT_NE (right, nullptr);
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
    {
        EXPECT_NE (list->find (entry ("left " + std::to_string (i))), std::string::npos) << i;
        EXPECT_NE (list->find (entry ("right " + std::to_string (i))), std::string::npos) << i;
    }
}

TEST_F (PresetPersistence, DeletedPresetsStayDeleted)
{
    {
        auto instance = tappedInstance ();
        ASSERT_NE (instance, nullptr);
        sendPresetRequest (*instance, "CMVXSetPresetAsSaveAs", "Temporary");
        sendPresetRequest (*instance, "CMVXSetPresetAsSaveAs", "Lasting");
        sendPresetRequest (*instance, "CMVXSetPresetDelete", "Temporary");
    }
    auto later = tappedInstance ();
    ASSERT_NE (later, nullptr);
    EXPECT_EQ (userList (*later), "CMVXSetUserPresetsMessage" + entry ("Lasting"));
}
