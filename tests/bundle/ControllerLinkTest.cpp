// SPDX-License-Identifier: GPL-3.0-or-later
// Processor and controller connected the way DAWs connect them: synchronous messages, the
// controller following the processor, and the restarts the host sees.
#include "support/BundleFixture.h"
#include "host/StateBytes.h"
#include <cstring>

namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using Morvane::Host::InstanceOptions;
using Morvane::Host::PluginInstance;

std::string narrow (const char16* text)
{
    std::string result;
    for (; text && *text; ++text)
        result += static_cast<char> (*text);
    return result;
}

std::string titleOf (PluginInstance& instance, int32 index)
{
    ParameterInfo info {};
    EXPECT_EQ (instance.controller ()->getParameterInfo (index, info), kResultOk);
    return narrow (info.title);
}

InstanceOptions tapped ()
{
    InstanceOptions options;
    options.tapConnections = true;
    return options;
}

class ControllerLink : public Morvane::Test::BundleFixture
{
};

TEST_F (ControllerLink, ModelChangeRestartsForNewTitlesOnce)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    auto& handler = instance->componentHandler ();
    handler.clear ();
    EXPECT_EQ (titleOf (*instance, 2), "n/a 1");

    ASSERT_EQ (instance->controller ()->setParamNormalized (1, 1.0 / 7.0), kResultOk);
    EXPECT_EQ (handler.restartCount (kParamTitlesChanged), 1);
    EXPECT_EQ (titleOf (*instance, 2), "Gain");
    EXPECT_EQ (titleOf (*instance, 3), "Level");
    EXPECT_EQ (titleOf (*instance, 4), "n/a 1");

    ASSERT_EQ (instance->controller ()->setParamNormalized (1, 1.0 / 7.0), kResultOk);
    EXPECT_EQ (handler.restartCount (kParamTitlesChanged), 1) << "same model, no restart";
}

TEST_F (ControllerLink, NullMessageIsAnInvalidArgument)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    EXPECT_EQ (instance->notifyProcessor (nullptr), kInvalidArgument);
}

TEST_F (ControllerLink, ValueRequestIsAnsweredBeforeNotifyReturns)
{
    auto instance = createInstance (tapped ());
    ASSERT_NE (instance, nullptr);
    auto request = instance->createMessage ("Binary");
    const int32 modelId = 1;
    request->getAttributes ()->setBinary ("GePaVa", &modelId, sizeof (modelId));
    EXPECT_EQ (instance->notifyProcessor (request), kResultOk);

    IMessage* answer = instance->processorToController ()->last ("Binary");
    ASSERT_NE (answer, nullptr);
    const void* data = nullptr;
    uint32 size = 0;
    ASSERT_EQ (answer->getAttributes ()->getBinary ("SePaVa", data, size), kResultOk);
    ASSERT_EQ (size, 4u);
    float value = -1;
    std::memcpy (&value, data, 4);
    EXPECT_EQ (value, 0.0f); // "Model" of the default preset
}

TEST_F (ControllerLink, PresetSelectionSyncsProcessorAndController)
{
    auto instance = createInstance (tapped ());
    ASSERT_NE (instance, nullptr);
    const std::string text = "CMVXSetSelectedPresetNumber5";
    auto request = instance->createMessage ("PrsHnd");
    request->getAttributes ()->setBinary ("CMVXSetSelectedPresetNumber", text.data (), static_cast<uint32> (text.size ()));
    EXPECT_EQ (instance->notifyProcessor (request), kResultOk);

    ASSERT_EQ (instance->processorToController ()->count ("WA_SY"), 1);
    IMessage* sync = instance->processorToController ()->last ("WA_SY");
    const void* data = nullptr;
    uint32 size = 0;
    ASSERT_EQ (sync->getAttributes ()->getBinary ("WA_SV", data, size), kResultOk);
    EXPECT_EQ (size, 32u);
    int64 first = -1;
    EXPECT_EQ (sync->getAttributes ()->getInt ("WA_SF", first), kResultOk);
    EXPECT_EQ (first, 0);

    // Factory preset 5 is "Full Drive": model 5.
    std::vector<uint8_t> state;
    ASSERT_EQ (instance->getState (state), kResultOk);
    const std::vector<float> values = Morvane::Host::floatsOf (state);
    ASSERT_EQ (values.size (), 8u);
    EXPECT_NEAR (values[1], 5.0f / 7.0f, 1e-6);
    EXPECT_NEAR (instance->controller ()->getParamNormalized (1), 5.0 / 7.0, 1e-6);
}

TEST_F (ControllerLink, UnknownMessagesAreRefused)
{
    auto instance = createInstance ();
    ASSERT_NE (instance, nullptr);
    auto message = instance->createMessage ("NoSuchMessage");
    EXPECT_EQ (instance->notifyProcessor (message), kResultFalse);
    auto preset = instance->createMessage ("PrsHnd");
    EXPECT_EQ (instance->notifyProcessor (preset), kResultFalse);
}

TEST_F (ControllerLink, ShutdownAfterDisconnectedUseIsClean)
{
    auto instance = createInstance (tapped ());
    ASSERT_NE (instance, nullptr);
    instance->shutdown ();
    instance->shutdown ();
    EXPECT_EQ (instance->component (), nullptr);
    EXPECT_EQ (instance->notifyProcessor (nullptr), kNotInitialized);
}

} // namespace
