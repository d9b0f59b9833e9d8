// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Instances of the real bundle with recorded connections and a private preset folder, and the
// requests the controller sends, built the way it builds them.
#include "PresetTestSupport.h"
#include "support/BundleFixture.h"
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace MessagesTest {

class MessagesFixture : public Morvane::Test::BundleFixture
{
protected:
    void SetUp () override;
    void TearDown () override;
    // A connected instance whose messages are recorded both ways.
    std::unique_ptr<Morvane::Host::PluginInstance> tappedInstance ();
    size_t presetFiles () const { return PresetTest::filesIn (presetFolder->path ()).size (); }

    std::unique_ptr<PresetTest::TemporaryFolder> presetFolder;
    std::unique_ptr<PresetTest::ScopedEnvironment> presetFolderVariable;
};

// "PrsHnd" with one binary attribute: the list requests carry the byte 1, commands their text.
Steinberg::tresult sendPresetRequest (Morvane::Host::PluginInstance& instance, const char* key,
                                      const std::string& argument = {});
// Asks for a list and returns the text the processor answered with (nothing if none arrived).
std::optional<std::string> requestText (Morvane::Host::PluginInstance& instance, const char* requestKey,
                                        const char* answerKey);
std::optional<std::string> userList (Morvane::Host::PluginInstance& instance);
std::optional<std::string> selectedPreset (Morvane::Host::PluginInstance& instance);
// The user list's answer holding the given presets.
std::string userListOf (const std::vector<std::string>& names);
std::optional<std::string> binaryText (Steinberg::Vst::IMessage* message, const char* key);
std::vector<float> binaryFloats (Steinberg::Vst::IMessage* message, const char* key);
int countOf (const std::string& text, const std::string& part);
// What "WA_SP" from the editor does: tells the processor, then the controller.
void editorSetsParameter (Morvane::Host::PluginInstance& instance, int id, double value);
float processorValue (Morvane::Host::PluginInstance& instance, int id);

} // namespace MessagesTest
