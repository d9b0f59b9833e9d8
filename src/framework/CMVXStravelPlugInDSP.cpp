// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/CMVXStravelPlugInDSP.h"
#include "dsp/CMVXDrivePedalsSimulationDSP.h"
#include "params/CMVXStravelParamInfo.h"

namespace {
constexpr int32_t kEngineKey = 0;
constexpr int32_t kParamVariant = 0;
}   // namespace

CMVXStravelPlugInDSP::CMVXStravelPlugInDSP (CMVXPresetStorageInterface* storage)
{
    effectName = "Overmoor";
    addAlgorithm (kEngineKey, std::make_unique<CMVXDrivePedalsSimulationDSP> (
                                  kInitialSampleRateHz, kInitialMaxBlockSamples));
    getCurrentAlgorithm ()->applyPreset (0);
    updateBypassFromEffectState ();

    setNumberingOffsets (0, 0);
    parameterInfo = std::make_unique<CMVXStravelParamInfo> (kParamVariant);

    // The storage must be in place before the lists are first built: it adds the user presets.
    presetStorage = storage;
    buildPresetBookkeeping (true);
    makeCurrent (kEngineKey);
    getCurrentAlgorithm ()->applyPreset (0);
    updateBypassFromEffectState ();
}

CMVXStravelPlugInDSP::~CMVXStravelPlugInDSP () = default;

float CMVXStravelPlugInDSP::getParameterNormalized (int32_t id)
{
    if (id < kParamEffectState || id >= kParamCount)
        return 0.0f;
    return CMVXPlugInDSP::getParameterNormalized (id);
}

void CMVXStravelPlugInDSP::setParameterNormalized (int32_t id, float value, int32_t* changedIds,
                                                   int32_t* changedCount)
{
    CMVXPlugInDSP::setParameterNormalized (id, value, changedIds, changedCount);
    // From the stored value: a value the base refused leaves the switch as it was.
    if (id == kParamEffectState)
        updateBypassFromEffectState ();
}

float* CMVXStravelPlugInDSP::getCustomFloatData (int32_t, int32_t&)
{
    return nullptr;
}

void CMVXStravelPlugInDSP::updateBypassFromEffectState ()
{
    CMVXDSPAlgInterface* algorithm = getCurrentAlgorithm ();
    if (algorithm == nullptr)
        return;
    const CMVXParameter* effectState = algorithm->findParameter (kParamEffectState);
    const double value = effectState ? effectState->getNormalized () : 0.0;
    algorithm->bypassed.store (value < 0.5, std::memory_order_relaxed);
}
