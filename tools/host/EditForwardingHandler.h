// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The live host's IComponentHandler: every performEdit of the controller goes into the queue the
// audio thread empties into the next period's input parameter changes, as a host does.
#include "host/ParameterChangeQueue.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

namespace Morvane {
namespace HostTool {

class EditForwardingHandler : public Steinberg::Vst::IComponentHandler
{
public:
    explicit EditForwardingHandler (ParameterChangeQueue& queue);
    virtual ~EditForwardingHandler ();

    Steinberg::tresult PLUGIN_API beginEdit (Steinberg::Vst::ParamID) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API performEdit (
        Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue valueNormalized) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API endEdit (Steinberg::Vst::ParamID) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API restartComponent (Steinberg::int32) SMTG_OVERRIDE;

    DECLARE_FUNKNOWN_METHODS

private:
    ParameterChangeQueue& edits;
};

}   // namespace HostTool
}   // namespace Morvane
