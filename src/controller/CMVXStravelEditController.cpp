// SPDX-License-Identifier: GPL-3.0-or-later
#include "controller/CMVXStravelEditController.h"
#ifdef OVERMOOR_HAS_EDITOR
#include "editor/CMVXStravelGUIEditorVST3.h"
#endif
#include "params/CMVXParamTable.h"
#include "params/CMVXStravelParamInfo.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include <algorithm>
#include <cmath>
#include <cstring>

using namespace Steinberg;
using namespace Steinberg::Vst;

CMVXStravelEditController::CMVXStravelEditController ()
{
    paramInfo = new CMVXStravelParamInfo (0);
}

CMVXStravelEditController::~CMVXStravelEditController ()
{
    delete paramInfo;
    paramInfo = nullptr;
}

tresult PLUGIN_API CMVXStravelEditController::getParameterInfo (int32 paramIndex,
                                                                ParameterInfo& info)
{
    const tresult result = CMVXVST3EditController::getParameterInfo (paramIndex, info);
    if (result != kResultTrue && result != kResultOk)
        return result;
    // The SDK objects keep their registration titles; the host reads the current model's here.
    if (CMVXParameter* record = paramInfo->getParam (paramIndex))
    {
        copyNameToString128 (record->getName (), info.title);
        copyNameToString128 (record->getName (), info.shortTitle);
    }
    return result;
}

tresult PLUGIN_API CMVXStravelEditController::setParamNormalized (ParamID id, ParamValue value)
{
    // The model index below is only defined for values within 0..1.
    if (std::isnan (value))
        return kResultFalse;
    value = std::clamp (value, 0.0, 1.0);
    if (id == kParamModel && componentHandler != nullptr)
    {
        if (CMVXParameter* model = paramInfo->getParam (kParamModel))
        {
            const int32 oldModel = static_cast<int32> (std::trunc (model->getPlain () + 0.5));
            model->setNormalized (value);
            const int32 newModel = static_cast<int32> (std::trunc (model->getPlain () + 0.5));
            if (oldModel != newModel)
            {
                paramInfo->updateTitles (newModel, 0.0f);
                componentHandler->restartComponent (kParamTitlesChanged);
            }
        }
    }
    return CMVXVST3EditController::setParamNormalized (id, value);
}

IPlugView* PLUGIN_API CMVXStravelEditController::createView (FIDString name)
{
    if (name == nullptr || std::strcmp (name, ViewType::kEditor) != 0)
        return nullptr;
    return createEditor ();
}

IPlugView* CMVXStravelEditController::createEditor ()
{
#ifdef OVERMOOR_HAS_EDITOR
    // Every request gets an editor of its own; the host releases it.
    try
    {
        return new CMVXStravelGUIEditorVST3 (this);
    }
    catch (...)
    {
        return nullptr;
    }
#else
    // Built without the editor: the host shows its generic parameter view.
    return nullptr;
#endif
}
