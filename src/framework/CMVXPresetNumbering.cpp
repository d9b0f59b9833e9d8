// SPDX-License-Identifier: GPL-3.0-or-later
// Global preset numbers and parameter ids over all algorithms of the host, in map order.
#include "framework/CMVXPlugInDSP.h"

void CMVXPlugInDSP::selectPreset (int32_t number)
{
    int32_t localIndex = 0;
    CMVXDSPAlgInterface* algorithm = findPresetAlgorithm (number, localIndex);
    if (algorithm == nullptr)
        return;
    for (const auto& entry : algorithms)
        if (entry.second.get () == algorithm)
            makeCurrent (entry.first);
    algorithm->applyPreset (localIndex);
    // Pass every value through the parameter write so product side effects follow the preset.
    for (int32_t id = 0; id < algorithm->getParameterCount (); ++id)
    {
        const CMVXParameter* param = algorithm->findParameter (id);
        setParameterNormalized (id, param ? static_cast<float> (param->getNormalized ()) : 0.0f);
    }
}

int32_t CMVXPlugInDSP::getSelectedPresetNumber ()
{
    CMVXDSPAlgInterface* algorithm = getCurrentAlgorithm ();
    if (algorithm == nullptr)
        return 0;
    const int32_t position = algorithmPosition (currentAlgorithmKey);
    const int32_t base = (position >= 0 && static_cast<size_t> (position) < presetBases.size ())
                             ? presetBases[static_cast<size_t> (position)]
                             : presetNumberOffset;
    return base + algorithm->getCurrentPresetPosition ();
}

CMVXDSPAlgInterface* CMVXPlugInDSP::findFactoryPreset (int32_t number, int32_t& localIndex)
{
    int32_t sum = 0;
    for (const auto& entry : algorithms)
    {
        const int32_t count = entry.second->getFactoryPresetCount ();
        if (number >= sum && number < sum + count)
        {
            localIndex = number - sum;
            return entry.second.get ();
        }
        sum += count;
    }
    localIndex = 0;
    return algorithms.empty () ? nullptr : algorithms.begin ()->second.get ();
}

CMVXDSPAlgInterface* CMVXPlugInDSP::findPresetAlgorithm (int32_t number, int32_t& localIndex)
{
    if (algorithms.empty ())
        return nullptr;
    for (size_t k = presetBases.size (); k-- > 0;)
    {
        if (presetBases[k] <= number)
            if (CMVXDSPAlgInterface* algorithm = algorithmAt (k))
            {
                localIndex = number - presetBases[k];
                return algorithm;
            }
    }
    // Below every base (or no bases yet): the first algorithm, whose table has no such key.
    localIndex = number - (presetBases.empty () ? presetNumberOffset : presetBases.front ());
    return algorithms.begin ()->second.get ();
}

CMVXDSPAlgInterface* CMVXPlugInDSP::findParameterAlgorithm (int32_t globalId, int32_t& localId)
{
    if (algorithms.empty ())
        return nullptr;
    const int32_t firstBase = parameterBases.empty () ? parameterIdOffset : parameterBases.front ();
    if (globalId < firstBase + getFirstParameterId () || parameterBases.size () < 2)
    {
        localId = globalId;
        return algorithms.begin ()->second.get ();
    }
    for (size_t k = parameterBases.size (); k-- > 0;)
    {
        if (parameterBases[k] <= globalId)
            if (CMVXDSPAlgInterface* algorithm = algorithmAt (k))
            {
                // The first algorithm keeps its own ids; later ones are shifted by their base.
                localId = k == 0 ? globalId : globalId - parameterBases[k];
                return algorithm;
            }
    }
    localId = globalId;
    return algorithms.begin ()->second.get ();
}

int32_t CMVXPlugInDSP::getPresetBase (int32_t algorithmKey)
{
    const int32_t position = algorithmPosition (algorithmKey);
    if (position <= 0 || static_cast<size_t> (position) >= presetBases.size ())
        return 0;
    return presetBases[static_cast<size_t> (position)] - presetBases.front ();
}
