// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/PresetRequests.h"

#include "controller/CMVXMessageKeys.h"
#include "framework/CMVXPresetListText.h"
#include "host/PluginInstance.h"
#include "render/RenderOptions.h"

#include <algorithm>
#include <cctype>

namespace Morvane {
namespace Render {

using namespace Steinberg;
using namespace Steinberg::Vst;
namespace Keys = CMVXMessageKeys;

namespace {
bool equalIgnoringCase (const std::string& a, const std::string& b)
{
    return a.size () == b.size ()
           && std::equal (a.begin (), a.end (), b.begin (), [] (char x, char y) {
                  return std::tolower (static_cast<unsigned char> (x))
                         == std::tolower (static_cast<unsigned char> (y));
              });
}

std::string choices (const PresetLists& lists)
{
    std::string text;
    const auto add = [&text] (size_t number, const std::string& name) {
        text += (text.empty () ? "" : ", ") + std::to_string (number) + " \"" + name + "\"";
    };
    for (size_t i = 0; i < lists.factory.size (); ++i)
        add (i + 1, lists.factory[i]);
    for (size_t i = 0; i < lists.user.size (); ++i)
        add (lists.factory.size () + i + 1, lists.user[i]);
    return text.empty () ? std::string ("none") : text;
}
}   // namespace

PresetRequests::PresetRequests (Host::PluginInstance& instance_) : instance (instance_)
{}

bool PresetRequests::requestList (const char* requestKey, const char* answerKey,
                                  std::vector<std::string>& names)
{
    Host::ConnectionTap* answers = instance.processorToController ();
    auto message = instance.createMessage (Keys::kPresetHandling);
    if (!answers || !message)
        return false;
    const int before = answers->count (Keys::kPresetHandling);
    const char one = 1;
    message->getAttributes ()->setBinary (requestKey, &one, 1);
    instance.notifyProcessor (message);
    if (answers->count (Keys::kPresetHandling) == before)
        return false;

    // The answer arrives inside the send; it is the latest "PrsHnd" on the processor's side.
    IMessage* answer = answers->last (Keys::kPresetHandling);
    const void* data = nullptr;
    uint32 size = 0;
    if (!answer || !answer->getAttributes ()
        || answer->getAttributes ()->getBinary (answerKey, data, size) != kResultOk)
        return false;
    const std::string text (static_cast<const char*> (data), size);
    names.clear ();
    for (const CMVXPresetListEntry& entry : parsePresetListText (text))
        names.push_back (entry.name);
    return true;
}

PresetLists PresetRequests::requestLists ()
{
    PresetLists lists;
    const bool factory =
        requestList (Keys::kGetFactoryPresets, Keys::kFactoryPresetList, lists.factory);
    const bool user = requestList (Keys::kGetUserPresets, Keys::kUserPresetList, lists.user);
    lists.answered = factory || user;
    return lists;
}

RenderProblem PresetRequests::selectNumber (int32_t number)
{
    Host::ConnectionTap* answers = instance.processorToController ();
    auto message = instance.createMessage (Keys::kPresetHandling);
    if (!answers || !message)
        return RenderProblem::failure ("cannot send the preset selection to the plug-in");
    const int before = answers->count (Keys::kSyncParameters);
    const std::string request = std::string (Keys::kSetSelectedPreset) + std::to_string (number);
    message->getAttributes ()->setBinary (Keys::kSetSelectedPreset, request.data (),
                                          static_cast<uint32> (request.size ()));
    instance.notifyProcessor (message);
    if (answers->count (Keys::kSyncParameters) == before)
        return RenderProblem::failure ("the plug-in did not answer the selection of preset "
                                       + std::to_string (number));
    return {};
}

RenderProblem PresetRequests::select (const std::string& numberOrName)
{
    const PresetLists lists = requestLists ();
    if (!lists.answered)
        return RenderProblem::failure (
            "the plug-in does not answer preset requests, so --preset cannot be used");
    const size_t total = lists.factory.size () + lists.user.size ();

    int64_t number = -1;
    if (parseInteger (numberOrName, number))
    {
        // Users count from 1, as the editor's menu, the manual and the demo do; the processor from 0.
        if (number < 1 || static_cast<size_t> (number) > total)
            return RenderProblem::usage ("--preset: no preset number " + numberOrName
                                         + "; valid: " + choices (lists));
        return selectNumber (static_cast<int32_t> (number - 1));
    }

    std::vector<std::string> all = lists.factory;
    all.insert (all.end (), lists.user.begin (), lists.user.end ());
    auto found = std::find (all.begin (), all.end (), numberOrName);
    if (found == all.end ())
        found = std::find_if (all.begin (), all.end (), [&numberOrName] (const std::string& name) {
            return equalIgnoringCase (name, numberOrName);
        });
    if (found == all.end ())
        return RenderProblem::usage ("--preset: no preset named \"" + numberOrName
                                     + "\"; valid: " + choices (lists));
    return selectNumber (static_cast<int32_t> (found - all.begin ()));
}

}   // namespace Render
}   // namespace Morvane
