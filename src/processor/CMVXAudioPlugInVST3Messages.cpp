// SPDX-License-Identifier: GPL-3.0-or-later
// The processor's side of the processor-controller messages. Every answer is sent from inside
// the request's notify, so a directly connected controller has it when its own send returns.
#include "controller/CMVXMessageKeys.h"
#include "framework/CMVXPresetListText.h"
#include "processor/CMVXAudioPlugInVST3.h"
#include "processor/CMVXLittleEndian.h"
#include "base/source/fobject.h"
#include "base/source/fstring.h"
#include "pluginterfaces/vst/ivstattributes.h"
#include "pluginterfaces/vst/ivstmessage.h"
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;
namespace keys = CMVXMessageKeys;

namespace {

struct Block
{
    const void* data = nullptr;
    uint32 size = 0;
    const uint8_t* bytes () const { return static_cast<const uint8_t*> (data); }
    std::string text () const
    {
        return data != nullptr ? std::string (static_cast<const char*> (data), size)
                               : std::string ();
    }
};

bool readBinary (IAttributeList& attributes, const char* key, Block& block)
{
    block = {};
    if (attributes.getBinary (key, block.data, block.size) != kResultOk)
        return false;
    if (block.data == nullptr)
        block.size = 0;
    return true;
}

void sendBinary (const CMVXAudioPlugInVST3& processor, const char* messageId, const char* key,
                 const void* data, uint32 size)
{
    IPtr<IMessage> message = owned (processor.allocateMessage ());
    if (!message || message->getAttributes () == nullptr)
        return;
    message->setMessageID (messageId);
    static const char kEmpty = 0;   // some attribute lists copy from the pointer even for 0 bytes
    message->getAttributes ()->setBinary (key, data != nullptr ? data : &kEmpty, size);
    processor.sendMessage (message);
}

void sendText (const CMVXAudioPlugInVST3& processor, const char* messageId, const char* key,
               const std::string& text)
{
    sendBinary (processor, messageId, key, text.data (), static_cast<uint32> (text.size ()));
}

// The SDK's own handling reads the text into 256 characters and relies on the sender to end it
// there; a longer text is read past that buffer. Here the last character always stays the end.
tresult receiveTextMessage (CMVXAudioPlugInVST3& processor, IAttributeList& attributes)
{
    TChar text[256] = {};
    if (attributes.getString ("Text", text, sizeof (text) - sizeof (TChar)) != kResultOk)
        return kResultFalse;
    String narrow (text);
    narrow.toMultiByte (kCP_Utf8);
    return processor.receiveText (narrow.text8 ());
}

// Without it an editor would show a preset that the next run does not find; sent before the
// lists are rebuilt, so the editor knows when it asks for them.
void reportFailedSave (const CMVXAudioPlugInVST3& processor, const std::string& name)
{
    sendText (processor, keys::kPresetHandling, keys::kPresetSaveFailed,
              std::string (keys::kPresetSaveFailed) + name);
}

// The payload after the request key; shorter payloads give an empty name.
std::string afterKey (const std::string& payload, const char* key)
{
    const size_t keyLength = std::strlen (key);
    return payload.size () > keyLength ? payload.substr (keyLength) : std::string ();
}

}   // namespace

tresult PLUGIN_API CMVXAudioPlugInVST3::notify (IMessage* message)
{
    if (message == nullptr)
        return kInvalidArgument;
    const char* id = message->getMessageID ();
    IAttributeList* attributes = message->getAttributes ();
    if (id == nullptr || attributes == nullptr)
        return kResultFalse;   // the SDK's base would read the attributes unchecked

    if (keys::isId (id, keys::kBinary))
    {
        Block request;
        if (readBinary (*attributes, keys::kGetParameterValue, request))
        {
            if (request.size == 4)
            {
                int32_t parameterId = 0;
                std::memcpy (&parameterId, request.data, 4);   // same byte order on both sides
                uint8_t answer[4];
                CMVXLittleEndian::putFloat (getParameterValue (parameterId), answer);
                sendBinary (*this, keys::kBinary, keys::kSetParameterValue, answer, 4);
            }
            return kResultOk;
        }
    }
    else if (keys::isId (id, keys::kSetParameter))
    {
        int64 parameterId = 0;
        double value = 0.0;
        if (attributes->getInt (keys::kParameterId, parameterId) == kResultOk
            && attributes->getFloat (keys::kParameterValue, value) == kResultOk
            && std::isfinite (value) && parameterId >= INT32_MIN && parameterId <= INT32_MAX && dsp)
        {
            controllerChangeCount = 0;
            dsp->setParameterNormalized (static_cast<int32_t> (parameterId),
                                         static_cast<float> (std::clamp (value, 0.0, 1.0)),
                                         controllerChangeIds.get (), &controllerChangeCount);
            const int32_t reported = std::clamp (controllerChangeCount, 0, maxParameterReports);
            controllerChangeCount = 0;
            for (int32_t i = 0; i < reported; ++i)
            {
                const int32_t changedId = controllerChangeIds[i];
                IPtr<IMessage> echo = owned (allocateMessage ());
                if (!echo || echo->getAttributes () == nullptr)
                    continue;
                echo->setMessageID (keys::kSetParameter);
                echo->getAttributes ()->setInt (keys::kParameterId, changedId);
                echo->getAttributes ()->setFloat (keys::kParameterValue,
                                                  getParameterValue (changedId));
                sendMessage (echo);
            }
        }
    }
    else if (keys::isId (id, keys::kPresetHandling))
    {
        const tresult handled = handlePresetRequest (*attributes);
        if (handled != kNotImplemented)
            return handled;
    }
    else if (keys::isId (id, keys::kGetCustomFloatData))
    {
        Block request;
        if (readBinary (*attributes, keys::kGetCustomFloatData, request))
        {
            if (request.size >= 8 && dsp)
            {
                int32_t words[2] = {0, 0};
                std::memcpy (words, request.data, 8);
                int32_t count = words[1];
                const float* data = dsp->getCustomFloatData (words[0], count);
                if (data != nullptr && count > 0)
                    sendBinary (*this, keys::kGetCustomFloatData, keys::kGetCustomFloatData, data,
                                static_cast<uint32> (count) * 4u);
            }
            return kResultOk;
        }
    }
    else if (keys::isId (id, keys::kSetCustomFloatData))
    {
        Block block;
        int64 tag = 0;
        if (readBinary (*attributes, keys::kSetCustomFloatData, block)
            && attributes->getInt (keys::kCustomDataTag, tag) == kResultOk && dsp)
        {
            // Copied: the attribute's bytes need not be aligned for floats.
            std::vector<float> values (block.size / 4);
            if (!values.empty ())
                std::memcpy (values.data (), block.data, values.size () * 4);
            dsp->setCustomFloatData (static_cast<int32_t> (tag), values.data (),
                                     static_cast<int32_t> (values.size ()));
        }
        return kResultOk;
    }
    else if (keys::isId (id, "TextMessage"))
        return receiveTextMessage (*this, *attributes);

    return ComponentBase::notify (message);
}

tresult CMVXAudioPlugInVST3::handlePresetRequest (IAttributeList& attributes)
{
    Block block;
    if (!dsp)
        return kNotImplemented;

    if (readBinary (attributes, keys::kGetFactoryPresets, block))
    {
        sendText (*this, keys::kPresetHandling, keys::kFactoryPresetList,
                  presetListText (keys::kFactoryPresetList, dsp->getFactoryPresetInfo (),
                                  dsp->getFactoryPresetNames ()));
        return kResultOk;
    }
    if (readBinary (attributes, keys::kGetUserPresets, block))
    {
        sendText (*this, keys::kPresetHandling, keys::kUserPresetList,
                  presetListText (keys::kUserPresetList, dsp->getUserPresetInfo (),
                                  dsp->getUserPresetNames ()));
        return kResultOk;
    }

    std::string command;
    if (readBinary (attributes, keys::kPresetSaveAs, block))
    {
        command = block.text ();
        const std::string name = afterKey (command, keys::kPresetSaveAs);
        if (!dsp->storeUserPreset (name, false))
            reportFailedSave (*this, name);
        else if (CMVXDSPAlgInterface* algorithm = dsp->getCurrentAlgorithm ())
            algorithm->selectPresetByName (name);
        dsp->rebuildPresetLists ();
    }
    else if (readBinary (attributes, keys::kPresetSave, block))
    {
        command = block.text ();
        const std::string name = afterKey (command, keys::kPresetSave);
        if (!dsp->storeUserPreset (name, true))
            reportFailedSave (*this, name);
        dsp->rebuildPresetLists ();
    }
    else if (readBinary (attributes, keys::kPresetDelete, block))
    {
        command = block.text ();
        dsp->deleteUserPreset (afterKey (command, keys::kPresetDelete));
        dsp->rebuildPresetLists ();
    }
    else if (readBinary (attributes, keys::kSetSelectedPreset, block))
    {
        command = block.text ();
        selectPresetAndSync (parseSelectedPresetNumberText (command, keys::kSetSelectedPreset));
    }
    else if (readBinary (attributes, keys::kGetSelectedPreset, block))
    {
        sendText (
            *this, keys::kPresetHandling, keys::kSetSelectedPreset,
            selectedPresetNumberText (keys::kSetSelectedPreset, dsp->getSelectedPresetNumber ()));
        return kResultOk;
    }
    else
        return kNotImplemented;   // no request key: the base handles it

    if (command.empty ())
        return kNotImplemented;
    const std::string forEditor = dsp->handlePresetCommand (command);
    afterPresetCommand ();
    if (!forEditor.empty ())
        sendText (*this, keys::kDspToUi, keys::kDspToUi, forEditor);
    return kResultOk;
}
