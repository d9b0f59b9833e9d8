// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Instances of the real bundle with recorded connections and a private preset folder, and the
// requests the controller sends, built the way it builds them.
#include "PresetTestSupport.h"
#include "host/StateBytes.h"
#include "support/BundleFixture.h"
#include "support/MessageAttributes.h"
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace MessagesTest {

using Morvane::Host::PluginInstance;
using namespace Steinberg;
using namespace Steinberg::Vst;

class MessagesFixture : public Morvane::Test::BundleFixture
{
protected:
    // A connected instance whose messages are recorded both ways.
    std::unique_ptr<PluginInstance> tappedInstance ()
    {
        Morvane::Host::InstanceOptions options;
        options.tapConnections = true;
        return createInstance (options);
    }
    size_t presetFiles () const { return PresetTest::filesIn (presetFolder.path ()).size (); }

    PresetTest::TemporaryFolder presetFolder;
    PresetTest::ScopedEnvironment presetFolderVariable {"OVERMOOR_PRESET_DIR", presetFolder.path ().c_str ()};
};

using Morvane::Test::binaryText;

inline std::vector<float> binaryFloats (IMessage* message, const char* key)
{
    const std::string text = binaryText (message, key).value_or ("");
    return Morvane::Host::floatsOf (std::vector<uint8_t> (text.begin (), text.end ()));
}

// "PrsHnd" with one binary attribute: the list requests carry the byte 1, commands their text.
inline tresult sendPresetRequest (PluginInstance& instance, const char* key, const std::string& argument = {})
{
    auto message = instance.createMessage ("PrsHnd");
    const bool listRequest = std::strcmp (key, "CMVXGetFactoryPresetsMessage") == 0
                             || std::strcmp (key, "CMVXGetUserPresetsMessage") == 0;
    const std::string text = listRequest ? std::string ("\x01") : std::string (key) + argument;
    message->getAttributes ()->setBinary (key, text.data (), static_cast<uint32> (text.size ()));
    return instance.notifyProcessor (message);
}

// Asks for a list and returns the text the processor answered with (nothing if none arrived).
inline std::optional<std::string> requestText (PluginInstance& instance, const char* requestKey, const char* answerKey)
{
    auto* tap = instance.processorToController ();
    const int before = tap ? tap->count ("PrsHnd") : 0;
    if (sendPresetRequest (instance, requestKey) != kResultOk || tap == nullptr || tap->count ("PrsHnd") != before + 1)
        return std::nullopt;
    return binaryText (tap->last ("PrsHnd"), answerKey);
}

inline std::optional<std::string> userList (PluginInstance& instance)
{
    return requestText (instance, "CMVXGetUserPresetsMessage", "CMVXSetUserPresetsMessage");
}

inline std::optional<std::string> selectedPreset (PluginInstance& instance)
{
    return requestText (instance, "CMVXGetSelectedPresetNumber", "CMVXSetSelectedPresetNumber");
}

// The answer a list request gets for these presets.
inline std::string listOf (const std::string& answerKey, const std::vector<std::string>& names)
{
    std::string text = answerKey;
    for (const std::string& name : names)
        text += "<CMVXPRESET><CMVXPRESETINFO>Overmoor</CMVXPRESETINFO>" + name;
    return text;
}
inline std::string userListOf (const std::vector<std::string>& names)
{
    return listOf ("CMVXSetUserPresetsMessage", names);
}

inline int countOf (const std::string& text, const std::string& part)
{
    int count = 0;
    for (size_t pos = text.find (part); pos != std::string::npos; pos = text.find (part, pos + part.size ()))
        ++count;
    return count;
}

// What "WA_SP" from the editor does: tells the processor, then the controller.
inline void editorSetsParameter (PluginInstance& instance, int id, double value)
{
    auto message = instance.createMessage ("WA_SP");
    message->getAttributes ()->setInt ("WA_PI", id);
    message->getAttributes ()->setFloat ("WA_PV", value);
    instance.notifyProcessor (message);
    instance.controller ()->setParamNormalized (static_cast<ParamID> (id), value);
}

inline float processorValue (PluginInstance& instance, int id)
{
    std::vector<uint8_t> state;
    instance.getState (state);
    const std::vector<float> values = Morvane::Host::floatsOf (state);
    return static_cast<size_t> (id) < values.size () ? values[static_cast<size_t> (id)] : -1.0f;
}

} // namespace MessagesTest
