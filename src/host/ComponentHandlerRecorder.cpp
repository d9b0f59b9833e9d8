// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/ComponentHandlerRecorder.h"

namespace Morvane {
namespace Host {

using namespace Steinberg;

IMPLEMENT_FUNKNOWN_METHODS (ComponentHandlerRecorder, Vst::IComponentHandler,
                            Vst::IComponentHandler::iid)

ComponentHandlerRecorder::ComponentHandlerRecorder ()
{
    FUNKNOWN_CTOR
}

ComponentHandlerRecorder::~ComponentHandlerRecorder ()
{
    FUNKNOWN_DTOR
}

tresult PLUGIN_API ComponentHandlerRecorder::beginEdit (Vst::ParamID id)
{
    recordedEdits.push_back ({EditKind::begin, id, 0.0});
    return kResultOk;
}

tresult PLUGIN_API ComponentHandlerRecorder::performEdit (Vst::ParamID id,
                                                          Vst::ParamValue valueNormalized)
{
    recordedEdits.push_back ({EditKind::perform, id, valueNormalized});
    return kResultOk;
}

tresult PLUGIN_API ComponentHandlerRecorder::endEdit (Vst::ParamID id)
{
    recordedEdits.push_back ({EditKind::end, id, 0.0});
    return kResultOk;
}

tresult PLUGIN_API ComponentHandlerRecorder::restartComponent (int32 flags)
{
    recordedRestarts.push_back (flags);
    return kResultOk;
}

int ComponentHandlerRecorder::restartCount (int32 flags) const
{
    int count = 0;
    for (int32 recorded : recordedRestarts)
        if ((recorded & flags) == flags)
            ++count;
    return count;
}

int ComponentHandlerRecorder::editCount (EditKind kind, Vst::ParamID id) const
{
    int count = 0;
    for (const Edit& edit : recordedEdits)
        if (edit.kind == kind && (id == Vst::kNoParamId || edit.id == id))
            ++count;
    return count;
}

void ComponentHandlerRecorder::clear ()
{
    recordedEdits.clear ();
    recordedRestarts.clear ();
}

}   // namespace Host
}   // namespace Morvane
