// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/EditForwardingHandler.h"

namespace Morvane {
namespace HostTool {

using namespace Steinberg;

IMPLEMENT_FUNKNOWN_METHODS (EditForwardingHandler, Vst::IComponentHandler,
                            Vst::IComponentHandler::iid)

EditForwardingHandler::EditForwardingHandler (ParameterChangeQueue& queue) : edits (queue)
{
    FUNKNOWN_CTOR
}

EditForwardingHandler::~EditForwardingHandler ()
{
    FUNKNOWN_DTOR
}

tresult PLUGIN_API EditForwardingHandler::beginEdit (Vst::ParamID)
{
    return kResultOk;
}

tresult PLUGIN_API EditForwardingHandler::performEdit (Vst::ParamID id, Vst::ParamValue value)
{
    return edits.push ({id, value}) ? kResultOk : kResultFalse;
}

tresult PLUGIN_API EditForwardingHandler::endEdit (Vst::ParamID)
{
    return kResultOk;
}

// The processor reports no latency and the window reads titles itself: nothing to restart.
tresult PLUGIN_API EditForwardingHandler::restartComponent (int32)
{
    return kResultOk;
}

}   // namespace HostTool
}   // namespace Morvane
