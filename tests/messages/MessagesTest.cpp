// SPDX-License-Identifier: GPL-3.0-or-later
// Processor-controller traffic through the built bundle, connections recorded both ways and read
// as soon as each notify returns: value requests, writes, preset lists and commands, malformed
// requests, and user presets that outlive the instance that saved them.
#include "PresetTestSupport.h"
#include "host/StateBytes.h"
#include "support/BundleFixture.h"
#include "support/MessageAttributes.h"
#ifdef __linux__   // a small mounted file system stands in for a full disk
#include "support/TinyFileSystem.h"
#endif
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <thread>

using Morvane::Host::PluginInstance;
using Morvane::Test::binaryText;
using Morvane::Test::sendPresetRequest;
using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

// Each test starts with one connected instance whose messages are recorded both ways.
class MessagesFixture : public Morvane::Test::BundleFixture
{
protected:
    void SetUp () override
    {
        BundleFixture::SetUp ();
        instance = tappedInstance ();
        ASSERT_NE (instance, nullptr);
    }
    std::unique_ptr<PluginInstance> tappedInstance ()
    {
        Morvane::Host::InstanceOptions options;
        options.tapConnections = true;
        return createInstance (options);
    }
    static float processorValue (PluginInstance& i, size_t id)
    {
        return savedParameterValues (i).at (id);
    }
    size_t presetFiles () const { return PresetTest::filesIn (presetFolder.path ()).size (); }

    PresetTest::TemporaryFolder presetFolder;
    PresetTest::ScopedEnvironment presetFolderVariable {"OVERMOOR_PRESET_DIR",
                                                        presetFolder.path ().c_str ()};
    std::unique_ptr<PluginInstance> instance;
};
using ProcessorMessages = MessagesFixture;
using PresetCommands = MessagesFixture;

std::vector<float> binaryFloats (IMessage* message, const char* key)
{
    const std::string text = binaryText (message, key).value_or ("");
    return Morvane::Host::floatsOf (std::vector<uint8_t> (text.begin (), text.end ()));
}

// Asks with "CMVXGet<what>"; the "CMVXSet<what>" text of the answer, if exactly one arrived.
std::optional<std::string> answer (PluginInstance& instance, const std::string& what)
{
    auto* tap = instance.processorToController ();
    const int before = tap ? tap->count ("PrsHnd") : 0;
    const tresult sent = sendPresetRequest (instance, ("CMVXGet" + what).c_str ());
    if (sent != kResultOk || !tap || tap->count ("PrsHnd") != before + 1)
        return std::nullopt;
    return binaryText (tap->last ("PrsHnd"), ("CMVXSet" + what).c_str ());
}
std::optional<std::string> userList (PluginInstance& i)
{
    return answer (i, "UserPresetsMessage");
}
std::optional<std::string> selectedPreset (PluginInstance& i)
{
    return answer (i, "SelectedPresetNumber");
}
std::optional<std::string> selected (int number)
{
    return "CMVXSetSelectedPresetNumber" + std::to_string (number);
}

std::string listOf (const std::string& answerKey, const std::vector<std::string>& names)
{
    std::string text = answerKey;
    for (const std::string& name : names)
        text += "<CMVXPRESET><CMVXPRESETINFO>Overmoor</CMVXPRESETINFO>" + name;
    return text;
}
std::optional<std::string> userListOf (const std::vector<std::string>& names)
{
    return listOf ("CMVXSetUserPresetsMessage", names);
}
const std::optional<std::string> kFactoryList = listOf (
    "CMVXSetFactoryPresetsMessage", {"Torvin's Booster", "Ossik's Riff", "Rock Distorion", "Crunch",
                                     "Rock Drive", "Full Drive", "Kick the Amp", "Metal"});

// What "WA_SP" from the editor does: tells the processor, then the controller.
void editorSetsParameter (PluginInstance& instance, int id, double value)
{
    Morvane::Test::sendParameter (instance, id, value);
    instance.controller ()->setParamNormalized (static_cast<ParamID> (id), value);
}

}   // namespace

TEST_F (ProcessorMessages, ValueRequestsAreAnsweredInsideTheSend)
{
    auto* answers = instance->processorToController ();
    // Ids the processor does not have answer 0; a request of the wrong size gets no answer.
    editorSetsParameter (*instance, 5, 0.375);
    auto request = instance->createMessage ("Binary");
    for (auto [id, expected] : {std::pair<int32, float> {5, 0.375f}, {1000, 0.0f}})
    {
        request->getAttributes ()->setBinary ("GePaVa", &id, 4);
        ASSERT_EQ (instance->notifyProcessor (request), kResultOk);
        EXPECT_EQ (binaryFloats (answers->last ("Binary"), "SePaVa"), std::vector<float> {expected})
            << id;
    }
    const std::vector<char> bytes (4097, 1);
    for (uint32 size : {1u, 3u, 5u, 8u, 4096u})
    {
        request->getAttributes ()->setBinary ("GePaVa", bytes.data (), size);
        EXPECT_EQ (instance->notifyProcessor (request), kResultOk) << size;
    }
    EXPECT_EQ (answers->count ("Binary"), 2);
    EXPECT_EQ (instance->notifyProcessor (instance->createMessage ("Binary")), kResultFalse);
}

TEST_F (ProcessorMessages, ParameterWritesReachTheProcessorClampedAndWithoutEcho)
{
    auto write = [&] (int64 id, std::optional<double> value) {
        auto message = instance->createMessage ("WA_SP");
        message->getAttributes ()->setInt ("WA_PI", id);
        if (value)
            message->getAttributes ()->setFloat ("WA_PV", *value);
        return instance->notifyProcessor (message);
    };
    EXPECT_EQ (write (3, 0.25), kResultFalse);   // handled, then left to the base
    EXPECT_EQ (processorValue (*instance, 3), 0.25f);
    EXPECT_EQ (instance->processorToController ()->count ("WA_SP"), 0);
    // Missing or non-finite values never reach the DSP; out-of-range ones are clamped.
    EXPECT_EQ (write (3, std::nullopt), kResultFalse);
    write (3, std::numeric_limits<double>::quiet_NaN ());
    EXPECT_EQ (processorValue (*instance, 3), 0.25f);
    write (3, 7.0);
    EXPECT_EQ (processorValue (*instance, 3), 1.0f);
    for (int64 id : {int64 (-1), int64 (8), int64 (1) << 40})
        write (id, 0.5);
    EXPECT_EQ (processorValue (*instance, 0), 1.0f);
}

TEST_F (ProcessorMessages, ListsAndSelectionAreAnsweredAndSelectionSendsEveryValueOnce)
{
    EXPECT_EQ (answer (*instance, "FactoryPresetsMessage"), kFactoryList);
    EXPECT_EQ (userList (*instance), userListOf ({}));
    EXPECT_EQ (selectedPreset (*instance), selected (0));

    ASSERT_EQ (sendPresetRequest (*instance, "CMVXSetSelectedPresetNumber", "5"), kResultOk);
    auto* tap = instance->processorToController ();
    ASSERT_EQ (tap->count ("WA_SY"), 1);
    // Every value from id 0, as the processor now holds them (which values a preset holds is
    // the DSP host's to check).
    EXPECT_EQ (binaryFloats (tap->last ("WA_SY"), "WA_SV"), savedParameterValues (*instance));
    EXPECT_NE (processorValue (*instance, 1), 0.0f);
    int64 first = -1;
    ASSERT_EQ (tap->last ("WA_SY")->getAttributes ()->getInt ("WA_SF", first), kResultOk);
    EXPECT_EQ (first, 0);
    EXPECT_EQ (selectedPreset (*instance), selected (5));
}

// Malformed "PrsHnd", "SeCuFD" and "GeCuFD" requests, and a megabyte of noise under every preset key.
TEST_F (ProcessorMessages, MalformedRequestsHaveDefinedResults)
{
    auto notify = [&] (const char* id, const char* key, const void* data, uint32 size,
                       bool tagged = false) {
        auto message = instance->createMessage (id);
        if (key)
            message->getAttributes ()->setBinary (key, data, size);
        if (tagged)
            message->getAttributes ()->setInt ("IDtag", 4);
        return instance->notifyProcessor (message);
    };
    // A text shorter than its key is no command at all; an unknown key is not handled.
    EXPECT_EQ (notify ("PrsHnd", "CMVXSetSelectedPresetNumber", "x", 1), kResultOk);
    EXPECT_EQ (notify ("PrsHnd", "CMVXSomethingElse", "x", 1), kResultFalse);

    const float data[2] = {1.0f, 2.0f};
    EXPECT_EQ (notify ("SeCuFD", "SeCuFD", data, 8), kResultOk);
    EXPECT_EQ (notify ("SeCuFD", nullptr, nullptr, 0), kResultOk);
    EXPECT_EQ (notify ("SeCuFD", "SeCuFD", data, 8, true), kResultOk);

    const int32 words[2] = {1, 1000000};
    EXPECT_EQ (notify ("GeCuFD", nullptr, nullptr, 0), kResultFalse);
    EXPECT_EQ (notify ("GeCuFD", "GeCuFD", words, 8), kResultOk);
    EXPECT_EQ (notify ("GeCuFD", "GeCuFD", words, 3), kResultOk);
    EXPECT_EQ (instance->processorToController ()->count ("GeCuFD"), 0);

    std::mt19937 random (99);
    std::vector<char> garbage (1 << 20);
    for (char& c : garbage)
        c = static_cast<char> (random ());
    for (const char* key : {"CMVXGetFactoryPresetsMessage", "CMVXGetUserPresetsMessage",
                            "CMVXSetPresetAsSaveAs", "CMVXSetPresetSave", "CMVXSetPresetDelete",
                            "CMVXSetSelectedPresetNumber", "CMVXGetSelectedPresetNumber"})
        EXPECT_EQ (notify ("PrsHnd", key, garbage.data (), static_cast<uint32> (garbage.size ())),
                   kResultOk)
            << key;
    // Noise as a preset name is refused (never listed); the save after it stores the current
    // factory preset under its own name.
    EXPECT_EQ (presetFiles (), 1u);
    EXPECT_EQ (userList (*instance), "CMVXSetUserPresetsMessage");
    for (float value : savedParameterValues (*instance))
        EXPECT_TRUE (std::isfinite (value) && value >= 0.0f && value <= 1.0f);
}

TEST_F (PresetCommands, SaveAsSaveAndDeleteChangeTheListTheSelectionAndTheFiles)
{
    editorSetsParameter (*instance, 1, 7.0 / 7.0);
    editorSetsParameter (*instance, 3, 0.1);
    EXPECT_EQ (sendPresetRequest (*instance, "CMVXSetPresetAsSaveAs", "My Metal"), kResultOk);
    EXPECT_EQ (instance->processorToController ()->count ("DSP4UI"), 0);
    EXPECT_EQ (userList (*instance), userListOf ({"My Metal"}));
    EXPECT_EQ (selectedPreset (*instance), selected (8));
    editorSetsParameter (*instance, 3, 0.9);
    EXPECT_EQ (sendPresetRequest (*instance, "CMVXSetPresetSave", "My Metal"), kResultOk);
    sendPresetRequest (*instance, "CMVXSetPresetAsSaveAs", "Second");
    EXPECT_EQ (userList (*instance), userListOf ({"My Metal", "Second"}));
    EXPECT_EQ (selectedPreset (*instance), selected (9));
    EXPECT_EQ (presetFiles (), 2u);

    // Back to a factory preset, then the saved one: its values come back through "WA_SY".
    sendPresetRequest (*instance, "CMVXSetSelectedPresetNumber", "0");
    EXPECT_EQ (instance->controller ()->getParamNormalized (1), 0.0);
    sendPresetRequest (*instance, "CMVXSetSelectedPresetNumber", "8");
    const auto values = binaryFloats (instance->processorToController ()->last ("WA_SY"), "WA_SV");
    ASSERT_EQ (values.size (), 8u);
    EXPECT_EQ (values[1], 1.0f);
    EXPECT_NEAR (values[3], 0.9f, 1e-6);
    EXPECT_NEAR (instance->controller ()->getParamNormalized (3), 0.9, 1e-6);

    EXPECT_EQ (sendPresetRequest (*instance, "CMVXSetPresetDelete", "My Metal"), kResultOk);
    EXPECT_EQ (userList (*instance), userListOf ({"Second"}));
    EXPECT_EQ (presetFiles (), 1u);
    sendPresetRequest (*instance, "CMVXSetPresetDelete", "Second");
    sendPresetRequest (*instance, "CMVXSetPresetDelete", "Never there");
    EXPECT_EQ (userList (*instance), userListOf ({}));
    EXPECT_EQ (presetFiles (), 0u);
    sendPresetRequest (*instance, "CMVXSetPresetDelete",
                       "Metal");   // factory ones stay, the last too
    EXPECT_EQ (answer (*instance, "FactoryPresetsMessage"), kFactoryList);
}

// Another instance (while the first lives) and a reloaded library both see the saved presets;
// a live instance does not reread the folder.
TEST_F (PresetCommands, OtherInstancesAndAReloadedLibrarySeeWhatWasSaved)
{
    auto& first = instance;
    editorSetsParameter (*first, 6, 0.31);
    sendPresetRequest (*first, "CMVXSetPresetAsSaveAs", "Shared Tone");

    auto second = tappedInstance ();
    ASSERT_NE (second, nullptr);
    EXPECT_EQ (userList (*second), userListOf ({"Shared Tone"}));
    sendPresetRequest (*second, "CMVXSetPresetAsSaveAs", "Later");
    EXPECT_EQ (userList (*first), userListOf ({"Shared Tone"}));
    first.reset ();
    second.reset ();

    // Unload the module as a host does at exit, then load it again from the bundle.
    TearDownTestSuite ();
    SetUpTestSuite ();
    ASSERT_NO_FATAL_FAILURE (BundleFixture::SetUp ());
    auto reloaded = tappedInstance ();
    ASSERT_NE (reloaded, nullptr);
    EXPECT_EQ (userList (*reloaded),
               userListOf ({"Later", "Shared Tone"}));   // read back sorted by name
    sendPresetRequest (*reloaded, "CMVXSetSelectedPresetNumber", "9");
    EXPECT_NEAR (processorValue (*reloaded, 6), 0.31f, 1e-6);
}

// Untapped instances: the commands take effect without anything recorded in between.
TEST_F (PresetCommands, TwoInstancesSavingAtOnceLoseNothing)
{
    auto left = createInstance ();
    auto right = createInstance ();
    ASSERT_TRUE (left && right);
    constexpr int kEach = 20;
    auto saveAll = [] (PluginInstance* instance, std::string prefix) {
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
    std::vector<std::string> expected = {"Both"};
    for (int i = 0; i < kEach; ++i)
        for (const std::string side : {"left ", "right "})
            expected.push_back (side + std::to_string (i));
    std::sort (expected.begin (), expected.end ());
    EXPECT_EQ (userList (*fresh), userListOf (expected));
}

#ifdef __linux__
// A save the disk cannot take is reported back and leaves no entry behind, so the session lists
// exactly what the next run will find; a failed save over a stored preset keeps its file.
TEST_F (PresetCommands, SavesThatCannotReachTheDiskAreReportedAndTakenBack)
{
    Morvane::Test::TinyFileSystem disk;
    PresetTest::ScopedEnvironment tiny {"OVERMOOR_PRESET_DIR", disk.path ().c_str ()};
    auto full = tappedInstance ();
    ASSERT_NE (full, nullptr);
    auto* replies = full->processorToController ();
    std::vector<std::string> stored;
    int failures = 0;
    for (int i = 0; i < 12; ++i)
    {
        const std::string name = "Preset " + std::to_string (10 + i);
        const int before = replies->count ("PrsHnd");
        sendPresetRequest (*full, "CMVXSetPresetAsSaveAs", name);
        if (replies->count ("PrsHnd") == before)
            stored.push_back (name);
        else
        {
            EXPECT_EQ (binaryText (replies->last ("PrsHnd"), "CMVXPresetSaveFailed"),
                       "CMVXPresetSaveFailed" + name);
            ++failures;
        }
    }
    EXPECT_GT (failures, 0) << disk.kind ();
    EXPECT_EQ (userList (*full), userListOf (stored)) << disk.kind ();
    EXPECT_EQ (PresetTest::filesIn (disk.path ()).size (), stored.size ());
    if (disk.isMounted ())   // the unwritable stand-in holds no file to keep
    {
        ASSERT_FALSE (stored.empty ());
        const std::string file = disk.path () + "/" + PresetTest::filesIn (disk.path ()).front ();
        const auto bytes = PresetTest::readBytes (file);
        sendPresetRequest (*full, "CMVXSetSelectedPresetNumber", "8");
        editorSetsParameter (*full, 4, 0.123);
        const int before = replies->count ("PrsHnd");
        sendPresetRequest (*full, "CMVXSetPresetSave", stored.front ());
        EXPECT_EQ (replies->count ("PrsHnd"), before + 1)
            << "the replacement needs room beside the file";
        EXPECT_EQ (PresetTest::readBytes (file), bytes);
    }
    auto restarted = tappedInstance ();
    ASSERT_NE (restarted, nullptr);
    EXPECT_EQ (userList (*restarted), userListOf (stored));
}
#endif
