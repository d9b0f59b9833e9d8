// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzMessages.h"
#include "FuzzSupport.h"
#include "OvermoorHarnesses.h"
#include "controller/CMVXMessageKeys.h"
#include "framework/CMVXPresetListText.h"
#include "host/ConnectionTap.h"
#include "host/StateBytes.h"
#include "processor/CMVXStravelVST3.h"
#include <cstring>
#include <optional>

using namespace Steinberg;
using namespace Steinberg::Vst;
namespace keys = CMVXMessageKeys;

namespace OvermoorFuzz {
namespace {

constexpr int kMaxMessages = 24;

std::optional<std::string> binaryOf (IMessage* message, const char* key)
{
    const void* data = nullptr;
    uint32 size = 0;
    if (message->getAttributes ()->getBinary (key, data, size) != kResultOk)
        return std::nullopt;
    return data != nullptr ? std::string (static_cast<const char*> (data), size) : std::string ();
}

bool startsWith (const std::string& text, const char* prefix)
{
    return text.compare (0, std::strlen (prefix), prefix) == 0;
}

// What a well-behaved processor sends back, whatever it was asked.
void checkAnswer (const Morvane::Host::ConnectionTap::Record& record, Problems& problems)
{
    IMessage* message = record.message.get ();
    if (record.id == keys::kBinary)
    {
        const auto answer = binaryOf (message, keys::kSetParameterValue);
        problems.expect (answer && answer->size () == 4, "\"Binary\" answer is not one float");
        if (answer && answer->size () == 4)
        {
            float value = 0.0f;
            std::memcpy (&value, answer->data (), 4);
            problems.expect (isUnitValue (value), "\"Binary\" answer outside 0..1");
        }
    }
    else if (record.id == keys::kSyncParameters)
    {
        const auto block = binaryOf (message, keys::kSyncValues);
        int64 first = -1;
        problems.expect (message->getAttributes ()->getInt (keys::kSyncFirstId, first) == kResultOk && first == 0,
                         "\"WA_SY\" without first id 0");
        problems.expect (block && block->size () == 32, "\"WA_SY\" does not carry eight floats");
        for (size_t i = 0; block && i + 4 <= block->size (); i += 4)
        {
            float value = 0.0f;
            std::memcpy (&value, block->data () + i, 4);
            problems.expect (isUnitValue (value), "\"WA_SY\" value outside 0..1");
        }
    }
    else if (record.id == keys::kPresetHandling)
    {
        const auto factory = binaryOf (message, keys::kFactoryPresetList);
        const auto user = binaryOf (message, keys::kUserPresetList);
        const auto selected = binaryOf (message, keys::kSetSelectedPreset);
        problems.expect (factory || user || selected, "\"PrsHnd\" answer without an answer key");
        if (factory)
            problems.expect (startsWith (*factory, keys::kFactoryPresetList)
                                 && parsePresetListText (*factory).size () == 8,
                             "factory list is not the key and eight entries");
        if (user)
            problems.expect (startsWith (*user, keys::kUserPresetList), "user list does not begin with its key");
        if (selected)
            problems.expect (startsWith (*selected, keys::kSetSelectedPreset)
                                 && parseSelectedPresetNumberText (*selected, keys::kSetSelectedPreset) >= 0,
                             "selected number text is not the key and a number from 0");
    }
}

} // namespace

std::string runProcessorMessages (const uint8_t* data, size_t size)
{
    Problems problems;
    const std::string& folder = usePrivatePresetFolder ();
    clearFolder (folder);
    {
        IPtr<CMVXStravelVST3> processor =
            owned (new CMVXStravelVST3 (CMVXStravelVST3::makeUserPresetStorage ()));
        processor->initialize (&hostContext ());
        IPtr<Morvane::Host::ConnectionTap> peer = owned (new Morvane::Host::ConnectionTap (nullptr));
        processor->connect (peer);

        FuzzBytes input (data, size);
        for (int i = 0; i < kMaxMessages && !input.empty () && !problems.any (); ++i)
        {
            const size_t answersBefore = peer->records ().size ();
            const tresult result = processor->notify (makeHostMessage (readMessage (input)));
            problems.expect (result == kResultOk || result == kResultFalse, "notify returned an unexpected code");
            for (size_t a = answersBefore; a < peer->records ().size (); ++a)
                checkAnswer (peer->records ()[a], problems);
            peer->clear ();
        }
        problems.expect (processor->notify (nullptr) == kInvalidArgument, "null message accepted");

        IPtr<MemoryStream> state = owned (new MemoryStream ());
        processor->getState (state);
        for (float value : Morvane::Host::floatsOf (Morvane::Host::bytesOf (*state)))
            problems.expect (isUnitValue (value), "state value outside 0..1 after the messages");
        problems.expect (processSineBlocks (*processor, *processor, 1, 64), "output not finite after the messages");
        processor->disconnect (peer);
        processor->terminate ();
    }
    {
        // A new instance reads back whatever the commands left in the folder.
        IPtr<CMVXStravelVST3> reloaded =
            owned (new CMVXStravelVST3 (CMVXStravelVST3::makeUserPresetStorage ()));
        if (CMVXPlugInDSP* dsp = reloaded->getDsp ())
            problems.expect (dsp->getFactoryPresetNames ().size () == 8, "reloaded instance lost factory presets");
    }
    clearFolder (folder);
    return problems.text ();
}

} // namespace OvermoorFuzz
