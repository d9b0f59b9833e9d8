// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Stand-ins around an edit controller under test: a processor peer that records what it is sent
// and may answer at once, an editor view that records notifications, and message helpers.
#include "controller/CMVXControllerEditorInterface.h"
#include "controller/CMVXStravelEditController.h"
#include "host/ComponentHandlerRecorder.h"
#include "pluginterfaces/vst/ivstmessage.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ControllerTest {

class RecordingPeer : public Steinberg::Vst::IConnectionPoint
{
public:
    RecordingPeer ();
    virtual ~RecordingPeer ();
    Steinberg::tresult PLUGIN_API connect (Steinberg::Vst::IConnectionPoint*) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API disconnect (Steinberg::Vst::IConnectionPoint*) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API notify (Steinberg::Vst::IMessage* message) SMTG_OVERRIDE;

    int count (const std::string& id) const;
    Steinberg::Vst::IMessage* last () const;

    std::vector<Steinberg::IPtr<Steinberg::Vst::IMessage>> messages;
    // Runs inside notify, as a directly connected processor answers.
    std::function<void (Steinberg::Vst::IMessage*)> answer;

    DECLARE_FUNKNOWN_METHODS
};

class FakeEditor : public Steinberg::Vst::EditorView, public CMVXControllerEditorInterface
{
public:
    FakeEditor (Steinberg::Vst::EditController* controller, Steinberg::int32 parameterCount = 10)
    : EditorView (controller), parameterCount (parameterCount)
    {
    }
    Steinberg::int32 getEditorParameterCount () const override { return parameterCount; }
    void markParameterPending (Steinberg::int32 index) override { pending.push_back (index); }
    void setParameter (Steinberg::int32 index, float value) override { values.emplace_back (index, value); }
    void receiveMessage (const std::string& text) override { texts.push_back (text); }
    void requestPresets () override { ++presetRequests; }

    Steinberg::int32 parameterCount;
    std::vector<Steinberg::int32> pending;
    std::vector<std::pair<Steinberg::int32, float>> values;
    std::vector<std::string> texts;
    int presetRequests = 0;
};

Steinberg::IPtr<Steinberg::Vst::IMessage> makeMessage (const char* id);
std::optional<std::string> binaryText (Steinberg::Vst::IMessage* message, const char* key);
std::vector<float> binaryFloats (Steinberg::Vst::IMessage* message, const char* key);
std::string narrow (const Steinberg::Vst::String128 text);

// An initialised product controller with a host context; peer and handler on request.
class ControllerFixture : public ::testing::Test
{
protected:
    void SetUp () override;
    void TearDown () override;
    void connectPeer ();
    void setHandler ();
    std::string title (Steinberg::int32 index);
    int titleRestarts () const;

    std::unique_ptr<Steinberg::Vst::HostApplication> host;   // not reference-counted
    Steinberg::IPtr<CMVXStravelEditController> controller;
    Steinberg::IPtr<Morvane::Host::ComponentHandlerRecorder> handler;
    Steinberg::IPtr<RecordingPeer> peer;
};

} // namespace ControllerTest
