// SPDX-License-Identifier: GPL-3.0-or-later
// The processor's answers to the controller, read from the recorded connection as soon as the
// request's notify returns, and its handling of malformed requests.
#include "MessagesTestSupport.h"
#include <cmath>
#include <limits>
#include <random>

using namespace MessagesTest;

using ProcessorMessages = MessagesFixture;

TEST_F (ProcessorMessages, ValueRequestsAreAnsweredInsideTheSend)
{
    auto instance = tappedInstance ();
    ASSERT_NE (instance, nullptr);
    auto* answers = instance->processorToController ();
    // The controller asks for values it does not hold (here id 9) and has the answer at once.
    EXPECT_EQ (instance->controller ()->getParamNormalized (9), 0.0);
    EXPECT_EQ (instance->controllerToProcessor ()->count ("Binary"), 1);
    EXPECT_EQ (answers->count ("Binary"), 1);

    // Ids the processor does not have answer 0; a request of the wrong size gets no answer.
    editorSetsParameter (*instance, 5, 0.375);
    auto request = instance->createMessage ("Binary");
    for (auto [id, expected] : {std::pair<int32, float> {5, 0.375f}, {1000, 0.0f}})
    {
        request->getAttributes ()->setBinary ("GePaVa", &id, 4);
        ASSERT_EQ (instance->notifyProcessor (request), kResultOk);
        EXPECT_EQ (binaryFloats (answers->last ("Binary"), "SePaVa"), std::vector<float> {expected}) << id;
    }
    for (uint32 size : {1u, 3u, 5u, 8u, 4096u})
    {
        std::vector<char> bytes (size + 1, 1);
        request->getAttributes ()->setBinary ("GePaVa", bytes.data (), size);
        EXPECT_EQ (instance->notifyProcessor (request), kResultOk) << size;
    }
    EXPECT_EQ (answers->count ("Binary"), 3);
    EXPECT_EQ (instance->notifyProcessor (instance->createMessage ("Binary")), kResultFalse);
}

TEST_F (ProcessorMessages, ParameterWritesReachTheProcessorClampedAndWithoutEcho)
{
    auto instance = tappedInstance ();
    ASSERT_NE (instance, nullptr);
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
    auto instance = tappedInstance ();
    ASSERT_NE (instance, nullptr);
    EXPECT_EQ (requestText (*instance, "CMVXGetFactoryPresetsMessage", "CMVXSetFactoryPresetsMessage"),
               listOf ("CMVXSetFactoryPresetsMessage", {"Torvin's Booster", "Ossik's Riff", "Rock Distorion", "Crunch",
                                                        "Rock Drive", "Full Drive", "Kick the Amp", "Metal"}));
    EXPECT_EQ (userList (*instance), userListOf ({}));
    EXPECT_EQ (selectedPreset (*instance), std::optional<std::string> ("CMVXSetSelectedPresetNumber0"));

    auto& handler = instance->componentHandler ();
    handler.clear ();
    ASSERT_EQ (sendPresetRequest (*instance, "CMVXSetSelectedPresetNumber", "5"), kResultOk);
    auto* tap = instance->processorToController ();
    ASSERT_EQ (tap->count ("WA_SY"), 1);
    // Factory preset 5 ("Full Drive"): on, model 5, knobs 100, 33.7, 100, 16, 67, 35 percent.
    const std::vector<float> expected {1.0f, static_cast<float> (5.0 / 7.0), 1.0f,
                                       static_cast<float> (double (33.7f) / 100.0), 1.0f, 0.16f, 0.67f, 0.35f};
    const std::vector<float> values = binaryFloats (tap->last ("WA_SY"), "WA_SV");
    ASSERT_EQ (values.size (), expected.size ());
    for (size_t i = 0; i < expected.size (); ++i)
        EXPECT_NEAR (values[i], expected[i], 1e-6f) << "id " << i;
    int64 first = -1;
    ASSERT_EQ (tap->last ("WA_SY")->getAttributes ()->getInt ("WA_SF", first), kResultOk);
    EXPECT_EQ (first, 0);
    EXPECT_EQ (handler.restartCount (kParamTitlesChanged), 1);   // model 0 → 5
    EXPECT_TRUE (handler.edits ().empty ());
    EXPECT_EQ (selectedPreset (*instance), std::optional<std::string> ("CMVXSetSelectedPresetNumber5"));

    // Factory preset 6 ("Kick the Amp") sets "Parameter 1" to 0; blanks before the number are skipped.
    ASSERT_EQ (sendPresetRequest (*instance, "CMVXSetSelectedPresetNumber", "  6"), kResultOk);
    EXPECT_EQ (processorValue (*instance, 2), 0.0f);
    EXPECT_EQ (instance->controller ()->getParamNormalized (2), 0.0);
    EXPECT_EQ (tap->count ("WA_SY"), 2);

    // Texts without a number select preset 0; huge numbers are survived.
    for (const char* argument : {"", "abc", "   ", "+", "-"})
    {
        sendPresetRequest (*instance, "CMVXSetSelectedPresetNumber", "3");
        EXPECT_EQ (sendPresetRequest (*instance, "CMVXSetSelectedPresetNumber", argument), kResultOk) << argument;
        EXPECT_EQ (selectedPreset (*instance), std::optional<std::string> ("CMVXSetSelectedPresetNumber0"))
            << argument;
    }
    for (const char* huge : {"99999999999999999999", "-99999999999", "2147483647"})
        EXPECT_EQ (sendPresetRequest (*instance, "CMVXSetSelectedPresetNumber", huge), kResultOk);
}

TEST_F (ProcessorMessages, MalformedRequestsHaveDefinedResults)
{
    auto instance = tappedInstance ();
    ASSERT_NE (instance, nullptr);
    auto notify = [&] (const char* id, const char* key, const void* data, uint32 size) {
        auto message = instance->createMessage (id);
        if (key)
            message->getAttributes ()->setBinary (key, data, size);
        return instance->notifyProcessor (message);
    };
    // A text shorter than its key is no command at all; an unknown key is not handled.
    EXPECT_EQ (notify ("PrsHnd", "CMVXSetSelectedPresetNumber", "x", 1), kResultOk);
    EXPECT_EQ (notify ("PrsHnd", "CMVXSomethingElse", "x", 1), kResultFalse);

    const float data[2] = {1.0f, 2.0f};
    EXPECT_EQ (notify ("SeCuFD", "SeCuFD", data, 8), kResultOk);
    EXPECT_EQ (notify ("SeCuFD", nullptr, nullptr, 0), kResultOk);
    auto tagged = instance->createMessage ("SeCuFD");
    tagged->getAttributes ()->setBinary ("SeCuFD", data, 8);
    tagged->getAttributes ()->setInt ("IDtag", 4);
    EXPECT_EQ (instance->notifyProcessor (tagged), kResultOk);

    const int32 words[2] = {1, 1000000};
    EXPECT_EQ (notify ("GeCuFD", nullptr, nullptr, 0), kResultFalse);
    EXPECT_EQ (notify ("GeCuFD", "GeCuFD", words, 8), kResultOk);
    EXPECT_EQ (notify ("GeCuFD", "GeCuFD", words, 3), kResultOk);
    EXPECT_EQ (instance->processorToController ()->count ("GeCuFD"), 0);
}

TEST_F (ProcessorMessages, GarbageBlocksUnderEveryKeyAreSurvived)
{
    auto instance = tappedInstance ();
    ASSERT_NE (instance, nullptr);
    std::mt19937 random (99);
    std::vector<char> garbage (1 << 20);
    for (char& c : garbage)
        c = static_cast<char> (random ());
    for (const char* key : {"CMVXGetFactoryPresetsMessage", "CMVXGetUserPresetsMessage", "CMVXSetPresetAsSaveAs",
                            "CMVXSetPresetSave", "CMVXSetPresetDelete", "CMVXSetSelectedPresetNumber",
                            "CMVXGetSelectedPresetNumber"})
    {
        auto message = instance->createMessage ("PrsHnd");
        message->getAttributes ()->setBinary (key, garbage.data (), static_cast<uint32> (garbage.size ()));
        EXPECT_EQ (instance->notifyProcessor (message), kResultOk) << key;
    }
    // A megabyte of noise as a preset name is kept for the session but never written.
    EXPECT_EQ (presetFiles (), 0u);
    for (float value : savedParameterValues (*instance))
        EXPECT_TRUE (std::isfinite (value) && value >= 0.0f && value <= 1.0f);
}
