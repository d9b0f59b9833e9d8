// SPDX-License-Identifier: GPL-3.0-or-later
// Messages from the processor: value answers, parameter sync, preset texts for the editors and
// the custom-float-data channel, including malformed messages.
#include "ControllerTestSupport.h"
#include <cstring>

using namespace ControllerTest;
using ControllerMessages = ControllerFixture;

namespace {

IPtr<IMessage> syncMessage (int64 first, const std::string& bytes)
{
    auto message = blob (keys::kSyncParameters, keys::kSyncValues, bytes);
    message->getAttributes ()->setInt (keys::kSyncFirstId, first);
    return message;
}

}   // namespace

TEST_F (ControllerMessages, MalformedMessagesAreRefusedOrHarmless)
{
    EXPECT_EQ (controller->notify (nullptr), kInvalidArgument);
    controller->setParamNormalized (2, 0.3);
    for (const char* id :
         {"TextMessage", "", keys::kBinary, keys::kSetParameter, keys::kSyncParameters,
          keys::kPresetHandling, keys::kDspToUi, keys::kGetCustomFloatData})
        EXPECT_EQ (controller->notify (makeMessage (id)), kResultFalse) << '"' << id << '"';

    auto onlyId = makeMessage (keys::kSetParameter);
    onlyId->getAttributes ()->setInt (keys::kParameterId, 2);
    EXPECT_EQ (controller->notify (onlyId), kResultFalse);
    EXPECT_EQ (
        controller->notify (blob (keys::kSyncParameters, keys::kSyncValues, floats ({1.0f}))),
        kResultFalse);
    // Attribute lists do not report types: a number read as a block reads as an empty block.
    auto numberAsText = makeMessage (keys::kPresetHandling);
    numberAsText->getAttributes ()->setInt (keys::kUserPresetList, 0x1234);
    EXPECT_EQ (controller->notify (numberAsText), kResultOk);
    auto numberAsValues = makeMessage (keys::kSyncParameters);
    numberAsValues->getAttributes ()->setInt (keys::kSyncFirstId, 2);
    numberAsValues->getAttributes ()->setInt (keys::kSyncValues, 0x1234);
    EXPECT_EQ (controller->notify (numberAsValues), kResultOk);
    EXPECT_DOUBLE_EQ (controller->getParamNormalized (2), 0.3);
    // A preset text with no editor to show it is dropped.
    EXPECT_EQ (controller->notify (blob (keys::kPresetHandling, keys::kUserPresetList, "x")),
               kResultOk);
}

// Values the processor reports are not edits performed by the user.
TEST_F (ControllerMessages, ParameterAndSyncUpdateValuesTitlesAndEditorsWithoutEdits)
{
    setHandler ();
    auto message = makeMessage (keys::kSetParameter);
    message->getAttributes ()->setInt (keys::kParameterId, 1);
    message->getAttributes ()->setFloat (keys::kParameterValue, 3.0 / 7.0);
    EXPECT_EQ (controller->notify (message), kResultOk);
    EXPECT_DOUBLE_EQ (controller->getParamNormalized (1), 3.0 / 7.0);
    EXPECT_EQ (title (4), "Tone");
    EXPECT_EQ (titleRestarts (), 1);

    IPtr<FakeEditor> editor = owned (new FakeEditor (controller));
    editor->attachedToParent ();
    const std::vector<float> values = {1.0f, 1.0f, 0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f};
    EXPECT_EQ (controller->notify (syncMessage (0, floats (values))), kResultOk);
    ASSERT_EQ (editor->values.size (), 8u);
    for (int32 id = 0; id < 8; ++id)
    {
        EXPECT_EQ (controller->getParamNormalized (ParamID (id)), double (values[size_t (id)]))
            << id;
        EXPECT_EQ (editor->values[size_t (id)], std::make_pair (id, values[size_t (id)]));
        EXPECT_EQ (editor->pending[size_t (id)], id);
    }
    EXPECT_EQ (titleRestarts (), 2);
    EXPECT_EQ (title (5), "Treble");
    EXPECT_TRUE (handler->edits ().empty ());
    editor->removedFromParent ();
}

TEST_F (ControllerMessages, SyncOfAnyLengthIsAppliedValueByValue)
{
    EXPECT_EQ (controller->notify (syncMessage (6, floats ({0.25f, 0.5f, 0.75f, 1.0f}))),
               kResultOk);
    EXPECT_EQ (controller->getParamNormalized (6), 0.25);
    EXPECT_EQ (controller->getParamNormalized (7), 0.5);
    // An odd byte count ignores the incomplete tail; less than one value changes nothing.
    const std::string bytes = floats ({0.25f}) + "\x01\x02";
    EXPECT_EQ (controller->notify (syncMessage (2, bytes)), kResultOk);
    EXPECT_EQ (controller->notify (syncMessage (2, bytes.substr (0, 3))), kResultOk);
    EXPECT_EQ (controller->getParamNormalized (2), 0.25);
    // Negative first ids, ids far outside the table and huge blocks are harmless.
    EXPECT_EQ (controller->notify (syncMessage (-3, floats ({0.5f, 0.5f, 0.5f, 0.125f}))),
               kResultOk);
    EXPECT_EQ (controller->getParamNormalized (0), 0.125);
    EXPECT_EQ (
        controller->notify (syncMessage (0x7ffffff0, floats (std::vector<float> (100000, 0.5f)))),
        kResultOk);
    EXPECT_EQ (controller->getParamNormalized (0), 0.125);
}

TEST_F (ControllerMessages, ValuesTheTableLacksAreAskedForAndFallBackToZero)
{
    EXPECT_EQ (controller->getParamNormalized (9), 0.0);   // no peer at all
    // An answer nobody asked for is not taken for the answer to a later request.
    EXPECT_EQ (controller->notify (blob (keys::kBinary, keys::kSetParameterValue,
                                         floats (std::vector<float> (40, 0.5f)))),
               kResultOk);
    connectPeer ();
    EXPECT_EQ (controller->getParamNormalized (20), 0.0);   // a peer that stays silent
    EXPECT_EQ (peer->count (keys::kBinary), 1);

    peer->answer = [&] (IMessage* request) {
        auto id = binaryText (request, keys::kGetParameterValue);
        ASSERT_TRUE (id && id->size () == 4u);
        int32 requested = 0;
        std::memcpy (&requested, id->data (), 4);
        EXPECT_EQ (controller->notify (blob (keys::kBinary, keys::kSetParameterValue,
                                             floats ({0.01f * float (requested)}))),
                   kResultOk);
    };
    EXPECT_FLOAT_EQ (float (controller->getParamNormalized (9)), 0.09f);
    EXPECT_FLOAT_EQ (float (controller->getParamNormalized (8)), 0.08f);
    controller->getParamNormalized (3);   // ids the table holds never ask
    EXPECT_EQ (peer->count (keys::kBinary), 3);

    peer->answer = [&] (IMessage*) {   // a short answer holds zero values but is still an answer
        EXPECT_EQ (controller->notify (blob (keys::kBinary, keys::kSetParameterValue, "ab")),
                   kResultOk);
    };
    EXPECT_EQ (controller->getParamNormalized (20), 0.0);
}

TEST_F (ControllerMessages, PresetTextsReachEveryAttachedEditorByteForByte)
{
    IPtr<FakeEditor> first = owned (new FakeEditor (controller));
    IPtr<FakeEditor> second = owned (new FakeEditor (controller));
    first->attachedToParent ();
    second->attachedToParent ();
    EXPECT_EQ (first->presetRequests + second->presetRequests, 2);

    std::string userList = std::string (keys::kUserPresetList)
                           + "<CMVXPRESET><CMVXPRESETINFO>Overmoor"
                             "</CMVXPRESETINFO>My \xC3\xA9t\xC3\xA9 sound";
    userList += std::string ("\0x", 2);   // embedded NUL survives
    EXPECT_EQ (controller->notify (blob (keys::kPresetHandling, keys::kUserPresetList, userList)),
               kResultOk);
    EXPECT_EQ (first->texts, std::vector<std::string> {userList});
    EXPECT_EQ (second->texts, first->texts);

    // The first answer key present wins; an unknown key alone is refused.
    auto both =
        blob (keys::kPresetHandling, keys::kSetSelectedPreset, "CMVXSetSelectedPresetNumber3");
    both->getAttributes ()->setBinary (keys::kFactoryPresetList, "CMVXSetFactoryPresetsMessage",
                                       28);
    EXPECT_EQ (controller->notify (both), kResultOk);
    EXPECT_EQ (first->texts.back (), "CMVXSetFactoryPresetsMessage");
    EXPECT_EQ (controller->notify (blob (keys::kPresetHandling, "CMVXSomethingElse", "x")),
               kResultFalse);
    EXPECT_EQ (controller->notify (blob (keys::kDspToUi, keys::kDspToUi, "hello")), kResultOk);
    EXPECT_EQ (second->texts.back (), "hello");

    first->removedFromParent ();
    controller->notify (blob (keys::kPresetHandling, keys::kUserPresetList, "later"));
    EXPECT_EQ (first->texts.size (), 3u);
    EXPECT_EQ (second->texts.back (), "later");
    second->removedFromParent ();
}

TEST_F (ControllerMessages, EditorsSeeTheirIndicesUntilRemovedDestroyedOrTerminated)
{
    IPtr<FakeEditor> small = owned (new FakeEditor (controller, 3));
    small->attachedToParent ();
    {
        IPtr<FakeEditor> dropped = owned (new FakeEditor (controller));
        dropped->attachedToParent ();
        dropped->attachedToParent ();   // attached twice, destroyed without being removed
    }
    controller->setParamNormalized (2, 0.5);   // would reach freed memory if remembered
    controller->setParamNormalized (3, 0.5);   // beyond what the small editor tracks
    controller->notify (makeMessage (keys::kDspToUi));
    EXPECT_EQ (small->values, (std::vector<std::pair<int32, float>> {{2, 0.5f}}));
    small->removedFromParent ();
    controller->setParamNormalized (2, 0.6);
    EXPECT_EQ (small->values.size (), 1u);

    IPtr<FakeEditor> editor = owned (new FakeEditor (controller));
    editor->attachedToParent ();
    controller->terminate ();
    controller->setParamNormalized (2, 0.5);
    EXPECT_TRUE (editor->values.empty ());
    ASSERT_EQ (controller->initialize (static_cast<FUnknown*> (host.get ())), kResultOk);
}

TEST_F (ControllerMessages, FloatDataGoesOutWithItsTagAndAnswersFillOrReplaceTheBuffer)
{
    float* buffer = nullptr;
    int32 capacity = 0;
    EXPECT_EQ (controller->getCustomFloatData (1, &buffer, &capacity, 0), 0);   // no peer
    connectPeer ();
    EXPECT_EQ (controller->getCustomFloatData (1, &buffer, &capacity, 0), 0);   // no answer
    EXPECT_EQ (buffer, nullptr);
    EXPECT_EQ (controller->getCustomFloatData (1, nullptr, &capacity, 0), 0);
    // A stray answer with no request pending goes nowhere.
    EXPECT_EQ (controller->notify (
                   blob (keys::kGetCustomFloatData, keys::kGetCustomFloatData, floats ({1.0f}))),
               kResultFalse);

    const std::vector<float> data = {0.25f, 0.5f, 0.75f};
    EXPECT_EQ (controller->setCustomFloatData (12, data.data (), 3), kResultOk);
    int64 tag = 0;
    ASSERT_EQ (peer->last ()->getAttributes ()->getInt (keys::kCustomDataTag, tag), kResultOk);
    EXPECT_EQ (tag, 12);
    EXPECT_EQ (binaryText (peer->last (), keys::kSetCustomFloatData), floats (data));
    EXPECT_EQ (controller->setCustomFloatData (12, nullptr, 3), kResultFalse);

    std::vector<float> answer;
    peer->answer = [&] (IMessage* request) {
        int32 idAndExtra[2] = {};
        auto words = binaryText (request, keys::kGetCustomFloatData);
        ASSERT_TRUE (words && words->size () == 8u);
        std::memcpy (idAndExtra, words->data (), 8);
        EXPECT_EQ (std::make_pair (idAndExtra[0], idAndExtra[1]), std::make_pair (77, 5));
        // The requester reads its ready flag, so the answer itself reports false.
        EXPECT_EQ (controller->notify (blob (keys::kGetCustomFloatData, keys::kGetCustomFloatData,
                                             floats (answer))),
                   kResultFalse);
    };
    float storage[4] = {};
    buffer = storage;
    capacity = 4;
    answer = {1.5f, 2.5f};   // fits: the caller's buffer is kept
    EXPECT_EQ (controller->getCustomFloatData (77, &buffer, &capacity, 5), 2);
    EXPECT_EQ (std::make_pair (buffer, capacity), std::make_pair (&storage[0], 4));
    EXPECT_EQ (storage[1], 2.5f);

    buffer = new float[4]();   // too small: replaced with one of the answer's size
    answer.assign (10, 0.5f);
    answer[9] = 9.5f;
    EXPECT_EQ (controller->getCustomFloatData (77, &buffer, &capacity, 5), 10);
    EXPECT_EQ (capacity, 10);
    EXPECT_EQ (std::vector<float> (buffer, buffer + 10), answer);
    delete[] buffer;
}
