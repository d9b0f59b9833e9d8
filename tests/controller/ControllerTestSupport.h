// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Stand-ins around an edit controller under test: a processor peer that records what it is sent
// and may answer at once, an editor view that records notifications, and message helpers.
#include "controller/CMVXControllerEditorInterface.h"
#include "controller/CMVXMessageKeys.h"
#include "controller/CMVXStravelEditController.h"
#include "host/ComponentHandlerRecorder.h"
#include "support/MessageAttributes.h"
#include "base/source/fobject.h"
#include "pluginterfaces/vst/ivstmessage.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ControllerTest {

using namespace Steinberg;
using namespace Steinberg::Vst;
namespace keys = CMVXMessageKeys;

class RecordingPeer : public FObject, public IConnectionPoint
{
public:
    tresult PLUGIN_API connect (IConnectionPoint*) override { return kResultOk; }
    tresult PLUGIN_API disconnect (IConnectionPoint*) override { return kResultOk; }
    tresult PLUGIN_API notify (IMessage* message) override
    {
        messages.push_back (IPtr<IMessage> (message));
        if (answer)
            answer (message);
        return kResultOk;
    }
    int count (const std::string& id) const
    {
        return int (std::count_if (messages.begin (), messages.end (), [&] (const auto& message) {
            return keys::isId (message->getMessageID (), id.c_str ());
        }));
    }
    IMessage* last () const { return messages.empty () ? nullptr : messages.back ().get (); }

    std::vector<IPtr<IMessage>> messages;
    std::function<void (IMessage*)>
        answer;   // runs inside notify, as a directly connected processor answers

    OBJ_METHODS (RecordingPeer, FObject)
    REFCOUNT_METHODS (FObject)
    DEFINE_INTERFACES
    DEF_INTERFACE (IConnectionPoint)
    END_DEFINE_INTERFACES (FObject)
};

class FakeEditor : public EditorView, public CMVXControllerEditorInterface
{
public:
    FakeEditor (EditController* controller, int32 parameterCount = 10)
    : EditorView (controller), parameterCount (parameterCount)
    {}
    int32 getEditorParameterCount () const override { return parameterCount; }
    void markParameterPending (int32 index) override { pending.push_back (index); }
    void setParameter (int32 index, float value) override { values.emplace_back (index, value); }
    void receiveMessage (const std::string& text) override { texts.push_back (text); }
    void requestPresets () override { ++presetRequests; }

    int32 parameterCount;
    std::vector<int32> pending;
    std::vector<std::pair<int32, float>> values;
    std::vector<std::string> texts;
    int presetRequests = 0;
};

inline IPtr<IMessage> makeMessage (const char* id)
{
    IPtr<IMessage> message = owned (static_cast<IMessage*> (new HostMessage ()));
    message->setMessageID (id);
    return message;
}

inline IPtr<IMessage> blob (const char* id, const char* key, const std::string& bytes)
{
    auto message = makeMessage (id);
    message->getAttributes ()->setBinary (key, bytes.data (), static_cast<uint32> (bytes.size ()));
    return message;
}

inline std::string floats (const std::vector<float>& values)
{
    return {reinterpret_cast<const char*> (values.data ()), values.size () * 4};
}

using Morvane::Test::binaryText;

inline std::string narrow (const String128 text)
{
    std::string out;
    for (int i = 0; i < 128 && text[i] != 0; ++i)
        out += static_cast<char> (text[i]);
    return out;
}

// An initialised product controller with a host context; peer and handler on request.
class ControllerFixture : public ::testing::Test
{
protected:
    void SetUp () override
    {
        ASSERT_EQ (controller->initialize (static_cast<FUnknown*> (host.get ())), kResultOk);
    }
    void TearDown () override
    {
        if (peer)
            controller->disconnect (peer);
        controller->terminate ();
    }
    void connectPeer ()
    {
        peer = owned (new RecordingPeer ());
        ASSERT_EQ (controller->connect (peer), kResultOk);
    }
    void setHandler () { ASSERT_EQ (controller->setComponentHandler (handler), kResultTrue); }
    std::string title (int32 index)
    {
        ParameterInfo info {};
        EXPECT_EQ (controller->getParameterInfo (index, info), kResultTrue);
        EXPECT_EQ (narrow (info.title), narrow (info.shortTitle));
        return narrow (info.title);
    }
    int titleRestarts () const { return handler->restartCount (kParamTitlesChanged); }

    std::unique_ptr<HostApplication> host =
        std::make_unique<HostApplication> ();   // not reference-counted
    IPtr<CMVXStravelEditController> controller = owned (new CMVXStravelEditController ());
    IPtr<Morvane::Host::ComponentHandlerRecorder> handler =
        owned (new Morvane::Host::ComponentHandlerRecorder ());
    IPtr<RecordingPeer> peer;
};

}   // namespace ControllerTest
