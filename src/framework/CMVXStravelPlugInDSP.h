// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The product's DSP host: one drive-pedal engine, eight parameters, "Effect State" as bypass.
#include "framework/CMVXPlugInDSP.h"

class CMVXStravelPlugInDSP : public CMVXPlugInDSP
{
public:
    // The storage, if given, loads the user presets before the preset lists are first built.
    explicit CMVXStravelPlugInDSP (CMVXPresetStorageInterface* storage = nullptr);
    ~CMVXStravelPlugInDSP () override;

    using CMVXPlugInDSP::setParameterNormalized;
    float getParameterNormalized (int32_t id) override;
    void setParameterNormalized (int32_t id, float value, int32_t* changedIds,
                                 int32_t* changedCount) override;
    float* getCustomFloatData (int32_t id, int32_t& count) override;
    int32_t getMaxParameterReports () override { return kMaxReports; }
    int32_t getMaxProcessReports () override { return kMaxReports; }

    static constexpr int32_t kMaxReports = 10;
    static constexpr double kInitialSampleRateHz = 48000.0;
    static constexpr uint32_t kInitialMaxBlockSamples = 256;

private:
    void updateBypassFromEffectState ();
};
