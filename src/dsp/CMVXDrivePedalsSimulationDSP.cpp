// SPDX-License-Identifier: GPL-3.0-or-later
#include "dsp/CMVXDrivePedalsSimulationDSP.h"
#include "params/CMVXParamTable.h"
#include <algorithm>
#include <cmath>

// Plain values: Effect State, Model, Parameter 1 … Parameter 6.
const CMVXPresetRecord CMVXDrivePedalsSimulationDSP::kFactoryPresets[8] = {
    {"Torvin's Booster", {1, 0, 42.5f, 100, 81.6f, 18, 61.8f, 32.5f}},
    {"Ossik's Riff", {1, 1, 61.8f, 100, 100, 16, 67, 35}},
    {"Rock Distorion", {1, 2, 35.8f, 100, 21.4f, 16, 67, 35}},
    {"Crunch", {1, 3, 38.1f, 100, 64.5f, 16, 67, 35}},
    {"Rock Drive", {1, 4, 69.9f, 100, 35.25f, 16, 67, 35}},
    {"Full Drive", {1, 5, 100, 33.7f, 100, 16, 67, 35}},
    {"Kick the Amp", {1, 6, 0, 100, 35, 16, 67, 35}},
    {"Metal", {1, 7, 42.5f, 100, 81.6f, 18, 61.8f, 32.5f}},
};

CMVXDrivePedalsSimulationDSP::CMVXDrivePedalsSimulationDSP (double sampleRateHz,
                                                            uint32_t maxBlockSamples)
: CMVXDSPAlgInterface (sampleRateHz, maxBlockSamples)
{
    name = "Overmoor";
    category = "Overmoor";
    typeTag = 'ovrm';
    for (const auto& preset : kFactoryPresets)
        addFactoryPreset (preset);
    const CMVXParamTable table (0);
    for (const auto& entry : table.all ())
        parameters.emplace (entry.first, CMVXParameter (entry.second, this));
    applyPreset (0);
}

CMVXDrivePedalsSimulationDSP::~CMVXDrivePedalsSimulationDSP () = default;

// Placeholder until the pedal chains land: passes audio through.
void CMVXDrivePedalsSimulationDSP::processAudio (float** inputs, float** outputs, float* inPeaks,
                                                float* outPeaks, int32_t numSamples)
{
    for (int c = 0; c < 2; ++c)
    {
        inPeaks[c] = outPeaks[c] = 0.0f;
        if (inputs[c] != outputs[c])
            std::copy (inputs[c], inputs[c] + numSamples, outputs[c]);
    }
    updatePending.store (false, std::memory_order_relaxed);
    reinitPending.store (false, std::memory_order_relaxed);
}

void CMVXDrivePedalsSimulationDSP::updateSettings (bool) {}
void CMVXDrivePedalsSimulationDSP::resetState () {}
void CMVXDrivePedalsSimulationDSP::advanceControls () {}
