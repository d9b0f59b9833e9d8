// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The product's edit controller: the parameter set of the drive pedals, knob titles that follow
// the model, and the pedal editor.
#include "controller/CMVXVST3EditController.h"

class CMVXStravelEditController : public CMVXVST3EditController
{
public:
    CMVXStravelEditController ();
    ~CMVXStravelEditController () override;

    tresult PLUGIN_API getParameterInfo (int32 paramIndex,
                                         Steinberg::Vst::ParameterInfo& info) override;
    tresult PLUGIN_API setParamNormalized (ParamID id, ParamValue value) override;
    Steinberg::IPlugView* PLUGIN_API createView (Steinberg::FIDString name) override;

    static Steinberg::FUnknown* createInstance (void*)
    {
        return static_cast<Steinberg::Vst::IEditController*> (new CMVXStravelEditController ());
    }

protected:
    // The pedal editor for the view type "editor"; null while no editor is built in.
    virtual Steinberg::IPlugView* createEditor ();
};
