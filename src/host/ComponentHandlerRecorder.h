// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The host's IComponentHandler: records every edit and restart request of a controller so that
// tests and tools can inspect what the controller asked of its host.
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include <vector>

namespace Morvane {
namespace Host {

class ComponentHandlerRecorder : public Steinberg::Vst::IComponentHandler
{
public:
    enum class EditKind
    {
        begin,
        perform,
        end
    };

    struct Edit
    {
        EditKind kind;
        Steinberg::Vst::ParamID id;
        Steinberg::Vst::ParamValue value;   // 0 for begin and end
    };

    ComponentHandlerRecorder ();
    virtual ~ComponentHandlerRecorder ();

    Steinberg::tresult PLUGIN_API beginEdit (Steinberg::Vst::ParamID id) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API performEdit (
        Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue valueNormalized) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API endEdit (Steinberg::Vst::ParamID id) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API restartComponent (Steinberg::int32 flags) SMTG_OVERRIDE;

    const std::vector<Edit>& edits () const { return recordedEdits; }
    const std::vector<Steinberg::int32>& restarts () const { return recordedRestarts; }
    // Number of restartComponent calls whose flags contain all bits of flags.
    int restartCount (Steinberg::int32 flags) const;
    // Number of recorded edits of that kind (and that id, unless kNoParamId).
    int editCount (EditKind kind, Steinberg::Vst::ParamID id = Steinberg::Vst::kNoParamId) const;
    void clear ();

    DECLARE_FUNKNOWN_METHODS

private:
    std::vector<Edit> recordedEdits;
    std::vector<Steinberg::int32> recordedRestarts;
};

}   // namespace Host
}   // namespace Morvane
