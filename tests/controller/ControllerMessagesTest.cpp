// SPDX-License-Identifier: GPL-3.0-or-later
// Messages from the processor: value answers, parameter sync, preset texts for the editors and
// the custom-float-data channel, including malformed messages.
#include "ControllerTestSupport.h"
#include "controller/CMVXMessageKeys.h"
#include <cstring>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace ControllerTest;
namespace keys = CMVXMessageKeys;

using ControllerMessages = ControllerFixture;

namespace {

IPtr<IMessage> syncMessage (int64 first, const std::vector<float>& values)
{
    auto message = makeMessage (keys::kSyncParameters);
    message->getAttributes ()->setInt (keys::kSyncFirstId, first);
    message->getAttributes ()->setBinary (keys::kSyncValues, values.data (),
                                          static_cast<uint32> (values.size () * 4));
    return message;
}

IPtr<IMessage> textMessage (const char* id, const char* key, const std::string& text)
{
    auto message = makeMessage (id);
    message->getAttributes ()->setBinary (key, text.data (), static_cast<uint32> (text.size ()));
    return message;
}

} // namespace

TEST_F (ControllerMessages, NullMessageIsAnInvalidArgument)
{
    EXPECT_EQ (controller->notify (nullptr), kInvalidArgument);
}

TEST_F (ControllerMessages, UnknownOrIncompleteMessagesChangeNothing)
{
    controller->setParamNormalized (2, 0.3);
    EXPECT_EQ (controller->notify (makeMessage ("TextMessage")), kResultFalse);
    EXPECT_EQ (controller->notify (makeMessage ("")), kResultFalse);
    for (const char* id : {keys::kBinary, keys::kSetParameter, keys::kSyncParameters,
                           keys::kPresetHandling, keys::kDspToUi, keys::kGetCustomFloatData})
        EXPECT_EQ (controller->notify (makeMessage (id)), kResultFalse) << id;

    auto onlyId = makeMessage (keys::kSetParameter);
    onlyId->getAttributes ()->setInt (keys::kParameterId, 2);
    EXPECT_EQ (controller->notify (onlyId), kResultFalse);
    // Attribute lists do not report types: a number read as a block reads as an empty block.
    auto numberAsText = makeMessage (keys::kPresetHandling);
    numberAsText->getAttributes ()->setInt (keys::kUserPresetList, 0x1234);
    EXPECT_EQ (controller->notify (numberAsText), kResultOk);
    auto numberAsValues = makeMessage (keys::kSyncParameters);
    numberAsValues->getAttributes ()->setInt (keys::kSyncFirstId, 2);
    numberAsValues->getAttributes ()->setInt (keys::kSyncValues, 0x1234);
    EXPECT_EQ (controller->notify (numberAsValues), kResultOk);
    auto syncWithoutFirst = makeMessage (keys::kSyncParameters);
    const float one = 1.0f;
    syncWithoutFirst->getAttributes ()->setBinary (keys::kSyncValues, &one, 4);
    EXPECT_EQ (controller->notify (syncWithoutFirst), kResultFalse);
    EXPECT_DOUBLE_EQ (controller->getParamNormalized (2), 0.3);
}

TEST_F (ControllerMessages, ParameterFromTheProcessorIsAppliedWithoutEdit)
{
    setHandler ();
    auto message = makeMessage (keys::kSetParameter);
    message->getAttributes ()->setInt (keys::kParameterId, 1);
    message->getAttributes ()->setFloat (keys::kParameterValue, 3.0 / 7.0);
    EXPECT_EQ (controller->notify (message), kResultOk);
    EXPECT_DOUBLE_EQ (controller->getParamNormalized (1), 3.0 / 7.0);
    EXPECT_EQ (title (4), "Tone");
    EXPECT_EQ (titleRestarts (), 1);
    EXPECT_TRUE (handler->edits ().empty ());
}

TEST_F (ControllerMessages, SyncUpdatesEveryParameterTitleAndEditor)
{
    setHandler ();
    IPtr<FakeEditor> editor = owned (new FakeEditor (controller));
    editor->attachedToParent ();
    const std::vector<float> values = {1.0f, 1.0f, 0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f};
    EXPECT_EQ (controller->notify (syncMessage (0, values)), kResultOk);
    for (ParamID id = 0; id < 8; ++id)
        EXPECT_EQ (controller->getParamNormalized (id), static_cast<double> (values[id]));
    EXPECT_EQ (titleRestarts (), 1);
    EXPECT_EQ (title (5), "Treble");
    EXPECT_TRUE (handler->edits ().empty ());   // preset values are not performed edits
    ASSERT_EQ (editor->values.size (), 8u);
    for (int32 id = 0; id < 8; ++id)
    {
        EXPECT_EQ (editor->values[id].first, id);
        EXPECT_EQ (editor->values[id].second, values[id]);
        EXPECT_EQ (editor->pending[id], id);
    }
    editor->removedFromParent ();
}

TEST_F (ControllerMessages, SyncOfAnyLengthIsAppliedValueByValue)
{
    EXPECT_EQ (controller->notify (syncMessage (6, {0.25f, 0.5f, 0.75f, 1.0f})), kResultOk);
    EXPECT_EQ (controller->getParamNormalized (6), 0.25);
    EXPECT_EQ (controller->getParamNormalized (7), 0.5);

    // An odd byte count ignores the incomplete tail; less than one value changes nothing.
    auto odd = makeMessage (keys::kSyncParameters);
    odd->getAttributes ()->setInt (keys::kSyncFirstId, 2);
    const char bytes[6] = {0, 0, -128, 62, 1, 2};   // 0.25f then two stray bytes
    odd->getAttributes ()->setBinary (keys::kSyncValues, bytes, sizeof bytes);
    EXPECT_EQ (controller->notify (odd), kResultOk);
    EXPECT_EQ (controller->getParamNormalized (2), 0.25);
    auto tooShort = makeMessage (keys::kSyncParameters);
    tooShort->getAttributes ()->setInt (keys::kSyncFirstId, 2);
    tooShort->getAttributes ()->setBinary (keys::kSyncValues, bytes, 3);
    EXPECT_EQ (controller->notify (tooShort), kResultOk);
    EXPECT_EQ (controller->getParamNormalized (2), 0.25);

    // Ids far outside the table, negative first ids and huge blocks are harmless.
    EXPECT_EQ (controller->notify (syncMessage (-3, {0.5f, 0.5f, 0.5f, 0.125f})), kResultOk);
    EXPECT_EQ (controller->getParamNormalized (0), 0.125);
    EXPECT_EQ (controller->notify (syncMessage (0x7ffffff0, std::vector<float> (100000, 0.5f))), kResultOk);
    EXPECT_EQ (controller->getParamNormalized (0), 0.125);
}

TEST_F (ControllerMessages, ValueAnswerIsConsumedByTheRequest)
{
    connectPeer ();
    peer->answer = [&] (IMessage* request) {
        auto id = binaryText (request, keys::kGetParameterValue);
        ASSERT_TRUE (id);
        ASSERT_EQ (id->size (), 4u);
        int32 requested = 0;
        std::memcpy (&requested, id->data (), 4);
        const float value = 0.01f * static_cast<float> (requested);
        auto reply = makeMessage (keys::kBinary);
        reply->getAttributes ()->setBinary (keys::kSetParameterValue, &value, 4);
        EXPECT_EQ (controller->notify (reply), kResultOk);
    };
    EXPECT_FLOAT_EQ (static_cast<float> (controller->getParamNormalized (9)), 0.09f);
    ASSERT_EQ (peer->count (keys::kBinary), 1);
    EXPECT_FLOAT_EQ (static_cast<float> (controller->getParamNormalized (8)), 0.08f);
    // Ids the table holds never ask the processor.
    controller->getParamNormalized (3);
    EXPECT_EQ (peer->count (keys::kBinary), 2);
}

TEST_F (ControllerMessages, ValueRequestWithoutAnswerFallsBackToZero)
{
    EXPECT_EQ (controller->getParamNormalized (9), 0.0);   // no peer at all
    connectPeer ();
    EXPECT_EQ (controller->getParamNormalized (9), 0.0);   // a peer that stays silent
    EXPECT_EQ (peer->count (keys::kBinary), 1);
}

TEST_F (ControllerMessages, UnaskedLongAndShortValueAnswersAreHarmless)
{
    std::vector<float> many (40, 0.5f);
    auto reply = makeMessage (keys::kBinary);
    reply->getAttributes ()->setBinary (keys::kSetParameterValue, many.data (), 160);
    EXPECT_EQ (controller->notify (reply), kResultOk);
    // An answer nobody asked for is not taken for the answer to a later request.
    EXPECT_EQ (controller->getParamNormalized (20), 0.0);

    connectPeer ();
    peer->answer = [&] (IMessage*) {
        auto shortReply = makeMessage (keys::kBinary);
        shortReply->getAttributes ()->setBinary (keys::kSetParameterValue, "ab", 2);
        EXPECT_EQ (controller->notify (shortReply), kResultOk);   // zero values, still an answer
    };
    EXPECT_EQ (controller->getParamNormalized (20), 0.0);
}

TEST_F (ControllerMessages, PresetTextsReachEveryAttachedEditorByteForByte)
{
    IPtr<FakeEditor> first = owned (new FakeEditor (controller));
    IPtr<FakeEditor> second = owned (new FakeEditor (controller));
    first->attachedToParent ();
    second->attachedToParent ();
    EXPECT_EQ (first->presetRequests, 1);
    EXPECT_EQ (second->presetRequests, 1);

    std::string userList = std::string (keys::kUserPresetList) + "<CMVXPRESET><CMVXPRESETINFO>Overmoor"
                           "</CMVXPRESETINFO>My \xC3\xA9t\xC3\xA9 sound";
    userList += std::string ("\0x", 2);   // embedded NUL survives
    EXPECT_EQ (controller->notify (textMessage (keys::kPresetHandling, keys::kUserPresetList, userList)),
               kResultOk);
    ASSERT_EQ (first->texts.size (), 1u);
    EXPECT_EQ (first->texts[0], userList);
    EXPECT_EQ (second->texts, first->texts);

    // The first answer key present wins; an unknown key alone is refused.
    auto both = textMessage (keys::kPresetHandling, keys::kSetSelectedPreset, "CMVXSetSelectedPresetNumber3");
    both->getAttributes ()->setBinary (keys::kFactoryPresetList, "CMVXSetFactoryPresetsMessage", 28);
    EXPECT_EQ (controller->notify (both), kResultOk);
    EXPECT_EQ (first->texts.back (), "CMVXSetFactoryPresetsMessage");
    EXPECT_EQ (controller->notify (textMessage (keys::kPresetHandling, "CMVXSomethingElse", "x")),
               kResultFalse);

    EXPECT_EQ (controller->notify (textMessage (keys::kDspToUi, keys::kDspToUi, "hello")), kResultOk);
    EXPECT_EQ (second->texts.back (), "hello");

    first->removedFromParent ();
    controller->notify (textMessage (keys::kPresetHandling, keys::kUserPresetList, "later"));
    EXPECT_EQ (first->texts.size (), 3u);
    EXPECT_EQ (second->texts.back (), "later");
    second->removedFromParent ();
}

TEST_F (ControllerMessages, PresetTextWithNoEditorIsDropped)
{
    EXPECT_EQ (controller->notify (textMessage (keys::kPresetHandling, keys::kUserPresetList,
                                                keys::kUserPresetList)),
               kResultOk);
}

TEST_F (ControllerMessages, EditorsSeeOnlyIndicesTheyTrack)
{
    IPtr<FakeEditor> small = owned (new FakeEditor (controller, 3));
    small->attachedToParent ();
    controller->setParamNormalized (2, 0.5);
    controller->setParamNormalized (3, 0.5);
    ASSERT_EQ (small->values.size (), 1u);
    EXPECT_EQ (small->values[0].first, 2);
    small->removedFromParent ();
    controller->setParamNormalized (2, 0.6);
    EXPECT_EQ (small->values.size (), 1u);
}

TEST_F (ControllerMessages, TerminateForgetsTheEditors)
{
    IPtr<FakeEditor> editor = owned (new FakeEditor (controller));
    editor->attachedToParent ();
    controller->terminate ();
    controller->setParamNormalized (2, 0.5);
    EXPECT_TRUE (editor->values.empty ());
    ASSERT_EQ (controller->initialize (static_cast<FUnknown*> (host.get ())), kResultOk);
}

TEST_F (ControllerMessages, FloatAnswerLargerThanTheBufferReplacesIt)
{
    connectPeer ();
    std::vector<float> answer (10);
    for (size_t i = 0; i < answer.size (); ++i)
        answer[i] = 0.5f + static_cast<float> (i);
    peer->answer = [&] (IMessage* request) {
        auto words = binaryText (request, keys::kGetCustomFloatData);
        ASSERT_TRUE (words);
        ASSERT_EQ (words->size (), 8u);
        int32 idAndExtra[2] = {};
        std::memcpy (idAndExtra, words->data (), 8);
        EXPECT_EQ (idAndExtra[0], 77);
        EXPECT_EQ (idAndExtra[1], 5);
        auto reply = makeMessage (keys::kGetCustomFloatData);
        reply->getAttributes ()->setBinary (keys::kGetCustomFloatData, answer.data (), 40);
        EXPECT_EQ (controller->notify (reply), kResultFalse);   // the requester reads its ready flag
    };
    float* buffer = new float[4] ();
    int32 capacity = 4;
    EXPECT_EQ (controller->getCustomFloatData (77, &buffer, &capacity, 5), 10);
    EXPECT_EQ (capacity, 10);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ (buffer[i], answer[static_cast<size_t> (i)]);
    delete[] buffer;
}

TEST_F (ControllerMessages, FloatAnswerThatFitsKeepsTheBuffer)
{
    connectPeer ();
    peer->answer = [&] (IMessage*) {
        const float two[2] = {1.5f, 2.5f};
        auto reply = makeMessage (keys::kGetCustomFloatData);
        reply->getAttributes ()->setBinary (keys::kGetCustomFloatData, two, 8);
        controller->notify (reply);
    };
    float storage[4] = {};
    float* buffer = storage;
    int32 capacity = 4;
    EXPECT_EQ (controller->getCustomFloatData (1, &buffer, &capacity, 0), 2);
    EXPECT_EQ (buffer, storage);
    EXPECT_EQ (capacity, 4);
    EXPECT_EQ (storage[1], 2.5f);
}

TEST_F (ControllerMessages, FloatRequestWithoutAnswerGivesNothing)
{
    float* buffer = nullptr;
    int32 capacity = 0;
    EXPECT_EQ (controller->getCustomFloatData (1, &buffer, &capacity, 0), 0);
    connectPeer ();
    EXPECT_EQ (controller->getCustomFloatData (1, &buffer, &capacity, 0), 0);
    EXPECT_EQ (buffer, nullptr);
    EXPECT_EQ (controller->getCustomFloatData (1, nullptr, &capacity, 0), 0);
    // A stray answer with no request pending goes nowhere.
    auto reply = makeMessage (keys::kGetCustomFloatData);
    const float one = 1.0f;
    reply->getAttributes ()->setBinary (keys::kGetCustomFloatData, &one, 4);
    EXPECT_EQ (controller->notify (reply), kResultFalse);
}

TEST_F (ControllerMessages, FloatDataIsSentWithItsTag)
{
    connectPeer ();
    const float data[3] = {0.25f, 0.5f, 0.75f};
    EXPECT_EQ (controller->setCustomFloatData (12, data, 3), kResultOk);
    ASSERT_EQ (peer->count (keys::kSetCustomFloatData), 1);
    int64 tag = 0;
    ASSERT_EQ (peer->last ()->getAttributes ()->getInt (keys::kCustomDataTag, tag), kResultOk);
    EXPECT_EQ (tag, 12);
    EXPECT_EQ (binaryFloats (peer->last (), keys::kSetCustomFloatData), std::vector<float> (data, data + 3));
    EXPECT_EQ (controller->setCustomFloatData (12, nullptr, 3), kResultFalse);
}

TEST_F (ControllerMessages, AnEditorDestroyedWhileAttachedIsForgotten)
{
    IPtr<FakeEditor> kept = owned (new FakeEditor (controller));
    kept->attachedToParent ();
    {
        IPtr<FakeEditor> dropped = owned (new FakeEditor (controller));
        dropped->attachedToParent ();
        dropped->attachedToParent ();   // attached twice, destroyed without being removed
    }
    controller->setParamNormalized (2, 0.5);   // would reach freed memory if remembered
    controller->notify (makeMessage (keys::kDspToUi));
    EXPECT_EQ (kept->values.size (), 1u);
    kept->removedFromParent ();
    controller->setParamNormalized (2, 0.6);
    EXPECT_EQ (kept->values.size (), 1u);
}
