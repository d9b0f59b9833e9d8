// SPDX-License-Identifier: GPL-3.0-or-later
#include "dsp/CMVXDSPAlgInterface.h"

CMVXDSPAlgInterface::CMVXDSPAlgInterface (double sampleRateHz, uint32_t maxBlockSamples)
: maxBlockSize (maxBlockSamples), sampleRate (sampleRateHz)
{}

CMVXDSPAlgInterface::~CMVXDSPAlgInterface () = default;

void CMVXDSPAlgInterface::processBlock (float** inputs, float** outputs, float* inPeaks,
                                        float* outPeaks, int32_t numSamples, int32_t*, int32_t*)
{
    processAudio (inputs, outputs, inPeaks, outPeaks, numSamples);
}

void CMVXDSPAlgInterface::addFactoryPreset (CMVXPresetRecord preset)
{
    presets[factoryPresetCount] = std::move (preset);
    ++factoryPresetCount;
}

int32_t CMVXDSPAlgInterface::addUserPreset (CMVXPresetRecord preset)
{
    const int32_t key = presets.empty () ? 0 : presets.rbegin ()->first + 1;
    presets[key] = std::move (preset);
    return key;
}

bool CMVXDSPAlgInterface::applyPreset (int32_t key)
{
    auto it = presets.find (key);
    if (it == presets.end ())
        return false;
    const auto& values = it->second.values;
    for (size_t i = 0; i < values.size (); ++i)
        if (auto* param = findParameter (static_cast<int32_t> (i)))
            param->setPlain (values[i]);
    currentPresetKey = key;
    return true;
}

std::map<int32_t, CMVXPresetRecord>::iterator
CMVXDSPAlgInterface::findByName (const std::string& presetName, int32_t firstPosition)
{
    int32_t position = 0;
    for (auto it = presets.begin (); it != presets.end (); ++it, ++position)
        if (position >= firstPosition && it->second.name == presetName)
            return it;
    return presets.end ();
}

CMVXPresetRecord* CMVXDSPAlgInterface::findPresetByName (const std::string& presetName)
{
    auto it = findByName (presetName, 0);
    return it == presets.end () ? nullptr : &it->second;
}

bool CMVXDSPAlgInterface::selectPresetByName (const std::string& presetName)
{
    auto it = findByName (presetName, 0);
    return it != presets.end () && applyPreset (it->first);
}

bool CMVXDSPAlgInterface::removeUserPresetByName (const std::string& presetName)
{
    auto it = findByName (presetName, factoryPresetCount);
    if (it == presets.end ())
        return false;
    if (it->first == currentPresetKey)
        currentPresetKey = -1;
    // The presets after it move up one key, so a preset's number stays its position in the
    // lists the editor is sent and selecting by that number reaches the preset it shows.
    for (it = presets.erase (it); it != presets.end ();)
    {
        auto node = presets.extract (it++);
        if (node.key () == currentPresetKey)
            --currentPresetKey;
        --node.key ();
        presets.insert (std::move (node));
    }
    return true;
}

std::vector<float> CMVXDSPAlgInterface::currentValues () const
{
    std::vector<float> values;
    values.reserve (parameters.size ());
    for (const auto& entry : parameters)
        values.push_back (static_cast<float> (entry.second.getRawPlain ()));
    return values;
}

int32_t CMVXDSPAlgInterface::getCurrentPresetPosition () const
{
    int32_t position = 0;
    for (const auto& entry : presets)
    {
        if (entry.first == currentPresetKey)
            return position;
        ++position;
    }
    return position;
}

const CMVXPresetRecord* CMVXDSPAlgInterface::getCurrentPreset () const
{
    auto it = presets.find (currentPresetKey);
    return it == presets.end () ? nullptr : &it->second;
}

CMVXParameter* CMVXDSPAlgInterface::findParameter (int32_t id)
{
    auto it = parameters.find (id);
    return it == parameters.end () ? nullptr : &it->second;
}
