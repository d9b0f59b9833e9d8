// SPDX-License-Identifier: GPL-3.0-or-later
#include "controller/CMVXVST3Controller.h"
#include "controller/CMVXMessageKeys.h"
#include "controller/CMVXVST3EditController.h"
#include "base/source/fobject.h"
#include "pluginterfaces/vst/ivstattributes.h"

using namespace Steinberg;
using namespace Steinberg::Vst;
namespace keys = CMVXMessageKeys;

namespace Morvane {

namespace {

struct PresetRequest
{
    const char* name;
    bool exactMatch;   // list requests carry no argument; commands carry one after the name
};

// Tested in this order; the first match decides.
constexpr PresetRequest kPresetRequests[] = {
    {keys::kGetFactoryPresets, true},  {keys::kGetUserPresets, true},
    {keys::kPresetSaveAs, false},      {keys::kPresetSave, false},
    {keys::kPresetDelete, false},      {keys::kSetSelectedPreset, false},
    {keys::kGetSelectedPreset, false},
};

}   // namespace

double CMVXVST3Controller::getParameter (int32 id)
{
    return controller->getParamNormalized (static_cast<ParamID> (id));
}

void CMVXVST3Controller::setParameter (int32 id, double value)
{
    if (IPtr<IMessage> message = owned (controller->newMessage ()))
    {
        if (IAttributeList* attributes = message->getAttributes ())
        {
            message->setMessageID (keys::kSetParameter);
            attributes->setInt (keys::kParameterId, static_cast<int64> (id));
            attributes->setFloat (keys::kParameterValue, value);
            controller->sendToPeer (message);
        }
    }
    static_cast<IEditController*> (controller)
        ->setParamNormalized (static_cast<ParamID> (id), value);
    controller->performEdit (static_cast<ParamID> (id), value);
}

int32 CMVXVST3Controller::getParameterCount ()
{
    return controller->getParameterCount ();
}

void CMVXVST3Controller::sendText (const std::string& text)
{
    const PresetRequest* match = nullptr;
    for (const PresetRequest& request : kPresetRequests)
    {
        const bool matches = request.exactMatch ? text == request.name
                                                : text.find (request.name) != std::string::npos;
        if (matches)
        {
            match = &request;
            break;
        }
    }
    if (match == nullptr)
        return;

    IPtr<IMessage> message = owned (controller->newMessage ());
    if (!message || message->getAttributes () == nullptr)
        return;
    message->setMessageID (keys::kPresetHandling);
    if (match->exactMatch)
    {
        const char8 one = 1;
        message->getAttributes ()->setBinary (match->name, &one, 1);
    }
    else
    {
        message->getAttributes ()->setBinary (match->name, text.data (),
                                              static_cast<uint32> (text.size ()));
    }
    controller->sendToPeer (message);
}

int32 CMVXVST3Controller::getCustomFloatData (int32 id, float** buffer, int32* capacity,
                                              int32 extra)
{
    return static_cast<CMVXCustomFloatDataInterface*> (controller)
        ->getCustomFloatData (id, buffer, capacity, extra);
}

int32 CMVXVST3Controller::setCustomFloatData (int32 id, const float* data, int32 count)
{
    if (data == nullptr)
        return 1;
    const tresult sent = static_cast<CMVXCustomFloatDataInterface*> (controller)
                             ->setCustomFloatData (id, data, count);
    return sent == kResultFalse ? 1 : 0;
}

void CMVXVST3Controller::beginEdit (int32 id)
{
    controller->beginEdit (static_cast<ParamID> (id));
}

void CMVXVST3Controller::endEdit (int32 id)
{
    controller->endEdit (static_cast<ParamID> (id));
}

}   // namespace Morvane
