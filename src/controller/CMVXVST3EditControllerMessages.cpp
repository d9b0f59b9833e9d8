// SPDX-License-Identifier: GPL-3.0-or-later
// The controller's side of the processor conversation: answers, parameter sync, preset texts and
// the custom-float-data channel.
#include "controller/CMVXMessageKeys.h"
#include "controller/CMVXVST3EditController.h"
#include "base/source/fobject.h"
#include "pluginterfaces/vst/ivstattributes.h"
#include <algorithm>
#include <cstring>
#include <new>

using namespace Steinberg;
using namespace Steinberg::Vst;
namespace keys = CMVXMessageKeys;

namespace {

float floatAt (const void* data, uint32 index)
{
    float value = 0.0f;
    std::memcpy (&value, static_cast<const char*> (data) + index * sizeof (float), sizeof value);
    return value;
}

}   // namespace

tresult PLUGIN_API CMVXVST3EditController::notify (IMessage* message)
{
    if (message == nullptr)
        return kInvalidArgument;
    IAttributeList* attributes = message->getAttributes ();
    const char* id = message->getMessageID ();
    if (attributes == nullptr || id == nullptr)
        return kResultFalse;

    if (keys::isId (id, keys::kBinary))
        return handleValueReply (*attributes);
    if (keys::isId (id, keys::kSetParameter))
        return handleSetParameter (*attributes);
    if (keys::isId (id, keys::kSyncParameters))
        return handleSync (*attributes);
    if (keys::isId (id, keys::kPresetHandling))
        return handlePresetText (*attributes);
    if (keys::isId (id, keys::kDspToUi))
        return handleDspText (*attributes);
    if (keys::isId (id, keys::kGetCustomFloatData))
        return handleFloatReply (*attributes);
    return kResultFalse;
}

tresult CMVXVST3EditController::handleValueReply (IAttributeList& attributes)
{
    const void* data = nullptr;
    uint32 size = 0;
    if (attributes.getBinary (keys::kSetParameterValue, data, size) != kResultOk || data == nullptr)
        return kResultFalse;
    const uint32 count = std::min<uint32> (size / 4, kMaxValueReply);
    for (uint32 i = 0; i < count; ++i)
        valueReply[i] = floatAt (data, i);
    valueReplyCount = static_cast<int32> (count);
    valueReplyReady = true;
    return kResultOk;
}

tresult CMVXVST3EditController::handleSetParameter (IAttributeList& attributes)
{
    int64 id = 0;
    double value = 0.0;
    if (attributes.getInt (keys::kParameterId, id) != kResultOk
        || attributes.getFloat (keys::kParameterValue, value) != kResultOk)
        return kResultFalse;
    static_cast<IEditController*> (this)->setParamNormalized (
        static_cast<ParamID> (static_cast<uint32> (id)), value);
    return kResultOk;
}

tresult CMVXVST3EditController::handleSync (IAttributeList& attributes)
{
    int64 first = 0;
    const void* data = nullptr;
    uint32 size = 0;
    if (attributes.getInt (keys::kSyncFirstId, first) != kResultOk
        || attributes.getBinary (keys::kSyncValues, data, size) != kResultOk)
        return kResultFalse;
    if (data == nullptr)
        size = 0;
    for (uint32 i = 0; i < size / 4; ++i)
        static_cast<IEditController*> (this)->setParamNormalized (
            static_cast<ParamID> (static_cast<uint32> (first + i)), floatAt (data, i));
    return kResultOk;
}

tresult CMVXVST3EditController::handlePresetText (IAttributeList& attributes)
{
    static const char* const kAnswerKeys[] = {keys::kFactoryPresetList, keys::kUserPresetList,
                                              keys::kSetSelectedPreset, keys::kPresetSaveFailed};
    for (const char* key : kAnswerKeys)
    {
        const void* data = nullptr;
        uint32 size = 0;
        if (attributes.getBinary (key, data, size) != kResultOk)
            continue;
        forwardTextToEditors (data != nullptr ? std::string (static_cast<const char*> (data), size)
                                              : std::string ());
        return kResultOk;
    }
    return kResultFalse;
}

tresult CMVXVST3EditController::handleDspText (IAttributeList& attributes)
{
    const void* data = nullptr;
    uint32 size = 0;
    if (attributes.getBinary (keys::kDspToUi, data, size) != kResultOk)
        return kResultFalse;
    forwardTextToEditors (data != nullptr ? std::string (static_cast<const char*> (data), size)
                                          : std::string ());
    return kResultOk;
}

tresult CMVXVST3EditController::handleFloatReply (IAttributeList& attributes)
{
    const void* data = nullptr;
    uint32 size = 0;
    if (attributes.getBinary (keys::kGetCustomFloatData, data, size) != kResultOk)
        return kResultFalse;
    // An answer without a pending request has nowhere to go.
    if (floatRequest.buffer == nullptr || (data == nullptr && size != 0))
        return kResultFalse;
    const int32 count = static_cast<int32> (std::min<uint32> (size / 4, 0x7fffffff));
    if (count > floatRequest.capacityIn)
    {
        float* larger = new (std::nothrow) float[static_cast<size_t> (count)]();
        if (larger == nullptr)
            return kResultFalse;
        delete[] * floatRequest.buffer;
        *floatRequest.buffer = larger;
        floatRequest.capacityOut = count;
    }
    if (count > 0)
        std::memcpy (*floatRequest.buffer, data, static_cast<size_t> (count) * sizeof (float));
    floatRequest.count = count;
    floatRequest.ready = true;
    // The requester looks only at its ready flag.
    return kResultFalse;
}

int32 CMVXVST3EditController::getCustomFloatData (int32 id, float** buffer, int32* capacity,
                                                  int32 extra)
{
    if (buffer == nullptr || capacity == nullptr)
        return 0;
    IPtr<IMessage> message = owned (allocateMessage ());
    if (!message || message->getAttributes () == nullptr)
        return 0;
    floatRequest = FloatRequest {buffer, *capacity, *capacity, extra, 0, false};
    message->setMessageID (keys::kGetCustomFloatData);
    const int32 words[2] = {id, extra};
    message->getAttributes ()->setBinary (keys::kGetCustomFloatData, words, sizeof words);
    sendMessage (message);

    int32 delivered = 0;
    if (floatRequest.ready)
    {
        *capacity = floatRequest.capacityOut;
        delivered = floatRequest.count;
    }
    floatRequest = FloatRequest {};
    return delivered;
}

tresult CMVXVST3EditController::setCustomFloatData (int32 id, const float* data, int32 count)
{
    if (data == nullptr || count < 0)
        return kResultFalse;
    IPtr<IMessage> message = owned (allocateMessage ());
    if (!message || message->getAttributes () == nullptr)
        return kResultFalse;
    message->setMessageID (keys::kSetCustomFloatData);
    message->getAttributes ()->setBinary (keys::kSetCustomFloatData, data,
                                          static_cast<uint32> (count) * sizeof (float));
    message->getAttributes ()->setInt (keys::kCustomDataTag, id);
    sendMessage (message);
    return kResultOk;
}
