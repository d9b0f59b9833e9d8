// SPDX-License-Identifier: GPL-3.0-or-later
// The processor's answers to the controller, read from the recorded connection as soon as the
// request's notify returns, and its handling of malformed requests.
#include "MessagesTestSupport.h"
#include "host/StateBytes.h"
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace MessagesTest;

using ProcessorMessages = MessagesFixture;

namespace {
const char* const kFactoryNames[] = {"Torvin's Booster", "Ossik's Riff", "Rock Distorion", "Crunch",
                                     "Rock Drive", "Full Drive", "Kick the Amp", "Metal"};
}

TEST_F (ProcessorMessages, ValueRequestsAreAnsweredInsideTheSend)
{
    auto instance = tappedInstance ();
    ASSERT_NE (instance, nullptr);
    editorSetsParameter (*instance, 5, 0.375);
    auto request = instance->createMessage ("Binary");
    const int32 id = 5;
    request->getAttributes ()->setBinary ("GePaVa", &id, 4);
    ASSERT_EQ (instance->notifyProcessor (request), kResultOk);
    ASSERT_EQ (instance->processorToController ()->count ("Binary"), 1);
    EXPECT_EQ (binaryFloats (instance->processorToController ()->last ("Binary"), "SePaVa"),
               std::vector<float> {0.375f});

    // Ids the processor does not have answer 0; a request of the wrong size gets no answer.
    const int32 outside = 1000;
    request->getAttributes ()->setBinary ("GePaVa", &outside, 4);
    EXPECT_EQ (instance->notifyProcessor (request), kResultOk);
    EXPECT_EQ (binaryFloats (instance->processorToController ()->last ("Binary"), "SePaVa"),
               std::vector<float> {0.0f});
    for (uint32 size : {1u, 3u, 5u, 8u, 4096u})
    {
        std::vector<char> bytes (size + 1, 1);
        request->getAttributes ()->setBinary ("GePaVa", bytes.data (), size);
        EXPECT_EQ (instance->notifyProcessor (request), kResultOk) << size;
    }
    EXPECT_EQ (instance->processorToController ()->count ("Binary"), 2);
    EXPECT_EQ (instance->notifyProcessor (instance->createMessage ("Binary")), kResultFalse);
}

TEST_F (ProcessorMessages, ControllerAsksForValuesItDoesNotHold)
{
    auto instance = tappedInstance ();
    ASSERT_NE (instance, nullptr);
    EXPECT_EQ (instance->controller ()->getParamNormalized (9), 0.0);
    EXPECT_EQ (instance->controllerToProcessor ()->count ("Binary"), 1);
    EXPECT_EQ (instance->processorToController ()->count ("Binary"), 1);   // answered inside the send
}

TEST_F (ProcessorMessages, ParameterWritesReachTheProcessorWithoutEcho)
{
    auto instance = tappedInstance ();
    ASSERT_NE (instance, nullptr);
    auto message = instance->createMessage ("WA_SP");
    message->getAttributes ()->setInt ("WA_PI", 3);
    message->getAttributes ()->setFloat ("WA_PV", 0.25);
    EXPECT_EQ (instance->notifyProcessor (message), kResultFalse);   // handled, then left to the base
    EXPECT_EQ (processorValue (*instance, 3), 0.25f);
    EXPECT_EQ (instance->processorToController ()->count ("WA_SP"), 0);

    // Missing, non-finite or out-of-range values never reach the DSP as such.
    auto missing = instance->createMessage ("WA_SP");
    missing->getAttributes ()->setInt ("WA_PI", 3);
    EXPECT_EQ (instance->notifyProcessor (missing), kResultFalse);
    auto notANumber = instance->createMessage ("WA_SP");
    notANumber->getAttributes ()->setInt ("WA_PI", 3);
    notANumber->getAttributes ()->setFloat ("WA_PV", std::numeric_limits<double>::quiet_NaN ());
    instance->notifyProcessor (notANumber);
    EXPECT_EQ (processorValue (*instance, 3), 0.25f);
    notANumber->getAttributes ()->setFloat ("WA_PV", 7.0);
    instance->notifyProcessor (notANumber);
    EXPECT_EQ (processorValue (*instance, 3), 1.0f);
    for (int64 id : {int64 (-1), int64 (8), int64 (1) << 40})
    {
        notANumber->getAttributes ()->setInt ("WA_PI", id);
        notANumber->getAttributes ()->setFloat ("WA_PV", 0.5);
        instance->notifyProcessor (notANumber);
    }
    EXPECT_EQ (processorValue (*instance, 0), 1.0f);
}

TEST_F (ProcessorMessages, FactoryListHoldsTheEightPresetsInOrder)
{
    auto instance = tappedInstance ();
    ASSERT_NE (instance, nullptr);
    const auto text = requestText (*instance, "CMVXGetFactoryPresetsMessage", "CMVXSetFactoryPresetsMessage");
    ASSERT_TRUE (text);
    std::string expected = "CMVXSetFactoryPresetsMessage";
    for (const char* name : kFactoryNames)
        expected += std::string ("<CMVXPRESET><CMVXPRESETINFO>Overmoor</CMVXPRESETINFO>") + name;
    EXPECT_EQ (*text, expected);
    EXPECT_EQ (countOf (*text, "<CMVXPRESET>"), 8);
}

TEST_F (ProcessorMessages, AFreshUserListIsTheKeyAlone)
{
    auto instance = tappedInstance ();
    ASSERT_NE (instance, nullptr);
    EXPECT_EQ (requestText (*instance, "CMVXGetUserPresetsMessage", "CMVXSetUserPresetsMessage"),
               std::optional<std::string> ("CMVXSetUserPresetsMessage"));
    EXPECT_EQ (requestText (*instance, "CMVXGetSelectedPresetNumber", "CMVXSetSelectedPresetNumber"),
               std::optional<std::string> ("CMVXSetSelectedPresetNumber0"));
}

TEST_F (ProcessorMessages, SelectionSyncsOnceAndIsReportedBack)
{
    auto instance = tappedInstance ();
    ASSERT_NE (instance, nullptr);
    auto& handler = instance->componentHandler ();
    handler.clear ();
    ASSERT_EQ (sendPresetRequest (*instance, "CMVXSetSelectedPresetNumber", "5"), kResultOk);
    auto* tap = instance->processorToController ();
    ASSERT_EQ (tap->count ("WA_SY"), 1);
    EXPECT_EQ (binaryFloats (tap->last ("WA_SY"), "WA_SV").size (), 8u);
    int64 first = -1;
    ASSERT_EQ (tap->last ("WA_SY")->getAttributes ()->getInt ("WA_SF", first), kResultOk);
    EXPECT_EQ (first, 0);
    EXPECT_EQ (handler.restartCount (kParamTitlesChanged), 1);   // model 0 → 5
    EXPECT_TRUE (handler.edits ().empty ());
    EXPECT_EQ (requestText (*instance, "CMVXGetSelectedPresetNumber", "CMVXSetSelectedPresetNumber"),
               std::optional<std::string> ("CMVXSetSelectedPresetNumber5"));

    // Factory preset 6 ("Kick the Amp") sets "Parameter 1" to 0; blanks before the number are skipped.
    ASSERT_EQ (sendPresetRequest (*instance, "CMVXSetSelectedPresetNumber", "  6"), kResultOk);
    EXPECT_EQ (processorValue (*instance, 2), 0.0f);
    EXPECT_EQ (instance->controller ()->getParamNormalized (2), 0.0);
    EXPECT_EQ (tap->count ("WA_SY"), 2);
}

TEST_F (ProcessorMessages, SelectionTextsWithoutANumberSelectPresetZero)
{
    auto instance = tappedInstance ();
    ASSERT_NE (instance, nullptr);
    sendPresetRequest (*instance, "CMVXSetSelectedPresetNumber", "3");
    for (const char* argument : {"", "abc", "   ", "+", "-"})
    {
        sendPresetRequest (*instance, "CMVXSetSelectedPresetNumber", "3");
        EXPECT_EQ (sendPresetRequest (*instance, "CMVXSetSelectedPresetNumber", argument), kResultOk) << argument;
        EXPECT_EQ (requestText (*instance, "CMVXGetSelectedPresetNumber", "CMVXSetSelectedPresetNumber"),
                   std::optional<std::string> ("CMVXSetSelectedPresetNumber0"))
            << argument;
    }
    // A text shorter than its key is no command at all.
    auto shortText = instance->createMessage ("PrsHnd");
    shortText->getAttributes ()->setBinary ("CMVXSetSelectedPresetNumber", "x", 1);
    EXPECT_EQ (instance->notifyProcessor (shortText), kResultOk);
    for (const char* huge : {"99999999999999999999", "-99999999999", "2147483647"})
        EXPECT_EQ (sendPresetRequest (*instance, "CMVXSetSelectedPresetNumber", huge), kResultOk);
}

TEST_F (ProcessorMessages, MalformedRequestsHaveDefinedResults)
{
    auto instance = tappedInstance ();
    ASSERT_NE (instance, nullptr);
    auto unknownKey = instance->createMessage ("PrsHnd");
    unknownKey->getAttributes ()->setBinary ("CMVXSomethingElse", "x", 1);
    EXPECT_EQ (instance->notifyProcessor (unknownKey), kResultFalse);

    auto noTag = instance->createMessage ("SeCuFD");
    const float data[2] = {1.0f, 2.0f};
    noTag->getAttributes ()->setBinary ("SeCuFD", data, 8);
    EXPECT_EQ (instance->notifyProcessor (noTag), kResultOk);
    EXPECT_EQ (instance->notifyProcessor (instance->createMessage ("SeCuFD")), kResultOk);
    noTag->getAttributes ()->setInt ("IDtag", 4);
    EXPECT_EQ (instance->notifyProcessor (noTag), kResultOk);

    auto floatRequest = instance->createMessage ("GeCuFD");
    EXPECT_EQ (instance->notifyProcessor (floatRequest), kResultFalse);
    const int32 words[2] = {1, 1000000};
    floatRequest->getAttributes ()->setBinary ("GeCuFD", words, 8);
    EXPECT_EQ (instance->notifyProcessor (floatRequest), kResultOk);
    floatRequest->getAttributes ()->setBinary ("GeCuFD", words, 3);
    EXPECT_EQ (instance->notifyProcessor (floatRequest), kResultOk);
    EXPECT_EQ (instance->processorToController ()->count ("GeCuFD"), 0);

    auto text = instance->createMessage ("TextMessage");
    text->getAttributes ()->setString ("Text", STR16 ("hello"));
    EXPECT_EQ (instance->notifyProcessor (text), kResultOk);
    EXPECT_EQ (instance->notifyProcessor (instance->createMessage ("TextMessage")), kResultFalse);
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
    EXPECT_TRUE (PresetTest::filesIn (presetFolder->path ()).empty ());
    std::vector<uint8_t> state;
    ASSERT_EQ (instance->getState (state), kResultOk);
    for (float value : Morvane::Host::floatsOf (state))
        EXPECT_TRUE (std::isfinite (value) && value >= 0.0f && value <= 1.0f);
}
