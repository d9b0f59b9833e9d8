// SPDX-License-Identifier: GPL-3.0-or-later
#include "controller/CMVXVST3EditController.h"
#include "controller/CMVXMessageKeys.h"
#include "base/source/fobject.h"
#include "base/source/fstring.h"
#include "pluginterfaces/base/ibstream.h"
#include "pluginterfaces/vst/ivstattributes.h"
#include "public.sdk/source/vst/vstparameters.h"
#include <algorithm>
#include <cmath>
#include <cstring>

using namespace Steinberg;
using namespace Steinberg::Vst;

void copyNameToString128 (const std::string& text, String128 out)
{
    // Names are UTF-8; a host shows the UTF-16 of what was typed. 127 units and the end.
    String wide (text.c_str (), kCP_Utf8);
    if (wide.copyTo16 (out, 0, 127) == 0)
        out[0] = 0;
}

CMVXVST3EditController::CMVXVST3EditController () = default;

CMVXVST3EditController::~CMVXVST3EditController () = default;

tresult PLUGIN_API CMVXVST3EditController::initialize (FUnknown* context)
{
    const tresult result = ComponentBase::initialize (context);
    if (result != kResultOk)
        return result;
    registerParameters ();
    return kResultOk;
}

tresult PLUGIN_API CMVXVST3EditController::terminate ()
{
    editors.clear ();
    editorViews.clear ();
    return EditController::terminate ();
}

void CMVXVST3EditController::registerParameters ()
{
    if (paramInfo == nullptr)
        return;
    paramCount = paramInfo->getParamCount ();
    for (int32 id = 0; id < paramCount; ++id)
    {
        CMVXParameter* record = paramInfo->getParam (id);
        if (record == nullptr)
        {
            // Tables with gaps still present contiguous ids to the host.
            static const TChar kNotAvailable[] = {'n', '/', 'a', 0};
            if (Parameter* placeholder = parameters.addParameter (kNotAvailable, kNotAvailable, 1,
                                                                  0.0, ParameterInfo::kIsReadOnly,
                                                                  id, kRootUnitId, kNotAvailable))
                placeholder->setNormalized (0.0);
            continue;
        }

        ParameterInfo info {};
        info.id = static_cast<ParamID> (id);
        info.unitId = kRootUnitId;
        copyNameToString128 (record->getName (), info.title);
        copyNameToString128 (record->getName (), info.shortTitle);
        info.defaultNormalizedValue = record->getDefaultNormalized ();
        info.flags =
            record->isReadOnly () ? ParameterInfo::kIsReadOnly : ParameterInfo::kCanAutomate;
        if (isBypassParameter (id))
            info.flags |= ParameterInfo::kIsBypass;

        if (record->getCurveType () == kCurveList)
        {
            info.units[0] = 0;
            info.flags |= ParameterInfo::kIsList;
            info.stepCount = -1;   // appendString counts one step per text
            auto* list = new StringListParameter (info);
            for (const std::string& text : record->getTexts ())
            {
                String128 wide {};
                copyNameToString128 (text, wide);
                list->appendString (wide);
            }
            parameters.addParameter (list);
        }
        else
        {
            copyNameToString128 (record->getUnit (), info.units);
            const int32 steps = record->getStepCount ();
            info.stepCount = steps > 20 ? 0 : steps;   // a fine grid reads as continuous to hosts
            parameters.addParameter (
                new RangeParameter (info, record->getMin (), record->getMax ()));
        }
    }
}

tresult PLUGIN_API CMVXVST3EditController::setComponentState (IBStream* state)
{
    if (state == nullptr || paramCount == 0)
        return kResultOk;
    for (int32 i = 0; i < paramCount; ++i)
    {
        // Bytes the stream does not deliver stay zero; only a reported error stops the loop.
        unsigned char bytes[4] = {0, 0, 0, 0};
        if (state->read (bytes, 4, nullptr) != kResultOk)
            return kResultFalse;
        const uint32_t bits =
            static_cast<uint32_t> (bytes[0]) | (static_cast<uint32_t> (bytes[1]) << 8)
            | (static_cast<uint32_t> (bytes[2]) << 16) | (static_cast<uint32_t> (bytes[3]) << 24);
        float value = 0.0f;
        std::memcpy (&value, &bits, sizeof value);
        static_cast<IEditController*> (this)->setParamNormalized (static_cast<ParamID> (i), value);
    }
    return kResultOk;
}

tresult PLUGIN_API CMVXVST3EditController::setState (IBStream* state)
{
    if (state == nullptr)
        return kResultFalse;
    char8 version = 0;
    return state->read (&version, 1, nullptr);
}

tresult PLUGIN_API CMVXVST3EditController::getState (IBStream* state)
{
    if (state == nullptr)
        return kResultFalse;
    char8 version = 0;
    int32 written = 0;
    return state->write (&version, 1, &written) == kResultOk && written == 1 ? kResultOk
                                                                             : kResultFalse;
}

tresult PLUGIN_API CMVXVST3EditController::getParameterInfo (int32 paramIndex, ParameterInfo& info)
{
    // The SDK indexes with vector::at, which throws for a bad host index.
    if (paramIndex < 0 || paramIndex >= parameters.getParameterCount ())
        return kResultFalse;
    return EditController::getParameterInfo (paramIndex, info);
}

ParamValue PLUGIN_API CMVXVST3EditController::getParamNormalized (ParamID id)
{
    if (paramInfo != nullptr)
        if (CMVXParameter* record = paramInfo->getParam (static_cast<int32> (id)))
            return record->getNormalized ();

    // Values the table does not hold come from the processor, which answers inside the send.
    if (IPtr<IMessage> message = owned (allocateMessage ()))
    {
        message->setMessageID (CMVXMessageKeys::kBinary);
        if (IAttributeList* attributes = message->getAttributes ())
        {
            const int32 requestedId = static_cast<int32> (id);
            attributes->setBinary (CMVXMessageKeys::kGetParameterValue, &requestedId,
                                   sizeof requestedId);
            valueReplyReady = false;   // only an answer to this request counts
            sendMessage (message);
            if (valueReplyReady)
            {
                valueReplyReady = false;
                if (valueReplyCount > 0)
                    return valueReply[0];
            }
        }
    }
    if (Parameter* parameter = getParameterObject (id))
        return parameter->getNormalized ();
    return 0.0;
}

tresult PLUGIN_API CMVXVST3EditController::setParamNormalized (ParamID id, ParamValue value)
{
    // Hosts, states and messages may hand over anything; records and editors only see 0..1.
    if (std::isnan (value))
        return kResultFalse;
    value = std::clamp (value, 0.0, 1.0);
    if (paramInfo != nullptr)
        if (CMVXParameter* record = paramInfo->getParam (static_cast<int32> (id)))
            record->setNormalized (value);

    tresult result = kResultFalse;
    if (Parameter* parameter = getParameterObject (id))
    {
        parameter->setNormalized (value);
        result = kResultOk;
    }

    // By index: an editor may attach or detach another while being told.
    for (size_t i = 0; i < editors.size (); ++i)
    {
        CMVXControllerEditorInterface* editor = editors[i];
        if (editor == nullptr
            || static_cast<int64> (editor->getEditorParameterCount ()) <= static_cast<int64> (id))
            continue;
        editor->markParameterPending (static_cast<int32> (id));
        editor->setParameter (static_cast<int32> (id), static_cast<float> (value));
    }
    return result;
}

tresult PLUGIN_API CMVXVST3EditController::getMidiControllerAssignment (int32, int16, CtrlNumber,
                                                                        ParamID&)
{
    return kResultFalse;
}

void CMVXVST3EditController::editorAttached (EditorView* view)
{
    auto* editor = dynamic_cast<CMVXControllerEditorInterface*> (view);
    if (editor == nullptr)
        return;
    editors.push_back (editor);
    editorViews.push_back (view);
    editor->requestPresets ();
}

void CMVXVST3EditController::editorRemoved (EditorView* view)
{
    auto found = std::find (editorViews.begin (), editorViews.end (), view);
    if (found == editorViews.end ())
        return;
    editors.erase (editors.begin () + (found - editorViews.begin ()));
    editorViews.erase (found);
}

void CMVXVST3EditController::editorDestroyed (EditorView* view)
{
    for (auto found = std::find (editorViews.begin (), editorViews.end (), view);
         found != editorViews.end ();
         found = std::find (editorViews.begin (), editorViews.end (), view))
    {
        editors.erase (editors.begin () + (found - editorViews.begin ()));
        editorViews.erase (found);
    }
}

void CMVXVST3EditController::forwardTextToEditors (const std::string& text)
{
    for (size_t i = 0; i < editors.size (); ++i)
        if (editors[i] != nullptr)
            editors[i]->receiveMessage (text);
}
