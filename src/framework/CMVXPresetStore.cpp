// SPDX-License-Identifier: GPL-3.0-or-later
// User-preset commands and the preset lists of the DSP host.
#include "framework/CMVXPlugInDSP.h"

bool CMVXPlugInDSP::storeUserPreset (const std::string& name, bool overwrite)
{
    CMVXDSPAlgInterface* algorithm = getCurrentAlgorithm ();
    if (algorithm == nullptr || presetStorage == nullptr)
        return false;

    if (!overwrite)
    {
        const int32_t key = algorithm->addUserPreset ({name, algorithm->currentValues ()});
        if (presetStorage->savePreset (algorithm->presets[key], *algorithm, false))
            return true;
        algorithm->presets.erase (key);   // the last key: the others keep their numbers
        return false;
    }

    // Save overwrites whichever preset is current, factory or user; the given name only names
    // a new preset when no preset carries the current preset's name.
    CMVXPresetRecord* target = nullptr;
    if (const CMVXPresetRecord* current = algorithm->getCurrentPreset ())
        target = algorithm->findPresetByName (current->name);
    int32_t createdKey = -1;
    if (target == nullptr)
    {
        createdKey = algorithm->addUserPreset ({name, {}});
        target = &algorithm->presets[createdKey];
    }
    std::vector<float> previous = std::move (target->values);
    target->values = algorithm->currentValues ();
    if (presetStorage->savePreset (*target, *algorithm, true))
        return true;
    if (createdKey >= 0)
        algorithm->presets.erase (createdKey);
    else
        target->values = std::move (previous);
    return false;
}

bool CMVXPlugInDSP::deleteUserPreset (const std::string& name)
{
    CMVXDSPAlgInterface* algorithm = getCurrentAlgorithm ();
    if (algorithm == nullptr || presetStorage == nullptr)
        return false;
    // The stored copy goes first: a preset whose file stays (read-only folder) stays listed.
    if (!presetStorage->deletePreset (name, *algorithm))
        return false;
    // Factory presets stay: removing one would shift the factory numbering onto user presets.
    algorithm->removeUserPresetByName (name);
    return true;
}

void CMVXPlugInDSP::rebuildPresetLists ()
{
    presetBases.clear ();
    parameterBases.clear ();
    algorithmNames.clear ();
    factoryPresetNames.clear ();
    factoryPresetTitles.clear ();
    factoryPresetInfo.clear ();
    userPresetNames.clear ();
    userPresetTitles.clear ();
    userPresetInfo.clear ();

    const bool titledByCategory = algorithms.size () > 1;
    int32_t nextPreset = presetNumberOffset;
    int32_t nextParameter = parameterIdOffset;
    for (const auto& entry : algorithms)
    {
        const CMVXDSPAlgInterface& algorithm = *entry.second;
        presetBases.push_back (nextPreset);
        parameterBases.push_back (nextParameter);
        nextPreset += static_cast<int32_t> (algorithm.presets.size ());
        nextParameter += algorithm.getParameterCount ();
        algorithmNames.push_back (algorithm.name);

        int32_t position = 0;
        for (const auto& preset : algorithm.presets)
        {
            const bool factory = position++ < algorithm.getFactoryPresetCount ();
            std::string title = titledByCategory ? algorithm.category + " : " + preset.second.name
                                                 : preset.second.name;
            (factory ? factoryPresetNames : userPresetNames).push_back (preset.second.name);
            (factory ? factoryPresetTitles : userPresetTitles).push_back (std::move (title));
            (factory ? factoryPresetInfo : userPresetInfo).push_back (algorithm.category);
        }
    }
}

void CMVXPlugInDSP::buildPresetBookkeeping (bool loadStored)
{
    if (loadStored && presetStorage != nullptr)
        for (auto& entry : algorithms)
            presetStorage->loadPresets (*entry.second);
    rebuildPresetLists ();
}
