// SPDX-License-Identifier: GPL-3.0-or-later
#include "sdk/hosting/parameterchanges.h"
#include <algorithm>

namespace Steinberg {
namespace Vst {

IMPLEMENT_FUNKNOWN_METHODS (ParameterValueQueue, IParamValueQueue, IParamValueQueue::iid)

ParameterValueQueue::ParameterValueQueue (ParamID paramID, int32 maxPoints)
: paramId (paramID), maxPoints (std::max<int32> (maxPoints, 1))
{
    FUNKNOWN_CTOR
    values.reserve (static_cast<size_t> (this->maxPoints));
}

ParameterValueQueue::~ParameterValueQueue ()
{
    FUNKNOWN_DTOR
}

int32 PLUGIN_API ParameterValueQueue::getPointCount ()
{
    return static_cast<int32> (values.size ());
}

tresult PLUGIN_API ParameterValueQueue::getPoint (int32 index, int32& sampleOffset,
                                                  ParamValue& value)
{
    if (index < 0 || index >= static_cast<int32> (values.size ()))
        return kResultFalse;
    sampleOffset = values[static_cast<size_t> (index)].sampleOffset;
    value = values[static_cast<size_t> (index)].value;
    return kResultTrue;
}

tresult PLUGIN_API ParameterValueQueue::addPoint (int32 sampleOffset, ParamValue value,
                                                  int32& index)
{
    size_t dest = values.size ();
    for (size_t i = 0; i < values.size (); ++i)
    {
        if (values[i].sampleOffset == sampleOffset)
        {
            values[i].value = value;
            index = static_cast<int32> (i);
            return kResultTrue;
        }
        if (values[i].sampleOffset > sampleOffset)
        {
            dest = i;
            break;
        }
    }
    if (static_cast<int32> (values.size ()) >= maxPoints)
        return kResultFalse;
    // Within the reserved capacity, so insert never reallocates.
    values.insert (values.begin () + static_cast<std::ptrdiff_t> (dest),
                   ParameterQueueValue {value, sampleOffset});
    index = static_cast<int32> (dest);
    return kResultTrue;
}

void ParameterValueQueue::clear ()
{
    values.clear ();
}

IMPLEMENT_FUNKNOWN_METHODS (ParameterChanges, IParameterChanges, IParameterChanges::iid)

ParameterChanges::ParameterChanges (int32 maxParameters, int32 maxPointsPerQueue)
: maxPointsPerQueue (maxPointsPerQueue)
{
    FUNKNOWN_CTOR
    setMaxParameters (maxParameters);
}

ParameterChanges::~ParameterChanges ()
{
    FUNKNOWN_DTOR
}

void ParameterChanges::setMaxParameters (int32 maxParameters)
{
    const size_t wanted = static_cast<size_t> (std::max<int32> (maxParameters, 0));
    if (wanted < queues.size ())
        queues.resize (wanted);
    while (queues.size () < wanted)
        queues.push_back (owned (new ParameterValueQueue (kNoParamId, maxPointsPerQueue)));
    usedQueueCount = std::min (usedQueueCount, static_cast<int32> (queues.size ()));
}

void ParameterChanges::clearQueue ()
{
    usedQueueCount = 0;
}

int32 PLUGIN_API ParameterChanges::getParameterCount ()
{
    return usedQueueCount;
}

IParamValueQueue* PLUGIN_API ParameterChanges::getParameterData (int32 index)
{
    if (index < 0 || index >= usedQueueCount)
        return nullptr;
    return queues[static_cast<size_t> (index)];
}

IParamValueQueue* PLUGIN_API ParameterChanges::addParameterData (const ParamID& pid, int32& index)
{
    for (int32 i = 0; i < usedQueueCount; ++i)
    {
        if (queues[static_cast<size_t> (i)]->getParameterId () == pid)
        {
            index = i;
            return queues[static_cast<size_t> (i)];
        }
    }
    if (usedQueueCount >= static_cast<int32> (queues.size ()))
        return nullptr;
    ParameterValueQueue* queue = queues[static_cast<size_t> (usedQueueCount)];
    queue->setParamID (pid);
    queue->clear ();
    index = usedQueueCount++;
    return queue;
}

}   // namespace Vst
}   // namespace Steinberg
