// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Abstract DSP host: the processor's view of the audio algorithms behind it.
#include "dsp/CMVXDSPAlgInterface.h"
#include "framework/CMVXPresetStorageInterface.h"
#include <atomic>
#include <cstdint>
#include <map>
#include <memory>

class CMVXPlugInInterface
{
public:
    CMVXPlugInInterface () = default;
    virtual ~CMVXPlugInInterface () = default;
    CMVXPlugInInterface (const CMVXPlugInInterface&) = delete;
    CMVXPlugInInterface& operator= (const CMVXPlugInInterface&) = delete;

    // Audio or main thread; allocates nothing.
    virtual float getParameterNormalized (int32_t id) = 0;
    virtual void selectPreset (int32_t number) = 0;
    virtual void reserved0 () = 0;
    // changedIds (may be null) receives ids the host changed as a side effect; *changedCount
    // their number. Main or audio thread; allocates nothing.
    virtual void setParameterNormalized (int32_t id, float value, int32_t* changedIds,
                                         int32_t* changedCount)
    {}
    virtual void setParameterNormalized (int32_t id, float value) = 0;
    virtual void prepareForPresetChange () {}

    CMVXDSPAlgInterface* getCurrentAlgorithm () const
    {
        return currentAlgorithm.load (std::memory_order_acquire);
    }
    int32_t getCurrentAlgorithmKey () const { return currentAlgorithmKey; }
    const std::map<int32_t, std::unique_ptr<CMVXDSPAlgInterface>>& getAlgorithms () const
    {
        return algorithms;
    }
    // Not owned; must outlive the host or be replaced before it dies.
    void setPresetStorage (CMVXPresetStorageInterface* storage) { presetStorage = storage; }
    CMVXPresetStorageInterface* getPresetStorage () const { return presetStorage; }

protected:
    // Read by the audio thread at every block, switched only on the main thread.
    std::atomic<CMVXDSPAlgInterface*> currentAlgorithm {nullptr};
    int32_t currentAlgorithmKey = 0;
    std::map<int32_t, std::unique_ptr<CMVXDSPAlgInterface>> algorithms;
    CMVXPresetStorageInterface* presetStorage = nullptr;
};
