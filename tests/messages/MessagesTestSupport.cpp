// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessagesTestSupport.h"
#include "host/StateBytes.h"
#include <cstring>

using namespace Steinberg;
using namespace Steinberg::Vst;
using Morvane::Host::PluginInstance;

namespace MessagesTest {

void MessagesFixture::SetUp ()
{
    BundleFixture::SetUp ();
    presetFolder = std::make_unique<PresetTest::TemporaryFolder> ();
    presetFolderVariable =
        std::make_unique<PresetTest::ScopedEnvironment> ("OVERMOOR_PRESET_DIR", presetFolder->path ().c_str ());
}

void MessagesFixture::TearDown ()
{
    presetFolderVariable.reset ();
    presetFolder.reset ();
}

std::unique_ptr<PluginInstance> MessagesFixture::tappedInstance ()
{
    Morvane::Host::InstanceOptions options;
    options.tapConnections = true;
    return createInstance (options);
}

tresult sendPresetRequest (PluginInstance& instance, const char* key, const std::string& argument)
{
    auto message = instance.createMessage ("PrsHnd");
    const bool listRequest = std::strcmp (key, "CMVXGetFactoryPresetsMessage") == 0
                             || std::strcmp (key, "CMVXGetUserPresetsMessage") == 0;
    const std::string text = listRequest ? std::string ("\x01") : std::string (key) + argument;
    message->getAttributes ()->setBinary (key, text.data (), static_cast<uint32> (text.size ()));
    return instance.notifyProcessor (message);
}

std::optional<std::string> requestText (PluginInstance& instance, const char* requestKey, const char* answerKey)
{
    auto* tap = instance.processorToController ();
    const int before = tap ? tap->count ("PrsHnd") : 0;
    if (sendPresetRequest (instance, requestKey) != kResultOk || tap == nullptr || tap->count ("PrsHnd") != before + 1)
        return std::nullopt;
    return binaryText (tap->last ("PrsHnd"), answerKey);
}

std::optional<std::string> userList (PluginInstance& instance)
{
    return requestText (instance, "CMVXGetUserPresetsMessage", "CMVXSetUserPresetsMessage");
}

std::optional<std::string> selectedPreset (PluginInstance& instance)
{
    return requestText (instance, "CMVXGetSelectedPresetNumber", "CMVXSetSelectedPresetNumber");
}

std::string userListOf (const std::vector<std::string>& names)
{
    std::string text = "CMVXSetUserPresetsMessage";
    for (const std::string& name : names)
        text += "<CMVXPRESET><CMVXPRESETINFO>Overmoor</CMVXPRESETINFO>" + name;
    return text;
}

std::optional<std::string> binaryText (IMessage* message, const char* key)
{
    const void* data = nullptr;
    uint32 size = 0;
    if (message == nullptr || message->getAttributes ()->getBinary (key, data, size) != kResultOk)
        return std::nullopt;
    return std::string (static_cast<const char*> (data), size);
}

std::vector<float> binaryFloats (IMessage* message, const char* key)
{
    std::vector<float> values;
    if (auto text = binaryText (message, key))
    {
        values.resize (text->size () / 4);
        std::memcpy (values.data (), text->data (), values.size () * 4);
    }
    return values;
}

int countOf (const std::string& text, const std::string& part)
{
    int count = 0;
    for (size_t pos = text.find (part); pos != std::string::npos; pos = text.find (part, pos + part.size ()))
        ++count;
    return count;
}

void editorSetsParameter (PluginInstance& instance, int id, double value)
{
    auto message = instance.createMessage ("WA_SP");
    message->getAttributes ()->setInt ("WA_PI", id);
    message->getAttributes ()->setFloat ("WA_PV", value);
    instance.notifyProcessor (message);
    instance.controller ()->setParamNormalized (static_cast<ParamID> (id), value);
}

float processorValue (PluginInstance& instance, int id)
{
    std::vector<uint8_t> state;
    instance.getState (state);
    const std::vector<float> values = Morvane::Host::floatsOf (state);
    return id >= 0 && static_cast<size_t> (id) < values.size () ? values[static_cast<size_t> (id)] : -1.0f;
}

} // namespace MessagesTest
