// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The drive-pedal engine: eight pedal models as stage chains around one diode limiter,
// run oversampled.
#include "dsp/CMVXAnalogSimulation.h"
#include "dsp/CMVXDSPAlgInterface.h"

class CMVXDrivePedalsSimulationDSP : public CMVXDSPAlgInterface, public CMVXAnalogSimulation
{
public:
    CMVXDrivePedalsSimulationDSP (double sampleRateHz, uint32_t maxBlockSamples);
    ~CMVXDrivePedalsSimulationDSP () override;

    void processAudio (float** inputs, float** outputs, float* inPeaks, float* outPeaks,
                       int32_t numSamples) override;
    void updateSettings (bool reinitialize) override;
    void resetState () override;
    std::string getInfoText () override { return {}; }
    void advanceControls () override;

    static const CMVXPresetRecord kFactoryPresets[8];
};
