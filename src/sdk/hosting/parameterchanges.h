// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Host-side parameter change lists handed to IAudioProcessor::process. Same names and behaviour
// as the SDK's hosting classes, except that every queue and point is preallocated: filling and
// clearing them never allocates, and a full list refuses more instead of growing.
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"
#include <vector>

namespace Steinberg {
namespace Vst {

// The points of one parameter within one block, kept sorted by sample offset.
class ParameterValueQueue : public IParamValueQueue
{
public:
    static constexpr int32 kDefaultMaxPoints = 1024;

    explicit ParameterValueQueue (ParamID paramID, int32 maxPoints = kDefaultMaxPoints);
    virtual ~ParameterValueQueue ();

    ParamID PLUGIN_API getParameterId () SMTG_OVERRIDE { return paramId; }
    int32 PLUGIN_API getPointCount () SMTG_OVERRIDE;
    tresult PLUGIN_API getPoint (int32 index, int32& sampleOffset, ParamValue& value) SMTG_OVERRIDE;
    // A point at an offset that is already present replaces its value; a full queue refuses
    // a new offset with kResultFalse.
    tresult PLUGIN_API addPoint (int32 sampleOffset, ParamValue value, int32& index) SMTG_OVERRIDE;

    void setParamID (ParamID pID) { paramId = pID; }
    void clear ();
    int32 getMaxPoints () const { return maxPoints; }

    DECLARE_FUNKNOWN_METHODS

protected:
    struct ParameterQueueValue
    {
        ParamValue value;
        int32 sampleOffset;
    };

    ParamID paramId;
    int32 maxPoints;
    std::vector<ParameterQueueValue> values;
};

// The queues of one block; a parameter has at most one queue.
class ParameterChanges : public IParameterChanges
{
public:
    explicit ParameterChanges (int32 maxParameters = 0,
                               int32 maxPointsPerQueue = ParameterValueQueue::kDefaultMaxPoints);
    virtual ~ParameterChanges ();

    // Main thread only: allocates the queues.
    void setMaxParameters (int32 maxParameters);
    int32 getMaxParameters () const { return static_cast<int32> (queues.size ()); }
    // Empties the list for the next block; queues are kept for reuse.
    void clearQueue ();

    int32 PLUGIN_API getParameterCount () SMTG_OVERRIDE;
    IParamValueQueue* PLUGIN_API getParameterData (int32 index) SMTG_OVERRIDE;
    // Returns the parameter's queue, taking a free one if it has none yet; null when every
    // preallocated queue is in use.
    IParamValueQueue* PLUGIN_API addParameterData (const ParamID& pid, int32& index) SMTG_OVERRIDE;

    DECLARE_FUNKNOWN_METHODS

protected:
    std::vector<IPtr<ParameterValueQueue>> queues;
    int32 usedQueueCount = 0;
    int32 maxPointsPerQueue;
};

}   // namespace Vst
}   // namespace Steinberg
